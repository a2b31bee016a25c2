#pragma once
// The speed button's glyph: where glyph, caption and drop-down mark go on the face, the images
// of the five button states (made once, kept in lists shared by every glyph of the same size),
// and the grey of an inactive glyph. No widget here: the button paints with what this gives.
#include <QColor>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

enum TKxButtonState : uint8_t { bsUp, bsDisabled, bsDown, bsExclusive, bsInactive };
enum TButtonLayout : uint8_t { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
constexpr int kEtatsBouton = 5;

// The glyph count a bitmap implies: width / height when the width is a whole multiple of the
// height (1 beyond 5); otherwise `actuel` stays.
int NumGlyphsDe(QSize bitmap, int actuel);

// Every pixel of the image grey, (77 r + 150 g + 29 b) / 256 on the three channels, except
// those of the transparent colour and of the button face.
QImage GriserGlyphe(const QImage& image, QColor transparent, QColor face);

// An image with the pixels of `cle` made fully transparent.
QImage MasquerCouleur(const QImage& image, QColor cle);

// The room the caption may take on a client of `client` size.
QSize PlaceLegende(QSize client, QSize glyphe, TButtonLayout disposition, int marge, int espacement, bool marque);

struct DispositionBouton {
    QPoint PosGlyphe;   // top left of the glyph
    QRect RectLegende;  // the caption's extent, placed
};
// Glyph and caption placed on `client`; `legende` is the caption's measured extent (empty
// without caption) and `glyphe` the size of one glyph (empty without glyph).
DispositionBouton CalculerDisposition(QRect client, QSize glyphe, QSize legende, TButtonLayout disposition,
                                      int marge, int espacement, bool marque);

// Each line of the caption cut to `largeur` with "..." where it is too wide (down to "..."
// alone); trailing blanks and line breaks removed.
QString RaccourcirLegende(const QString& legende, const std::function<int(const QString&)>& mesure, int largeur);

// An image list whose removed images leave free slots, the lowest of which the next image takes.
class TGlyphList {
public:
    TGlyphList(int largeur, int hauteur) : largeur_(largeur), hauteur_(hauteur) {}
    int Largeur() const { return largeur_; }
    int Hauteur() const { return hauteur_; }
    int Add(const QImage& image);
    void Delete(int index);
    int Count() const { return utilises_; }
    int Capacite() const { return static_cast<int>(images_.size()); }
    const QImage& Image(int index) const { return images_.at(static_cast<std::size_t>(index)); }

private:
    int largeur_;
    int hauteur_;
    std::vector<QImage> images_;
    std::vector<bool> occupe_;
    int utilises_ = 0;
};

// The process's set of glyph lists, one per glyph size in use. It lives while a glyph object
// does or a list holds images.
class TGlyphCache {
public:
    static TGlyphCache& Instance();
    // The instance when it exists, without making one.
    static TGlyphCache* Existant();
    // The most recently added list of that exact size, or a new one.
    TGlyphList* GetList(int largeur, int hauteur);
    // A list a glyph no longer uses; freed when it holds no image.
    void ReturnList(TGlyphList* liste);
    int Count() const { return static_cast<int>(listes_.size()); }
    bool Empty() const { return listes_.empty(); }

    static void AjouterUtilisateur();
    static void RetirerUtilisateur();

private:
    std::vector<std::unique_ptr<TGlyphList>> listes_;
};

// A button's glyph bitmap with its state images.
class TKxButtonGlyph {
public:
    TKxButtonGlyph();
    ~TKxButtonGlyph();
    TKxButtonGlyph(const TKxButtonGlyph&) = delete;
    TKxButtonGlyph& operator=(const TKxButtonGlyph&) = delete;

    const QImage& Glyph() const { return glyphe_; }
    // Drops the state images; a non-empty bitmap takes its transparent colour from its
    // bottom-left pixel and its glyph count from its shape.
    void SetGlyph(const QImage& bitmap);
    // Takes the bitmap as it is with the given transparent colour (action images on magenta).
    void SetGlyph(const QImage& bitmap, QColor transparent);
    int NumGlyphs() const { return numGlyphs_; }
    void SetNumGlyphs(int n); // above 5 gives 5, 0 is ignored
    QColor TransparentColor() const { return transparente_; }

    QSize TailleGlyphe() const; // one column; empty without a bitmap
    // The image of a state, made on first need; null when the bitmap is empty.
    const QImage* ImageEtat(TKxButtonState etat);
    int IndexEtat(TKxButtonState etat) const { return index_[etat]; }
    TGlyphList* Liste() const { return liste_; }
    // Every state image dropped (glyph, count or system colours changed).
    void Invalidate();

    std::function<void()> OnChange;

private:
    QImage Colonne(int i) const;

    QImage glyphe_;
    TGlyphList* liste_ = nullptr;
    std::array<int, kEtatsBouton> index_{-1, -1, -1, -1, -1};
    QColor transparente_{0xFF, 0x00, 0xFF};
    int numGlyphs_ = 1;
};

#pragma once
// The painters' canvas on a QPainter, over any device: a QImage (score bands, the edit zone,
// tests), a widget being painted, a QPrinter. It draws the pixels of the platform's rules
// (Canevas.h): one-pixel lines, ellipses, arcs and polygon fills are computed by
// Rasterisation and set as pixels; wider pens go through QPainter with round ends. Nothing is
// antialiased, texts included, so every pixel has the exact colour asked for.
//
// Fonts: the Windows face names of the settings are replaced by metric-compatible Linux ones
// ("MS Sans Serif" and "Arial" by Liberation Sans, "Small Fonts" by Liberation Sans Narrow, or
// Liberation Sans without it), sized in pixels at the canvas's resolution, without kerning.
// Texts under 10 pixels, and italic texts up to 14, are all drawn in Liberation Sans hinted in
// full, each glyph on a whole pixel, its width the sum of its glyphs' whole advances (as the
// platform set its texts): at fractional positions a period or a thin stem falls between the
// pixels and "1.5" reads "15", and a slanted "r" meets the next stem ("rit." reads "nt.").
// Where two glyphs of such a text would touch (the period of "1.5" against its 5), the second
// moves one pixel further and the text grows by as much, so that each keeps ink of its own.
// What a font needs (QFont, its metrics, the widths of the texts already measured) is kept per
// canvas, so a painter switching between a few fonts pays for each only once.
#include "platform/Canevas.h"

#include <QFont>
#include <QFontMetrics>
#include <QGlyphRun>
#include <QRawFont>
#include <QPoint>
#include <QStaticText>
#include <QString>

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class QPainter;

namespace platform {

struct Cadre;

class CanevasQt final : public Canevas {
public:
    // The painter stays the caller's and must stay active on its device while the canvas
    // draws; the canvas turns off its antialiasing and owns the painter's pen, brush and font
    // from then on (it sets them only when they change: the caller must not touch them). pixelsParPouce sizes the fonts: 96 on
    // screen whatever the monitor, the printer's resolution when printing.
    explicit CanevasQt(QPainter& peintre, int pixelsParPouce = 96);
    ~CanevasQt() override;

    int Largeur() const override;
    int Hauteur() const override;
    int PixelsParPouce() const override { return pixelsParPouce_; }

    // The family drawn for a face name of the settings (Windows-1252).
    static QString FamilleSubstituee(std::string_view nom);
    // The font drawing a style at a resolution (its colour aside).
    static QFont QFontDe(const StyleFonte& style, int pixelsParPouce = 96);

protected:
    void DessinerRectangle(int x1, int y1, int x2, int y2) override;
    void DessinerFillRect(int x1, int y1, int x2, int y2) override;
    void DessinerLigne(int x1, int y1, int x2, int y2) override;
    void DessinerPolyline(std::span<const Point> points) override;
    void DessinerPolygone(std::span<const Point> points) override;
    void DessinerEllipse(int x1, int y1, int x2, int y2) override;
    void DessinerArc(int x1, int y1, int x2, int y2, int xs, int ys, int xe, int ye) override;
    void DessinerPixel(int x, int y, Couleur couleur) override;
    int DessinerTexte(int x, int y, std::string_view texte) override;
    Dimension MesurerTexte(std::string_view texte) override;
    EncreTexte MesurerEncre(std::string_view texte) override;

private:
    struct TexteMesure {
        QString texte;
        int largeur = 0;
        // Laid out once, at its first drawing: three times faster than drawText, same pixels.
        QStaticText statique;
        bool prepare = false;
        // Set glyph by glyph: where each character starts, from the text's left edge, and the
        // glyphs so placed, drawn in one call.
        std::vector<int> positions;
        QGlyphRun glyphes;
        bool glyphesPrets = false;
        // The columns it inks, once asked.
        std::optional<EncreTexte> encre;
    };
    // The columns a glyph inks, from its pen position; vide for a blank one.
    struct EncreGlyphe {
        bool vide = true;
        int gauche = 0;
        int droite = 0;
    };
    struct FonteResolue {
        StyleFonte style; // colour unused
        QFont fonte;
        QFontMetrics metriques;
        int ascent = 0;
        int hauteur = 0;
        // Small texts are set glyph by glyph on whole pixels (QFontDe).
        bool parCaractere = false;
        QRawFont brute;
        std::unordered_map<char16_t, EncreGlyphe> encres;
        std::unordered_map<std::string, TexteMesure> textes;
    };

    FonteResolue& FonteActive();
    TexteMesure& Mesurer(FonteResolue& fonte, std::string_view texte);
    void Ecrire(FonteResolue& fonte, TexteMesure& mesure, int x, int y);
    EncreGlyphe Encre(FonteResolue& fonte, QChar caractere);

    Cadre CadreVisible() const;
    void Remplir(int x1, int y1, int x2, int y2, Couleur couleur);
    void PreparerStylo(Couleur couleur, int largeur);
    void DessinerPixels(Couleur couleur); // the pixels gathered in pixels_
    void ContourLarge(std::span<const Point> points, bool ferme);

    QPainter& peintre_;
    int pixelsParPouce_;

    std::vector<std::unique_ptr<FonteResolue>> fontes_;
    FonteResolue* fonteActive_ = nullptr;
    uint64_t versionActive_ = 0;
    const FonteResolue* fontePeintre_ = nullptr;

    // What the painter's pen is, so that it changes only when needed.
    bool styloConnu_ = false;
    Couleur couleurPeintre_;
    int largeurPeintre_ = 0;

    std::vector<Point> pixels_;
    std::vector<QPoint> points_;
};

} // namespace platform

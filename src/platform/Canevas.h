#pragma once
// The drawing surface of every painter (edit zone, score view, chord diagrams, print). Its
// pixel rules are those of the Windows GDI the glyphs were tuned on, so that a painter's
// coordinates mean the same pixels here:
//
//  - Rectangle(x1, y1, x2, y2) covers [x1, x2) x [y1, y2): the outline in the pen on the
//    outermost pixels of that area, the inside in the brush. With a null pen only the brush
//    is drawn, on [x1, x2 - 1) x [y1, y2 - 1) (the platform's rectangle loses its right and
//    bottom row without a pen). Swapped corners are put in order; an empty area draws nothing.
//  - FillRect covers [x1, x2) x [y1, y2) with the brush alone (nothing with a clear brush).
//  - A line (LineTo, Ligne, each segment of Polyline and of a polygon outline) leaves out its
//    end pixel whatever its direction. Where the ideal line passes exactly half-way between two
//    pixels, the one with the smaller coordinate is taken, so a line lights the same pixels
//    drawn either way (but for the end pixel, which is never lit).
//  - Ellipse and Arc take a bounding box that excludes its right and bottom edge, as
//    Rectangle. Arc runs counter-clockwise on screen from the ray through (xs, ys) to the ray
//    through (xe, ye), both rays leaving the box's centre, and leaves out its end pixel; when
//    both rays coincide the whole ellipse is drawn.
//  - Polygone fills with the brush (even-odd rule, pixels on the right and bottom edges left
//    out) and outlines with the pen, closing the figure.
//  - A pen wider than one pixel is centred on the one-pixel path, with round ends and joins,
//    and does draw the end of its lines.
//  - TextOut(x, y, text) puts the top-left corner of the text's cell at (x, y). With a clear
//    brush only the glyphs are drawn; with a solid brush the cell (TextWidth x TextHeight) is
//    first filled in the brush colour. The text colour is the font's, not the pen's.
//    Afterwards the current position is (x + TextWidth(text), y).
//  - TextWidth is the sum of the characters' advances, TextHeight the font's line height
//    (ascent + descent), whatever the text.
//
// Texts are Windows-1252 bytes, as the song and language files hold them. Font sizes are in
// points; a canvas turns them into pixels at its resolution (96 per inch on screen), rounding
// as the platform did (TaillePixelsFonte).
#include "platform/Couleur.h"

#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

namespace platform {

struct Point {
    int x = 0;
    int y = 0;
    friend constexpr bool operator==(Point, Point) = default;
};

// Size of a text: width cx and height cy in pixels.
struct Dimension {
    int cx = 0;
    int cy = 0;
    friend constexpr bool operator==(Dimension, Dimension) = default;
};

// The columns a text's glyphs ink, from the left edge of its cell: gauche to droite, the right
// one excluded. Bearings and slant put them apart from the cell (0 to TextWidth).
struct EncreTexte {
    int gauche = 0;
    int droite = 0;
    friend constexpr bool operator==(EncreTexte, EncreTexte) = default;
};

struct Stylo {
    Couleur couleur = clBlack;
    int largeur = 1; // in pixels; 0 draws as 1, as on the platform
    bool nul = false;
    friend bool operator==(const Stylo&, const Stylo&) = default;
};

struct Brosse {
    Couleur couleur = clWhite;
    bool vide = false; // a clear brush fills nothing and writes texts transparently
    friend bool operator==(const Brosse&, const Brosse&) = default;
};

struct StyleFonte {
    std::string nom = "MS Sans Serif"; // face name as the settings give it
    int taille = 8;                    // points
    bool gras = false;
    bool italique = false;
    Couleur couleur = clBlack;
    friend bool operator==(const StyleFonte&, const StyleFonte&) = default;
};

// Pixel size of a font of `points` points at `pixelsParPouce`: points * ppp / 72 rounded to
// the nearest integer, halves away from zero (5 -> 7, 8 -> 11, 10 -> 13, 12 -> 16 at 96).
// Never less than 1.
int TaillePixelsFonte(int points, int pixelsParPouce = 96);

class Canevas {
public:
    virtual ~Canevas() = default;

    virtual int Largeur() const = 0;
    virtual int Hauteur() const = 0;
    // Resolution the font sizes are converted at: 96 on screen, the printer's when printing.
    virtual int PixelsParPouce() const { return 96; }

    // Pen. A new canvas has a solid black pen of width 1.
    const Stylo& StyloCourant() const { return stylo_; }
    void SetStylo(const Stylo& stylo) { stylo_ = stylo; }
    void SetStylo(Couleur couleur, int largeur = 1) { stylo_ = Stylo{couleur, largeur, false}; }
    void SetStyloNul() { stylo_.nul = true; }
    void SetCouleurStylo(Couleur couleur) { stylo_.couleur = couleur; }
    void SetLargeurStylo(int largeur) { stylo_.largeur = largeur; }

    // Brush. A new canvas has a solid white brush.
    const Brosse& BrosseCourante() const { return brosse_; }
    void SetBrosse(const Brosse& brosse) { brosse_ = brosse; }
    void SetBrosse(Couleur couleur) { brosse_ = Brosse{couleur, false}; } // solid
    void SetBrosseVide() { brosse_.vide = true; }                        // clear, colour kept
    void SetCouleurBrosse(Couleur couleur) { brosse_.couleur = couleur; } // style kept

    // Font. A new canvas has "MS Sans Serif" 8 regular black.
    const StyleFonte& Fonte() const { return fonte_; }
    void SetFonte(const StyleFonte& fonte);
    void SetNomFonte(std::string_view nom);
    void SetTailleFonte(int points);
    void SetStyleFonte(bool gras, bool italique);
    void SetCouleurFonte(Couleur couleur) { fonte_.couleur = couleur; } // no metric changes

    // Current position of MoveTo / LineTo.
    Point PositionStylo() const { return position_; }

    void Rectangle(int x1, int y1, int x2, int y2);
    void FillRect(int x1, int y1, int x2, int y2);
    void MoveTo(int x, int y) { position_ = Point{x, y}; }
    // From the current position to (x, y), end pixel excluded; (x, y) becomes the position.
    void LineTo(int x, int y);
    // MoveTo (x1, y1) then LineTo (x2, y2).
    void Ligne(int x1, int y1, int x2, int y2);
    // Consecutive segments; the current position is left alone.
    void Polyline(std::span<const Point> points);
    void Polyline(std::initializer_list<Point> points) { Polyline(std::span(points.begin(), points.size())); }
    void Polygone(std::span<const Point> points);
    void Polygone(std::initializer_list<Point> points) { Polygone(std::span(points.begin(), points.size())); }
    void Ellipse(int x1, int y1, int x2, int y2);
    void Arc(int x1, int y1, int x2, int y2, int xs, int ys, int xe, int ye);
    void SetPixel(int x, int y, Couleur couleur);
    void TextOut(int x, int y, std::string_view texte);

    Dimension TextExtent(std::string_view texte) { return MesurerTexte(texte); }
    int TextWidth(std::string_view texte) { return MesurerTexte(texte).cx; }
    int TextHeight(std::string_view texte) { return MesurerTexte(texte).cy; }
    EncreTexte TextInk(std::string_view texte) { return MesurerEncre(texte); }

protected:
    Canevas() = default;
    Canevas(const Canevas&) = default;
    Canevas& operator=(const Canevas&) = default;

    // What a canvas draws with, called with the coordinates exactly as the painter gave them
    // (a recording canvas logs them so); the state (pen, brush, font) is read from the
    // accessors above.
    virtual void DessinerRectangle(int x1, int y1, int x2, int y2) = 0;
    virtual void DessinerFillRect(int x1, int y1, int x2, int y2) = 0;
    virtual void DessinerLigne(int x1, int y1, int x2, int y2) = 0;
    virtual void DessinerPolyline(std::span<const Point> points) = 0;
    virtual void DessinerPolygone(std::span<const Point> points) = 0;
    virtual void DessinerEllipse(int x1, int y1, int x2, int y2) = 0;
    virtual void DessinerArc(int x1, int y1, int x2, int y2, int xs, int ys, int xe, int ye) = 0;
    virtual void DessinerPixel(int x, int y, Couleur couleur) = 0;
    // Draws the text and returns its width.
    virtual int DessinerTexte(int x, int y, std::string_view texte) = 0;
    virtual Dimension MesurerTexte(std::string_view texte) = 0;
    // A canvas that cannot tell where the glyphs ink gives the whole cell.
    virtual EncreTexte MesurerEncre(std::string_view texte) { return EncreTexte{0, MesurerTexte(texte).cx}; }

    // Changes at every change of the font's face, size or style (not its colour), so that a
    // canvas can keep what it derived from the font until the next change.
    uint64_t VersionFonte() const { return versionFonte_; }

private:
    Stylo stylo_;
    Brosse brosse_;
    StyleFonte fonte_;
    uint64_t versionFonte_ = 1;
    Point position_;
};

} // namespace platform

#pragma once
// Small drawing and text helpers of the component library: a bitmap drawn with one colour left
// out, the embossed look of a disabled glyph, text shortened with an ellipsis, and a command
// line split into words.
#include "platform/Canevas.h"

#include <QColor>
#include <QImage>
#include <QRect>

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

class QPainter;

// What StretchBitmapLeavingColour leaves out: nothing, the bottom-left pixel's colour, or a
// given colour.
struct CouleurTransparente {
    enum Sorte : uint8_t { Aucune, ParDefaut, Couleur } Genre = Aucune;
    QColor Valeur;
    static CouleurTransparente clNone() { return {Aucune, {}}; }
    static CouleurTransparente clDefault() { return {ParDefaut, {}}; }
    static CouleurTransparente De(QColor c) { return {Couleur, c}; }
};

// Draws the source rectangle of `image` stretched onto `destination` of the painter, leaving out
// the pixels of the transparent colour. A destination size below 1 takes the image's; an empty
// source takes the whole image; a monochrome image leaves out white.
void StretchBitmapLeavingColour(QPainter& peintre, const QImage& image, CouleurTransparente transparent,
                                QRect destination, QRect source = QRect());
void DrawBitmapRectLeavingColour(QPainter& peintre, int x, int y, QRect source, const QImage& image,
                                 CouleurTransparente transparent);

// A new image of the bitmap's size in the background colour where the bitmap's pixels of
// `contour` show in the shadow colour, with the highlight one pixel down-right under them when
// asked.
QImage MakeEmbossedBitmapEx(const QImage& image, QColor contour, QColor fond, QColor lumiere, QColor ombre,
                            bool avecLumiere);
// The same on the button face, highlight drawn.
QImage MakeEmbossedBitmap(const QImage& image, QColor contour);

// The colour's RGB value with the palette-relative bit set.
inline int32_t PaletteRelativeColour(int32_t couleur) { return (couleur & 0x00FFFFFF) | 0x02000000; }
inline int RectWidth(QRect r) { return r.width(); }
inline int RectHeight(QRect r) { return r.height(); }

// The text when it fits `largeurMax` on the canvas's font; otherwise its first characters
// followed by "...", as many as fit; "..." at the shortest.
std::string ShortenText(std::string_view texte, platform::Canevas& canevas, int largeurMax);

// The word of a command line from position `pos` on (moved past it): blanks and control
// characters before it are skipped, double quotes open and close parts that may hold blanks and
// are not kept.
std::string NextCommandWord(std::string_view ligne, std::size_t& pos);
int CommandWordCount(std::string_view ligne);
// Word `indice` (0 = the first), empty when there is none.
std::string CommandWord(std::string_view ligne, int indice);
// The first word, and the others joined by single blanks (a word holding a blank back in
// double quotes).
std::pair<std::string, std::string> SplitProgramAndParams(std::string_view ligne);

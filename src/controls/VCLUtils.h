#pragma once
// Small drawing and text helpers of the component library: a bitmap drawn with one colour left
// out, the embossed look of a disabled glyph, a parent's image painted behind a transparent
// control, text shortened with an ellipsis, a command line split into words, and a few
// message and memory utilities.
#include "platform/Canevas.h"

#include <QColor>
#include <QEvent>
#include <QImage>
#include <QRect>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

class QObject;
class QPainter;
class QString;
class QWidget;

// The class library's silent exception: the current operation is abandoned and nothing is
// shown (the message, if any, was shown before).
class EAbort : public std::runtime_error {
public:
    EAbort() : std::runtime_error("Operation aborted") {}
};

// Paints into `peintre` (whose origin is the control's top-left corner) what lies behind
// `controle`: its parent's own background, then the parent's children below it in the stacking
// order that overlap it. Nothing without a parent.
void PaintParentBehind(const QWidget& controle, QPainter& peintre);

// Copies `source` of the image stretched onto `destination`, leaving out the pixels of
// `transparent` (its alpha ignored); pixels are repeated or dropped, never blended.
void BlitLeavingColour(QPainter& peintre, QRect destination, const QImage& image, QRect source, QRgb transparent);

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

// Draws the shape of image `indice` of the list (its opaque pixels) at (x, y) in `gris`, over the
// same shape one pixel down-right in `lumiere` when asked: the disabled look of an image-list
// image. An index outside the list draws nothing.
void DrawImageEmbossed(QPainter& peintre, const std::vector<QImage>& liste, int x, int y, int indice,
                       QColor lumiere, QColor gris, bool avecLumiere);

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

// The library's stop for operations it does not implement: the default cursor comes back, an
// information box says "Fonction non encore implémentée", then EAbort is thrown.
[[noreturn]] void ShowNotImplemented();
// The box ShowNotImplemented shows (tests put their own).
std::function<void(const QString& texte)>& BoiteNonImplemente();

// Removes the posted events of `type` waiting for `destinataire` (for every object when null).
// Qt can only take back the events posted through its queue, and all of that type at once; a
// quit taken out is posted again, so that the program still ends.
void DropPendingMessage(QObject* destinataire, QEvent::Type type);

// True when the active window is one of this program's.
bool ActiveWindowIsOurs();

// Memory utilities. A zero-filled block of `taille` bytes; none (empty) below 1.
std::vector<std::byte> AllocMemo(long long taille);
// Releases the block and leaves the caller's reference empty.
void FreeMemo(std::vector<std::byte>& bloc);
// Whether the first `n` bytes of the two blocks are equal.
bool CompareMem(const void* a, const void* b, std::size_t n);
inline const void* OffsetPointer(const void* p, std::ptrdiff_t decalage)
{
    return static_cast<const std::byte*>(p) + decalage;
}
void CopyMem(const void* source, void* destination, std::size_t n);

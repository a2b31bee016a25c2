#pragma once
// Writing half of the GIF picture: LZW encoding of indexed bitmaps, the graphic control
// extension kept in step with each frame, the file assembly, and the reduction of true-colour
// bitmaps to at most 256 colours. Headless, like the reader.
#include "controls/KxGIF.h"

#include <cstdint>
#include <vector>

// Colour-reduction methods.
enum : uint8_t {
    ReductionPopularite = 0,   // most frequent colours, found through a colour hash
    ReductionMedianCut = 1,
    ReductionFixe784 = 2,      // 7 red x 8 green x 4 blue levels
    ReductionFixe666 = 3,      // 6 levels per channel
    ReductionBandes = 4,       // each pixel shows one channel, by column and row
    ReductionGris = 5,         // 256 grey levels
};

// The unit-wide method used when a caller names none.
extern uint8_t MethodeReductionParDefaut;

// The whole GIF file, assembled in memory; with `avecLongueur` a 32-bit byte count comes first.
std::vector<uint8_t> WriteGIFStream(TGIFImage& image, bool avecLongueur);

// LZW code of an indexed bitmap (1, 4 or 8 bits): the minimum-code-size byte, the data
// sub-blocks and the zero terminator.
std::vector<uint8_t> EncodeGIFLZW(const ImagePixels& bmp, bool interlaced, const ProgressionGIF& progression = {});

// A bitmap reduced to `bits` bits per pixel (1, 4, 8 or 24) by `methode`. Raises
// EInvalidGraphic for an empty bitmap, EFonctionNonImplementee for other depths.
ImagePixels QuantizeToPalette(const ImagePixels& bitmap, int bits, uint8_t methode);
// Depth picked from a colour count (2 -> 1 bit, 16 -> 4, 256 -> 8, else 24), default method.
ImagePixels QuantizeToPalette(const ImagePixels& bitmap, int nombreCouleurs);

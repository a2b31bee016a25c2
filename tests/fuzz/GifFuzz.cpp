// GIF pictures: any bytes give a refusal or frames whose bitmaps hold exactly their pixels,
// each a valid palette index; and a picture that was read is one the writer stores and the
// reader takes back with the same frames.
#include "LimitesPartition.h"
#include "controls/KxGIF.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace {

void VerifierTrames(TGIFImage& image)
{
    for (const auto& trame : image.frames) {
        const ImagePixels& bmp = trame->DecodeBitmap();
        if (trame->EncodedVide())
            continue;
        if (bmp.largeur != trame->item->width || bmp.hauteur != trame->item->height)
            fuzz::Violation("frame size", bmp.largeur, bmp.hauteur);
        if (static_cast<int64_t>(bmp.indices.size()) != int64_t(bmp.largeur) * bmp.hauteur)
            fuzz::Violation("frame pixel count", static_cast<int>(bmp.indices.size()));
        if (bmp.bitsParPixel < 1 || bmp.bitsParPixel > 8 || bmp.palette.size() != (std::size_t{1} << bmp.bitsParPixel))
            fuzz::Violation("frame palette", bmp.bitsParPixel, static_cast<int>(bmp.palette.size()));
        for (const uint8_t indice : bmp.indices)
            if (indice >= bmp.palette.size())
                fuzz::Violation("pixel outside the palette", indice);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* octets, std::size_t taille)
{
    TGIFImage image;
    try {
        image.LoadFromBytes(octets, taille, false);
        VerifierTrames(image);
    } catch (const EInvalidGraphicOperation&) {
        return 0;
    }
    std::vector<uint8_t> copie;
    try {
        copie = image.SaveToStream();
    } catch (const EInvalidGraphicOperation&) {
        return 0; // nothing to write
    }
    TGIFImage relue;
    try {
        relue.LoadFromBytes(copie.data(), copie.size(), false);
    } catch (const EInvalidGraphicOperation&) {
        fuzz::Violation("a stored picture is refused");
    }
    if (relue.frames.size() != image.frames.size())
        fuzz::Violation("a stored picture lost frames", static_cast<int>(image.frames.size()),
                        static_cast<int>(relue.frames.size()));
    VerifierTrames(relue);
    return 0;
}

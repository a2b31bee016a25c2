// Icon files: any bytes give a refusal or an icon of a size an icon can have, which draws
// anywhere on a bitmap, clipped, without leaving its bytes or the bitmap and without touching
// a pixel outside its place.
#include "ErreursComposants.h"
#include "LimitesPartition.h"
#include "controls/ListeIcones.h"

#include <cstddef>
#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* octets, std::size_t taille)
{
    TIcon icone;
    if (!fuzz::Accepte([&] { icone.LoadFromBytes(std::vector<uint8_t>(octets, octets + taille)); }))
        return 0;
    if (icone.Largeur() < 1 || icone.Largeur() > 256 || icone.Hauteur() < 1 || icone.Hauteur() > 256)
        fuzz::Violation("icon size", icone.Largeur(), icone.Hauteur());
    constexpr int32_t kLargeur = 48, kHauteur = 40, kCote = 256;
    const platform::Couleur vide(1, 2, 3);
    for (const auto& [x, y] : {std::pair{0, 0}, std::pair{-17, 9}, std::pair{30, -3}, std::pair{47, 39},
                               std::pair{-kCote, 0}, std::pair{kLargeur, kHauteur}}) {
        ImagePixels fond = ImagePixels::Couleurs(kLargeur, kHauteur, vide);
        icone.Dessiner(fond, x, y);
        if (fond.couleurs.size() != std::size_t{kLargeur} * kHauteur)
            fuzz::Violation("drawing resized the bitmap");
        // No icon image is wider or taller than 256 pixels: whatever lies outside that square at
        // (x, y) is left as it was, a clip that wraps into the next row included.
        for (int32_t r = 0; r < kHauteur; ++r)
            for (int32_t c = 0; c < kLargeur; ++c)
                if ((c < x || r < y || c >= x + kCote || r >= y + kCote) &&
                    fond.couleurs[std::size_t(r) * kLargeur + std::size_t(c)] != vide)
                    fuzz::Violation("drawing outside the icon", x, c, r);
    }
    return 0;
}

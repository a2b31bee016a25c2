// Icon files: any bytes give a refusal or an icon of a size an icon can have, which draws
// anywhere on a bitmap, clipped, without leaving its bytes or the bitmap.
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
    ImagePixels fond = ImagePixels::Couleurs(48, 40);
    for (const auto& [x, y] : {std::pair{0, 0}, std::pair{-17, 9}, std::pair{30, -3}, std::pair{47, 39}})
        icone.Dessiner(fond, x, y);
    if (fond.couleurs.size() != 48u * 40u)
        fuzz::Violation("drawing resized the bitmap");
    return 0;
}

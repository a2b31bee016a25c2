// Animated cursors (RIFF "ACON"): any bytes give a refusal or frames that hand on as an icon,
// an icon list, a strip bitmap and a GIF picture without leaving their bytes.
#include "ErreursComposants.h"
#include "LimitesPartition.h"
#include "controls/KxGIF.h"
#include "controls/ListeIcones.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* octets, std::size_t taille)
{
    TAnimatedCursorImage curseur;
    if (!fuzz::Accepte([&] { curseur.LoadFromStream(octets, taille); }))
        return 0;
    if (curseur.title.size() > 255 || curseur.author.size() > 255)
        fuzz::Violation("cursor texts", static_cast<int>(curseur.title.size()), static_cast<int>(curseur.author.size()));
    TIcon icone;
    fuzz::Accepte([&] { curseur.AssignTo(icone); });
    TIconList liste;
    if (fuzz::Accepte([&] { curseur.AssignTo(liste); }) && liste.Count() > curseur.FrameCount())
        fuzz::Violation("more icons than frames", liste.Count(), curseur.FrameCount());
    ImagePixels bande;
    fuzz::Accepte([&] { curseur.AssignTo(bande); });
    for (const bool versLeBas : {false, true}) {
        ImagePixels strip;
        fuzz::Accepte([&] { curseur.DrawStrip(strip, clNone, versLeBas, !versLeBas); });
    }
    TGIFImage gif;
    fuzz::Accepte([&] { gif.Assign(curseur); });
    return 0;
}

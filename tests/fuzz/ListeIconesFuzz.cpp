// The icon-list property stream: any bytes give a refusal or a list that streams out and back
// in unchanged.
#include "ErreursComposants.h"
#include "LimitesPartition.h"
#include "controls/ListeIcones.h"

#include <cstddef>
#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* octets, std::size_t taille)
{
    TIconList liste;
    if (!fuzz::Accepte([&] { liste.ReadIcons(std::vector<uint8_t>(octets, octets + taille)); }))
        return 0;
    const std::vector<uint8_t> flux = liste.WriteIcons();
    TIconList relue;
    if (!fuzz::Accepte([&] { relue.ReadIcons(flux); }))
        fuzz::Violation("a written icon list is refused");
    if (relue.Count() != liste.Count())
        fuzz::Violation("icon count", liste.Count(), relue.Count());
    for (int i = 0; i < liste.Count(); ++i)
        if (relue.Get(i)->Octets() != liste.Get(i)->Octets())
            fuzz::Violation("icon changed by streaming", i);
    return 0;
}

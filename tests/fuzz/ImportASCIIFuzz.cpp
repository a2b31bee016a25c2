// The text-tablature import: any text gives a song within the song record's limits, whatever
// the duration mode, the dashes per quarter note, the track and its string count, never more
// beats in a measure than the import hands out, and no fret the track cannot hold.
#include "LimitesPartition.h"
#include "document/Configuration.h"
#include "document/Langue.h"
#include "document/Routines.h"
#include "document/Variable.h"
#include "print/ImportASCII.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* octets, std::size_t taille)
{
    ReinitialiserPartition();
    // The settings come from the input's size, so that the text itself stays a plain text file.
    Configuration.TypeImport = static_cast<int32_t>(taille % 5);
    Configuration.NbTirets = static_cast<int32_t>(taille / 5 % 8);
    PisteCourante = static_cast<int32_t>(taille / 40 % kNbPistes) + 1;
    Partition.NbCordes[PisteCourante] = static_cast<int32_t>(taille / 320 % 3) + 4;

    ImporterASCII(DecouperLignes(std::string_view(reinterpret_cast<const char*>(octets), taille)));

    fuzz::VerifierLimitesPartition();
    for (int32_t m = 1; m <= Partition.NbMesures; ++m) {
        const TMesure& mesure = *Partition.Mesures[m];
        if (mesure.NbTemps[PisteCourante] > NbTempsMaxImportASCII)
            fuzz::Violation("beats of an imported measure", m, mesure.NbTemps[PisteCourante]);
        for (int32_t b = 1; b <= mesure.NbTemps[PisteCourante]; ++b)
            for (int32_t s = 1; s <= Partition.NbCordes[PisteCourante]; ++s) {
                const int32_t f = mesure.Temps[PisteCourante][b].Notes[s].Frette;
                if (f > FretteMax[PisteCourante] && f != kNoteMorte)
                    fuzz::Violation("fret beyond the track", m, b, f);
            }
    }
    return 0;
}

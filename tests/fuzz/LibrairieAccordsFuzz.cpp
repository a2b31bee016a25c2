// The chord-library section of the settings file: any value gives a library of at most 200
// chords, each one the library can store again as it was read.
#include "FichierFuzz.h"
#include "LimitesPartition.h"
#include "document/LibrairieAccords.h"
#include "document/Variable.h"
#include "platform/FichierIni.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* octets, std::size_t taille)
{
    // The input is the body of the section.
    const platform::FichierIni ini(fuzz::EcrireFichierTemporaire(octets, taille, "[ChordsLib]\r\n"));
    LireLibrairieAccords(ini);
    if (NbLibrairieAccords < 0 || NbLibrairieAccords > kNbLibrairieAccordsMax)
        fuzz::Violation("chord library size", NbLibrairieAccords);
    for (int32_t i = 1; i <= NbLibrairieAccords; ++i) {
        if (!LibrairieAccords[i])
            fuzz::Violation("missing library chord", i);
        const auto relu = DecoderAccordLibrairie(CoderAccordLibrairie(*LibrairieAccords[i]));
        if (!relu || !(*relu == *LibrairieAccords[i]))
            fuzz::Violation("a library chord does not survive being stored again", i);
    }
    return 0;
}

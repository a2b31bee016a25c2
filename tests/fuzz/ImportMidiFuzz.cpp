// libFuzzer target for the MIDI import: any bytes must give a refusal, or a song built from
// them within the song record's limits, never a crash, a read or write outside a buffer, or a
// hang. Build and run with clang:
//
//   clang++ -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -Isrc \
//       tests/fuzz/ImportMidiFuzz.cpp src/document/*.cpp src/platform/*.cpp \
//       src/midi/LectureMidi.cpp src/midi/EvtImport.cpp src/midi/Quantification.cpp \
//       src/midi/ConstructionTemps.cpp src/midi/Doigte.cpp src/midi/CompleterMesure.cpp \
//       -o import_midi_fuzz
//   ./import_midi_fuzz -max_total_time=60 -rss_limit_mb=4096
#include "document/Routines.h"
#include "document/Variable.h"
#include "midi/CompleterMesure.h"
#include "midi/ConstructionTemps.h"
#include "midi/Doigte.h"
#include "midi/EvtImport.h"
#include "midi/LectureMidi.h"
#include "midi/Quantification.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* octets, std::size_t taille)
{
    TFichierMidi f;
    if (AnalyserFichierMidi(std::vector<uint8_t>(octets, octets + taille), f) != ResultatLectureMidi::Ok)
        return 0;
    ReinitialiserPartition();
    LireTempoEtSignatures(f, 0);
    for (std::size_t k = 0; k < f.Pistes.size() && k < 8; ++k) {
        PisteCourante = static_cast<int32_t>(k) + 1;
        if (!LireNotesPiste(f, k, k % 2 ? 12 : 0, static_cast<int32_t>(k % 3)))
            std::abort(); // the structure was checked: reading the notes cannot fail
        SupprimerSilencesFinaux();
        QuantifierEvtImport(k % 2 ? 16 : 4);
        ConstruirePisteDepuisEvt();
        DoigterPiste();
    }
    for (int32_t t = 1; t <= 8; ++t)
        for (int32_t m = 1; m <= Partition.NbMesures; ++m) {
            CompleterMesureParSilences(t, m);
            if (Partition.Mesures[m]->NbTemps[t] > kNbTempsSaisis + 1)
                std::abort();
        }
    if (Partition.NbMesures < 1 || Partition.NbMesures > kNbMesuresMax)
        std::abort();
    return 0;
}

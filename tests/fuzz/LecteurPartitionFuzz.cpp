// libFuzzer target for the song-file reader: any bytes must give a song or a refusal, never a
// crash, a read or write outside the song record, or a hang. Build and run with clang:
//
//   clang++ -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -Isrc \
//       tests/fuzz/LecteurPartitionFuzz.cpp src/document/*.cpp src/platform/*.cpp -o lecteur_fuzz
//   ./lecteur_fuzz -max_total_time=60 -rss_limit_mb=4096 tests/document/data
//
// The seed corpus is the song files of tests/document/data.
#include "document/FichierPartition.h"
#include "document/Routines.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* octets, std::size_t taille)
{
    ReinitialiserPartition();
    DecoderFichierPartition(octets, taille);
    return 0;
}

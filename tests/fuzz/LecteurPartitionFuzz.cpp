// The song-file reader: any bytes give a refusal or a song within the song record's limits,
// and a song it accepts is one the writer stores and the reader takes back unchanged.
#include "LimitesPartition.h"
#include "document/FichierPartition.h"
#include "document/Routines.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* octets, std::size_t taille)
{
    ReinitialiserPartition();
    if (DecoderFichierPartition(octets, taille) != ResultatLecture::Lue)
        return 0;
    fuzz::VerifierLimitesPartition();

    const std::vector<uint8_t> image = ImageFichierPartition();
    ReinitialiserPartition();
    if (DecoderFichierPartition(image.data(), image.size()) != ResultatLecture::Lue)
        fuzz::Violation("a song read back from its own image is refused");
    if (ImageFichierPartition() != image)
        fuzz::Violation("a song read back from its own image changed");
    return 0;
}

// Wave sounds: any bytes give a refusal or a format whose samples lie inside the image, read
// as whole frames; the component's streamed properties give a refusal or data that streams
// out and back in unchanged.
#include "LimitesPartition.h"
#include "controls/UWave.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <sstream>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* octets, std::size_t taille)
{
    const std::span<const uint8_t> image(octets, taille);
    if (const auto format = AnalyserWave(image)) {
        if (uint64_t{format->DebutDonnees} + format->TailleDonnees > taille)
            fuzz::Violation("samples outside the image", static_cast<int>(format->DebutDonnees),
                            static_cast<int>(format->TailleDonnees));
        if (format->Canaux < 1 || format->Canaux > 2 || format->AlignementBloc == 0)
            fuzz::Violation("wave format", format->Canaux, format->AlignementBloc);
        const auto echantillons = EchantillonsWave(image, *format);
        if (echantillons.size() != std::size_t{format->NbTrames()} * format->Canaux)
            fuzz::Violation("sample count", static_cast<int>(echantillons.size()));
    }

    std::istringstream flux(std::string(reinterpret_cast<const char*>(octets), taille));
    TWave wave;
    if (!wave.LireProprietes(flux))
        return 0;
    std::ostringstream sortie;
    wave.EcrireProprietes(sortie);
    std::istringstream retour(sortie.str());
    TWave relue;
    if (!relue.LireProprietes(retour))
        fuzz::Violation("written wave properties are refused");
    const auto a = wave.WaveData().Buffer(), b = relue.WaveData().Buffer();
    if (!std::equal(a.begin(), a.end(), b.begin(), b.end()))
        fuzz::Violation("wave data changed by streaming");
    return 0;
}

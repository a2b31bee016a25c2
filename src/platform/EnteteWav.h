#pragma once
// The 44-byte header of a plain 16-bit PCM wave: what every wave the program writes (the wave
// output's file stand-in, the synthesizer's file driver, the splash tune) starts with.
#include <array>
#include <cstdint>

namespace platform {

inline std::array<uint8_t, 44> EnteteWavPcm16(uint16_t canaux, uint32_t frequence, uint32_t octetsDonnees)
{
    std::array<uint8_t, 44> o{};
    std::size_t n = 0;
    const auto texte = [&](const char* s) {
        for (int k = 0; k < 4; ++k)
            o[n++] = static_cast<uint8_t>(s[k]);
    };
    const auto mot = [&](uint32_t v, int octets) {
        for (int k = 0; k < octets; ++k)
            o[n++] = static_cast<uint8_t>(v >> (8 * k));
    };
    texte("RIFF");
    mot(36 + octetsDonnees, 4);
    texte("WAVE");
    texte("fmt ");
    mot(16, 4);
    mot(1, 2); // PCM
    mot(canaux, 2);
    mot(frequence, 4);
    mot(frequence * canaux * 2u, 4);
    mot(canaux * 2u, 2);
    mot(16, 2);
    texte("data");
    mot(octetsDonnees, 4);
    return o;
}

} // namespace platform

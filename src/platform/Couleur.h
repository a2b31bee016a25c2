#pragma once
// A drawing colour. Settings files and the configuration records keep colours as the Windows
// integer red + 256 * green + 65536 * blue; Valeur() and DeValeur() convert to and from it.
#include <cstdint>

namespace platform {

struct Couleur {
    uint8_t r = 0;
    uint8_t g = 0;
    uint8_t b = 0;

    constexpr Couleur() = default;
    // Components outside 0..255 keep their low eight bits.
    constexpr Couleur(int rouge, int vert, int bleu)
        : r(static_cast<uint8_t>(rouge & 0xFF)), g(static_cast<uint8_t>(vert & 0xFF)),
          b(static_cast<uint8_t>(bleu & 0xFF))
    {
    }

    // The high byte of the integer (system colour flags) is ignored.
    static constexpr Couleur DeValeur(int32_t valeur)
    {
        const auto v = static_cast<uint32_t>(valeur);
        return Couleur(static_cast<int>(v & 0xFF), static_cast<int>((v >> 8) & 0xFF),
                       static_cast<int>((v >> 16) & 0xFF));
    }
    constexpr int32_t Valeur() const { return r + 256 * g + 65536 * b; }

    friend constexpr bool operator==(Couleur, Couleur) = default;
};

// The basic colours under the names the class library gave them.
inline constexpr Couleur clBlack{0, 0, 0};
inline constexpr Couleur clMaroon{128, 0, 0};
inline constexpr Couleur clGreen{0, 128, 0};
inline constexpr Couleur clOlive{128, 128, 0};
inline constexpr Couleur clNavy{0, 0, 128};
inline constexpr Couleur clPurple{128, 0, 128};
inline constexpr Couleur clTeal{0, 128, 128};
inline constexpr Couleur clGray{128, 128, 128};
inline constexpr Couleur clSilver{192, 192, 192};
inline constexpr Couleur clRed{255, 0, 0};
inline constexpr Couleur clLime{0, 255, 0};
inline constexpr Couleur clYellow{255, 255, 0};
inline constexpr Couleur clBlue{0, 0, 255};
inline constexpr Couleur clFuchsia{255, 0, 255};
inline constexpr Couleur clAqua{0, 255, 255};
inline constexpr Couleur clWhite{255, 255, 255};

} // namespace platform

#include "platform/Cp1252.h"

#include <cstdint>

namespace platform {

namespace {

// Code points of bytes 0x80..0x9F; the rest of the page equals Latin-1.
constexpr char32_t kHaut[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void AjouterUtf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

char VersOctet(char32_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return static_cast<char>(c);
    for (int i = 0; i < 32; ++i)
        if (kHaut[i] == c)
            return static_cast<char>(0x80 + i);
    return '?';
}

} // namespace

std::string Cp1252VersUtf8(std::string_view octets)
{
    std::string out;
    out.reserve(octets.size());
    for (unsigned char b : octets)
        AjouterUtf8(out, b >= 0x80 && b < 0xA0 ? kHaut[b - 0x80] : char32_t(b));
    return out;
}

std::string Utf8VersCp1252(std::string_view s)
{
    std::string out;
    out.reserve(s.size());
    size_t i = 0;
    while (i < s.size()) {
        const auto b = static_cast<unsigned char>(s[i]);
        int longueur = b < 0x80 ? 1 : (b >> 5) == 0x6 ? 2 : (b >> 4) == 0xE ? 3 : (b >> 3) == 0x1E ? 4 : 0;
        if (longueur == 0 || i + longueur > s.size()) {
            out += '?';
            ++i;
            continue;
        }
        char32_t c = longueur == 1 ? b : longueur == 2 ? (b & 0x1F) : longueur == 3 ? (b & 0x0F) : (b & 0x07);
        bool valide = true;
        for (int k = 1; k < longueur; ++k) {
            const auto suite = static_cast<unsigned char>(s[i + k]);
            if ((suite & 0xC0) != 0x80)
                valide = false;
            c = (c << 6) | (suite & 0x3F);
        }
        if (!valide) {
            out += '?';
            ++i;
            continue;
        }
        out += VersOctet(c);
        i += longueur;
    }
    return out;
}

} // namespace platform

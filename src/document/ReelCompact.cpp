#include "document/ReelCompact.h"

#include <algorithm>
#include <array>
#include <bit>
#include <mutex>
#include <unordered_map>

namespace {

constexpr unsigned kTailleTable = 0x10000u - ReelCompact::kPremierCodeTable;

// A fixed array rather than a growing one: a reader (playback, drawing) never meets a table
// being moved, and the entries never used cost no memory.
std::array<double, kTailleTable> table;

struct Index {
    std::mutex verrou;
    std::unordered_map<uint64_t, uint16_t> parBits; // the bits of a value: its entry
};

Index& IndexTable()
{
    static Index index;
    return index;
}

} // namespace

uint16_t ReelCompact::CoderHorsGrille(double valeur)
{
    Index& index = IndexTable();
    const std::lock_guard verrou(index.verrou);
    // By the bits, so that -0.0 and every NaN read back as they were.
    const auto bits = std::bit_cast<uint64_t>(valeur);
    if (const auto trouve = index.parBits.find(bits); trouve != index.parBits.end())
        return static_cast<uint16_t>(kPremierCodeTable + trouve->second);
    const auto entree = index.parBits.size();
    if (entree < kTailleTable) {
        table[entree] = valeur;
        index.parBits.emplace(bits, static_cast<uint16_t>(entree));
        return static_cast<uint16_t>(kPremierCodeTable + entree);
    }
    if (std::isnan(valeur))
        return 0;
    return static_cast<uint16_t>(std::clamp(std::nearbyint(valeur * kGrille), 0.0, kPremierCodeTable - 1.0));
}

double ReelCompact::ValeurDeTable(unsigned entree) { return table[entree]; }

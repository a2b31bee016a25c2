#pragma once
// Rounding as the song files and layouts were computed with: halves go to the even
// neighbour (Round(0.5) = 0, Round(22.5) = 22), never away from zero.
#include <cmath>
#include <cstdint>

namespace platform {

inline int64_t Round(double x) { return static_cast<int64_t>(std::nearbyint(x)); }
inline int64_t Trunc(double x) { return static_cast<int64_t>(std::trunc(x)); }

} // namespace platform

#pragma once
// The play order: the measures of the song in the order they sound, with repeats and
// alternate endings unfolded. Built before every playback and export.
#include <cstdint>
#include <vector>

// Measure numbers in playing order, entries 1..NbOrdreLecture (index 0 unused). An empty
// order means there is nothing to play.
extern std::vector<int32_t> OrdreLecture;
extern int32_t NbOrdreLecture;

// The unfolding never grows beyond this: every repeat of a song of 1000 measures played 128
// times (the most a repeat count can hold) fits.
inline constexpr int32_t LimiteOrdreLecture = 128000;

// Fills the order for the measures premiere..derniere; with repetitions false the repeat and
// ending marks are ignored. Always true.
bool ConstruireOrdreLecture(int32_t premiere, int32_t derniere, bool repetitions);

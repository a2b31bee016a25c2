#pragma once
// The larger and the smaller of two signed 32-bit integers. Max is shared with the frame
// routines, which already declare it.
#include "controls/Cadres.h"

inline int Min(int a, int b) { return a < b ? a : b; }

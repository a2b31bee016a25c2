#pragma once
// Completing a track's part of a measure with rests, after a track was rebuilt from note
// events (MIDI import) or by the complete/reduce assistant.
#include <cstdint>

// Removes the rests that close the track's part of the measure, then appends rests of the
// standard values, longest first (wholes as often as they fit, then at most one of each value
// down to the sixty-fourth, never dotted, never triplets), so that the part adds up to the
// measure's nominal length whenever that length is a sum of such values. A part that is
// exactly full is left alone; a part that is too full only loses its closing rests. A closing
// rest that carries a text, a chord or a mix-table change stays, and so do the beats it
// follows. What is left below a sixty-fourth, or does not fit in the 64 beats of a part, stays
// missing.
void CompleterMesureParSilences(int32_t piste, int32_t mesure);

// Sum of the track's beat lengths in the measure, in ticks.
int64_t TicksPisteMesure(int32_t piste, int32_t mesure);

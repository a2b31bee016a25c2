#pragma once
// Quantising the note list of a MIDI import to a grid of 1/q quarter note.
#include <cstdint>

// Quantises the NbEvtImport entries of the trimmed list (after SupprimerSilencesFinaux) and
// sets DureeTotaleImport. Every entry ends on the grid point nearest to its unquantised end,
// so rounding errors never add up; a note never shrinks to nothing in front of a rest. A grid
// below 1 is taken as 4.
void QuantifierEvtImport(int32_t q);

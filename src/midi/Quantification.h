#pragma once
// Quantising the note list of a MIDI import to a grid of 1/q quarter note.
#include <cstdint>

// Quantises the NbEvtImport entries of the trimmed list (after SupprimerSilencesFinaux) and
// sets DureeTotaleImport. Every entry ends on the grid point nearest to its unquantised end
// (the earlier one at half-way), so every group starts at its quantised onset and rounding
// errors never add up. A note that
// rounds to nothing takes one step from a rest right after it, or grows at the end of the
// list; elsewhere it sounds together with the next group (it never pushes it). A grid below 1
// is taken as 4.
void QuantifierEvtImport(int32_t q);

// Where the quantiser puts a time of the unquantised list (quarter notes from its start) on
// the grid of 1/q quarter note: the notes an import leaves out before quantising are told in
// the measure they would have had.
double PositionQuantifiee(double position, int32_t q);

#pragma once
// Printed rhythm: rests as glyphs in the staff, stems from the fret numbers down to the beam
// line below the staff, beams and stubs along that line, rhythm dots, triplet brackets and
// ties under the beams. Beats are those of the current track in measure MesureEnCours; their
// x is XImp, already on the line.
//
// The beam line yB lies one string spacing plus LongueurHampe below the bottom string; beam k
// (1, 2...) is EpaisseurCrochet thick, its bottom EcartCrochets * (k - 1) above yB.
#include <cstdint>

// The rest glyph of beat b (duration code -2 whole .. 4 sixty-fourth; longer codes draw four
// flags, shorter ones nothing).
void ImprimerSilence(int32_t b, int code);
// Stems of beat b (the segments joining the notes of a spread chord, then the stem to yB).
void ImprimerHampes(int32_t b);
// Beams, stubs and the rhythm dot of beat b.
void ImprimerCroches(int32_t b);
// The triplet bracket starting at beat b of measure m.
void ImprimerTriolet(int32_t m, int32_t b);
// The tie ending at beat b of measure m, from the beat it is tied to (or from the line's
// start when that beat is on an earlier line).
void ImprimerLiaisons(int32_t m, int32_t b);

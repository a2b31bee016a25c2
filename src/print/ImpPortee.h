#pragma once
// Printed staff furniture: string lines, plain, double and repeat barlines with their dots and
// repeat count, alternate-ending brackets, time signatures, the measure number at the start
// of a line and the tuning names before the first measure.
//
// x is a score x (from the left working margin), y the top string of the line (PosY), both
// in print millimetres. Two "side" codes differ on purpose: ImprimerBarreMesure takes
// 1 = the bar ends at x (left of it) and 2 = it starts at x, while ImprimerDoubleBarre and
// ImprimerBarreRenvoi take 1 = start of the score or of a repeat, 2 = end.
#include "editor/PlacementTextes.h"
#include "platform/Canevas.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The string lines of one measure, from xDebut to xFin.
void ImprimerCordes(double xDebut, double xFin, double y);
// kind 1 thin, 2 thick; side 1 ends at x, 2 starts at x.
void ImprimerBarreMesure(int kind, int side, double y, double x);
// A filled dot of radius r centred on (x, y); y from the page top.
void ImprimerPoint(double x, double y, double rayon);
// fin 1 start of the score, 2 end: the thick bar outermost, the thin one inward.
void ImprimerDoubleBarre(int fin, double y, double x);
// fin 1 repeat start, 2 repeat end: the double bar and two dots, and at an end the repeat
// count of MesureEnCours when it is above 1 ("3x").
void ImprimerBarreRenvoi(int fin, double y, double x);
// How much further left than a plain bar the closing bar of measure `mesure` reaches: the
// double bar that ends the song, or a repeat's with its dots.
double RetraitBarreFinImpr(int32_t mesure);
// From the x of a measure's right bar, clear of the closing bar, double bar or repeat sign.
double RetraitMarquesFinImpr(int32_t mesure);
// The alternate-ending bracket of measure `mesure` starting at x, labelled for `numero`, its
// line at `haut` (print mm; by default at its usual height over the staff).
void ImprimerFinAlternative(int32_t mesure, int32_t numero, double y, double x,
                            std::optional<double> haut = std::nullopt);
// Where the line of the ending bracket of measure `mesure` goes on the line of measures
// premiere..derniere at PosY, print mm: at its usual height, or over the diagrams (measured on
// c) it would meet there, with half a millimetre between.
double HautFinAlternative(platform::Canevas* c, int32_t mesure, int32_t premiere, int32_t derniere);
// The ink of that bracket on that line, device pixels measured on c (whose font it changes):
// its hook and its line, at the height HautFinAlternative gives, and its number's cell.
std::vector<TZoneEncre> ZonesFinAlternative(platform::Canevas& c, int32_t mesure, int32_t numero, int32_t premiere,
                                            int32_t derniere);
// Where the number of that bracket ends, from its hook, print mm, measured on c (whose font it
// changes).
double FinNumeroFinAlternativeImpr(platform::Canevas& c, int32_t mesure, int32_t numero);
// The time signature of measure `mesure` whose bar is at x.
void ImprimerSignature(int32_t mesure, int numerateur, int denominateur, double y, double x);
// The right of the widest of the time signature's numbers, in millimetres from the measure's
// bar: the first beat's frets keep clear of it.
double DroiteSignatureImpr(platform::Canevas& c, int32_t mesure, int numerateur, int denominateur);
// The measure number centred on x above the top string (when measure numbers are printed).
void ImprimerNumeroMesure(int32_t mesure, double x);
// The names of the open strings left of x, unless the track has a standard tuning.
void ImprimerAccordage(double x);

// Whether the current track's tuning is one of the standard ones that print no names.
bool AccordageStandardImpression();
// Note name of a MIDI note, always with sharps: "C", "C#", ... "B".
std::string NomNoteImpression(int32_t note);

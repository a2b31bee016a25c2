#pragma once
// Printed notes: the fret numbers of a beat one string at a time, with their grace notes, and
// the link techniques from a note to the next one (hammer-on and pull-off arcs, slides) or
// after it (bend, bend and release). Beats are those of the current track in measure
// MesureEnCours; x values are score x in print millimetres.
#include "document/Variable.h"
#include "editor/PlacementTextes.h"
#include "platform/Canevas.h"

#include <cstdint>
#include <string>

// The fret text string s of a beat prints: empty in a rest or a tied beat (a tied beat's
// slots keep stale notes the song file does not even save) and for no fret; else the text
// the editor shows (TexteFrette).
std::string TexteFretteImpression(const TTemps& temps, int32_t s);
// The widest of those texts in the canvas's current font.
int LargeurMaxFrettesImpression(platform::Canevas& c, const TTemps& temps);

// String s of beat b (a rest draws its glyph once, with string 1).
void ImprimerNote(int32_t b, int32_t s);

// kind 1 hammer-on, 2 pull-off; x of the beat and of the next one (or x + 8 at the measure's
// end).
void ImprimerHOPO(int32_t s, int32_t b, int kind, double x, double xSuivant);
void ImprimerSlideUp(int32_t s, int32_t b, double x, double xSuivant);
void ImprimerSlideDown(int32_t s, int32_t b, double x, double xSuivant);
void ImprimerBend(int32_t s, int32_t b, double valeur, double x);
void ImprimerBendRelease(int32_t s, int32_t b, double valeur, double x);

// Whether string s of a beat prints a bend or a bend and release (with the beat techniques).
bool AvecBendImpr(const TTemps& temps, int32_t s);
// In device pixels, the cell where the bend of string s of beat b writes its amount before the
// marks of its beat are taken into account (PlacerMarquesImpr), and the box of its strokes,
// measured on c (whose font they change).
TZoneEncre CelluleValeurBendImpr(platform::Canevas& c, int32_t b, int32_t s);
TZoneEncre TraceBendImpr(platform::Canevas& c, int32_t b, int32_t s);

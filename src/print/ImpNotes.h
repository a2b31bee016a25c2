#pragma once
// Printed notes: the fret numbers of a beat one string at a time, with their grace notes, and
// the link techniques from a note to the next one (hammer-on and pull-off arcs, slides) or
// after it (bend, bend and release). Beats are those of the current track in measure
// MesureEnCours; x values are score x in print millimetres.
#include "document/Variable.h"
#include "editor/Disposition.h"
#include "editor/PlacementTextes.h"
#include "platform/Canevas.h"

#include <cstdint>
#include <optional>
#include <string>

// The fret text string s of a beat prints: empty in a rest or a tied beat (a tied beat's
// slots keep stale notes the song file does not even save) and for no fret; else the text
// the editor shows (TexteFrette).
std::string TexteFretteImpression(const TTemps& temps, int32_t s);
// The widest of those texts in the canvas's current font.
int LargeurMaxFrettesImpression(platform::Canevas& c, const TTemps& temps);

// String s of beat b (a rest draws its glyph once, with string 1).
void ImprimerNote(int32_t b, int32_t s);

// The room of a grace note on string s, in device pixels measured on c, from the beats' x: it
// begins 0.2 mm past the previous beat's fret (none when that beat prints no fret there), or,
// on a measure's first beat, DebutPlaceGracePremierTempsImpr millimetres before it, and the
// grace note needs PlaceGraceImpr of it, up to 0.2 mm before its own fret (none without a grace
// note). The layout gives a beat that room, and ImprimerNote puts the grace note there.
std::optional<double> DebutPlaceGraceImpr(platform::Canevas& c, const TTemps& avant, int32_t s);
std::optional<double> PlaceGraceImpr(platform::Canevas& c, const TTemps& temps, int32_t s);
double DebutPlaceGracePremierTempsImpr();

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
// What a beat prints on the staff (into `encre`), in device pixels measured on c, across from
// its x and down from string 1: its fret texts where ImprimerNote writes them, and its bends'
// strokes and amounts where the bends write them (with the effects), a pixel and a half wider
// for where the painter rounds their strokes.
void EncreTempsImpr(platform::Canevas& c, const TTemps& temps, TEncreTemps& encre);

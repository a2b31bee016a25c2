#pragma once
// The score painter's notes and techniques, inside the per-beat loop of Ecran.h: fret texts
// with their grace notes, let-ring frames and dynamic shading; the link techniques from a note
// to the next (hammer-on, pull-off, slides) or after it (bend, bend and release); the beat
// techniques above the staff (strum arrow, vibrato and tremolo-bar waves, vibrato stroke,
// letters); the mix-table mark; the chord name or diagram; the beat's text.
//
// In a measure of wrong length every mark here is drawn in ColBadBar, except the red mark of
// a mix-table change.
#include "editor/Disposition.h"
#include "editor/Ecran.h"
#include "editor/PlacementTextes.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The text of a fret, built without allocating: "" for no note, the decimal fret up to the
// track's limit, "x" above it (a dead note), in parentheses for a ghost note (dynamic below 5).
struct TTexteFrette {
    char Car[8] = {};
    uint8_t Taille = 0;
    std::string_view Vue() const { return {Car, Taille}; }
    bool Vide() const { return Taille == 0; }
};
TTexteFrette TexteFretteCourt(const TNoteCorde& note, int32_t fretteMax);

// The same as a string, for the current track (shared with printing). A string without a note
// gives "" whatever its dynamic.
std::string TexteFrette(const TNoteCorde& note);
std::string TexteFrette(const TNoteCorde& note, int32_t piste);

// The grey of a dynamic with ShowDynamic: 255 - Round(255 d^2 / 64) in each component, with
// d^2 / 64 raised to 3/64 at ppp. A dynamic outside 1..8 (a damaged file) is taken at its
// nearest bound, so the level stays within 0..255.
TCouleur TeinteNuance(int nuance);

// Whether beat b draws string s's note: not in a rest, nor in a tied beat (whose note slots
// may keep stale notes), and only when the string has a fret.
bool NoteVisible(const TTemps& temps, int32_t s);

// The note of string s of beat b (a rest draws its rest glyph once, for s = 1).
void DessinerNote(TContexteEcran& ctx, int32_t b, int32_t s);

// Where the text of a grace note that would start at `gauche` starts, where the room before its
// beat begins at `debut`: past the bar line, repeat sign or time signature on a measure's first
// beat, past the previous beat's fret on its string after another. A grace note longer than
// the room moves right towards its fret rather than run under them, but it stops at
// `gaucheMax`, where it would meet the fret. The score view and print follow the same rule.
inline double GaucheGrace(double gauche, double debut, double gaucheMax)
{
    return std::min(std::max(gauche, debut), std::max(gauche, gaucheMax));
}

// The room of a grace note on string s, measured on ctx.c, from the beats' x: it begins past the
// previous beat's fret and a clear column (none when that beat shows no fret there), or, on a
// measure's first beat, DebutPlaceGracePremierTemps before it, and the grace note needs
// PlaceGrace of it, up to a clear column before its own fret (none without a grace note). The
// layout gives a beat that room, and the painter puts the grace note there.
std::optional<int32_t> DebutPlaceGrace(TContexteEcran& ctx, const TTemps& avant, int32_t s);
std::optional<int32_t> PlaceGrace(TContexteEcran& ctx, const TTemps& temps, int32_t s);
int32_t DebutPlaceGracePremierTemps(const TParamEcran& p);

// What a beat inks on the staff (into `encre`), measured on ctx.c, across from its x and down
// from string 1: its fret texts where DessinerNote writes them, and its bends' strokes and
// amounts where the bends write them, a pixel wider for the half-pixels their strokes round by
// where they stand.
void EncreTemps(TContexteEcran& ctx, const TTemps& temps, TEncreTemps& encre);
// Between the ink of two beats: two clear columns, as the string's gap cut before a fret text
// (kMargeFrette and the column it is written right of) must not reach the fret before it.
inline constexpr int32_t kEcartFrettes = 2;

// From the x of a measure's right bar, clear of the closing bar, double bar or repeat sign.
int32_t RetraitMarquesFin(const TContexteEcran& ctx, int32_t mesure);

// Link marks; x values are line-relative.
void DessinerSlideUp(TContexteEcran& ctx, int32_t x1, int32_t x2, int32_t s);
void DessinerSlideDown(TContexteEcran& ctx, int32_t x1, int32_t x2, int32_t s);
// kind 1 hammer-on, 2 pull-off.
void DessinerHOPO(TContexteEcran& ctx, int32_t x1, int32_t x2, int32_t s, int kind);
// Their amount starts at gaucheValeur at the earliest and stands monteeValeur higher: DessinerNote
// moves it past the fret text of the string above in a double stop, past or over the strokes
// of the beat's other bends, and past a mark of its beat over the staff.
void DessinerBend(TContexteEcran& ctx, int32_t x, int32_t s, double valeur,
                  std::optional<int32_t> gaucheValeur = std::nullopt, int32_t monteeValeur = 0);
void DessinerBendRelease(TContexteEcran& ctx, int32_t x, int32_t s, double valeur,
                         std::optional<int32_t> gaucheValeur = std::nullopt, int32_t monteeValeur = 0);

// The beat's techniques above the staff, its strum and its mix-table mark.
void DessinerEffetsTemps(TContexteEcran& ctx, int32_t b);
// The beat's chord: its name alone, or its diagram (with the name under it).
void DessinerAccord(TContexteEcran& ctx, int32_t b);
// The area the chord diagram shown over a beat inks, with the marks over its strings, its name
// and its base fret; none when the beat shows none.
std::optional<TZoneEncre> ZoneDiagrammeTemps(TContexteEcran& ctx, const TTemps& temps);
// Where the beat texts of measures premiere..derniere (one display line) go, so that none
// covers a chord diagram, an ending's bracket or another text, each beside its beat and within
// its measure, or else up over what it met (PlacementTextes.h); no text ends past largeur.
// `marquesMesures`, where given, are the marks of the line's beats where they stand, by measure.
void PreparerTextesLigne(TContexteEcran& ctx, int32_t premiere, int32_t derniere, int largeur,
                         const std::vector<std::vector<TZoneEncre>>* marquesMesures = nullptr);
// The beat's text above the staff, where PreparerTextesLigne put it.
void DessinerTexteTemps(TContexteEcran& ctx, int32_t b);
// Once the lines are cut: how much every line grows at its top for the texts that go up there
// and for the chord names and diagrams that rise over the marks under them (the score
// painter's MesurerRangeeTextes), 0 when none goes higher than the line has room for; notes
// how far those of each line rise (LignesAffichage.MonteesDessus). Measured on the score view's first
// band picture; 0 without one.
int32_t MesurerRangeeTextes();

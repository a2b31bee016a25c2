#pragma once
// Fingerings of a chord: every combination of muted, open and fretted strings over base
// positions 1 to 20 that sounds exactly the chord's notes over the chosen bass and that a
// hand can play at the chosen level, in the order the chord dialog lists them (position,
// then bass string 6, 5, 4, bass fret, then the strings from 5 up to 1).
#include "document/Accord.h"
#include "document/Variable.h"
#include "editor/TheorieAccords.h"

#include <cstdint>
#include <string_view>
#include <vector>

inline constexpr int kNbSolutionsDoigteMax = 300;
inline constexpr int32_t kNbPositionsDoigte = 20;

// Levels of the search (the configuration's DiagSimpleMoyenTout).
enum : int32_t { kNiveauSimple = 0, kNiveauMoyen = 1, kNiveauTout = 2 };

// Open-string pitches of strings 1..6 (string 1 the highest).
using TAccordageDoigte = OneBased<int32_t, kNbCordesMax>;

// Results of the last search: entries 1..NbSolutionsDoigte; SolutionCourante is the selected
// one (0 = none), SolutionEncadree the one the strip shows framed.
extern OneBased<TAccord, kNbSolutionsDoigteMax> SolutionsDoigte;
extern int32_t NbSolutionsDoigte;
extern int32_t SolutionCourante;
extern int32_t SolutionEncadree;

// The search always looks at six strings: the tuning the song holds for strings 1..6 of the
// current track, whatever its string count.
TAccordageDoigte AccordagePisteCourante();

// What a search needs besides the tuning.
struct TParametresDoigtes {
    std::vector<int32_t> Notes;  // required pitch classes, 2..6 of them
    int32_t Basse = -1;          // pitch class of the lowest string, -1 = none (nothing found)
    int32_t Niveau = kNiveauMoyen;
    int32_t Typ = kTypM;         // the power chord ("5") has rules of its own
    TAccordageDoigte Accordage{};
};

// The distinct pitch classes of the ticked degrees, in degree order. Only degrees that are
// part of the chord count, whatever ticks a loaded record brought along.
std::vector<int32_t> NotesRequises(const TTheorieAccord& theorie);

// Whether a hand can play frets (strings 1..6, -1 muted, 0 open) at base position
// `position` with the bass on string `cordeBasse`, given its barres (NbBarres and the barre
// arrays of `barres`). Frets outside the position's five-fret window are not playable there.
bool DoigteJouable(const std::array<int32_t, 7>& frettes, int32_t position, int32_t cordeBasse,
                   const TAccord& barres, const TParametresDoigtes& parametres);

// Every fingering found, in listing order, without limit: FretteBase is the position,
// Frettes and the barres are set, the other fields keep their defaults.
std::vector<TAccord> RechercherDoigtes(const TParametresDoigtes& parametres);

// The dialog's search: sets the inversion from the bass's place among the required notes
// (none when it is not among them or beyond the fifth inversion), asks for omissions when
// more than six notes are ticked, searches when 2 to 6 are, and keeps the first 300
// fingerings in SolutionsDoigte, each with the name `nom` (the name field's text) and the
// sharp state. SolutionCourante becomes 1 when something was found and no stored chord is
// being loaded, else 0.
void ChercherDoigtes(TTheorieAccord& theorie, int32_t niveau, const TAccordageDoigte& accordage,
                     std::string_view nom, bool chargementAccord);

// The inversion list's choice: the bass becomes the required note at that place; a place that
// does not exist falls back to the root position and the first note. With no required note at
// all there is nothing to choose: the inversion shows none and the bass stays.
void AppliquerRenversement(TTheorieAccord& theorie, int32_t position);

// The working chord becomes fingering `index` (1-based) with the given accidentals; an index
// that is not a found fingering changes nothing.
void PrendreSolution(int32_t index, bool diese);

#pragma once
// The events that shape the notes beyond note on and note off: pitch-wheel curves of slides,
// bends, vibrato, tremolo bar and vibrato stroke, the volume swell of a fade-in, and the
// program, controller and tempo ramps of a mix-table change.
//
// One unit of the pitch-wheel formulas is an eighth of a semitone: with the 8-semitone range
// a semitone is 8 steps of the wheel's high byte, with the 2-semitone range (LimitBend) 32.
#include "midi/uMIDIPile.h"

#include <cstdint>

class cTableMixEvent;

// Techniques by code, as the writer dispatches them.
inline constexpr uint8_t EffetSlideMontant = 0;
inline constexpr uint8_t EffetSlideDescendant = 1;
inline constexpr uint8_t EffetBend = 2;
inline constexpr uint8_t EffetBendRelease = 3;
inline constexpr uint8_t EffetVibrato = 4;
inline constexpr uint8_t EffetTremoloBar = 5;
inline constexpr uint8_t EffetCoupDeVibrato = 6;
inline constexpr uint8_t EffetFadeIn = 7;

// ---- The curves, from explicit values -----------------------------------------------------

// Pitch-bend range of the channel (controller 6 after registered parameter 0), at tick 0.
void AjouterEtendueBend(cMIDIPile& pile, int32_t canal, bool limitBend);

// Slide from `frette` towards `fretteSuivante` (-1: none, then 4 frets up or down).
void CourbeSlide(cMIDIPile& pile, int32_t canal, int64_t debut, int64_t longueur, int32_t frette,
                 int32_t fretteSuivante, bool descendant, bool limitBend);
// Bend of `valeurBend` tones; with retour, bend and release.
void CourbeBend(cMIDIPile& pile, int32_t canal, int64_t debut, int64_t longueur, double valeurBend, bool retour,
                bool limitBend);
// Vibrato, or with tremoloBar the wider swing of the bar.
void CourbeVibrato(cMIDIPile& pile, int32_t canal, int64_t debut, int64_t longueur, bool tremoloBar,
                   bool limitBend);
void CourbeCoupDeVibrato(cMIDIPile& pile, int32_t canal, int64_t debut, int64_t longueur, double valeurCoupVib,
                         bool limitBend);
// Volume swell up to the list's Volume.
void CourbeFadeIn(cMIDIPile& pile, int32_t canal, int64_t debut, int64_t longueur);

// ---- From the song ------------------------------------------------------------------------

// Adds the events of technique `code` of the note on string `corde` of beat (piste, mesure,
// temps), reading its amounts and neighbours from the song and the bend range from the options.
void GenererEffetNote(uint8_t code, cMIDIPile& pile, int32_t canal, int64_t debut, int64_t longueur,
                      int32_t piste, int32_t mesure, int32_t temps, int32_t corde);

// The events of a mix-table change at tick `debut`, on canal1 and, when it differs, canal2.
// Tempo steps also go to PileTempo, except in a speed-trainer pass, which keeps its tempo.
void GenererTableMix(const cTableMixEvent& table, cMIDIPile& pile, int32_t canal1, int32_t canal2, int64_t debut);

// Fret of the next note on the string after the beat, in song order (tied beats skipped);
// -1 when that beat has no note there or the song ends.
int32_t FretteSuivanteSurCorde(int32_t piste, int32_t mesure, int32_t temps, int32_t corde);

// Ticks a let-ring note on the string sounds: until the next note on the string, at most a
// little over a measure.
int64_t DureeResonance(int32_t piste, int32_t mesure, int32_t temps, int32_t corde);

// Moves (mesure, temps) to the next beat of the track in song order, across measures
// without beats; false at the end of the song.
bool TempsSuivantPiste(int32_t piste, int32_t& mesure, int32_t& temps);

// Whether the beat sounds notes of its own: rests and tied beats keep stale notes in memory
// that are never played.
struct TTemps;
bool TempsAvecNotes(const TTemps& temps);

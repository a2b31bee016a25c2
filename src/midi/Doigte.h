#pragma once
// The fingering optimiser: for every beat of the current track (PisteCourante), chooses which
// string plays which of the beat's pitches (its scratch fields HauteursImport /
// NbHauteursImport). It searches every assignment of the pitches to distinct strings, keeps
// those that make the most notes playable, and among them takes the cheapest: the cost weighs
// the stretch of the chord, the hand's distance from the nut, frets beyond the track's fret
// count, the distance to the frets of the up to three beats before, open strings, and at the
// start of a track the position the next beat needs. Ties go to the assignment met first.
//
// Used after a MIDI import (DoigterPiste) and by the transpose and automatic-placement
// assistants (OptimiserPlacementDoigts).
#include "document/Variable.h"
#include "midi/EvtImport.h"

#include <cstdint>

// The eight weights of the cost. The import dialog holds them (its hidden fields) and may set
// them; they are read afresh at every evaluation.
struct TPoidsDoigte {
    double PoidsAccord = 0.5;             // stretch of the chord (exponent factor)
    double PoidsAc1 = 7.0;                // distance to the previous beat
    double PoidsAc2 = 3.0;                // distance to the beat two back
    double PoidsAc3 = 0.0;                // distance to the beat three back
    double PoidsHautManche = 0.35;        // mean hand position
    double PoidsCordeAVide = 0.7;         // open strings against fretted notes
    double PoidsNoteSuivante = 4.0;       // position the next beat needs, at the start of a track
    double PoidsDepassementFrette = 1000.0; // each fret beyond the track's fret count
};
extern TPoidsDoigte PoidsDoigte;

// Search state: the lowest cost found for the beat, no assignment kept yet for the beat, the
// look-ahead term is active (until the first beat of the pass gets frets).
extern double MeilleurCout;
extern bool PremierEssai;
extern bool DebutSerie;

// Strings of an assignment: entry i plays pitch i (1-based, entries beyond n ignored).
using TCordesDoigte = OneBased<int32_t, kNbCordesMax>;

// The notes a fingering pass left out: those no string of the track reaches (below its lowest
// open string, above its highest fret), and those that each string able to play them is
// taken by the other notes of their beat.
struct TNotesNonDoigtees {
    TNotesOmises HorsTessiture;
    TNotesOmises Simultanees;
};

// Fingers every beat of the current track after an import: a beat marked -1 becomes a rest, -2
// tied; any other beat gets its frets, or becomes a rest when none of its pitches is playable.
// Nothing is done when the note list holds no note.
TNotesNonDoigtees DoigterPiste();

// The same over measures premiere..derniere for the assistants, with the wait window; beats
// without pitches keep what they hold. The look-ahead applies only from measure 1. Returns the
// notes left out as DoigterPiste does.
TNotesNonDoigtees OptimiserPlacementDoigts(int32_t premiere, int32_t derniere);

// Chooses and writes the assignment of beat b of measure m; false when no assignment makes any
// note playable.
bool DoigterTemps(int32_t mesure, int32_t temps);

// Pitches 1..n of beat (m, b) whose fret on the given string is playable.
int32_t CompterNotesJouables(int32_t mesure, int32_t temps, const TCordesDoigte& cordes, int32_t n);

// Cost of an assignment of the pitches of beat (m, b) to strings.
double CoutDoigte(int32_t mesure, int32_t temps, const TCordesDoigte& cordes, int32_t n);

// Evaluates an assignment and writes it into the beat when it is the best so far.
void EssayerDoigte(int32_t mesure, int32_t temps, const TCordesDoigte& cordes, int32_t n);

#pragma once
// The beat builder: lays the note list into the measures and beats of the current track
// (PisteCourante). It appends measures when the notes outlast the song, pads the list with a
// rest to the end of the last measure, turns each group of the list into one beat, cuts every
// length at the bar lines into tied pieces and writes each piece as standard note values
// (dotted for notes, triplets where the list holds three of a kind). The pitches of each beat
// are left in its scratch fields HauteursImport / NbHauteursImport (-1 rest, -2 tie) for the
// fingering optimiser, or for the re-barring assistant to tell notes, ties and rests apart.
#include "midi/EvtImport.h"

#include <cstdint>
#include <utility>
#include <vector>

// Round(x * 10000) / 10000: lengths are compared through it.
double Arrondir4(double x);

// Makes beat b of track t in measure m an empty quarter (b = 1 also empties the track part),
// and clears the measure's repeat and ending marks. Triplet position and scratch pitches stay.
void ReinitialiserTemps(int32_t piste, int32_t mesure, int32_t temps);

// Appends a measure of that signature, every track empty with its first slot prepared. False
// when the song already holds the most measures it can.
bool AjouterMesureImport(uint8_t numerateur, uint8_t denominateur, double duree);

// Turns NbEvtImport from the next free index into the number of entries and drops the rests
// of length 0 at the end of the list.
void SupprimerSilencesFinaux();

// An entry of the list is a note, MIDI note 0 included: the drums play it as fret 0, and on
// other tracks the fingering tells it out of reach like any note no string reaches.
bool EvtImportContientNotes();

// Splits a length x (a multiple of 1/16 quarter) into note values, longest first: wholes as
// often as they fit, then at most one of each shorter value; the last element is what is
// left (0 or 1/16). For a note (evtEstNote) a value followed by its half becomes the dotted
// value (never a dotted whole, never twice dotted); rests are never dotted.
std::vector<double> DecomposerEnValeurs(double longueur, bool evtEstNote);

// Duration code and dotted flag of a standard length v (quarters), looked up by Round(v * 32);
// any other length gives the quarter, not dotted.
std::pair<int8_t, bool> CodeValeurNote(double valeur);

struct TResultatConstruction {
    // By entry index k of the list (1-based): the measure and beat of the first piece of the
    // group that entry k closes; {0, 0} when it closes no group or got no beat.
    std::vector<std::pair<int32_t, int32_t>> PremierMorceau;
    // Pieces were left out: the notes outlast the 1000 measures of a song, or a measure would
    // need more beats than a track part holds.
    bool Tronque = false;
    // The notes left out: those whose beat found no room in its measure (more than 64 beats),
    // those after the last measure the song can hold (their measure is the one after it), and
    // those of a chord with more pitches than the track has strings.
    TNotesOmises MesurePleine;
    TNotesOmises ApresFin;
    TNotesOmises Simultanees;
};

// Lays the whole note list into the current track (see above). Nothing is built when the
// list holds no note (EvtImportContientNotes). The free slot of the track is prepared in
// every measure afterwards.
TResultatConstruction ConstruirePisteDepuisEvt();

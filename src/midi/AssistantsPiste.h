#pragma once
// The track assistants of the main window, on the whole current track (PisteCourante): they
// reuse the import's machinery. Transposing turns every note into a pitch, moves it and lets
// the fingering optimiser choose strings and frets again; automatic placement does the same
// without a shift over a range of measures; re-barring turns the track into a note list and
// lays it out again with the beat builder, so that every measure is exactly full and notes
// that cross a bar line become tied pieces, while every beat keeps its content; completing
// fills short measures with rests and trims rests from long ones.
//
// None of them takes the undo snapshot; the main window's actions stop playback first and
// refresh the views, CopieMesureEntree and the command states afterwards.
#include "midi/Doigte.h"

#include <cstdint>

// Transposes the current track by demiTons semitones and fingers it again. Every note loses
// its link technique, bend, grace note and dynamic (back to 6); dead notes are dropped; a note
// no string can play is dropped and a beat none of whose notes can be played becomes a rest.
// Returns the notes dropped so, out of reach of the strings or without a free string.
TNotesNonDoigtees TransposerPiste(int32_t demiTons);

// Fingers measures premiere..derniere of the current track again (nothing when derniere <
// premiere), with the same losses as a transposition inside that range.
void PlacerDoigtsAuto(int32_t premiere, int32_t derniere);

// Re-splits the current track into the song's measures. Consecutive rests merge, a tied beat
// lengthens the note before it; the first piece of every beat carries that beat's whole
// content (frets, techniques, dynamics, grace notes, strum, text, chord, mix-table change).
// Measures are appended with the last signature when the track needs more; trailing measures
// empty on every track are removed. A track without notes is left as it is (true). False, with
// the song unchanged, when the rebuilt track would not fit in the song (1000 measures, 64 beats
// a measure).
bool RedecouperPiste();

// Completes or reduces every measure of the current track with rests (the complete/reduce
// assistant's work).
void CompleterReduirePiste();

#pragma once
// What the drum and staff palettes do to the song: both write a fret straight into the beat
// under the edit cursor, the way a typed fret is entered, but keep the dynamic the note slot
// already has. Free of any window, so that the edits can be driven and checked headless.
#include "dialogs/NotesPortee.h"

// Enters `frette` on the cursor string of the cursor beat: undo copy, the free column made a
// beat (with the next free slot prepared), rest and tie cleared, pending digit dropped, fret
// stored (dynamic and every other field of the note kept), the beat, beams and triplet row
// redrawn. False, with nothing changed, when no beat may be written at the cursor (a part
// of 64 beats has no free column to grow into).
bool EntrerNoteTempsCurseur(int frette);

// The drum palette's entry of a drum note (27..87): the note entered, then the measure-length
// display and the command states refreshed. The beat is not played. Nothing happens off the
// percussion track (a drum number is no fret of a guitar), while a song plays, or in the
// score-only layout. True when the note was entered.
bool EntrerSonPercussion(int note);

// What a click on the staff did.
enum class TClicPortee : uint8_t { Rien, NoteEffacee, NoteEntree };

// A click of the staff palette on a staff position, with the accidental button that is down:
//  - on a note the staff shows (the first in staff order): that string becomes the cursor
//    string and its note is deleted as the Delete key deletes it;
//  - elsewhere: the pitch of the position goes on the empty string that plays it at the lowest
//    fret, which becomes the cursor string; the beat is played when play-while-entering is on
//    and the sequencer works.
// The command states (and with them the staff) are refreshed; nothing happens when no empty
// string can play the pitch or while a song plays.
TClicPortee CliquerPositionPortee(int position, TBoutonAlteration bouton);

// The notes of the cursor beat as the staff shows them, for the current track and the song's
// key signature.
std::vector<TNotePortee> NotesTempsCurseur();

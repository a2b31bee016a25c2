#pragma once
// Edits of whole beats at the cursor of the current track in the current measure: note values,
// dotted and triplet states, rests, ties, deleting a note or a beat (with the beats tied after
// it), inserting a beat and copying a beat to the end of the measure.
//
// Each edit takes the undo snapshot before it changes anything and repaints only the beat
// columns it touched, the triplet row and the beams. A waiting first fret digit stays waiting
// across the note-value and dotted commands only; the other edits forget it.
//
// Limits kept here: a part never grows past 64 beats (a file may bring 65: such a part is
// left as it is), a triplet group starts at beat 62 at the latest, a whole note is never
// dotted nor a triplet, and a triplet position read from a file outside 1..3 never leads
// outside the beat slots.
#include <cstdint>

// ---- Note values ---------------------------------------------------------------------------

// The note-value commands: the cursor beat takes the value (a triplet or dotted value as the
// beat is), a triplet passes it on to its whole group; then the command states are refreshed.
void Ac_Note_RondeExecute();
void Ac_Note_BlancheExecute();
void Ac_Note_NoireExecute();
void Ac_Note_CrocheExecute();
void Ac_Note_DCrocheExecute();
void Ac_Note_TCrocheExecute();
void Ac_Note_QCrocheExecute();
// The same for any code -2 (whole) .. 4 (sixty-fourth).
void ChangerValeurNote(int codeDuree);

// The three beats of the cursor's triplet group take the cursor beat's duration, note value
// and dotted flag.
void PropagerDureeTriolet();

// Keypad - / +: the cursor beat twice as long / half as long, keeping its dotted and triplet
// factors. Nothing on a whole note or a dotted or triplet half (longer), nor on a sixty-fourth
// or a triplet sixteenth (shorter).
void AllongerTemps();
void RaccourcirTemps();

// Dotted on / off, then the command states.
void Ac_Note_PointeeExecute();

// Makes a triplet group of the cursor beat and the next two, or turns its group back into
// plain beats. Nothing on a dotted beat, a whole note, a 32nd or a 64th.
void BasculerTriolet();

// The cursor beat becomes a rest (the free column becomes a rest beat). Duration, triplet
// state, text, chord and mix-table change stay; notes and techniques go.
void MettreSilence();

// The tie command: undo snapshot, tie flag inverted, BasculerLiaison, command states.
void Ac_Note_LierExecute();
// What the inverted tie flag brings: beat 1 of measure 1 is never tied; an untied last beat
// disappears, an untied middle beat becomes a rest; a tied beat loses its notes.
void BasculerLiaison();

// ---- Deleting and inserting ----------------------------------------------------------------

// Delete / Backspace: a rest or a tied beat goes as a whole; otherwise the note under the
// cursor, and the beat with it when it was its last note, with the beats tied after it
// (unless LieAvantEffacement says the beat was itself tied).
void EffacerNote();
// The cursor beat goes, and after it the beats tied to it (unless LieAvantEffacement is set).
// Nothing on the free column.
void SupprimerTemps();
// A quarter rest before the cursor beat. Nothing on the free column, at 64 beats, or on the
// second or third beat of a triplet group.
void InsererTemps();
// The cursor beat, or its whole triplet group, copied after the last beat, with chords and
// mix-table changes of their own.
void CopierTempsFin();

// Building blocks.
void EffacerNoteCurseur();   // the cursor note empty; its grace note stays
void RetirerTempsCurseur();  // the cursor beat out, the later beats one slot down
void DefaireTriolet();       // the cursor's triplet group back to plain beats
void InsererTempsVide();     // the later beats one slot up, a quarter rest at the cursor

// ---- The commands of these edits -------------------------------------------------------------

// Handlers of the command list that only call the edits above (each ends with the command
// states): rest, triplet, insert, delete and copy beat.
void Ac_Note_SilenceExecute();
void Ac_Note_TrioletExecute();
void Ac_Note_InsererTempsExecute();
void Ac_Note_SupprimerTempsExecute();
void Ac_Note_CopierTempsfinExecute();

// Registers the handlers of the note-value, dotted, rest, triplet, tie, insert, delete and
// copy-beat commands in the command list.
void EnregistrerCommandesEditionTemps();

#pragma once
// The Tools menu's track assistants: transpose, re-split, complete or reduce, automatic
// placement and the let-ring selector. Each works on the whole current track; the dialogs are
// asked through the entry dialogs' service (Saisie().Dialogues, dialogs/Services.h), which
// DialoguesPlagesQt answers on screen.
//
// None of them can be undone. The transpose, re-split, complete/reduce and placement commands
// stop a playback first and end by accepting the current measure as it now stands, so that
// neither Undo nor cancelling the measure brings back a part of the track as it was before.
// Cancelling a dialog changes nothing.

// Transposes the current track by the semitones chosen and fingers it again.
void Ac_Ass_TransposerExecute();
// After the confirmation, lays the current track out again over the song's measures; the
// current measure is then measure 1.
void Ac_Ass_RedecouperExecute();
// No dialog: fills short measures of the current track with rests and trims rests from long
// ones.
void Ac_Ass_CompleterReduireExecute();
// Fingers the chosen measures of the current track again.
void Ac_Ass_PlacementAutoExecute();
// The let-ring selector, which changes the notes itself; the score is laid out again when it
// shows let-ring notes. When the current measure was among those changed, it is accepted as
// it now stands, like the other assistants leave it.
void Ac_Ass_LetRingSelectorExecute();

// Registers the five handlers in the command list.
void EnregistrerCommandesAssistants();

#pragma once
// The handlers of the Edit, Measure, Note, Effects and Dynamics commands of the main window's
// command list (and of their toolbar buttons, which run the same handlers). Most call one
// edit of the engine and refresh the command states; the ones with logic of their own are
// here: mix table, time signature, repeats and alternate endings, chord, beat text, the
// techniques with their toggling rules and dialogs, and the dynamics.
//
// A technique command inverts its own checked state first and takes the new state as telling
// whether the technique is now on: the command-state refresh after every cursor move is what
// makes that state true for the note under the cursor. The code written into the song is the
// command's Tag.
//
// The dialogs the commands open belong to other layers; they are reached through
// IDialoguesEdition, which the program installs. A dialog confirmed with OK has written its
// values into the song itself; the handler does the rest. Measure-range commands (cut, copy,
// paste, insert, clear) are not handled here.
#include "editor/Commandes.h"

#include <cstdint>

// ---- The dialogs -------------------------------------------------------------------------------

// One method per dialog; each returns true for OK, having written the song as said, and
// false for Cancel, having changed nothing. The stand-in answers Cancel to everything.
class IDialoguesEdition {
public:
    virtual ~IDialoguesEdition() = default;
    // Mix table: creates, changes or removes the cursor beat's mix-table change.
    virtual bool TableMix() { return false; }
    // Time signature: Numerateur, Denominateur and Duree of the current measure, or of every
    // measure from it to the last.
    virtual bool Signature() { return false; }
    // Repeat count 1..99 into the current measure's NbRenvois.
    virtual bool NombreRenvois() { return false; }
    // Number 1..99 of the alternate ending into NumRepetition; both edits show `suggestion`.
    virtual bool NumeroRepetition(int32_t suggestion) { (void)suggestion; return false; }
    // Chord dialog, prepared empty: stores the chord in the cursor beat (AvecAccord, Accord)
    // or removes it.
    virtual bool Accord() { return false; }
    // Beat text, at most 40 characters, into the cursor beat's Texte.
    virtual bool Texte() { return false; }
    // Bend and bend-and-release amounts, 0.25..3.0 tones, into the cursor note's ValeurBend.
    virtual bool Bend() { return false; }
    virtual bool BendRelease() { return false; }
    // Vibrato-stroke amount, 0.5..6.0, into the cursor beat's ValeurCoupVib.
    virtual bool CoupDeVibrato() { return false; }
    // Grace note into the cursor note (FretteGrace, NuanceGrace, DureeGrace); prefilled as a
    // dead grace note, or with `frette` when it is 0..99 (-1: nothing prefilled).
    virtual bool NoteGrace(bool noteMorte, int32_t frette) { (void)noteMorte; (void)frette; return false; }
    // Strum in `direction` (1 up, 2 down): Brush and DureeBrush of the cursor beat.
    virtual bool Brush(int32_t direction) { (void)direction; return false; }
};

IDialoguesEdition& DialoguesEdition();
void InstallerDialoguesEdition(IDialoguesEdition* dialogues); // nullptr puts the stand-in back

// Dialogs that confirm at once with the least each technique needs, so that techniques can be
// set and seen before the real dialogs exist: the amount a note or beat already carries (1.0
// by default), the configured strum speed and grace-note length, the suggested ending
// number, the measure's repeat count. Those that need the user's input (mix table, time
// signature, chord, text) answer Cancel.
class DialoguesEditionMinimaux : public IDialoguesEdition {
public:
    bool NombreRenvois() override;
    bool NumeroRepetition(int32_t suggestion) override;
    bool Bend() override;
    bool BendRelease() override;
    bool CoupDeVibrato() override;
    bool NoteGrace(bool noteMorte, int32_t frette) override;
    bool Brush(int32_t direction) override;
};

// ---- Edit ------------------------------------------------------------------------------------

// F10: the mix-table dialog; on OK the change is undoable and the beat's marks redrawn.
void Ac_Edition_TableMixExecute();

// ---- Measure ---------------------------------------------------------------------------------

void Ac_Mesure_PremiereExecute();
void Ac_Mesure_PrecedenteExecute();
void Ac_Mesure_SuivanteExecute();
void Ac_Mesure_DerniereExecute();
void Ac_Mesure_AllerAExecute();
// Time signature (also a click on the measure status): nothing during playback. A confirmed
// change cannot be undone: cursor on beat 1, string 1, entry copy retaken, the whole score
// redrawn. In the score-only layout the measure is validated either way.
void Ac_Mesure_SignatureExecute();
// Repeat start on / off.
void Ac_Mesure_RenvoiDebutExecute();
// Repeat end: off at once; on, with the repeat-count dialog, or with a count of 1 without
// asking when the measure closes an alternate ending.
void Ac_Mesure_RenvoiFinExecute();
// Alternate ending: on with the ending-number dialog (suggesting the next number), off at once.
void Ac_Mesure_RepetitionsExecute();

// ---- Note --------------------------------------------------------------------------------------

void Ac_Note_NoteEtouffeeExecute();
// Chord dialog. A chord given to a beat without notes writes its fingering into it (a chord
// with no string played makes the beat a rest); a beat with notes is only named.
void Ac_Note_AccordExecute();
void Ac_Note_AnnotationExecute();
void Ac_Note_DeplacerHautExecute();
void Ac_Note_DeplacerBasExecute();

// ---- Effects -----------------------------------------------------------------------------------

// Link techniques (hammer-on, pull-off, slides, let ring, and the bends once their amount is
// known): the cursor note takes the sender's technique, replacing another one, or loses it
// when it had it. Slides, bends and let ring are played.
void Ac_Effet_HOExecute(Cmd emetteur);
// Bend and bend-and-release: setting asks the amount first (Cancel sets nothing); removing
// asks nothing.
void Ac_Effet_BendExecute(Cmd emetteur);
// Beat techniques (vibrato, tremolo bar, harmonics, fade in, tapping, slap, pop): on or off
// for the cursor beat; played except tapping, slap and pop.
void Ac_Effet_VibMainGaucheExecute(Cmd emetteur);
// Vibrato stroke: setting asks the amount first.
void Ac_Effet_CoupDeVibratoExecute();
// Strums up and down: the command of the beat's strum removes it; the other asks the speed.
// Cancelling the dialog leaves the beat's strum as it was.
void Ac_Effet_BrushUpExecute(Cmd emetteur);
// Grace note: on with the grace-note dialog, off at once; undoable either way.
void Ac_Effet_GraceNoteExecute();
// Ghost note: dynamic 4 (mp) on, 6 (f) off, through the dynamics palette's handler.
void Ac_Effet_GhostNoteExecute();

// ---- Dynamics ----------------------------------------------------------------------------------

// Ac_Dyna_ppp .. Ac_Dyna_fff: the matching palette button BT_DynaNote_1..8, when enabled,
// changes its down state and acts.
void Ac_Dyna_pppExecute(Cmd emetteur);
// The dynamics palette's button handler (BT_DynaNote_1..8, Tag 1..8 = ppp..fff): the cursor
// note takes the dynamic, or every note of the beat with BT_Apply down; undoable; the beat is
// redrawn and played.
void BT_DynaNote_1Click(Cmd bouton);
// Toolbar button BT_DynaForm: closes the dynamics palette when visible, else shows it.
void BT_DynaFormClick();

// ---- Registration ------------------------------------------------------------------------------

// Registers in the command list the handlers of every command of the five menus (the beat
// edits of EditionTemps.h included, undo too; not the measure-range commands), of the
// dynamics palette's buttons and of BT_DynaForm.
void EnregistrerCommandesEdition();

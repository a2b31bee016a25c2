#pragma once
// The main window's commands that are neither File nor edit commands: the score view's
// let-ring and dynamics display switches, the measure-length check, the preferences with their
// cancel handling, the help index and the about window; and the registration of the commands
// whose handlers live in other layers but are bound here: the Sound menu and the two buttons
// beside the edit zone.
#include <cstdint>
#include <functional>

void Ac_Ass_MontrerLetRingExecute();
void Ac_Ass_MontrerDynaExecute();
void Ac_Ass_VerifierDureeMesuresExecute();
// The preferences dialog applies everything itself on OK. After anything else the print
// settings and their fonts are put back, and the display settings with their six fonts when
// the dialog's preview had applied them.
void Ac_Options_PreferencesExecute();
void Ac_Aide_IndexExecute();
void Ac_Aide_AProposExecute();

// The help file of the current help language, opened when it is present (the help of the
// original platform is not shipped). A box says so when it is missing, or when the desktop's
// opener fails to open it within seconds of its start.
void AfficherAide();

// Registers the handlers of these six commands, of the seven Sound commands and of the
// validate and cancel-measure buttons in the command list.
void EnregistrerCommandesFenetre();

// ---- For tests ---------------------------------------------------------------------------

// The steady clock, in milliseconds, that times the desktop's opener of the help file; an
// empty function puts the system's back.
void InstallerHorlogeAide(std::function<int64_t()> horloge);

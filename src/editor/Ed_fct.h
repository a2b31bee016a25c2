#pragma once
// The edit engine: every edit works in place on the current measure block of the song for the
// current track, at the cursor. This header gathers the engine's state and the entry points
// the main window calls; the cursor moves live in Navigation.h, fret entry in Saisie.h, and
// the command states in EtatCommandes.h.
//
// The engine paints the edit zone through the painters of DessinSaisie.h on the edit image the
// window installed, and asks the window for the rest (score view, scroll bar, track buttons,
// palettes) through FenetrePrincipale(). The enabled state of three controls is part of the
// engine's logic and lives in the command table: BT_AnnulerMesure enabled means the measure
// was edited since it was entered or validated, BT_Valider follows it, and Ac_Edition_Annuler
// enabled means an undo snapshot can be restored.
#include "document/Variable.h"
#include "editor/Navigation.h"
#include "editor/Saisie.h"

#include <cstdint>
#include <optional>
#include <string_view>

// ---- State of the engine -------------------------------------------------------------------

// Cursor beat and string saved with the undo snapshot MesureAnnulation.
extern int32_t TempsAnnulation;
extern int32_t CordeAnnulation;
// Tie flag of the cursor beat when Delete or Backspace was pressed.
extern bool LieAvantEffacement;
// The score-only layout is in force: the keys no longer edit.
extern bool PleinEcranActif;
// The main window is closing: the edit-zone layout is left alone.
extern bool FermetureEnCours;
// The measure clipboard holds measures (Paste is possible).
extern bool PressePapierPlein;

// Width in pixels of the panel PanelZoneSaisie that shows the edit image; the window sets it
// at every layout (the scroll range and the image width follow from it).
extern int32_t LargeurPanneauSaisie;
// Position of the edit zone's scroll bar (first visible beat column - 1).
extern int32_t PositionDefilementSaisie;

// Font colour of the track buttons BT_Piste1..8: blue when the track held a beat in some
// measure the last time the button was coloured. It is refreshed lazily (when a measure is
// left), so it is state of its own, not a view of the song.
extern OneBased<bool, kNbPistes> BoutonPisteBleu;

// ---- The current beat ----------------------------------------------------------------------

// The current measure block (it always exists while the program runs).
TMesure& MesureEnCours();
// Beat count of the current track in the current measure.
int32_t NbTempsCourant();
// The beat slot and the note under the cursor.
TTemps& TempsCurseur();
TNoteCorde& NoteCurseur();
// The cursor stands on the free column (the slot after the last beat).
bool CurseurSurColonneLibre();
// A song is playing: the play-from-start command is disabled.
bool LectureEnCours();

// Before an edit that writes into the cursor beat: on the free column the slot becomes a beat
// and the next free slot is prepared. False (and nothing changed) when the part already holds
// 64 beats or more, or the cursor stands past the free column: no beat may be added there.
bool PeutEcrireTempsCurseur();
void OccuperColonneLibre();

// ---- Undo, cancel and validate ---------------------------------------------------------------

// The undo snapshot; every edit takes it before it changes anything. Marks the song modified
// and makes undo and cancel-measure available.
void SauverAnnulation();
// Restores the undo snapshot and its cursor (one level).
void AnnulerDerniereEdition();
// Restores the measure as it was entered; cursor on beat 1, string 1.
void AnnulerMesure();
// Accepts the edits of the measure: both copies become the measure as it stands.
void ValiderMesure();
void ValiderMesureSiActif(); // only when BT_Valider is enabled (Ctrl+Shift+Up)

// The handlers of the undo command (Ctrl+Z) and of the two buttons of the edit zone: each
// ends with the command-state refresh.
void Ac_Edition_AnnulerExecute();
void BT_AnnulerMesureClick();
void BT_ValiderClick();

// Hook after measure changes, edits, track switches and playback steps; it does nothing.
void ApresChangementMesure();

// ---- Track buttons -------------------------------------------------------------------------

// The track holds at least one beat in some measure.
bool PisteAvecTemps(int32_t piste);
// BoutonPisteBleu of the track from the song; returns it. The window's ColorerBoutonPiste
// calls it and paints the button accordingly.
bool CalculerCouleurBoutonPiste(int32_t piste);
// The current track's button shows the colour of a track with content.
bool TesterCouleurBoutonPiste();
// The test made on leaving a measure: the button is recoloured when the measure left holds
// no beat of the current track while the button is blue, or holds some while it is black.
void VerifierCouleurBoutonPiste(int32_t mesureQuittee);

// ---- Measure lengths -----------------------------------------------------------------------

// Sum of the lengths of the track's beats in the measure, in quarter notes. The ticks are
// summed as integers, so a part is complete exactly when this equals TMesure::Duree.
double CalculerDureeMesure(int32_t piste, int32_t mesure);
// The duration check: shows the first track part (tracks in order, then measures) whose
// length is wrong and reports it; true with a closing message when every part is right.
// Tracks without any beat are never reported.
bool VerifierDureeMesures();
// Consulted by playback before playing; always true.
bool ControlerDurees();

// ---- Numbers typed in dialogs ----------------------------------------------------------------

// A number from text, with "." or "," as the decimal separator whatever the system's; blanks
// around it are allowed. Nothing for a text that is not a number.
std::optional<double> TexteVersReel(std::string_view texte);
std::optional<int32_t> TexteVersEntier(std::string_view texte);
// The same with the system's separator given (what the conversions do with a text depends on
// it only through the separator).
std::optional<double> TexteVersReel(std::string_view texte, char separateurSysteme);

#pragma once
// The edit cursor and its moves: across the beats of the current measure, across strings,
// between measures (appending one past the last), by a mouse click in the edit zone; and the
// horizontal scrolling of the edit zone that keeps the cursor in view.
//
// The cursor marks string Curseur.Corde of beat slot Curseur.Temps of the current track in the
// current measure. Slot NbTemps + 1 is the free column, where the next beat is typed; the
// cursor never goes past beat 64, so a part never grows beyond 64 beats by typing.
//
// The moves do not refresh the command states themselves unless stated: the key handler and
// the command handlers call ActualiserCommandes after them.
#include <cstdint>

// ---- Within the measure ----------------------------------------------------------------------

// One beat left; from beat 1 on to the last beat of the previous measure.
void AllerTempsPrecedent();
void AllerPremierTemps();
// One beat right: onto the free column, or into the next measure when the measure is complete.
// Nothing on the free column, and nothing past beat 64.
void AllerTempsSuivant();
// The last beat (the cursor stays when the part has no beat).
void AllerDernierTemps();
// One string up / down, wrapping round.
void MonterCorde();
void DescendreCorde();

// Cursor at a point (x, y) of the edit image: left of the staff goes to the previous measure,
// on it to the nearest beat and string (the free column at most, and never past beat 64).
void PlacerCurseurSouris(int x, int y);

// ---- Between measures ------------------------------------------------------------------------

// Each enters the measure: copy for cancel-measure taken, cursor beat placed (string kept),
// edit zone redrawn, the score lines of the measure left repainted when it was edited, undo and
// cancel-measure made unavailable, the score-view frame moved.
void AllerMesurePrecedente();   // on its last beat
void AllerPremiereMesure();     // on beat 1
// The next measure on beat 1, appending a measure past the last one (time signature copied,
// and the free slot continues the last note value used). With the song at its 1000 measures
// the cursor stays where it is; returns whether a measure was entered.
bool AllerMesureSuivante();
void AllerDerniereMesure();     // on its last beat
// The go-to-measure dialog, then that measure on beat 1.
void AllerAMesure();
// After a dialog has set MesureCourante: enters it on beat 1 (no track-colour test).
void EntrerMesureChoisie(int32_t mesureQuittee);

// The moves, only when the command Ac_Mesure_Precedente / Ac_Mesure_Suivante is enabled.
void AllerMesurePrecedenteSiActif();
void AllerMesureSuivanteSiActif();

// ---- Edit-zone scrolling and width -----------------------------------------------------------

// Scroll range from the panel width LargeurPanneauSaisie.
void AjusterDefilementSaisie();
// Image width: the panel, or more when the beats need it; a change redraws the whole zone
// (which makes the last edit no longer undoable).
void AjusterLargeurSaisie();
// Scrolls so that the cursor beat is visible (centred when it was not).
void MontrerCurseurSaisie();
// The scroll bar moved (by the user or by MontrerCurseurSaisie).
void ScrollBarZoneSaisieChange(int32_t position);

// ---- Frame of the current measure on the score view -----------------------------------------

// Where the Selection frame goes over the current measure, and the score view's scroll
// position that shows its line. The layout of the measure (XGauche, XDroite, Y, Ligne) comes
// from the score view; a measure not laid out yet (XGauche 0) is framed off screen and
// NonDisposee tells the window to let the view paint (pending messages) and place the frame
// again. During playback the view follows the measure as the configured scrolling asks.
struct TCadreMesure {
    int Left = 0, Top = 0, Width = 0, Height = 0;
    int Position = 0;        // new scroll position of the score view
    bool NonDisposee = false;
};
// hauteurZone: height of the panel PanelZoneAffScroll; hauteurLigne: height of one display
// line; position: the score view's scroll position now.
TCadreMesure CalculerCadreMesure(int hauteurZone, int hauteurLigne, int position);

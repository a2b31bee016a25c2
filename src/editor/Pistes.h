#pragma once
// The editor shows one track at a time: the edit zone and the score view both belong to the
// current track. This unit switches tracks (track buttons, track menu, arrow buttons and their
// keys), turns a click on the score view into a current measure, string and beat, lays the
// main window's panels out for its size and for the score-only layout, and handles the
// window's resizing.
//
// The layout is arithmetic on the places of the window's controls: the window hands in the
// places it was designed with and the client size, and applies what comes back. Nothing here
// knows a widget.
#include "editor/Clavier.h"

#include <cstdint>

// ---- State ---------------------------------------------------------------------------------

// The user chose the score-only layout with its command; a playback uses that layout too and
// leaves it at its end only when this is clear. (PleinEcranActif, the layout being in force,
// lives with the engine's state.)
extern bool PleinEcranChoisi;

// ---- Tracks ----------------------------------------------------------------------------------

// Switches to track `piste` (1..8): cursor on beat 1, string 1, the measure redrawn, undo and
// cancel-measure given up (the edits stay in the song), the score view repainted for the
// track with its frame, the command states, the entry copy retaken, the track menu. The drum
// palette shows on track 8 outside playback and hides elsewhere; on track 8 during a playback
// it is left to open when the playback ends. A track outside 1..8 changes nothing.
void ChangerPiste(int32_t piste);

// Arrow buttons PisteUp / PisteDown (and Ctrl + keypad + / -): the next / previous track,
// nothing past the last track or before the first.
void PisteUpClick();
void PisteDownClick();
// Track buttons BT_Piste1..8 and track menu items Mn_Piste1..8: the track of their Tag.
void BT_Piste1Click(int32_t tag);
void Mn_Piste1Click(int32_t tag);

// Recent-file items Mn_Fichier_DernierFichier1..5: opens recent file number Tag.
void Mn_Fichier_DernierFichier1Click(int32_t tag);

// ---- Click on the score view -------------------------------------------------------------

// Where a click on display line `ligne` of the score view falls, from the layout of the
// current track (x, y in the line's band image).
struct TClicPartition {
    bool LigneSansMesure = false; // no such line, or a line without measures
    int32_t Mesure = 0;           // 0: between measures
    int32_t Corde = 1;            // string under the click, within the track's strings
    int32_t Temps = 1;            // nearest beat (the first of two as near), 1 without beats
};
TClicPartition LocaliserClicPartition(int32_t ligne, int x, int y);

// Button down on score band `bande` (1..30; its slot in the ring of display lines), at x, y
// inside the band image. A click on a measure makes it current with the string and the
// nearest beat under the click, repainting on the score view the measure left when it was
// edited. The right button outside playback opens the range popup. During a playback the
// click stops the player and restarts the playback at the (new) current measure, also when
// it falls below the last line or between measures.
void Band01MouseDown(int32_t bande, BoutonSouris bouton, int x, int y);
// Button down on the Selection frame over the current measure: passed on to the band of the
// measure's line (x, y in the frame).
void SelectionMouseDown(BoutonSouris bouton, int x, int y);

// ---- Window layout ---------------------------------------------------------------------------

// Place of a control inside the main window's client area (or, for ZoneSaisie, inside
// PanelZoneSaisie), in pixels.
struct TRectangle {
    int32_t Left = 0;
    int32_t Top = 0;
    int32_t Width = 0;
    int32_t Height = 0;
    int32_t Right() const { return Left + Width; }
    int32_t Bottom() const { return Top + Height; }
    friend bool operator==(const TRectangle&, const TRectangle&) = default;
};

// Height of the edit image ZoneSaisie.
inline constexpr int32_t kHauteurZoneSaisie = 153;

// The controls the layout moves. The places the window was designed with go in; the layout
// changes only what depends on the window's size and mode, and leaves every other field.
struct TDispositionFenetre {
    TRectangle Panel1;                 // title line
    TRectangle BT_Piste1;              // first track button (read only)
    TRectangle BevelTop;
    TRectangle PanelZoneAffScroll;     // score view
    TRectangle ScrollBarZoneAffScroll;
    TRectangle PanelBarreBoutons2;     // tool row above the edit zone
    TRectangle PanelBarreBoutons3;     // button column right of the edit zone
    TRectangle PanelZoneSaisie;        // edit zone
    TRectangle ZoneSaisie;             // edit image, inside PanelZoneSaisie
    TRectangle ScrollBarZoneSaisie;
    TRectangle PanelNumMesure;         // status row at the bottom
    TRectangle PanelNbTps;
    TRectangle PanelNbTps2;
    TRectangle PanelTextCom;
    bool PanelBarreBoutons3Visible = true;
    // Score-only layout: the score view lies over the edit zone and its tool row, which the
    // window puts behind it (or hides).
    bool ZoneAffichageDevant = false;
    bool MenusNoteEffetsActifs = true; // Mn_Note and Mn_Effets
};

// The panels for a client area of largeurClient x hauteurClient at pixelsParPouce dots per
// inch, in the score-only layout or not. Margins scale with the resolution (4 pixels at 96
// dots per inch); sizes that would go below 0 in a tiny window stay at 0, and the edit image
// is centred in its panel but never placed above its top.
void DisposerFenetre(TDispositionFenetre& d, int32_t largeurClient, int32_t hauteurClient, int32_t pixelsParPouce,
                     bool pleinEcran);
// The part of the layout that the score-only mode changes (EntrerPleinEcran and
// QuitterPleinEcran of the window): the score view down to the status row, or down to the
// tool row above the edit zone.
void DispositionPleinEcran(TDispositionFenetre& d, int32_t largeurClient, int32_t pixelsParPouce);
void DispositionSansPleinEcran(TDispositionFenetre& d, int32_t pixelsParPouce);

// The smallest client area in which no row of the layout lies over another, for the places in
// `d` (the rows at the top as the window placed them, the score view starting below them): a
// score view of at least kHauteurMinAffichage, the tool row, the edit panel with its button
// column, and a status row wide enough for its counters beside the edit zone's scroll bar.
inline constexpr int32_t kHauteurMinAffichage = 80; // at 96 dots per inch: a line of the score
struct TTailleClient {
    int32_t Largeur = 0;
    int32_t Hauteur = 0;
    friend bool operator==(const TTailleClient&, const TTailleClient&) = default;
};
TTailleClient TailleClientMinimale(const TDispositionFenetre& d, int32_t pixelsParPouce);

// The window has applied a layout whose edit panel is `largeurPanneauSaisie` wide: the edit
// zone's scroll range, image width and cursor follow.
void TerminerDispositionFenetre(int32_t largeurPanneauSaisie);

// Score-only layout on / off: PleinEcranActif, then the window places its panels again.
void EntrerPleinEcran();
void QuitterPleinEcran();
// Command Ac_Affichage_PleinEcran (and its button): toggles the user's choice. During a
// playback, which already shows the score only, unchecking stops the playback and leaves the
// layout.
void Ac_Affichage_PleinEcranExecute();

// The main window's size changed (FormResize): nothing while it closes or without a valid
// current measure. Otherwise the measure is taken as validated without repainting (undo and
// cancel-measure end), the panels are laid out again and the score view is rebuilt for the
// new size.
void RedimensionnerFenetre();

// Registers the handler of Ac_Affichage_PleinEcran in the command list.
void EnregistrerCommandesPistes();

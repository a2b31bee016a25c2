#pragma once
// The Edit menu's measure commands: Copy and Cut put a range of whole measures into the
// program's own measure clipboard, Paste writes it back at the current measure, before it or
// after the last measure, any number of times, Insert adds an empty measure before the current
// one and Clear empties a range. Copy, Paste and Clear work on all tracks or on the current
// track only; Cut always takes all tracks. None of them runs during a playback, and none can be
// undone: each ends by accepting the current measure as it now stands.
//
// Also here, for other callers: inserting n empty measures.
//
// The clipboard holds whole measure blocks as values. A beat's chord and mix-table change are
// immutable records shared by every copy of the beat, so what the clipboard holds stays valid
// whatever later happens to the measures it was taken from, and a pasted beat can never alter
// the clipboard or another paste of it.
//
// The song never holds more than 1000 measures: Insert does nothing on a full song, and a
// paste that would need more is refused as a whole (the invalid-entry box, nothing changed).
#include "document/Routines.h"
#include "document/Variable.h"

#include <cstdint>
#include <functional>
#include <vector>

// ---- The clipboard -----------------------------------------------------------------------------

// The copied measures, entry 0 = the first measure of the range; NbMesuresPressePapier entries.
extern std::vector<TMesure> PressePapierMesures;
extern int32_t NbMesuresPressePapier;
// 0: the clipboard counts for all tracks; 1..8: only that track counts.
extern int32_t PistePressePapier;
// String counts of the eight tracks when the clipboard was filled.
extern OneBased<int32_t, kNbPistes> NbCordesPressePapier;
// The last "all tracks" choice of the copy and clear dialog, shown again the next time.
extern bool CopierToutesPistes;
// PressePapierPlein (editor/Ed_fct.h) tells that the clipboard was filled once; it enables Paste.

// Fills the clipboard with measures debut..fin (checked against the song) for all tracks or
// for the current track. Used by Copy and Cut.
void RemplirPressePapier(int32_t debut, int32_t fin, bool toutesPistes);
// Frees the clipboard's measures (at the close request); Paste stays as it was.
void LibererPressePapier();

// ---- The dialogs -------------------------------------------------------------------------------

// Which use the copy-and-clear dialog TCopierForm is opened for (its mode byte).
enum class ModeCopierForm : uint8_t { Copier = 0, Vider = 1 };

// Where the paste dialog TSais_Paste_Form puts the clipboard.
enum class PlaceCollage : uint8_t {
    Selection = 1,      // PasteRB1: over the measures from the current one on, extending the song
    AvantSelection = 2, // PasteRB2: empty measures inserted before the current one, then filled
    FinPartition = 3,   // PasteRB3: after the last measure
};

struct TChoixCollage {
    int32_t Nombre = 1; // Ed_NbPaste, 1..999
    PlaceCollage Place = PlaceCollage::Selection;
    // Set by the paste command: whether the song has room for a choice, telling the user when
    // it has not. The dialog asks it on Yes and stays open on a refusal.
    std::function<bool(const TChoixCollage&)> Verifier;
};

// One method per dialog; each returns true for OK (Yes for the paste dialog) with the values
// chosen in its arguments, false for Cancel (No). The arguments come in holding what the
// dialog shows on opening. The dialogs check what they return: a range lies in 1..NbMesures
// with the first not above the last, a paste count in 1..999. The stand-in answers Cancel.
class IDialoguesPressePapier {
public:
    virtual ~IDialoguesPressePapier() = default;
    // TCouperForm: first and last measure, both the current measure on opening.
    virtual bool Couper(int32_t& mesureDebut, int32_t& mesureFin)
    { (void)mesureDebut; (void)mesureFin; return false; }
    // TCopierForm in mode `mode`: first and last measure (the current measure on opening) and
    // the track choice (ToutesPistes checked; CopierToutesPistes on opening). The dialog
    // stores the choice in CopierToutesPistes as soon as OK is pressed, even when its range
    // check then fails and the user cancels.
    virtual bool Copier(ModeCopierForm mode, int32_t& mesureDebut, int32_t& mesureFin, bool& toutesPistes)
    { (void)mode; (void)mesureDebut; (void)mesureFin; (void)toutesPistes; return false; }
    // TSais_Paste_Form: its question for a clipboard of one track or of all tracks, with
    // "#1" filled with nbMesures (FormaterMessage1); Yes returns the count and the place.
    virtual bool Coller(bool toutesPistes, int32_t nbMesures, TChoixCollage& choix)
    { (void)toutesPistes; (void)nbMesures; (void)choix; return false; }
};

IDialoguesPressePapier& DialoguesPressePapier();
void InstallerDialoguesPressePapier(IDialoguesPressePapier* dialogues); // nullptr: the stand-in

// ---- The commands ------------------------------------------------------------------------------

// Ctrl+C: the copy dialog, then the range into the clipboard. The song counts as modified.
void Ac_Edition_CopierExecute();
// Ctrl+X: the cut dialog, then the range of all tracks into the clipboard and out of the song,
// the measures after it moving down. Cutting every measure leaves one empty measure with the
// time signature measure 1 had.
void Ac_Edition_CouperExecute();
// Ctrl+V: refused with an error box when the clipboard does not fit the song (string counts)
// or the current track (drum track to or from another track); otherwise the paste dialog, then
// the clipboard pasted that many times in a row where it says.
void Ac_Edition_CollerExecute();
// One empty measure before the current one (no dialog); the cursor keeps its string. A song
// of 1000 measures is told that it is full, and nothing changes.
void Ac_Edition_InsererExecute();
// The clear dialog, then the range emptied on all tracks (repeat marks and endings too) or on
// the current track. Time signatures stay.
void Ac_Edition_ViderExecute();

// ---- Song structure ----------------------------------------------------------------------------

// n empty measures before the current one, the measures from it on moving up by n. Each new
// measure has no beats on any track, no repeat marks, the time signature of the measure after
// the new ones; on the current track the last new measure's first slot continues the note value
// of the moved measure's last beat. False, and nothing changed, when n < 1 or the song would
// pass 1000 measures.
bool InsererMesuresVides(int32_t n);
// Beat slot `temps` of track `piste` in `bloc` back to an empty quarter: not dotted, not a
// triplet, no notes (dynamic 6), no technique, strum, text, chord or mix-table change.
void ReinitialiserPremierTemps(TMesure& bloc, int32_t piste, int32_t temps = 1);
// ViderPiste and SupprimerMesuresVidesFin are song-level routines of document/Routines.h,
// which this header includes for the callers of the clipboard commands.

// ---- Registration ------------------------------------------------------------------------------

// Registers the handlers of Ac_Edition_Couper, _Copier, _Coller, _Inserer and _Vider in the
// command list (their toolbar buttons and the score view's popup items run the same).
void EnregistrerCommandesPressePapier();

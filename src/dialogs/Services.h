#pragma once
// What the editor asks of the entry dialogs, the chord tool and the palettes: the resident
// windows it shows, hides and reads, and the dialogs it opens for one use. Each service has a
// do-nothing stand-in, answered until its window is built and installed; a stand-in dialog
// answers Cancel and changes nothing.
//
// A dialog confirmed with OK has written the song itself (as each line below says); the caller
// does the rest.
#include <cstdint>
#include <string>

// Modal results as the dialogs give them.
inline constexpr int ResultatModalOK = 1;
inline constexpr int ResultatModalAnnuler = 2;
inline constexpr int ResultatModalOui = 6;
inline constexpr int ResultatModalNon = 7;

// A window that lives as long as the program and is shown or hidden by others.
class IFenetreResidente {
public:
    virtual ~IFenetreResidente() = default;
    virtual void SetVisible(bool visible) { (void)visible; }
    virtual bool Visible() const { return false; }
};

// Drum palette (Assistant_Bat_Form), third resident window.
class IAssistantBatterie : public IFenetreResidente {
public:
    virtual void Traduire() {} // caption from the loaded language
};

// Song and track properties dialog (Sais_Partition), fifth resident window.
class ISaisiePartition : public IFenetreResidente {
public:
    // Shown modally; loads the working copy from the song and writes it back on its OK.
    virtual int MontrerModal() { return ResultatModalAnnuler; }
    // String auditioned by the listen buttons: 1..6 one row, 0 all, -1 none.
    int32_t CordeEcoutee = -1;
    // Track edited on the selected tab.
    int32_t PisteOnglet = 1;
    virtual void InitModelesAccordage() {}
    virtual void RemplirListeModeles() {}
    virtual void JouerCordesPiste() {}
    virtual void ActualiserCordesPiste() {}
    // Whether one of the listen buttons is held down.
    virtual bool BoutonEcouteEnfonce() const { return false; }
    // Enables or disables the controls a playback must not touch.
    virtual void ActiverControlesLecture(bool actif) { (void)actif; }
    virtual void Traduire() {}
};

// Staff note-entry palette (ClassForm), seventh resident window.
class IPaletteSolfege : public IFenetreResidente {
public:
    virtual void DessinerPortee() {} // the staff for the note under the cursor
};

// Dynamics palette (DynaForm), eighth resident window. Its buttons BT_DynaNote_1..8,
// BT_Default and BT_Apply are commands of the command list (editor/Commandes.h), which holds
// their enabled and down states.
class IPaletteNuances : public IFenetreResidente {
public:
    // Sets the dynamic of the note under the cursor (or of the beat with BT_Apply down) to the
    // Tag of the button, takes the undo copy, redraws, plays and refreshes the commands.
    virtual void BT_DynaNote_1Click(int tag) { (void)tag; }
    virtual void Traduire() {}
};

// The resident windows of the playback side, created in the same start-up sequence: MIDI
// import dialog (SelMIDIForm), wait window (WaitMidiForm), speed trainer (SpeedT_Form).
class ISelectionMidi : public IFenetreResidente {
public:
    int32_t CordeEcoutee = -1;
    virtual void RemplirListeModeles() {}
    virtual void AppliquerTextes() {}
};
class IFenetreAttente : public IFenetreResidente {};
class ISpeedTrainer : public IFenetreResidente {
public:
    virtual void ViderChamps() {}
};

// Dialogs created for one use. Each returns its modal result.
class IDialogues {
public:
    virtual ~IDialogues() = default;
    // Chord dialog: stores the chord in the cursor beat, or removes it.
    virtual int Accord() { return ResultatModalAnnuler; }
    // Go to measure: sets MesureCourante (1..NbMesures).
    virtual int AllerA() { return ResultatModalAnnuler; }
    // Measure ranges; the chosen range is returned through the arguments.
    virtual int Couper(int32_t& mesureDebut, int32_t& mesureFin) { (void)mesureDebut; (void)mesureFin; return ResultatModalAnnuler; }
    // mode 0 copy, 1 clear; stores the all-tracks choice in CopierToutesPistes.
    virtual int Copier(int mode, int32_t& mesureDebut, int32_t& mesureFin)
    { (void)mode; (void)mesureDebut; (void)mesureFin; return ResultatModalAnnuler; }
    // Paste: Oui (6) or Non (7); count 1..999 and the place (1 at the selection, 2 before it,
    // 3 at the end).
    virtual int Coller(const std::string& question, int32_t& nombre, int& place)
    { (void)question; (void)nombre; (void)place; return ResultatModalNon; }
    // Time signature: numerator 1..32, denominator 1, 2, 4, 8, 16 or 32, written into the
    // current measure or every measure from it to the last.
    virtual int Signature() { return ResultatModalAnnuler; }
    // Repeat count 1..99 into NbRenvois; alternate ending number 1..99 into NumRepetition.
    virtual int NombreRenvois() { return ResultatModalAnnuler; }
    virtual int NumeroRepetition(int32_t suggestion) { (void)suggestion; return ResultatModalAnnuler; }
    // Beat text (40 characters), bend amount 0.25..3.0, vibrato stroke (0, 6.0].
    virtual int Texte() { return ResultatModalAnnuler; }
    virtual int Bend() { return ResultatModalAnnuler; }
    virtual int BendRelease() { return ResultatModalAnnuler; }
    virtual int CoupDeVibrato() { return ResultatModalAnnuler; }
    // Grace note and strum, written into the cursor note or beat.
    virtual int NoteGrace(bool noteMorte, int32_t frette) { (void)noteMorte; (void)frette; return ResultatModalAnnuler; }
    virtual int Brush(int direction) { (void)direction; return ResultatModalAnnuler; }
    // Print dialog: pages chosen (0 and 0 = all).
    virtual int Impression(const std::string& imprimante, int32_t& premierePage, int32_t& dernierePage)
    { (void)imprimante; (void)premierePage; (void)dernierePage; return ResultatModalAnnuler; }
    // Assistants: transpose by -12..+12 semitones, confirm the re-split (Oui 6), the range of
    // the automatic fingering, and the let-ring selector (which changes the track itself).
    virtual int Transposer(int32_t& demiTons) { (void)demiTons; return ResultatModalAnnuler; }
    virtual int ConfirmerRedecoupage() { return ResultatModalNon; }
    virtual int PlacementAuto(int32_t& mesureDebut, int32_t& mesureFin) { (void)mesureDebut; (void)mesureFin; return ResultatModalAnnuler; }
    virtual int SelecteurLetRing() { return ResultatModalAnnuler; }
};

// The services in force: the stand-ins until the windows install themselves (nullptr puts the
// stand-in back).
struct ServicesSaisie {
    IAssistantBatterie* Assistant_Bat_Form;
    ISaisiePartition* Sais_Partition;
    IPaletteSolfege* ClassForm;
    IPaletteNuances* DynaForm;
    ISelectionMidi* SelMIDIForm;
    IFenetreAttente* WaitMidiForm;
    ISpeedTrainer* SpeedT_Form;
    IDialogues* Dialogues;
};
ServicesSaisie& Saisie();
void InstallerServicesSaisie(const ServicesSaisie& services); // null members keep the stand-ins
void ReinitialiserServicesSaisie();                           // every stand-in back

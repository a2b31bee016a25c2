#pragma once
// The song and track properties dialog (one resident instance, Sais_Partition): the song's
// title, author, comment, tempo and triplet feel, and on one tab per track its name,
// instrument, string count and tuning (with the tuning presets and listening to the open
// strings), frets, capo, solo, mute, no-export and 12-string flags and its mixer values.
//
// Everything is edited in the working copy ProprietesTempo, filled from the song each time the
// dialog is shown; the shown tab's controls go into it when the tab is left, when the tuning
// is listened to and on OK. Only OK writes the song (dialogs/AppliquerProprietes.h); Cancel and
// every other close leave it untouched.
//
// Opened while a song plays, the dialog locks the controls that would change the sound; the
// end of the playback unlocks them (ActiverControlesLecture).
#include "dialogs/BaseDialogue.h"
#include "dialogs/Services.h"

#include <QDialog>

#include <array>
#include <cstdint>

class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;
class QTabBar;
class QTimer;
class QToolButton;

// Mixer values 0..127 and the 21 positions of the track bars. A value read back from a bar
// that still shows the value's own position keeps the value, so that showing a tab and
// confirming changes no mixer value the user did not move (100 would otherwise become 102).
int32_t PositionBarreMix(int32_t valeur);
int32_t ValeurBarreMix(int32_t position, int32_t valeurAvant);

class TSais_Partition : public FenetreControlesDifferes<QDialog>, public ISaisiePartition {
    Q_OBJECT

public:
    static constexpr int ContexteAide = 3;

    explicit TSais_Partition(QWidget* parent = nullptr, Controles controles = Controles::ALaCreation);

    // ---- Controls (objectName = member name) ----
    QLabel* LabTitre = nullptr;
    QLineEdit* Titre = nullptr;
    QLabel* LabAuteur = nullptr;
    QLineEdit* Auteur = nullptr;
    QLabel* LabCom = nullptr;
    QLineEdit* Note = nullptr;
    QLabel* LabTempo = nullptr;
    QLineEdit* Tempo = nullptr;
    QToolButton* BT_TempoUp = nullptr;
    QToolButton* BT_TempoDown = nullptr;
    QCheckBox* Triplet = nullptr;
    QLabel* TripletIm1 = nullptr;
    QLabel* TripletIm2 = nullptr;
    QLabel* Image4 = nullptr;

    QTabBar* TabPiste = nullptr;
    QLabel* Lab_NomPiste = nullptr;
    QLineEdit* NomPiste = nullptr;
    QLabel* Lab_Instrument = nullptr;
    QLabel* Instrument = nullptr;
    QToolButton* InstrumentUp = nullptr;
    QToolButton* InstrumentDown = nullptr;
    QToolButton* BT_Instrument = nullptr;
    QLabel* Lab_Biblio = nullptr;
    QComboBox* ModeleList = nullptr;
    QLabel* LabNbCordes = nullptr;
    QLineEdit* NbCordes = nullptr;
    QToolButton* BT_NbCordesUp = nullptr;
    QToolButton* BT_NbCordesDown = nullptr;
    QGroupBox* LabAccordage = nullptr;
    // Tuning rows 1..6 (index 0 unused): listen toggle, string picture (DesCorde1, DesCorde2,
    // Shape3..Shape6), note name, spin buttons with Tag k.
    std::array<QToolButton*, 7> Ecouter{};
    std::array<QWidget*, 7> DessinCorde{};
    std::array<QLineEdit*, 7> NoteCorde{};
    std::array<QToolButton*, 7> BT_CUp{};
    std::array<QToolButton*, 7> BT_CDown{};
    QToolButton* ToutUp = nullptr;
    QToolButton* ToutDown = nullptr;
    QToolButton* EcouterTout = nullptr;
    QLabel* Lab_NbFrets = nullptr;
    QLineEdit* NbFrets = nullptr;
    QToolButton* BT_FretUp = nullptr;
    QToolButton* BT_FretDown = nullptr;
    QLabel* Lab_Capo = nullptr;
    QLineEdit* Capo = nullptr;
    QToolButton* BT_CapoUp = nullptr;
    QToolButton* BT_CapoDown = nullptr;
    QCheckBox* Solo = nullptr;
    QCheckBox* Muette = nullptr;
    QCheckBox* PasExporter = nullptr;
    QCheckBox* DouzeCordes = nullptr;
    QLabel* Lab_Volume = nullptr;
    QSlider* Volume = nullptr;
    QLabel* Lab_Panoramique = nullptr;
    QSlider* Panoramique = nullptr;
    QLabel* Lab_Chorus = nullptr;
    QSlider* Chorus = nullptr;
    QLabel* Lab_Reverb = nullptr;
    QSlider* Reverb = nullptr;
    QFrame* Cache = nullptr;
    QLabel* Lab_Cache1 = nullptr;
    QLabel* Lab_Cache2 = nullptr;
    QLabel* Lab_Cache3 = nullptr;
    QPushButton* BT_OK = nullptr;
    QPushButton* BT_Annuler = nullptr;
    QPushButton* BT_Aide = nullptr;
    // The auto-repeat of a held spin button (one serves all, only one button can be held).
    QTimer* TimerRepetition = nullptr;

    // ---- State ----
    bool AffichageEnCours = false;   // the program is filling NomPiste
    bool FermetureAutorisee = true;  // the next close request is granted
    int NbTopsRepetition = 0;
    int PasRepetition = 0;
    int LigneRepetee = 0;            // the tuning row whose button is held

    // ---- ISaisiePartition ----
    // None of these needs the controls: what only changes them is announced by the signals
    // below, which the controls follow once they are built; they are built with the captions
    // and the preset list, and each showing loads the rest from the song.
    // Shown modally: ResultatModalOK after an accepted OK, else ResultatModalAnnuler.
    int MontrerModal() override;
    void SetVisible(bool visible) override { setVisible(visible); }
    bool Visible() const override { return isVisible(); }
    // Builds the preset table (once, at the main window's first activation) and fills
    // ModeleList from it.
    void InitModelesAccordage() override;
    void RemplirListeModeles() override { emit PresetsChanged(); }
    // Plays the open strings of row CordeEcoutee (0: all) of the shown track from the working
    // copy, into which the shown tab is read first.
    void JouerCordesPiste() override;
    // Rows 1 and 2 shown and enabled by the working string count and the playing state.
    void ActualiserCordesPiste() override { emit StringRowsChanged(); }
    bool BoutonEcouteEnfonce() const override;
    // false: the controls a playback must not change are disabled; true: enabled again by
    // their own rules.
    void ActiverControlesLecture(bool actif) override { emit PlaybackLockChanged(!actif); }
    void Traduire() override { emit LanguageChanged(); }

    // One tick of the held button's auto-repeat; nothing while no spin button is held.
    void TimerRepetitionTimer();

    // The working string count of the shown track.
    int32_t NbCordesOnglet() const;
    // A song is playing (Ac_Son_Stop enabled).
    static bool LectureActive();

signals:
    void LanguageChanged();
    void PresetsChanged();
    void StringRowsChanged();
    void PlaybackLockChanged(bool locked);
    // The open strings are about to be played: the shown tab goes into the working copy.
    void AuditionStarting();

protected:
    void showEvent(QShowEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void done(int resultat) override;

private:
    enum class Spin { Aucun, Tempo, Capo, Frettes, Instrument, Ligne };
    Spin spinRepete_ = Spin::Aucun;
    bool jeuEnCours_ = false;
    // The listen toggles held down (0 EcouterTout, rows 1..6), as the toggles report them.
    std::array<bool, 7> ecoutesEnfoncees_{};

    // ---- Handlers and routines: they work on the controls, which are built by then ----
    // What each showing does: everything rebuilt from the song.
    void FormActivate();
    void AfficherProprietesMorceau();
    void LireProprietesMorceau();
    void AfficherProprietesPiste();
    void LireProprietesPiste();
    void AfficherAccordage();
    void AfficherCachePercussions();
    void RemplirOngletsPistes();
    void TraduirePartition();
    // The checks of a tab change and of OK; a refusal has shown its box and focused the field.
    bool ValiderProprietes();
    // Tab change: checked and stored before the switch (false keeps the tab).
    bool TabPisteChanging();
    void TabPisteChange();
    void BT_OKClick();
    // Granted exactly when FermetureAutorisee is set; sets it again in every case.
    bool FormCloseQuery();
    void NomPisteChange();
    void SoloClick();
    // Spin clicks: +1 up, -1 down (rows 1..6 for the tuning).
    void ClicTempo(int direction);
    void ClicCapo(int direction);
    void ClicFrettes(int direction);
    void ClicInstrument(int direction);
    void ClicLigne(int ligne, int direction);
    void ClicToutesLignes(int direction);
    void ClicNbCordes(int direction);
    void ModeleListClick(int index);
    // A listen toggle (rows 1..6, 0 EcouterTout) was clicked.
    void EcouterClick(int ligne);
    void BT_InstrumentClick();

    // Wired and captioned in the loaded language, with the preset list; the signals above
    // connected to what they change.
    void CreerControles() override;
    void FillPresetList();
    void ShowStringRows();
    // The pan and reverb captions as wide as their texts need, their bars after them.
    void PlaceMixerCaptions();
    // Row k of the tuning holds one of the shown track's strings.
    bool RowInUse(int k) const;

    void DemarrerSpin(Spin spin, int direction, int ligne = 0);
    void AfficherInstrument();
    void ConstruireLignesAccordage();
    void ConstruireSpin(QToolButton* haut, QToolButton* bas, Spin spin, int ligne = 0);
    void AppliquerVerrouLecture(bool verrouille);
    void RefuserChamp(QLineEdit* champ);
};

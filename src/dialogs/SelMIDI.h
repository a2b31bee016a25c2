#pragma once
// The MIDI import dialog (resident): the user maps the sources of a Standard MIDI File (its
// tracks, or the channels of a format-0 file, as the importer listed them in ListePisteImport)
// onto the eight tracks of the new song. One tab per song track: the source or none, the
// track's name, instrument, strings and their tuning (with the tuning presets and listen
// buttons), frets, a one-octave-down option and the quantisation grid.
//
// OK writes names, programs, string counts, tunings and fret counts of all eight tracks into
// the song and leaves the import choices (PisteSource, OctaveInferieure, Quantification) in
// ProprietesTempo for the importer, which goes on only when ImportValide is set.
//
// The window also carries the eight weights of the fingering optimiser in edits the user never
// sees, below its visible area; their texts are what PoidsDoigte (midi/Doigte.h) holds.
#include "dialogs/BaseDialogue.h"
#include "dialogs/Services.h"

#include <QDialog>
#include <QString>

#include <array>
#include <cstdint>
#include <memory>

class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QTabBar;
class QTimer;
class QToolButton;
class RepetitionSpin;

class TSelMIDIForm : public FenetreControlesDifferes<QDialog>, public ISelectionMidi {
    Q_OBJECT

public:
    static constexpr int ContexteAide = 4;
    static constexpr int HauteurClient = 369; // 96-dpi design; the weight fields lie below it

    // The fingering weights are read either way (LirePoidsDoigte).
    explicit TSelMIDIForm(QWidget* parent = nullptr, Controles controles = Controles::ALaCreation);
    ~TSelMIDIForm() override;

    // ---- Controls ----
    QTabBar* TabPiste = nullptr;
    QLabel* Lab_Sel_piste = nullptr;
    QListWidget* ListePiste = nullptr;
    QPushButton* DeselectionnerPiste = nullptr;
    QLabel* Lab_NomPiste = nullptr;
    QLineEdit* NomPiste = nullptr;
    QLabel* Lab_Instrument = nullptr;
    QFrame* PanelInstrument = nullptr;
    QLabel* Instrument = nullptr;
    QToolButton* InstrumentUp = nullptr;
    QToolButton* InstrumentDown = nullptr;
    QPushButton* BT_Instrument = nullptr;
    QLabel* Lab_Biblio = nullptr;
    QComboBox* ModeleList = nullptr;
    QLabel* LabNbCordes = nullptr;
    QLineEdit* NbCordes = nullptr;
    QToolButton* BT_NbCordesUp = nullptr;
    QToolButton* BT_NbCordesDown = nullptr;
    QGroupBox* LabAccordage = nullptr;
    std::array<QLineEdit*, 7> NoteCorde{};     // rows 1..6
    std::array<QToolButton*, 7> BT_CUp{};      // BT_C1Up .. BT_C6Up
    std::array<QToolButton*, 7> BT_CDown{};    // BT_C1Down .. BT_C6Down
    std::array<QToolButton*, 7> Ecouter{};     // Ecouter1 .. Ecouter6
    std::array<QFrame*, 10> Cordes{};          // DesCorde1, DesCorde2, Shape3 .. Shape9
    QToolButton* EcouterTout = nullptr;
    QFrame* PanelHB = nullptr;
    QToolButton* ToutUp = nullptr;
    QToolButton* ToutDown = nullptr;
    QLabel* Lab_NbFrets = nullptr;
    QLineEdit* NbFrets = nullptr;
    QToolButton* BT_FretUp = nullptr;
    QToolButton* BT_FretDown = nullptr;
    QCheckBox* Transposer = nullptr;
    QLabel* Lab_Quantization = nullptr;
    QRadioButton* CQuantize2 = nullptr;
    QRadioButton* CQuantize4 = nullptr;
    QRadioButton* CQuantize8 = nullptr;
    QRadioButton* CQuantize16 = nullptr;
    QLabel* Image5 = nullptr; // the pictures beside the grids 2, 4, 8, 16
    QLabel* Image3 = nullptr;
    QLabel* Image2 = nullptr;
    QLabel* Image1 = nullptr;
    QFrame* Cache = nullptr;
    QLabel* Lab_Cache1 = nullptr;
    QLabel* Lab_Cache2 = nullptr;
    QLabel* Lab_Cache3 = nullptr;
    QPushButton* BT_OK = nullptr;
    QPushButton* BT_Annuler = nullptr;
    QPushButton* BT_Aide = nullptr;
    std::array<QLineEdit*, 9> Edit{}; // Edit1 .. Edit8: the fingering weights

    // ---- Fields ----
    int32_t PisteOnglet = 1;
    bool ImportValide = false;
    bool FermetureAutorisee = true;
    bool ChargementOnglet = false;
    int32_t CordeRepetee = 1;
    // The held tuning button: its timer, tick count and step.
    QTimer* Timer1 = nullptr;
    int CompteurRepetition = 0;
    int PasRepetition = 0;

    // Shown modally over the sources of ListePisteImport and ProgrammesPistesMidi: true when
    // OK was accepted (ImportValide).
    bool Executer();

    // ---- Operations ----
    // Captions from the loaded language (creation and language switch); controls not built
    // yet take them as they are built.
    void AppliquerTextes() override { emit LanguageChanged(); }
    // Preset list from the tuning presets (once they are built); controls not built yet get
    // it as they are built.
    void RemplirListeModeles() override { emit PresetsChanged(); }
    void SetVisible(bool visible) override { setVisible(visible); }
    bool Visible() const override { return isVisible(); }

    // What every showing does: the sources listed, the import choices reset, the tracks'
    // properties loaded from the song, tab 1 shown.
    void FormActivate();
    void ChargerProprietes();
    void TitresOnglets();
    void ChargerOnglet();
    void EnregistrerOnglet();
    void AfficherCordes();
    void AfficherAccordage();
    void AfficherPercussions();
    void ActiverBoutonOK();
    void EnregistrerProprietes();

    // User actions.
    void ChoisirOnglet(int index);             // tab switch
    void ListePisteClick(int ligne);           // a source chosen
    void DeselectionnerPisteClick();
    void NomPisteChange();
    void BT_InstrumentClick();
    void InstrumentClick(int direction);       // InstrumentUp / InstrumentDown
    void NbCordesClick(int direction);         // BT_NbCordesUp / BT_NbCordesDown
    void CordeClick(int rangee, int direction); // BT_C<r>Up / BT_C<r>Down
    void ToutClick(int direction);             // ToutUp / ToutDown
    void FretClick(int direction);             // BT_FretUp / BT_FretDown
    void ModeleListChange(int index);          // a preset chosen
    void BT_OKClick();

    // Listening.
    void EcouterClick(int rangee);             // Ecouter1 .. Ecouter6 clicked (state already changed)
    void EcouterToutClick();
    void EcouterAccordage();
    // For the media player's end of play: an audition runs, and its repetition (true when a
    // listen button is still down and the audition was started again).
    bool AuditionEnCours() const { return CordeEcoutee >= 0; }
    bool RelancerAudition();
    bool BoutonEcouteEnfonce() const;

    // The weights of the fingering optimiser, as the hidden fields hold them, into PoidsDoigte
    // (their first texts while the fields are not built).
    void LirePoidsDoigte() const;

    // One tick of the held tuning button (row CordeRepetee).
    void Timer1Timer();
    // Auto-repeat of the held instrument and fret buttons.
    RepetitionSpin& RepetitionInstrument() const { return *repetitionInstrument_; }
    RepetitionSpin& RepetitionFrets() const { return *repetitionFrets_; }

    // The entry of ListePiste selected, 0-based; -1 when none.
    int LigneSelectionnee() const;

public slots:
    void done(int resultat) override;

signals:
    void LanguageChanged();
    void PresetsChanged();

protected:
    void showEvent(QShowEvent* e) override;
    bool eventFilter(QObject* objet, QEvent* e) override;

private:
    void ConstruireOnglet();
    void ConstruireAccordage();
    void ConstruirePoids();
    void AfficherInstrument();
    void SelectionnerLigne(int ligne);
    void RelacherEcoutes();
    void TickInstrument(int pas);
    void TickFrets(int pas);

    std::unique_ptr<RepetitionSpin> repetitionInstrument_;
    std::unique_ptr<RepetitionSpin> repetitionFrets_;

    // What the controls show, kept apart from them: the texts of the weight fields (1..8),
    // from which the fields are made and which they write back, and the listen toggles held
    // down (0 EcouterTout, rows 1..6), as the toggles report them.
    std::array<QString, 9> textesPoids_;
    std::array<bool, 7> ecoutesEnfoncees_{};

    // Wired and captioned in the loaded language, with the preset list; the signals above
    // connected to what they change.
    void CreerControles() override;
    void ApplyCaptions();
    void FillPresetList();
    void SetDefaultWeights();
};

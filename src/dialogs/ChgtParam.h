#pragma once
// The mix-table dialog: attaches, changes or removes the mix-table change of the beat under
// the cursor (PisteCourante, Curseur.Temps of the current measure): a new instrument, volume,
// pan, chorus, reverb and tempo from this beat on, each with its own box, the last five with a
// transition of 0 to 8 quarter notes. Values the beat does not change show the track's own.
//
// The beat's change is a shared, immutable record (the undo copy and the cancel-measure copy
// may hold the same one): OK puts a new record in place, built from the old one, and never
// writes into the old record.
#include <QDialog>

#include <cstdint>
#include <memory>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;
class QToolButton;
class RepetitionSpin;

// Between the 0..127 values and the 21 positions of the track bars (rounded half to even).
int32_t PositionDepuisValeurMix(int32_t valeur);
int32_t ValeurMixDepuisPosition(int32_t position);

class TChgtParamForm : public QDialog {
    Q_OBJECT

public:
    explicit TChgtParamForm(QWidget* parent = nullptr);
    ~TChgtParamForm() override;

    QLabel* Intro = nullptr;
    QLabel* Lab_NewValue = nullptr;
    QLabel* Lab_Transition = nullptr;
    QCheckBox* CB_Instrument = nullptr;
    QCheckBox* CB_Volume = nullptr;
    QCheckBox* CB_Pan = nullptr;
    QCheckBox* CB_Chorus = nullptr;
    QCheckBox* CB_Reverb = nullptr;
    QCheckBox* CB_Tempo = nullptr;
    QComboBox* L_Instrument = nullptr;
    QSlider* J_Volume = nullptr;
    QSlider* J_Pan = nullptr;
    QSlider* J_Chorus = nullptr;
    QSlider* J_Reverb = nullptr;
    QLineEdit* J_Tempo = nullptr;
    QToolButton* BT_TempoUp = nullptr;
    QToolButton* BT_TempoDown = nullptr;
    QComboBox* L_Volume = nullptr;
    QComboBox* L_Pan = nullptr;
    QComboBox* L_Chorus = nullptr;
    QComboBox* L_Reverb = nullptr;
    QComboBox* L_Tempo = nullptr;
    QPushButton* BT_OK = nullptr;
    QPushButton* BT_Annuler = nullptr;
    QPushButton* BT_Clear = nullptr;

    bool FermetureAutorisee = true;

    // Captions from the loaded language (at creation).
    void AppliquerTextes();
    // What the showing does: the instrument list, the beat's values, the visible controls.
    void FormActivate();
    void RemplirListeInstruments();
    void ChargerTableMix();
    void AfficherControles();
    void BT_ClearClick();
    // Checks the tempo, then writes the beat's change (or removes it) and closes with OK.
    void BT_OKClick();
    // The auto-repeat of the held tempo buttons.
    RepetitionSpin& Repetition() const { return *repetition_; }

protected:
    void showEvent(QShowEvent* e) override;

private:
    bool VerifierTempo();
    void ClicTempo(int direction);
    void TickTempo(int pas);

    std::unique_ptr<RepetitionSpin> repetition_;
};

// The mix-table command's dialog, modal on the cursor beat: true on OK (the beat's change is
// then created, changed or removed), false on Cancel (the beat untouched).
bool ExecuterTableMix(QWidget* parent = nullptr);

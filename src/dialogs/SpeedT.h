#pragma once
// The speed trainer: a range of measures played over and over while the tempo moves by a
// fixed step after every pass, from a start tempo towards an end tempo. This is its parameter
// window (resident: its five edits keep the last values between uses until another song is
// loaded) and the command that shows it and starts the first pass. The later passes, the
// tempo step and the end of the training belong to playback (midi/Lecture.h), which reads the
// values handed over here.
#include "dialogs/BaseDialogue.h"
#include "dialogs/Services.h"

#include <QDialog>
#include <QString>

#include <array>
#include <cstdint>
#include <memory>

class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;
class RepetitionSpin;

class TSpeedT_Form : public FenetreControlesDifferes<QDialog>, public ISpeedTrainer {
    Q_OBJECT

public:
    static constexpr int ContexteAide = 14;

    explicit TSpeedT_Form(QWidget* parent = nullptr, Controles controles = Controles::ALaCreation);

    QLabel* Lab_Mesure = nullptr;
    QLabel* Lab_a = nullptr;
    QLabel* Lab_Tempo = nullptr;
    QLabel* Lab_a2 = nullptr;
    QLabel* Lab_Variation = nullptr;
    QLineEdit* MesDeb = nullptr;
    QLineEdit* MesFin = nullptr;
    QLineEdit* TempoDeb = nullptr;
    QLineEdit* TempoFin = nullptr;
    QLineEdit* Variation = nullptr;
    QToolButton* MesDebUp = nullptr;
    QToolButton* MesDebDown = nullptr;
    QToolButton* MesFinUp = nullptr;
    QToolButton* MesFinDown = nullptr;
    QToolButton* TempoDebUp = nullptr;
    QToolButton* TempoDebDown = nullptr;
    QToolButton* TempoFinUp = nullptr;
    QToolButton* TempoFinDown = nullptr;
    QToolButton* VariationUp = nullptr;
    QToolButton* VariationDown = nullptr;
    QPushButton* BT_OK = nullptr;
    QPushButton* BT_Annuler = nullptr;
    QPushButton* BT_Aide = nullptr;

    bool FermetureAutorisee = true;

    ~TSpeedT_Form() override;

    // Shown modally; fills its empty edits from the song first. QDialog::Accepted after an OK
    // whose entries passed the checks.
    int MontrerModal();

    // The five values as numbers (after an OK they are valid; 0 for an empty entry).
    int32_t ValeurMesDeb() const;
    int32_t ValeurMesFin() const;
    int32_t ValeurTempoDeb() const;
    int32_t ValeurTempoFin() const;
    int32_t ValeurVariation() const;

    // The auto-repeat of the held buttons of edit k (1 MesDeb, 2 MesFin, 3 TempoDeb,
    // 4 TempoFin, 5 Variation).
    RepetitionSpin& Repetition(int numero) const;

    // ISpeedTrainer: the five entries emptied, so that the next showing fills them from the
    // song (another song was loaded or imported).
    void ViderChamps() override;
    void SetVisible(bool visible) override { setVisible(visible); }
    bool Visible() const override { return isVisible(); }

signals:
    // The entries changed other than by typing: the edits, once built, show them again.
    void EntriesChanged();

protected:
    void showEvent(QShowEvent* e) override;

private:
    // Wired; captioned at each showing.
    void CreerControles() override;
    // Captions from the loaded language (at every showing).
    void AppliquerTextes();
    // What every showing does: captions, the empty entries filled from the song, MesDeb focused.
    void FormActivate();
    // The checks of OK; the window closes only when they all pass.
    void BT_OKClick();
    // The columns as wide as their captions need, the window with them.
    void LayOutColumns();
    void ShowEntries();
    QLineEdit* Edit(int numero) const;
    void Clic(int numero, int direction);
    void Tick(int numero, int pas);
    int Minimum(int numero) const;
    int Maximum(int numero) const;
    void Refuser(int numero);

    // The five entries (1 MesDeb .. 5 Variation, index 0 unused) apart from the edits that show
    // them: they hold the last values between showings, before the edits exist too, and the
    // edits are made from them; typing writes them back.
    std::array<QString, 6> entrees_;
    std::unique_ptr<RepetitionSpin> repetitions_[6];
};

// Empties the speed trainer's fields: the song reader after loading, the MIDI import
// dialog's OK and the Import MIDI command.
void ViderChampsSpeedTrainer();

// Ac_Ass_SpeedTrainer (F7): shows the window and starts the first pass. Nothing without a
// working sequencer; a song playing is stopped first.
void Ac_Ass_SpeedTrainerExecute(TSpeedT_Form& fenetre);

// Registers the command's handler in the command list, on that window.
void EnregistrerCommandeSpeedTrainer(TSpeedT_Form* fenetre);

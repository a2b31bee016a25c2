#pragma once
// The grace-note dialog: fret (or a dead note), length and dynamic of the grace note of the
// note under the cursor. While the listen toggle is down every choice is written into the
// note at once and the beat played; anything but OK puts the note back as it was.
#include "dialogs/BaseDialogue.h"
#include "document/Variable.h"

#include <QDialog>

#include <array>
#include <cstdint>
#include <memory>

class QButtonGroup;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QToolButton;

class TGraceNoteForm : public QDialog {
    Q_OBJECT

public:
    explicit TGraceNoteForm(QWidget* parent = nullptr);

    QGroupBox* GBDuration = nullptr;
    std::array<QLabel*, 4> Image{};             // 1..3
    std::array<QRadioButton*, 4> CDuration{};   // 1..3: length codes 1, 2, 3
    QGroupBox* GBNote = nullptr;
    QRadioButton* Radio1 = nullptr;              // dead note
    QRadioButton* Radio2 = nullptr;              // fret
    QLineEdit* NbFrets = nullptr;
    QToolButton* BT_FretUp = nullptr;
    QToolButton* BT_FretDown = nullptr;
    QGroupBox* GDyna = nullptr;
    std::array<QToolButton*, 9> BT_DynaNote{};   // 1..8: ppp..fff
    QToolButton* Ecouter = nullptr;
    QPushButton* BT_OK = nullptr;
    QPushButton* BT_Annuler = nullptr;

    void TraduireGraceNote();
    // The activation (the first showing runs it): configured length, the note's own dynamic,
    // the note copied, the listen option taken and the preview run once.
    void Activer();
    // The choice into the cursor note.
    void EcrireGraceNote();
    // The fret field holds a fret of the current track (also for a dead grace note); on OK a
    // failure is shown and the field focused.
    bool ValiderFretteGraceNote(bool avecMessage);
    // The preview: written and played while listening, when the fret is valid.
    void BT_DynaNote_1Click();
    void NbFretsChange();
    void BT_FretUpClick();
    void BT_FretDownClick();
    void BT_OKClick();

    RepetitionSpin& Timer5() { return *timer5_; }

    int32_t DureeCochee() const;
    int32_t NuanceEnfoncee() const;

public slots:
    // Every close: the listen option kept; without OK the note is restored.
    void done(int resultat) override;

protected:
    void showEvent(QShowEvent* e) override;
    bool eventFilter(QObject* objet, QEvent* e) override;

private:
    TNoteCorde copie_;
    bool copieFaite_ = false;
    bool active_ = false;
    bool okPresse_ = false;
    bool radioParCode_ = false;
    QButtonGroup* groupeNuances_ = nullptr;
    std::unique_ptr<RepetitionSpin> timer5_;
};

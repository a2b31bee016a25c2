#pragma once
// The strum dialog: how fast the strum of the beat under the cursor spreads its notes, in the
// direction its command gives. While the listen toggle is down every choice is written into
// the beat at once and played; anything but OK puts the beat back as it was.
#include "document/Variable.h"

#include <QDialog>

#include <array>
#include <cstdint>

class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QToolButton;

class TBrushForm : public QDialog {
    Q_OBJECT

public:
    explicit TBrushForm(QWidget* parent = nullptr);

    // Strum speed written for each radio, fastest first: CDuration0 32 .. CDuration5 1.
    static constexpr std::array<int32_t, 6> Vitesses{32, 16, 8, 4, 2, 1};

    QGroupBox* GBDuration = nullptr;
    std::array<QRadioButton*, 6> CDuration{}; // CDuration0 .. CDuration5
    std::array<QLabel*, 6> Images{};          // by radio: Image6, Image1 .. Image5
    QToolButton* Ecouter = nullptr;
    QPushButton* BT_OK = nullptr;
    QPushButton* BT_Annuler = nullptr;

    // 1 up, 2 down; set before the dialog is shown.
    int32_t Direction = 1;
    int32_t VitesseChoisie = 4;

    void TraduireBrush();
    // The activation (the first showing runs it): copies the beat, checks the configured
    // speed, takes the listen option and, with it on, writes and plays the strum once.
    void Activer();
    // The checked speed and the direction into the cursor beat.
    void EcrireBrush();
    // The preview of a choice: written and played while listening.
    void CDuration1Click();
    void BT_OKClick();

public slots:
    // Every close: the listen option kept; without OK the beat is restored.
    void done(int resultat) override;

protected:
    void showEvent(QShowEvent* e) override;
    bool eventFilter(QObject* objet, QEvent* e) override;

private:
    void DessinerImages();

    TTemps copie_;
    bool copieFaite_ = false;
    bool active_ = false;
    bool okPresse_ = false;
};

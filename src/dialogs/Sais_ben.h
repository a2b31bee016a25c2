#pragma once
// The bend dialog: the bend amount of the note under the cursor, 0.25..3.0 tones.
#include "dialogs/DialogueValeur.h"

class TSais_Bend_Form : public TDialogueMontant {
    Q_OBJECT

public:
    explicit TSais_Bend_Form(QWidget* parent = nullptr);

    QLabel* Valeur = nullptr;
    QLineEdit* Ed_Bend = nullptr;
    QToolButton* BendUp = nullptr;
    QToolButton* BendDown = nullptr;

    void TraduireBend();
    ReelCompact& Cible() override;
};

// The bounds shared by the bend and bend-and-release dialogs.
inline constexpr double kBendPas = 0.25;
inline constexpr double kBendMinimum = 0.25;
inline constexpr double kBendMaximum = 3.0;

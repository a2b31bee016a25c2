#pragma once
// The bend-and-release dialog: the bend amount of the note under the cursor, 0.25..3.0 tones,
// for a bend that is released again.
#include "dialogs/DialogueValeur.h"

class TSais_Release_Form : public TDialogueMontant {
    Q_OBJECT

public:
    explicit TSais_Release_Form(QWidget* parent = nullptr);

    QLabel* Valeur = nullptr;
    QLineEdit* Ed_Release = nullptr;
    QToolButton* ReleaseUp = nullptr;
    QToolButton* ReleaseDown = nullptr;

    void TraduireRelease();
    ReelCompact& Cible() override;
};

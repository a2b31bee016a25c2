#pragma once
// The vibrato-stroke dialog: the amount of the beat effect (above 0, at most 6.0).
#include "dialogs/DialogueValeur.h"

class TSais_CoupVib_Form : public TDialogueMontant {
    Q_OBJECT

public:
    explicit TSais_CoupVib_Form(QWidget* parent = nullptr);

    QLabel* Valeur = nullptr;
    QLineEdit* Ed_CVB = nullptr;
    QToolButton* CVBUp = nullptr;
    QToolButton* CVBDown = nullptr;

    void TraduireCoupVibrato();
    ReelCompact& Cible() override;
};

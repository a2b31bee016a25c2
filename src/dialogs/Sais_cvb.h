#pragma once
// The vibrato-stroke dialog: the amount of the beat effect, 0.5..6.0: what a song file keeps
// (the reader puts 1.0 in place of anything else).
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

#pragma once
// The repeat-count dialog: how many times the repeat that closes at the current measure is
// played (1..99). Setting the repeat mark itself is the command's.
#include "dialogs/DialogueValeur.h"

class TSais_NbRenvFin_Form : public TDialogueEntier {
    Q_OBJECT

public:
    explicit TSais_NbRenvFin_Form(QWidget* parent = nullptr);

    QLabel* NbRenv = nullptr;
    QLineEdit* Ed_NbRenv = nullptr;
    QToolButton* RenvUp = nullptr;
    QToolButton* RenvDown = nullptr;

    void TraduireNbRenvFin();
    int32_t Maximum() const override { return 99; }

protected:
    void Activation() override;
    void Ecrire() override;
};

#pragma once
// The go-to-measure dialog: the measure number 1..NbMesures to make current. What follows
// the change (entry copy, cursor, redraws) is the command's.
#include "dialogs/DialogueValeur.h"

class TSais_AllerA_Form : public TDialogueEntier {
    Q_OBJECT

public:
    explicit TSais_AllerA_Form(QWidget* parent = nullptr);

    QLabel* Mesure = nullptr;
    QLineEdit* Ed_NumMesure = nullptr;
    QToolButton* RenvUp = nullptr;
    QToolButton* RenvDown = nullptr;

    void TraduireAllerA();
    int32_t Maximum() const override;

protected:
    void Activation() override;
    void Ecrire() override;
};

#pragma once
// The alternate-ending dialog: the last pass (1..99) of the ending that starts at the current
// measure. The first pass is not stored: it follows from the endings before, and the command
// shows it in the read-only Ed_De. Setting the ending mark itself is the command's.
#include "dialogs/DialogueValeur.h"

class TSais_NbRepet_Form : public TDialogueEntier {
    Q_OBJECT

public:
    explicit TSais_NbRepet_Form(QWidget* parent = nullptr);

    QLineEdit* Ed_De = nullptr;
    QLabel* Lab_a = nullptr;
    QLineEdit* Ed_NbRepet = nullptr;
    QToolButton* RepetUp = nullptr;
    QToolButton* RepetDown = nullptr;

    // Both fields show the number the next ending would get.
    void Preparer(int32_t premierPassage);

    void TraduireNbRepet();
    int32_t Maximum() const override { return 99; }

protected:
    void Activation() override;
    void Ecrire() override;
};

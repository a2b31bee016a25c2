#pragma once
// The annotation dialog: the text (at most 40 characters) shown above the beat under the
// cursor. Any text is accepted; the command redraws the texts whatever the result.
#include "dialogs/DialogueValeur.h"

class TSais_Txt_Form : public TDialogueSaisie {
    Q_OBJECT

public:
    explicit TSais_Txt_Form(QWidget* parent = nullptr);

    QLabel* Texte = nullptr;
    QLineEdit* Ed_Texte = nullptr;

    void TraduireAnnotation();

protected:
    void Activation() override;
    void Ecrire() override;
};

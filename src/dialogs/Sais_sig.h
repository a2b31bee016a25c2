#pragma once
// The time signature dialog: numerator and denominator of the current measure, or of every
// measure from it to the last, with the nominal length that follows from them. The beats are
// not touched: a measure may come out incomplete or overfull, which its length display shows.
#include "dialogs/DialogueValeur.h"

class QCheckBox;

class TSais_Signat_Form : public TDialogueSaisie {
    Q_OBJECT

public:
    explicit TSais_Signat_Form(QWidget* parent = nullptr);

    QLineEdit* Ed_Sign_Num = nullptr;
    QToolButton* SignNumUp = nullptr;
    QToolButton* SignNumDown = nullptr;
    QLineEdit* Ed_Sign_Den = nullptr;
    QToolButton* SignDenUp = nullptr;
    QToolButton* SignDenDown = nullptr;
    QCheckBox* ApplyAll = nullptr;

    // Set by an OK that wrote the measures; the command reads it after the close.
    bool SignatureModifiee = false;

    void TraduireSignature();
    void SignNumUpClick();
    void SignNumDownClick();
    void SignDenUpClick();
    void SignDenDownClick();
    bool ValiderSignature();

    RepetitionSpin& RepetitionNumerateur() { return *repNum_; }
    RepetitionSpin& RepetitionDenominateur() { return *repDen_; }

protected:
    void Activation() override;
    bool Valider() override { return ValiderSignature(); }
    void Ecrire() override;

private:
    std::unique_ptr<RepetitionSpin> repNum_;
    std::unique_ptr<RepetitionSpin> repDen_;
};

// The denominators a measure may have.
bool DenominateurValide(int32_t d);

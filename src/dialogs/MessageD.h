#pragma once
// The message box of the system: one modal box per message, laid out around its text, its
// button captions taken from the loaded language.
#include "document/Mess.h"

#include <QDialog>

class QLabel;
class QPushButton;

class TMessageD : public QDialog {
    Q_OBJECT

public:
    // Builds and lays out the box for one message; `echelle` is pixels per inch / 96, taken
    // from the screen when not given.
    explicit TMessageD(const MessageAffiche& message, QWidget* parent = nullptr, double echelle = 0.0);

    double Echelle() const { return echelle_; }
    const DispositionMessage& Disposition() const { return disposition_; }
    QPushButton* Bouton(BoutonMessage b) const { return boutons_[b]; }

    // Moves the box to its place on the screen (centred, or at the fixed place).
    void Placer();

    QLabel* Texte = nullptr;
    QLabel* Image_Inf = nullptr;
    QLabel* Image_Err = nullptr;
    QLabel* Image_War = nullptr;
    QLabel* Image_Conf = nullptr;
    QPushButton* BT_OK = nullptr;
    QPushButton* BT_Oui = nullptr;
    QPushButton* BT_Non = nullptr;
    QPushButton* BT_Annuler = nullptr;
    uint8_t BoutonDefaut = DefautOK;
    uint8_t Centrer = 1;

public slots:
    // The close box (and anything else that rejects the box) answers Annuler.
    void reject() override;

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void showEvent(QShowEvent* e) override;

private:
    void Disposer();
    void TraduireBoiteMessage();

    MessageAffiche message_;
    double echelle_ = 1.0;
    DispositionMessage disposition_;
    std::array<QPushButton*, 4> boutons_{};
};

// Shows the message in a TMessageD and returns its answer.
int AfficherMessageD(const MessageAffiche& message);

// Makes TMessageD the box of every AfficherMessage; the program calls it at start.
void InstallerMessageD();

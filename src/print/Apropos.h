#pragma once
// The About window of the Help menu: product name, version, rights notice, the program's web
// address as a link, pictures, and the credits ending with the translator of the loaded
// language file.
#include "controls/CxLabel.h"

#include <QDialog>
#include <QLabel>

class QFrame;
class QPushButton;
class QScrollArea;

class TAproposForm : public QDialog {
    Q_OBJECT

public:
    static constexpr const char* NumeroVersion = "2.2";
    static constexpr const char* AdresseWeb = "http://www.lyrandaxis.com";

    explicit TAproposForm(QWidget* parent = nullptr);

    QFrame* Panel1 = nullptr;
    QFrame* Panel2 = nullptr;
    QFrame* Panel3 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Version = nullptr;
    QLabel* Droits = nullptr;
    QLabel* Image2 = nullptr;
    // The program's web address; a click opens it through the desktop (InstallerLanceurLien
    // chooses who opens links).
    TCxURLLabel* CxURLLabel1 = nullptr;
    QFrame* Panel4 = nullptr;
    QLabel* Image1 = nullptr;
    QScrollArea* ScrollBoxThanks = nullptr;
    QLabel* PatcheAuteur = nullptr;
    QPushButton* BT_OK = nullptr;

    // Captions from the loaded language ("DLG_000" line 1, "GENE_000" lines 1 and 2).
    void TraduireAPropos();
    // The logo at Panel3's top right corner, and the translator's line.
    void FormActivate();

    // The pictures, drawn by code.
    static QImage Logo(int cote);
    static QImage Illustration(int largeur, int hauteur);

protected:
    void showEvent(QShowEvent* e) override;
};

// The Help > About command: the window shown modally, then released.
void AfficherAPropos();

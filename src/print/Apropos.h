#pragma once
// The About window of the Help menu: product name, version, rights notice, the program's web
// address as a link, pictures, and the credits ending with the translator of the loaded
// language file.
#include <QDialog>
#include <QLabel>

#include <functional>

class QFrame;
class QPushButton;
class QScrollArea;

// A label that stands for a link: underlined, in the highlight colour, a hand cursor; a click
// opens URL, or the caption when URL is blank, and marks the link visited (purple). A plain
// stand-in for the component library's web-link label.
class EtiquetteLien : public QLabel {
    Q_OBJECT

public:
    explicit EtiquetteLien(const QString& legende, QWidget* parent = nullptr);

    QString URL;
    bool Visited() const { return visite_; }
    void SetVisited(bool visite);
    // The target a click opens: URL when it is not blank, else the caption; empty when both
    // are blank.
    QString Cible() const;
    // What a click does.
    void Click();

protected:
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    void MettreCouleur();
    bool visite_ = false;
};

// Who opens links (the desktop's browser by default). Tests install their own; an empty
// function puts the default back. Returns whether the link was opened.
using OuvreurLienAPropos = std::function<bool(const QString& lien)>;
void InstallerOuvreurLienAPropos(OuvreurLienAPropos ouvreur);

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
    EtiquetteLien* CxURLLabel1 = nullptr;
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

#pragma once
// The text tablature export window: the rendered text of the current track in an editable
// memo, the page width with its spin buttons and refresh button, saving the memo to a *.tab
// file and printing it as plain text. The export reads the song and never changes it; the page
// width chosen is kept in Configuration.NbColASCII.
#include <QDialog>

#include <cstdint>
#include <string>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTimer;
class QToolButton;
class QWidget;

class TTestASCIForm : public QDialog {
    Q_OBJECT

public:
    explicit TTestASCIForm(QWidget* parent = nullptr);

    QPlainTextEdit* MemoASCII = nullptr;
    QWidget* PanelHaut = nullptr;
    QWidget* PanelBas = nullptr;
    QToolButton* BT_Imprimer = nullptr;
    QLabel* Lab_Colonne = nullptr;
    QLineEdit* NbCol = nullptr;
    QToolButton* CVBUp = nullptr; // Tag 1
    QToolButton* CVBD = nullptr;  // Tag -1
    QToolButton* BT_Repaginer = nullptr;
    QPushButton* BT_Enregistrer = nullptr;
    QPushButton* BT_Annuler = nullptr;
    QPushButton* BT_Aide = nullptr;
    QPushButton* Default = nullptr; // takes Enter so that it triggers nothing
    QTimer* Timer1 = nullptr;

    int32_t NbTopsRepetition = 0;
    int32_t PasRepetition = 1;
    // Whether the next close request is granted; a refused one is followed by a granted one.
    bool FermetureAutorisee = true;

    // Asks for the file name (proposed from the song) and saves the memo; closes the window
    // after a successful save.
    void BT_EnregistrerClick();
    void BT_ImprimerClick();
    void BT_RepaginerClick();
    void CVBUpClick();
    void CVBDownClick();
    void CVBUpMouseDown();
    void CVBDownMouseDown();
    void CVBUpMouseUp();
    void CVBDownMouseUp();
    void Timer1Timer();
    void BT_AideClick();
    void TraduireExportASCII();

    // The save dialog's proposal for the song: folder and file name (UTF-8).
    static std::string RepertoirePropose();
    static std::string NomPropose();

public slots:
    void done(int resultat) override;

protected:
    void showEvent(QShowEvent* e) override;
    bool eventFilter(QObject* objet, QEvent* e) override;

private:
    void PlacerBoutons();
    void Pas(int32_t pas);
};

// Renders the current track into the window's memo (hourglass meanwhile).
void ExporterASCII(TTestASCIForm& dialogue);

// Writes the memo's lines to the file, each followed by CR LF; the error box and false when
// the file cannot be written.
bool EnregistrerFichierASCII(TTestASCIForm& dialogue, const std::string& nomFichier);

// The File > Export > ASCII tablature command: the window is created over `proprietaire`,
// rendered, shown modally and released.
void ExecuterExportASCII(QWidget* proprietaire);

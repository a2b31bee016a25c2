#pragma once
// The text tablature import window: a memo to paste or type tablature into, or to fill from a
// text file, the duration mode and the dashes per quarter note, printing the memo, and the
// Import button. The window writes nothing into the song: the caller parses the memo after
// the window closed with OK (ExecuterImportASCII does both).
#include <QDialog>

#include <string>

class QComboBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QToolButton;
class QWidget;

class TImpASCIIForm : public QDialog {
    Q_OBJECT

public:
    explicit TImpASCIIForm(QWidget* parent = nullptr);

    QPlainTextEdit* MemoASCII = nullptr;
    QWidget* PanelHaut = nullptr;
    QWidget* PanelBas = nullptr;
    QToolButton* BT_Ouvrir = nullptr;
    QToolButton* BT_Imprimer = nullptr;
    QLabel* Lab_ImporterEn = nullptr;
    QComboBox* TypeImport = nullptr;  // 0 variable, 1 half .. 4 sixteenth notes
    QLabel* Image1 = nullptr;         // a small quarter-note picture
    QLabel* Lab_DeuxPoints = nullptr;
    QComboBox* NbTirets = nullptr;    // "1" .. "8" dashes per quarter note
    QLabel* InfoImp = nullptr;
    QPushButton* BT_Importer = nullptr;
    QPushButton* BT_Annuler = nullptr;
    QPushButton* BT_Aide = nullptr;

    // The text shown when a file cannot be read (Windows-1252).
    std::string MessageFichierIllisible;
    // The caption as loaded; the name of an opened file is appended to it.
    QString TitreDialogue;
    // The file loaded into the memo while this window lived (UTF-8 path; empty when none).
    std::string FichierCharge;

    // Loads a text file chosen in the open dialog into the memo; false when cancelled or when
    // the file cannot be read or is not text (the memo then keeps its text).
    bool ChargerTexteASCII();
    // Loads that file without asking (what the open dialog's choice leads to).
    bool ChargerFichierASCII(const std::string& chemin);
    void BT_ImprimerClick();
    // Import: refused with a message when the text holds no tablature.
    void BT_ImporterClick();
    void TypeImportChange();
    void NbTiretsChange();
    void ActiverNbTirets();
    void BT_AideClick();
    void TraduireImportASCII();

protected:
    void showEvent(QShowEvent* e) override;
    bool eventFilter(QObject* objet, QEvent* e) override;

private:
    void PlacerBoutons();
    // Set while the lists are filled or selected from code: their change handlers then do
    // nothing, so the configuration only takes the user's choices.
    bool remplissage_ = false;
};

struct TFrettesOmisesASCII;

// Parses the window's memo into the current track (Configuration.TypeImport and NbTirets give
// the durations); false when the text needed more than 1000 measures. The frets the track
// cannot hold are counted in `omises` when given.
bool ImporterASCII(TImpASCIIForm& dialogue, TFrettesOmisesASCII* omises = nullptr);

// The File > Import > ASCII tablature command's window: created over `proprietaire` with an
// empty memo and shown modally; on OK the memo is parsed into the current track under the
// hourglass, and a box tells the frets left out and the text past 1000 measures. Returns the modal result (1 OK, 2 Cancel); `cheminTexte` receives the file loaded
// in the window, empty when the text was typed or pasted.
int ExecuterImportASCII(QWidget* proprietaire, std::string& cheminTexte);

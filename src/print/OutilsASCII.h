#pragma once
// What the text tablature export and import windows share: their fonts and sizes, the memo's
// lines in Windows-1252, the places of the bottom buttons, printing the memo as plain text,
// and the file and printer dialogs they open (a seam that tests replace).
#include <QFont>
#include <QIcon>
#include <QString>
#include <QStringList>

#include <string>
#include <vector>

class QPlainTextEdit;
class QPrinter;
class QPushButton;
class QWidget;

// A length of the 96-pixels-per-inch design on this screen.
int LongueurEcranASCII(int longueur);

// "MS Sans Serif" 8 of the dialogs, and the memo's "Courier" of height 11 pixels (a fixed
// pitch, so that columns stand under each other).
QFont PoliceDialogueASCII();
QFont PoliceMemoASCII();

// The text area both windows show the tablature in: fixed font, black text, no wrapping,
// both scroll bars always there.
class QPlainTextEdit;
class QWidget;
QPlainTextEdit* CreerMemoASCII(QWidget* parent);

// The pieces both windows are built of: a flat button showing a glyph, a push button that
// leaves Enter to the default one, a panel of a fixed height, and the column layout without
// margins that stacks the top panel, the memo and the bottom panel.
class QToolButton;
class QVBoxLayout;
QToolButton* BoutonGlypheASCII(QWidget* parent, const char* nom, const char* glyphe);
QPushButton* BoutonASCII(QWidget* parent, const char* nom, const char* legende);
QWidget* PanneauASCII(QWidget* parent, const char* nom, int hauteur);
QVBoxLayout* DispositionASCII(QWidget* fenetre);
// The bottom panel's buttons: the window's own action, then "&Annuler" and "&Aide", each
// 75 x 25 on the panel's row (PlacerBoutonsBasASCII sets them along the right edge).
void CreerBoutonsBasASCII(QWidget* panneau, const char* nomAction, const char* legendeAction, QPushButton*& action,
                          QPushButton*& annuler, QPushButton*& aide);

// The small pictures of the glyph buttons: "imprimer" (a printer), "repaginer" (a round
// arrow), "ouvrir" (an open folder), "noire" (a quarter note).
QIcon GlypheASCII(const char* nom);

// Windows-1252 bytes to and from the interface.
QString TexteQtASCII(const std::string& cp1252);
std::string TexteCp1252ASCII(const QString& texte);

// The memo's lines as the text tablature routines take them (an empty memo has no line), and
// the memo filled from such lines.
std::vector<std::string> LignesMemoASCII(const QPlainTextEdit& memo);
void RemplirMemoASCII(QPlainTextEdit& memo, const std::vector<std::string>& lignes);

// The bottom row, aligned on the right edge of a panel `largeur` pixels wide: `droite` ends 12
// pixels before the edge, `milieu` 8 pixels before `droite`, `gauche` 8 before `milieu`.
void PlacerBoutonsBasASCII(int largeur, QPushButton* gauche, QPushButton* milieu, QPushButton* droite);

// The lines on each printed page when `lignesParPage` fit on one (at least one per page).
std::vector<QStringList> PaginerASCII(const QStringList& lignes, int lignesParPage);

// Sends the lines as plain text to the printer, in `police` at its screen size, one line
// under the other from the top of the printable area, a new page when a page is full; lines
// longer than the page are cut at its edge. The document is named `titre`.
void ImprimerTexteASCII(QPrinter& imprimante, const QStringList& lignes, const QFont& police, const QString& titre);

// The file and printer dialogs of the text tablature windows. Paths are UTF-8.
class IDialoguesASCII {
public:
    virtual ~IDialoguesASCII() = default;
    // The save dialog of the export: in `repertoire` (when not empty) with `nomPropose` as its
    // file name; it does not ask about replacing a file itself. False when cancelled.
    virtual bool ChoisirFichierExport(QWidget* parent, const std::string& repertoire, const std::string& nomPropose,
                                      std::string& chemin);
    // The open dialog of the import, with an empty file name; the file must exist.
    virtual bool ChoisirFichierImport(QWidget* parent, std::string& chemin);
    // The printer selection dialog; true when confirmed.
    virtual bool ChoisirImprimante(QWidget* parent, QPrinter& imprimante);
};

IDialoguesASCII& DialoguesASCII();
void InstallerDialoguesASCII(IDialoguesASCII* dialogues); // nullptr puts the Qt dialogs back


#pragma once
// The song browser: a folder tree, the song files of the chosen folder (optionally of all its
// subfolders) in a sortable list, and the summary of the selected song. Selecting a file loads
// it as the editor's current song; with Listen down it also plays, and the jump option plays
// only the first measures of each song before moving on to the next file by itself.
//
// The folders are read through print/BrowseLogique.h; the window keeps its column widths, jump
// option and folder in the "Browser" section of the settings file, and its placement and the
// width of its tree in the "Browser" section of "Lyrx.ini" through its form storage.
#include "print/BrowseLogique.h"

#include <QDialog>
#include <QTreeWidgetItem>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class EtiquetteStatut;
class QLabel;
class QSplitter;
class QStatusBar;
class QToolButton;
class QTreeWidget;
class QWidget;
class TCxDirectoryTree;
class TCxLineComboBox;
class TFormStorage;

// A list item and its song file.
class ElementMorceau : public QTreeWidgetItem {
public:
    explicit ElementMorceau(cLigneList ligne);
    const cLigneList& Ligne() const { return ligne_; }
    // Ascending order by the list's sort column (names and folders without letter case, sizes
    // and dates as numbers).
    bool operator<(const QTreeWidgetItem& autre) const override;

private:
    cLigneList ligne_;
};

class TBrowseForm : public QDialog {
    Q_OBJECT

public:
    explicit TBrowseForm(QWidget* parent = nullptr); // FormCreate
    ~TBrowseForm() override;

    // ---- Controls ----
    QWidget* Panel1 = nullptr;
    QToolButton* BT_Fermer = nullptr;
    QToolButton* BT_ScannerSousRep = nullptr;
    QToolButton* Ecouter = nullptr;  // checkable: Listen
    TCxLineComboBox* JumpAfter = nullptr; // 0 no jump, 1..6 after 1, 2, 5, 10, 25 bars, the score
    QToolButton* StopButton = nullptr; // hidden: glyph of the scan button while a scan runs
    QToolButton* SubDir = nullptr;     // hidden: its glyph otherwise
    QSplitter* Splitter1 = nullptr;
    QWidget* Panel_Gauche = nullptr;
    TCxDirectoryTree* SystemTreeView1 = nullptr;
    QWidget* Panel_Droite = nullptr;
    QTreeWidget* ListView1 = nullptr;
    QWidget* Panel3 = nullptr;
    QLabel* Lab_Title = nullptr;
    QLabel* Lab_Author = nullptr;
    QLabel* Lab_Note = nullptr;
    QLabel* Lab_Bars = nullptr;
    QLabel* Lab_GBD = nullptr;
    QLabel* TitleLib = nullptr;
    QLabel* AuthorLib = nullptr;
    QLabel* NoteLib = nullptr;
    QLabel* NbBarLib = nullptr;
    QLabel* NbGBDLib = nullptr;
    QStatusBar* StatusBar1 = nullptr;
    TFormStorage* FormStorage1 = nullptr; // placement and Panel_Gauche.Width

    // ---- State ----
    int ColonneTri = ColonneNom;
    bool TriCroissant = true;
    bool ArbreModifiable = true;
    bool ScanEnCours = false;
    std::string RepertoireInitial;

    // Texts of the status bar (panel 0 the count, panel 1 what is being done), whole: the
    // panels show them shortened to their width.
    QString TexteStatut(int panneau) const;

    // ---- Behaviour ----
    // The first showing: settings, score-only layout of the main window, the folder listed.
    void FormActivate();
    // The folder shown by the tree (file-system bytes, no trailing "/" except for the root); empty
    // while none is selected.
    const std::string& Directory() const { return repertoire_; }
    // Selects the folder in the tree without listing it. A folder that does not exist is
    // reported ("The %s directory does not exist") and nothing changes: false. The path is
    // file-system bytes.
    bool SetDirectory(const std::string& chemin);
    // The tree's folder changed: the list is emptied and filled again with its songs.
    void SystemTreeView1Change();
    // The scan button: starts listing the subfolders too, or stops a running scan.
    void BT_ScannerSousRepClick();
    void BasculerBoutonScanner();
    // A click on a column header: that column ascending, or the direction flipped.
    void ListView1ColumnClick(int colonne);
    // An item became selected: its song loaded (and played when Listen is down).
    void ListView1SelectItem(QTreeWidgetItem* element);
    // The song of the item loaded, the summary shown; without an item the summary emptied.
    void AfficherResumeMorceau(QTreeWidgetItem* element);
    // Listen pressed or released.
    void EcouterClick();
    // After a playback that ended by itself: with Listen down, the next song of the list is
    // selected (which loads and plays it); nothing after the last one, nor while the list is
    // hidden by a listing.
    void SelectionnerMorceauSuivant();
    // The jump item (0..6).
    int SautApres() const;
    // Captions from the loaded language.
    void TraduireBrowse();

    // Told at every folder the listing enters (tests stop a scan from here).
    std::function<void(const std::string& dossier)> AuDebutDossier;

protected:
    void showEvent(QShowEvent* e) override;
    void done(int resultat) override;

private:
    void FormClose();
    void ViderListe();
    void RemplirListe(std::vector<cLigneList>& lignes);
    void ViderResume();
    void AfficherCompte();
    // The follower of a listing: status texts, pending messages, and whether to go on.
    SuiviListe Suivi(bool scan);
    void ArbreChange();

    std::unique_ptr<TFormStorage> placement_;
    EtiquetteStatut* statut_[2] = {nullptr, nullptr};
    QString texteFichiers_ = QStringLiteral("file(s)");
    QString texteRecherche_ = QStringLiteral("Searching");
    QString bulleArreterScan_ = QStringLiteral("Stop the search");
    QString bulleScanner_ = QStringLiteral("List the songs of all subfolders too");
    QString texteChargement_ = QStringLiteral("Loading the song...");
    std::string repertoire_;
    std::string repertoireTravail_; // the process's working folder when the browser opened
    QTreeWidgetItem* dernierSelectionne_ = nullptr;
    bool active_ = false;    // the first showing has run
    bool fermeture_ = false; // closing: a running listing stops
    bool fermee_ = false;    // the settings were written
    bool bloquerArbre_ = false; // the tree's selection is being set from code
};

// The open browser (FenetreParcours of the main window), or nullptr.
TBrowseForm* FenetreParcours();

// ---- What the main window calls ----------------------------------------------------------------

// The Browse command's window, shown modally and released; its modal result.
int ExecuterParcours();
// The playback's end asks for the next song (nothing without an open browser).
void SelectionnerMorceauSuivantParcours();
// The jump item of the open browser, -1 without one.
int SautApresParcours();

#pragma once
// The main window TForm1 (one instance, Form1): its controls, its menus and toolbar built from
// the command list, its creation, its one-time start at first activation, the close request,
// and the small services other parts call (track menu, untitled caption, help file, language
// menu checks, the invalid-entry box).
//
// The command list (editor/Commandes.h) holds every enabled and checked state; the menu items,
// shortcuts and buttons here only mirror it and run its commands.
#include "document/Fenetre.h"
#include "editor/Commandes.h"

#include <QMainWindow>
#include <array>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace platform {
class CanevasQt;
}
class QAction;
class QPainter;
class QTimer;
class QFrame;
class QLabel;
class QMenu;
class QScrollBar;
class QTextEdit;
class QToolButton;
class QWidget;
class TCxMemo;
class TCxToolbar;
class TCxToolbarButton;
struct TMyFont;
class DialoguesEditionQt;
class DialoguesPlagesQt;
class DialoguesPressePapierQt;
class IDialogues;
class TDialoguesFichiers;
class TImage;
class TWaitMidiForm;
class VuePartition;

// ---- Pure helpers of the start-up and the track menu ----------------------------------------

// The file named on the command line: the arguments after the program's name joined by single
// blanks, so that an unquoted path with blanks arrives whole; empty without arguments.
std::string JoindreLigneCommande(const std::vector<std::string>& arguments);

// Caption of the track menu item: "&t - " and the track name, at most 45 characters in all.
std::string LegendeMenuPiste(int piste, std::string_view nomPiste);

// Who keeps the keyboard: the window's keyboard belongs to the hidden memo Ed_Invisible, which
// hands every key to the editor (the window's shortcuts run first). Wherever else in the window
// the focus lands (the menu bar, a button, the central widget), the memo takes it back at the
// next turn of the event loop. Only a control marked by SetKeepsKeyboard keeps it, for keys of
// its own (a text field, a combo box, a list, a slider), and the menu bar while its keyboard
// navigation stands on a title. A key that still reaches the window itself, past its controls
// (what the menu bar's navigation does not use, a key while no control has the focus), is a
// key of the editor all the same: it becomes note entry, and the memo takes the keyboard back.
class TForm1 : public QMainWindow, public IFenetrePrincipale {
    Q_OBJECT
public:
    explicit TForm1(QWidget* parent = nullptr); // the window's creation (FormCreate)
    ~TForm1() override;

    // The file arguments of the command line (without the program's name).
    void DefinirArguments(std::vector<std::string> arguments) { arguments_ = std::move(arguments); }

    // First activation: the start work, run once; every later call (or activation) does
    // nothing.
    void Demarrer();
    bool PremiereActivation() const { return premiereActivation_; }
    // The first activation's work has run to its end.
    bool DemarrageTermine() const { return !premiereActivation_ && !demarrageEnCours_; }

    // The close request: stops playback, asks to save a modified song; false keeps the
    // program running. On true everything is freed and the terminator is called with 0.
    bool FormCloseQuery();
    // What ends the process once the close request has cleaned up; the default leaves the
    // message loop with status 0. Tests put their own so that they survive.
    void DefinirTerminateur(std::function<void(int)> terminateur) { terminateur_ = std::move(terminateur); }

    // ---- Services ----------------------------------------------------------------------------
    void ActualiserMenuPistes() override;
    void AfficherSaisieIncorrecte() override;
    void DefinirFichierAide() override;
    void AfficherAideDialogue(int contexte) override;
    void AfficherAideContexte(const char* contexte) override;
    bool LirePoliceLabel(const char* nomLabel, TMyFont& police) override;
    void AfficherTitreLabel(const char* texte) override;
    void ColorerBoutonPiste(int piste) override;
    bool JouerPendantSaisieCoche(bool valeurConfiguree) override;
    void AfficherLegendeFenetre(const char* legendeUtf8) override;
    void CurseurSablier(bool actif) override;
    void TraiterMessagesEnAttente() override;
    void DefinirFichierLecteurMidi(const char* chemin) override;
    void ArreterLectureEnCours() override;
    void ActualiserCommandes() override;
    void AfficherFichierRecent(int k, const char* legendeUtf8) override;
    void AfficherSeparateurFichiersRecents(bool visible) override;
    void AfficherNumeroMesure(const char* texte) override;
    void AfficherEtatMesure(const char* longueurs, const char* etat, int couleur) override;
    void RafraichirApresNouvellePartition() override;
    void RafraichirApresLecturePartition() override;
    void ZoneSaisieModifiee() override;
    void DimensionnerZoneSaisie(int largeur) override;
    void ReglerDefilementSaisie(int max, int grandPas, bool actif) override;
    void PlacerZoneSaisie(int position, int gauche) override;
    void MontrerPalettePercussion(bool visible) override;
    bool PalettePercussionVisible() override;
    void MontrerPaletteNuances(bool visible) override;
    bool PaletteNuancesVisible() override;
    void ActualiserPorteeSolfege() override;
    void RedessinerPartition() override;
    void RedessinerLignesModifiees(int mesure) override;
    void PlacerCadreMesure() override;
    bool DialogueAllerAMesure() override;
    bool DialogueImportMidi() override;
    // The wait window of the import and the track assistants, made on its first use.
    void MontrerAttenteMidi(bool visible) override;
    void TexteAttenteMidi(const char* texte) override;
    void ProgressionAttenteMidi(int position) override;
    void RedessinerAttenteMidi() override;
    TWaitMidiForm& WaitMidiForm();
    // The MIDI import dialog, resident, made by the program block after this window.
    void DefinirDialogueImportMidi(std::function<bool()> dialogue) { dialogueImportMidi_ = std::move(dialogue); }
    // Playback.
    bool CommandeActive(const char* nom) override;
    void ActiverCommande(const char* nom, bool actif) override;
    bool CommandeCochee(const char* nom) override;
    void CocherCommande(const char* nom, bool coche) override;
    void DesactiverCommandesEdition() override;
    void ReactiverCommandesEdition() override;
    void ActiverTimerMidi(bool actif) override;
    void FermerPalettes(bool& solfege, bool& percussion, bool& dyna) override;
    void RouvrirPalettes(bool solfege, bool percussion, bool dyna) override;
    void EntrerAffichageLecture(bool retenirChoix) override;
    void QuitterAffichageLecture() override;
    void AjusterDefilementPartition() override;
    void AfficherEtatNumeroMesure() override;
    void RedessinerZoneSaisie() override;
    void ControlerCouleurBoutonPiste(int mesure) override;
    bool AuditionProprietesEnCours() override;
    bool RelancerAuditionProprietes() override;
    bool AuditionImportEnCours() override;
    bool RelancerAuditionImport() override;
    void ReactiverProprietesPartition() override;
    int SautParcours() override;
    void ParcoursMorceauSuivant() override;
    bool LecteurMidiOuvert() override;
    // Keys, tracks, the score view and the layout.
    void PisteUpClick() override;
    void PisteDownClick() override;
    void OuvrirMenuFrettes(int x, int y) override;
    void OuvrirPercussionFinLecture() override;
    void ArreterLecturePourClic() override;
    void RelancerLectureApresClic() override;
    void OuvrirMenuPartition(int bande, int x, int y) override;
    void DisposerPanneaux() override;
    void AppliquerPleinEcran(bool actif) override;

    // The window's size changed: the measure is taken as validated without repainting, the
    // panels and the score view's bands are laid out again and the score repainted.
    void FormResize();

    // A song never saved takes the untitled name of the current language, in the caption too.
    void AfficherTitreSansNom();
    // Checks the help-language item whose Tag is LangueAide.
    void CocherLangueAide();
    // Checks the interface-language item whose caption is LangueCourante.
    void CocherLangueLogiciel();

    // ---- Languages --------------------------------------------------------------------------
    // The interface-language submenu: one check item per installed language, built once.
    void ConstruireMenuLangues();
    // A language item chosen: the language file loaded, the dictionary rebuilt and every
    // window that lives as long as the program captioned again. A file that can no longer be
    // read is reported and the language in force stays.
    void Mn_Options_LangueLogNClick(int index);
    // A help-language item chosen (its Tag: 1 French, 2 English, 3 German).
    void Ac_Options_LangueAide1Click(int langue);

    // ---- File dialogs and the printer ---------------------------------------------------------
    TDialoguesFichiers& Dialogues() { return *dialoguesFichiers_; }
    DialoguesEditionQt& DialoguesEdition() { return *dialoguesEdition_; }
    DialoguesPlagesQt& DialoguesPlages() { return *dialoguesPlages_; }
    DialoguesPressePapierQt& DialoguesPressePapier() { return *dialoguesPressePapier_; }
    // The name of the printer the print jobs go to (Windows-1252), and its setup dialog (true
    // when confirmed).
    std::string NomImprimante();
    bool ConfigurerImprimante();

    // ---- Mirrors of the command list ------------------------------------------------------
    void SynchroniserCommande(Cmd c);
    void SynchroniserCommandes();
    // Runs a command from a menu item, a shortcut or a button, then shows its states again
    // (a checkable item or button has changed its look on the click).
    void ExecuterDepuisVue(Cmd c);

    // ---- Controls other parts draw in or read ---------------------------------------------
    TImage* ZoneSaisie() const { return zoneSaisie_; }
    VuePartition* ZoneAffichage() const { return zoneAffichage_; }
    QScrollBar* ScrollBarZoneAffScroll() const { return scrollAffichage_; }
    QScrollBar* ScrollBarZoneSaisie() const { return scrollSaisie_; }
    TCxMemo* Ed_Invisible() const { return edInvisible_; }
    // The hidden rich edit, off screen like the memo; made at its first use (it costs the start
    // a few milliseconds and shows nothing).
    QTextEdit* RichEdit1();
    TCxToolbar* CxToolBar1() const { return toolbar_; }
    QLabel* MessErreur() const { return messErreur_; }
    QLabel* PartNomPiste() const { return partNomPiste_; }
    QLabel* NumMesure() const { return numMesure_; }
    QLabel* NbTps() const { return nbTps_; }
    QLabel* NbTps2() const { return nbTps2_; }
    QToolButton* BoutonPiste(int piste) const { return boutonsPiste_[piste]; }
    QAction* ItemPiste(int piste) const { return itemsPiste_[piste]; }
    QMenu* TurboMenu() const { return turboMenu_; }
    QMenu* PopupMenuAff() const { return popupAffichage_; }
    QMenu* MenuLangueLogiciel() const { return menuLangueLog_; }
    QTimer* TimerMidi() const { return timerMidi_; }
    // The action that holds the shortcut of a command of the command list.
    QAction* Action(Cmd c) const;

    // A control of the window that keeps the keyboard once it has the focus, it and the
    // controls inside it (the rule above the class).
    static void SetKeepsKeyboard(QWidget* controle, bool garde = true);
    static bool KeepsKeyboard(const QWidget* controle);

protected:
    bool event(QEvent* evenement) override;
    void closeEvent(QCloseEvent* evenement) override;
    void resizeEvent(QResizeEvent* evenement) override;
    bool eventFilter(QObject* objet, QEvent* evenement) override;
    void keyPressEvent(QKeyEvent* evenement) override;
    void keyReleaseEvent(QKeyEvent* evenement) override;

private:
    void FormCreate();
    void ConstruireControles();
    void ConstruireActions();
    void ConstruireMenus();
    void ConstruireBarres();
    QAction* AjouterItem(QMenu* menu, Cmd c);
    // A speed button of a command; `parAction`: a toolbar button run through its action.
    TCxToolbarButton* CreerBouton(QWidget* parent, Cmd c, bool parAction = false);
    void GarnirBarre(TCxToolbar* barre, const std::vector<std::vector<Cmd>>& groupes, const QString& espaceurs,
                     bool parAction);
    void AppliquerLegendes();
    void AppliquerDisposition(const struct TDispositionFenetre& d);
    void InstallerImageSaisie(int largeur, int hauteur);
    // True when the song named on the command line was opened.
    bool OuvrirLigneCommande();
    void ToucheRecue(QKeyEvent& evenement);
    void ToucheRelachee(QKeyEvent& evenement);
    void FocusRecu(QWidget* widget);
    // The focus is on a control of this window that must give the keyboard to the memo.
    bool ShouldReclaimKeyboard(const QWidget* widget) const;
    void LibererPartition();
    void RendreFocus();
    // The menus Mn_Mesure, Mn_Note and Mn_Effets, and whether a command's shortcut is held by
    // one of them while it is disabled.
    QMenu* MenuDeCategorie(Categorie c) const;
    bool ShortcutBloque(Cmd c) const;
    void ActiverMenu(QMenu* menu, bool actif);

    bool premiereActivation_ = true; // set at creation, cleared by the first activation
    bool affichageLecture_ = false;        // a playback shows the score only
    bool commandesEditionCoupees_ = false; // a playback turned the edit commands off
    bool menusNoteEffetsActifs_ = true;    // the layout leaves the Note and Effects menus on
    bool demarrageEnCours_ = false;
    bool fermee_ = false;
    bool reclaimQueued_ = false; // the memo takes the keyboard back at the next turn of the loop
    std::vector<std::string> arguments_;
    std::function<void(int)> terminateur_;
    int observateur_ = 0;

    // Per command: its shortcut action, its menu items, its buttons.
    std::vector<QAction*> actions_;
    std::vector<std::vector<QAction*>> items_;
    std::vector<std::vector<TCxToolbarButton*>> boutons_;

    QWidget* fond_ = nullptr;
    TCxToolbar* toolbar_ = nullptr;
    TCxToolbar* barreMesures_ = nullptr; // the top row's other speed buttons
    QFrame* panelNomPiste_ = nullptr;
    QLabel* partNomPiste_ = nullptr;
    QFrame* panel1_ = nullptr;
    QLabel* messErreur_ = nullptr;
    QFrame* bevelTop_ = nullptr;
    QToolButton* pisteUp_ = nullptr;
    QToolButton* pisteDown_ = nullptr;
    std::array<QToolButton*, 9> boutonsPiste_{};
    std::array<QAction*, 9> itemsPiste_{};
    QFrame* panelZoneAffScroll_ = nullptr;
    VuePartition* zoneAffichage_ = nullptr;
    QScrollBar* scrollAffichage_ = nullptr;
    QFrame* panelBarreBoutons2_ = nullptr;
    QFrame* panelBarreBoutons3_ = nullptr;
    QFrame* panelZoneSaisie_ = nullptr;
    TImage* zoneSaisie_ = nullptr;
    // The painters draw on the edit image through this canvas, installed for the engine.
    std::unique_ptr<QPainter> peintreSaisie_;
    std::unique_ptr<platform::CanevasQt> canevasSaisie_;
    QScrollBar* scrollSaisie_ = nullptr;
    QFrame* panelNumMesure_ = nullptr;
    QFrame* panelNbTps_ = nullptr;
    QFrame* panelNbTps2_ = nullptr;
    QFrame* panelTextCom_ = nullptr;
    QLabel* numMesure_ = nullptr;
    QLabel* nbTps_ = nullptr;
    QLabel* nbTps2_ = nullptr;
    QLabel* textCom_ = nullptr;
    TCxMemo* edInvisible_ = nullptr;
    QTextEdit* richEdit1_ = nullptr;
    QWidget* panelFontes_ = nullptr;
    QMenu* menuLangueLog_ = nullptr;
    QMenu* menuLangueAide_ = nullptr;
    QMenu* popupAffichage_ = nullptr;
    QMenu* turboMenu_ = nullptr;
    QMenu* menuMesure_ = nullptr;
    QMenu* menuNote_ = nullptr;
    QMenu* menuEffets_ = nullptr;
    std::array<QAction*, 6> itemsRecents_{}; // 1..5, the separator at 0
    QTimer* timerMidi_ = nullptr;
    std::unique_ptr<DialoguesEditionQt> dialoguesEdition_;
    std::unique_ptr<DialoguesPlagesQt> dialoguesPlages_;
    IDialogues* dialoguesPrecedents_ = nullptr;
    std::unique_ptr<DialoguesPressePapierQt> dialoguesPressePapier_;
    std::unique_ptr<TDialoguesFichiers> dialoguesFichiers_;
    std::function<bool()> dialogueImportMidi_;
    // Owned as a child window; nullptr until an import or an assistant first needs it, so
    // that it costs the start-up nothing.
    TWaitMidiForm* waitMidiForm_ = nullptr;
};

extern TForm1* Form1;

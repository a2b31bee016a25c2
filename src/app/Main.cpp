// The main window's creation, its one-time start at the first activation and the close request.
#include "app/Main.h"

#include "app/CommandesFenetre.h"
#include "app/CommandesFichier.h"
#include "app/DialoguesFichiersQt.h"
#include "controls/CxEdit.h"
#include "dialogs/ChgtParam.h"
#include "dialogs/CommandesAssistants.h"
#include "dialogs/DialoguesEdition.h"
#include "dialogs/DialoguesPlages.h"
#include "dialogs/DialoguesPressePapier.h"
#include "dialogs/Sais_ac.h"
#include "dialogs/Services.h"
#include "document/ConfigFichier.h"
#include "document/Configuration.h"
#include "document/Fichiers.h"
#include "document/Langue.h"
#include "document/Mess.h"
#include "document/Routines.h"
#include "document/Variable.h"
#include "editor/Clavier.h"
#include "editor/CommandesEdition.h"
#include "editor/DessinSaisie.h"
#include "editor/Ed_fct.h"
#include "editor/Ecran.h"
#include "editor/Fontes.h"
#include "editor/LecteurSaisie.h"
#include "editor/Pistes.h"
#include "editor/PressePapier.h"
#include "editor/Scrolling.h"
#include "midi/EtatLecture.h"
#include "midi/Lecture.h"
#include "platform/Cp1252.h"
#include "platform/FichierIni.h"
#include "platform/Sablier.h"
#include "platform/qt/CanevasQt.h"
#include "print/PrefLogique.h"
#include "print/Services.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QLocale>
#include <QPainter>
#include <QTimer>
#include <filesystem>
#include <system_error>

TForm1* Form1 = nullptr;

namespace {

// Play-while-entering and the previews of the edit engine go through the one media player.
struct LecteurSaisieMidi : ILecteurSaisie {
    void FermerLecteur() override { MediaPlayer1().Close(); }
    bool MidiDisponible() const override { return ::MidiDisponible; }
    void JouerTempsSaisi() override { ::JouerTempsSaisi(); }
};
LecteurSaisieMidi lecteurSaisieMidi;

} // namespace

std::string JoindreLigneCommande(const std::vector<std::string>& arguments)
{
    std::string ligne;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        if (i > 0)
            ligne += ' ';
        ligne += arguments[i];
    }
    return ligne;
}

std::string LegendeMenuPiste(int piste, std::string_view nomPiste)
{
    std::string legende(1, '&');
    legende.append(std::to_string(piste)).append(" - ").append(nomPiste);
    if (legende.size() > 45)
        legende.resize(45);
    return legende;
}

// ---- Creation ---------------------------------------------------------------------------------

TForm1::TForm1(QWidget* parent)
    : QMainWindow(parent),
      actions_(NbCommandes, nullptr),
      items_(NbCommandes),
      boutons_(NbCommandes)
{
    setObjectName("Form1");
    Form1 = this;
    terminateur_ = [](int code) { QCoreApplication::exit(code); };
    dialoguesFichiers_ = std::make_unique<TDialoguesFichiers>(this);
    dialoguesEdition_ = std::make_unique<DialoguesEditionQt>(this);
    dialoguesEdition_->DialogueAccord = [this] { return ExecuterDialogueAccord(this); };
    dialoguesEdition_->DialogueTableMix = [this] { return ExecuterTableMix(this); };
    dialoguesPlages_ = std::make_unique<DialoguesPlagesQt>(this);
    dialoguesPlages_->ConfigurerImprimante = [this]() -> std::optional<std::string> {
        if (!ConfigurerImprimante())
            return std::nullopt;
        return NomImprimante();
    };
    dialoguesPressePapier_ = std::make_unique<DialoguesPressePapierQt>(this);
    FormCreate();
}

TForm1::~TForm1()
{
    // The focus moves while the controls go; the memo is no longer there to take it.
    disconnect(qApp, &QApplication::focusChanged, this, nullptr);
    if (timerMidi_)
        timerMidi_->stop();
    Commandes().RetirerObservateur(observateur_);
    InstallerCanevasSaisie(nullptr);
    InstallerSurfacePartition(nullptr);
    if (&DialoguesFichiers() == dialoguesFichiers_.get())
        InstallerDialoguesFichiers(nullptr);
    if (&::DialoguesEdition() == dialoguesEdition_.get())
        InstallerDialoguesEdition(nullptr);
    if (&LecteurSaisie() == &lecteurSaisieMidi)
        InstallerLecteurSaisie(nullptr);
    if (&::DialoguesPressePapier() == dialoguesPressePapier_.get())
        InstallerDialoguesPressePapier(nullptr);
    if (Saisie().Dialogues == dialoguesPlages_.get())
        Saisie().Dialogues = dialoguesPrecedents_;
    canevasSaisie_.reset();
    peintreSaisie_.reset();
    if (&FenetrePrincipale() == this)
        InstallerFenetrePrincipale(nullptr);
    if (Form1 == this)
        Form1 = nullptr;
    // The language lists live as long as the main window.
    TableLangue.clear();
    DictionnaireLangue.clear();
    ListeLangues.clear();
}

void TForm1::FormCreate()
{
    // The start work is still to do.
    premiereActivation_ = true;

    ConstruireControles();
    ConstruireActions();
    ConstruireMenus();
    ConstruireBarres();

    // The hand cursor over the labels that open a dialog when clicked (MAINCLICK; the flat
    // and grabbing hands serve the score view).
    for (QLabel* l : {numMesure_, nbTps_, nbTps2_, messErreur_, partNomPiste_})
        l->setCursor(Qt::PointingHandCursor);

    // (The preview and copy-range flags belong to their dialogs.)
    PrefOuvert = false;
    DialogueAccordOuvert = false;
    PleinEcranActif = false;
    ParcoursEnCours = false;
    ArretDemandeClic = false;
    PressePapierPlein = false;

    // Controls that work unseen stay out of sight.
    for (QWidget* w : {static_cast<QWidget*>(edInvisible_), panelFontes_})
        w->move(-500, w->y());

    // The long-lived tempo list starts empty.
    PileTempo.Vider();

    // The handlers of the command list, and the dialogs, files and player they reach.
    EnregistrerCommandesEdition();
    EnregistrerCommandesPistes();
    EnregistrerCommandesPressePapier();
    EnregistrerCommandesFichier();
    EnregistrerCommandesFenetre();
    EnregistrerCommandesAssistants();
    InstallerDialoguesEdition(dialoguesEdition_.get());
    InstallerDialoguesPressePapier(dialoguesPressePapier_.get());
    dialoguesPrecedents_ = Saisie().Dialogues;
    Saisie().Dialogues = dialoguesPlages_.get();
    InstallerDialoguesFichiers(dialoguesFichiers_.get());
    InstallerLecteurSaisie(&lecteurSaisieMidi);

    // The words of the language; the track-name panel follows the toolbar in the layout.
    AppliquerLegendes();
    SynchroniserCommandes();
    observateur_ = Commandes().AjouterObservateur([this](Cmd c) { SynchroniserCommande(c); });

    resize(1000, 700);
    DisposerPanneaux();
}

// ---- First activation ---------------------------------------------------------------------

bool TForm1::event(QEvent* evenement)
{
    if (evenement->type() == QEvent::WindowActivate && premiereActivation_)
        Demarrer();
    return QMainWindow::event(evenement);
}

void TForm1::Demarrer()
{
    // Letting pending messages run below may deliver another activation: the start work runs
    // once all the same.
    if (!premiereActivation_ || demarrageEnCours_)
        return;
    demarrageEnCours_ = true;

    // The score view's display switches follow the settings.
    Commandes().SetChecked(Cmd::Ac_Ass_MontrerLetRing, Configuration.ShowLetRingNotes);
    Commandes().SetChecked(Cmd::Ac_Ass_MontrerDyna, Configuration.ShowDynamic);

    // The hidden memo takes the keyboard.
    QCoreApplication::processEvents();
    edInvisible_->setFocus();

    // The painters and the print settings; no playback yet.
    InitialiserEcran();
    ServicesImpression().InitialiserImpression();
    EtatLecture.Mode = ModeLectureAucun;
    ToucheDefilement = false;

    // The text styles take the fonts of the settings.
    AppliquerPolices();

    NbAccordsUtilises = 0;

    // Playback and every listen stay silent for the whole run when this fails.
    MidiDisponible = VerifierSequenceurMidi();

    ServicesImpression().CouleurEncre = 0;

    Commandes().SetChecked(Cmd::Ac_Son_JouerSaisie, Configuration.JouerPendantSaisie);
    Commandes().SetChecked(Cmd::Ac_Son_Metronome, Configuration.Metronome);
    Commandes().SetChecked(Cmd::Bt_Son_Metronome, Configuration.Metronome);

    LectureTemps = false;
    Saisie().Sais_Partition->CordeEcoutee = -1;
    Saisie().SelMIDIForm->CordeEcoutee = -1;

    premiereActivation_ = false;

    CocherLangueAide();

    FermetureEnCours = false;
    ModeGlisser = false;
    IgnorerClic = false;
    {
        const QString point = QLocale::system().decimalPoint();
        DefinirSeparateurDecimal(point.size() == 1 && point[0].unicode() < 0x80 ? point[0].toLatin1() : '.');
    }

    // Measure block 1 lives for the whole run.
    if (!Partition.Mesures[1])
        Partition.Mesures[1] = std::make_unique<TMesure>();
    Partition.NbMesures = 1;

    // The new empty song, with the free slot of every track prepared.
    ReinitialiserPartition();
    const int piste = PisteCourante;
    for (int t = 1; t <= kNbPistes; ++t) {
        PisteCourante = t;
        AjouterTempsVide();
    }
    PisteCourante = piste;

    ::AfficherLegendeFenetre();

    CopieMesureEntree = *Partition.Mesures[Partition.MesureCourante];

    // The window laid out as on a resize (the measure drawn with it), the command states. The
    // empty song is drawn before a busy cursor could show, and making that cursor would cost
    // the start more than the drawing.
    Curseur.Temps = 1;
    Curseur.Corde = 1;
    {
        const platform::SablierDiscret sansSablier;
        FormResize();
        RedessinerMesure();
    }
    ActualiserCommandes();

    const bool chansonOuverte = OuvrirLigneCommande();

    MajFichiersRecents();

    // The last working directory, else the user's home: the program's own folder is no place
    // for songs (it is read-only once installed). A song opened from the command line has
    // made its own folder the working one.
    if (!chansonOuverte) {
        std::error_code ec;
        if (!DernierRepertoire.empty())
            std::filesystem::current_path(DernierRepertoire, ec);
        if (DernierRepertoire.empty() || ec)
            QDir::setCurrent(QDir::homePath());
    }

    // The tuning presets of the properties and import dialogs.
    Saisie().Sais_Partition->InitModelesAccordage();
    Saisie().Sais_Partition->RemplirListeModeles();
    Saisie().SelMIDIForm->RemplirListeModeles();

    Splash().FenetrePrincipalePrete = true;

    ConstruireMenuLangues();

    demarrageEnCours_ = false;
    RendreFocus();
}

bool TForm1::OuvrirLigneCommande()
{
    const std::string argument = JoindreLigneCommande(arguments_);
    if (argument.empty())
        return false;
    // Made absolute: the working directory changes right after, and the recent files keep it.
    std::error_code ec;
    std::filesystem::path chemin = std::filesystem::absolute(argument, ec);
    if (ec)
        chemin = argument;
    if (!std::filesystem::is_regular_file(chemin, ec)) {
        const std::string nom = platform::Utf8VersCp1252(PartieNomFichier(argument));
        AfficherMessage(Traduire("Dlg-Erreur"), FormaterMessage1(Traduire("Fichier-Introuvable"), nom), IconeErreur,
                        BoutonOK, DefautOK, PlacementCentre);
        return false;
    }
    if (!OuvrirPartition(chemin.string()))
        return false;
    AfficherTitreLabel(LigneTitrePartition().c_str());
    PartitionModifiee = false;
    ActualiserCommandes();
    for (int t = 1; t <= kNbPistes; ++t)
        ColorerBoutonPiste(t);
    return true;
}

// ---- Close request --------------------------------------------------------------------------

void TForm1::closeEvent(QCloseEvent* evenement)
{
    if (fermee_ || FormCloseQuery())
        evenement->accept();
    else
        evenement->ignore();
}

bool TForm1::FormCloseQuery()
{
    ArreterLectureEnCours();
    TraiterMessagesEnAttente();
    FermetureEnCours = ConfirmerEnregistrement();
    if (!FermetureEnCours)
        return false;

    ArreterLectureEnCours();
    SupprimerFichierTemp();
    try {
        EnregistrerConfiguration();
    } catch (const platform::ErreurEcritureIni& e) {
        // The settings could not be written (the old file stays whole). Closing goes on: a
        // settings file that cannot be written must not keep the program from ending.
        AfficherMessage(Traduire("Dlg-Erreur"), e.what(), IconeErreur, BoutonOK, DefautOK, PlacementCentre);
    }
    LibererPartition();
    LibererPressePapier();
    fermee_ = true;
    terminateur_(0);
    return true;
}

void TForm1::LibererPartition()
{
    for (int m = 1; m <= kNbMesuresMax; ++m)
        Partition.Mesures[m].reset();
    for (auto& a : LibrairieAccords)
        a.reset();
    for (auto& a : AccordsPartition)
        a.reset();
    for (auto& a : AccordsUtilises)
        a.reset();
}

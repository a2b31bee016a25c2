#include "app/CommandesFenetre.h"

#include "app/Programme.h"
#include "dialogs/Services.h"
#include "document/Configuration.h"
#include "document/Fenetre.h"
#include "document/Langue.h"
#include "document/Mess.h"
#include "document/Variable.h"
#include "editor/Commandes.h"
#include "editor/Ed_fct.h"
#include "editor/Scrolling.h"
#include "midi/Lecture.h"
#include "platform/Cp1252.h"
#include "print/PrefLogique.h"
#include "print/Services.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

#include <chrono>
#include <functional>
#include <string>

namespace {

IFenetrePrincipale& Fenetre() { return FenetrePrincipale(); }

// The score view's display switch `c` inverted into `option`, and the score laid out again.
void BasculerAffichage(Cmd c, bool& option)
{
    option = Commandes().InverserChecked(c);
    ApresChangementMesure();
    DisposerBandes();
    Fenetre().RedessinerPartition();
}

} // namespace

void Ac_Ass_MontrerLetRingExecute() { BasculerAffichage(Cmd::Ac_Ass_MontrerLetRing, Configuration.ShowLetRingNotes); }

void Ac_Ass_MontrerDynaExecute() { BasculerAffichage(Cmd::Ac_Ass_MontrerDyna, Configuration.ShowDynamic); }

void Ac_Ass_VerifierDureeMesuresExecute() { VerifierDureeMesures(); }

void Ac_Options_PreferencesExecute()
{
    bool affichageApplique = false;
    if (ServicesImpression().Preferences(affichageApplique) == ResultatModalOK)
        return;
    RestaurerPreferences(affichageApplique);
}

namespace {

void SignalerAide(const char* cle, const std::string& chemin)
{
    AfficherMessage(Traduire("Dlg-Erreur"), FormaterMessage1(Traduire(cle), platform::Utf8VersCp1252(chemin)),
                    IconeErreur, BoutonOK, DefautOK, PlacementCentre);
}

std::function<int64_t()>& HorlogeAide()
{
    static std::function<int64_t()> horloge;
    return horloge;
}

int64_t MaintenantAide()
{
    if (HorlogeAide())
        return HorlogeAide()();
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// How long after its start the desktop's opener may still fail on its own account.
constexpr int64_t kDelaiEchecOuvreurMs = 10000;

// Opens the help file with the program the desktop gives files of its kind. The desktop's
// opener is run and watched rather than left to itself: when no program takes the file it only
// says so on the error stream and ends in failure, and Help would seem to do nothing.
//
// Its own failures come within seconds of its start: it cannot be started, it is killed, or it
// ends in failure having found no program for the file. Some openers run the viewer they chose
// in the foreground and end with it, with its exit status: past those seconds the viewer has
// shown the file, and how it ends (closed on an error, killed with the session) is the viewer's
// business, not a sign that nothing opens the file.
void OpenHelpFile(const std::string& nom)
{
    const QString chemin = QFileInfo(QString::fromStdString(nom)).absoluteFilePath();
    const QString ouvreur = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (ouvreur.isEmpty()) {
        if (!QDesktopServices::openUrl(QUrl::fromLocalFile(chemin)))
            SignalerAide("Gene-AideImpossibleAOuvrir", nom);
        return;
    }
    // Some openers wait for the viewer to close: the process is watched without waiting.
    auto* processus = new QProcess(qApp);
    processus->setProcessChannelMode(QProcess::ForwardedChannels);
    const int64_t debut = MaintenantAide();
    QObject::connect(processus, &QProcess::finished, processus,
                     [processus, nom, debut](int code, QProcess::ExitStatus fin) {
                         processus->deleteLater();
                         if ((fin != QProcess::NormalExit || code != 0)
                             && MaintenantAide() - debut < kDelaiEchecOuvreurMs)
                             SignalerAide("Gene-AideImpossibleAOuvrir", nom);
                     });
    QObject::connect(processus, &QProcess::errorOccurred, processus, [processus, nom](QProcess::ProcessError erreur) {
        if (erreur != QProcess::FailedToStart)
            return;
        processus->deleteLater();
        SignalerAide("Gene-AideImpossibleAOuvrir", nom);
    });
    // A viewer still open when the program ends is no failure to report.
    QObject::connect(qApp, &QCoreApplication::aboutToQuit, processus, [processus] {
        QObject::disconnect(processus, &QProcess::finished, nullptr, nullptr);
        QObject::disconnect(processus, &QProcess::errorOccurred, nullptr, nullptr);
    });
    processus->start(ouvreur, {chemin});
    processus->closeWriteChannel();
}

} // namespace

void AfficherAide()
{
    if (!FichierAide.empty() && QFileInfo(QString::fromStdString(FichierAide)).isFile()) {
        OpenHelpFile(FichierAide);
        return;
    }
    // Help is installed apart from the program: say where it was looked for, so that a
    // missing file is not taken for a Help command that does nothing. Without a file for the
    // help language, the folder it would be in.
    SignalerAide("Gene-AideIntrouvable", FichierAide.empty() ? RepertoireProgramme : FichierAide);
}

void InstallerHorlogeAide(std::function<int64_t()> horloge) { HorlogeAide() = std::move(horloge); }

void Ac_Aide_IndexExecute() { AfficherAide(); }

void Ac_Aide_AProposExecute() { ServicesImpression().APropos(); }

void EnregistrerCommandesFenetre()
{
    TCommandes& c = Commandes();
    const auto lier = [&c](Cmd commande, void (*gestionnaire)()) {
        c.Enregistrer(commande, [gestionnaire](Cmd) { gestionnaire(); });
    };
    lier(Cmd::Ac_Ass_MontrerLetRing, Ac_Ass_MontrerLetRingExecute);
    lier(Cmd::Ac_Ass_MontrerDyna, Ac_Ass_MontrerDynaExecute);
    lier(Cmd::Ac_Ass_VerifierDureeMesures, Ac_Ass_VerifierDureeMesuresExecute);
    lier(Cmd::Ac_Options_Preferences, Ac_Options_PreferencesExecute);
    lier(Cmd::Ac_Aide_Index, Ac_Aide_IndexExecute);
    lier(Cmd::Ac_Aide_APropos, Ac_Aide_AProposExecute);

    lier(Cmd::Ac_Son_LectureDebut, Ac_Son_LectureDebutExecute);
    lier(Cmd::Ac_Son_LecturePosEC, Ac_Son_LecturePosECExecute);
    lier(Cmd::Ac_Son_LectureMesureEC, Ac_Son_LectureMesureECExecute);
    lier(Cmd::Ac_Son_Stop, Ac_Son_StopExecute);
    lier(Cmd::Ac_Son_EnBoucle, Ac_Son_EnBoucleExecute);
    lier(Cmd::Ac_Son_Metronome, Ac_Son_MetronomeExecute);
    lier(Cmd::Ac_Son_JouerSaisie, Ac_Son_JouerSaisieExecute);

    lier(Cmd::BT_Valider, BT_ValiderClick);
    lier(Cmd::BT_AnnulerMesure, BT_AnnulerMesureClick);
}

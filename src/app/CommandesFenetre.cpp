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

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

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

void AfficherAide()
{
    const QFileInfo fichier(QString::fromStdString(FichierAide));
    if (!FichierAide.empty() && fichier.isFile()) {
        QDesktopServices::openUrl(QUrl::fromLocalFile(fichier.absoluteFilePath()));
        return;
    }
    // Help is installed apart from the program: say where it was looked for, so that a
    // missing file is not taken for a Help command that does nothing. Without a file for the
    // help language, the folder it would be in.
    const std::string cherche = FichierAide.empty() ? RepertoireProgramme : FichierAide;
    AfficherMessage(Traduire("Dlg-Erreur"),
                    FormaterMessage1(Traduire("Gene-AideIntrouvable"), platform::Utf8VersCp1252(cherche)),
                    IconeErreur, BoutonOK, DefautOK, PlacementCentre);
}

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

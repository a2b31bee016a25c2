#include "app/CommandesFichier.h"

#include "app/DialoguesFichiersQt.h"
#include "app/Main.h"
#include "dialogs/Services.h"
#include "document/Configuration.h"
#include "document/Fenetre.h"
#include "document/Fichiers.h"
#include "document/Routines.h"
#include "document/Variable.h"
#include "editor/Commandes.h"
#include "editor/DessinSaisie.h"
#include "editor/Ed_fct.h"
#include "editor/Ligatures.h"
#include "editor/Pistes.h"
#include "midi/EcrireMidi.h"
#include "midi/EtatLecture.h"
#include "midi/ImportMidi.h"
#include "midi/Lecture.h"
#include "platform/Cp1252.h"
#include "platform/Sablier.h"
#include "print/ImportASCII.h"
#include "print/Services.h"

#include <filesystem>
#include <system_error>

namespace {

IFenetrePrincipale& Fenetre() { return FenetrePrincipale(); }

bool Existe(const std::string& chemin)
{
    std::error_code ec;
    return std::filesystem::exists(chemin, ec);
}

void Nommer(const std::string& chemin)
{
    CheminFichier = chemin;
    NomFichier = PartieNomFichier(chemin);
}

void RecolorerBoutonsPistes()
{
    for (int t = 1; t <= kNbPistes; ++t)
        Fenetre().ColorerBoutonPiste(t);
}

// The drum palette and its command follow the current track, unless a playback runs: on the
// drum track it then opens when the playback ends.
void PalettePercussionSelonPiste(bool attendreFinLecture)
{
    if (PisteCourante != kPistePercussions) {
        Fenetre().MontrerPalettePercussion(false);
        Commandes().SetEnabled(Cmd::Ac_Ass_Percussion, false);
    } else if (attendreFinLecture && Commandes().Enabled(Cmd::Ac_Son_Stop)) {
        PercussionOuvert = true;
    } else {
        Fenetre().MontrerPalettePercussion(true);
        Commandes().SetEnabled(Cmd::Ac_Ass_Percussion, true);
    }
}

TDialoguesFichiers* Dialogues() { return Form1 ? &Form1->Dialogues() : nullptr; }

// After an import: the views on measure 1 of the imported song, marked as changed.
void TerminerImport()
{
    Partition.MesureCourante = 1;
    Curseur.Temps = 1;
    Curseur.Corde = 1;
    AfficherLegendeFenetre();
    CopieMesureEntree = MesureEnCours();
    RedessinerMesure();
    // Enabled while the score is rebuilt: the lines of the current measure count as edited.
    Commandes().SetEnabled(Cmd::BT_AnnulerMesure, true);
    Fenetre().RedessinerPartition();
    ApresChangementMesure();
    Commandes().SetEnabled(Cmd::BT_AnnulerMesure, false);
    RafraichirTitre();
    MarquerModifiee();
    Fenetre().ActualiserCommandes();
    RecolorerBoutonsPistes();
}

// Saves under a name the user chooses, asking before an existing file is replaced (with
// memeCheminSansQuestion, not when it is the song's own file). True when the song was saved.
bool EnregistrerSousNomChoisi(const std::string& repertoire, const std::string& propose, bool memeCheminSansQuestion,
                              bool rafraichirApresEchec)
{
    TDialoguesFichiers* dialogues = Dialogues();
    std::string chemin;
    if (dialogues)
        dialogues->ViderNomFichier(TDialoguesFichiers::Dialogue::SaveDialog1);
    if (!DialoguesFichiers().ChoisirPartitionAEnregistrer(repertoire, propose, chemin) || chemin.empty())
        return false;
    const bool autre = !memeCheminSansQuestion || chemin != CheminFichier;
    if (autre && Existe(chemin) && !ConfirmerRemplacement(chemin))
        return false;

    Fenetre().TraiterMessagesEnAttente();
    const std::string ancienChemin = CheminFichier;
    const std::string ancienNom = NomFichier;
    Nommer(chemin);
    Fenetre().TraiterMessagesEnAttente();
    const bool enregistre = EnregistrerPartition();
    if (enregistre) {
        AfficherLegendeFenetre();
        PartitionModifiee = false;
    } else {
        CheminFichier = ancienChemin;
        NomFichier = ancienNom;
    }
    if (enregistre || rafraichirApresEchec)
        Fenetre().ActualiserCommandes();
    return enregistre;
}

} // namespace

std::string RepertoireDe(const std::string& chemin)
{
    const std::size_t p = chemin.find_last_of("/\\:");
    return p == std::string::npos ? std::string() : chemin.substr(0, p + 1);
}

std::string TitreDepuisFichierImporte(const std::string& chemin)
{
    std::string titre = platform::Utf8VersCp1252(PartieNomFichier(chemin));
    if (!titre.empty() && titre[0] >= 'a' && titre[0] <= 'z')
        titre[0] = static_cast<char>(titre[0] - 'a' + 'A');
    titre.resize(titre.size() > 4 ? titre.size() - 4 : 0);
    if (titre.size() > 100)
        titre.resize(100);
    return titre;
}

void OrdonnerPagesImpression(int& premiere, int& derniere)
{
    if (premiere > 0 && derniere == 0)
        derniere = premiere;
    if (derniere < premiere)
        std::swap(premiere, derniere);
}

void RafraichirTitre() { Fenetre().AfficherTitreLabel(LigneTitrePartition().c_str()); }

void RafraichirPartitionNeuve()
{
    const int32_t piste = PisteCourante;
    for (int t = 1; t <= Partition.NbPistes; ++t) {
        PisteCourante = t;
        AjouterTempsVide();
    }
    PisteCourante = piste;
    CopieMesureEntree = MesureEnCours();
    Curseur.Temps = 1;
    Curseur.Corde = 1;
    RedessinerMesure();
    Fenetre().RedessinerPartition();
    ApresChangementMesure();
    Fenetre().ActualiserCommandes();
}

namespace {

// Play stopped and an empty song, unchanged, in place of the current one.
void CommencerPartitionNeuve()
{
    Fenetre().ArreterLectureEnCours();
    ReinitialiserPartition();
    AfficherLegendeFenetre();
    RafraichirPartitionNeuve();
    PartitionModifiee = false;
}

} // namespace

void Ac_Fichier_NouveauExecute()
{
    if (!ConfirmerEnregistrement())
        return;
    CommencerPartitionNeuve();
    Saisie().Sais_Partition->MontrerModal();
    PalettePercussionSelonPiste(false);
}

void Ac_Fichier_OuvrirExecute()
{
    if (!ConfirmerEnregistrement())
        return;
    if (Dialogues())
        Dialogues()->ViderNomFichier(TDialoguesFichiers::Dialogue::OpenDialog1);
    if (OuvrirPartition("")) {
        RafraichirTitre();
        PartitionModifiee = false;
        Fenetre().ActualiserCommandes();
    }
    // Also after Cancel: the save question may have changed the song's file.
    RecolorerBoutonsPistes();
}

void Ac_Fichier_ParcourirExecute()
{
    if (!ConfirmerEnregistrement())
        return;
    CommencerPartitionNeuve();

    // The browser may play songs in the score-only layout; what was in force before it
    // decides whether that layout stays.
    const bool pleinEcranAvantParcours = PleinEcranActif;
    ParcoursEnCours = true;
    ServicesImpression().Parcourir();
    ParcoursEnCours = false;
    if (!pleinEcranAvantParcours) {
        if (LectureEnCours())
            PleinEcranChoisi = false;
        else
            QuitterPleinEcran();
    }
}

void Ac_Fichier_EnregistrerExecute()
{
    if (!NomFichier.empty()) {
        if (EnregistrerPartition()) {
            PartitionModifiee = false;
            Fenetre().ActualiserCommandes();
        }
        return;
    }
    EnregistrerSousNomChoisi({}, NomProposeDepuisTitre(".lrx"), false, true);
}

void Ac_Fichier_EnregistrerSousExecute()
{
    if (!NomFichier.empty())
        EnregistrerSousNomChoisi(RepertoireDe(CheminFichier), NomFichier, true, false);
    else
        EnregistrerSousNomChoisi({}, NomProposeDepuisTitre(".lrx"), true, false);
}

void Ac_Fichier_ProprietesExecute()
{
    Saisie().Sais_Partition->MontrerModal();
    PalettePercussionSelonPiste(true);
}

void Ac_Fichier_ImporterMIDIExecute()
{
    if (!ConfirmerEnregistrement())
        return;
    TDialoguesFichiers* dialogues = Dialogues();
    std::string chemin;
    if (!dialogues || !dialogues->ChoisirMidiAImporter(chemin))
        return;

    if (!ImporterFichierMidi(chemin)) {
        ReinitialiserPartition();
        Partition.MesureCourante = 1;
        Curseur.Temps = 1;
        Curseur.Corde = 1;
        AfficherLegendeFenetre();
        RafraichirPartitionNeuve();
        return;
    }

    // The imported measures take their free slots; repeats are not imported.
    for (int32_t m = 1; m <= Partition.NbMesures; ++m) {
        Partition.MesureCourante = m;
        const int32_t piste = PisteCourante;
        for (int t = 1; t <= Partition.NbPistes; ++t) {
            PisteCourante = t;
            AjouterTempsVide();
        }
        PisteCourante = piste;
        TMesure& mesure = MesureEnCours();
        mesure.RenvoiDebut = false;
        mesure.RenvoiFin = false;
        mesure.Repetition = false;
        mesure.NbRenvois = 1;
        mesure.NumRepetition = 1;
    }
    Partition.Titre = TitreDepuisFichierImporte(chemin);
    Partition.MesureCourante = 1;
    Curseur.Temps = 1;
    Curseur.Corde = 1;
    LigaturerMesuresPistes(1, Partition.NbMesures);

    PisteCourante = 1;
    Fenetre().MontrerPalettePercussion(false);
    Commandes().SetEnabled(Cmd::Ac_Ass_Percussion, false);
    Saisie().SpeedT_Form->ViderChamps();
    Fenetre().ActualiserMenuPistes();
    TerminerImport();
}

void Ac_Fichier_ImporterASCIIExecute()
{
    Fenetre().ArreterLectureEnCours();
    std::string cheminTexte;
    const int resultat = ServicesImpression().ImporterASCII(cheminTexte);
    Fenetre().TraiterMessagesEnAttente();
    if (resultat != ResultatModalOK)
        return;

    platform::Sablier sablier;
    if (!cheminTexte.empty())
        Partition.Titre = TitreDepuisFichierASCII(cheminTexte);
    Partition.MesureCourante = 1;
    Curseur.Temps = 1;
    Curseur.Corde = 1;
    // All eight tracks, whatever the song declares: the text may have filled any of them.
    LigaturerMesuresPistes(1, Partition.NbMesures);
    TerminerImport();
}

void Ac_Fichier_ExporterMIDIExecute()
{
    TDialoguesFichiers* dialogues = Dialogues();
    if (!dialogues)
        return;
    std::string repertoire;
    std::string propose;
    if (!NomFichier.empty()) {
        repertoire = RepertoireDe(CheminFichier);
        // The last four characters go, whatever the extension is.
        propose = NomFichier.substr(0, NomFichier.size() > 4 ? NomFichier.size() - 4 : 0) + ".mid";
    } else {
        propose = NomProposeDepuisTitre(".mid");
    }
    std::string chemin;
    if (!dialogues->ChoisirMidiAExporter(repertoire, propose, chemin))
        return;
    if (Existe(chemin) && !ConfirmerRemplacement(chemin))
        return;
    // The writer reports its own failure.
    ExporterFichierMidi(chemin);
}

void Ac_Fichier_ExporterASCIIExecute() { ServicesImpression().ExporterASCII(); }

void Ac_Fichier_ImprimerExecute()
{
    const std::string imprimante = Form1 ? Form1->NomImprimante() : std::string();
    int32_t premiere = 0;
    int32_t derniere = 0;
    if (Saisie().Dialogues->Impression(imprimante, premiere, derniere) != ResultatModalOK)
        return;
    int p = premiere;
    int d = derniere;
    OrdonnerPagesImpression(p, d);
    Fenetre().TraiterMessagesEnAttente();
    ParamImpCourant.ModeApercu = false;
    // The print engine names the job after the song, draws the pages on the printer and ends
    // the document.
    ServicesImpression().ImprimerPartition(p, d, 1);
}

void Ac_Fichier_ApercuImpExecute()
{
    ParamImpCourant.ModeApercu = true;
    ServicesImpression().Apercu();
}

void Ac_Fichier_ConfigImpExecute()
{
    if (Form1)
        Form1->ConfigurerImprimante();
}

void Ac_Fichier_QuitterExecute()
{
    if (Form1)
        Form1->close();
}

void EnregistrerCommandesFichier()
{
    TCommandes& c = Commandes();
    const auto lier = [&c](Cmd commande, void (*gestionnaire)()) {
        c.Enregistrer(commande, [gestionnaire](Cmd) { gestionnaire(); });
    };
    lier(Cmd::Ac_Fichier_Nouveau, Ac_Fichier_NouveauExecute);
    lier(Cmd::Ac_Fichier_Ouvrir, Ac_Fichier_OuvrirExecute);
    lier(Cmd::Ac_Fichier_Parcourir, Ac_Fichier_ParcourirExecute);
    lier(Cmd::Ac_Fichier_Enregistrer, Ac_Fichier_EnregistrerExecute);
    lier(Cmd::Ac_Fichier_EnregistrerSous, Ac_Fichier_EnregistrerSousExecute);
    lier(Cmd::Ac_Fichier_Proprietes, Ac_Fichier_ProprietesExecute);
    lier(Cmd::Ac_Fichier_ImporterMIDI, Ac_Fichier_ImporterMIDIExecute);
    lier(Cmd::Ac_Fichier_ImporterASCII, Ac_Fichier_ImporterASCIIExecute);
    lier(Cmd::Ac_Fichier_ExporterMIDI, Ac_Fichier_ExporterMIDIExecute);
    lier(Cmd::Ac_Fichier_ExporterASCII, Ac_Fichier_ExporterASCIIExecute);
    lier(Cmd::Ac_Fichier_Imprimer, Ac_Fichier_ImprimerExecute);
    lier(Cmd::Ac_Fichier_ApercuImp, Ac_Fichier_ApercuImpExecute);
    lier(Cmd::Ac_Fichier_ConfigImp, Ac_Fichier_ConfigImpExecute);
    lier(Cmd::Ac_Fichier_Quitter, Ac_Fichier_QuitterExecute);
}

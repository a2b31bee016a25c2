#include "AideFichiersTest.h"

#include "document/FichierPartition.h"

#include <algorithm>
#include <optional>

using namespace essais_fichiers;

namespace {

// The song file dialogs, answering what the test says and noting what they were shown.
class DialoguesEnregistres : public IDialoguesFichiers {
public:
    std::optional<std::string> Ouvrir;      // nullopt = Cancel
    std::optional<std::string> Enregistrer; // nullopt = Cancel
    int NbOuvrir = 0, NbEnregistrer = 0;
    std::string NomPropose;

    bool ChoisirPartitionAOuvrir(std::string& chemin) override
    {
        ++NbOuvrir;
        if (!Ouvrir)
            return false;
        chemin = *Ouvrir;
        return true;
    }
    bool ChoisirPartitionAEnregistrer(const std::string&, const std::string& nomPropose, std::string& chemin) override
    {
        ++NbEnregistrer;
        NomPropose = nomPropose;
        if (!Enregistrer)
            return false;
        chemin = *Enregistrer;
        return true;
    }
};

class Fichiers : public EnvironnementFichiers {
protected:
    void SetUp() override
    {
        EnvironnementFichiers::SetUp();
        InstallerDialoguesFichiers(&dialogues);
    }
    void TearDown() override
    {
        InstallerDialoguesFichiers(nullptr);
        EnvironnementFichiers::TearDown();
    }

    // A song with content, saved at `nom` in the scratch folder.
    std::string CreerChanson(const std::string& nom, const std::string& titre)
    {
        ReinitialiserPartition();
        Partition.Titre = titre;
        Partition.Auteur = "Auteur";
        Partition.Mesures[1]->NbTemps[1] = 1;
        Partition.Mesures[1]->Temps[1][1].Notes[1].Frette = 7;
        CheminFichier = Chemin(nom);
        EXPECT_TRUE(EcrireFichierPartition());
        ReinitialiserPartition();
        return Chemin(nom);
    }

    // The current song named after `chemin`, with unsaved changes.
    void Nommer(const std::string& chemin)
    {
        CheminFichier = chemin;
        NomFichier = PartieNomFichier(chemin);
        MarquerModifiee();
    }

    DialoguesEnregistres dialogues;
};

} // namespace

TEST(NettoyerNomFichier, ReplacesWhatFileNamesCannotHold)
{
    struct {
        const char* titre;
        const char* nom;
    } cas[] = {
        {"", ""},
        {"Blues: en la / mi?", "Blues_ en la _ mi_"},
        {"a\\b*c\"d<e>f|g", "a_b_c_d_e_f_g"},
        {"Caf\xe9 . 12", "Caf\xe9 . 12"},
    };
    for (auto c : cas)
        EXPECT_EQ(NettoyerNomFichier(c.titre), c.nom) << c.titre;
}

TEST(PartieNomFichier, IsWhatFollowsTheLastSlash)
{
    EXPECT_EQ(PartieNomFichier("/home/moi/Chansons/Blues.lrx"), "Blues.lrx");
    EXPECT_EQ(PartieNomFichier("a:b\\c.lrx"), "a:b\\c.lrx"); // legal characters of a Linux name
    EXPECT_EQ(PartieNomFichier("Sans nom"), "Sans nom");
}

TEST_F(Fichiers, RecentListMovesTheSongToTheFront)
{
    using Liste = OneBased<std::string, 5>;
    struct Cas {
        const char* nom;
        Liste avant;
        std::string chemin;
        Liste apres;
    };
    const Cas cas[] = {
        {"entry 3 moves up", {"", "a", "b", "c", "d", "e"}, "c", {"", "c", "a", "b", "d", "e"}},
        {"entry 5 moves up", {"", "a", "b", "c", "d", "e"}, "e", {"", "e", "a", "b", "c", "d"}},
        {"already first", {"", "a", "b", "c", "d", "e"}, "a", {"", "a", "b", "c", "d", "e"}},
        {"new one drops the last", {"", "a", "b", "c", "d", "e"}, "f", {"", "f", "a", "b", "c", "d"}},
        {"letter case counts", {"", "a", "b", "c", "d", "e"}, "A", {"", "A", "a", "b", "c", "d"}},
        {"free entries fill", {"", "a", "", "", "", ""}, "b", {"", "b", "a", "", "", ""}},
        {"empty list", {"", "", "", "", "", ""}, "z", {"", "z", "", "", "", ""}},
    };
    for (const Cas& c : cas) {
        FichiersRecents = c.avant;
        PlacerEnTeteFichiersRecents(c.chemin);
        EXPECT_EQ(FichiersRecents, c.apres) << c.nom;
    }
}

TEST_F(Fichiers, RecentMenuShowsFileNamesOfTheEntries)
{
    FichiersRecents = {"", "/m/Un.lrx", "/m/Rock & roll.lrx", "", "", ""};
    MajFichiersRecents();
    EXPECT_EQ(fenetre.Recents[1], "&1  Un.lrx");
    EXPECT_EQ(fenetre.Recents[2], "&2  Rock && roll.lrx");
    EXPECT_EQ(fenetre.RecentVisible, (OneBased<bool, 5>{false, true, true, false, false, false}));
    EXPECT_TRUE(fenetre.SeparateurVisible);

    FichiersRecents = {};
    MajFichiersRecents();
    EXPECT_EQ(fenetre.RecentVisible, (OneBased<bool, 5>{}));
    EXPECT_FALSE(fenetre.SeparateurVisible);
}

TEST_F(Fichiers, SaveQuestionDecisions)
{
    const std::string existant = CreerChanson("existant.lrx", "Existant");
    const std::vector<uint8_t> octetsExistant = LireOctets(existant);
    const std::string nomme = Chemin("nomme.lrx");
    const std::string nouveau = Chemin("nouveau.lrx");
    const std::string impossible = Chemin("absent/x.lrx");

    struct Cas {
        const char* nom;
        bool modifiee, vierge;
        std::string chemin;                 // empty: untitled
        int reponse;                        // answer to the save question
        std::optional<std::string> dialogue; // chosen in the save dialog
        int remplacer;                      // answer to the replace question
        bool resultat;
        bool question;
        std::string enregistre;             // the file written, if any
        std::string cheminApres;            // empty: untitled
        std::string recent;                 // entry 1 afterwards
    };
    const Cas cas[] = {
        {"unmodified named song", false, false, nomme, 0, {}, 0, true, false, "", nomme, nomme},
        {"blank new song", true, true, "", 0, {}, 0, true, false, "", "", "avant"},
        {"blank song that was opened", true, true, nomme, 0, {}, 0, true, false, "", nomme, nomme},
        {"named, Non still makes it recent", true, false, nomme, ResultatNon, {}, 0, true, true, "", nomme, nomme},
        {"named, Annuler", true, false, nomme, ResultatAnnuler, {}, 0, false, true, "", nomme, "avant"},
        {"named, Oui saves", true, false, nomme, ResultatOui, {}, 0, true, true, nomme, nomme, nomme},
        {"named, save fails", true, false, impossible, ResultatOui, {}, 0, false, true, "", impossible, "avant"},
        {"untitled, Non never becomes recent", true, false, "", ResultatNon, {}, 0, true, true, "", "", "avant"},
        {"untitled, dialog cancelled", true, false, "", ResultatOui, std::nullopt, 0, false, true, "", "", "avant"},
        {"untitled, saved under a new name", true, false, "", ResultatOui, nouveau, 0, true, true, nouveau, nouveau, nouveau},
        {"untitled, replace refused", true, false, "", ResultatOui, existant, ResultatNon, false, true, "", "", "avant"},
        {"untitled, replace accepted", true, false, "", ResultatOui, existant, ResultatOui, true, true, existant, existant, existant},
        {"untitled, save fails", true, false, "", ResultatOui, impossible, 0, false, true, "", "", "avant"},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        ReinitialiserPartition();
        Partition.Titre = "Mon: titre?";
        std::filesystem::remove(nomme);
        std::filesystem::remove(nouveau);
        EcrireOctets(existant, octetsExistant);
        FichiersRecents = {"", "avant", "", "", "", ""};
        if (!c.chemin.empty())
            Nommer(c.chemin);
        PartitionModifiee = c.modifiee;
        PartitionVierge = c.vierge;
        dialogues = DialoguesEnregistres{};
        dialogues.Enregistrer = c.dialogue;
        messages.Messages.clear();
        messages.Reponses = {c.reponse, c.remplacer};

        EXPECT_EQ(ConfirmerEnregistrement(), c.resultat);

        EXPECT_EQ(!messages.Messages.empty() && messages.Messages[0].Legende == "Confirmation", c.question);
        if (c.question) {
            const MessageAffiche& q = messages.Messages[0];
            EXPECT_EQ(q.Texte, "Enregistrer " + (c.chemin.empty() ? std::string("SansNom") : PartieNomFichier(c.chemin)) + " ?");
            EXPECT_EQ(q.Icone, IconeConfirmation);
            EXPECT_EQ(q.Boutons, BoutonOui | BoutonNon | BoutonAnnuler);
            EXPECT_EQ(q.BoutonDefaut, DefautOui);
        }
        if (c.remplacer != 0) {
            ASSERT_GE(messages.Messages.size(), 2u);
            const MessageAffiche& r = messages.Messages[1];
            EXPECT_EQ(r.Legende, "Avertissement");
            EXPECT_EQ(r.Texte, existant + " existe\r\rRemplacer ?");
            EXPECT_EQ(r.Boutons, BoutonOui | BoutonNon);
            EXPECT_EQ(r.BoutonDefaut, DefautNon);
        }
        if (dialogues.NbEnregistrer > 0) {
            EXPECT_EQ(dialogues.NomPropose, "Mon_ titre_.lrx");
        }
        if (!c.enregistre.empty()) {
            ReinitialiserPartition();
            EXPECT_EQ(DecoderFichierPartition(LireOctets(c.enregistre).data(), LireOctets(c.enregistre).size()),
                      ResultatLecture::Lue);
            EXPECT_EQ(Partition.Titre, "Mon: titre?");
            Nommer(c.cheminApres);
        } else {
            EXPECT_FALSE(std::filesystem::exists(nomme));
            EXPECT_FALSE(std::filesystem::exists(nouveau));
            EXPECT_EQ(LireOctets(existant), octetsExistant);
            EXPECT_EQ(CheminFichier, c.cheminApres.empty() ? std::string("SansNom") : c.cheminApres);
            EXPECT_EQ(NomFichier, c.cheminApres.empty() ? std::string() : PartieNomFichier(c.cheminApres));
            // Leaving the song is the caller's business: the save question does not clear it.
            EXPECT_EQ(PartitionModifiee, c.modifiee);
        }
        EXPECT_EQ(FichiersRecents[1], c.recent);
    }
}

TEST_F(Fichiers, SaveQuestionCutsALongFileName)
{
    const std::string nom = std::string(60, 'n') + ".lrx";
    Nommer(Chemin(nom));
    messages.Reponses = {ResultatAnnuler};
    EXPECT_FALSE(ConfirmerEnregistrement());
    ASSERT_EQ(messages.Messages.size(), 1u);
    EXPECT_EQ(messages.Messages[0].Texte, "Enregistrer " + std::string(50, 'n') + " ?");
}

TEST_F(Fichiers, SavedUntitledSongIsNamedAfterItsFileButStaysModified)
{
    // Open, Oui, saved under a new name: the song is now named, but still marked modified and
    // the caption is the caller's to change.
    MarquerModifiee();
    dialogues.Enregistrer = Chemin("sauve.lrx");
    messages.Reponses = {ResultatOui};
    EXPECT_TRUE(ConfirmerEnregistrement());
    EXPECT_EQ(NomFichier, "sauve.lrx");
    EXPECT_TRUE(PartitionModifiee);
    EXPECT_EQ(FichiersRecents[1], Chemin("sauve.lrx"));
    EXPECT_EQ(fenetre.Recents[1], "&1  sauve.lrx");
    EXPECT_TRUE(fenetre.Legende.empty());
}

TEST_F(Fichiers, OpenFollowsItsSequence)
{
    const std::string chemin = CreerChanson("ouvre.lrx", "Ouvre");
    fenetre.Journal.clear();
    ASSERT_TRUE(OuvrirPartition(chemin));
    EXPECT_EQ(CheminFichier, chemin);
    EXPECT_EQ(NomFichier, "ouvre.lrx");
    EXPECT_EQ(Partition.Titre, "Ouvre");
    EXPECT_EQ(Partition.Mesures[1]->Temps[1][1].Notes[1].Frette, 7);
    EXPECT_EQ(fenetre.Legende, "Lyrandaxis 2.2 - ouvre.lrx");
    // Stop playback, then the new song, then the caption, the read, and the track menu last.
    const auto& j = fenetre.Journal;
    const auto pos = [&](const std::string& e) { return std::find(j.begin(), j.end(), e) - j.begin(); };
    EXPECT_LT(pos("Sablier"), pos("Stop"));
    EXPECT_LT(pos("Stop"), pos("TitreLabel:"));
    EXPECT_LT(pos("TitreLabel:"), pos("Legende:Lyrandaxis 2.2 - ouvre.lrx"));
    EXPECT_LT(pos("Legende:Lyrandaxis 2.2 - ouvre.lrx"), pos("RafraichirLue"));
    EXPECT_EQ(j.back(), "MenuPistes");
    EXPECT_FALSE(platform::SablierAffiche());
    // The title label, PartitionModifiee and the recent list are the caller's.
    EXPECT_EQ(fenetre.TitreLabel, "");
    EXPECT_TRUE(PartitionModifiee);
    EXPECT_TRUE(FichiersRecents[1].empty());
}

TEST_F(Fichiers, OpenAsksForAFileAndStoresItsFullPath)
{
    Partition.Titre = "Garde";
    dialogues.Ouvrir.reset();
    EXPECT_FALSE(OuvrirPartition(""));
    EXPECT_EQ(dialogues.NbOuvrir, 1);
    EXPECT_EQ(Partition.Titre, "Garde");
    EXPECT_TRUE(fenetre.Journal.empty());

    CreerChanson("relatif.lrx", "Relatif");
    const auto ici = std::filesystem::current_path();
    std::filesystem::current_path(dossier);
    dialogues.Ouvrir = "relatif.lrx";
    const bool lu = OuvrirPartition("");
    std::filesystem::current_path(ici);
    EXPECT_TRUE(lu);
    EXPECT_EQ(CheminFichier, Chemin("relatif.lrx"));
}

TEST_F(Fichiers, AHalfReadSongIsNeverNamedAfterItsFile)
{
    std::vector<uint8_t> octets = LireOctets(Donnees("petite_v221.lrx"));
    octets.resize(octets.size() / 2);
    const std::string chemin = Chemin("coupe.lrx");
    EcrireOctets(chemin, octets);
    EXPECT_FALSE(OuvrirPartition(chemin));
    AttendreNouvellePartition();
    EXPECT_EQ(fenetre.Legende, "Lyrandaxis 2.2 - SansNom");
    ASSERT_EQ(messages.Messages.size(), 1u);
    EXPECT_EQ(messages.Messages[0].Texte, "Incorrect");
    // A Save now asks for a name instead of writing the half song over the file.
    EXPECT_EQ(LireOctets(chemin), octets);
}

TEST_F(Fichiers, RecentFileThatIsGoneIsReportedAndKept)
{
    FichiersRecents = {"", Chemin("parti.lrx"), "", "", "", ""};
    Partition.Titre = "Reste";
    OuvrirFichierRecent(1);
    ASSERT_EQ(messages.Messages.size(), 1u);
    EXPECT_EQ(messages.Messages[0].Legende, "Erreur");
    EXPECT_EQ(messages.Messages[0].Texte, "Introuvable : parti.lrx");
    EXPECT_EQ(messages.Messages[0].Icone, IconeErreur);
    EXPECT_EQ(FichiersRecents[1], Chemin("parti.lrx"));
    EXPECT_EQ(Partition.Titre, "Reste");
    EXPECT_EQ(fenetre.Compte("Colorer:8"), 1);
}

TEST_F(Fichiers, RecentFileOpensAfterTheSaveQuestion)
{
    const std::string chemin = CreerChanson("recent.lrx", "Recent");
    const std::string courant = Chemin("courant.lrx");
    FichiersRecents = {"", "a", chemin, "", "", ""};
    Nommer(courant);
    fenetre.Journal.clear();
    messages.Reponses = {ResultatNon};
    OuvrirFichierRecent(2);
    EXPECT_EQ(Partition.Titre, "Recent");
    EXPECT_EQ(fenetre.TitreLabel, "Recent - Auteur");
    EXPECT_FALSE(PartitionModifiee);
    EXPECT_EQ(fenetre.Compte("Commandes"), 1);
    EXPECT_EQ(fenetre.Compte("Colorer:1"), 2); // by the new song, then by the recent-file command
    // The song that was left went to the front; the opened one will when it is left.
    EXPECT_EQ(FichiersRecents, (OneBased<std::string, 5>{"", courant, "a", chemin, "", ""}));
}

TEST_F(Fichiers, RecentFileThatFailsToReadStillClearsModified)
{
    const std::string chemin = Chemin("faux.lrx");
    EcrireOctets(chemin, {'n', 'o', 'p', 'e'});
    FichiersRecents = {"", chemin, "", "", "", ""};
    Partition.Titre = "Avant";
    OuvrirFichierRecent(1);
    EXPECT_FALSE(PartitionModifiee);
    EXPECT_EQ(fenetre.TitreLabel, "");
    EXPECT_TRUE(NomFichier.empty());
}

TEST_F(Fichiers, RecentFileStopsWhenTheQuestionIsCancelled)
{
    const std::string chemin = CreerChanson("recent.lrx", "Recent");
    FichiersRecents = {"", chemin, "", "", "", ""};
    Partition.Titre = "Reste";
    MarquerModifiee();
    fenetre.Journal.clear();
    messages.Reponses = {ResultatAnnuler};
    OuvrirFichierRecent(1);
    EXPECT_EQ(Partition.Titre, "Reste");
    EXPECT_TRUE(fenetre.Journal.empty());
}

TEST_F(Fichiers, TemporaryMidiFileIsDeletedSilently)
{
    const lyrx_test::VariableEnvironnement windows("LYRX_WINDOWS_DIR", dossier.string());
    EXPECT_EQ(CheminFichierTemp(), Chemin("lyrx.tmp"));
    EcrireOctets(Chemin("lyrx.tmp"), {'M', 'T', 'h', 'd'});
    SupprimerFichierTemp();
    EXPECT_FALSE(std::filesystem::exists(Chemin("lyrx.tmp")));
    SupprimerFichierTemp();
    EXPECT_TRUE(messages.Messages.empty());
}

TEST_F(Fichiers, ProposedNameComesFromTheTitle)
{
    EXPECT_EQ(NomProposeDepuisTitre(".lrx"), "");
    Partition.Titre = "Caf\xe9 <live>";
    EXPECT_EQ(NomProposeDepuisTitre(".mid"), "Caf\xc3\xa9 _live_.mid");
}

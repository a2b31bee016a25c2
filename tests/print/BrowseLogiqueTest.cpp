// The song browser without its window: what a folder of untrusted files gives the list, the
// list's texts and order, loading a song with its summary, and the settings it keeps.
#include "print/BrowseLogique.h"

#include "FixtureParcours.h"
#include "document/ConfigFichier.h"
#include "document/Fenetre.h"
#include "document/Fichiers.h"
#include "platform/FichierIni.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

#include <sys/stat.h>
#include <unistd.h>

namespace parcours_test {
namespace {

std::vector<std::string> Noms(const std::vector<cLigneList>& lignes)
{
    std::vector<std::string> n;
    for (const cLigneList& l : lignes)
        n.push_back(l.Nom);
    std::sort(n.begin(), n.end());
    return n;
}

using BrowseLogique = FixtureParcours;

TEST_F(BrowseLogique, ListingTakesEverySongFileNameAndNothingElse)
{
    // Good, damaged and old songs are all listed: the listing never opens them.
    EcrireChanson(dossier / "bonne.lrx", "Bonne", 2);
    EcrireTexte(dossier / "abimee.lrx", "not a song at all");
    EcrireOctets(dossier / "ancienne.lrx", FichierVersionAncienne());
    EcrireOctets(dossier / "vide.lrx", {});
    EcrireChanson(dossier / "MAJUSCULES.LRX", "Cris", 1);
    EcrireTexte(dossier / ".cachee.lrx", "x");
    // Not songs: other extensions, a bare extension, folders, pipes, dangling links.
    EcrireTexte(dossier / "notes.txt", "x");
    EcrireTexte(dossier / "chanson.lrx.bak", "x");
    EcrireTexte(dossier / ".lrx", "x");
    fs::create_directories(dossier / "dossier.lrx");
    ASSERT_EQ(::mkfifo((dossier / "tube.lrx").c_str(), 0600), 0);
    fs::create_symlink(dossier / "absente.lrx", dossier / "lien_mort.lrx");
    fs::create_symlink(dossier / "bonne.lrx", dossier / "lien.lrx");

    std::vector<cLigneList> lignes;
    EXPECT_TRUE(ListerMorceaux(dossier.string(), lignes));
    EXPECT_EQ(Noms(lignes),
              (std::vector<std::string>{".cachee", "MAJUSCULES", "abimee", "ancienne", "bonne", "lien", "vide"}));

    const auto majuscules =
        std::find_if(lignes.begin(), lignes.end(), [](const cLigneList& l) { return l.Nom == "MAJUSCULES"; });
    ASSERT_NE(majuscules, lignes.end());
    // The file is found again under its own spelling.
    EXPECT_EQ(CheminMorceau(*majuscules), (dossier / "MAJUSCULES.LRX").string());
    EXPECT_EQ(majuscules->Repertoire, dossier.string());
    EXPECT_EQ(majuscules->Taille, static_cast<int64_t>(fs::file_size(dossier / "MAJUSCULES.LRX")));
    struct stat st {};
    ASSERT_EQ(::stat((dossier / "MAJUSCULES.LRX").c_str(), &st), 0);
    EXPECT_NEAR(majuscules->Date, static_cast<double>(st.st_mtim.tv_sec), 1.0);
}

TEST_F(BrowseLogique, FoldersThatCannotBeListedGiveNothing)
{
    std::vector<cLigneList> lignes;
    EXPECT_TRUE(ListerMorceaux((dossier / "absent").string(), lignes));
    EcrireTexte(dossier / "fichier.lrx", "x");
    EXPECT_TRUE(ListerMorceaux((dossier / "fichier.lrx").string(), lignes));
    EXPECT_TRUE(ListerSousRepertoires((dossier / "absent").string(), lignes));
    EXPECT_TRUE(lignes.empty());

    // A subfolder without permission is skipped, its neighbours are listed.
    EcrireTexte(dossier / "ferme" / "cache.lrx", "x");
    EcrireTexte(dossier / "ouvert" / "vu.lrx", "x");
    fs::permissions(dossier / "ferme", fs::perms::none);
    lignes.clear();
    EXPECT_TRUE(ListerSousRepertoires(dossier.string(), lignes));
    fs::permissions(dossier / "ferme", fs::perms::owner_all);
    const std::vector<std::string> noms = Noms(lignes);
    EXPECT_TRUE(std::count(noms.begin(), noms.end(), "vu") == 1);
    if (::geteuid() != 0) { // permissions do not bind the super-user
        EXPECT_EQ(noms, std::vector<std::string>{"vu"});
    }
}

TEST_F(BrowseLogique, SubfolderScanListsEachFolderBeforeItsChildrenAndSurvivesLoops)
{
    EcrireTexte(dossier / "racine.lrx", "x");
    EcrireTexte(dossier / "a" / "a1.lrx", "x");
    EcrireTexte(dossier / "a" / "b" / "b1.lrx", "x");
    EcrireTexte(dossier / ".git" / "g.lrx", "x");
    // Links back to an ancestor and to a sibling: each folder is read once only.
    fs::create_directory_symlink(dossier, dossier / "a" / "b" / "boucle");
    fs::create_directory_symlink(dossier / "a", dossier / "raccourci");

    std::vector<cLigneList> lignes;
    std::vector<std::string> dossiers;
    SuiviListe suivi;
    suivi.DebutDossier = [&](const std::string& d, std::size_t) {
        dossiers.push_back(d);
        return true;
    };
    ASSERT_TRUE(ListerMorceaux(dossier.string(), lignes, suivi));
    ASSERT_TRUE(ListerSousRepertoires(dossier.string(), lignes, suivi));
    EXPECT_EQ(Noms(lignes), (std::vector<std::string>{"a1", "b1", "g", "racine"}));
    EXPECT_EQ(std::set<std::string>(dossiers.begin(), dossiers.end()).size(), dossiers.size());
    const auto position = [&](const std::string& d) {
        return std::find(dossiers.begin(), dossiers.end(), d) - dossiers.begin();
    };
    EXPECT_LT(position((dossier / "a").string()), position((dossier / "a" / "b").string()));
    // The folder column holds the folder as the listing reached it.
    for (const cLigneList& l : lignes) {
        if (l.Nom == "b1") {
            EXPECT_EQ(l.Repertoire, (dossier / "a" / "b").string());
        }
    }
}

TEST_F(BrowseLogique, DeepTreesAreWalkedWithoutRecursionAndLookAtEveryFolder)
{
    // Deeper than a recursive walk would like, within the path length limit.
    fs::path p = dossier;
    constexpr int profondeur = 1000;
    for (int k = 0; k < profondeur; ++k)
        p /= "d";
    fs::create_directories(p);
    EcrireTexte(p / "fond.lrx", "x");

    std::vector<cLigneList> lignes;
    int entrees = 0;
    SuiviListe suivi;
    suivi.DebutDossier = [&](const std::string&, std::size_t) {
        ++entrees;
        return true;
    };
    ASSERT_TRUE(ListerSousRepertoires(dossier.string(), lignes, suivi));
    EXPECT_EQ(Noms(lignes), std::vector<std::string>{"fond"});
    // The window lets messages through at every folder, so even a tree without songs keeps it
    // responsive.
    EXPECT_EQ(entrees, profondeur);
}

TEST_F(BrowseLogique, TheFollowerSeesProgressAndCanStop)
{
    for (int k = 0; k < 25; ++k)
        EcrireTexte(dossier / ("s" + std::to_string(k) + ".lrx"), "x");
    EcrireTexte(dossier / "sous" / "t.lrx", "x");

    std::vector<std::size_t> comptes;
    SuiviListe suivi;
    suivi.Progression = [&](std::size_t n) {
        comptes.push_back(n);
        return true;
    };
    std::vector<cLigneList> lignes;
    ASSERT_TRUE(ListerMorceaux(dossier.string(), lignes, suivi));
    EXPECT_EQ(comptes, (std::vector<std::size_t>{10, 20}));

    // A stop at the progress ends the folder at once.
    suivi.Progression = [](std::size_t) { return false; };
    lignes.clear();
    EXPECT_FALSE(ListerMorceaux(dossier.string(), lignes, suivi));
    EXPECT_EQ(lignes.size(), 10u);

    // A stop at a folder entry keeps what came before.
    lignes.clear();
    suivi = {};
    suivi.DebutDossier = [&](const std::string& d, std::size_t) { return d == dossier.string(); };
    ASSERT_TRUE(ListerMorceaux(dossier.string(), lignes, suivi));
    EXPECT_FALSE(ListerSousRepertoires(dossier.string(), lignes, suivi));
    EXPECT_EQ(lignes.size(), 25u);
}

TEST(BrowseTextes, SizeIsKiloBytesRoundedHalfToEven)
{
    const std::map<int64_t, std::string> cas = {
        {0, "0 Ko"},    {499, "0 Ko"},    {500, "0 Ko"},    {501, "1 Ko"},     {1500, "2 Ko"},
        {2500, "2 Ko"}, {2501, "3 Ko"},   {3500, "4 Ko"},   {5'000'000'000LL, "5000000 Ko"},
    };
    for (const auto& [octets, texte] : cas)
        EXPECT_EQ(TexteTaille(octets), texte) << octets;
}

TEST(BrowseTextes, ColumnsCompareByTheirKind)
{
    cLigneList a{"a", 10, 100.0, "/x/Alpha", "a.lrx"};
    cLigneList B{"B", 9, 300.0, "/x/beta", "B.lrx"};
    cLigneList c{"c", 10, 200.0, "/x/Gamma", "c.lrx"};
    // Names and folders without letter case; sizes and dates as numbers.
    EXPECT_LT(ComparerLignes(a, B, ColonneNom), 0);
    EXPECT_LT(ComparerLignes(B, c, ColonneNom), 0);
    EXPECT_GT(ComparerLignes(a, B, ColonneTaille), 0);
    EXPECT_EQ(ComparerLignes(a, c, ColonneTaille), 0);
    EXPECT_LT(ComparerLignes(a, c, ColonneDate), 0);
    EXPECT_LT(ComparerLignes(a, B, ColonneRepertoire), 0);
    EXPECT_LT(ComparerLignes(B, c, ColonneRepertoire), 0);
    // Only a to z are folded: an accented capital is not its small letter.
    EXPECT_EQ(ComparerTexteAscii("ABC", "abc"), 0);
    EXPECT_NE(ComparerTexteAscii("\xC9t\xE9", "\xE9t\xE9"), 0);
    EXPECT_LT(ComparerTexteAscii("ab", "abc"), 0);

    std::vector<cLigneList> lignes = {c, a, B};
    const auto ordre = [&] { return std::vector<std::string>{lignes[0].Nom, lignes[1].Nom, lignes[2].Nom}; };
    TrierLignes(lignes, ColonneNom, true);
    EXPECT_EQ(ordre(), (std::vector<std::string>{"a", "B", "c"}));
    TrierLignes(lignes, ColonneNom, false);
    EXPECT_EQ(ordre(), (std::vector<std::string>{"c", "B", "a"}));
    TrierLignes(lignes, ColonneDate, false);
    EXPECT_EQ(ordre(), (std::vector<std::string>{"B", "c", "a"}));
}

// The window as the loading sees it: its caption and the calls that follow a read.
class FenetreChargement : public IFenetrePrincipale {
public:
    std::string legende;
    int lectures = 0, echecs = 0;
    void AfficherLegendeFenetre(const char* l) override { legende = l; }
    void RafraichirApresLecturePartition() override { ++lectures; }
    void RafraichirApresNouvellePartition() override { ++echecs; }
};

TEST_F(BrowseLogique, LoadingASongLeavesItsSummaryAndStatistics)
{
    FenetreChargement fenetre;
    InstallerFenetrePrincipale(&fenetre);
    const std::string longTitre(80, 'T');
    EcrireChanson(dossier / "deux guitares.lrx", longTitre, 7, {2, 1, true}, "Moi", std::string(90, 'n'));

    const std::string chemin = (dossier / "deux guitares.lrx").string();
    ASSERT_TRUE(ChargerMorceauBrowse(chemin));
    EXPECT_EQ(Partition.NbPistesGuitare, 2);
    EXPECT_EQ(Partition.NbPistesBasse, 1);
    EXPECT_TRUE(Partition.AvecPercussions);
    EXPECT_EQ(CheminFichier, chemin);
    EXPECT_EQ(NomFichier, "deux guitares.lrx");
    EXPECT_EQ(fenetre.legende, "Lyrandaxis 2.2 - deux guitares.lrx");
    EXPECT_EQ(fenetre.lectures, 1);
    EXPECT_EQ(ResumeTitre, std::string(50, 'T'));
    EXPECT_EQ(ResumeAuteur, "Moi");
    EXPECT_EQ(ResumeNote, std::string(50, 'n'));
    EXPECT_EQ(ResumeNbMesures, 7);
    EXPECT_EQ(TexteNbPistesResume(), "2 - 1 - 1");
    EXPECT_TRUE(messages.empty());
    InstallerFenetrePrincipale(nullptr);
}

TEST_F(BrowseLogique, ASongThatCannotBeReadIsReportedAndLeavesNoSummaryBehind)
{
    FenetreChargement fenetre;
    InstallerFenetrePrincipale(&fenetre);
    ChargerAnglais();
    EcrireChanson(dossier / "bonne.lrx", "Bonne", 3, {1, 1, false});
    EcrireTexte(dossier / "abimee.lrx", "FICHIER LYRANDAXIS v2.21 and then nothing sensible");
    EcrireOctets(dossier / "ancienne.lrx", FichierVersionAncienne());

    struct Cas {
        const char* fichier;
        const char* message;
    } cas[] = {
        {"abimee.lrx", "This file is not a Lyrandaxis song."},
        {"ancienne.lrx", "This song was saved by an old version of Lyrandaxis and cannot be read."},
        {"absente.lrx", "The file cannot be opened."},
    };
    for (const Cas& c : cas) {
        ASSERT_TRUE(ChargerMorceauBrowse((dossier / "bonne.lrx").string()));
        ASSERT_EQ(ResumeTitre, "Bonne");
        messages.clear();
        EXPECT_FALSE(ChargerMorceauBrowse((dossier / c.fichier).string())) << c.fichier;
        ASSERT_EQ(messages.size(), 1u) << c.fichier;
        EXPECT_EQ(messages[0].Texte, c.message);
        // The summary of the song before is not shown beside this file.
        EXPECT_EQ(ResumeTitre, "");
        EXPECT_EQ(ResumeNbMesures, 0);
        EXPECT_EQ(TexteNbPistesResume(), "0 - 0 - 0");
        EXPECT_EQ(Partition.NbMesures, 1);
        EXPECT_EQ(Partition.NbPistesGuitare, 0);
    }

    // An old version that is still read gives its statistics too.
    ASSERT_TRUE(ChargerMorceauBrowse(LYRX_SOURCE_DIR "/tests/document/data/partition_v100.lrx"));
    EXPECT_GT(ResumeNbMesures, 0);
    EXPECT_EQ(ResumeNbGuitares, Partition.NbPistesGuitare);
    InstallerFenetrePrincipale(nullptr);
}

TEST_F(BrowseLogique, SettingsRoundTripAndDamagedValuesFallBack)
{
    ReglagesParcours defauts = LireReglagesParcours(NomFichierConfiguration, "/prog/");
    EXPECT_EQ(defauts.Repertoire, "/prog/");
    EXPECT_EQ(defauts.SautApres, 0);
    EXPECT_EQ(defauts.LargeursColonnes[0], 200);
    EXPECT_EQ(defauts.LargeursColonnes[3], 300);

    ReglagesParcours r;
    r.LargeursColonnes[0] = 150;
    r.LargeursColonnes[2] = 0;
    r.SautApres = 4;
    r.Repertoire = "/chansons/à trier";
    ASSERT_TRUE(EcrireReglagesParcours(NomFichierConfiguration, r));
    const ReglagesParcours lu = LireReglagesParcours(NomFichierConfiguration, "/prog/");
    EXPECT_EQ(lu.LargeursColonnes[0], 150);
    EXPECT_EQ(lu.LargeursColonnes[1], 50);
    EXPECT_EQ(lu.LargeursColonnes[2], 0);
    EXPECT_EQ(lu.SautApres, 4);
    EXPECT_EQ(lu.Repertoire, "/chansons/à trier");

    // Other sections of the settings file stay as they are.
    EcrireTexte(windows / NomFichierConfiguration,
                "[General]\nVersion=220\n[Browser]\nWC1=-5\nWC2=99999\nJumpAfter=9\nDirectory=\n");
    const ReglagesParcours abime = LireReglagesParcours(NomFichierConfiguration, "/prog/");
    EXPECT_EQ(abime.LargeursColonnes[0], 200);
    EXPECT_EQ(abime.LargeursColonnes[1], 50);
    EXPECT_EQ(abime.SautApres, 0);
    EXPECT_EQ(abime.Repertoire, "/prog/");
    ASSERT_TRUE(EcrireReglagesParcours(NomFichierConfiguration, r));
    EXPECT_EQ(platform::FichierIni(NomFichierConfiguration).ReadString("General", "Version", ""), "220");
}

} // namespace
} // namespace parcours_test

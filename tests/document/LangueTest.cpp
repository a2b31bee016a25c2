// Language files: line splitting, quoted texts, markers, the dictionary, lookups, accelerators
// and the listing of installed languages.
#include "document/Langue.h"
#include "support/DossierTemporaire.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

std::string Donnee(const std::string& nom) { return std::string(LYRX_TEST_DATA_DIR) + "/" + nom; }

// Every test starts with no language loaded and leaves none behind.
class LangueTest : public ::testing::Test {
protected:
    void SetUp() override { Vider(); }
    void TearDown() override
    {
        Vider();
        InstallerDialogueChoixLangue({});
    }
    static void Vider()
    {
        TableLangue.clear();
        DictionnaireLangue.clear();
        ListeLangues.clear();
        LangueCourante.clear();
        RaccourcisAuto = false;
        AuteurPatche.clear();
    }
    static void Charger(const std::string& nom)
    {
        ASSERT_TRUE(ChargerTableLangue(Donnee(nom))) << nom;
        ConstruireDictionnaire();
    }
};

// A scratch folder of its own for each test that lists files.
class Dossier {
public:
    explicit Dossier(const std::string& nom) : dossier_("lyrx-langue-" + nom) {}
    void Fichier(const std::string& nom, const std::string& contenu = "") const
    {
        std::ofstream(dossier_ / nom, std::ios::binary) << contenu;
    }
    std::string Chemin() const { return dossier_.Chemin().string() + "/"; }

private:
    lyrx_test::DossierTemporaire dossier_;
};

} // namespace

TEST(DecouperLignes, EveryLineEndCountsOnceAndAFinalEndAddsNoLine)
{
    struct Cas {
        std::string octets;
        std::vector<std::string> lignes;
    };
    const Cas cas[] = {
        {"", {}},
        {"a", {"a"}},
        {"a\r\nb\rc\nd", {"a", "b", "c", "d"}},
        {"a\r\n", {"a"}},
        {"a\n\n", {"a", ""}},
        {"\r\n", {""}},
        {"a\n\rb", {"a", "", "b"}},   // LF then CR: two line ends
        {"a\r\r\nb", {"a", "", "b"}}, // CR then CR LF
        {"  x  \r\n", {"  x  "}},      // no trimming
        {std::string("\xE9t\xE9\0z", 5), {std::string("\xE9t\xE9\0z", 5)}},
    };
    for (const Cas& c : cas)
        EXPECT_EQ(DecouperLignes(c.octets), c.lignes) << c.octets;
}

TEST(TexteEntreGuillemets, TakesWhatStandsBetweenTheFirstTwoQuotes)
{
    const std::string t499(499, 'x');
    const std::string t500(500, 'x');
    struct Cas {
        std::string ligne;
        std::string texte;
    };
    const Cas cas[] = {
        {"12 \"Open\" // the File menu", "Open"},
        {"\"Open\"", "Open"},
        {"no quotes at all", ""},
        {"one \" quote", ""},
        {"\"\"", ""},
        {"x \"\" y \"z\"", ""},
        {"\"a\"b\"c\"", "a"},
        {"\"%s was not found\"", "%s was not found"},
        {"\"  blanks kept  \"", "  blanks kept  "},
        {"\"\xC9t\xE9\"", "\xC9t\xE9"},
        {"\"" + t499 + "\"", t499},
        {"\"" + t500 + "\"", ""},
        {"9 \"" + t499 + "\" after", t499},
    };
    for (const Cas& c : cas)
        EXPECT_EQ(TexteEntreGuillemets(c.ligne), c.texte) << c.ligne.substr(0, 40);
}

TEST_F(LangueTest, MarkersMatchWholeLinesWithoutRegardToCase)
{
    TableLangue = {"x", "MN_000 ", " MN_000", "mn_000", "MN_000", "\"a\""};
    EXPECT_EQ(ChercherMarqueur("MN_000"), 3); // the first whole-line match, in any case
    EXPECT_EQ(ChercherMarqueur("DLG_000"), -1);
    TableLangue = {"\xE9T\xC9", "Z"};
    EXPECT_EQ(ChercherMarqueur("\xC9t\xE9"), 0); // accented letters fold too
    EXPECT_TRUE(EgalSansCasse("Dlg-Erreur", "DLG-ERREUR"));
    EXPECT_FALSE(EgalSansCasse("Dlg-Erreur", "Dlg-Erreur "));
}

TEST_F(LangueTest, LinesPastTheEndOfTheFileReadAsEmptyTexts)
{
    TableLangue = {"MN_000", "\"File\""};
    EXPECT_EQ(TexteLigneLangue(1), "File");
    EXPECT_EQ(TexteLigneLangue(2), "");
    EXPECT_EQ(TexteLigneLangue(-1), "");
    EXPECT_EQ(TexteEntreeLangue(0, 500), "");
}

TEST_F(LangueTest, CompleteFileGivesEveryKeyInTableOrder)
{
    Charger("langue_complet.lxl");
    EXPECT_EQ(AuteurPatche, "Translated by the test suite");
    EXPECT_TRUE(RaccourcisAuto);

    const std::vector<CleDictionnaire>& table = TableClesDictionnaire();
    ASSERT_EQ(table.size(), 75u);
    ASSERT_EQ(DictionnaireLangue.size(), table.size());
    for (std::size_t i = 0; i < table.size(); ++i)
        EXPECT_EQ(DictionnaireLangue[i].substr(0, DictionnaireLangue[i].find('=')), table[i].Cle);

    struct Cas {
        const char* cle;
        const char* texte;
    };
    const Cas cas[] = {
        {"Dlg-Information", "Information"},
        {"Dlg-SaisieIncorrecte", "Invalid input"},
        {"Gene-Piste", "Track"},       // section written "text" // comment
        {"Gene-MesureDepassee", "Too long"},
        {"Fichier-EnregistrerModif", "Save the changes to #1?"},
        {"Fichier-Introuvable", "The file #1 cannot be found (%s)"}, // one placeholder only
        {"Fichier-SansNom", "Untitled %s"},                           // no placeholder: kept
        {"Prop-PeutPasChangerDeNbDeCordes", "Strings #1 to #2 hold notes and cannot be removed"},
        {"AssCD-DureeInvalide", "Measure #1 of track #2 has a wrong length"},
        {"Accord-ConfirmerSuppr", "Delete the chord #1?"},
        {"Fichier-ExportASCII", "Export ASCII tablature"}, // marker written "Files_000"
        {"Repet-A", "to"},
        {"Gene-PartitionPleine", "Song full"},
        {"MidiImp-NotesIgnorees", "#1 notes left out from measure #2"},
        {"ASCIIImp-LimiteMesures", "Stopped at 1000"},
        {"Imp-FichierImpossible", "Cannot write #1"},
        {"dlg-erreur", "Error"}, // keys in any case
        {"DLG-ERREUR", "Error"},
    };
    for (const Cas& c : cas)
        EXPECT_EQ(Traduire(c.cle), c.texte) << c.cle;
}

TEST_F(LangueTest, MissingKeysGiveTheInternalErrorText)
{
    EXPECT_EQ(Traduire("Dlg-Erreur"), "Internal error : Translation not found !");
    EXPECT_EQ(TexteTraductionIntrouvable.size(), 40u);
    Charger("langue_complet.lxl");
    EXPECT_EQ(Traduire("Dlg-Inconnu"), TexteTraductionIntrouvable);
    EXPECT_EQ(Traduire("Dlg-Erreur="), TexteTraductionIntrouvable);
    EXPECT_EQ(Traduire(""), TexteTraductionIntrouvable);
}

TEST_F(LangueTest, LowerCaseHeaderSwitchAndMarkersLoadLikeUpperCase)
{
    Charger("langue_minuscules.lxl");
    EXPECT_EQ(AuteurPatche, "Traduit par les tests");
    EXPECT_TRUE(RaccourcisAuto);
    EXPECT_EQ(Traduire("Dlg-Erreur"), "Error");
    // The file stops after "DLG_000": the build ends at the missing "GENE_000".
    EXPECT_EQ(DictionnaireLangue.size(), 6u);
    EXPECT_EQ(Traduire("Gene-Piste"), TexteTraductionIntrouvable);
    EXPECT_EQ(TexteEntreeLangue(ChercherMarqueur("DLG_000"), 1), "Ok \xE9t\xE9");
}

TEST_F(LangueTest, AMarkerWithATrailingBlankIsAMissingSectionAndStopsTheBuild)
{
    Charger("langue_marqueur_blanc.lxl");
    EXPECT_EQ(ChercherMarqueur("GENE_000"), -1);
    EXPECT_EQ(DictionnaireLangue.size(), 6u);
    EXPECT_EQ(Traduire("Dlg-SaisieIncorrecte"), "Invalid input");
    EXPECT_EQ(Traduire("Gene-Piste"), TexteTraductionIntrouvable);
    // "FILES_000" is in the file, but comes after the missing section in the key table.
    EXPECT_GE(ChercherMarqueur("FILES_000"), 0);
    EXPECT_EQ(Traduire("Fichier-Introuvable"), TexteTraductionIntrouvable);
    EXPECT_FALSE(RaccourcisAuto);
}

TEST_F(LangueTest, AFileCutShortGivesEmptyTextsNotACrash)
{
    Charger("langue_coupe.lxl");
    EXPECT_EQ(AuteurPatche, "cut");
    EXPECT_EQ(Traduire("Dlg-Confirmation"), "Confirmation"); // line 9, the last of the file
    EXPECT_EQ(Traduire("Dlg-Avertissement"), "");            // lines 10 to 13 are past the end
    EXPECT_EQ(Traduire("Dlg-SaisieIncorrecte"), "");
    EXPECT_EQ(Traduire("Gene-Piste"), TexteTraductionIntrouvable);
}

TEST_F(LangueTest, AFileWithoutHeaderLeavesTheDictionaryAsItWas)
{
    Charger("langue_complet.lxl");
    const std::vector<std::string> avant = DictionnaireLangue;
    Charger("langue_sans_entete.lxl");
    EXPECT_EQ(DictionnaireLangue, avant);
    EXPECT_EQ(AuteurPatche, "Translated by the test suite");
    EXPECT_TRUE(RaccourcisAuto);
    EXPECT_EQ(Traduire("Dlg-Erreur"), "Error");
    // ... while the positional texts are the new file's.
    EXPECT_EQ(TexteEntreeLangue(ChercherMarqueur("DLG_000"), 12), "Other 12");
}

TEST(FormaterMessage, FillsThePlaceholdersOrPutsTheArgumentInFront)
{
    EXPECT_EQ(FormaterMessage1("File #1 not found", "a.lrx"), "File a.lrx not found");
    EXPECT_EQ(FormaterMessage1("#1 and #1", "x"), "x and #1");
    EXPECT_EQ(FormaterMessage1("No placeholder", "x"), "xNo placeholder");
    EXPECT_EQ(FormaterMessage1("", "x"), "x");
    EXPECT_EQ(FormaterMessage2("Measure #1, track #2", "3", "4"), "Measure 3, track 4");
    EXPECT_EQ(FormaterMessage2("#2 before #1", "a", "b"), "b before a");
    EXPECT_EQ(FormaterMessage2("#1 and #2", "a#2", "b"), "ab and #2");
    EXPECT_EQ(FormaterMessage2("Only #1", "a", "b"), "bOnly a");
    EXPECT_EQ(FormaterMessage2("Nothing", "a", "b"), "baNothing");
}

TEST(RemplacerPremier, ReplacesTheFirstOccurrenceOnly)
{
    EXPECT_EQ(RemplacerPremier("%s and %s", "%s", "#1"), "#1 and %s");
    EXPECT_EQ(RemplacerPremier("none", "%s", "#1"), "none");
    const std::string reste(600, 'r');
    EXPECT_EQ(RemplacerPremier("a%s" + reste, "%s", "b"), "ab" + reste.substr(0, 500));
}

TEST_F(LangueTest, AcceleratorTakesTheFirstFreeCharacter)
{
    RaccourcisAuto = true;
    struct Cas {
        const char* legende;
        const char* avant;
        const char* resultat;
        const char* apres;
    };
    const Cas cas[] = {
        {"File", "", "&File", "F"},
        {"File", "F", "F&ile", "FI"},
        {"file", "F", "f&ile", "FI"},        // compared in upper case
        {"1. Open", "", "1. &Open", "O"},    // digits, points and blanks never qualify
        {"12 34.5", "", "12 34.5", ""},      // nothing qualifies: unchanged
        {"Aa", "A", "Aa", "A"},
        {"Bend && Release...", "BEND", "Bend &&& Release...", "BEND&"}, // "&" is an ordinary character
        {"\xE9t\xE9", "", "&\xE9t\xE9", "\xE9"},                   // accented letters not upper-cased
        {"-x", "", "&-x", "-"},
        {"", "", "", ""},
    };
    for (const Cas& c : cas) {
        std::string utilisees = c.avant;
        EXPECT_EQ(AjouterRaccourci(c.legende, utilisees), c.resultat) << c.legende << " / " << c.avant;
        EXPECT_EQ(utilisees, c.apres) << c.legende;
    }
}

TEST_F(LangueTest, AcceleratorsOffLeaveCaptionAndLettersAlone)
{
    RaccourcisAuto = false;
    std::string utilisees = "X";
    EXPECT_EQ(AjouterRaccourci("File", utilisees), "File");
    EXPECT_EQ(utilisees, "X");
}

TEST_F(LangueTest, ListingTakesLxlFilesInAnyCaseSortedByName)
{
    Dossier d("liste");
    d.Fichier("English.lxl");
    d.Fichier("Deutsch.LXL");
    d.Fichier("fran\xE7" "ais.lxl");
    d.Fichier("notes.txt");
    d.Fichier("English.lxl.bak");
    d.Fichier(".lxl");
    fs::create_directories(d.Chemin() + "Dossier.lxl");
    TableLangue = {"old"};
    DictionnaireLangue = {"a=b"};

    ListerLangues(d.Chemin());
    EXPECT_EQ(ListeLangues, (std::vector<std::string>{"Deutsch", "English", "fran\xE7" "ais"}));
    EXPECT_TRUE(TableLangue.empty());
    EXPECT_TRUE(DictionnaireLangue.empty());

    EXPECT_EQ(CheminFichierLangue(d.Chemin(), "Deutsch"), d.Chemin() + "Deutsch.LXL");
    EXPECT_EQ(CheminFichierLangue(d.Chemin(), "English"), d.Chemin() + "English.lxl");
    EXPECT_EQ(CheminFichierLangue(d.Chemin(), "english"), "");
    EXPECT_EQ(CheminFichierLangue(d.Chemin(), "Dossier"), "");

    ListerLangues(d.Chemin() + "absent/");
    EXPECT_TRUE(ListeLangues.empty());
}

TEST(IndexLanguePreselectionnee, EnglishExactlyElseTheFirst)
{
    EXPECT_EQ(IndexLanguePreselectionnee({"Deutsch", "English"}), 1);
    EXPECT_EQ(IndexLanguePreselectionnee({"Deutsch", "english"}), 0);
    EXPECT_EQ(IndexLanguePreselectionnee({"English "}), 0);
    EXPECT_EQ(IndexLanguePreselectionnee({}), -1);
}

TEST_F(LangueTest, StartKeepsAnInstalledLanguageWithoutAsking)
{
    Dossier d("depart_connu");
    std::ifstream f(Donnee("langue_complet.lxl"), std::ios::binary);
    d.Fichier("Testing.lxl", std::string{std::istreambuf_iterator<char>(f), {}});
    d.Fichier("Other.lxl", "### PATCH CONFIGURATION ###\r\n\"other\"\r\n");
    int questions = 0;
    InstallerDialogueChoixLangue([&] { ++questions; return std::string("Other"); });

    LangueCourante = "Testing";
    ChoisirLangueAuDemarrage(d.Chemin());
    EXPECT_EQ(questions, 0);
    EXPECT_EQ(LangueCourante, "Testing");
    EXPECT_EQ(ListeLangues, (std::vector<std::string>{"Other", "Testing"}));
    EXPECT_EQ(Traduire("Dlg-Erreur"), "Error");
}

TEST_F(LangueTest, StartAsksWhenTheConfiguredFileIsGone)
{
    Dossier d("depart_perdu");
    d.Fichier("Other.lxl", "### PATCH CONFIGURATION ###\r\n\"other\"\r\nDLG_000\r\n");
    std::vector<std::string> proposees;
    InstallerDialogueChoixLangue([&] { proposees = ListeLangues; return std::string("Other"); });

    LangueCourante = "Removed";
    ChoisirLangueAuDemarrage(d.Chemin());
    EXPECT_EQ(proposees, (std::vector<std::string>{"Other"}));
    EXPECT_EQ(LangueCourante, "Other");
    EXPECT_EQ(AuteurPatche, "other");
}

TEST_F(LangueTest, StartWithoutAnyLanguageLoadsNothing)
{
    Dossier d("depart_vide");
    int questions = 0;
    InstallerDialogueChoixLangue([&] { ++questions; return std::string(); });
    ChoisirLangueAuDemarrage(d.Chemin());
    EXPECT_EQ(questions, 1);
    EXPECT_TRUE(LangueCourante.empty());
    EXPECT_TRUE(TableLangue.empty());
    EXPECT_EQ(Traduire("Dlg-Erreur"), TexteTraductionIntrouvable);
}

TEST_F(LangueTest, WithoutADialogTheStartTakesThePreselectedLanguage)
{
    Dossier d("depart_silencieux");
    d.Fichier("Deutsch.lxl", "### PATCH CONFIGURATION ###\r\n\"de\"\r\n");
    d.Fichier("English.lxl", "### PATCH CONFIGURATION ###\r\n\"en\"\r\n");
    ChoisirLangueAuDemarrage(d.Chemin());
    EXPECT_EQ(LangueCourante, "English");
    EXPECT_EQ(AuteurPatche, "en");
}

TEST_F(LangueTest, AFailedLoadKeepsTheLanguageInForce)
{
    Charger("langue_complet.lxl");
    const std::vector<std::string> table = TableLangue;
    EXPECT_FALSE(ChargerLangue(std::string(LYRX_TEST_DATA_DIR) + "/", "absent"));
    EXPECT_EQ(TableLangue, table);
    EXPECT_EQ(Traduire("Dlg-Erreur"), "Error");
}

// The language files shipped with the program give every message its text.
TEST_F(LangueTest, ShippedLanguagesFillTheWholeDictionary)
{
    const std::string repertoire = std::string(LYRX_SOURCE_DIR) + "/data/";
    ListerLangues(repertoire);
    if (ListeLangues.empty())
        GTEST_SKIP() << "no language file in " << repertoire;
    for (const std::string& nom : std::vector<std::string>(ListeLangues)) {
        SCOPED_TRACE(nom);
        DictionnaireLangue.clear();
        ASSERT_TRUE(ChargerLangue(repertoire, nom));
        EXPECT_EQ(DictionnaireLangue.size(), TableClesDictionnaire().size());
        for (const CleDictionnaire& cle : TableClesDictionnaire()) {
            const std::string texte = Traduire(cle.Cle);
            EXPECT_FALSE(texte.empty()) << cle.Cle;
            EXPECT_EQ(texte.find("#1") != std::string::npos, cle.Arguments >= 1) << cle.Cle << ": " << texte;
            EXPECT_EQ(texte.find("#2") != std::string::npos, cle.Arguments >= 2) << cle.Cle << ": " << texte;
        }
        EXPECT_GE(ChercherMarqueur("MN_000"), 0);
    }
}

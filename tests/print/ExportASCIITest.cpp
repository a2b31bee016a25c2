// The text tablature export: whole texts of small songs against reference texts, the header,
// the block and seam rules, the letters, damaged settings, and the saved bytes.
#include "print/ExportASCII.h"

#include "ChansonASCII.h"
#include "document/Fichiers.h"
#include "document/Mess.h"
#include "support/DossierTemporaire.h"

#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <fstream>

namespace {

class ExportASCII : public ChansonASCII {
protected:
    TexteASCII Exporter(int32_t colonnes)
    {
        Configuration.NbColASCII = colonnes;
        TexteASCII memo{"old text"};
        ::ExporterASCII(memo);
        return memo;
    }
};

// The string lines of the blocks (those starting with a tuning name or a bar character are
// not told apart: the caller picks by index).
std::size_t IndexLigne(const TexteASCII& memo, std::string_view debut)
{
    for (std::size_t i = 0; i < memo.size(); ++i)
        if (memo[i].starts_with(debut))
            return i;
    return memo.size();
}

} // namespace

TEST_F(ExportASCII, SixStringSongWithCapoChordAndRepeatsGivesTheReferenceText)
{
    Partition.Titre = "Demo";
    Partition.NomPiste[1] = "Lead";
    Partition.Capo[1] = 2;
    AccordASCII(AjouterTempsASCII(1, 0, false, {{6, 3}}), "G");
    AjouterTempsASCII(1, 0, false, {{5, 2, 1}});
    AjouterTempsASCII(1, 0, false, {{4, 0}});
    AjouterTempsASCII(1, 0, false, {{3, 12}});
    AjouterTempsASCII(2, -1, false, {{1, 5, 5}});
    AjouterTempsASCII(2, 1, false, {{2, kNoteMorte}});
    AjouterTempsASCII(2, 1, false, {{2, 7}, {3, 7}}, 1);
    TMesure& m2 = MesureASCII(2);
    m2.RenvoiDebut = true;
    m2.RenvoiFin = true;
    m2.NbRenvois = 3;

    EXPECT_EQ(Exporter(40), LignesDonnees("demo_40.txt"));
}

TEST_F(ExportASCII, BassTrackWithSharpTuningAndRepeatSeamsGivesTheReferenceText)
{
    Partition.Auteur = "Me";
    Partition.Commentaire = "Live";
    Partition.NbCordes[1] = 4;
    Partition.Accordage[1] = {0, 43, 38, 33, 25, 0, 0};
    TTemps& pause = AjouterTempsASCII(1, -2, false, {});
    pause.Silence = true;
    AccordASCII(pause, "Am");
    MesureASCII(1).RenvoiFin = true;
    MesureASCII(1).NbRenvois = 12;
    AjouterTempsASCII(2, 0, false, {{4, 3}});
    AjouterTempsASCII(2, 1, true, {{1, 5, 3}});
    AjouterTempsASCII(2, 2, false, {{2, 7, 2}});
    MesureASCII(2).RenvoiDebut = true;
    MesureASCII(3);
    AccordASCII(AjouterTempsASCII(4, 1, false, {{1, 10, 5}, {3, 0}}, 1), "C");
    MesureASCII(4).RenvoiDebut = true;
    MesureASCII(4).RenvoiFin = true;
    MesureASCII(4).NbRenvois = 1;

    EXPECT_EQ(Exporter(40), LignesDonnees("basse_renvois_40.txt"));
}

TEST_F(ExportASCII, HeaderLinesFollowTitleAuthorCommentAndTrack)
{
    struct Cas {
        const char* titre;
        const char* auteur;
        const char* commentaire;
        const char* piste;
        int capo;
        int32_t colonnes;
        TexteASCII entete; // the lines before the first block's text line
    };
    const std::string blancs36(36, ' ');
    const Cas cas[] = {
        {"", "", "", "", 0, 80, {}},
        // (80 - 5) / 2 - 1 = 36.5 and (80 - 7) / 2 - 1 = 35.5 both round to 36.
        {"Title", "", "", "", 0, 80, {blancs36 + "Title" + std::string(39, ' '), "", ""}},
        {"Seventh", "", "", "", 0, 80, {blancs36 + "Seventh" + std::string(37, ' '), "", ""}},
        {"", "Me", "", "", 0, 80, {std::string(78, ' ') + "Me", "", "", ""}},
        {"", "", "Note", "Lead", 0, 80, {"Lead", "Note", "", "", ""}},
        {"", "", "", "Lead", 3, 80, {"Lead (Capo 3)"}},
        {"", "", "", "", 5, 80, {" (Capo 5)"}},
        {"T", "Author", "", "", 0, 40, {std::string(18, ' ') + "T" + std::string(21, ' '), "", "",
                                         std::string(34, ' ') + "Author", "", "", ""}},
    };
    for (const Cas& c : cas) {
        SetUp();
        Partition.Titre = c.titre;
        Partition.Auteur = c.auteur;
        Partition.Commentaire = c.commentaire;
        Partition.NomPiste[1] = c.piste;
        Partition.Capo[1] = c.capo;
        const TexteASCII memo = Exporter(c.colonnes);
        const std::size_t premiereCorde = IndexLigne(memo, "E||");
        ASSERT_GE(premiereCorde, 1u) << c.titre << c.auteur << c.piste;
        EXPECT_EQ(TexteASCII(memo.begin(), memo.begin() + static_cast<long>(premiereCorde) - 1), c.entete)
            << "title '" << c.titre << "' author '" << c.auteur << "' track '" << c.piste << "'";
    }
}

TEST_F(ExportASCII, ATitleLongerThanThePageKeepsItsMiddleAndTheLineItsWidth)
{
    Partition.Titre = std::string(50, 'a') + "MIDDLE" + std::string(44, 'b');
    const TexteASCII memo = Exporter(40);
    ASSERT_FALSE(memo.empty());
    EXPECT_EQ(memo[0].size(), 40u);
    // k = (40 - 100) / 2 - 1 = -31: the line shows characters 32 to 71.
    EXPECT_EQ(memo[0], std::string(19, 'a') + "MIDDLE" + std::string(15, 'b'));
}

TEST_F(ExportASCII, EmptyMeasuresAreThreeColumnsAndTheLastFour)
{
    MesureASCII(2);
    const TexteASCII memo = Exporter(80);
    ASSERT_GE(memo.size(), 7u);
    EXPECT_EQ(memo[0], std::string(10, ' '));
    EXPECT_EQ(memo[1], "E||--|--||");
    EXPECT_EQ(memo[6], "E||--|--||");
    EXPECT_EQ(memo[3], "G||--|--||");
    EXPECT_EQ(memo.size(), 9u); // text line, six strings, two empty lines
}

TEST_F(ExportASCII, AMeasureWiderThanThePageStandsAloneAndIsCut)
{
    AjouterTempsASCII(1, 0, false, {{1, 1}});
    for (int k = 0; k < 10; ++k)
        AjouterTempsASCII(2, -2, false, {{1, 2}});
    AjouterTempsASCII(3, 0, false, {{1, 3}});
    const TexteASCII memo = Exporter(40);

    ASSERT_EQ(memo.size(), 27u); // three blocks of nine lines
    EXPECT_EQ(memo[1], "E||--1----|");
    EXPECT_EQ(memo[10].size(), 40u);
    EXPECT_EQ(memo[10], "--2" + std::string(16, '-') + "2" + std::string(16, '-') + "2---");
    EXPECT_NE(memo[11].back(), '|'); // its closing bar lies beyond the page
    EXPECT_EQ(memo[19], "--3----||");
}

TEST_F(ExportASCII, AFirstMeasureWiderThanThePageIsCutInPlace)
{
    for (int k = 0; k < 5; ++k)
        AjouterTempsASCII(1, -2, false, {{6, 9}});
    const TexteASCII memo = Exporter(40);
    ASSERT_EQ(memo.size(), 9u);
    EXPECT_EQ(memo[6], "E||--9" + std::string(16, '-') + "9" + std::string(16, '-') + "9");
    for (int s = 0; s <= 6; ++s)
        EXPECT_EQ(memo[static_cast<std::size_t>(s)].size(), 40u);
}

TEST_F(ExportASCII, RepeatStartAfterAnOrdinaryMeasureAddsOneBarAndFiveStringsDotStringsTwoAndFour)
{
    Partition.NbCordes[1] = 5;
    Partition.Accordage[1] = {0, 64, 59, 55, 50, 45, 0};
    AjouterTempsASCII(1, 0, false, {{1, 0}});
    MesureASCII(2).RenvoiDebut = true;
    const TexteASCII memo = Exporter(80);
    ASSERT_GE(memo.size(), 6u);
    EXPECT_EQ(memo[1], "E||--0----||---||");
    EXPECT_EQ(memo[2], "B||-------||*--||");
    EXPECT_EQ(memo[3], "G||-------||---||");
    EXPECT_EQ(memo[4], "D||-------||*--||");
    EXPECT_EQ(memo[5], "A||-------||---||");
}

TEST_F(ExportASCII, TheLetterAfterAFretComesFromTheNoteLinkElseTheBeatTechnique)
{
    struct Cas {
        int effetTemps;
        int lien;
        const char* texte; // string 1 of measure 1 after the tuning name and bars
    };
    const Cas cas[] = {
        {0, 0, "--5----||"},  {1, 0, "--5~---||"},  {2, 0, "--5~---||"}, {3, 0, "--5----||"},
        {4, 0, "--5----||"},  {5, 0, "--5t---||"},  {6, 0, "--5s---||"}, {7, 0, "--5----||"},
        {8, 0, "--5----||"},  {9, 0, "--5----||"},  {0, 1, "--5h---||"}, {0, 2, "--5p---||"},
        {0, 3, "--5/---||"},  {0, 4, "--5\\---||"}, {0, 5, "--5b---||"}, {0, 6, "--5r---||"},
        {1, 7, "--5~---||"},  {5, 5, "--5b---||"},
    };
    for (const Cas& c : cas) {
        SetUp();
        AjouterTempsASCII(1, 0, false, {{1, 5, c.lien}}, c.effetTemps);
        const TexteASCII memo = Exporter(80);
        ASSERT_GE(memo.size(), 2u);
        EXPECT_EQ(memo[1], std::string("E||") + c.texte) << "beat " << c.effetTemps << " link " << c.lien;
    }
}

TEST_F(ExportASCII, RestsAndTiedBeatsWriteNoFretAndAdvanceByTheirValue)
{
    TTemps& lie = AjouterTempsASCII(1, 0, false, {{1, 5}});
    lie.Lie = true;
    TTemps& pause = AjouterTempsASCII(1, -1, true, {{1, 6}});
    pause.Silence = true;
    AjouterTempsASCII(1, 3, false, {{1, 7}});
    AjouterTempsASCII(1, 4, true, {{1, 8}});
    const TexteASCII memo = Exporter(80);
    ASSERT_GE(memo.size(), 2u);
    // 2 dashes, 4 for the tied quarter, 12 for the dotted half rest, then 7 + 1 and 8 + 1.
    EXPECT_EQ(memo[1], "E||" + std::string(18, '-') + "7-8-||");
}

TEST_F(ExportASCII, ALaterChordNameOverwritesTheOneItCovers)
{
    AccordASCII(AjouterTempsASCII(1, 2, false, {{1, 0}}), "Cmaj7sus");
    AccordASCII(AjouterTempsASCII(1, 2, false, {{1, 0}}), "D");
    const TexteASCII memo = Exporter(80);
    ASSERT_GE(memo.size(), 2u);
    EXPECT_EQ(memo[0], "     CmDj7s"); // cut to the measure's width
    EXPECT_EQ(memo[1], "E||--0-0-||");
}

TEST_F(ExportASCII, ADamagedPageWidthIsBoundedAndTheSongIsLeftAlone)
{
    struct Cas {
        int32_t configure;
        std::size_t largeur;
    };
    const Cas cas[] = {{0, 40}, {-7, 40}, {INT_MIN, 40}, {20, 20}, {1, 1}, {5000, 999}, {INT_MAX, 999}};
    for (const Cas& c : cas) {
        SetUp();
        Partition.Titre = "T";
        AjouterTempsASCII(1, 0, false, {{1, 0}});
        const TexteASCII memo = Exporter(c.configure);
        ASSERT_FALSE(memo.empty());
        EXPECT_EQ(memo[0].size(), c.largeur) << c.configure;
        EXPECT_EQ(Configuration.NbColASCII, c.configure); // the setting is not rewritten
        EXPECT_EQ(Partition.NbMesures, 1);
        EXPECT_EQ(MesureASCII(1).NbTemps[1], 1);
    }
}

TEST_F(ExportASCII, ThePercussionTrackWritesItsNoteNumbers)
{
    PisteCourante = kPistePercussions;
    Partition.NomPiste[kPistePercussions].clear();
    AjouterTempsASCII(1, 1, false, {{1, 42}, {6, 36}});
    const TexteASCII memo = Exporter(80);
    ASSERT_GE(memo.size(), 7u);
    EXPECT_EQ(memo[1], "C||--42--||"); // percussion strings are tuned to note 0
    EXPECT_EQ(memo[6], "C||--36--||");
}

TEST_F(ExportASCII, SavedTextEndsEveryLineWithCarriageReturnAndLineFeed)
{
    const std::vector<uint8_t> octets = OctetsFichierASCII({"ab", "", "\xE9"});
    EXPECT_EQ(std::string(octets.begin(), octets.end()), "ab\r\n\r\n\xE9\r\n");
    EXPECT_TRUE(OctetsFichierASCII({}).empty());

    const auto dossier = lyrx_test::DossierDuTest();
    const std::string chemin = (dossier / "out.tab").string();
    EnregistreurMessages messages;
    ASSERT_TRUE(EnregistrerFichierASCII({"E|--0--|", ""}, chemin));
    std::ifstream f(chemin, std::ios::binary);
    EXPECT_EQ(std::string((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>()), "E|--0--|\r\n\r\n");
    EXPECT_TRUE(messages.Messages.empty());
}

TEST_F(ExportASCII, AFileThatCannotBeWrittenIsReportedWithTheExportMessage)
{
    ASSERT_TRUE(ChargerTableLangue(std::string(LYRX_SOURCE_DIR) + "/data/English.lxl"));
    ConstruireDictionnaire();
    EnregistreurMessages messages;
    const auto chemin = lyrx_test::DossierDuTest() / "no_such_folder" / "x" / "out.tab";
    EXPECT_FALSE(EnregistrerFichierASCII({"line"}, chemin.string()));
    ASSERT_EQ(messages.Messages.size(), 1u);
    EXPECT_EQ(messages.Messages[0].Texte, Traduire("ASCIIExp-EcritureFichierImpossibleExportAb"));
    EXPECT_EQ(messages.Messages[0].Texte, "The file cannot be written. Export cancelled.");
    EXPECT_EQ(messages.Messages[0].Legende, Traduire("Dlg-Erreur"));
    EXPECT_EQ(messages.Messages[0].Icone, IconeErreur);
    EXPECT_EQ(messages.Messages[0].Boutons, BoutonOK);
    EXPECT_FALSE(std::filesystem::exists(chemin));
    TableLangue.clear();
    DictionnaireLangue.clear();
}

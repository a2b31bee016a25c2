#include "document/LibrairieAccords.h"
#include "document/Variable.h"
#include "support/DossierTemporaire.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace fs = std::filesystem;
using platform::FichierIni;

namespace {

TAccord AccordDo()
{
    TAccord a;
    a.Diese = true;
    a.Add = false;
    for (int d = 1; d <= 7; ++d)
        a.Degres[d] = true;
    a.Fondamentale = 0;
    a.Typ = 0;
    a.NeufOnzeTreize = a.DimAug = a.Quinte = a.Neuf = a.Onze = 0;
    a.FretteBase = 1;
    a.NbBarres = 0;
    a.Basse = -1;
    a.Frettes = {0, 0, 1, 0, 2, 3, -1};
    a.Nom = "C";
    return a;
}

TAccord AccordBarre(const char* nom)
{
    TAccord a = AccordDo();
    a.Diese = false;
    a.Add = true;
    a.Degres[4] = false;
    a.Fondamentale = 7;
    a.Typ = 5;
    a.NeufOnzeTreize = 1;
    a.DimAug = 2;
    a.Quinte = 1;
    a.Neuf = 2;
    a.Onze = 1;
    a.FretteBase = 3;
    a.Basse = 11;
    a.Frettes = {0, 3, 3, 3, 5, 5, 3};
    a.NbBarres = 2;
    a.BarreFrette = {0, 3, 5};
    a.BarreCordeDebut = {0, 1, 4};
    a.BarreCordeFin = {0, 6, 5};
    a.Nom = nom;
    return a;
}

class LibrairieAccordsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dossier_ = lyrx_test::DossierDuTest().string();
        ViderLibrairie();
    }
    void TearDown() override { ViderLibrairie(); }
    static void ViderLibrairie()
    {
        for (auto& a : LibrairieAccords)
            a.reset();
        NbLibrairieAccords = 0;
    }
    static void Ajouter(const TAccord& a)
    {
        LibrairieAccords[++NbLibrairieAccords] = std::make_unique<TAccord>(a);
    }
    std::string Ini() const { return (fs::path(dossier_) / "Lyrx220.ini").string(); }
    void EcrireIni(const std::string& texte) const { std::ofstream(Ini(), std::ios::binary) << texte; }

    std::string dossier_;
};

} // namespace

TEST(LibrairieAccordsFormat, KeysCarryThreeDigits)
{
    EXPECT_EQ(CleAccordLibrairie(1), "C001");
    EXPECT_EQ(CleAccordLibrairie(10), "C010");
    EXPECT_EQ(CleAccordLibrairie(100), "C100");
    EXPECT_EQ(CleAccordLibrairie(200), "C200");
}

TEST(LibrairieAccordsFormat, ChordsAreSpelledOneCharacterPerField)
{
    EXPECT_EQ(CoderAccordLibrairie(AccordDo()), "ONOOOOOOOAAAAAAABAABCBDEAC");

    // One barre at fret 3 from string 1 to string 6: D, B, G at positions 26 to 28.
    TAccord a = AccordDo();
    a.NbBarres = 1;
    a.BarreFrette[1] = 3;
    a.BarreCordeDebut[1] = 1;
    a.BarreCordeFin[1] = 6;
    a.Nom = "F";
    const std::string v = CoderAccordLibrairie(a);
    EXPECT_EQ(v.substr(25, 3), "DBG");
    EXPECT_EQ(v.substr(28), "F");
    EXPECT_EQ(v[17], 'B'); // one barre

    const TAccord b = AccordBarre("Gm7(9)");
    EXPECT_EQ(CoderAccordLibrairie(b).size(), 31u + 6u);
}

TEST(LibrairieAccordsFormat, DecodingGivesBackEveryField)
{
    for (const TAccord& a : {AccordDo(), AccordBarre("G/B"), AccordBarre("")}) {
        const auto lu = DecoderAccordLibrairie(CoderAccordLibrairie(a));
        ASSERT_TRUE(lu.has_value());
        EXPECT_EQ(*lu, a) << CoderAccordLibrairie(a);
    }
    // Only "O" is true; a lower-case o is false.
    const auto lu = DecoderAccordLibrairie("oNOOOOOOOAAAAAAABAABCBDEAC");
    ASSERT_TRUE(lu.has_value());
    EXPECT_FALSE(lu->Diese);
}

TEST(LibrairieAccordsFormat, NamesAreCutToTwentyCharacters)
{
    const auto lu = DecoderAccordLibrairie("ONOOOOOOOAAAAAAABAABCBDEA" + std::string(30, 'x'));
    ASSERT_TRUE(lu.has_value());
    EXPECT_EQ(lu->Nom.str(), std::string(20, 'x'));
}

TEST(LibrairieAccordsFormat, ValuesThatAreNoChordAreRefused)
{
    const std::string bon = "ONOOOOOOOAAAAAAABAABCBDEAC";
    auto avec = [&](std::size_t pos, char c) {
        std::string v = bon;
        v[pos] = c;
        return v;
    };
    const std::string cas[] = {
        "",
        bon.substr(0, 24),        // shorter than the fixed part
        avec(17, 'B'),            // one barre announced, no room for it (name is 1 char)
        avec(17, 'D'),            // three barres
        avec(17, '@'),            // a negative barre count
        avec(9, 'N'),             // root 13
        avec(10, 'P'),            // type 15
        avec(11, 'E'),            // extension 4
        avec(18, '@'),            // bass -2
        avec(18, 'N'),            // bass 12
        "ONOOOOOOOAAAAAAABBABCBDEADAHF", // barre string 0
        "ONOOOOOOOAAAAAAABBABCBDEADBIF", // barre string 7
        avec(16, 'A'),            // base fret 0
        avec(16, 'V'),            // base fret 21
        avec(16, ' '),            // base fret -33
        avec(19, '@'),            // fret -2 on string 1
        avec(24, '['),            // fret 25 on string 6
        avec(20, ' '),            // fret -34 on string 2
    };
    for (const auto& v : cas)
        EXPECT_FALSE(DecoderAccordLibrairie(v).has_value()) << v;
    EXPECT_TRUE(DecoderAccordLibrairie("ONOOOOOOOAAAAAAABBABCBDEADBGF").has_value());
    // The edges the chord dialog can show: base fret 20, frets -1 (A) and 24 (Z).
    const auto bord = DecoderAccordLibrairie(avec(24, 'Z').replace(16, 1, "U").replace(19, 1, "A"));
    ASSERT_TRUE(bord.has_value());
    EXPECT_EQ(bord->FretteBase, 20);
    EXPECT_EQ(bord->Frettes[1], -1);
    EXPECT_EQ(bord->Frettes[6], 24);
}

TEST_F(LibrairieAccordsTest, TheLibraryRoundTripsThroughTheFile)
{
    Ajouter(AccordDo());
    Ajouter(AccordBarre("Gm7/B"));
    Ajouter(AccordBarre(" spaced "));
    {
        FichierIni ini(Ini());
        EcrireLibrairieAccords(ini);
    }
    std::vector<TAccord> avant;
    for (int i = 1; i <= NbLibrairieAccords; ++i)
        avant.push_back(*LibrairieAccords[i]);
    ViderLibrairie();
    LireLibrairieAccords(FichierIni(Ini()));
    ASSERT_EQ(NbLibrairieAccords, 3);
    for (int i = 1; i <= 3; ++i)
        EXPECT_EQ(*LibrairieAccords[i], avant[i - 1]) << i;
    EXPECT_FALSE(LibrairieAccords[4]);
}

TEST_F(LibrairieAccordsTest, AGapEndsTheLibraryAndTheNextExitLeavesOldKeys)
{
    const std::string c = "ONOOOOOOOAAAAAAABAABCBDEA";
    EcrireIni("[ChordsLib]\nTotal=3\nC001=" + c + "C\nC002=" + c + "D\nC004=" + c + "F\n");
    LireLibrairieAccords(FichierIni(Ini()));
    ASSERT_EQ(NbLibrairieAccords, 2);
    EXPECT_EQ(LibrairieAccords[2]->Nom.str(), "D");
    {
        FichierIni ini(Ini());
        EcrireLibrairieAccords(ini);
    }
    FichierIni relu(Ini());
    EXPECT_EQ(relu.ReadInteger("ChordsLib", "Total", -1), 2);
    EXPECT_EQ(relu.ReadString("ChordsLib", "C004", ""), c + "F");
}

TEST_F(LibrairieAccordsTest, AShrunkLibraryKeepsTheOldKeysButReadsOnlyItsOwn)
{
    for (int i = 0; i < 8; ++i)
        Ajouter(AccordBarre(("A" + std::to_string(i)).c_str()));
    EcrireLibrairieAccords(*std::make_unique<FichierIni>(Ini()));
    ViderLibrairie();
    for (int i = 0; i < 5; ++i)
        Ajouter(AccordBarre(("B" + std::to_string(i)).c_str()));
    EcrireLibrairieAccords(*std::make_unique<FichierIni>(Ini()));

    FichierIni ini(Ini());
    EXPECT_EQ(ini.ReadInteger("ChordsLib", "Total", -1), 5);
    EXPECT_TRUE(ini.ValueExists("ChordsLib", "C008"));
    LireLibrairieAccords(ini);
    ASSERT_EQ(NbLibrairieAccords, 5);
    EXPECT_EQ(LibrairieAccords[5]->Nom.str(), "B4");
}

TEST_F(LibrairieAccordsTest, AnEmptyLibraryWritesOnlyItsCount)
{
    FichierIni ini(Ini());
    EcrireLibrairieAccords(ini);
    EXPECT_EQ(ini.ReadSection("ChordsLib"), std::vector<std::string>{"Total"});
    EXPECT_EQ(ini.ReadInteger("ChordsLib", "Total", -1), 0);
}

TEST_F(LibrairieAccordsTest, MissingOrNegativeCountsGiveAnEmptyLibrary)
{
    Ajouter(AccordDo()); // whatever was there before is replaced
    LireLibrairieAccords(FichierIni(Ini()));
    EXPECT_EQ(NbLibrairieAccords, 0);
    EXPECT_FALSE(LibrairieAccords[1]);

    EcrireIni("[ChordsLib]\nTotal=-4\nC001=ONOOOOOOOAAAAAAABAABCBDEAC\n");
    LireLibrairieAccords(FichierIni(Ini()));
    EXPECT_EQ(NbLibrairieAccords, 0);
}

TEST_F(LibrairieAccordsTest, AHandEditedFileNeverFillsMoreThan200Slots)
{
    std::string texte = "[ChordsLib]\nTotal=250\n";
    for (int i = 1; i <= 250; ++i)
        texte += CleAccordLibrairie(i) + "=ONOOOOOOOAAAAAAABAABCBDEAC" + std::to_string(i) + "\n";
    EcrireIni(texte);
    LireLibrairieAccords(FichierIni(Ini()));
    ASSERT_EQ(NbLibrairieAccords, 200);
    EXPECT_EQ(LibrairieAccords[200]->Nom.str(), "C200");
}

TEST_F(LibrairieAccordsTest, ABrokenEntryIsLeftOutAndTheNextOnesMoveUp)
{
    EcrireIni("[ChordsLib]\nTotal=3\n"
              "C001=ONOOOOOOOAAAAAAABAABCBDEAC\n"
              "C002=ONOOOOOOOAAAAAAABDABCBDEAX\n" // three barres
              "C003=ONOOOOOOOAAAAAAABAABCBDEAG\n");
    LireLibrairieAccords(FichierIni(Ini()));
    ASSERT_EQ(NbLibrairieAccords, 2);
    EXPECT_EQ(LibrairieAccords[2]->Nom.str(), "G");
}

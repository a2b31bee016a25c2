#include "platform/FichierIni.h"
#include "support/DossierTemporaire.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace fs = std::filesystem;
using platform::ErreurEcritureIni;
using platform::FichierIni;

namespace {

class FichierIniTest : public ::testing::Test {
protected:
    void SetUp() override { dossier_ = lyrx_test::DossierDuTest().string(); }

    std::string Chemin(const std::string& nom) const { return (fs::path(dossier_) / nom).string(); }

    void EcrireFichier(const std::string& nom, const std::string& octets) const
    {
        std::ofstream(Chemin(nom), std::ios::binary) << octets;
    }
    std::string LireFichier(const std::string& nom) const
    {
        std::ifstream f(Chemin(nom), std::ios::binary);
        return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
    }

    std::string dossier_;
};

// A file as a user or an older version may have left it: mixed case, blanks, a comment, a
// foreign section, a blank line between sections, Windows-1252 names and values.
const char* const Fixture =
    "; kept as it is\n"
    "[GENERAL]\n"
    "Version=210\n"
    "\n"
    "[config]\n"
    "  brushduration = 8  \n"
    "R\xE9pertoire=C:\\Mes morceaux \xE9t\xE9\n"
    "PatcheLangue=\"Fran\xE7" "ais\"\n"
    "\n"
    "[Browser]\n"
    "WC1=120\n"
    "Directory=/home/u/tabs\n";

} // namespace

TEST_F(FichierIniTest, BareNamesLiveInTheWindowsDirectory)
{
    const lyrx_test::VariableEnvironnement windows("LYRX_WINDOWS_DIR", dossier_);
    {
        FichierIni ini("Essai.ini");
        EXPECT_EQ(ini.FileName(), Chemin("Essai.ini"));
        ini.WriteInteger("S", "K", 1);
    }
    EXPECT_TRUE(fs::exists(Chemin("Essai.ini")));
    FichierIni parChemin(Chemin("autre.ini"));
    EXPECT_EQ(parChemin.FileName(), Chemin("autre.ini"));
}

TEST_F(FichierIniTest, NamesCompareWithoutCaseAndValuesAreTrimmedAndUnquoted)
{
    EcrireFichier("f.ini", Fixture);
    FichierIni ini(Chemin("f.ini"));
    EXPECT_EQ(ini.ReadInteger("General", "VERSION", 0), 210);
    EXPECT_EQ(ini.ReadInteger("Config", "BrushDuration", 4), 8);
    // The accented letter folds too: the Windows-1252 capital of e-acute is 0xC9.
    EXPECT_EQ(ini.ReadString("CONFIG", "R\xC9PERTOIRE", ""), "C:\\Mes morceaux \xE9t\xE9");
    EXPECT_EQ(ini.ReadString("Config", "PatcheLangue", ""), "Fran\xE7" "ais");
    EXPECT_EQ(ini.ReadString("Config", "Absente", "def"), "def");
    EXPECT_EQ(ini.ReadString("Nulle part", "Version", "def"), "def");
    EXPECT_EQ(ini.ReadSections(), (std::vector<std::string>{"GENERAL", "config", "Browser"}));
    EXPECT_EQ(ini.ReadSection("CONFIG"),
              (std::vector<std::string>{"brushduration", "R\xE9pertoire", "PatcheLangue"}));
    EXPECT_TRUE(ini.SectionExists("browser"));
    EXPECT_TRUE(ini.ValueExists("browser", "wc1"));
    EXPECT_FALSE(ini.ValueExists("browser", "WC2"));
}

TEST_F(FichierIniTest, WritingKeepsEverythingElseInPlace)
{
    EcrireFichier("f.ini", Fixture);
    FichierIni ini(Chemin("f.ini"));
    ini.WriteInteger("general", "version", 220);
    ini.WriteString("CONFIG", "PatcheLangue", "English");
    ini.WriteInteger("Config", "NbColASCII", 100); // new key: after the section's last line
    ini.WriteBool("ChordsLib", "Total", false);    // new section: at the end
    EXPECT_EQ(LireFichier("f.ini"),
              "; kept as it is\n"
              "[GENERAL]\n"
              "Version=220\n"
              "\n"
              "[config]\n"
              "  brushduration = 8  \n"
              "R\xE9pertoire=C:\\Mes morceaux \xE9t\xE9\n"
              "PatcheLangue=English\n"
              "NbColASCII=100\n"
              "\n"
              "[Browser]\n"
              "WC1=120\n"
              "Directory=/home/u/tabs\n"
              "[ChordsLib]\n"
              "Total=0\n");
}

TEST_F(FichierIniTest, IntegersReadAsTheSettingsAlwaysWere)
{
    struct { const char* texte; int32_t attendu; } cas[] = {
        {"12", 12}, {"-5", -5}, {"+3", 3}, {"007", 7}, {" 42 ", 42},
        {"$1F", 31}, {"$ff", 255}, {"0x40", 64}, {"0X7f", 127}, {"$FFFFFFFF", -1},
        {"2147483647", 2147483647}, {"-2147483648", -2147483647 - 1},
        // Not numbers: the default.
        {"", -99}, {"abc", -99}, {"12abc", -99}, {"1.5", -99}, {"0x", -99}, {"$", -99},
        {"-", -99}, {"2147483648", -99}, {"$100000000", -99}, {"0x1G", -99}, {"1 2", -99}};
    for (const auto& c : cas) {
        EcrireFichier("n.ini", std::string("[S]\nK=") + c.texte + "\n");
        FichierIni ini(Chemin("n.ini"));
        EXPECT_EQ(ini.ReadInteger("S", "K", -99), c.attendu) << '"' << c.texte << '"';
    }
}

TEST_F(FichierIniTest, BooleansAreIntegersAndAnyNonZeroIsTrue)
{
    EcrireFichier("b.ini", "[S]\nDeux=2\nZero=0\nMoins=-1\nLettres=oui\nHexa=$0\n");
    FichierIni ini(Chemin("b.ini"));
    EXPECT_TRUE(ini.ReadBool("S", "Deux", false));
    EXPECT_FALSE(ini.ReadBool("S", "Zero", true));
    EXPECT_TRUE(ini.ReadBool("S", "Moins", false));
    EXPECT_TRUE(ini.ReadBool("S", "Lettres", true));
    EXPECT_FALSE(ini.ReadBool("S", "Lettres", false));
    EXPECT_FALSE(ini.ReadBool("S", "Hexa", true));
    EXPECT_TRUE(ini.ReadBool("S", "Absente", true));
    ini.WriteBool("S", "Ecrit", true);
    ini.WriteBool("S", "Faux", false);
    EXPECT_NE(LireFichier("b.ini").find("Ecrit=1\nFaux=0\n"), std::string::npos);
}

TEST_F(FichierIniTest, EveryValueReadsBackAsWritten)
{
    // Values that the format would otherwise change: blanks at the ends, quotes, bytes of the
    // upper half, an equals sign.
    const std::string valeurs[] = {"  bords  ", "\"cit\xE9\"", "'x'", "a=b", "\x80\x9F\xFF", "\"", ""};
    {
        FichierIni ini(Chemin("v.ini"));
        int i = 0;
        for (const auto& v : valeurs)
            ini.WriteString("S", "K" + std::to_string(i++), v);
    }
    FichierIni relu(Chemin("v.ini"));
    int i = 0;
    for (const auto& v : valeurs)
        EXPECT_EQ(relu.ReadString("S", "K" + std::to_string(i++), "?"), v) << v;
}

TEST_F(FichierIniTest, ALineBreakInAValueCannotForgeKeys)
{
    FichierIni ini(Chemin("l.ini"));
    ini.WriteString("S", "Chemin", "/tmp/a\n[S]\nTotal=999");
    EXPECT_EQ(ini.ReadSections(), std::vector<std::string>{"S"});
    EXPECT_FALSE(ini.ValueExists("S", "Total"));
}

TEST_F(FichierIniTest, LongValuesAreCutTo2047Characters)
{
    const std::string longue(3000, 'a');
    FichierIni ini(Chemin("long.ini"));
    ini.WriteString("S", "K", longue);
    EXPECT_EQ(ini.ReadString("S", "K", ""), std::string(2047, 'a'));
    EXPECT_EQ(ini.ReadString("S", "Absente", longue).size(), 2047u);
}

TEST_F(FichierIniTest, TheFirstOfDuplicateSectionsOrKeysWins)
{
    EcrireFichier("d.ini", "[S]\nK=1\nK=2\n[T]\nK=3\n[s]\nK=4\nJ=5\n");
    FichierIni ini(Chemin("d.ini"));
    EXPECT_EQ(ini.ReadInteger("S", "K", 0), 1);
    EXPECT_EQ(ini.ReadInteger("S", "J", 0), 0);
    ini.WriteInteger("S", "K", 9);
    EXPECT_EQ(LireFichier("d.ini"), "[S]\nK=9\nK=2\n[T]\nK=3\n[s]\nK=4\nJ=5\n");
}

TEST_F(FichierIniTest, SectionsAndKeysCanBeErased)
{
    EcrireFichier("e.ini", "[A]\nX=1\nY=2\n[B]\nZ=3\n[a]\nW=4\n");
    FichierIni ini(Chemin("e.ini"));
    ini.DeleteKey("a", "y");
    ini.DeleteKey("A", "Absente");
    EXPECT_EQ(LireFichier("e.ini"), "[A]\nX=1\n[B]\nZ=3\n[a]\nW=4\n");
    ini.EraseSection("A");
    EXPECT_EQ(LireFichier("e.ini"), "[B]\nZ=3\n");
    EXPECT_TRUE(ini.ReadSection("A").empty());
}

TEST_F(FichierIniTest, WindowsLineEndsAreKept)
{
    EcrireFichier("crlf.ini", "[S]\r\nA=1\r\n");
    FichierIni ini(Chemin("crlf.ini"));
    EXPECT_EQ(ini.ReadInteger("S", "A", 0), 1);
    ini.WriteInteger("S", "B", 2);
    EXPECT_EQ(LireFichier("crlf.ini"), "[S]\r\nA=1\r\nB=2\r\n");
}

TEST_F(FichierIniTest, MixedLineEndsAndStrayCarriageReturnsSurviveAWrite)
{
    // The first line sets the file's end of line; the others keep their own, so a value
    // whose line ends in a stray carriage return reads the same after another key is written.
    const std::string avant = "[S]\nA=x\r\r\nB=2\r\n[T]\nC=3";
    EcrireFichier("mixte.ini", avant);
    FichierIni ini(Chemin("mixte.ini"));
    EXPECT_EQ(ini.ReadString("S", "A", ""), "x\r");
    ini.WriteInteger("U", "D", 4);
    EXPECT_EQ(LireFichier("mixte.ini"), avant + "\n[U]\nD=4\n");
    FichierIni relu(Chemin("mixte.ini"));
    EXPECT_EQ(relu.ReadString("S", "A", ""), "x\r");
    EXPECT_EQ(relu.ReadInteger("S", "B", 0), 2);
    EXPECT_EQ(relu.ReadInteger("T", "C", 0), 3);

    // Carriage returns at the very end of the file, with no line feed after them, end the line.
    EcrireFichier("fin.ini", "[S]\nA=x\r\r");
    FichierIni fin(Chemin("fin.ini"));
    EXPECT_EQ(fin.ReadString("S", "A", ""), "x");
    fin.WriteInteger("T", "B", 1);
    EXPECT_EQ(FichierIni(Chemin("fin.ini")).ReadString("S", "A", ""), "x");
}

// Files as other editors write them: a UTF-8 byte-order mark before the first line, old
// Macintosh line ends (a lone carriage return). Every key reads, and a write keeps the mark and
// the line ends where they were.
TEST_F(FichierIniTest, AByteOrderMarkAndOldMacintoshLineEndsRead)
{
    const struct {
        const char* nom;
        std::string avant;
        std::string apres; // once [Config] B=2 is written
    } cas[] = {
        {"mark, CRLF", "\xEF\xBB\xBF[Config]\r\nPatcheLangue=English\r\nStartingMusic=3\r\n",
         "\xEF\xBB\xBF[Config]\r\nPatcheLangue=English\r\nStartingMusic=3\r\nB=2\r\n"},
        {"mark, LF", "\xEF\xBB\xBF[Config]\nPatcheLangue=English\nStartingMusic=3",
         "\xEF\xBB\xBF[Config]\nPatcheLangue=English\nStartingMusic=3\nB=2\n"},
        {"CR", "[Config]\rPatcheLangue=English\rStartingMusic=3\r",
         "[Config]\rPatcheLangue=English\rStartingMusic=3\rB=2\r"},
        {"mark, CR, no end", "\xEF\xBB\xBF[Config]\rPatcheLangue=English\rStartingMusic=3",
         "\xEF\xBB\xBF[Config]\rPatcheLangue=English\rStartingMusic=3\rB=2\r"},
        {"CR, blank line, two sections", "[Config]\rPatcheLangue=English\rStartingMusic=3\r\r[Autre]\rX=1\r",
         "[Config]\rPatcheLangue=English\rStartingMusic=3\rB=2\r\r[Autre]\rX=1\r"},
        // As an older version left a Macintosh file: its own keys after the user's, with line
        // feeds. The user's come first and win.
        {"CR, then LF", "[Config]\rPatcheLangue=English\rStartingMusic=3\nPatcheLangue=\nStartingMusic=0\n",
         "[Config]\rPatcheLangue=English\rStartingMusic=3\nPatcheLangue=\nStartingMusic=0\nB=2\r"},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.nom);
        EcrireFichier("autre.ini", c.avant);
        FichierIni ini(Chemin("autre.ini"));
        EXPECT_EQ(ini.ReadString("Config", "PatcheLangue", "?"), "English");
        EXPECT_EQ(ini.ReadInteger("Config", "StartingMusic", 0), 3);
        ini.WriteInteger("Config", "B", 2);
        EXPECT_EQ(LireFichier("autre.ini"), c.apres);
        const FichierIni relu(Chemin("autre.ini"));
        EXPECT_EQ(relu.ReadString("Config", "PatcheLangue", "?"), "English");
        EXPECT_EQ(relu.ReadInteger("Config", "StartingMusic", 0), 3);
        EXPECT_EQ(relu.ReadInteger("Config", "B", 0), 2);
    }
}

TEST_F(FichierIniTest, TwoObjectsOnOneFileSeeEachOthersWrites)
{
    FichierIni a(Chemin("p.ini"));
    FichierIni b(Chemin("p.ini"));
    EXPECT_EQ(b.ReadInteger("S", "K", -1), -1);
    a.WriteInteger("S", "K", 5);
    EXPECT_EQ(b.ReadInteger("S", "K", -1), 5);
    b.WriteString("S", "L", "texte");
    a.WriteInteger("S", "M", 7); // must not drop b's key
    FichierIni c(Chemin("p.ini"));
    EXPECT_EQ(c.ReadString("S", "L", ""), "texte");
    EXPECT_EQ(c.ReadInteger("S", "M", 0), 7);
}

TEST_F(FichierIniTest, DeferredWritesReachTheDiskInOnePiece)
{
    EcrireFichier("lot.ini", "[Browser]\nWC1=1\n");
    FichierIni ini(Chemin("lot.ini"));
    ini.DifferEcritures();
    ini.WriteInteger("General", "Version", 220);
    ini.WriteString("Config", "PatcheLangue", "English");
    EXPECT_EQ(ini.ReadInteger("General", "Version", 0), 220); // reads see pending writes
    EXPECT_EQ(LireFichier("lot.ini"), "[Browser]\nWC1=1\n");
    ini.UpdateFile();
    EXPECT_EQ(LireFichier("lot.ini"),
              "[Browser]\nWC1=1\n[General]\nVersion=220\n[Config]\nPatcheLangue=English\n");
    // No temporary file is left behind.
    int n = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(dossier_))
        ++n;
    EXPECT_EQ(n, 1);
}

TEST_F(FichierIniTest, AFailedWriteRaisesTheIniWriteErrorAndKeepsTheOldFile)
{
    const std::string inaccessible = Chemin("absent/dossier/x.ini");
    FichierIni ini(inaccessible);
    try {
        ini.WriteInteger("S", "K", 1);
        FAIL() << "no error";
    } catch (const ErreurEcritureIni& e) {
        EXPECT_EQ(std::string(e.what()), "Impossible d'\xE9" "crire dans " + inaccessible);
        EXPECT_EQ(e.Chemin(), inaccessible);
    }

    // A file whose place is taken by a folder cannot be replaced: the folder stays as it was.
    fs::create_directory(Chemin("dossier.ini"));
    EcrireFichier("dossier.ini/garde", "x");
    FichierIni lot(Chemin("dossier.ini"));
    lot.DifferEcritures();
    lot.WriteInteger("S", "K", 1);
    EXPECT_THROW(lot.UpdateFile(), ErreurEcritureIni);
    EXPECT_EQ(LireFichier("dossier.ini/garde"), "x");
}

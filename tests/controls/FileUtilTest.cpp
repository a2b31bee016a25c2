// File-name helpers and the integer minimum and maximum.
#include "controls/FileUtil.h"
#include "controls/MaxMin.h"
#include "support/DossierTemporaire.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

TEST(FileUtil, ValidFileNames)
{
    struct Cas {
        const char* nom;
        bool valide;
    };
    const Cas cas[] = {
        {"", false},
        {"a|b.lrx", false},
        {"C:\\Songs\\My song.lrx", true},
        {"/home/me/Songs/blues.lrx", true},
        {"tab<1>.lrx", false},
        {"say \"hi\".lrx", false},
        {"[draft].lrx", false},
        {"riff ] end", false},
        {"déjà vu.lrx", true},
    };
    for (const auto& c : cas)
        EXPECT_EQ(ValidFileName(c.nom), c.valide) << c.nom;
    EXPECT_TRUE(HasAnyChar("abc", "xyc"));
    EXPECT_FALSE(HasAnyChar("abc", ""));
    EXPECT_FALSE(HasAnyChar("", "abc"));
}

TEST(FileUtil, NamesOfWhatIsOnDisk)
{
    const std::string d = lyrx_test::DossierDuTest().string();
    std::filesystem::create_directory(d + "/Songs Folder");
    std::ofstream(d + "/Songs Folder/Long Song Name.lrx").put('x');
    std::filesystem::create_symlink(d + "/absent", d + "/lien-casse");

    EXPECT_TRUE(DirExists(d + "/Songs Folder"));
    EXPECT_FALSE(DirExists(d + "/Songs Folder/Long Song Name.lrx"));
    EXPECT_FALSE(DirExists(d + "/absent"));
    EXPECT_FALSE(DirExists(""));

    EXPECT_EQ(LongFileName(d + "/Songs Folder/Long Song Name.lrx"), "Long Song Name.lrx");
    EXPECT_EQ(LongFileName(d + "/Songs Folder/"), "Songs Folder");
    EXPECT_EQ(ShortFileName(d + "/Songs Folder"), "Songs Folder");
    EXPECT_EQ(LongFileName(d + "/lien-casse"), "lien-casse");
    EXPECT_EQ(LongFileName(d + "/absent.lrx"), "");
    EXPECT_EQ(LongFileName(""), "");
}

TEST(MaxMin, OfTwoIntegers)
{
    EXPECT_EQ(Max(-3, 2), 2);
    EXPECT_EQ(Min(-3, 2), -3);
    EXPECT_EQ(Min(INT32_MIN, INT32_MAX), INT32_MIN);
    EXPECT_EQ(Max(INT32_MIN, INT32_MAX), INT32_MAX);
}

// No short names here: the long forms are the paths as stored, made absolute and tidy.
TEST(FileUtil, LongAndShortFormsOfPaths)
{
    namespace fs = std::filesystem;
    const lyrx_test::DossierTemporaire temp;
    const std::string d = fs::canonical(temp.Chemin()).string();
    fs::create_directories(d + "/Mixed Case/Sub");
    std::ofstream(d + "/Mixed Case/Tune.WAV") << "x";
    struct Cas {
        std::string chemin, longNom, longueForme;
    };
    const Cas cas[] = {
        {"/", "/", "/"},
        {d + "/Mixed Case/", "Mixed Case", d + "/Mixed Case"},
        {d + "/Mixed Case/Tune.WAV", "Tune.WAV", d + "/Mixed Case/Tune.WAV"},
        {d + "/Mixed Case/./Sub/../Tune.WAV", "Tune.WAV", d + "/Mixed Case/Tune.WAV"},
        {d + "/absent/x.lrx", d + "/absent/x.lrx", d + "/absent/x.lrx"},
    };
    for (const Cas& c : cas) {
        EXPECT_EQ(LongNameOfPath(c.chemin), c.longNom) << c.chemin;
        EXPECT_EQ(LongFormOfPath(c.chemin), c.longueForme) << c.chemin;
        EXPECT_EQ(ShortFormOfPath(c.chemin), c.chemin);
    }
    // The long form is the one absolute form of the file controls: ".." at the root stays at the
    // root, separators repeat or trail, and names keep their bytes whatever their encoding.
    const std::string cafe = "/caf\xe9";
    const struct {
        std::string chemin, longueForme;
    } formes[] = {
        {"/..", "/"},
        {"/../..", "/"},
        {"/../" + d.substr(1), d},
        {"//", "/"},
        {d + "//Mixed Case///", d + "/Mixed Case"},
        {d + cafe + "/../Mixed Case/.." + cafe + "/", d + cafe},
        {d + "/Mixed Case/../../..", fs::path(d).parent_path().parent_path().string()},
    };
    for (const auto& f : formes)
        EXPECT_EQ(LongFormOfPath(f.chemin), f.longueForme) << f.chemin;

    // A relative path is taken from the process's folder.
    const fs::path avant = fs::current_path();
    fs::current_path(d + "/Mixed Case");
    EXPECT_EQ(LongFormOfPath("Sub/"), d + "/Mixed Case/Sub");
    EXPECT_EQ(LongFormOfPath(""), d + "/Mixed Case");
    fs::current_path(avant);
}

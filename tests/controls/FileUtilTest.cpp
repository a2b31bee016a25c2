// File-name helpers and the integer minimum and maximum.
#include "controls/FileUtil.h"
#include "controls/MaxMin.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

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
    QTemporaryDir temp;
    const std::string d = temp.path().toStdString();
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

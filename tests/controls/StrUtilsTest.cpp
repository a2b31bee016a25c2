// Replacing texts and splitting words, as the placement storage reads positions and sets.
#include "controls/StrUtils.h"

#include <gtest/gtest.h>

TEST(StrUtils, ReplaceAllNeverSearchesReplacedText)
{
    EXPECT_EQ(ReplaceAll("1,5", ",", "."), "1.5");
    EXPECT_EQ(ReplaceAll("aaa", "aa", "a"), "aa");
    EXPECT_EQ(ReplaceAll("a.b.c", ".", ".."), "a..b..c");
    EXPECT_EQ(ReplaceAll("abc", "", "x"), "abc");
    EXPECT_EQ(ReplaceAll("", ",", "."), "");
}

TEST(StrUtils, WordsSplitAtAnyDelimiter)
{
    const std::string texte = " 10, 20 ,30 ";
    EXPECT_EQ(WordCount(texte, " ,"), 3u);
    EXPECT_EQ(WordPosition(2, texte, " ,"), 6u);
    EXPECT_EQ(ExtractWord(1, texte, " ,"), "10");
    EXPECT_EQ(ExtractWord(3, texte, " ,"), "30");
    EXPECT_EQ(ExtractWord(4, texte, " ,"), "");
    EXPECT_EQ(WordPosition(4, texte, " ,"), 0u);
    EXPECT_EQ(WordCount("", " ,"), 0u);
    EXPECT_EQ(WordCount(",,, ", " ,"), 0u);
    EXPECT_EQ(ExtractWord(2, "[fpState,fpPosition]", " ,[]"), "fpPosition");
}

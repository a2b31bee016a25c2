#include "platform/Arrondi.h"
#include "platform/Cp1252.h"

#include <gtest/gtest.h>

using namespace platform;

TEST(Arrondi, HalvesGoToTheEvenNeighbour)
{
    struct { double x; int64_t round, trunc; } cas[] = {
        {0.5, 0, 0}, {1.5, 2, 1}, {2.5, 2, 2}, {22.5, 22, 22}, {-0.5, 0, 0},
        {-1.5, -2, -1}, {11.5, 12, 11}, {2.4999, 2, 2}, {-2.7, -3, -2}};
    for (auto c : cas) {
        EXPECT_EQ(Round(c.x), c.round) << c.x;
        EXPECT_EQ(Trunc(c.x), c.trunc) << c.x;
    }
}

TEST(Cp1252, EveryByteSurvivesTheRoundTrip)
{
    std::string tous;
    for (int b = 1; b < 256; ++b)
        tous += static_cast<char>(b);
    EXPECT_EQ(Utf8VersCp1252(Cp1252VersUtf8(tous)), tous);
}

TEST(Cp1252, MapsTheHighRowAndReplacesWhatItLacks)
{
    EXPECT_EQ(Cp1252VersUtf8("\x80 \xe9"), "\u20ac \u00e9");
    EXPECT_EQ(Utf8VersCp1252("\u20ac\u2019\u00e9"), "\x80\x92\xe9");
    EXPECT_EQ(Utf8VersCp1252("\u4e2d"), "?");     // not in the page
    EXPECT_EQ(Utf8VersCp1252("a\xc3"), "a?");     // cut sequence
    EXPECT_EQ(Utf8VersCp1252("\xff" "b"), "?b");  // stray byte
}

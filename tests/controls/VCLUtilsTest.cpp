// Text shortening, command-line words and drawing a bitmap with a colour left out.
#include "controls/VCLUtils.h"
#include "platform/CanevasEnregistreur.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

TEST(VCLUtils, ShortenTextWithAnEllipsis)
{
    platform::CanevasEnregistreur c(800, 600, 6); // 6 pixels a character
    EXPECT_EQ(ShortenText("Guitar", c, 36), "Guitar");
    EXPECT_EQ(ShortenText("Guitar", c, 24), "G...");
    EXPECT_EQ(ShortenText("Guitar", c, 30), "Gu...");
    EXPECT_EQ(ShortenText("Guitar", c, 0), "...");
    EXPECT_EQ(ShortenText("G", c, 0), "...");
    EXPECT_EQ(ShortenText("", c, 0), "");
}

TEST(VCLUtils, CommandLineWords)
{
    const std::string ligne = "\"C:\\Program Files\\play.exe\"  -a  \"two words\" last";
    EXPECT_EQ(CommandWordCount(ligne), 4);
    EXPECT_EQ(CommandWord(ligne, 0), "C:\\Program Files\\play.exe");
    EXPECT_EQ(CommandWord(ligne, 2), "two words");
    EXPECT_EQ(CommandWord(ligne, 4), "");
    EXPECT_EQ(SplitProgramAndParams(ligne),
              (std::pair<std::string, std::string>{"C:\\Program Files\\play.exe", "-a \"two words\" last"}));
    EXPECT_EQ(SplitProgramAndParams("\"C:\\My Music\\tune.wav\" /p /q"),
              (std::pair<std::string, std::string>{"C:\\My Music\\tune.wav", "/p /q"}));
    EXPECT_EQ(SplitProgramAndParams(""), (std::pair<std::string, std::string>{"", ""}));
    // An empty quoted pair is skipped; an unclosed quote runs to the end.
    EXPECT_EQ(CommandWord("\"\" a", 0), "a");
    EXPECT_EQ(CommandWord("x \"open end", 1), "open end");
}

TEST(VCLUtils, DefaultTransparentColourIsTheBottomLeftPixel)
{
    QImage image(4, 4, QImage::Format_RGB32);
    image.fill(Qt::magenta);
    image.setPixel(1, 1, qRgb(0, 0, 255));
    QImage cible(4, 4, QImage::Format_RGB32);
    cible.fill(Qt::white);
    {
        QPainter p(&cible);
        StretchBitmapLeavingColour(p, image, CouleurTransparente::clDefault(), QRect(0, 0, 0, 0));
    }
    EXPECT_EQ(cible.pixel(1, 1), qRgb(0, 0, 255));
    EXPECT_EQ(cible.pixel(0, 0), qRgb(255, 255, 255));
    EXPECT_EQ(cible.pixel(3, 3), qRgb(255, 255, 255));
    {
        QPainter p(&cible);
        StretchBitmapLeavingColour(p, image, CouleurTransparente::clNone(), QRect(0, 0, 4, 4));
    }
    EXPECT_EQ(cible.pixel(0, 0), qRgb(255, 0, 255));
}

TEST(VCLUtils, EmbossedGlyph)
{
    QImage image(3, 3, QImage::Format_RGB32);
    image.fill(Qt::white);
    image.setPixel(0, 0, qRgb(0, 0, 0));
    const QImage r = MakeEmbossedBitmapEx(image, Qt::black, Qt::gray, Qt::white, Qt::darkGray, true);
    EXPECT_EQ(r.pixelColor(0, 0), QColor(Qt::darkGray));
    EXPECT_EQ(r.pixelColor(1, 1), QColor(Qt::white));
    EXPECT_EQ(r.pixelColor(2, 2), QColor(Qt::gray));
    EXPECT_EQ(PaletteRelativeColour(0x00123456), 0x02123456);
}

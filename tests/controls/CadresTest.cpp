// The frame styles drawn on real pixels: each system colour is made distinct, so that every
// pixel tells which role drew it, and each style's rectangle left inside is checked with it.
#include "controls/Cadres.h"
#include "platform/CanevasEnregistreur.h"
#include "platform/qt/CanevasQt.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <functional>
#include <string>

using platform::Couleur;

namespace {

const Couleur Fond(1, 2, 3); // the image before drawing

class CadresTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        DefinirCouleurSysteme(clBtnFace, Couleur(10, 0, 0));
        DefinirCouleurSysteme(clBtnShadow, Couleur(20, 0, 0));
        DefinirCouleurSysteme(clBtnHighlight, Couleur(30, 0, 0));
        DefinirCouleurSysteme(clBtnText, Couleur(40, 0, 0));
        DefinirCouleurSysteme(clWindowFrame, Couleur(50, 0, 0));
    }
    void TearDown() override { RetablirCouleursSysteme(); }

    // Draws on an image of that size and returns what is left inside.
    TRect Dessiner(int largeur, int hauteur, const std::function<TRect(platform::Canevas&)>& dessin)
    {
        image_ = QImage(largeur, hauteur, QImage::Format_RGB32);
        image_.fill(QColor(Fond.r, Fond.g, Fond.b));
        QPainter p(&image_);
        platform::CanevasQt c(p);
        return dessin(c);
    }
    Couleur Pixel(int x, int y) const
    {
        const QRgb v = image_.pixel(x, y);
        return Couleur(qRed(v), qGreen(v), qBlue(v));
    }
    // One character per pixel: F face, S shadow, H highlight, T text, W window frame, . untouched.
    std::string Rangee(int y) const
    {
        std::string s;
        for (int x = 0; x < image_.width(); ++x) {
            const Couleur c = Pixel(x, y);
            s += c == Fond ? '.' : c.r == 10 ? 'F' : c.r == 20 ? 'S' : c.r == 30 ? 'H' : c.r == 40 ? 'T' : c.r == 50 ? 'W' : '?';
        }
        return s;
    }
    std::string Colonne(int x) const
    {
        std::string s;
        for (int y = 0; y < image_.height(); ++y)
            s += Rangee(y)[static_cast<std::size_t>(x)];
        return s;
    }

    QImage image_;
};

} // namespace

TEST_F(CadresTest, EveryStyleOnAllSidesByItsRings)
{
    struct Cas {
        TFrameStyle style;
        TRect reste;
        std::string haut, gauche, droite, bas, deuxiemeRangee, avantDerniereRangee;
    };
    // A 6 x 6 square: the top row, left column, right column, bottom row, then rows 1 and 4.
    const Cas cas[] = {
        {fsNone, {0, 0, 6, 6}, "......", "......", "......", "......", "......", "......"},
        {fsFlat, {1, 1, 5, 5}, "WWWWWW", "WWWWWW", "WWWWWW", "WWWWWW", "W....W", "W....W"},
        {fsStatus, {1, 1, 5, 5}, "SSSSSH", "SSSSSH", "HHHHHH", "HHHHHH", "S....H", "S....H"},
        {fsPopup, {1, 1, 5, 5}, "HHHHHS", "HHHHHS", "SSSSSS", "SSSSSS", "H....S", "H....S"},
        {fsLowered, {2, 2, 4, 4}, "SSSSSH", "SSSSSH", "HHHHHH", "HHHHHH", "STTTFH", "SFFFFH"},
        {fsRaised, {2, 2, 4, 4}, "FFFFFT", "FFFFFT", "TTTTTT", "TTTTTT", "FHHHST", "FSSSST"},
        {fsButtonDown, {2, 2, 4, 4}, "TTTTTT", "TTTTTT", "TTTTTT", "TTTTTT", "TSSSST", "TSSSST"},
        {fsButtonUp, {2, 2, 4, 4}, "HHHHHT", "HHHHHT", "TTTTTT", "TTTTTT", "HFFFST", "HSSSST"},
        // A shadow line outside a highlight line on the top and left, the same pair one pixel
        // inward on the right and bottom.
        {fsGroove, {2, 2, 4, 4}, "SSSSSH", "SSSSSH", "HHHHHH", "HHHHHH", "SHHHSH", "SSSSSH"},
        {fsBump, {2, 2, 4, 4}, "HHHHHS", "HHHHHS", "SSSSSS", "SSSSSS", "HSSSHS", "HHHHHS"},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(static_cast<int>(c.style));
        const TRect reste = Dessiner(6, 6, [&](platform::Canevas& k) { return DrawBorder(k, {0, 0, 6, 6}, c.style, sdTous); });
        EXPECT_EQ(reste, c.reste);
        EXPECT_EQ(Rangee(0), c.haut);
        EXPECT_EQ(Colonne(0), c.gauche);
        EXPECT_EQ(Colonne(5), c.droite);
        EXPECT_EQ(Rangee(5), c.bas);
        EXPECT_EQ(Rangee(1), c.deuxiemeRangee);
        EXPECT_EQ(Rangee(4), c.avantDerniereRangee);
    }
}

TEST_F(CadresTest, StyleColourTable)
{
    struct Cas {
        TFrameStyle style;
        int anneaux;
        TCouleurSysteme a, z, ai, zi;
    };
    const Cas cas[] = {
        {fsFlat, 1, clWindowFrame, clWindowFrame, clBtnFace, clBtnFace},
        {fsGroove, 1, clBtnShadow, clBtnHighlight, clBtnFace, clBtnFace},
        {fsBump, 1, clBtnHighlight, clBtnShadow, clBtnFace, clBtnFace},
        {fsStatus, 1, clBtnShadow, clBtnHighlight, clBtnFace, clBtnFace},
        {fsPopup, 1, clBtnHighlight, clBtnShadow, clBtnFace, clBtnFace},
        {fsLowered, 2, clBtnShadow, clBtnHighlight, clBtnText, clBtnFace},
        {fsRaised, 2, clBtnFace, clBtnText, clBtnHighlight, clBtnShadow},
        {fsButtonDown, 2, clBtnText, clBtnText, clBtnShadow, clBtnShadow},
        {fsButtonUp, 2, clBtnHighlight, clBtnText, clBtnFace, clBtnShadow},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(static_cast<int>(c.style));
        const CouleursCadre k = CouleursDuStyle(c.style);
        EXPECT_EQ(k.Anneaux, c.anneaux);
        EXPECT_EQ(k.HautGauche, c.a);
        EXPECT_EQ(k.BasDroite, c.z);
        if (c.anneaux == 2) {
            EXPECT_EQ(k.HautGaucheInterieur, c.ai);
            EXPECT_EQ(k.BasDroiteInterieur, c.zi);
        }
    }
    EXPECT_EQ(CouleursDuStyle(fsNone).Anneaux, 0);
}

TEST_F(CadresTest, NoSidesDrawNothingWhateverTheStyle)
{
    for (int s = fsNone; s <= fsPopup; ++s) {
        const TRect reste = Dessiner(6, 6, [&](platform::Canevas& k) {
            return DrawBorder(k, {0, 0, 6, 6}, static_cast<TFrameStyle>(s), sdAucun);
        });
        EXPECT_EQ(reste, (TRect{0, 0, 6, 6})) << s;
        for (int y = 0; y < 6; ++y)
            EXPECT_EQ(Rangee(y), "......") << s;
    }
}

TEST_F(CadresTest, BevelOfWidthZeroOrLessDrawsNothing)
{
    platform::CanevasEnregistreur c;
    EXPECT_EQ(DrawBevel(c, {2, 3, 40, 50}, platform::clRed, platform::clBlue, 0, sdTous), (TRect{2, 3, 40, 50}));
    EXPECT_EQ(DrawBevel(c, {2, 3, 40, 50}, platform::clRed, platform::clBlue, -2, sdTous), (TRect{2, 3, 40, 50}));
    EXPECT_TRUE(c.Traces().empty());
    EXPECT_EQ(DrawBevel(c, {2, 3, 40, 50}, platform::clRed, platform::clBlue, 3, sdLeft | sdBottom), (TRect{5, 3, 40, 47}));
}

TEST_F(CadresTest, SidesLeaveOutTheirEndPixel)
{
    platform::CanevasEnregistreur c;
    EXPECT_EQ(DrawSides(c, {0, 0, 10, 8}, platform::clRed, platform::clBlue, sdTous), (TRect{1, 1, 9, 7}));
    EXPECT_EQ(c.Resume(), "Ligne 0,0,0,8 pen #FF0000\n"
                          "Ligne 0,0,10,0 pen #FF0000\n"
                          "Ligne 9,0,9,8 pen #0000FF\n"
                          "Ligne 0,7,10,7 pen #0000FF\n");
}

TEST_F(CadresTest, GrooveOnTheTopOnlyEndsCleanly)
{
    const TRect reste = Dessiner(6, 4, [](platform::Canevas& k) { return DrawBorder(k, {0, 0, 6, 4}, fsGroove, sdTop); });
    EXPECT_EQ(reste, (TRect{0, 2, 6, 4}));
    EXPECT_EQ(Rangee(0), "SSSSSS");
    EXPECT_EQ(Rangee(1), "HHHHHH");
    EXPECT_EQ(Rangee(2), "......");
}

TEST_F(CadresTest, EditFrameErasesThePlatformEdgeFirst)
{
    const Couleur fond(60, 0, 0);
    Dessiner(6, 6, [&](platform::Canevas& k) {
        DrawFrame(k, 6, 6, fsFlat, fond, Couleur(50, 0, 0), sdTop);
        return TRect{};
    });
    EXPECT_EQ(Rangee(0), "WWWWWW"); // the flat line over the erased ring
    EXPECT_EQ(Rangee(1), "??????"); // two rings in the background colour
    EXPECT_EQ(Rangee(2), "??..??");
    EXPECT_EQ(Pixel(1, 1), fond);
    EXPECT_EQ(Rangee(5), "??????");
}

// What the drawing leaves is the content; the panel's client area keeps the band in, the
// label's takes it off every side.
TEST_F(CadresTest, BorderSequenceAndContentRectangles)
{
    struct Cas {
        const char* nom;
        ProprietesBordures p;
        TRect dessine, sansBande, avecBande;
    };
    ProprietesBordures popup3;
    popup3.BorderOuter = fsPopup;
    popup3.BevelWidth = 3;
    ProprietesBordures complet;
    complet.FrameSides = sdLeft | sdTop;
    complet.BorderOuter = fsRaised;
    complet.BorderInner = fsFlat;
    complet.BorderWidth = 2;
    complet.BorderSides = sdTop | sdBottom;
    ProprietesBordures sansCotes = complet;
    sansCotes.BorderSides = sdAucun;
    const Cas cas[] = {
        {"popup of 3", popup3, {3, 3, 37, 27}, {3, 3, 37, 27}, {3, 3, 37, 27}},
        {"frame, raised, band, flat", complet, {1, 6, 40, 25}, {1, 4, 40, 27}, {3, 6, 38, 25}},
        {"no border sides: only the frame sides", sansCotes, {1, 1, 40, 30}, {1, 1, 40, 30}, {3, 3, 38, 28}},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        platform::CanevasEnregistreur k;
        EXPECT_EQ(DessinerBordures(k, 40, 30, c.p), c.dessine);
        EXPECT_EQ(AdjustRectForBorders({0, 0, 40, 30}, c.p, false), c.sansBande);
        EXPECT_EQ(AdjustRectForBorders({0, 0, 40, 30}, c.p, true), c.avecBande);
    }
}

TEST_F(CadresTest, SpacerGrooveRunsAcrossTheMiddle)
{
    platform::CanevasEnregistreur c;
    DessinerRainureEspaceur(c, {0, 0, 6, 25});
    EXPECT_EQ(c.Resume(), "Ligne 2,1,2,25 pen #140000\nLigne 3,1,3,25 pen #1E0000\n");
    c.Effacer();
    DessinerRainureEspaceur(c, {0, 0, 25, 6});
    EXPECT_EQ(c.Resume(), "Ligne 1,2,25,2 pen #140000\nLigne 1,3,25,3 pen #1E0000\n");
}

TEST(CadresOutils, LastCharAndMax)
{
    EXPECT_EQ(LastChar("abc\\"), '\\');
    EXPECT_EQ(LastChar(""), '\0');
    EXPECT_EQ(Max(-3, 2), 2);
}

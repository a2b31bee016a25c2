// The small texts of the score and the edit zone, drawn through the Qt canvas at the sizes the
// painters use: every character must leave ink of its own, or "1.5" reads "15".
#include "platform/qt/CanevasQt.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <set>
#include <string>

using namespace platform;

namespace {

// Columns holding ink once `texte` is written at (x, 4) in `style` on a white image.
std::set<int> ColonnesEncrees(const StyleFonte& style, int x, const std::string& texte)
{
    QImage image(120, 30, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter peintre(&image);
        CanevasQt c(peintre);
        c.SetFonte(style);
        c.SetBrosseVide();
        c.TextOut(x, 4, texte);
    }
    std::set<int> colonnes;
    for (int y = 0; y < image.height(); ++y)
        for (int xx = 0; xx < image.width(); ++xx)
            if ((image.pixel(xx, y) & 0xFFFFFF) != 0xFFFFFF)
                colonnes.insert(xx);
    return colonnes;
}

// Groups of neighbouring inked columns: each character of these texts is one stroke or a
// few joined ones, so a text whose characters all keep ink of their own shows one group per
// character, a blank column between each.
int GroupesDeColonnes(const std::set<int>& colonnes)
{
    int groupes = 0;
    int precedente = -10;
    for (int x : colonnes) {
        groupes += x > precedente + 1 ? 1 : 0;
        precedente = x;
    }
    return groupes;
}

} // namespace

TEST(CanevasQtPetitsTextes, EveryCharacterOfTheSmallTextsKeepsItsOwnInk)
{
    const StyleFonte valeurPartition{"Small Fonts", 5, false, false, clBlack};
    const StyleFonte effetPartition{"Small Fonts", 6, false, false, clBlack};
    const StyleFonte italiquePartition{"Small Fonts", 7, false, true, clBlack};
    const StyleFonte numeroMesure{"Small Fonts", 7, false, false, clRed};
    const StyleFonte triolet{"Arial", 7, false, false, clBlack};
    const StyleFonte valeurSaisie{"Arial", 5, false, false, clBlue};
    const StyleFonte glypheSaisie{"Arial", 7, false, false, clBlue};
    struct Cas {
        const char* texte;
        StyleFonte style;
        int caracteres; // spaces aside
    };
    const Cas cas[] = {
        {"1.5", valeurPartition, 3},   {"2.5", valeurPartition, 3}, {"1.5", valeurSaisie, 3},
        {"2.5", valeurSaisie, 3},      {"1.5", glypheSaisie, 3},    {"sl.", italiquePartition, 3},
        {"sl.", effetPartition, 3},    {"A.H.", effetPartition, 4}, {"A.H.", glypheSaisie, 4},
        {" 3 ", triolet, 1},           {" 3 ", glypheSaisie, 1},    {"1.5", numeroMesure, 3},
        {"0.5", valeurPartition, 3},   {"3.5", valeurSaisie, 3},
    };
    for (const Cas& c : cas) {
        const std::set<int> colonnes = ColonnesEncrees(c.style, 10, c.texte);
        EXPECT_EQ(GroupesDeColonnes(colonnes), c.caracteres)
            << '"' << c.texte << "\" in " << c.style.nom << ' ' << c.style.taille << (c.style.italique ? " italic" : "");
        // All of it inside the cell the layouts reserve for it.
        QImage image(4, 4, QImage::Format_RGB32);
        QPainter peintre(&image);
        CanevasQt canevas(peintre);
        canevas.SetFonte(c.style);
        ASSERT_FALSE(colonnes.empty());
        EXPECT_GE(*colonnes.begin(), 10) << c.texte;
        EXPECT_LT(*colonnes.rbegin(), 10 + canevas.TextWidth(c.texte)) << c.texte;
    }
}

TEST(CanevasQtPetitsTextes, EveryCharacterOfTheItalicBeatTextsKeepsItsOwnInk)
{
    // Beat texts in the score and the edit zone: "Arial" 8 italic unless the user chose
    // otherwise. Lightly hinted, the arm of the "r" met the "i" and "rit." read "nt.".
    struct Cas {
        const char* texte;
        int taille;
        bool gras;
        int caracteres; // spaces aside
    };
    const Cas cas[] = {
        {"rit.", 8, false, 4},      {"rit.", 9, false, 4}, {"rit.", 10, false, 4},
        {"poco rit.", 8, false, 8}, {"rall.", 8, false, 5}, {"rit.", 8, true, 4},
    };
    for (const Cas& c : cas) {
        const StyleFonte style{"Arial", c.taille, c.gras, true, clBlack};
        const std::set<int> colonnes = ColonnesEncrees(style, 10, c.texte);
        EXPECT_EQ(GroupesDeColonnes(colonnes), c.caracteres)
            << '"' << c.texte << "\" in Arial " << c.taille << (c.gras ? " bold" : "") << " italic";
        QImage image(4, 4, QImage::Format_RGB32);
        QPainter peintre(&image);
        CanevasQt canevas(peintre);
        canevas.SetFonte(style);
        ASSERT_FALSE(colonnes.empty());
        EXPECT_GE(*colonnes.begin(), 10) << c.texte;
        EXPECT_LT(*colonnes.rbegin(), 10 + canevas.TextWidth(c.texte)) << c.texte;
    }
}

TEST(CanevasQtPetitsTextes, SmallTextsKeepTheirLineHeight)
{
    // The painters place small texts by their height: 7, 9 and 10 pixels at 5, 6 and 7 points.
    QImage image(4, 4, QImage::Format_RGB32);
    QPainter peintre(&image);
    CanevasQt c(peintre);
    for (const char* nom : {"Small Fonts", "Arial"}) {
        c.SetFonte(StyleFonte{nom, 5, false, false, clBlack});
        EXPECT_EQ(c.TextHeight("1.5"), 7) << nom;
        c.SetTailleFonte(6);
        EXPECT_EQ(c.TextHeight("1.5"), 9) << nom;
        c.SetTailleFonte(7);
        EXPECT_EQ(c.TextHeight("1.5"), 10) << nom;
    }
}

TEST(CanevasQtPetitsTextes, ATextTellsTheColumnsItsGlyphsInk)
{
    // Beat texts keep a space between their inks, which bearings and slant put apart from their
    // cells: a slanted "l" ends past its advance, a "C" starts after it. Texts set glyph by glyph
    // and texts drawn whole alike.
    struct Cas {
        StyleFonte style;
        const char* texte;
    };
    const Cas cas[] = {
        {{"Arial", 8, false, true, clBlack}, "let ring all"}, {{"Arial", 8, false, true, clBlack}, "Chorus"},
        {{"Arial", 8, false, false, clBlack}, "Verse"},       {{"Arial", 8, true, false, clBlue}, "[Am]"},
        {{"Small Fonts", 5, false, false, clBlack}, "1.5"},   {{"Arial", 10, false, true, clBlack}, "rit."},
    };
    for (const Cas& c : cas) {
        const std::set<int> colonnes = ColonnesEncrees(c.style, 10, c.texte);
        ASSERT_FALSE(colonnes.empty()) << c.texte;
        QImage image(4, 4, QImage::Format_RGB32);
        QPainter peintre(&image);
        CanevasQt canevas(peintre);
        canevas.SetFonte(c.style);
        EXPECT_EQ(canevas.TextInk(c.texte), (EncreTexte{*colonnes.begin() - 10, *colonnes.rbegin() + 1 - 10})) << c.texte;
    }
    // Blanks ink nothing: their cell stands for them.
    QImage image(4, 4, QImage::Format_RGB32);
    QPainter peintre(&image);
    CanevasQt canevas(peintre);
    canevas.SetFonte(StyleFonte{"Arial", 8, false, true, clBlack});
    EXPECT_EQ(canevas.TextInk("  "), (EncreTexte{0, canevas.TextWidth("  ")}));
}

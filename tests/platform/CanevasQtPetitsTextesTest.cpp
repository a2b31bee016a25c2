// The small texts of the score and the edit zone, drawn through the Qt canvas at the sizes the
// painters use: every character must leave ink of its own, or "1.5" reads "15".
#include "platform/qt/CanevasQt.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

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

int LargeurTexte(const StyleFonte& style, const std::string& texte)
{
    QImage image(4, 4, QImage::Format_RGB32);
    QPainter peintre(&image);
    CanevasQt c(peintre);
    c.SetFonte(style);
    return c.TextWidth(texte);
}

// The characters of `texte` (spaces aside) without a column that they alone ink in the
// whole text.
std::string SansEncrePropre(const StyleFonte& style, const std::string& texte)
{
    const std::set<int> tout = ColonnesEncrees(style, 10, texte);
    std::vector<std::set<int>> seuls;
    for (std::size_t i = 0; i < texte.size(); ++i)
        seuls.push_back(ColonnesEncrees(style, 10 + LargeurTexte(style, texte.substr(0, i)), texte.substr(i, 1)));
    std::string fautifs;
    for (std::size_t i = 0; i < texte.size(); ++i) {
        if (texte[i] == ' ')
            continue;
        bool propre = false;
        for (int x : seuls[i]) {
            bool partagee = false;
            for (std::size_t j = 0; j < texte.size(); ++j)
                partagee = partagee || (j != i && seuls[j].count(x));
            propre = propre || (!partagee && tout.count(x));
        }
        if (!propre)
            fautifs += texte[i];
    }
    return fautifs;
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
    };
    const Cas cas[] = {
        {"1.5", valeurPartition}, {"2.5", valeurPartition}, {"1.5", valeurSaisie}, {"2.5", valeurSaisie},
        {"1.5", glypheSaisie},    {"sl.", italiquePartition}, {"A.H.", effetPartition}, {"A.H.", glypheSaisie},
        {" 3 ", triolet},         {" 3 ", glypheSaisie},     {"1.5", numeroMesure},  {"sl.", effetPartition},
    };
    for (const Cas& c : cas)
        EXPECT_EQ(SansEncrePropre(c.style, c.texte), "")
            << '"' << c.texte << "\" in " << c.style.nom << ' ' << c.style.taille << (c.style.italique ? " italic" : "");
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

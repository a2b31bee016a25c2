// The toolbar's rows on plain numbers: the main window's toolbar, wrapping, and the size the
// toolbar takes after.
#include "controls/DispositionBarre.h"

#include <gtest/gtest.h>

namespace {

constexpr ElementBarre Bouton{true, 23, 22, false};
constexpr ElementBarre Espaceur{true, 6, 25, false};

// The main window's toolbar: 19 buttons in groups, 6 grooved spacers between them.
std::vector<ElementBarre> BarrePrincipale()
{
    const int groupes[] = {3, 2, 2, 3, 2, 6, 1};
    std::vector<ElementBarre> v;
    for (int g = 0; g < 7; ++g) {
        if (g > 0)
            v.push_back(Espaceur);
        for (int i = 0; i < groupes[g]; ++i)
            v.push_back(Bouton);
    }
    return v;
}

} // namespace

TEST(DispositionBarre, MainToolbarIsOneRowEndingAt473)
{
    ParametresBarre p;
    p.Align = alNone;
    p.Margin = 0;
    p.TopMargin = 1;
    p.RowHeight = 25;
    p.Largeur = 473;
    p.Hauteur = 26;
    const auto elements = BarrePrincipale();
    ASSERT_EQ(elements.size(), 25u);
    const DispositionBarre d = DisposerBarre(p, elements);
    EXPECT_EQ(d.Rangees, 1);
    int x = 0;
    for (std::size_t i = 0; i < elements.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_TRUE(d.Places[i].Place);
        EXPECT_EQ(d.Places[i].Left, x);
        EXPECT_EQ(d.Places[i].Top, elements[i].Hauteur == 22 ? 2 : 1);
        x += elements[i].Largeur;
    }
    EXPECT_EQ(x, 473);
    // Aligned to nothing, the toolbar keeps its size.
    EXPECT_EQ(d.Largeur, 473);
    EXPECT_EQ(d.Hauteur, 26);
}

TEST(DispositionBarre, WrapsWhenTheNextControlPassesTheFarMargin)
{
    ParametresBarre p; // top-aligned, Margin 4, TopMargin 4, RowHeight 25
    p.Largeur = 4 + 3 * 23 + 4;
    const std::vector<ElementBarre> e(7, Bouton);
    const DispositionBarre d = DisposerBarre(p, e);
    EXPECT_EQ(d.Rangees, 3);
    EXPECT_EQ(d.Places[2].Rangee, 1);
    EXPECT_EQ(d.Places[3].Rangee, 2);
    EXPECT_EQ(d.Places[3].Left, 4);
    EXPECT_EQ(d.Places[3].Top, 25 + 4 + 12 - 11);
    EXPECT_EQ(d.Places[6].Rangee, 3);
    // Top-aligned: RowHeight x rows + 2 + TopMargin.
    EXPECT_EQ(d.Hauteur, 25 * 3 + 2 + 4);

    p.WrapControls = false;
    EXPECT_EQ(DisposerBarre(p, e).Rangees, 1);
}

TEST(DispositionBarre, OnlyTheFirstEntryNeverWraps)
{
    ParametresBarre p;
    p.Largeur = 30;
    // The first control wider than the toolbar stays on row 1.
    std::vector<ElementBarre> e = {{true, 50, 22, false}, Bouton};
    DispositionBarre d = DisposerBarre(p, e);
    EXPECT_EQ(d.Places[0].Rangee, 1);
    EXPECT_EQ(d.Places[1].Rangee, 2);
    // An invisible first entry still holds list place 0: the wide second one wraps at once and
    // leaves row 1 empty.
    e = {{false, 23, 22, false}, {true, 50, 22, false}, Bouton};
    d = DisposerBarre(p, e);
    EXPECT_FALSE(d.Places[0].Place);
    EXPECT_EQ(d.Places[1].Rangee, 2);
    EXPECT_EQ(d.Places[1].Left, 4);
    EXPECT_EQ(d.Places[1].Top, 25 + 4 + 12 - 11);
    EXPECT_EQ(d.Places[2].Rangee, 3);
    EXPECT_EQ(d.Rangees, 3);
}

TEST(DispositionBarre, AutoResizeByAlignment)
{
    const std::vector<ElementBarre> e(4, Bouton); // 92 pixels of buttons
    ParametresBarre p;
    p.Largeur = 200;
    p.Hauteur = 50;
    struct Cas {
        TAlign align;
        int largeur, hauteur;
    };
    const Cas cas[] = {
        {alTop, 200, 25 + 2 + 4}, {alBottom, 200, 31}, {alNone, 200, 50}, {alClient, 200, 50},
        // Left or right, one row: never wrapped, the width stays.
        {alLeft, 200, 50}, {alRight, 200, 50},
    };
    for (const Cas& c : cas) {
        p.Align = c.align;
        const DispositionBarre d = DisposerBarre(p, e);
        EXPECT_EQ(d.Largeur, c.largeur) << int(c.align);
        EXPECT_EQ(d.Hauteur, c.hauteur) << int(c.align);
    }
    // Left-aligned and wrapped: Margin plus the widest finished row.
    p.Align = alLeft;
    p.Largeur = 60;
    EXPECT_EQ(DisposerBarre(p, e).Largeur, 4 + 50); // the finished row ran from 4 to 50
    p.AutoResize = false;
    EXPECT_EQ(DisposerBarre(p, e).Largeur, 60);
}

TEST(DispositionBarre, VerticalColumnsAndRightToLeft)
{
    ParametresBarre p;
    p.Orientation = orVertical;
    p.Align = alLeft;
    p.Hauteur = 4 + 2 * 22 + 4;
    const std::vector<ElementBarre> e(3, Bouton);
    const DispositionBarre d = DisposerBarre(p, e);
    EXPECT_EQ(d.Places[0].Top, 4);
    EXPECT_EQ(d.Places[1].Top, 26);
    EXPECT_EQ(d.Places[0].Left, 4 + 12 - 11); // columns start at Margin
    EXPECT_EQ(d.Places[2].Rangee, 2);
    EXPECT_EQ(d.Places[2].Left, 25 + 4 + 12 - 11);
    EXPECT_EQ(d.Largeur, 25 * 2 + 2 + 4);

    ParametresBarre h;
    h.Largeur = 100;
    const DispositionBarre r = DisposerBarre(h, {{true, 23, 22, true}, {true, 23, 22, true}});
    EXPECT_EQ(r.Places[0].Left, 100 - 23 - 4);
    EXPECT_EQ(r.Places[1].Left, 100 - 23 - 27);
}

// The stored placement made safe: positions read from the file, show commands, and the
// correction of rectangles that are off every screen or of a size no one can use.
#include "controls/PlacementStocke.h"

#include <gtest/gtest.h>

#include <climits>

TEST(PlacementStocke, FourNumbersTakeTheirDefaultWhenMissingOrBroken)
{
    const std::array<int32_t, 4> d{1, 2, 3, 4};
    EXPECT_EQ(LireQuatreEntiers("10,20,30,40", d), (std::array<int32_t, 4>{10, 20, 30, 40}));
    EXPECT_EQ(LireQuatreEntiers(" -8 , -8,1032 776", d), (std::array<int32_t, 4>{-8, -8, 1032, 776}));
    EXPECT_EQ(LireQuatreEntiers("10,x,30", d), (std::array<int32_t, 4>{10, 2, 30, 4}));
    EXPECT_EQ(LireQuatreEntiers("", d), d);
    EXPECT_EQ(LireQuatreEntiers("99999999999,5,6,7", d), (std::array<int32_t, 4>{1, 5, 6, 7}));
    EXPECT_EQ(EcrireQuatreEntiers({-1, -1, -8, -30}), "-1,-1,-8,-30");
    EXPECT_EQ(CleResolution("NormPos", 1024, 768), "NormPos(1024x768)");
}

TEST(PlacementStocke, ShowCommands)
{
    for (int c : {1, 5, 9})
        EXPECT_EQ(EtatDeShowCmd(c, EtatFenetre::Maximise), EtatFenetre::Normal) << c;
    for (int c : {2, 6, 7})
        EXPECT_EQ(EtatDeShowCmd(c, EtatFenetre::Normal), EtatFenetre::Minimise) << c;
    EXPECT_EQ(EtatDeShowCmd(3, EtatFenetre::Normal), EtatFenetre::Maximise);
    for (int c : {0, 4, 8, 10, -1})
        EXPECT_EQ(EtatDeShowCmd(c, EtatFenetre::Maximise), EtatFenetre::Maximise) << c;
    EXPECT_EQ(ShowCmdDeEtat(EtatFenetre::Normal), 1);
    EXPECT_EQ(ShowCmdDeEtat(EtatFenetre::Minimise), 2);
    EXPECT_EQ(ShowCmdDeEtat(EtatFenetre::Maximise), 3);
}

namespace {

TLimitesPlacement UnEcran()
{
    TLimitesPlacement l;
    l.Ecrans = {TRectEcran{0, 0, 1024, 738}}; // a task bar below
    l.LargeurMin = 160;
    l.HauteurMin = 120;
    return l;
}

} // namespace

TEST(PlacementStocke, RectanglesComeBackOnAScreenAtAUsableSize)
{
    struct Cas {
        const char* nom;
        TRectEcran stocke;
        TRectEcran attendu;
    };
    const Cas cas[] = {
        {"inside stays", {100, 50, 600, 450}, {100, 50, 600, 450}},
        {"far right and below", {5000, 4000, 5500, 4400}, {524, 338, 1024, 738}},
        {"far left and above", {-3000, -2000, -2500, -1600}, {0, 0, 500, 400}},
        {"partly off the right edge", {900, 100, 1300, 500}, {624, 100, 1024, 500}},
        {"larger than the screen", {-50, -50, 100000, 90000}, {0, 0, 1024, 738}},
        {"a dot", {300, 300, 301, 301}, {300, 300, 460, 420}},
        {"extreme numbers", {INT_MIN, INT_MIN, INT_MAX, INT_MAX}, {0, 0, 1024, 738}},
    };
    for (const Cas& c : cas) {
        const auto r = CorrigerRectangle(c.stocke, UnEcran());
        ASSERT_TRUE(r.has_value()) << c.nom;
        EXPECT_EQ(*r, c.attendu) << c.nom;
    }
}

TEST(PlacementStocke, EmptyOrReversedRectangleIsNotApplied)
{
    EXPECT_FALSE(CorrigerRectangle({100, 100, 100, 400}, UnEcran()));
    EXPECT_FALSE(CorrigerRectangle({500, 100, 100, 400}, UnEcran()));
    EXPECT_FALSE(CorrigerRectangle({100, 400, 500, 100}, UnEcran()));
    EXPECT_FALSE(CorrigerRectangle({0, 0, 0, 0}, UnEcran()));
}

TEST(PlacementStocke, SecondScreenAndFrameAndLimits)
{
    TLimitesPlacement l = UnEcran();
    l.Ecrans.push_back(TRectEcran{1024, 0, 2944, 1080});
    // On the second screen, where it overlaps most.
    EXPECT_EQ(*CorrigerRectangle({1000, 100, 1600, 500}, l), (TRectEcran{1000 + 24, 100, 1600 + 24, 500}));
    EXPECT_EQ(*CorrigerRectangle({2000, 200, 2600, 700}, l), (TRectEcran{2000, 200, 2600, 700}));
    // Off both: back on the primary one.
    EXPECT_EQ(*CorrigerRectangle({-900, 2000, -400, 2300}, l), (TRectEcran{0, 438, 500, 738}));

    // The title bar stays reachable: the frame is kept on the screen too.
    TLimitesPlacement f = UnEcran();
    f.CadreGauche = f.CadreDroit = f.CadreBas = 4;
    f.CadreHaut = 26;
    EXPECT_EQ(*CorrigerRectangle({10, -10, 410, 290}, f), (TRectEcran{10, 26, 410, 326}));
    EXPECT_EQ(*CorrigerRectangle({0, 0, 4000, 4000}, f), (TRectEcran{4, 26, 1020, 734}));

    // The window's own limits win over the stored size.
    TLimitesPlacement m = UnEcran();
    m.LargeurMax = 300;
    m.HauteurMax = 200;
    m.LargeurMin = 250;
    EXPECT_EQ(*CorrigerRectangle({10, 10, 800, 600}, m), (TRectEcran{10, 10, 310, 210}));
    EXPECT_EQ(*CorrigerRectangle({10, 10, 20, 600}, m), (TRectEcran{10, 10, 260, 210}));
}

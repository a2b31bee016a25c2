// Printed line layout: minimum widths, proportional beat widths, extra spaces, greedy filling
// and stretching of lines, and what the line painter draws at measure bounds.
#include "FixtureImpression.h"

#include "print/ImpPartition.h"
#include "support/BoitesTraces.h"

#include <algorithm>
#include <cmath>

namespace {

using ImpLignesTest = FixtureImpression;

TEST_F(ImpLignesTest, MinimumWidthsByDurationAndNoteSpacing)
{
    struct Cas {
        int32_t ticks;
        double facteur; // times f
    };
    const Cas table[] = {
        {30, 5}, {45, 5}, {60, 5}, {90, 5}, {120, 5}, {180, 5}, {160, 6}, {240, 6}, {360, 6}, {320, 7}, {480, 7},
        {640, 8}, {720, 8}, {960, 9}, {1280, 9}, {1440, 9}, {1920, 10},
        // Triplet 64th, 32nd and 16th, dotted whole, and what only a damaged file holds.
        {20, 0}, {40, 0}, {80, 0}, {2880, 0}, {0, 0}, {-480, 0}, {1000000, 0},
    };
    struct Espacement {
        int32_t coef;
        double f;
    };
    for (const Espacement esp : {Espacement{5, 1.0}, Espacement{10, 2.25}, Espacement{0, 0.5}, Espacement{7, 1.44}}) {
        ParamImpCourant.CoefEspAff_Prt = esp.coef;
        CalculerLargeursTempsImpression();
        EXPECT_DOUBLE_EQ(ParamImpCourant.LargeurBase, 5 * esp.f);
        EXPECT_DOUBLE_EQ(ParamImpCourant.EspaceAvantTemps, 5 * esp.f);
        for (const Cas c : table)
            EXPECT_DOUBLE_EQ(LargeurMinimaleImpression(c.ticks), c.facteur * esp.f) << esp.coef << " " << c.ticks;
    }
}

TEST_F(ImpLignesTest, BeatsOfOneValueGetTheBaseWidthThenTheirMinimum)
{
    Battements({0, 0, 0, 0});
    EspacerMesureImpression(1);
    for (int b = 1; b <= 4; ++b)
        EXPECT_DOUBLE_EQ(Temps(b).XImp, 7.0 * (b - 1)) << b; // 5 widened to the quarter's 7
    EXPECT_DOUBLE_EQ(Mesure().LargeurImp, 28.0);

    // Sixty-fourths keep the base width, which already is their minimum.
    Battements({4, 4});
    EspacerMesureImpression(1);
    EXPECT_DOUBLE_EQ(Temps(2).XImp, 5.0);
    EXPECT_DOUBLE_EQ(Mesure().LargeurImp, 10.0);
}

TEST_F(ImpLignesTest, EachHalvingDividesTheWidthByTheRhythmProportion)
{
    Battements({0, 1});
    // Proportionally 5 and 5 / 1.5; the eighth's minimum 6 widens the measure by 1.8.
    EspacerMesureImpression(1);
    EXPECT_DOUBLE_EQ(Temps(2).XImp, 9.0);
    EXPECT_DOUBLE_EQ(Mesure().LargeurImp - Temps(2).XImp, 6.0);
    EXPECT_DOUBLE_EQ(Temps(2).XImp / (Mesure().LargeurImp - Temps(2).XImp), 1.5);

    // Without minimums the proportion shows as it is.
    ParamImpCourant.LargeursDurees.fill(0);
    ParamImpCourant.CoefPImp = 2.0;
    Battements({-1, 0, 1});
    EspacerMesureImpression(1);
    EXPECT_DOUBLE_EQ(Temps(2).XImp, 5.0);
    EXPECT_DOUBLE_EQ(Temps(3).XImp, 7.5);
    EXPECT_DOUBLE_EQ(Mesure().LargeurImp, 8.75);
}

TEST_F(ImpLignesTest, DamagedDurationsAndProportionsStayFinite)
{
    Battements({0, 0});
    Temps(2).Duree = 0;
    ParamImpCourant.CoefPImp = 0;
    EspacerMesureImpression(1);
    EXPECT_TRUE(std::isfinite(Mesure().LargeurImp));
    EXPECT_DOUBLE_EQ(Temps(2).XImp, 7.0);
    EXPECT_DOUBLE_EQ(Mesure().LargeurImp, 7.0);
}

TEST_F(ImpLignesTest, ExtraSpacesAtSongRepeatAndSignatureBounds)
{
    Mesures(4);
    Mesure(2).RenvoiDebut = true;
    Mesure(3).RenvoiDebut = true;
    Mesure(3).Numerateur = 3;
    Mesure(3).RenvoiFin = true;
    Mesure(4).RenvoiFin = true;
    struct Cas {
        int m;
        double gauche, droite;
    };
    for (const Cas c : {Cas{1, 5.5, 0}, Cas{2, 3.5, 0}, Cas{3, 7.0, 3.5}, Cas{4, 3.5, 3.5}}) {
        EspacerMesureImpression(c.m);
        EXPECT_DOUBLE_EQ(Mesure(c.m).EspaceGaucheImp, c.gauche) << c.m;
        EXPECT_DOUBLE_EQ(Mesure(c.m).EspaceDroiteImp, c.droite) << c.m;
    }
    Mesure(4).RenvoiFin = false;
    EspacerMesureImpression(4);
    EXPECT_DOUBLE_EQ(Mesure(4).EspaceGaucheImp, 3.5); // back to 4/4 after the 3/4 measure
    EXPECT_DOUBLE_EQ(Mesure(4).EspaceDroiteImp, 2.0);
}

// Eight measures of one whole note each: 10 mm of beats; fixed parts 10.5 for measure 1
// (5 + 2 + 3.5), 5 in the middle and 7 for the last one.
class LigneRemplie : public ImpLignesTest {
protected:
    void SetUp() override
    {
        ImpLignesTest::SetUp();
        Mesures(8);
        for (int m = 1; m <= 8; ++m)
            Battements({-2}, m);
        ParamImpCourant.MargeGaucheLignes = 10;
        ParamImpCourant.MargeDroiteLignes = 10;
    }
    // A working width of a tenths of a millimetre.
    static void Disponible(int dixiemes) { PageExacte(10.0, dixiemes + 200); }
};

TEST_F(LigneRemplie, GreedyFillKeepsAMeasureThatExactlyFills)
{
    struct Cas {
        int dixiemes;
        int32_t derniere;
    };
    // Lines from measure 1 end at 20.5, 35.5, 50.5, 65.5, 80.5 mm.
    for (const Cas c : {Cas{805, 5}, Cas{804, 4}, Cas{806, 5}, Cas{355, 2}, Cas{200, 1}, Cas{50, 1}}) {
        Disponible(c.dixiemes);
        EXPECT_DOUBLE_EQ(LargeurDisponibleImpression(), c.dixiemes / 10.0);
        EXPECT_EQ(ImprimerLigne(1, false), c.derniere) << c.dixiemes;
        EXPECT_EQ(PremiereMesureLigneImpr, 1);
    }
    Disponible(450);
    EXPECT_EQ(ImprimerLigne(4, false), 6); // 15 + 15 + 15
    EXPECT_EQ(PremiereMesureLigneImpr, 4);
}

TEST_F(LigneRemplie, StretchingGrowsOnlyTheBeatsToFillTheWidth)
{
    Disponible(905);
    ASSERT_EQ(ImprimerLigne(1, false), 5);
    // Fixed 30.5, beats 50 stretched to 60.
    double total = 0;
    for (int m = 1; m <= 5; ++m) {
        EXPECT_DOUBLE_EQ(Mesure(m).LargeurImp, 12.0) << m;
        total += Mesure(m).LargeurImp + EspaceFixeMesureImpression(m);
    }
    EXPECT_DOUBLE_EQ(total, 90.5);
}

TEST_F(LigneRemplie, OverWideMeasureIsPrintedAloneAndSqueezed)
{
    Battements({2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2}, 3); // 80 mm of sixteenths
    Disponible(500);
    EXPECT_EQ(ImprimerLigne(3, false), 3);
    EXPECT_DOUBLE_EQ(Mesure(3).LargeurImp, 45.0);
    EXPECT_DOUBLE_EQ(Temps(16, 3).XImp, 15 * 45.0 / 16);
}

TEST_F(LigneRemplie, LastLineKeepsItsSpacingBelowThreeQuartersOfTheWidth)
{
    // The last line alone: 10 mm of beats and 7 fixed, 17 mm: three quarters of 22.67 mm.
    struct Cas {
        int dixiemes;
        double largeur;
    };
    for (const Cas c : {Cas{226, 15.6}, Cas{227, 10.0}, Cas{300, 10.0}, Cas{200, 13.0}, Cas{170, 10.0}}) {
        Disponible(c.dixiemes);
        EXPECT_EQ(ImprimerLigne(8, false), 8);
        EXPECT_NEAR(Mesure(8).LargeurImp, c.largeur, 1e-9) << c.dixiemes;
    }
}

TEST_F(LigneRemplie, ExactlyThreeQuartersIsStretched)
{
    // A one-measure song: 10 of beats, 12.5 fixed (2 + 3.5 before, 2 after) = 22.5 = 3/4 of 30.
    Partition.NbMesures = 1;
    Disponible(300);
    EXPECT_EQ(ImprimerLigne(1, false), 1);
    EXPECT_DOUBLE_EQ(Mesure(1).LargeurImp, 17.5);
    Disponible(301);
    ImprimerLigne(1, false);
    EXPECT_DOUBLE_EQ(Mesure(1).LargeurImp, 10.0);
}

TEST_F(LigneRemplie, LineStartingOnTheLastMeasureStaysInTheSong)
{
    // The fill must not step past the last measure: nothing after it was laid out.
    Disponible(100);
    EXPECT_EQ(ImprimerLigne(8, false), 8);
    EXPECT_DOUBLE_EQ(Mesure(8).LargeurImp, 3.0); // squeezed: (10 - 7) / 10
    Disponible(2000);
    EXPECT_EQ(ImprimerLigne(8, false), 8);
    EXPECT_DOUBLE_EQ(Mesure(8).LargeurImp, 10.0);

    // Fixed parts wider than the page squeeze the beats to nothing, never mirror them.
    Disponible(50);
    EXPECT_EQ(ImprimerLigne(8, false), 8);
    EXPECT_DOUBLE_EQ(Mesure(8).LargeurImp, 0.0);
}

// The staff-high rectangles a line drew, as (left, right) device columns.
std::vector<std::pair<int, int>> Barres(const platform::CanevasEnregistreur& c, int haut, int bas)
{
    std::vector<std::pair<int, int>> barres;
    for (const auto& t : c.Traces(platform::CanevasEnregistreur::Operation::Rectangle))
        if (t.points[0].y == haut && t.points[1].y == bas)
            barres.emplace_back(t.points[0].x, t.points[1].x);
    return barres;
}

TEST_F(LigneRemplie, NoThinBarBeforeARepeatStart)
{
    PageExacte(10.0, 2000);
    ParamImpCourant.PosY = 50;
    const int haut = 500;
    const int bas = Px(50 + 5 * 2.75) + 1;
    auto finMesure = [](int m) { return Mesure(m).LargeurImp + Mesure(m).EspaceDroiteImp; };

    ASSERT_EQ(ImprimerLigne(1, true), 8);
    // Opening double bar: thick [0, 11], thin from 21; closing thin bars end one pixel right of x.
    auto barres = Barres(canevas, haut, bas);
    const int x1 = Xd(finMesure(1));
    EXPECT_NE(std::find(barres.begin(), barres.end(), std::pair{x1 - 3, x1 + 1}), barres.end());

    Mesure(2).RenvoiDebut = true;
    canevas.Effacer();
    ImprimerLigne(1, true);
    barres = Barres(canevas, haut, bas);
    const int x1r = Xd(finMesure(1));
    EXPECT_EQ(std::count(barres.begin(), barres.end(), std::pair{x1r - 3, x1r + 1}), 0);
    // The repeat sign stands in for it: thick bar from x, thin bar 2.1 mm further.
    EXPECT_NE(std::find(barres.begin(), barres.end(), std::pair{x1r, x1r + 12}), barres.end());
    EXPECT_NE(std::find(barres.begin(), barres.end(), std::pair{x1r + 21, x1r + 25}), barres.end());
}

TEST_F(LigneRemplie, MeasureNumberOnlyAtTheStartOfEachLine)
{
    Disponible(505); // lines 1-3, 4-6, 7-8
    std::vector<std::string> numeros;
    for (int32_t m = 1; m <= 8;) {
        canevas.Effacer();
        m = ImprimerLigne(m, true) + 1;
        for (const auto& t : canevas.Traces(Op::Texte))
            if (t.fonte.taille == 6)
                numeros.push_back(t.texte);
    }
    EXPECT_EQ(numeros, (std::vector<std::string>{"1", "4", "7"}));

    ParamImpCourant.AffNum_Prt = false;
    canevas.Effacer();
    ImprimerLigne(1, true);
    for (const auto& t : canevas.Traces(Op::Texte))
        EXPECT_NE(t.fonte.taille, 6) << t.texte;
}

using lyrx_test::Boite;
using lyrx_test::BoiteDe;

TEST_F(ImpLignesTest, PrintedBeatTextsStayClearOfTheDiagramsAndTextsOfNeighbouringBeats)
{
    PageExacte(10.0, 2400);
    ParamImpCourant.MargeGaucheLignes = 10;
    ParamImpCourant.MargeDroiteLignes = 10;
    TAccord am;
    am.Nom = "Am";
    am.Frettes = {0, 0, 1, 2, 2, 0, -1};
    TAccord c;
    c.Nom = "C";
    c.Frettes = {0, 0, 1, 0, 2, 3, -1};
    TAccord g;
    g.Nom = "G";
    g.Frettes = {0, 3, 0, 0, 0, 2, 3};
    auto accord = [](TTemps& t, const TAccord& a, const char* texte) {
        t.AvecAccord = true;
        t.Accord = std::make_shared<const TAccord>(a);
        t.Texte = texte;
    };
    Mesures(3);
    for (int m = 1; m <= 3; ++m)
        Battements({1, 1, 1, 1, 1, 1, 1, 1}, m);
    // A text on its own chord; chords on neighbouring eighths, in a measure and across a bar.
    accord(Temps(1, 1), am, "Intro");
    accord(Temps(5, 1), c, "let ring all");
    accord(Temps(6, 1), g, "Chorus");
    accord(Temps(8, 2), c, "let ring");
    accord(Temps(1, 3), g, "Verse");
    ASSERT_EQ(ImprimerLigne(1, true), 3);

    std::vector<Boite> textes;
    std::vector<Boite> encre;
    for (const Trace& t : canevas.Traces()) {
        const Boite b = BoiteDe(canevas, t);
        if (b.bas > Px(ParamImpCourant.PosY) - 5)
            continue; // the staff and what stands on it
        if (t.operation == Op::Texte && t.fonte.italique)
            textes.push_back(b);
        else
            encre.push_back(b);
    }
    ASSERT_EQ(textes.size(), 5u);
    for (std::size_t i = 0; i < textes.size(); ++i) {
        const Boite& t = textes[i];
        std::string couvert;
        for (const Boite& e : encre)
            if (t.Croise(e))
                couvert += " " + std::to_string(e.gauche) + "," + std::to_string(e.haut);
        EXPECT_EQ(couvert, "") << "text " << i << " at " << t.gauche << "," << t.haut;
        if (i > 0) {
            EXPECT_LE(textes[i - 1].droite, t.gauche) << i;
        }
    }
}

} // namespace

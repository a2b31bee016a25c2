// A beat's marks over the staff placed against the amounts of its bends, and its wave against
// the bends: x to the right, y downwards, the amounts' row above the marks' row.
#include "editor/PlacementMarques.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const TZoneEncre kLettre{10, 5, 15, 14};  // a "T" over its beat
const TZoneEncre kValeur{6, 0, 20, 7};     // a bend's amount over the top string, across the T's top
const TZoneEncre kValeur2{6, 10, 20, 17}; // a bend's amount over string 2

} // namespace

TEST(PlacementMarques, AnAmountMovesPastTheMarksOrTheMarksMoveUpOverIt)
{
    struct Cas {
        std::string nom;
        std::vector<TZoneEncre> valeurs;
        std::vector<TZoneEncre> fixes;
        std::vector<TZoneEncre> dessus;
        double finPlace;
        double hautMin;
        std::vector<double> gauches;
        double montee;
    };
    const std::vector<Cas> cas = {
        {"clear of the marks", {{20, 0, 30, 7}}, {}, {}, 40, -100, {20}, 0},
        {"past the mark", {kValeur}, {}, {}, 40, -100, {16}, 0},
        // Moved, it would end past the next beat: the marks stand over the amount instead.
        {"no room before the next beat", {kValeur}, {}, {}, 25, -100, {6}, 14},
        {"the next beat's V in the way", {kValeur}, {{18, 5, 30, 14}}, {}, 40, -100, {6}, 14},
        {"a chord name over the beat", {kValeur}, {}, {{0, -12, 40, -4}}, 25, -100, {6}, 0},
        {"no higher than the picture", {kValeur}, {}, {}, 25, -5, {6}, 0},
        // A double stop bent on strings 1 and 2: the marks clear the higher amount.
        {"two amounts", {kValeur, kValeur2}, {}, {}, 25, -100, {6, 6}, 14},
    };
    for (const Cas& c : cas) {
        const TPlaceValeurs p =
            PlacerValeursBend(std::vector{kLettre}, c.valeurs, TObstaclesMarques{c.fixes, c.dessus, 1, c.finPlace, c.hautMin});
        EXPECT_EQ(p.Gauches, c.gauches) << c.nom;
        EXPECT_EQ(p.Montee, c.montee) << c.nom;
    }
}

TEST(PlacementMarques, AWaveStartsPastTheBendsOrRunsOverThem)
{
    const TZoneEncre arc{5, 9, 14, 20}; // the bend's arrow, its tip in the wave's row
    struct Cas {
        std::string nom;
        double fin;
        std::vector<TZoneEncre> bends;
        std::vector<TZoneEncre> dessus;
        double debut;
        double montee;
    };
    const std::vector<Cas> cas = {
        {"nothing in its row", 40, {{20, 20, 30, 30}}, {}, 0, 0},
        {"past the arrow and the amount", 40, {{-4, 0, 9, 9}, arc}, {}, 15, 0},
        {"no room after them: over the amount", 20, {{-4, 0, 9, 9}, arc}, {}, 0, 12},
        {"a chord over the amount", 20, {{-4, 0, 9, 9}, arc}, {{0, -10, 30, -2}}, 0, 0},
        // A double stop's lower amount gone over the upper arrow: the wave goes over it too.
        {"another amount over the first", 20, {{-4, 0, 9, 9}, arc, {6, -6, 12, 1}}, {}, 0, 18},
    };
    for (const Cas& c : cas) {
        const TPlaceVague p =
            PlacerVague(TZoneEncre{0, 8, c.fin, 12}, 8, c.bends, TObstaclesMarques{{}, c.dessus, 1, c.fin, -100});
        EXPECT_EQ(p.Debut, c.debut) << c.nom;
        EXPECT_EQ(p.Montee, c.montee) << c.nom;
    }
}

TEST(PlacementMarques, AWaveRaisedByAFractionalRiseStandsOverTheBend)
{
    // Raised by Bas - (Bas - Haut), this wave stood an ulp into the amount: the placing then
    // raised it by the same rise again, for ever.
    const double bas = 8.304220975781938;
    const double haut = 2.125319652910498;
    const TZoneEncre vague{0, bas - 8, 20, bas};
    const std::vector<TZoneEncre> bends{{-4, haut, 9, haut + 6.5}};
    const TPlaceVague p = PlacerVague(vague, 16, bends, TObstaclesMarques{{}, {}, 1, 20, -100});
    EXPECT_EQ(p.Debut, 0);
    EXPECT_NEAR(p.Montee, bas - haut, 1e-12);
    EXPECT_EQ(p.Fin, 20);
}

namespace {

// One beat of a double stop bent on strings 1 and 2 under a vibrato stroke's V, a V on the
// next beat, in whole pixels as the score view measures them (beat 1 at x = 100, beat 2 at
// 125, strings 10 apart from y = 64), given in units `echelle` times as large and moved by
// `decalage`: every area of the scene then has fractional edges.
class GeometrieEchelle final : public TGeometrieMarques {
public:
    GeometrieEchelle(double echelle, double decalage) : k(echelle), d(decalage) {}

    int32_t NbTemps() override { return 2; }
    int32_t NbCordes() override { return 6; }
    bool AvecBend(int32_t b, int32_t s) override { return b == 1 && s <= 2; }
    TZoneEncre ValeurBend(int32_t, int32_t s) override
    {
        return s == 1 ? Z({100, 43, 113, 53}) : Z({109, 53, 122, 63});
    }
    TZoneEncre TraceBend(int32_t, int32_t s) override
    {
        return s == 1 ? Z({108, 52, 118, 65}) : Z({108, 62, 118, 75});
    }
    std::vector<TZoneEncre> Marques(int32_t b) override
    {
        const double x = b == 1 ? 0 : 25;
        return {Z({90 + x, 50, 111 + x, 54}), Z({95 + x, 54, 106 + x, 58}), Z({97 + x, 40, 103 + x, 50})};
    }
    std::optional<TZoneEncre> Frette(int32_t b, int32_t s) override
    {
        if (s > 2)
            return std::nullopt;
        const double x = b == 1 ? 0 : 25;
        const double y = 64 + (s - 1) * 10;
        return Z({93 + x, y - 5, 107 + x, y + 5});
    }
    std::optional<TZoneEncre> TableMix(int32_t) override { return std::nullopt; }
    std::vector<TZoneEncre> AuDessus() override { return {}; }
    double DemiChiffre() override { return 3 * k; }
    double FinPlace(int32_t b) override { return (b == 1 ? 125 : 150) * k + d; }
    std::vector<TZoneEncre> Cordes() override
    {
        std::vector<TZoneEncre> cordes;
        for (int s = 1; s <= 6; ++s)
            cordes.push_back(Z({0, 64.0 + (s - 1) * 10, 160, 65.0 + (s - 1) * 10}));
        return cordes;
    }
    double RangeeClaire() override { return k; }
    std::optional<TZoneEncre> NumeroSuivant() override { return Z({140, 51, 150, 62}); }
    double HautMin() override { return d; }

    TZoneEncre Z(const TZoneEncre& z) const { return {z.Gauche * k + d, z.Haut * k + d, z.Droite * k + d, z.Bas * k + d}; }

private:
    double k, d;
};

} // namespace

TEST(PlacementMarques, FractionalUnitsTakeTheDecisionsOfWholeOnes)
{
    // Print measures in device pixels of any scale, and a preview at any zoom: each placing
    // must end and place alike whatever the unit.
    GeometrieEchelle entiere(1, 0);
    const TPlaceMarques marques[] = {PlacerMarquesTemps(entiere, 1), PlacerMarquesTemps(entiere, 2)};
    // A wave over beat 1 instead of the V, or over beat 2, up to 5 pixels before the next beat.
    const TZoneEncre lignesVagues[] = {{100, 45, 120, 55}, {125, 45, 150, 55}};
    const TPlaceVague vagues[] = {PlacerVagueTemps(entiere, 1, lignesVagues[0], 8, 1),
                                  PlacerVagueTemps(entiere, 2, lignesVagues[1], 8, 1)};
    // The scene is worth it: the lower amount goes up over the upper one, the V over both,
    // the wave over them, and the last wave ends before the next measure's number.
    EXPECT_GT(marques[0].MonteesValeurs[2], 0);
    EXPECT_GT(marques[0].Montee, 0);
    EXPECT_GT(vagues[0].Montee, 0);
    EXPECT_LT(vagues[1].Fin, 150);
    for (const double echelle : {0.1, 1 / 3.0, 1.4142135623730951, 2.54, 23.62204724409449}) {
        for (const double decalage : {0.0, 0.37, 1234.5678}) {
            SCOPED_TRACE(std::to_string(echelle) + " + " + std::to_string(decalage));
            GeometrieEchelle g(echelle, decalage);
            const double tolerance = 1e-9 * echelle;
            for (int b = 1; b <= 2; ++b) {
                const TPlaceMarques p = PlacerMarquesTemps(g, b);
                const TPlaceMarques& e = marques[b - 1];
                EXPECT_NEAR(p.Montee, e.Montee * echelle, tolerance);
                for (int s = 1; s <= 2; ++s) {
                    const double gauche = e.GauchesValeurs[static_cast<std::size_t>(s)];
                    if (b == 1) {
                        EXPECT_NEAR(p.GauchesValeurs[static_cast<std::size_t>(s)], gauche * echelle + decalage,
                                    tolerance);
                    }
                    EXPECT_NEAR(p.MonteesValeurs[static_cast<std::size_t>(s)],
                                e.MonteesValeurs[static_cast<std::size_t>(s)] * echelle, tolerance);
                }
                const TPlaceVague v = PlacerVagueTemps(g, b, g.Z(lignesVagues[b - 1]), 8 * echelle, echelle);
                const TPlaceVague& w = vagues[b - 1];
                EXPECT_NEAR(v.Debut, w.Debut * echelle + decalage, tolerance);
                EXPECT_NEAR(v.Fin, w.Fin * echelle + decalage, tolerance);
                EXPECT_NEAR(v.Montee, w.Montee * echelle, tolerance);
            }
        }
    }
}

TEST(PlacementMarques, WhatStandsHigherRisesTogetherAClearRowOverTheMarksItWouldMeet)
{
    // Two diagrams side by side, their names' bottom at y = 0, over marks that reach up to them.
    const std::vector<TZoneEncre> dessus = {{0, -30, 20, 0}, {30, -30, 50, 0}};
    struct Cas {
        std::string nom;
        std::vector<TZoneEncre> marques;
        double montee;
    };
    const std::vector<Cas> cas = {
        {"marks a clear row under them", {{5, 1, 15, 8}}, 0},
        {"a clear column beside them", {{21, -10, 29, 8}}, 0},
        {"an amount touching a name", {{5, 0, 15, 8}}, 1},
        {"a corner touching a name's", {{20, 0, 25, 8}}, 1},
        // Both diagrams rise as one, over the highest reach.
        {"amounts over the names' bottoms", {{5, -3, 15, 4}, {35, -1, 45, 9}}, 4},
        // Risen, they would meet what stands higher still: they go over it too.
        {"what stands higher out of the way", {{5, -3, 15, 4}, {2, -45, 10, -38}}, 4},
        {"what stands higher met on the way up", {{5, -3, 15, 4}, {2, -38, 10, -33}}, 39},
    };
    for (const Cas& c : cas)
        EXPECT_EQ(MonteeDessus(c.marques, dessus, 1), c.montee) << c.nom;
}

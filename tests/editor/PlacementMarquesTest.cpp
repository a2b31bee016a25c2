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

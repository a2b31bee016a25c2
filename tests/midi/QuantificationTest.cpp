// Quantising the note list: every entry ends on the grid point nearest to its unquantised end.
#include "FabriqueMidi.h"

#include "midi/Quantification.h"

#include <gtest/gtest.h>

namespace midi_test {
namespace {

class QuantificationTest : public MidiTest {};

using Entrees = std::vector<std::pair<int, double>>;

TEST_F(QuantificationTest, CasesOfTheGrid)
{
    struct Cas {
        const char* nom;
        Entrees avant;
        int q;
        Entrees apres;
        double total;
    };
    const Cas cas[] = {
        {"ends rounded, errors do not add up", {{60, 0.30}, {62, 0.30}, {64, 0.40}}, 4, {{60, 0.25}, {62, 0.25}, {64, 0.5}}, 1.0},
        {"half a step rounds to even", {{60, 0.625}, {-1, 0.375}}, 4, {{60, 0.5}, {-1, 0.5}}, 1.0},
        {"a short note before a rest keeps one step", {{60, 0.05}, {-1, 0.95}, {62, 1.0}}, 4, {{60, 0.25}, {-1, 0.75}, {62, 1.0}}, 2.0},
        {"a chord at the end keeps one step", {{60, 0.0}, {64, 0.01}}, 4, {{60, 0.0}, {64, 0.25}}, 0.25},
        {"grid of 16", {{60, 0.1}, {-1, 0.2}, {62, 0.7}}, 16, {{60, 0.125}, {-1, 0.1875}, {62, 0.6875}}, 1.0},
        {"grid of 2", {{60, 0.6}, {62, 0.6}, {64, 0.8}}, 2, {{60, 0.5}, {62, 0.5}, {64, 1.0}}, 2.0},
        {"no grid given: quarters of a quarter", {{60, 0.3}}, 0, {{60, 0.25}}, 0.25},
        // Before the last rest the step a short note keeps cannot come out of a rest that
        // rounds to nothing: the list grows instead of holding a negative length.
        {"short note and short rest at the end", {{60, 0.05}, {-1, 0.05}}, 4, {{60, 0.25}, {-1, 0.0}}, 0.25},
        // Staccato sixteenths on an eighth grid: each pair shares its eighth (the later note
        // half-way sounds with the earlier one), nothing is pushed, the quarter stays a quarter.
        {"staccato sixteenths on an eighth grid",
         {{60, 0.125}, {-1, 0.125}, {62, 0.125}, {-1, 0.125}, {64, 0.125}, {-1, 0.125}, {65, 0.125}}, 2,
         {{60, 0.0}, {-1, 0.0}, {62, 0.5}, {-1, 0.0}, {64, 0.0}, {-1, 0.0}, {65, 0.5}}, 1.0},
        // A short note with no rest behind it sounds with the next group instead of pushing it.
        {"a short note before another note", {{60, 0.05}, {62, 0.95}, {64, 1.0}}, 4, {{60, 0.0}, {62, 1.0}, {64, 1.0}}, 2.0},
        {"a short note before a short rest", {{60, 0.05}, {-1, 0.05}, {62, 1.0}}, 4, {{60, 0.0}, {-1, 0.0}, {62, 1.0}}, 1.0},
    };
    for (const Cas& c : cas) {
        ViderEvtImport();
        for (auto [h, d] : c.avant)
            AjouterEvtImport(h, d);
        NbEvtImport -= 1;
        QuantifierEvtImport(c.q);
        EXPECT_EQ(ListeActuelle(), c.apres) << c.nom;
        EXPECT_DOUBLE_EQ(DureeTotaleImport, c.total) << c.nom;
        for (auto [h, d] : ListeActuelle())
            EXPECT_GE(d, 0.0) << c.nom;
    }
}

TEST_F(QuantificationTest, AnEmptyListStaysEmpty)
{
    ViderEvtImport();
    NbEvtImport = 0;
    QuantifierEvtImport(4);
    EXPECT_EQ(NbEvtImport, 0);
    EXPECT_EQ(DureeTotaleImport, 0.0);
}

} // namespace
} // namespace midi_test

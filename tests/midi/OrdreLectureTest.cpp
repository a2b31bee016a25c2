#include "midi/OrdreLecture.h"

#include "ChantierMidi.h"

#include <gtest/gtest.h>

namespace {

struct Marque {
    int mesure;
    char quoi;  // '[' repeat start, ']' repeat end (count in n), 'e' alternate ending (number in n)
    int n = 1;
};

class Ordre : public midi_test::MidiTest {
protected:
    static void Marquer(int nbMesures, std::initializer_list<Marque> marques)
    {
        Mesures(nbMesures);
        for (const Marque& mq : marques) {
            TMesure& m = *Partition.Mesures[mq.mesure];
            if (mq.quoi == '[') {
                m.RenvoiDebut = true;
            } else if (mq.quoi == ']') {
                m.RenvoiFin = true;
                m.NbRenvois = int8_t(mq.n);
            } else {
                m.Repetition = true;
                m.NumRepetition = int8_t(mq.n);
            }
        }
    }
    static std::vector<int32_t> Construire(int premiere, int derniere, bool repetitions = true)
    {
        EXPECT_TRUE(ConstruireOrdreLecture(premiere, derniere, repetitions));
        EXPECT_EQ(NbOrdreLecture + 1, int(OrdreLecture.size()));
        return std::vector<int32_t>(OrdreLecture.begin() + 1, OrdreLecture.end());
    }
};

using V = std::vector<int32_t>;

} // namespace

TEST_F(Ordre, RepeatsAndAlternateEndingsUnfold)
{
    struct {
        const char* nom;
        int nbMesures;
        std::initializer_list<Marque> marques;
        V attendu;
    } cas[] = {
        {"first and second ending", 5, {{1, '['}, {3, 'e', 1}, {3, ']'}, {4, 'e', 2}}, {1, 2, 3, 1, 2, 4, 5}},
        {"played three times", 3, {{1, '['}, {2, ']', 2}}, {1, 2, 1, 2, 1, 2, 3}},
        {"three endings", 4, {{1, '['}, {2, 'e', 1}, {2, ']'}, {3, 'e', 2}, {3, ']'}, {4, 'e', 3}}, {1, 2, 1, 3, 1, 4}},
        {"repeat end without a start goes back to 1", 3, {{2, ']'}}, {1, 2, 1, 2, 3}},
        {"a new repeat start replaces the old one", 4, {{1, '['}, {2, '['}, {3, ']'}}, {1, 2, 3, 2, 3, 4}},
        {"no marks", 4, {}, {1, 2, 3, 4}},
    };
    for (const auto& c : cas) {
        SetUp();
        Marquer(c.nbMesures, c.marques);
        EXPECT_EQ(Construire(1, c.nbMesures), c.attendu) << c.nom;
    }
}

TEST_F(Ordre, RangesStartAtTheFirstOccurrenceAndStopAfterTheLastMeasure)
{
    Marquer(5, {{1, '['}, {3, 'e', 1}, {3, ']'}, {4, 'e', 2}});
    EXPECT_EQ(Construire(1, 5, false), (V{1, 2, 3, 4, 5}));
    EXPECT_EQ(Construire(3, 5), (V{3, 1, 2, 4, 5}));
    EXPECT_EQ(Construire(2, 2), (V{2}));      // the current measure alone, even inside a repeat
    EXPECT_EQ(Construire(1, 2), (V{1, 2}));   // cut before the first entry past the range
    // Inside the repeat the range follows the jump back until a measure past it.
    EXPECT_EQ(Construire(2, 3), (V{2, 3, 1, 2}));

    // Ending 1 starts at 3 and runs to its repeat end at 4: measure 4 is never played.
    SetUp();
    Marquer(6, {{1, '['}, {3, 'e', 1}, {4, ']'}, {5, 'e', 2}});
    EXPECT_EQ(Construire(1, 6), (V{1, 2, 3, 4, 1, 2, 5, 6}));
    SetUp();
    Marquer(6, {{1, '['}, {2, 'e', 1}, {2, ']'}, {3, 'e', 2}, {4, ']'}});
    // The repeat end closing ending 2 goes back once more; no ending matches a third pass.
    EXPECT_EQ(Construire(1, 6), (V{1, 2, 1, 3, 4, 1, 5, 6}));
}

TEST_F(Ordre, AMeasureNeverPlayedGivesAnEmptyOrder)
{
    // A second "ending 1" after the first one is skipped on every pass.
    Marquer(5, {{1, '['}, {2, 'e', 1}, {2, ']'}, {3, 'e', 1}, {3, ']'}, {4, 'e', 2}});
    const V tout = Construire(1, 5);
    EXPECT_EQ(std::count(tout.begin(), tout.end(), 3), 0) << ::testing::PrintToString(tout);
    EXPECT_TRUE(Construire(3, 5).empty());
}

TEST_F(Ordre, ThePercussionBrowserCountsMeasuresPlayed)
{
    Marquer(4, {{1, '['}, {2, ']', 2}});
    ParcoursEnCours = true;
    EXPECT_EQ(Construire(1, 2), (V{1, 2})); // the first two played measures, repeats included
    EXPECT_EQ(Construire(1, 3), (V{1, 2, 1}));
}

TEST_F(Ordre, LongSongsAreNotCutAtFiveHundredEntries)
{
    // 1000 measures without repeats: every measure, where a 500-entry order lost half the song.
    Mesures(1000);
    EXPECT_EQ(Construire(1, 1000).size(), 1000u);
    EXPECT_EQ(OrdreLecture[1000], 1000);

    // The whole song repeated 99 times.
    Partition.Mesures[1000]->RenvoiFin = true;
    Partition.Mesures[1000]->NbRenvois = 99;
    const V long_ = Construire(1, 1000);
    ASSERT_EQ(long_.size(), 100000u);
    EXPECT_EQ(long_.back(), 1000);
    EXPECT_EQ(long_[99999 - 1000], 1000);
}

TEST_F(Ordre, ASecondRepeatEndAfterAnEndingDoesNotLoopForEver)
{
    // |: 1 | 1st 2 :| 3 :| would go back from 3 to 1 for ever (1 2 3 1 3 1 3 ...): the repeat
    // end at 3 is taken once, then the song goes on.
    Marquer(4, {{1, '['}, {2, 'e', 1}, {2, ']'}, {3, ']'}});
    EXPECT_EQ(Construire(1, 4), (V{1, 2, 1, 3, 1, 3, 4}));
}

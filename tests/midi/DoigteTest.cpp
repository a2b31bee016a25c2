// The fingering optimiser on known shapes and its weights.
#include "FabriqueMidi.h"

#include "midi/Doigte.h"

#include <gtest/gtest.h>

namespace midi_test {
namespace {

class DoigteTest : public MidiTest {
protected:
    void SetUp() override
    {
        MidiTest::SetUp();
        PoidsDoigte = TPoidsDoigte{};
    }
    void TearDown() override
    {
        PoidsDoigte = TPoidsDoigte{};
        MidiTest::TearDown();
    }

    // A beat of track t in measure m holding these scratch pitches (-1 rest, -2 tie).
    static TTemps& Beat(int m, std::vector<int> hauteurs, int t = 1)
    {
        TTemps& tp = Temps(t, m, 480);
        tp.NbHauteursImport = static_cast<uint8_t>(hauteurs.size());
        for (std::size_t i = 0; i < hauteurs.size(); ++i)
            tp.HauteursImport[i + 1] = hauteurs[i];
        return tp;
    }
    static void Doigter(int t = 1)
    {
        PisteCourante = t;
        OptimiserPlacementDoigts(1, Partition.NbMesures);
    }
};

using F = std::vector<int>;

TEST_F(DoigteTest, ASingleNoteAfterAnOpenStringStaysOpen)
{
    Beat(1, {64}).Notes[1].Frette = 0;
    Beat(1, {64});
    DebutSerie = false;
    TCordesDoigte cordes{};
    for (int s = 1; s <= 6; ++s) {
        cordes[1] = s;
        const int frette = 64 - Partition.Accordage[1][s];
        EXPECT_NEAR(CoutDoigte(1, 2, cordes, 1), 1.05 * frette, 1e-9) << "string " << s;
    }
    EXPECT_TRUE(DoigterTemps(1, 2));
    EXPECT_EQ(Frettes(1, 1, 2), (F{0, -1, -1, -1, -1, -1}));
}

TEST_F(DoigteTest, OpenChordShapes)
{
    Beat(1, {40, 47, 52, 56, 59, 64}); // E
    Beat(1, {48, 52, 55, 60, 64});     // C
    Beat(1, {43, 47, 50, 55, 59, 67}); // G
    Beat(1, {50, 57, 62, 66});         // D
    Doigter();
    EXPECT_EQ(Frettes(1, 1, 1), (F{0, 0, 1, 2, 2, 0}));
    EXPECT_EQ(Frettes(1, 1, 2), (F{0, 1, 0, 2, 3, -1}));
    EXPECT_EQ(Frettes(1, 1, 3), (F{3, 0, 0, 0, 2, 3}));
    EXPECT_EQ(Frettes(1, 1, 4), (F{2, 3, 2, 0, -1, -1}));
}

TEST_F(DoigteTest, AScaleRunStaysInTheFirstPosition)
{
    for (int p : {48, 50, 52, 53, 55, 57, 59, 60})
        Beat(1, {p});
    Doigter();
    const std::vector<F> attendu = {
        {-1, -1, -1, -1, 3, -1}, {-1, -1, -1, 0, -1, -1}, {-1, -1, -1, 2, -1, -1}, {-1, -1, -1, 3, -1, -1},
        {-1, -1, 0, -1, -1, -1}, {-1, -1, 2, -1, -1, -1}, {-1, 0, -1, -1, -1, -1}, {-1, 1, -1, -1, -1, -1},
    };
    for (int b = 1; b <= 8; ++b)
        EXPECT_EQ(Frettes(1, 1, b), attendu[static_cast<std::size_t>(b) - 1]) << "beat " << b;
}

TEST_F(DoigteTest, UnplayableNotesAreDroppedAndABeatOfNoneBecomesARest)
{
    Beat(1, {39});
    Beat(1, {40, 41});
    Beat(1, {HauteurSilence});
    Beat(1, {HauteurLiaison});
    Doigter();
    EXPECT_TRUE(Partition.Mesures[1]->Temps[1][1].Silence);
    EXPECT_EQ(Frettes(1, 1, 1), (F{-1, -1, -1, -1, -1, -1}));
    // Only string 6 plays either pitch: the open string wins, 41 is dropped.
    EXPECT_FALSE(Partition.Mesures[1]->Temps[1][2].Silence);
    EXPECT_EQ(Frettes(1, 1, 2), (F{-1, -1, -1, -1, -1, 0}));
    EXPECT_TRUE(Partition.Mesures[1]->Temps[1][3].Silence);
    EXPECT_TRUE(Partition.Mesures[1]->Temps[1][4].Lie);
    EXPECT_FALSE(DoigterTemps(1, 1));
}

TEST_F(DoigteTest, DrumNotesGoToTheStringsInTheOrderOfTheirPitches)
{
    Beat(1, {42, 36, 38}, kPistePercussions);
    Doigter(kPistePercussions);
    EXPECT_EQ(Frettes(kPistePercussions, 1, 1), (F{42, 36, 38, -1, -1, -1}));
}

TEST_F(DoigteTest, FretsBeyondTheTracksFretCountCost)
{
    Partition.NbFrettes[1] = 20;
    Beat(1, {86});
    DebutSerie = false;
    TCordesDoigte cordes{};
    cordes[1] = 1; // fret 22
    EXPECT_NEAR(CoutDoigte(1, 1, cordes, 1), 22 * 0.35 + 2 * 1000.0, 1e-9);
    cordes[1] = 2; // fret 27: not playable, not charged
    EXPECT_NEAR(CoutDoigte(1, 1, cordes, 1), 0.0, 1e-9);
}

TEST_F(DoigteTest, TheFirstFingeredBeatAimsAtTheNextOne)
{
    Beat(1, {HauteurSilence});
    Beat(1, {64});
    Beat(1, {HauteurSilence});
    Beat(1, {76});
    Beat(1, {64});
    Doigter();
    // Target: fret 12 of the next note. String 4, fret 14, is the nearest playable place.
    EXPECT_EQ(Frettes(1, 1, 2), (F{-1, -1, -1, 14, -1, -1}));
    EXPECT_EQ(Frettes(1, 1, 4), (F{12, -1, -1, -1, -1, -1}));
    // No look-ahead any more, even after the rest: the look-back keeps the hand up.
    EXPECT_EQ(Frettes(1, 1, 5), (F{-1, -1, -1, 14, -1, -1}));
}

TEST_F(DoigteTest, WeightsChangeTheChoice)
{
    Beat(1, {71}).Notes[2].Frette = 12;
    Beat(1, {64});
    PisteCourante = 1;
    DebutSerie = false;
    EXPECT_TRUE(DoigterTemps(1, 2));
    EXPECT_EQ(Frettes(1, 1, 2), (F{0, -1, -1, -1, -1, -1}));
    // Open strings next to a fretted beat made dear: the hand stays near fret 12.
    PoidsDoigte.PoidsCordeAVide = 5.0;
    EXPECT_TRUE(DoigterTemps(1, 2));
    EXPECT_EQ(Frettes(1, 1, 2), (F{-1, -1, -1, 14, -1, -1}));
    // The stretch weight: with the default an open E chord; with a huge one no span at all.
    PoidsDoigte = TPoidsDoigte{};
    PoidsDoigte.PoidsAccord = 100.0;
    Beat(1, {52, 56, 59});
    EXPECT_TRUE(DoigterTemps(1, 3));
    const F frettes = Frettes(1, 1, 3);
    int minF = 99, maxF = -1;
    for (int f : frettes)
        if (f > 0) {
            minF = std::min(minF, f);
            maxF = std::max(maxF, f);
        }
    EXPECT_LE(maxF - minF, 1) << ::testing::PrintToString(frettes);
}

TEST_F(DoigteTest, TheLookBackPassesOverRestsAndTiedBeats)
{
    Beat(1, {71}).Notes[2].Frette = 12;
    TTemps& repos = Beat(1, {HauteurSilence});
    repos.Silence = true;
    repos.Notes[1].Frette = 0; // left in a rest's slots: never looked at
    TTemps& lie = Beat(1, {HauteurLiaison});
    lie.Lie = true;
    lie.Notes[1].Frette = 0;
    Beat(1, {64});
    PoidsDoigte.PoidsCordeAVide = 5.0;
    PisteCourante = 1;
    DebutSerie = false;
    EXPECT_TRUE(DoigterTemps(1, 4));
    // Compared with fret 12 two beats back (the tie takes the place of the previous beat, so
    // the weight of distance 2 applies): fret 9 is nearer than the open string.
    EXPECT_EQ(Frettes(1, 1, 4), (F{-1, -1, 9, -1, -1, -1}));
}

TEST_F(DoigteTest, PlacementOverARangeLeavesTheRestAndBeatsWithoutPitches)
{
    Mesures(3);
    Beat(1, {64});
    TTemps& sans = Beat(2, {});
    sans.Notes[3].Frette = 5;
    Beat(2, {64});
    Beat(3, {64});
    PisteCourante = 1;
    OptimiserPlacementDoigts(2, 2);
    EXPECT_EQ(Frettes(1, 1, 1), (F{-1, -1, -1, -1, -1, -1}));
    EXPECT_EQ(Frettes(1, 2, 1), (F{-1, -1, 5, -1, -1, -1}));
    // Next to the fret 5 the beat without pitches kept.
    EXPECT_EQ(Frettes(1, 2, 2), (F{-1, 5, -1, -1, -1, -1}));
    EXPECT_EQ(Frettes(1, 3, 1), (F{-1, -1, -1, -1, -1, -1}));
}

} // namespace
} // namespace midi_test

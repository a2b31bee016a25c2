// The beat builder: note values, dotted values, ties at bar lines, triplets, chords, the
// measures it appends, and the song's limits.
#include "FabriqueMidi.h"

#include "midi/ConstructionTemps.h"

#include <gtest/gtest.h>

namespace midi_test {
namespace {

class ConstructionTempsTest : public MidiTest {};

constexpr double kTiers = 1.0 / 3.0;

TEST_F(ConstructionTempsTest, LengthsSplitIntoNoteValues)
{
    struct Cas {
        double longueur;
        bool note;
        std::vector<double> valeurs;
    };
    const Cas cas[] = {
        {1.75, true, {1.5, 0.25, 0.0}},
        {1.5, false, {1.0, 0.5, 0.0}},
        {6.0, true, {4.0, 2.0, 0.0}},     // never a dotted whole
        {8.0, true, {4.0, 4.0, 0.0}},
        {0.1875, true, {0.1875}},         // dotted 32nd
        {0.1875, false, {0.125, 0.0625}}, // rests are never dotted
        {0.0625, true, {0.0625}},
        {0.875, true, {0.75, 0.125, 0.0}}, // never twice dotted
        {3.0, true, {3.0, 0.0}},
        {0.3125, true, {0.25, 0.0625}},
    };
    for (const Cas& c : cas)
        EXPECT_EQ(DecomposerEnValeurs(c.longueur, c.note), c.valeurs) << c.longueur << (c.note ? " note" : " rest");
}

TEST_F(ConstructionTempsTest, NoteValueTable)
{
    EXPECT_EQ(CodeValeurNote(4.0), std::make_pair(int8_t(-2), false));
    EXPECT_EQ(CodeValeurNote(3.0), std::make_pair(int8_t(-1), true));
    EXPECT_EQ(CodeValeurNote(0.75), std::make_pair(int8_t(1), true));
    EXPECT_EQ(CodeValeurNote(Arrondir4(0.09375)), std::make_pair(int8_t(4), true));
    EXPECT_EQ(CodeValeurNote(0.0625), std::make_pair(int8_t(4), false));
    EXPECT_EQ(CodeValeurNote(5.0), std::make_pair(int8_t(0), false));
}

void Construire(std::initializer_list<std::pair<int, double>> liste, int piste = 1)
{
    Liste(liste);
    PisteCourante = piste;
    ConstruirePisteDepuisEvt();
}

TEST_F(ConstructionTempsTest, ALongNoteAppendsAMeasureAndTiesAcrossTheBarLine)
{
    Construire({{60, 6.0}});
    ASSERT_EQ(Partition.NbMesures, 2);
    EXPECT_EQ(Rythme(1, 1), (std::vector<TempsVu>{{1920, -2, false, 0, false, false}}));
    EXPECT_EQ(Hauteurs(1, 1, 1), (std::vector<int>{60}));
    EXPECT_EQ(Rythme(1, 2), (std::vector<TempsVu>{{960, -1, false, 0, false, false}, {960, -1, false, 0, false, false}}));
    EXPECT_EQ(Hauteurs(1, 2, 1), (std::vector<int>{HauteurLiaison}));
    EXPECT_EQ(Hauteurs(1, 2, 2), (std::vector<int>{HauteurSilence}));
    EXPECT_EQ(Partition.Mesures[2]->NbTemps[2], 0);
    // Free slot prepared after the last beat.
    EXPECT_EQ(Partition.Mesures[2]->Temps[1][3].Duree, 480);
}

TEST_F(ConstructionTempsTest, DottedNotesTiedRemaindersAndRests)
{
    Construire({{60, 1.75}, {-1, 1.5}, {62, 0.1875}, {-1, 0.1875}, {64, 0.375}});
    EXPECT_EQ(Rythme(1, 1), (std::vector<TempsVu>{
                                {720, 0, true, 0, false, false},  // dotted quarter
                                {120, 2, false, 0, false, false}, // tied 16th
                                {480, 0, false, 0, false, false}, // quarter rest
                                {240, 1, false, 0, false, false}, // eighth rest
                                {90, 3, true, 0, false, false},   // dotted 32nd
                                {60, 3, false, 0, false, false},  // 32nd rest
                                {30, 4, false, 0, false, false},  // 64th rest
                                {180, 2, true, 0, false, false},  // dotted 16th
                            }));
    EXPECT_EQ(Hauteurs(1, 1, 2), (std::vector<int>{HauteurLiaison}));
    EXPECT_EQ(Hauteurs(1, 1, 4), (std::vector<int>{HauteurSilence}));
}

TEST_F(ConstructionTempsTest, LongMeasuresNeverTakeADottedWhole)
{
    Mesures(1, 6, 4);
    Construire({{60, 6.0}});
    EXPECT_EQ(Rythme(1, 1), (std::vector<TempsVu>{{1920, -2, false, 0, false, false}, {960, -1, false, 0, false, false}}));
    ReinitialiserPartition();
    Mesures(1, 8, 4);
    Construire({{60, 8.0}});
    EXPECT_EQ(Rythme(1, 1), (std::vector<TempsVu>{{1920, -2, false, 0, false, false}, {1920, -2, false, 0, false, false}}));
}

TEST_F(ConstructionTempsTest, ChordsKeepTheirPitchesOnceAndAtMostOnePerString)
{
    Construire({{60, 0.0}, {64, 0.0}, {60, 1.0}, {40, 0}, {45, 0}, {50, 0}, {55, 0}, {59, 0}, {64, 0}, {69, 3.0}});
    EXPECT_EQ(Hauteurs(1, 1, 1), (std::vector<int>{60, 64}));
    EXPECT_EQ(Hauteurs(1, 1, 2), (std::vector<int>{40, 45, 50, 55, 59, 69}));
    Partition.NbCordes[2] = 4;
    Construire({{40, 0}, {45, 0}, {50, 0}, {55, 0}, {59, 4.0}}, 2);
    EXPECT_EQ(Hauteurs(2, 1, 1), (std::vector<int>{40, 45, 50, 59}));
}

TEST_F(ConstructionTempsTest, ANoteAcrossTheBarLineBecomesTwoTiedPieces)
{
    Mesures(2);
    Construire({{-1, 3.0}, {60, 2.0}, {-1, 3.0}});
    EXPECT_EQ(Rythme(1, 1).back(), (TempsVu{480, 0, false, 0, false, false}));
    EXPECT_EQ(Hauteurs(1, 1, 3), (std::vector<int>{60}));
    EXPECT_EQ(Rythme(1, 2).front(), (TempsVu{480, 0, false, 0, false, false}));
    EXPECT_EQ(Hauteurs(1, 2, 1), (std::vector<int>{HauteurLiaison}));
    EXPECT_EQ(TicksPiste(1, 2), 1920);
}

TEST_F(ConstructionTempsTest, TripletsOfSingleNotesChordsAndRests)
{
    std::vector<int> positions;
    auto triolets = [&](int m) {
        positions.clear();
        for (const TempsVu& t : Rythme(1, m))
            positions.push_back(t.triolet);
        return positions;
    };
    Construire({{60, kTiers}, {62, kTiers}, {64, kTiers}, {65, 1.0}, {-1, 2.0}});
    EXPECT_EQ(triolets(1), (std::vector<int>{1, 2, 3, 0, 0}));
    EXPECT_EQ(Rythme(1, 1)[0], (TempsVu{160, 1, false, 1, false, false}));

    // Triplets of chords, a rest inside the group, and a group that closes the list: the test
    // looks at the next groups, not at the next entries.
    ReinitialiserPartition();
    Construire({{-1, 3.0}, {60, 0}, {64, kTiers}, {-1, kTiers}, {62, 0}, {65, kTiers}});
    EXPECT_EQ(triolets(1), (std::vector<int>{0, 0, 1, 2, 3}));
    EXPECT_EQ(TicksPiste(1, 1), 1920);
    EXPECT_EQ(Hauteurs(1, 1, 3), (std::vector<int>{60, 64}));
    EXPECT_EQ(Hauteurs(1, 1, 4), (std::vector<int>{HauteurSilence}));
    EXPECT_EQ(Hauteurs(1, 1, 5), (std::vector<int>{62, 65}));

    ReinitialiserPartition();
    Construire({{60, 2.0 / 3}, {62, 2.0 / 3}, {64, 2.0 / 3}, {-1, 2.0}});
    EXPECT_EQ(Rythme(1, 1)[2], (TempsVu{320, 0, false, 3, false, false}));
}

TEST_F(ConstructionTempsTest, NothingIsBuiltWithoutNotes)
{
    Mesures(3);
    Temps(1, 2, 480, {{1, 5}});
    Construire({{-1, 2.0}, {-1, 1.0}});
    EXPECT_EQ(Partition.NbMesures, 3);
    EXPECT_EQ(Partition.Mesures[2]->NbTemps[1], 1);

    // MIDI note 0 is a note like any other: it gets its beat, where the drums play it.
    Construire({{-1, 2.0}, {0, 1.0}}, kPistePercussions);
    EXPECT_TRUE(EvtImportContientNotes());
    EXPECT_EQ(Hauteurs(kPistePercussions, 1, 2), (std::vector<int>{0}));
}

TEST_F(ConstructionTempsTest, MeasuresStopAtTheSongsLimit)
{
    Liste({{60, 4.0 * 1200}});
    const TResultatConstruction r = ConstruirePisteDepuisEvt();
    EXPECT_TRUE(r.Tronque);
    EXPECT_EQ(Partition.NbMesures, kNbMesuresMax);
    EXPECT_EQ(Rythme(1, kNbMesuresMax), (std::vector<TempsVu>{{1920, -2, false, 0, false, false}}));
    EXPECT_EQ(Hauteurs(1, kNbMesuresMax, 1), (std::vector<int>{HauteurLiaison}));
}

TEST_F(ConstructionTempsTest, AMeasureNeverTakesMoreBeatsThanAPartHolds)
{
    Mesures(1, 32, 4);
    ViderEvtImport();
    for (int i = 0; i < 128; ++i)
        AjouterEvtImport(60 + i % 12, 0.25);
    NbEvtImport -= 1;
    DureeTotaleImport = 32.0;
    const TResultatConstruction r = ConstruirePisteDepuisEvt();
    EXPECT_TRUE(r.Tronque);
    EXPECT_EQ(Partition.Mesures[1]->NbTemps[1], kNbTempsSaisis);
    EXPECT_EQ(Partition.NbMesures, 1);
}

TEST_F(ConstructionTempsTest, FirstPieceOfEveryGroupIsReported)
{
    Liste({{60, 0}, {64, 5.0}, {-1, 1.0}, {67, 2.0}});
    const TResultatConstruction r = ConstruirePisteDepuisEvt();
    EXPECT_FALSE(r.Tronque);
    EXPECT_EQ(r.PremierMorceau[2], std::make_pair(1, 1));
    EXPECT_EQ(r.PremierMorceau[3], std::make_pair(2, 2));
    EXPECT_EQ(r.PremierMorceau[4], std::make_pair(2, 3));
    EXPECT_EQ(r.PremierMorceau[1], std::make_pair(0, 0));
}

} // namespace
} // namespace midi_test

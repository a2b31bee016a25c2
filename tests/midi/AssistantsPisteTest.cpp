// The track assistants on small songs: transposing, automatic placement, re-barring and
// completing.
#include "FabriqueMidi.h"

#include "midi/AssistantsPiste.h"
#include "midi/Doigte.h"

#include <gtest/gtest.h>

namespace midi_test {
namespace {

class FenetreAttente : public IFenetrePrincipale {
public:
    std::vector<std::string> journal;
    void MontrerAttenteMidi(bool visible) override { journal.push_back(visible ? "show" : "hide"); }
};

class AssistantsPisteTest : public MidiTest {
protected:
    void SetUp() override
    {
        MidiTest::SetUp();
        PoidsDoigte = TPoidsDoigte{};
        InstallerFenetrePrincipale(&fenetre_);
    }
    void TearDown() override
    {
        InstallerFenetrePrincipale(nullptr);
        MidiTest::TearDown();
    }
    static TTemps& Noire(int m, std::initializer_list<std::pair<int, int>> frettes) { return Temps(1, m, 480, frettes); }
    FenetreAttente fenetre_;
};

using F = std::vector<int>;

TEST_F(AssistantsPisteTest, TransposingMovesNotesAcrossStringsOrDropsThem)
{
    Noire(1, {{1, 22}});
    TransposerPiste(2);
    EXPECT_EQ(Frettes(1, 1, 1), (F{24, -1, -1, -1, -1, -1}));
    TransposerPiste(1);
    EXPECT_TRUE(Partition.Mesures[1]->Temps[1][1].Silence);
    EXPECT_EQ(Frettes(1, 1, 1), (F{-1, -1, -1, -1, -1, -1}));
}

TEST_F(AssistantsPisteTest, TransposingResetsStringBoundFieldsAndKeepsBeatFields)
{
    TTemps& tp = Noire(1, {{1, 3}, {2, 5}});
    tp.Notes[1].Effet = 1;
    tp.Notes[2].Effet = 5;
    tp.Notes[2].ValeurBend = 2.0;
    tp.Notes[1].Nuance = 3;
    tp.Notes[1].FretteGrace = 2;
    tp.Texte = "intro";
    tp.Brush = 2;
    TransposerPiste(0);
    const TTemps& apres = Partition.Mesures[1]->Temps[1][1];
    EXPECT_EQ(apres.Texte, "intro");
    EXPECT_EQ(apres.Brush, 2);
    for (int s = 1; s <= 6; ++s) {
        EXPECT_EQ(apres.Notes[s].Effet, 0) << s;
        EXPECT_EQ(apres.Notes[s].ValeurBend, 1.0) << s;
        EXPECT_EQ(apres.Notes[s].Nuance, 6) << s;
        EXPECT_EQ(apres.Notes[s].FretteGrace, -1) << s;
    }
}

TEST_F(AssistantsPisteTest, ANoteTransposedBelowMidiNoteZeroNeverReadsAsARest)
{
    // String 1 tuned down to note 11: an octave lower it would be pitch -1, the mark of a rest,
    // and the whole chord would be lost.
    Partition.Accordage[1][1] = 11;
    Noire(1, {{1, 0}, {2, 0}});
    TransposerPiste(-12);
    const TTemps& tp = Partition.Mesures[1]->Temps[1][1];
    EXPECT_FALSE(tp.Silence);
    EXPECT_FALSE(tp.Lie);
    int notes = 0;
    for (int s = 1; s <= 6; ++s)
        if (tp.Notes[s].Frette >= 0) {
            ++notes;
            EXPECT_EQ(tp.Notes[s].Frette + Partition.Accordage[1][s], 47) << s;
        }
    EXPECT_EQ(notes, 1);
}

TEST_F(AssistantsPisteTest, AutomaticPlacementOnlyInsideItsRange)
{
    Mesures(2);
    Noire(1, {{2, 5}}).Notes[2].Effet = 1;
    Noire(2, {{2, 5}}).Notes[2].Effet = 5;
    PlacerDoigtsAuto(2, 2);
    EXPECT_EQ(Partition.Mesures[1]->Temps[1][1].Notes[2].Effet, 1);
    EXPECT_EQ(Frettes(1, 1, 1), (F{-1, 5, -1, -1, -1, -1}));
    EXPECT_EQ(Partition.Mesures[2]->Temps[1][1].Notes[2].Effet, 0);

    const TMesure avant = *Partition.Mesures[2];
    fenetre_.journal.clear();
    PlacerDoigtsAuto(3, 2);
    EXPECT_EQ(fenetre_.journal, (std::vector<std::string>{"show", "hide"}));
    EXPECT_EQ(Frettes(1, 2, 1), (F{-1, 5, -1, -1, -1, -1}));
    EXPECT_EQ(Partition.Mesures[2]->Temps[1][1].Notes, avant.Temps[1][1].Notes);
}

TEST_F(AssistantsPisteTest, ReBarringMovesOverflowIntoTheNextMeasure)
{
    Mesures(2);
    for (int i = 0; i < 5; ++i) {
        TTemps& tp = Noire(1, {{1, i}});
        tp.Notes[1].Effet = static_cast<uint8_t>(i % 3);
    }
    for (int i = 5; i < 8; ++i)
        Noire(2, {{1, i}});
    EXPECT_TRUE(RedecouperPiste());
    ASSERT_EQ(Partition.NbMesures, 2);
    ASSERT_EQ(Partition.Mesures[1]->NbTemps[1], 4);
    ASSERT_EQ(Partition.Mesures[2]->NbTemps[1], 4);
    for (int i = 0; i < 8; ++i) {
        const TTemps& tp = Partition.Mesures[1 + i / 4]->Temps[1][1 + i % 4];
        EXPECT_EQ(tp.Notes[1].Frette, i) << i;
        EXPECT_EQ(tp.Duree, 480) << i;
        if (i < 5) {
            EXPECT_EQ(tp.Notes[1].Effet, i % 3) << i;
        }
    }
}

TEST_F(AssistantsPisteTest, ReBarringMergesRestsAndTiesNotesAcrossTheBarLine)
{
    Mesures(2);
    Silence(1, 1, 480);
    Silence(1, 1, 480);
    Noire(1, {{3, 2}});
    TTemps& blanche = Temps(1, 1, 960, {{2, 1}});
    blanche.CodeDuree = -1;
    Noire(2, {{1, 0}});
    EXPECT_TRUE(RedecouperPiste());
    EXPECT_EQ(Rythme(1, 1), (std::vector<TempsVu>{{960, -1, false, 0, true, false}, {480, 0, false, 0, false, false},
                                                 {480, 0, false, 0, false, false}}));
    EXPECT_EQ(Frettes(1, 1, 3), (F{-1, 1, -1, -1, -1, -1}));
    EXPECT_EQ(Rythme(1, 2).front(), (TempsVu{480, 0, false, 0, false, true}));
    EXPECT_EQ(Frettes(1, 2, 2), (F{0, -1, -1, -1, -1, -1}));
}

TEST_F(AssistantsPisteTest, ReBarringAppendsOrRemovesMeasures)
{
    // More measures needed: appended with the last signature, the other tracks empty there.
    Mesures(1, 3, 4);
    Temps(2, 1, 480, {{1, 7}});
    for (int i = 0; i < 5; ++i)
        Noire(1, {{1, i}});
    EXPECT_TRUE(RedecouperPiste());
    ASSERT_EQ(Partition.NbMesures, 2);
    EXPECT_EQ(Partition.Mesures[2]->Numerateur, 3);
    EXPECT_EQ(Partition.Mesures[2]->NbTemps[2], 0);
    EXPECT_EQ(Partition.Mesures[1]->NbTemps[2], 1);
    EXPECT_EQ(TicksPiste(1, 2), 1440); // two quarters and the padding rest

    // Fewer: the measures after keep the other tracks, the track is empty there, and trailing
    // measures empty on every track go.
    ReinitialiserPartition();
    Mesures(4);
    Noire(1, {{1, 1}});
    Noire(2, {{1, 2}});
    Temps(2, 3, 480, {{1, 9}});
    Partition.Mesures[3]->RenvoiFin = true;
    Partition.Mesures[3]->NbRenvois = 2;
    EXPECT_TRUE(RedecouperPiste());
    ASSERT_EQ(Partition.NbMesures, 3);
    EXPECT_EQ(Partition.Mesures[1]->NbTemps[1], 3); // two quarters, then the padding rest
    EXPECT_EQ(TicksPiste(1, 1), 1920);
    EXPECT_EQ(Partition.Mesures[3]->NbTemps[1], 0);
    EXPECT_EQ(Partition.Mesures[3]->NbTemps[2], 1);
    EXPECT_TRUE(Partition.Mesures[3]->RenvoiFin);
    EXPECT_EQ(Partition.Mesures[3]->NbRenvois, 2);
}

TEST_F(AssistantsPisteTest, ReBarringKeepsAPartThatEntersLateInPlace)
{
    // The track has nothing in measures 1 and 2: its notes of measure 3 stay in measure 3.
    Mesures(3);
    Temps(2, 1, 1920, {{1, 0}});
    Noire(3, {{1, 5}});
    Noire(3, {{1, 7}});
    EXPECT_TRUE(RedecouperPiste());
    ASSERT_EQ(Partition.NbMesures, 3);
    EXPECT_EQ(Rythme(1, 1), (std::vector<TempsVu>{{1920, -2, false, 0, true, false}}));
    EXPECT_EQ(Rythme(1, 2), (std::vector<TempsVu>{{1920, -2, false, 0, true, false}}));
    EXPECT_EQ(Frettes(1, 3, 1)[0], 5);
    EXPECT_EQ(Frettes(1, 3, 2)[0], 7);
}

TEST_F(AssistantsPisteTest, ReBarringKeepsSignatureChanges)
{
    Mesures(3);
    Signature(2, 3, 4);
    Signature(3, 3, 4);
    for (int i = 0; i < 10; ++i)
        Noire(1 + (i < 4 ? 0 : i < 7 ? 1 : 2), {{1, i}});
    EXPECT_TRUE(RedecouperPiste());
    ASSERT_EQ(Partition.NbMesures, 3);
    EXPECT_EQ(Partition.Mesures[1]->Numerateur, 4);
    EXPECT_EQ(Partition.Mesures[2]->Numerateur, 3);
    EXPECT_EQ(Partition.Mesures[3]->Numerateur, 3);
    EXPECT_EQ(Partition.Mesures[3]->NbTemps[1], 3);
}

TEST_F(AssistantsPisteTest, ReBarringKeepsTripletsAlsoOfChordsAndAtTheEnd)
{
    Mesures(1);
    auto triolet = [](int pos, std::initializer_list<std::pair<int, int>> frettes) {
        TTemps& tp = Temps(1, 1, 160, frettes);
        tp.CodeDuree = 1;
        tp.Triolet = true;
        tp.PosTriolet = static_cast<int8_t>(pos);
    };
    triolet(1, {{1, 0}});
    triolet(2, {{1, 1}});
    triolet(3, {{1, 2}});
    triolet(1, {{1, 0}, {2, 1}});
    triolet(2, {{1, 1}, {2, 1}});
    triolet(3, {{1, 3}, {2, 1}});
    Temps(1, 1, 960, {{3, 2}}).CodeDuree = -1;
    EXPECT_TRUE(RedecouperPiste());
    const auto r = Rythme(1, 1);
    ASSERT_EQ(r.size(), 7u);
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(r[static_cast<std::size_t>(i)], (TempsVu{160, 1, false, i % 3 + 1, false, false})) << i;
    EXPECT_EQ(Frettes(1, 1, 6), (F{3, 1, -1, -1, -1, -1}));

    // The same three single notes closing the track.
    ReinitialiserPartition();
    Temps(1, 1, 1440, {{1, 5}}).CodeDuree = -1;
    triolet(1, {{1, 0}});
    triolet(2, {{1, 1}});
    triolet(3, {{1, 2}});
    EXPECT_TRUE(RedecouperPiste());
    EXPECT_EQ(Rythme(1, 1).back(), (TempsVu{160, 1, false, 3, false, false}));
}

TEST_F(AssistantsPisteTest, ReBarringLosesNothingThatRestsAndTiesCarry)
{
    Mesures(2);
    Noire(1, {{1, 3}});
    TTemps& repos = Silence(1, 1, 480);
    auto mix = std::make_shared<cTableMixEvent>();
    mix->Tempo = 90;
    repos.TableMix = mix;
    Silence(1, 1, 480);
    Noire(1, {{1, 5}});
    TTemps& lie = Temps(1, 2, 480);
    lie.Lie = true;
    lie.Texte = "let it sound";
    Temps(1, 2, 1440, {{2, 2}});
    EXPECT_TRUE(RedecouperPiste());
    // The rest with the tempo change keeps it, and the plain rest after it merges into it.
    const TTemps& r2 = Partition.Mesures[1]->Temps[1][2];
    EXPECT_TRUE(r2.Silence);
    ASSERT_TRUE(r2.TableMix);
    EXPECT_EQ(r2.TableMix->Tempo, 90);
    EXPECT_EQ(r2.Duree, 960);
    const TTemps& l = Partition.Mesures[2]->Temps[1][1];
    EXPECT_TRUE(l.Lie);
    EXPECT_EQ(l.Texte, "let it sound");
    EXPECT_EQ(Frettes(1, 2, 2), (F{-1, 2, -1, -1, -1, -1}));
}

TEST_F(AssistantsPisteTest, ReBarringABeatWithoutFretsKeepsEveryLengthAndContent)
{
    Mesures(1);
    Noire(1, {{1, 1}});
    Temps(1, 1, 480).Texte = "empty";
    Noire(1, {{1, 3}});
    Noire(1, {{1, 4}});
    EXPECT_TRUE(RedecouperPiste());
    ASSERT_EQ(Partition.Mesures[1]->NbTemps[1], 4);
    EXPECT_EQ(TicksPiste(1, 1), 1920);
    EXPECT_EQ(Frettes(1, 1, 1)[0], 1);
    EXPECT_EQ(Partition.Mesures[1]->Temps[1][2].Texte, "empty");
    EXPECT_FALSE(Partition.Mesures[1]->Temps[1][2].Silence);
    EXPECT_EQ(Frettes(1, 1, 3)[0], 3);
    EXPECT_EQ(Frettes(1, 1, 4)[0], 4);
}

TEST_F(AssistantsPisteTest, ReBarringATrackWithoutNotesChangesNothing)
{
    Mesures(2);
    Silence(1, 1, 480);
    Temps(2, 2, 480, {{1, 1}});
    EXPECT_TRUE(RedecouperPiste());
    EXPECT_EQ(Partition.NbMesures, 2);
    EXPECT_EQ(Rythme(1, 1), (std::vector<TempsVu>{{480, 0, false, 0, true, false}}));
}

TEST_F(AssistantsPisteTest, ReBarringThatWouldNotFitLeavesTheSongAsItWas)
{
    Mesures(kNbMesuresMax);
    for (int i = 0; i < 5; ++i)
        Noire(1, {{1, i}});
    Noire(kNbMesuresMax, {{1, 9}});
    Noire(kNbMesuresMax, {{1, 9}});
    Noire(kNbMesuresMax, {{1, 9}});
    Noire(kNbMesuresMax, {{1, 9}});
    Partition.MesureCourante = 7;
    EXPECT_FALSE(RedecouperPiste());
    EXPECT_EQ(Partition.NbMesures, kNbMesuresMax);
    EXPECT_EQ(Partition.MesureCourante, 7);
    EXPECT_EQ(Partition.Mesures[1]->NbTemps[1], 5);
    EXPECT_EQ(Partition.Mesures[kNbMesuresMax]->NbTemps[1], 4);
    EXPECT_EQ(fenetre_.journal.back(), "hide");
}

TEST_F(AssistantsPisteTest, CompletingEveryMeasureOfTheTrack)
{
    Mesures(2);
    for (int i = 0; i < 3; ++i)
        Noire(1, {{1, 0}});
    Noire(2, {{1, 0}});
    Silence(1, 2, 480);
    CompleterReduirePiste();
    EXPECT_EQ(Rythme(1, 1).back(), (TempsVu{480, 0, false, 0, true, false}));
    EXPECT_EQ(Rythme(1, 2), (std::vector<TempsVu>{{480, 0, false, 0, false, false}, {960, -1, false, 0, true, false},
                                                 {480, 0, false, 0, true, false}}));
}

} // namespace
} // namespace midi_test

// Completing a measure with rests.
#include "FabriqueMidi.h"

#include "midi/CompleterMesure.h"

#include <gtest/gtest.h>

namespace midi_test {
namespace {

class CompleterMesureTest : public MidiTest {};

TempsVu Repos(int ticks, int code) { return {ticks, code, false, 0, true, false}; }
TempsVu Note(int ticks, int code, bool pointee = false) { return {ticks, code, pointee, 0, false, false}; }

TEST_F(CompleterMesureTest, Cases)
{
    struct Cas {
        const char* nom;
        int num, den;
        std::function<void()> remplir;
        std::vector<TempsVu> apres;
    };
    const Cas cas[] = {
        {"empty 4/4", 4, 4, [] {}, {Repos(1920, -2)}},
        {"empty 3/4", 3, 4, [] {}, {Repos(960, -1), Repos(480, 0)}},
        {"empty 6/8", 6, 8, [] {}, {Repos(960, -1), Repos(480, 0)}},
        {"dotted quarter", 4, 4, [] { Temps(1, 1, 720).CodeDuree = 0; Partition.Mesures[1]->Temps[1][1].Pointee = true; },
         {Note(720, 0, true), Repos(960, -1), Repos(240, 1)}},
        {"quarter note then quarter rest: the rest goes first", 4, 4, [] { Temps(1, 1, 480, {{1, 3}}); Silence(1, 1, 480); },
         {Note(480, 0), Repos(960, -1), Repos(480, 0)}},
        {"quarter rest then quarter note", 4, 4, [] { Silence(1, 1, 480); Temps(1, 1, 480, {{1, 3}}); },
         {Repos(480, 0), Note(480, 0), Repos(960, -1)}},
        {"exactly full stays, closing rests included", 4, 4, [] { Temps(1, 1, 960, {{1, 3}}).CodeDuree = -1; Silence(1, 1, 960).CodeDuree = -1; },
         {Note(960, -1), Repos(960, -1)}},
        {"too full only loses its closing rests", 4, 4, [] {
             for (int i = 0; i < 4; ++i) Temps(1, 1, 480, {{1, 3}});
             Silence(1, 1, 480); Silence(1, 1, 480);
         }, {Note(480, 0), Note(480, 0), Note(480, 0), Note(480, 0)}},
        {"32/4: whole rests as often as they fit", 32, 4, [] {}, std::vector<TempsVu>(8, Repos(1920, -2))},
    };
    for (const Cas& c : cas) {
        ReinitialiserPartition();
        Signature(1, static_cast<uint8_t>(c.num), static_cast<uint8_t>(c.den));
        c.remplir();
        CompleterMesureParSilences(1, 1);
        EXPECT_EQ(Rythme(1, 1), c.apres) << c.nom;
        if (std::string(c.nom).rfind("exactly full", 0) == 0)
            continue; // untouched, free slot included
        const TTemps& libre = Partition.Mesures[1]->Temps[1][Partition.Mesures[1]->NbTemps[1] + 1];
        EXPECT_FALSE(libre.Silence) << c.nom;
        EXPECT_EQ(libre.Duree, 480) << c.nom;
    }
}

TEST_F(CompleterMesureTest, ATripletRemainderStopsAtTheSixtyFourth)
{
    // 160 ticks missing: a 16th and a 64th rest, then nothing below a 64th.
    for (int i = 0; i < 11; ++i)
        Temps(1, 1, 160);
    CompleterMesureParSilences(1, 1);
    const auto r = Rythme(1, 1);
    ASSERT_EQ(r.size(), 13u);
    EXPECT_EQ(r[11], Repos(120, 2));
    EXPECT_EQ(r[12], Repos(30, 4));
    for (const TempsVu& t : r)
        EXPECT_GT(t.ticks, 0);
}

TEST_F(CompleterMesureTest, APartNeverPassesItsBeatLimit)
{
    Signature(1, 32, 1);
    for (int i = 0; i < 63; ++i)
        Temps(1, 1, 30, {{1, 0}});
    CompleterMesureParSilences(1, 1);
    EXPECT_EQ(Partition.Mesures[1]->NbTemps[1], kNbTempsSaisis);
}

TEST_F(CompleterMesureTest, AClosingRestWithAMixTableChangeOrATextStays)
{
    Temps(1, 1, 480, {{1, 3}});
    TTemps& repos = Silence(1, 1, 480);
    auto mix = std::make_shared<cTableMixEvent>();
    mix->Tempo = 90;
    repos.TableMix = mix;
    CompleterMesureParSilences(1, 1);
    EXPECT_EQ(Rythme(1, 1), (std::vector<TempsVu>{Note(480, 0), Repos(480, 0), Repos(960, -1)}));
    ASSERT_TRUE(Partition.Mesures[1]->Temps[1][2].TableMix);
    EXPECT_EQ(Partition.Mesures[1]->Temps[1][2].TableMix->Tempo, 90);

    ReinitialiserPartition();
    Temps(1, 1, 480, {{1, 3}});
    Silence(1, 1, 480).Texte = "fine";
    Silence(1, 1, 480);
    CompleterMesureParSilences(1, 1);
    EXPECT_EQ(Rythme(1, 1), (std::vector<TempsVu>{Note(480, 0), Repos(480, 0), Repos(960, -1)}));
    EXPECT_EQ(Partition.Mesures[1]->Temps[1][2].Texte, "fine");
}

} // namespace
} // namespace midi_test

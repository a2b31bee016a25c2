#include "midi/uMIDIEffets.h"

#include "ChantierMidi.h"
#include "document/TableMix.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

// "tick:status:d1:d2" for every event, in time order.
std::string Liste(const cMIDIPile& pile)
{
    std::ostringstream s;
    for (const cEvtMIDIPile& e : pile.Evenements()) {
        if (s.tellp() > 0)
            s << ' ';
        s << e.Temps << ':' << std::hex << std::uppercase << int(e.Statut + e.Canal) << std::dec << ':'
          << int(e.Donnee1) << ':' << int(e.Donnee2);
        if (e.Statut == StatutMeta)
            s << ':' << e.Valeur;
    }
    return s.str();
}

// Only the pitch-wheel values with their ticks: "tick=v".
std::string Wheels(const cMIDIPile& pile)
{
    std::ostringstream s;
    for (const cEvtMIDIPile& e : pile.Evenements())
        if (e.Statut == StatutPitchWheel) {
            if (s.tellp() > 0)
                s << ' ';
            s << e.Temps << '=' << int(e.Donnee2);
        }
    return s.str();
}

class Effets : public midi_test::MidiTest {};

} // namespace

TEST_F(Effets, SlidesMoveOneSemitonePerStepOverTheSecondHalf)
{
    struct {
        int frette, suivante;
        bool descendant;
        const char* evenements;
    } cas[] = {
        {5, 7, false, "0:B1:6:8 240:E1:0:72 480:E1:0:64"},
        {5, 6, false, ""}, // next fret adjacent: not even the range event
        {5, -1, false, "0:B1:6:8 240:E1:0:72 320:E1:0:80 400:E1:0:88 480:E1:0:64"}, // towards 9
        {2, -1, true, "0:B1:6:8 240:E1:0:56 480:E1:0:64"},                         // towards 0
        {7, 100, true, "0:B1:6:8 240:E1:0:56 280:E1:0:48 320:E1:0:40 360:E1:0:32 400:E1:0:24 440:E1:0:16 480:E1:0:64"},
        {100, 3, false, "0:B1:6:8 240:E1:0:72 360:E1:0:80 480:E1:0:64"}, // a dead note slides from the open string
    };
    for (const auto& c : cas) {
        cMIDIPile pile;
        CourbeSlide(pile, 1, 0, 480, c.frette, c.suivante, c.descendant, false);
        EXPECT_EQ(Liste(pile), c.evenements) << c.frette << " -> " << c.suivante;
    }
}

TEST_F(Effets, BendsRiseInEighthsOfASemitoneAndClampAtTheStop)
{
    cMIDIPile large;
    CourbeBend(large, 3, 1000, 480, 1.0, false, false);
    EXPECT_EQ(Wheels(large), "1015=65 1030=66 1045=67 1060=68 1075=69 1090=70 1105=71 1120=72 1135=73 1150=74 "
                             "1165=75 1180=76 1195=77 1210=78 1225=79 1240=80 1480=64");
    EXPECT_EQ(Configuration.EchelleBend, 3);

    cMIDIPile etroit;
    CourbeBend(etroit, 3, 0, 480, 1.0, false, true);
    EXPECT_EQ(Wheels(etroit), "15=68 30=72 45=76 60=80 75=84 90=88 105=92 120=96 135=100 150=104 165=108 180=112 "
                              "195=116 210=120 225=124 240=127 480=64");
    EXPECT_EQ(Liste(etroit).substr(0, 8), "0:B3:6:2");
    EXPECT_EQ(Configuration.EchelleBend, 1);

    cMIDIPile retour;
    CourbeBend(retour, 3, 0, 480, 0.5, true, false);
    // One semitone in 8 steps of 20 ticks, held a third, back down in 8 steps.
    EXPECT_EQ(Wheels(retour), "20=65 40=66 60=67 80=68 100=69 120=70 140=71 160=72 "
                              "340=71 360=70 380=69 400=68 420=67 440=66 460=65 480=64 480=64");

    // An amount of 0 from a damaged file: no curve, no division by zero.
    cMIDIPile nul;
    CourbeBend(nul, 3, 0, 480, 0.0, true, false);
    EXPECT_TRUE(nul.EstVide());
}

TEST_F(Effets, VibratoAndTremoloBarSwingByPeriods)
{
    cMIDIPile croche;
    CourbeVibrato(croche, 0, 0, 240, false, false);
    EXPECT_EQ(Liste(croche), "0:B0:6:8 65:E0:0:66 130:E0:0:64");

    cMIDIPile noire;
    CourbeVibrato(noire, 0, 0, 480, false, false);
    EXPECT_EQ(Wheels(noire), "65=66 130=64 195=66 260=64 325=66 390=64");

    cMIDIPile courte;
    CourbeVibrato(courte, 0, 0, 120, false, false);
    EXPECT_EQ(Liste(courte), "0:B0:6:8");

    cMIDIPile barre;
    CourbeVibrato(barre, 0, 0, 480, true, false);
    EXPECT_EQ(Wheels(barre), "100=68 200=60 300=68 400=60 480=64");
}

TEST_F(Effets, VibratoStrokeDipsThenComesBack)
{
    cMIDIPile pile;
    CourbeCoupDeVibrato(pile, 0, 0, 480, 1.0, false);
    EXPECT_EQ(Wheels(pile), "30=62 60=60 90=58 120=56 210=57 240=58 270=59 300=60 330=61 360=62 390=63 420=64 480=64");
}

TEST_F(Effets, FadeInSwellsToTheTrackVolume)
{
    cMIDIPile pile;
    pile.Volume = 100;
    CourbeFadeIn(pile, 2, 0, 480);
    EXPECT_EQ(Liste(pile), "0:B2:7:7 24:B2:7:13 48:B2:7:20 72:B2:7:27 96:B2:7:33 120:B2:7:40 144:B2:7:47 "
                           "168:B2:7:53 192:B2:7:60 216:B2:7:67 240:B2:7:73 264:B2:7:80 288:B2:7:87 "
                           "312:B2:7:93 336:B2:7:100");
}

TEST_F(Effets, MixTableRampsGoOnBothChannelsOnceOnThePercussionTrack)
{
    cTableMixEvent table;
    table.Volume = 60;
    table.TransVolume = 1;
    table.Instrument = 30;

    cMIDIPile pile;
    pile.Volume = 100;
    GenererTableMix(table, pile, 0, 1, 960);
    EXPECT_EQ(Liste(pile), "960:C0:30:0 960:C1:30:0 1080:B0:7:90 1080:B1:7:90 1200:B0:7:80 1200:B1:7:80 "
                           "1320:B0:7:70 1320:B1:7:70 1440:B0:7:60 1440:B1:7:60");
    EXPECT_EQ(pile.Volume, 60);

    table.TransVolume = 0;
    table.Instrument = -1;
    table.Pan = 0;
    cMIDIPile batterie;
    batterie.Volume = 100;
    batterie.Pan = 64;
    GenererTableMix(table, batterie, 9, 9, 0);
    EXPECT_EQ(Liste(batterie), "0:B9:7:60 0:B9:10:0");
}

TEST_F(Effets, TempoChangesGoIntoTheTrackAndTheTempoListButNotInASpeedTrainerPass)
{
    cTableMixEvent table;
    table.Tempo = 80;
    table.TransTempo = 1;

    cMIDIPile pile;
    pile.Tempo = 120;
    EtatLecture.Mode = ModeLectureDebut;
    GenererTableMix(table, pile, 0, 1, 480);
    EXPECT_EQ(Liste(pile), "600:FF:81:3:110 720:FF:81:3:100 840:FF:81:3:90 960:FF:81:3:80");
    EXPECT_EQ(Liste(PileTempo), Liste(pile));
    EXPECT_EQ(pile.Tempo, 80);

    cMIDIPile passe;
    passe.Tempo = 120;
    PileTempo.Vider();
    EtatLecture.Mode = ModeLectureSpeedTrainer;
    GenererTableMix(table, passe, 0, 1, 480);
    EXPECT_TRUE(passe.EstVide());
    EXPECT_TRUE(PileTempo.EstVide());
    EXPECT_EQ(passe.Tempo, 120);

    // A tempo of 0 from a damaged file never reaches the tempo list as 0.
    cTableMixEvent zero;
    zero.Tempo = 0;
    cMIDIPile p0;
    p0.Tempo = 120;
    EtatLecture.Mode = ModeLectureExport;
    GenererTableMix(zero, p0, 0, 1, 0);
    EXPECT_EQ(Liste(p0), "0:FF:81:3:1");
}

TEST_F(Effets, NextFretAndLetRingLengthWalkTheSongAndIgnoreRests)
{
    Mesures(3);
    Temps(1, 1, 480, {{2, 5}});
    Temps(1, 1, 480).Lie = true;
    TTemps& repos = Silence(1, 1, 960);
    repos.Notes[2].Frette = 9; // stale fret of a rest: never heard
    Temps(1, 2, 1920, {{2, 7}});
    Temps(1, 3, 1920, {{3, 1}});

    EXPECT_EQ(FretteSuivanteSurCorde(1, 1, 1, 2), -1); // the tie is skipped, the rest has no note
    EXPECT_EQ(FretteSuivanteSurCorde(1, 1, 3, 2), 7);
    EXPECT_EQ(FretteSuivanteSurCorde(1, 2, 1, 2), -1);
    EXPECT_EQ(FretteSuivanteSurCorde(1, 3, 1, 3), -1); // end of the song

    // The note on string 2 rings through the tie and the rest until the next note there.
    EXPECT_EQ(DureeResonance(1, 1, 1, 2), 480 + 480 + 960);
    // From measure 2 it would ring into measure 3, but stops once past a measure's length.
    EXPECT_EQ(DureeResonance(1, 2, 1, 2), 1920 + 1920);
}

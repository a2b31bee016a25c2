// Exported and played files read back by mido, a MIDI reader that shares nothing with the
// writer, and compared event by event with listings checked by hand against the rules.
#include "midi/EcrireMidi.h"

#include "ChantierMidi.h"
#include "document/TableMix.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sys/wait.h>
#include <fstream>
#include <iterator>

using namespace midi_test;

namespace {

constexpr const char* Python = "/usr/bin/python3";

bool MidoDisponible()
{
    const std::string commande = std::string(Python) + " -c 'import mido' > /dev/null 2>&1";
    return std::system(commande.c_str()) == 0;
}

std::string Script() { return std::string(LYRX_SOURCE_DIR) + "/tests/midi/verifier_midi.py"; }

class Mido : public MidiTest {
protected:
    void SetUp() override
    {
        if (!MidoDisponible())
            GTEST_SKIP() << Python << " cannot import mido";
        MidiTest::SetUp();
    }

    // Writes the song in `mode` and has the script compare it with data/<nom>.txt.
    void Verifier(const std::string& nom, TModeLecture mode)
    {
        const auto fichier = (DossierTemporaire() / (nom + ".mid")).string();
        if (mode == ModeLectureExport) {
            ASSERT_TRUE(ExporterFichierMidi(fichier));
        } else {
            ConstruireOrdreLecture(mode == ModeLectureDebut ? 1 : Partition.MesureCourante, Partition.NbMesures,
                                   Configuration.PlayRepeats);
            ASSERT_TRUE(EcrireFichierMidi(fichier, mode));
        }
        const std::string attendu = std::string(LYRX_TEST_DATA_DIR) + "/" + nom + ".txt";
        const std::string sortie = fichier + ".diff";
        const std::string commande = std::string(Python) + " '" + Script() + "' '" + fichier + "' '" + attendu +
                                     "' > '" + sortie + "' 2>&1";
        const int code = std::system(commande.c_str());
        std::ifstream diff(sortie);
        EXPECT_EQ(code, 0) << nom << ":\n" << std::string(std::istreambuf_iterator<char>(diff), {});
    }
};

} // namespace

TEST_F(Mido, TechniquesAndMixTableExport)
{
    Partition.NomPiste[1] = "Lead";
    Partition.NomPiste[8] = "Drums";
    Partition.Instrument[1] = 29;
    Mesures(2);

    TTemps& bend = Temps(1, 1, 480, {{1, 7}, {3, 5}});
    bend.Notes[1].Effet = 5;      // bend of a semitone
    bend.Notes[1].ValeurBend = 0.5;
    bend.Notes[3].Effet = 1;      // hammer-on: the next note on string 3 is softer
    TTemps& slide = Temps(1, 1, 480, {{1, 5}, {3, 7}});
    slide.Notes[1].Effet = 3;     // slide up, no next note on string 1: towards fret 9
    slide.Notes[1].Nuance = 8;
    TTemps& grace = Temps(1, 1, 240, {{2, 10}});
    grace.Notes[2].FretteGrace = 8;
    grace.Notes[2].NuanceGrace = 5;
    grace.Notes[2].DureeGrace = 2;
    Temps(1, 1, 720, {{2, 100}, {4, 100}}); // dead notes
    Temps(1, 2, 960, {{1, 12}}).Effet = 8; // natural harmonic
    Temps(1, 2, 960, {{6, 3}}).Effet = 3;  // vibrato stroke
    Partition.Mesures[2]->Temps[1][2].ValeurCoupVib = 1.5;

    auto mix = std::make_shared<cTableMixEvent>();
    mix->Volume = 60;
    mix->TransVolume = 1;
    mix->Tempo = 100;
    Temps(8, 1, 960, {{1, 36}, {2, 42}}).TableMix = mix;
    Silence(8, 1, 960);
    Temps(8, 2, 1920, {{1, 49}});

    Verifier("techniques", ModeLectureExport);
}

TEST_F(Mido, PlaybackWithCountInStrumAndTwelveStrings)
{
    Mesures(2, 3, 4);
    Partition.NomPiste[2] = "Douze";
    Partition.DouzeCordes[2] = true;
    Partition.Volume[2] = 110;
    Configuration.Metronome = true;

    TTemps& haut = Temps(2, 1, 1440, {{1, 0}, {2, 1}, {3, 0}, {4, 2}, {5, 3}});
    haut.Brush = 1;
    haut.DureeBrush = 8;
    Temps(2, 2, 480, {{3, 2}}).Notes[3].Effet = 7; // let ring over the rests
    Silence(2, 2, 480);
    Silence(2, 2, 480);

    Verifier("decompte", ModeLectureDebut);
}

TEST_F(Mido, RepeatsSignaturesAndSwingExport)
{
    Partition.NomPiste[1] = "Swing";
    Partition.TripletFeel = 1;
    Partition.Tempo = 90;
    Mesures(3);
    Signature(2, 2, 4);
    Partition.Mesures[1]->RenvoiDebut = true;
    Partition.Mesures[2]->RenvoiFin = true;
    Partition.Mesures[2]->NbRenvois = 1;
    for (int b = 0; b < 4; ++b)
        Temps(1, 1, b < 2 ? 240 : 720, {{2, b}});
    Temps(1, 2, 240, {{3, 0}});
    Temps(1, 2, 240, {{3, 2}});
    Temps(1, 2, 480, {{3, 4}});
    Temps(1, 3, 1920, {{1, 0}});

    Verifier("repetitions", ModeLectureExport);
}

TEST_F(Mido, DamagedValuesStillGiveAFileEveryReaderTakes)
{
    Configuration.Metronome = true;
    Configuration.MetronomeVolume = 300;
    Partition.Accordage[1][1] = 127;
    Partition.Capo[1] = 12;
    Partition.DouzeCordes[1] = true;
    Partition.Tempo = 0;
    Partition.Volume[1] = 500;
    Mesures(1, 4, 0);
    TTemps& a = Temps(1, 1, 480, {{1, 24}, {3, 24}, {4, 0}});
    a.Notes[3].Nuance = 0;
    a.Notes[4].Nuance = 255;
    a.Brush = 2;
    a.DureeBrush = 0;
    a.Effet = 9;
    TTemps& b = Temps(1, 1, 480, {{2, 3}, {3, 5}});
    b.Notes[2].Effet = 5;
    b.Notes[2].ValeurBend = 0.0;
    b.Notes[3].Effet = 3;
    b.Notes[3].FretteGrace = 120;
    b.Notes[3].DureeGrace = 9;
    auto mix = std::make_shared<cTableMixEvent>();
    mix->Tempo = 0;
    mix->TransTempo = -3;
    mix->Volume = 127;
    mix->TransVolume = 8;
    b.TableMix = mix;

    const auto fichier = (DossierTemporaire() / "abime.mid").string();
    ConstruireOrdreLecture(1, 1, true);
    ASSERT_TRUE(EcrireFichierMidi(fichier, ModeLectureDebut));
    const std::string commande = std::string(Python) + " '" + Script() + "' --lister '" + fichier + "' > /dev/null 2>&1";
    EXPECT_EQ(std::system(commande.c_str()), 0);
}

TEST_F(Mido, TheCheckRefusesADataByteOfOneHundredTwentyEight)
{
    // What every "no invalid byte" test above relies on.
    const auto fichier = (DossierTemporaire() / "invalide.mid").string();
    {
        std::ofstream f(fichier, std::ios::binary);
        const std::vector<uint8_t> o = DepuisHex("4D 54 68 64 00 00 00 06 00 01 00 01 01 E0 "
                                                 "4D 54 72 6B 00 00 00 08 00 90 80 40 00 FF 2F 00");
        f.write(reinterpret_cast<const char*>(o.data()), std::streamsize(o.size()));
    }
    const std::string commande = std::string(Python) + " '" + Script() + "' '" + fichier + "' '" +
                                 LYRX_TEST_DATA_DIR + "/techniques.txt' > /dev/null 2>&1";
    const int code = std::system(commande.c_str());
    ASSERT_TRUE(WIFEXITED(code));
    EXPECT_EQ(WEXITSTATUS(code), 2);
}

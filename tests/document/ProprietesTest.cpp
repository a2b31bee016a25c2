#include "document/Proprietes.h"

#include "document/Routines.h"
#include "document/Variable.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class Proprietes : public ::testing::Test {
protected:
    void SetUp() override
    {
        ReinitialiserPartition();
        ProprietesTempo = TProprietesTempo{};
    }
    void TearDown() override
    {
        ReinitialiserPartition();
        ProprietesTempo = TProprietesTempo{};
    }
};

} // namespace

TEST_F(Proprietes, SongToWorkingCopyAndBackIsLossless)
{
    Partition.Titre = "Blues en mi";
    Partition.Auteur = "Moi";
    Partition.Commentaire = "Rien";
    Partition.Tempo = 96;
    Partition.TripletFeel = 1;
    Partition.ModeSolo = true;
    Partition.PisteSolo = 3;
    for (int t = 1; t <= 8; ++t) {
        Partition.NomPiste[t] = "Piste " + std::to_string(t);
        Partition.Instrument[t] = 20 + t;
        Partition.NbCordes[t] = t % 3 + 4;
        for (int s = 1; s <= 6; ++s)
            Partition.Accordage[t][s] = 10 * t + s;
        Partition.Solo[t] = t == 3;
        Partition.Muette[t] = t == 4;
        Partition.PasExporter[t] = t == 5;
        Partition.DouzeCordes[t] = t == 6;
        Partition.Volume[t] = t;
        Partition.Panoramique[t] = 2 * t;
        Partition.Chorus[t] = 3 * t;
        Partition.Reverb[t] = 4 * t;
        Partition.Capo[t] = t;
        Partition.NbFrettes[t] = 10 + t;
    }

    CopierPartitionVersProprietes();

    const TProprietesTempo& p = ProprietesTempo;
    EXPECT_EQ(p.Titre, "Blues en mi");
    EXPECT_EQ(p.Auteur, "Moi");
    EXPECT_EQ(p.Commentaire, "Rien");
    EXPECT_EQ(p.Tempo, 96);
    EXPECT_EQ(p.Triplet, 1);
    EXPECT_TRUE(p.ModeSolo);
    EXPECT_EQ(p.PisteSolo, 3);
    for (int t = 1; t <= 8; ++t) {
        SCOPED_TRACE(t);
        EXPECT_EQ(p.NomPiste[t], "Piste " + std::to_string(t));
        EXPECT_EQ(p.Instrument[t], 20 + t);
        EXPECT_EQ(p.NbCordes[t], t % 3 + 4);
        EXPECT_EQ(p.Solo[t], t == 3);
        EXPECT_EQ(p.Muette[t], t == 4);
        EXPECT_EQ(p.PasExporter[t], t == 5);
        EXPECT_EQ(p.DouzeCordes[t], t == 6);
        EXPECT_EQ(p.Volume[t], t);
        EXPECT_EQ(p.Panoramique[t], 2 * t);
        EXPECT_EQ(p.Chorus[t], 3 * t);
        EXPECT_EQ(p.Reverb[t], 4 * t);
        EXPECT_EQ(p.Capo[t], t);
        EXPECT_EQ(p.NbFrets[t], 10 + t);
    }

    // Back into a song reset to defaults gives the same song again.
    ReinitialiserPartition();
    CopierProprietesVersPartition();
    EXPECT_EQ(Partition.Titre, "Blues en mi");
    EXPECT_EQ(Partition.Tempo, 96);
    EXPECT_EQ(Partition.TripletFeel, 1);
    EXPECT_TRUE(Partition.ModeSolo);
    EXPECT_EQ(Partition.PisteSolo, 3);
    for (int t = 1; t <= 8; ++t) {
        SCOPED_TRACE(t);
        EXPECT_EQ(Partition.NomPiste[t], "Piste " + std::to_string(t));
        EXPECT_EQ(Partition.Instrument[t], 20 + t);
        EXPECT_EQ(Partition.NbCordes[t], t % 3 + 4);
        for (int s = 1; s <= Partition.NbCordes[t]; ++s)
            EXPECT_EQ(Partition.Accordage[t][s], 10 * t + s);
        EXPECT_EQ(Partition.Muette[t], t == 4);
        EXPECT_EQ(Partition.Reverb[t], 4 * t);
        EXPECT_EQ(Partition.NbFrettes[t], 10 + t);
    }
}

TEST_F(Proprietes, OnlyTheTuningOfTheStringsTheTrackHasIsCopied)
{
    Partition.NbCordes[2] = 4;
    for (int s = 1; s <= 6; ++s) {
        Partition.Accordage[2][s] = 40 + s;
        ProprietesTempo.Accordage[2][s] = -s;
    }
    CopierPartitionVersProprietes();
    for (int s = 1; s <= 4; ++s)
        EXPECT_EQ(ProprietesTempo.Accordage[2][s], 40 + s) << s;
    EXPECT_EQ(ProprietesTempo.Accordage[2][5], -5);
    EXPECT_EQ(ProprietesTempo.Accordage[2][6], -6);

    // Back with five strings: entry 6 of the song stays as it was.
    ProprietesTempo.NbCordes[2] = 5;
    ProprietesTempo.Accordage[2][5] = 99;
    CopierProprietesVersPartition();
    EXPECT_EQ(Partition.NbCordes[2], 5);
    EXPECT_EQ(Partition.Accordage[2][5], 99);
    EXPECT_EQ(Partition.Accordage[2][6], 46);
}

TEST_F(Proprietes, TextsAreCutToTheSongsCapacities)
{
    ProprietesTempo.Titre = std::string(150, 't');
    ProprietesTempo.Auteur = std::string(80, 'a');
    ProprietesTempo.Commentaire = std::string(120, 'c');
    for (int t = 1; t <= 8; ++t)
        ProprietesTempo.NomPiste[t] = std::string(60, static_cast<char>('0' + t));
    EXPECT_EQ(ProprietesTempo.Titre.size(), 100u);
    EXPECT_EQ(ProprietesTempo.Auteur.size(), 50u);
    EXPECT_EQ(ProprietesTempo.Commentaire.size(), 100u);

    CopierProprietesVersPartition();
    EXPECT_EQ(Partition.Titre.str(), std::string(100, 't'));
    EXPECT_EQ(Partition.Auteur.str(), std::string(50, 'a'));
    EXPECT_EQ(Partition.Commentaire.str(), std::string(100, 'c'));
    for (int t = 1; t <= 8; ++t)
        EXPECT_EQ(Partition.NomPiste[t].str(), std::string(40, static_cast<char>('0' + t))) << t;
}

TEST_F(Proprietes, ImportFieldsAreLeftToTheImport)
{
    ProprietesTempo.OctaveInferieure[3] = true;
    ProprietesTempo.PisteSource[3] = 7;
    CopierPartitionVersProprietes();
    EXPECT_TRUE(ProprietesTempo.OctaveInferieure[3]);
    EXPECT_EQ(ProprietesTempo.PisteSource[3], 7);
    EXPECT_EQ(ProprietesTempo.Quantification[3], 4);
}

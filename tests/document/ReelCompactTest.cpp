// Technique amounts in two bytes: every double reads back as itself (through memory and
// through a song file), beats stay small, and a song's repeated chords and mix changes are
// held once after reading.
#include "AideFichiersTest.h"
#include "PartitionsBench.h"

#include "document/Accord.h"
#include "document/FichierPartition.h"
#include "document/ReelCompact.h"
#include "document/TableMix.h"

#include <bit>
#include <cstdlib>
#include <limits>
#include <memory>
#include <set>

using namespace essais_fichiers;

namespace {

uint64_t Bits(double v) { return std::bit_cast<uint64_t>(v); }

TEST(ReelCompact, EveryDoubleReadsBackBitForBit)
{
    const double valeurs[] = {
        1.0, 0.25, 3.0, 6.0, 0.5, 2.75,                // the editor's amounts
        0.0, -0.0, 31.9990234375, 32.0, 1.0 / 1024,    // the grid's ends and what lies past them
        1.1, 0.3, 1.0 / 3, 2.9999999999, 0.25 + 1e-12, // typed or read from a file, off the grid
        -2.5, 1e300, std::numeric_limits<double>::denorm_min(),
        std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(),
        std::bit_cast<double>(uint64_t{0x7FF8000000000123}), // a NaN with a payload
    };
    for (double v : valeurs) {
        const ReelCompact r = v;
        EXPECT_EQ(Bits(r.Valeur()), Bits(v)) << v;
        ReelCompact copie;
        copie = r;
        EXPECT_EQ(Bits(copie), Bits(v)) << v;
        ReelCompact affecte;
        affecte = v;
        EXPECT_EQ(Bits(affecte), Bits(v)) << v;
    }
}

TEST(ReelCompact, ComparesAsTheDoublesItHolds)
{
    EXPECT_TRUE(ReelCompact(1.5) == 1.5);
    EXPECT_TRUE(ReelCompact(1.1) == ReelCompact(1.1));
    EXPECT_FALSE(ReelCompact(1.1) == ReelCompact(1.1000000000000001e0 + 1e-15));
    EXPECT_TRUE(ReelCompact(0.0) == ReelCompact(-0.0));
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_FALSE(ReelCompact(nan) == ReelCompact(nan));
    EXPECT_TRUE(ReelCompact(2.0) >= 0.25 && ReelCompact(2.0) <= 3.0);
}

// Only a song made to fill the table reaches its end; past it, a value keeps the nearest grid
// amount. A value met again takes no new entry. Run apart: the table belongs to the whole process.
TEST(ReelCompact, PastAFullTableAValueKeepsTheNearestGridAmount)
{
    // The table is the process's own: the child must start from an empty one, not from the
    // values earlier tests of this process left in it.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            // Stored a thousand times before the table is filled: all of its entries are
            // still there for the distinct values below, this one among them.
            for (int i = 0; i < 1000; ++i)
                (void)ReelCompact(1.0 + 1 / 65536.0 / 1024.0);
            bool exact = true;
            for (int i = 0; i < 32768; ++i) {
                const double v = 1.0 + (2 * i + 1) / 65536.0 / 1024.0; // all off the grid
                exact = exact && ReelCompact(v).Valeur() == v;
            }
            const double au_dela = 2.0 + 1.0 / 3;
            const bool proche = ReelCompact(au_dela).Valeur() == std::nearbyint(au_dela * 1024) / 1024;
            const bool deja_vu = ReelCompact(1.0 + 1 / 65536.0 / 1024.0).Valeur() == 1.0 + 1 / 65536.0 / 1024.0;
            std::exit(exact && proche && deja_vu ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
}

// Half a million beats: what a beat and a note cost decides most of the memory of a big song.
TEST(ReelCompact, NotesAndBeatsStaySmall)
{
    EXPECT_LE(sizeof(TNoteCorde), 8u);
    EXPECT_LE(sizeof(TTemps), 152u);
}

class PartitionCompacte : public EnvironnementFichiers {};

// The largest song, its amounts off the grid and each chord and mix change its beat's own.
TEST_F(PartitionCompacte, TheLargestSongSavesAndReadsBackIdenticalWithItsRecordsShared)
{
    RemplirPartitionDense({.MontantsHorsGrille = true, .EnregistrementsParTemps = true});
    const std::vector<uint8_t> image = ImageFichierPartition();
    const TTemps avant = Partition.Mesures[501]->Temps[3][3]; // a vibrato stroke and bends off the grid
    ASSERT_EQ(avant.Effet, 3);
    ASSERT_EQ(avant.Notes[2].Effet, 5);

    CheminFichier = Chemin("dense.lrx");
    ASSERT_TRUE(EcrireFichierPartition());
    ReinitialiserPartition();
    CheminFichier = Chemin("dense.lrx");
    NomFichier = "dense.lrx";
    ASSERT_TRUE(LireFichierPartition());
    EXPECT_TRUE(messages.Messages.empty());
    EXPECT_EQ(ImageFichierPartition(), image);

    const TTemps& apres = Partition.Mesures[501]->Temps[3][3];
    EXPECT_EQ(Bits(apres.ValeurCoupVib), Bits(avant.ValeurCoupVib));
    for (int s = 1; s <= 6; ++s) {
        EXPECT_EQ(apres.Notes[s].Effet, avant.Notes[s].Effet) << s;
        EXPECT_EQ(Bits(apres.Notes[s].ValeurBend), Bits(avant.Notes[s].ValeurBend)) << s;
    }

    // Equal chords and mix changes read from the file are one record each; the text stays
    // each beat's own.
    std::set<const TAccord*> accords;
    std::set<const cTableMixEvent*> mixes;
    for (int m = 1; m <= kNbMesuresMax; ++m)
        for (int t = 1; t <= kNbPistes; ++t)
            for (int b = 1; b <= kNbTempsSaisis; b += 8) {
                const TTemps& temps = Partition.Mesures[m]->Temps[t][b];
                ASSERT_TRUE(temps.Accord && temps.TableMix) << m << " " << t << " " << b;
                accords.insert(temps.Accord.get());
                mixes.insert(temps.TableMix.get());
                ASSERT_EQ(temps.Texte, "Texte du temps");
            }
    EXPECT_EQ(accords.size(), 1u);
    EXPECT_EQ(mixes.size(), 1u);

    // A shared record changes for one beat only: an edit puts a new record in place.
    TTemps& edite = Partition.Mesures[2]->Temps[1][1];
    auto nouveau = std::make_shared<TAccord>(*edite.Accord);
    nouveau->Nom = "C";
    edite.Accord = nouveau;
    EXPECT_EQ(Partition.Mesures[1]->Temps[1][1].Accord->Nom, "Am7/G");
}

// Chords and mixes that differ stay apart, however many there are.
TEST_F(PartitionCompacte, DifferentRecordsReadBackAsTheyWere)
{
    ReinitialiserPartition();
    Partition.NbMesures = 2;
    Partition.Mesures[2] = std::make_unique<TMesure>();
    for (int m = 1; m <= 2; ++m) {
        TMesure& mesure = *Partition.Mesures[m];
        mesure.NbTemps[1] = kNbTempsSaisis;
        for (int b = 1; b <= kNbTempsSaisis; ++b) {
            TTemps& temps = mesure.Temps[1][b];
            TAccord accord;
            accord.Nom = "Ch" + std::to_string((m * 64 + b) % 40); // more than the records kept
            accord.Fondamentale = b % 12;
            accord.Typ = b % 15;
            temps.AvecAccord = true;
            temps.Accord = std::make_shared<const TAccord>(accord);
            auto mix = cTableMixEvent::Create();
            mix->Volume = static_cast<int8_t>(b);
            temps.TableMix = mix;
        }
    }
    const std::vector<uint8_t> image = ImageFichierPartition();
    ASSERT_EQ(DecoderFichierPartition(image.data(), image.size()), ResultatLecture::Lue);
    EXPECT_EQ(ImageFichierPartition(), image);
    for (int m = 1; m <= 2; ++m)
        for (int b = 1; b <= kNbTempsSaisis; ++b) {
            const TTemps& temps = Partition.Mesures[m]->Temps[1][b];
            EXPECT_EQ(temps.Accord->Nom, "Ch" + std::to_string((m * 64 + b) % 40));
            EXPECT_EQ(temps.Accord->Fondamentale, b % 12);
            EXPECT_EQ(temps.Accord->Typ, b % 15);
            EXPECT_EQ(temps.TableMix->Volume, b);
        }
}

} // namespace

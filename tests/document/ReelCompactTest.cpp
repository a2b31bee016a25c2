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
#include <vector>

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

// An entry goes back to the table with the last amount that holds it, whichever way the
// amounts were copied (an undo copy, a clipboard copy): what is left behind is only what is
// still held.
TEST(ReelCompact, AnEntryIsGivenBackWithTheLastAmountHoldingIt)
{
    const auto avant = ReelCompact::OccupationActuelle();
    const auto enPlus = [&avant] { return ReelCompact::OccupationActuelle().EntreesTable - avant.EntreesTable; };
    {
        std::vector<ReelCompact> chanson;
        for (int i = 0; i < 100; ++i)
            chanson.emplace_back(1.0 + (2 * i + 1) / 3000.0); // off the grid, all different
        EXPECT_EQ(enPlus(), 100u);
        std::vector<ReelCompact> copie = chanson; // an undo copy
        copie[0] = 2.0;                           // an edit in the copy: on the grid
        copie[1] = chanson[2];                    // the same entry twice
        chanson.clear();
        EXPECT_EQ(enPlus(), 98u);
        EXPECT_EQ(copie[1].Valeur(), 1.0 + 5 / 3000.0);
        EXPECT_EQ(copie[99].Valeur(), 1.0 + 199 / 3000.0);
        copie[2] = copie[2]; // to itself
        EXPECT_EQ(copie[2].Valeur(), 1.0 + 5 / 3000.0);
    }
    EXPECT_EQ(enPlus(), 0u);
}

// In a process of its own: 0 when a table filled past its end keeps every value exactly and
// is free again once they are gone.
int RemplirLaTableAuDelaDeSaFin()
{
    const auto horsGrille = [](int i) { return 1.0 + (2 * i + 1) / 65536.0 / 1024.0; };
    bool exact = true;
    const auto verifier = [&exact](const ReelCompact& r, double v) { exact = exact && Bits(r.Valeur()) == Bits(v); };
    {
        std::vector<ReelCompact> grande;
        grande.reserve(40000);
        for (int i = 0; i < 40000; ++i)
            grande.emplace_back(horsGrille(i));
        for (int i = 0; i < 40000; ++i)
            verifier(grande[i], horsGrille(i));
        const auto pleine = ReelCompact::OccupationActuelle();
        exact = exact && pleine.EntreesTable == 32767 && pleine.APart == 40000 - 32767;

        // Aside, in the table and on the grid, copied and assigned every way.
        const ReelCompact aPart = grande[39999];
        const ReelCompact enTable = grande[0];
        const ReelCompact surGrille = 2.5;
        verifier(aPart, horsGrille(39999));
        for (const ReelCompact* source : {&aPart, &enTable, &surGrille})
            for (const ReelCompact* cible : {&aPart, &enTable, &surGrille}) {
                ReelCompact r = *cible;
                r = *source;
                verifier(r, source->Valeur());
                const ReelCompact copie(r);
                r = 3.25;
                verifier(copie, source->Valeur());
            }
        // A value met before takes its entry again, not a place aside.
        verifier(ReelCompact(horsGrille(7)), horsGrille(7));
        exact = exact && ReelCompact::OccupationActuelle().APart == 40000 - 32767 + 1; // aPart
    }
    const auto vide = ReelCompact::OccupationActuelle();
    const ReelCompact suivante = 1.33;
    verifier(suivante, 1.33);
    const bool libre = vide.EntreesTable == 0 && vide.APart == 0 && ReelCompact::OccupationActuelle().EntreesTable == 1;
    return exact && libre ? 0 : 1;
}

// Only a song made to fill the table reaches its end; past it, every value is still kept
// exactly, and a song opened after such a song is gone finds the table free again. Run apart:
// the table belongs to the whole process.
TEST(ReelCompact, PastAFullTableEveryValueIsStillExactAndTheTableEmptiesWithTheSong)
{
    // The child must start from an empty table, not from the values earlier tests of this
    // process left in it.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(std::exit(RemplirLaTableAuDelaDeSaFin()), ::testing::ExitedWithCode(0), "");
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
            temps = TTemps{}; // the first measure's slots keep what an earlier song left there
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

// Technique amounts in two bytes: every double reads back as itself (through memory and
// through a song file), beats stay small, and a song's repeated chords and mix changes are
// held once after reading.
#include "AideFichiersTest.h"
#include "support/ChansonBends.h"
#include "PartitionsBench.h"

#include "document/Accord.h"
#include "document/FichierPartition.h"
#include "document/ReelCompact.h"
#include "document/TableMix.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <fstream>
#include <limits>
#include <memory>
#include <new>
#include <set>
#include <vector>

using namespace essais_fichiers;

namespace {

uint64_t Bits(double v) { return std::bit_cast<uint64_t>(v); }

TEST(ReelCompact, EveryDoubleReadsBackBitForBit)
{
    const double valeurs[] = {
        1.0, 0.25, 3.0, 6.0, 0.5, 2.75,                // the editor's amounts
        0.0, -0.0, 7.9990234375, 8.0, 1.0 / 1024,      // the grid's ends and what lies past them
        31.9990234375, 32.0, 8.5,                      // on the finer grid, above every amount
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
    const std::size_t avant = ReelCompact::TableCommune().SlotsInUse();
    const auto enPlus = [avant] { return ReelCompact::TableCommune().SlotsInUse() - avant; };
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

// Only a song made to fill the table reaches its end. Past it a new value is refused as memory
// running out is, and nothing changes: the values held stay exact, a value met before still
// finds its slot, a slot given back takes the next new value, and the table is empty again
// once every value has gone.
TEST(ReelCompact, PastAFullTableANewValueIsRefusedAndEveryHeldValueStaysExact)
{
    constexpr unsigned n = ReelCompact::Table::kNbCases;
    const auto horsGrille = [](unsigned i) { return 1.0 + (2 * i + 1) / 65536.0 / 1024.0; };
    ReelCompact::Table table;
    std::vector<uint16_t> codes;
    for (unsigned i = 0; i < n; ++i)
        codes.push_back(table.Take(horsGrille(i)));
    EXPECT_EQ(table.SlotsInUse(), n);
    // Every code the two bytes leave past the grid, each once.
    std::set<uint16_t> differents(codes.begin(), codes.end());
    EXPECT_EQ(differents.size(), n);
    EXPECT_EQ(*differents.begin(), ReelCompact::kPremierCodeTable);
    EXPECT_EQ(*differents.rbegin(), 0xFFFF);

    EXPECT_THROW(table.Take(horsGrille(n)), std::bad_alloc);
    EXPECT_THROW(table.Take(-0.0), std::bad_alloc);
    EXPECT_EQ(table.Take(horsGrille(7)), codes[7]); // now held twice
    EXPECT_EQ(table.SlotsInUse(), n);
    const auto inexactes = [&] {
        unsigned k = 0;
        for (unsigned i = 0; i < n; ++i)
            k += Bits(table.Value(codes[i])) != Bits(horsGrille(i)) ? 1 : 0;
        return k;
    };
    EXPECT_EQ(inexactes(), 0u);

    table.Release(codes[7]); // still held once
    table.Release(codes[100]);
    const uint16_t nouveau = table.Take(horsGrille(n));
    EXPECT_EQ(Bits(table.Value(nouveau)), Bits(horsGrille(n)));
    EXPECT_THROW(table.Take(horsGrille(n + 1)), std::bad_alloc);
    EXPECT_EQ(Bits(table.Value(codes[7])), Bits(horsGrille(7)));

    table.Release(nouveau);
    for (unsigned i = 0; i < n; ++i)
        if (i != 100)
            table.Release(codes[i]);
    EXPECT_EQ(table.SlotsInUse(), 0u);
    const uint16_t suivante = table.Take(1.33);
    EXPECT_EQ(table.Value(suivante), 1.33);
    EXPECT_EQ(table.SlotsInUse(), 1u);
    table.Release(suivante);
}

// The two bytes are the whole amount: moved without its copy, as a container that relocates
// moves it, an amount reads the same from its new place and gives its slot back from there.
// Enough different values that the table is well past half full.
TEST(ReelCompact, AnAmountMovedByteForByteReadsTheSame)
{
    constexpr int n = 48000; // 36,000 off the grid
    const auto valeur = [](int i) { return i % 4 == 0 ? 0.25 * (i % 16) : 1.0 + (2 * i + 1) / 65536.0 / 1024.0; };
    const std::size_t avant = ReelCompact::TableCommune().SlotsInUse();
    std::allocator<ReelCompact> allocateur;
    ReelCompact* ancien = allocateur.allocate(n);
    for (int i = 0; i < n; ++i)
        std::construct_at(ancien + i, valeur(i));
    ReelCompact* nouveau = allocateur.allocate(n);
    std::memcpy(static_cast<void*>(nouveau), ancien, n * sizeof(ReelCompact));
    std::memset(static_cast<void*>(ancien), 0x5A, n * sizeof(ReelCompact)); // the old place reused
    allocateur.deallocate(ancien, n);

    int inexactes = 0;
    for (int i = 0; i < n; ++i)
        inexactes += Bits(nouveau[i].Valeur()) != Bits(valeur(i)) ? 1 : 0;
    EXPECT_EQ(inexactes, 0);
    const ReelCompact copie = nouveau[n - 1];
    EXPECT_EQ(Bits(copie.Valeur()), Bits(valeur(n - 1)));
    std::destroy_n(nouveau, n);
    allocateur.deallocate(nouveau, n);
    EXPECT_EQ(ReelCompact::TableCommune().SlotsInUse(), avant + 1); // the copy's
}

// A value refused leaves the amount it was meant for as it was, and the program's own table
// takes values again once room is made.
TEST(ReelCompact, AnAmountRefusedAValueKeepsItsOwn)
{
    const std::size_t avant = ReelCompact::TableCommune().SlotsInUse();
    ReelCompact enTable = 1.1;
    ReelCompact surGrille = 2.5;
    const auto nouvelle = [](unsigned k) { return 2.0 + (2 * k + 1) / 65536.0 / 1024.0; };
    std::vector<ReelCompact> pleine;
    pleine.reserve(ReelCompact::Table::kNbCases);
    unsigned i = 0;
    try {
        for (;; ++i)
            pleine.emplace_back(nouvelle(i));
    } catch (const std::bad_alloc&) {
    }
    EXPECT_EQ(pleine.size(), ReelCompact::Table::kNbCases - avant - 1);
    EXPECT_THROW(enTable = nouvelle(i), std::bad_alloc);
    EXPECT_THROW(surGrille = 0.1, std::bad_alloc);
    EXPECT_EQ(enTable.Valeur(), 1.1);
    EXPECT_EQ(surGrille.Valeur(), 2.5);
    pleine.pop_back();
    enTable = 0.1;
    EXPECT_EQ(enTable.Valeur(), 0.1);
    pleine.clear();
    surGrille = 0.2;
    EXPECT_EQ(surGrille.Valeur(), 0.2);
    EXPECT_EQ(ReelCompact::TableCommune().SlotsInUse(), avant + 2);
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

// A song file made to hold more different amounts than the table has slots is refused with a
// box that says so, and a song opened next finds the table free again.
TEST_F(PartitionCompacte, ASongWithMoreDifferentAmountsThanSlotsIsRefused)
{
    const auto petite = [](int b, int s) { return 0.3 + (b * 6 + s) / 1000.0; };
    lyrx_test::RemplirChansonBends(1, [&](int, int b, int s) { return petite(b, s); });
    CheminFichier = Chemin("petite.lrx");
    ASSERT_TRUE(EcrireFichierPartition());

    const std::vector<uint8_t> image = lyrx_test::ImageChansonTropDeMontants();
    ASSERT_FALSE(image.empty());
    std::ofstream(Chemin("trop.lrx"), std::ios::binary)
        .write(reinterpret_cast<const char*>(image.data()), static_cast<std::streamsize>(image.size()));

    CheminFichier = Chemin("trop.lrx");
    NomFichier = "trop.lrx";
    EXPECT_FALSE(LireFichierPartition());
    ASSERT_EQ(messages.Messages.size(), 1u);
    EXPECT_EQ(messages.Messages[0].Texte, "TropDeMontants");
    EXPECT_EQ(Partition.NbMesures, 1);

    CheminFichier = Chemin("petite.lrx");
    NomFichier = "petite.lrx";
    ASSERT_TRUE(LireFichierPartition());
    for (int b = 1; b <= kNbTempsSaisis; ++b)
        for (int s = 1; s <= 6; ++s)
            ASSERT_EQ(Bits(Partition.Mesures[1]->Temps[1][b].Notes[s].ValeurBend), Bits(petite(b, s))) << b << " " << s;
}

} // namespace

#include "midi/uMIDIPile.h"

#include "ChantierMidi.h"

#include <gtest/gtest.h>

using midi_test::Hex;

namespace {

std::string Octets(const cMIDIPile& pile)
{
    std::vector<uint8_t> o;
    pile.EcrireTampon(o);
    return Hex(o);
}

std::string Vlq(int64_t v)
{
    std::vector<uint8_t> o;
    AjouterDelta(o, v);
    return Hex(o);
}

} // namespace

TEST(EvenementMidi, OneEventAtTimeZeroWritesItsBytes)
{
    struct {
        int32_t canal;
        uint8_t statut, d1, d2;
        int32_t valeur;
        const char* octets;
    } cas[] = {
        {15, 0xF0, 0x21, 1, 0, "00 FF 21 01 00"},          // port
        {2, 0xB0, 7, 100, 0, "00 B2 07 64"},               // volume
        {9, 0xC0, 0, 0, 0, "00 C9 00"},                    // program change: one data byte
        {3, 0xD0, 40, 99, 0, "00 D3 28"},                  // channel pressure: one data byte
        {15, 0xF0, 0x51, 3, 120, "00 FF 51 03 07 A1 20"},  // tempo 120
        {15, 0xF0, 0x51, 3, 100, "00 FF 51 03 09 27 C0"},  // tempo 100
        {15, 0xF0, 0x20, 1, 10, "00 FF 20 01 0A"},         // channel prefix
        {15, 0xF0, 0x20, 4, 0x1234, "00 FF 20 04 34"},     // other metas: one payload byte whatever the length
        {1, 0xE0, 0x11, 0x48, 0, "00 E1 11 48"},           // pitch wheel: LSB then MSB
        {0, 0x90, 64, 95, 0, "00 90 40 5F"},
    };
    for (const auto& c : cas) {
        cMIDIPile pile;
        pile.Ajouter(0, c.canal, c.statut, c.d1, c.d2, c.valeur);
        EXPECT_EQ(Octets(pile), c.octets);
    }
}

TEST(EvenementMidi, DeltaTimesUseEveryLengthOfTheQuantity)
{
    struct { int64_t v; const char* octets; } cas[] = {
        {0, "00"}, {127, "7F"}, {128, "81 00"}, {480, "83 60"}, {1920, "8F 00"}, {16383, "FF 7F"},
        {16384, "81 80 00"}, {2097151, "FF FF 7F"},
        // Past three bytes the standard four-byte form (the three-byte formula overflowed here).
        {2097152, "81 80 80 00"}, {0x0FFFFFFF, "FF FF FF 7F"},
    };
    for (const auto& c : cas)
        EXPECT_EQ(Vlq(c.v), c.octets) << c.v;

    // A longer gap is bridged by empty text events and still adds up to the exact time.
    std::vector<uint8_t> o;
    AjouterDelta(o, int64_t(0x0FFFFFFF) + 5);
    EXPECT_EQ(Hex(o), "FF FF FF 7F FF 01 00 05");
}

TEST(EvenementMidi, TemposGiveThreeValidBytesForEveryValue)
{
    struct { int32_t bpm; const char* octets; } cas[] = {
        {120, "07 A1 20"}, {100, "09 27 C0"}, {999, "00 EA 9C"}, {60, "0F 42 40"}, {4, "E4 E1 C0"},
        // Below 4 bpm the microseconds no longer fit three bytes: the slowest tempo stands.
        {3, "FF FF FF"}, {1, "FF FF FF"}, {0, "FF FF FF"}, {-5, "FF FF FF"},
        // Absurdly fast still gives a tempo, never 0 microseconds.
        {100000000, "00 00 01"},
    };
    for (const auto& c : cas) {
        uint8_t b[3];
        TempoEnOctets(c.bpm, b[0], b[1], b[2]);
        EXPECT_EQ(Hex({b[0], b[1], b[2]}), c.octets) << c.bpm;
    }
}

TEST(EvenementMidi, ChunkLengthsAndWordsAreBigEndian)
{
    std::vector<uint8_t> o;
    AjouterLongueurChunk(o, 25);
    AjouterLongueurChunk(o, 65025);
    AjouterLongueurChunk(o, 16777216); // past the three significant bytes
    EXPECT_EQ(Hex(o), "00 00 00 19 00 00 FE 01 01 00 00 00");
    uint8_t h, b;
    DecouperMot(480, h, b);
    EXPECT_EQ(Hex({h, b}), "01 E0");
}

TEST(PileMidi, EqualTimesKeepTheOrderOfAddingAndEarlierTimesGoFirst)
{
    cMIDIPile pile;
    pile.Ajouter(100, 0, 0x90, 60, 1, 0);
    pile.Ajouter(100, 0, 0x90, 61, 2, 0);
    pile.Ajouter(100, 0, 0x90, 62, 3, 0);
    pile.Ajouter(40, 1, 0xB0, 7, 9, 0);  // added last, earlier: written first
    pile.Ajouter(100, 0, 0x80, 60, 80, 0); // same time as the first three: after them
    pile.Ajouter(0, 2, 0xB0, 6, 8, 0);
    EXPECT_EQ(Octets(pile), "00 B2 06 08 28 B1 07 09 3C 90 3C 01 00 90 3D 02 00 90 3E 03 00 80 3C 50");

    std::vector<int64_t> temps;
    for (const cEvtMIDIPile& e : pile.Evenements())
        temps.push_back(e.Temps);
    EXPECT_EQ(temps, (std::vector<int64_t>{0, 40, 100, 100, 100, 100}));
}

TEST(PileMidi, EmptyingKeepsTheLastValuesAndAnEmptyListWritesNothing)
{
    cMIDIPile pile;
    pile.Volume = 90;
    pile.Tempo = 133;
    pile.Ajouter(5, 0, 0x90, 60, 1, 0);
    pile.Vider();
    EXPECT_TRUE(pile.EstVide());
    EXPECT_EQ(pile.Volume, 90);
    EXPECT_EQ(pile.Tempo, 133);
    EXPECT_EQ(Octets(pile), "");

    TamponMidi.assign(3, 0xEE);
    int32_t index = 3;
    pile.EcrireTampon(index);
    EXPECT_EQ(index, 3);
}

TEST(PileMidi, TheSharedBufferGrowsPastItsOldSize)
{
    // About 480 KB of track bytes: more than the 300,000 bytes a fixed buffer held.
    cMIDIPile pile;
    for (int i = 0; i < 60000; ++i) {
        pile.Ajouter(i * 120LL, 0, 0x90, 60, 95, 0);
        pile.Ajouter(i * 120LL + 100, 0, 0x80, 60, 80, 0);
    }
    TamponMidi.clear();
    int32_t index = 0;
    pile.EcrireTampon(index);
    EXPECT_GT(index, 300000);
    EXPECT_EQ(TamponMidi.size(), std::size_t(index));
    EXPECT_EQ(TamponMidi[index - 4], 0x64); // the last delta (20 ticks) then 80 3C 50
    EXPECT_EQ(TamponMidi[index - 1], 0x50);
}

// The drum palette's sounds and its preview file.
#include "dialogs/Percussions.h"

#include "document/Routines.h"
#include "document/Variable.h"

#include <gtest/gtest.h>

TEST(Percussions, ListeDesSons)
{
    EXPECT_EQ(TexteSonPercussion(0), "27 - High Q");
    EXPECT_EQ(TexteSonPercussion(9), "36 - Bass Drum 1");
    EXPECT_EQ(TexteSonPercussion(58), "85 - Castinets");
    EXPECT_EQ(TexteSonPercussion(60), "87 - Open Surdo");
    EXPECT_EQ(TexteSonPercussion(61), "");
    EXPECT_EQ(TexteSonPercussion(-1), "");
}

TEST(Percussions, FichierDEcouteOctetParOctet)
{
    ReinitialiserPartition();
    Partition.Volume[8] = 100;
    Partition.Chorus[8] = 3;
    Partition.Reverb[8] = 40;
    Partition.Panoramique[8] = 64;
    Partition.Instrument[8] = 25;
    Partition.Volume[1] = 5; // another track's settings are not the drums'

    std::vector<uint8_t> attendu = {
        'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 1, 0, 2, 0x01, 0xE0,
        'M', 'T', 'r', 'k', 0, 0, 0, 0x19,
        0x00, 0xFF, 0x51, 0x03, 0x09, 0x27, 0xC0,
        0x00, 0xFF, 0x58, 0x04, 0x04, 0x02, 0x18, 0x08,
        0x00, 0xFF, 0x59, 0x02, 0x00, 0x00,
        0x00, 0xFF, 0x2F, 0x00,
        'M', 'T', 'r', 'k', 0, 0, 0, 0x3C,
        0x00, 0xFF, 0x21, 0x01, 0x00,
        0x00, 0xFF, 0x20, 0x01, 0x0A,
        0x00, 0xFF, 0x03, 0x0E,
    };
    for (char ch : std::string("Lyrandaxis 2.2"))
        attendu.push_back(static_cast<uint8_t>(ch));
    attendu.insert(attendu.end(), {0x00, 0xB9, 0x07, 100, 0x00, 0xB9, 0x5D, 3, 0x00, 0xB9, 0x5B, 40,
                                   0x00, 0xB9, 0x0A, 64, 0x00, 0xC9, 25, 0x00, 0x99, 36, 0x7F,
                                   0x83, 0x78, 0x89, 36, 0x50, 0x00, 0xFF, 0x2F, 0x00});
    EXPECT_EQ(GenererMidiPercussion(36), attendu);
}

TEST(Percussions, LaPisteDEcouteFaitToujours60Octets)
{
    ReinitialiserPartition();
    for (int note : {27, 60, 87}) {
        for (int volume : {0, 127, 300, -5}) {
            Partition.Volume[8] = volume;
            Partition.Instrument[8] = volume;
            const std::vector<uint8_t> o = GenererMidiPercussion(note);
            ASSERT_EQ(o.size(), 14u + 8 + 25 + 8 + 60);
            EXPECT_EQ(o[54], 0x3C);
            // No data byte can be taken for a status byte.
            for (std::size_t i = 14 + 8 + 25 + 8 + 28; i < o.size(); ++i) {
                if (o[i] >= 0x80) {
                    EXPECT_TRUE(o[i] == 0xB9 || o[i] == 0xC9 || o[i] == 0x99 || o[i] == 0x89 || o[i] == 0x83 ||
                                o[i] == 0xFF)
                        << "byte " << i << " note " << note << " volume " << volume;
                }
            }
        }
    }
}

// The tuning presets: the table as the lists show it, the lookup of a track's tuning, the
// application of a preset, the default tunings and the note names.
#include "dialogs/Accordages.h"

#include "document/Routines.h"
#include "document/Variable.h"

#include <gtest/gtest.h>

#include <array>
#include <initializer_list>
#include <string>
#include <utility>

namespace {

class AccordagesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        InitModelesAccordage();
        ProprietesTempo = TProprietesTempo{};
    }

    // Track 1 of the working copy with these strings, string 1 first.
    static void Piste(std::initializer_list<int32_t> cordes, int32_t piste = 1)
    {
        ProprietesTempo.NbCordes[piste] = static_cast<int32_t>(cordes.size());
        int s = 1;
        for (int32_t c : cordes)
            ProprietesTempo.Accordage[piste][s++] = c;
    }

    static std::string Montre(const TModeleAccordage& m)
    {
        std::string texte;
        for (int slot = 7 - m.NbCordes; slot <= 6; ++slot)
            texte += (texte.empty() ? "" : " ") + NomNoteOctave(m.Notes[slot]);
        return texte;
    }
};

TEST_F(AccordagesTest, TableAsTheListsShowIt)
{
    struct Ligne {
        const char* nom;
        int n;
        const char* montre;
    };
    const Ligne table[] = {
        {"Guitar Standard : EADGBE", 6, "E5 B4 G4 D4 A3 E3"},
        {"Guitar Dropped D : DADGBE", 6, "E5 B4 G4 D4 A3 D3"},
        {"Guitar Open A : EAEAC#E", 6, "E5 C#5 A4 E4 A3 E3"},
        {"Guitar Open C : CGCGCE", 6, "E5 C5 G4 C4 G3 C3"},
        {"Guitar Open Cmin : CGCGCEb", 6, "D#5 C5 G4 C4 G3 C3"},
        {"Guitar Open D : DADF#AD", 6, "D5 A4 F#4 D4 A3 D3"},
        {"Guitar Open Dmin : DADFAD", 6, "D5 A4 F4 D4 A3 D3"},
        {"Guitar Open Dsus4 : DADGAD", 6, "D5 A4 G4 D4 A3 D3"},
        {"Guitar Open E : EBEG#BE", 6, "E5 B4 G#4 E4 B3 E3"},
        {"Guitar Open Emin : EBEGBE", 6, "E5 B4 G4 E4 B3 E3"},
        {"Guitar Open Esus11 : EAEGBE", 6, "E5 B4 G4 E4 A3 E3"},
        {"Guitar Open F : CFCFAC", 6, "C5 A4 F4 C4 F3 C3"},
        {"Guitar Open F : FACFCF", 6, "F5 C5 F4 C4 A3 F3"},
        {"Guitar Open G : DGDGBD", 6, "D5 B4 G4 D4 G3 D3"},
        {"Guitar Open G : GBDGBD", 6, "D5 B4 G4 D4 B3 G3"},
        {"Guitar Alternative : EGDEAE", 6, "E5 A4 E4 D4 G3 E3"},
        {"Guitar Alternative  : CGDGBE", 6, "E5 B4 G4 D4 G3 C3"},
        {"Guitar Alternative : CGDAEG", 6, "G5 E5 A4 D4 G3 C3"},
        {"Guitar Nashville  : EADGBE", 6, "E5 B4 G5 D5 A4 E4"},
        {"Guitar Eb : EbAbDbGbBbEb", 6, "D#5 A#4 F#4 C#4 G#3 D#3"},
        {"Bass Standard : EADG", 4, "G3 D3 A2 E2"},
        {"Bass Dropped D : DADG", 4, "G3 D3 A2 D2"},
        {"Bass Eb : EbAbDbGb", 4, "F#3 C#3 G#2 D#2"},
        {"Bass 5 strings : BEADG", 5, "G3 D3 A2 E2 B1"},
        {"Bass 6 strings : BEADGC", 6, "C4 G3 D3 A2 E2 B1"},
        {"Banjo Open G : GDGBD", 5, "D5 B4 G4 D4 G5"},
        {"Banjo Dropped C : GCGBD", 5, "D5 B4 G4 C4 G5"},
        {"Banjo Open D : ADF#AD", 5, "D5 A4 F#4 D4 A5"},
        {"Banjo G minor : GDGBbD", 5, "D5 A#4 G4 D4 G5"},
        {"Banjo G Modal : GDGAD", 5, "D5 A4 G4 D4 G5"},
        {"Mandolin Standard : GDAE", 4, "E6 A5 D5 G4"},
    };
    ASSERT_EQ(NbModelesAccordage, 31);
    for (int i = 0; i < 31; ++i) {
        SCOPED_TRACE(i);
        const TModeleAccordage& m = ModelesAccordage[i];
        EXPECT_EQ(m.Nom, table[i].nom);
        EXPECT_EQ(m.NbCordes, table[i].n);
        EXPECT_EQ(Montre(m), table[i].montre);
        for (int slot = 1; slot < 7 - m.NbCordes; ++slot)
            EXPECT_EQ(m.Notes[slot], 0);
    }
    // Right-aligned: a 4-string row fills slots 3..6.
    EXPECT_EQ((std::array{ModelesAccordage[20].Notes[3], ModelesAccordage[20].Notes[4], ModelesAccordage[20].Notes[5],
                          ModelesAccordage[20].Notes[6]}),
              (std::array{43, 38, 33, 28}));
    // Building again gives the same table, not a longer one.
    InitModelesAccordage();
    EXPECT_EQ(NbModelesAccordage, 31);
    EXPECT_EQ(ModelesAccordage[30].Nom, "Mandolin Standard : GDAE");
}

TEST_F(AccordagesTest, LookupFindsTheLowestRowOfTheSameCount)
{
    struct Cas {
        std::initializer_list<int32_t> cordes;
        int32_t attendu;
    };
    const Cas cas[] = {
        {{64, 59, 55, 50, 45, 40}, 0},  // standard, never the Nashville row
        {{64, 59, 55, 50, 45, 38}, 1},  // string 6 down to D: dropped D
        {{64, 59, 55, 50, 45, 39}, -1}, // string 6 on D#: no preset
        {{64, 59, 67, 62, 57, 52}, 18},
        {{43, 38, 33, 28}, 20},
        {{43, 38, 33, 28, 23}, 23},
        {{62, 59, 55, 50, 67}, 25},
        {{76, 69, 62, 55}, 30},
        // The same notes under another count never match.
        {{59, 55, 50, 45}, -1},
        {{38, 33, 28, 23}, -1},
    };
    for (const Cas& c : cas) {
        Piste(c.cordes);
        EXPECT_EQ(ChercherModeleAccordage(1), c.attendu);
    }
    // A 6-string track whose strings 2..6 equal a banjo's 5 strings is no banjo.
    Piste({62, 59, 55, 50, 67, 40});
    EXPECT_EQ(ChercherModeleAccordage(1), -1);
    // Counts the table does not hold, and tracks that do not exist.
    EXPECT_EQ(ChercherModeleAccordage(3, ProprietesTempo.Accordage[1]), -1);
    EXPECT_EQ(ChercherModeleAccordage(0), -1);
    EXPECT_EQ(ChercherModeleAccordage(9), -1);
}

TEST_F(AccordagesTest, ApplyingARowSetsCountAndNotesAndKeepsTheRest)
{
    Piste({64, 59, 55, 50, 45, 40}, 2);
    ASSERT_TRUE(AppliquerModeleAccordage(25, 2));
    EXPECT_EQ(ProprietesTempo.NbCordes[2], 5);
    EXPECT_EQ(ProprietesTempo.Accordage[2], (OneBased<int32_t, 6>{0, 62, 59, 55, 50, 67, 40}));
    EXPECT_EQ(ChercherModeleAccordage(2), 25);

    ASSERT_TRUE(AppliquerModeleAccordage(20, 2));
    EXPECT_EQ(ProprietesTempo.NbCordes[2], 4);
    EXPECT_EQ(ProprietesTempo.Accordage[2], (OneBased<int32_t, 6>{0, 43, 38, 33, 28, 67, 40}));

    // No selection, or an index past the table: nothing changes.
    const TProprietesTempo avant = ProprietesTempo;
    for (int32_t index : {-1, 31, 1000})
        EXPECT_FALSE(AppliquerModeleAccordage(index, 2));
    EXPECT_FALSE(AppliquerModeleAccordage(0, 0));
    EXPECT_EQ(ProprietesTempo.NbCordes[2], avant.NbCordes[2]);
    EXPECT_EQ(ProprietesTempo.Accordage[2], avant.Accordage[2]);
}

TEST_F(AccordagesTest, DefaultTuningOfEachCount)
{
    struct Cas {
        int32_t n;
        OneBased<int32_t, 6> attendu;
    };
    const Cas cas[] = {
        {6, {0, 64, 59, 55, 50, 45, 40}},
        {5, {0, 43, 38, 33, 28, 23, 1}},
        {4, {0, 43, 38, 33, 28, 1, 1}},
        {3, {0, 1, 1, 1, 1, 1, 1}}, // any other count: nothing written
    };
    for (const Cas& c : cas) {
        ProprietesTempo.Accordage[4] = {0, 1, 1, 1, 1, 1, 1};
        ProprietesTempo.NbCordes[4] = c.n;
        AccordageParDefaut(4);
        EXPECT_EQ(ProprietesTempo.Accordage[4], c.attendu) << c.n;
    }
    ProprietesTempo.NbCordes[4] = 6;
    AccordageParDefaut(4);
    EXPECT_EQ(ChercherModeleAccordage(4), 0);
}

TEST_F(AccordagesTest, NoteNames)
{
    const std::pair<int32_t, const char*> cas[] = {
        {64, "E5"}, {40, "E3"}, {23, "B1"}, {0, "C0"}, {119, "B9"}, {61, "C#5"}, {127, "G10"}, {-1, "B-1"}, {-12, "C-1"},
    };
    for (const auto& [note, nom] : cas)
        EXPECT_EQ(NomNoteOctave(note), nom) << note;
}

} // namespace

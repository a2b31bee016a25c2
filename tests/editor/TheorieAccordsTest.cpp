#include "document/Configuration.h"
#include "document/Langue.h"
#include "editor/TheorieAccords.h"
#include "FixtureAccords.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

namespace {

struct CasTheorie {
    std::string nom;       // expected name
    std::string pourquoi;  // what the case shows, when the name alone does not say it
    int32_t racine, typ, ext, alteration;
    bool add;
    int32_t quinte, neuf, onze;
    std::array<int, 7> notes; // pitch class of degrees 1, 3, 5, 7, 9, 11, 13; -1 absent
};

TTheorieAccord Theorie(const CasTheorie& c)
{
    TTheorieAccord t;
    t.Fondamentale = c.racine;
    t.Typ = c.typ;
    t.NeufOnzeTreize = c.ext;
    t.DimAug = c.alteration;
    t.Add = c.add;
    t.Quinte = c.quinte;
    t.Neuf = c.neuf;
    t.Onze = c.onze;
    return t;
}

constexpr int C = 0, A = 9, E = 4;

} // namespace

// Names and degree sets come out of the same controls, after the rules have corrected them.
TEST(TheorieAccords, NamesAndDegreesOfChordsByTheory)
{
    OptionToujoursBasse option(false);
    const int _ = -1;
    const CasTheorie cas[] = {
        {"C", "", C, kTypM, 0, 0, false, 0, 0, 0, {0, 4, 7, _, _, _, _}},
        {"Cm7", "", C, kTypm7, 0, 0, false, 0, 0, 0, {0, 3, 7, 10, _, _, _}},
        {"Cm7M", "", C, kTypm7M, 0, 0, false, 0, 0, 0, {0, 3, 7, 11, _, _, _}},
        {"Cm6", "", C, kTypm6, 0, 0, false, 0, 0, 0, {0, 3, 7, 9, _, _, _}},
        {"C9", "", C, kTypM, 1, 0, false, 0, 0, 0, {0, 4, 7, 10, 2, _, _}},
        {"Cadd9", "", C, kTypM, 1, 0, true, 0, 0, 0, {0, 4, 7, _, 2, _, _}},
        {"C9-", "", C, kTypM, 1, 1, false, 0, 0, 0, {0, 4, 7, 10, 1, _, _}},
        {"C7M9", "", C, kTyp7M, 1, 0, false, 0, 0, 0, {0, 4, 7, 11, 2, _, _}},
        {"Cm79", "", C, kTypm7, 1, 0, false, 0, 0, 0, {0, 3, 7, 10, 2, _, _}},
        {"C79", "seventh with 9: add is refused", C, kTyp7, 1, 0, true, 0, 0, 0, {0, 4, 7, 10, 2, _, _}},
        {"C6add9", "sixth with 9 is forced to add", C, kTyp6, 1, 0, false, 0, 0, 0, {0, 4, 7, 9, 2, _, _}},
        {"C11", "", C, kTypM, 2, 0, false, 0, 0, 0, {0, 4, 7, 10, 2, 5, _}},
        {"Cadd11", "", C, kTypM, 2, 0, true, 0, 0, 0, {0, 4, 7, _, _, 5, _}},
        {"C7add11", "", C, kTyp7, 2, 0, true, 0, 0, 0, {0, 4, 7, 10, _, 5, _}},
        {"C11/9+", "", C, kTypM, 2, 0, false, 0, 2, 0, {0, 4, 7, 10, 3, 5, _}},
        {"Cadd11", "add11 drops the ninth alteration", C, kTypM, 2, 0, true, 0, 2, 0, {0, 4, 7, _, _, 5, _}},
        {"C13", "", C, kTypM, 3, 0, false, 0, 0, 0, {0, 4, 7, 10, 2, 5, 9}},
        {"C13+", "", C, kTypM, 3, 2, false, 0, 0, 0, {0, 4, 7, 10, 2, 5, 10}},
        {"C13/9-/11+", "", C, kTypM, 3, 0, false, 0, 1, 2, {0, 4, 7, 10, 1, 6, 9}},
        {"Cadd13", "", C, kTypM, 3, 0, true, 0, 1, 2, {0, 4, 7, _, _, _, 9}},
        {"A7/5-", "", A, kTyp7, 0, 0, false, 1, 0, 0, {9, 1, 3, 7, _, _, _}},
        {"C7", "no extension drops its alterations and add", C, kTyp7, 0, 2, true, 0, 1, 1, {0, 4, 7, 10, _, _, _}},
        {"Cdim", "", C, kTypDim, 0, 0, false, 0, 0, 0, {0, 3, 6, 9, _, _, _}},
        {"Cdim", "dim keeps no fifth alteration", C, kTypDim, 0, 0, false, 2, 0, 0, {0, 3, 6, 9, _, _, _}},
        {"Caug", "aug drops extension, add and fifth alteration", C, kTypAug, 2, 1, true, 1, 1, 1, {0, 4, 8, _, _, _, _}},
        {"E5", "", E, kTyp5, 0, 0, false, 0, 0, 0, {4, _, 11, _, _, _, _}},
        {"E5/5-", "", E, kTyp5, 0, 0, false, 1, 0, 0, {4, _, 10, _, _, _, _}},
        {"Csus2", "", C, kTypSus2, 0, 0, false, 0, 0, 0, {0, 2, 7, _, _, _, _}},
        {"Csus4", "", C, kTypSus4, 0, 0, false, 0, 0, 0, {0, 5, 7, _, _, _, _}},
        {"Csus4add9", "sus4 with 9 is forced to add", C, kTypSus4, 1, 0, false, 0, 0, 0, {0, 5, 7, _, 2, _, _}},
        {"C7sus4add13", "", C, kTyp7Sus4, 3, 0, false, 0, 0, 0, {0, 5, 7, 10, _, _, 9}},
        {"C7sus2", "", C, kTyp7Sus2, 0, 0, false, 0, 0, 0, {0, 2, 7, 10, _, _, _}},
        {"", "custom chord: no name, no degree", kFondamentalePerso, kTyp7, 2, 1, true, 1, 1, 1, {_, _, _, _, _, _, _}},
        {"C", "values no list holds count as none", C, 40, 9, -3, false, 5, 0, 0, {0, 4, 7, _, _, _, _}},
    };
    for (const CasTheorie& c : cas) {
        SCOPED_TRACE(c.nom + " " + c.pourquoi);
        TTheorieAccord t = Theorie(c);
        CalculerDegresAccord(t, false);
        EXPECT_EQ(ConstruireNomAccord(t), c.nom);
        for (int k = 1; k <= kNbDegres; ++k) {
            EXPECT_EQ(t.NotesDegres[k], c.notes[k - 1]) << "degree slot " << k;
            EXPECT_EQ(t.DegresPresents[k], c.notes[k - 1] >= 0) << "degree slot " << k;
            EXPECT_EQ(t.Coches[k], c.notes[k - 1] >= 0) << "degree slot " << k;
        }
    }
}

TEST(TheorieAccords, NameGrammarOfBassAndOmissions)
{
    const OneBased<bool, kNbDegres> aucune{};
    OneBased<bool, kNbDegres> sans35{};
    sans35[2] = sans35[3] = true;
    OneBased<bool, kNbDegres> toutes{};
    toutes.fill(true);

    struct Cas {
        std::string attendu;
        int32_t racine, typ, renversement, basse;
        const OneBased<bool, kNbDegres>* omissions;
        bool montrer, diese, toujoursBasse;
    };
    const Cas cas[] = {
        {"C/E", C, kTypM, -1, E, &aucune, false, true, false},
        {"C", C, kTypM, 1, E, &aucune, false, true, false},
        {"C7 (no3no5)", C, kTyp7, 0, C, &sans35, true, true, false},
        {"C7", C, kTyp7, 0, C, &sans35, false, true, false},
        {"C7/A (no3no5)", C, kTyp7, -1, A, &sans35, true, true, false},
        {"C (no1no3no5no7no9no11no13)", C, kTypM, 0, C, &toutes, true, true, false},
        {"Dbm7", 1, kTypm7, 0, 1, &aucune, false, false, false},
        {"C#m7", 1, kTypm7, 0, 1, &aucune, false, true, false},
        {"F/Bb", 5, kTypM, -1, 10, &aucune, false, false, false},
        {"/E", kFondamentalePerso, kTypM, -1, E, &aucune, false, true, false},
        {"G", 7, kTypM, 0, 7, &aucune, false, true, true},
        {"G/B", 7, kTypM, 1, 11, &aucune, false, true, true},
        {"C", C, kTypM, -1, -1, &aucune, false, true, true},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.attendu);
        OptionToujoursBasse option(c.toujoursBasse);
        EXPECT_EQ(ConstruireNomAccord(c.racine, c.typ, 0, 0, 0, 0, 0, false, c.renversement, c.basse, *c.omissions,
                                      c.montrer, c.diese),
                  c.attendu);
    }
}

TEST(TheorieAccords, NoteNamesWithSharpsAndFlats)
{
    const std::array<std::string, 12> diese{"C", "C#", "D", "D#", "E", "F", "F#", "G", "G#", "A", "A#", "B"};
    const std::array<std::string, 12> bemol{"C", "Db", "D", "Eb", "E", "F", "Gb", "G", "Ab", "A", "Bb", "B"};
    for (int n = 0; n < 12; ++n) {
        EXPECT_EQ(NomNoteAccord(n, true), diese[n]);
        EXPECT_EQ(NomNoteAccord(n, false), bemol[n]);
        EXPECT_EQ(NomNoteAccord(60 + n, false), bemol[n]) << "MIDI note " << 60 + n;
    }
    EXPECT_EQ(NomNoteAccord(-1, true), "");
    EXPECT_EQ(NomNoteAccord(-13, false), "");

    const auto fondamentales = TextesFondamentale(false);
    EXPECT_EQ(fondamentales[1], "Db");
    EXPECT_EQ(fondamentales[12], Traduire("Accord-Perso"));
    EXPECT_EQ(TextesBasse(true)[10], "A#");
}

TEST(TheorieAccords, ControlsEnabledByTheRules)
{
    struct Cas {
        std::string nom;
        int32_t racine, typ, ext;
        bool add;
        // Expected: extension, its alteration, add, fifth, ninth, eleventh, bass and level lists.
        std::array<bool, 8> actifs;
        bool addApres;
    };
    const Cas cas[] = {
        {"custom root: everything off", kFondamentalePerso, kTypM, 0, false, {0, 0, 0, 0, 0, 0, 0, 0}, false},
        {"no extension", C, kTypM, 0, true, {1, 0, 0, 1, 0, 0, 1, 1}, false},
        {"aug", C, kTypAug, 2, true, {0, 0, 0, 0, 0, 0, 1, 1}, false},
        {"power chord keeps its fifth alteration", C, kTyp5, 0, false, {0, 0, 0, 1, 0, 0, 1, 1}, false},
        {"9 on a seventh chord", C, kTyp7, 1, true, {1, 1, 0, 1, 0, 0, 1, 1}, false},
        {"9 on a major chord", C, kTypM, 1, true, {1, 1, 1, 1, 0, 0, 1, 1}, true},
        {"11 without add", C, kTypM, 2, false, {1, 1, 1, 1, 1, 0, 1, 1}, false},
        {"11 with add", C, kTypM, 2, true, {1, 1, 1, 1, 0, 0, 1, 1}, true},
        {"13 without add", C, kTypM, 3, false, {1, 1, 1, 1, 1, 1, 1, 1}, false},
        {"13 with add", C, kTypM, 3, true, {1, 1, 1, 1, 0, 0, 1, 1}, true},
        {"6 with 9: add forced, still enabled", C, kTyp6, 1, false, {1, 1, 1, 1, 0, 0, 1, 1}, true},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        TTheorieAccord t;
        t.Fondamentale = c.racine;
        t.Typ = c.typ;
        t.NeufOnzeTreize = c.ext;
        t.Add = c.add;
        t.Basse = 0;
        CalculerDegresAccord(t, false);
        const auto& a = t.Actifs;
        const std::array<bool, 8> actifs{a.NeufOnzeTreize, a.DimAug, a.Add, a.Quinte, a.Neuf, a.Onze, a.Basse, a.Niveaux};
        EXPECT_EQ(actifs, c.actifs);
        EXPECT_EQ(a.Typ, c.racine != kFondamentalePerso);
        EXPECT_EQ(a.Renversement, c.racine != kFondamentalePerso);
        EXPECT_EQ(t.Add, c.addApres);
    }
}

TEST(TheorieAccords, DegreeCaptionsAndNotesUnderTheBoxes)
{
    struct Cas {
        int32_t typ;
        std::string lab3, lab7;
    };
    for (const Cas& c : {Cas{kTypSus2, "2'", "7'"}, Cas{kTyp7Sus2, "2'", "7'"}, Cas{kTypSus4, "4'", "7'"},
                         Cas{kTyp7Sus4, "4'", "7'"}, Cas{kTyp6, "3'", "6'"}, Cas{kTypm6, "3'", "6'"},
                         Cas{kTypDim, "3'", "7'"}, Cas{kTypm7, "3'", "7'"}}) {
        TTheorieAccord t;
        t.Fondamentale = C;
        t.Typ = c.typ;
        CalculerDegresAccord(t, false);
        EXPECT_EQ(t.Lab3, c.lab3) << "type " << c.typ;
        EXPECT_EQ(t.Lab7, c.lab7) << "type " << c.typ;
    }

    TTheorieAccord t;
    t.Fondamentale = 1;
    t.Typ = kTypm7;
    t.Diese = false;
    CalculerDegresAccord(t, false);
    EXPECT_EQ(t.NotesTextes[1], "Db");
    EXPECT_EQ(t.NotesTextes[2], "E");
    EXPECT_EQ(t.NotesTextes[3], "Ab");
    EXPECT_EQ(t.NotesTextes[4], "B");
    EXPECT_EQ(t.NotesTextes[5], "");
    AfficherNotesAccord(t, true);
    EXPECT_EQ(t.NotesTextes[1], "C#");

    // The power chord has no third: its box stays off and shows no note.
    TTheorieAccord e5;
    e5.Fondamentale = E;
    e5.Typ = kTyp5;
    CalculerDegresAccord(e5, false);
    EXPECT_FALSE(e5.DegresPresents[2]);
    EXPECT_FALSE(e5.Coches[2]);
    EXPECT_EQ(e5.NotesTextes[2], "");
    EXPECT_EQ(e5.NotesTextes[3], "B");
}

TEST(TheorieAccords, LoadingKeepsTheStoredTicks)
{
    TTheorieAccord t;
    t.Fondamentale = C;
    t.Typ = kTyp7;
    t.Coches = {false, true, false, false, true, false, false, false};
    CalculerDegresAccord(t, true);
    EXPECT_EQ(t.Coches, (OneBased<bool, kNbDegres>{false, true, false, false, true, false, false, false}));
    EXPECT_TRUE(t.DegresPresents[2]);

    CalculerDegresAccord(t, false);
    EXPECT_EQ(t.Coches, (OneBased<bool, kNbDegres>{false, true, true, true, true, false, false, false}));
}

TEST(TheorieAccords, CustomRootEmptiesTheWorkingChordAndTheBass)
{
    AccordTravail.Frettes = {0, 0, 1, 0, 2, 3, -1};
    AccordTravail.Fondamentale = C;
    TTheorieAccord t;
    t.Fondamentale = kFondamentalePerso;
    t.Basse = 4;
    CalculerDegresAccord(t, false);
    EXPECT_FALSE(AccordTravail.AvecDiagramme());
    EXPECT_EQ(AccordTravail.Fondamentale, kFondamentalePerso);
    EXPECT_EQ(t.Basse, -1);
    EXPECT_EQ(ConstruireNomAccord(t), "");
}

TEST(TheorieAccords, RecordAndControlsRoundTrip)
{
    TAccord accord;
    accord.Diese = false;
    accord.Fondamentale = 10;
    accord.Typ = kTypm7;
    accord.NeufOnzeTreize = 3;
    accord.DimAug = 1;
    accord.Add = false;
    accord.Quinte = 1;
    accord.Neuf = 2;
    accord.Onze = 1;
    accord.Basse = 3;
    accord.Degres = {false, false, true, false, false, true, false, false};
    accord.Nom = "mine";
    accord.Frettes = {0, 1, 2, 3, 4, 5, 6};

    TTheorieAccord t;
    ChargerTheorieAccord(t, accord);
    EXPECT_EQ(t.Coches, (OneBased<bool, kNbDegres>{false, true, false, true, true, false, true, true}));
    TAccord retour;
    EcrireTheorieAccord(t, retour);
    retour.Nom = accord.Nom;
    retour.Frettes = accord.Frettes;
    retour.Degres[0] = accord.Degres[0];
    EXPECT_EQ(retour, accord);

    // Switching accidentals changes rebuilt names, not stored ones.
    CalculerDegresAccord(t, true);
    EXPECT_EQ(ConstruireNomAccord(t), "Bbm713-/5-/9+/11-/Eb");
    t.Diese = true;
    EXPECT_EQ(ConstruireNomAccord(t), "A#m713-/5-/9+/11-/D#");
    EXPECT_EQ(accord.Nom, "mine");
}

// The staff arithmetic of the notation window: spelling of pitches in every key, positions,
// the pitch a click means, the string chosen for it and the layout of the shown notes.
#include "dialogs/NotesPortee.h"

#include <gtest/gtest.h>

#include <array>

namespace {

constexpr std::array<int, 7> kNaturelles{0, 2, 4, 5, 7, 9, 11};

OneBased<int32_t, kNbCordesMax> Accordage(std::initializer_list<int32_t> cordes)
{
    OneBased<int32_t, kNbCordesMax> a{};
    int s = 1;
    for (int32_t c : cordes)
        a[static_cast<std::size_t>(s++)] = c;
    return a;
}

std::array<int, kNbCordesMax + 1> Vides()
{
    std::array<int, kNbCordesMax + 1> f{};
    f.fill(kPasDeNote);
    return f;
}

TBoutonAlteration BoutonDe(TAlteration a)
{
    switch (a) {
    case TAlteration::Diese: return TBoutonAlteration::Diese;
    case TAlteration::Bemol: return TBoutonAlteration::Bemol;
    case TAlteration::Becarre: return TBoutonAlteration::Becarre;
    case TAlteration::Aucune: break;
    }
    return TBoutonAlteration::Aucun;
}

const auto kGuitare = Accordage({64, 59, 55, 50, 45, 40});

} // namespace

// Every cell of the spelling table names its own pitch class, with an accidental only where
// the key signature does not already give it, and a step outside the octave only for B sharp
// and C flat.
TEST(NotesPortee, ChaqueCaseEpelleSaClasseDeHauteur)
{
    for (int k = kArmureMin; k <= kArmureMax; ++k) {
        for (int classe = 0; classe < 12; ++classe) {
            const TNotation n = NotationHauteur(classe, k);
            ASSERT_GE(n.Pas, -1);
            ASSERT_LE(n.Pas, 7);
            const int pas = (n.Pas + 7) % 7;
            const int cle = AlterationArmure(pas, k);
            int alteration = cle;
            if (n.Alteration == TAlteration::Diese)
                alteration = 1;
            else if (n.Alteration == TAlteration::Bemol)
                alteration = -1;
            else if (n.Alteration == TAlteration::Becarre)
                alteration = 0;
            EXPECT_EQ(((kNaturelles[static_cast<std::size_t>(pas)] + alteration) % 12 + 12) % 12, classe)
                << "key " << k << " class " << classe;
            if (n.Alteration != TAlteration::Aucune) {
                EXPECT_NE(alteration, cle) << "redundant accidental, key " << k << " class " << classe;
            }
            if (n.Pas == -1) {
                EXPECT_EQ(alteration, 1) << "only B sharp is written below its C";
            }
            if (n.Pas == 7) {
                EXPECT_EQ(alteration, -1) << "only C flat is written above its B";
            }
        }
    }
}

// Clicking where a note is written, with the button of its accidental, gives the note back:
// the positions, the spelling and the click arithmetic agree, across octave borders too.
TEST(NotesPortee, UnClicSurLaPositionEcriteRendLaHauteur)
{
    for (int k = kArmureMin; k <= kArmureMax; ++k)
        for (int h = 0; h <= 127; ++h) {
            const int p = PositionHauteur(h, k);
            const TBoutonAlteration b = BoutonDe(NotationHauteur(h, k).Alteration);
            EXPECT_EQ(HauteurPosition(p, k, b), h) << "key " << k << " pitch " << h;
        }
}

TEST(NotesPortee, CasDeLaTable)
{
    struct Cas {
        int Hauteur, Armure, Position;
        TAlteration Alteration;
    };
    const Cas cas[] = {
        {52, 0, 30, TAlteration::Aucune},   // E on the bottom treble line
        {48, 0, 28, TAlteration::Aucune},   // the short line between the staves
        {63, 4, 36, TAlteration::Aucune},   // D sharp in E major: plain D
        {62, 4, 36, TAlteration::Becarre},  // D in E major: natural sign
        {60, 2, 34, TAlteration::Diese},    // C in D major: B sharp one step below its C
        {60, 7, 34, TAlteration::Aucune},   // C in C sharp major: B, sharp by the key
        {59, -7, 35, TAlteration::Aucune},  // B in C flat major: C of the octave above
        {59, -6, 35, TAlteration::Aucune},  // B in G flat major: C flat above
        {53, 6, 30, TAlteration::Aucune},   // F in F sharp major: E sharp by the key
        {70, -1, 41, TAlteration::Aucune},  // B flat in F major
        {66, 0, 38, TAlteration::Diese},
        {61, -3, 36, TAlteration::Bemol},   // D flat in E flat major
    };
    for (const Cas& c : cas) {
        EXPECT_EQ(PositionHauteur(c.Hauteur, c.Armure), c.Position) << c.Hauteur << " in " << c.Armure;
        EXPECT_EQ(NotationHauteur(c.Hauteur % 12, c.Armure).Alteration, c.Alteration) << c.Hauteur << " in " << c.Armure;
    }
}

TEST(NotesPortee, AlterationsDesArmuresEtNomsDesTons)
{
    // Steps C D E F G A B.
    const std::array<std::array<int, 7>, 6> attendu{{
        {0, 0, 0, 1, 0, 0, 0},      // +1: F
        {1, 0, 0, 1, 1, 0, 0},      // +3: F C G
        {1, 1, 1, 1, 1, 1, 1},      // +7
        {0, 0, 0, 0, 0, 0, -1},     // -1: B
        {0, -1, -1, 0, 0, -1, -1},  // -4: B E A D
        {-1, -1, -1, -1, -1, -1, -1}, // -7
    }};
    const std::array<int, 6> armures{1, 3, 7, -1, -4, -7};
    for (std::size_t i = 0; i < armures.size(); ++i)
        for (int pas = 0; pas < 7; ++pas)
            EXPECT_EQ(AlterationArmure(pas, armures[i]), attendu[i][static_cast<std::size_t>(pas)])
                << "key " << armures[i] << " step " << pas;
    for (int pas = 0; pas < 7; ++pas)
        EXPECT_EQ(AlterationArmure(pas, 0), 0);

    const char* noms[] = {"Cb", "Gb", "Db", "Ab", "Eb", "Bb", "F", "C", "G", "D", "A", "E", "B", "F#", "C#"};
    for (int k = kArmureMin; k <= kArmureMax; ++k)
        EXPECT_STREQ(NomTonalite(k), noms[k + 7]);
}

TEST(NotesPortee, PositionsDesSignesDArmure)
{
    EXPECT_EQ(PositionSigneArmure(true, true, 1), 38);  // F sharp on the top treble line
    EXPECT_EQ(PositionSigneArmure(true, true, 7), 34);
    EXPECT_EQ(PositionSigneArmure(true, false, 1), 24);
    EXPECT_EQ(PositionSigneArmure(false, true, 1), 34); // B flat on the middle treble line
    EXPECT_EQ(PositionSigneArmure(false, false, 7), 17);
    // Every sign of the treble staff lies one octave (7 steps) above its bass twin.
    for (bool d : {true, false})
        for (int i = 1; i <= 7; ++i)
            EXPECT_EQ(PositionSigneArmure(d, true, i) - PositionSigneArmure(d, false, i), 14);
}

TEST(NotesPortee, PositionSousLaSourisArrondieAuPair)
{
    const std::pair<int, int> cas[] = {{100, 28}, {92, 30}, {60, 38}, {98, 28}, {94, 30}, {96, 29},
                                       {97, 29}, {99, 28}, {0, 53},   {200, 3}};
    for (auto [y, p] : cas)
        EXPECT_EQ(PositionY(y), p) << "y " << y;
    for (int p = 0; p <= 53; ++p)
        EXPECT_EQ(PositionY(YPosition(p)), p);
}

TEST(NotesPortee, HauteurDUnClic)
{
    EXPECT_EQ(HauteurPosition(30, 0, TBoutonAlteration::Aucun), 52);
    EXPECT_EQ(HauteurPosition(38, 1, TBoutonAlteration::Aucun), 66);
    EXPECT_EQ(HauteurPosition(38, 1, TBoutonAlteration::Becarre), 65);
    EXPECT_EQ(HauteurPosition(38, 1, TBoutonAlteration::Bemol), 64);
    EXPECT_EQ(HauteurPosition(38, 0, TBoutonAlteration::Diese), 66);
    EXPECT_EQ(HauteurPosition(34, -1, TBoutonAlteration::Aucun), 58); // B flat by the key
    EXPECT_EQ(HauteurPosition(35, 0, TBoutonAlteration::Bemol), 59);   // C flat is B
    EXPECT_EQ(HauteurPosition(0, 0, TBoutonAlteration::Aucun), 0);
    EXPECT_EQ(HauteurPosition(-1, 0, TBoutonAlteration::Aucun), -1);   // B below C 0: no crash
}

TEST(NotesPortee, ChoixDeLaCorde)
{
    struct Cas {
        const char* Nom;
        OneBased<int32_t, kNbCordesMax> Accordage;
        int NbCordes;
        int Occupee; // a string that already holds a note, 0 none
        int Hauteur;
        int FretteMax;
        int Corde, Frette;
    };
    const auto dropD = Accordage({64, 59, 55, 50, 45, 38});
    // A bass's unused slots 5 and 6 may hold the guitar strings of the last tuning.
    const auto basse = Accordage({43, 38, 33, 28, 45, 40});
    const Cas cas[] = {
        {"lowest fret wins", kGuitare, 6, 0, 52, 24, 4, 2},
        {"next when taken", kGuitare, 6, 4, 52, 24, 5, 7},
        {"open high E", kGuitare, 6, 0, 64, 24, 1, 0},
        {"low E only on 6", kGuitare, 6, 0, 40, 24, 6, 0},
        {"below the tuning", kGuitare, 6, 0, 39, 24, 0, -1},
        {"above fret 24", kGuitare, 6, 0, 89, 24, 0, -1},
        {"fret 24 on string 1", kGuitare, 6, 0, 88, 24, 1, 24},
        {"dropped D open", dropD, 6, 0, 38, 24, 6, 0},
        {"dropped D, D above", dropD, 6, 0, 50, 24, 4, 0},
        {"bass open A", basse, 4, 0, 33, 24, 3, 0},
        {"bass open E", basse, 4, 0, 28, 24, 4, 0},
        {"bass ignores slots 5 and 6", basse, 4, 0, 40, 24, 2, 2},
        {"bass below E", basse, 4, 0, 27, 24, 0, -1},
        {"percussion frets to 99", kGuitare, 6, 0, 140, 99, 1, 76},
    };
    for (const Cas& c : cas) {
        auto frettes = Vides();
        if (c.Occupee)
            frettes[static_cast<std::size_t>(c.Occupee)] = 3;
        const TChoixCorde choix = ChoisirCordePourHauteur(c.Hauteur, c.NbCordes, c.Accordage, frettes, c.FretteMax);
        EXPECT_EQ(choix.Corde, c.Corde) << c.Nom;
        if (c.Corde) {
            EXPECT_EQ(choix.Frette, c.Frette) << c.Nom;
        }
    }

    // Equal frets: the lower string number; a dead note is no free string.
    const auto unisson = Accordage({60, 60, 55, 50, 45, 40});
    EXPECT_EQ(ChoisirCordePourHauteur(62, 6, unisson, Vides(), 24).Corde, 1);
    auto morte = Vides();
    morte[1] = kNoteMorte;
    EXPECT_EQ(ChoisirCordePourHauteur(62, 6, unisson, morte, 24).Corde, 2);
}

TEST(NotesPortee, NotesMontreesTrieesEtDecalees)
{
    TTemps t;
    // E (string 4 fret 2) and F (string 1 fret 1 = 65)... one octave apart: no shift.
    t.Notes[4].Frette = 2;  // 52 E, position 30
    t.Notes[1].Frette = 1;  // 65 F, position 38
    auto notes = NotesPortee(t, 6, kGuitare, 24, 0);
    ASSERT_EQ(notes.size(), 2u);
    EXPECT_EQ(notes[0].Corde, 4);
    EXPECT_EQ(notes[1].Corde, 1);
    EXPECT_EQ(notes[0].X, kXTete);
    EXPECT_EQ(notes[1].X, kXTete);

    // E, F, G a second apart each alternate between the two columns.
    TTemps cluster;
    cluster.Notes[2].Frette = 5;  // 64 E, position 37
    cluster.Notes[1].Frette = 1;  // 65 F, position 38
    cluster.Notes[3].Frette = 12; // 67 G, position 39
    notes = NotesPortee(cluster, 6, kGuitare, 24, 0);
    ASSERT_EQ(notes.size(), 3u);
    EXPECT_EQ(notes[0].Position, 37);
    EXPECT_EQ(notes[1].Position, 38);
    EXPECT_EQ(notes[2].Position, 39);
    EXPECT_EQ(notes[0].X, 70);
    EXPECT_EQ(notes[1].X, 76);
    EXPECT_EQ(notes[2].X, 70);

    // A unison keeps the string order and moves the second head; dead notes, frets above the
    // limit and strings past the track's count are not shown.
    TTemps unisson;
    unisson.Notes[2].Frette = 5;  // 64
    unisson.Notes[1].Frette = 0;  // 64
    unisson.Notes[3].Frette = kNoteMorte;
    unisson.Notes[4].Frette = 30;
    unisson.Notes[6].Frette = 0;
    notes = NotesPortee(unisson, 5, kGuitare, 24, 0);
    ASSERT_EQ(notes.size(), 2u);
    EXPECT_EQ(notes[0].Corde, 1);
    EXPECT_EQ(notes[1].Corde, 2);
    EXPECT_EQ(notes[1].X, 76);
    EXPECT_EQ(notes[0].Alteration, TAlteration::Aucune);

    // The key decides the accidental shown.
    TTemps fa;
    fa.Notes[1].Frette = 2; // 66 F sharp
    EXPECT_EQ(NotesPortee(fa, 6, kGuitare, 24, 0)[0].Alteration, TAlteration::Diese);
    EXPECT_EQ(NotesPortee(fa, 6, kGuitare, 24, 1)[0].Alteration, TAlteration::Aucune);
    fa.Notes[1].Frette = 1; // 65 F
    EXPECT_EQ(NotesPortee(fa, 6, kGuitare, 24, 1)[0].Alteration, TAlteration::Becarre);
}

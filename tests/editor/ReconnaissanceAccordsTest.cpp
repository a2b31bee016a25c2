#include "editor/ReconnaissanceAccords.h"
#include "editor/RechercheDoigtes.h"
#include "FixtureAccords.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

namespace {

std::vector<std::string> Noms(const std::string& frettes, bool diese = true)
{
    std::vector<std::string> noms;
    for (const TNomPropose& n : ProposerNoms(Hauteurs(frettes), diese))
        noms.push_back(n.Nom);
    return noms;
}

// A pass-2 reading names its separate bass: "/" then a note letter (alterations have digits).
bool BasseSeparee(const std::string& nom)
{
    for (std::size_t i = 0; i + 1 < nom.size(); ++i)
        if (nom[i] == '/' && nom[i + 1] >= 'A' && nom[i + 1] <= 'G')
            return true;
    return false;
}

} // namespace

TEST(ReconnaissanceAccords, OpenAndBarreShapesSimplestFirst)
{
    OptionToujoursBasse option(false);
    struct Cas {
        std::string frettes;
        std::vector<std::string> noms;
        bool diese = true;
    };
    const Cas cas[] = {
        {"x 3 2 0 1 0", {"C", "Em/5+", "Gsus4add13 (no5)"}},
        {"x 0 2 0 1 0", {"C/A", "C6", "Am7", "Em/5+/A", "Emadd11/5+", "Gsus4add13/A (no5)"}},
        {"0 2 2 x x x", {"E5", "E/E (no3)", "Bsus4 (no5)"}},
        {"x 3 2 1 1 x", {"Caug", "Eaug", "G#aug", "E/5+/C", "C/5+/C", "G#/5+/C"}},
        {"x 3 2 1 1 x", {"Caug", "Eaug", "Abaug", "E/5+/C", "C/5+/C", "Ab/5+/C"}, false},
        // Open E: the bass E sounds again higher up, so no reading over a separate bass is new.
        {"0 2 2 1 0 0", {"E", "G#m/5+", "Bsus4add13 (no5)"}},
        {"5 7 7 6 5 5", {"A", "C#m/5+", "Esus4add13 (no5)"}},
        {"x 0 2 2 1 0", {"Am", "C6 (no5)", "Esus4/5+"}},
        {"3 2 0 0 0 3", {"G", "Bm/5+", "Dsus4add13 (no5)"}},
        {"x x 0 2 3 2", {"D", "F#m/5+", "Asus4add13 (no5)"}},
        {"x 3 2 3 1 0", {"C7 (no5)", "A#sus2/5-", "Eadd13-/5- (no3)"}},
        {"x 0 2 1 2 0", {"C#m/A", "A7M", "E6/A (no5)", "C#madd13-", "G#sus4/5+/A", "E6add11 (no5)",
                         "G#sus4add9-/5+"}},
        {"x 3 4 2 4 2", {"Cdim", "Adim", "F#dim", "D#dim", "D#m/5-/C", "F#m6/C (no5)", "A6/5-/C (no3)"}},
        {"x 3 4 5 4 x", {"Cm/5-", "D#m6 (no5)", "F#6/5- (no3)"}},
        {"x 3 2 0 1 1", {"Cadd11", "Emadd9-/5+", "G7sus4add13 (no5)"}},
    };
    for (const Cas& c : cas)
        EXPECT_EQ(Noms(c.frettes, c.diese), c.noms) << c.frettes;
}

TEST(ReconnaissanceAccords, AlwaysAddBassNamesTheBassOfInversions)
{
    OptionToujoursBasse option(true);
    const std::vector<std::string> noms = Noms("x 0 2 0 1 0");
    ASSERT_FALSE(noms.empty());
    EXPECT_NE(std::find(noms.begin(), noms.end(), "C6/A"), noms.end());
    EXPECT_EQ(std::find(noms.begin(), noms.end(), "C6"), noms.end());
    // The root in the bass is not written twice.
    EXPECT_EQ(Noms("x 3 2 0 1 0").front(), "C");
}

TEST(ReconnaissanceAccords, NothingToNameWithFewerThanTwoNotes)
{
    OptionToujoursBasse option(false);
    EXPECT_TRUE(Noms("x x x x x x").empty());
    EXPECT_TRUE(Noms("x 3 x x 1 x").empty()); // two Cs
    EXPECT_TRUE(Noms("x x x 5 x x").empty());

    NommerDoigte(Hauteurs("x 3 2 0 1 0"), true);
    EXPECT_EQ(NbNomsProposes, 3);
    EXPECT_EQ(NomsProposes[1].Nom, "C");
    NommerDoigte(Hauteurs("x x x x x x"), true);
    EXPECT_EQ(NbNomsProposes, 0);
}

// An eleventh without a ninth, or a thirteenth without an eleventh, is no alteration of the
// missing degree: the reading stays a plain "add".
TEST(ReconnaissanceAccords, AddChordsCarryNoAlterationOfTheMissingDegree)
{
    OptionToujoursBasse option(false);
    const std::vector<TNomPropose> cadd11 = ProposerNoms(Hauteurs("x 3 2 0 1 1"), true);
    ASSERT_FALSE(cadd11.empty());
    const TNomPropose& n = cadd11.front();
    EXPECT_EQ(n.Nom, "Cadd11");
    EXPECT_EQ(n.Typ, kTypM);
    EXPECT_EQ(n.NeufOnzeTreize, 2);
    EXPECT_TRUE(n.Add);
    EXPECT_EQ(n.Neuf, 0);
    EXPECT_EQ(n.Onze, 0);
    EXPECT_EQ(n.Complexite, 4);

    // C E Bb A: read on C, a thirteenth added to a seventh, neither ninth nor eleventh.
    const std::vector<TNomPropose> noms = ProposerNoms(Hauteurs("x 3 2 3 x 5"), true);
    const auto c7add13 = std::find_if(noms.begin(), noms.end(), [](const TNomPropose& p) { return p.Fondamentale == 0; });
    ASSERT_NE(c7add13, noms.end());
    EXPECT_EQ(c7add13->Nom, "C7add13 (no5)");
    EXPECT_EQ(c7add13->Neuf, 0);
    EXPECT_EQ(c7add13->Onze, 0);
    EXPECT_EQ(c7add13->Complexite, 1 + 2 + 2 + 4);
    EXPECT_EQ(noms.front().Nom, "Amadd9-");
}

TEST(ReconnaissanceAccords, ReadingOfOneProposal)
{
    OptionToujoursBasse option(false);
    const std::vector<TNomPropose> noms = ProposerNoms(Hauteurs("x 3 2 0 1 0"), true);
    ASSERT_EQ(noms.size(), 3u);
    const TNomPropose& g = noms[2];
    EXPECT_EQ(g.Nom, "Gsus4add13 (no5)");
    EXPECT_EQ(g.Fondamentale, 7);
    EXPECT_EQ(g.Basse, 0);
    EXPECT_EQ(g.Typ, kTypSus4);
    EXPECT_EQ(g.NeufOnzeTreize, 3);
    EXPECT_EQ(g.DimAug, 0);
    EXPECT_TRUE(g.Add);
    EXPECT_EQ(g.DegresAbsents, (OneBased<bool, kNbDegres>{false, false, false, true, true, true, true, false}));
    EXPECT_EQ(g.Omissions, (OneBased<bool, kNbDegres>{false, false, false, true, false, false, false, false}));
    EXPECT_EQ(g.Complexite, 12);

    // Choosing it writes its theory into the record; the diagram and name stay.
    TAccord accord;
    accord.Frettes = Frettes("x 3 2 0 1 0");
    accord.Nom = "drawn";
    ChoisirNomPropose(g, accord);
    EXPECT_EQ(accord.Fondamentale, 7);
    EXPECT_EQ(accord.Typ, kTypSus4);
    EXPECT_EQ(accord.NeufOnzeTreize, 3);
    EXPECT_TRUE(accord.Add);
    EXPECT_EQ(accord.Basse, 0);
    EXPECT_EQ(accord.Degres, g.DegresAbsents);
    EXPECT_EQ(accord.Frettes, Frettes("x 3 2 0 1 0"));
    EXPECT_EQ(accord.Nom, "drawn");
}

TEST(ReconnaissanceAccords, ComplexityOfNames)
{
    struct Cas {
        int32_t typ, ext, alteration, quinte, neuf, onze;
        bool add;
        int omissions;
        int32_t complexite;
    };
    const Cas cas[] = {
        {kTypM, 0, 0, 0, 0, 0, false, 0, 0},   {kTyp7, 0, 0, 0, 0, 0, false, 0, 1},
        {kTyp7M, 0, 0, 0, 0, 0, false, 0, 2},  {kTypm7M, 0, 0, 0, 0, 0, false, 0, 3},
        {kTypSus2, 0, 0, 0, 0, 0, false, 0, 4}, {kTyp7Sus4, 0, 0, 0, 0, 0, false, 0, 5},
        {kTypDim, 0, 0, 0, 0, 0, false, 0, 1}, {kTypAug, 0, 0, 0, 0, 0, false, 0, 1},
        {kTyp5, 0, 0, 0, 0, 0, false, 0, 1},   {kTypM, 3, 2, 1, 2, 1, false, 0, 2 + 1 + 9},
        {kTypm, 2, 0, 0, 0, 0, true, 2, 1 + 2 + 2 + 8},
    };
    for (const Cas& c : cas) {
        TNomPropose n;
        n.Typ = c.typ;
        n.NeufOnzeTreize = c.ext;
        n.DimAug = c.alteration;
        n.Quinte = c.quinte;
        n.Neuf = c.neuf;
        n.Onze = c.onze;
        n.Add = c.add;
        for (int k = 2; k < 2 + c.omissions; ++k)
            n.Omissions[k] = true;
        EXPECT_EQ(ComplexiteNom(n), c.complexite) << "type " << c.typ;
    }
}

// Every reading, loaded back into the dialog's theory, is kept as it is by the rules there and
// ticks exactly the notes the fingering sounds (its bass left aside for a separate bass).
TEST(ReconnaissanceAccords, EveryReadingIsTheTheoryOfTheSoundingNotes)
{
    OptionToujoursBasse option(false);
    std::array<int32_t, 7> f{};
    int propositions = 0;
    for (int code = 0; code < 5 * 5 * 5 * 5 * 5 * 5; ++code) {
        int reste = code;
        for (int s = 1; s <= 6; ++s) {
            f[s] = reste % 5 - 1; // muted, open, frets 1 to 3: every pitch class on every string pair
            reste /= 5;
        }
        OneBased<int32_t, kNbCordesMax> h{};
        int plusBasse = 0;
        for (int s = 1; s <= 6; ++s) {
            h[s] = f[s] < 0 ? -1 : kAccordageStandard[s] + f[s];
            if (h[s] >= 0)
                plusBasse = s;
        }
        const std::vector<TNomPropose> noms = ProposerNoms(h, true);
        ASSERT_LE(noms.size(), 12u);
        for (std::size_t i = 0; i < noms.size(); ++i) {
            const TNomPropose& n = noms[i];
            if (i > 0) {
                ASSERT_LE(noms[i - 1].Complexite, n.Complexite);
            }
            const bool separee = BasseSeparee(n.Nom);
            std::set<int32_t> accord;
            for (int s = 1; s <= 6; ++s)
                if (h[s] >= 0 && !(separee && s == plusBasse))
                    accord.insert(h[s] % 12);

            TAccord a;
            ChoisirNomPropose(n, a);
            TTheorieAccord t;
            ChargerTheorieAccord(t, a);
            CalculerDegresAccord(t, true);
            std::set<int32_t> cochees;
            for (int k = 1; k <= kNbDegres; ++k)
                if (t.Coches[k]) {
                    ASSERT_TRUE(t.DegresPresents[k]) << TexteFrettes(f) << " " << n.Nom << " degree " << k;
                    cochees.insert(t.NotesDegres[k]);
                }
            ASSERT_EQ(cochees, accord) << TexteFrettes(f) << " " << n.Nom;
            ASSERT_EQ(t.Typ, n.Typ) << n.Nom;
            ASSERT_EQ(t.NeufOnzeTreize, n.NeufOnzeTreize) << n.Nom;
            ASSERT_EQ(t.DimAug, n.DimAug) << n.Nom;
            ASSERT_EQ(t.Add, n.Add) << n.Nom;
            ASSERT_EQ(t.Quinte, n.Quinte) << n.Nom;
            ASSERT_EQ(t.Neuf, n.Neuf) << n.Nom;
            ASSERT_EQ(t.Onze, n.Onze) << n.Nom;
            ++propositions;
        }
    }
    EXPECT_GT(propositions, 0);
}

TEST(ReconnaissanceAccords, PitchesOfADiagram)
{
    TAccord accord;
    accord.Frettes = Frettes("x 3 2 0 1 0");
    EXPECT_EQ(HauteursAccord(accord, kAccordageStandard), Hauteurs("x 3 2 0 1 0"));
    EXPECT_EQ(HauteursAccord(accord, kAccordageStandard)[6], -1);
    EXPECT_EQ(HauteursAccord(accord, kAccordageStandard)[5], 48);
}

#include "document/Accord.h"
#include "editor/RechercheDoigtes.h"
#include "FixtureAccords.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

namespace {

constexpr int32_t C = 0, D = 2, E = 4, G = 7, A = 9;

TParametresDoigtes Parametres(const TTheorieAccord& t, int32_t niveau)
{
    TParametresDoigtes p;
    p.Notes = NotesRequises(t);
    p.Basse = t.Basse;
    p.Niveau = niveau;
    p.Typ = t.Typ;
    p.Accordage = kAccordageStandard;
    return p;
}

std::vector<std::string> Listes(const std::vector<TAccord>& trouves)
{
    std::vector<std::string> textes;
    for (const TAccord& a : trouves)
        textes.push_back(std::to_string(a.FretteBase) + ": " + TexteFrettes(a.Frettes));
    return textes;
}

int Occurrences(const std::vector<TAccord>& trouves, const std::string& frettes)
{
    const auto f = Frettes(frettes);
    return static_cast<int>(std::count_if(trouves.begin(), trouves.end(), [&](const TAccord& a) {
        return std::equal(f.begin() + 1, f.end(), a.Frettes.begin() + 1);
    }));
}

const TAccord* Trouver(const std::vector<TAccord>& trouves, const std::string& frettes)
{
    const auto f = Frettes(frettes);
    for (const TAccord& a : trouves)
        if (std::equal(f.begin() + 1, f.end(), a.Frettes.begin() + 1))
            return &a;
    return nullptr;
}

} // namespace

TEST(RechercheDoigtes, EMajorOpenShapeFirstThenItsBarres)
{
    TTheorieAccord t = TheorieDe(E, kTypM);
    ChercherDoigtes(t, kNiveauMoyen, kAccordageStandard, "E", false);

    ASSERT_GT(NbSolutionsDoigte, 0);
    EXPECT_EQ(SolutionCourante, 1);
    EXPECT_EQ(TexteFrettes(SolutionsDoigte[1].Frettes), "0 2 2 1 0 0");
    EXPECT_EQ(SolutionsDoigte[1].FretteBase, 1);
    EXPECT_EQ(SolutionsDoigte[1].NbBarres, 0);
    EXPECT_EQ(SolutionsDoigte[1].Nom, "E");
    EXPECT_TRUE(SolutionsDoigte[1].Diese);
    EXPECT_EQ(t.Renversement, 0);

    const std::vector<TAccord> trouves(SolutionsDoigte.begin() + 1, SolutionsDoigte.begin() + 1 + NbSolutionsDoigte);
    // The A shape at fret 7, bass on string 5, one barre over strings 1 to 5.
    const TAccord* formeLa = Trouver(trouves, "x 7 9 9 9 7");
    ASSERT_NE(formeLa, nullptr);
    EXPECT_EQ(formeLa->FretteBase, 7);
    ASSERT_EQ(formeLa->NbBarres, 1);
    EXPECT_EQ(formeLa->BarreFrette[1], 7);
    EXPECT_EQ(formeLa->BarreCordeDebut[1], 1);
    EXPECT_EQ(formeLa->BarreCordeFin[1], 5);
    // The E shape an octave up, barred over all six strings.
    const TAccord* formeMi = Trouver(trouves, "12 14 14 13 12 12");
    ASSERT_NE(formeMi, nullptr);
    EXPECT_EQ(formeMi->FretteBase, 12);
    ASSERT_EQ(formeMi->NbBarres, 1);
    EXPECT_EQ(formeMi->BarreCordeFin[1], 6);

    // The open shape is there at every level.
    for (int32_t niveau : {kNiveauSimple, kNiveauMoyen, kNiveauTout})
        EXPECT_EQ(Occurrences(RechercherDoigtes(Parametres(t, niveau)), "0 2 2 1 0 0"), 1) << "level " << niveau;
}

// A regression table in standard tuning, bass on the root; the higher level always lists more.
TEST(RechercheDoigtes, CountsPerLevel)
{
    struct Cas {
        std::string nom;
        TTheorieAccord theorie;
        std::array<std::size_t, 3> nombres;
    };
    const Cas cas[] = {
        {"E", TheorieDe(E, kTypM), {12, 27, 143}},
        {"C", TheorieDe(C, kTypM), {8, 15, 93}},
        {"Am", TheorieDe(A, kTypm), {13, 29, 75}},
        {"G7", TheorieDe(G, kTyp7), {12, 19, 82}},
        {"D", TheorieDe(D, kTypM), {11, 17, 60}},
        {"Cdim", TheorieDe(C, kTypDim), {14, 16, 48}},
        {"E5", TheorieDe(E, kTyp5), {6, 6, 6}},
    };
    for (const Cas& c : cas)
        for (int32_t niveau : {kNiveauSimple, kNiveauMoyen, kNiveauTout})
            EXPECT_EQ(RechercherDoigtes(Parametres(c.theorie, niveau)).size(), c.nombres[niveau])
                << c.nom << " level " << niveau;
}

// What every listed fingering must be, over many chords and every level.
TEST(RechercheDoigtes, EveryListedFingeringSoundsTheChordAndFitsItsLevel)
{
    struct Type {
        int32_t typ, ext;
        bool add;
    };
    const Type types[] = {{kTypM, 0, false}, {kTypm, 0, false}, {kTyp7, 0, false}, {kTypm7, 0, false},
                          {kTyp7M, 0, false}, {kTypSus4, 0, false}, {kTypDim, 0, false}, {kTypAug, 0, false},
                          {kTyp5, 0, false}, {kTyp6, 1, true}, {kTypM, 1, false}, {kTypm7, 2, true}};
    for (int32_t racine : {C, E, 6, A}) {
        for (const Type& type : types) {
            for (int32_t basse : {racine, (racine + 4) % 12}) {
                TTheorieAccord t = TheorieDe(racine, type.typ, type.ext, type.add, basse);
                const std::vector<int32_t> notes = NotesRequises(t);
                std::set<int32_t> requises(notes.begin(), notes.end());
                requises.insert(basse);
                const bool puissance = type.typ == kTyp5;
                for (int32_t niveau : {kNiveauSimple, kNiveauMoyen, kNiveauTout}) {
                    SCOPED_TRACE(ConstruireNomAccord(t) + " level " + std::to_string(niveau));
                    const std::vector<TAccord> trouves = RechercherDoigtes(Parametres(t, niveau));
                    std::set<std::array<int32_t, 7>> vus;
                    int32_t positionPrecedente = 1;
                    for (const TAccord& a : trouves) {
                        SCOPED_TRACE(std::to_string(a.FretteBase) + ": " + TexteFrettes(a.Frettes));
                        const auto& f = a.Frettes;
                        const int32_t p = a.FretteBase;
                        EXPECT_TRUE(vus.insert(f).second) << "listed twice";
                        EXPECT_GE(p, positionPrecedente) << "sorted by position";
                        positionPrecedente = p;

                        std::set<int32_t> sonnent;
                        int muettes = 0, plusBasse = 0, haut = 0, bas = 99;
                        bool sixOuPlus = false, ouverteAuDessus = false;
                        for (int s = 1; s <= 6; ++s) {
                            if (f[s] < 0) {
                                ++muettes;
                                continue;
                            }
                            sonnent.insert((kAccordageStandard[s] + f[s]) % 12);
                            plusBasse = s;
                            if (f[s] >= 1) {
                                EXPECT_TRUE(f[s] >= p && f[s] <= p + 4) << "fret outside the window";
                                haut = std::max(haut, f[s]);
                                bas = std::min(bas, f[s]);
                                sixOuPlus = sixOuPlus || f[s] >= 6;
                            }
                        }
                        for (int s = 1; s < plusBasse; ++s)
                            ouverteAuDessus = ouverteAuDessus || f[s] == 0;
                        EXPECT_EQ(sonnent, requises) << "exactly the chord's notes and the bass";
                        EXPECT_GE(plusBasse, 4);
                        EXPECT_EQ((kAccordageStandard[plusBasse] + f[plusBasse]) % 12, basse);
                        if (puissance) {
                            EXPECT_EQ(muettes, 3);
                            if (p >= 2) {
                                EXPECT_GE(f[plusBasse], 1) << "bass fretted above position 1";
                            }
                        } else {
                            EXPECT_LE(muettes, 2);
                            if (p >= 2 && p <= 5) {
                                EXPECT_TRUE(sixOuPlus) << "a shape within frets 1 to 5 belongs to position 1";
                            }
                            if (niveau != kNiveauTout && haut > 0) {
                                EXPECT_LE(haut - bas + 1, niveau == kNiveauSimple ? 3 : 4) << "span";
                            }
                            if (niveau != kNiveauTout && p >= 6) {
                                EXPECT_FALSE(ouverteAuDessus);
                            }
                        }
                        const TAccord barres = ChercherBarres(f, p);
                        EXPECT_EQ(a.NbBarres, barres.NbBarres);
                    }
                }
            }
        }
    }
}

// An all-open shape has no fretted string to place it: it belongs to position 1, not also to
// position 20, whose window is exempt from holding a fret at the position.
TEST(RechercheDoigtes, AllOpenShapeListedOnce)
{
    const TTheorieAccord t = TheorieDe(E, kTypm7, 2, true); // Em7add11: E G B D A, the six open strings
    ASSERT_EQ(ConstruireNomAccord(t), "Em7add11/E");
    const std::vector<TAccord> trouves = RechercherDoigtes(Parametres(t, kNiveauTout));
    ASSERT_EQ(Occurrences(trouves, "0 0 0 0 0 0"), 1);
    EXPECT_EQ(Trouver(trouves, "0 0 0 0 0 0")->FretteBase, 1);
}

// A power chord within frets 1 to 5 used to come again at the position of its lowest fret.
TEST(RechercheDoigtes, PowerChordListedOnce)
{
    const TTheorieAccord t = TheorieDe(E, kTyp5);
    const std::vector<TAccord> trouves = RechercherDoigtes(Parametres(t, kNiveauMoyen));
    EXPECT_EQ(Occurrences(trouves, "x x 2 4 5 x"), 1);
    EXPECT_EQ(Trouver(trouves, "x x 2 4 5 x")->FretteBase, 1);
    EXPECT_EQ(Listes(trouves), (std::vector<std::string>{"1: 0 2 2 x x x", "1: x x 2 4 5 x", "7: x 7 9 9 x x",
                                                         "12: 12 14 14 x x x", "14: x x 14 16 17 x",
                                                         "19: x 19 21 21 x x"}));
}

// A muted string gives way to a fuller shape only when that shape is one the level lists;
// otherwise neither would be shown.
TEST(RechercheDoigtes, MutedStringGivesWayOnlyToAShapeOfTheSameLevel)
{
    const TTheorieAccord c6 = TheorieDe(C, kTyp6);
    const std::vector<TAccord> moyen = RechercherDoigtes(Parametres(c6, kNiveauMoyen));
    // Filling string 1 with its open E would leave string 2 muted between sounding strings
    // and put an open string high on the neck: not a Medium shape.
    EXPECT_EQ(Occurrences(moyen, "8 10 7 9 x x"), 1);
    EXPECT_EQ(Occurrences(moyen, "8 10 7 9 x 0"), 0);
    // At All the fuller shape is listed instead.
    const std::vector<TAccord> tout = RechercherDoigtes(Parametres(c6, kNiveauTout));
    EXPECT_EQ(Occurrences(tout, "8 10 7 9 x x"), 0);
    EXPECT_EQ(Occurrences(tout, "8 10 7 9 x 0"), 1);
    // Likewise E major keeps this Simple shape, whose open-string completion is no Simple shape.
    const std::vector<TAccord> simple = RechercherDoigtes(Parametres(TheorieDe(E, kTypM), kNiveauSimple));
    EXPECT_EQ(Occurrences(simple, "0 14 14 13 x x"), 1);
}

TEST(RechercheDoigtes, NoSearchWithoutBassOrWithTooFewOrTooManyNotes)
{
    // No bass.
    TTheorieAccord sansBasse = TheorieDe(C, kTypM, 0, false, -1);
    ChercherDoigtes(sansBasse, kNiveauTout, kAccordageStandard, "C", false);
    EXPECT_EQ(NbSolutionsDoigte, 0);
    EXPECT_EQ(SolutionCourante, 0);
    EXPECT_EQ(sansBasse.Renversement, -1);

    // One note ticked.
    TTheorieAccord seule = TheorieDe(C, kTypM);
    seule.Coches[2] = seule.Coches[3] = false;
    ChercherDoigtes(seule, kNiveauTout, kAccordageStandard, "C", false);
    EXPECT_EQ(NbSolutionsDoigte, 0);
    EXPECT_FALSE(seule.OmissionsDemandees);

    // A thirteenth with all seven degrees: omissions first. Its bass on the thirteenth is the
    // seventh note, beyond the inversion list.
    TTheorieAccord treize = TheorieDe(C, kTypM, 3, false, A);
    ChercherDoigtes(treize, kNiveauTout, kAccordageStandard, "C13", false);
    EXPECT_TRUE(treize.OmissionsDemandees);
    EXPECT_EQ(NbSolutionsDoigte, 0);
    EXPECT_EQ(treize.Renversement, -1);
    EXPECT_EQ(ConstruireNomAccord(treize), "C13/A");

    treize.Coches[6] = false; // no eleventh
    ChercherDoigtes(treize, kNiveauTout, kAccordageStandard, "C13", false);
    EXPECT_FALSE(treize.OmissionsDemandees);
    EXPECT_GT(NbSolutionsDoigte, 0);
    EXPECT_EQ(treize.Renversement, 5);
}

TEST(RechercheDoigtes, AtMostThreeHundredKept)
{
    TTheorieAccord t = TheorieDe(E, kTypm7, 2, true);
    const std::vector<TAccord> tous = RechercherDoigtes(Parametres(t, kNiveauTout));
    ASSERT_GT(tous.size(), 300u);
    ChercherDoigtes(t, kNiveauTout, kAccordageStandard, "a name longer than twenty", false);
    EXPECT_EQ(NbSolutionsDoigte, 300);
    EXPECT_EQ(SolutionsDoigte[300].Frettes, tous[299].Frettes);
    EXPECT_EQ(SolutionsDoigte[300].Nom, "a name longer than t");
}

TEST(RechercheDoigtes, LoadingAStoredChordSelectsNoFingering)
{
    TTheorieAccord t = TheorieDe(A, kTypm);
    t.Diese = false;
    ChercherDoigtes(t, kNiveauMoyen, kAccordageStandard, "Am", true);
    EXPECT_GT(NbSolutionsDoigte, 0);
    EXPECT_EQ(SolutionCourante, 0);
    EXPECT_FALSE(SolutionsDoigte[1].Diese);
}

TEST(RechercheDoigtes, InversionFollowsTheBass)
{
    struct Cas {
        int32_t basse, renversement;
    };
    for (const Cas& c : {Cas{C, 0}, Cas{E, 1}, Cas{G, 2}, Cas{A, -1}}) {
        TTheorieAccord t = TheorieDe(C, kTypM, 0, false, c.basse);
        ChercherDoigtes(t, kNiveauSimple, kAccordageStandard, "", false);
        EXPECT_EQ(t.Renversement, c.renversement) << "bass " << c.basse;
    }
    // Choosing an inversion sets the bass; a place the chord lacks falls back to the root.
    TTheorieAccord t = TheorieDe(C, kTyp7);
    AppliquerRenversement(t, 3);
    EXPECT_EQ(t.Basse, 10);
    EXPECT_EQ(t.Renversement, 3);
    AppliquerRenversement(t, 5);
    EXPECT_EQ(t.Basse, C);
    EXPECT_EQ(t.Renversement, 0);
    // Nothing ticked: nothing to choose from, and nothing to read out of an empty list.
    t.Coches.fill(false);
    t.Basse = G;
    AppliquerRenversement(t, 2);
    EXPECT_EQ(t.Basse, G);
    EXPECT_EQ(t.Renversement, -1);
}

TEST(RechercheDoigtes, RequiredNotesAreTheTickedDegreesOfTheChord)
{
    TTheorieAccord t = TheorieDe(C, kTypM, 3);
    t.DimAug = 2; // 13+ sounds as the minor seventh
    CalculerDegresAccord(t, false);
    EXPECT_EQ(NotesRequises(t), (std::vector<int32_t>{0, 4, 7, 10, 2, 5}));

    // A loaded record may tick a degree the chord does not have: it asks for no note.
    TTheorieAccord charge = TheorieDe(C, kTypM);
    charge.Coches.fill(true);
    CalculerDegresAccord(charge, true);
    EXPECT_EQ(NotesRequises(charge), (std::vector<int32_t>{0, 4, 7}));
}

TEST(RechercheDoigtes, PlayabilityOfSingleShapes)
{
    struct Cas {
        std::string pourquoi;
        std::string frettes;
        int32_t position, basse, niveau, typ;
        bool jouable;
    };
    const Cas cas[] = {
        {"F with a full barre", "1 3 3 2 1 1", 1, 6, kNiveauMoyen, kTypM, true},
        {"five fingers", "x 1 2 3 4 5", 1, 5, kNiveauTout, kTypM, false},
        {"four fingers over the whole window", "x 1 3 4 5 x", 1, 5, kNiveauTout, kTypM, true},
        {"the same stretch is beyond Medium", "x 1 3 4 5 x", 1, 5, kNiveauMoyen, kTypM, false},
        {"neighbouring strings in unison", "x x 2 4 5 0", 1, 4, kNiveauTout, kTypM, false},
        {"without the unison", "x x 2 4 5 x", 1, 4, kNiveauTout, kTypM, true},
        {"C barre at 3 belongs to position 1", "x 3 5 5 5 3", 3, 5, kNiveauMoyen, kTypM, false},
        {"C barre at 3 at position 1", "x 3 5 5 5 3", 1, 5, kNiveauMoyen, kTypM, true},
        {"frets outside the window", "x 3 2 0 1 0", 7, 5, kNiveauTout, kTypM, false},
        {"power chord with open bass", "0 2 2 x x x", 1, 6, kNiveauTout, kTyp5, true},
        {"power chord with open bass stretched", "0 5 5 x x x", 1, 6, kNiveauTout, kTyp5, false},
        {"power chord, a string missing", "x 3 x 5 x x", 1, 5, kNiveauTout, kTyp5, false},
        {"power chord without a fret at its position", "x 3 5 5 x x", 2, 5, kNiveauTout, kTyp5, false},
        {"power chord at its position", "x 3 5 5 x x", 3, 5, kNiveauTout, kTyp5, true},
        {"power chord with no room for its upper strings", "x x x x 5 5", 5, 2, kNiveauTout, kTyp5, false},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.pourquoi);
        const auto f = Frettes(c.frettes);
        TParametresDoigtes p;
        p.Niveau = c.niveau;
        p.Typ = c.typ;
        p.Accordage = kAccordageStandard;
        EXPECT_EQ(DoigteJouable(f, c.position, c.basse, ChercherBarres(f, c.position), p), c.jouable);
    }
}

TEST(RechercheDoigtes, TakingAFingeringIntoTheWorkingChord)
{
    TTheorieAccord t = TheorieDe(G, kTypM);
    ChercherDoigtes(t, kNiveauMoyen, kAccordageStandard, "G", false);
    ASSERT_GE(NbSolutionsDoigte, 2);
    PrendreSolution(2, false);
    EXPECT_EQ(AccordTravail.Frettes, SolutionsDoigte[2].Frettes);
    EXPECT_FALSE(AccordTravail.Diese);
    const TAccord avant = AccordTravail;
    PrendreSolution(0, true);
    PrendreSolution(NbSolutionsDoigte + 1, true);
    EXPECT_EQ(AccordTravail, avant);
}

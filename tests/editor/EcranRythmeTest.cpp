// The score painter's rhythm: beams, stems, dots, triplets, ties and rests.
#include "FixtureEcran.h"

#include "editor/EcranRythme.h"
#include "platform/Arrondi.h"

#include <set>

namespace {

using Rythme = FixtureEcran;
using Op = platform::CanevasEnregistreur::Operation;

std::string P(int x, int y) { return std::to_string(x) + "," + std::to_string(y); }

// A filled rectangle in the rhythm colour, as the recording canvas sums it up.
std::string Bloc(int x1, int y1, int x2, int y2)
{
    return "Rectangle " + P(x1, y1) + "," + P(x2, y2) + " pen #000000 brush #000000";
}

// Beats of these codes on string 1, dotted where asked.
struct B {
    int code;
    bool pointe = false;
};

} // namespace

class RythmeMesure : public FixtureEcran {
protected:
    void Mettre(std::initializer_list<B> temps, int m = 1)
    {
        Battements({}, m);
        int i = 0;
        for (const B& b : temps) {
            TTemps& t = Temps(++i, m);
            t = TTemps{};
            t.CodeDuree = static_cast<int8_t>(b.code);
            t.Pointee = b.pointe;
            t.Duree = DureeEnTicks(b.code, b.pointe, false);
            t.Notes[1].Frette = 3;
        }
        Mesure(m).NbTemps[PisteCourante] = i;
    }

    // Rectangles below the staff that are no stem (beams and stubs), in drawing order.
    std::vector<std::string> Poutres() const
    {
        std::vector<std::string> r;
        for (const auto& t : canevas.Traces(Op::Rectangle))
            if (t.points[0].y > 115 && t.points[1].x - t.points[0].x > 1)
                r.push_back(t.Resume());
        return r;
    }
    std::vector<std::string> Tiges() const
    {
        std::vector<std::string> r;
        for (const auto& t : canevas.Traces(Op::Rectangle))
            if (t.points[1].x - t.points[0].x == 1)
                r.push_back(t.Resume());
        return r;
    }
};

TEST_F(Rythme, BeamRowsStemEndsAndTheTripletRowFollowTheBeamThickness)
{
    struct Cas {
        int e;
        int y;          // the staff's top
        int base;       // yB
        int haut1, haut2;
        int finHampes;  // yS
        int triolets;   // yT
    };
    for (const Cas& c : {Cas{1, 68, 137, 135, 133, 135, 139}, Cas{2, 64, 136, 134, 131, 135, 139},
                         Cas{3, 60, 135, 133, 129, 135, 139}}) {
        SCOPED_TRACE(c.e);
        ParamEcranCourant.EpCroches = c.e;
        ASSERT_EQ(YPorteeLigne(), c.y);
        const TContexteEcran ctx = ContexteEcran(canevas, YPorteeLigne());
        const TMetriquesRythme m = MetriquesRythme(ctx);
        EXPECT_EQ(m.BaseCroches, c.base);
        EXPECT_EQ(m.HautCroche(1), c.haut1);
        EXPECT_EQ(m.HautCroche(2), c.haut2);
        EXPECT_EQ(m.FinHampes, c.finHampes);
        // The stems end on the lowest row of the first beam.
        EXPECT_EQ(m.FinHampes, c.haut1 + c.e - 1);
        EXPECT_EQ(m.LigneTriolets, c.triolets);
        // The triplet bracket's foot is 7 pixels above the line's bottom, whatever e.
        EXPECT_EQ(m.LigneTriolets + kHauteurTriolet, HauteurLigne() - 7);
    }
}

TEST_F(RythmeMesure, APairOfEighthsSharesOneBeamDrawnFromBothEnds)
{
    Mettre({{1}, {1}, {0}, {-1}});
    Peindre();
    const std::string poutre = Bloc(X(1), 134, X(2) + 1, 136);
    EXPECT_EQ(Poutres(), (std::vector<std::string>{poutre, poutre}));
    // Stems from under the fret ("0" is 14 high) to the beams' lowest row; the half note's is
    // short; the quarter's full.
    EXPECT_EQ(Tiges(), (std::vector<std::string>{Bloc(X(1), 72, X(1) + 1, 136), Bloc(X(2), 72, X(2) + 1, 136),
                                                 Bloc(X(3), 72, X(3) + 1, 136), Bloc(X(4), 127, X(4) + 1, 136)}));
}

TEST_F(RythmeMesure, ASixteenthAfterADottedEighthGetsALeftStubAndTheDotGoesRight)
{
    Mettre({{1, true}, {2}, {0}, {-1}});
    Peindre();
    const std::string poutre = Bloc(X(1), 134, X(2) + 1, 136);
    EXPECT_EQ(Poutres(), (std::vector<std::string>{poutre, poutre, Bloc(X(2) - 7, 131, X(2) + 1, 133)}));
    // A 2 x 2 dot just above the first beam, 5 + 2 right of the stem.
    std::set<std::pair<int, int>> pixels;
    for (const auto& t : canevas.Traces(Op::Pixel))
        pixels.insert({t.points[0].x, t.points[0].y});
    const int x = X(1) + 7;
    EXPECT_EQ(pixels, (std::set<std::pair<int, int>>{{x - 1, 131}, {x, 131}, {x - 1, 132}, {x, 132}}));
}

TEST_F(RythmeMesure, ALoneEighthShowsItsFlagAsARightStub)
{
    Mettre({{1}, {0, true}, {-1}});
    Peindre();
    EXPECT_EQ(Poutres(), (std::vector<std::string>{Bloc(X(1), 134, X(1) + 8, 136)}));
    // The dotted quarter's dot at beam level.
    int points = 0;
    for (const auto& t : canevas.Traces(Op::Pixel))
        points += t.points[0].y == 134 || t.points[0].y == 135 ? 1 : 0;
    EXPECT_EQ(points, 4);
}

TEST_F(RythmeMesure, AThickerBeamUsesTheBigDots)
{
    ParamEcranCourant.EpCroches = 3;
    Mettre({{1, true}, {2}, {0}, {-1}});
    Peindre();
    // yd = yB - 6 = 129: a 4 x 4 dot around (x + 5 + 1, 129).
    int points = 0;
    for (const auto& t : canevas.Traces(Op::Pixel))
        points += t.points[0].x >= X(1) + 4 && t.points[0].x <= X(1) + 7 && t.points[0].y >= 128 && t.points[0].y <= 131;
    EXPECT_EQ(points, 12);
}

TEST_F(RythmeMesure, TheLastBeatBeamedToTheFreeColumnKeepsItsBeamsAsStubs)
{
    Mettre({{0}, {0}, {0}, {1}, {1}});
    Peindre();
    // The edit zone beamed beat 5 to the free column behind it.
    Temps(5).LiensSuiv = 1;
    Temps(5).TempsSuiv = 6;
    Temps(5).CrochetsDroite = 1;
    canevas.Effacer();
    DessinerLigne(canevas, 1, 800, HauteurLigne());
    const std::string poutre = Bloc(X(4), 134, X(5) + 1, 136);
    EXPECT_EQ(Poutres(), (std::vector<std::string>{poutre, poutre, Bloc(X(5), 134, X(5) + 8, 136)}));
}

TEST_F(RythmeMesure, StaleBeamBytesAreNotFollowed)
{
    Mettre({{1}, {1}, {0}, {-1}});
    Peindre();
    Temps(2).TempsPrec = 200;
    Temps(1).TempsSuiv = 0;
    Temps(1).LiensSuiv = 3;
    Temps(3).CrochetsDroite = 250; // a quarter with damaged bytes
    canevas.Effacer();
    DessinerLigne(canevas, 1, 800, HauteurLigne());
    std::vector<std::string> attendues;
    for (int i = 1; i <= 4; ++i)
        attendues.push_back(Bloc(X(3), 134 - 3 * (i - 1), X(3) + 8, 136 - 3 * (i - 1)));
    EXPECT_EQ(Poutres(), attendues);
}

TEST_F(RythmeMesure, ChordStemsJoinNotesWithEmptyStringsBetween)
{
    struct Cas {
        std::vector<int> cordes;
        std::vector<std::string> tiges;
    };
    Mettre({{0}, {0}, {0}, {0}});
    for (const Cas& c : {Cas{{1, 4}, {"72-86", "102-135"}}, Cas{{1, 2}, {"82-135"}}, Cas{{1, 3}, {"92-135"}},
                         Cas{{1, 4, 6}, {"72-86", "122-135"}}, Cas{{2, 6}, {"82-106", "122-135"}}}) {
        for (int s = 1; s <= 6; ++s)
            Temps(1).Notes[s].Frette = -1;
        for (const int s : c.cordes)
            Temps(1).Notes[s].Frette = 0;
        Peindre();
        std::vector<std::string> tiges;
        for (const auto& t : canevas.Traces(Op::Rectangle))
            if (t.points[1].x - t.points[0].x == 1 && t.points[0].x == X(1))
                tiges.push_back(std::to_string(t.points[0].y) + "-" + std::to_string(t.points[1].y - 1));
        EXPECT_EQ(tiges, c.tiges) << ::testing::PrintToString(c.cordes);
    }
}

TEST_F(RythmeMesure, RestsHaveNoStemUnlessTheyAreEighthsOrShorter)
{
    Mettre({{0}, {1}, {1}, {-1}});
    Temps(1).Silence = true;
    Temps(2).Silence = true;
    Peindre();
    // The eighth rest: a stem of 18 rows ending on the beams' lowest row, and its beam.
    EXPECT_EQ(Tiges(), (std::vector<std::string>{Bloc(X(2), 118, X(2) + 1, 136), Bloc(X(3), 72, X(3) + 1, 136),
                                                 Bloc(X(4), 127, X(4) + 1, 136)}));
    EXPECT_EQ(Poutres().size(), 2u);
}

TEST_F(RythmeMesure, AWholeNoteHasNoStem)
{
    Mettre({{-2}});
    Peindre();
    EXPECT_TRUE(Tiges().empty());
}

// ---- Triplets and ties ---------------------------------------------------------------------

TEST_F(RythmeMesure, ATripletBracketSpansThreeBeatsOrTenPixelsAtTheEnd)
{
    Mettre({{0}, {1}, {1}, {1}, {-1}});
    for (int b = 2; b <= 4; ++b) {
        Temps(b).Triolet = true;
        Temps(b).PosTriolet = static_cast<int8_t>(b - 1);
        Temps(b).Duree = 160;
    }
    Peindre();
    auto crochet = [&](int x1, int x2) {
        return std::vector<std::string>{"Ligne " + P(x1, 139) + "," + P(x1, 145) + " pen #000000",
                                        "Ligne " + P(x1, 145) + "," + P(x2, 145) + " pen #000000",
                                        "Ligne " + P(x2, 145) + "," + P(x2, 138) + " pen #000000"};
    };
    auto lignes = Lignes(canevas);
    auto debut = std::find(lignes.begin(), lignes.end(), crochet(X(2), X(4))[0]);
    ASSERT_NE(debut, lignes.end());
    EXPECT_EQ(std::vector<std::string>(debut, debut + 3), crochet(X(2), X(4)));
    // " 3 " in Arial 7 (9 pixels, 12 high) on the background, breaking the bracket's foot.
    EXPECT_EQ(*(debut + 3), "Texte " + P(static_cast<int>(platform::Round((X(2) + X(4) - 18) / 2.0)), 139) +
                                " \" 3 \" font \"Arial\" 7 #000000 brush #FFFFFF");

    // A triplet whose first beat is the second to last of the measure.
    Mettre({{0}, {0}, {0}, {1}, {1}});
    Temps(4).Triolet = true;
    Temps(4).PosTriolet = 1;
    Peindre();
    lignes = Lignes(canevas);
    const auto court = crochet(X(4), X(4) + 10);
    debut = std::find(lignes.begin(), lignes.end(), court[0]);
    ASSERT_NE(debut, lignes.end());
    EXPECT_EQ(std::vector<std::string>(debut, debut + 3), court);
}

TEST_F(RythmeMesure, TiesStartAtThePreviousBeatOnTheLineOrNineteenPixelsLeft)
{
    Mesures(2);
    Mettre({{0}, {0}, {0}, {0}}, 1);
    Mettre({{0}, {0}, {0}, {0}}, 2);
    Temps(2, 1).Lie = true;
    Temps(1, 2).Lie = true;
    auto arc = [](int x9, int x8) {
        return "Arc " + P(x9, 133) + "," + P(x8 + 1, 145) + " " + P(x9, 139) + " " + P(x8 + 1, 139) + " pen #000000";
    };
    Peindre();
    EXPECT_TRUE(Contient(canevas, arc(X(1, 1), X(2, 1))));
    EXPECT_TRUE(Contient(canevas, "Pixel " + P(X(2, 1), 139) + " #000000"));
    // Across the bar on the same line: from the last beat of measure 1.
    EXPECT_TRUE(Contient(canevas, arc(X(4, 1), X(1, 2))));

    // Measure 2 on a line of its own: the tie comes from the previous line.
    LignesAffichage.LargeurDispo = 200;
    Peindre(2);
    ASSERT_EQ(LignesAffichage.PremiereMesure[2], 2);
    EXPECT_TRUE(Contient(canevas, arc(X(1, 2) - 19, X(1, 2))));

    // A tie on the song's very first beat has nothing to start from.
    Temps(1, 1).Lie = true;
    Peindre(1);
    EXPECT_TRUE(Contient(canevas, arc(X(1, 1) - 19, X(1, 1))));
}

TEST_F(RythmeMesure, ATiedBeatStemsFromTheLowestString)
{
    Mettre({{0}, {0}, {0}, {0}});
    Temps(2).Lie = true;
    Temps(2).Notes[1].Frette = 3; // kept in memory, not shown
    Peindre();
    EXPECT_TRUE(Contient(canevas, Bloc(X(2), 122, X(2) + 1, 136)));
}

// ---- Rest glyphs ---------------------------------------------------------------------------

TEST(DessinerSilence, GlyphsByDurationCode)
{
    struct Cas {
        int code;
        std::vector<std::string> debut; // first primitives
        int lignes;
        int pixels;
        int polygones;
    };
    const std::string c = " pen #0000FF brush #0000FF";
    for (const Cas& cas : {Cas{-2, {"Rectangle 45,45,54,50" + c}, 0, 0, 0}, Cas{-1, {"Rectangle 45,51,54,56" + c}, 0, 0, 0},
                           Cas{0, {}, 0, 0, 1}, Cas{1, {"Ligne 53,42,48,59 pen #0000FF", "Ligne 53,42,47,44 pen #0000FF"}, 2, 7, 0},
                           Cas{2, {}, 3, 14, 0}, Cas{4, {}, 5, 28, 0}, Cas{9, {}, 5, 28, 0}, Cas{-3, {}, 0, 0, 0}}) {
        SCOPED_TRACE(cas.code);
        platform::CanevasEnregistreur canevas;
        DessinerSilence(canevas, 50, 50, platform::clBlue, cas.code);
        const auto& traces = canevas.Traces();
        for (std::size_t i = 0; i < cas.debut.size(); ++i) {
            ASSERT_LT(i, traces.size());
            EXPECT_EQ(traces[i].Resume(), cas.debut[i]);
        }
        EXPECT_EQ(canevas.Traces(Op::Ligne).size(), static_cast<std::size_t>(cas.lignes));
        EXPECT_EQ(canevas.Traces(Op::Pixel).size(), static_cast<std::size_t>(cas.pixels));
        const auto polygones = canevas.Traces(Op::Polygone);
        ASSERT_EQ(polygones.size(), static_cast<std::size_t>(cas.polygones));
        if (cas.polygones) {
            ASSERT_EQ(polygones[0].points.size(), 16u);
            EXPECT_EQ(polygones[0].points[0], (platform::Point{49, 42}));
            EXPECT_EQ(polygones[0].points[7], (platform::Point{50, 59}));
        }
    }
}

TEST_F(RythmeMesure, ARestSitsInTheMiddleOfTheStaffInTheFretColour)
{
    Mettre({{-1}, {-1}});
    Temps(2).Silence = true;
    PolicesLabels().Definir("FontNotes", TMyFont{"Arial", 8, true, false, CouleurRVB(0, 0, 128)});
    Peindre();
    // Middle of the staff: 64 + Round(25) = 89.
    EXPECT_TRUE(Contient(canevas, "Rectangle " + P(X(2) - 5, 90) + "," + P(X(2) + 4, 95) + " pen #000080 brush #000080"));
}

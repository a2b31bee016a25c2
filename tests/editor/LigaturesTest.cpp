#include "FixtureSaisie.h"

#include "editor/Ligatures.h"

using platform::CanevasEnregistreur;

namespace {

using Ligatures = FixtureSaisie;

struct Octets {
    int lp, tp, cg, ls, ts, cd, cp;
    friend bool operator==(const Octets&, const Octets&) = default;
    friend std::ostream& operator<<(std::ostream& o, const Octets& x)
    {
        return o << "{LP " << x.lp << " TP " << x.tp << " CG " << x.cg << " LS " << x.ls << " TS " << x.ts
                 << " CD " << x.cd << " CP " << x.cp << "}";
    }
};

Octets Lire(const TTemps& t)
{
    return {t.LiensPrec, t.TempsPrec, t.CrochetsGauche, t.LiensSuiv, t.TempsSuiv, t.CrochetsDroite, t.CotePointe};
}

} // namespace

TEST_F(Ligatures, GroupTablesOfTimeSignatures)
{
    struct Cas {
        int num, den;
        std::vector<int> tailles;
        int diviseur;
    };
    const Cas cas[] = {
        {4, 4, {2, 2, 2, 2}, 2},
        {3, 4, {2, 2, 2}, 2},
        {2, 2, {2, 2, 2, 2}, 2},
        {3, 1, std::vector<int>(12, 2), 2},
        {32, 1, std::vector<int>(128, 2), 2},
        {6, 8, {3, 3}, 2},
        {7, 8, {3, 2, 2}, 2},
        {5, 8, {3, 2}, 2},
        {4, 8, {2, 2}, 2},
        {12, 8, {3, 3, 3, 3}, 2},
        {1, 8, {1}, 2},
        {8, 8, {2, 2, 2, 2}, 2},             // read as 4/4
        {16, 8, std::vector<int>(8, 2), 2},  // read as 8/4
        {32, 16, std::vector<int>(8, 2), 2}, // read as 8/4
        {9, 16, {3, 3, 3}, 4},
        {2, 32, {2}, 8},
        {200, 1, std::vector<int>(kNbGroupesMax, 2), 2}, // bounded
    };
    for (const Cas& k : cas) {
        const TTableGroupes t = TableGroupes(k.num, k.den);
        EXPECT_EQ(t.Tailles, k.tailles) << k.num << "/" << k.den;
        EXPECT_EQ(t.Diviseur, k.diviseur) << k.num << "/" << k.den;
    }
}

TEST_F(Ligatures, GroupsCloseOnWholeGroupLengths)
{
    using G = std::vector<TGroupeTemps>;
    struct Cas {
        int num, den;
        std::vector<int> codes;
        G groupes;
    };
    const Cas cas[] = {
        {4, 4, {1, 1, 1, 1}, G{{1, 2}, {3, 4}}},
        {6, 8, {1, 1, 1, 1, 1, 1}, G{{1, 3}, {4, 6}}},
        {3, 4, {1, 1, 1, 1, 1, 1}, G{{1, 2}, {3, 4}, {5, 6}}},
        {2, 4, {1, 2, 2}, G{{1, 3}}},
        {4, 4, {-1, 1, 1}, G{{1, 1}, {2, 3}}},                 // a half closes at once
        {6, 8, {1, 1, 1, 1, 1, 1, 1, 1, 1}, G{{1, 3}, {4, 6}, {7, 9}}}, // overflow: last size
        {2, 4, {0, 0, 0, 0}, G{{1, 1}, {2, 2}, {3, 3}, {4, 4}}},
        {4, 4, {1}, G{{1, 1}}},                               // an unfinished group closes at the end
    };
    for (const Cas& k : cas) {
        Signature(k.num, k.den);
        Battements({});
        int b = 0;
        for (int code : k.codes) {
            Temps(++b) = TTemps{};
            Temps(b).CodeDuree = static_cast<int8_t>(code);
            Temps(b).Duree = DureeEnTicks(code, false, false);
        }
        EXPECT_EQ(GroupesTemps(Mesure(), 1, b), k.groupes) << k.num << "/" << k.den << " beats " << b;
    }
    // A dotted quarter and an eighth under 4/4 make one group.
    Signature(4, 4);
    Temps(1).Duree = 720;
    Temps(2).Duree = 240;
    EXPECT_EQ(GroupesTemps(Mesure(), 1, 2), (G{{1, 2}}));
}

TEST_F(Ligatures, BeamBytes)
{
    struct Temps_ {
        int code;
        bool pointee = false;
        bool silence = false;
    };
    struct Cas {
        const char* nom;
        int num, den;
        std::vector<Temps_> temps;
        std::vector<Octets> octets;
    };
    const Octets stale{9, 9, 9, 9, 9, 9, 9};
    const Cas cas[] = {
        {"4/4 four eighths", 4, 4, {{1}, {1}, {1}, {1}},
         {{0, 0, 0, 1, 2, 1, 0}, {1, 1, 1, 0, 0, 0, 0}, {0, 0, 0, 1, 4, 1, 0}, {1, 3, 1, 0, 0, 0, 0}}},
        {"6/8 six eighths", 6, 8, {{1}, {1}, {1}, {1}, {1}, {1}},
         {{0, 0, 0, 1, 2, 1, 0}, {1, 1, 1, 1, 3, 1, 0}, {1, 2, 1, 0, 0, 0, 0},
          {0, 0, 0, 1, 5, 1, 0}, {1, 4, 1, 1, 6, 1, 0}, {1, 5, 1, 0, 0, 0, 0}}},
        {"2/4 eighth and two sixteenths", 2, 4, {{1}, {2}, {2}},
         {{0, 0, 0, 1, 2, 1, 0}, {1, 1, 1, 2, 3, 2, 0}, {2, 2, 2, 0, 0, 0, 0}}},
        {"dotted eighth and sixteenth", 4, 4, {{1, true}, {2}},
         {{0, 0, 0, 1, 2, 1, 2}, {1, 1, 2, 0, 0, 0, 0}}},
        {"lone eighth", 1, 8, {{1}}, {{0, 0, 0, 0, 0, 1, 0}}},
        {"eighth rest beamed", 6, 8, {{1}, {1, false, true}, {1}},
         {{0, 0, 0, 1, 2, 1, 0}, {1, 1, 1, 1, 3, 1, 0}, {1, 2, 1, 0, 0, 0, 0}}},
        {"quarter rest jumped", 4, 4, {{1}, {0, false, true}, {1}},
         {{0, 0, 0, 1, 3, 1, 0}, stale, {1, 1, 1, 0, 0, 0, 0}}},
        {"quarter then eighth", 6, 8, {{0}, {1}},
         {{0, 0, 0, 0, 2, 0, 0}, {0, 1, 0, 0, 0, 1, 0}}},
        {"sixteenth stub between eighths", 3, 8, {{1}, {2}, {1}, {2}},
         {{0, 0, 0, 1, 2, 1, 0}, {1, 1, 0, 1, 3, 2, 0}, {1, 2, 1, 1, 4, 1, 0}, {1, 3, 2, 0, 0, 0, 0}}},
        {"dotted sixteenth after an eighth", 2, 4, {{1}, {2, true}, {3}},
         {{0, 0, 0, 1, 2, 1, 0}, {1, 1, 1, 2, 3, 2, 2}, {2, 2, 3, 0, 0, 0, 0}}},
    };
    for (const Cas& k : cas) {
        Signature(k.num, k.den);
        int b = 0;
        for (const Temps_& d : k.temps) {
            TTemps& t = Temps(++b);
            t = TTemps{};
            t.CodeDuree = static_cast<int8_t>(d.code);
            t.Pointee = d.pointee;
            t.Silence = d.silence;
            t.Duree = DureeEnTicks(d.code, d.pointee, false);
            t.LiensPrec = t.TempsPrec = t.CrochetsGauche = t.LiensSuiv = t.TempsSuiv = t.CrochetsDroite = t.CotePointe = 9;
        }
        Mesure().NbTemps[1] = b;
        CalculerLigaturesMesure(Mesure(), 1, b);
        for (int i = 1; i <= b; ++i)
            EXPECT_EQ(Lire(Temps(i)), k.octets[i - 1]) << k.nom << ", beat " << i;
    }
}

TEST_F(Ligatures, EditZoneBeamsTheLastBeatToTheFreeColumnUnderTheCursor)
{
    Battements({1}); // the free slot is prepared as an eighth too
    ASSERT_EQ(Temps(2).CodeDuree, 1);
    Curseur.Temps = 1;
    LigaturerMesure(canevas, 0);
    EXPECT_EQ(Lire(Temps(1)), (Octets{0, 0, 0, 0, 0, 1, 0}));
    Curseur.Temps = 2;
    LigaturerMesure(canevas, 0);
    EXPECT_EQ(Lire(Temps(1)), (Octets{0, 0, 0, 1, 2, 1, 0}));
    // The status still counts only the beats.
    EXPECT_EQ(fenetre.Longueurs, "0.500 : 4.000");
}

TEST_F(Ligatures, RhythmRowDrawing)
{
    // Dotted eighth, sixteenth, half, whole (a 4/4 measure overfull on purpose).
    Battements({1, 2, -1, -2});
    Temps(1).Pointee = true;
    Temps(1).Duree = 360;
    Curseur.Temps = 1;
    LigaturerMesure(canevas, 0);
    const auto lignes = Lignes(canevas);
    ASSERT_FALSE(lignes.empty());
    EXPECT_EQ(lignes.front(), "Rectangle 30,125,600,142 pen #FFFFFF brush #FFFFFF");
    // Stems from ys = 125 down to 139; the half's 7 pixels shorter; none for the whole.
    EXPECT_TRUE(Contient(canevas, "Ligne 80,125,80,140 pen #0000FF"));
    EXPECT_TRUE(Contient(canevas, "Ligne 130,125,130,140 pen #0000FF"));
    EXPECT_TRUE(Contient(canevas, "Ligne 180,132,180,140 pen #0000FF"));
    EXPECT_EQ(Compte(canevas, "Ligne 230,"), 0);
    // One beam shared, drawn by both beats, rows 138 and 139.
    EXPECT_EQ(Compte(canevas, "Ligne 80,138,130,138 pen #0000FF"), 2);
    EXPECT_EQ(Compte(canevas, "Ligne 80,139,130,139 pen #0000FF"), 2);
    // The sixteenth's second beam: a stub 10 pixels to the left, three rows higher.
    EXPECT_TRUE(Contient(canevas, "Ligne 130,135,120,135 pen #0000FF"));
    EXPECT_TRUE(Contient(canevas, "Ligne 130,136,120,136 pen #0000FF"));
    // The dotted eighth's dot, right of its stem.
    EXPECT_TRUE(Contient(canevas, "FillRect 83,135,85,137 brush #0000FF"));
    EXPECT_EQ(fenetre.NbEtats, 1);
    EXPECT_EQ(fenetre.Longueurs, "7.000 : 4.000");
}

TEST_F(Ligatures, LoneEighthHasAFlagStubToTheRight)
{
    Signature(1, 8);
    Battements({1});
    Curseur.Temps = 1;
    LigaturerMesure(canevas, 0);
    EXPECT_TRUE(Contient(canevas, "Ligne 80,138,90,138 pen #0000FF"));
    EXPECT_TRUE(Contient(canevas, "Ligne 80,139,90,139 pen #0000FF"));
}

TEST_F(Ligatures, SkippedRestsDrawNothing)
{
    Battements({0, 1});
    Temps(1).Silence = true;
    Curseur.Temps = 1;
    LigaturerMesure(canevas, 0);
    EXPECT_EQ(Compte(canevas, "Ligne 80,"), 0);
    EXPECT_TRUE(Contient(canevas, "Ligne 130,125,130,140 pen #0000FF"));
}

TEST_F(Ligatures, WholeSongMeasureByMeasureEndsOnMeasureOne)
{
    Mesures(3);
    Battements({1, 1}, 2);
    Battements({2, 2, 2, 2}, 3);
    Partition.MesureCourante = 2;
    LigaturerMesure(3);
    EXPECT_EQ(Partition.MesureCourante, 3);
    EXPECT_EQ(fenetre.NbEtats, 0); // nothing shown for a measure computed off screen

    Temps(1, 2).TempsSuiv = 0;
    Partition.MesureCourante = 3;
    LigaturerPartition();
    EXPECT_EQ(Partition.MesureCourante, 1);
    EXPECT_EQ(Temps(1, 2).TempsSuiv, 2);
    EXPECT_EQ(Temps(2, 3).LiensSuiv, 2);
}

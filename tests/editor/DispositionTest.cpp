// Score layout: beat spacing, measure widths, line breaking and justification, against values
// worked out by hand from the layout rules (default settings unless a case says otherwise).
#include "ChantierVuePartition.h"

#include <array>
#include <cmath>

using namespace chantier_partition;

namespace {

class DispositionTest : public VuePartitionTest {
protected:
    // Lays the song out on lines of that width (the panel is 6 pixels wider).
    void Couper(int largeurDispo)
    {
        surface.largeurPanneau = largeurDispo + 6;
        DisposerBandes();
        CouperLignes();
    }
    std::pair<int32_t, int32_t> Ligne(int32_t l)
    {
        return {LignesAffichage.PremiereMesure[l], LignesAffichage.DerniereMesure[l]};
    }
};

TEST_F(DispositionTest, DerivedWidthsFollowTheNoteSpacingWithHalvesToEven)
{
    struct Cas {
        int32_t coefEspAff, espLignes;
        int32_t base, sup;
        // minimum widths of a 64th, eighth, quarter, half, dotted half, whole
        int64_t min64, min8, min4, min2, min2p, min1;
        int32_t premiere, renvoiDebut, signature, derniere, renvoiFin;
    } cas[] = {
        // f = 1: the factors themselves.
        {5, 10, 19, 18, 18, 22, 26, 30, 34, 37, 8, 13, 13, 8, 13},
        // f = 0.5: 18.5 -> 18, 9.5 -> 10 (halves go to the even neighbour).
        {0, 10, 10, 9, 9, 11, 13, 15, 17, 18, 8, 13, 13, 8, 13},
        // f = 1.5 squared = 2.25: 40.5 -> 40, 49.5 -> 50, 58.5 -> 58, 67.5 -> 68, 76.5 -> 76.
        {10, 10, 43, 40, 40, 50, 58, 68, 76, 83, 8, 13, 13, 8, 13},
        // Narrow staves take the smaller extra spaces.
        {5, 8, 19, 18, 18, 22, 26, 30, 34, 37, 5, 9, 10, 5, 9},
        // A hand-edited spacing outside 0..10 is taken at its bound, not squared without end.
        {1000000, 10, 43, 40, 40, 50, 58, 68, 76, 83, 8, 13, 13, 8, 13},
        {-7, 10, 10, 9, 9, 11, 13, 15, 17, 18, 8, 13, 13, 8, 13},
    };
    for (const Cas& c : cas) {
        ParamEcranCourant.CoefEspAff = c.coefEspAff;
        ParamEcranCourant.EspLignes = c.espLignes;
        CalculerLargeursTemps();
        const TParamEcran& p = ParamEcranCourant;
        SCOPED_TRACE(testing::Message() << "CoefEspAff " << c.coefEspAff << " EspLignes " << c.espLignes);
        EXPECT_EQ(p.LargeurBase, c.base);
        EXPECT_EQ(p.LargeurSupMesure, c.sup);
        EXPECT_EQ(LargeurMinimaleDuree(kQuadrupleCroche), c.min64);
        EXPECT_EQ(LargeurMinimaleDuree(45), c.min64);   // dotted 64th
        EXPECT_EQ(LargeurMinimaleDuree(kCroche), c.min8);
        EXPECT_EQ(LargeurMinimaleDuree(160), c.min8);   // triplet eighth
        EXPECT_EQ(LargeurMinimaleDuree(kNoire), c.min4);
        EXPECT_EQ(LargeurMinimaleDuree(kBlanche), c.min2);
        EXPECT_EQ(LargeurMinimaleDuree(1440), c.min2p);
        EXPECT_EQ(LargeurMinimaleDuree(kRonde), c.min1);
        EXPECT_EQ(p.EspacePremiereMesure, c.premiere);
        EXPECT_EQ(p.EspaceRenvoiDebut, c.renvoiDebut);
        EXPECT_EQ(p.EspaceSignature, c.signature);
        EXPECT_EQ(p.EspaceDerniereMesure, c.derniere);
        EXPECT_EQ(p.EspaceRenvoiFin, c.renvoiFin);
    }
    // Painter values derived at the same time.
    ParamEcranCourant.EpCroches = 3;
    ParamEcranCourant.EspLignes = 10;
    ParamEcranCourant.ColSelect = 0x0000FF; // red
    CalculerLargeursTemps();
    EXPECT_EQ(ParamEcranCourant.EcartCroches, 4);
    EXPECT_EQ(ParamEcranCourant.DecalageSignature, 6);
    EXPECT_EQ(AffichagePartition.CouleurSelection, platform::clRed);
}

TEST_F(DispositionTest, DurationsWithoutMinimumAndOutsideTheTableHaveNone)
{
    // Triplet sixteenths and the dotted whole have no minimum; durations a corrupt file may
    // hold (negative, zero, beyond the table) read no entry at all.
    for (int32_t duree : {80, 2880, 0, -30, -1000000, 9702, 9703, 100000, 2147483647})
        EXPECT_EQ(LargeurMinimaleDuree(duree), 0) << duree;
    EXPECT_EQ(LargeurMinimaleDuree(9700), 0); // last entry of the table, no minimum
}

TEST_F(DispositionTest, OneMeasureIsSpacedProportionallyThenWidenedToItsMinimum)
{
    struct Cas {
        const char* nom;
        std::vector<int32_t> durees;
        std::vector<int32_t> x;
        int32_t largeur;
    } cas[] = {
        // 19 each, widened to the quarter's 26.
        {"four quarters", Repeter(kNoire, 4), {0, 26, 52, 78}, 104},
        // 19 and 19/1.5^3; the eighth's minimum 22 over a 6-pixel gap stretches by 11/3.
        {"whole and eighth", {kRonde, kCroche}, {0, 70}, 92},
        // Stretched by 22/8 = 2.75: 30 x 2.75 = 82.5 goes to 82, not 83.
        {"quarter, two eighths, half", {kNoire, kCroche, kCroche, kBlanche}, {0, 36, 58, 82}, 135},
        {"eight eighths", Repeter(kCroche, 8), {0, 22, 44, 66, 88, 110, 132, 154}, 176},
        // 19 is above the 18 minimum of a sixteenth: no widening.
        {"sixteen sixteenths", Repeter(kDoubleCroche, 16),
         {0, 19, 38, 57, 76, 95, 114, 133, 152, 171, 190, 209, 228, 247, 266, 285}, 304},
        {"empty", {}, {}, 0},
    };
    for (const Cas& c : cas) {
        PartitionDeMesures({c.durees});
        EspacerMesure(1);
        EXPECT_EQ(XEcran(1), c.x) << c.nom;
        EXPECT_EQ(Partition.Mesures[1]->Largeur, c.largeur) << c.nom;
    }
}

TEST_F(DispositionTest, ZeroGapsBetweenRoundedBeatsCountAsOnePixel)
{
    // At the highest rhythm proportion a half among sixty-fourths leaves the sixty-fourths
    // 19/32 of a pixel apart: after rounding, many gaps are 0. Each counts as 1 pixel, so the
    // 18-pixel minimum stretches the measure 18 times.
    ParamEcranCourant.CoefPImp = 2.0;
    std::vector<int32_t> d{kBlanche};
    for (int i = 0; i < 32; ++i)
        d.push_back(kQuadrupleCroche);
    PartitionDeMesures({d});
    EspacerMesure(1);
    const std::vector<int32_t> x = XEcran(1);
    ASSERT_EQ(x.size(), 33u);
    EXPECT_EQ(x[1], 342);       // 19 x 18
    EXPECT_EQ(x[2], 360);       // 20 x 18
    EXPECT_EQ(x[3], 360);       // a gap still 0 after stretching
    EXPECT_EQ(x[32], 666);
    EXPECT_EQ(Partition.Mesures[1]->Largeur, 684);

    // The same with the narrowest note spacing and a whole note at the default proportion.
    ParamEcranCourant.CoefPImp = 1.5;
    ParamEcranCourant.CoefEspAff = 0;
    CalculerLargeursTemps();
    d = {kRonde};
    for (int i = 0; i < 64; ++i)
        d.push_back(kQuadrupleCroche);
    PartitionDeMesures({d});
    EspacerMesure(1);
    EXPECT_EQ(XEcran(1)[1], 90);
    EXPECT_EQ(Partition.Mesures[1]->Largeur, 594);
}

TEST_F(DispositionTest, BeatsOfCorruptLengthsTakeNoRoomAndNeverBreakTheLayout)
{
    // Beats without a positive length (only a corrupt file holds them) take no room and have
    // no minimum; the two quarters are widened to 26 as usual.
    PartitionDeMesures({{kNoire, 0, -480, kNoire}});
    EspacerMesure(1);
    EXPECT_EQ(XEcran(1), (std::vector<int32_t>{0, 26, 26, 26}));
    EXPECT_EQ(Partition.Mesures[1]->Largeur, 52);

    // A beat longer than the minimum-width table has no minimum.
    PartitionDeMesures({{50000}});
    EspacerMesure(1);
    EXPECT_EQ(Partition.Mesures[1]->Largeur, 19);

    // Every beat without a length: the measure has no width.
    PartitionDeMesures({{0, 0, -5}});
    EspacerMesure(1);
    EXPECT_EQ(XEcran(1), (std::vector<int32_t>{0, 0, 0}));
    EXPECT_EQ(Partition.Mesures[1]->Largeur, 0);

    // A rhythm proportion of zero from a damaged settings file spaces all beats alike (19),
    // then the whole's minimum 37 stretches them.
    ParamEcranCourant.CoefPImp = 0;
    PartitionDeMesures({{kRonde, kCroche}});
    EspacerMesure(1);
    EXPECT_EQ(XEcran(1), (std::vector<int32_t>{0, 37}));
    EXPECT_EQ(Partition.Mesures[1]->Largeur, 74);
}

TEST_F(DispositionTest, ExtraSpacesAtSongBoundsRepeatsAndSignatureChanges)
{
    PartitionDeMesures({Repeter(kNoire, 4), Repeter(kNoire, 4), Repeter(kNoire, 3), Repeter(kNoire, 3)});
    Partition.Mesures[1]->RenvoiDebut = true;
    Partition.Mesures[3]->Numerateur = 3;
    Partition.Mesures[4]->Numerateur = 3;
    Partition.Mesures[4]->RenvoiFin = true;
    Couper(2000);
    struct Attendu {
        int32_t gauche, droite, xGauche, xDroite;
    } attendus[] = {
        {26, 0, 25, 173},  // repeat start on measure 1: 13 + 13, not 8 + 13
        {0, 0, 173, 295},
        {13, 0, 295, 404}, // time-signature change
        {0, 13, 404, 513}, // repeat end replaces the song's end space
    };
    for (int m = 1; m <= 4; ++m) {
        const TMesure& b = *Partition.Mesures[m];
        EXPECT_EQ(b.EspaceGauche, attendus[m - 1].gauche) << m;
        EXPECT_EQ(b.EspaceDroite, attendus[m - 1].droite) << m;
        EXPECT_EQ(b.XGauche, attendus[m - 1].xGauche) << m;
        EXPECT_EQ(b.XDroite, attendus[m - 1].xDroite) << m;
    }
}

TEST_F(DispositionTest, LinesAreFilledGreedilyAndJustified)
{
    // Ten measures of four quarters at 800 pixels (750 between the margins): a measure is
    // 104 wide plus 18 before its first beat, the first also 21, the last 8 after it.
    std::vector<std::vector<int32_t>> mesures(10, Repeter(kNoire, 4));
    PartitionDeMesures(mesures);
    Couper(800);

    ASSERT_EQ(LignesAffichage.NbLignes, 2);
    EXPECT_EQ(Ligne(1), std::make_pair(1, 5));  // 143 + 4 x 122 = 631; a sixth makes 753
    EXPECT_EQ(Ligne(2), std::make_pair(6, 10)); // 4 x 122 + 130 = 618
    EXPECT_EQ(Ligne(3), std::make_pair(0, 0));

    // Line 1 stretched by (750 - 111) / 520: 26 -> 32, 52 -> 64, 78 -> 96, 104 -> 128.
    EXPECT_EQ(XEcran(1), (std::vector<int32_t>{39, 71, 103, 135}));
    EXPECT_EQ(Partition.Mesures[1]->Largeur, 167);
    EXPECT_EQ(XEcran(2), (std::vector<int32_t>{185, 217, 249, 281}));
    EXPECT_EQ(Partition.Mesures[5]->Largeur, 751);
    // Line 2 is the last but 750 / 618 is below 4/3: stretched by (750 - 98) / 520.
    EXPECT_EQ(XEcran(6), (std::vector<int32_t>{18, 51, 83, 116}));
    EXPECT_EQ(XEcran(10), (std::vector<int32_t>{610, 643, 675, 708}));
    EXPECT_EQ(Partition.Mesures[10]->Largeur, 740);

    // Bars, lines and staff height of every measure, painted or not.
    const int32_t xg[] = {25, 192, 338, 484, 630, 25, 173, 321, 469, 617};
    for (int m = 1; m <= 10; ++m) {
        const TMesure& b = *Partition.Mesures[m];
        EXPECT_EQ(b.Ligne, m <= 5 ? 1 : 2) << m;
        EXPECT_EQ(b.XGauche, xg[m - 1]) << m;
        EXPECT_EQ(b.XDroite, m < 10 && m != 5 ? xg[m] : 25 + b.Largeur + b.EspaceDroite) << m;
        EXPECT_EQ(b.Y, 64) << m; // 102 - 30 - 4 x 2
    }
    // A justified line ends at the available width, give or take half a pixel per measure.
    EXPECT_LE(std::abs(Partition.Mesures[5]->XDroite - 775), 3);
    EXPECT_LE(std::abs(Partition.Mesures[10]->XDroite - 775), 3);
}

TEST_F(DispositionTest, AShortLastLineStaysUnjustifiedAboveAThirdMore)
{
    // Two measures need 273 pixels. At 414 (364 available) the line would grow by exactly a
    // third: justified. One pixel more and it stays as spaced.
    PartitionDeMesures({Repeter(kNoire, 4), Repeter(kNoire, 4)});
    Couper(414);
    EXPECT_EQ(XEcran(1), (std::vector<int32_t>{39, 76, 114, 151}));
    EXPECT_EQ(Partition.Mesures[1]->Largeur, 189); // 104 x 1.4375 = 149.5 -> 150, plus 39
    EXPECT_EQ(Partition.Mesures[2]->XDroite, 390);

    Couper(415);
    EXPECT_EQ(XEcran(1), (std::vector<int32_t>{39, 65, 91, 117}));
    EXPECT_EQ(XEcran(2), (std::vector<int32_t>{161, 187, 213, 239}));
    EXPECT_EQ(Partition.Mesures[2]->XDroite, 298);

    // A line that does not hold the song's last measure is always justified: three measures
    // at 350 pixels, two on line 1 stretched by 243 / 208 (104 -> 121.5 -> 122, twice).
    PartitionDeMesures({Repeter(kNoire, 4), Repeter(kNoire, 4), Repeter(kNoire, 4)});
    Couper(350);
    EXPECT_EQ(Ligne(1), std::make_pair(1, 2));
    EXPECT_EQ(Ligne(2), std::make_pair(3, 3));
    EXPECT_EQ(XEcran(1), (std::vector<int32_t>{39, 69, 100, 130}));
    EXPECT_EQ(Partition.Mesures[2]->XDroite, 326);
}

TEST_F(DispositionTest, AMeasureWiderThanTheLineStandsAloneCompressed)
{
    PartitionDeMesures({Repeter(kQuadrupleCroche, 64), Repeter(kNoire, 4)});
    Couper(400);
    EXPECT_EQ(Ligne(1), std::make_pair(1, 1));
    EXPECT_EQ(Ligne(2), std::make_pair(2, 2));
    // 1216 pixels of beats squeezed into 350 - 39: compressed, in order, ending on the bar.
    const std::vector<int32_t> x = XEcran(1);
    EXPECT_EQ(x.front(), 39);
    EXPECT_EQ(x[1], 44);
    EXPECT_TRUE(std::is_sorted(x.begin(), x.end()));
    EXPECT_EQ(Partition.Mesures[1]->XDroite, 375);
}

TEST_F(DispositionTest, EmptyMeasuresKeepNoContentWidth)
{
    PartitionDeMesures({{}, {}, {}});
    for (int largeur : {800, 200}) { // the last line left alone, then stretched (W taken as 50)
        Couper(largeur);
        EXPECT_EQ(LignesAffichage.NbLignes, 1);
        int32_t attendus[][3] = {{39, 25, 64}, {57, 64, 82}, {75, 82, 108}};
        for (int m = 1; m <= 3; ++m) {
            const TMesure& b = *Partition.Mesures[m];
            EXPECT_EQ(b.Largeur, attendus[m - 1][0]) << largeur << " " << m;
            EXPECT_EQ(b.XGauche, attendus[m - 1][1]) << largeur << " " << m;
            EXPECT_EQ(b.XDroite, attendus[m - 1][2]) << largeur << " " << m;
        }
    }
}

TEST_F(DispositionTest, APanelNarrowerThanItsMarginsNeverRunsBeatsBackwards)
{
    PartitionDeMesures({Repeter(kNoire, 4), Repeter(kCroche, 8)});
    for (int largeur : {0, 10, 56, 80}) {
        Couper(largeur);
        EXPECT_EQ(LignesAffichage.NbLignes, 2) << largeur;
        for (int m = 1; m <= 2; ++m) {
            const std::vector<int32_t> x = XEcran(m);
            EXPECT_TRUE(std::is_sorted(x.begin(), x.end())) << largeur;
            const TMesure& b = *Partition.Mesures[m];
            EXPECT_GE(x.front(), b.XGauche - ParamEcranCourant.MargeGaucheLignes) << largeur;
            EXPECT_LE(b.XGauche, b.XDroite) << largeur;
        }
    }
}

TEST_F(DispositionTest, OnlyTheCurrentTrackIsLaidOut)
{
    PartitionDeMesures({Repeter(kNoire, 4)});
    Partition.Mesures[1]->NbTemps[2] = 2;
    Partition.Mesures[1]->Temps[2][1].Duree = kRonde;
    Partition.Mesures[1]->Temps[2][2].Duree = kCroche;
    Partition.Mesures[1]->Temps[1][2].XEcran = -7;
    PisteCourante = 2;
    Couper(2000);
    const TMesure& b = *Partition.Mesures[1];
    EXPECT_EQ(b.Temps[2][2].XEcran, 70 + 39);
    EXPECT_EQ(b.Temps[1][2].XEcran, -7); // track 1 untouched
}

TEST_F(DispositionTest, AThousandLinesNeedNoCap)
{
    // 1000 measures of 32 thirty-seconds (626 pixels each with its spaces): one per line.
    std::vector<std::vector<int32_t>> mesures(1000, Repeter(kTripleCroche, 32));
    PartitionDeMesures(mesures);
    surface.hauteurPanneau = 500;
    Couper(800);
    ASSERT_EQ(LignesAffichage.NbLignes, 1000);
    EXPECT_EQ(Ligne(700), std::make_pair(700, 700));
    EXPECT_EQ(Ligne(1000), std::make_pair(1000, 1000));
    EXPECT_EQ(Partition.Mesures[1000]->Ligne, 1000);
    // The scroll range reaches the last line.
    EXPECT_EQ(AffichagePartition.Defilement.Max, 1000 * 152 - 500);
}

} // namespace

namespace {

// The recording window with a canvas that measures texts 6 pixels a character, as the layout
// measures the names of the diagrams, the frets and the grace notes.
class DispositionMesureeTest : public DispositionTest {
protected:
    class SurfaceMesurante : public SurfaceEnregistreuse {
    public:
        platform::Canevas* CanevasMesure() override { return &mesure; }
        platform::CanevasEnregistreur mesure;
    };

    void SetUp() override
    {
        DispositionTest::SetUp();
        InstallerSurfacePartition(&mesurante);
    }

    SurfaceMesurante mesurante;
};

// The small diagram's grid and marks take 14 pixels left of its beat and 16 right of it, and
// "Cmaj7/G" 21 either side.
class DispositionDiagrammesTest : public DispositionMesureeTest {
protected:

    // Chords over beats of measure m, by beat.
    static void Accords(int32_t m, const std::vector<std::pair<int32_t, const char*>>& accords)
    {
        for (const auto& [b, nom] : accords) {
            auto a = std::make_shared<TAccord>();
            a->Nom = nom;
            a->Frettes = {0, -1, 3, 2, 0, -1, -1};
            if (std::string_view(nom) == "Bm") {
                a->Frettes = {0, 2, 3, 4, 4, 2, -1};
                a->FretteBase = 2;
            }
            TTemps& t = Partition.Mesures[m]->Temps[1][b];
            t.AvecAccord = true;
            t.Accord = a;
        }
    }
};

} // namespace

TEST_F(DispositionDiagrammesTest, EachDiagramGetsItsRoomBeforeTheNextOneAndOnlyTheBeatsBetweenThemSpread)
{
    // The room from a diagram's beat to the next's: its right, a grid step of 5, the next's
    // left; 35 between two D5 diagrams.
    struct Cas {
        const char* nom;
        std::vector<int32_t> durees;
        std::vector<std::pair<int32_t, const char*>> accords;
        std::vector<int32_t> x;
        int32_t largeur;
    } cas[] = {
        {"a change from the fourth eighth to the fifth", Repeter(kCroche, 8), {{4, "D5"}, {5, "D5"}},
         {0, 22, 44, 66, 101, 123, 145, 167}, 189},
        {"two eighths apart", Repeter(kCroche, 8), {{1, "D5"}, {3, "D5"}}, {0, 22, 44, 66, 88, 110, 132, 154}, 176},
        // 16 + 5 + 21, 21 + 5 + 14, and 16 + 5 + 20 past the base fret.
        {"long names and a base fret", Repeter(kCroche, 4), {{1, "D5"}, {2, "Cmaj7/G"}, {3, "D5"}, {4, "Bm"}},
         {0, 42, 82, 123}, 145},
        // The quarter keeps its 35 pixels, the eighths 24 apart get 35.
        {"a quarter then eighths with diagrams", {kNoire, kCroche, kCroche}, {{2, "D5"}, {3, "D5"}}, {0, 35, 70}, 92},
    };
    for (const Cas& c : cas) {
        PartitionDeMesures({c.durees});
        Accords(1, c.accords);
        EspacerMesure(1);
        EXPECT_EQ(XEcran(1), c.x) << c.nom;
        EXPECT_EQ(Partition.Mesures[1]->Largeur, c.largeur) << c.nom;
    }
    // Diagrams not shown, the durations alone.
    ParamEcranCourant.AffDiag = false;
    EspacerMesure(1);
    EXPECT_EQ(XEcran(1), (std::vector<int32_t>{0, 35, 59}));
    EXPECT_EQ(Partition.Mesures[1]->Largeur, 81);
}

TEST_F(DispositionDiagrammesTest, TheFirstDiagramOfAMeasureKeepsItsRoomAfterTheBarAndClearOfAnEndingsNumber)
{
    // At the narrowest note spacing two sixteenths are 10 apart and a bar's first beat 9 past
    // it: a diagram on the last beat of measure 1 and one on the first of measure 2 stood 19
    // apart.
    ParamEcranCourant.CoefEspAff = 0;
    CalculerLargeursTemps();
    for (const bool fin : {false, true}) {
        SCOPED_TRACE(fin ? "an ending" : "no ending");
        PartitionDeMesures({Repeter(kDoubleCroche, 2), Repeter(kDoubleCroche, 2)});
        Accords(1, {{2, "D5"}});
        Accords(2, {{1, "D5"}});
        Partition.Mesures[2]->Repetition = fin;
        mesurante.largeurPanneau = 806;
        DisposerBandes();
        CouperLignes();
        ASSERT_EQ(LignesAffichage.NbLignes, 1);
        EXPECT_EQ(XEcran(1), (std::vector<int32_t>{30, 40}));
        // Without an ending, 35 from the diagram before; with one, its hook at 50 and its
        // number "1" 3 + 6 pixels right of it, 5 clear of the diagram's 14 on the left.
        EXPECT_EQ(Partition.Mesures[2]->XGauche - ParamEcranCourant.MargeGaucheLignes, 50);
        EXPECT_EQ(XEcran(2)[0], fin ? 78 : 75);
    }
}

namespace {

// A "12" fret on string 1 of every beat of measure m, 12 pixels wide; grace notes 6 pixels a
// character too, "(12)" 24.
constexpr int32_t kTriolet = 160;

// The song of those measures, its beats without notes.
void Chanson(const std::vector<std::vector<int32_t>>& mesures)
{
    PartitionDeMesures(mesures);
    for (int32_t m = 1; m <= Partition.NbMesures; ++m)
        for (int32_t b = 1; b <= Partition.Mesures[m]->NbTemps[1]; ++b) {
            TTemps& t = Partition.Mesures[m]->Temps[1][b];
            const int32_t duree = t.Duree;
            t = TTemps{};
            t.Duree = duree;
        }
}

void Frettes12(int32_t m)
{
    for (int32_t b = 1; b <= Partition.Mesures[m]->NbTemps[1]; ++b)
        Partition.Mesures[m]->Temps[1][b].Notes[1].Frette = 12;
}

void Grace(int32_t m, int32_t b, int nuance, int32_t corde = 1)
{
    TNoteCorde& note = Partition.Mesures[m]->Temps[1][b].Notes[corde];
    note.FretteGrace = 12;
    note.NuanceGrace = static_cast<uint8_t>(nuance);
    note.DureeGrace = 1;
}

} // namespace

TEST_F(DispositionMesureeTest, AGraceNoteWiderThanTheRoomBetweenTheFretsMovesItsBeatAndThoseAfter)
{
    // After a "12" the room begins 8 pixels on (its right half and a clear column); a grace
    // note needs its width, a clear column and the left half of its fret before its beat: 39
    // from a "12" for a "(12)" before a "12", 27 for a "12". Triplet eighths stand 22 apart.
    struct Cas {
        const char* nom;
        std::vector<std::pair<int32_t, int>> graces; // beat, dynamic
        bool serre;                                  // note spacing 0, rhythm proportion 1.0
        std::vector<int32_t> x;
        int32_t largeur;
    } cas[] = {
        {"no grace note", {}, false, {0, 22, 44}, 66},
        {"a ghost grace note on the second beat", {{2, 3}}, false, {0, 39, 61}, 83},
        {"a grace note on the second beat", {{2, 6}}, false, {0, 27, 49}, 71},
        {"ghost grace notes on the second and third beats", {{2, 3}, {3, 3}}, false, {0, 39, 78}, 100},
        // Triplet sixteenths have no minimum: 10 apart at the narrowest spacing, but 14 apart
        // for their "12" to keep 2 clear pixels between them.
        {"no grace note, spaced tightest", {}, true, {0, 14, 28}, 38},
        {"ghost grace notes, spaced tightest", {{2, 3}, {3, 3}}, true, {0, 39, 78}, 88},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        ParamEcranCourant.CoefEspAff = c.serre ? 0 : 5;
        ParamEcranCourant.CoefPImp = c.serre ? 1.0 : 1.5;
        CalculerLargeursTemps();
        Chanson({Repeter(c.serre ? kTriolet / 2 : kTriolet, 3)});
        Frettes12(1);
        for (const auto& [b, nuance] : c.graces)
            Grace(1, b, nuance);
        EspacerMesure(1);
        EXPECT_EQ(XEcran(1), c.x);
        EXPECT_EQ(Partition.Mesures[1]->Largeur, c.largeur);
    }

    // Nothing on its string in the beat before: the room is the beat's.
    ParamEcranCourant.CoefEspAff = 5;
    ParamEcranCourant.CoefPImp = 1.5;
    CalculerLargeursTemps();
    Chanson({Repeter(kTriolet, 3)});
    Partition.Mesures[1]->Temps[1][1].Notes[2].Frette = 12;
    Grace(1, 2, 3);
    EspacerMesure(1);
    EXPECT_EQ(XEcran(1), (std::vector<int32_t>{0, 22, 44}));
}

TEST_F(DispositionMesureeTest, AGraceNoteOnAFirstBeatMovesItAwayFromTheBar)
{
    // The room begins 2 pixels past the 18 that part a bar from the first beat; a "(12)" before
    // a "12" needs 31 of it.
    Chanson({Repeter(kNoire, 4), Repeter(kNoire, 4), Repeter(kNoire, 4)});
    Frettes12(2);
    EspacerMesure(2);
    EXPECT_EQ(Partition.Mesures[2]->EspaceGauche, 0);
    Grace(2, 1, 3);
    EspacerMesure(2);
    EXPECT_EQ(Partition.Mesures[2]->EspaceGauche, 15);
    // A short one finds its room.
    Grace(2, 1, 6);
    Partition.Mesures[2]->Temps[1][1].Notes[1].FretteGrace = 5;
    EspacerMesure(2);
    EXPECT_EQ(Partition.Mesures[2]->EspaceGauche, 0);

    // The lines break after the widths the grace notes take.
    Chanson(std::vector<std::vector<int32_t>>(6, Repeter(kTriolet * 2, 6)));
    Couper(800);
    const int32_t sans = LignesAffichage.NbLignes;
    for (int32_t m = 1; m <= 6; ++m) {
        Frettes12(m);
        for (int32_t b = 1; b <= 6; ++b)
            Grace(m, b, 3);
    }
    Couper(800);
    EXPECT_GT(LignesAffichage.NbLignes, sans);
}

TEST_F(DispositionMesureeTest, BendsReachingTheClosingBarMoveItRight)
{
    // At the narrowest spacing four sixteenths of "12" stand 14 apart (a fret's 12 pixels and
    // 2 clear), the measure 52 wide. A release from a "12" on the last beat reaches 64 (a pixel
    // more where the line may round its strokes), a bend 60: marks end 2 pixels before a plain
    // bar, 10 before the song's double bar (8 after its last beat), 16 before a repeat's end (13
    // after its last beat).
    ParamEcranCourant.CoefEspAff = 0;
    ParamEcranCourant.CoefPImp = 1.0;
    CalculerLargeursTemps();
    struct Cas {
        const char* nom;
        int effet;
        int32_t mesure; // 1 plain bar, 2 repeat's end, 3 the song's end
        int32_t espaceDroite;
    } cas[] = {
        {"a release before a plain bar", 6, 1, 15},
        {"a bend before a plain bar", 5, 1, 11},
        {"a release before a repeat's end", 6, 2, 29},
        {"a release before the song's end", 6, 3, 23},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        Chanson({Repeter(kDoubleCroche, 4), Repeter(kDoubleCroche, 4), Repeter(kDoubleCroche, 4)});
        Partition.Mesures[2]->RenvoiFin = true;
        Frettes12(c.mesure);
        TNoteCorde& note = Partition.Mesures[c.mesure]->Temps[1][4].Notes[1];
        note.Effet = static_cast<uint8_t>(c.effet);
        note.ValeurBend = 1;
        EspacerMesure(c.mesure);
        EXPECT_EQ(XEcran(c.mesure), (std::vector<int32_t>{0, 14, 28, 42}));
        EXPECT_EQ(Partition.Mesures[c.mesure]->Largeur, 52);
        EXPECT_EQ(Partition.Mesures[c.mesure]->EspaceDroite, c.espaceDroite);
        // Effects not shown: no room.
        ParamEcranCourant.AffEff = false;
        EspacerMesure(c.mesure);
        EXPECT_EQ(Partition.Mesures[c.mesure]->EspaceDroite, (std::array<int32_t, 3>{0, 13, 8}[c.mesure - 1]));
        ParamEcranCourant.AffEff = true;
    }

    // With the room of quarters at the usual spacing, nothing moves.
    ParamEcranCourant.CoefEspAff = 5;
    ParamEcranCourant.CoefPImp = 1.5;
    CalculerLargeursTemps();
    Chanson({Repeter(kNoire, 4), Repeter(kNoire, 4)});
    Frettes12(1);
    Partition.Mesures[1]->Temps[1][4].Notes[1].Effet = 6;
    EspacerMesure(1);
    EXPECT_EQ(Partition.Mesures[1]->Largeur, 104);
    EXPECT_EQ(Partition.Mesures[1]->EspaceDroite, 0);
}

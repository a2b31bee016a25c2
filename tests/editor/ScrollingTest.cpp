// The score view's ring of band images: how many bands, which line each shows and where,
// which lines are painted on a scroll or a refresh, the scroll range and the frame over the
// current measure.
#include "ChantierVuePartition.h"

#include "editor/LigneEsquisse.h"
#include "platform/Sablier.h"

#include <numeric>

using namespace chantier_partition;
using platform::CanevasEnregistreur;

namespace {

std::vector<int32_t> Suite(int32_t de, int32_t a)
{
    std::vector<int32_t> v;
    for (int32_t l = de; de <= a ? l <= a : l >= a; l += de <= a ? 1 : -1)
        v.push_back(l);
    return v;
}

class ScrollingTest : public VuePartitionTest {
protected:
    // n measures of 32 thirty-seconds: one display line each at the default 800 pixels.
    void LignesUneMesure(int n)
    {
        PartitionDeMesures(std::vector<std::vector<int32_t>>(static_cast<std::size_t>(n), Repeter(kTripleCroche, 32)));
    }
    int32_t Haut(int32_t ligne) { return AffichagePartition.Bandes[CalculerBandeLigne(ligne)].Haut; }
    const TDefilement& Defilement() { return AffichagePartition.Defilement; }
};

TEST_F(ScrollingTest, BandCountCoversTheClientAreaPlusFourLines)
{
    struct Cas {
        int client, cordes, espPortees;
        int32_t hauteurLigne, nbBandes, petitPas;
    } cas[] = {
        {663, 6, 102, 152, 8, 38},  // 608 pixels: exactly 4 lines
        {664, 6, 102, 152, 9, 38},  // one pixel more
        {5000, 6, 102, 152, 30, 38},
        {663, 4, 102, 132, 9, 33},  // 608 / 132 = 4.6
        {0, 6, 102, 152, 4, 38},    // a window without a client area
        // Settings read unchecked: a line height of 0 or less counts as 1 pixel.
        {0, 6, -100, 1, 1, 1},
        {300, 6, -50, 1, 30, 1},
    };
    for (const Cas& c : cas) {
        surface.hauteurClient = c.client;
        Partition.NbCordes[1] = c.cordes;
        ParamEcranCourant.EspPortees = c.espPortees;
        DisposerBandes();
        SCOPED_TRACE(testing::Message() << "client " << c.client << " strings " << c.cordes);
        EXPECT_EQ(LignesAffichage.HauteurLigne, c.hauteurLigne);
        EXPECT_EQ(LignesAffichage.NbBandes, c.nbBandes);
        EXPECT_EQ(Defilement().GrandPas, c.hauteurLigne);
        EXPECT_EQ(Defilement().PetitPas, c.petitPas);
        EXPECT_EQ(LignesAffichage.LargeurDispo, 800);
        for (int i = 1; i <= kNbBandesMax; ++i) {
            const TBande& b = AffichagePartition.Bandes[i];
            if (i <= c.nbBandes) {
                EXPECT_EQ(b, (TBande{0, (i - 1) * c.hauteurLigne, 806, c.hauteurLigne})) << i;
            } else {
                EXPECT_EQ(b.Gauche, 900) << i; // out of sight
            }
        }
        // The ring still scrolls and paints.
        LignesUneMesure(3);
        RedessinerPartition();
        DefinirPositionDefilement(1000);
        DefinirPositionDefilement(0);
    }
}

TEST_F(ScrollingTest, ScrollingByLinesPaintsEachEnteringLineOnceInOrder)
{
    LignesUneMesure(40);
    NoterLignes();
    RedessinerPartition();
    EXPECT_EQ(Peintes(), Suite(1, 8));
    EXPECT_EQ(Defilement().Max, 40 * 152 - 500);
    EXPECT_TRUE(Defilement().Actif);

    // The ring (8 lines) ends 608 pixels below the client area until 3 lines are scrolled.
    DefinirPositionDefilement(3 * 152);
    EXPECT_EQ(Peintes(), std::vector<int32_t>{});
    DefinirPositionDefilement(4 * 152);
    EXPECT_EQ(Peintes(), std::vector<int32_t>{9});
    DefinirPositionDefilement(7 * 152);
    EXPECT_EQ(Peintes(), Suite(10, 12));
    DefinirPositionDefilement(7 * 152 - 100); // a little up: the ring still reaches high enough
    EXPECT_EQ(Peintes(), std::vector<int32_t>{});
    DefinirPositionDefilement(14 * 152);
    EXPECT_EQ(Peintes(), Suite(13, 19));
    DefinirPositionDefilement(22 * 152); // a whole ring at once
    EXPECT_EQ(Peintes(), Suite(20, 27));
    EXPECT_EQ(LignesAffichage.PremiereLigneVisible, 20);

    // Back up: the ring keeps one full line above the view, so the first two lines up
    // are already there.
    DefinirPositionDefilement(20 * 152);
    EXPECT_EQ(Peintes(), std::vector<int32_t>{});
    DefinirPositionDefilement(19 * 152);
    EXPECT_EQ(Peintes(), std::vector<int32_t>{19});
    DefinirPositionDefilement(16 * 152);
    EXPECT_EQ(Peintes(), Suite(18, 16));

    // Every ring line stands at (line - 1) x 152 - position, in its own slot.
    const int32_t p = Defilement().Position;
    std::vector<int32_t> emplacements;
    for (int32_t l = LignesAffichage.PremiereLigneVisible; l < LignesAffichage.PremiereLigneVisible + 8; ++l) {
        EXPECT_EQ(Haut(l), (l - 1) * 152 - p) << l;
        emplacements.push_back(CalculerBandeLigne(l));
        EXPECT_EQ(LigneDeBande(CalculerBandeLigne(l)), l);
    }
    std::sort(emplacements.begin(), emplacements.end());
    EXPECT_EQ(emplacements, Suite(1, 8));
}

TEST_F(ScrollingTest, AJumpAcrossTheSongPaintsOnlyTheRingAtItsTarget)
{
    LignesUneMesure(40);
    NoterLignes();
    RedessinerPartition();
    Peintes();

    // To the end: the ring stops at the last line, not past it.
    DefinirPositionDefilement(1000000);
    EXPECT_EQ(Defilement().Position, 40 * 152 - 500);
    EXPECT_EQ(Peintes(), Suite(33, 40));
    EXPECT_EQ(LignesAffichage.PremiereLigneVisible, 33);
    EXPECT_EQ(Haut(40), 39 * 152 - Defilement().Position);
    EXPECT_EQ(Haut(40) + 152, 500); // the last line ends at the panel's bottom

    // Back to the top: the chord-list band sits directly above line 1.
    DefinirPositionDefilement(0);
    EXPECT_EQ(Peintes(), Suite(1, 8));
    EXPECT_EQ(Haut(1), 0);
    EXPECT_EQ(AffichagePartition.Bandes[kBandeAccords].Haut, 0);
}

TEST_F(ScrollingTest, APartialRefreshRepaintsTheLinesThatChanged)
{
    LignesUneMesure(40);
    NoterLignes();
    RedessinerPartition();
    Peintes();

    // Measure 5 changes but keeps its line to itself: only its line.
    Partition.Mesures[5]->NbTemps[1] = 16;
    for (int b = 1; b <= 16; ++b)
        Partition.Mesures[5]->Temps[1][b].Duree = kDoubleCroche;
    RedessinerLignesModifiees(5);
    EXPECT_EQ(Peintes(), std::vector<int32_t>{5});

    // Measure 4 shrinks to one beat and joins measure 3 on line 3: every later ring line moves.
    Partition.Mesures[4]->NbTemps[1] = 1;
    RedessinerLignesModifiees(4);
    EXPECT_EQ(LignesAffichage.PremiereMesure[3], 3);
    EXPECT_EQ(LignesAffichage.DerniereMesure[3], 4);
    EXPECT_EQ(Peintes(), Suite(3, 8));
    EXPECT_EQ(Defilement().Max, 39 * 152 - 500);

    // A measure outside the ring whose line keeps its measures: nothing to repaint.
    RedessinerLignesModifiees(30);
    EXPECT_EQ(Peintes(), std::vector<int32_t>{});
}

TEST_F(ScrollingTest, LinesPastTheSongArePaintedEmptyAndTheBarIsDisabled)
{
    LignesUneMesure(2);
    RedessinerPartition();
    EXPECT_EQ(LignesAffichage.NbLignes, 2);
    EXPECT_EQ(Defilement().Max, 0);
    EXPECT_FALSE(Defilement().Actif);

    for (int32_t l = 1; l <= 8; ++l) {
        const auto* canevas = surface.canevas[static_cast<std::size_t>(CalculerBandeLigne(l))].get();
        ASSERT_NE(canevas, nullptr) << l;
        const auto& traces = canevas->Traces();
        ASSERT_FALSE(traces.empty()) << l;
        // The band is first filled with the background, over its whole place.
        EXPECT_EQ(traces.front().Resume(), "Rectangle 0,0,807,153 pen #FFFFFF brush #FFFFFF") << l;
        if (l <= 2) {
            EXPECT_EQ(canevas->Traces(CanevasEnregistreur::Operation::Ligne).size(), 6u + 32u) << l; // strings, beats
        } else {
            EXPECT_EQ(traces.size(), 1u) << l;
        }
    }
}

TEST_F(ScrollingTest, TheChordListWidensTheRangeAboveLineOne)
{
    PeintresPartition p;
    p.DimensionnerBandeAccords = [] {
        LignesAffichage.HauteurEntete = 40;
        AffichagePartition.Bandes[kBandeAccords].Hauteur = 40;
    };
    p.DessinerBandeAccords = [] {
        Peintres().DimensionnerBandeAccords();
        DefinirMinimumDefilement(-LignesAffichage.HauteurEntete);
    };
    InstallerPeintresPartition(p);

    // A short song: the bar is disabled, yet the view scrolls up to the chord list.
    LignesUneMesure(2);
    RedessinerPartition();
    EXPECT_EQ(Defilement().Min, -40);
    EXPECT_FALSE(Defilement().Actif);
    DefinirPositionDefilement(-100);
    EXPECT_EQ(Defilement().Position, -40);
    EXPECT_EQ(AffichagePartition.Bandes[kBandeAccords].Haut, 0);
    EXPECT_EQ(Haut(1), 40);

    // A long song scrolled far down and back to its minimum.
    LignesUneMesure(40);
    RedessinerPartition();
    DefinirPositionDefilement(20 * 152);
    EXPECT_LT(AffichagePartition.Bandes[kBandeAccords].Haut + 40, 0); // out of sight
    DefinirPositionDefilement(-40);
    EXPECT_EQ(AffichagePartition.Bandes[kBandeAccords].Haut, 0);
    EXPECT_EQ(Haut(1), 40);
    // Laying out again keeps the minimum.
    CouperLignes();
    EXPECT_EQ(Defilement().Min, -40);
    EXPECT_EQ(Defilement().Position, -40);
}

TEST_F(ScrollingTest, TheFrameStandsOverTheCurrentMeasure)
{
    // Two measures of four quarters on 415 pixels, left unjustified (see the layout tests).
    surface.largeurPanneau = 421;
    PartitionDeMesures({Repeter(kNoire, 4), Repeter(kNoire, 4)});
    RedessinerPartition();
    // Measure 1 from x 25 to 168, staff at y 64: the frame spans the strings and a gap above.
    EXPECT_EQ(AffichagePartition.Selection, (TCadre{31, 54, 129, 71}));
    Partition.MesureCourante = 2;
    PlacerCadreMesure();
    // The song's last measure gets 2 pixels more (from 168 to 298).
    EXPECT_EQ(AffichagePartition.Selection, (TCadre{174, 54, 118, 71}));

    // Narrow staves: 2 pixels further left, 4 wider.
    ParamEcranCourant.EspLignes = 8;
    CalculerLargeursTemps();
    RedessinerPartition();
    const TMesure& m = *Partition.Mesures[2];
    EXPECT_EQ(AffichagePartition.Selection,
              (TCadre{m.XGauche + 4, 64 - 8, m.XDroite - m.XGauche - 14 + 2 + 4, 7 * 8 + 1}));
}

TEST_F(ScrollingTest, TheFrameScrollsTheViewToItsMeasure)
{
    LignesUneMesure(40);
    RedessinerPartition();

    struct Pas {
        int32_t mesure;
        bool lecture;
        int typeScrolling;
        int32_t position;
    } pas[] = {
        {20, false, 1, 152 + 19 * 152 - 500}, // down: its line just shows at the bottom
        {2, false, 1, 152},                   // up: its line at the top
        {1, false, 1, 0},
        {4, false, 1, 108},
        {1, false, 1, 0},
        // During playback, screen by screen: a line below the view becomes the top line...
        {4, true, 1, 456},
        // ...a line already in view moves nothing.
        {5, true, 1, 456},
        // Line by line: the measure's line always at the top.
        {6, true, 2, 760},
        {5, true, 2, 608},
    };
    for (const Pas& p : pas) {
        Partition.MesureCourante = p.mesure;
        Configuration.TypeScrolling = p.typeScrolling;
        Commandes().SetEnabled(Cmd::Ac_Son_LectureDebut, !p.lecture);
        PlacerCadreMesure();
        EXPECT_EQ(Defilement().Position, p.position) << "measure " << p.mesure;
        const int32_t ligne = Partition.Mesures[p.mesure]->Ligne;
        EXPECT_NE(CalculerBandeLigne(ligne), kBandeAucune) << "measure " << p.mesure;
        EXPECT_EQ(AffichagePartition.Selection.Haut, 64 - 10 + (ligne - 1) * 152 - p.position);
    }
}

TEST_F(ScrollingTest, AMeasureAddedSinceTheLastLayoutIsLaidOutForTheFrame)
{
    PartitionDeMesures({Repeter(kNoire, 4), Repeter(kNoire, 4)});
    RedessinerPartition();
    Partition.NbMesures = 3;
    Partition.Mesures[3] = std::make_unique<TMesure>();
    Partition.MesureCourante = 3;
    PlacerCadreMesure();
    const TMesure& m = *Partition.Mesures[3];
    EXPECT_EQ(m.Ligne, 1);
    EXPECT_EQ(AffichagePartition.Selection.Gauche, m.XGauche + 6);
    EXPECT_GT(m.XGauche, 25);
}

TEST_F(ScrollingTest, EachTrackGetsTheLineHeightOfItsStrings)
{
    LignesUneMesure(3);
    RedessinerPartition();
    EXPECT_EQ(LignesAffichage.HauteurLigne, 152);
    Partition.NbCordes[2] = 4;
    PisteCourante = 2;
    RedessinerPartition();
    EXPECT_EQ(LignesAffichage.HauteurLigne, 132);
    EXPECT_EQ(AffichagePartition.Bandes[1].Hauteur, 132);
    EXPECT_EQ(Haut(2), 132);
}

// Whatever makes the lines taller or shorter (rows of texts that open or close with the song or
// with an edit, a track of other strings, the string spacing), everything the view derives from
// the line height follows: the bands, the steps, the scroll range, and with it the last line
// and the frame over the last measure, both reachable at the bottom of the panel.
TEST_F(ScrollingTest, EverythingDerivedFromTheLineHeightFollowsIt)
{
    int32_t rangee = 0;
    PeintresPartition p;
    p.MesurerRangeeTextes = [&rangee] { return rangee; };
    InstallerPeintresPartition(p);
    LignesUneMesure(40);
    Partition.NbCordes[2] = 4;
    for (int m = 1; m <= 40; ++m) {
        TMesure& bloc = *Partition.Mesures[m];
        bloc.NbTemps[2] = bloc.NbTemps[1];
        bloc.Temps[2] = bloc.Temps[1];
    }
    RedessinerPartition();

    struct Cas {
        const char* nom;
        std::function<void()> changer;
        int32_t hauteur;
    } cas[] = {
        {"rows open with the song", [&] { rangee = 30; RedessinerPartition(); }, 182},
        {"rows close with an edit", [&] { rangee = 0; RedessinerLignesModifiees(1); }, 152},
        {"rows open with an edit", [&] { rangee = 45; RedessinerLignesModifiees(1); }, 197},
        {"a track of four strings", [] { PisteCourante = 2; RedessinerPartition(); }, 177},
        {"back to six strings, the rows gone", [&] { rangee = 0; PisteCourante = 1; RedessinerPartition(); }, 152},
        {"wider string spacing with rows",
         [&] {
             rangee = 20;
             ParamEcranCourant.EspLignes = 12;
             CalculerLargeursTemps();
             DisposerBandes();
             RedessinerPartition();
         },
         182},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        // From the middle of the song, the current measure at its top.
        Partition.MesureCourante = 1;
        PlacerCadreMesure();
        DefinirPositionDefilement(10 * LignesAffichage.HauteurLigne);
        c.changer();
        const int32_t h = c.hauteur;
        ASSERT_EQ(LignesAffichage.HauteurLigne, h);
        EXPECT_EQ(Defilement().GrandPas, h);
        EXPECT_EQ(Defilement().PetitPas, static_cast<int32_t>(std::lround(h / 4.0)));
        EXPECT_EQ(LignesAffichage.NbBandes, (608 + h - 1) / h + 4);
        for (int32_t i = 1; i <= LignesAffichage.NbBandes; ++i)
            EXPECT_EQ(AffichagePartition.Bandes[i].Hauteur, h) << "band " << i;
        EXPECT_EQ(Defilement().Max, 40 * h - 500);
        EXPECT_TRUE(Defilement().Actif);
        EXPECT_LE(Defilement().Position, Defilement().Max);

        // Scrolled to the end, the last line ends at the bottom of the panel.
        DefinirPositionDefilement(Defilement().Max);
        EXPECT_EQ(Haut(40) + h, 500);
        // The last measure made current from the top comes into view.
        DefinirPositionDefilement(0);
        Partition.MesureCourante = 40;
        PlacerCadreMesure();
        EXPECT_EQ(Defilement().Position, Defilement().Max);
        const TCadre& cadre = AffichagePartition.Selection;
        EXPECT_GE(cadre.Haut, 0);
        EXPECT_LE(cadre.Haut + cadre.Hauteur, 500);
    }
}

TEST_F(ScrollingTest, OnlyRingLinesHaveABand)
{
    LignesUneMesure(40);
    RedessinerPartition();
    DefinirPositionDefilement(10 * 152); // ring 8..15
    ASSERT_EQ(LignesAffichage.PremiereLigneVisible, 8);
    for (int32_t l : {0, -3, 7, 16, 41})
        EXPECT_EQ(CalculerBandeLigne(l), kBandeAucune) << l;
    for (int32_t b : {0, -1, 9, 31})
        EXPECT_EQ(LigneDeBande(b), 0) << b;

    // Painting a line without a band paints nowhere, not on the last band chosen.
    ChoisirBande(CalculerBandeLigne(9));
    EXPECT_NE(CanvasEcran(), nullptr);
    ChoisirBande(CalculerBandeLigne(30));
    EXPECT_EQ(CanvasEcran(), nullptr);
    surface.Effacer();
    DessinerLigneEsquisse(30);
    for (const auto& c : surface.canevas) {
        if (c) {
            EXPECT_TRUE(c->Traces().empty());
        }
    }
    ChoisirBande(kBandeAccords);
    platform::Canevas* accords = CanvasEcran();
    EXPECT_EQ(accords, surface.canevas[0].get());
}

TEST_F(ScrollingTest, ThePositionStaysInsideTheRange)
{
    LignesUneMesure(10);
    RedessinerPartition();
    EXPECT_EQ(Defilement().Max, 10 * 152 - 500);
    DefinirPositionDefilement(-5);
    EXPECT_EQ(Defilement().Position, 0);
    DefinirPositionDefilement(5000);
    EXPECT_EQ(Defilement().Position, 1020);
    // A shorter song pulls the position back in, and the ring follows.
    LignesUneMesure(4);
    CouperLignes();
    EXPECT_EQ(Defilement().Max, 108);
    EXPECT_EQ(Defilement().Position, 108);
    EXPECT_EQ(Haut(1), -108);
}

TEST_F(ScrollingTest, AFullRefreshShowsTheBusyCursorUntilItEnds)
{
    std::vector<bool> sablier;
    platform::InstallerAfficheurSablier([&](bool occupe) { sablier.push_back(occupe); });
    LignesUneMesure(3);
    RedessinerPartition();
    platform::InstallerAfficheurSablier({});
    EXPECT_EQ(sablier, (std::vector<bool>{true, false}));
    EXPECT_GT(surface.actualisations, 0);
}

} // namespace

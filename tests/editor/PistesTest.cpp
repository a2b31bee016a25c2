// Track switching, the click on the score view, the window layout and its resizing.
#include "FixtureCommandesEdition.h"

#include "editor/Saisie.h"

#include <cmath>
#include <functional>

namespace {

class PistesTest : public FixtureCommandesEdition {
protected:
    // The measure of the cursor was edited (cancel-measure available).
    static void Editer()
    {
        SauverAnnulation();
        MesureEnCours().RenvoiDebut = !MesureEnCours().RenvoiDebut;
        ActualiserCommandes();
    }
};

} // namespace

// ---- Tracks ----------------------------------------------------------------------------------

TEST_F(PistesTest, TheArrowButtonsStopAtTheFirstAndLastTrack)
{
    struct Cas {
        int depart;
        std::function<void()> entree;
        int arrivee;
    };
    const Cas cas[] = {
        {8, PisteUpClick, 8}, {1, PisteDownClick, 1}, {3, PisteUpClick, 4}, {3, PisteDownClick, 2},
        {7, PisteUpClick, 8}, {2, [] { BT_Piste1Click(6); }, 6}, {6, [] { Mn_Piste1Click(1); }, 1},
        {4, [] { Mn_Piste1Click(9); }, 4}, {4, [] { BT_Piste1Click(0); }, 4},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(std::to_string(c.depart) + " -> " + std::to_string(c.arrivee));
        PisteCourante = c.depart;
        fenetre.Appels.clear();
        c.entree();
        EXPECT_EQ(PisteCourante, c.arrivee);
        EXPECT_EQ(fenetre.A("RedessinerPartition"), c.depart != c.arrivee);
    }
}

TEST_F(PistesTest, ATrackSwitchKeepsTheEditsButEndsUndoAndCancelAndRepaintsTheScore)
{
    Remplir(1, 1, 3);
    Entrer(1, 2, 3);
    Editer();
    ASSERT_TRUE(Commandes().Enabled(Cmd::BT_AnnulerMesure));
    fenetre.Appels.clear();

    BT_Piste1Click(3);
    EXPECT_EQ(PisteCourante, 3);
    EXPECT_EQ(Curseur.Temps, 1);
    EXPECT_EQ(Curseur.Corde, 1);
    EXPECT_TRUE(Bloc(1).RenvoiDebut);
    EXPECT_TRUE(CopieMesureEntree.RenvoiDebut);
    EXPECT_FALSE(Commandes().Enabled(Cmd::BT_AnnulerMesure));
    EXPECT_FALSE(Commandes().Enabled(Cmd::Ac_Edition_Annuler));
    const int partition = fenetre.Rang("RedessinerPartition");
    const int cadre = fenetre.Rang("PlacerCadreMesure");
    const int menu = fenetre.Rang("ActualiserMenuPistes");
    ASSERT_GE(partition, 0);
    EXPECT_LT(partition, cadre);
    EXPECT_LT(cadre, menu);
    EXPECT_TRUE(fenetre.A("MontrerPalettePercussion(0)"));
    EXPECT_FALSE(Commandes().Enabled(Cmd::Ac_Ass_Percussion));
}

TEST_F(PistesTest, TheDrumPaletteShowsOnTrackEightOutsidePlaybackAndAtItsEndDuringIt)
{
    BT_Piste1Click(8);
    EXPECT_TRUE(fenetre.A("MontrerPalettePercussion(1)"));
    EXPECT_TRUE(Commandes().Enabled(Cmd::Ac_Ass_Percussion));
    EXPECT_FALSE(fenetre.A("OuvrirPercussionFinLecture"));

    BT_Piste1Click(1);
    fenetre.Appels.clear();
    Jouer(true);
    PisteUpClick();
    PisteCourante = 7;
    PisteUpClick();
    EXPECT_EQ(PisteCourante, 8);
    EXPECT_TRUE(fenetre.A("OuvrirPercussionFinLecture"));
    EXPECT_FALSE(fenetre.A("MontrerPalettePercussion(1)"));

    // Leaving track 8 during playback hides the palette.
    fenetre.Appels.clear();
    PisteDownClick();
    EXPECT_TRUE(fenetre.A("MontrerPalettePercussion(0)"));
}

TEST_F(PistesTest, CtrlDigitSwitchesTracksWithoutTheFrameAndThePalette)
{
    SaisirChiffre(8, Modif::Ctrl);
    EXPECT_EQ(PisteCourante, 8);
    EXPECT_TRUE(fenetre.A("RedessinerPartition"));
    EXPECT_FALSE(fenetre.A("PlacerCadreMesure"));
    EXPECT_FALSE(fenetre.A("MontrerPalettePercussion(1)"));
}

// ---- Click on the score view ---------------------------------------------------------------

namespace {

class ClicPartitionTest : public PistesTest {
protected:
    // Line 1: measures 1 and 2; line 2: measure 3 (no beat on track 1); line 3: none.
    // Measure 1 spans x 30..200 with beats at 35 and 105 (XEcran + MargeGaucheLignes 25);
    // measure 2 spans 210..400 with beats at 225, 285, 345. Staff top y 20, strings 10 apart.
    void SetUp() override
    {
        PistesTest::SetUp();
        AvoirMesures(3);
        Remplir(1, 1, 2);
        Remplir(2, 1, 3);
        LignesAffichage.PremiereMesure.Definir(1, 1);
        LignesAffichage.DerniereMesure.Definir(1, 2);
        LignesAffichage.PremiereMesure.Definir(2, 3);
        LignesAffichage.DerniereMesure.Definir(2, 3);
        LignesAffichage.NbLignes = 2;
        Placer(1, 30, 200, 1, {10, 80});
        Placer(2, 210, 400, 1, {200, 260, 320});
        Placer(3, 30, 300, 2, {});
        // Three bands, the ring starting on band 1.
        LignesAffichage.NbBandes = 3;
        LignesAffichage.BandeDebut = 1;
        LignesAffichage.PremiereLigneVisible = 1;
        Entrer(1);
        fenetre.Appels.clear();
    }

    static void Placer(int m, int gauche, int droite, int ligne, std::initializer_list<int> x)
    {
        Bloc(m).XGauche = gauche;
        Bloc(m).XDroite = droite;
        Bloc(m).Y = 20;
        Bloc(m).Ligne = ligne;
        int b = 1;
        for (int xe : x)
            Temps(m, 1, b++).XEcran = xe;
    }
};

} // namespace

TEST_F(ClicPartitionTest, AClickFindsTheMeasureTheNearestBeatAndTheStringUnderIt)
{
    struct Cas {
        const char* nom;
        int ligne, x, y;
        bool sansMesure;
        int mesure, temps, corde;
    };
    const Cas cas[] = {
        {"second beat of measure 1", 1, 150, 20, false, 1, 2, 1},
        {"gap between measures", 1, 205, 20, false, 0, 1, 1},
        {"on a bar line", 1, 200, 20, false, 0, 1, 1},
        {"measure 2, beat 2, string 3", 1, 285, 40, false, 2, 2, 3},
        {"halfway between two beats: the first", 1, 255, 20, false, 2, 1, 1},
        {"half a string below string 1 rounds to even", 1, 285, 25, false, 2, 2, 1},
        {"one and a half strings rounds to even", 1, 285, 35, false, 2, 2, 3},
        {"above the staff: string 1", 1, 285, -100, false, 2, 2, 1},
        {"below the staff: the last string", 1, 285, 500, false, 2, 2, 6},
        {"a measure without beats: beat 1", 2, 100, 30, false, 3, 1, 2},
        {"a line without measures", 3, 100, 30, true, 0, 1, 1},
        {"no line", 0, 100, 30, true, 0, 1, 1},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.nom);
        const TClicPartition clic = LocaliserClicPartition(c.ligne, c.x, c.y);
        EXPECT_EQ(clic.LigneSansMesure, c.sansMesure);
        EXPECT_EQ(clic.Mesure, c.mesure);
        if (c.mesure != 0) {
            EXPECT_EQ(clic.Temps, c.temps);
            EXPECT_EQ(clic.Corde, c.corde);
        }
    }
    // The strings are those of the current track.
    Partition.NbCordes[1] = 4;
    EXPECT_EQ(LocaliserClicPartition(1, 285, 500).Corde, 4);
}

TEST_F(ClicPartitionTest, ClickingAnotherMeasureMakesItCurrentAndRepaintsTheEditedMeasureLeft)
{
    Editer();
    ASSERT_TRUE(Commandes().Enabled(Cmd::BT_AnnulerMesure));
    fenetre.Appels.clear();

    Band01MouseDown(1, BoutonSouris::Gauche, 285, 40);
    EXPECT_EQ(Partition.MesureCourante, 2);
    EXPECT_EQ(Curseur.Temps, 2);
    EXPECT_EQ(Curseur.Corde, 3);
    EXPECT_TRUE(fenetre.A("RedessinerLignesModifiees(1)"));
    EXPECT_TRUE(fenetre.A("PlacerCadreMesure"));
    EXPECT_FALSE(Commandes().Enabled(Cmd::BT_AnnulerMesure));
    EXPECT_FALSE(Commandes().Enabled(Cmd::BT_Valider));
    EXPECT_FALSE(Commandes().Enabled(Cmd::Ac_Edition_Annuler));
    EXPECT_EQ(CopieMesureEntree.NbTemps[1], 3);
    EXPECT_FALSE(fenetre.A("OuvrirMenuPartition(1,285,40)"));

    // Leaving an unedited measure repaints nothing of it.
    fenetre.Appels.clear();
    Band01MouseDown(1, BoutonSouris::Gauche, 150, 20);
    EXPECT_EQ(Partition.MesureCourante, 1);
    EXPECT_FALSE(fenetre.A("RedessinerLignesModifiees(2)"));
}

TEST_F(ClicPartitionTest, AClickInAGapChangesNothingButTheRightButtonStillOpensThePopup)
{
    Entrer(1, 2, 4);
    Band01MouseDown(1, BoutonSouris::Gauche, 205, 40);
    EXPECT_EQ(Partition.MesureCourante, 1);
    EXPECT_EQ(Curseur.Temps, 2);
    EXPECT_EQ(Curseur.Corde, 4);
    EXPECT_TRUE(fenetre.Appels.empty());

    Band01MouseDown(1, BoutonSouris::Droit, 205, 40);
    EXPECT_EQ(Partition.MesureCourante, 1);
    EXPECT_EQ(fenetre.Appels, std::vector<std::string>{"OuvrirMenuPartition(1,205,40)"});

    // On a measure the right button both moves and opens the popup.
    fenetre.Appels.clear();
    Band01MouseDown(1, BoutonSouris::Droit, 345, 20);
    EXPECT_EQ(Partition.MesureCourante, 2);
    EXPECT_EQ(Curseur.Temps, 3);
    EXPECT_TRUE(fenetre.A("OuvrirMenuPartition(1,345,20)"));
}

TEST_F(ClicPartitionTest, TheBandsOfTheRingShowTheirLines)
{
    // The ring starts on band 2: band 2 shows line 1, band 3 line 2, band 1 line 3.
    LignesAffichage.BandeDebut = 2;
    Band01MouseDown(3, BoutonSouris::Gauche, 100, 30);
    EXPECT_EQ(Partition.MesureCourante, 3);
    Band01MouseDown(1, BoutonSouris::Gauche, 285, 20);
    EXPECT_EQ(Partition.MesureCourante, 3); // line 3 has no measure
    Band01MouseDown(2, BoutonSouris::Gauche, 285, 20);
    EXPECT_EQ(Partition.MesureCourante, 2);
}

TEST_F(ClicPartitionTest, DuringPlaybackAClickRestartsAtTheClickedMeasureWithoutPopup)
{
    Jouer(true);
    Band01MouseDown(1, BoutonSouris::Droit, 285, 20);
    EXPECT_EQ(Partition.MesureCourante, 2);
    ASSERT_FALSE(fenetre.Appels.empty());
    EXPECT_EQ(fenetre.Appels.front(), "ArreterLecturePourClic");
    EXPECT_EQ(fenetre.Appels.back(), "RelancerLectureApresClic");
    EXPECT_EQ(fenetre.MesureAuRedemarrage, 2);
    EXPECT_EQ(fenetre.Compte("RelancerLectureApresClic"), 1);
    EXPECT_FALSE(fenetre.A("OuvrirMenuPartition(1,285,20)"));
}

TEST_F(ClicPartitionTest, DuringPlaybackAClickBelowTheLastLineOrInAGapStillRestartsThePlayback)
{
    // Stopped for the click, the playback must go on, or it would never end and editing would
    // stay locked.
    for (const auto& [bande, x] : {std::pair{3, 100}, std::pair{1, 205}}) {
        SCOPED_TRACE(bande);
        Jouer(true);
        fenetre.Appels.clear();
        Band01MouseDown(bande, BoutonSouris::Gauche, x, 20);
        EXPECT_EQ(fenetre.Appels, (std::vector<std::string>{"ArreterLecturePourClic", "RelancerLectureApresClic"}));
        EXPECT_EQ(fenetre.MesureAuRedemarrage, 1);
    }
    // Outside playback nothing is stopped or restarted.
    Jouer(false);
    fenetre.Appels.clear();
    Band01MouseDown(3, BoutonSouris::Gauche, 100, 20);
    EXPECT_TRUE(fenetre.Appels.empty());
}

TEST_F(ClicPartitionTest, AClickOnTheFrameGoesToTheBandBelowIt)
{
    Entrer(2);
    AffichagePartition.Selection.Gauche = 216;
    // Frame point (69, 25) is band point (285, 35): beat 2, string 3 of measure 2.
    SelectionMouseDown(BoutonSouris::Gauche, 69, 25);
    EXPECT_EQ(Partition.MesureCourante, 2);
    EXPECT_EQ(Curseur.Temps, 2);
    EXPECT_EQ(Curseur.Corde, 3);

    // A measure whose line is outside the ring has no band: nothing happens.
    Bloc(2).Ligne = 9;
    Curseur.Temps = 1;
    SelectionMouseDown(BoutonSouris::Gauche, 69, 25);
    EXPECT_EQ(Curseur.Temps, 1);
}

// ---- Window layout -------------------------------------------------------------------------------

namespace {

// A window designed at 96 dots per inch.
TDispositionFenetre Conception()
{
    TDispositionFenetre d;
    d.Panel1 = {4, 40, 500, 24};
    d.BT_Piste1 = {600, 40, 24, 24};
    d.BevelTop = {4, 66, 790, 2};
    d.PanelZoneAffScroll = {4, 70, 770, 300};
    d.ScrollBarZoneAffScroll = {774, 71, 17, 298};
    d.PanelBarreBoutons2 = {4, 380, 790, 30};
    d.PanelBarreBoutons3 = {750, 412, 46, 184};
    d.PanelZoneSaisie = {4, 412, 742, 160};
    d.ZoneSaisie = {0, 0, 630, kHauteurZoneSaisie};
    d.ScrollBarZoneSaisie = {500, 577, 240, 18};
    d.PanelNumMesure = {4, 576, 80, 20};
    d.PanelNbTps = {86, 576, 100, 20};
    d.PanelNbTps2 = {188, 576, 80, 20};
    d.PanelTextCom = {270, 576, 220, 20};
    return d;
}

} // namespace

TEST(DispositionFenetre, ThePanelsFollowTheClientSize)
{
    TDispositionFenetre d = Conception();
    DisposerFenetre(d, 1000, 700, 96, false);
    EXPECT_EQ(d.BevelTop.Width, 990);
    EXPECT_EQ(d.PanelZoneAffScroll, (TRectangle{4, 70, 974, 410}));
    EXPECT_EQ(d.ScrollBarZoneAffScroll, (TRectangle{978, 71, 17, 408}));
    EXPECT_EQ(d.PanelBarreBoutons2, (TRectangle{4, 481, 991, 30}));
    EXPECT_EQ(d.PanelBarreBoutons3, (TRectangle{950, 512, 46, 184}));
    EXPECT_EQ(d.PanelZoneSaisie, (TRectangle{4, 512, 942, 162}));
    // (162 - 153) / 2 = 4.5 rounds to the even 4.
    EXPECT_EQ(d.ZoneSaisie.Top, 4);
    EXPECT_EQ(d.ScrollBarZoneSaisie, (TRectangle{705, 677, 240, 18}));
    for (const TRectangle* r : {&d.PanelNumMesure, &d.PanelNbTps, &d.PanelNbTps2, &d.PanelTextCom})
        EXPECT_EQ(r->Top, 676);
    EXPECT_EQ(d.PanelTextCom.Width, 432);
    EXPECT_EQ(d.Panel1.Width, 595);
    EXPECT_TRUE(d.PanelBarreBoutons3Visible);
    EXPECT_TRUE(d.MenusNoteEffetsActifs);
    EXPECT_FALSE(d.ZoneAffichageDevant);
    // What the layout does not compute stays as designed.
    EXPECT_EQ(d.PanelNbTps.Left, 86);
    EXPECT_EQ(d.BT_Piste1, Conception().BT_Piste1);
}

TEST(DispositionFenetre, TheScoreOnlyLayoutGivesTheScoreViewTheEditZone)
{
    TDispositionFenetre d = Conception();
    DisposerFenetre(d, 1000, 700, 96, true);
    EXPECT_EQ(d.PanelZoneAffScroll.Height, 676 - 70 - 2);
    EXPECT_EQ(d.ScrollBarZoneAffScroll.Height, 676 - 70 - 4);
    EXPECT_EQ(d.PanelTextCom.Width, 1000 - 270 - 4);
    EXPECT_FALSE(d.PanelBarreBoutons3Visible);
    EXPECT_FALSE(d.MenusNoteEffetsActifs);
    EXPECT_TRUE(d.ZoneAffichageDevant);

    DispositionSansPleinEcran(d, 96);
    EXPECT_EQ(d.PanelZoneAffScroll.Height, 410);
    EXPECT_EQ(d.PanelTextCom.Width, 432);
    EXPECT_TRUE(d.PanelBarreBoutons3Visible);
    EXPECT_TRUE(d.MenusNoteEffetsActifs);
}

TEST(DispositionFenetre, MarginsScaleWithTheResolution)
{
    TDispositionFenetre d = Conception();
    DisposerFenetre(d, 1000, 700, 120, false);
    // m4 = Round(4 * 120 / 96) = 5.
    EXPECT_EQ(d.PanelBarreBoutons3.Left, 1000 - 46 - 5);
    EXPECT_EQ(d.PanelBarreBoutons3.Top, 700 - 184 - 5);
    EXPECT_EQ(d.PanelNumMesure.Top, 700 - 20 - 5);
    // Round(12.5) = 12, Round(2.5) = 2, Round(1.25) = 1.
    EXPECT_EQ(d.BevelTop.Width, 988);
    EXPECT_EQ(d.PanelZoneSaisie.Height, 675 - 511 - 2);
    EXPECT_EQ(d.Panel1.Width, 600 - 4 - 1);
}

TEST(DispositionFenetre, TheEditImageNeverGoesAboveItsPanelAndTinyWindowsKeepSizesAtZero)
{
    TDispositionFenetre d = Conception();
    d.PanelBarreBoutons3.Height = 122; // an edit panel 100 high
    DisposerFenetre(d, 1000, 700, 96, false);
    ASSERT_EQ(d.PanelZoneSaisie.Height, 100);
    EXPECT_EQ(d.ZoneSaisie.Top, 0);

    d = Conception();
    DisposerFenetre(d, 120, 90, 96, false);
    for (const TRectangle* r : {&d.BevelTop, &d.PanelZoneAffScroll, &d.ScrollBarZoneAffScroll, &d.PanelBarreBoutons2,
                                &d.PanelZoneSaisie, &d.PanelTextCom, &d.Panel1}) {
        EXPECT_GE(r->Width, 0);
        EXPECT_GE(r->Height, 0);
    }
    EXPECT_GE(d.ZoneSaisie.Top, 0);

    // A narrow window cuts the title line at its right margin.
    d = Conception();
    DisposerFenetre(d, 500, 700, 96, false);
    EXPECT_EQ(d.Panel1.Width, 500 - 4 - 4);
}

// The smallest client area is the one at which the layout just fits: the score view keeps its
// least height and the comment panel of the status row closes up, at any resolution.
TEST(DispositionFenetre, TheSmallestClientAreaIsWhereTheLayoutJustFits)
{
    for (const int ppp : {96, 120, 144}) {
        SCOPED_TRACE(ppp);
        const auto echelle = [ppp](int pixels) { return static_cast<int32_t>(std::lround(pixels * ppp / 96.0)); };
        const TTailleClient minimum = TailleClientMinimale(Conception(), ppp);
        TDispositionFenetre d = Conception();
        DisposerFenetre(d, minimum.Largeur, minimum.Hauteur, ppp, false);
        EXPECT_EQ(d.PanelZoneAffScroll.Height, echelle(kHauteurMinAffichage));
        EXPECT_EQ(d.PanelTextCom.Width, 0);
        EXPECT_GT(d.PanelBarreBoutons2.Top, d.PanelZoneAffScroll.Bottom());
        EXPECT_GE(d.ScrollBarZoneSaisie.Left, d.PanelTextCom.Right());
        // One pixel less and the rows meet.
        d = Conception();
        DisposerFenetre(d, minimum.Largeur - 1, minimum.Hauteur - 1, ppp, false);
        EXPECT_LT(d.PanelZoneAffScroll.Height, echelle(kHauteurMinAffichage));
        EXPECT_LT(d.ScrollBarZoneSaisie.Left, d.PanelTextCom.Left + echelle(3));
    }
}

TEST_F(PistesTest, TheEditZoneFollowsTheWidthOfItsPanel)
{
    TerminerDispositionFenetre(700);
    EXPECT_EQ(LargeurPanneauSaisie, 700);
    EXPECT_EQ(Curseur.NbTempsVisibles, (700 - 2 * 30) / 50);
}

TEST_F(PistesTest, TheScoreOnlyCommandTogglesTheLayoutAndDigitsThenOnlySwitchTracks)
{
    ASSERT_TRUE(Commandes().Executer(Cmd::Ac_Affichage_PleinEcran));
    EXPECT_TRUE(Commandes().Checked(Cmd::Ac_Affichage_PleinEcran));
    EXPECT_TRUE(Commandes().Checked(Cmd::Bt_Affichage_PleinEcran));
    EXPECT_TRUE(PleinEcranChoisi);
    EXPECT_TRUE(PleinEcranActif);
    EXPECT_TRUE(fenetre.A("AppliquerPleinEcran(1)"));

    SaisirChiffre(5, Modif::Aucun);
    EXPECT_EQ(Bloc(1).NbTemps[1], 0);
    SaisirChiffre(3, Modif::Ctrl);
    EXPECT_EQ(PisteCourante, 3);

    fenetre.Appels.clear();
    ASSERT_TRUE(Commandes().Executer(Cmd::Bt_Affichage_PleinEcran));
    EXPECT_FALSE(Commandes().Checked(Cmd::Ac_Affichage_PleinEcran));
    EXPECT_FALSE(PleinEcranActif);
    EXPECT_FALSE(PleinEcranChoisi);
    EXPECT_EQ(fenetre.Appels, std::vector<std::string>{"AppliquerPleinEcran(0)"});
}

TEST_F(PistesTest, DuringPlaybackUncheckingTheScoreOnlyLayoutStopsThePlayback)
{
    int arrets = 0;
    Commandes().Enregistrer(Cmd::Ac_Son_Stop, [&arrets](Cmd) { ++arrets; });
    Jouer(true);
    PleinEcranActif = true; // as the playback set it

    ASSERT_TRUE(Commandes().Executer(Cmd::Ac_Affichage_PleinEcran)); // checked: nothing more
    EXPECT_TRUE(PleinEcranChoisi);
    EXPECT_EQ(arrets, 0);
    EXPECT_TRUE(fenetre.Appels.empty());

    ASSERT_TRUE(Commandes().Executer(Cmd::Ac_Affichage_PleinEcran));
    EXPECT_EQ(arrets, 1);
    EXPECT_FALSE(PleinEcranActif);
    EXPECT_FALSE(PleinEcranChoisi);
    EXPECT_TRUE(fenetre.A("AppliquerPleinEcran(0)"));
}

TEST_F(PistesTest, AResizeValidatesTheMeasureSilentlyAndRebuildsTheScore)
{
    Editer();
    ASSERT_TRUE(Commandes().Enabled(Cmd::Ac_Edition_Annuler));
    fenetre.Appels.clear();

    RedimensionnerFenetre();
    EXPECT_FALSE(Commandes().Enabled(Cmd::Ac_Edition_Annuler));
    EXPECT_FALSE(Commandes().Enabled(Cmd::BT_AnnulerMesure));
    EXPECT_TRUE(CopieMesureEntree.RenvoiDebut);
    EXPECT_TRUE(MesureAnnulation.RenvoiDebut);
    const int disposer = fenetre.Rang("DisposerPanneaux");
    ASSERT_GE(disposer, 0);
    EXPECT_LT(disposer, fenetre.Rang("RedessinerPartition"));
    EXPECT_FALSE(fenetre.A("RedessinerLignesModifiees(1)"));

    // Nothing while the window closes.
    Editer();
    fenetre.Appels.clear();
    FermetureEnCours = true;
    RedimensionnerFenetre();
    EXPECT_TRUE(fenetre.Appels.empty());
    EXPECT_TRUE(Commandes().Enabled(Cmd::BT_AnnulerMesure));
    FermetureEnCours = false;
}

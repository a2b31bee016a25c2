// Cursor moves within a measure, between measures, by mouse, and the edit-zone scrolling.
#include "FixtureMoteur.h"

namespace {

class Navigation : public FixtureMoteur {};

// A sentinel in a slot past the free column shows whether the free column was prepared there.
void MarquerSlot(int m, int t, int b) { Partition.Mesures[m]->Temps[t][b].Duree = 7777; }
bool SlotMarque(int m, int t, int b) { return Partition.Mesures[m]->Temps[t][b].Duree == 7777; }

} // namespace

TEST_F(Navigation, RightMovesAcrossBeatsOntoTheFreeColumnAndIntoTheNextMeasure)
{
    struct Cas {
        const char* nom;
        int nbTemps;      // beats of track 1 in measure 1
        int code;         // their note value
        int depart;       // cursor beat
        bool mesure2;     // a second measure exists already
        int mesureAttendue, tempsAttendu, nbMesuresAttendu;
    } cas[] = {
        {"64 beats: stays on 64", 64, 4, 64, false, 1, 64, 1},
        {"63 beats: onto the free column 64", 63, 4, 63, false, 1, 64, 1},
        {"incomplete: onto the free column", 3, 0, 3, false, 1, 4, 1},
        {"complete, last measure: appended", 4, 0, 4, false, 2, 1, 2},
        {"complete: next existing measure", 4, 0, 4, true, 2, 1, 2},
        {"inside the measure", 4, 0, 2, false, 1, 3, 1},
        {"on the free column: nothing", 3, 0, 4, false, 1, 4, 1},
    };
    for (const auto& c : cas) {
        SetUp();
        if (c.mesure2)
            AvoirMesures(2);
        Remplir(1, 1, c.nbTemps, c.code);
        if (c.nbTemps < kNbTempsMax - 1)
            MarquerSlot(1, 1, c.nbTemps + 2);
        if (c.nbTemps == 64)
            MarquerSlot(1, 1, 65);
        Entrer(1, c.depart);
        Curseur.ChiffreEnAttente = true;

        AllerTempsSuivant();

        EXPECT_EQ(Partition.MesureCourante, c.mesureAttendue) << c.nom;
        EXPECT_EQ(Curseur.Temps, c.tempsAttendu) << c.nom;
        EXPECT_EQ(Partition.NbMesures, c.nbMesuresAttendu) << c.nom;
        EXPECT_FALSE(Curseur.ChiffreEnAttente) << c.nom;
        if (c.nbTemps == 64) {
            EXPECT_TRUE(SlotMarque(1, 1, 65)) << c.nom << ": no free column after beat 64";
        }
    }
}

TEST_F(Navigation, LeftGoesBackToTheLastBeatOfThePreviousMeasure)
{
    AvoirMesures(5);
    Remplir(4, 1, 3);

    Entrer(1, 1);
    AllerTempsPrecedent();
    EXPECT_EQ(Partition.MesureCourante, 1);
    EXPECT_EQ(Curseur.Temps, 1);

    Entrer(5, 1);
    AllerTempsPrecedent();
    EXPECT_EQ(Partition.MesureCourante, 4);
    EXPECT_EQ(Curseur.Temps, 3);

    Remplir(4, 1, 0);
    Entrer(5, 1);
    AllerTempsPrecedent();
    EXPECT_EQ(Partition.MesureCourante, 4);
    EXPECT_EQ(Curseur.Temps, 1);

    Remplir(5, 1, 2);
    Entrer(5, 2);
    AllerTempsPrecedent();
    EXPECT_EQ(Partition.MesureCourante, 5);
    EXPECT_EQ(Curseur.Temps, 1);
}

TEST_F(Navigation, HomeEndAndStringsWrapRound)
{
    Partition.NbCordes[1] = 4;
    Remplir(1, 1, 1);
    Entrer(1, 2, 1);
    AllerDernierTemps();
    EXPECT_EQ(Curseur.Temps, 1);

    Remplir(1, 1, 0);
    Entrer(1, 1, 1);
    AllerDernierTemps();
    EXPECT_EQ(Curseur.Temps, 1);

    Remplir(1, 1, 5);
    Entrer(1, 4, 1);
    AllerPremierTemps();
    EXPECT_EQ(Curseur.Temps, 1);

    MonterCorde();
    EXPECT_EQ(Curseur.Corde, 4);
    DescendreCorde();
    EXPECT_EQ(Curseur.Corde, 1);
    Curseur.Corde = 4;
    DescendreCorde();
    EXPECT_EQ(Curseur.Corde, 1);
}

TEST_F(Navigation, AMouseClickPicksTheNearestBeatAndString)
{
    Remplir(1, 1, 3);
    const int mg = Curseur.MargeGauche, mh = Curseur.MargeHaut, l = Curseur.LargeurTemps, e = Curseur.EspCordes;
    struct Cas {
        const char* nom;
        int x, y;
        int temps, corde;
    } cas[] = {
        {"half a column rounds to 0, raised to 1", mg + l / 2, mh, 1, 1},
        {"one and a half columns rounds to even 2", mg + 3 * l / 2, mh, 2, 1},
        {"two and a half columns rounds to even 2", mg + 5 * l / 2, mh, 2, 1},
        {"far right: the free column", mg + 40 * l, mh, 4, 1},
        {"half a string spacing rounds to string 1", mg + l, mh + e / 2, 1, 1},
        {"string 3", mg + l, mh + 2 * e + 3, 1, 3},
        {"below the last string, inside the band", mg + l, mh + 5 * e + 9, 1, 6},
        {"outside the band: nothing", mg + 2 * l, mh + 5 * e + 10, 2, 2},
        {"above the band: nothing", mg + 2 * l, mh - 10, 2, 2},
        {"exactly on the left margin: nothing", mg, mh, 2, 2},
    };
    for (const auto& c : cas) {
        Entrer(1, 2, 2);
        PlacerCurseurSouris(c.x, c.y);
        EXPECT_EQ(Curseur.Temps, c.temps) << c.nom;
        EXPECT_EQ(Curseur.Corde, c.corde) << c.nom;
        EXPECT_EQ(Partition.MesureCourante, 1) << c.nom;
    }
}

TEST_F(Navigation, AClickFarRightNeverReachesBeat65)
{
    Remplir(1, 1, 64, 4);
    MarquerSlot(1, 1, 65);
    Entrer(1, 10);

    PlacerCurseurSouris(Curseur.MargeGauche + 80 * Curseur.LargeurTemps, Curseur.MargeHaut);
    EXPECT_EQ(Curseur.Temps, 64);
    EXPECT_TRUE(SlotMarque(1, 1, 65));

    // Typing there writes beat 64; the part keeps its 64 beats.
    SaisirChiffre(5, Modif::Aucun);
    EXPECT_EQ(Partition.Mesures[1]->NbTemps[1], 64);
    EXPECT_EQ(Note(1, 1, 64, 1).Frette, 5);
}

TEST_F(Navigation, AClickLeftOfTheStaffOrOnTheFreeColumnOfACompleteMeasureChangesMeasure)
{
    AvoirMesures(2);
    Remplir(1, 1, 4);
    Entrer(2, 1);
    PlacerCurseurSouris(Curseur.MargeGauche - 5, Curseur.MargeHaut);
    EXPECT_EQ(Partition.MesureCourante, 1);
    EXPECT_EQ(Curseur.Temps, 4);

    PlacerCurseurSouris(Curseur.MargeGauche + 5 * Curseur.LargeurTemps, Curseur.MargeHaut);
    EXPECT_EQ(Partition.MesureCourante, 2);
    EXPECT_EQ(Curseur.Temps, 1);
}

TEST_F(Navigation, EnteringANewOrEmptyMeasureContinuesTheLastNoteValue)
{
    // Measure 1 ends with a dotted eighth.
    Remplir(1, 1, 2, 0);
    TTemps& dernier = Temps(1, 1, 3);
    dernier = TTemps{};
    dernier.CodeDuree = 1;
    dernier.Pointee = true;
    dernier.Duree = 360;
    Partition.Mesures[1]->NbTemps[1] = 3;
    InitialiserTempsSuivant(1, 1);

    // Appended.
    Entrer(1, 3);
    ASSERT_TRUE(AllerMesureSuivante());
    ASSERT_EQ(Partition.MesureCourante, 2);
    EXPECT_EQ(Temps(2, 1, 1).Duree, 360);
    EXPECT_EQ(Temps(2, 1, 1).CodeDuree, 1);
    EXPECT_TRUE(Temps(2, 1, 1).Pointee);
    EXPECT_EQ(Temps(2, 1, 1).PosTriolet, 1);
    // The entry copy already holds the carried value: cancelling the measure keeps it.
    EXPECT_EQ(CopieMesureEntree.Temps[1][1].Duree, 360);
    // Only the current track carries its value.
    EXPECT_EQ(Temps(2, 2, 1).Duree, 480);

    // Existing and empty.
    SetUp();
    AvoirMesures(3);
    Remplir(1, 1, 1, 1, true);
    Entrer(1, 1);
    AllerMesureSuivante();
    EXPECT_EQ(Temps(2, 1, 1).Duree, 360);

    // The other moves do not carry it over: measure 2 ends with a dotted eighth, 1 and 3 are
    // empty.
    for (int coup = 0; coup < 3; ++coup) {
        SetUp();
        AvoirMesures(3);
        Remplir(2, 1, 1, 1, true);
        Entrer(2, 1);
        if (coup == 0)
            AllerPremiereMesure();
        if (coup == 1)
            AllerDerniereMesure();
        if (coup == 2) {
            Remplir(3, 1, 1, 1, true);
            Remplir(2, 1, 0);
            Remplir(1, 1, 1, 1, true);
            Entrer(3, 1);
            AllerMesurePrecedente();
        }
        const int m = Partition.MesureCourante;
        EXPECT_EQ(Temps(m, 1, 1).Duree, 480) << coup;
        EXPECT_EQ(Temps(m, 1, 1).CodeDuree, 0) << coup;
    }
}

TEST_F(Navigation, AnAppendedMeasureTakesTheTimeSignatureAndNoMarks)
{
    Partition.Mesures[1]->Numerateur = 3;
    Partition.Mesures[1]->Denominateur = 4;
    Partition.Mesures[1]->Duree = 3.0;
    Partition.Mesures[1]->RenvoiDebut = true;
    Partition.Mesures[1]->RenvoiFin = true;
    Partition.Mesures[1]->NbRenvois = 3;
    Partition.Mesures[1]->Repetition = true;
    Partition.Mesures[1]->NumRepetition = 2;
    Remplir(1, 3, 2);
    Entrer(1, 1);

    ASSERT_TRUE(AllerMesureSuivante());
    ASSERT_EQ(Partition.NbMesures, 2);
    const TMesure& m = *Partition.Mesures[2];
    EXPECT_EQ(m.Numerateur, 3);
    EXPECT_EQ(m.Denominateur, 4);
    EXPECT_EQ(m.Duree, 3.0);
    EXPECT_FALSE(m.RenvoiDebut);
    EXPECT_FALSE(m.RenvoiFin);
    EXPECT_FALSE(m.Repetition);
    EXPECT_EQ(m.NbRenvois, 1);
    EXPECT_EQ(m.NumRepetition, 1);
    for (int t = 1; t <= kNbPistes; ++t) {
        EXPECT_EQ(m.NbTemps[t], 0) << t;
        EXPECT_EQ(m.Temps[t][1].Duree, 480) << t;
        EXPECT_EQ(m.Temps[t][1].Notes[1].Frette, -1) << t;
    }
    EXPECT_EQ(PisteCourante, 1);
    // The song grew: the lines of the measure left are laid out again.
    EXPECT_TRUE(fenetre.A("RedessinerLignesModifiees(1)"));
}

TEST_F(Navigation, TheSongNeverGrowsPastMeasure1000)
{
    // Only the last two blocks matter to the move.
    Partition.Mesures[999] = std::make_unique<TMesure>();
    Partition.Mesures[1000] = std::make_unique<TMesure>();
    Partition.NbMesures = 1000;
    Remplir(1000, 1, 4);
    Remplir(999, 1, 4);
    Entrer(1000, 4);

    EXPECT_FALSE(AllerMesureSuivante());
    EXPECT_EQ(Partition.NbMesures, 1000);
    EXPECT_EQ(Partition.MesureCourante, 1000);

    // Right from the last beat of the complete measure 1000 stays in it, on the free column.
    AllerTempsSuivant();
    EXPECT_EQ(Partition.NbMesures, 1000);
    EXPECT_EQ(Partition.MesureCourante, 1000);
    EXPECT_EQ(Curseur.Temps, 5);

    // Ctrl+Right, through its always-enabled command, leaves everything as it is.
    AllerMesureSuivanteSiActif();
    EXPECT_EQ(Partition.MesureCourante, 1000);
    EXPECT_EQ(Partition.NbMesures, 1000);
}

TEST_F(Navigation, LeavingAnEditedMeasureRepaintsItsScoreLinesAndLeavingAnUneditedOneDoesNot)
{
    AvoirMesures(3);
    Entrer(2, 1);
    AllerMesureSuivante();
    EXPECT_FALSE(fenetre.A("RedessinerLignesModifiees(2)"));
    EXPECT_TRUE(fenetre.A("PlacerCadreMesure"));

    SaisirChiffre(7, Modif::Aucun);
    EXPECT_TRUE(Commandes().Enabled(Cmd::BT_AnnulerMesure));
    fenetre.Appels.clear();
    AllerMesurePrecedente();
    EXPECT_EQ(fenetre.Compte("RedessinerLignesModifiees(3)"), 1);
    EXPECT_FALSE(Commandes().Enabled(Cmd::BT_AnnulerMesure));
    EXPECT_FALSE(Commandes().Enabled(Cmd::Ac_Edition_Annuler));
    // Entering takes the copy for cancel-measure of the measure entered.
    EXPECT_EQ(CopieMesureEntree.NbTemps[1], Partition.Mesures[2]->NbTemps[1]);
}

TEST_F(Navigation, LeavingAMeasureRecoloursAStaleTrackButton)
{
    AvoirMesures(2);
    Entrer(1, 1);
    SaisirChiffre(3, Modif::Aucun);
    EXPECT_FALSE(TesterCouleurBoutonPiste()); // stale until the measure is left
    fenetre.Appels.clear();
    AllerMesureSuivante();
    EXPECT_TRUE(fenetre.A("ColorerBoutonPiste(1)"));
    EXPECT_TRUE(TesterCouleurBoutonPiste());

    // The beats go; leaving the measure, now empty while the button is blue, recolours it.
    Remplir(1, 1, 0);
    Entrer(1, 1);
    fenetre.Appels.clear();
    AllerMesureSuivante();
    EXPECT_TRUE(fenetre.A("ColorerBoutonPiste(1)"));
    EXPECT_FALSE(TesterCouleurBoutonPiste());

    // Leaving a measure with beats while the button is blue changes nothing.
    Remplir(2, 1, 2);
    Entrer(2, 1);
    CalculerCouleurBoutonPiste(1);
    fenetre.Appels.clear();
    AllerMesureSuivante();
    EXPECT_FALSE(fenetre.A("ColorerBoutonPiste(1)"));
}

TEST_F(Navigation, GoToMeasureEntersTheChosenMeasureOnBeat1)
{
    AvoirMesures(6);
    Remplir(5, 1, 3);
    Entrer(2, 1, 3);
    fenetre.ReponseAllerA = true;
    fenetre.MesureChoisieAllerA = 5;
    AllerAMesure();
    EXPECT_EQ(Partition.MesureCourante, 5);
    EXPECT_EQ(Curseur.Temps, 1);
    EXPECT_EQ(Curseur.Corde, 3);

    fenetre.ReponseAllerA = false;
    AllerAMesure();
    EXPECT_EQ(Partition.MesureCourante, 5);
}

TEST_F(Navigation, ScrollRangeAndImageWidthFollowThePanelWidth)
{
    struct Cas {
        int panneau, nbTemps, curseur;
        int visibles, positionMax, max, grandPas;
        bool actif;
        int largeurZone;
    } cas[] = {
        // (630 - 60) / 50 = 11 columns; 20 beats: 20 - 11 + 1 = 10.
        {630, 20, 1, 11, 10, 11, 6, true, 1100},
        // The free column counts while the cursor stands on it.
        {630, 20, 21, 11, 11, 12, 6, true, 1150},
        // 9 columns: a page of Round(4.5) = 4.
        {530, 3, 1, 9, 0, 1, 4, false, 470},
        {630, 9, 1, 11, 0, 1, 6, false, 570},
        {630, 10, 1, 11, 0, 1, 6, true, 600},
    };
    for (const auto& c : cas) {
        SetUp();
        Remplir(1, 1, c.nbTemps, 4);
        LargeurPanneauSaisie = c.panneau;
        Curseur.LargeurZone = 570;
        Curseur.Temps = c.curseur;
        AjusterDefilementSaisie();
        EXPECT_EQ(Curseur.NbTempsVisibles, c.visibles) << c.panneau << " " << c.nbTemps;
        EXPECT_EQ(Curseur.PositionMax, c.positionMax) << c.panneau << " " << c.nbTemps;
        EXPECT_EQ(fenetre.MaxDefilement, c.max) << c.panneau << " " << c.nbTemps;
        EXPECT_EQ(fenetre.GrandPas, c.grandPas) << c.panneau << " " << c.nbTemps;
        EXPECT_EQ(fenetre.DefilementActif, c.actif) << c.panneau << " " << c.nbTemps;

        Commandes().SetEnabled(Cmd::Ac_Edition_Annuler, true);
        AjusterLargeurSaisie();
        EXPECT_EQ(Curseur.LargeurZone, c.largeurZone) << c.panneau << " " << c.nbTemps;
        const bool change = c.largeurZone != 570;
        EXPECT_EQ(fenetre.A("DimensionnerZoneSaisie(" + std::to_string(c.largeurZone + 60) + ")"), change);
        // A new width redraws the whole zone, which ends the undo availability.
        EXPECT_EQ(Commandes().Enabled(Cmd::Ac_Edition_Annuler), !change);
    }
}

TEST_F(Navigation, TheCursorBeatIsScrolledIntoView)
{
    Remplir(1, 1, 30, 4);
    LargeurPanneauSaisie = 630; // 11 columns
    Curseur.Temps = 15;
    AjusterDefilementSaisie();
    MontrerCurseurSaisie();
    EXPECT_EQ(PositionDefilementSaisie, 15 - 6);
    EXPECT_EQ(fenetre.PositionZone, 9);
    EXPECT_EQ(fenetre.GaucheZone, -9 * 50);

    // Visible columns 10..20: nothing moves.
    fenetre.Appels.clear();
    Curseur.Temps = 20;
    MontrerCurseurSaisie();
    EXPECT_TRUE(fenetre.Appels.empty());
    EXPECT_EQ(PositionDefilementSaisie, 9);

    Curseur.Temps = 2;
    MontrerCurseurSaisie();
    EXPECT_EQ(PositionDefilementSaisie, 0);

    // Fewer beats: the position falls back within the shorter range.
    ScrollBarZoneSaisieChange(20);
    Remplir(1, 1, 3, 4);
    AjusterDefilementSaisie();
    EXPECT_EQ(PositionDefilementSaisie, 1);
}

TEST_F(Navigation, TheScoreFrameCoversTheMeasureAndItsLineIsScrolledIntoView)
{
    AvoirMesures(2);
    const TParamEcran ecranAvant = ParamEcranCourant;
    const TCONFIG configAvant = Configuration;
    TMesure& m = *Partition.Mesures[1];
    m.XGauche = 100;
    m.XDroite = 300;
    m.Y = 40;
    m.Ligne = 3; // top of its line: 300
    struct Cas {
        const char* nom;
        int espLignes, position, typeScrolling;
        bool derniere, lecture;
        int left, top, width, height, nouvellePosition;
    } cas[] = {
        {"below the view: scrolled up to it", 10, 0, 1, false, false, 106, 330, 186, 71, 50},
        {"above the view: scrolled to its top", 10, 400, 1, false, false, 106, -70, 186, 71, 300},
        {"in view: no scrolling", 10, 100, 1, false, false, 106, 230, 186, 71, 100},
        {"last measure: two pixels wider", 10, 100, 1, true, false, 106, 230, 188, 71, 100},
        {"narrow staff", 8, 100, 1, false, false, 104, 232, 190, 57, 100},
        {"playback, screen by screen", 10, 0, 1, false, true, 106, 330, 186, 71, 300},
        {"playback, line by line", 10, 100, 2, false, true, 106, 230, 186, 71, 300},
    };
    for (const auto& c : cas) {
        ParamEcranCourant.EspLignes = c.espLignes;
        Configuration.TypeScrolling = c.typeScrolling;
        Partition.MesureCourante = c.derniere ? 2 : 1;
        if (c.derniere)
            *Partition.Mesures[2] = m;
        Commandes().SetEnabled(Cmd::Ac_Son_LectureDebut, !c.lecture);
        const TCadreMesure cadre = CalculerCadreMesure(400, 150, c.position);
        EXPECT_EQ(cadre.Left, c.left) << c.nom;
        EXPECT_EQ(cadre.Top, c.top) << c.nom;
        EXPECT_EQ(cadre.Width, c.width) << c.nom;
        EXPECT_EQ(cadre.Height, c.height) << c.nom;
        EXPECT_EQ(cadre.Position, c.nouvellePosition) << c.nom;
        EXPECT_FALSE(cadre.NonDisposee) << c.nom;
    }
    Commandes().SetEnabled(Cmd::Ac_Son_LectureDebut, true);

    // Not laid out yet: off screen, and the window lets the view lay it out first.
    Partition.MesureCourante = 1;
    m.XGauche = 0;
    const TCadreMesure cadre = CalculerCadreMesure(400, 150, 0);
    EXPECT_TRUE(cadre.NonDisposee);
    EXPECT_EQ(cadre.Left, -94);
    EXPECT_EQ(cadre.Width, 6);

    ParamEcranCourant = ecranAvant;
    Configuration = configAvant;
}

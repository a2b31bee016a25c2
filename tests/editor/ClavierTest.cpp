// The key map, the shortcut dispatch in front of it, the hidden memo, the Page Up / Page Down
// auto-scroll, the wheel and the mouse of the edit zone.
#include "FixtureClavier.h"

namespace {

class Clavier : public FixtureClavier {
protected:
    static Touche Haut(int chiffre) { return static_cast<Touche>(static_cast<uint16_t>(Touche::Chiffre0) + chiffre); }
    static Touche Pave(int chiffre) { return static_cast<Touche>(static_cast<uint16_t>(Touche::Pave0) + chiffre); }

    // x, y of beat b, string s in the edit image.
    static int X(int b) { return Curseur.MargeGauche + b * Curseur.LargeurTemps; }
    static int Y(int s) { return Curseur.MargeHaut + (s - 1) * Curseur.EspCordes; }
};

constexpr uint8_t Aucun = Modif::Aucun;
constexpr uint8_t Shift = Modif::Shift;
constexpr uint8_t Ctrl = Modif::Ctrl;
constexpr uint8_t Alt = Modif::Alt;
constexpr uint8_t CtrlShift = Modif::Ctrl | Modif::Shift;

} // namespace

// Every row of the key handler that moves the cursor, with the modifier it wants compared as a
// whole: Left, Right, Up and Down want none, Home and End take any.
TEST_F(Clavier, CursorKeysCompareTheirModifiersExactly)
{
    struct Cas {
        Touche touche;
        uint8_t shift;
        int temps, corde;  // expected cursor from beat 3, string 3 of 5 beats
    } cas[] = {
        {Touche::Gauche, Aucun, 2, 3},     {Touche::Gauche, Shift, 3, 3},   {Touche::Gauche, Alt, 3, 3},
        {Touche::Droite, Aucun, 4, 3},     {Touche::Droite, Shift, 3, 3},
        {Touche::Debut, Aucun, 1, 3},      {Touche::Debut, Shift, 1, 3},    {Touche::Debut, CtrlShift, 1, 3},
        {Touche::Fin, Aucun, 5, 3},        {Touche::Fin, Shift, 5, 3},
        {Touche::Haut, Aucun, 3, 2},       {Touche::Haut, Shift, 3, 3},     {Touche::Haut, Ctrl, 3, 3},
        {Touche::Bas, Aucun, 3, 4},        {Touche::Bas, Alt, 3, 3},
        {Touche::Tab, Aucun, 3, 3},
    };
    for (const auto& c : cas) {
        SetUp();
        Remplir(1, 1, 5);
        Entrer(1, 3, 3);
        FormKeyDown(c.touche, c.shift);
        EXPECT_EQ(Curseur.Temps, c.temps) << static_cast<int>(c.touche) << " shift " << int(c.shift);
        EXPECT_EQ(Curseur.Corde, c.corde) << static_cast<int>(c.touche) << " shift " << int(c.shift);
        TearDown();
    }
}

// Top-row digits are the keypad's, whatever the modifiers; Ctrl alone makes a track switch.
TEST_F(Clavier, DigitsOfTheTopRowAndTheKeypad)
{
    struct Cas {
        Touche touche;
        uint8_t shift;
        int piste;   // current track afterwards
        int frette;  // fret on track 1, beat 1, string 1 (-1 none)
    } cas[] = {
        {Pave(5), Aucun, 1, 5},      {Haut(5), Aucun, 1, 5},   {Haut(5), Shift, 1, 5},
        {Haut(5), Alt, 1, 5},        {Haut(5), CtrlShift, 1, 5}, {Pave(0), Shift, 1, 0},
        {Haut(5), Ctrl, 5, -1},      {Pave(5), Ctrl, 5, -1},   {Haut(8), Ctrl, 8, -1},
        {Haut(9), Ctrl, 1, -1},      {Haut(0), Ctrl, 1, -1},
    };
    for (const auto& c : cas) {
        SetUp();
        Entrer(1, 1, 1);
        FormKeyDown(c.touche, c.shift);
        EXPECT_EQ(PisteCourante, c.piste) << static_cast<int>(c.touche) << " shift " << int(c.shift);
        EXPECT_EQ(Note(1, 1, 1, 1).Frette, c.frette) << static_cast<int>(c.touche) << " shift " << int(c.shift);
        TearDown();
        PisteCourante = 1;
    }

    // Two digits from either row make one fret.
    SetUp();
    Entrer(1, 1, 1);
    FormKeyDown(Haut(1), Aucun);
    FormKeyDown(Pave(7), Aucun);
    EXPECT_EQ(Note(1, 1, 1, 1).Frette, 17);
}

TEST_F(Clavier, DeleteAndBackspace)
{
    // Backspace on the only note of beat 3 removes the beat and goes to beat 2.
    Remplir(1, 1, 4);
    for (int b = 1; b <= 4; ++b)
        Note(1, 1, b, 1).Frette = static_cast<int8_t>(b);
    Entrer(1, 3, 1);
    FormKeyDown(Touche::Retour, Aucun);
    EXPECT_EQ(N(), 3);
    EXPECT_EQ(Curseur.Temps, 2);
    EXPECT_EQ(Note(1, 1, 3, 1).Frette, 4);

    // Ctrl+Backspace deletes the whole beat of several notes, then goes left.
    Note(1, 1, 3, 2).Frette = 7;
    Entrer(1, 3, 1);
    FormKeyDown(Touche::Retour, Ctrl);
    EXPECT_EQ(N(), 2);
    EXPECT_EQ(Curseur.Temps, 2);

    // Delete on a tied beat takes just that beat: the key handler notes the tie first.
    Remplir(1, 1, 4);
    Beat(2).Lie = true;
    Beat(3).Lie = true;
    Entrer(1, 2, 1);
    FormKeyDown(Touche::Suppr, Aucun);
    EXPECT_EQ(N(), 3);
    EXPECT_TRUE(Beat(2).Lie);
    EXPECT_EQ(Curseur.Temps, 2);

    // Ctrl+Shift+Delete is not Ctrl: it deletes the note.
    Remplir(1, 1, 2);
    Note(1, 1, 1, 2).Frette = 3;
    Entrer(1, 1, 1);
    FormKeyDown(Touche::Suppr, CtrlShift);
    EXPECT_EQ(N(), 2);
    EXPECT_EQ(Note(1, 1, 1, 1).Frette, -1);
}

TEST_F(Clavier, KeypadRhythmKeys)
{
    struct Cas {
        Touche touche;
        uint8_t shift;
        int32_t duree;
        bool pointee, triolet;
    } cas[] = {
        {Touche::PavePlus, Aucun, 240, false, false},
        {Touche::PavePlus, Shift, 480, false, false},
        {Touche::PaveMoins, Aucun, 960, false, false},
        {Touche::PaveMul, Aucun, 720, true, false},
        {Touche::PavePoint, Shift, 720, true, false},
        {Touche::PaveDiv, Alt, 320, false, true},
    };
    for (const auto& c : cas) {
        SetUp();
        Remplir(1, 1, 3);
        Entrer(1, 1);
        FormKeyDown(c.touche, c.shift);
        EXPECT_EQ(Beat(1).Duree, c.duree) << static_cast<int>(c.touche);
        EXPECT_EQ(Beat(1).Pointee, c.pointee) << static_cast<int>(c.touche);
        EXPECT_EQ(Beat(1).Triolet, c.triolet) << static_cast<int>(c.touche);
        TearDown();
    }

    // Dotted only where the command is enabled: not on a triplet.
    SetUp();
    Remplir(1, 1, 3, 1, false, true);
    Entrer(1, 1);
    FormKeyDown(Touche::PaveMul, Aucun);
    EXPECT_FALSE(Beat(1).Pointee);
    EXPECT_EQ(Beat(1).Duree, 160);
}

TEST_F(Clavier, DuringPlaybackOnlyTheTrackSwitchAndSpaceAct)
{
    Remplir(1, 1, 3);
    Entrer(1, 2, 1);
    lecteur.Disponible = true;
    fenetreClavier.LecteurOuvert = true;
    Jouer();
    const TMesure avant = *Partition.Mesures[1];
    for (Touche t : {Touche::Gauche, Touche::Droite, Touche::Haut, Touche::Suppr, Touche::Retour, Haut(5), Pave(3),
                     Touche::PavePlus, Touche::PaveDiv, Touche::PagePrec})
        FormKeyDown(t, Aucun);
    EXPECT_EQ(Curseur.Temps, 2);
    EXPECT_EQ(Curseur.Corde, 1);
    EXPECT_EQ(N(), 3);
    EXPECT_EQ(Note(1, 1, 2, 1).Frette, avant.Temps[1][2].Notes[1].Frette);
    EXPECT_EQ(Beat(2).Duree, 480);
    EXPECT_EQ(fenetreClavier.Messages, 0);
    EXPECT_TRUE(Executees.empty());

    FormKeyDown(Touche::PavePlus, Ctrl);
    FormKeyDown(Touche::PaveMoins, Ctrl);
    EXPECT_EQ(fenetreClavier.Compte("PisteUpClick"), 1);
    EXPECT_EQ(fenetreClavier.Compte("PisteDownClick"), 1);

    for (uint8_t shift : {Aucun, Ctrl, Shift})
        FormKeyDown(Touche::Espace, shift);
    EXPECT_EQ(Executees, (std::vector<Cmd>{Cmd::Ac_Son_Stop, Cmd::Ac_Son_Stop, Cmd::Ac_Son_Stop}));

    // Without an open device (or without MIDI) Space does nothing either.
    Executees.clear();
    fenetreClavier.LecteurOuvert = false;
    FormKeyDown(Touche::Espace, Aucun);
    fenetreClavier.LecteurOuvert = true;
    lecteur.Disponible = false;
    FormKeyDown(Touche::Espace, Aucun);
    EXPECT_TRUE(Executees.empty());
}

TEST_F(Clavier, SpacePlaysInThreeWays)
{
    struct Cas {
        uint8_t shift;
        std::vector<Cmd> executees;
    } cas[] = {
        {Aucun, {Cmd::Ac_Son_LectureDebut}},
        {Ctrl, {Cmd::Ac_Son_LecturePosEC}},
        {CtrlShift, {Cmd::Ac_Son_LectureMesureEC}},
        {Shift, {}},
        {Alt, {}},
    };
    for (const auto& c : cas) {
        SetUp();
        Entrer(1, 1);
        EXPECT_EQ(ToucheVersCommande(Touche::Espace, c.shift), RouteTouche::CarteTouches);
        EXPECT_EQ(Executees, c.executees) << int(c.shift);
        TearDown();
    }
}

TEST_F(Clavier, ScoreOnlyLayoutStopsEverythingButTheDigits)
{
    Remplir(1, 1, 3);
    Entrer(1, 2, 1);
    PleinEcranActif = true;
    FormKeyDown(Touche::Gauche, Aucun);
    FormKeyDown(Touche::Suppr, Aucun);
    FormKeyDown(Pave(7), Aucun);
    EXPECT_EQ(Curseur.Temps, 2);
    EXPECT_EQ(N(), 3);
    EXPECT_EQ(Note(1, 1, 2, 1).Frette, 0);
    FormKeyDown(Haut(3), Ctrl);
    EXPECT_EQ(PisteCourante, 3);
    PisteCourante = 1;
}

TEST_F(Clavier, CtrlShiftUpValidatesAnEditedMeasure)
{
    Entrer(1, 1, 1);
    FormKeyDown(Touche::Haut, CtrlShift);
    EXPECT_FALSE(fenetreClavier.A("PlacerCadreMesure"));
    FormKeyDown(Pave(3), Aucun);
    ASSERT_TRUE(Commandes().Enabled(Cmd::BT_Valider));
    FormKeyDown(Touche::Haut, CtrlShift);
    EXPECT_TRUE(fenetreClavier.A("RedessinerLignesModifiees(1)"));
    EXPECT_FALSE(Commandes().Enabled(Cmd::BT_AnnulerMesure));
    EXPECT_FALSE(Commandes().Enabled(Cmd::BT_Valider));
}

// Keys routed as the window routes them: an enabled command's shortcut runs the command and
// goes no further; a disabled one leaves the key to the key handler and the hidden memo.
TEST_F(Clavier, ShortcutsOfEnabledCommandsComeFirst)
{
    struct Cas {
        const char* nom;
        Touche touche;
        uint8_t shift;
        int curseur;          // on 3 beats of quarters, fret on string 1
        RouteTouche route;
        int nbApres;
        int tempsApres;
    } cas[] = {
        {"Ins inserts a rest", Touche::Inser, Aucun, 2, RouteTouche::Commande, 4, 2},
        {"Ins on the free column: key map", Touche::Inser, Aucun, 4, RouteTouche::CarteTouches, 3, 4},
        {"Ctrl+Del deletes the beat", Touche::Suppr, Ctrl, 2, RouteTouche::Commande, 2, 2},
        {"Ctrl+Del on the free column does nothing", Touche::Suppr, Ctrl, 4, RouteTouche::CarteTouches, 3, 4},
        {"C copies to the end", Lettre('C'), Aucun, 1, RouteTouche::Commande, 4, 2},
        {"S makes a rest", Lettre('S'), Aucun, 1, RouteTouche::Commande, 3, 1},
        {"Shift+S is no shortcut", Lettre('S'), Shift, 1, RouteTouche::CarteTouches, 3, 1},
        {"Left has no shortcut", Touche::Gauche, Aucun, 2, RouteTouche::CarteTouches, 3, 1},
        {"Ctrl+Left in measure 1: disabled, and no key row", Touche::Gauche, Ctrl, 2, RouteTouche::CarteTouches, 3, 2},
        {"Enter goes on through the memo", Touche::Entree, Aucun, 2, RouteTouche::CarteTouches, 3, 3},
    };
    for (const auto& c : cas) {
        SetUp();
        Remplir(1, 1, 3);
        Entrer(1, c.curseur);
        if (Curseur.Temps == 4)
            AjouterTempsVide();
        EXPECT_EQ(ToucheVersCommande(c.touche, c.shift), c.route) << c.nom;
        EXPECT_EQ(N(), c.nbApres) << c.nom;
        EXPECT_EQ(Curseur.Temps, c.tempsApres) << c.nom;
        TearDown();
    }

    // The dotted-note key 220 is a shortcut: on a triplet it is disabled and goes on to the key
    // map, which has no row for it.
    SetUp();
    Remplir(1, 1, 3);
    Entrer(1, 1);
    EXPECT_EQ(ToucheVersCommande(Touche::Oem5, Aucun), RouteTouche::Commande);
    EXPECT_TRUE(Beat(1).Pointee);
    Remplir(1, 1, 3, 1, false, true);
    Entrer(1, 1);
    EXPECT_EQ(ToucheVersCommande(Touche::Oem5, Aucun), RouteTouche::CarteTouches);
    EXPECT_FALSE(Beat(1).Pointee);

    // L ties beat 2, L again unties it into a rest.
    Remplir(1, 1, 3);
    Entrer(1, 2);
    ToucheVersCommande(Lettre('L'), Aucun);
    EXPECT_TRUE(Beat(2).Lie);
    EXPECT_TRUE(Commandes().Checked(Cmd::Ac_Note_Lier));
    ToucheVersCommande(Lettre('L'), Aucun);
    EXPECT_FALSE(Beat(2).Lie);
    EXPECT_TRUE(Beat(2).Silence);
}

TEST_F(Clavier, TheHiddenMemoHandlesEnterAndEscape)
{
    Remplir(1, 1, 2);
    Entrer(1, 1);
    Ed_InvisibleKeyDown(Touche::Entree, Aucun);
    EXPECT_EQ(Curseur.Temps, 2);

    // Escape hides the drum palette; the drum command is enabled on track 8 only.
    for (int piste : {1, 8}) {
        PisteCourante = piste;
        fenetreClavier.PaletteVisible = true;
        Commandes().SetEnabled(Cmd::Ac_Ass_Percussion, true);
        Ed_InvisibleKeyDown(Touche::Echap, Aucun);
        EXPECT_FALSE(fenetreClavier.PaletteVisible);
        EXPECT_EQ(Commandes().Enabled(Cmd::Ac_Ass_Percussion), piste == 8);
    }
    PisteCourante = 1;
    EXPECT_TRUE(Executees.empty());

    // During playback, with MIDI working, Escape stops it.
    Jouer();
    lecteur.Disponible = true;
    Ed_InvisibleKeyDown(Touche::Echap, Aucun);
    EXPECT_EQ(Executees, std::vector<Cmd>{Cmd::Ac_Son_Stop});
}

// ---- Page Up / Page Down and the wheel ---------------------------------------------------------

TEST_F(Clavier, PageDownScrollsUntilTheKeyIsReleasedAndAtMostFiveHundredSteps)
{
    AffichagePartition.Defilement.Position = 5000;
    // The key is released while the window handles its tenth pump.
    fenetreClavier.AuMessage = [](int n) {
        if (n == 10)
            FormKeyUp(Touche::PageSuiv, Aucun);
    };
    FormKeyDown(Touche::PageSuiv, Aucun);
    EXPECT_EQ(AffichagePartition.Defilement.Position, 5040);
    EXPECT_FALSE(ToucheDefilement);

    // No release: 500 steps of 4 pixels, then the loop gives up.
    fenetreClavier.AuMessage = nullptr;
    fenetreClavier.Messages = 0;
    FormKeyDown(Touche::PagePrec, Aucun);
    EXPECT_EQ(AffichagePartition.Defilement.Position, 5040 - 2000);
    EXPECT_EQ(fenetreClavier.Messages, 500);
    EXPECT_EQ(PasDefilement, -4);

    // With a modifier the key scrolls nothing.
    const int position = AffichagePartition.Defilement.Position;
    FormKeyDown(Touche::PageSuiv, Shift);
    EXPECT_EQ(AffichagePartition.Defilement.Position, position);
}

TEST_F(Clavier, TheWheelScrollsTheScoreViewByItsSmallStepWithinTheRange)
{
    TDefilement& d = AffichagePartition.Defilement;
    d.Min = -20;
    d.Max = 40;
    d.Position = 30;
    Ed_InvisibleMouseWheelDown();
    EXPECT_EQ(d.Position, 40);
    Ed_InvisibleMouseWheelDown();
    EXPECT_EQ(d.Position, 40);
    for (int i = 0; i < 4; ++i)
        Ed_InvisibleMouseWheelUp();
    EXPECT_EQ(d.Position, -20);
}

// ---- The mouse -----------------------------------------------------------------------------

TEST_F(Clavier, ClickDragAndRightClick)
{
    Remplir(1, 1, 5);
    Entrer(1, 1, 1);
    ZoneSaisieMouseDown(BoutonSouris::Gauche, X(2), Y(3));
    EXPECT_EQ(Curseur.Temps, 2);
    EXPECT_EQ(Curseur.Corde, 3);
    EXPECT_TRUE(ModeGlisser);

    ZoneSaisieMouseMove(X(4), Y(2));
    EXPECT_EQ(Curseur.Temps, 4);
    EXPECT_EQ(Curseur.Corde, 2);
    ZoneSaisieMouseUp(BoutonSouris::Gauche, X(4), Y(2));
    EXPECT_FALSE(ModeGlisser);
    ZoneSaisieMouseMove(X(1), Y(1));
    EXPECT_EQ(Curseur.Temps, 4);

    // The right button places the cursor, then opens the fret popup there; no drag follows.
    ZoneSaisieMouseDown(BoutonSouris::Droit, X(3) + 7, Y(5) - 2);
    EXPECT_EQ(Curseur.Temps, 3);
    EXPECT_EQ(Curseur.Corde, 5);
    EXPECT_FALSE(ModeGlisser);
    EXPECT_EQ(fenetreClavier.MenuX, X(3) + 7);
    EXPECT_EQ(fenetreClavier.MenuY, Y(5) - 2);
    ZoneSaisieMouseMove(X(1), Y(1));
    EXPECT_EQ(Curseur.Temps, 3);

    // A popup item enters its fret without the two-digit rule.
    Turbo00Click("Turbo17");
    EXPECT_EQ(Note(1, 1, 3, 5).Frette, 17);
}

// Qt reports the second press of a double click as a double-click event: the chord command
// runs once, the press it stands for is swallowed, and the next real click is not.
TEST_F(Clavier, ADoubleClickOpensTheChordDialogOnceAndSwallowsOnePress)
{
    Remplir(1, 1, 5);
    Entrer(1, 1, 1);
    ZoneSaisieMouseDown(BoutonSouris::Gauche, X(2), Y(1));
    ZoneSaisieMouseUp(BoutonSouris::Gauche, X(2), Y(1));
    // The cursor moves between the two presses (as the chord dialog might): the swallowed press
    // must not put it back.
    Curseur.Temps = 4;
    ZoneSaisieDoubleClic(BoutonSouris::Gauche, X(2), Y(1));
    ZoneSaisieMouseUp(BoutonSouris::Gauche, X(2), Y(1));
    EXPECT_EQ(Executees, std::vector<Cmd>{Cmd::Ac_Note_Accord});
    EXPECT_EQ(Curseur.Temps, 4);
    EXPECT_FALSE(ModeGlisser);
    EXPECT_FALSE(IgnorerClic);

    ZoneSaisieMouseDown(BoutonSouris::Gauche, X(3), Y(2));
    EXPECT_EQ(Curseur.Temps, 3);
    EXPECT_EQ(Curseur.Corde, 2);

    // On the percussion track the chord command is disabled: nothing opens, the press is
    // swallowed all the same.
    Executees.clear();
    PisteCourante = 8;
    Entrer(1, 1, 1);
    ZoneSaisieDoubleClic(BoutonSouris::Gauche, X(1), Y(1));
    EXPECT_TRUE(Executees.empty());
    EXPECT_FALSE(IgnorerClic);
    PisteCourante = 1;

    // A right double click is a second right press: the popup again, no chord.
    Entrer(1, 1, 1);
    ZoneSaisieDoubleClic(BoutonSouris::Droit, X(2), Y(2));
    EXPECT_EQ(fenetreClavier.Compte("OuvrirMenuFrettes"), 1);
    EXPECT_TRUE(Executees.empty());
}

TEST_F(Clavier, AClickOnTheFreeColumnOfACompleteMeasureGoesToTheNextMeasure)
{
    Remplir(1, 1, 4);
    Entrer(1, 1, 1);
    ZoneSaisieMouseDown(BoutonSouris::Gauche, X(9), Y(1));
    EXPECT_EQ(Partition.MesureCourante, 2);
    EXPECT_EQ(Curseur.Temps, 1);
}

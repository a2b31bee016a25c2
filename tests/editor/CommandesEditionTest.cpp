// The commands of the Edit, Measure, Note, Effects and Dynamics menus, run through the command
// list as a menu item, a toolbar button or a shortcut runs them.
#include "FixtureCommandesEdition.h"

#include "editor/Saisie.h"

#include <array>

namespace {

class CommandesEditionTest : public FixtureCommandesEdition {
protected:
    // Two quarter beats with fret 5 on string 1 in measure 1 of track t; cursor on beat 1.
    void DeuxNotes(int t = 1)
    {
        PisteCourante = t;
        Remplir(1, t, 2, 5);
        Entrer(1);
        fenetre.Appels.clear();
        lecteur.BeatsJoues = 0;
    }

    static bool Executer(Cmd c) { return Commandes().Executer(c); }
    static bool Coche(Cmd c) { return Commandes().Checked(c); }
    static bool Actif(Cmd c) { return Commandes().Enabled(c); }
    static void Annuler() { ASSERT_TRUE(Executer(Cmd::Ac_Edition_Annuler)); }
};

constexpr std::array<Cmd, 7> kLiaisons{Cmd::Ac_Effet_HO,       Cmd::Ac_Effet_PO,   Cmd::Ac_Effet_SlideUp,
                                       Cmd::Ac_Effet_SlideDown, Cmd::Ac_Effet_Bend, Cmd::Ac_Effet_BendRelease,
                                       Cmd::Ac_Effet_LetRing};

} // namespace

// ---- Link techniques ---------------------------------------------------------------------

TEST_F(CommandesEditionTest, LinkTechniquesReplaceOrRemoveTheNotesTechniqueAndPlayFromSlidesOn)
{
    struct Cas {
        const char* nom;
        int piste;
        int avant;
        Cmd commande;
        int apres;
        bool joue;
    };
    const Cas cas[] = {
        {"H on a pull-off makes a hammer-on", 1, 2, Cmd::Ac_Effet_HO, 1, false},
        {"H on a hammer-on removes it", 1, 1, Cmd::Ac_Effet_HO, 0, false},
        {"P replaces a slide", 1, 3, Cmd::Ac_Effet_PO, 2, false},
        {"slide up is set and heard", 1, 0, Cmd::Ac_Effet_SlideUp, 3, true},
        {"removing a slide down is heard too", 1, 4, Cmd::Ac_Effet_SlideDown, 0, true},
        {"let ring", 1, 5, Cmd::Ac_Effet_LetRing, 7, true},
        {"let ring on the drum track", 8, 0, Cmd::Ac_Effet_LetRing, 7, true},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.nom);
        SetUp();
        DeuxNotes(c.piste);
        Note(1, c.piste, 1, 1).Effet = static_cast<uint8_t>(c.avant);
        ActualiserCommandes();

        ASSERT_TRUE(Executer(c.commande));
        EXPECT_EQ(Note(1, c.piste, 1, 1).Effet, c.apres);
        for (Cmd l : kLiaisons)
            EXPECT_EQ(Coche(l), Commandes().Tag(l) == c.apres) << Description(l).Nom;
        EXPECT_EQ(lecteur.BeatsJoues, c.joue ? 1 : 0);
        // The other beat is untouched, and the edit can be undone.
        EXPECT_EQ(Note(1, c.piste, 2, 1).Effet, 0);
        Annuler();
        EXPECT_EQ(Note(1, c.piste, 1, 1).Effet, c.avant);
        TearDown();
    }
}

TEST_F(CommandesEditionTest, LinkTechniquesAreDisabledOnDrumsOnEmptyStringsAndDeadNotes)
{
    DeuxNotes(8);
    EXPECT_FALSE(Executer(Cmd::Ac_Effet_HO));
    EXPECT_FALSE(Executer(Cmd::Ac_Effet_Bend));
    EXPECT_EQ(Note(1, 8, 1, 1).Effet, 0);

    SetUp();
    DeuxNotes(1);
    Curseur.Corde = 2; // no note there
    ActualiserCommandes();
    EXPECT_FALSE(Executer(Cmd::Ac_Effet_SlideUp));
    EXPECT_FALSE(Executer(Cmd::Ac_Effet_LetRing));
    Curseur.Corde = 1;
    Note(1, 1, 1, 1).Frette = kNoteMorte;
    ActualiserCommandes();
    EXPECT_FALSE(Executer(Cmd::Ac_Effet_HO));
    EXPECT_EQ(Note(1, 1, 1, 1).Effet, 0);
}

TEST_F(CommandesEditionTest, BendAsksItsAmountOnlyWhenSettingAndCancelSetsNothing)
{
    // Setting: the dialog writes the amount, then the technique is set.
    DeuxNotes();
    dialogues.Ecrire = [] { NoteCurseur().ValeurBend = 1.5; };
    ASSERT_TRUE(Executer(Cmd::Ac_Effet_Bend));
    EXPECT_TRUE(dialogues.A("Bend"));
    EXPECT_EQ(NoteCourante().Effet, 5);
    EXPECT_EQ(NoteCourante().ValeurBend, 1.5);
    EXPECT_TRUE(Coche(Cmd::Ac_Effet_Bend));
    EXPECT_EQ(lecteur.BeatsJoues, 1);

    // Removing asks nothing.
    dialogues.Appels.clear();
    ASSERT_TRUE(Executer(Cmd::Ac_Effet_Bend));
    EXPECT_TRUE(dialogues.Appels.empty());
    EXPECT_EQ(NoteCourante().Effet, 0);
    EXPECT_FALSE(Coche(Cmd::Ac_Effet_Bend));

    // Bend-and-release over a bend: its own dialog, then it replaces the bend.
    NoteCourante().Effet = 5;
    ActualiserCommandes();
    ASSERT_TRUE(Executer(Cmd::Ac_Effet_BendRelease));
    EXPECT_TRUE(dialogues.A("BendRelease"));
    EXPECT_EQ(NoteCourante().Effet, 6);
    EXPECT_FALSE(Coche(Cmd::Ac_Effet_Bend));
    EXPECT_TRUE(Coche(Cmd::Ac_Effet_BendRelease));

    // Cancel: no bend, the command unchecked, no undo snapshot, nothing played.
    SetUp();
    DeuxNotes();
    dialogues.Reponse = false;
    ASSERT_TRUE(Executer(Cmd::Ac_Effet_Bend));
    EXPECT_EQ(NoteCourante().Effet, 0);
    EXPECT_FALSE(Coche(Cmd::Ac_Effet_Bend));
    EXPECT_FALSE(Actif(Cmd::Ac_Edition_Annuler));
    EXPECT_FALSE(PartitionModifiee);
    EXPECT_EQ(lecteur.BeatsJoues, 0);
}

// ---- Beat techniques -----------------------------------------------------------------------

TEST_F(CommandesEditionTest, BeatTechniquesToggleTheBeatsEffectAndTappingSlapPopAreNotPlayed)
{
    struct Cas {
        Cmd commande;
        int avant;
        int apres;
        bool joue;
    };
    const Cas cas[] = {
        {Cmd::Ac_Effet_VibMainGauche, 0, 1, true}, {Cmd::Ac_Effet_VibMainGauche, 1, 0, true},
        {Cmd::Ac_Effet_TremoloBar, 1, 2, true},    {Cmd::Ac_Effet_HarmNat, 0, 8, true},
        {Cmd::Ac_Effet_HarmArt, 8, 9, true},       {Cmd::Ac_Effet_FadeIn, 0, 4, true},
        {Cmd::Ac_Effet_TappingMD, 0, 5, false},    {Cmd::Ac_Effet_Slap, 9, 6, false},
        {Cmd::Ac_Effet_Pop, 7, 0, false},
    };
    const std::array<std::pair<Cmd, int>, 9> codes{{{Cmd::Ac_Effet_VibMainGauche, 1},
                                                    {Cmd::Ac_Effet_TremoloBar, 2},
                                                    {Cmd::Ac_Effet_CoupDeVibrato, 3},
                                                    {Cmd::Ac_Effet_FadeIn, 4},
                                                    {Cmd::Ac_Effet_TappingMD, 5},
                                                    {Cmd::Ac_Effet_Slap, 6},
                                                    {Cmd::Ac_Effet_Pop, 7},
                                                    {Cmd::Ac_Effet_HarmNat, 8},
                                                    {Cmd::Ac_Effet_HarmArt, 9}}};
    for (const auto& c : cas) {
        SCOPED_TRACE(Description(c.commande).Nom);
        SetUp();
        DeuxNotes();
        TempsCourant().Effet = static_cast<int8_t>(c.avant);
        ActualiserCommandes();

        ASSERT_TRUE(Executer(c.commande));
        EXPECT_EQ(TempsCourant().Effet, c.apres);
        for (const auto& [cmd, code] : codes)
            EXPECT_EQ(Coche(cmd), code == c.apres) << Description(cmd).Nom;
        EXPECT_EQ(lecteur.BeatsJoues, c.joue ? 1 : 0);
        Annuler();
        EXPECT_EQ(TempsCourant().Effet, c.avant);
        TearDown();
    }
}

TEST_F(CommandesEditionTest, VibratoStrokeAsksItsAmountWhenSetting)
{
    DeuxNotes();
    dialogues.Ecrire = [] { TempsCurseur().ValeurCoupVib = 2.5; };
    ASSERT_TRUE(Executer(Cmd::Ac_Effet_CoupDeVibrato));
    EXPECT_TRUE(dialogues.A("CoupDeVibrato"));
    EXPECT_EQ(TempsCourant().Effet, 3);
    EXPECT_EQ(TempsCourant().ValeurCoupVib, 2.5);

    dialogues.Appels.clear();
    ASSERT_TRUE(Executer(Cmd::Ac_Effet_CoupDeVibrato));
    EXPECT_TRUE(dialogues.Appels.empty());
    EXPECT_EQ(TempsCourant().Effet, 0);

    dialogues.Reponse = false;
    TempsCourant().Effet = 1;
    ActualiserCommandes();
    ASSERT_TRUE(Executer(Cmd::Ac_Effet_CoupDeVibrato));
    EXPECT_EQ(TempsCourant().Effet, 1);
    EXPECT_FALSE(Coche(Cmd::Ac_Effet_CoupDeVibrato));
    EXPECT_TRUE(Coche(Cmd::Ac_Effet_VibMainGauche));
}

TEST_F(CommandesEditionTest, BeatTechniquesAreDisabledOnRestsTiesTheFreeColumnAndDrums)
{
    const Cmd effets[] = {Cmd::Ac_Effet_VibMainGauche, Cmd::Ac_Effet_FadeIn, Cmd::Ac_Effet_BrushUp,
                          Cmd::Ac_Effet_GraceNote, Cmd::Ac_Effet_CoupDeVibrato};
    const auto verifierInactifs = [&](const char* ou) {
        SCOPED_TRACE(ou);
        ActualiserCommandes();
        for (Cmd e : effets) {
            EXPECT_FALSE(Executer(e)) << Description(e).Nom;
        }
        EXPECT_EQ(TempsCourant().Effet, 0);
        EXPECT_EQ(TempsCourant().Brush, 0);
    };
    DeuxNotes();
    Curseur.Temps = 3;
    verifierInactifs("free column");
    Curseur.Temps = 2;
    TempsCourant().Silence = true;
    verifierInactifs("rest");
    TempsCourant().Silence = false;
    TempsCourant().Lie = true;
    verifierInactifs("tied beat");
    SetUp();
    DeuxNotes(8);
    verifierInactifs("drum track");
    EXPECT_TRUE(dialogues.Appels.empty());
}

// ---- Strums ----------------------------------------------------------------------------------

TEST_F(CommandesEditionTest, StrumsSetWithTheirDialogRemoveWithoutAndCancelKeepsTheStrumThere)
{
    struct Cas {
        const char* nom;
        int brushAvant;
        Cmd commande;
        bool reponse;
        int brushApres;
        int dureeApres;
        bool dialogue;
    };
    const Cas cas[] = {
        {"up on a beat without strum", 0, Cmd::Ac_Effet_BrushUp, true, 1, 8, true},
        {"up on an up strum removes it", 1, Cmd::Ac_Effet_BrushUp, true, 0, 4, false},
        {"down over an up strum", 1, Cmd::Ac_Effet_BrushDown, true, 2, 8, true},
        // Cancelling the dialog leaves the song as it was: the up strum stays.
        {"down cancelled over an up strum", 1, Cmd::Ac_Effet_BrushDown, false, 1, 4, true},
        {"up cancelled on a beat without strum", 0, Cmd::Ac_Effet_BrushUp, false, 0, 4, true},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.nom);
        SetUp();
        DeuxNotes();
        TempsCourant().Brush = static_cast<int8_t>(c.brushAvant);
        TempsCourant().DureeBrush = 4;
        ActualiserCommandes();
        dialogues.Reponse = c.reponse;
        dialogues.Ecrire = [this] {
            TempsCurseur().Brush = static_cast<int8_t>(dialogues.DirectionRecue);
            TempsCurseur().DureeBrush = 8;
        };

        ASSERT_TRUE(Executer(c.commande));
        EXPECT_EQ(dialogues.A("Brush"), c.dialogue);
        if (c.dialogue) {
            EXPECT_EQ(dialogues.DirectionRecue, Commandes().Tag(c.commande));
        }
        EXPECT_EQ(TempsCourant().Brush, c.brushApres);
        EXPECT_EQ(TempsCourant().DureeBrush, c.dureeApres);
        EXPECT_EQ(Coche(Cmd::Ac_Effet_BrushUp), c.brushApres == 1);
        EXPECT_EQ(Coche(Cmd::Ac_Effet_BrushDown), c.brushApres == 2);
        TearDown();
    }
}

TEST_F(CommandesEditionTest, AStrumIsPlayedOnlyWhenTheDialogDoesNotPlayIt)
{
    DeuxNotes();
    dialogues.Ecrire = [] { TempsCurseur().Brush = 2; };
    Configuration.EcouterBrush = true;
    ASSERT_TRUE(Executer(Cmd::Ac_Effet_BrushDown));
    EXPECT_EQ(lecteur.BeatsJoues, 0);
    Configuration.EcouterBrush = false;
    ASSERT_TRUE(Executer(Cmd::Ac_Effet_BrushDown)); // removes it, and plays
    EXPECT_EQ(TempsCourant().Brush, 0);
    EXPECT_EQ(lecteur.BeatsJoues, 1);
}

// ---- Grace note, mix table: undo really undoes them ------------------------------------------

TEST_F(CommandesEditionTest, AGraceNoteSetByItsDialogIsUndoneByUndo)
{
    DeuxNotes();
    dialogues.Ecrire = [] {
        NoteCurseur().FretteGrace = 3;
        NoteCurseur().NuanceGrace = 6;
        NoteCurseur().DureeGrace = 2;
    };
    ASSERT_TRUE(Executer(Cmd::Ac_Effet_GraceNote));
    EXPECT_FALSE(dialogues.NoteMorteRecue);
    EXPECT_EQ(dialogues.FretteRecue, 5);
    EXPECT_EQ(NoteCourante().FretteGrace, 3);
    EXPECT_TRUE(Coche(Cmd::Ac_Effet_GraceNote));
    EXPECT_EQ(lecteur.BeatsJoues, 0); // the dialog plays it itself by default

    Annuler();
    EXPECT_EQ(NoteCourante().FretteGrace, kPasDeNote);
    EXPECT_FALSE(Coche(Cmd::Ac_Effet_GraceNote));
}

TEST_F(CommandesEditionTest, RemovingAGraceNoteIsUndoable)
{
    DeuxNotes();
    NoteCourante().FretteGrace = 7;
    ActualiserCommandes();
    Configuration.EcouterGraceNote = false;
    ASSERT_TRUE(Executer(Cmd::Ac_Effet_GraceNote));
    EXPECT_TRUE(dialogues.Appels.empty());
    EXPECT_EQ(NoteCourante().FretteGrace, kPasDeNote);
    EXPECT_EQ(lecteur.BeatsJoues, 1);
    Annuler();
    EXPECT_EQ(NoteCourante().FretteGrace, 7);
}

TEST_F(CommandesEditionTest, TheGraceDialogIsPrefilledFromTheNoteAndItsCancelKeepsTheLastUndo)
{
    DeuxNotes();
    NoteCourante().Frette = kNoteMorte;
    ActualiserCommandes();
    dialogues.Reponse = false;
    ASSERT_TRUE(Executer(Cmd::Ac_Effet_GraceNote));
    EXPECT_TRUE(dialogues.NoteMorteRecue);
    EXPECT_EQ(dialogues.FretteRecue, -1);
    EXPECT_FALSE(Coche(Cmd::Ac_Effet_GraceNote));
    EXPECT_EQ(NoteCourante().FretteGrace, kPasDeNote);

    // An edit, then a cancelled grace note: undo still undoes the edit.
    NoteCourante().Frette = 5;
    ActualiserCommandes();
    ASSERT_TRUE(Executer(Cmd::Ac_Effet_PO));
    ASSERT_TRUE(Executer(Cmd::Ac_Effet_GraceNote));
    EXPECT_EQ(NoteCourante().Effet, 2);
    Annuler();
    EXPECT_EQ(NoteCourante().Effet, 0);
}

TEST_F(CommandesEditionTest, AMixTableChangeIsUndoneByUndoAndItsCancelChangesNothing)
{
    DeuxNotes();
    dialogues.Ecrire = [] {
        auto mix = cTableMixEvent::Create();
        mix->Tempo = 90;
        TempsCurseur().TableMix = mix;
    };
    ASSERT_TRUE(Executer(Cmd::Ac_Edition_TableMix));
    ASSERT_TRUE(TempsCourant().TableMix);
    EXPECT_EQ(TempsCourant().TableMix->Tempo, 90);
    EXPECT_TRUE(Actif(Cmd::BT_AnnulerMesure));
    Annuler();
    EXPECT_FALSE(TempsCourant().TableMix);

    SetUp();
    DeuxNotes();
    ASSERT_TRUE(Executer(Cmd::Ac_Effet_HO));
    dialogues.Reponse = false;
    ASSERT_TRUE(Executer(Cmd::Ac_Edition_TableMix));
    EXPECT_FALSE(TempsCourant().TableMix);
    Annuler(); // the hammer-on's undo is still there
    EXPECT_EQ(NoteCourante().Effet, 0);
}

// ---- Ghost notes and dynamics -------------------------------------------------------------------

TEST_F(CommandesEditionTest, GhostNoteSetsDynamicFourAndRemovingItSetsSixWhateverItWas)
{
    struct Cas {
        int avant;
        int apres;
    };
    for (const auto& c : {Cas{6, 4}, Cas{8, 4}, Cas{4, 6}, Cas{2, 6}, Cas{1, 6}}) {
        SCOPED_TRACE(c.avant);
        SetUp();
        DeuxNotes();
        NoteCourante().Nuance = static_cast<uint8_t>(c.avant);
        ActualiserCommandes();
        ASSERT_TRUE(Executer(Cmd::Ac_Effet_GhostNote));
        EXPECT_EQ(NoteCourante().Nuance, c.apres);
        EXPECT_EQ(Coche(Cmd::Ac_Effet_GhostNote), c.apres == 4);
        EXPECT_EQ(Coche(Cmd::Bt_Effet_GhostNote), c.apres == 4);
        EXPECT_EQ(lecteur.BeatsJoues, 1);
        Annuler();
        EXPECT_EQ(NoteCourante().Nuance, c.avant);
        TearDown();
    }
}

TEST_F(CommandesEditionTest, EachDynamicCommandSetsItsDynamicAndChecksItsButton)
{
    const std::array<Cmd, 8> actions{Cmd::Ac_Dyna_ppp, Cmd::Ac_Dyna_pp, Cmd::Ac_Dyna_p,  Cmd::Ac_Dyna_mp,
                                     Cmd::Ac_Dyna_mf,  Cmd::Ac_Dyna_f,  Cmd::Ac_Dyna_ff, Cmd::Ac_Dyna_fff};
    const std::array<Cmd, 8> boutons{Cmd::BT_DynaNote_1, Cmd::BT_DynaNote_2, Cmd::BT_DynaNote_3, Cmd::BT_DynaNote_4,
                                     Cmd::BT_DynaNote_5, Cmd::BT_DynaNote_6, Cmd::BT_DynaNote_7, Cmd::BT_DynaNote_8};
    DeuxNotes();
    for (int i = 0; i < 8; ++i) {
        SCOPED_TRACE(Description(actions[i]).Nom);
        lecteur.BeatsJoues = 0;
        ASSERT_TRUE(Executer(actions[i]));
        EXPECT_EQ(NoteCourante().Nuance, i + 1);
        for (int k = 0; k < 8; ++k) {
            EXPECT_EQ(Coche(boutons[k]), k == i);
            EXPECT_EQ(Coche(actions[k]), k == i);
        }
        EXPECT_EQ(Coche(Cmd::Ac_Effet_GhostNote), i + 1 <= 4);
        EXPECT_EQ(lecteur.BeatsJoues, 1);
        EXPECT_EQ(Note(1, 1, 2, 1).Nuance, 6); // the other beat keeps its own
    }
    Annuler();
    EXPECT_EQ(NoteCourante().Nuance, 7);
}

TEST_F(CommandesEditionTest, DynamicsApplyToEveryNoteOfTheBeatWithApplyDownAndNeverToEmptyStrings)
{
    DeuxNotes();
    Note(1, 1, 1, 3).Frette = 2;
    ActualiserCommandes();
    Commandes().SetChecked(Cmd::BT_Apply, true);
    ASSERT_TRUE(Executer(Cmd::Ac_Dyna_pp));
    EXPECT_EQ(Note(1, 1, 1, 1).Nuance, 2);
    EXPECT_EQ(Note(1, 1, 1, 3).Nuance, 2);
    EXPECT_EQ(Note(1, 1, 1, 2).Nuance, 6);

    // On an empty string the dynamics are disabled.
    Curseur.Corde = 2;
    ActualiserCommandes();
    EXPECT_FALSE(Executer(Cmd::Ac_Dyna_fff));
    EXPECT_FALSE(Executer(Cmd::Ac_Effet_GhostNote));
    EXPECT_EQ(Note(1, 1, 1, 1).Nuance, 2);
    EXPECT_EQ(Note(1, 1, 1, 2).Nuance, 6);
}

TEST_F(CommandesEditionTest, TheDynamicsButtonShowsOrClosesThePalette)
{
    ASSERT_TRUE(Executer(Cmd::BT_DynaForm));
    EXPECT_TRUE(fenetre.PaletteNuances);
    ASSERT_TRUE(Executer(Cmd::BT_DynaForm));
    EXPECT_FALSE(fenetre.PaletteNuances);
}

// ---- Rests, ties, triplets and dots through the command list ---------------------------------

TEST_F(CommandesEditionTest, NoteCommandsFollowTheBeatTheyLeave)
{
    // A rest made by the command loses the techniques of its notes and beat; then dotted and
    // the techniques are disabled on it.
    DeuxNotes();
    TempsCourant().Effet = 1;
    TempsCourant().Brush = 2;
    NoteCourante().Effet = 3;
    ActualiserCommandes();
    ASSERT_TRUE(Executer(Cmd::Ac_Note_Silence));
    EXPECT_TRUE(TempsCourant().Silence);
    EXPECT_EQ(TempsCourant().Effet, 0);
    EXPECT_EQ(TempsCourant().Brush, 0);
    EXPECT_EQ(NoteCourante().Frette, kPasDeNote);
    EXPECT_EQ(NoteCourante().Effet, 0);
    EXPECT_FALSE(Actif(Cmd::Ac_Note_Pointee));
    EXPECT_FALSE(Actif(Cmd::Ac_Effet_VibMainGauche));
    EXPECT_FALSE(Actif(Cmd::Ac_Dyna_f));

    // A dotted beat can be neither a rest, nor a triplet, nor a whole note.
    SetUp();
    DeuxNotes();
    ASSERT_TRUE(Executer(Cmd::Ac_Note_Pointee));
    EXPECT_TRUE(TempsCourant().Pointee);
    EXPECT_EQ(TempsCourant().Duree, 720);
    EXPECT_FALSE(Executer(Cmd::Ac_Note_Silence));
    EXPECT_FALSE(Executer(Cmd::Ac_Note_Triolet));
    EXPECT_FALSE(Executer(Cmd::Ac_Note_Ronde));
    EXPECT_FALSE(TempsCourant().Silence);
    EXPECT_TRUE(Coche(Cmd::Ac_Note_Pointee));

    // A triplet cannot be dotted nor a 32nd.
    SetUp();
    Remplir(1, 1, 3, 5);
    Entrer(1);
    ASSERT_TRUE(Executer(Cmd::Ac_Note_Triolet));
    EXPECT_EQ(Temps(1, 1, 3).Duree, 320);
    EXPECT_TRUE(Coche(Cmd::Ac_Note_Triolet));
    EXPECT_FALSE(Executer(Cmd::Ac_Note_Pointee));
    EXPECT_FALSE(Executer(Cmd::Ac_Note_TCroche));

    // A tie: never on beat 1 of measure 1; elsewhere the tied beat loses its notes, and its
    // beat techniques are disabled.
    SetUp();
    DeuxNotes();
    ASSERT_TRUE(Executer(Cmd::Ac_Note_Lier));
    EXPECT_FALSE(TempsCourant().Lie);
    EXPECT_FALSE(Coche(Cmd::Ac_Note_Lier));
    Curseur.Temps = 2;
    ActualiserCommandes();
    ASSERT_TRUE(Executer(Cmd::Ac_Note_Lier));
    EXPECT_TRUE(TempsCourant().Lie);
    EXPECT_EQ(NoteCourante().Frette, kPasDeNote);
    EXPECT_TRUE(Coche(Cmd::Ac_Note_Lier));
    EXPECT_FALSE(Actif(Cmd::Ac_Effet_FadeIn));
}

TEST_F(CommandesEditionTest, ShortcutsReachTheHandlersOfTheirCommands)
{
    DeuxNotes();
    EXPECT_TRUE(Commandes().ExecuterRaccourci({Lettre('H'), Modif::Aucun}));
    EXPECT_EQ(NoteCourante().Effet, 1);
    EXPECT_TRUE(Commandes().ExecuterRaccourci({Lettre('V'), Modif::Aucun}));
    EXPECT_EQ(TempsCourant().Effet, 1);
    EXPECT_TRUE(Commandes().ExecuterRaccourci({Lettre('X'), Modif::Aucun}));
    EXPECT_EQ(NoteCourante().Frette, kNoteMorte);
    EXPECT_TRUE(Commandes().ExecuterRaccourci({Lettre('Z'), Modif::Ctrl}));
    EXPECT_EQ(NoteCourante().Frette, 5);
    // The toolbar button runs its action's handler.
    ASSERT_TRUE(Executer(Cmd::Bt_Effet_FadeIn));
    EXPECT_EQ(TempsCourant().Effet, 4);
}

// ---- Measure marks -------------------------------------------------------------------------------

TEST_F(CommandesEditionTest, RepeatStartTogglesAndIsUndoable)
{
    ASSERT_TRUE(Executer(Cmd::Ac_Mesure_RenvoiDebut));
    EXPECT_TRUE(Bloc(1).RenvoiDebut);
    EXPECT_TRUE(Coche(Cmd::Ac_Mesure_RenvoiDebut));
    EXPECT_TRUE(Coche(Cmd::Bt_Mesure_RenvoiDebut));
    ASSERT_TRUE(Executer(Cmd::Ac_Mesure_RenvoiDebut));
    EXPECT_FALSE(Bloc(1).RenvoiDebut);
    Annuler();
    EXPECT_TRUE(Bloc(1).RenvoiDebut);
}

TEST_F(CommandesEditionTest, RepeatEndAsksTheCountUnlessItClosesAnAlternateEnding)
{
    struct Cas {
        const char* nom;
        bool dansFinAlternative;
        bool renvoiAvant;
        bool reponse;
        bool renvoiApres;
        int nbRenvois;
        bool dialogue;
    };
    const Cas cas[] = {
        {"set with the count dialog", false, false, true, true, 3, true},
        {"cancelled", false, false, false, false, 1, true},
        {"removed without a dialog", false, true, true, false, 1, false},
        {"set inside an ending: count 1, no dialog", true, false, true, true, 1, false},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.nom);
        SetUp();
        AvoirMesures(3);
        if (c.dansFinAlternative) {
            Bloc(1).RenvoiDebut = true;
            Bloc(2).Repetition = true;
            Bloc(2).NumRepetition = 1;
            Bloc(2).NbRenvois = 5;
        }
        Bloc(2).RenvoiFin = c.renvoiAvant;
        Entrer(2);
        dialogues.Reponse = c.reponse;
        dialogues.Ecrire = [] { MesureEnCours().NbRenvois = 3; };

        ASSERT_TRUE(Executer(Cmd::Ac_Mesure_RenvoiFin));
        EXPECT_EQ(dialogues.A("NombreRenvois"), c.dialogue);
        EXPECT_EQ(Bloc(2).RenvoiFin, c.renvoiApres);
        if (c.renvoiApres) {
            EXPECT_EQ(Bloc(2).NbRenvois, c.nbRenvois);
        }
        EXPECT_EQ(Coche(Cmd::Ac_Mesure_RenvoiFin), c.renvoiApres);
        EXPECT_EQ(Actif(Cmd::Ac_Edition_Annuler), c.reponse || !c.dialogue);
        TearDown();
    }
}

TEST_F(CommandesEditionTest, AlternateEndingSuggestsTheNextNumberAndItsCancelLeavesNone)
{
    AvoirMesures(4);
    Bloc(1).RenvoiDebut = true;
    Bloc(2).Repetition = true;
    Bloc(2).RenvoiFin = true;
    Entrer(3);
    dialogues.Ecrire = [this] { MesureEnCours().NumRepetition = static_cast<int8_t>(dialogues.SuggestionRecue); };

    ASSERT_TRUE(Executer(Cmd::Ac_Mesure_Repetitions));
    EXPECT_EQ(dialogues.SuggestionRecue, 2);
    EXPECT_TRUE(Bloc(3).Repetition);
    EXPECT_EQ(Bloc(3).NumRepetition, 2);
    EXPECT_TRUE(Coche(Cmd::Ac_Mesure_Repetitions));

    dialogues.Appels.clear();
    ASSERT_TRUE(Executer(Cmd::Ac_Mesure_Repetitions));
    EXPECT_TRUE(dialogues.Appels.empty());
    EXPECT_FALSE(Bloc(3).Repetition);

    dialogues.Reponse = false;
    ASSERT_TRUE(Executer(Cmd::Ac_Mesure_Repetitions));
    EXPECT_FALSE(Bloc(3).Repetition);
    EXPECT_FALSE(Coche(Cmd::Ac_Mesure_Repetitions));
}

TEST_F(CommandesEditionTest, InTheScoreOnlyLayoutRepeatMarksAreValidatedAtOnceButNotEndings)
{
    PleinEcranActif = true;
    ASSERT_TRUE(Executer(Cmd::Ac_Mesure_RenvoiDebut));
    EXPECT_TRUE(fenetre.A("RedessinerLignesModifiees(1)"));
    EXPECT_FALSE(Actif(Cmd::BT_AnnulerMesure));
    EXPECT_TRUE(CopieMesureEntree.RenvoiDebut);

    fenetre.Appels.clear();
    ASSERT_TRUE(Executer(Cmd::Ac_Mesure_Repetitions));
    EXPECT_TRUE(Bloc(1).Repetition);
    EXPECT_TRUE(Actif(Cmd::BT_AnnulerMesure));
    EXPECT_FALSE(fenetre.A("RedessinerLignesModifiees(1)"));
}

TEST_F(CommandesEditionTest, AConfirmedTimeSignatureCannotBeUndoneAndRedrawsTheScore)
{
    DeuxNotes();
    Curseur.Temps = 2;
    ActualiserCommandes();
    ASSERT_TRUE(Executer(Cmd::Ac_Effet_HO)); // an edit that could be undone
    ASSERT_TRUE(Actif(Cmd::Ac_Edition_Annuler));
    Curseur.Corde = 3;
    dialogues.Ecrire = [] {
        MesureEnCours().Numerateur = 3;
        MesureEnCours().Duree = 3.0;
    };
    ASSERT_TRUE(Executer(Cmd::Ac_Mesure_Signature));
    EXPECT_EQ(Curseur.Temps, 1);
    EXPECT_EQ(Curseur.Corde, 1);
    EXPECT_FALSE(Actif(Cmd::Ac_Edition_Annuler));
    EXPECT_FALSE(Actif(Cmd::BT_AnnulerMesure));
    EXPECT_EQ(CopieMesureEntree.Numerateur, 3);
    EXPECT_TRUE(fenetre.A("RedessinerPartition"));
    EXPECT_TRUE(PartitionModifiee);
    EXPECT_FALSE(PartitionVierge);
    // Cancelling the measure now keeps the new time signature.
    BT_AnnulerMesureClick();
    EXPECT_EQ(Bloc(1).Numerateur, 3);
}

TEST_F(CommandesEditionTest, TimeSignatureDoesNothingDuringPlaybackAndValidatesInScoreOnlyLayout)
{
    Jouer(true);
    ASSERT_TRUE(Executer(Cmd::Ac_Mesure_Signature));
    EXPECT_TRUE(dialogues.Appels.empty());
    Jouer(false);

    // An edited measure, then the score-only layout and a cancelled dialog: the measure is
    // validated all the same.
    ASSERT_TRUE(Executer(Cmd::Ac_Mesure_RenvoiDebut));
    EXPECT_TRUE(Actif(Cmd::BT_AnnulerMesure));
    PleinEcranActif = true;
    fenetre.Appels.clear();
    dialogues.Reponse = false;
    ASSERT_TRUE(Executer(Cmd::Ac_Mesure_Signature));
    EXPECT_TRUE(dialogues.A("Signature"));
    EXPECT_FALSE(Actif(Cmd::BT_AnnulerMesure));
    EXPECT_TRUE(fenetre.A("RedessinerLignesModifiees(1)"));
    EXPECT_FALSE(fenetre.A("RedessinerPartition"));
}

TEST_F(CommandesEditionTest, MeasureCommandsMoveAndRefresh)
{
    AvoirMesures(3);
    Remplir(3, 1, 2, 5);
    ASSERT_TRUE(Executer(Cmd::Ac_Mesure_Derniere));
    EXPECT_EQ(Partition.MesureCourante, 3);
    EXPECT_EQ(Curseur.Temps, 2);
    EXPECT_TRUE(Actif(Cmd::Ac_Mesure_Precedente));
    ASSERT_TRUE(Executer(Cmd::Ac_Mesure_Precedente));
    EXPECT_EQ(Partition.MesureCourante, 2);
    ASSERT_TRUE(Executer(Cmd::Ac_Mesure_Premiere));
    EXPECT_EQ(Partition.MesureCourante, 1);
    EXPECT_FALSE(Executer(Cmd::Ac_Mesure_Precedente));
    ASSERT_TRUE(Executer(Cmd::Ac_Mesure_Suivante));
    EXPECT_EQ(Partition.MesureCourante, 2);
}

// ---- Chords and texts ------------------------------------------------------------------------------

namespace {

// The chord dialog's OK: the chord with these six frets in the cursor beat.
void PoserAccord(std::array<int32_t, 7> frettes)
{
    TAccord a;
    a.Nom = "C";
    a.Frettes = frettes;
    TTemps& t = TempsCurseur();
    t.AvecAccord = true;
    t.Accord = std::make_shared<const TAccord>(a);
}

} // namespace

TEST_F(CommandesEditionTest, AChordOnAnEmptyBeatWritesItsFingeringAndPlaysIt)
{
    Configuration.DefaultDynamic = 5;
    Entrer(1); // the free column of an empty measure
    dialogues.Ecrire = [] { PoserAccord({0, 0, 1, 0, 2, 3, -1}); };
    ASSERT_TRUE(Executer(Cmd::Ac_Note_Accord));
    EXPECT_EQ(Bloc(1).NbTemps[1], 1);
    const int attendu[7] = {0, 0, 1, 0, 2, 3, -1};
    for (int s = 1; s <= 6; ++s) {
        EXPECT_EQ(Note(1, 1, 1, s).Frette, attendu[s]) << s;
        EXPECT_EQ(Note(1, 1, 1, s).Nuance, 5) << s;
    }
    EXPECT_FALSE(Temps(1, 1, 1).Silence);
    EXPECT_EQ(lecteur.BeatsJoues, 1);
    // The free slot after it is ready for the next beat.
    EXPECT_FALSE(Temps(1, 1, 2).AvecAccord);
    // Undo takes the chord and its notes away.
    Annuler();
    EXPECT_EQ(Bloc(1).NbTemps[1], 0);
    EXPECT_FALSE(Temps(1, 1, 1).AvecAccord);
}

TEST_F(CommandesEditionTest, AChordOnABeatWithNotesOnlyNamesItAndASilentChordMakesARest)
{
    DeuxNotes();
    dialogues.Ecrire = [] { PoserAccord({0, 3, 3, 3, 3, 3, 3}); };
    ASSERT_TRUE(Executer(Cmd::Ac_Note_Accord));
    EXPECT_TRUE(TempsCourant().AvecAccord);
    EXPECT_EQ(Note(1, 1, 1, 1).Frette, 5);
    EXPECT_EQ(Note(1, 1, 1, 2).Frette, kPasDeNote);
    EXPECT_EQ(lecteur.BeatsJoues, 0);

    SetUp();
    Entrer(1);
    dialogues.Ecrire = [] { PoserAccord({0, -1, -1, -1, -1, -1, -1}); };
    ASSERT_TRUE(Executer(Cmd::Ac_Note_Accord));
    EXPECT_EQ(Bloc(1).NbTemps[1], 1);
    EXPECT_TRUE(Temps(1, 1, 1).Silence);
    EXPECT_EQ(lecteur.BeatsJoues, 0);

    // Cancel: the beat stays as it was.
    SetUp();
    Entrer(1);
    dialogues.Reponse = false;
    ASSERT_TRUE(Executer(Cmd::Ac_Note_Accord));
    EXPECT_EQ(Bloc(1).NbTemps[1], 0);
    EXPECT_FALSE(Temps(1, 1, 1).AvecAccord);
}

TEST_F(CommandesEditionTest, TheTextDialogWritesTheBeatsTextUndoably)
{
    DeuxNotes();
    dialogues.Ecrire = [] { TempsCurseur().Texte = "Intro"; };
    ASSERT_TRUE(Commandes().ExecuterRaccourci({Lettre('T'), Modif::Aucun}));
    EXPECT_EQ(TempsCourant().Texte, "Intro");
    Annuler();
    EXPECT_TRUE(TempsCourant().Texte.empty());
}

// ---- The stand-in dialogs -------------------------------------------------------------------------

TEST_F(CommandesEditionTest, WithoutRealDialogsTheMinimalOnesLetTechniquesBeSet)
{
    DialoguesEditionMinimaux minimaux;
    InstallerDialoguesEdition(&minimaux);
    Configuration.BrushDuration = 16;
    DeuxNotes();
    ASSERT_TRUE(Executer(Cmd::Ac_Effet_Bend));
    EXPECT_EQ(NoteCourante().Effet, 5);
    EXPECT_EQ(NoteCourante().ValeurBend, 1.0);
    ASSERT_TRUE(Executer(Cmd::Ac_Effet_BrushDown));
    EXPECT_EQ(TempsCourant().Brush, 2);
    EXPECT_EQ(TempsCourant().DureeBrush, 16);
    ASSERT_TRUE(Executer(Cmd::Ac_Effet_GraceNote));
    EXPECT_EQ(NoteCourante().FretteGrace, 5);
    EXPECT_GE(NoteCourante().DureeGrace, 1);
    ASSERT_TRUE(Executer(Cmd::Ac_Effet_CoupDeVibrato));
    EXPECT_EQ(TempsCourant().Effet, 3);
    ASSERT_TRUE(Executer(Cmd::Ac_Mesure_RenvoiFin));
    EXPECT_TRUE(Bloc(1).RenvoiFin);
    ASSERT_TRUE(Executer(Cmd::Ac_Mesure_Repetitions));
    EXPECT_TRUE(Bloc(1).Repetition);
    // Those needing the user's words set nothing.
    ASSERT_TRUE(Executer(Cmd::Ac_Note_Accord));
    EXPECT_FALSE(TempsCourant().AvecAccord);

    // The silent stand-in cancels everything.
    InstallerDialoguesEdition(nullptr);
    ASSERT_TRUE(Executer(Cmd::Ac_Effet_BendRelease));
    EXPECT_EQ(NoteCourante().Effet, 5);
}

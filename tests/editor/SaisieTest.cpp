// Fret entry: the two-digit rule, the free column, Ctrl+digit, the fret popup, dead notes and
// moving a note to another string.
#include "FixtureMoteur.h"

namespace {

class SaisieFrette : public FixtureMoteur {};

} // namespace

TEST_F(SaisieFrette, TheTwoDigitRuleFollowsTheFretLimitOfTheTrack)
{
    struct Cas {
        int piste;
        std::vector<int> chiffres;
        int frette;
        bool attente;
    } cas[] = {
        {1, {1, 2}, 12, false},
        {1, {2, 4}, 24, false},
        {1, {2, 5}, 5, false},  // 25 is above 24: the second digit alone
        {1, {2, 7}, 7, false},
        {1, {0}, 0, false},
        {1, {3}, 3, false},
        {1, {3, 0}, 0, false},  // 3 does not wait: the 0 is a new fret
        {1, {1}, 1, true},
        {1, {1, 1, 1}, 1, true},
        {1, {2, 5, 2}, 2, true},
        {7, {1, 9}, 19, false},
        {8, {9, 9}, 99, false},
        {8, {1, 0}, 10, false},
        {8, {0}, 0, false},
        {8, {9}, 9, true},
        {8, {9, 9, 5}, 5, true},
    };
    for (const auto& c : cas) {
        SetUp();
        PisteCourante = c.piste;
        Entrer(1, 1, 2);
        for (int d : c.chiffres)
            SaisirChiffre(d, Modif::Aucun);
        EXPECT_EQ(Note(1, c.piste, 1, 2).Frette, c.frette) << "track " << c.piste << " digits " << c.chiffres.size();
        EXPECT_EQ(Curseur.ChiffreEnAttente, c.attente) << "track " << c.piste << " fret " << c.frette;
        EXPECT_EQ(Partition.Mesures[1]->NbTemps[c.piste], 1);
    }
}

TEST_F(SaisieFrette, AMoveBetweenTwoDigitsStartsANewFret)
{
    Remplir(1, 1, 2, 0, false, false, -1);
    Entrer(1, 1, 1);
    SaisirChiffre(1, Modif::Aucun);
    AllerTempsSuivant();
    SaisirChiffre(2, Modif::Aucun);
    EXPECT_EQ(Note(1, 1, 1, 1).Frette, 1);
    EXPECT_EQ(Note(1, 1, 2, 1).Frette, 2);

    // "1", "3", Right, "3", "0": 13 on beat 1 and 0 on beat 2.
    SetUp();
    Entrer(1, 1, 1);
    Taper({1, 3});
    AllerTempsSuivant();
    Taper({3, 0});
    EXPECT_EQ(Note(1, 1, 1, 1).Frette, 13);
    EXPECT_EQ(Note(1, 1, 2, 1).Frette, 0);
    EXPECT_EQ(Partition.Mesures[1]->NbTemps[1], 2);
}

TEST_F(SaisieFrette, TypingOnTheFreeColumnAddsABeatAndPreparesTheNext)
{
    Remplir(1, 1, 2, 1, true); // two dotted eighths
    Entrer(1, 3, 4);
    AjouterTempsVide();
    SaisirChiffre(5, Modif::Aucun);

    const TMesure& m = *Partition.Mesures[1];
    EXPECT_EQ(m.NbTemps[1], 3);
    EXPECT_EQ(m.Temps[1][3].Notes[4].Frette, 5);
    EXPECT_EQ(m.Temps[1][3].Notes[1].Frette, -1);
    EXPECT_EQ(m.Temps[1][3].Duree, 360);
    // The new free slot continues the note value.
    EXPECT_EQ(m.Temps[1][4].Duree, 360);
    EXPECT_TRUE(m.Temps[1][4].Pointee);
    for (int s = 1; s <= 6; ++s)
        EXPECT_EQ(m.Temps[1][4].Notes[s].Frette, -1);
    EXPECT_EQ(Curseur.Temps, 3);
}

TEST_F(SaisieFrette, ATypedFretMakesRestsAndTiesPlayedAndKeepsTheNotesTechniques)
{
    Remplir(1, 1, 3);
    Temps(1, 1, 2).Silence = true;
    Temps(1, 1, 3).Lie = true;
    TNoteCorde& note = Note(1, 1, 1, 1);
    note.Effet = 5;
    note.ValeurBend = 1.5;
    note.Nuance = 7;
    note.FretteGrace = 3;
    note.NuanceGrace = 2;
    note.DureeGrace = 2;

    Entrer(1, 1, 1);
    SaisirChiffre(8, Modif::Aucun);
    EXPECT_EQ(note.Frette, 8);
    EXPECT_EQ(note.Effet, 5);
    EXPECT_EQ(note.ValeurBend, 1.5);
    EXPECT_EQ(note.Nuance, 7);
    EXPECT_EQ(note.FretteGrace, 3);
    EXPECT_EQ(note.DureeGrace, 2);

    AllerTempsSuivant();
    SaisirChiffre(4, Modif::Aucun);
    EXPECT_FALSE(Temps(1, 1, 2).Silence);
    AllerTempsSuivant();
    SaisirChiffre(4, Modif::Aucun);
    EXPECT_FALSE(Temps(1, 1, 3).Lie);
}

TEST_F(SaisieFrette, ANewNoteTakesTheDefaultDynamic)
{
    Configuration.DefaultDynamic = 3;
    Remplir(1, 1, 1);
    Note(1, 1, 1, 1).Nuance = 7;
    Entrer(1, 1, 1);
    SaisirChiffre(4, Modif::Aucun);
    EXPECT_EQ(Note(1, 1, 1, 1).Nuance, 7);
    Curseur.Corde = 2;
    SaisirChiffre(4, Modif::Aucun);
    EXPECT_EQ(Note(1, 1, 1, 2).Nuance, 3);
}

TEST_F(SaisieFrette, CtrlDigitSwitchesTrack)
{
    Entrer(1, 1, 1);
    SaisirChiffre(5, Modif::Aucun);
    fenetre.Appels.clear();
    Curseur.Temps = 2;
    Curseur.Corde = 4;
    SaisirChiffre(3, Modif::Ctrl);
    EXPECT_EQ(PisteCourante, 3);
    EXPECT_EQ(Curseur.Temps, 1);
    EXPECT_EQ(Curseur.Corde, 1);
    EXPECT_TRUE(fenetre.A("RedessinerPartition"));
    EXPECT_TRUE(fenetre.A("ActualiserMenuPistes"));
    EXPECT_FALSE(fenetre.A("PlacerCadreMesure"));
    EXPECT_FALSE(fenetre.A("MontrerPalettePercussion(1)"));
    EXPECT_FALSE(Commandes().Enabled(Cmd::BT_AnnulerMesure));
    EXPECT_FALSE(Commandes().Enabled(Cmd::Ac_Edition_Annuler));
    // No fret was typed on track 3.
    EXPECT_EQ(Partition.Mesures[1]->NbTemps[3], 0);

    for (int d : {0, 9}) {
        SaisirChiffre(d, Modif::Ctrl);
        EXPECT_EQ(PisteCourante, 3) << d;
        EXPECT_EQ(Partition.Mesures[1]->NbTemps[3], 0) << d;
    }
    // Ctrl with another modifier is a plain digit.
    SaisirChiffre(3, Modif::Ctrl | Modif::Shift);
    EXPECT_EQ(PisteCourante, 3);
    EXPECT_EQ(Note(1, 3, 1, 1).Frette, 3);
}

TEST_F(SaisieFrette, TheMediaPlayerClosesFirstAndTheBeatPlaysOnlyWhenAsked)
{
    Entrer(1, 1, 1);
    SaisirChiffre(5, Modif::Aucun);
    EXPECT_EQ(lecteur.Fermetures, 1);
    EXPECT_TRUE(fenetre.A("TraiterMessagesEnAttente"));
    EXPECT_EQ(lecteur.BeatsJoues, 0);

    Commandes().SetChecked(Cmd::Ac_Son_JouerSaisie, true);
    SaisirChiffre(5, Modif::Aucun);
    EXPECT_EQ(lecteur.BeatsJoues, 0); // no working sequencer

    lecteur.Disponible = true;
    SaisirChiffre(5, Modif::Aucun);
    EXPECT_EQ(lecteur.BeatsJoues, 1);

    // The score-only layout: only the player is closed.
    PleinEcranActif = true;
    const int fermetures = lecteur.Fermetures;
    SaisirChiffre(7, Modif::Aucun);
    EXPECT_EQ(lecteur.Fermetures, fermetures + 1);
    EXPECT_EQ(Note(1, 1, 1, 1).Frette, 5);
    SaisirChiffre(2, Modif::Ctrl);
    EXPECT_EQ(PisteCourante, 2);
}

TEST_F(SaisieFrette, TypingAFretRedrawsOnlyTheEditZone)
{
    AvoirMesures(2);
    Entrer(1, 1, 1);
    canevas.Effacer();
    for (int d : {1, 2, 3, 0, 9})
        SaisirChiffre(d, Modif::Aucun);
    ActualiserCommandes();
    AllerTempsSuivant();
    SaisirChiffre(2, Modif::Aucun);
    ActualiserCommandes();
    EXPECT_FALSE(fenetre.A("RedessinerPartition"));
    EXPECT_TRUE(std::ranges::none_of(fenetre.Appels, [](const std::string& a) {
        return a.starts_with("RedessinerLignesModifiees");
    }));
    // The typed beat was painted on the edit image.
    EXPECT_FALSE(canevas.Traces().empty());
}

TEST_F(SaisieFrette, NothingTurnsTheFreeColumnAfterBeat64IntoABeat)
{
    Remplir(1, 1, 64, 4);
    Entrer(1, 64, 1);
    // A cursor left past beat 64 by any other road (a part of 64 beats read from a file).
    Curseur.Temps = 65;
    PartitionModifiee = false;
    SaisirChiffre(5, Modif::Aucun);
    ChoisirFretteMenu(5);
    MettreNoteEtouffee();
    EXPECT_EQ(Partition.Mesures[1]->NbTemps[1], 64);
    EXPECT_EQ(Note(1, 1, 65, 1).Frette, -1);
    EXPECT_FALSE(PartitionModifiee);
    EXPECT_FALSE(Commandes().Enabled(Cmd::Ac_Edition_Annuler));

    // A 65-beat part from a file: its free slot 66 stays out of reach as well.
    Remplir(1, 1, 65, 4);
    Curseur.Temps = 66;
    SaisirChiffre(5, Modif::Aucun);
    EXPECT_EQ(Partition.Mesures[1]->NbTemps[1], 65);
}

TEST_F(SaisieFrette, TheFretPopupSetsAFretWithoutWaitingOnEveryTrack)
{
    PisteCourante = 8;
    Entrer(1, 1, 1);
    Turbo00Click("Turbo17");
    EXPECT_EQ(Note(1, 8, 1, 1).Frette, 17);
    EXPECT_FALSE(Curseur.ChiffreEnAttente);
    EXPECT_EQ(Partition.Mesures[1]->NbTemps[8], 1);
    // The popup refreshes the commands itself.
    EXPECT_TRUE(Commandes().Enabled(Cmd::Ac_Effet_LetRing));

    PisteCourante = 1;
    Entrer(1, 1, 1);
    SaisirChiffre(1, Modif::Aucun);
    ASSERT_TRUE(Curseur.ChiffreEnAttente);
    Turbo00Click("Turbo02");
    EXPECT_EQ(Note(1, 1, 1, 1).Frette, 2);
    EXPECT_FALSE(Curseur.ChiffreEnAttente);
    Turbo00Click("Turbo24");
    EXPECT_EQ(Note(1, 1, 1, 1).Frette, 24);
    Turbo00Click("Menu");
    EXPECT_EQ(Note(1, 1, 1, 1).Frette, 24);
}

TEST_F(SaisieFrette, DeadNote)
{
    Entrer(1, 1, 2);
    Configuration.DefaultDynamic = 5;
    MettreNoteEtouffee();
    EXPECT_EQ(Note(1, 1, 1, 2).Frette, 100);
    EXPECT_EQ(Note(1, 1, 1, 2).Nuance, 5);
    EXPECT_EQ(Partition.Mesures[1]->NbTemps[1], 1);

    Note(1, 1, 1, 2).Effet = 1;
    MettreNoteEtouffee();
    EXPECT_EQ(Note(1, 1, 1, 2).Frette, 100);
    EXPECT_EQ(Note(1, 1, 1, 2).Effet, 0);
    SaisirChiffre(7, Modif::Aucun);
    EXPECT_EQ(Note(1, 1, 1, 2).Frette, 7);

    PisteCourante = 8;
    Entrer(1, 1, 1);
    MettreNoteEtouffee();
    EXPECT_EQ(Partition.Mesures[1]->NbTemps[8], 0);
    EXPECT_EQ(lecteur.Fermetures, 3);
}

TEST_F(SaisieFrette, MovingANoteKeepsItsPitch)
{
    // Standard tuning 64 59 55 50 45 40.
    struct Cas {
        const char* nom;
        int corde, frette;
        std::vector<int> occupees; // other strings holding a note
        bool haut;
        int cordeAttendue, fretteAttendue; // 0: nothing happens
    } cas[] = {
        {"fret 5 of string 2 up", 2, 5, {}, true, 1, 0},
        {"fret 2 of string 2 up: string 1 would need -3", 2, 2, {}, true, 0, 0},
        {"fret 5 of string 1 down", 1, 5, {}, false, 2, 10},
        {"down past an occupied string", 1, 5, {2}, false, 3, 14},
        {"fret 20 of string 1 down: 25 and 29 too high", 1, 20, {}, false, 0, 0},
        {"up from string 1: no string", 1, 5, {}, true, 0, 0},
        {"dead note", 3, 100, {}, true, 0, 0},
    };
    for (const auto& c : cas) {
        SetUp();
        Remplir(1, 1, 1, 0, false, false, -1);
        for (int s : c.occupees)
            Note(1, 1, 1, s).Frette = 0;
        TNoteCorde& source = Note(1, 1, 1, c.corde);
        source.Frette = static_cast<int8_t>(c.frette);
        source.Effet = 3;
        source.ValeurBend = 2.0;
        source.Nuance = 2;
        source.FretteGrace = 4;
        Entrer(1, 1, c.corde);
        PartitionModifiee = false;

        c.haut ? DeplacerNoteHaut() : DeplacerNoteBas();

        if (c.cordeAttendue == 0) {
            EXPECT_EQ(Curseur.Corde, c.corde) << c.nom;
            EXPECT_EQ(source.Frette, c.frette) << c.nom;
            EXPECT_FALSE(PartitionModifiee) << c.nom << ": no undo snapshot";
            EXPECT_FALSE(Commandes().Enabled(Cmd::Ac_Edition_Annuler)) << c.nom;
            continue;
        }
        const TNoteCorde& dest = Note(1, 1, 1, c.cordeAttendue);
        EXPECT_EQ(Curseur.Corde, c.cordeAttendue) << c.nom;
        EXPECT_EQ(dest.Frette, c.fretteAttendue) << c.nom;
        EXPECT_EQ(dest.Effet, 3) << c.nom;
        EXPECT_EQ(dest.ValeurBend, 2.0) << c.nom;
        EXPECT_EQ(dest.Nuance, 2) << c.nom;
        EXPECT_EQ(dest.FretteGrace, -1) << c.nom << ": grace notes stay where they were";
        EXPECT_EQ(source.Frette, -1) << c.nom;
        EXPECT_EQ(source.Effet, 0) << c.nom;
        EXPECT_EQ(source.ValeurBend, 1.0) << c.nom;
        EXPECT_EQ(source.Nuance, 6) << c.nom;
        EXPECT_EQ(source.FretteGrace, 4) << c.nom;
        EXPECT_TRUE(Commandes().Enabled(Cmd::Ac_Edition_Annuler)) << c.nom;
    }

    // A rest keeps its notes where they are.
    SetUp();
    Remplir(1, 1, 1, 0, false, false, -1);
    Note(1, 1, 1, 2).Frette = 5;
    Temps(1, 1, 1).Silence = true;
    Entrer(1, 1, 2);
    DeplacerNoteHaut();
    EXPECT_EQ(Note(1, 1, 1, 2).Frette, 5);
}

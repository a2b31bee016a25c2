// Beat edits: note values, longer and shorter, dotted, triplets, rests, ties, deleting a note
// or a beat, inserting a beat and copying a beat to the end, with their limits.
#include "FixtureClavier.h"

namespace {

class EditionTemps : public FixtureClavier {
protected:
    // One beat of the current track, as the tests describe it.
    struct Rythme {
        int32_t duree;
        int code;
        bool pointee;
        bool triolet;
    };
    static Rythme RythmeDe(int b) { return {Beat(b).Duree, Beat(b).CodeDuree, Beat(b).Pointee, Beat(b).Triolet}; }
    static void DonnerRythme(int b, int code, bool pointee, bool triolet, int pos = 1)
    {
        Beat(b).CodeDuree = static_cast<int8_t>(code);
        Beat(b).Pointee = pointee;
        Beat(b).Triolet = triolet;
        Beat(b).PosTriolet = static_cast<int8_t>(triolet ? pos : 0);
        Beat(b).Duree = DureeEnTicks(code, pointee, triolet);
    }
};

} // namespace

// ---- Note values ---------------------------------------------------------------------------

TEST_F(EditionTemps, LongerAndShorterKeepTheDottedAndTripletFactors)
{
    struct Cas {
        const char* nom;
        int code;
        bool pointee, triolet;
        bool allonger;
        int32_t duree;  // expected afterwards
        int codeApres;
    } cas[] = {
        {"longer dotted half: nothing", -1, true, false, true, 1440, -1},
        {"longer triplet half: nothing", -1, false, true, true, 640, -1},
        {"longer half: whole", -1, false, false, true, 1920, -2},
        {"longer whole: nothing", -2, false, false, true, 1920, -2},
        {"longer dotted quarter", 0, true, false, true, 1440, -1},
        {"longer triplet sixteenth", 2, false, true, true, 160, 1},
        {"shorter triplet sixteenth: nothing", 2, false, true, false, 80, 2},
        {"shorter dotted 32nd: dotted 64th", 3, true, false, false, 45, 4},
        {"shorter 64th: nothing", 4, false, false, false, 30, 4},
        {"shorter dotted quarter", 0, true, false, false, 360, 1},
        {"shorter triplet eighth", 1, false, true, false, 80, 2},
    };
    for (const auto& c : cas) {
        SetUp();
        Remplir(1, 1, 3);
        DonnerRythme(2, c.code, c.pointee, c.triolet, 1);
        Entrer(1, 2);
        if (c.allonger)
            AllongerTemps();
        else
            RaccourcirTemps();
        EXPECT_EQ(Beat(2).Duree, c.duree) << c.nom;
        EXPECT_EQ(Beat(2).CodeDuree, c.codeApres) << c.nom;
        EXPECT_EQ(Beat(2).Pointee, c.pointee) << c.nom;
        EXPECT_EQ(Beat(2).Triolet, c.triolet) << c.nom;
        const bool change = c.duree != DureeEnTicks(c.code, c.pointee, c.triolet);
        EXPECT_EQ(Commandes().Enabled(Cmd::Ac_Edition_Annuler), change) << c.nom << ": undo snapshot only for a change";
        TearDown();
    }
}

TEST_F(EditionTemps, ATripletPassesItsNewValueToTheWholeGroup)
{
    Remplir(1, 1, 5, 1, false, true); // two groups of triplet eighths (the second incomplete)
    Entrer(1, 2);
    AllongerTemps();
    for (int b = 1; b <= 3; ++b) {
        EXPECT_EQ(Beat(b).Duree, 320) << b;
        EXPECT_EQ(Beat(b).CodeDuree, 0) << b;
    }
    EXPECT_EQ(Beat(4).Duree, 160);

    ChangerValeurNote(2);
    for (int b = 1; b <= 3; ++b)
        EXPECT_EQ(Beat(b).Duree, 80) << b;
}

TEST_F(EditionTemps, NoteValueCommandsFollowTheDottedAndTripletStateOfTheBeat)
{
    struct Cas {
        int code;
        bool pointee, triolet;
        void (*commande)();
        int32_t duree;
        int codeApres;
    } cas[] = {
        {0, false, false, Ac_Note_BlancheExecute, 960, -1},
        {0, true, false, Ac_Note_CrocheExecute, 360, 1},
        {0, true, false, Ac_Note_TCrocheExecute, 90, 3},
        {0, false, false, Ac_Note_QCrocheExecute, 30, 4},
        {1, false, true, Ac_Note_NoireExecute, 320, 0},
        {1, false, true, Ac_Note_DCrocheExecute, 80, 2},
        {0, false, false, Ac_Note_RondeExecute, 1920, -2},
    };
    for (const auto& c : cas) {
        SetUp();
        Remplir(1, 1, 3, c.code, c.pointee, c.triolet);
        Entrer(1, 1);
        c.commande();
        EXPECT_EQ(Beat(1).Duree, c.duree) << c.codeApres;
        EXPECT_EQ(Beat(1).CodeDuree, c.codeApres);
        EXPECT_TRUE(Commandes().Checked(Cmd::Ac_Note_Ronde) == (c.codeApres == -2));
        TearDown();
    }
}

TEST_F(EditionTemps, AWaitingFirstDigitSurvivesNoteValuesAndDottedOnly)
{
    Entrer(1, 1);
    Taper({1});
    ASSERT_TRUE(Curseur.ChiffreEnAttente);
    Ac_Note_CrocheExecute();
    Ac_Note_PointeeExecute();
    EXPECT_TRUE(Curseur.ChiffreEnAttente);
    Taper({2});
    EXPECT_EQ(Note(1, 1, 1, 1).Frette, 12);
    EXPECT_EQ(Beat(1).Duree, 360);

    Taper({1});
    RaccourcirTemps();
    EXPECT_FALSE(Curseur.ChiffreEnAttente);
}

TEST_F(EditionTemps, DottedTogglesBetweenThreeHalvesAndTwoThirds)
{
    Remplir(1, 1, 2, 4); // 64ths
    Entrer(1, 1);
    Ac_Note_PointeeExecute();
    EXPECT_EQ(Beat(1).Duree, 45);
    EXPECT_TRUE(Beat(1).Pointee);
    EXPECT_TRUE(Commandes().Checked(Cmd::Ac_Note_Pointee));
    Ac_Note_PointeeExecute();
    EXPECT_EQ(Beat(1).Duree, 30);
    EXPECT_FALSE(Beat(1).Pointee);
}

// ---- Triplets ------------------------------------------------------------------------------

TEST_F(EditionTemps, TripletMakeAndUnmake)
{
    Remplir(1, 1, 8);
    Entrer(1, 5);
    BasculerTriolet();
    for (int b = 5; b <= 7; ++b) {
        EXPECT_EQ(Beat(b).Duree, 320) << b;
        EXPECT_TRUE(Beat(b).Triolet) << b;
        EXPECT_EQ(Beat(b).PosTriolet, b - 4) << b;
    }
    EXPECT_FALSE(Beat(4).Triolet);
    EXPECT_FALSE(Beat(8).Triolet);
    EXPECT_EQ(Beat(8).Duree, 480);

    Entrer(1, 6);
    BasculerTriolet();
    for (int b = 5; b <= 7; ++b) {
        EXPECT_EQ(Beat(b).Duree, 480) << b;
        EXPECT_FALSE(Beat(b).Triolet) << b;
    }
}

TEST_F(EditionTemps, TripletLimitsNearTheEndAndNextToAnotherGroup)
{
    // Beat 63 cannot start a group; the snapshot is taken all the same.
    Remplir(1, 1, 64, 1);
    Entrer(1, 63);
    BasculerTriolet();
    EXPECT_FALSE(Beat(63).Triolet);
    EXPECT_EQ(Beat(63).Duree, 240);
    EXPECT_TRUE(Commandes().Enabled(Cmd::Ac_Edition_Annuler));

    // Beat 62 of 62: only it becomes a triplet, at place 1; the next typed beats complete it.
    SetUp();
    Remplir(1, 1, 62, 1);
    Entrer(1, 62);
    BasculerTriolet();
    EXPECT_TRUE(Beat(62).Triolet);
    EXPECT_EQ(Beat(62).PosTriolet, 1);
    EXPECT_EQ(Beat(62).Duree, 160);
    EXPECT_FALSE(Beat(61).Triolet);
    EXPECT_EQ(N(), 62);
    TearDown();

    // The next beat, or the one after it, already in a group: nothing.
    for (int curseur : {2, 3}) {
        SetUp();
        Remplir(1, 1, 6, 1);
        for (int b = 4; b <= 6; ++b)
            DonnerRythme(b, 1, false, true, b - 3);
        Entrer(1, curseur);
        BasculerTriolet();
        EXPECT_FALSE(Beat(curseur).Triolet) << curseur;
        EXPECT_EQ(Beat(curseur).Duree, 240) << curseur;
        TearDown();
    }

    // Dotted, whole, 32nd: nothing, not even the snapshot.
    for (auto [code, pointee] : {std::pair{0, true}, std::pair{-2, false}, std::pair{3, false}}) {
        SetUp();
        Remplir(1, 1, 3, code, pointee);
        Entrer(1, 1);
        BasculerTriolet();
        EXPECT_FALSE(Beat(1).Triolet) << code;
        EXPECT_FALSE(Commandes().Enabled(Cmd::Ac_Edition_Annuler)) << code;
        TearDown();
    }
}

// The group's new length is computed once: lengthening each member from the cursor beat as
// it is being updated would give 240, 360, 540.
TEST_F(EditionTemps, UnmakingATripletGivesEveryMemberTheSameLength)
{
    for (int curseur : {1, 2, 3}) {
        SetUp();
        Remplir(1, 1, 3, 1, false, true);
        Entrer(1, curseur);
        DefaireTriolet();
        for (int b = 1; b <= 3; ++b) {
            EXPECT_EQ(Beat(b).Duree, 240) << "cursor " << curseur << " beat " << b;
            EXPECT_FALSE(Beat(b).Triolet);
        }
        TearDown();
    }

    // Deleting a member turns its group back into plain beats first.
    SetUp();
    Remplir(1, 1, 3, 1, false, true);
    Entrer(1, 1);
    SupprimerTemps();
    ASSERT_EQ(N(), 2);
    EXPECT_EQ(Beat(1).Duree, 240);
    EXPECT_EQ(Beat(2).Duree, 240);
    EXPECT_FALSE(Beat(1).Triolet);
}

// A file may bring any byte as a triplet position; the group it names never reaches outside
// the beat slots, nor beyond the part.
TEST_F(EditionTemps, TripletPositionsFromAFileOutsideOneToThreeStayInsideTheSlots)
{
    for (int nb : {64, 10}) {
        for (int pos : {0, -5, 4, 100, 127}) {
            for (int curseur : {1, 2, nb}) {
                SetUp();
                Remplir(1, 1, nb, 1, false, true);
                Beat(curseur).PosTriolet = static_cast<int8_t>(pos);
                const TMesure avant = *Partition.Mesures[1];
                Entrer(1, curseur);
                ChangerValeurNote(2);
                BasculerTriolet();
                InsererTemps();
                CopierTempsFin();
                SupprimerTemps();
                Entrer(1, curseur);
                DefaireTriolet();
                if (nb == 64) {
                    EXPECT_EQ(N(), 63) << pos << " " << curseur;
                }
                EXPECT_LE(N(), nb + 3) << pos << " " << curseur;
                EXPECT_GE(N(), nb - 1) << pos << " " << curseur;
                // The other tracks' slots are untouched.
                for (int b = 1; b <= kNbTempsMax; ++b)
                    EXPECT_EQ(Temps(1, 2, b).Duree, avant.Temps[2][b].Duree);
                TearDown();
            }
        }
    }
}

// ---- Rests and ties ------------------------------------------------------------------------

TEST_F(EditionTemps, RestClearsNotesAndTechniquesButKeepsRhythmTextChordAndMix)
{
    Remplir(1, 1, 3, 1, false, true, 7);
    TTemps& t = Beat(2);
    t.Notes[3].Frette = 9;
    t.Notes[3].Effet = 5;
    t.Notes[3].FretteGrace = 4;
    t.Effet = 3;
    t.ValeurCoupVib = 2.5;
    t.Brush = 1;
    t.Texte = "solo";
    t.AvecAccord = true;
    t.Accord = std::make_shared<const TAccord>();
    t.TableMix = cTableMixEvent::Create();
    Entrer(1, 2);
    MettreSilence();
    EXPECT_TRUE(t.Silence);
    EXPECT_EQ(t.Notes[1].Frette, -1);
    EXPECT_EQ(t.Notes[3].Frette, -1);
    EXPECT_EQ(t.Notes[3].Effet, 0);
    EXPECT_EQ(t.Notes[3].FretteGrace, -1);
    EXPECT_EQ(t.Effet, 0);
    EXPECT_EQ(t.ValeurCoupVib, 1.0);
    EXPECT_EQ(t.Brush, 0);
    EXPECT_EQ(t.Duree, 160);
    EXPECT_TRUE(t.Triolet);
    EXPECT_EQ(t.Texte.str(), "solo");
    EXPECT_TRUE(t.AvecAccord && t.Accord);
    EXPECT_TRUE(t.TableMix);

    // A dotted beat loses its dot with its third.
    Remplir(1, 1, 1, 0, true);
    Entrer(1, 1);
    MettreSilence();
    EXPECT_EQ(Beat(1).Duree, 480);
    EXPECT_FALSE(Beat(1).Pointee);
}

TEST_F(EditionTemps, RestOnTheFreeColumnAppendsARestBeat)
{
    Remplir(1, 1, 2, 1);
    Entrer(1, 2);
    AllerTempsSuivant(); // the free column, prepared with the last note value
    ASSERT_EQ(Curseur.Temps, 3);
    MettreSilence();
    EXPECT_EQ(N(), 3);
    EXPECT_TRUE(Beat(3).Silence);
    EXPECT_EQ(Beat(3).Duree, 240);
    EXPECT_FALSE(Beat(4).Silence); // the new free slot
    EXPECT_EQ(Beat(4).Duree, 240);
}

// No path turns the free column into a 65th beat: a part of 64 beats has no free column the
// cursor can reach, and a cursor that stands there all the same changes nothing.
TEST_F(EditionTemps, NothingTurnsTheFreeColumnIntoASixtyFifthBeat)
{
    struct Cas {
        const char* nom;
        void (*edit)();
    } cas[] = {
        {"rest", MettreSilence},
        {"tie", Ac_Note_LierExecute},
        {"insert", InsererTemps},
        {"copy", CopierTempsFin},
        {"fret", [] { SaisirChiffre(5, Modif::Aucun); }},
    };
    for (const auto& c : cas) {
        SetUp();
        Remplir(1, 1, 64, 2);
        Entrer(1, 64);
        Curseur.Temps = 65;
        c.edit();
        EXPECT_EQ(N(), 64) << c.nom;
        EXPECT_FALSE(Temps(1, 1, 65).Silence || Temps(1, 1, 65).Lie) << c.nom;
        EXPECT_FALSE(Commandes().Enabled(Cmd::Ac_Edition_Annuler)) << c.nom;
        TearDown();
    }
    // Insert and copy at 64 beats on a real beat do nothing either.
    for (auto edit : {InsererTemps, CopierTempsFin}) {
        SetUp();
        Remplir(1, 1, 64, 2);
        Entrer(1, 10);
        edit();
        EXPECT_EQ(N(), 64);
        EXPECT_FALSE(Commandes().Enabled(Cmd::Ac_Edition_Annuler));
        TearDown();
    }
}

TEST_F(EditionTemps, TieRules)
{
    // Beat 1 of measure 1 is never tied.
    Remplir(1, 1, 2);
    Entrer(1, 1);
    Ac_Note_LierExecute();
    EXPECT_FALSE(Beat(1).Lie);
    EXPECT_FALSE(Commandes().Checked(Cmd::Ac_Note_Lier));

    // Tied: no notes of its own.
    Beat(2).Notes[2].Frette = 3;
    Beat(2).Effet = 1;
    Entrer(1, 2);
    Ac_Note_LierExecute();
    EXPECT_TRUE(Beat(2).Lie);
    EXPECT_FALSE(Beat(2).Silence);
    EXPECT_EQ(Beat(2).Notes[1].Frette, -1);
    EXPECT_EQ(Beat(2).Notes[2].Frette, -1);
    EXPECT_EQ(Beat(2).Effet, 0);
    EXPECT_TRUE(Commandes().Checked(Cmd::Ac_Note_Lier));

    // Untied as the last beat: it disappears.
    Ac_Note_LierExecute();
    EXPECT_EQ(N(), 1);
    EXPECT_FALSE(Commandes().Checked(Cmd::Ac_Note_Lier));

    // Untied in the middle: a rest.
    Remplir(1, 1, 3);
    Beat(2).Lie = true;
    Entrer(1, 2);
    Ac_Note_LierExecute();
    EXPECT_EQ(N(), 3);
    EXPECT_FALSE(Beat(2).Lie);
    EXPECT_TRUE(Beat(2).Silence);

    // Tied on the free column: a tied beat is appended.
    Entrer(1, 4);
    Ac_Note_LierExecute();
    EXPECT_EQ(N(), 4);
    EXPECT_TRUE(Beat(4).Lie);
    EXPECT_FALSE(Beat(5).Lie);
}

// A tied free slot (left by an edit elsewhere) untied by the command: the free column is no
// beat, so the last real beat must stay.
TEST_F(EditionTemps, UntyingOnTheFreeColumnOnlyClearsTheFlag)
{
    Remplir(1, 1, 3);
    Beat(4).Lie = true;
    Entrer(1, 4);
    Ac_Note_LierExecute();
    EXPECT_EQ(N(), 3);
    EXPECT_EQ(Curseur.Temps, 4);
    EXPECT_FALSE(Beat(4).Lie);
    EXPECT_FALSE(Beat(4).Silence);
    EXPECT_EQ(Beat(3).Notes[1].Frette, 0);
}

// ---- Deleting ------------------------------------------------------------------------------

TEST_F(EditionTemps, DeletingANoteOrABeatAndTheBeatsTiedAfterIt)
{
    struct Cas {
        const char* nom;
        int curseur;
        bool lieAvant;      // LieAvantEffacement as the key map sets it
        int nbApres;
        bool tieRestant;    // beat 2 afterwards is a tied beat
    } cas[] = {
        // Beats: 1 note, 2 note, 3 tied, 4 tied, 5 note.
        {"only note of beat 2: its tied beats go with it", 2, false, 2, false},
        {"tied beat 3: only it goes", 3, true, 4, false},
    };
    for (const auto& c : cas) {
        SetUp();
        Remplir(1, 1, 5);
        Beat(3).Lie = true;
        Beat(4).Lie = true;
        Beat(5).Notes[1].Frette = 5;
        Entrer(1, c.curseur);
        LieAvantEffacement = c.lieAvant;
        EffacerNote();
        EXPECT_EQ(N(), c.nbApres) << c.nom;
        EXPECT_EQ(Curseur.Temps, c.curseur) << c.nom;
        TearDown();
    }

    // After deleting tied beat 3, beat 4 (now 3) stays tied and continues beat 2's note.
    SetUp();
    Remplir(1, 1, 5);
    Beat(3).Lie = true;
    Beat(4).Lie = true;
    Entrer(1, 3);
    LieAvantEffacement = true;
    EffacerNote();
    EXPECT_TRUE(Beat(3).Lie);
    EXPECT_EQ(Beat(2).Notes[1].Frette, 0);
}

TEST_F(EditionTemps, DeletingOneOfSeveralNotesKeepsTheBeatAndTheGraceNote)
{
    Remplir(1, 1, 2);
    Beat(1).Notes[2].Frette = 7;
    Beat(1).Notes[1].FretteGrace = 3;
    Beat(1).Notes[1].Effet = 2;
    Beat(1).Notes[1].Nuance = 3;
    Entrer(1, 1, 1);
    EffacerNote();
    EXPECT_EQ(N(), 2);
    EXPECT_EQ(Beat(1).Notes[1].Frette, -1);
    EXPECT_EQ(Beat(1).Notes[1].Effet, 0);
    EXPECT_EQ(Beat(1).Notes[1].Nuance, 6);
    EXPECT_EQ(Beat(1).Notes[1].FretteGrace, 3);
    EXPECT_EQ(Beat(1).Notes[2].Frette, 7);

    // An empty string: nothing, no snapshot.
    Entrer(1, 1, 3);
    EffacerNote();
    EXPECT_EQ(N(), 2);
    EXPECT_FALSE(Commandes().Enabled(Cmd::Ac_Edition_Annuler));
}

TEST_F(EditionTemps, DeletingTheLastNoteLeavesTheNextMeasureAlone)
{
    AvoirMesures(2);
    Remplir(1, 1, 2);
    Remplir(2, 1, 2);
    Temps(2, 1, 1).Lie = true;
    Entrer(1, 2);
    EffacerNote();
    EXPECT_EQ(Partition.Mesures[1]->NbTemps[1], 1);
    EXPECT_EQ(Partition.Mesures[2]->NbTemps[1], 2);
    EXPECT_TRUE(Temps(2, 1, 1).Lie);
}

TEST_F(EditionTemps, AChainOfTiedBeatsEndsAtTheFreeColumn)
{
    Remplir(1, 1, 3);
    Beat(2).Lie = true;
    Beat(3).Lie = true;
    Entrer(1, 1);
    EffacerNote();
    EXPECT_EQ(N(), 0);
    EXPECT_EQ(Curseur.Temps, 1);
    EXPECT_FALSE(Beat(1).Lie);
}

// One key, one edit: undo brings back the note and every tied beat deleted with it, not only
// the last link of the chain.
TEST_F(EditionTemps, UndoBringsBackTheWholeChainOfTiedBeats)
{
    Remplir(1, 1, 4);
    Beat(2).Lie = true;
    Beat(3).Lie = true;
    Beat(4).Notes[1].Frette = 9;
    Entrer(1, 1);
    EffacerNote();
    ASSERT_EQ(N(), 1);
    Ac_Edition_AnnulerExecute();
    ASSERT_EQ(N(), 4);
    EXPECT_EQ(Beat(1).Notes[1].Frette, 0);
    EXPECT_TRUE(Beat(2).Lie);
    EXPECT_TRUE(Beat(3).Lie);
    EXPECT_EQ(Beat(4).Notes[1].Frette, 9);

    Entrer(1, 1);
    LieAvantEffacement = false;
    SupprimerTemps();
    ASSERT_EQ(N(), 1);
    Ac_Edition_AnnulerExecute();
    EXPECT_EQ(N(), 4);
}

TEST_F(EditionTemps, DeleteBeatOnTheFreeColumnDoesNothing)
{
    Remplir(1, 1, 2);
    Entrer(1, 3);
    SupprimerTemps();
    EffacerNote();
    EXPECT_EQ(N(), 2);
    EXPECT_FALSE(Commandes().Enabled(Cmd::Ac_Edition_Annuler));
}

TEST_F(EditionTemps, DeletingABeatShiftsTheLaterBeatsAndFreesItsSlot)
{
    Remplir(1, 1, 3, 0);
    for (int b = 1; b <= 3; ++b)
        Beat(b).Notes[1].Frette = static_cast<int8_t>(b);
    Beat(2).AvecAccord = true;
    Beat(2).Accord = std::make_shared<const TAccord>();
    const std::weak_ptr<const TAccord> accord = Beat(2).Accord;
    Entrer(1, 2);
    SupprimerTemps();
    EXPECT_EQ(N(), 2);
    EXPECT_EQ(Beat(2).Notes[1].Frette, 3);
    EXPECT_FALSE(Beat(2).AvecAccord);
    EXPECT_EQ(Beat(3).Notes[1].Frette, -1); // the new free slot
    // The undo copy still holds the chord; a validation lets it go.
    EXPECT_FALSE(accord.expired());
    ValiderMesure();
    EXPECT_TRUE(accord.expired());
}

// ---- Inserting -----------------------------------------------------------------------------

TEST_F(EditionTemps, InsertingAQuarterRest)
{
    struct Cas {
        const char* nom;
        int curseur;
        bool insere;
    } cas[] = {
        {"before the triplet group", 2, true},
        {"second of the group", 3, false},
        {"third of the group", 4, false},
        {"on the free column", 6, false},
    };
    for (const auto& c : cas) {
        SetUp();
        Remplir(1, 1, 5, 1, false, false, 4);
        for (int b = 2; b <= 4; ++b)
            DonnerRythme(b, 1, false, true, b - 1);
        Beat(2).Texte = "go";
        Entrer(1, c.curseur);
        InsererTemps();
        EXPECT_EQ(N(), c.insere ? 6 : 5) << c.nom;
        if (c.insere) {
            const TTemps& r = Beat(2);
            EXPECT_TRUE(r.Silence);
            EXPECT_EQ(r.Duree, 480);
            EXPECT_EQ(r.CodeDuree, 0);
            EXPECT_FALSE(r.Triolet);
            EXPECT_TRUE(r.Texte.empty());
            EXPECT_EQ(r.Notes[1].Frette, -1);
            EXPECT_EQ(Beat(3).PosTriolet, 1);
            EXPECT_EQ(Beat(3).Texte.str(), "go");
            EXPECT_EQ(Beat(5).PosTriolet, 3);
            EXPECT_EQ(Curseur.Temps, 2);
        }
        TearDown();
    }
}

// ---- Copying to the end ----------------------------------------------------------------------

TEST_F(EditionTemps, CopyToTheEndLimits)
{
    struct Cas {
        const char* nom;
        int nb;
        int groupe;   // first beat of a triplet group of eighths, 0 none
        int curseur;
        int nbApres;
    } cas[] = {
        {"64 beats", 64, 0, 5, 64},
        {"triplet with 62 beats", 62, 1, 2, 62},
        {"triplet with 61 beats", 61, 1, 2, 64},
        {"last group incomplete", 5, 4, 1, 5},
        {"no beat at all", 0, 0, 1, 0},
    };
    for (const auto& c : cas) {
        SetUp();
        Remplir(1, 1, c.nb, 1);
        if (c.groupe > 0)
            for (int k = 0; k < 3 && c.groupe + k <= c.nb; ++k)
                DonnerRythme(c.groupe + k, 1, false, true, k + 1);
        Entrer(1, c.curseur);
        CopierTempsFin();
        EXPECT_EQ(N(), c.nbApres) << c.nom;
        TearDown();
    }
}

TEST_F(EditionTemps, CopyingATripletGroupAppendsItAndMovesTheCursorPastTheSource)
{
    Remplir(1, 1, 4, 0);
    for (int k = 0; k < 3; ++k) {
        DonnerRythme(2 + k, 1, false, true, k + 1);
        Beat(2 + k).Notes[1].Frette = static_cast<int8_t>(10 + k);
    }
    Entrer(1, 3);
    CopierTempsFin();
    ASSERT_EQ(N(), 7);
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(Beat(5 + k).Notes[1].Frette, 10 + k);
        EXPECT_EQ(Beat(5 + k).PosTriolet, k + 1);
        EXPECT_EQ(Beat(5 + k).Duree, 160);
    }
    EXPECT_EQ(Curseur.Temps, 5);
}

TEST_F(EditionTemps, ACopiedBeatHasAChordAndMixChangeOfItsOwn)
{
    Remplir(1, 1, 2);
    TAccord accord;
    accord.Nom = "Am";
    Beat(1).AvecAccord = true;
    Beat(1).Accord = std::make_shared<const TAccord>(accord);
    auto mix = cTableMixEvent::Create();
    mix->Tempo = 90;
    Beat(1).TableMix = mix;
    Entrer(1, 1);
    CopierTempsFin();
    ASSERT_EQ(N(), 3);
    EXPECT_EQ(Curseur.Temps, 2); // the cursor moves on from the source

    const TTemps& copie = Beat(3);
    ASSERT_TRUE(copie.AvecAccord && copie.Accord && copie.TableMix);
    EXPECT_NE(copie.Accord, Beat(1).Accord);
    EXPECT_NE(copie.TableMix, Beat(1).TableMix);
    EXPECT_EQ(copie.TableMix->Tempo, 90);

    // Changing the source's records leaves the copy as it was.
    accord.Nom = "C";
    Beat(1).Accord = std::make_shared<const TAccord>(accord);
    mix->Tempo = 150;
    EXPECT_EQ(copie.Accord->Nom.str(), "Am");
    EXPECT_EQ(copie.TableMix->Tempo, 90);
}

// ---- The command handlers ----------------------------------------------------------------------

TEST_F(EditionTemps, TheCommandsRunTheEditsOnlyWhenEnabled)
{
    Remplir(1, 1, 2, 0, true);
    Entrer(1, 1);
    // A dotted beat: the rest command is disabled.
    EXPECT_FALSE(Commandes().Executer(Cmd::Ac_Note_Silence));
    EXPECT_FALSE(Beat(1).Silence);
    EXPECT_TRUE(Commandes().Executer(Cmd::Ac_Note_Pointee));
    EXPECT_FALSE(Beat(1).Pointee);
    EXPECT_TRUE(Commandes().Executer(Cmd::Ac_Note_Silence));
    EXPECT_TRUE(Beat(1).Silence);
    // A rest cannot be dotted.
    EXPECT_FALSE(Commandes().Enabled(Cmd::Ac_Note_Pointee));

    // Delete beat on a tied beat keeps the beats tied after it.
    Remplir(1, 1, 4);
    Beat(2).Lie = true;
    Beat(3).Lie = true;
    Entrer(1, 2);
    EXPECT_TRUE(Commandes().Executer(Cmd::Ac_Note_SupprimerTemps));
    EXPECT_EQ(N(), 3);
    EXPECT_TRUE(Beat(2).Lie);
}

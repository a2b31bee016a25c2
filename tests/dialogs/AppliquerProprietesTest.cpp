// The write path of the song properties: the checks, the moving of the notes of a track whose
// string count changes, and what an accepted OK writes and refreshes.
#include "FixtureDialogues.h"

#include "dialogs/AppliquerProprietes.h"
#include "document/Mess.h"
#include "document/Proprietes.h"

#include <array>
#include <string>

namespace {

class FenetreProprietes : public FenetreDialogues {
public:
    std::string TitreLabel;
    void AfficherTitreLabel(const char* texte) override
    {
        TitreLabel = texte;
        Appels.push_back("AfficherTitreLabel");
    }
    void ActualiserCommandes() override { Appels.push_back("ActualiserCommandes"); }
};

class AppliquerProprietesTest : public FixtureDialogues {
protected:
    FenetreProprietes fenetreProp;

    void SetUp() override
    {
        FixtureDialogues::SetUp();
        InstallerFenetrePrincipale(&fenetreProp);
        AvoirMesures(8);
        CopierPartitionVersProprietes();
    }

    // A note with every field set, so that a move can be told from a copy of the fret alone.
    static TNoteCorde NoteComplete(int8_t frette)
    {
        TNoteCorde n;
        n.Frette = frette;
        n.Effet = 5;
        n.ValeurBend = 2.5;
        n.Nuance = 3;
        n.FretteGrace = 7;
        n.NuanceGrace = 4;
        n.DureeGrace = 2;
        return n;
    }

    // Tunings of the presets, strings 1..n.
    static inline const Tuning kGuitare{0, 64, 59, 55, 50, 45, 40};
    static inline const Tuning kBasse{0, 43, 38, 33, 28, 0, 0};
    static inline const Tuning kBasse5{0, 43, 38, 33, 28, 23, 0};
    static inline const Tuning kBasse6{0, 48, 43, 38, 33, 28, 23};

    // The working count of a track changed, with a tuning of its own.
    static void ChangerCordes(int piste, int n)
    {
        ProprietesTempo.NbCordes[piste] = n;
        for (int s = 1; s <= n; ++s)
            ProprietesTempo.Accordage[piste][s] = 40 + s;
    }
};

TEST_F(AppliquerProprietesTest, DroppingStringsThatHoldNotesIsRefusedWithTheFirstMeasure)
{
    Remplir(7, 2, 3, 0, false, false, -1);
    Note(7, 2, 2, 2).Frette = 5;
    Remplir(8, 2, 1, 0, false, false, -1);
    Note(8, 2, 1, 1).Frette = kNoteMorte; // a dead note is a note too

    // 6 -> 4 drops strings 1 and 2: measure 7 is the first concerned.
    VerificationProprietes v = VerifierProprietes("120", "0", 2, 4, kBasse);
    EXPECT_EQ(v.Refus, RefusProprietes::CordesOccupees);
    EXPECT_EQ(v.Mesure, 7);
    // 6 -> 5 drops string 1 only: measure 8.
    v = VerifierProprietes("120", "0", 2, 5, kBasse5);
    EXPECT_EQ(v.Refus, RefusProprietes::CordesOccupees);
    EXPECT_EQ(v.Mesure, 8);
    // Other tracks, more strings, the same count: nothing is dropped.
    EXPECT_TRUE(VerifierProprietes("120", "0", 3, 4, kBasse).Acceptee());
    EXPECT_EQ(MesureAvecNotesCordesRetirees(2, 6, kGuitare), 0);

    // Only the song's count counts: 5 strings in the song, string 1 empty, strings 2.. full.
    Partition.NbCordes[4] = 5;
    Remplir(3, 4, 2, 0, false, false, -1);
    for (int s = 2; s <= 5; ++s)
        Note(3, 4, 1, s).Frette = 1;
    EXPECT_TRUE(VerifierProprietes("120", "0", 4, 4, kBasse).Acceptee());

    // A note past the beat count (the free slot) holds nothing the song plays.
    Remplir(2, 5, 1, 0, false, false, -1);
    Note(2, 5, 2, 1).Frette = 3;
    EXPECT_EQ(MesureAvecNotesCordesRetirees(5, 4, kBasse), 0);
}

TEST_F(AppliquerProprietesTest, RefusalMessageNamesTheMeasureAndTheCount)
{
    ChargerAnglais();
    EnregistreurMessages messages;
    SignalerCordesOccupees(7, 4);
    ASSERT_EQ(messages.Messages.size(), 1u);
    const MessageAffiche& m = messages.Messages[0];
    EXPECT_EQ(m.Legende, Traduire("Dlg-Erreur"));
    EXPECT_EQ(m.Texte, "Bar 7 holds notes on a string that a track of 4 strings does not have. "
                       "Move or delete these notes first.");
    EXPECT_EQ(m.Icone, IconeErreur);
    EXPECT_EQ(m.Boutons, BoutonOK);
    EXPECT_EQ(m.BoutonDefaut, DefautOK);
}

TEST_F(AppliquerProprietesTest, FieldChecksComeInTheirOrder)
{
    struct Cas {
        const char* tempo;
        const char* capo;
        RefusProprietes refus;
    };
    const Cas cas[] = {
        {"", "", RefusProprietes::TempoVide},     {"  ", "0", RefusProprietes::TempoVide},
        {"0", "", RefusProprietes::CapoVide},     {"120", "x", RefusProprietes::CapoVide},
        {"0", "0", RefusProprietes::TempoInvalide}, {"000", "3", RefusProprietes::TempoInvalide},
        {"1x", "3", RefusProprietes::TempoInvalide}, {"1000", "3", RefusProprietes::TempoInvalide},
        {"-5", "3", RefusProprietes::TempoInvalide}, {"1", "0", RefusProprietes::Aucun},
        {"999", "12", RefusProprietes::Aucun},
    };
    // The tempo is checked before the strings: a refused tempo never reaches the measures.
    Remplir(1, 1, 1);
    for (const Cas& c : cas) {
        SCOPED_TRACE(std::string(c.tempo) + "/" + c.capo);
        EXPECT_EQ(VerifierProprietes(c.tempo, c.capo, 1, 4, kBasse).Refus,
                  c.refus == RefusProprietes::Aucun ? RefusProprietes::CordesOccupees : c.refus);
        EXPECT_EQ(VerifierProprietes(c.tempo, c.capo, 1, 6, kGuitare).Refus, c.refus);
    }
}

TEST_F(AppliquerProprietesTest, MovingNotesOfOneBeat)
{
    struct Cas {
        int ancien, nouveau, decalage;
        // Source string of each new string 1..6 (0: emptied, -1: left as it was).
        std::array<int, 7> source;
    };
    const Cas cas[] = {
        // Places counted from the lowest string.
        {4, 6, 2, {0, 0, 0, 1, 2, 3, 4}},
        {5, 6, 1, {0, 0, 1, 2, 3, 4, 5}},
        {4, 5, 1, {0, 0, 1, 2, 3, 4, -1}},
        {6, 5, -1, {0, 2, 3, 4, 5, 6, -1}},
        {6, 4, -2, {0, 3, 4, 5, 6, -1, -1}},
        {5, 4, -1, {0, 2, 3, 4, 5, -1, -1}},
        {6, 6, 0, {0, 1, 2, 3, 4, 5, 6}},
        // Strings of the same open pitch: a string added or dropped at the bottom, or both ends.
        {4, 5, 0, {0, 1, 2, 3, 4, 0, -1}},
        {5, 4, 0, {0, 1, 2, 3, 4, -1, -1}},
        {4, 6, 1, {0, 0, 1, 2, 3, 4, 0}},
        {6, 4, -1, {0, 2, 3, 4, 5, -1, -1}},
        {5, 6, 0, {0, 1, 2, 3, 4, 5, 0}},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(std::to_string(c.ancien) + " -> " + std::to_string(c.nouveau) + " by " + std::to_string(c.decalage));
        TTemps t;
        for (int s = 1; s <= 6; ++s)
            t.Notes[s] = NoteComplete(static_cast<int8_t>(10 + s));
        const TTemps avant = t;
        DeplacerNotesTemps(t, c.ancien, c.nouveau, c.decalage);
        for (int s = 1; s <= 6; ++s) {
            SCOPED_TRACE(s);
            if (c.source[s] > 0) {
                EXPECT_EQ(t.Notes[s], avant.Notes[c.source[s]]);
            } else if (c.source[s] < 0) {
                EXPECT_EQ(t.Notes[s], avant.Notes[s]);
            } else {
                EXPECT_EQ(t.Notes[s].Frette, kPasDeNote);
                EXPECT_EQ(t.Notes[s].Effet, 0);
                EXPECT_EQ(t.Notes[s].ValeurBend, 1.0);
                EXPECT_EQ(t.Notes[s].Nuance, 6);
                EXPECT_EQ(t.Notes[s].FretteGrace, kPasDeNote);
            }
        }
    }
}

TEST_F(AppliquerProprietesTest, StringsGoToTheSameOpenPitchWhereBothTuningsShareThem)
{
    struct Cas {
        const char* nom;
        int ancien;
        Tuning accordageAncien;
        int nouveau;
        Tuning accordageNouveau;
        int decalage;
    };
    const Tuning basseDo{0, 48, 43, 38, 33, 28, 0};   // EADG with a high C
    const Tuning hautGuitare{0, 64, 59, 55, 50, 0, 0}; // the guitar's top four
    const Tuning basGuitare{0, 55, 50, 45, 40, 0, 0};  // the guitar's low four
    const Cas cas[] = {
        {"EADG -> BEADG", 4, kBasse, 5, kBasse5, 0},
        {"BEADG -> EADG", 5, kBasse5, 4, kBasse, 0},
        {"EADG -> BEADGC", 4, kBasse, 6, kBasse6, 1},
        {"BEADGC -> EADG", 6, kBasse6, 4, kBasse, -1},
        {"BEADG -> BEADGC", 5, kBasse5, 6, kBasse6, 1},
        {"EADG -> EADGC", 4, kBasse, 5, basseDo, 1},
        {"EADGC -> EADG", 5, basseDo, 4, kBasse, -1},
        {"guitar -> its top four", 6, kGuitare, 4, hautGuitare, 0},
        {"guitar -> its low four", 6, kGuitare, 4, basGuitare, -2},
        // No shared open strings: the shapes stay on the low strings.
        {"guitar -> bass", 6, kGuitare, 4, kBasse, -2},
        {"bass -> guitar", 4, kBasse, 6, kGuitare, 2},
        {"bass -> BEADG a tone down", 4, kBasse, 5, Tuning{0, 41, 36, 31, 26, 21, 0}, 1},
        // Strings out of order do not count as shared.
        {"EADG -> GDAEB", 4, kBasse, 5, Tuning{0, 28, 33, 38, 43, 23, 0}, 1},
        {"same count", 6, kGuitare, 6, kBasse6, 0},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        EXPECT_EQ(StringShift(c.ancien, c.accordageAncien, c.nouveau, c.accordageNouveau), c.decalage);
    }
}

// The check of a count that drops strings looks at the strings the move drops: the low B of a
// five-string bass, both outer strings of a six-string one.
TEST_F(AppliquerProprietesTest, TheStringsCheckedAreTheOnesTheMoveDrops)
{
    Partition.NbCordes[2] = 5;
    Partition.Accordage[2] = kBasse5;
    Remplir(3, 2, 2, 0, false, false, -1);
    Note(3, 2, 1, 1).Frette = 5; // the G string is kept
    Note(3, 2, 2, 4).Frette = 0;
    EXPECT_TRUE(VerifierProprietes("120", "0", 2, 4, kBasse).Acceptee());
    Remplir(6, 2, 1, 0, false, false, -1);
    Note(6, 2, 1, 5).Frette = 2; // the B string is not
    VerificationProprietes v = VerifierProprietes("120", "0", 2, 4, kBasse);
    EXPECT_EQ(v.Refus, RefusProprietes::CordesOccupees);
    EXPECT_EQ(v.Mesure, 6);
    // Without shared strings the top string is the one dropped, as before.
    const Tuning basseGrave{0, 41, 36, 31, 26, 0, 0};
    EXPECT_EQ(MesureAvecNotesCordesRetirees(2, 4, basseGrave), 3);

    Partition.NbCordes[3] = 6;
    Partition.Accordage[3] = kBasse6;
    for (int s : {1, 6}) {
        SCOPED_TRACE(s);
        Remplir(4, 3, 1, 0, false, false, -1);
        for (int k = 2; k <= 5; ++k)
            Note(4, 3, 1, k).Frette = 3;
        EXPECT_EQ(MesureAvecNotesCordesRetirees(3, 4, kBasse), 0);
        Note(4, 3, 1, s).Frette = 1;
        EXPECT_EQ(MesureAvecNotesCordesRetirees(3, 4, kBasse), 4);
    }
}

// A beat's chord diagram is indexed by the track's strings like its notes: it moves with them,
// so that its frets and barres still sit on the strings the beat plays.
TEST_F(AppliquerProprietesTest, ChordDiagramsMoveWithTheirNotes)
{
    TAccord accord;
    accord.Nom = "A5";
    accord.Frettes = {0, -1, 7, 7, 5, -1, 3};
    accord.NbBarres = 1;
    accord.BarreFrette[1] = 7;
    accord.BarreCordeDebut[1] = 3;
    accord.BarreCordeFin[1] = 2;
    struct Cas {
        const char* nom;
        int ancien, nouveau, decalage;
        std::array<int32_t, 7> frettes;
        int nbBarres, barreDebut, barreFin;
    };
    const Cas cas[] = {
        {"a low string added", 4, 5, 0, {0, -1, 7, 7, 5, -1, -1}, 1, 3, 2},
        {"one added on each side", 4, 6, 1, {0, -1, -1, 7, 7, 5, -1}, 1, 4, 3},
        {"two added on top", 4, 6, 2, {0, -1, -1, -1, 7, 7, 5}, 1, 5, 4},
        {"the top string dropped", 6, 5, -1, {0, 7, 7, 5, -1, 3, -1}, 1, 2, 1},
        {"the two low strings dropped", 6, 4, 0, {0, -1, 7, 7, 5, -1, -1}, 1, 3, 2},
        // One string left under the barre: its fret is a dot of its own.
        {"the two top strings dropped", 6, 4, -2, {0, 7, 5, -1, 3, -1, -1}, 0, 0, 0},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        TTemps t;
        t.AvecAccord = true;
        t.Accord = std::make_shared<const TAccord>(accord);
        const std::shared_ptr<const TAccord> partage = t.Accord;
        DeplacerNotesTemps(t, c.ancien, c.nouveau, c.decalage);
        ASSERT_TRUE(t.Accord);
        EXPECT_EQ(t.Accord->Frettes, c.frettes);
        EXPECT_EQ(t.Accord->Nom, "A5");
        ASSERT_EQ(t.Accord->NbBarres, c.nbBarres);
        if (c.nbBarres > 0) {
            EXPECT_EQ(t.Accord->BarreFrette[1], 7);
            EXPECT_EQ(t.Accord->BarreCordeDebut[1], c.barreDebut);
            EXPECT_EQ(t.Accord->BarreCordeFin[1], c.barreFin);
        }
        EXPECT_EQ(*partage, accord); // a record shared with a copy of the beat stays as it was
    }
}

TEST_F(AppliquerProprietesTest, FourToSixMovesEveryBeatOfTheTrackAndNothingElse)
{
    Partition.NbCordes[2] = 4;
    CopierPartitionVersProprietes();
    for (int m : {1, 5, 8}) {
        Remplir(m, 2, 3, 0, false, false, -1);
        for (int b = 1; b <= 3; ++b)
            Note(m, 2, b, 1) = NoteComplete(static_cast<int8_t>(m + b));
        Remplir(m, 1, 2); // track 1 keeps its notes on string 1
    }
    const TTemps libre = Temps(5, 2, 4);
    ChangerCordes(2, 6);
    AppliquerProprietes(2);

    for (int m : {1, 5, 8})
        for (int b = 1; b <= 3; ++b) {
            SCOPED_TRACE(std::to_string(m) + "." + std::to_string(b));
            EXPECT_EQ(Note(m, 2, b, 3), NoteComplete(static_cast<int8_t>(m + b)));
            for (int s : {1, 2}) {
                EXPECT_EQ(Note(m, 2, b, s).Frette, kPasDeNote);
                EXPECT_EQ(Note(m, 2, b, s).Nuance, 6);
            }
            if (b <= 2) {
                EXPECT_EQ(Note(m, 1, b, 1).Frette, 0);
            }
        }
    EXPECT_EQ(Temps(5, 2, 4).Notes, libre.Notes); // the free slot is no beat
    EXPECT_EQ(Partition.NbCordes[2], 6);
    EXPECT_EQ(Partition.Accordage[2][6], 46);
}

TEST_F(AppliquerProprietesTest, SixToFiveMovesTheNoteOfStringTwoToStringOne)
{
    Remplir(7, 2, 1, 0, false, false, -1);
    Note(7, 2, 1, 2) = NoteComplete(9);
    Note(7, 2, 1, 6).Frette = 3;
    ASSERT_TRUE(VerifierProprietes("120", "0", 2, 5, kBasse5).Acceptee());
    ChangerCordes(2, 5);
    AppliquerProprietes(2);
    EXPECT_EQ(Note(7, 2, 1, 1), NoteComplete(9));
    EXPECT_EQ(Note(7, 2, 1, 5).Frette, 3);
}

TEST_F(AppliquerProprietesTest, ACountChangedAndChangedBackMovesNothing)
{
    Remplir(1, 3, 1);
    const TMesure avant = *Partition.Mesures[1];
    ProprietesTempo.NbCordes[3] = 4; // the spin went down...
    ProprietesTempo.NbCordes[3] = 6; // ...and up again before OK
    AppliquerProprietes(3);
    EXPECT_EQ(Temps(1, 3, 1).Notes, avant.Temps[3][1].Notes);
}

// Undo and cancel-measure copies hold the current measure as it was: restoring one after the
// move must not put notes back on the old strings.
TEST_F(AppliquerProprietesTest, UndoAndCancelCopiesFollowTheMove)
{
    Partition.NbCordes[1] = 4;
    CopierPartitionVersProprietes();
    Remplir(1, 1, 2);
    Entrer(1);
    SauverAnnulation();
    ChangerCordes(1, 6);
    AppliquerProprietes(1);
    ASSERT_EQ(Note(1, 1, 1, 3).Frette, 0);
    EXPECT_EQ(CopieMesureEntree.Temps[1][1].Notes[3].Frette, 0);
    EXPECT_EQ(CopieMesureEntree.Temps[1][1].Notes[1].Frette, kPasDeNote);
    EXPECT_EQ(MesureAnnulation.Temps[1][1].Notes[3].Frette, 0);
    BT_AnnulerMesureClick();
    EXPECT_EQ(Note(1, 1, 1, 3).Frette, 0);
    EXPECT_EQ(Note(1, 1, 1, 1).Frette, kPasDeNote);
}

TEST_F(AppliquerProprietesTest, OkWritesTheSongAndRefreshesTheWindow)
{
    ProprietesTempo.Titre = "Blues";
    ProprietesTempo.Auteur = "";
    ProprietesTempo.Tempo = 96;
    ProprietesTempo.Triplet = 1;
    ProprietesTempo.NomPiste[4] = std::string(45, 'n');
    ProprietesTempo.Capo[4] = 3;
    Curseur.Corde = 4;
    Curseur.Temps = 3;
    AppliquerProprietes(4);

    EXPECT_EQ(Partition.Titre, "Blues");
    EXPECT_EQ(Partition.Tempo, 96);
    EXPECT_EQ(Partition.TripletFeel, 1);
    EXPECT_EQ(Partition.NomPiste[4].str(), std::string(40, 'n'));
    EXPECT_EQ(Partition.Capo[4], 3);
    EXPECT_EQ(PisteCourante, 4);
    EXPECT_TRUE(PartitionModifiee);
    EXPECT_FALSE(PartitionVierge);
    EXPECT_EQ(Curseur.Corde, 1);
    EXPECT_EQ(Curseur.Temps, 1);
    EXPECT_EQ(fenetreProp.TitreLabel, "Blues");
    for (const char* appel : {"AfficherTitreLabel", "RedessinerPartition", "ActualiserCommandes", "ActualiserMenuPistes"})
        EXPECT_TRUE(fenetreProp.A(appel)) << appel;

    ProprietesTempo.Auteur = "Robert";
    AppliquerProprietes(1);
    EXPECT_EQ(fenetreProp.TitreLabel, "Blues - Robert");
    EXPECT_EQ(PisteCourante, 1);
}

} // namespace

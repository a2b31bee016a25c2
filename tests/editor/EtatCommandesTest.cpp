// Command states from the beat and note under the cursor.
#include "FixtureMoteur.h"

#include <functional>
#include <map>

namespace {

class EtatCommandes : public FixtureMoteur {};

using Attendus = std::map<Cmd, bool>;

void Verifier(const char* nom, const Attendus& actifs, const Attendus& coches)
{
    for (const auto& [c, etat] : actifs)
        EXPECT_EQ(Commandes().Enabled(c), etat) << nom << ": enabled " << Description(c).Nom;
    for (const auto& [c, etat] : coches)
        EXPECT_EQ(Commandes().Checked(c), etat) << nom << ": checked " << Description(c).Nom;
}

} // namespace

TEST_F(EtatCommandes, FollowTheBeatAndNoteUnderTheCursor)
{
    struct Cas {
        const char* nom;
        std::function<void()> preparer; // fills measure 1 and places the cursor
        Attendus actifs;
        Attendus coches;
    } cas[] = {
        {"free column",
         [] { Remplir(1, 1, 2); Entrer(1, 3, 1); },
         {{Cmd::Ac_Note_InsererTemps, false}, {Cmd::Ac_Note_SupprimerTemps, false},
          {Cmd::Ac_Note_CopierTempsfin, false}, {Cmd::Ac_Note_Annotation, false},
          {Cmd::Ac_Effet_VibMainGauche, false}, {Cmd::Ac_Effet_BrushUp, false}, {Cmd::Ac_Effet_GraceNote, false},
          {Cmd::Ac_Note_Ronde, true}, {Cmd::Ac_Note_Pointee, true}, {Cmd::Ac_Note_Silence, true},
          {Cmd::Ac_Note_Triolet, true}, {Cmd::Ac_Note_DeplacerHaut, false}, {Cmd::Ac_Dyna_mf, false},
          {Cmd::BT_DynaNote_6, false}, {Cmd::Ac_Note_Accord, true}},
         {{Cmd::Ac_Note_Noire, true}, {Cmd::Bt_Note_Noire, true}, {Cmd::Ac_Note_Croche, false}}},
        {"rest",
         [] { Remplir(1, 1, 1, 1, false, false, -1); Temps(1, 1, 1).Silence = true; Entrer(1, 1, 1); },
         {{Cmd::Ac_Note_Pointee, false}, {Cmd::Ac_Effet_HO, false}, {Cmd::Ac_Effet_GhostNote, false},
          {Cmd::Ac_Dyna_f, false}, {Cmd::BT_Apply, false}, {Cmd::Ac_Effet_Slap, false},
          {Cmd::Ac_Note_InsererTemps, true}},
         {{Cmd::Ac_Note_Croche, true}, {Cmd::Ac_Note_Noire, false}, {Cmd::Bt_Note_Croche, true}}},
        {"dead note",
         [] { Remplir(1, 1, 1, 0, false, false, 100); Entrer(1, 1, 1); },
         {{Cmd::Ac_Note_DeplacerHaut, false}, {Cmd::Ac_Note_DeplacerBas, false}, {Cmd::Ac_Effet_HO, false},
          {Cmd::Ac_Effet_Bend, false}, {Cmd::Ac_Effet_LetRing, false}, {Cmd::Ac_Effet_GhostNote, true},
          {Cmd::Ac_Dyna_ppp, true}, {Cmd::BT_DynaNote_8, true}, {Cmd::Ac_Effet_VibMainGauche, true}},
         {{Cmd::BT_DynaNote_6, true}, {Cmd::Ac_Dyna_f, true}, {Cmd::Ac_Dyna_mf, false}}},
        {"percussion note 99",
         [] {
             PisteCourante = 8;
             Remplir(1, 8, 1, 0, false, false, 99);
             Note(1, 8, 1, 1).Effet = 7;
             Entrer(1, 1, 1);
         },
         {{Cmd::Ac_Effet_HO, false}, {Cmd::Ac_Effet_PO, false}, {Cmd::Ac_Effet_SlideUp, false},
          {Cmd::Ac_Effet_SlideDown, false}, {Cmd::Ac_Effet_Bend, false}, {Cmd::Ac_Effet_BendRelease, false},
          {Cmd::Ac_Effet_LetRing, true}, {Cmd::Ac_Effet_TremoloBar, false}, {Cmd::Ac_Effet_BrushDown, false},
          {Cmd::Ac_Note_Accord, false}, {Cmd::Ac_Note_NoteEtouffee, false}, {Cmd::Ac_Note_DeplacerHaut, true},
          {Cmd::Ac_Ass_Percussion, true}},
         {{Cmd::Ac_Effet_LetRing, true}, {Cmd::Bt_Effet_LetRing, true}, {Cmd::Ac_Effet_HO, false}}},
        {"dotted quarter",
         [] { Remplir(1, 1, 1, 0, true); Entrer(1, 1, 1); },
         {{Cmd::Ac_Note_Ronde, false}, {Cmd::Ac_Note_Silence, false}, {Cmd::Ac_Note_Triolet, false},
          {Cmd::Ac_Note_Pointee, true}, {Cmd::Ac_Note_TCroche, true}},
         {{Cmd::Ac_Note_Pointee, true}, {Cmd::Bt_Note_Pointee, true}, {Cmd::Ac_Note_Noire, true}}},
        {"triplet eighth",
         [] { Remplir(1, 1, 3, 1, false, true); Entrer(1, 2, 1); },
         {{Cmd::Ac_Note_Ronde, false}, {Cmd::Ac_Note_TCroche, false}, {Cmd::Ac_Note_QCroche, false},
          {Cmd::Ac_Note_Pointee, false}, {Cmd::Ac_Note_DCroche, true}, {Cmd::Ac_Note_Triolet, true}},
         {{Cmd::Ac_Note_Triolet, true}, {Cmd::Ac_Note_Croche, true}, {Cmd::Bt_Note_Triolet, true}}},
        {"whole note",
         [] { Remplir(1, 1, 1, -2); Entrer(1, 1, 1); },
         {{Cmd::Ac_Note_Pointee, false}, {Cmd::Ac_Note_Triolet, false}, {Cmd::Ac_Note_Ronde, true}},
         {{Cmd::Ac_Note_Ronde, true}, {Cmd::Ac_Note_Noire, false}}},
        {"measure 1",
         [] { AvoirMesures(3); Entrer(1, 1, 1); },
         {{Cmd::Ac_Mesure_Precedente, false}, {Cmd::Ac_Mesure_Suivante, true}},
         {}},
        {"measure 3, the last one",
         [] { AvoirMesures(3); Entrer(3, 1, 1); },
         {{Cmd::Ac_Mesure_Precedente, true}, {Cmd::Ac_Mesure_Suivante, true}},
         {}},
        {"ghost note with a hammer-on and a grace note, tied beat with effects",
         [] {
             Remplir(1, 1, 2);
             TNoteCorde& n = Note(1, 1, 2, 1);
             n.Nuance = 4;
             n.Effet = 1;
             n.FretteGrace = 2;
             Temps(1, 1, 2).Effet = 8;
             Temps(1, 1, 2).Brush = 2;
             Temps(1, 1, 2).Lie = true;
             Entrer(1, 2, 1);
         },
         {{Cmd::Ac_Effet_HarmNat, false}, {Cmd::Ac_Effet_HO, true}},
         {{Cmd::Ac_Effet_GhostNote, true}, {Cmd::Ac_Effet_HO, true}, {Cmd::Ac_Effet_PO, false},
          {Cmd::Ac_Effet_GraceNote, true}, {Cmd::Ac_Effet_HarmNat, true}, {Cmd::Ac_Effet_Pop, false},
          {Cmd::Ac_Effet_BrushDown, true}, {Cmd::Ac_Effet_BrushUp, false}, {Cmd::Ac_Note_Lier, true},
          {Cmd::Bt_Note_Lier, true}, {Cmd::Bt_Effet_HarmNat, true}, {Cmd::BT_DynaNote_4, true},
          {Cmd::Ac_Dyna_mp, true}, {Cmd::Ac_Dyna_f, false}}},
    };
    for (const auto& c : cas) {
        SetUp();
        c.preparer();
        Verifier(c.nom, c.actifs, c.coches);
    }
}

TEST_F(EtatCommandes, MeasureMarksSaveAndPasteFollowTheSong)
{
    Partition.Mesures[1]->RenvoiDebut = true;
    Partition.Mesures[1]->Repetition = true;
    PressePapierPlein = true;
    PartitionModifiee = true;
    ActualiserCommandes();
    Verifier("marks", {{Cmd::Ac_Edition_Coller, true}, {Cmd::Ac_Fichier_Enregistrer, true}},
             {{Cmd::Ac_Mesure_RenvoiDebut, true}, {Cmd::Ac_Mesure_RenvoiFin, false},
              {Cmd::Ac_Mesure_Repetitions, true}, {Cmd::Bt_Mesure_RenvoiDebut, true},
              {Cmd::Bt_Mesure_Repetitions, true}});

    PressePapierPlein = false;
    PartitionModifiee = false;
    ActualiserCommandes();
    Verifier("none", {{Cmd::Ac_Edition_Coller, false}, {Cmd::Ac_Fichier_Enregistrer, false}}, {});
}

TEST_F(EtatCommandes, DuringPlaybackOnlyDrumsAndPasteChange)
{
    Remplir(1, 1, 1, 0, true);
    Entrer(1, 1, 1);
    Commandes().SetEnabled(Cmd::Ac_Son_LectureDebut, false);
    Commandes().SetEnabled(Cmd::Ac_Note_Ronde, true);
    Commandes().SetEnabled(Cmd::Ac_Mesure_Precedente, true);
    PisteCourante = 8;
    PressePapierPlein = true;
    fenetre.Appels.clear();

    ActualiserCommandes();
    EXPECT_TRUE(Commandes().Enabled(Cmd::Ac_Ass_Percussion));
    EXPECT_TRUE(Commandes().Enabled(Cmd::Ac_Edition_Coller));
    EXPECT_TRUE(Commandes().Enabled(Cmd::Ac_Note_Ronde));
    EXPECT_TRUE(Commandes().Enabled(Cmd::Ac_Mesure_Precedente));
    EXPECT_TRUE(fenetre.Appels.empty());
}

#include "editor/Commandes.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

// Every test starts from the states of the start, without handlers or observers of others.
class CommandesTest : public ::testing::Test {
protected:
    void SetUp() override { Commandes().Reinitialiser(); }
    void TearDown() override
    {
        for (const auto& d : TableCommandes())
            Commandes().Enregistrer(d.Id, nullptr);
        Commandes().Reinitialiser();
    }
};

std::vector<const DescriptionCommande*> Actions()
{
    std::vector<const DescriptionCommande*> actions;
    for (const auto& d : TableCommandes())
        if (d.Sorte == SorteCommande::Action)
            actions.push_back(&d);
    return actions;
}

} // namespace

TEST_F(CommandesTest, TheCommandListHoldsNinetyNineActionsInElevenCategories)
{
    std::map<std::string, int> parCategorie;
    for (const auto* d : Actions()) {
        EXPECT_EQ(std::string(d->Nom).rfind("Ac_", 0), 0u) << d->Nom;
        // The action's name carries its category: Ac_<category>_...
        const std::string cat = NomCategorie(d->Cat);
        const std::string attendu = cat == "Effets" ? "Ac_Effet_" : "Ac_" + cat + "_";
        EXPECT_EQ(std::string(d->Nom).rfind(attendu, 0), 0u) << d->Nom;
        ++parCategorie[cat];
    }
    EXPECT_EQ(Actions().size(), 99u);
    const std::map<std::string, int> attendu = {
        {"Fichier", 14}, {"Edition", 7}, {"Mesure", 9}, {"Note", 19}, {"Effets", 20}, {"Dyna", 8},
        {"Son", 7},      {"Ass", 11},    {"Affichage", 1}, {"Options", 1}, {"Aide", 2}};
    EXPECT_EQ(parCategorie, attendu);
}

TEST_F(CommandesTest, NamesAreUniqueAndFindTheirCommand)
{
    std::set<std::string> noms;
    std::size_t i = 0;
    for (const auto& d : TableCommandes()) {
        EXPECT_EQ(static_cast<std::size_t>(d.Id), i++) << d.Nom;
        EXPECT_TRUE(noms.insert(d.Nom).second) << d.Nom;
        EXPECT_EQ(CommandeParNom(d.Nom), d.Id);
    }
    EXPECT_EQ(TableCommandes().size(), NbCommandes);
    EXPECT_FALSE(CommandeParNom("Ac_Nothing"));
}

TEST_F(CommandesTest, ShortcutsAreUniqueAndAsTheKeyMapGivesThem)
{
    std::set<std::pair<uint16_t, uint8_t>> vues;
    for (const auto& d : TableCommandes()) {
        if (d.Touche.Vide())
            continue;
        EXPECT_EQ(d.Sorte, SorteCommande::Action) << d.Nom;
        EXPECT_TRUE(vues.insert({static_cast<uint16_t>(d.Touche.Code), d.Touche.Modificateurs}).second) << d.Nom;
    }
    struct Cas {
        Raccourci r;
        Cmd c;
    };
    const Cas cas[] = {
        {{Lettre('N'), Modif::Ctrl}, Cmd::Ac_Fichier_Nouveau},
        {{Lettre('B'), Modif::Ctrl}, Cmd::Ac_Fichier_Parcourir},
        {{Lettre('B'), Modif::Aucun}, Cmd::Ac_Effet_Bend},
        {{Touche::F5, Modif::Aucun}, Cmd::Ac_Fichier_Proprietes},
        {{Touche::Gauche, Modif::Ctrl | Modif::Shift}, Cmd::Ac_Mesure_Premiere},
        {{Touche::Gauche, Modif::Ctrl}, Cmd::Ac_Mesure_Precedente},
        {{Touche::Bas, Modif::Ctrl | Modif::Shift}, Cmd::Ac_Mesure_AllerA},
        {{Touche::Oem5, Modif::Aucun}, Cmd::Ac_Note_Pointee},
        {{Touche::Inser, Modif::Aucun}, Cmd::Ac_Note_InsererTemps},
        {{Touche::Suppr, Modif::Ctrl}, Cmd::Ac_Note_SupprimerTemps},
        {{Lettre('C'), Modif::Aucun}, Cmd::Ac_Note_CopierTempsfin},
        {{Lettre('C'), Modif::Ctrl}, Cmd::Ac_Edition_Copier},
        {{Lettre('I'), Modif::Aucun}, Cmd::Ac_Effet_LetRing},
        {{Lettre('U'), Modif::Ctrl}, Cmd::Ac_Effet_BrushUp},
        {{Lettre('D'), Modif::Ctrl}, Cmd::Ac_Effet_BrushDown},
        {{Touche::F7, Modif::Aucun}, Cmd::Ac_Ass_SpeedTrainer},
        {{Touche::F12, Modif::Aucun}, Cmd::Ac_Ass_MontrerDyna},
        {{Touche::F1, Modif::Aucun}, Cmd::Ac_Aide_Index},
    };
    for (const auto& c : cas)
        EXPECT_EQ(Commandes().CommandeDuRaccourci(c.r), c.c) << Description(c.c).Nom;
    // 45 keys in all, as the key map's table lists them; the note values, triplet, the other techniques, the dynamics, the
    // measure marks and the sound commands have none (Space belongs to the key handler).
    EXPECT_EQ(vues.size(), 45u);
    for (Cmd c : {Cmd::Ac_Note_Noire, Cmd::Ac_Note_Triolet, Cmd::Ac_Effet_GhostNote, Cmd::Ac_Dyna_mf,
                  Cmd::Ac_Mesure_RenvoiDebut, Cmd::Ac_Son_LectureDebut, Cmd::Ac_Fichier_EnregistrerSous})
        EXPECT_TRUE(Description(c).Touche.Vide()) << Description(c).Nom;
    EXPECT_FALSE(Commandes().CommandeDuRaccourci({Lettre('N'), Modif::Ctrl | Modif::Shift}));
}

TEST_F(CommandesTest, EffectTagsAreTheCodesWrittenIntoTheSong)
{
    const std::pair<Cmd, int> tags[] = {
        {Cmd::Ac_Effet_HO, 1},           {Cmd::Ac_Effet_PO, 2},         {Cmd::Ac_Effet_SlideUp, 3},
        {Cmd::Ac_Effet_SlideDown, 4},    {Cmd::Ac_Effet_Bend, 5},       {Cmd::Ac_Effet_BendRelease, 6},
        {Cmd::Ac_Effet_LetRing, 7},      {Cmd::Ac_Effet_VibMainGauche, 1}, {Cmd::Ac_Effet_TremoloBar, 2},
        {Cmd::Ac_Effet_CoupDeVibrato, 3}, {Cmd::Ac_Effet_FadeIn, 4},    {Cmd::Ac_Effet_TappingMD, 5},
        {Cmd::Ac_Effet_Slap, 6},         {Cmd::Ac_Effet_Pop, 7},        {Cmd::Ac_Effet_HarmNat, 8},
        {Cmd::Ac_Effet_HarmArt, 9},      {Cmd::Ac_Effet_BrushUp, 1},    {Cmd::Ac_Effet_BrushDown, 2},
        {Cmd::BT_DynaNote_1, 1},         {Cmd::BT_DynaNote_4, 4},       {Cmd::BT_DynaNote_8, 8},
    };
    for (auto [c, tag] : tags)
        EXPECT_EQ(Commandes().Tag(c), tag) << Description(c).Nom;
}

TEST_F(CommandesTest, SpeedButtonsAreBoundToTheirActions)
{
    int liees = 0;
    for (const auto& d : TableCommandes()) {
        if (d.Sorte != SorteCommande::BoutonBarre)
            continue;
        ASSERT_TRUE(d.ActionLiee) << d.Nom;
        EXPECT_EQ(std::string(Description(*d.ActionLiee).Nom).substr(3), std::string(d.Nom).substr(3));
        // A button that shows a down state mirrors a checkable command.
        if (d.Cochable) {
            EXPECT_TRUE(Description(*d.ActionLiee).Cochable) << d.Nom;
        }
        ++liees;
    }
    EXPECT_EQ(liees, 69);

    // Enabled through the binding; the down state is the button's own.
    Commandes().SetEnabled(Cmd::Ac_Effet_HO, false);
    EXPECT_FALSE(Commandes().Enabled(Cmd::Bt_Effet_HO));
    Commandes().SetChecked(Cmd::Bt_Son_Metronome, true);
    EXPECT_FALSE(Commandes().Checked(Cmd::Ac_Son_Metronome));
}

TEST_F(CommandesTest, StatesAtStart)
{
    for (Cmd c : {Cmd::Ac_Son_Stop, Cmd::Ac_Edition_Annuler, Cmd::Ac_Edition_Coller, Cmd::Ac_Ass_Percussion,
                  Cmd::BT_AnnulerMesure, Cmd::BT_Valider})
        EXPECT_FALSE(Commandes().Enabled(c)) << Description(c).Nom;
    // Not playing: the play-from-start command is enabled.
    EXPECT_TRUE(Commandes().Enabled(Cmd::Ac_Son_LectureDebut));
    for (const auto& d : TableCommandes())
        EXPECT_FALSE(Commandes().Checked(d.Id)) << d.Nom;
}

TEST_F(CommandesTest, ExecuteRunsTheHandlerOnlyWhenEnabled)
{
    std::vector<Cmd> emetteurs;
    Commandes().Enregistrer(Cmd::Ac_Effet_PO, [&](Cmd e) { emetteurs.push_back(e); });

    EXPECT_TRUE(Commandes().Executer(Cmd::Ac_Effet_PO));
    Commandes().SetEnabled(Cmd::Ac_Effet_PO, false);
    EXPECT_FALSE(Commandes().Executer(Cmd::Ac_Effet_PO));
    EXPECT_FALSE(Commandes().Executer(Cmd::Bt_Effet_PO));
    Commandes().SetEnabled(Cmd::Ac_Effet_PO, true);
    // A speed button runs its action, which is the sender.
    EXPECT_TRUE(Commandes().Executer(Cmd::Bt_Effet_PO));
    EXPECT_EQ(emetteurs, (std::vector<Cmd>{Cmd::Ac_Effet_PO, Cmd::Ac_Effet_PO}));

    // Without a handler nothing runs.
    EXPECT_FALSE(Commandes().Executer(Cmd::Ac_Effet_HO));
}

TEST_F(CommandesTest, ShortcutOfADisabledCommandGoesOnToTheKeyHandler)
{
    int executions = 0;
    Commandes().Enregistrer(Cmd::Ac_Note_SupprimerTemps, [&](Cmd) { ++executions; });
    const Raccourci ctrlSuppr{Touche::Suppr, Modif::Ctrl};
    EXPECT_TRUE(Commandes().ExecuterRaccourci(ctrlSuppr));
    Commandes().SetEnabled(Cmd::Ac_Note_SupprimerTemps, false); // the free column
    EXPECT_FALSE(Commandes().ExecuterRaccourci(ctrlSuppr));
    EXPECT_FALSE(Commandes().ExecuterRaccourci({Touche::Suppr, Modif::Aucun})); // not a shortcut
    EXPECT_EQ(executions, 1);
}

TEST_F(CommandesTest, InvertingTheCheckedStateIsWhatTheEffectHandlersRead)
{
    bool vu = false;
    Commandes().Enregistrer(Cmd::Ac_Effet_HO, [&](Cmd e) { vu = Commandes().InverserChecked(e); });
    Commandes().Executer(Cmd::Ac_Effet_HO);
    EXPECT_TRUE(vu);
    Commandes().Executer(Cmd::Ac_Effet_HO);
    EXPECT_FALSE(vu);
}

TEST_F(CommandesTest, CheckingAGroupMemberReleasesTheOthers)
{
    Commandes().SetChecked(Cmd::BT_DynaNote_3, true);
    Commandes().SetChecked(Cmd::BT_DynaNote_6, true);
    EXPECT_FALSE(Commandes().Checked(Cmd::BT_DynaNote_3));
    EXPECT_TRUE(Commandes().Checked(Cmd::BT_DynaNote_6));
    Commandes().SetChecked(Cmd::Ac_Note_Noire, true);
    Commandes().SetChecked(Cmd::Ac_Note_Croche, true);
    EXPECT_FALSE(Commandes().Checked(Cmd::Ac_Note_Noire));
    // Commands outside any group keep their state.
    Commandes().SetChecked(Cmd::Ac_Effet_HO, true);
    Commandes().SetChecked(Cmd::Ac_Effet_PO, true);
    EXPECT_TRUE(Commandes().Checked(Cmd::Ac_Effet_HO));
}

TEST_F(CommandesTest, ObserversAreToldOfEveryChange)
{
    std::vector<Cmd> changes;
    const int n = Commandes().AjouterObservateur([&](Cmd c) { changes.push_back(c); });
    Commandes().SetEnabled(Cmd::Ac_Effet_Bend, false);
    Commandes().SetEnabled(Cmd::Ac_Effet_Bend, false); // no change, no news
    Commandes().SetChecked(Cmd::Ac_Son_EnBoucle, true);
    Commandes().RetirerObservateur(n);
    Commandes().SetChecked(Cmd::Ac_Son_EnBoucle, false);
    // The bound button changes with its action.
    EXPECT_EQ(changes, (std::vector<Cmd>{Cmd::Ac_Effet_Bend, Cmd::Bt_Effet_Bend, Cmd::Ac_Son_EnBoucle}));
}

TEST_F(CommandesTest, AHandlerMayReplaceItselfWhileRunning)
{
    int premier = 0, second = 0;
    Commandes().Enregistrer(Cmd::Ac_Aide_APropos, [&](Cmd c) {
        ++premier;
        Commandes().Enregistrer(c, [&](Cmd) { ++second; });
    });
    Commandes().Executer(Cmd::Ac_Aide_APropos);
    Commandes().Executer(Cmd::Ac_Aide_APropos);
    EXPECT_EQ(premier, 1);
    EXPECT_EQ(second, 1);
}

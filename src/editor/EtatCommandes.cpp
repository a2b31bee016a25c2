#include "editor/EtatCommandes.h"

#include "document/Fenetre.h"
#include "editor/Commandes.h"
#include "editor/Ed_fct.h"

#include <array>
#include <utility>

namespace {

// Toolbar speed buttons whose down state shows their command's checked state.
constexpr std::array<std::pair<Cmd, Cmd>, 33> kBoutonsCoches{{
    {Cmd::Bt_Note_Ronde, Cmd::Ac_Note_Ronde},
    {Cmd::Bt_Note_Blanche, Cmd::Ac_Note_Blanche},
    {Cmd::Bt_Note_Noire, Cmd::Ac_Note_Noire},
    {Cmd::Bt_Note_Croche, Cmd::Ac_Note_Croche},
    {Cmd::Bt_Note_DCroche, Cmd::Ac_Note_DCroche},
    {Cmd::Bt_Note_TCroche, Cmd::Ac_Note_TCroche},
    {Cmd::Bt_Note_QCroche, Cmd::Ac_Note_QCroche},
    {Cmd::Bt_Note_Pointee, Cmd::Ac_Note_Pointee},
    {Cmd::Bt_Note_Triolet, Cmd::Ac_Note_Triolet},
    {Cmd::Bt_Note_Lier, Cmd::Ac_Note_Lier},
    {Cmd::Bt_Mesure_RenvoiDebut, Cmd::Ac_Mesure_RenvoiDebut},
    {Cmd::Bt_Mesure_RenvoiFin, Cmd::Ac_Mesure_RenvoiFin},
    {Cmd::Bt_Mesure_Repetitions, Cmd::Ac_Mesure_Repetitions},
    {Cmd::Bt_Effet_HO, Cmd::Ac_Effet_HO},
    {Cmd::Bt_Effet_PO, Cmd::Ac_Effet_PO},
    {Cmd::Bt_Effet_SlideUp, Cmd::Ac_Effet_SlideUp},
    {Cmd::Bt_Effet_SlideDown, Cmd::Ac_Effet_SlideDown},
    {Cmd::Bt_Effet_Bend, Cmd::Ac_Effet_Bend},
    {Cmd::Bt_Effet_BendRelease, Cmd::Ac_Effet_BendRelease},
    {Cmd::Bt_Effet_LetRing, Cmd::Ac_Effet_LetRing},
    {Cmd::Bt_Effet_GhostNote, Cmd::Ac_Effet_GhostNote},
    {Cmd::Bt_Effet_VibMainGauche, Cmd::Ac_Effet_VibMainGauche},
    {Cmd::Bt_Effet_TremoloBar, Cmd::Ac_Effet_TremoloBar},
    {Cmd::Bt_Effet_CoupDeVibrato, Cmd::Ac_Effet_CoupDeVibrato},
    {Cmd::Bt_Effet_HarmNat, Cmd::Ac_Effet_HarmNat},
    {Cmd::Bt_Effet_HarmArt, Cmd::Ac_Effet_HarmArt},
    {Cmd::Bt_Effet_FadeIn, Cmd::Ac_Effet_FadeIn},
    {Cmd::Bt_Effet_TappingMD, Cmd::Ac_Effet_TappingMD},
    {Cmd::Bt_Effet_Slap, Cmd::Ac_Effet_Slap},
    {Cmd::Bt_Effet_Pop, Cmd::Ac_Effet_Pop},
    {Cmd::Bt_Effet_BrushUp, Cmd::Ac_Effet_BrushUp},
    {Cmd::Bt_Effet_BrushDown, Cmd::Ac_Effet_BrushDown},
    {Cmd::Bt_Effet_GraceNote, Cmd::Ac_Effet_GraceNote},
}};

// Note values by duration code -2..4.
constexpr std::array<Cmd, 7> kValeursNotes{Cmd::Ac_Note_Ronde, Cmd::Ac_Note_Blanche, Cmd::Ac_Note_Noire,
                                           Cmd::Ac_Note_Croche, Cmd::Ac_Note_DCroche, Cmd::Ac_Note_TCroche,
                                           Cmd::Ac_Note_QCroche};

// Link techniques by code 1..7.
constexpr std::array<Cmd, 7> kLiaisons{Cmd::Ac_Effet_HO, Cmd::Ac_Effet_PO, Cmd::Ac_Effet_SlideUp,
                                       Cmd::Ac_Effet_SlideDown, Cmd::Ac_Effet_Bend, Cmd::Ac_Effet_BendRelease,
                                       Cmd::Ac_Effet_LetRing};

// Beat techniques with their code.
constexpr std::array<std::pair<Cmd, int>, 9> kEffetsTemps{{
    {Cmd::Ac_Effet_VibMainGauche, 1},
    {Cmd::Ac_Effet_TremoloBar, 2},
    {Cmd::Ac_Effet_CoupDeVibrato, 3},
    {Cmd::Ac_Effet_HarmNat, 8},
    {Cmd::Ac_Effet_HarmArt, 9},
    {Cmd::Ac_Effet_FadeIn, 4},
    {Cmd::Ac_Effet_TappingMD, 5},
    {Cmd::Ac_Effet_Slap, 6},
    {Cmd::Ac_Effet_Pop, 7},
}};

// Commands that need a beat with notes of its own on a melodic track.
constexpr std::array<Cmd, 12> kEffetsDuTemps{
    Cmd::Ac_Effet_VibMainGauche, Cmd::Ac_Effet_TremoloBar, Cmd::Ac_Effet_CoupDeVibrato, Cmd::Ac_Effet_HarmNat,
    Cmd::Ac_Effet_HarmArt,       Cmd::Ac_Effet_FadeIn,     Cmd::Ac_Effet_TappingMD,     Cmd::Ac_Effet_Slap,
    Cmd::Ac_Effet_Pop,           Cmd::Ac_Effet_BrushUp,    Cmd::Ac_Effet_BrushDown,     Cmd::Ac_Effet_GraceNote};

constexpr std::array<Cmd, 8> kBoutonsNuances{Cmd::BT_DynaNote_1, Cmd::BT_DynaNote_2, Cmd::BT_DynaNote_3,
                                             Cmd::BT_DynaNote_4, Cmd::BT_DynaNote_5, Cmd::BT_DynaNote_6,
                                             Cmd::BT_DynaNote_7, Cmd::BT_DynaNote_8};
constexpr std::array<Cmd, 8> kNuances{Cmd::Ac_Dyna_ppp, Cmd::Ac_Dyna_pp, Cmd::Ac_Dyna_p,  Cmd::Ac_Dyna_mp,
                                      Cmd::Ac_Dyna_mf,  Cmd::Ac_Dyna_f,  Cmd::Ac_Dyna_ff, Cmd::Ac_Dyna_fff};

// Members of an exclusive group are unchecked before the one that is checked, so that no
// transient state shows two of them checked.
template <std::size_t N>
void CocherUnParmi(TCommandes& cmd, const std::array<Cmd, N>& groupe, int indiceCoche)
{
    for (std::size_t i = 0; i < N; ++i)
        if (static_cast<int>(i) != indiceCoche)
            cmd.SetChecked(groupe[i], false);
    if (indiceCoche >= 0 && indiceCoche < static_cast<int>(N))
        cmd.SetChecked(groupe[indiceCoche], true);
}

} // namespace

void ActualiserCommandes()
{
    TCommandes& cmd = Commandes();
    const bool percussion = PisteCourante == kPistePercussions;

    cmd.SetEnabled(Cmd::Ac_Ass_Percussion, percussion);
    cmd.SetEnabled(Cmd::Ac_Edition_Coller, PressePapierPlein);

    // Playback sets the command states itself.
    if (Partition.MesureCourante < 1 || Partition.MesureCourante > Partition.NbMesures
        || !Partition.Mesures[Partition.MesureCourante] || LectureEnCours())
        return;

    const TMesure& mesure = MesureEnCours();
    const TTemps& temps = TempsCurseur();
    const TNoteCorde& note = NoteCurseur();
    const int f = note.Frette; // signed: -1 no note, 100 dead note
    const bool libre = CurseurSurColonneLibre();
    const bool jouable = f >= 0 && f <= FretteMax[PisteCourante];
    const bool avecNote = f >= 0;

    // ---- Enabled -------------------------------------------------------------------------
    cmd.SetEnabled(Cmd::Ac_Mesure_Precedente, Partition.MesureCourante > 1);
    cmd.SetEnabled(Cmd::Ac_Mesure_Suivante, true);
    cmd.SetEnabled(Cmd::BT_Valider, cmd.Enabled(Cmd::BT_AnnulerMesure));
    cmd.SetEnabled(Cmd::Ac_Note_Ronde, !temps.Triolet && !temps.Pointee);
    cmd.SetEnabled(Cmd::Ac_Note_DCroche, true);
    cmd.SetEnabled(Cmd::Ac_Note_TCroche, !temps.Triolet);
    cmd.SetEnabled(Cmd::Ac_Note_QCroche, !temps.Triolet);
    cmd.SetEnabled(Cmd::Ac_Note_Pointee, !temps.Triolet && temps.CodeDuree != -2 && !temps.Silence);
    cmd.SetEnabled(Cmd::Ac_Note_Silence, !temps.Pointee);
    cmd.SetEnabled(Cmd::Ac_Note_Triolet, !temps.Pointee && temps.CodeDuree >= -1 && temps.CodeDuree <= 2);
    cmd.SetEnabled(Cmd::Ac_Note_InsererTemps, !libre);
    cmd.SetEnabled(Cmd::Ac_Note_SupprimerTemps, !libre);
    cmd.SetEnabled(Cmd::Ac_Note_CopierTempsfin, !libre);
    cmd.SetEnabled(Cmd::Ac_Note_DeplacerHaut, jouable);
    cmd.SetEnabled(Cmd::Ac_Note_DeplacerBas, jouable);
    for (Cmd c : kLiaisons)
        cmd.SetEnabled(c, jouable && !percussion);
    cmd.SetEnabled(Cmd::Ac_Effet_LetRing, jouable);
    cmd.SetEnabled(Cmd::Ac_Effet_GhostNote, avecNote);
    const bool effetsTemps = !libre && !temps.Silence && !temps.Lie && !percussion;
    for (Cmd c : kEffetsDuTemps)
        cmd.SetEnabled(c, effetsTemps);
    cmd.SetEnabled(Cmd::Ac_Note_Accord, !percussion);
    cmd.SetEnabled(Cmd::Ac_Note_NoteEtouffee, !percussion);
    cmd.SetEnabled(Cmd::Ac_Note_Annotation, !libre);
    for (Cmd c : kBoutonsNuances)
        cmd.SetEnabled(c, avecNote);
    cmd.SetEnabled(Cmd::BT_Default, avecNote);
    cmd.SetEnabled(Cmd::BT_Apply, avecNote);
    for (std::size_t i = 0; i < kNuances.size(); ++i)
        cmd.SetEnabled(kNuances[i], cmd.Enabled(kBoutonsNuances[i]));
    cmd.SetEnabled(Cmd::Ac_Fichier_Enregistrer, PartitionModifiee);

    // ---- Checked -------------------------------------------------------------------------
    CocherUnParmi(cmd, kValeursNotes, temps.CodeDuree + 2);
    cmd.SetChecked(Cmd::Ac_Note_Pointee, temps.Pointee);
    cmd.SetChecked(Cmd::Ac_Note_Triolet, temps.Triolet);
    cmd.SetChecked(Cmd::Ac_Note_Lier, temps.Lie);
    cmd.SetChecked(Cmd::Ac_Mesure_RenvoiDebut, mesure.RenvoiDebut);
    cmd.SetChecked(Cmd::Ac_Mesure_RenvoiFin, mesure.RenvoiFin);
    cmd.SetChecked(Cmd::Ac_Mesure_Repetitions, mesure.Repetition);
    for (std::size_t i = 0; i < kLiaisons.size(); ++i)
        cmd.SetChecked(kLiaisons[i], note.Effet == static_cast<int>(i) + 1);
    cmd.SetChecked(Cmd::Ac_Effet_GhostNote, note.Nuance <= 4);
    for (const auto& [c, code] : kEffetsTemps)
        cmd.SetChecked(c, temps.Effet == code);
    cmd.SetChecked(Cmd::Ac_Effet_BrushUp, temps.Brush == 1);
    cmd.SetChecked(Cmd::Ac_Effet_BrushDown, temps.Brush == 2);
    cmd.SetChecked(Cmd::Ac_Effet_GraceNote, note.FretteGrace >= 0);
    CocherUnParmi(cmd, kBoutonsNuances, note.Nuance - 1);
    for (std::size_t i = 0; i < kNuances.size(); ++i)
        if (!cmd.Checked(kBoutonsNuances[i]))
            cmd.SetChecked(kNuances[i], false);
    for (std::size_t i = 0; i < kNuances.size(); ++i)
        if (cmd.Checked(kBoutonsNuances[i]))
            cmd.SetChecked(kNuances[i], true);

    for (const auto& [bouton, action] : kBoutonsCoches)
        cmd.SetChecked(bouton, cmd.Checked(action));

    // ---- Edit zone and notation window ---------------------------------------------------
    AjusterDefilementSaisie();
    AjusterLargeurSaisie();
    MontrerCurseurSaisie();
    FenetrePrincipale().ActualiserPorteeSolfege();
    FenetrePrincipale().ZoneSaisieModifiee();
}

#include "editor/CommandesEdition.h"

#include "document/Configuration.h"
#include "document/Fenetre.h"
#include "document/Routines.h"
#include "document/Variable.h"
#include "editor/DessinSaisie.h"
#include "editor/Ed_fct.h"
#include "editor/EditionTemps.h"
#include "editor/EffetsSaisie.h"
#include "editor/EtatCommandes.h"
#include "editor/LecteurSaisie.h"
#include "editor/Ligatures.h"
#include "editor/Navigation.h"
#include "editor/Saisie.h"
#include "editor/Scrolling.h"

#include <algorithm>
#include <array>

// ---- The dialogs -------------------------------------------------------------------------------

namespace {

IDialoguesEdition annuleTout;
IDialoguesEdition* dialoguesInstalles = &annuleTout;

} // namespace

IDialoguesEdition& DialoguesEdition() { return *dialoguesInstalles; }

void InstallerDialoguesEdition(IDialoguesEdition* dialogues)
{
    dialoguesInstalles = dialogues ? dialogues : &annuleTout;
}

bool DialoguesEditionMinimaux::NombreRenvois()
{
    TMesure& m = MesureEnCours();
    if (m.NbRenvois < 1 || m.NbRenvois > 99)
        m.NbRenvois = 1;
    return true;
}

bool DialoguesEditionMinimaux::NumeroRepetition(int32_t suggestion)
{
    MesureEnCours().NumRepetition = static_cast<int8_t>(std::clamp<int32_t>(suggestion, 1, 99));
    return true;
}

bool DialoguesEditionMinimaux::Bend()
{
    TNoteCorde& n = NoteCurseur();
    if (!(n.ValeurBend >= 0.25 && n.ValeurBend <= 3.0))
        n.ValeurBend = 1.0;
    return true;
}

bool DialoguesEditionMinimaux::BendRelease() { return Bend(); }

bool DialoguesEditionMinimaux::CoupDeVibrato()
{
    TTemps& t = TempsCurseur();
    if (!(t.ValeurCoupVib >= kCoupVibMinimum && t.ValeurCoupVib <= kCoupVibMaximum))
        t.ValeurCoupVib = 1.0;
    return true;
}

bool DialoguesEditionMinimaux::NoteGrace(bool noteMorte, int32_t frette)
{
    TNoteCorde& n = NoteCurseur();
    n.FretteGrace = noteMorte ? kNoteMorte : static_cast<int8_t>(frette >= 0 && frette <= 99 ? frette : 0);
    n.NuanceGrace = n.Nuance >= 1 && n.Nuance <= 8 ? n.Nuance : 6;
    n.DureeGrace = static_cast<uint8_t>(std::clamp<int32_t>(Configuration.GraceNoteDuration, 1, 3));
    return true;
}

bool DialoguesEditionMinimaux::Brush(int32_t direction)
{
    TTemps& t = TempsCurseur();
    t.Brush = static_cast<int8_t>(direction == 2 ? 2 : 1);
    const int32_t d = Configuration.BrushDuration;
    const bool valide = d == 1 || d == 2 || d == 4 || d == 8 || d == 16 || d == 32;
    t.DureeBrush = static_cast<uint8_t>(valide ? d : 4);
    return true;
}

// ---- Shared steps ------------------------------------------------------------------------------

namespace {

void Montrer() { FenetrePrincipale().ZoneSaisieModifiee(); }

// Play-while-entering, when the sequencer works.
void JouerTemps()
{
    if (Commandes().Checked(Cmd::Ac_Son_JouerSaisie) && LecteurSaisie().MidiDisponible())
        LecteurSaisie().JouerTempsSaisi();
}

// The beat's technique marks; a waiting first digit is given up and the whole beat redrawn
// instead, since the digit shows in the beat.
void RedessinerEffetsTemps()
{
    if (Curseur.ChiffreEnAttente) {
        Curseur.ChiffreEnAttente = false;
        DessinerTempsSaisie(Curseur.Temps);
    } else {
        DessinerEffetsSaisie(Curseur.Temps, true);
    }
    Montrer();
}

// After a measure mark changed: in the score-only layout the edit zone is hidden, so the
// change is validated at once and shows on the score.
void ValiderSiPleinEcran()
{
    if (PleinEcranActif)
        ValiderMesure();
}

// The undo snapshot of an edit that a dialog made before the handler could take it: the
// measure as it was before the dialog becomes the snapshot.
void SauverAnnulationDe(const TMesure& avant)
{
    SauverAnnulation();
    MesureAnnulation = avant;
}

int32_t NbCordesPiste()
{
    return std::clamp<int32_t>(Partition.NbCordes[std::clamp<int32_t>(PisteCourante, 1, kNbPistes)], 1, kNbCordesMax);
}

} // namespace

// ---- Edit ------------------------------------------------------------------------------------

void Ac_Edition_TableMixExecute()
{
    const TMesure avant = MesureEnCours();
    if (!DialoguesEdition().TableMix())
        return;
    SauverAnnulationDe(avant);
    if (Curseur.ChiffreEnAttente) {
        Curseur.ChiffreEnAttente = false;
        DessinerTempsSaisie(Curseur.Temps);
    }
    DessinerEffetsSaisie(Curseur.Temps, true);
    Montrer();
    ActualiserCommandes();
}

// ---- Measure ---------------------------------------------------------------------------------

void Ac_Mesure_PremiereExecute()
{
    AllerPremiereMesure();
    ActualiserCommandes();
}

void Ac_Mesure_PrecedenteExecute()
{
    AllerMesurePrecedente();
    ActualiserCommandes();
}

void Ac_Mesure_SuivanteExecute()
{
    AllerMesureSuivante();
    ActualiserCommandes();
}

void Ac_Mesure_DerniereExecute()
{
    AllerDerniereMesure();
    ActualiserCommandes();
}

void Ac_Mesure_AllerAExecute()
{
    AllerAMesure();
    ActualiserCommandes();
}

void Ac_Mesure_SignatureExecute()
{
    if (LectureEnCours())
        return;
    if (DialoguesEdition().Signature()) {
        // The signature may have gone to every measure up to the last, and it groups the beams
        // of all the tracks.
        LigaturerMesuresPistes(Partition.MesureCourante, Partition.NbMesures);
        Curseur.Temps = 1;
        Curseur.Corde = 1;
        CopieMesureEntree = MesureEnCours();
        RedessinerMesure();
        Commandes().SetEnabled(Cmd::BT_AnnulerMesure, false);
        Commandes().SetEnabled(Cmd::Ac_Edition_Annuler, false);
        ApresChangementMesure();
        FenetrePrincipale().RedessinerPartition();
        MarquerModifiee();
        ActualiserCommandes();
        Montrer();
    }
    ValiderSiPleinEcran();
}

void Ac_Mesure_RenvoiDebutExecute()
{
    SauverAnnulation();
    TMesure& m = MesureEnCours();
    m.RenvoiDebut = !m.RenvoiDebut;
    DessinerRenvoiDebutSaisie(CanevasSaisie());
    Montrer();
    ActualiserCommandes();
    ValiderSiPleinEcran();
}

void Ac_Mesure_RenvoiFinExecute()
{
    const bool coche = Commandes().InverserChecked(Cmd::Ac_Mesure_RenvoiFin);
    TMesure& m = MesureEnCours();
    if (!coche) {
        SauverAnnulation();
        m.RenvoiFin = false;
        DessinerRenvoiFinSaisie(CanevasSaisie());
    } else if (NumeroRepetitionSuivante(Partition.MesureCourante + 1) > 1) {
        // The measure closes an alternate ending: its repeat goes back once, for the next one.
        SauverAnnulation();
        m.RenvoiFin = true;
        m.NbRenvois = 1;
        DessinerRenvoiFinSaisie(CanevasSaisie());
    } else if (DialoguesEdition().NombreRenvois()) {
        SauverAnnulation();
        MesureEnCours().RenvoiFin = true;
        DessinerRenvoiFinSaisie(CanevasSaisie());
    } else {
        Commandes().SetChecked(Cmd::Ac_Mesure_RenvoiFin, false);
    }
    Montrer();
    ActualiserCommandes();
    ValiderSiPleinEcran();
}

void Ac_Mesure_RepetitionsExecute()
{
    const bool coche = Commandes().InverserChecked(Cmd::Ac_Mesure_Repetitions);
    if (coche) {
        if (DialoguesEdition().NumeroRepetition(NumeroRepetitionSuivante(Partition.MesureCourante))) {
            SauverAnnulation();
            MesureEnCours().Repetition = true;
            DessinerFinAlternativeSaisie(CanevasSaisie());
        } else {
            Commandes().SetChecked(Cmd::Ac_Mesure_Repetitions, false);
        }
    } else {
        SauverAnnulation();
        MesureEnCours().Repetition = false;
        DessinerFinAlternativeSaisie(CanevasSaisie());
    }
    Montrer();
    ActualiserCommandes();
}

// ---- Note --------------------------------------------------------------------------------------

void Ac_Note_NoteEtouffeeExecute()
{
    MettreNoteEtouffee();
    ActualiserCommandes();
}

namespace {

// The fingering of the cursor beat's chord goes into the beat, which has no note of its own.
void PoserDoigteAccord()
{
    if (!PeutEcrireTempsCurseur())
        return;
    const TAccord accord = *TempsCurseur().Accord;
    bool muet = true;
    for (int s = 1; s <= kNbCordesMax; ++s)
        if (accord.Frettes[s] >= 0)
            muet = false;

    OccuperColonneLibre();
    TTemps& temps = TempsCurseur();
    if (!muet) {
        temps.Silence = false;
        temps.Lie = false;
    } else if (!temps.Silence && !temps.Lie) {
        temps.Silence = true;
    }
    for (int s = 1; s <= NbCordesPiste(); ++s) {
        TNoteCorde& note = temps.Notes[s];
        if (note.Frette < 0)
            note.Nuance = static_cast<uint8_t>(Configuration.DefaultDynamic & 0xFF);
        const int32_t f = accord.Frettes[s];
        note.Frette = static_cast<int8_t>(f >= 0 && f <= FretteMax[PisteCourante] ? f : kPasDeNote);
    }

    TempsPrecedent = Curseur.Temps;
    CordePrecedente = Curseur.Corde;
    DessinerTempsSaisie(Curseur.Temps);
    DessinerNomsAccordsSaisie();
    LigaturerMesure(0);
    DessinerTrioletsSaisie();
    if (!muet)
        JouerTemps();
    AfficherEtatMesure();
}

bool TempsSansNote(const TTemps& temps)
{
    for (int s = 1; s <= NbCordesPiste(); ++s)
        if (temps.Notes[s].Frette >= 0)
            return false;
    return true;
}

} // namespace

void Ac_Note_AccordExecute()
{
    SauverAnnulation();
    const bool ok = DialoguesEdition().Accord();

    // The chord list above the score follows the song's chords.
    const PeintresPartition& peintres = Peintres();
    if (peintres.DimensionnerBandeAccords)
        peintres.DimensionnerBandeAccords();
    AjusterDefilement();
    if (peintres.DessinerBandeAccords)
        peintres.DessinerBandeAccords();
    SurfacePartition().ActualiserAffichage();

    const TTemps& temps = TempsCurseur();
    if (ok && temps.AvecAccord && temps.Accord && TempsSansNote(temps))
        PoserDoigteAccord();
    DessinerNomsAccordsSaisie();
    Montrer();
    ActualiserCommandes();
}

void Ac_Note_AnnotationExecute()
{
    SauverAnnulation();
    DialoguesEdition().Texte();
    DessinerTextesSaisie();
    Montrer();
    ActualiserCommandes();
}

void Ac_Note_DeplacerHautExecute()
{
    DeplacerNoteHaut();
    ActualiserCommandes();
}

void Ac_Note_DeplacerBasExecute()
{
    DeplacerNoteBas();
    ActualiserCommandes();
}

// ---- Effects -----------------------------------------------------------------------------------

void Ac_Effet_HOExecute(Cmd emetteur)
{
    const bool coche = Commandes().InverserChecked(emetteur);
    const int tag = Commandes().Tag(emetteur);
    SauverAnnulation();
    NoteCurseur().Effet = static_cast<uint8_t>(coche ? tag : 0);
    RedessinerEffetsTemps();
    // Hammer-on and pull-off alone sound like two notes; slides, bends and let ring are heard.
    if (tag >= 3)
        JouerTemps();
    ActualiserCommandes();
}

void Ac_Effet_BendExecute(Cmd emetteur)
{
    if (!Commandes().Checked(emetteur)) {
        const bool ok = emetteur == Cmd::Ac_Effet_BendRelease ? DialoguesEdition().BendRelease()
                                                               : DialoguesEdition().Bend();
        if (!ok) {
            Commandes().SetChecked(emetteur, false);
            ActualiserCommandes();
            return;
        }
    }
    Ac_Effet_HOExecute(emetteur);
}

void Ac_Effet_VibMainGaucheExecute(Cmd emetteur)
{
    const bool coche = Commandes().InverserChecked(emetteur);
    const int tag = Commandes().Tag(emetteur);
    SauverAnnulation();
    TempsCurseur().Effet = static_cast<int8_t>(coche ? tag : 0);
    RedessinerEffetsTemps();
    // Tapping, slap and pop change nothing of the sound.
    if (tag <= 4 || tag == 8 || tag == 9)
        JouerTemps();
    ActualiserCommandes();
}

void Ac_Effet_CoupDeVibratoExecute()
{
    if (!Commandes().Checked(Cmd::Ac_Effet_CoupDeVibrato) && !DialoguesEdition().CoupDeVibrato()) {
        Commandes().SetChecked(Cmd::Ac_Effet_CoupDeVibrato, false);
        ActualiserCommandes();
        return;
    }
    Ac_Effet_VibMainGaucheExecute(Cmd::Ac_Effet_CoupDeVibrato);
}

void Ac_Effet_BrushUpExecute(Cmd emetteur)
{
    SauverAnnulation();
    if (Commandes().Checked(emetteur)) {
        TempsCurseur().Brush = 0;
    } else if (!DialoguesEdition().Brush(Commandes().Tag(emetteur))) {
        // The beat keeps the strum it had, of the other direction maybe.
        Commandes().SetChecked(emetteur, false);
        ActualiserCommandes();
        return;
    }
    RedessinerEffetsTemps();
    // The strum dialog plays the strum itself when the configuration lets it.
    if (!Configuration.EcouterBrush)
        JouerTemps();
    ActualiserCommandes();
}

void Ac_Effet_GraceNoteExecute()
{
    const bool coche = Commandes().InverserChecked(Cmd::Ac_Effet_GraceNote);
    // The dialog writes the note itself: the snapshot is the measure from before it.
    const TMesure avant = MesureEnCours();
    if (coche) {
        const TNoteCorde& note = NoteCurseur();
        const bool morte = note.Frette == kNoteMorte;
        const int32_t frette = note.Frette >= 0 && note.Frette <= 99 ? note.Frette : -1;
        if (!DialoguesEdition().NoteGrace(morte, frette)) {
            Commandes().SetChecked(Cmd::Ac_Effet_GraceNote, false);
            ActualiserCommandes();
            return;
        }
    } else {
        NoteCurseur().FretteGrace = kPasDeNote;
    }
    SauverAnnulationDe(avant);
    Curseur.ChiffreEnAttente = false;
    DessinerTempsSaisie(Curseur.Temps);
    Montrer();
    // The grace-note dialog plays the beat itself when the configuration lets it.
    if (!Configuration.EcouterGraceNote)
        JouerTemps();
    ActualiserCommandes();
}

void Ac_Effet_GhostNoteExecute()
{
    const bool coche = Commandes().InverserChecked(Cmd::Ac_Effet_GhostNote);
    BT_DynaNote_1Click(coche ? Cmd::BT_DynaNote_4 : Cmd::BT_DynaNote_6);
}

// ---- Dynamics ----------------------------------------------------------------------------------

namespace {

constexpr std::array<Cmd, 8> kActionsNuances{Cmd::Ac_Dyna_ppp, Cmd::Ac_Dyna_pp, Cmd::Ac_Dyna_p,  Cmd::Ac_Dyna_mp,
                                             Cmd::Ac_Dyna_mf,  Cmd::Ac_Dyna_f,  Cmd::Ac_Dyna_ff, Cmd::Ac_Dyna_fff};
constexpr std::array<Cmd, 8> kBoutonsNuances{Cmd::BT_DynaNote_1, Cmd::BT_DynaNote_2, Cmd::BT_DynaNote_3,
                                             Cmd::BT_DynaNote_4, Cmd::BT_DynaNote_5, Cmd::BT_DynaNote_6,
                                             Cmd::BT_DynaNote_7, Cmd::BT_DynaNote_8};

} // namespace

void Ac_Dyna_pppExecute(Cmd emetteur)
{
    for (std::size_t i = 0; i < kActionsNuances.size(); ++i) {
        if (kActionsNuances[i] != emetteur)
            continue;
        const Cmd bouton = kBoutonsNuances[i];
        if (Commandes().Enabled(bouton)) {
            Commandes().InverserChecked(bouton);
            BT_DynaNote_1Click(bouton);
        }
        return;
    }
}

void BT_DynaNote_1Click(Cmd bouton)
{
    const int tag = Commandes().Tag(bouton);
    if (tag < 1 || tag > 8)
        return;
    SauverAnnulation();
    TTemps& temps = TempsCurseur();
    NoteCurseur().Nuance = static_cast<uint8_t>(tag);
    if (Commandes().Checked(Cmd::BT_Apply))
        for (int s = 1; s <= NbCordesPiste(); ++s)
            if (temps.Notes[s].Frette >= 0)
                temps.Notes[s].Nuance = static_cast<uint8_t>(tag);
    if (tag < 5)
        Commandes().SetChecked(Cmd::Bt_Effet_GhostNote, true);
    DessinerTempsSaisie(Curseur.Temps);
    Montrer();
    JouerTemps();
    ActualiserCommandes();
}

void BT_DynaFormClick()
{
    IFenetrePrincipale& f = FenetrePrincipale();
    f.MontrerPaletteNuances(!f.PaletteNuancesVisible());
}

// ---- Registration ------------------------------------------------------------------------------

void EnregistrerCommandesEdition()
{
    TCommandes& c = Commandes();
    const auto lier = [&c](Cmd commande, void (*gestionnaire)()) {
        c.Enregistrer(commande, [gestionnaire](Cmd) { gestionnaire(); });
    };
    const auto lierEmetteur = [&c](Cmd commande, void (*gestionnaire)(Cmd)) { c.Enregistrer(commande, gestionnaire); };

    // Note values, dotted, rest, triplet, tie, insert, delete and copy beat.
    EnregistrerCommandesEditionTemps();

    lier(Cmd::Ac_Edition_Annuler, Ac_Edition_AnnulerExecute);
    lier(Cmd::Ac_Edition_TableMix, Ac_Edition_TableMixExecute);

    lier(Cmd::Ac_Mesure_Premiere, Ac_Mesure_PremiereExecute);
    lier(Cmd::Ac_Mesure_Precedente, Ac_Mesure_PrecedenteExecute);
    lier(Cmd::Ac_Mesure_Suivante, Ac_Mesure_SuivanteExecute);
    lier(Cmd::Ac_Mesure_Derniere, Ac_Mesure_DerniereExecute);
    lier(Cmd::Ac_Mesure_AllerA, Ac_Mesure_AllerAExecute);
    lier(Cmd::Ac_Mesure_Signature, Ac_Mesure_SignatureExecute);
    lier(Cmd::Ac_Mesure_RenvoiDebut, Ac_Mesure_RenvoiDebutExecute);
    lier(Cmd::Ac_Mesure_RenvoiFin, Ac_Mesure_RenvoiFinExecute);
    lier(Cmd::Ac_Mesure_Repetitions, Ac_Mesure_RepetitionsExecute);

    lier(Cmd::Ac_Note_NoteEtouffee, Ac_Note_NoteEtouffeeExecute);
    lier(Cmd::Ac_Note_Accord, Ac_Note_AccordExecute);
    lier(Cmd::Ac_Note_Annotation, Ac_Note_AnnotationExecute);
    lier(Cmd::Ac_Note_DeplacerHaut, Ac_Note_DeplacerHautExecute);
    lier(Cmd::Ac_Note_DeplacerBas, Ac_Note_DeplacerBasExecute);

    for (Cmd e : {Cmd::Ac_Effet_HO, Cmd::Ac_Effet_PO, Cmd::Ac_Effet_SlideUp, Cmd::Ac_Effet_SlideDown,
                  Cmd::Ac_Effet_LetRing})
        lierEmetteur(e, Ac_Effet_HOExecute);
    lierEmetteur(Cmd::Ac_Effet_Bend, Ac_Effet_BendExecute);
    lierEmetteur(Cmd::Ac_Effet_BendRelease, Ac_Effet_BendExecute);
    for (Cmd e : {Cmd::Ac_Effet_VibMainGauche, Cmd::Ac_Effet_TremoloBar, Cmd::Ac_Effet_HarmNat, Cmd::Ac_Effet_HarmArt,
                  Cmd::Ac_Effet_FadeIn, Cmd::Ac_Effet_TappingMD, Cmd::Ac_Effet_Slap, Cmd::Ac_Effet_Pop})
        lierEmetteur(e, Ac_Effet_VibMainGaucheExecute);
    lier(Cmd::Ac_Effet_CoupDeVibrato, Ac_Effet_CoupDeVibratoExecute);
    lierEmetteur(Cmd::Ac_Effet_BrushUp, Ac_Effet_BrushUpExecute);
    lierEmetteur(Cmd::Ac_Effet_BrushDown, Ac_Effet_BrushUpExecute);
    lier(Cmd::Ac_Effet_GraceNote, Ac_Effet_GraceNoteExecute);
    lier(Cmd::Ac_Effet_GhostNote, Ac_Effet_GhostNoteExecute);

    for (Cmd e : kActionsNuances)
        lierEmetteur(e, Ac_Dyna_pppExecute);
    for (Cmd b : kBoutonsNuances)
        lierEmetteur(b, BT_DynaNote_1Click);
    lier(Cmd::BT_DynaForm, BT_DynaFormClick);
}

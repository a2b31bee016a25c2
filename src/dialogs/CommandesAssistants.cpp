#include "dialogs/CommandesAssistants.h"

#include "dialogs/Services.h"
#include "document/Configuration.h"
#include "document/Fenetre.h"
#include "document/Langue.h"
#include "document/Mess.h"
#include "document/Routines.h"
#include "document/Variable.h"
#include "editor/Commandes.h"
#include "editor/DessinSaisie.h"
#include "editor/Ed_fct.h"
#include "editor/EtatCommandes.h"
#include "editor/Ligatures.h"
#include "editor/Scrolling.h"
#include "midi/AssistantsPiste.h"
#include "midi/EvtImport.h"

#include <algorithm>

namespace {

IFenetrePrincipale& Fenetre() { return FenetrePrincipale(); }

int32_t PisteAssistant() { return std::clamp(PisteCourante, 1, kNbPistes); }

// Playing is the play-from-start command being disabled; the window stops it when the
// sequencer works.
void ArreterLecture() { Fenetre().ArreterLectureEnCours(); }

void ColorerBouton(int32_t piste)
{
    CalculerCouleurBoutonPiste(piste);
    Fenetre().ColorerBoutonPiste(piste);
}

// The current measure accepted as it now stands: the edit zone redrawn (which ends Undo), the
// measure counting as not edited since it was entered.
void AccepterMesureCourante()
{
    CopieMesureEntree = MesureEnCours();
    RedessinerMesure();
    Commandes().SetEnabled(Cmd::BT_AnnulerMesure, false);
    Commandes().SetEnabled(Cmd::Ac_Edition_Annuler, false);
    Fenetre().ZoneSaisieModifiee();
}

// The end shared by transpose, automatic placement and re-splitting: the track changed, the
// measure is drawn again and taken as the new state to undo to.
void TerminerDoigte()
{
    Commandes().SetEnabled(Cmd::BT_AnnulerMesure, true);
    RedessinerMesure();
    Fenetre().ZoneSaisieModifiee();
    Fenetre().RedessinerPartition();
    ApresChangementMesure();
    Commandes().SetEnabled(Cmd::BT_AnnulerMesure, false);
    Commandes().SetEnabled(Cmd::Ac_Edition_Annuler, false);
    CopieMesureEntree = MesureEnCours();
    MarquerModifiee();
    ActualiserCommandes();
}

// Whether the link techniques of the current track's notes differ between two states of the
// same measure.
bool LiensDifferents(const TMesure& avant, const TMesure& apres, int32_t t)
{
    const int32_t nb = std::clamp<int32_t>(apres.NbTemps[t], 0, kNbTempsMax);
    for (int32_t b = 1; b <= nb; ++b)
        for (int s = 1; s <= kNbCordesMax; ++s)
            if (avant.Temps[t][b].Notes[s].Effet != apres.Temps[t][b].Notes[s].Effet)
                return true;
    return false;
}

} // namespace

void Ac_Ass_TransposerExecute()
{
    ArreterLecture();
    int32_t demiTons = 0;
    if (Saisie().Dialogues->Transposer(demiTons) != ResultatModalOK)
        return;
    const TNotesNonDoigtees omises = TransposerPiste(std::clamp(demiTons, -12, 12));
    // A note that no string reaches any more leaves a rest, over which its neighbours beam.
    LigaturerMesuresPiste(PisteAssistant(), 1, Partition.NbMesures);
    TerminerDoigte();
    // Told over the transposed track, in the MIDI import's words.
    std::string texte;
    AjouterParagrapheOmises(texte, "MidiImp-NotesHorsTessiture", omises.HorsTessiture, omises.HorsTessiture.PremiereMesure);
    AjouterParagrapheOmises(texte, "MidiImp-NotesSimultanees", omises.Simultanees, omises.Simultanees.PremiereMesure);
    if (!texte.empty())
        AfficherMessage(Traduire("Dlg-Avertissement"), texte, IconeAvertissement, BoutonOK, DefautOK, PlacementCentre);
}

void Ac_Ass_RedecouperExecute()
{
    ArreterLecture();
    if (Saisie().Dialogues->ConfirmerRedecoupage() != ResultatModalOui)
        return;
    const int32_t t = PisteAssistant();
    if (!RedecouperPiste()) {
        // The track would not fit in the song: it was left as it was.
        ActualiserCommandes();
        return;
    }
    if (Partition.MesureCourante > Partition.NbMesures)
        Partition.MesureCourante = 1;
    // Beaming every measure leaves measure 1 current; its free slot is prepared there.
    LigaturerPartition();
    if (MesureEnCours().NbTemps[t] == 0)
        AjouterTempsVide();
    Curseur.Temps = 1;
    Curseur.Corde = 1;
    Curseur.ChiffreEnAttente = false;
    TerminerDoigte();
    ColorerBouton(t);
}

void Ac_Ass_CompleterReduireExecute()
{
    ArreterLecture();
    const int32_t t = PisteAssistant();
    CompleterReduirePiste();
    // Rests came and went in every measure: the beams the score view draws follow them.
    LigaturerMesuresPiste(t, 1, Partition.NbMesures);
    Curseur.Temps = 1;
    Curseur.Corde = 1;
    Curseur.ChiffreEnAttente = false;
    AccepterMesureCourante();
    ApresChangementMesure();
    Fenetre().RedessinerPartition();
    MarquerModifiee();
    ActualiserCommandes();
    ColorerBouton(t);
}

void Ac_Ass_PlacementAutoExecute()
{
    ArreterLecture();
    int32_t debut = 0;
    int32_t fin = 0;
    if (Saisie().Dialogues->PlacementAuto(debut, fin) != ResultatModalOK)
        return;
    // The dialog accepts only a range within the song; PlacerDoigtsAuto keeps to the song too.
    PlacerDoigtsAuto(debut, fin);
    TerminerDoigte();
}

void Ac_Ass_LetRingSelectorExecute()
{
    const int32_t t = PisteAssistant();
    const TMesure avant = MesureEnCours();
    if (Saisie().Dialogues->SelecteurLetRing() != ResultatModalOK)
        return;
    if (Configuration.ShowLetRingNotes) {
        ApresChangementMesure();
        DisposerBandes();
        Fenetre().RedessinerPartition();
    }
    // The selector takes no undo copy: had it changed the current measure, Undo or cancelling
    // the measure would bring back that one measure as it was before, the others keeping the
    // change.
    if (LiensDifferents(avant, MesureEnCours(), t))
        AccepterMesureCourante();
    MarquerModifiee();
    ActualiserCommandes();
}

void EnregistrerCommandesAssistants()
{
    TCommandes& c = Commandes();
    const auto lier = [&c](Cmd commande, void (*gestionnaire)()) {
        c.Enregistrer(commande, [gestionnaire](Cmd) { gestionnaire(); });
    };
    lier(Cmd::Ac_Ass_Transposer, Ac_Ass_TransposerExecute);
    lier(Cmd::Ac_Ass_Redecouper, Ac_Ass_RedecouperExecute);
    lier(Cmd::Ac_Ass_CompleterReduire, Ac_Ass_CompleterReduireExecute);
    lier(Cmd::Ac_Ass_PlacementAuto, Ac_Ass_PlacementAutoExecute);
    lier(Cmd::Ac_Ass_LetRingSelector, Ac_Ass_LetRingSelectorExecute);
}

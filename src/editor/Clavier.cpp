#include "editor/Clavier.h"

#include "document/Fenetre.h"
#include "document/Variable.h"
#include "editor/Ed_fct.h"
#include "editor/EditionTemps.h"
#include "editor/EtatCommandes.h"
#include "editor/LecteurSaisie.h"
#include "editor/Navigation.h"
#include "editor/Saisie.h"
#include "editor/Scrolling.h"

bool ModeGlisser = false;
bool IgnorerClic = false;
int32_t PasDefilement = 0;
bool ToucheDefilement = false;

namespace {

constexpr uint8_t Aucun = Modif::Aucun;
constexpr uint8_t Ctrl = Modif::Ctrl;
constexpr uint8_t CtrlShift = Modif::Ctrl | Modif::Shift;

uint16_t Code(Touche t) { return static_cast<uint16_t>(t); }

bool ChiffreHaut(Touche t) { return Code(t) >= Code(Touche::Chiffre0) && Code(t) <= Code(Touche::Chiffre9); }
bool ChiffrePave(Touche t) { return Code(t) >= Code(Touche::Pave0) && Code(t) <= Code(Touche::Pave9); }

// A top-row digit counts as the keypad digit of the same value, whatever the modifiers (on
// some layouts the top row types its digits with Shift only).
int ValeurChiffre(Touche t)
{
    const uint16_t pave = ChiffreHaut(t) ? Code(t) - Code(Touche::Chiffre0) + Code(Touche::Pave0) : Code(t);
    return pave - Code(Touche::Pave0);
}

void Executer(Cmd c) { Commandes().Executer(c); }

void CommencerDefilement(int pas)
{
    PasDefilement = pas;
    ToucheDefilement = true;
    DefilerPartitionTouche();
}

// Delete / Backspace; Ctrl deletes the whole beat. Backspace then moves one beat left.
void Effacer(Touche touche, bool beatEntier)
{
    LieAvantEffacement = TempsCurseur().Lie;
    if (beatEntier)
        SupprimerTemps();
    else
        EffacerNote();
    if (touche == Touche::Retour)
        AllerTempsPrecedent();
}

} // namespace

// ---- Keys ----------------------------------------------------------------------------------

RouteTouche ToucheVersCommande(Touche touche, uint8_t shift)
{
    if (Commandes().ExecuterRaccourci(Raccourci{touche, shift}))
        return RouteTouche::Commande;
    FormKeyDown(touche, shift);
    Ed_InvisibleKeyDown(touche, shift);
    return RouteTouche::CarteTouches;
}

void FormKeyDown(Touche touche, uint8_t shift)
{
    if (touche == Touche::PavePlus && shift == Ctrl)
        FenetrePrincipale().PisteUpClick();
    if (touche == Touche::PaveMoins && shift == Ctrl)
        FenetrePrincipale().PisteDownClick();
    if (touche == Touche::Espace && LectureEnCours() && LecteurSaisie().MidiDisponible()
        && FenetrePrincipale().LecteurMidiOuvert()) {
        Executer(Cmd::Ac_Son_Stop);
        return;
    }
    if (LectureEnCours())
        return;
    if (touche == Touche::Espace) {
        if (shift == Aucun) {
            Executer(Cmd::Ac_Son_LectureDebut);
            return;
        }
        if (shift == Ctrl) {
            Executer(Cmd::Ac_Son_LecturePosEC);
            return;
        }
        if (shift == CtrlShift) {
            Executer(Cmd::Ac_Son_LectureMesureEC);
            return;
        }
    }
    if (touche == Touche::PagePrec && shift == Aucun)
        CommencerDefilement(-kPasDefilementTouche);
    if (touche == Touche::PageSuiv && shift == Aucun)
        CommencerDefilement(kPasDefilementTouche);
    if (ChiffreHaut(touche) || ChiffrePave(touche)) {
        SaisirChiffre(ValeurChiffre(touche), shift);
        ActualiserCommandes();
        return;
    }
    if (PleinEcranActif)
        return;

    // Each edit and move below repaints only what it touched; the refresh at the end is the
    // only one.
    switch (touche) {
    case Touche::Debut: AllerPremierTemps(); break;
    case Touche::Gauche:
        if (shift == Aucun)
            AllerTempsPrecedent();
        break;
    case Touche::Droite:
        if (shift == Aucun)
            AllerTempsSuivant();
        break;
    case Touche::Fin: AllerDernierTemps(); break;
    case Touche::Haut:
        if (shift == Aucun)
            MonterCorde();
        else if (shift == CtrlShift)
            ValiderMesureSiActif();
        break;
    case Touche::Bas:
        if (shift == Aucun)
            DescendreCorde();
        break;
    case Touche::Suppr:
    case Touche::Retour: Effacer(touche, shift == Ctrl); break;
    case Touche::PavePlus:
        if (shift == Aucun)
            RaccourcirTemps();
        break;
    case Touche::PaveMoins:
        if (shift == Aucun)
            AllongerTemps();
        break;
    case Touche::PaveMul:
    case Touche::PavePoint: ExecuterPointee(); break;
    case Touche::PaveDiv: BasculerTriolet(); break;
    default: break;
    }
    ActualiserCommandes();
}

void FormKeyUp(Touche touche, uint8_t shift)
{
    (void)touche;
    (void)shift;
    if (!ToucheDefilement)
        return;
    ToucheDefilement = false;
    FenetrePrincipale().TraiterMessagesEnAttente();
}

void DefilerPartitionTouche()
{
    for (int pas = 0; pas < kNbPasDefilementMax && ToucheDefilement; ++pas) {
        DefinirPositionDefilement(AffichagePartition.Defilement.Position + PasDefilement);
        // The key release is among these messages; it ends this loop and any loop nested in
        // it by an auto-repeated press.
        FenetrePrincipale().TraiterMessagesEnAttente();
    }
}

void ExecuterPointee()
{
    if (Commandes().Enabled(Cmd::Ac_Note_Pointee))
        Executer(Cmd::Ac_Note_Pointee);
}

// ---- The hidden memo -------------------------------------------------------------------------

void Ed_InvisibleKeyDown(Touche touche, uint8_t shift)
{
    (void)shift;
    if (touche == Touche::Entree) {
        AllerTempsSuivant();
        ActualiserCommandes();
    } else if (touche == Touche::Echap) {
        if (LectureEnCours() && LecteurSaisie().MidiDisponible())
            Executer(Cmd::Ac_Son_Stop);
        if (FenetrePrincipale().PalettePercussionVisible()) {
            FenetrePrincipale().MontrerPalettePercussion(false);
            Commandes().SetEnabled(Cmd::Ac_Ass_Percussion, PisteCourante == kPistePercussions);
        }
    }
}

void Ed_InvisibleMouseWheelDown()
{
    const TDefilement& d = AffichagePartition.Defilement;
    if (d.Position < d.Max)
        DefinirPositionDefilement(d.Position + d.PetitPas);
}

void Ed_InvisibleMouseWheelUp()
{
    const TDefilement& d = AffichagePartition.Defilement;
    if (d.Position > d.Min)
        DefinirPositionDefilement(d.Position - d.PetitPas);
}

// ---- The mouse in the edit zone ----------------------------------------------------------------

void ZoneSaisieMouseDown(BoutonSouris bouton, int x, int y)
{
    if (IgnorerClic) {
        IgnorerClic = false;
        return;
    }
    ModeGlisser = true;
    PlacerCurseurSouris(x, y);
    ActualiserCommandes();
    if (bouton == BoutonSouris::Droit) {
        ModeGlisser = false;
        FenetrePrincipale().OuvrirMenuFrettes(x, y);
    }
}

void ZoneSaisieMouseMove(int x, int y)
{
    if (ModeGlisser)
        ZoneSaisieMouseDown(BoutonSouris::Gauche, x, y);
}

void ZoneSaisieMouseUp(BoutonSouris bouton, int x, int y)
{
    (void)bouton;
    (void)x;
    (void)y;
    ModeGlisser = false;
}

void ZoneSaisieDblClick()
{
    Executer(Cmd::Ac_Note_Accord);
    ModeGlisser = false;
    IgnorerClic = true;
}

void ZoneSaisieDoubleClic(BoutonSouris bouton, int x, int y)
{
    if (bouton == BoutonSouris::Gauche)
        ZoneSaisieDblClick();
    ZoneSaisieMouseDown(bouton, x, y);
}

void ReinitialiserClavier()
{
    ModeGlisser = false;
    IgnorerClic = false;
    PasDefilement = 0;
    ToucheDefilement = false;
}

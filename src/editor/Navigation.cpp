#include "editor/Navigation.h"

#include "document/Configuration.h"
#include "document/Fenetre.h"
#include "document/Routines.h"
#include "editor/Commandes.h"
#include "editor/DessinSaisie.h"
#include "editor/Ed_fct.h"
#include "editor/EtatCommandes.h"
#include "editor/Ligatures.h"
#include "platform/Arrondi.h"

#include <algorithm>
#include <memory>

namespace {

int R(double v) { return static_cast<int>(platform::Round(v)); }

int NbCordesPiste() { return std::clamp<int32_t>(Partition.NbCordes[PisteCourante], 1, kNbCordesMax); }

// Every move within the measure starts so: a pending first digit is forgotten, and the cursor
// painter learns where the box stood.
void Prologue()
{
    Curseur.ChiffreEnAttente = false;
    TempsPrecedent = Curseur.Temps;
    CordePrecedente = Curseur.Corde;
}

// The rhythm row under the staff: triplet brackets and beams (which beam the last beat to the
// free column only while the cursor stands on it).
void RafraichirRythme()
{
    LigaturerMesure(0);
    DessinerTrioletsSaisie();
}

// The last beat of a part as a cursor beat: 1 for a part without beats, and never past 64
// (a part read from a file may hold 65 beats).
int32_t DernierTempsCurseur(const TMesure& bloc)
{
    return std::clamp<int32_t>(bloc.NbTemps[PisteCourante], 1, kNbTempsSaisis);
}

// Appends measure NbMesures + 1: no beats, no repeat marks, the time signature of the measure
// before it, and the free slot of every track prepared.
void AjouterMesure()
{
    const int32_t precedente = Partition.NbMesures;
    const int32_t m = precedente + 1;
    auto bloc = std::make_unique<TMesure>();
    const TMesure& avant = *Partition.Mesures[precedente];
    bloc->Numerateur = avant.Numerateur;
    bloc->Denominateur = avant.Denominateur;
    bloc->Duree = avant.Duree;
    bloc->RenvoiDebut = false;
    bloc->RenvoiFin = false;
    bloc->Repetition = false;
    bloc->NbRenvois = 1;
    bloc->NumRepetition = 1;
    for (int t = 1; t <= kNbPistes; ++t)
        bloc->NbTemps[t] = 0;
    Partition.Mesures[m] = std::move(bloc);
    Partition.NbMesures = m;

    const int32_t piste = PisteCourante;
    const int32_t mesure = Partition.MesureCourante;
    Partition.MesureCourante = m;
    for (int t = 1; t <= kNbPistes; ++t) {
        PisteCourante = t;
        AjouterTempsVide();
    }
    PisteCourante = piste;
    Partition.MesureCourante = mesure;
}

// Typing in a measure that has no beat yet continues with the note value last used: the free
// slot takes the rhythm of the last beat of the measure before.
void ReporterValeurNote(int32_t precedente, int32_t nouvelle)
{
    const int t = PisteCourante;
    TMesure& avant = *Partition.Mesures[precedente];
    TMesure& bloc = *Partition.Mesures[nouvelle];
    const int32_t n = std::min<int32_t>(avant.NbTemps[t], kNbTempsMax);
    if (bloc.NbTemps[t] != 0 || n < 1)
        return;
    const TTemps& dernier = avant.Temps[t][n];
    TTemps& libre = bloc.Temps[t][1];
    libre.Duree = dernier.Duree;
    libre.CodeDuree = dernier.CodeDuree;
    libre.Pointee = dernier.Pointee;
    libre.Triolet = dernier.Triolet;
    libre.PosTriolet = 1;
}

enum class PlaceCurseur { PremierTemps, DernierTemps };

// Entering a measure once MesureCourante is set: copy for cancel-measure, cursor beat, full
// redraw, the score lines of the measure left (when it was edited, or when the song grew),
// undo and cancel-measure no longer available, frame on the score view.
void EntrerMesureCourante(int32_t quittee, PlaceCurseur place, bool ajoutee)
{
    CopieMesureEntree = MesureEnCours();
    Curseur.Temps = place == PlaceCurseur::PremierTemps ? 1 : DernierTempsCurseur(MesureEnCours());
    RedessinerMesure();
    if (Commandes().Enabled(Cmd::BT_AnnulerMesure) || ajoutee)
        FenetrePrincipale().RedessinerLignesModifiees(quittee);
    ApresChangementMesure();
    Commandes().SetEnabled(Cmd::BT_AnnulerMesure, false);
    Commandes().SetEnabled(Cmd::Ac_Edition_Annuler, false);
    FenetrePrincipale().PlacerCadreMesure();
    FenetrePrincipale().ZoneSaisieModifiee();
}

void EntrerMesure(int32_t nouvelle, PlaceCurseur place, bool ajoutee = false)
{
    const int32_t quittee = Partition.MesureCourante;
    VerifierCouleurBoutonPiste(quittee);
    Partition.MesureCourante = nouvelle;
    EntrerMesureCourante(quittee, place, ajoutee);
}

bool AllerMesureSuivanteSiActifFaite()
{
    return Commandes().Enabled(Cmd::Ac_Mesure_Suivante) && AllerMesureSuivante();
}

} // namespace

// ---- Within the measure ----------------------------------------------------------------------

void AllerTempsPrecedent()
{
    const int32_t ancien = Curseur.Temps;
    const bool depuisLibre = CurseurSurColonneLibre();
    Prologue();
    if (Curseur.Temps > 1)
        --Curseur.Temps;
    DessinerCurseur();
    if (depuisLibre)
        RafraichirRythme();
    FenetrePrincipale().ZoneSaisieModifiee();
    if (ancien == 1 && Partition.MesureCourante > 1) {
        AllerMesurePrecedenteSiActif();
        ActualiserCommandes();
    }
}

void AllerPremierTemps()
{
    const bool depuisLibre = CurseurSurColonneLibre();
    Prologue();
    Curseur.Temps = 1;
    DessinerCurseur();
    if (depuisLibre)
        RafraichirRythme();
    FenetrePrincipale().ZoneSaisieModifiee();
}

void AllerTempsSuivant()
{
    const int32_t n = NbTempsCourant();
    Prologue();
    if (Curseur.Temps == n + 1)
        return;
    if (n >= Curseur.Temps)
        ++Curseur.Temps;
    if (Curseur.Temps > kNbTempsSaisis)
        Curseur.Temps = kNbTempsSaisis;
    // From the last beat of a complete measure on to the next one. At the song's 1000th
    // measure there is none: the cursor then goes onto the free column as in any measure.
    if (Curseur.Temps == n + 1 && MesureComplete() && AllerMesureSuivanteSiActifFaite())
        return;
    if (Curseur.Temps == n + 1) {
        AjouterTempsVide();
        RafraichirRythme();
    }
    DessinerCurseur();
    FenetrePrincipale().ZoneSaisieModifiee();
}

void AllerDernierTemps()
{
    const int32_t n = NbTempsCourant();
    Prologue();
    if (n >= 1)
        Curseur.Temps = std::min<int32_t>(n, kNbTempsSaisis);
    DessinerCurseur();
    RafraichirRythme();
    FenetrePrincipale().ZoneSaisieModifiee();
}

void MonterCorde()
{
    Prologue();
    if (--Curseur.Corde < 1)
        Curseur.Corde = NbCordesPiste();
    DessinerCurseur();
    FenetrePrincipale().ZoneSaisieModifiee();
}

void DescendreCorde()
{
    Prologue();
    if (++Curseur.Corde > NbCordesPiste())
        Curseur.Corde = 1;
    DessinerCurseur();
    FenetrePrincipale().ZoneSaisieModifiee();
}

void PlacerCurseurSouris(int x, int y)
{
    const int mg = Curseur.MargeGauche;
    const int mh = Curseur.MargeHaut;
    const int e = Curseur.EspCordes;
    const int l = Curseur.LargeurTemps;
    const int nbCordes = NbCordesPiste();
    const bool dansBande = mh - 10 < y && y < (nbCordes - 1) * e + mh + 10;

    if (dansBande && x < mg) {
        AllerMesurePrecedenteSiActif();
        ActualiserCommandes();
        return;
    }
    if (dansBande && x > mg && l > 0 && e > 0) {
        const int32_t n = NbTempsCourant();
        const int32_t ancien = Curseur.Temps;
        TempsPrecedent = Curseur.Temps;
        CordePrecedente = Curseur.Corde;

        // The nearest column, up to the free column, and never past beat 64: there is no
        // free column after a 64th beat, and a 65th could not keep its own free slot.
        int32_t b = R(static_cast<double>(x - mg) / l);
        b = std::max<int32_t>(b, 1);
        b = std::min<int32_t>(b, n + 1);
        b = std::min<int32_t>(b, kNbTempsSaisis);
        if (b == n + 1 && ancien != n + 1)
            AjouterTempsVide();

        int32_t s = R(static_cast<double>(y - mh) / e) + 1;
        s = std::clamp<int32_t>(s, 1, nbCordes);

        Curseur.Temps = b;
        Curseur.Corde = s;
        Curseur.ChiffreEnAttente = false;
        DessinerCurseur();
        if (b == n + 1 || ancien == n + 1)
            LigaturerMesure(0);
        DessinerTrioletsSaisie();
        FenetrePrincipale().ZoneSaisieModifiee();
    }
    if (CurseurSurColonneLibre() && MesureComplete()) {
        AllerMesureSuivanteSiActif();
        ActualiserCommandes();
    }
}

// ---- Between measures ------------------------------------------------------------------------

void AllerMesurePrecedente()
{
    if (Partition.MesureCourante <= 1)
        return;
    EntrerMesure(Partition.MesureCourante - 1, PlaceCurseur::DernierTemps);
}

void AllerPremiereMesure() { EntrerMesure(1, PlaceCurseur::PremierTemps); }

bool AllerMesureSuivante()
{
    const int32_t courante = Partition.MesureCourante;
    bool ajoutee = false;
    if (courante >= Partition.NbMesures) {
        // The song holds at most 1000 measures: the last one has no next.
        if (Partition.NbMesures >= kNbMesuresMax)
            return false;
        AjouterMesure();
        ajoutee = true;
    }
    ReporterValeurNote(courante, courante + 1);
    EntrerMesure(courante + 1, PlaceCurseur::PremierTemps, ajoutee);
    return true;
}

void AllerDerniereMesure() { EntrerMesure(Partition.NbMesures, PlaceCurseur::DernierTemps); }

void AllerAMesure()
{
    const int32_t quittee = Partition.MesureCourante;
    if (FenetrePrincipale().DialogueAllerAMesure())
        EntrerMesureChoisie(quittee);
}

void EntrerMesureChoisie(int32_t mesureQuittee)
{
    Partition.MesureCourante = std::clamp<int32_t>(Partition.MesureCourante, 1, Partition.NbMesures);
    EntrerMesureCourante(mesureQuittee, PlaceCurseur::PremierTemps, false);
}

void AllerMesurePrecedenteSiActif()
{
    if (Commandes().Enabled(Cmd::Ac_Mesure_Precedente))
        AllerMesurePrecedente();
}

void AllerMesureSuivanteSiActif() { AllerMesureSuivanteSiActifFaite(); }

// ---- Edit-zone scrolling and width -----------------------------------------------------------

namespace {

bool MiseEnPageSaisiePossible()
{
    return !FermetureEnCours && Partition.MesureCourante >= 1 && Partition.MesureCourante <= Partition.NbMesures
        && Curseur.LargeurTemps > 0;
}

// Columns shown: the beats, and the free column while the cursor stands on it.
int32_t ColonnesOccupees() { return NbTempsCourant() + (CurseurSurColonneLibre() ? 1 : 0); }

} // namespace

void AjusterDefilementSaisie()
{
    if (!MiseEnPageSaisiePossible())
        return;
    const int32_t n = ColonnesOccupees();
    Curseur.NbTempsVisibles = (LargeurPanneauSaisie - 2 * Curseur.MargeGauche) / Curseur.LargeurTemps;
    Curseur.PositionMax = std::max<int32_t>(0, n - Curseur.NbTempsVisibles + 1);
    const int32_t max = Curseur.PositionMax + 1;
    FenetrePrincipale().ReglerDefilementSaisie(max, R(Curseur.NbTempsVisibles / 2.0),
                                               n - Curseur.NbTempsVisibles + 1 >= 0);
    // A scroll bar keeps its position within its range.
    if (PositionDefilementSaisie > max)
        ScrollBarZoneSaisieChange(max);
}

void AjusterLargeurSaisie()
{
    if (!MiseEnPageSaisiePossible())
        return;
    const int32_t n = ColonnesOccupees();
    const int32_t largeur = std::max<int32_t>(LargeurPanneauSaisie - 2 * Curseur.MargeGauche, (n + 2) * Curseur.LargeurTemps);
    if (largeur == Curseur.LargeurZone)
        return;
    Curseur.LargeurZone = largeur;
    FenetrePrincipale().DimensionnerZoneSaisie(largeur + 2 * Curseur.MargeGauche);
    RedessinerMesure();
    FenetrePrincipale().ZoneSaisieModifiee();
}

void MontrerCurseurSaisie()
{
    if (!MiseEnPageSaisiePossible())
        return;
    const int32_t ecart = Curseur.Temps - (PositionDefilementSaisie + 1);
    if (ecart >= 0 && ecart < Curseur.NbTempsVisibles)
        return;
    const int32_t position = std::clamp<int32_t>(Curseur.Temps - R(Curseur.NbTempsVisibles / 2.0), 0,
                                                 Curseur.PositionMax + 1);
    if (position != PositionDefilementSaisie)
        ScrollBarZoneSaisieChange(position);
}

void ScrollBarZoneSaisieChange(int32_t position)
{
    PositionDefilementSaisie = position;
    FenetrePrincipale().PlacerZoneSaisie(position, -position * Curseur.LargeurTemps);
}

// ---- Frame of the current measure on the score view -----------------------------------------

TCadreMesure CalculerCadreMesure(int hauteurZone, int hauteurLigne, int position)
{
    TCadreMesure cadre;
    const TMesure& mesure = MesureEnCours();
    int x1 = mesure.XGauche;
    int x2 = mesure.XDroite;
    if (mesure.XGauche == 0) {
        x1 = -100;
        x2 = -80;
        cadre.NonDisposee = true;
    }
    const int espLignes = ParamEcranCourant.EspLignes;
    const int haut = (mesure.Ligne - 1) * hauteurLigne;

    cadre.Left = x1 + 6;
    cadre.Top = mesure.Y - espLignes + haut - position;
    cadre.Width = std::max(2, x2 - x1 - 14);
    if (mesure.RenvoiFin || Partition.MesureCourante == Partition.NbMesures)
        cadre.Width += 2;
    if (espLignes < 9) {
        cadre.Left -= 2;
        cadre.Width += 4;
    }
    cadre.Height = (NbCordesPiste() + 1) * espLignes + 1;

    if (LectureEnCours()) {
        if (Configuration.TypeScrolling == 1 && haut > position + hauteurZone - hauteurLigne)
            position = haut;
        else if (Configuration.TypeScrolling == 2 && haut != position)
            position = haut;
    }
    if (haut < position)
        position = haut;
    if (position + hauteurZone < hauteurLigne + haut)
        position = hauteurLigne + haut - hauteurZone;
    cadre.Position = position;
    return cadre;
}

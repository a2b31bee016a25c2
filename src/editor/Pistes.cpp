#include "editor/Pistes.h"

#include "document/Configuration.h"
#include "document/Fenetre.h"
#include "document/Fichiers.h"
#include "document/Variable.h"
#include "editor/Commandes.h"
#include "editor/DessinSaisie.h"
#include "editor/Ed_fct.h"
#include "editor/EtatCommandes.h"
#include "editor/Navigation.h"
#include "editor/Scrolling.h"
#include "platform/Arrondi.h"

#include <algorithm>
#include <cstdlib>

bool PleinEcranChoisi = false;

namespace {

using platform::Round;

int32_t NbPistesSure() { return std::clamp<int32_t>(Partition.NbPistes, 1, kNbPistes); }

int32_t NbCordesPiste()
{
    return std::clamp<int32_t>(Partition.NbCordes[std::clamp<int32_t>(PisteCourante, 1, kNbPistes)], 1, kNbCordesMax);
}

const TMesure* Bloc(int32_t m)
{
    if (m < 1 || m > Partition.NbMesures || m > kNbMesuresMax)
        return nullptr;
    return Partition.Mesures[m].get();
}

bool MesureCouranteValide() { return Bloc(Partition.MesureCourante) != nullptr; }

} // namespace

// ---- Tracks ----------------------------------------------------------------------------------

void ChangerPiste(int32_t piste)
{
    if (piste < 1 || piste > NbPistesSure() || !MesureCouranteValide())
        return;
    PisteCourante = piste;
    Curseur.Temps = 1;
    Curseur.Corde = 1;
    RedessinerMesure();
    Commandes().SetEnabled(Cmd::BT_AnnulerMesure, false);
    Commandes().SetEnabled(Cmd::Ac_Edition_Annuler, false);
    FenetrePrincipale().RedessinerPartition();
    FenetrePrincipale().PlacerCadreMesure();
    ApresChangementMesure();
    ActualiserCommandes();
    CopieMesureEntree = MesureEnCours();
    FenetrePrincipale().ActualiserMenuPistes();

    // The drum palette belongs to track 8; a playback hides the palettes and shows again at
    // its end those that were open.
    if (piste != kPistePercussions) {
        FenetrePrincipale().MontrerPalettePercussion(false);
        Commandes().SetEnabled(Cmd::Ac_Ass_Percussion, false);
    } else if (!Commandes().Enabled(Cmd::Ac_Son_Stop)) {
        FenetrePrincipale().MontrerPalettePercussion(true);
        Commandes().SetEnabled(Cmd::Ac_Ass_Percussion, true);
    } else {
        FenetrePrincipale().OuvrirPercussionFinLecture();
    }
    FenetrePrincipale().ZoneSaisieModifiee();
}

void PisteUpClick()
{
    if (PisteCourante < NbPistesSure())
        ChangerPiste(PisteCourante + 1);
}

void PisteDownClick()
{
    if (PisteCourante > 1)
        ChangerPiste(PisteCourante - 1);
}

void BT_Piste1Click(int32_t tag) { ChangerPiste(tag); }

void Mn_Piste1Click(int32_t tag) { ChangerPiste(tag); }

void Mn_Fichier_DernierFichier1Click(int32_t tag)
{
    if (tag >= 1 && tag <= 5)
        OuvrirFichierRecent(tag);
}

// ---- Click on the score view -------------------------------------------------------------

TClicPartition LocaliserClicPartition(int32_t ligne, int x, int y)
{
    TClicPartition clic;
    const TLignesAffichage& la = LignesAffichage;
    const int32_t premiere = ligne >= 1 ? la.PremiereMesure[ligne] : 0;
    if (premiere == 0) {
        clic.LigneSansMesure = true;
        return clic;
    }
    const int32_t derniere = std::min(la.DerniereMesure[ligne], Partition.NbMesures);
    const TMesure* bloc = nullptr;
    for (int32_t m = premiere; m <= derniere; ++m) {
        const TMesure* b = Bloc(m);
        if (b && b->XGauche < x && x < b->XDroite) {
            clic.Mesure = m;
            bloc = b;
            break;
        }
    }
    if (!bloc)
        return clic;

    const int32_t piste = std::clamp<int32_t>(PisteCourante, 1, kNbPistes);
    const int32_t espLignes = ParamEcranCourant.EspLignes;
    const int64_t corde = espLignes > 0 ? Round(static_cast<double>(y - bloc->Y) / espLignes) + 1 : 1;
    clic.Corde = static_cast<int32_t>(std::clamp<int64_t>(corde, 1, NbCordesPiste()));

    const int32_t nb = std::clamp<int32_t>(bloc->NbTemps[piste], 0, kNbTempsSaisis);
    int64_t meilleure = -1;
    for (int32_t b = 1; b <= nb; ++b) {
        const int64_t distance =
            std::llabs(static_cast<int64_t>(x) - bloc->Temps[piste][b].XEcran - ParamEcranCourant.MargeGaucheLignes);
        if (meilleure < 0 || distance < meilleure) {
            meilleure = distance;
            clic.Temps = b;
        }
    }
    return clic;
}

void Band01MouseDown(int32_t bande, BoutonSouris bouton, int x, int y)
{
    // The player is stopped now and started again at the end, at the measure the click left
    // current: the end-of-play notification only closes the player for such a stop.
    const bool relancer = LectureEnCours();
    if (relancer)
        FenetrePrincipale().ArreterLecturePourClic();

    const TClicPartition clic = LocaliserClicPartition(LigneDeBande(bande), x, y);
    if (clic.LigneSansMesure) {
        // Below the last line: nothing to show, but a stopped playback must go on, or it
        // would never end and editing would stay locked.
        if (relancer)
            FenetrePrincipale().RelancerLectureApresClic();
        return;
    }

    if (clic.Mesure != 0 && MesureCouranteValide()) {
        const int32_t quittee = Partition.MesureCourante;
        VerifierCouleurBoutonPiste(quittee);
        Partition.MesureCourante = clic.Mesure;
        CopieMesureEntree = MesureEnCours();
        Curseur.Corde = clic.Corde;
        Curseur.Temps = clic.Temps;
        RedessinerMesure();
        if (Commandes().Enabled(Cmd::BT_AnnulerMesure))
            FenetrePrincipale().RedessinerLignesModifiees(quittee);
        Commandes().SetEnabled(Cmd::BT_Valider, false);
        Commandes().SetEnabled(Cmd::BT_AnnulerMesure, false);
        Commandes().SetEnabled(Cmd::Ac_Edition_Annuler, false);
        ActualiserCommandes();
        FenetrePrincipale().PlacerCadreMesure();
        FenetrePrincipale().ZoneSaisieModifiee();
    }

    if (bouton == BoutonSouris::Droit && !LectureEnCours())
        FenetrePrincipale().OuvrirMenuPartition(bande, x, y);

    if (relancer)
        FenetrePrincipale().RelancerLectureApresClic();
}

void SelectionMouseDown(BoutonSouris bouton, int x, int y)
{
    if (!MesureCouranteValide())
        return;
    const TMesure& m = MesureEnCours();
    const int32_t bande = CalculerBandeLigne(m.Ligne);
    if (bande >= 1 && bande <= kNbBandesMax)
        Band01MouseDown(bande, bouton, x + AffichagePartition.Selection.Gauche,
                        y + m.Y - ParamEcranCourant.EspLignes);
}

// ---- Window layout ---------------------------------------------------------------------------

namespace {

// A pixel size scaled from 96 dots per inch.
int32_t Echelle(double pixels96, int32_t pixelsParPouce)
{
    return static_cast<int32_t>(Round(pixels96 * pixelsParPouce / 96.0));
}

int32_t Positif(int32_t v) { return std::max<int32_t>(v, 0); }

} // namespace

void DisposerFenetre(TDispositionFenetre& d, int32_t largeurClient, int32_t hauteurClient, int32_t pixelsParPouce,
                     bool pleinEcran)
{
    const int32_t m4 = Echelle(4, pixelsParPouce);
    const double m2 = 2.0 * pixelsParPouce / 96.0;
    const double m1 = static_cast<double>(pixelsParPouce) / 96.0;

    const int32_t w = d.BT_Piste1.Left - d.Panel1.Left - static_cast<int32_t>(Round(m1));
    d.BevelTop.Width = Positif(largeurClient - Echelle(10, pixelsParPouce));

    d.PanelZoneAffScroll.Width =
        Positif(largeurClient - m4 - d.ScrollBarZoneAffScroll.Width - d.PanelZoneAffScroll.Left - 1);
    d.ScrollBarZoneAffScroll.Left = d.PanelZoneAffScroll.Right();

    d.PanelBarreBoutons2.Width = Positif(largeurClient - d.PanelBarreBoutons2.Left - m4 - 1);

    d.PanelBarreBoutons3.Left = largeurClient - d.PanelBarreBoutons3.Width - m4;
    d.PanelBarreBoutons3.Top = hauteurClient - d.PanelBarreBoutons3.Height - m4;

    d.PanelZoneSaisie.Width = Positif(d.PanelBarreBoutons3.Left - d.PanelZoneSaisie.Left - m4);
    d.ScrollBarZoneSaisie.Left = d.PanelZoneSaisie.Right() - d.ScrollBarZoneSaisie.Width - 1;

    const int32_t basLigneEtat = hauteurClient - d.PanelNumMesure.Height - m4;
    d.PanelNumMesure.Top = basLigneEtat;
    d.PanelNbTps.Top = basLigneEtat;
    d.PanelNbTps2.Top = basLigneEtat;
    d.PanelTextCom.Top = basLigneEtat;
    d.ScrollBarZoneSaisie.Top = basLigneEtat + 1;

    d.PanelZoneSaisie.Top = d.PanelBarreBoutons3.Top;
    d.PanelZoneSaisie.Height = Positif(d.PanelTextCom.Top - d.PanelZoneSaisie.Top - static_cast<int32_t>(Round(m2)));

    // The edit image is centred in height; in a low panel it keeps its top, so that the
    // string lines stay in view and the labels below are what gets cut.
    d.ZoneSaisie.Top =
        std::max<int32_t>(0, static_cast<int32_t>(Round((d.PanelZoneSaisie.Height - kHauteurZoneSaisie) / 2.0)));

    d.PanelBarreBoutons2.Top = d.PanelZoneSaisie.Top - d.PanelBarreBoutons2.Height - 1;

    if (pleinEcran)
        DispositionPleinEcran(d, largeurClient, pixelsParPouce);
    else
        DispositionSansPleinEcran(d, pixelsParPouce);

    d.Panel1.Width = Positif(std::min(w, largeurClient - m4 - d.Panel1.Left));
}

TTailleClient TailleClientMinimale(const TDispositionFenetre& d, int32_t pixelsParPouce)
{
    // The inverse of DisposerFenetre: from the bottom up, the column beside the edit zone
    // (which gives the edit panel its height), the tool row, and the score view.
    const int32_t m4 = Echelle(4, pixelsParPouce);
    const int32_t hauteur = d.PanelZoneAffScroll.Top + Echelle(kHauteurMinAffichage, pixelsParPouce) + 1
                            + d.PanelBarreBoutons2.Height + 1 + d.PanelBarreBoutons3.Height + m4;
    // The status row's counters and its comment panel (at no width) end before the edit zone's
    // scroll bar, which ends before the button column.
    const int32_t largeur = d.PanelTextCom.Left + Echelle(3, pixelsParPouce) + d.ScrollBarZoneSaisie.Width + 1
                            + m4 + d.PanelBarreBoutons3.Width + m4;
    return {largeur, hauteur};
}

void DispositionPleinEcran(TDispositionFenetre& d, int32_t largeurClient, int32_t pixelsParPouce)
{
    d.PanelZoneAffScroll.Height =
        Positif(d.PanelTextCom.Top - d.PanelZoneAffScroll.Top - Echelle(2, pixelsParPouce));
    d.PanelTextCom.Width = Positif(largeurClient - d.PanelTextCom.Left - Echelle(4, pixelsParPouce));
    d.ScrollBarZoneAffScroll.Height = Positif(d.PanelZoneAffScroll.Height - 2);
    d.PanelBarreBoutons3Visible = false;
    d.ZoneAffichageDevant = true;
    d.MenusNoteEffetsActifs = false;
}

void DispositionSansPleinEcran(TDispositionFenetre& d, int32_t pixelsParPouce)
{
    d.PanelZoneAffScroll.Height = Positif(d.PanelBarreBoutons2.Top - d.PanelZoneAffScroll.Top - 1);
    d.PanelTextCom.Width = Positif(d.ScrollBarZoneSaisie.Left - d.PanelTextCom.Left - Echelle(3, pixelsParPouce));
    d.ScrollBarZoneAffScroll.Height = Positif(d.PanelZoneAffScroll.Height - 2);
    d.PanelBarreBoutons3Visible = true;
    d.ZoneAffichageDevant = false;
    d.MenusNoteEffetsActifs = true;
}

void TerminerDispositionFenetre(int32_t largeurPanneauSaisie)
{
    LargeurPanneauSaisie = largeurPanneauSaisie;
    AjusterDefilementSaisie();
    AjusterLargeurSaisie();
    MontrerCurseurSaisie();
}

void EntrerPleinEcran()
{
    PleinEcranActif = true;
    FenetrePrincipale().AppliquerPleinEcran(true);
}

void QuitterPleinEcran()
{
    PleinEcranActif = false;
    FenetrePrincipale().AppliquerPleinEcran(false);
}

void Ac_Affichage_PleinEcranExecute()
{
    const bool coche = Commandes().InverserChecked(Cmd::Ac_Affichage_PleinEcran);
    Commandes().SetChecked(Cmd::Bt_Affichage_PleinEcran, coche);
    PleinEcranChoisi = coche;
    if (LectureEnCours()) {
        // A playback shows the score only already; leaving the layout ends it.
        if (!coche) {
            Commandes().Executer(Cmd::Ac_Son_Stop);
            QuitterPleinEcran();
        }
        return;
    }
    if (coche)
        EntrerPleinEcran();
    else
        QuitterPleinEcran();
}

void RedimensionnerFenetre()
{
    if (FermetureEnCours || !MesureCouranteValide())
        return;
    // Validated without repainting: the score is repainted whole below.
    MesureAnnulation = MesureEnCours();
    CopieMesureEntree = MesureEnCours();
    TempsAnnulation = Curseur.Temps;
    CordeAnnulation = Curseur.Corde;
    Commandes().SetEnabled(Cmd::Ac_Edition_Annuler, false);
    Commandes().SetEnabled(Cmd::BT_AnnulerMesure, false);
    ActualiserCommandes();
    FenetrePrincipale().DisposerPanneaux();
    ApresChangementMesure();
    DisposerBandes();
    FenetrePrincipale().RedessinerPartition();
}

void EnregistrerCommandesPistes()
{
    Commandes().Enregistrer(Cmd::Ac_Affichage_PleinEcran, [](Cmd) { Ac_Affichage_PleinEcranExecute(); });
}

#include "editor/Ed_fct.h"

#include "document/Fenetre.h"
#include "document/Langue.h"
#include "document/Mess.h"
#include "document/Routines.h"
#include "editor/Commandes.h"
#include "editor/DessinSaisie.h"
#include "editor/EtatCommandes.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

int32_t TempsAnnulation = 1;
int32_t CordeAnnulation = 1;
bool LieAvantEffacement = false;
bool PleinEcranActif = false;
bool FermetureEnCours = false;
bool PressePapierPlein = false;

// The panel of a new song's edit zone: the 570-pixel image plus its two margins.
int32_t LargeurPanneauSaisie = 630;
int32_t PositionDefilementSaisie = 0;

OneBased<bool, kNbPistes> BoutonPisteBleu{};

// ---- The current beat ----------------------------------------------------------------------

namespace {

int PisteValide() { return std::clamp<int32_t>(PisteCourante, 1, kNbPistes); }

// A beat slot that exists whatever the cursor holds, so that reading the cursor beat of a
// damaged cursor never leaves the block.
int SlotValide(int32_t temps) { return std::clamp<int32_t>(temps, 1, kNbTempsMax); }

} // namespace

TMesure& MesureEnCours() { return *Partition.Mesures[Partition.MesureCourante]; }

int32_t NbTempsCourant() { return MesureEnCours().NbTemps[PisteValide()]; }

TTemps& TempsCurseur() { return MesureEnCours().Temps[PisteValide()][SlotValide(Curseur.Temps)]; }

TNoteCorde& NoteCurseur() { return TempsCurseur().Notes[std::clamp<int32_t>(Curseur.Corde, 1, kNbCordesMax)]; }

bool CurseurSurColonneLibre() { return Curseur.Temps == NbTempsCourant() + 1; }

bool LectureEnCours() { return !Commandes().Enabled(Cmd::Ac_Son_LectureDebut); }

bool PeutEcrireTempsCurseur()
{
    const int32_t n = NbTempsCourant();
    if (Curseur.Temps < 1 || Curseur.Temps > n + 1)
        return false;
    // A beat written on the free column would be beat 65 or later: the block has no slot for
    // the free slot after it.
    return !(Curseur.Temps == n + 1 && n >= kNbTempsSaisis);
}

void OccuperColonneLibre()
{
    if (!CurseurSurColonneLibre())
        return;
    ++MesureEnCours().NbTemps[PisteValide()];
    AjouterTempsVide();
}

// ---- Undo, cancel and validate ---------------------------------------------------------------

void SauverAnnulation()
{
    MarquerModifiee();
    TempsAnnulation = Curseur.Temps;
    CordeAnnulation = Curseur.Corde;
    MesureAnnulation = MesureEnCours();
    Commandes().SetEnabled(Cmd::Ac_Edition_Annuler, true);
    Commandes().SetEnabled(Cmd::BT_AnnulerMesure, true);
}

void AnnulerDerniereEdition()
{
    MesureEnCours() = MesureAnnulation;
    Curseur.Temps = TempsAnnulation;
    Curseur.Corde = CordeAnnulation;
    RedessinerMesure();
    DessinerSignatureSaisie();
    Commandes().SetEnabled(Cmd::Ac_Edition_Annuler, false);
    FenetrePrincipale().ZoneSaisieModifiee();
}

void AnnulerMesure()
{
    MesureEnCours() = CopieMesureEntree;
    Curseur.Temps = 1;
    Curseur.Corde = 1;
    RedessinerMesure();
    Commandes().SetEnabled(Cmd::Ac_Edition_Annuler, false);
    Commandes().SetEnabled(Cmd::BT_AnnulerMesure, false);
    FenetrePrincipale().ZoneSaisieModifiee();
}

void ValiderMesure()
{
    MesureAnnulation = MesureEnCours();
    CopieMesureEntree = MesureEnCours();
    TempsAnnulation = Curseur.Temps;
    CordeAnnulation = Curseur.Corde;
    ApresChangementMesure();
    if (Commandes().Enabled(Cmd::BT_AnnulerMesure))
        FenetrePrincipale().RedessinerLignesModifiees(Partition.MesureCourante);
    Commandes().SetEnabled(Cmd::Ac_Edition_Annuler, false);
    Commandes().SetEnabled(Cmd::BT_AnnulerMesure, false);
    FenetrePrincipale().PlacerCadreMesure();
}

void ValiderMesureSiActif()
{
    if (Commandes().Enabled(Cmd::BT_Valider))
        ValiderMesure();
}

void Ac_Edition_AnnulerExecute()
{
    PartitionModifiee = true;
    AnnulerDerniereEdition();
    ActualiserCommandes();
}

void BT_AnnulerMesureClick()
{
    PartitionModifiee = true;
    AnnulerMesure();
    ActualiserCommandes();
}

void BT_ValiderClick()
{
    ValiderMesure();
    ActualiserCommandes();
}

void ApresChangementMesure() {}

// ---- Track buttons -------------------------------------------------------------------------

bool PisteAvecTemps(int32_t piste)
{
    if (piste < 1 || piste > kNbPistes)
        return false;
    const int32_t nb = std::clamp<int32_t>(Partition.NbMesures, 0, kNbMesuresMax);
    for (int32_t m = 1; m <= nb; ++m)
        if (Partition.Mesures[m] && Partition.Mesures[m]->NbTemps[piste] > 0)
            return true;
    return false;
}

bool CalculerCouleurBoutonPiste(int32_t piste)
{
    if (piste < 1 || piste > kNbPistes)
        return false;
    BoutonPisteBleu[piste] = PisteAvecTemps(piste);
    return BoutonPisteBleu[piste];
}

bool TesterCouleurBoutonPiste() { return BoutonPisteBleu[PisteValide()]; }

void VerifierCouleurBoutonPiste(int32_t mesureQuittee)
{
    if (mesureQuittee < 1 || mesureQuittee > kNbMesuresMax || !Partition.Mesures[mesureQuittee])
        return;
    const bool vide = Partition.Mesures[mesureQuittee]->NbTemps[PisteValide()] == 0;
    const bool bleu = TesterCouleurBoutonPiste();
    if ((vide && bleu) || (!vide && !bleu)) {
        CalculerCouleurBoutonPiste(PisteValide());
        FenetrePrincipale().ColorerBoutonPiste(PisteValide());
    }
}

// ---- Measure lengths -----------------------------------------------------------------------

double CalculerDureeMesure(int32_t piste, int32_t mesure)
{
    if (piste < 1 || piste > kNbPistes || mesure < 1 || mesure > kNbMesuresMax || !Partition.Mesures[mesure])
        return 0.0;
    const TMesure& bloc = *Partition.Mesures[mesure];
    const int32_t n = std::clamp<int32_t>(bloc.NbTemps[piste], 0, kNbTempsMax);
    int64_t ticks = 0;
    for (int32_t b = 1; b <= n; ++b)
        ticks += bloc.Temps[piste][b].Duree;
    return static_cast<double>(ticks) / kTicksNoire;
}

bool VerifierDureeMesures()
{
    for (int32_t t = 1; t <= kNbPistes; ++t) {
        if (!PisteAvecTemps(t))
            continue;
        for (int32_t m = 1; m <= Partition.NbMesures; ++m) {
            if (!Partition.Mesures[m] || CalculerDureeMesure(t, m) == Partition.Mesures[m]->Duree)
                continue;

            PisteCourante = t;
            Partition.MesureCourante = m;
            CopieMesureEntree = MesureEnCours();
            Curseur.Temps = 1;
            // The string is kept, but it must exist on the track now shown.
            Curseur.Corde = std::clamp<int32_t>(Curseur.Corde, 1, std::max<int32_t>(1, Partition.NbCordes[t]));
            RedessinerMesure();
            ApresChangementMesure();
            FenetrePrincipale().RedessinerPartition();
            Commandes().SetEnabled(Cmd::BT_AnnulerMesure, false);
            Commandes().SetEnabled(Cmd::Ac_Edition_Annuler, false);
            FenetrePrincipale().ActualiserMenuPistes();
            FenetrePrincipale().MontrerPalettePercussion(t == kPistePercussions);
            Commandes().SetEnabled(Cmd::Ac_Ass_Percussion, t == kPistePercussions);
            ActualiserCommandes();

            AfficherMessage(Traduire("Dlg-Attention"),
                            FormaterMessage2(Traduire("AssCD-DureeInvalide"), std::to_string(m), std::to_string(t)),
                            IconeAvertissement, BoutonOK, DefautOK, PlacementCentre);
            return false;
        }
    }
    AfficherMessage(Traduire("Dlg-Information"), Traduire("AssCD-VerificationTerminee"), IconeInformation,
                    BoutonOK, DefautOK, PlacementCentre);
    return true;
}

bool ControlerDurees() { return true; }

// ---- Numbers typed in dialogs ----------------------------------------------------------------

namespace {

std::string_view SansBlancs(std::string_view t)
{
    while (!t.empty() && (t.front() == ' ' || t.front() == '\t'))
        t.remove_prefix(1);
    while (!t.empty() && (t.back() == ' ' || t.back() == '\t'))
        t.remove_suffix(1);
    return t;
}

} // namespace

std::optional<double> TexteVersReel(std::string_view texte, char separateurSysteme)
{
    // Either separator is read as the system's, which is then the decimal point of the number.
    std::string t(SansBlancs(texte));
    for (char& c : t) {
        if (separateurSysteme != '.' && c == '.')
            c = separateurSysteme;
        else if (separateurSysteme == '.' && c == ',')
            c = '.';
    }
    for (char& c : t)
        if (c == separateurSysteme)
            c = '.';
    std::string_view v = t;
    if (!v.empty() && v.front() == '+')
        v.remove_prefix(1);
    if (v.empty() || v.front() == '+' || v.front() == ' ')
        return std::nullopt;
    double valeur = 0.0;
    const auto [fin, erreur] = std::from_chars(v.data(), v.data() + v.size(), valeur, std::chars_format::general);
    if (erreur != std::errc() || fin != v.data() + v.size() || !std::isfinite(valeur))
        return std::nullopt;
    return valeur;
}

std::optional<double> TexteVersReel(std::string_view texte) { return TexteVersReel(texte, SeparateurDecimal()); }

std::optional<int32_t> TexteVersEntier(std::string_view texte)
{
    std::string_view v = SansBlancs(texte);
    if (!v.empty() && v.front() == '+')
        v.remove_prefix(1);
    if (v.empty() || v.front() == '+')
        return std::nullopt;
    int32_t valeur = 0;
    const auto [fin, erreur] = std::from_chars(v.data(), v.data() + v.size(), valeur);
    if (erreur != std::errc() || fin != v.data() + v.size())
        return std::nullopt;
    return valeur;
}

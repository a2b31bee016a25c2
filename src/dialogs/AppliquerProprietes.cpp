#include "dialogs/AppliquerProprietes.h"

#include "document/Fenetre.h"
#include "document/Fichiers.h"
#include "document/Langue.h"
#include "document/Mess.h"
#include "document/Proprietes.h"
#include "editor/DessinSaisie.h"
#include "editor/Ed_fct.h"
#include "platform/Sablier.h"

#include <algorithm>
#include <string>

namespace {

int32_t BornerCordes(int32_t n) { return std::clamp<int32_t>(n, 1, kNbCordesMax); }

bool EstVide(std::string_view texte) { return texte.find_first_not_of(" \t") == std::string_view::npos; }

// Beats 1..NbTemps of the track in a block; the count is never trusted beyond the slots.
int32_t NbTempsBloc(const TMesure& bloc, int32_t piste)
{
    return std::clamp<int32_t>(bloc.NbTemps[piste], 0, kNbTempsMax);
}

void DeplacerNotesBloc(TMesure& bloc, int32_t piste, int32_t nbAncien, int32_t nbNouveau)
{
    const int32_t n = NbTempsBloc(bloc, piste);
    for (int32_t b = 1; b <= n; ++b)
        DeplacerNotesTemps(bloc.Temps[piste][b], nbAncien, nbNouveau);
}

} // namespace

VerificationProprietes VerifierProprietes(std::string_view tempo, std::string_view capo, int32_t piste,
                                          int32_t nbCordesNouveau)
{
    if (EstVide(tempo))
        return {RefusProprietes::TempoVide, 0};
    if (EstVide(capo) || !TexteVersEntier(capo))
        return {RefusProprietes::CapoVide, 0};
    const std::optional<int32_t> t = TexteVersEntier(tempo);
    if (!t || *t < 1 || *t > 999)
        return {RefusProprietes::TempoInvalide, 0};
    if (const int32_t m = MesureAvecNotesCordesRetirees(piste, nbCordesNouveau); m > 0)
        return {RefusProprietes::CordesOccupees, m};
    return {};
}

int32_t MesureAvecNotesCordesRetirees(int32_t piste, int32_t nbCordesNouveau)
{
    if (piste < 1 || piste > kNbPistes)
        return 0;
    const int32_t retirees = BornerCordes(Partition.NbCordes[piste]) - BornerCordes(nbCordesNouveau);
    if (retirees <= 0)
        return 0;
    const int32_t nbMesures = std::clamp<int32_t>(Partition.NbMesures, 0, kNbMesuresMax);
    for (int32_t m = 1; m <= nbMesures; ++m) {
        const TMesure* bloc = Partition.Mesures[m].get();
        if (!bloc)
            continue;
        const int32_t n = NbTempsBloc(*bloc, piste);
        for (int32_t b = 1; b <= n; ++b)
            for (int32_t s = 1; s <= retirees; ++s)
                if (bloc->Temps[piste][b].Notes[s].Frette >= 0)
                    return m;
    }
    return 0;
}

void SignalerCordesOccupees(int32_t mesure, int32_t nbCordes)
{
    AfficherMessage(Traduire("Dlg-Erreur"),
                    FormaterMessage2(Traduire("Prop-PeutPasChangerDeNbDeCordes"), std::to_string(mesure),
                                     std::to_string(nbCordes)),
                    IconeErreur, BoutonOK, DefautOK, PlacementCentre);
}

void DeplacerNotesTemps(TTemps& temps, int32_t nbAncien, int32_t nbNouveau)
{
    nbAncien = BornerCordes(nbAncien);
    nbNouveau = BornerCordes(nbNouveau);
    const int32_t d = nbNouveau - nbAncien;
    auto& notes = temps.Notes;
    if (d > 0) {
        for (int32_t s = nbNouveau; s >= d + 1; --s)
            notes[s] = notes[s - d];
        for (int32_t s = d; s >= 1; --s) {
            TNoteCorde& n = notes[s];
            n.Frette = kPasDeNote;
            n.Effet = 0;
            n.ValeurBend = 1.0;
            n.Nuance = 6;
            n.FretteGrace = kPasDeNote;
        }
    } else if (d < 0) {
        for (int32_t s = 1; s <= nbNouveau; ++s)
            notes[s] = notes[s - d];
    }
}

void DeplacerNotesPiste(int32_t piste, int32_t nbAncien, int32_t nbNouveau)
{
    if (piste < 1 || piste > kNbPistes || BornerCordes(nbAncien) == BornerCordes(nbNouveau))
        return;
    const int32_t nbMesures = std::clamp<int32_t>(Partition.NbMesures, 0, kNbMesuresMax);
    for (int32_t m = 1; m <= nbMesures; ++m)
        if (TMesure* bloc = Partition.Mesures[m].get())
            DeplacerNotesBloc(*bloc, piste, nbAncien, nbNouveau);
    // Both copies are of the current measure as it stood before: left unmoved, restoring one
    // would put the old string layout back under the new count.
    DeplacerNotesBloc(MesureAnnulation, piste, nbAncien, nbNouveau);
    DeplacerNotesBloc(CopieMesureEntree, piste, nbAncien, nbNouveau);
}

void AppliquerProprietes(int32_t pisteOnglet)
{
    for (int32_t t = 1; t <= kNbPistes; ++t) {
        const int32_t ancien = Partition.NbCordes[t];
        const int32_t nouveau = ProprietesTempo.NbCordes[t];
        if (nouveau == ancien)
            continue;
        platform::Sablier sablier;
        DeplacerNotesPiste(t, ancien, nouveau);
    }
    CopierProprietesVersPartition();
    PisteCourante = std::clamp<int32_t>(pisteOnglet, 1, kNbPistes);

    IFenetrePrincipale& fenetre = FenetrePrincipale();
    fenetre.AfficherTitreLabel(LigneTitrePartition().c_str());
    PartitionModifiee = true;
    PartitionVierge = false;
    Curseur.Corde = 1;
    Curseur.Temps = 1;
    RedessinerMesure();
    fenetre.RedessinerPartition();
    fenetre.ActualiserCommandes();
    fenetre.ActualiserMenuPistes();
}

#include "editor/LigneEsquisse.h"

#include "document/Configuration.h"
#include "document/Variable.h"
#include "editor/Disposition.h"
#include "editor/Scrolling.h"

#include <algorithm>

void DessinerLigneEsquisse(int32_t ligne)
{
    ChoisirBande(CalculerBandeLigne(ligne));
    platform::Canevas* canevas = CanvasEcran();
    if (!canevas)
        return;
    const TLignesAffichage& la = LignesAffichage;
    const TParamEcran& p = ParamEcranCourant;
    const TBande& bande = AffichagePartition.Bandes[la.BandeCourante];

    const auto fond = platform::Couleur::DeValeur(p.ColBackG);
    canevas->SetStylo(fond);
    canevas->SetBrosse(fond);
    canevas->Rectangle(0, 0, bande.Largeur + 1, bande.Hauteur + 1);

    const int32_t premiere = la.PremiereMesure[ligne];
    if (premiere == 0)
        return;
    const int32_t derniere = std::min(la.DerniereMesure[ligne], std::min(Partition.NbMesures, kNbMesuresMax));
    const int32_t n = std::clamp(Partition.NbCordes[PisteCourante], 1, kNbCordesMax);
    const int32_t e = p.EspLignes;
    const int32_t y = YPorteeLigne();
    const int32_t bas = y + (n - 1) * e;
    const int32_t epaisseur = e >= 9 ? 2 : 1;

    const auto traits = platform::Couleur::DeValeur(p.ColLines);
    canevas->SetStylo(traits);
    canevas->SetBrosse(traits);
    for (int32_t m = premiere; m <= derniere; ++m) {
        const TMesure* mesure = Partition.Mesures[m].get();
        if (!mesure)
            continue;
        const int32_t xl = mesure->XGauche;
        const int32_t xr = mesure->XDroite;
        for (int32_t s = 1; s <= n; ++s)
            canevas->Ligne(xl, y + (s - 1) * e, xr, y + (s - 1) * e);
        if (m == premiere)
            canevas->FillRect(xl, y, xl + epaisseur, bas + 1);
        canevas->FillRect(xr - epaisseur, y, xr, bas + 1);
        if (m == Partition.NbMesures)
            canevas->FillRect(xr - epaisseur - 4, y, xr - 4, bas + 1);
        const auto& temps = mesure->Temps[PisteCourante];
        for (int32_t b = 1, nb = std::clamp(mesure->NbTemps[PisteCourante], 0, kNbTempsMax); b <= nb; ++b) {
            const int32_t x = p.MargeGaucheLignes + temps[b].XEcran;
            canevas->Ligne(x, bas + 4, x, bas + 12);
        }
    }
}

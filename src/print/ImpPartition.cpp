#include "print/ImpPartition.h"

#include "print/ImpLignes.h"
#include "print/ImpPage.h"
#include "print/Impress.h"
#include "platform/Arrondi.h"
#include "platform/Sablier.h"

#include <algorithm>
#include <utility>

namespace {

const TGeometrieImpr& G = kGeometrieImpr;

int R(double v) { return static_cast<int>(platform::Round(v)); }

// The saved margins, put back and the canvas let go however the job ends.
class GardeMarges {
public:
    GardeMarges()
        : gauche_(ParamImpCourant.MargeGaucheLignes), droite_(ParamImpCourant.MargeDroiteLignes),
          haut_(ParamImpCourant.MargeHautePart), bas_(ParamImpCourant.MargeBassePart)
    {
    }
    ~GardeMarges()
    {
        ParamImpCourant.MargeGaucheLignes = gauche_;
        ParamImpCourant.MargeDroiteLignes = droite_;
        ParamImpCourant.MargeHautePart = haut_;
        ParamImpCourant.MargeBassePart = bas_;
        CanvasImpr = nullptr;
        CanevasMesureImpr = nullptr;
    }
    GardeMarges(const GardeMarges&) = delete;
    GardeMarges& operator=(const GardeMarges&) = delete;

    double gauche_, droite_, haut_, bas_;
};

bool PageDessinee(int32_t page, int32_t premiere, int32_t derniere)
{
    return premiere == 0 || (page >= premiere && page <= derniere);
}

void Cadre(const GardeMarges& marges)
{
    const TZoneImpression& p = ParamImpCourant;
    if (!p.FullPage && p.TracerCadre_Prt)
        ImprimerCadre(marges.gauche_, marges.droite_, marges.haut_, marges.bas_);
}

} // namespace

TSortieCanevas::TSortieCanevas(platform::Canevas& canevas, int32_t largeur, int32_t hauteur, double facteurEchelle,
                               bool apercu)
    : canevas_(canevas), largeur_(largeur), hauteur_(hauteur), facteur_(facteurEchelle), apercu_(apercu)
{
}

platform::Canevas& TSortieCanevas::CommencerPage(int32_t page)
{
    derniere_ = page;
    canevas_.SetStylo(platform::clBlack, 1);
    canevas_.SetBrosse(platform::clWhite);
    canevas_.Rectangle(0, 0, largeur_ + 1, hauteur_ + 1);
    return canevas_;
}

int32_t ImprimerPartition(ISortieImpression& sortie, int32_t premierePage, int32_t dernierePage,
                          int32_t premiereMesure, TBilanImpression* bilan)
{
    TZoneImpression& p = ParamImpCourant;
    if (!sortie.Apercu())
        p.ZoomApercu = 1.0;
    const platform::Sablier sablier;
    const GardeMarges marges;
    if (p.LargeurBase <= 0)
        CalculerLargeursTempsImpression();

    LargeurPage = sortie.LargeurPage();
    HauteurPage = sortie.HauteurPage();
    CalculerEchelleImpression(sortie.PixelsParPouce());
    p.EchellePixMm *= sortie.FacteurEchelle();

    // Working margins. The margins keep their real size on paper whatever the proportions.
    const double C = p.CoefProportions;
    const double reel = static_cast<double>(p.EchellePixMm) / C;
    const double W = LargeurPage / reel;
    const double H = HauteurPage / reel;
    if (!p.FullPage) {
        p.MargeDroiteLignes = W + p.MargeDroiteLignes - p.MargeGaucheLignes - p.Largeur_Prt;
        p.MargeBassePart = H + p.MargeBassePart - p.MargeHautePart - p.Hauteur_Prt;
        if (p.Center_Prt) {
            p.MargeGaucheLignes = p.MargeDroiteLignes = (p.MargeGaucheLignes + p.MargeDroiteLignes) / 2;
            p.MargeHautePart = p.MargeBassePart = (p.MargeHautePart + p.MargeBassePart) / 2;
        }
    }
    p.MargeGaucheLignes /= C;
    p.MargeDroiteLignes /= C;
    p.MargeHautePart /= C;
    p.MargeBassePart /= C;

    CanevasMesureImpr = sortie.CanevasMesure();
    const double e = EchelleImpr();
    const double haut = p.MargeHautePart;
    const double hauteurDispo = HauteurPage / e - haut - p.MargeBassePart;
    int32_t page = 1;
    int32_t dessinees = 0;
    bool dessin = PageDessinee(page, premierePage, dernierePage);
    auto commencer = [&] {
        CanvasImpr = &sortie.CommencerPage(page);
        ++dessinees;
    };
    if (dessin)
        commencer();

    p.PosY = haut;
    if (dessin)
        ImprimerEntete();
    ImprimerListeAccords(dessin);

    const int32_t piste = PisteImpr();
    p.PosY = haut + 55 + p.Esp_Titre_Auteur_Prt / 2.0 + p.Esp_Auteur_Tab_Prt / 2.0;
    if (!p.AffTriplet_Prt || (Partition.TripletFeel == 0 && Partition.Capo[piste] == 0))
        p.PosY -= 8;
    p.PosY += p.HauteurListeAccords;
    // The first line starts a millimetre below everything the chord list draws: the list's
    // height leaves room for a line without diagrams or endings only.
    std::optional<double> sousListe;
    if (platform::Canevas* c = CanvasImpr ? CanvasImpr : CanevasMesureImpr)
        if (const std::optional<double> bas = BasListeAccordsImpr(*c))
            sousListe = *bas + 1;

    const int32_t nb = std::clamp<int32_t>(Partition.NbMesures, 0, kNbMesuresMax);
    const int32_t n = NbCordesImpr();
    int32_t m = std::max(premiereMesure, 1);
    while (m <= nb) {
        m = ImprimerLigne(m, dessin, std::exchange(sousListe, std::nullopt)) + 1;
        p.PosY += kHauteurBaseLigne + p.EspPortees_Prt / 2.0 + (n - 1) * kEcartCordes;
        // The lowest point the next line needs: 14.75 mm below its bottom string, which rows
        // of texts over its diagrams move down.
        double croissance = 0;
        if (m <= nb) {
            const double y = p.PosY;
            ImprimerLigne(m, false);
            croissance = p.PosY - y;
            p.PosY = y;
        }
        const double bas = n * kEcartCordes + p.PosY + croissance + G.LongueurHampe + G.EcartTriolet + 2 + 5;
        if (bas > haut + hauteurDispo && m <= nb) {
            if (dessin) {
                Cadre(marges);
                ImprimerPiedPage(page);
            }
            ++page;
            p.PosY = haut + 10;
            dessin = PageDessinee(page, premierePage, dernierePage);
            if (dessin)
                commencer();
            else
                CanvasImpr = nullptr;
        }
    }
    if (dessin) {
        Cadre(marges);
        // A one-page score has no footer.
        if (page > 1)
            ImprimerPiedPage(page);
    }
    sortie.Terminer();
    if (bilan) {
        bilan->NbPages = page;
        bilan->PagesDessinees = dessinees;
    }
    return m;
}

void ImprimerCadre(double gauche, double droite, double haut, double bas)
{
    platform::Canevas* c = CanvasImpr;
    if (!c)
        return;
    const TZoneImpression& p = ParamImpCourant;
    const double e = EchelleImpr();
    const double C = p.CoefProportions;
    c->SetStylo(platform::clBlack, 1);
    c->SetBrosseVide();
    c->Rectangle(R((p.MargeGaucheLignes - gauche / C) * e), R((p.MargeHautePart - haut / C) * e),
                 R((LargeurPage / e - p.MargeDroiteLignes + droite / C) * e),
                 R((HauteurPage / e - p.MargeBassePart + bas / C) * e));
}

void NormaliserPagesImpression(int32_t& premiere, int32_t& derniere)
{
    if (premiere > 0 && derniere == 0)
        derniere = premiere;
    if (derniere < premiere)
        std::swap(premiere, derniere);
}

#include "print/Impress.h"

#include "editor/Fontes.h"
#include "print/ImpLignes.h"
#include "platform/Arrondi.h"

#include <algorithm>

platform::Canevas* CanvasImpr = nullptr;
platform::Canevas* CanevasMesureImpr = nullptr;
int32_t LargeurPage = 0;
int32_t HauteurPage = 0;
int32_t PremiereMesureLigneImpr = 1;

void InitialiserImpression()
{
    TPolicesLabels& polices = PolicesLabels();
    polices.Definir("FontEff_Prt", TMyFont{"Arial", 5, false, false, CouleurNoire});
    polices.Definir("FontEffItalic_Prt", TMyFont{"Arial", 6, false, true, CouleurNoire});
    polices.Definir("FontValEff_Prt", TMyFont{"Arial", 6, false, false, CouleurNoire});
    polices.Definir("FontTriolet_Prt", TMyFont{"Arial", 8, false, true, CouleurNoire});
    polices.Definir("FontNumM_Prt", TMyFont{"Arial", 6, false, false, CouleurNoire});

    TZoneImpression& p = ParamImpCourant;
    p.AjusterApercu = true;
    p.MesureEnCours = 1;
    p.HauteurBaseLigne = kHauteurBaseLigne;
    p.EcartCordes = kEcartCordes;
    p.GeometrieImpr = kGeometrieImpr;
    CalculerLargeursTempsImpression();
}

double CoefProportionsDe(int32_t g)
{
    if (g > 0)
        return 1.0 + g / 20.0;
    if (g < 0)
        return 1.0 / (1.0 + (-g) / 20.0);
    return 1.0;
}

void CalculerEchelleImpression()
{
    if (CanvasImpr)
        CalculerEchelleImpression(CanvasImpr->PixelsParPouce());
}

void CalculerEchelleImpression(int pixelsParPouce)
{
    TZoneImpression& p = ParamImpCourant;
    p.CoefProportions = CoefProportionsDe(p.GlobalProportions_Prt);
    p.EchellePixMm = static_cast<long double>(pixelsParPouce) / 25.4L * p.CoefProportions;
}

// ---- Shared by the painters ----------------------------------------------------------------

double EchelleImpr() { return static_cast<double>(ParamImpCourant.EchellePixMm); }

int PixImpr(double mm) { return static_cast<int>(platform::Round(mm * EchelleImpr())); }

int XImpr(double x) { return PixImpr(ParamImpCourant.MargeGaucheLignes + x); }

int TailleImpr(double points)
{
    const TZoneImpression& p = ParamImpCourant;
    const int taille = static_cast<int>(platform::Round(points * p.CoefProportions * p.ZoomApercu));
    return std::max(taille, 1);
}

platform::StyleFonte PoliceImpr(std::string_view label)
{
    platform::StyleFonte fonte = PolicesLabels().PoliceDessin(label);
    fonte.taille = TailleImpr(fonte.taille);
    return fonte;
}

void StyloImpr(platform::Canevas& c, double epaisseurMm) { c.SetStylo(platform::clBlack, PixImpr(epaisseurMm)); }

void RemplissageImpr(platform::Canevas& c)
{
    c.SetStylo(platform::clBlack, 1);
    c.SetBrosse(platform::clBlack);
}

void FondTexteImpr(platform::Canevas& c, bool opaque)
{
    if (opaque || Configuration.BlackBlocks)
        c.SetBrosse(platform::clWhite);
    else
        c.SetBrosseVide();
}

int32_t PisteImpr() { return std::clamp<int32_t>(PisteCourante, 1, kNbPistes); }

int32_t NbCordesImpr() { return std::clamp<int32_t>(Partition.NbCordes[PisteImpr()], 1, kNbCordesMax); }

TMesure* MesureImpr(int32_t m)
{
    if (m < 1 || m > std::min(Partition.NbMesures, kNbMesuresMax))
        return nullptr;
    return Partition.Mesures[m].get();
}

int32_t NbTempsImpr(int32_t m)
{
    const TMesure* bloc = MesureImpr(m);
    return bloc ? std::clamp<int32_t>(bloc->NbTemps[PisteImpr()], 0, kNbTempsMax) : 0;
}

double YCordeImpr(int32_t s) { return ParamImpCourant.PosY + (s - 1) * kEcartCordes; }

double YCrochesImpr() { return ParamImpCourant.PosY + NbCordesImpr() * kEcartCordes + kGeometrieImpr.LongueurHampe; }

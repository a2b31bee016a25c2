#include "print/ImpEffets.h"

#include "editor/EffetsSaisie.h"
#include "editor/PlacementTextes.h"
#include "print/ImpNotes.h"
#include "print/ImpPage.h"
#include "print/Impress.h"
#include "platform/Arrondi.h"

#include <algorithm>
#include <vector>

namespace {

const TGeometrieImpr& G = kGeometrieImpr;

int R(double v) { return static_cast<int>(platform::Round(v)); }
int T(double v) { return static_cast<int>(platform::Trunc(v)); }

const TTemps* Temps(int32_t b)
{
    TMesure* bloc = MesureImpr(ParamImpCourant.MesureEnCours);
    if (!bloc || b < 1 || b > NbTempsImpr(ParamImpCourant.MesureEnCours))
        return nullptr;
    return &bloc->Temps[PisteImpr()][b];
}

void Fleche(platform::Canevas& c, double e, bool haut, int X, int Y)
{
    const int dy = haut ? 1 : -1;
    c.Ligne(X, Y, R(X + e), R(Y + dy * e));
    c.Ligne(X, Y, R(X - e), R(Y + dy * e));
}

void Zigzag(platform::Canevas& c, double x, double xSuivant, double yc, double pas, double epaisseur)
{
    const double e = EchelleImpr();
    const double mg = ParamImpCourant.MargeGaucheLignes;
    StyloImpr(c, epaisseur);
    // Stops at least 3 mm before the next beat.
    const int segments = T((xSuivant - 3 - x) / pas);
    for (int i = 0; i < segments; ++i) {
        const double xa = x + mg + i * pas;
        const double ya = i % 2 == 0 ? yc + pas / 2 : yc - pas / 2;
        const double yb = i % 2 == 0 ? yc - pas / 2 : yc + pas / 2;
        c.Ligne(R(xa * e), R(ya * e), R((xa + pas) * e), R(yb * e));
    }
}

} // namespace

void ImprimerEffetsTemps(int32_t b)
{
    platform::Canevas* c = CanvasImpr;
    const TTemps* t = Temps(b);
    if (!c || !t)
        return;
    const TZoneImpression& p = ParamImpCourant;
    const double e = EchelleImpr();
    const double x = t->XImp;
    const double xm = x + p.MargeGaucheLignes;
    const int32_t n = NbCordesImpr();

    if (t->Brush == 1 || t->Brush == 2) {
        // 1.5 mm right of the widest number, measured in the font the numbers print in.
        c->SetFonte(PoliceImpr("FontNotes_Prt"));
        const int W = LargeurMaxFrettesImpression(*c, *t);
        StyloImpr(*c, 0.15);
        const int X = R((xm + 1.5) * e) + R(W / 2.0);
        const int yHaut = R((p.PosY + kEcartCordes / 3) * e);
        const int yBas = R((p.PosY - kEcartCordes / 3 + (n - 1) * kEcartCordes) * e);
        c->Ligne(X, yHaut, X, yBas);
        if (t->Brush == 1)
            Fleche(*c, e, true, X, yHaut);
        else
            Fleche(*c, e, false, X, yBas);
    }

    const double yc = p.PosY - G.HauteurEffets;
    const double xSuivant = b < NbTempsImpr(p.MesureEnCours) ? Temps(b + 1)->XImp : x + 8.0;
    platform::StyleFonte fonte = PoliceImpr("FontValEff_Prt");
    switch (t->Effet) {
    case 4:
    case 5:
    case 6:
    case 7:
    case 8:
    case 9: {
        if (t->Effet == 4)
            fonte.taille += 2;
        c->SetFonte(fonte);
        c->SetLargeurStylo(1);
        FondTexteImpr(*c);
        const std::string lettre = LettreEffetTemps(t->Effet);
        const int w = c->TextWidth(lettre);
        const int hT = c->TextHeight("T");
        c->TextOut(R(xm * e - w / 2.0), R(yc * e - hT / 2.0), lettre);
        break;
    }
    case 1: Zigzag(*c, x, xSuivant, yc, G.PasVibrato, G.EpaisseurVibrato); break;
    case 2: Zigzag(*c, x, xSuivant, yc, G.PasTremolo, G.EpaisseurTremolo); break;
    case 3: {
        const double yv = yc + 1.0;
        StyloImpr(*c, G.EpaisseurCoupVib);
        c->MoveTo(R((xm - 3) * e), R((yv - 2) * e));
        c->LineTo(R(xm * e), R(yv * e));
        c->LineTo(R((xm + 3) * e), R((yv - 2) * e));
        c->SetFonte(fonte);
        c->SetLargeurStylo(1);
        FondTexteImpr(*c);
        const std::string texte = TexteValeurEffet(t->ValeurCoupVib);
        const platform::Dimension d = c->TextExtent(texte);
        // The arms rise 2 mm over 3: 0.6 mm over the point only, the outer digits of a wider
        // amount sat on them. Its cell ends 0.3 mm over the arms where its outer columns
        // cross them.
        const double demiLargeur = std::min(d.cx / 2.0 / e, 3.0);
        const double bas = std::min(yv - 0.6, yv - demiLargeur * 2.0 / 3.0 - 0.3);
        c->TextOut(R(xm * e - d.cx / 2.0), R(bas * e - d.cy), texte);
        break;
    }
    default: break;
    }
}

void ImprimerAccord(int32_t b)
{
    platform::Canevas* c = CanvasImpr;
    const TTemps* t = Temps(b);
    if (!c || !t || !t->AvecAccord || !t->Accord)
        return;
    const TZoneImpression& p = ParamImpCourant;
    const TAccord& accord = *t->Accord;
    const double e = EchelleImpr();
    const double xm = t->XImp + p.MargeGaucheLignes;
    const bool diagramme = accord.AvecDiagramme();

    if (p.AffChordsName_Prt && (!diagramme || !p.AffDiag_Prt)) {
        // The name starts half a letter before the beat.
        c->SetFonte(PoliceImpr("FontAcc_Prt"));
        FondTexteImpr(*c);
        const int w = c->TextWidth("C");
        const std::string_view nom = accord.Nom.view();
        const int h = c->TextHeight(nom);
        const double yc = p.PosY - G.DecalageNomAccord - p.EspNomAc_Prt / 3.0;
        c->TextOut(R(xm * e - w / 2.0), R(yc * e - h / 2.0), nom);
        return;
    }
    if (p.AffDiag_Prt && diagramme)
        ImprimerDiagramme(accord, true, xm, p.PosY - G.DecalageDiagramme - p.EspDiagAc_Prt / 3.0);
}

namespace {

struct TextePlace {
    int32_t mesure = 0;
    int32_t temps = 0;
    int x = 0; // device pixels
};

// The texts of the line being printed (PlacerTextesLigne), measures premiere..derniere.
struct TextesLigne {
    int32_t premiere = 0;
    int32_t derniere = -1;
    std::vector<TextePlace> places;
};
TextesLigne textesLigne;

std::vector<TextePlace> PlacerTextes(int32_t premiere, int32_t derniere)
{
    std::vector<TextePlace> places;
    platform::Canevas* c = CanvasImpr;
    if (!c)
        return places;
    const TZoneImpression& p = ParamImpCourant;
    const int32_t piste = PisteImpr();
    auto pourChaqueTemps = [&](auto&& faire) {
        for (int32_t m = premiere; m <= derniere; ++m)
            if (const TMesure* bloc = MesureImpr(m))
                for (int32_t b = 1; b <= NbTempsImpr(m); ++b)
                    faire(m, b, bloc->Temps[piste][b]);
    };
    pourChaqueTemps([&](int32_t m, int32_t b, const TTemps& t) {
        if (!t.Texte.empty())
            places.push_back({m, b, 0});
    });
    if (places.empty())
        return places;

    const double e = EchelleImpr();
    std::vector<TZoneEncre> diagrammes;
    if (p.AffDiag_Prt) {
        const double yDiagramme = p.PosY - G.DecalageDiagramme - p.EspDiagAc_Prt / 3.0;
        pourChaqueTemps([&](int32_t, int32_t, const TTemps& t) {
            if (t.AvecAccord && t.Accord && t.Accord->AvecDiagramme())
                diagrammes.push_back(
                    ZoneDiagramme(*c, *t.Accord, true, t.XImp + p.MargeGaucheLignes, yDiagramme));
        });
    }
    c->SetFonte(PoliceImpr("FontTxt_Prt"));
    const platform::Dimension lettre = c->TextExtent("C");
    const int haut = R((p.PosY - G.DecalageTexte - p.EspTexte_Prt / 3.0) * e - lettre.cy / 2.0);
    std::vector<TZoneEncre> textes;
    textes.reserve(places.size());
    for (const TextePlace& place : places) {
        const TTemps& t = MesureImpr(place.mesure)->Temps[piste][place.temps];
        const platform::Dimension d = c->TextExtent(t.Texte.view());
        const int gauche = R((t.XImp + p.MargeGaucheLignes) * e - lettre.cx / 2.0);
        textes.push_back({static_cast<double>(gauche), static_cast<double>(haut), static_cast<double>(gauche + d.cx),
                          static_cast<double>(haut + d.cy)});
    }
    // Half a millimetre past a diagram, half a letter past a text, within the right margin.
    const TReglesPlacementTextes regles{static_cast<double>(std::max(R(0.5 * e), 1)),
                                        static_cast<double>(std::max(R(lettre.cx / 2.0), 1)),
                                        static_cast<double>(R(LargeurPage - p.MargeDroiteLignes * e))};
    const std::vector<double> gauches = PlacerTextesTemps(diagrammes, textes, regles);
    for (std::size_t i = 0; i < places.size(); ++i)
        places[i].x = R(gauches[i]);
    return places;
}

} // namespace

void PlacerTextesLigne(int32_t premiere, int32_t derniere)
{
    textesLigne = {premiere, derniere, PlacerTextes(premiere, derniere)};
}

void OublierTextesLigne() { textesLigne = {}; }

void ImprimerTexteTemps(int32_t b)
{
    platform::Canevas* c = CanvasImpr;
    const TTemps* t = Temps(b);
    if (!c || !t || t->Texte.empty())
        return;
    const TZoneImpression& p = ParamImpCourant;
    const int32_t m = p.MesureEnCours;
    // Printed outside a line, a measure is placed on its own.
    std::vector<TextePlace> seule;
    const std::vector<TextePlace>& places = m >= textesLigne.premiere && m <= textesLigne.derniere
                                                ? textesLigne.places
                                                : (seule = PlacerTextes(m, m));
    const auto place = std::find_if(places.begin(), places.end(),
                                    [&](const TextePlace& tp) { return tp.mesure == m && tp.temps == b; });
    if (place == places.end())
        return;
    const double e = EchelleImpr();
    c->SetFonte(PoliceImpr("FontTxt_Prt"));
    FondTexteImpr(*c);
    const platform::Dimension d = c->TextExtent("C");
    const double y = p.PosY - G.DecalageTexte - p.EspTexte_Prt / 3.0;
    c->TextOut(place->x, R(y * e - d.cy / 2.0), t->Texte.view());
}

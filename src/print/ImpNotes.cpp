#include "print/ImpNotes.h"

#include "editor/EcranNotes.h"
#include "editor/EffetsSaisie.h"
#include "editor/Fontes.h"
#include "print/ImpRythme.h"
#include "print/Impress.h"
#include "platform/Arrondi.h"

#include <algorithm>
#include <optional>

namespace {

const TGeometrieImpr& G = kGeometrieImpr;

int R(double v) { return static_cast<int>(platform::Round(v)); }

const TTemps* Temps(int32_t b)
{
    TMesure* bloc = MesureImpr(ParamImpCourant.MesureEnCours);
    if (!bloc || b < 1 || b > NbTempsImpr(ParamImpCourant.MesureEnCours))
        return nullptr;
    return &bloc->Temps[PisteImpr()][b];
}

// Width of string s's fret text in beat b in the fret font (0 without a beat or a text).
int LargeurFrette(platform::Canevas& c, int32_t b, int32_t s)
{
    const TTemps* t = Temps(b);
    if (!t)
        return 0;
    const std::string texte = TexteFretteImpression(*t, s);
    c.SetFonte(PoliceImpr("FontNotes_Prt"));
    return texte.empty() ? 0 : c.TextWidth(texte);
}

// The two ends of a slide or arc: 0.5 mm after this note's number to 0.5 mm before the next
// one's, moved apart until the symbol is at least 2 mm long.
struct Bouts {
    int X1 = 0;
    int X2 = 0;
};
Bouts BoutsLiaison(platform::Canevas& c, int32_t s, int32_t b, double x, double xSuivant)
{
    const double e = EchelleImpr();
    const double mg = ParamImpCourant.MargeGaucheLignes;
    const int w1 = LargeurFrette(c, b, s);
    const int w2 = b < NbTempsImpr(ParamImpCourant.MesureEnCours) ? LargeurFrette(c, b + 1, s) : 0;
    Bouts r{R((x + mg + 0.5) * e + w1 / 2.0), R((xSuivant + mg - 0.5) * e - w2 / 2.0)};
    const double minimum = 2 * e;
    if (r.X2 - r.X1 < minimum) {
        const int d = R((minimum - (r.X2 - r.X1)) / 2);
        r.X1 -= d;
        r.X2 += d;
    }
    return r;
}

void Glissement(int32_t s, int32_t b, double x, double xSuivant, bool montant)
{
    platform::Canevas* c = CanvasImpr;
    if (!c)
        return;
    const double e = EchelleImpr();
    const Bouts bouts = BoutsLiaison(*c, s, b, x, xSuivant);
    const double y = YCordeImpr(s);
    const int yBas = R((y + 0.25 * kEcartCordes) * e);
    const int yHaut = R((y - 0.25 * kEcartCordes) * e);
    StyloImpr(*c, G.EpaisseurGlisse);
    if (montant)
        c->Ligne(bouts.X1, yBas, bouts.X2, yHaut);
    else
        c->Ligne(bouts.X1, yHaut, bouts.X2, yBas);

    c->SetFonte(PoliceImpr("FontEff_Prt"));
    c->SetLargeurStylo(1);
    FondTexteImpr(*c);
    const platform::Dimension d = c->TextExtent("sl.");
    c->TextOut(R((bouts.X1 + bouts.X2 - d.cx) / 2.0), R(yHaut - 4.0 * d.cy / 5), "sl.");
}

// The rising quarter curve of a bend and its arrowhead; a(d) = the bend's x at offset d mm.
struct GeometrieBend {
    double e = 0;
    double base = 0; // (x + margin - 2.0) * E + w / 2, before the offset
    int Yb = 0, Ym = 0, Yt = 0;
    int a(double d) const { return R(base + d * e); }
};
GeometrieBend TracerBend(platform::Canevas& c, int32_t b, int32_t s, double x)
{
    GeometrieBend g;
    g.e = EchelleImpr();
    const int w = LargeurFrette(c, b, s);
    g.base = (x + ParamImpCourant.MargeGaucheLignes - 2.0) * g.e + w / 2.0;
    const double y = YCordeImpr(s);
    g.Yb = R(y * g.e);
    g.Ym = R((y - kEcartCordes) * g.e);
    g.Yt = R((y - 2 * kEcartCordes) * g.e);
    StyloImpr(c, G.EpaisseurBend);
    c.Arc(g.a(0.5), g.Yt, g.a(4.5), g.Yb, g.a(2.5), g.Yb, g.a(4.5), g.Ym);
    return g;
}

void Fleche(platform::Canevas& c, int X, int Y, int dy, double e)
{
    c.Ligne(X, Y, R(X - 0.8 * e), R(Y + dy * 0.8 * e));
    c.Ligne(X, Y, R(X + 0.8 * e), R(Y + dy * 0.8 * e));
}

// Where the fret of the string above string s ends in beat b, white box included, when that
// string holds one: a bend's amount stands there, over that string's line.
std::optional<int> FinFretteAuDessus(platform::Canevas& c, int32_t b, int32_t s)
{
    const TTemps* t = Temps(b);
    if (!t || s <= 1)
        return std::nullopt;
    const std::string texte = TexteFretteImpression(*t, s - 1);
    if (texte.empty())
        return std::nullopt;
    c.SetFonte(PoliceImpr("FontNotes_Prt"));
    const double xm = t->XImp + ParamImpCourant.MargeGaucheLignes;
    return R((xm + G.MargeFrette) * EchelleImpr() + c.TextWidth(texte) / 2.0 + 1);
}

// A bend amount whose right edge is 0.5 mm left of xDroite, its cell ending 0.2 mm over the
// line it bends to, as on screen: centred on that line, it had the line through its digits and
// through the tail of a decimal comma. In a double stop the fret of the string above stands
// there: the amount then starts 0.2 mm past it, clear of the arrowhead under it.
void ValeurBend(platform::Canevas& c, double valeur, int xDroite, int Ym, double e, std::optional<int> finFretteAuDessus)
{
    c.SetFonte(PoliceImpr("FontEff_Prt"));
    c.SetLargeurStylo(1);
    FondTexteImpr(c);
    const std::string texte = TexteValeurEffet(valeur);
    const platform::Dimension d = c.TextExtent(texte);
    int x = R(xDroite - d.cx - 0.5 * e);
    if (finFretteAuDessus && x < *finFretteAuDessus + R(0.2 * e))
        x = *finFretteAuDessus + R(0.2 * e);
    c.TextOut(x, Ym - R((G.EpaisseurCorde / 2 + 0.2) * e) - d.cy, texte);
}

} // namespace

std::string TexteFretteImpression(const TTemps& temps, int32_t s)
{
    if (temps.Silence || temps.Lie || s < 1 || s > kNbCordesMax)
        return {};
    return TexteFrette(temps.Notes[s], PisteImpr());
}

int LargeurMaxFrettesImpression(platform::Canevas& c, const TTemps& temps)
{
    int largeur = 0;
    for (int32_t s = 1; s <= NbCordesImpr(); ++s) {
        const std::string texte = TexteFretteImpression(temps, s);
        if (!texte.empty())
            largeur = std::max(largeur, c.TextWidth(texte));
    }
    return largeur;
}

void ImprimerNote(int32_t b, int32_t s)
{
    platform::Canevas* c = CanvasImpr;
    const TTemps* t = Temps(b);
    if (!c || !t)
        return;
    if (t->Silence) {
        if (s == 1)
            ImprimerSilence(b, t->CodeDuree);
        return;
    }
    // A tied beat has no notes of its own.
    if (t->Lie)
        return;
    const TNoteCorde& note = t->Notes[s];
    const int f = note.Frette;
    const int g = note.FretteGrace;
    if (f < 0 && g < 0)
        return;

    const TZoneImpression& p = ParamImpCourant;
    const double e = EchelleImpr();
    const double xm = t->XImp + p.MargeGaucheLignes;
    const double y = YCordeImpr(s);
    const int haut = R(y * e - 1);
    const int bas = R((y + G.EpaisseurCorde) * e + 2);

    c->SetFonte(PoliceImpr("FontNotes_Prt"));
    const int W = g >= 0 ? LargeurMaxFrettesImpression(*c, *t) : 0;

    const std::string texte = TexteFretteImpression(*t, s);
    if (!texte.empty()) {
        const platform::Dimension d = c->TextExtent(texte);
        // The white box hides the string line behind the number.
        c->SetStylo(platform::clWhite, 1);
        c->SetBrosse(platform::clWhite);
        c->Rectangle(R((xm - G.MargeFrette) * e - d.cx / 2.0), haut, R((xm + G.MargeFrette) * e + d.cx / 2.0 + 1), bas);
        FondTexteImpr(*c);
        c->TextOut(R(xm * e - d.cx / 2.0), R(y * e - d.cy / 2.0), texte);
    }

    if (g >= 0) {
        // Left of the widest number of the beat, so that grace notes on several strings line
        // up; the longer the grace note, the further away.
        platform::StyleFonte fonte = PolicesLabels().PoliceDessin("FontNotes_Prt");
        fonte.taille = TailleImpr(fonte.taille - 3);
        fonte.gras = false;
        fonte.italique = false;
        c->SetFonte(fonte);
        const int dg = std::clamp<int>(note.DureeGrace, 1, 3);
        std::string tg = g == kNoteMorte ? std::string("x") : std::to_string(g);
        if (note.NuanceGrace < 5)
            tg = "(" + tg + ")";
        const platform::Dimension d = c->TextExtent(tg);
        const int demi = R(W / 2.0);
        const int droite = R((xm - 0.7 - 0.2 * dg) * e - demi);
        c->SetStylo(platform::clWhite, 1);
        c->SetBrosse(platform::clWhite);
        c->Rectangle(R((xm - 1.0 - 0.2 * dg) * e - demi) - d.cx, haut, R((xm - 0.4 - 0.2 * dg) * e - demi), bas);
        FondTexteImpr(*c);
        c->TextOut(droite - d.cx, R(y * e - d.cy / 2.0), tg);
    }

    if (note.Effet == 0 || !p.AffEff_Prt)
        return;
    const double x = t->XImp;
    const double xSuivant = b < NbTempsImpr(p.MesureEnCours) ? Temps(b + 1)->XImp : x + 8.0;
    switch (note.Effet) {
    case 1: ImprimerHOPO(s, b, 1, x, xSuivant); break;
    case 2: ImprimerHOPO(s, b, 2, x, xSuivant); break;
    case 3: ImprimerSlideUp(s, b, x, xSuivant); break;
    case 4: ImprimerSlideDown(s, b, x, xSuivant); break;
    case 5: ImprimerBend(s, b, note.ValeurBend, x); break;
    case 6: ImprimerBendRelease(s, b, note.ValeurBend, x); break;
    default: break; // let ring prints nothing
    }
}

void ImprimerHOPO(int32_t s, int32_t b, int kind, double x, double xSuivant)
{
    platform::Canevas* c = CanvasImpr;
    if (!c)
        return;
    const double e = EchelleImpr();
    const Bouts bouts = BoutsLiaison(*c, s, b, x, xSuivant);
    const double y = YCordeImpr(s);
    const int yHaut = R((y - 0.35 * kEcartCordes) * e);
    const int yBas = R((y + 0.15 * kEcartCordes) * e);
    const int yExt = R((y - 0.12 * kEcartCordes) * e);
    StyloImpr(*c, G.EpaisseurGlisse);
    c->Arc(bouts.X1, yHaut, bouts.X2, yBas, bouts.X2, yExt, bouts.X1, yExt);

    const char* texte = kind == 2 ? "PO" : "HO";
    c->SetFonte(PoliceImpr("FontEff_Prt"));
    c->SetLargeurStylo(1);
    FondTexteImpr(*c);
    const platform::Dimension d = c->TextExtent(texte);
    c->TextOut(R((bouts.X1 + bouts.X2 - d.cx) / 2.0), R(yHaut - 0.2 * e - 4.0 * d.cy / 5), texte);
}

void ImprimerSlideUp(int32_t s, int32_t b, double x, double xSuivant) { Glissement(s, b, x, xSuivant, true); }

void ImprimerSlideDown(int32_t s, int32_t b, double x, double xSuivant) { Glissement(s, b, x, xSuivant, false); }

void ImprimerBend(int32_t s, int32_t b, double valeur, double x)
{
    platform::Canevas* c = CanvasImpr;
    if (!c)
        return;
    const GeometrieBend g = TracerBend(*c, b, s, x);
    const int X = g.a(4.5) - R(g.e * G.EpaisseurBend / 2);
    Fleche(*c, X, g.Ym, 1, g.e);
    ValeurBend(*c, valeur, g.a(4.5), g.Ym, g.e, FinFretteAuDessus(*c, b, s));
}

void ImprimerBendRelease(int32_t s, int32_t b, double valeur, double x)
{
    platform::Canevas* c = CanvasImpr;
    if (!c)
        return;
    const GeometrieBend g = TracerBend(*c, b, s, x);
    // The release: a second box whose top-left corner is the centre of the first.
    const int xc = R(g.a(0.5) + (g.a(4.5) - g.a(0.5)) / 2.0);
    const int yc = R(g.Yt + (g.Yb - g.Yt) / 2.0);
    const int x2 = R(g.a(4.5) + (g.a(4.5) - xc) / 2.0);
    const int y2 = R(g.Yb + (g.Yb - yc) / 2.0);
    const int x3 = g.a(2.5) + (x2 - xc);
    c->Arc(xc, yc, x2, y2, x3, g.Yb, g.a(4.5), g.Ym);
    const int X = x3 - R(g.e * G.EpaisseurBend / 2);
    Fleche(*c, X, g.Yb, -1, g.e);
    ValeurBend(*c, valeur, R(x2 - (x2 - xc) / 2.0), g.Ym, g.e, FinFretteAuDessus(*c, b, s));
}

#include "print/ImpNotes.h"

#include "editor/EcranNotes.h"
#include "editor/EffetsSaisie.h"
#include "editor/Fontes.h"
#include "print/ImpEffets.h"
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

// Width of string s's fret text in a beat in the fret font (0 without a beat or a text).
int LargeurFrette(platform::Canevas& c, const TTemps* t, int32_t s)
{
    if (!t)
        return 0;
    const std::string texte = TexteFretteImpression(*t, s);
    c.SetFonte(PoliceImpr("FontNotes_Prt"));
    return texte.empty() ? 0 : c.TextWidth(texte);
}
int LargeurFrette(platform::Canevas& c, int32_t b, int32_t s) { return LargeurFrette(c, Temps(b), s); }

// A grace note's text, in the fret font three points smaller and plain.
std::string TexteGrace(const TNoteCorde& note)
{
    std::string texte = note.FretteGrace == kNoteMorte ? std::string("x") : std::to_string(note.FretteGrace);
    return note.NuanceGrace < 5 ? "(" + texte + ")" : texte;
}
platform::StyleFonte FonteGrace()
{
    platform::StyleFonte fonte = PolicesLabels().PoliceDessin("FontNotes_Prt");
    fonte.taille = TailleImpr(fonte.taille - 3);
    fonte.gras = false;
    fonte.italique = false;
    return fonte;
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
GeometrieBend GeometrieBendDe(platform::Canevas& c, const TTemps& t, int32_t s, double x)
{
    GeometrieBend g;
    g.e = EchelleImpr();
    const int w = LargeurFrette(c, &t, s);
    g.base = (x + ParamImpCourant.MargeGaucheLignes - 2.0) * g.e + w / 2.0;
    const double y = YCordeImpr(s);
    g.Yb = R(y * g.e);
    g.Ym = R((y - kEcartCordes) * g.e);
    g.Yt = R((y - 2 * kEcartCordes) * g.e);
    return g;
}

GeometrieBend TracerBend(platform::Canevas& c, int32_t b, int32_t s, double x)
{
    const GeometrieBend g = GeometrieBendDe(c, *Temps(b), s, x);
    StyloImpr(c, G.EpaisseurBend);
    c.Arc(g.a(0.5), g.Yt, g.a(4.5), g.Yb, g.a(2.5), g.Yb, g.a(4.5), g.Ym);
    return g;
}

// The release: a second box whose top-left corner is the centre of the bend's, and the foot of
// its arrow.
struct Relachement {
    int xc = 0, yc = 0, x2 = 0, y2 = 0, x3 = 0;
};
Relachement RelachementDe(const GeometrieBend& g)
{
    Relachement r;
    r.xc = R(g.a(0.5) + (g.a(4.5) - g.a(0.5)) / 2.0);
    r.yc = R(g.Yt + (g.Yb - g.Yt) / 2.0);
    r.x2 = R(g.a(4.5) + (g.a(4.5) - r.xc) / 2.0);
    r.y2 = R(g.Yb + (g.Yb - r.yc) / 2.0);
    r.x3 = g.a(2.5) + (r.x2 - r.xc);
    return r;
}

void Fleche(platform::Canevas& c, int X, int Y, int dy, double e)
{
    c.Ligne(X, Y, R(X - 0.8 * e), R(Y + dy * 0.8 * e));
    c.Ligne(X, Y, R(X + 0.8 * e), R(Y + dy * 0.8 * e));
}

// Where the fret of the string above string s ends in beat b, white box included, when that
// string holds one: a bend's amount stands there, over that string's line.
std::optional<int> FinFretteAuDessus(platform::Canevas& c, const TTemps& t, int32_t s)
{
    if (s <= 1)
        return std::nullopt;
    const std::string texte = TexteFretteImpression(t, s - 1);
    if (texte.empty())
        return std::nullopt;
    c.SetFonte(PoliceImpr("FontNotes_Prt"));
    const double xm = t.XImp + ParamImpCourant.MargeGaucheLignes;
    return R((xm + G.MargeFrette) * EchelleImpr() + c.TextWidth(texte) / 2.0 + 1);
}

// The amount of beat b's bend, in its cell (CelluleValeurBendImpr, moved by PlacerMarquesImpr).
void ValeurBend(platform::Canevas& c, int32_t b, int32_t s, double valeur)
{
    const TPlaceMarquesImpr place = PlacerMarquesImpr(b);
    const TZoneEncre cellule = CelluleValeurBendImpr(c, b, s);
    c.SetFonte(PoliceImpr("FontEff_Prt"));
    c.SetLargeurStylo(1);
    FondTexteImpr(c);
    const auto corde = static_cast<std::size_t>(s);
    c.TextOut(place.Gauches[corde], static_cast<int>(cellule.Haut) - place.Montees[corde], TexteValeurEffet(valeur));
}

} // namespace

bool AvecBendImpr(const TTemps& temps, int32_t s)
{
    if (s < 1 || s > kNbCordesMax || temps.Silence || temps.Lie)
        return false;
    const TNoteCorde& note = temps.Notes[s];
    return (note.Effet == 5 || note.Effet == 6) && (note.Frette >= 0 || note.FretteGrace >= 0);
}

// A bend amount whose right edge is 0.5 mm left of the arrow (of the middle of the release),
// its cell ending 0.2 mm over the line it bends to, as on screen: centred on that line, it had
// the line through its digits and through the tail of a decimal comma. In a double stop the
// fret of the string above stands there: the amount then starts 0.2 mm past it, clear of the
// arrowhead under it.
namespace {

TZoneEncre CelluleValeurBend(platform::Canevas& c, const TTemps& t, int32_t s)
{
    const GeometrieBend g = GeometrieBendDe(c, t, s, t.XImp);
    const Relachement r = RelachementDe(g);
    const int xDroite = t.Notes[s].Effet == 6 ? R(r.x2 - (r.x2 - r.xc) / 2.0) : g.a(4.5);
    const std::optional<int> finFretteAuDessus = FinFretteAuDessus(c, t, s);
    c.SetFonte(PoliceImpr("FontEff_Prt"));
    const platform::Dimension d = c.TextExtent(TexteValeurEffet(t.Notes[s].ValeurBend));
    int x = R(xDroite - d.cx - 0.5 * g.e);
    if (finFretteAuDessus && x < *finFretteAuDessus + R(0.2 * g.e))
        x = *finFretteAuDessus + R(0.2 * g.e);
    const int y = g.Ym - R((G.EpaisseurCorde / 2 + 0.2) * g.e) - d.cy;
    return {static_cast<double>(x), static_cast<double>(y), static_cast<double>(x + d.cx),
            static_cast<double>(y + d.cy)};
}

TZoneEncre TraceBend(platform::Canevas& c, const TTemps& t, int32_t s)
{
    const GeometrieBend g = GeometrieBendDe(c, t, s, t.XImp);
    // The pen's width round the strokes' middles.
    const int demiStylo = (std::max(PixImpr(G.EpaisseurBend), 1) + 1) / 2;
    const int fleche = R(0.8 * g.e);
    int droite = g.a(4.5) + fleche;
    if (t.Notes[s].Effet == 6) {
        const Relachement r = RelachementDe(g);
        droite = std::max(r.x2, r.x3 + fleche);
    }
    return {static_cast<double>(g.a(2.5) - demiStylo), static_cast<double>(g.Ym - demiStylo),
            static_cast<double>(droite + demiStylo + 1), static_cast<double>(g.Yb + demiStylo + 1)};
}

} // namespace

TZoneEncre CelluleValeurBendImpr(platform::Canevas& c, int32_t b, int32_t s)
{
    const TTemps* t = Temps(b);
    return t ? CelluleValeurBend(c, *t, s) : TZoneEncre{};
}

TZoneEncre TraceBendImpr(platform::Canevas& c, int32_t b, int32_t s)
{
    const TTemps* t = Temps(b);
    return t ? TraceBend(c, *t, s) : TZoneEncre{};
}

void EncreTempsImpr(platform::Canevas& c, const TTemps& t, TEncreTemps& encre)
{
    encre.Frettes.clear();
    encre.Bends.clear();
    const double e = EchelleImpr();
    const double x = (t.XImp + ParamImpCourant.MargeGaucheLignes) * e;
    const double y = YCordeImpr(1) * e;
    c.SetFonte(PoliceImpr("FontNotes_Prt"));
    for (int32_t s = 1; s <= NbCordesImpr(); ++s) {
        const std::string texte = TexteFretteImpression(t, s);
        if (texte.empty())
            continue;
        const platform::Dimension d = c.TextExtent(texte);
        const double haut = (YCordeImpr(s) - YCordeImpr(1)) * e - d.cy / 2.0;
        encre.Frettes.push_back({-d.cx / 2.0, haut, d.cx / 2.0, haut + d.cy});
    }
    if (ParamImpCourant.AffEff_Prt)
        for (int32_t s = 1; s <= NbCordesImpr(); ++s)
            if (AvecBendImpr(t, s))
                for (const TZoneEncre& z : {TraceBend(c, t, s), CelluleValeurBend(c, t, s)})
                    encre.Bends.push_back({z.Gauche - x, z.Haut - y, z.Droite - x + 1.5, z.Bas - y});
}

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

std::optional<double> DebutPlaceGraceImpr(platform::Canevas& c, const TTemps& avant, int32_t s)
{
    const std::string texte = TexteFretteImpression(avant, s);
    if (texte.empty())
        return std::nullopt;
    return LargeurFrette(c, &avant, s) / 2.0 + R(0.2 * EchelleImpr());
}

std::optional<double> PlaceGraceImpr(platform::Canevas& c, const TTemps& temps, int32_t s)
{
    const TNoteCorde& note = temps.Notes[s];
    if (temps.Silence || temps.Lie || note.FretteGrace < 0)
        return std::nullopt;
    const int largeurFrette = LargeurFrette(c, &temps, s);
    c.SetFonte(FonteGrace());
    return largeurFrette / 2.0 + R(0.2 * EchelleImpr()) + c.TextWidth(TexteGrace(note));
}

// A line's first measure opens with a bar drawn right of its x, as thick as a plain bar.
double DebutPlaceGracePremierTempsImpr() { return ParamImpCourant.EspaceAvantTemps - G.EpaisseurBarre - 0.2; }

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
        // up; the longer the grace note, the further away. But 0.2 mm past the bar line on a
        // measure's first beat, 0.2 mm past the previous beat's fret on its string after
        // another, and 0.2 mm short of its own fret at the most.
        std::optional<int> debut;
        if (b == 1)
            debut = R((xm - DebutPlaceGracePremierTempsImpr()) * e);
        else if (const std::optional<double> apres = DebutPlaceGraceImpr(*c, *Temps(b - 1), s))
            debut = R((Temps(b - 1)->XImp + p.MargeGaucheLignes) * e + *apres);
        const int gaucheMax = R(xm * e - PlaceGraceImpr(*c, *t, s).value_or(0));
        c->SetFonte(FonteGrace());
        const int dg = std::clamp<int>(note.DureeGrace, 1, 3);
        const std::string tg = TexteGrace(note);
        const platform::Dimension d = c->TextExtent(tg);
        const int demi = R(W / 2.0);
        int gauche = R((xm - 1.0 - 0.2 * dg) * e - demi) - d.cx; // its white box
        int droiteBoite = R((xm - 0.4 - 0.2 * dg) * e - demi);
        int droite = R((xm - 0.7 - 0.2 * dg) * e - demi);
        if (debut) {
            const int texteGauche = droite - d.cx;
            const int decalage = static_cast<int>(GaucheGrace(texteGauche, *debut, gaucheMax)) - texteGauche;
            gauche += decalage;
            droiteBoite += decalage;
            droite += decalage;
        }
        c->SetStylo(platform::clWhite, 1);
        c->SetBrosse(platform::clWhite);
        c->Rectangle(gauche, haut, droiteBoite, bas);
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
    ValeurBend(*c, b, s, valeur);
}

void ImprimerBendRelease(int32_t s, int32_t b, double valeur, double x)
{
    platform::Canevas* c = CanvasImpr;
    if (!c)
        return;
    const GeometrieBend g = TracerBend(*c, b, s, x);
    const Relachement r = RelachementDe(g);
    c->Arc(r.xc, r.yc, r.x2, r.y2, r.x3, g.Yb, g.a(4.5), g.Ym);
    const int X = r.x3 - R(g.e * G.EpaisseurBend / 2);
    Fleche(*c, X, g.Yb, -1, g.e);
    ValeurBend(*c, b, s, valeur);
}

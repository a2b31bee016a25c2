#include "print/ImpPage.h"

#include "document/Variable.h"
#include "print/Impress.h"
#include "platform/Arrondi.h"

#include <algorithm>

namespace {

const TGeometrieImpr& G = kGeometrieImpr;

int R(double v) { return static_cast<int>(platform::Round(v)); }
int T(double v) { return static_cast<int>(platform::Trunc(v)); }

// Right edge of the working area, print mm.
double DroiteTravail() { return LargeurPage / EchelleImpr() - ParamImpCourant.MargeDroiteLignes; }

platform::StyleFonte Arial(int taille)
{
    return platform::StyleFonte{"Arial", std::max(taille, 1), false, false, platform::clBlack};
}

// The triplet-feel sign: two beamed eighths, "=", a quarter and an eighth under a triplet
// arc, from the left margin, ez being the title-author spacing's half.
void SigneTripletFeel(platform::Canevas& c, double Y, double ez)
{
    const TZoneImpression& p = ParamImpCourant;
    const double e = EchelleImpr();
    const int x0 = R(p.MargeGaucheLignes * e);
    const int y0 = R((Y + 30) * e);
    auto P = [&](double dx, double dy) { return platform::Point{x0 + R(dx * e), y0 + R(dy * e)}; };
    auto ligne = [&](platform::Point a, platform::Point b) { c.Ligne(a.x, a.y, b.x, b.y); };
    const double t = ez - 1.6;

    RemplissageImpr(c);
    for (const double xt : {0.0, 3.0, 8.0, 12.0}) {
        const platform::Point a = P(xt, ez);
        const platform::Point b = P(xt + 1.2, ez + 0.8);
        c.Ellipse(a.x, a.y, b.x, b.y);
    }
    StyloImpr(c, 0.2);
    for (const double xh : {1.1, 4.1, 9.1, 13.1})
        ligne(P(xh, ez + 0.4), P(xh, t));
    StyloImpr(c, 0.13);
    c.Polyline({P(13.1, t), P(13.8, t + 0.7), P(13.8, t + 0.9), P(13.5, t + 1.2)});
    StyloImpr(c, 0.35);
    ligne(P(1.1, t), P(4.1, t));
    StyloImpr(c, 0.15);
    const platform::Point a = P(9.1, t - 1.5);
    const platform::Point b = P(13.1, t + 0.5);
    const platform::Point debut = P(13.1, t - 0.7);
    const platform::Point fin = P(9.1, t - 0.7);
    c.Arc(a.x, a.y, b.x, b.y, debut.x, debut.y, fin.x, fin.y);

    c.SetLargeurStylo(1);
    FondTexteImpr(c);
    c.SetFonte(Arial(TailleImpr(8)));
    const platform::Point egal = P(5.5, ez - 2.3);
    c.TextOut(egal.x, egal.y, "=");
    c.SetFonte(Arial(TailleImpr(5)));
    const platform::Point trois = P(10.6, t - 3.5);
    c.TextOut(trois.x, trois.y, "3");
}

// Whether the header has no triplet-feel and capo line, which moves the chord list and the
// first line 8 mm up.
bool SansLigneTriplet()
{
    const TZoneImpression& p = ParamImpCourant;
    return !p.AffTriplet_Prt || (Partition.TripletFeel == 0 && Partition.Capo[PisteImpr()] == 0);
}

} // namespace

void ImprimerEntete()
{
    platform::Canevas* c = CanvasImpr;
    if (!c)
        return;
    const TZoneImpression& p = ParamImpCourant;
    const double e = EchelleImpr();
    const double Y = p.PosY;
    const double ez = p.Esp_Titre_Auteur_Prt / 2.0;
    const int32_t piste = PisteImpr();
    const double centre = (LargeurPage / e - p.MargeDroiteLignes + p.MargeGaucheLignes) * e / 2;

    if (p.AffTitre_Prt) {
        platform::StyleFonte fonte = PoliceImpr("FontTitle_Prt");
        c->SetFonte(fonte);
        FondTexteImpr(*c);
        const std::string_view titre = Partition.Titre.view();
        c->TextOut(R(centre) - R(c->TextWidth(titre) / 2.0), R(Y * e), titre);
        if (!Partition.NomPiste[piste].empty()) {
            fonte.taille = std::max(R(fonte.taille / 2.0), 1);
            fonte.gras = false;
            fonte.italique = false;
            c->SetFonte(fonte);
            const std::string nom = "(" + Partition.NomPiste[piste].str() + ")";
            c->TextOut(R(centre) - R(c->TextWidth(nom) / 2.0), R((Y + 10) * e), nom);
        }
    }
    const int hautAuteur = R((Y + 20 + ez) * e);
    if (p.AffAuteur_Prt) {
        c->SetFonte(PoliceImpr("FontAuteur_Prt"));
        FondTexteImpr(*c);
        const std::string_view auteur = Partition.Auteur.view();
        c->TextOut(R(DroiteTravail() * e) - c->TextWidth(auteur), hautAuteur, auteur);
    }
    if (p.AffComment_Prt) {
        c->SetFonte(PoliceImpr("FontComment_Prt"));
        FondTexteImpr(*c);
        c->TextOut(R(p.MargeGaucheLignes * e), hautAuteur, Partition.Commentaire.view());
    }
    if (Partition.TripletFeel == 1 && p.AffTriplet_Prt)
        SigneTripletFeel(*c, Y, ez);
    if (Partition.Capo[piste] >= 1 && p.AffTriplet_Prt) {
        platform::StyleFonte fonte = PoliceImpr("FontComment_Prt");
        fonte.gras = false;
        fonte.italique = false;
        c->SetFonte(fonte);
        FondTexteImpr(*c);
        const double gauche = p.MargeGaucheLignes + (Partition.TripletFeel == 1 ? 18 : 0);
        c->TextOut(R(gauche * e), R((Y + 27 + ez) * e), "Capo " + std::to_string(Partition.Capo[piste]));
    }
}

std::string TextePiedPage(int32_t page)
{
    std::string texte = Partition.Titre.str();
    const auto& nom = Partition.NomPiste[PisteImpr()];
    if (!nom.empty())
        texte += " (" + nom.str() + ")";
    return texte + " - " + std::to_string(page);
}

void ImprimerPiedPage(int32_t page)
{
    platform::Canevas* c = CanvasImpr;
    const TZoneImpression& p = ParamImpCourant;
    if (!c || !p.AffNumP_Prt)
        return;
    const double e = EchelleImpr();
    c->SetFonte(PoliceImpr("FontNumPage_Prt"));
    FondTexteImpr(*c);
    const std::string texte = TextePiedPage(page);
    const platform::Dimension d = c->TextExtent(texte);
    c->TextOut(R(DroiteTravail() * e) - d.cx, R((HauteurPage / e - p.MargeBassePart) * e) - d.cy, texte);
}

double FacteurDiagrammesDe(int32_t c)
{
    if (c > 0)
        return 1.0 + c / 40.0;
    if (c < 0)
        return 1.0 / (1.0 + (-c) / 40.0);
    return 1.0;
}

TGeometrieListeImpr GeometrieListeAccordsImpr(int32_t nbAccords)
{
    const TZoneImpression& p = ParamImpCourant;
    TGeometrieListeImpr g;
    g.Largeur = 5 * G.EcartDiagramme * FacteurDiagrammesDe(p.ChordSize_Prt);
    g.Ecart = 2.0 / 3.0 * g.Largeur;
    if (!p.AffListChord_Prt || nbAccords <= 0)
        return g;
    const double disponible = LargeurPage / EchelleImpr() - p.MargeDroiteLignes - p.MargeGaucheLignes;
    // A page narrower than one diagram still gets one per row.
    g.ParLigne = std::max(T(disponible / (g.Largeur + g.Ecart)), 1);
    g.NbLignes = (nbAccords - 1) / g.ParLigne + 1;
    g.Hauteur = (g.NbLignes - 1) * 5.0 / 3.0 * g.Largeur + 15;
    return g;
}

void PositionAccordListeImpr(const TGeometrieListeImpr& g, int32_t nbAccords, int32_t i, double& x, double& y)
{
    const TZoneImpression& p = ParamImpCourant;
    const double disponible = LargeurPage / EchelleImpr() - p.MargeDroiteLignes - p.MargeGaucheLignes;
    double y0 = p.MargeHautePart + 50 + p.Esp_Titre_Auteur_Prt / 4.0 + p.Esp_Auteur_Tab_Prt / 4.0;
    if (SansLigneTriplet())
        y0 -= 8;
    const int32_t rangee = i / g.ParLigne;
    const int32_t colonne = i - rangee * g.ParLigne + 1;
    const int32_t dansRangee = rangee < g.NbLignes - 1 ? g.ParLigne : nbAccords - (g.NbLignes - 1) * g.ParLigne;
    x = disponible / 2 + p.MargeGaucheLignes - ((dansRangee + 1) / 2.0 - colonne) * (g.Largeur + g.Ecart);
    y = y0 + rangee * 5.0 / 3.0 * g.Largeur;
}

namespace {

// Each chord of the song's list, with the place the list gives its diagram.
template <class Action>
void PourChaqueAccordListe(const TGeometrieListeImpr& g, int32_t n, Action action)
{
    for (int32_t i = 0; i < n; ++i) {
        const TAccord* accord = AccordsPartition[static_cast<std::size_t>(i + 1)].get();
        if (!accord)
            continue;
        double x = 0;
        double y = 0;
        PositionAccordListeImpr(g, n, i, x, y);
        action(*accord, x, y);
    }
}

int32_t NbAccordsListe() { return std::clamp<int32_t>(NbAccordsPartition, 0, kNbAccordsPartitionMax); }

} // namespace

void ImprimerListeAccords(bool dessiner)
{
    TZoneImpression& p = ParamImpCourant;
    const int32_t n = NbAccordsListe();
    const TGeometrieListeImpr g = GeometrieListeAccordsImpr(n);
    p.HauteurListeAccords = g.Hauteur;
    if (!dessiner || g.NbLignes == 0)
        return;
    PourChaqueAccordListe(g, n, [](const TAccord& accord, double x, double y) { ImprimerDiagramme(accord, true, x, y); });
}

std::optional<double> BasListeAccordsImpr(platform::Canevas& c)
{
    const int32_t n = NbAccordsListe();
    const TGeometrieListeImpr g = GeometrieListeAccordsImpr(n);
    if (g.NbLignes == 0)
        return std::nullopt;
    std::optional<double> bas;
    PourChaqueAccordListe(g, n, [&](const TAccord& accord, double x, double y) {
        const double b = ZoneDiagramme(c, accord, true, x, y).Bas / EchelleImpr();
        bas = bas ? std::max(*bas, b) : b;
    });
    return bas;
}

namespace {

// Where a diagram with its grid's bottom-centre at (x, y) draws, in print mm.
struct GeometrieDiagramme {
    double k = 1;      // size factor
    double s = 0;      // string and fret spacing
    double haut = 0;   // the grid's top
    double gauche = 0; // the grid's left (string 6)
    double r = 0;      // radius of the dots and marks
    double u = 0;      // the nut's room above the grid, when there is a nut
};

GeometrieDiagramme Geometrie(const TAccord& accord, double x, double y)
{
    GeometrieDiagramme g;
    g.k = FacteurDiagrammesDe(ParamImpCourant.ChordSize_Prt);
    g.s = G.EcartDiagramme * g.k;
    g.haut = y - 5 * g.s;
    g.gauche = x - 2.5 * g.s;
    g.r = g.s / 3.5;
    g.u = accord.FretteBase == 1 ? g.s / 3 : 0;
    return g;
}

} // namespace

TZoneEncre ZoneDiagramme(platform::Canevas& c, const TAccord& accord, bool avecNom, double x, double y)
{
    const double e = EchelleImpr();
    const GeometrieDiagramme g = Geometrie(accord, x, y);
    // The grid with the marks over its outer strings, and the pen's width round it.
    const int pen = std::max(PixImpr(0.12), 1);
    TZoneEncre zone{static_cast<double>(R((g.gauche - g.r) * e) - pen),
                    static_cast<double>(R((g.haut - 3 * g.r - g.u) * e) - pen),
                    static_cast<double>(R((g.gauche + 5 * g.s + g.r) * e) + 1 + pen),
                    static_cast<double>(R((g.haut + 5 * g.s) * e) + 1 + pen)};
    if (accord.FretteBase > 1) {
        c.SetFonte(Arial(R(TailleImpr(7) * g.k)));
        const int largeur = c.TextWidth(std::to_string(accord.FretteBase));
        zone.Gauche = std::min(zone.Gauche, static_cast<double>(R((g.gauche - 2.0 / 3.0 * g.s) * e) - largeur));
    }
    if (avecNom && !accord.Nom.empty() && ParamImpCourant.AffChordsName_Prt) {
        c.SetFonte(PoliceImpr("FontAccDiag_Prt"));
        const platform::Dimension d = c.TextExtent(accord.Nom.view());
        const int gaucheNom = R(x * e - d.cx / 2.0);
        zone.Gauche = std::min(zone.Gauche, static_cast<double>(gaucheNom));
        zone.Droite = std::max(zone.Droite, static_cast<double>(gaucheNom + d.cx));
        zone.Bas = std::max(zone.Bas, static_cast<double>(R((g.haut + 5.25 * g.s) * e) + d.cy));
    }
    return zone;
}

TEtendueImpr EtendueDiagrammeImpr(platform::Canevas* c, const TAccord& accord)
{
    if (c) {
        const double e = EchelleImpr();
        const TZoneEncre z = ZoneDiagramme(*c, accord, true, 0, 0);
        return {z.Gauche / e, z.Droite / e};
    }
    const GeometrieDiagramme g = Geometrie(accord, 0, 0);
    return {g.gauche - g.r, g.gauche + 5 * g.s + g.r};
}

void ImprimerDiagramme(const TAccord& accord, bool avecNom, double x, double y)
{
    platform::Canevas* c = CanvasImpr;
    if (!c)
        return;
    const TZoneImpression& p = ParamImpCourant;
    const double e = EchelleImpr();
    const GeometrieDiagramme g = Geometrie(accord, x, y);
    const double k = g.k, s = g.s, haut = g.haut, gauche = g.gauche, r = g.r, u = g.u;
    // A one-pixel pen leaves out the end pixels that a wider printer pen draws.
    const int pp = p.ModeApercu ? 1 : 0;
    auto X = [&](int32_t corde) { return gauche + 5 * s - (std::clamp<int32_t>(corde, 1, 6) - 1) * s; };

    StyloImpr(*c, 0.12);
    c->SetBrosseVide();
    for (int i = 0; i <= 5; ++i) {
        const int yl = R((haut + i * s) * e);
        c->Ligne(R(gauche * e), yl, R((gauche + 5 * s) * e) + 1, yl);
        const int xl = R((gauche + i * s) * e);
        c->Ligne(xl, R(haut * e), xl, R((haut + 5 * s) * e) + 1);
    }
    if (accord.FretteBase == 1) {
        const int yl = R((haut - s / 3) * e);
        c->Ligne(R(gauche * e), yl, R((gauche + 5 * s) * e) + 1, yl);
    }

    const int nbBarres = std::clamp<int32_t>(accord.NbBarres, 0, 2);
    auto barreCouvre = [&](int32_t corde, int32_t frette) {
        for (int i = 1; i <= nbBarres; ++i) {
            const auto ui = static_cast<std::size_t>(i);
            const int32_t a = std::min(accord.BarreCordeDebut[ui], accord.BarreCordeFin[ui]);
            const int32_t b = std::max(accord.BarreCordeDebut[ui], accord.BarreCordeFin[ui]);
            if (accord.BarreFrette[ui] == frette && corde >= a && corde <= b)
                return true;
        }
        return false;
    };
    auto point = [&](double xc, double yc) {
        RemplissageImpr(*c);
        c->Ellipse(R((xc - r) * e), R((yc - r) * e), R((xc + r) * e) + 1, R((yc + r) * e) + 1);
    };
    for (int32_t j = 1; j <= 6; ++j) {
        const int32_t f = accord.Frettes[static_cast<std::size_t>(j)];
        const double xj = X(j);
        const int xa = R((xj - r) * e);
        const int xb = R((xj + r) * e) + pp;
        const int ya = R((haut - 3 * r - u) * e);
        const int yb = R((haut - r - u) * e);
        StyloImpr(*c, 0.12);
        c->SetBrosseVide();
        if (f == -1) {
            c->Ligne(xa, ya, xb, yb + pp);
            c->Ligne(xa, yb, xb, ya - pp);
        } else if (f == 0) {
            c->Ellipse(xa, ya, xb + 1, yb + 1 + pp);
        } else if (f > 0 && !barreCouvre(j, f)) {
            point(xj, haut + s / 2 + (f - accord.FretteBase) * s);
        }
    }
    for (int i = 1; i <= nbBarres; ++i) {
        const auto ui = static_cast<std::size_t>(i);
        const double yc = haut + s / 2 + (accord.BarreFrette[ui] - accord.FretteBase) * s;
        const double xd = X(accord.BarreCordeDebut[ui]);
        const double xf = X(accord.BarreCordeFin[ui]);
        RemplissageImpr(*c);
        c->Rectangle(R(xf * e), R((yc - r) * e), R(xd * e), R((yc + r) * e));
        point(xf, yc);
        point(xd, yc);
    }

    if (accord.FretteBase > 1) {
        c->SetFonte(Arial(R(TailleImpr(7) * k)));
        FondTexteImpr(*c);
        const std::string base = std::to_string(accord.FretteBase);
        c->TextOut(R((gauche - 2.0 / 3.0 * s) * e) - c->TextWidth(base), R((haut - s / 3) * e), base);
    }
    if (avecNom && !accord.Nom.empty() && p.AffChordsName_Prt) {
        c->SetFonte(PoliceImpr("FontAccDiag_Prt"));
        FondTexteImpr(*c);
        const std::string_view nom = accord.Nom.view();
        c->TextOut(R(x * e - c->TextWidth(nom) / 2.0), R((haut + 5.25 * s) * e), nom);
    }
}

#include "editor/Chords_u.h"

#include "document/Configuration.h"
#include "document/Variable.h"
#include "editor/Scrolling.h"
#include "platform/Arrondi.h"

#include <algorithm>
#include <string>

namespace {

int R(double v) { return static_cast<int>(platform::Round(v)); }

enum class Taille { Petit, Moyen, Grand };

Taille TailleDe(int32_t typeDiag)
{
    if (typeDiag == 1)
        return Taille::Grand;
    if (typeDiag == 2)
        return Taille::Moyen;
    return Taille::Petit;
}

int Pas(Taille t) { return t == Taille::Grand ? 7 : t == Taille::Moyen ? 6 : 5; }

// Where the base fret and the name stand, from the grid's left x; tw is the text's width.
int GaucheFretteBase(Taille t, int x, int tw) { return x - (t == Taille::Petit ? 2 : 3) - tw; }
int GaucheNom(Taille t, int x, int tw)
{
    return x + (t == Taille::Grand ? 17 : t == Taille::Moyen ? 15 : 12) - R(tw / 2.0);
}

platform::StyleFonte FonteDiagramme(platform::Couleur couleur) { return {"Small Fonts", 7, false, false, couleur}; }

void Pixel(platform::Canevas& c, int x, int y, platform::Couleur couleur) { c.SetPixel(x, y, couleur); }

void Diagramme(Taille taille, const TAccord& a, platform::Canevas& c, int x, int y, platform::Couleur couleur,
               bool avecNom)
{
    const int g = Pas(taille);
    const int s = 5 * g + 1;

    c.SetFonte(FonteDiagramme(couleur));
    c.SetStylo(couleur, 1);
    c.SetBrosse(couleur);
    c.SetBrosseVide();

    for (int i = 0; i <= 5; ++i) {
        c.Ligne(x, y + i * g, x + s, y + i * g);
        c.Ligne(x + i * g, y, x + i * g, y + s);
    }
    int o = 0;
    if (a.FretteBase == 1) {
        c.Ligne(x, y - 2, x + s, y - 2);
        o = 2;
    }

    for (int k = 0; k <= 5; ++k) {
        const int xk = x + 5 * g - k * g;
        const int f = a.Frettes[static_cast<std::size_t>(k + 1)];
        if (f == -1) {
            switch (taille) {
            case Taille::Petit:
                c.Ligne(xk - 1, y - 4 - o, xk + 2, y - 1 - o);
                c.Ligne(xk + 1, y - 4 - o, xk - 2, y - 1 - o);
                break;
            case Taille::Moyen:
                c.Ligne(xk - 1, y - 5 - o, xk + 3, y - 1 - o);
                c.Ligne(xk + 2, y - 5 - o, xk - 2, y - 1 - o);
                break;
            case Taille::Grand:
                c.Ligne(xk - 2, y - 6 - o, xk + 3, y - 1 - o);
                c.Ligne(xk + 2, y - 6 - o, xk - 3, y - 1 - o);
                break;
            }
        } else if (f == 0) {
            switch (taille) {
            case Taille::Petit:
                Pixel(c, xk, y - 4 - o, couleur);
                Pixel(c, xk - 1, y - 3 - o, couleur);
                Pixel(c, xk, y - 2 - o, couleur);
                Pixel(c, xk + 1, y - 3 - o, couleur);
                break;
            case Taille::Moyen:
                Pixel(c, xk, y - 5 - o, couleur);
                Pixel(c, xk + 1, y - 5 - o, couleur);
                Pixel(c, xk + 2, y - 4 - o, couleur);
                Pixel(c, xk + 2, y - 3 - o, couleur);
                Pixel(c, xk + 1, y - 2 - o, couleur);
                Pixel(c, xk, y - 2 - o, couleur);
                Pixel(c, xk - 1, y - 3 - o, couleur);
                Pixel(c, xk - 1, y - 4 - o, couleur);
                break;
            case Taille::Grand:
                c.Ellipse(xk - 2, y - 6 - o, xk + 3, y - 1 - o);
                break;
            }
        } else if (f > 0) {
            // Frets past the five rows shown land off the grid, as the fingering says.
            const int d = f - a.FretteBase;
            switch (taille) {
            case Taille::Petit:
                for (const int r : {y + 2 + 5 * d, y + 3 + 5 * d}) {
                    Pixel(c, xk - 1, r, couleur);
                    Pixel(c, xk + 1, r, couleur);
                }
                break;
            case Taille::Moyen:
                for (int r = y + 2 + 6 * d; r <= y + 4 + 6 * d; ++r) {
                    Pixel(c, xk - 1, r, couleur);
                    Pixel(c, xk + 1, r, couleur);
                }
                Pixel(c, xk - 2, y + 3 + 6 * d, couleur);
                Pixel(c, xk + 2, y + 3 + 6 * d, couleur);
                break;
            case Taille::Grand:
                c.SetBrosse(couleur);
                c.Ellipse(xk - 2, y + 2 + 7 * d, xk + 3, y + 6 + 7 * d);
                c.SetBrosseVide();
                break;
            }
        }
    }

    // Barres as stored; a library entry claiming more than two (the file is hand-editable)
    // shows the two the record holds.
    c.SetBrosse(couleur);
    const int nbBarres = std::clamp(a.NbBarres, 0, 2);
    auto ligneCorde = [&](int corde) { return x + 5 * g - (std::clamp(corde, 1, 6) - 1) * g; };
    for (int i = 1; i <= nbBarres; ++i) {
        const int d = a.BarreFrette[static_cast<std::size_t>(i)] - a.FretteBase;
        const int xd = ligneCorde(a.BarreCordeDebut[static_cast<std::size_t>(i)]);
        const int xf = ligneCorde(a.BarreCordeFin[static_cast<std::size_t>(i)]);
        switch (taille) {
        case Taille::Petit:
            c.Ligne(xd + 1, y + 2 + 5 * d, xf - 2, y + 2 + 5 * d);
            c.Ligne(xd + 1, y + 3 + 5 * d, xf - 2, y + 3 + 5 * d);
            break;
        case Taille::Moyen:
            c.Rectangle(xf - 1, y + 2 + 6 * d, xd + 2, y + 5 + 6 * d);
            Pixel(c, xf - 2, y + 3 + 6 * d, couleur);
            Pixel(c, xd + 2, y + 3 + 6 * d, couleur);
            break;
        case Taille::Grand:
            c.Rectangle(xf - 1, y + 2 + 7 * d, xd + 2, y + 6 + 7 * d);
            for (const int r : {y + 3 + 7 * d, y + 4 + 7 * d}) {
                Pixel(c, xf - 2, r, couleur);
                Pixel(c, xd + 2, r, couleur);
            }
            break;
        }
    }
    c.SetBrosseVide();

    if (a.FretteBase > 1) {
        const std::string base = std::to_string(a.FretteBase);
        c.TextOut(GaucheFretteBase(taille, x, c.TextWidth(base)), taille == Taille::Grand ? y - 1 : y - 2, base);
    }

    if (avecNom && !a.Nom.empty() && ParamEcranCourant.AffChordsName) {
        const std::string_view nom = a.Nom.view();
        c.TextOut(GaucheNom(taille, x, c.TextWidth(nom)), y + 5 * g + 1, nom);
    }
}

int NbAccordsListe() { return std::clamp<int32_t>(NbAccordsPartition, 0, kNbAccordsPartitionMax); }

int Disponible()
{
    const TParamEcran& p = ParamEcranCourant;
    return LignesAffichage.LargeurDispo - p.MargeDroiteLignes - p.MargeGaucheLignes;
}

} // namespace

int PasGrilleDiagramme(int32_t typeDiag) { return Pas(TailleDe(typeDiag)); }

int CelluleDiagramme(int32_t typeDiag) { return 5 * PasGrilleDiagramme(typeDiag) + 1; }

int DecalageDiagrammeTemps(int32_t typeDiag)
{
    const Taille t = TailleDe(typeDiag);
    return t == Taille::Grand ? 18 : t == Taille::Moyen ? 15 : 12;
}

TEtendueDiagramme EtendueDiagramme(int32_t typeDiag, const TAccord& accord, bool avecNom, platform::Canevas* c)
{
    const Taille taille = TailleDe(typeDiag);
    const int g = Pas(taille);
    // The crosses, rings and dots of the outer strings reach two pixels past their lines.
    TEtendueDiagramme e{-2, 5 * g + 3};
    if (!c)
        return e;
    c->SetFonte(FonteDiagramme(platform::clBlack));
    if (accord.FretteBase > 1)
        e.Gauche = std::min(e.Gauche, GaucheFretteBase(taille, 0, c->TextWidth(std::to_string(accord.FretteBase))));
    if (avecNom && !accord.Nom.empty() && ParamEcranCourant.AffChordsName) {
        const int tw = c->TextWidth(accord.Nom.view());
        e.Gauche = std::min(e.Gauche, GaucheNom(taille, 0, tw));
        e.Droite = std::max(e.Droite, GaucheNom(taille, 0, tw) + tw);
    }
    return e;
}

void DessinerDiagrammePetit(const TAccord& accord, platform::Canevas& c, int x, platform::Couleur couleur,
                            bool avecNom, int y)
{
    Diagramme(Taille::Petit, accord, c, x, y, couleur, avecNom);
}

void DessinerDiagrammeMoyen(const TAccord& accord, platform::Canevas& c, int x, platform::Couleur couleur,
                            bool avecNom, int y)
{
    Diagramme(Taille::Moyen, accord, c, x, y, couleur, avecNom);
}

void DessinerDiagrammeGrand(const TAccord& accord, platform::Canevas& c, int x, platform::Couleur couleur,
                            bool avecNom, int y)
{
    Diagramme(Taille::Grand, accord, c, x, y, couleur, avecNom);
}

void DessinerDiagramme(int32_t typeDiag, const TAccord& accord, platform::Canevas& c, int x,
                       platform::Couleur couleur, bool avecNom, int y)
{
    Diagramme(TailleDe(typeDiag), accord, c, x, y, couleur, avecNom);
}

TGeometrieListeAccords GeometrieListeAccords(int32_t typeDiag, int disponible, int nbAccords)
{
    TGeometrieListeAccords g;
    g.Cellule = CelluleDiagramme(typeDiag);
    g.Ecart = R(2.0 * g.Cellule / 3.0);
    // A view narrower than one cell still shows one diagram per row rather than dividing by 0.
    g.ParLigne = std::max(static_cast<int>(platform::Trunc(static_cast<double>(disponible + g.Ecart) /
                                                            (g.Ecart + g.Cellule))),
                          1);
    g.NbLignes = nbAccords > 0 ? (nbAccords - 1) / g.ParLigne + 1 : 1;
    g.Hauteur = (g.NbLignes - 1) * (g.Cellule + 25) + g.Cellule + 40;
    return g;
}

void DimensionnerBandeAccords()
{
    TLignesAffichage& la = LignesAffichage;
    const TParamEcran& p = ParamEcranCourant;
    const int n = NbAccordsListe();
    la.HauteurEntete = 0;
    if (p.AffListChord && n > 0)
        la.HauteurEntete = GeometrieListeAccords(p.TypeDiag, Disponible(), n).Hauteur + 15;
    TBande& b = AffichagePartition.Bandes[kBandeAccords];
    b.Gauche = 0;
    b.Largeur = std::max(la.LargeurDispo + 6, 0);
    b.Hauteur = la.HauteurEntete;
}

void DessinerBandeAccords()
{
    DimensionnerBandeAccords();
    ChoisirBande(kBandeAccords);
    if (platform::Canevas* c = CanvasEcran()) {
        const TBande& b = AffichagePartition.Bandes[kBandeAccords];
        const auto fond = platform::Couleur::DeValeur(ParamEcranCourant.ColBackG);
        c->SetStylo(fond);
        c->SetBrosse(fond);
        c->Rectangle(0, 0, b.Largeur + 1, b.Hauteur + 1);
        DessinerListeAccords(*c);
    }
    DefinirMinimumDefilement(-LignesAffichage.HauteurEntete);
}

void DessinerListeAccords(platform::Canevas& c)
{
    const TParamEcran& p = ParamEcranCourant;
    const int n = NbAccordsListe();
    if (!p.AffListChord || n == 0)
        return;
    const int disponible = Disponible();
    const TGeometrieListeAccords g = GeometrieListeAccords(p.TypeDiag, disponible, n);
    const auto couleur = platform::Couleur::DeValeur(p.ColDiag);
    for (int i = 0; i < n; ++i) {
        const TAccord* accord = AccordsPartition[static_cast<std::size_t>(i + 1)].get();
        if (!accord)
            continue;
        const int r = i / g.ParLigne;
        const int col = i % g.ParLigne + 1;
        const int k = r == g.NbLignes - 1 ? n - (g.NbLignes - 1) * g.ParLigne : g.ParLigne;
        const int x = R(disponible / 2.0 - ((k + 1) / 2.0 - col) * (g.Ecart + g.Cellule) - g.Cellule / 2.0) +
                      p.MargeGaucheLignes;
        const int y = r * (g.Cellule + 25) + 15;
        DessinerDiagramme(p.TypeDiag, *accord, c, x, couleur, true, y);
    }
}

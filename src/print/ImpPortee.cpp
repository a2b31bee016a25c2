#include "print/ImpPortee.h"

#include "editor/Ecran.h"
#include "print/ImpEffets.h"
#include "print/ImpPage.h"
#include "print/Impress.h"
#include "platform/Arrondi.h"

#include <algorithm>
#include <array>
#include <vector>
#include <string>

namespace {

const TGeometrieImpr& G = kGeometrieImpr;

int R(double v) { return static_cast<int>(platform::Round(v)); }

double YCorde(double y, int32_t s) { return y + (s - 1) * kEcartCordes; }

} // namespace

void ImprimerCordes(double xDebut, double xFin, double y)
{
    platform::Canevas* c = CanvasImpr;
    if (!c)
        return;
    const double e = EchelleImpr();
    const double mg = ParamImpCourant.MargeGaucheLignes;
    RemplissageImpr(*c);
    const int x1 = R((xDebut + mg) * e);
    const int x2 = R((xFin + mg) * e + 1);
    const int epaisseur = R(e * G.EpaisseurCorde) + 1;
    for (int32_t s = 1; s <= NbCordesImpr(); ++s) {
        const int yc = R(YCorde(y, s) * e);
        c->Rectangle(x1, yc, x2, yc + epaisseur);
    }
}

void ImprimerBarreMesure(int kind, int side, double y, double x)
{
    platform::Canevas* c = CanvasImpr;
    if (!c)
        return;
    const double e = EchelleImpr();
    const int w = R(e * (kind == 1 ? G.EpaisseurBarre : G.EpaisseurBarreEpaisse));
    const int X = XImpr(x);
    const int haut = R(YCorde(y, 1) * e);
    const int bas = R(YCorde(y, NbCordesImpr()) * e) + 1;
    RemplissageImpr(*c);
    if (side == 1)
        c->Rectangle(X - w, haut, X + 1, bas);
    else
        c->Rectangle(X, haut, X + w + 1, bas);
}

void ImprimerPoint(double x, double y, double rayon)
{
    platform::Canevas* c = CanvasImpr;
    if (!c)
        return;
    const double e = EchelleImpr();
    const double xa = x + ParamImpCourant.MargeGaucheLignes;
    RemplissageImpr(*c);
    c->Ellipse(R((xa - rayon) * e), R((y - rayon) * e), R((xa + rayon) * e) + 1, R((y + rayon) * e) + 1);
}

void ImprimerDoubleBarre(int fin, double y, double x)
{
    const int d = fin == 1 ? 1 : -1;
    const int side = fin == 1 ? 2 : 1;
    ImprimerBarreMesure(2, side, y, x);
    ImprimerBarreMesure(1, side, y, x + d * (G.EpaisseurBarreEpaisse + G.EcartDoubleBarre));
}

void ImprimerBarreRenvoi(int fin, double y, double x)
{
    ImprimerDoubleBarre(fin, y, x);
    const int d = fin == 1 ? 1 : -1;
    const double xp = x + d * (G.EpaisseurBarreEpaisse + G.EcartDoubleBarre + G.EpaisseurBarre +
                               G.EcartPointRenvoi + G.RayonPointRenvoi);
    // Halfway between strings a and a + 1, and b and b + 1.
    const std::array<int, 2> intervalles = NbCordesImpr() >= 6 ? std::array<int, 2>{2, 4} : std::array<int, 2>{1, 3};
    for (const int a : intervalles)
        ImprimerPoint(xp, y + (a - 0.5) * kEcartCordes, G.RayonPointRenvoi);

    platform::Canevas* c = CanvasImpr;
    const TMesure* bloc = MesureImpr(ParamImpCourant.MesureEnCours);
    if (fin != 2 || !c || !bloc || bloc->NbRenvois <= 1)
        return;
    const double e = EchelleImpr();
    const std::string texte = std::to_string(bloc->NbRenvois) + "x";
    c->SetFonte(PoliceImpr("FontRenv_Prt"));
    FondTexteImpr(*c, true);
    const platform::Dimension d2 = c->TextExtent(texte);
    c->TextOut(R((x + ParamImpCourant.MargeGaucheLignes) * e - d2.cx),
               R((ParamImpCourant.PosY - G.HauteurNbRenvois) * e - d2.cy / 2.0), texte);
}

double RetraitBarreFinImpr(int32_t mesure)
{
    const TMesure* bloc = MesureImpr(mesure);
    if (bloc && bloc->RenvoiFin)
        return G.EpaisseurBarreEpaisse + G.EcartDoubleBarre + G.EcartPointRenvoi + 2 * G.RayonPointRenvoi;
    return mesure == std::min(Partition.NbMesures, kNbMesuresMax) ? G.EpaisseurBarreEpaisse + G.EcartDoubleBarre : 0.0;
}

double RetraitMarquesFinImpr(int32_t mesure) { return RetraitBarreFinImpr(mesure) + 0.5; }

namespace {

// The ending's number: in FontRenv_Prt, plain and black, right of the hook and under the line.
constexpr double kDecalageNumeroFinAlternative = 0.8;

void FonteFinAlternative(platform::Canevas& c)
{
    platform::StyleFonte fonte = PoliceImpr("FontRenv_Prt");
    fonte.gras = false;
    fonte.italique = false;
    fonte.couleur = platform::clBlack;
    c.SetFonte(fonte);
}

// The bottom of an ending's hook: one staff height plus half the staff spacing setting above
// the top string, risen with the line's diagrams.
double BasFinAlternative(double y)
{
    return y - ((NbCordesImpr() - 1) * kEcartCordes + ParamImpCourant.EspPortees_Prt / 2.0) - MonteeDessusImpr();
}

// Where the bracket of an ending at x over the staff at y prints, device pixels: its hook at X
// from Bas up to Haut (`haut`, or its usual height), its line from there to Fin, its number's
// cell from (XNumero, YNumero).
struct TraceFinAlternative {
    int X = 0, Bas = 0, Haut = 0, Fin = 0, XNumero = 0, YNumero = 0;
};

TraceFinAlternative Trace(double y, double x, std::optional<double> haut)
{
    const double e = EchelleImpr();
    const double X = x + ParamImpCourant.MargeGaucheLignes;
    const double yb = BasFinAlternative(y);
    const double yh = haut.value_or(yb - G.HauteurFinAlt);
    return {R(X * e),          R(yb * e), R(yh * e), R((X + G.LongueurFinAlt) * e), R((X + kDecalageNumeroFinAlternative) * e),
            R((yh + 0.3) * e)};
}

// The x of measure `mesure`'s opening bar on the line that starts at `premiere`, print mm from
// the line's start.
double XFinAlternative(int32_t mesure, int32_t premiere)
{
    const TMesure* precedente = MesureImpr(mesure - 1);
    return mesure == premiere || !precedente ? 0 : precedente->LargeurImp + precedente->EspaceDroiteImp;
}

} // namespace

double FinNumeroFinAlternativeImpr(platform::Canevas& c, int32_t mesure, int32_t numero)
{
    FonteFinAlternative(c);
    return kDecalageNumeroFinAlternative + c.TextWidth(TexteFinAlternative(mesure, numero)) / EchelleImpr();
}

double HautFinAlternative(platform::Canevas* c, int32_t mesure, int32_t premiere, int32_t derniere)
{
    const TZoneImpression& p = ParamImpCourant;
    const double y = BasFinAlternative(p.PosY) - G.HauteurFinAlt;
    if (!c || !p.AffDiag_Prt || mesure < premiere)
        return y;
    const double x = XFinAlternative(mesure, premiere);
    // The diagrams under the line, with half a millimetre round the line's pen; a diagram a
    // string gap of its own past the line's end would read as where the line leads.
    const double e = EchelleImpr();
    const double marge = 0.5 + G.EpaisseurFinAlt / 2;
    const double gauche = (x + p.MargeGaucheLignes) * e;
    const double droite = (x + p.MargeGaucheLignes + G.LongueurFinAlt + G.EcartDiagramme * FacteurDiagrammesDe(p.ChordSize_Prt)) * e;
    const double yDiagramme = YDiagrammeImpr();
    std::optional<double> haut;
    for (int32_t k = mesure; k <= derniere; ++k) {
        const TMesure* bloc = MesureImpr(k);
        if (!bloc)
            continue;
        for (int32_t b = 1; b <= NbTempsImpr(k); ++b) {
            const TTemps& t = bloc->Temps[PisteImpr()][b];
            if (!t.AvecAccord || !t.Accord || !t.Accord->AvecDiagramme())
                continue;
            const TZoneEncre z = ZoneDiagramme(*c, *t.Accord, true, t.XImp + p.MargeGaucheLignes, yDiagramme);
            if (z.Droite > gauche && z.Gauche < droite && z.Bas > (y - marge) * e && z.Haut < (y + marge) * e)
                haut = std::min(haut.value_or(z.Haut), z.Haut);
        }
    }
    return haut ? *haut / e - marge : y;
}

std::vector<TZoneEncre> ZonesFinAlternative(platform::Canevas& c, int32_t mesure, int32_t numero, int32_t premiere,
                                            int32_t derniere)
{
    const TraceFinAlternative t =
        Trace(ParamImpCourant.PosY, XFinAlternative(mesure, premiere), HautFinAlternative(&c, mesure, premiere, derniere));
    // The pen reaches half its width round the hook's and the line's ends.
    const int demiStylo = (std::max(PixImpr(G.EpaisseurFinAlt), 1) + 1) / 2;
    FonteFinAlternative(c);
    const platform::Dimension d = c.TextExtent(TexteFinAlternative(mesure, numero));
    const auto zone = [](int gauche, int haut, int droite, int bas) {
        return TZoneEncre{static_cast<double>(gauche), static_cast<double>(haut), static_cast<double>(droite),
                          static_cast<double>(bas)};
    };
    return {zone(t.X - demiStylo, t.Haut - demiStylo, t.X + demiStylo, t.Bas + demiStylo),
            zone(t.X - demiStylo, t.Haut - demiStylo, t.Fin + demiStylo, t.Haut + demiStylo),
            zone(t.XNumero, t.YNumero, t.XNumero + d.cx, t.YNumero + d.cy)};
}

void ImprimerFinAlternative(int32_t mesure, int32_t numero, double y, double x, std::optional<double> haut)
{
    platform::Canevas* c = CanvasImpr;
    if (!c)
        return;
    const TraceFinAlternative t = Trace(y, x, haut);
    StyloImpr(*c, G.EpaisseurFinAlt);
    c->MoveTo(t.X, t.Bas);
    c->LineTo(t.X, t.Haut);
    c->LineTo(t.Fin, t.Haut);

    FonteFinAlternative(*c);
    c->SetLargeurStylo(1);
    FondTexteImpr(*c);
    c->TextOut(t.XNumero, t.YNumero, TexteFinAlternative(mesure, numero));
}

namespace {

// The middle of a measure's time signature, in millimetres from its bar.
double CentreSignatureImpr(int32_t mesure)
{
    const TMesure* bloc = MesureImpr(mesure);
    double xc = G.DecalageSignature + 1.5;
    if (bloc && bloc->RenvoiDebut)
        xc += G.EspaceDebutRenvoi;
    else if (mesure == 1)
        xc += G.EspaceDebutPartition;
    return xc;
}

} // namespace

double DroiteSignatureImpr(platform::Canevas& c, int32_t mesure, int numerateur, int denominateur)
{
    const double e = EchelleImpr();
    if (e <= 0)
        return 0;
    c.SetFonte(PoliceImpr("FontSign_Prt"));
    const int largeur = std::max(c.TextWidth(std::to_string(numerateur)), c.TextWidth(std::to_string(denominateur)));
    return CentreSignatureImpr(mesure) + largeur / 2.0 / e;
}

void ImprimerSignature(int32_t mesure, int numerateur, int denominateur, double y, double x)
{
    platform::Canevas* c = CanvasImpr;
    if (!c)
        return;
    const TZoneImpression& p = ParamImpCourant;
    const double e = EchelleImpr();
    const double xc = x + CentreSignatureImpr(mesure) + p.MargeGaucheLignes;
    const double ym = y + (NbCordesImpr() - 1) / 2.0 * kEcartCordes;

    c->SetFonte(PoliceImpr("FontSign_Prt"));
    FondTexteImpr(*c);
    const std::string num = std::to_string(numerateur);
    const std::string den = std::to_string(denominateur);
    const platform::Dimension dn = c->TextExtent(num);
    c->TextOut(R(xc * e - dn.cx / 2.0), R(ym * e - dn.cy), num);
    const platform::Dimension dd = c->TextExtent(den);
    c->TextOut(R(xc * e - dd.cx / 2.0), R((ym + 0.5) * e), den);
}

void ImprimerNumeroMesure(int32_t mesure, double x)
{
    platform::Canevas* c = CanvasImpr;
    const TZoneImpression& p = ParamImpCourant;
    if (!c || !p.AffNum_Prt)
        return;
    const double e = EchelleImpr();
    c->SetFonte(PoliceImpr("FontNumM_Prt"));
    FondTexteImpr(*c);
    const std::string texte = std::to_string(mesure);
    const platform::Dimension d = c->TextExtent(texte);
    c->TextOut(R((x + p.MargeGaucheLignes) * e - d.cx / 2.0), R((p.PosY - 1) * e) - d.cy, texte);
}

bool AccordageStandardImpression()
{
    // The guitar, the 6-string bass (B E A D G C), the 5-string bass and the bass.
    struct Standard {
        int32_t nbCordes;
        std::array<int32_t, 6> notes;
    };
    static constexpr Standard kStandards[] = {
        {6, {64, 59, 55, 50, 45, 40}},
        {6, {48, 43, 38, 33, 28, 23}},
        {5, {43, 38, 33, 28, 23, 0}},
        {4, {43, 38, 33, 28, 0, 0}},
    };
    const int32_t piste = PisteImpr();
    const int32_t n = NbCordesImpr();
    for (const Standard& s : kStandards) {
        if (s.nbCordes != n)
            continue;
        bool egal = true;
        for (int32_t i = 1; i <= n && egal; ++i)
            egal = Partition.Accordage[piste][i] == s.notes[static_cast<std::size_t>(i - 1)];
        if (egal)
            return true;
    }
    return false;
}

std::string NomNoteImpression(int32_t note)
{
    static constexpr const char* kNoms[12] = {"C", "C#", "D", "D#", "E", "F", "F#", "G", "G#", "A", "A#", "B"};
    return kNoms[((note % 12) + 12) % 12];
}

void ImprimerAccordage(double x)
{
    platform::Canevas* c = CanvasImpr;
    if (!c || AccordageStandardImpression())
        return;
    const TZoneImpression& p = ParamImpCourant;
    const double e = EchelleImpr();
    platform::StyleFonte fonte = PoliceImpr("FontNotes_Prt");
    fonte.gras = false;
    fonte.italique = false;
    fonte.taille = std::max(fonte.taille - 1, 1);
    c->SetFonte(fonte);
    FondTexteImpr(*c);
    const int32_t piste = PisteImpr();
    for (int32_t s = 1; s <= NbCordesImpr(); ++s) {
        const std::string nom = NomNoteImpression(Partition.Accordage[piste][s]);
        const platform::Dimension d = c->TextExtent(nom);
        c->TextOut(R((x + p.MargeGaucheLignes - 1) * e) - d.cx, R(YCordeImpr(s) * e) - R(d.cy / 2.0), nom);
    }
}

#include "print/ImpRythme.h"

#include "print/ImpPortee.h"
#include "print/Impress.h"
#include "platform/Arrondi.h"

#include <algorithm>
#include <array>

namespace {

const TGeometrieImpr& G = kGeometrieImpr;

int R(double v) { return static_cast<int>(platform::Round(v)); }

// More beams than a sixty-fourth has can only come from damaged bytes: they would climb into
// the staff.
constexpr int kNbCrochetsMax = 4;
int Crochets(int n) { return std::min(n, kNbCrochetsMax); }

const TTemps* Temps(int32_t b)
{
    TMesure* bloc = MesureImpr(ParamImpCourant.MesureEnCours);
    if (!bloc || b < 1 || b > kNbTempsMax)
        return nullptr;
    return &bloc->Temps[PisteImpr()][b];
}

bool EstTemps(int32_t b) { return b >= 1 && b <= NbTempsImpr(ParamImpCourant.MesureEnCours); }

// A filled stem column: EpaisseurHampe wide, centred on x, rows ya to yb (yb excluded).
void Colonne(platform::Canevas& c, double x, int ya, int yb)
{
    const double e = EchelleImpr();
    const int xa = R((x + ParamImpCourant.MargeGaucheLignes - G.EpaisseurHampe / 2) * e);
    RemplissageImpr(c);
    c.Rectangle(xa, ya, xa + R(e * G.EpaisseurHampe) + 1, yb);
}

// Beam k of a span from xa to xb (score x).
void Croche(platform::Canevas& c, int k, double xa, double xb)
{
    const double e = EchelleImpr();
    const double mg = ParamImpCourant.MargeGaucheLignes;
    const double yB = YCrochesImpr();
    RemplissageImpr(c);
    c.Rectangle(R((xa + mg) * e), R((yB - G.EpaisseurCrochet - (k - 1) * G.EcartCrochets) * e),
                R((xb + mg) * e + 1), R((yB - (k - 1) * G.EcartCrochets) * e + 1));
}

// A polygon point (dx, dy) tenths of a millimetre from (xr, ym), in device pixels.
platform::Point PointDixiemes(double xr, double ym, int dx, int dy)
{
    const double e = EchelleImpr();
    return platform::Point{R((xr + dx / 10.0) * e), R((ym + dy / 10.0) * e)};
}

} // namespace

void ImprimerSilence(int32_t b, int code)
{
    platform::Canevas* c = CanvasImpr;
    const TTemps* t = Temps(b);
    if (!c || !t || code < -2)
        return;
    const double e = EchelleImpr();
    const int32_t n = NbCordesImpr();
    const double xr = t->XImp + ParamImpCourant.MargeGaucheLignes;
    const double ym = ParamImpCourant.PosY + (n - 1) / 2.0 * kEcartCordes;
    RemplissageImpr(*c);

    switch (code) {
    case -2: { // hanging under the line
        const double y0 = YCordeImpr(n == 4 ? 2 : 3);
        c->Rectangle(R((xr - 1.5) * e), R(y0 * e), R((xr + 1.5) * e), R((y0 + 1.5) * e));
        return;
    }
    case -1: { // resting on the line
        const double y0 = YCordeImpr(n < 6 ? 3 : 4);
        c->Rectangle(R((xr - 1.5) * e), R((y0 - 1.5) * e), R((xr + 1.5) * e), R(y0 * e));
        return;
    }
    case 0: {
        // Successive steps in tenths of a millimetre, summed from (xr, ym).
        static constexpr std::array<std::array<int, 2>, 16> kPas{{
            {0, -20}, {7, 10}, {-5, 10}, {5, 10}, {-5, -2}, {-2, 2}, {1, 4}, {3, 4},
            {-6, -4}, {-2, -4}, {1, -3}, {2, -2}, {4, 0}, {-6, -7}, {6, -7}, {0, -3},
        }};
        std::array<platform::Point, 16> points;
        int dx = 0;
        int dy = 0;
        for (std::size_t i = 0; i < kPas.size(); ++i) {
            dx += kPas[i][0];
            dy += kPas[i][1];
            points[i] = PointDixiemes(xr, ym, dx, dy);
        }
        c->Polygone(points);
        return;
    }
    default: break;
    }

    const int drapeaux = std::min(code, 4);
    const double x1 = xr + 1.0;
    const double y1 = ym - 2.5;
    c->SetStylo(platform::clBlack, R(0.35 * e));
    c->Ligne(R(x1 * e), R(y1 * e), R((x1 - 1.8) * e), R((y1 + 5.4) * e));
    for (int i = 0; i < drapeaux; ++i) {
        const double xi = x1 - 0.35 * i;
        const double yi = y1 + 1.05 * i;
        c->SetStylo(platform::clBlack, R(0.15 * e));
        c->Ligne(R((xi - 0.15) * e), R((yi + 0.45) * e), R((xi - 1.65) * e), R((yi + 0.85) * e));
        // With that pen the small outline prints as a solid blob at the end of the flag.
        c->SetStylo(platform::clBlack, R(0.5 * e));
        c->SetBrosseVide();
        c->Ellipse(R((xi - 2.05) * e), R((yi + 0.45) * e), R((xi - 1.45) * e), R((yi + 0.85) * e));
    }
}

void ImprimerHampes(int32_t b)
{
    platform::Canevas* c = CanvasImpr;
    const TTemps* t = Temps(b);
    if (!c || !t)
        return;
    const double e = EchelleImpr();
    const double x = t->XImp;
    const double yB = YCrochesImpr();
    const int basCroches = R(yB * e + 1);

    if (t->Silence) {
        // The stem that carries the beams of a rest of an eighth or shorter.
        Colonne(*c, x, R((yB - 4.0) * e), basCroches);
        return;
    }

    c->SetFonte(PoliceImpr("FontNotes_Prt"));
    const int hN = c->TextHeight("0");
    const int32_t n = NbCordesImpr();
    auto aUneNote = [&](int32_t s) { return t->Notes[s].Frette >= 0; };
    int32_t premiere = n;
    for (int32_t s = 1; s <= n; ++s)
        if (aUneNote(s)) {
            premiere = s;
            break;
        }
    int32_t derniere = 1;
    for (int32_t s = n; s >= 1; --s)
        if (aUneNote(s)) {
            derniere = s;
            break;
        }

    if (t->Lie) {
        derniere = n;
    } else if (derniere != premiere && derniere >= 2) {
        // Segments between notes that are not on adjacent strings.
        int32_t p = premiere;
        for (int32_t k = premiere + 1; k <= derniere; ++k) {
            if (!aUneNote(k))
                continue;
            if (k - p > 1)
                Colonne(*c, x, R((YCordeImpr(p) + G.EcartHampeNote) * e + hN / 2.0),
                        R((YCordeImpr(k) - G.EcartHampeNote) * e - hN / 2.0 + 1));
            p = k;
        }
    }

    if (t->CodeDuree <= -2)
        return;
    if (t->CodeDuree == -1)
        Colonne(*c, x, R((yB - G.LongueurHampeBlanche) * e), basCroches);
    else
        Colonne(*c, x, R((YCordeImpr(derniere) + G.EcartHampeNote) * e + hN / 2.0), basCroches);
}

void ImprimerCroches(int32_t b)
{
    platform::Canevas* c = CanvasImpr;
    const TTemps* t = Temps(b);
    if (!c || !t || (t->Silence && t->CodeDuree < 1))
        return;
    const int32_t nbTemps = NbTempsImpr(ParamImpCourant.MesureEnCours);
    const double x = t->XImp;
    const double yB = YCrochesImpr();
    const int liensPrec = Crochets(t->LiensPrec);
    const int gauche = Crochets(t->CrochetsGauche);
    const int liensSuiv = Crochets(t->LiensSuiv);
    const int droite = Crochets(t->CrochetsDroite);

    // The neighbours' indices are bytes of memory only: a stale one is not followed.
    if (EstTemps(t->TempsPrec))
        for (int k = 1; k <= liensPrec; ++k)
            Croche(*c, k, Temps(t->TempsPrec)->XImp, x);
    for (int k = liensPrec + 1; k <= gauche; ++k)
        Croche(*c, k, x - G.LongueurCrochetSeul, x);
    // The dot goes in the middle of the first free beam row.
    auto point = [&](double xp, int rangees) {
        ImprimerPoint(xp, yB - G.EpaisseurCrochet - rangees * G.EcartCrochets + G.EpaisseurCrochet / 2,
                      G.RayonPointRythme);
    };
    if (t->Pointee && t->CotePointe == 1)
        point(x - G.DecalagePointRythme, std::max(liensPrec, gauche));

    if (liensSuiv > 0 && EstTemps(t->TempsSuiv))
        for (int k = 1; k <= liensSuiv; ++k)
            Croche(*c, k, x, Temps(t->TempsSuiv)->XImp);
    const int debut = b == nbTemps && liensSuiv > 0 ? 1 : liensSuiv + 1;
    for (int k = debut; k <= droite; ++k)
        Croche(*c, k, x, x + G.LongueurCrochetSeul);
    if (t->Pointee && t->CotePointe == 2)
        point(x + G.DecalagePointRythme, std::max(liensSuiv, droite));
}

void ImprimerTriolet(int32_t m, int32_t b)
{
    platform::Canevas* c = CanvasImpr;
    const TZoneImpression& p = ParamImpCourant;
    const TMesure* bloc = MesureImpr(m);
    if (!c || !bloc || !p.AffRyt_Prt || b < 1 || b > NbTempsImpr(m))
        return;
    const auto& temps = bloc->Temps[PisteImpr()];
    const double e = EchelleImpr();
    const double xa = temps[b].XImp + p.MargeGaucheLignes;
    const double xb = b + 2 <= NbTempsImpr(m) ? temps[b + 2].XImp + p.MargeGaucheLignes : xa + 10.0;
    const double y0 = YCrochesImpr() + G.EcartTriolet;
    const double y1 = y0 + G.HauteurTriolet;

    StyloImpr(*c, G.EpaisseurTriolet);
    c->MoveTo(R(xa * e), R(y0 * e));
    c->LineTo(R(xa * e), R(y1 * e));
    c->LineTo(R(xb * e), R(y1 * e));
    c->LineTo(R(xb * e), R(y0 * e));

    // Opaque, so that the number interrupts the bracket.
    c->SetFonte(PoliceImpr("FontTriolet_Prt"));
    c->SetLargeurStylo(1);
    FondTexteImpr(*c, true);
    const int w = c->TextWidth(" 3 ");
    const int h = c->TextHeight("3");
    c->TextOut(R((xa + xb) / 2 * e - w / 2.0), R(y1 * e - h / 2.0), " 3 ");
}

void ImprimerLiaisons(int32_t m, int32_t b)
{
    platform::Canevas* c = CanvasImpr;
    const TMesure* bloc = MesureImpr(m);
    if (!c || !bloc || b < 1 || b > NbTempsImpr(m))
        return;
    const int32_t piste = PisteImpr();
    const TTemps& t = bloc->Temps[piste][b];
    if (!t.Lie)
        return;
    const double x = t.XImp;

    // The beat the tie comes from, when it is on this printed line.
    double x0 = x - 5.0;
    if (b >= 2) {
        x0 = bloc->Temps[piste][b - 1].XImp;
    } else {
        for (int32_t k = m - 1; k >= 1; --k) {
            const int32_t n = NbTempsImpr(k);
            if (n == 0)
                continue;
            if (k >= PremiereMesureLigneImpr)
                x0 = MesureImpr(k)->Temps[piste][n].XImp;
            break;
        }
    }

    const double e = EchelleImpr();
    const double mg = ParamImpCourant.MargeGaucheLignes;
    const double y0 = YCrochesImpr() + G.EcartTriolet;
    const int X0 = R((x0 + mg) * e);
    const int X = R((x + mg) * e);
    const int Y0 = R(y0 * e);
    StyloImpr(*c, G.EpaisseurLiaison);
    c->Arc(X0, R((y0 - G.HauteurTriolet) * e), X, R((y0 + G.HauteurTriolet) * e), X0, Y0, X, Y0);
    c->SetPixel(X - 1, Y0, platform::clBlack);
}

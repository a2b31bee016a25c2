#include "editor/EffetsSaisie.h"

#include "document/Variable.h"
#include "editor/DessinSaisie.h"
#include "platform/Arrondi.h"

#include <algorithm>
#include <array>

using platform::clBlack;
using platform::clBlue;
using platform::clRed;
using platform::clWhite;

namespace {

int R(double v) { return static_cast<int>(platform::Round(v)); }

int Piste() { return std::clamp<int32_t>(PisteCourante, 1, kNbPistes); }

int NbCordes() { return std::clamp<int32_t>(Partition.NbCordes[Piste()], 1, kNbCordesMax); }

int YCorde(int s) { return Curseur.MargeHaut + (s - 1) * Curseur.EspCordes; }

const TMesure* BlocCourant()
{
    const int32_t m = Partition.MesureCourante;
    if (m < 1 || m > Partition.NbMesures || m > kNbMesuresMax)
        return nullptr;
    return Partition.Mesures[m].get();
}

// Beat b of the current measure, up to the free column: past it a slot holds only what an
// earlier edit left there.
const TTemps* TempsCourant(int32_t b)
{
    const TMesure* bloc = BlocCourant();
    if (!bloc || b < 1 || b > kNbTempsMax || b > bloc->NbTemps[Piste()] + 1)
        return nullptr;
    return &bloc->Temps[Piste()][b];
}

// The small texts of the glyphs: Arial 7 in blue, a blue pen of one pixel, a clear brush.
void PreparerGlyphe(platform::Canevas& c)
{
    c.SetFonte(platform::StyleFonte{"Arial", 7, false, false, clBlue});
    c.SetStylo(clBlue, 1);
    c.SetBrosseVide();
}

void Pixels(platform::Canevas& c, std::initializer_list<platform::Point> points)
{
    for (const platform::Point p : points)
        c.SetPixel(p.x, p.y, clBlue);
}

} // namespace

std::string LettreEffetTemps(int effet)
{
    switch (effet) {
    case 4: return "<";
    case 5: return "T";
    case 6: return "S";
    case 7: return "P";
    case 8: return "H";
    case 9: return "A.H.";
    default: return {};
    }
}

std::string TexteValeurEffet(double valeur)
{
    if (valeur == 0.25)
        return "1/4";
    if (valeur == 0.5)
        return "1/2";
    if (valeur == 0.75)
        return "3/4";
    return TexteDecimalCourt(valeur);
}

void DessinerEffetsSaisie(platform::Canevas& c, int32_t b, bool redessinerSuivant)
{
    const TMesure* bloc = BlocCourant();
    if (!bloc || b < 0 || b > kNbTempsMax)
        return;
    const int n = NbCordes();
    const int l = Curseur.LargeurTemps;
    const int mh = Curseur.MargeHaut;
    const int x = Curseur.MargeGauche + b * l;

    c.SetFonte(platform::StyleFonte{"MS Sans Serif", Curseur.TailleChiffres, false, false, clBlue});
    c.SetStylo(clWhite);
    c.SetBrosse(clWhite);
    c.Rectangle(x - 15, mh - 20, x + R(l / 2.0), mh - 10);
    const int demi = R(c.TextWidth("(22)") / 2.0) + 2;
    const int k = b == 0 ? 3 : 0;
    c.Rectangle(x + demi + k, mh - 15, x + l - demi + 1, YCorde(n) + 5);

    if (b == 0) {
        c.SetStylo(clBlack);
        for (int s = 1; s <= n; ++s)
            c.Ligne(x + demi, YCorde(s), x + l - demi + 1, YCorde(s));
        return;
    }

    static const TTemps vide;
    const TTemps* courant = TempsCourant(b);
    const TTemps& t = courant ? *courant : vide;
    if (t.TableMix) {
        c.SetStylo(clRed);
        c.SetBrosse(clRed);
        c.Rectangle(x - 1, mh - 13, x + 3, mh - 9);
    }
    DessinerEffetTempsSaisie(c, b, LettreEffetTemps(t.Effet));
    for (int s = 1; s <= n; ++s) {
        c.SetStylo(clBlack);
        c.Ligne(x + demi, YCorde(s), x + l - demi + 1, YCorde(s));
        DessinerLiaisonsSaisie(c, b, s);
    }
    if (t.Brush == 1 || t.Brush == 2) {
        const int yn = YCorde(n);
        c.SetStylo(clBlack);
        c.Ligne(x + 20, mh + 2, x + 20, yn - 1);
        // The arrow head is part of the strum line and shares its colour.
        const std::array<int, 3> ys = t.Brush == 1 ? std::array<int, 3>{mh + 3, mh + 4, mh + 5}
                                                   : std::array<int, 3>{yn - 3, yn - 4, yn - 5};
        for (int i = 0; i < 3; ++i) {
            c.SetPixel(x + 21 + i, ys[i], clBlack);
            c.SetPixel(x + 19 - i, ys[i], clBlack);
        }
    }
    if (redessinerSuivant && bloc->NbTemps[Piste()] > b) {
        DessinerTempsSaisie(c, Curseur, Partition.MesureCourante, false, b + 1);
        // A bend amount is written leftwards from the middle of its gap, into the cells of the
        // beat before: repainting them has wiped its first characters.
        for (int s = 1; s <= n; ++s)
            DessinerLiaisonsSaisie(c, b + 1, s);
    }
}

void DessinerEffetsSaisie(int32_t b, bool redessinerSuivant)
{
    DessinerEffetsSaisie(CanevasSaisie(), b, redessinerSuivant);
}

void DessinerEffetTempsSaisie(platform::Canevas& c, int32_t b, const std::string& lettre)
{
    const TTemps* t = TempsCourant(b);
    if (!t)
        return;
    PreparerGlyphe(c);
    const int x = Curseur.MargeGauche + Curseur.LargeurTemps * b;
    const int y = Curseur.MargeHaut - 15;
    switch (t->Effet) {
    case 1: // vibrato: a gentle wave
        for (int k = 1; k <= 5; ++k) {
            const int x0 = x - 4 + 4 * k;
            Pixels(c, {{x0, y}, {x0 + 1, y - 1}, {x0 + 2, y - 2}, {x0 + 3, y - 1}});
        }
        Pixels(c, {{x + 20, y}});
        break;
    case 2: { // tremolo bar: a sharper wave, one row higher
        const int y2 = Curseur.MargeHaut - 18;
        for (int k = 1; k <= 3; ++k) {
            const int x0 = x - 4 + 6 * k;
            for (int j = 0; j <= 3; ++j)
                Pixels(c, {{x0 + j, y2 + j}});
            Pixels(c, {{x0 + 4, y2 + 2}, {x0 + 5, y2 + 1}});
        }
        Pixels(c, {{x + 20, y2}});
        break;
    }
    case 3: { // vibrato stroke: a V with its amount
        c.Polyline({{x - 10, y - 1}, {x + 1, y + 4}, {x + 12, y - 2}});
        c.SetTailleFonte(5);
        const std::string valeur = TexteValeurEffet(t->ValeurCoupVib);
        const platform::Dimension d = c.TextExtent(valeur);
        c.TextOut(x + 1 - R(d.cx / 2.0), y - R(d.cy / 2.0) - 2, valeur);
        c.SetTailleFonte(7);
        break;
    }
    default:
        if (!lettre.empty()) {
            const platform::Dimension d = c.TextExtent(lettre);
            c.TextOut(x - R(d.cx / 2.0) + 1, y - R(d.cy / 2.0), lettre);
        }
        break;
    }
}

void DessinerLiaisonsSaisie(platform::Canevas& c, int32_t b, int32_t s)
{
    const TTemps* t = TempsCourant(b);
    if (!t || s < 1 || s > kNbCordesMax || t->Silence || t->Lie)
        return;
    const TNoteCorde& note = t->Notes[s];
    PreparerGlyphe(c);
    const int xm = R((b + 0.5) * Curseur.LargeurTemps) + Curseur.MargeGauche;
    const int ym = R((s - 1.5) * Curseur.EspCordes) + Curseur.MargeHaut;
    auto valeur = [&] {
        c.SetTailleFonte(5);
        const std::string texte = TexteValeurEffet(note.ValeurBend);
        c.TextOut(xm - 1 - c.TextWidth(texte), ym - 6, texte);
        c.SetTailleFonte(7);
    };
    switch (note.Effet) {
    case 1:
    case 2:
        Pixels(c, {{xm - 9, ym + 5}, {xm - 8, ym + 4}});
        c.Ligne(xm - 7, ym + 3, xm + 8, ym + 3);
        Pixels(c, {{xm + 8, ym + 4}, {xm + 9, ym + 5}});
        c.TextOut(xm - 7, ym - 7, note.Effet == 1 ? "HO" : "PO");
        break;
    case 3:
        c.SetTailleFonte(8);
        c.Ligne(xm - 9, ym + 10, xm + 10, ym + 4);
        c.TextOut(xm - 6, ym - 6, "sl");
        break;
    case 4:
        c.SetTailleFonte(8);
        c.Ligne(xm - 9, ym + 4, xm + 10, ym + 10);
        c.TextOut(xm - 4, ym - 6, "sl");
        break;
    case 5:
        c.Polyline({{xm - 7, ym + 6}, {xm - 2, ym + 5}, {xm + 3, ym}, {xm + 3, ym - 6}});
        Pixels(c, {{xm + 2, ym - 4}, {xm + 1, ym - 3}, {xm + 4, ym - 4}, {xm + 5, ym - 3}});
        valeur();
        break;
    case 6:
        c.Polyline({{xm - 9, ym + 6}, {xm - 4, ym + 5}, {xm + 1, ym}, {xm + 1, ym - 6},
                    {xm + 5, ym - 5}, {xm + 7, ym}, {xm + 7, ym + 7}});
        Pixels(c, {{xm + 6, ym + 5}, {xm + 5, ym + 4}, {xm + 8, ym + 5}, {xm + 9, ym + 4}});
        valeur();
        break;
    default: // none, let ring
        break;
    }
}

void DessinerSilenceSaisie(platform::Canevas& c, int codeDuree, int x)
{
    const int n = NbCordes();
    const int mh = Curseur.MargeHaut;
    const int e = Curseur.EspCordes;
    const int yc = R(mh + (n - 1) * e / 2.0);
    c.SetStylo(clBlue, 1);
    c.SetBrosse(clBlue);
    switch (codeDuree) {
    case -2: { // whole: hangs below a string
        const int y = n == 4 ? mh + e : mh + 2 * e;
        c.Rectangle(x - 6, y, x + 6, y + 6);
        break;
    }
    case -1: { // half: stands on a string
        const int y = n <= 5 ? mh + 2 * e : mh + 3 * e;
        c.Rectangle(x - 6, y - 5, x + 6, y + 1);
        break;
    }
    case 0: { // quarter: a zigzag drawn in units of 0.85 pixel from the middle of the staff
        static constexpr std::array<platform::Point, 16> pas{{
            {0, -20}, {7, 10}, {-5, 10}, {5, 10}, {-5, -2}, {-2, 2}, {1, 4}, {3, 4},
            {-6, -4}, {-2, -4}, {1, -3}, {2, -2}, {4, 0}, {-6, -7}, {6, -7}, {0, -3},
        }};
        std::array<platform::Point, 16> points{};
        double px = x;
        double py = yc;
        for (std::size_t i = 0; i < pas.size(); ++i) {
            px += 0.85 * pas[i].x;
            py += 0.85 * pas[i].y;
            points[i] = platform::Point{R(px), R(py)};
        }
        c.Polygone(std::span<const platform::Point>(points));
        break;
    }
    case 1:
    case 2:
    case 3:
    case 4: { // eighth and shorter: a slanted stem with one flag per beam
        const int x1 = x + 7;
        const int y1 = yc - 12;
        c.SetLargeurStylo(2);
        c.Ligne(x1, y1, x1 - 9, y1 + 26);
        for (int i = 0; i < codeDuree; ++i) {
            const int xa = x1 - 2 * i;
            const int ya = y1 + 6 * i;
            c.SetLargeurStylo(1);
            c.Ligne(xa, ya, xa - 6, ya + 2);
            c.SetLargeurStylo(2);
            c.SetBrosseVide();
            c.Ellipse(xa - 9, ya + 1, xa - 5, ya + 4);
        }
        c.SetLargeurStylo(1);
        break;
    }
    default:
        break;
    }
}

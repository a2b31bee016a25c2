#include "editor/EcranRythme.h"

#include "platform/Arrondi.h"

#include <algorithm>
#include <array>

namespace {

int R(double v) { return static_cast<int>(platform::Round(v)); }

// More beams than a sixty-fourth has can only come from damaged bytes: they would climb into
// the staff.
constexpr int kNbCrochetsMax = 4;

int Crochets(int n) { return std::min(n, kNbCrochetsMax); }

bool EstTemps(const TContexteEcran& ctx, int32_t b) { return b >= 1 && b <= ctx.NbTemps; }

bool AUneNote(const TTemps& temps, int32_t s) { return temps.Notes[s].Frette >= 0; }

int HauteurZero(TContexteEcran& ctx)
{
    if (ctx.HauteurZeroNotes < 0) {
        ctx.c.SetFonte(ctx.FontNotes);
        ctx.HauteurZeroNotes = ctx.c.TextHeight("0");
    }
    return ctx.HauteurZeroNotes;
}

// A filled column one pixel wide at x from row y1 to row y2, both included.
void Colonne(platform::Canevas& c, int32_t x, int32_t y1, int32_t y2) { c.Rectangle(x, y1, x + 1, y2 + 1); }

// The last beat before beat 1 of measure m: that of the nearest earlier measure with beats in
// the current track; its measure in `mesurePrec`. 0 when there is none.
int32_t TempsPrecedentMesure(const TContexteEcran& ctx, int32_t mesure, int32_t& mesurePrec)
{
    for (int32_t k = std::min(mesure - 1, std::min(Partition.NbMesures, kNbMesuresMax)); k >= 1; --k) {
        const TMesure* bloc = Partition.Mesures[k].get();
        if (!bloc)
            continue;
        const int32_t n = std::clamp<int32_t>(bloc->NbTemps[ctx.Piste], 0, kNbTempsMax);
        if (n > 0) {
            mesurePrec = k;
            return n;
        }
    }
    return 0;
}

} // namespace

TMetriquesRythme MetriquesRythme(const TContexteEcran& ctx)
{
    TMetriquesRythme m;
    m.EpCroches = ctx.EpCroches;
    m.EcartCroches = ctx.EcartCroches;
    m.BaseCroches = ctx.YCorde(ctx.NbCordes) + ctx.LongueurHampe;
    m.FinHampes = m.BaseCroches + m.EcartCroches - 4;
    m.LigneTriolets = m.BaseCroches + kEcartTriolet - (4 - m.EcartCroches);
    return m;
}

void DessinerCroches(TContexteEcran& ctx, int32_t b)
{
    const TTemps& t = ctx.Temps(b);
    if (t.Silence && t.CodeDuree < 1)
        return;
    platform::Canevas& c = ctx.c;
    const platform::Couleur couleur = ctx.Marque(ctx.Rythme);
    c.SetStylo(couleur, 1);
    c.SetBrosse(couleur);
    const TMetriquesRythme mr = MetriquesRythme(ctx);
    const int32_t xb = ctx.MG + t.XEcran;
    auto barre = [&](int i, int32_t xa, int32_t xc) {
        const int32_t haut = mr.HautCroche(i);
        c.Rectangle(xa, haut, xc, haut + mr.EpCroches);
    };

    const int liensPrec = Crochets(t.LiensPrec);
    const int liensSuiv = Crochets(t.LiensSuiv);
    const int gauche = Crochets(t.CrochetsGauche);
    const int droite = Crochets(t.CrochetsDroite);

    // The neighbours' indices are bytes of memory only: a stale one is not followed.
    if (EstTemps(ctx, t.TempsPrec))
        for (int i = 1; i <= liensPrec; ++i)
            barre(i, ctx.MG + ctx.Temps(t.TempsPrec).XEcran, xb + 1);
    for (int i = liensPrec + 1; i <= gauche; ++i)
        barre(i, xb - 7, xb + 1);
    if (EstTemps(ctx, t.TempsSuiv))
        for (int i = 1; i <= liensSuiv; ++i)
            barre(i, xb, ctx.MG + ctx.Temps(t.TempsSuiv).XEcran + 1);
    // The last beat beamed to the edit zone's free column (not drawn here) keeps its beams as
    // stubs.
    const int debut = liensSuiv > 0 && b == ctx.NbTemps ? 1 : liensSuiv + 1;
    for (int i = debut; i <= droite; ++i)
        barre(i, xb, xb + 8);

    if (t.Pointee && (t.CotePointe == 1 || t.CotePointe == 2)) {
        const int k = (t.CotePointe == 1 ? std::max(liensPrec, gauche) : std::max(liensSuiv, droite)) - 1;
        const int32_t yd = mr.BaseCroches - 6 - k * mr.EcartCroches;
        const bool petit = ctx.EpCroches < 3;
        const int32_t x = t.XEcran;
        if (t.CotePointe == 1) {
            if (petit)
                DessinerPetitPoint(ctx, x - kEcartPointRythme, yd + 1, couleur);
            else
                DessinerPoint(ctx, x - kEcartPointRythme, yd, couleur);
        } else {
            if (petit)
                DessinerPetitPoint(ctx, x + kEcartPointRythme + 2, yd + 1, couleur);
            else
                DessinerPoint(ctx, x + kEcartPointRythme + 1, yd, couleur);
        }
    }
}

void DessinerHampes(TContexteEcran& ctx, int32_t b)
{
    const TTemps& t = ctx.Temps(b);
    platform::Canevas& c = ctx.c;
    const platform::Couleur couleur = ctx.Marque(ctx.Rythme);
    const TMetriquesRythme mr = MetriquesRythme(ctx);
    const int32_t xb = ctx.MG + t.XEcran;
    const int32_t yS = mr.FinHampes;
    const int demiZero = t.Silence ? 0 : R(HauteurZero(ctx) / 2.0);
    c.SetStylo(couleur, 1);
    c.SetBrosse(couleur);

    if (t.Silence) {
        Colonne(c, xb, yS - kHampeCourte - 9, yS);
        return;
    }

    const int32_t n = ctx.NbCordes;
    int32_t haut = n; // highest string holding a note
    int32_t bas = 1;  // lowest
    if (!t.Lie) {
        for (int32_t s = 1; s <= n; ++s)
            if (AUneNote(t, s)) {
                haut = s;
                break;
            }
        for (int32_t s = n; s >= 1; --s)
            if (AUneNote(t, s)) {
                bas = s;
                break;
            }
    }

    if (!t.Lie && bas != haut && bas >= 2 && bas >= haut) {
        // Notes of a chord spread over the staff are joined by segments; neighbours are not.
        int32_t precedente = haut;
        for (int32_t k = haut + 1; k <= bas; ++k) {
            if (!AUneNote(t, k))
                continue;
            if (k - precedente > 2)
                Colonne(c, xb, ctx.YCorde(precedente) + kMargeHampe + demiZero,
                        ctx.YCorde(k) - kMargeHampe - demiZero);
            precedente = k;
        }
    }
    if (t.Lie)
        bas = n;

    if (t.CodeDuree == -2)
        return;
    if (t.CodeDuree == -1) {
        Colonne(c, xb, yS - kHampeCourte, yS);
        return;
    }
    Colonne(c, xb, ctx.YCorde(bas) + kMargeHampe + demiZero, yS);
}

void DessinerTriolet(TContexteEcran& ctx, int32_t mesure, int32_t b)
{
    (void)mesure;
    platform::Canevas& c = ctx.c;
    const platform::Couleur couleur = ctx.Marque(ctx.Rythme);
    const TMetriquesRythme mr = MetriquesRythme(ctx);
    const int32_t yT = mr.LigneTriolets;
    const int32_t x1 = ctx.MG + ctx.Temps(b).XEcran;
    const int32_t x2 = ctx.NbTemps >= b + 2 ? ctx.MG + ctx.Temps(b + 2).XEcran : x1 + 10;

    platform::StyleFonte fonte = ctx.FontTriolet;
    fonte.couleur = couleur;
    c.SetFonte(fonte);
    c.SetStylo(couleur, 1);
    c.SetBrosse(ctx.Fond);
    const int32_t bas = yT + kHauteurTriolet;
    c.MoveTo(x1, yT);
    c.LineTo(x1, bas);
    c.LineTo(x2, bas);
    c.LineTo(x2, yT - 1);

    const platform::Dimension d = c.TextExtent(" 3 ");
    const int th = c.TextHeight("3");
    c.TextOut(R((x1 + x2 - d.cx) / 2.0), bas - R(th / 2.0), " 3 ");
}

void DessinerLiaisons(TContexteEcran& ctx, int32_t mesure, int32_t b)
{
    const TTemps& t = ctx.Temps(b);
    if (!t.Lie)
        return;
    platform::Canevas& c = ctx.c;
    const platform::Couleur couleur = ctx.Marque(ctx.Rythme);
    const TMetriquesRythme mr = MetriquesRythme(ctx);
    const int32_t yT = mr.LigneTriolets;
    const int32_t x8 = ctx.MG + t.XEcran;

    // The beat the tie starts from, when it is another beat of this display line.
    int32_t x9 = x8 - 19;
    if (b >= 2) {
        x9 = ctx.MG + ctx.Temps(b - 1).XEcran;
    } else {
        int32_t mesurePrec = 0;
        const int32_t prec = TempsPrecedentMesure(ctx, mesure, mesurePrec);
        if (prec > 0 && ctx.Bloc) {
            const TMesure& blocPrec = *Partition.Mesures[mesurePrec];
            if (blocPrec.Ligne == ctx.Bloc->Ligne)
                x9 = ctx.MG + blocPrec.Temps[ctx.Piste][prec].XEcran;
        }
    }

    c.SetStylo(couleur, 1);
    c.SetBrosse(ctx.Fond);
    c.Arc(x9, yT - kHauteurTriolet, x8 + 1, yT + kHauteurTriolet, x9, yT, x8 + 1, yT);
    c.SetPixel(x8, yT, couleur);
}

void DessinerSilenceTemps(TContexteEcran& ctx, int32_t b, int code)
{
    const platform::Couleur couleur = ctx.Marque(ctx.FontNotes.couleur);
    const int32_t y = R((ctx.NbCordes - 1) * ctx.E / 2.0) + ctx.Y;
    DessinerSilence(ctx.c, ctx.MG + ctx.Temps(b).XEcran, y, couleur, code);
}

void DessinerSilence(platform::Canevas& c, int x, int y, platform::Couleur couleur, int code)
{
    c.SetStylo(couleur, 1);
    c.SetBrosse(couleur);
    switch (code) {
    case -2: c.Rectangle(x - 5, y - 5, x + 4, y); return;
    case -1: c.Rectangle(x - 5, y + 1, x + 4, y + 6); return;
    case 0: {
        static constexpr std::array<platform::Point, 16> kNoire{{
            {-1, 0}, {2, 3}, {2, 5}, {0, 8}, {0, 10}, {2, 13}, {-1, 13}, {0, 17},
            {-3, 14}, {-3, 12}, {-2, 11}, {1, 11}, {-2, 8}, {-2, 7}, {1, 4}, {0, 1},
        }};
        std::array<platform::Point, 16> points{};
        for (std::size_t i = 0; i < kNoire.size(); ++i)
            points[i] = platform::Point{x + kNoire[i].x, y - 8 + kNoire[i].y};
        c.Polygone(points);
        return;
    }
    default: break;
    }
    if (code < 1)
        return;
    const int y8 = y - 8;
    c.Ligne(x + 3, y8, x - 2, y8 + 17);
    for (int i = 0; i < std::min(code, kNbCrochetsMax); ++i) {
        const int xa = x + 3 - i;
        const int ya = y8 + 4 * i;
        c.Ligne(xa, ya, xa - 6, ya + 2);
        c.SetPixel(xa - 4, ya, couleur);
        c.SetPixel(xa - 3, ya, couleur);
        c.SetPixel(xa - 5, ya + 1, couleur);
        c.SetPixel(xa - 4, ya + 1, couleur);
        c.SetPixel(xa - 3, ya + 1, couleur);
        c.SetPixel(xa - 4, ya + 2, couleur);
        c.SetPixel(xa - 3, ya + 2, couleur);
    }
}

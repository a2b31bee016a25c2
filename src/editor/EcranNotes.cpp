#include "editor/EcranNotes.h"

#include "editor/Chords_u.h"
#include "editor/Disposition.h"
#include "editor/EcranRythme.h"
#include "editor/EffetsSaisie.h"
#include "editor/PlacementMarques.h"
#include "editor/PlacementTextes.h"
#include "editor/Scrolling.h"
#include "platform/Arrondi.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <optional>
#include <span>
#include <utility>

namespace {

int R(double v) { return static_cast<int>(platform::Round(v)); }
int T(double v) { return static_cast<int>(platform::Trunc(v)); }

// Fret text of a fret value and dynamic, "x" above the limit.
TTexteFrette TexteFretteValeur(int frette, int nuance, int32_t fretteMax)
{
    TTexteFrette t;
    char* p = t.Car;
    char* const fin = t.Car + sizeof t.Car;
    const bool fantome = nuance < 5;
    if (fantome)
        *p++ = '(';
    if (frette > fretteMax)
        *p++ = 'x';
    else
        p = std::to_chars(p, fin - 1, frette).ptr;
    if (fantome)
        *p++ = ')';
    t.Taille = static_cast<uint8_t>(p - t.Car);
    return t;
}

int32_t FretteMaxPiste(int32_t piste) { return FretteMax[static_cast<std::size_t>(std::clamp<int32_t>(piste, 1, kNbPistes))]; }

// The text of string s of a beat as the score shows it: nothing in a rest or a tied beat.
TTexteFrette TexteVisible(const TContexteEcran& ctx, const TTemps& temps, int32_t s)
{
    if (!NoteVisible(temps, s))
        return {};
    const TNoteCorde& note = temps.Notes[s];
    return TexteFretteValeur(note.Frette, note.Nuance, FretteMaxPiste(ctx.Piste));
}

// Widest fret text of a beat in the fret font (which must be the canvas's font).
int LargeurMaxFrettes(TContexteEcran& ctx, const TTemps& temps)
{
    int maxw = 0;
    for (int32_t s = 1; s <= ctx.NbCordes; ++s) {
        const TTexteFrette t = TexteVisible(ctx, temps, s);
        if (!t.Vide())
            maxw = std::max(maxw, ctx.c.TextWidth(t.Vue()));
    }
    return maxw;
}

// How far left of its cell's place a fret text is written: small plain fonts sit 2 pixels left.
int DecalageFrette(const TContexteEcran& ctx) { return ctx.FontNotes.taille < 8 && !ctx.FontNotes.gras ? 2 : 0; }

// A grace note's text and font: a fret text in a small plain font, whatever the fret font.
TTexteFrette TexteGrace(const TNoteCorde& note)
{
    return TexteFretteValeur(note.FretteGrace, note.NuanceGrace, kNoteMorte - 1);
}
platform::StyleFonte FonteGrace(platform::Couleur couleur) { return {"Small Fonts", 6, false, false, couleur}; }

platform::StyleFonte FontePlusPetite(platform::StyleFonte fonte)
{
    fonte.taille = std::max(fonte.taille - 1, 1);
    return fonte;
}

void PreparerLiaison(TContexteEcran& ctx)
{
    const platform::Couleur couleur = ctx.Marque(ctx.Effets);
    ctx.c.SetStylo(couleur, 1);
    ctx.c.SetBrosse(couleur);
}

// The two ends of a slide or hammer-on moved apart until they are at least the minimum apart.
void Elargir(int32_t& xa, int32_t& xb)
{
    if (xb - xa < kLongueurMinLiaison) {
        const int32_t d = R((kLongueurMinLiaison - (xb - xa)) / 2.0);
        xa -= d;
        xb += d;
    }
}

void Glissement(TContexteEcran& ctx, int32_t x1, int32_t x2, int32_t s, bool montant)
{
    platform::Canevas& c = ctx.c;
    PreparerLiaison(ctx);
    int32_t xa = ctx.MG + x1;
    int32_t xb = ctx.MG + x2;
    Elargir(xa, xb);
    const int32_t bas = R((s - 1 + 0.25) * ctx.E) + ctx.Y;
    const int32_t haut = R((s - 1 - 0.25) * ctx.E) + ctx.Y;
    const int32_t ya = montant ? bas : haut;
    const int32_t yb = montant ? haut : bas;
    c.Ligne(xa, ya, xb, yb);
    c.SetPixel(xb, yb, c.StyloCourant().couleur);

    platform::StyleFonte fonte = ctx.FontEffItalic;
    fonte.couleur = c.StyloCourant().couleur;
    c.SetFonte(fonte);
    c.SetBrosseVide();
    const platform::Dimension d = c.TextExtent("sl.");
    c.TextOut(R((xa + xb - d.cx) / 2.0), R(haut - d.cy * 4.0 / 5.0), "sl.");
}

} // namespace

TTexteFrette TexteFretteCourt(const TNoteCorde& note, int32_t fretteMax)
{
    if (note.Frette < 0)
        return {};
    return TexteFretteValeur(note.Frette, note.Nuance, fretteMax);
}

std::string TexteFrette(const TNoteCorde& note) { return TexteFrette(note, PisteCourante); }

std::string TexteFrette(const TNoteCorde& note, int32_t piste)
{
    return std::string(TexteFretteCourt(note, FretteMaxPiste(piste)).Vue());
}

TCouleur TeinteNuance(int nuance)
{
    const int d = std::clamp(nuance, 1, 8);
    double ratio = d * d / 64.0;
    if (ratio <= 1.0 / 64.0)
        ratio = 3.0 / 64.0;
    const int niveau = 255 - R(255 * ratio);
    return CouleurRVB(niveau, niveau, niveau);
}

bool NoteVisible(const TTemps& temps, int32_t s)
{
    return !temps.Silence && !temps.Lie && temps.Notes[s].Frette >= 0;
}

std::optional<int32_t> DebutPlaceGrace(TContexteEcran& ctx, const TTemps& avant, int32_t s)
{
    const TTexteFrette frette = TexteVisible(ctx, avant, s);
    if (frette.Vide())
        return std::nullopt;
    ctx.c.SetFonte(ctx.FontNotes);
    const int w = ctx.c.TextWidth(frette.Vue());
    // As DessinerNote writes it, then a clear column.
    return -R(w / 2.0) + 1 - DecalageFrette(ctx) + w + 1;
}

std::optional<int32_t> PlaceGrace(TContexteEcran& ctx, const TTemps& temps, int32_t s)
{
    const TNoteCorde& note = temps.Notes[s];
    if (temps.Silence || temps.Lie || note.FretteGrace < 0)
        return std::nullopt;
    const TTexteFrette frette = TexteVisible(ctx, temps, s);
    ctx.c.SetFonte(ctx.FontNotes);
    const int w = frette.Vide() ? 0 : ctx.c.TextWidth(frette.Vue());
    ctx.c.SetFonte(FonteGrace(ctx.FontNotes.couleur));
    return R(w / 2.0) + ctx.c.TextWidth(TexteGrace(note).Vue()) + 1;
}

int32_t DebutPlaceGracePremierTemps(const TParamEcran& p) { return p.LargeurSupMesure - 2; }

// ---- What a beat draws over the staff ----------------------------------------------------------

namespace {

// A bend amount stands just above the string it bends to, a clear row between its cell
// (descent included) and that line: the line hides neither the baseline nor the decimal point,
// and the tail of a decimal comma does not run into it.
int32_t YValeurBend(int32_t yHaut, int hauteurTexte) { return yHaut - hauteurTexte - 1; }

// The box of the release's arc, from x0 = MG + x - 2: it starts half-way across the bend's.
struct Relachement {
    int32_t xl2 = 0, xr2 = 0;
};
Relachement ArcRelachement(int32_t x0)
{
    const int32_t xl2 = R(x0 + 1.5) - 1;
    return {xl2, R(x0 + 9 + (x0 + 9 - xl2) / 2.0) - 1};
}

// Where a bend puts the right end of its amount: at the arrow's tip, or over the middle of the
// release.
int32_t DroiteValeurBend(int effet, int32_t x0)
{
    if (effet != 6)
        return x0 + 7;
    const Relachement r = ArcRelachement(x0);
    return R(r.xr2 - (r.xr2 - r.xl2) / 2.0) + 1;
}

TZoneEncre Zone(int32_t gauche, int32_t haut, int32_t droite, int32_t bas)
{
    return {static_cast<double>(gauche), static_cast<double>(haut), static_cast<double>(droite),
            static_cast<double>(bas)};
}

// The cell of the vibrato stroke's amount over its V, whose point is at (xb, yv), with the
// canvas in the amount's font. It ends a row over the arms where its outer columns cross them
// (they rise 7 pixels over 10): three rows over the point only, its first digit sat on an arm.
TZoneEncre CelluleValeurV(platform::Canevas& c, const TTemps& temps, int32_t xb, int32_t yv)
{
    const platform::Dimension d = c.TextExtent(TexteValeurEffet(temps.ValeurCoupVib));
    const int demi = std::min(R(d.cx / 2.0), 10);
    const int32_t gauche = xb - R(d.cx / 2.0);
    const int32_t haut = std::min(yv - 3, yv - R(demi * 0.7) - 1) - d.cy;
    return Zone(gauche, haut, gauche + d.cx, haut + d.cy);
}

// The cells and strokes of a beat's marks in the row of techniques over string 1: a letter, or
// the vibrato stroke's V (its arms, then its narrower point) and its amount.
std::vector<TZoneEncre> ZonesMarquesTemps(TContexteEcran& ctx, const TTemps& temps)
{
    std::vector<TZoneEncre> zones;
    platform::Canevas& c = ctx.c;
    const int32_t xb = ctx.MG + temps.XEcran;
    const int32_t Y = ctx.Y;
    const std::string lettre = LettreEffetTemps(temps.Effet);
    if (!lettre.empty()) {
        c.SetFonte(ctx.FontEff);
        const platform::Dimension d = c.TextExtent(lettre);
        const int32_t haut = Y - kHauteurEffets - R(c.TextHeight("T") / 2.0);
        const int32_t gauche = xb - R(d.cx / 2.0);
        zones.push_back(Zone(gauche, haut, gauche + d.cx, haut + d.cy));
    } else if (temps.Effet == 3) {
        const int32_t yv = Y - kHauteurEffets + 3;
        zones.push_back(Zone(xb - 10, yv - 7, xb + 11, yv - 3));
        zones.push_back(Zone(xb - 5, yv - 3, xb + 6, yv + 1));
        c.SetFonte(FontePlusPetite(ctx.FontEff));
        zones.push_back(CelluleValeurV(c, temps, xb, yv));
    }
    return zones;
}

bool AvecBend(const TTemps& temps, int32_t s)
{
    const TNoteCorde& note = temps.Notes[s];
    return (note.Effet == 5 || note.Effet == 6) && !temps.Silence && !temps.Lie &&
           (note.Frette >= 0 || note.FretteGrace >= 0);
}

// x0 = MG + x - 2 of the bend of string s: the middle of its fret text.
int32_t X0Bend(TContexteEcran& ctx, const TTemps& temps, int32_t s)
{
    ctx.c.SetFonte(ctx.FontNotes);
    const TTexteFrette frette = TexteVisible(ctx, temps, s);
    return ctx.MG + temps.XEcran + R((frette.Vide() ? 0 : ctx.c.TextWidth(frette.Vue())) / 2.0);
}

// The cell of the amount of a bend on string s where the bend writes it: left of the arrow's tip
// (over the release), and past the fret on the string above in a double stop.
TZoneEncre ValeurBend(TContexteEcran& ctx, const TTemps& temps, int32_t s)
{
    platform::Canevas& c = ctx.c;
    const int32_t x0 = X0Bend(ctx, temps, s);
    std::optional<int32_t> apresFretteAuDessus;
    if (s > 1) {
        const TTexteFrette dessus = TexteVisible(ctx, temps, s - 1);
        c.SetFonte(ctx.FontNotes);
        if (!dessus.Vide())
            apresFretteAuDessus = ctx.MG + temps.XEcran + R(c.TextWidth(dessus.Vue()) / 2.0) + kMargeFrette +
                                  (ctx.FontNotes.taille < 9 ? 1 : 0) + 1;
    }
    c.SetFonte(ctx.FontValEff);
    const platform::Dimension d = c.TextExtent(TexteValeurEffet(temps.Notes[s].ValeurBend));
    int32_t gauche = DroiteValeurBend(temps.Notes[s].Effet, x0) - d.cx;
    if (apresFretteAuDessus)
        gauche = std::max(gauche, *apresFretteAuDessus);
    const int32_t haut = YValeurBend(ctx.Y + (s - 2) * ctx.E, d.cy);
    return Zone(gauche, haut, gauche + d.cx, haut + d.cy);
}

// The box of a bend's arc and arrow, or of its release and the release's arrow.
TZoneEncre TraceBend(TContexteEcran& ctx, const TTemps& temps, int32_t s)
{
    const int32_t x0 = X0Bend(ctx, temps, s);
    const int32_t yHaut = ctx.Y + (s - 2) * ctx.E;
    const Relachement r = ArcRelachement(x0);
    const int32_t droite = temps.Notes[s].Effet == 6 ? x0 + (r.xr2 - r.xl2) + 4 : x0 + 12;
    return Zone(x0 + 2, yHaut - 2, droite, yHaut + ctx.E + 1);
}

} // namespace

int32_t RetraitMarquesFin(const TContexteEcran& ctx, int32_t mesure) { return 2 + RetraitBarreFin(ctx, mesure); }

void EncreTemps(TContexteEcran& ctx, const TTemps& temps, TEncreTemps& encre)
{
    encre.Frettes.clear();
    encre.Bends.clear();
    const int32_t x = ctx.MG + temps.XEcran;
    auto depuisTemps = [&](TZoneEncre z, int32_t plus) {
        return Zone(static_cast<int32_t>(z.Gauche) - x, static_cast<int32_t>(z.Haut) - ctx.Y,
                    static_cast<int32_t>(z.Droite) - x + plus, static_cast<int32_t>(z.Bas) - ctx.Y);
    };
    // A song uses few fret texts: each is measured once.
    constexpr int kFantome = 128, kMorte = 127;
    if (ctx.CellulesFrettes.empty())
        ctx.CellulesFrettes.assign(2 * kFantome, platform::Dimension{-1, -1});
    const int32_t fretteMax = FretteMaxPiste(ctx.Piste);
    for (int32_t s = 1; s <= ctx.NbCordes; ++s) {
        if (!NoteVisible(temps, s))
            continue;
        const TNoteCorde& note = temps.Notes[s];
        const int frette = note.Frette > fretteMax ? kMorte : std::min<int>(note.Frette, kMorte - 1);
        platform::Dimension& d = ctx.CellulesFrettes[static_cast<std::size_t>((note.Nuance < 5 ? kFantome : 0) + frette)];
        if (d.cx < 0) {
            ctx.c.SetFonte(ctx.FontNotes);
            d = ctx.c.TextExtent(TexteVisible(ctx, temps, s).Vue());
        }
        const int32_t gauche = -R(d.cx / 2.0) + 1 - DecalageFrette(ctx);
        const int32_t y = (s - 1) * ctx.E - R(d.cy / 2.0);
        encre.Frettes.push_back(Zone(gauche, y, gauche + d.cx, y + d.cy));
    }
    if (ctx.p.AffEff)
        for (int32_t s = 1; s <= ctx.NbCordes; ++s)
            if (AvecBend(temps, s)) {
                encre.Bends.push_back(depuisTemps(TraceBend(ctx, temps, s), 1));
                encre.Bends.push_back(depuisTemps(ValeurBend(ctx, temps, s), 1));
            }
}

namespace {

// The chord names and diagrams of the measure being painted.
std::vector<TZoneEncre> ZonesAuDessus(TContexteEcran& ctx);
const TMesure* BlocLigne(int32_t m);

// The score view's measures of the beats of the measure being painted, in pixels.
class GeometrieEcran final : public TGeometrieMarques {
public:
    // Without what stands higher, the marks take the places they would have under a line with
    // no chord names or diagrams: those rise over them (MonteeDessus).
    explicit GeometrieEcran(TContexteEcran& ctx, bool sansDessus = false) : ctx(ctx), sansDessus(sansDessus) {}

    int32_t NbTemps() override { return ctx.NbTemps; }
    int32_t NbCordes() override { return ctx.NbCordes; }
    bool AvecBend(int32_t b, int32_t s) override { return ::AvecBend(ctx.Temps(b), s); }
    TZoneEncre ValeurBend(int32_t b, int32_t s) override { return ::ValeurBend(ctx, ctx.Temps(b), s); }
    TZoneEncre TraceBend(int32_t b, int32_t s) override { return ::TraceBend(ctx, ctx.Temps(b), s); }
    std::vector<TZoneEncre> Marques(int32_t b) override { return ZonesMarquesTemps(ctx, ctx.Temps(b)); }

    std::optional<TZoneEncre> Frette(int32_t b, int32_t s) override
    {
        const TTexteFrette frette = TexteVisible(ctx, ctx.Temps(b), s);
        if (frette.Vide())
            return std::nullopt;
        ctx.c.SetFonte(ctx.FontNotes);
        const platform::Dimension d = ctx.c.TextExtent(frette.Vue());
        const int32_t gauche = ctx.MG + ctx.Temps(b).XEcran - R(d.cx / 2.0) - kMargeFrette;
        return Zone(gauche, ctx.YCorde(s) - R(d.cy / 2.0), gauche + d.cx + 2 * kMargeFrette,
                    ctx.YCorde(s) + R(d.cy / 2.0));
    }

    std::optional<TZoneEncre> TableMix(int32_t b) override
    {
        if (!ctx.Temps(b).TableMix)
            return std::nullopt;
        const int32_t xb = ctx.MG + ctx.Temps(b).XEcran;
        return Zone(xb - 1, ctx.Y - 11, xb + 3, ctx.Y - 7);
    }

    std::vector<TZoneEncre> AuDessus() override { return sansDessus ? std::vector<TZoneEncre>{} : ZonesAuDessus(ctx); }

    double DemiChiffre() override
    {
        ctx.c.SetFonte(ctx.FontValEff);
        return std::max(R(ctx.c.TextWidth("0") / 2.0), 1);
    }

    double FinPlace(int32_t b) override
    {
        if (b < ctx.NbTemps)
            return ctx.MG + ctx.Temps(b + 1).XEcran;
        return ctx.MG + ctx.Bloc->Largeur + ctx.Bloc->EspaceDroite - RetraitMarquesFin(ctx, ctx.MesureDessinee);
    }

    std::vector<TZoneEncre> Cordes() override
    {
        std::vector<TZoneEncre> cordes;
        const int32_t fin = ctx.MG + ctx.Bloc->Largeur + ctx.Bloc->EspaceDroite;
        for (int32_t s = 1; s <= ctx.NbCordes; ++s)
            cordes.push_back(Zone(0, ctx.YCorde(s), fin, ctx.YCorde(s) + 1));
        return cordes;
    }

    double RangeeClaire() override { return 1; }

    std::optional<TZoneEncre> NumeroSuivant() override
    {
        const TMesure* suivante = BlocLigne(ctx.MesureDessinee + 1);
        if (!ctx.p.AffNum || !suivante || suivante->Ligne != ctx.Bloc->Ligne)
            return std::nullopt;
        const TCelluleNumero n =
            CelluleNumeroMesure(ctx, ctx.Bloc->Largeur + ctx.Bloc->EspaceDroite, ctx.MesureDessinee + 1);
        return Zone(n.Gauche, n.Haut, n.Gauche + n.Largeur, n.Haut + n.Hauteur);
    }

    // The rows the lines open over the band's top are the beat texts': under them the marks
    // stand where they would without them.
    double HautMin() override { return ctx.RangeeTextes; }

private:
    TContexteEcran& ctx;
    bool sansDessus;
};

// Where beat b's bends write their amounts, and how far its marks move up.
TContexteEcran::TMarquesTemps PlacerMarques(TContexteEcran& ctx, int32_t b)
{
    GeometrieEcran g(ctx);
    const TPlaceMarques p = PlacerMarquesTemps(g, b);
    TContexteEcran::TMarquesTemps place{ctx.MesureDessinee, b};
    for (std::size_t s = 1; s < p.GauchesValeurs.size(); ++s) {
        place.GauchesValeurs[s] = static_cast<int32_t>(p.GauchesValeurs[s]);
        place.MonteesValeurs[s] = static_cast<int32_t>(p.MonteesValeurs[s]);
    }
    place.Montee = static_cast<int32_t>(p.Montee);
    return place;
}

// PlacerMarques of beat b, worked out at the first that asks.
const TContexteEcran::TMarquesTemps& MarquesPlacees(TContexteEcran& ctx, int32_t b)
{
    if (ctx.MarquesTemps.Mesure != ctx.MesureDessinee || ctx.MarquesTemps.Temps != b)
        ctx.MarquesTemps = PlacerMarques(ctx, b);
    return ctx.MarquesTemps;
}

// Beat b's vibrato or tremolo-bar wave: its step, its row from the beat to 10 pixels before the
// next one (a clear row kept over it), and where it starts and ends and how far it moves up,
// past or over the bends of the beat.
struct VagueTemps {
    int Pas = 0;
    TZoneEncre Rangee;
    TPlaceVague Place;
};

VagueTemps PlacerVagueTemps(TContexteEcran& ctx, GeometrieEcran& g, int32_t b)
{
    const TTemps& temps = ctx.Temps(b);
    const int32_t xb = ctx.MG + temps.XEcran;
    const int32_t fin = ctx.MG + (b < ctx.NbTemps ? ctx.Temps(b + 1).XEcran : temps.XEcran + 30) - 10;
    VagueTemps v;
    v.Pas = temps.Effet == 1 ? kPasVibrato : kPasTremolo;
    const int h = R(v.Pas / 2.0);
    const int32_t yw = ctx.Y - kHauteurEffets;
    // Its last stroke inks the column it ends on: its row reaches one further.
    v.Rangee = Zone(xb, yw - h - 1, std::max(fin, xb) + 1, yw + h + 1);
    v.Place = PlacerVagueTemps(g, b, v.Rangee, 4 * v.Pas, 1);
    return v;
}

} // namespace

// ---- Notes ---------------------------------------------------------------------------------

void DessinerNote(TContexteEcran& ctx, int32_t b, int32_t s)
{
    const TTemps& temps = ctx.Temps(b);
    if (temps.Silence) {
        if (s == 1)
            DessinerSilenceTemps(ctx, b, temps.CodeDuree);
        return;
    }
    // A tied beat has no notes of its own; whatever its slots keep is not shown.
    if (temps.Lie)
        return;
    const TNoteCorde& note = temps.Notes[s];
    const bool grace = note.FretteGrace >= 0;
    if (note.Frette < 0 && !grace)
        return;

    platform::Canevas& c = ctx.c;
    const TParamEcran& p = ctx.p;
    const platform::Couleur couleurNotes = ctx.Marque(ctx.FontNotes.couleur);
    const int32_t x = ctx.Temps(b).XEcran;
    const int32_t y = ctx.YCorde(s);
    c.SetBrosse(ctx.Fond);
    c.SetFonte(ctx.FontNotes);
    c.SetCouleurFonte(couleurNotes);

    const int maxw = grace ? LargeurMaxFrettes(ctx, temps) : 0;

    const TTexteFrette texte = TexteVisible(ctx, temps, s);
    int tw = 0;
    if (!texte.Vide()) {
        const platform::Dimension d = c.TextExtent(texte.Vue());
        tw = d.cx;
        const int th = d.cy;
        const int taille = ctx.FontNotes.taille;
        const int k = DecalageFrette(ctx);
        const int32_t xl = ctx.MG + x - kMargeFrette - R(tw / 2.0);
        const int32_t xr = ctx.MG + x + R(tw / 2.0) + kMargeFrette + (taille < 9 ? 1 : 0);
        c.SetStylo(ctx.Fond, 1);
        c.Ligne(xl, y, xr, y);

        c.SetBrosseVide();
        if (Configuration.ShowLetRingNotes && note.Effet == 7) {
            c.SetStylo(couleurNotes, 1);
            c.SetBrosse(ctx.Fond);
            c.Rectangle(xl, y - R(th / 2.0) + 1, xr + 1, y + R(th / 2.0) - 1);
            c.SetBrosseVide();
        }
        if (Configuration.ShowDynamic)
            c.SetCouleurFonte(platform::Couleur::DeValeur(TeinteNuance(note.Nuance)));
        c.TextOut(ctx.MG + x - R(tw / 2.0) + 1 - k, y - R(th / 2.0), texte.Vue());
    }
    c.SetCouleurFonte(couleurNotes);

    if (grace) {
        // Its text a column clear of the bar line, or of the previous beat's fret on its string,
        // and clear of its own fret at the most.
        std::optional<int32_t> debut;
        if (b == 1)
            debut = ctx.MG + x - DebutPlaceGracePremierTemps(p);
        else if (const std::optional<int32_t> apres = DebutPlaceGrace(ctx, ctx.Temps(b - 1), s))
            debut = ctx.MG + ctx.Temps(b - 1).XEcran + *apres;
        const int32_t gaucheMax = ctx.MG + x - PlaceGrace(ctx, temps, s).value_or(0);
        const TTexteFrette g = TexteGrace(note);
        c.SetFonte(FonteGrace(couleurNotes));
        const int k = 2;
        const platform::Dimension dg = c.TextExtent(g.Vue());
        int32_t gx = ctx.MG + x - R(maxw / 2.0) - 2 - note.DureeGrace;
        if (debut) {
            const int32_t texteGauche = gx - dg.cx - 1;
            gx += static_cast<int32_t>(GaucheGrace(texteGauche, *debut, gaucheMax)) - texteGauche;
        }
        c.SetStylo(ctx.Fond, 1);
        c.Ligne(gx - dg.cx - kMargeFrette, y, gx + kMargeFrette - 1, y);
        c.SetBrosseVide();
        if (Configuration.ShowDynamic)
            c.SetCouleurFonte(platform::Couleur::DeValeur(TeinteNuance(note.NuanceGrace)));
        c.TextOut(gx - dg.cx + 1 - k, y - R(dg.cy / 2.0), g.Vue());
    }

    if (note.Effet == 0 || !p.AffEff)
        return;
    int32_t xe = x + 30;
    if (note.Effet >= 1 && note.Effet <= 4 && b < ctx.NbTemps) {
        c.SetFonte(ctx.FontNotes);
        const TTemps& suivant = ctx.Temps(b + 1);
        const TTexteFrette ts = TexteVisible(ctx, suivant, s);
        const int w = ts.Vide() ? 0 : c.TextWidth(ts.Vue());
        xe = suivant.XEcran - R(w / 2.0) - 2;
    }
    const int32_t depart = R(tw / 2.0) + x;
    auto gaucheValeur = [&] { return MarquesPlacees(ctx, b).GauchesValeurs[s]; };
    auto monteeValeur = [&] { return MarquesPlacees(ctx, b).MonteesValeurs[s]; };
    switch (note.Effet) {
    case 1:
    case 2: DessinerHOPO(ctx, depart, xe, s, note.Effet); break;
    case 3: DessinerSlideUp(ctx, depart + 2, xe, s); break;
    case 4: DessinerSlideDown(ctx, depart + 2, xe, s); break;
    case 5: DessinerBend(ctx, depart + 2, s, note.ValeurBend, gaucheValeur(), monteeValeur()); break;
    case 6: DessinerBendRelease(ctx, depart + 2, s, note.ValeurBend, gaucheValeur(), monteeValeur()); break;
    default: break; // let ring: the frame only
    }
}

// ---- Link marks ----------------------------------------------------------------------------

void DessinerSlideUp(TContexteEcran& ctx, int32_t x1, int32_t x2, int32_t s) { Glissement(ctx, x1, x2, s, true); }

void DessinerSlideDown(TContexteEcran& ctx, int32_t x1, int32_t x2, int32_t s) { Glissement(ctx, x1, x2, s, false); }

void DessinerHOPO(TContexteEcran& ctx, int32_t x1, int32_t x2, int32_t s, int kind)
{
    platform::Canevas& c = ctx.c;
    PreparerLiaison(ctx);
    const platform::Couleur couleur = c.StyloCourant().couleur;
    platform::StyleFonte fonte = FontePlusPetite(ctx.FontEff);
    fonte.couleur = couleur;
    c.SetFonte(fonte);

    int32_t xa = ctx.MG + x1 + 2;
    int32_t xb = ctx.MG + x2 + 1;
    Elargir(xa, xb);
    const int32_t ya = R((s - 1 - 0.35) * ctx.E) + ctx.Y;
    const int32_t yb = R((s - 1 + 0.15) * ctx.E) + ctx.Y;
    const int32_t ym = T((ya + yb) / 2.0);
    c.SetPixel(xa, ym - 1, couleur);
    c.Arc(xa, ya - 1, xb, yb - 1, xb, ym - 1, xa, ym - 1);

    const std::string_view texte = kind == 2 ? "PO" : "HO";
    c.SetBrosseVide();
    const platform::Dimension d = c.TextExtent(texte);
    c.TextOut(R((xa + xb - d.cx) / 2.0), R(ya - 0.75 - d.cy * 4.0 / 5.0) - 2, texte);
}

namespace {

// The bend's rising quarter arc from string s to one spacing above; x0 = MG + x - 2.
void ArcBend(TContexteEcran& ctx, int32_t x0, int32_t s)
{
    const int32_t yCorde = ctx.Y + (s - 1) * ctx.E;
    const int32_t yHaut = ctx.Y + (s - 2) * ctx.E;
    ctx.c.Arc(x0 - 6, ctx.Y + (s - 3) * ctx.E, x0 + 9, yCorde, x0 + 2, yCorde, x0 + 9, yHaut);
}

// Left edge of a bend amount: where the bend puts it, or where it was moved to.
int32_t GaucheValeurBend(int32_t gauche, std::optional<int32_t> auPlusTot)
{
    return auPlusTot ? std::max(gauche, *auPlusTot) : gauche;
}

void PreparerValeur(TContexteEcran& ctx)
{
    platform::StyleFonte fonte = ctx.FontValEff;
    fonte.couleur = ctx.c.StyloCourant().couleur;
    ctx.c.SetFonte(fonte);
    ctx.c.SetBrosseVide();
}

} // namespace

void DessinerBend(TContexteEcran& ctx, int32_t x, int32_t s, double valeur, std::optional<int32_t> gaucheValeur,
                  int32_t monteeValeur)
{
    platform::Canevas& c = ctx.c;
    PreparerLiaison(ctx);
    PreparerValeur(ctx);
    const int32_t x0 = ctx.MG + x - 2;
    const int32_t yHaut = ctx.Y + (s - 2) * ctx.E;
    ArcBend(ctx, x0, s);
    c.Ligne(x0 + 8, yHaut, x0 + 5, yHaut + 3);
    c.Ligne(x0 + 8, yHaut, x0 + 11, yHaut + 3);
    const std::string texte = TexteValeurEffet(valeur);
    const platform::Dimension d = c.TextExtent(texte);
    c.TextOut(GaucheValeurBend(DroiteValeurBend(5, x0) - d.cx, gaucheValeur),
              YValeurBend(yHaut, d.cy) - monteeValeur, texte);
}

void DessinerBendRelease(TContexteEcran& ctx, int32_t x, int32_t s, double valeur,
                         std::optional<int32_t> gaucheValeur, int32_t monteeValeur)
{
    platform::Canevas& c = ctx.c;
    PreparerLiaison(ctx);
    PreparerValeur(ctx);
    const int32_t x0 = ctx.MG + x - 2;
    const int32_t yCorde = ctx.Y + (s - 1) * ctx.E;
    const int32_t yHaut = ctx.Y + (s - 2) * ctx.E;
    ArcBend(ctx, x0, s);

    // The release: a second arc whose box starts half-way across the first.
    const auto [xl2, xr2] = ArcRelachement(x0);
    const int32_t bas2 = R(yCorde + (ctx.E + 1) / 2.0) - 1;
    const int32_t xs = x0 + 2 + (xr2 - xl2);
    c.Arc(xl2, yHaut - 1, xr2, bas2, xs, yCorde, x0 + 8, yHaut);
    const int k = (xr2 - xl2) % 2 == 0 ? -1 : 0;
    c.Ligne(xs - 2 + k, yCorde, xs - 5 + k, yCorde - 3);
    c.Ligne(xs - 2 + k, yCorde, xs + 1 + k, yCorde - 3);

    const std::string texte = TexteValeurEffet(valeur);
    const platform::Dimension d = c.TextExtent(texte);
    c.TextOut(GaucheValeurBend(DroiteValeurBend(6, x0) - d.cx, gaucheValeur),
              YValeurBend(yHaut, d.cy) - monteeValeur, texte);
}

// ---- Beat techniques -----------------------------------------------------------------------

void DessinerEffetsTemps(TContexteEcran& ctx, int32_t b)
{
    platform::Canevas& c = ctx.c;
    const TTemps& temps = ctx.Temps(b);
    const int32_t x = temps.XEcran;
    const int32_t xb = ctx.MG + x;
    const int32_t Y = ctx.Y;

    int maxw = 0;
    const bool strum = temps.Brush == 1 || temps.Brush == 2;
    if (strum) {
        c.SetFonte(ctx.FontNotes);
        maxw = LargeurMaxFrettes(ctx, temps);
    }

    if (temps.TableMix) {
        // The mix-table mark stays red in a measure of wrong length.
        c.SetStylo(platform::clRed, 1);
        c.SetBrosse(platform::clRed);
        c.Rectangle(xb - 1, Y - 11, xb + 3, Y - 7);
    }

    const platform::Couleur couleur = ctx.Marque(ctx.Effets);
    platform::StyleFonte fonte = ctx.FontEff;
    fonte.couleur = couleur;
    c.SetFonte(fonte);
    c.SetStylo(couleur, 1);
    c.SetBrosse(couleur);

    if (strum) {
        const int32_t xs = xb + R(maxw / 2.0) + 8;
        const int32_t yb = R((ctx.NbCordes - 1 - 0.35) * ctx.E + 1) + Y;
        c.Ligne(xs, Y + 2, xs, yb + 1);
        for (int i = 1; i <= 3; ++i) {
            const int32_t ya = temps.Brush == 1 ? Y + 2 + i : yb - i;
            c.SetPixel(xs - i, ya, couleur);
            c.SetPixel(xs + i, ya, couleur);
        }
    }

    switch (temps.Effet) {
    case 4:
    case 5:
    case 6:
    case 7:
    case 8:
    case 9: {
        const int32_t montee = MarquesPlacees(ctx, b).Montee;
        c.SetFonte(fonte);
        const std::string lettre = LettreEffetTemps(temps.Effet);
        c.SetBrosseVide();
        if (ctx.HauteurTEff < 0)
            ctx.HauteurTEff = c.TextHeight("T");
        c.TextOut(xb - R(c.TextWidth(lettre) / 2.0), Y - montee - kHauteurEffets - R(ctx.HauteurTEff / 2.0),
                  lettre);
        break;
    }
    case 1:
    case 2: {
        GeometrieEcran g(ctx);
        const auto [pas, rangee, place] = PlacerVagueTemps(ctx, g, b);
        const int32_t debut = static_cast<int32_t>(place.Debut);
        const int32_t fin = static_cast<int32_t>(place.Fin) - 1; // the last column it inks
        const int32_t yw = Y - static_cast<int32_t>(place.Montee) - kHauteurEffets;
        const int h = R(pas / 2.0);
        const int nombre = T(static_cast<double>(fin - debut) / pas);
        for (int i = 0; i < nombre; ++i) {
            const int32_t xa = debut + i * pas;
            if (i % 2 == 0)
                c.Ligne(xa, yw + h, xa + pas, yw - h);
            else
                c.Ligne(xa, yw - h, xa + pas, yw + h);
        }
        break;
    }
    case 3: {
        const int32_t yv = Y - MarquesPlacees(ctx, b).Montee - kHauteurEffets + 3;
        c.MoveTo(xb - 10, yv - 7);
        c.LineTo(xb, yv);
        c.LineTo(xb + 10, yv - 7);
        c.SetPixel(xb + 10, yv - 7, couleur);
        c.SetFonte(FontePlusPetite(fonte));
        c.SetBrosseVide();
        const TZoneEncre cellule = CelluleValeurV(c, temps, xb, yv);
        c.TextOut(static_cast<int32_t>(cellule.Gauche), static_cast<int32_t>(cellule.Haut),
                  TexteValeurEffet(temps.ValeurCoupVib));
        break;
    }
    default: break;
    }
}

// ---- Chord and text ------------------------------------------------------------------------

namespace {

// Where the score puts a beat's chord diagram, and the area its ink takes: the marks over the
// grid (open and muted strings, the nut), the grid, and (once EtendreAuNom) the name under it.
struct PlaceDiagramme {
    int32_t x = 0;
    int32_t y = 0;
    int32_t gauche = 0, haut = 0, droite = 0, bas = 0; // right and bottom excluded
    int decalageNom = 0; // the name's offset under the grid, and its centre, by size
    int centreNom = 0;
};

std::optional<PlaceDiagramme> PlacerDiagramme(TContexteEcran& ctx, const TTemps& temps)
{
    const TParamEcran& p = ctx.p;
    if (!temps.AvecAccord || !temps.Accord || !p.AffDiag || !temps.Accord->AvecDiagramme())
        return std::nullopt;
    PlaceDiagramme d;
    d.x = ctx.MG + temps.XEcran - DecalageDiagrammeTemps(p.TypeDiag);
    d.y = ctx.Y - p.EspDiagAc;
    // Marks above the grid and the name's offset under it, by size.
    int marques = 0;
    switch (p.TypeDiag) {
    case 1: d.y -= 37; marques = 8; d.decalageNom = 36; d.centreNom = 17; break;
    case 2: d.y -= 31; marques = 7; d.decalageNom = 31; d.centreNom = 15; break;
    default: d.y -= 26; marques = 6; d.decalageNom = 26; d.centreNom = 12; break;
    }
    if (p.AffChordsName)
        d.y -= 7;
    // Large diagrams stand higher than the band's top: only there are they moved down, so
    // that the marks over their strings stay on the picture, under the rows of texts. On a line
    // whose marks would meet them, they rise over those into the rows the lines open for them.
    d.y = std::max(d.y, static_cast<int32_t>(marques) + ctx.RangeeTextes) - ctx.MonteeDessus;
    const int cellule = CelluleDiagramme(p.TypeDiag);
    d.gauche = d.x;
    d.haut = d.y - marques;
    d.droite = d.x + cellule + 1;
    d.bas = d.y + cellule + 1;
    return d;
}

// The area of the beat's chord diagram grown by the name under it and the base fret left of
// it, when the beat shows one. Apart from PlacerDiagramme: drawing the diagram needs only its
// place, and the texts are measured only where something may cover them.
std::optional<TZoneEncre> ZoneDiagramme(TContexteEcran& ctx, const TTemps& temps)
{
    std::optional<PlaceDiagramme> d = PlacerDiagramme(ctx, temps);
    if (!d)
        return std::nullopt;
    platform::Canevas& c = ctx.c;
    const TAccord& accord = *temps.Accord;
    c.SetFonte(platform::StyleFonte{"Small Fonts", 7, false, false, ctx.Diagrammes});
    if (accord.FretteBase > 1) {
        const std::string base = std::to_string(accord.FretteBase);
        d->gauche = std::min(d->gauche, d->x - 3 - c.TextWidth(base));
    }
    if (ctx.p.AffChordsName && !accord.Nom.empty()) {
        const platform::Dimension n = c.TextExtent(accord.Nom.view());
        const int32_t gaucheNom = d->x + d->centreNom - R(n.cx / 2.0);
        d->gauche = std::min(d->gauche, gaucheNom);
        d->droite = std::max(d->droite, gaucheNom + n.cx);
        d->bas = d->y + d->decalageNom + n.cy;
    }
    return Zone(d->gauche, d->haut, d->droite, d->bas);
}

std::vector<TZoneEncre> ZonesAuDessus(TContexteEcran& ctx)
{
    std::vector<TZoneEncre> zones;
    const TParamEcran& p = ctx.p;
    platform::Canevas& c = ctx.c;
    for (int32_t b = 1; b <= ctx.NbTemps; ++b) {
        const TTemps& temps = ctx.Temps(b);
        if (!temps.AvecAccord || !temps.Accord)
            continue;
        if (const std::optional<TZoneEncre> d = ZoneDiagramme(ctx, temps)) {
            zones.push_back(*d);
        } else if (p.AffChordsName) {
            // As DessinerAccord writes it.
            c.SetFonte(ctx.FontAcc);
            const std::string_view nom = temps.Accord->Nom.view();
            const platform::Dimension n = c.TextExtent(nom);
            const int32_t gauche = ctx.MG + temps.XEcran - R(c.TextWidth("C") / 2.0);
            const int32_t haut = ctx.Y - p.EspNomAc - n.cy - ctx.MonteeDessus;
            zones.push_back(Zone(gauche, haut, gauche + n.cx, haut + n.cy));
        }
    }
    return zones;
}

// What beat b of the measure being painted draws over the staff once its marks are placed, as
// DessinerEffetsTemps and the bends draw it: its marks, its bends' amounts and its wave.
std::vector<TZoneEncre> ZonesMarquesPlaceesTemps(TContexteEcran& ctx, int32_t b, bool sansDessus = false)
{
    GeometrieEcran g(ctx, sansDessus);
    std::optional<std::pair<TZoneEncre, TPlaceVague>> vague;
    if (AvecVague(ctx.Temps(b))) {
        const VagueTemps v = PlacerVagueTemps(ctx, g, b);
        vague.emplace(v.Rangee, v.Place);
    }
    return ZonesMarquesPlacees(g, b, PlacerMarquesTemps(g, b), vague);
}

const TMesure* BlocLigne(int32_t m)
{
    if (m < 1 || m > std::min(Partition.NbMesures, kNbMesuresMax))
        return nullptr;
    return Partition.Mesures[m].get();
}

// Whether a beat of measures premiere..derniere has a text.
bool AvecTexte(const TContexteEcran& ctx, int32_t premiere, int32_t derniere)
{
    for (int32_t m = premiere; m <= derniere; ++m)
        if (const TMesure* bloc = BlocLigne(m))
            for (int32_t b = 1; b <= std::clamp<int32_t>(bloc->NbTemps[ctx.Piste], 0, kNbTempsMax); ++b)
                if (!bloc->Temps[ctx.Piste][b].Texte.empty())
                    return true;
    return false;
}

} // namespace

std::optional<TZoneEncre> ZoneDiagrammeTemps(TContexteEcran& ctx, const TTemps& temps) { return ZoneDiagramme(ctx, temps); }

void DessinerAccord(TContexteEcran& ctx, int32_t b)
{
    const TTemps& temps = ctx.Temps(b);
    if (!temps.AvecAccord || !temps.Accord)
        return;
    platform::Canevas& c = ctx.c;
    const TParamEcran& p = ctx.p;
    const TAccord& accord = *temps.Accord;
    const int32_t x = temps.XEcran;

    platform::StyleFonte fonte = ctx.FontAcc;
    fonte.couleur = ctx.Marque(fonte.couleur);
    c.SetFonte(fonte);
    c.SetStylo(fonte.couleur, 1);
    c.SetBrosseVide();

    const bool diagramme = accord.AvecDiagramme();
    if (p.AffChordsName && (!diagramme || !p.AffDiag)) {
        if (ctx.LargeurCAcc < 0)
            ctx.LargeurCAcc = c.TextWidth("C");
        const std::string_view nom = accord.Nom.view();
        c.TextOut(ctx.MG + x - R(ctx.LargeurCAcc / 2.0), ctx.Y - p.EspNomAc - c.TextHeight(nom) - ctx.MonteeDessus,
                  nom);
        return;
    }
    const std::optional<PlaceDiagramme> place = PlacerDiagramme(ctx, temps);
    if (!place)
        return;
    DessinerDiagramme(p.TypeDiag, accord, c, place->x, ctx.Marque(ctx.Diagrammes), true, place->y);
}

void PreparerTextesLigne(TContexteEcran& ctx, int32_t premiere, int32_t derniere, int largeur,
                         const std::vector<std::vector<TZoneEncre>>* marquesMesures)
{
    ctx.TextesLigne.clear();
    auto temps = [&](int32_t m, int32_t b) -> const TTemps& { return BlocLigne(m)->Temps[ctx.Piste][b]; };
    auto nbTemps = [&](const TMesure& bloc) { return std::clamp<int32_t>(bloc.NbTemps[ctx.Piste], 0, kNbTempsMax); };
    if (!AvecTexte(ctx, premiere, derniere))
        return;

    platform::Canevas& c = ctx.c;
    const platform::StyleFonte avant = c.Fonte();
    // What the line draws where its texts may go: its diagrams, its endings' brackets and its
    // beats' marks where they are placed. Each measure from its opening bar line to its closing
    // one, as DessinerLigne draws them.
    std::vector<TZoneEncre> obstacles;
    std::vector<std::optional<double>> finsDiagramme; // by text
    std::vector<std::pair<int32_t, int32_t>> barres;  // by measure from premiere
    for (int32_t m = premiere, x = 0; m <= derniere; ++m) {
        const TMesure* bloc = BlocLigne(m);
        if (!bloc) {
            barres.emplace_back(x, x);
            continue;
        }
        for (int32_t b = 1; b <= nbTemps(*bloc); ++b) {
            const std::optional<TZoneEncre> d = ZoneDiagramme(ctx, bloc->Temps[ctx.Piste][b]);
            if (d)
                obstacles.push_back(*d);
            if (!bloc->Temps[ctx.Piste][b].Texte.empty()) {
                ctx.TextesLigne.push_back({m, b, 0, 0});
                finsDiagramme.push_back(d ? std::optional<double>(d->Droite) : std::nullopt);
            }
        }
        if (bloc->Repetition) {
            const std::vector<TZoneEncre> fin = ZonesFinAlternative(ctx, m, x, bloc->NumRepetition);
            obstacles.insert(obstacles.end(), fin.begin(), fin.end());
        }
        if (marquesMesures) {
            const std::vector<TZoneEncre>& marques = (*marquesMesures)[static_cast<std::size_t>(m - premiere)];
            obstacles.insert(obstacles.end(), marques.begin(), marques.end());
        } else if (ctx.p.AffEff && CommencerMesure(ctx, m)) {
            for (int32_t b = 1; b <= ctx.NbTemps; ++b) {
                const std::vector<TZoneEncre> marques = ZonesMarquesPlaceesTemps(ctx, b);
                obstacles.insert(obstacles.end(), marques.begin(), marques.end());
            }
        }
        barres.emplace_back(x, bloc->Largeur + bloc->EspaceDroite);
        x = barres.back().second;
    }

    c.SetFonte(ctx.FontTxt);
    if (ctx.LargeurCTxt < 0) {
        const platform::Dimension d = c.TextExtent("C");
        ctx.LargeurCTxt = d.cx;
        ctx.HauteurCTxt = d.cy;
    }
    // Two pixels from a diagram or a bar line, and from what a text goes up over.
    constexpr int kEcart = 2;
    const int32_t demiLettre = R(ctx.LargeurCTxt / 2.0);
    const int32_t y = ctx.Y - ctx.p.EspTexte - ctx.HauteurCTxt;
    std::vector<TTexteTemps> textes;
    std::vector<int> decalages; // from a text's cell to its ink
    textes.reserve(ctx.TextesLigne.size());
    for (const TContexteEcran::TTextePlace& place : ctx.TextesLigne) {
        const TMesure& bloc = *BlocLigne(place.Mesure);
        const std::string_view texte = temps(place.Mesure, place.Temps).Texte.view();
        const platform::EncreTexte encre = c.TextInk(texte);
        const int32_t x = ctx.MG + temps(place.Mesure, place.Temps).XEcran - demiLettre;
        const auto [gauche, droite] = barres[static_cast<std::size_t>(place.Mesure - premiere)];
        const double fin = ctx.MG + droite - kEcart;
        const double suivant =
            place.Temps < nbTemps(bloc) ? ctx.MG + temps(place.Mesure, place.Temps + 1).XEcran - demiLettre : fin;
        textes.push_back({Zone(x + encre.gauche, y, x + encre.droite, y + ctx.HauteurCTxt),
                          static_cast<double>(ctx.MG + gauche + kEcart), fin, suivant,
                          finsDiagramme[textes.size()]});
        decalages.push_back(encre.gauche);
    }
    // A space of the texts' font between any two, so that none reads as the next one's end.
    const TReglesTextesTemps regles{kEcart, static_cast<double>(std::max(c.TextWidth(" "), 1)), kEcart,
                                    static_cast<double>(largeur)};
    c.SetFonte(avant);
    const std::vector<TPlaceTexteTemps> places = PlacerTextesTemps(obstacles, textes, regles);
    for (std::size_t i = 0; i < places.size(); ++i) {
        ctx.TextesLigne[i].X = R(places[i].Gauche) - decalages[i];
        ctx.TextesLigne[i].Y = R(places[i].Haut);
    }
}

namespace {

// How far the chord names and diagrams of line premiere..derniere rise over the marks, amounts,
// arrows and waves of its beats that would meet them (MonteeDessus), a clear row over them: the
// marks placed as though nothing stood over them, where a rise then leaves them room.
// Across the line: the last beat's bend reaches over the next measure's first diagram.
// Once risen, nothing over the marks holds them where they were measured, so that they are
// placed there as well against what stands over them: with `toutes`, `parMesure` gets the
// marks of every beat of the line, by measure, for its beat texts to keep clear of (and is
// left empty where no mark is measured).
int32_t MesurerMonteeDessus(TContexteEcran& ctx, int32_t premiere, int32_t derniere, bool toutes,
                            std::vector<std::vector<TZoneEncre>>& parMesure)
{
    parMesure.clear();
    const TParamEcran& p = ctx.p;
    if (!p.AffEff || !(p.AffDiag || p.AffChordsName))
        return 0;
    // Most lines have no chord, or no mark under it.
    bool accords = false, effets = false;
    for (int32_t m = premiere; m <= derniere; ++m)
        if (const TMesure* bloc = BlocLigne(m))
            for (int32_t b = 1; b <= std::clamp<int32_t>(bloc->NbTemps[ctx.Piste], 0, kNbTempsMax); ++b) {
                const TTemps& t = bloc->Temps[ctx.Piste][b];
                accords = accords || (t.AvecAccord && t.Accord);
                effets = effets || t.Effet != 0;
                for (int32_t s = 1; s <= ctx.NbCordes && !effets; ++s)
                    effets = AvecBend(t, s);
            }
    if (!accords || !effets)
        return 0;
    const int32_t montee = std::exchange(ctx.MonteeDessus, 0);
    std::vector<TZoneEncre> marques, dessus;
    for (int32_t m = premiere; m <= derniere; ++m) {
        if (!CommencerMesure(ctx, m))
            continue;
        const std::vector<TZoneEncre> d = ZonesAuDessus(ctx);
        dessus.insert(dessus.end(), d.begin(), d.end());
    }
    // A beat's marks reach from its V's arm and letters, 10 pixels either side of it, to the
    // next beat, or on the last beat to its bar and its wave's end, 20 pixels past it.
    const int32_t marge = ctx.E + 4;
    double ecart = 1;
    parMesure.resize(static_cast<std::size_t>(derniere - premiere + 1));
    for (int32_t m = premiere; m <= derniere; ++m) {
        if (!CommencerMesure(ctx, m))
            continue;
        std::vector<TZoneEncre>& mesure = parMesure[static_cast<std::size_t>(m - premiere)];
        GeometrieEcran g(ctx, true);
        ecart = g.RangeeClaire();
        for (int32_t b = 1; b <= ctx.NbTemps; ++b) {
            const int32_t x = ctx.MG + ctx.Temps(b).XEcran;
            const int32_t suivant = ctx.MG + (b < ctx.NbTemps ? ctx.Temps(b + 1).XEcran
                                                               : std::max(ctx.Bloc->Largeur + ctx.Bloc->EspaceDroite,
                                                                          ctx.Temps(b).XEcran + 20));
            const bool dessous = SousDessus(x - marge, suivant + marge, dessus);
            if (!dessous && !toutes)
                continue;
            const std::vector<TZoneEncre> z = ZonesMarquesPlaceesTemps(ctx, b, true);
            mesure.insert(mesure.end(), z.begin(), z.end());
            if (!dessous)
                continue;
            marques.insert(marques.end(), z.begin(), z.end());
            const std::vector<TZoneEncre> traces = TracesBends(g, b);
            marques.insert(marques.end(), traces.begin(), traces.end());
        }
    }
    if (!toutes)
        parMesure.clear();
    ctx.MonteeDessus = montee;
    return static_cast<int32_t>(std::ceil(MonteeDessus(marques, dessus, ecart)));
}

} // namespace

int32_t MesurerRangeeTextes()
{
    TLignesAffichage& la = LignesAffichage;
    la.MonteesDessus.Vider();
    const TParamEcran& p = ParamEcranCourant;
    const bool dessus = p.AffEff && (p.AffDiag || p.AffChordsName);
    platform::Canevas* c = p.AffTxt || dessus ? SurfacePartition().CanevasBande(1) : nullptr;
    if (!c)
        return 0;
    // Every line as it would stand without rows: the highest text that went up, a pixel under
    // the band's top, and the highest diagram, name or ending's bracket raised over the marks,
    // at the band's top, tell how much the lines grow.
    TContexteEcran ctx = ContexteEcran(*c, 0);
    ctx.RangeeTextes = 0;
    ctx.Y = YPorteeLigne() - la.RangeeTextes;
    c->SetFonte(ctx.FontTxt);
    const int32_t rangee = ctx.Y - ctx.p.EspTexte - c->TextHeight("C");
    int32_t haut = 1;
    std::vector<std::vector<TZoneEncre>> marquesMesures;
    for (int32_t ligne = 1; ligne <= la.NbLignes; ++ligne) {
        const int32_t premiere = la.PremiereMesure[ligne];
        if (premiere == 0)
            continue;
        const int32_t derniere = std::min(la.DerniereMesure[ligne], Partition.NbMesures);
        ctx.MonteeDessus = MesurerMonteeDessus(ctx, premiere, derniere, p.AffTxt && AvecTexte(ctx, premiere, derniere),
                                               marquesMesures);
        if (ctx.MonteeDessus > 0) {
            la.MonteesDessus.Definir(ligne, ctx.MonteeDessus);
            for (int32_t m = premiere, x = 0; m <= derniere; ++m) {
                if (!CommencerMesure(ctx, m))
                    continue;
                std::vector<TZoneEncre> zones = ZonesAuDessus(ctx);
                if (ctx.Bloc->Repetition) {
                    const std::vector<TZoneEncre> fin = ZonesFinAlternative(ctx, m, x, ctx.Bloc->NumRepetition);
                    zones.insert(zones.end(), fin.begin(), fin.end());
                }
                for (const TZoneEncre& z : zones)
                    haut = std::min(haut, static_cast<int32_t>(std::floor(z.Haut)) + 1);
                x = ctx.Bloc->Largeur + ctx.Bloc->EspaceDroite;
            }
        }
        if (!p.AffTxt)
            continue;
        PreparerTextesLigne(ctx, premiere, derniere, std::max(la.LargeurDispo + 6, 0),
                            marquesMesures.empty() ? nullptr : &marquesMesures);
        for (const TContexteEcran::TTextePlace& t : ctx.TextesLigne)
            if (t.Y < rangee)
                haut = std::min(haut, t.Y);
    }
    return 1 - haut;
}

void DessinerTexteTemps(TContexteEcran& ctx, int32_t b)
{
    const TTemps& temps = ctx.Temps(b);
    if (temps.Texte.empty())
        return;
    const auto place = std::find_if(ctx.TextesLigne.begin(), ctx.TextesLigne.end(), [&](const auto& t) {
        return t.Mesure == ctx.MesureDessinee && t.Temps == b;
    });
    if (place == ctx.TextesLigne.end())
        return;
    platform::Canevas& c = ctx.c;
    platform::StyleFonte fonte = ctx.FontTxt;
    fonte.couleur = ctx.Marque(fonte.couleur);
    c.SetFonte(fonte);
    c.SetBrosseVide();
    c.TextOut(place->X, place->Y, temps.Texte.view());
}

#include "editor/Ecran.h"

#include "document/Langue.h"
#include "document/Routines.h"
#include "editor/Chords_u.h"
#include "editor/DessinSaisie.h"
#include "editor/Disposition.h"
#include "editor/EcranNotes.h"
#include "editor/EcranRythme.h"
#include "editor/Fontes.h"
#include "editor/Scrolling.h"
#include "platform/Arrondi.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <optional>

namespace {

int R(double v) { return static_cast<int>(platform::Round(v)); }

const TMesure* Bloc(int32_t m)
{
    if (m < 1 || m > std::min(Partition.NbMesures, kNbMesuresMax))
        return nullptr;
    return Partition.Mesures[m].get();
}

platform::Couleur Couleur(TCouleur valeur) { return platform::Couleur::DeValeur(valeur); }

// Decimal text of a small integer, without allocating.
struct TexteEntier {
    std::array<char, 12> car{};
    std::size_t taille = 0;
    explicit TexteEntier(int valeur)
    {
        taille = static_cast<std::size_t>(std::to_chars(car.data(), car.data() + car.size(), valeur).ptr - car.data());
    }
    std::string_view Vue() const { return {car.data(), taille}; }
};

} // namespace

void InitialiserEcran()
{
    TPolicesLabels& polices = PolicesLabels();
    polices.Definir("FontEff", TMyFont{"Small Fonts", 6, false, false, CouleurNoire});
    polices.Definir("FontEffItalic", TMyFont{"Small Fonts", 7, false, true, CouleurNoire});
    polices.Definir("FontValEff", TMyFont{"Small Fonts", 5, false, false, CouleurNoire});
    polices.Definir("FontTriolet", TMyFont{"Arial", 7, false, false, CouleurNoire});

    TParamEcran& p = ParamEcranCourant;
    p.MesureDessinee = 1;
    p.EcartDoubleBarre = p.EspLignes >= 9 ? 8 : 5;
    p.MargePoint = kMargePoint;
    p.TaillePoint = kTaillePoint;
    p.MargeFrette = kMargeFrette;
    p.LongueurHampe = 16 + 3 * p.EpCroches;
    p.MargeHampe = kMargeHampe;
    p.HampeCourte = kHampeCourte;
    p.EcartPointRythme = kEcartPointRythme;
    p.HauteurEffets = kHauteurEffets;
    p.PasVibrato = kPasVibrato;
    p.PasTremolo = kPasTremolo;
    p.HauteurNbRenvois = kHauteurNbRenvois;
    p.EcartTriolet = kEcartTriolet;
    p.HauteurTriolet = kHauteurTriolet;
    p.LongueurMinLiaison = kLongueurMinLiaison;
    CalculerLargeursTemps();

    InstallerPeintresPartition({static_cast<void (*)(int32_t)>(DessinerLigne), DimensionnerBandeAccords,
                                DessinerBandeAccords, MesurerRangeeTextes});
}

// ---- Context -------------------------------------------------------------------------------

TContexteEcran ContexteEcran(platform::Canevas& c, int32_t yPortee)
{
    const TParamEcran& p = ParamEcranCourant;
    TContexteEcran ctx(c, p);
    ctx.Piste = std::clamp<int32_t>(PisteCourante, 1, kNbPistes);
    ctx.NbCordes = std::clamp<int32_t>(Partition.NbCordes[ctx.Piste], 1, kNbCordesMax);
    ctx.E = p.EspLignes;
    ctx.MG = p.MargeGaucheLignes;
    ctx.Y = yPortee;
    ctx.RangeeTextes = LignesAffichage.RangeeTextes;

    const bool large = p.EspLignes >= 9;
    ctx.EcartDoubleBarre = large ? 8 : 5;
    ctx.DecalageSignature = large ? 6 : 4;
    ctx.EpCroches = p.EpCroches;
    ctx.EcartCroches = p.EpCroches + 1;
    ctx.LongueurHampe = 16 + 3 * p.EpCroches;

    ctx.Lignes = Couleur(p.ColLines);
    ctx.Fond = Couleur(p.ColBackG);
    ctx.MauvaiseMesure = Couleur(p.ColBadBar);
    ctx.Rythme = Couleur(p.ColRythm);
    ctx.Effets = Couleur(p.ColEff);
    ctx.Diagrammes = Couleur(p.ColDiag);

    const TPolicesLabels& polices = PolicesLabels();
    ctx.FontNotes = polices.PoliceDessin("FontNotes");
    ctx.FontAcc = polices.PoliceDessin("FontAcc");
    ctx.FontTxt = polices.PoliceDessin("FontTxt");
    ctx.FontSign = polices.PoliceDessin("FontSign");
    ctx.FontNum = polices.PoliceDessin("FontNum");
    ctx.FontRenv = polices.PoliceDessin("FontRenv");
    ctx.FontEff = polices.PoliceDessin("FontEff");
    ctx.FontEffItalic = polices.PoliceDessin("FontEffItalic");
    ctx.FontValEff = polices.PoliceDessin("FontValEff");
    ctx.FontTriolet = polices.PoliceDessin("FontTriolet");
    return ctx;
}

bool MesureFausse(int32_t mesure)
{
    const TMesure* bloc = Bloc(mesure);
    if (!bloc)
        return false;
    // Whole ticks over 480 are exact for every nominal length a signature gives.
    const int32_t piste = std::clamp<int32_t>(PisteCourante, 1, kNbPistes);
    return static_cast<double>(TicksMesure(piste, mesure)) / kTicksNoire != bloc->Duree;
}

bool CommencerMesure(TContexteEcran& ctx, int32_t mesure)
{
    ctx.MesureDessinee = mesure;
    ctx.Bloc = Bloc(mesure);
    ctx.NbTemps = ctx.Bloc ? std::clamp<int32_t>(ctx.Bloc->NbTemps[ctx.Piste], 0, kNbTempsMax) : 0;
    // Judged here, not stored: the song keeps the length the measure status rounded.
    ctx.MesureFausse = ctx.Bloc && MesureFausse(mesure);
    return ctx.Bloc != nullptr;
}

// ---- Lines ---------------------------------------------------------------------------------

void DessinerLigne(int32_t ligne)
{
    ChoisirBande(CalculerBandeLigne(ligne));
    platform::Canevas* c = CanvasEcran();
    if (!c)
        return;
    const TBande& bande = AffichagePartition.Bandes[LignesAffichage.BandeCourante];
    DessinerLigne(*c, ligne, bande.Largeur, bande.Hauteur);
}

void DessinerLigne(platform::Canevas& c, int32_t ligne, int largeur, int hauteur)
{
    const TParamEcran& p = ParamEcranCourant;
    const auto fond = Couleur(p.ColBackG);
    c.SetStylo(fond);
    c.SetBrosse(fond);
    c.Rectangle(0, 0, largeur + 1, hauteur + 1);

    const TLignesAffichage& la = LignesAffichage;
    const int32_t premiere = la.PremiereMesure[ligne];
    if (premiere == 0)
        return;
    const int32_t nbMesures = std::min(Partition.NbMesures, kNbMesuresMax);
    const int32_t derniere = std::min(la.DerniereMesure[ligne], nbMesures);

    TContexteEcran ctx = ContexteEcran(c, YPorteeLigne());
    ctx.MonteeDessus = la.MonteesDessus[ligne];
    if (p.AffTxt)
        PreparerTextesLigne(ctx, premiere, derniere, largeur);
    const int32_t y = ctx.Y;
    int32_t x = 0;
    for (int32_t m = premiere; m <= derniere; ++m) {
        const TMesure* bloc = Bloc(m);
        if (!bloc)
            continue;
        const int32_t xl = x;
        if (p.AffNum)
            DessinerNumeroMesure(ctx, xl, m);

        if (bloc->RenvoiDebut)
            DessinerBarreRenvoi(ctx, xl, y, 1, m);
        else if (m == 1)
            DessinerDoubleBarre(ctx, xl, y, 1);
        else if (m == premiere)
            DessinerBarreMesure(ctx, xl, y, 1, 2);

        if (bloc->Repetition)
            DessinerFinAlternative(ctx, m, xl, bloc->NumRepetition);

        const int32_t xr = bloc->Largeur + bloc->EspaceDroite;
        const TMesure* suivante = Bloc(m + 1);
        if (bloc->RenvoiFin)
            DessinerBarreRenvoi(ctx, xr, y, 2, m);
        else if (m == Partition.NbMesures)
            DessinerDoubleBarre(ctx, xr, y, 2);
        else if (m == derniere || !suivante || !suivante->RenvoiDebut)
            DessinerBarreMesure(ctx, xr, y, 1, 1);

        DessinerCordes(ctx, xl, xr, y);
        DessinerTempsMesure(ctx, m);

        const TMesure* precedente = Bloc(m - 1);
        if (m == 1 || (precedente && (bloc->Numerateur != precedente->Numerateur ||
                                      bloc->Denominateur != precedente->Denominateur)))
            DessinerSignature(ctx, m, xl, y, bloc->Numerateur, bloc->Denominateur);
        x = xr;
    }
}

// ---- Furniture -----------------------------------------------------------------------------

TCelluleNumero CelluleNumeroMesure(TContexteEcran& ctx, int32_t x, int32_t mesure)
{
    ctx.c.SetFonte(ctx.FontNum);
    const TexteEntier texte(mesure);
    const platform::Dimension d = ctx.c.TextExtent(texte.Vue());
    return {ctx.MG + x - R(d.cx / 2.0) - 1, ctx.Y - 2 - d.cy, d.cx, d.cy};
}

void DessinerNumeroMesure(TContexteEcran& ctx, int32_t x, int32_t mesure)
{
    const TCelluleNumero cellule = CelluleNumeroMesure(ctx, x, mesure);
    ctx.c.SetBrosseVide();
    ctx.c.TextOut(cellule.Gauche, cellule.Haut, TexteEntier(mesure).Vue());
}

void DessinerCordes(TContexteEcran& ctx, int32_t x1, int32_t x2, int32_t y)
{
    platform::Canevas& c = ctx.c;
    c.SetStylo(ctx.Lignes, 1);
    for (int32_t s = 1; s <= ctx.NbCordes; ++s) {
        const int32_t yc = y + (s - 1) * ctx.E;
        c.Ligne(ctx.MG + x1, yc, ctx.MG + x2, yc);
    }
}

void DessinerBarreMesure(TContexteEcran& ctx, int32_t x, int32_t y, int kind, int side)
{
    platform::Canevas& c = ctx.c;
    const bool large = ctx.E >= 9;
    const int w = kind == 1 ? (large ? 2 : 1) : (large ? 5 : 3);
    c.SetStylo(ctx.Lignes, 1);
    c.SetBrosse(ctx.Lignes);
    const int32_t xb = ctx.MG + x;
    const int32_t bas = y + (ctx.NbCordes - 1) * ctx.E + 1;
    if (side == 1)
        c.Rectangle(xb - w, y, xb, bas);
    else
        c.Rectangle(xb, y, xb + w, bas);
}

void DessinerDoubleBarre(TContexteEcran& ctx, int32_t x, int32_t y, int side)
{
    // Opening: thick bar right of x, thin bar further right; closing: mirrored to the left.
    if (side == 1) {
        DessinerBarreMesure(ctx, x, y, 2, 2);
        DessinerBarreMesure(ctx, x + ctx.EcartDoubleBarre, y, 1, 2);
    } else {
        DessinerBarreMesure(ctx, x, y, 2, 1);
        DessinerBarreMesure(ctx, x - ctx.EcartDoubleBarre, y, 1, 1);
    }
}

void DessinerBarreRenvoi(TContexteEcran& ctx, int32_t x, int32_t y, int side, int32_t mesure)
{
    DessinerDoubleBarre(ctx, x, y, side);
    const int dir = side == 1 ? 1 : -1;
    const int32_t xt = x + ctx.EcartDoubleBarre * dir;
    const int32_t xd = xt + (kMargePoint + kTaillePoint) * dir;
    const std::array<int, 2> gaps = ctx.NbCordes >= 6 ? std::array<int, 2>{2, 4} : std::array<int, 2>{1, 3};
    for (const int r : gaps) {
        const int32_t yd = y + static_cast<int32_t>(platform::Trunc((r - 0.5) * ctx.E));
        if (ctx.E >= 9)
            DessinerPoint(ctx, xd, yd, ctx.Lignes);
        else
            DessinerPetitPoint(ctx, xd - 2 * dir, yd, ctx.Lignes);
    }

    if (side != 2)
        return;
    const TMesure* bloc = Bloc(mesure);
    platform::Canevas& c = ctx.c;
    c.SetLargeurStylo(1);
    c.SetFonte(ctx.FontRenv);
    c.SetBrosse(ctx.Fond);
    if (bloc && bloc->NbRenvois > 1) {
        std::array<char, 8> texte{};
        const auto fin = std::to_chars(texte.data(), texte.data() + texte.size() - 1, bloc->NbRenvois).ptr;
        *fin = 'x';
        const std::string_view vue(texte.data(), static_cast<std::size_t>(fin + 1 - texte.data()));
        const platform::Dimension d = c.TextExtent(vue);
        int32_t xt = ctx.MG + x - d.cx;
        // The next measure's number is centred on this bar when it starts on the same line: the
        // count then ends a pixel before it rather than across it.
        const TMesure* suivante = Bloc(mesure + 1);
        if (ctx.p.AffNum && bloc && suivante && suivante->Ligne == bloc->Ligne) {
            const TCelluleNumero n = CelluleNumeroMesure(ctx, x, mesure + 1);
            const int32_t yt = y - kHauteurNbRenvois - d.cy;
            if (xt + d.cx > n.Gauche - 1 && yt < n.Haut + n.Hauteur && yt + d.cy > n.Haut)
                xt = n.Gauche - 1 - d.cx;
            c.SetFonte(ctx.FontRenv);
        }
        c.TextOut(xt, y - kHauteurNbRenvois - d.cy, vue);
    }
}

int32_t RetraitBarreFin(const TContexteEcran& ctx, int32_t mesure)
{
    const TMesure* bloc = Bloc(mesure);
    const bool large = ctx.E >= 9;
    if (bloc && bloc->RenvoiFin) {
        // As DessinerBarreRenvoi puts the dots, less the plain bar's width.
        return ctx.EcartDoubleBarre + kMargePoint + kTaillePoint + (large ? 2 : -1) - (large ? 2 : 1);
    }
    // The thin bar of the double bar stands that far in from the end.
    return mesure == Partition.NbMesures ? ctx.EcartDoubleBarre : 0;
}

std::string TexteFinAlternative(int32_t mesure, int32_t numero)
{
    if (numero == 1)
        return "1";
    const int32_t e = NumeroRepetitionSuivante(mesure);
    if (e == numero)
        return std::to_string(e);
    return std::to_string(e) + " " + Traduire("Repet-A") + " " + std::to_string(numero);
}

namespace {

// The ending's number: in FontRenv, plain and black, a few pixels right of its hook.
constexpr int kDecalageNumeroFinAlternative = 3;

platform::StyleFonte FonteFinAlternative(platform::StyleFonte fonte)
{
    fonte.gras = false;
    fonte.italique = false;
    fonte.couleur = platform::clBlack;
    return fonte;
}

} // namespace

int32_t FinNumeroFinAlternative(platform::Canevas& c, int32_t mesure, int32_t numero)
{
    c.SetFonte(FonteFinAlternative(PolicesLabels().PoliceDessin("FontRenv")));
    return kDecalageNumeroFinAlternative + c.TextWidth(TexteFinAlternative(mesure, numero));
}

namespace {

// Where the bracket of an ending at x goes: its hook at X from its line at Haut down to Bas,
// its line from X to Fin (excluded), its number's cell from (XNumero, YNumero).
struct TraceFinAlternative {
    int32_t X = 0, Haut = 0, Bas = 0, Fin = 0, XNumero = 0, YNumero = 0;
};

TraceFinAlternative Trace(TContexteEcran& ctx, int32_t mesure, int32_t x)
{
    const int32_t xb = ctx.MG + x;
    // Under the rows of texts, over the diagrams where they rise.
    const int32_t y = ctx.RangeeTextes - ctx.MonteeDessus;
    int32_t haut = y + 4;
    int32_t fin = xb + 35;
    // Over diagrams whose marks would touch it, the line goes up as far as the band leaves
    // room, or else stops before them (the layout keeps them clear of the hook and number). A
    // diagram a string gap of its own past the line's end would read as where the line leads.
    const int32_t portee = fin + PasGrilleDiagramme(ctx.p.TypeDiag);
    std::optional<TZoneEncre> touchees;
    const TMesure* bloc = Bloc(mesure);
    for (int32_t k = mesure; bloc && Bloc(k) && Bloc(k)->Ligne == bloc->Ligne && Bloc(k)->XGauche < portee; ++k)
        for (int32_t b = 1; b <= std::clamp<int32_t>(Bloc(k)->NbTemps[ctx.Piste], 0, kNbTempsMax); ++b) {
            const std::optional<TZoneEncre> z = ZoneDiagrammeTemps(ctx, Bloc(k)->Temps[ctx.Piste][b]);
            if (z && z->Gauche < portee && z->Droite > xb && z->Haut < haut + 2 && z->Bas > haut) {
                touchees = touchees.value_or(*z);
                touchees->Gauche = std::min(touchees->Gauche, z->Gauche);
                touchees->Haut = std::min(touchees->Haut, z->Haut);
            }
        }
    if (touchees && touchees->Haut - 2 >= y)
        haut = static_cast<int32_t>(touchees->Haut) - 2;
    else if (touchees)
        fin = std::clamp(static_cast<int32_t>(touchees->Gauche) - 4, xb + 1, fin);
    return {xb, haut, y + 17, fin, xb + kDecalageNumeroFinAlternative, y + 5};
}

} // namespace

std::vector<TZoneEncre> ZonesFinAlternative(TContexteEcran& ctx, int32_t mesure, int32_t x, int32_t numero)
{
    const TraceFinAlternative t = Trace(ctx, mesure, x);
    ctx.c.SetFonte(FonteFinAlternative(ctx.FontRenv));
    const platform::Dimension d = ctx.c.TextExtent(TexteFinAlternative(mesure, numero));
    const auto zone = [](int32_t gauche, int32_t haut, int32_t droite, int32_t bas) {
        return TZoneEncre{static_cast<double>(gauche), static_cast<double>(haut), static_cast<double>(droite),
                          static_cast<double>(bas)};
    };
    // Each line leaves out its end pixel: the hook its top one, the line its right one.
    return {zone(t.X, t.Haut, t.X + 1, t.Bas + 1), zone(t.X, t.Haut, t.Fin, t.Haut + 1),
            zone(t.XNumero, t.YNumero, t.XNumero + d.cx, t.YNumero + d.cy)};
}

void DessinerFinAlternative(TContexteEcran& ctx, int32_t mesure, int32_t x, int32_t numero)
{
    const TraceFinAlternative t = Trace(ctx, mesure, x);
    platform::Canevas& c = ctx.c;
    c.SetStylo(platform::clBlack, 1);
    c.SetFonte(FonteFinAlternative(ctx.FontRenv));
    c.MoveTo(t.X, t.Bas);
    c.LineTo(t.X, t.Haut);
    c.LineTo(t.Fin, t.Haut);
    c.SetBrosseVide();
    c.TextOut(t.XNumero, t.YNumero, TexteFinAlternative(mesure, numero));
}

namespace {

// Where a measure's time signature writes its two numbers, centred one over the other: the
// left of each from the measure's bar (the line's margin left out), and the height of a number.
struct TPlaceSignature {
    TexteEntier Num, Den;
    int32_t GaucheNum = 0, GaucheDen = 0;
    int32_t DroiteNum = 0, DroiteDen = 0;
    int Hauteur = 0;
};

TPlaceSignature PlaceSignature(TContexteEcran& ctx, int32_t mesure, int numerateur, int denominateur)
{
    platform::Canevas& c = ctx.c;
    const TMesure* bloc = Bloc(mesure);
    const TParamEcran& p = ctx.p;
    c.SetFonte(ctx.FontSign);
    int32_t xs = ctx.DecalageSignature;
    if (bloc && bloc->RenvoiDebut)
        xs += p.EspaceRenvoiDebut;
    else if (mesure == 1)
        xs += p.EspacePremiereMesure;
    TPlaceSignature s{TexteEntier(numerateur), TexteEntier(denominateur)};
    const platform::Dimension dn = c.TextExtent(s.Num.Vue());
    const int ld = c.TextWidth(s.Den.Vue());
    const int32_t centre = xs + 6;
    s.GaucheNum = centre - R(dn.cx / 2.0);
    s.DroiteNum = s.GaucheNum + dn.cx;
    s.GaucheDen = centre - R(ld / 2.0);
    s.DroiteDen = s.GaucheDen + ld;
    s.Hauteur = dn.cy;
    return s;
}

} // namespace

void DessinerSignature(TContexteEcran& ctx, int32_t mesure, int32_t x, int32_t y, int numerateur, int denominateur)
{
    platform::Canevas& c = ctx.c;
    c.SetLargeurStylo(1);
    c.SetBrosseVide();
    c.SetStyloNul();
    const TPlaceSignature s = PlaceSignature(ctx, mesure, numerateur, denominateur);
    const int th = s.Hauteur;
    const int g = R(((ctx.NbCordes - 1) * ctx.E - 2.0 * th) / 3.0);
    c.TextOut(ctx.MG + x + s.GaucheNum, y + g, s.Num.Vue());
    c.TextOut(ctx.MG + x + s.GaucheDen, y + th + 2 * g, s.Den.Vue());
}

int32_t DroiteSignature(TContexteEcran& ctx, int32_t mesure, int numerateur, int denominateur)
{
    const TPlaceSignature s = PlaceSignature(ctx, mesure, numerateur, denominateur);
    return std::max(s.DroiteNum, s.DroiteDen);
}

void DessinerPoint(TContexteEcran& ctx, int32_t x, int32_t y, platform::Couleur couleur)
{
    platform::Canevas& c = ctx.c;
    const int32_t xp = ctx.MG + x;
    c.SetPixel(xp - 1, y - 1, couleur);
    c.SetPixel(xp, y - 1, couleur);
    for (int32_t r = y; r <= y + 1; ++r)
        for (int32_t i = xp - 2; i <= xp + 1; ++i)
            c.SetPixel(i, r, couleur);
    c.SetPixel(xp - 1, y + 2, couleur);
    c.SetPixel(xp, y + 2, couleur);
}

void DessinerPetitPoint(TContexteEcran& ctx, int32_t x, int32_t y, platform::Couleur couleur)
{
    platform::Canevas& c = ctx.c;
    const int32_t xp = ctx.MG + x;
    for (int32_t r = y; r <= y + 1; ++r) {
        c.SetPixel(xp - 1, r, couleur);
        c.SetPixel(xp, r, couleur);
    }
}

// ---- Beats ---------------------------------------------------------------------------------

void DessinerTempsMesure(TContexteEcran& ctx, int32_t mesure)
{
    if (!CommencerMesure(ctx, mesure))
        return;
    const TParamEcran& p = ctx.p;
    for (int32_t b = 1; b <= ctx.NbTemps; ++b) {
        const TTemps& t = ctx.Temps(b);
        if (p.AffTxt)
            DessinerTexteTemps(ctx, b);
        if (p.AffDiag || p.AffChordsName)
            DessinerAccord(ctx, b);
        if (p.AffEff)
            DessinerEffetsTemps(ctx, b);
        if (p.AffRyt)
            DessinerLiaisons(ctx, mesure, b);
        for (int32_t s = 1; s <= ctx.NbCordes; ++s)
            DessinerNote(ctx, b, s);
        if (p.AffRyt) {
            DessinerCroches(ctx, b);
            if (!(t.Silence && t.CodeDuree < 1))
                DessinerHampes(ctx, b);
            if (t.Triolet && t.PosTriolet == 1)
                DessinerTriolet(ctx, mesure, b);
        }
    }
}

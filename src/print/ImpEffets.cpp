#include "print/ImpEffets.h"

#include "editor/EffetsSaisie.h"
#include "editor/PlacementMarques.h"
#include "editor/PlacementTextes.h"
#include "print/ImpNotes.h"
#include "print/ImpPage.h"
#include "print/ImpPortee.h"
#include "print/Impress.h"
#include "platform/Arrondi.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

namespace {

const TGeometrieImpr& G = kGeometrieImpr;

int R(double v) { return static_cast<int>(platform::Round(v)); }
int T(double v) { return static_cast<int>(platform::Trunc(v)); }

const TTemps* Temps(int32_t b)
{
    TMesure* bloc = MesureImpr(ParamImpCourant.MesureEnCours);
    if (!bloc || b < 1 || b > NbTempsImpr(ParamImpCourant.MesureEnCours))
        return nullptr;
    return &bloc->Temps[PisteImpr()][b];
}

void Fleche(platform::Canevas& c, double e, bool haut, int X, int Y)
{
    const int dy = haut ? 1 : -1;
    c.Ligne(X, Y, R(X + e), R(Y + dy * e));
    c.Ligne(X, Y, R(X - e), R(Y + dy * e));
}

void Zigzag(platform::Canevas& c, double x, double xSuivant, double yc, double pas, double epaisseur)
{
    const double e = EchelleImpr();
    const double mg = ParamImpCourant.MargeGaucheLignes;
    StyloImpr(c, epaisseur);
    // Stops at least 3 mm before the next beat.
    const int segments = T((xSuivant - 3 - x) / pas);
    for (int i = 0; i < segments; ++i) {
        const double xa = x + mg + i * pas;
        const double ya = i % 2 == 0 ? yc + pas / 2 : yc - pas / 2;
        const double yb = i % 2 == 0 ? yc - pas / 2 : yc + pas / 2;
        c.Ligne(R(xa * e), R(ya * e), R((xa + pas) * e), R(yb * e));
    }
}

TZoneEncre Zone(int gauche, int haut, int droite, int bas)
{
    return {static_cast<double>(gauche), static_cast<double>(haut), static_cast<double>(droite),
            static_cast<double>(bas)};
}

TZoneEncre Montee(TZoneEncre zone, int montee)
{
    zone.Haut -= montee;
    zone.Bas -= montee;
    return zone;
}

// The vibrato stroke's V: its arms from 3 mm either side, 2 mm up, to its point at yv.
struct GeometrieV {
    int gauche = 0, milieu = 0, droite = 0, haut = 0, pointe = 0;
};
GeometrieV GeometrieVDe(double xm, double yv, double e)
{
    return {R((xm - 3) * e), R(xm * e), R((xm + 3) * e), R((yv - 2) * e), R(yv * e)};
}

// The V's amount over it: the arms rise 2 mm over 3, 0.6 mm over the point only, the outer
// digits of a wider amount sat on them. Its cell ends 0.3 mm over the arms where its outer
// columns cross them.
TZoneEncre CelluleValeurV(platform::Canevas& c, const TTemps& t, double xm, double yv, double e)
{
    c.SetFonte(PoliceImpr("FontValEff_Prt"));
    const platform::Dimension d = c.TextExtent(TexteValeurEffet(t.ValeurCoupVib));
    const double demiLargeur = std::min(d.cx / 2.0 / e, 3.0);
    const double bas = std::min(yv - 0.6, yv - demiLargeur * 2.0 / 3.0 - 0.3);
    const int gauche = R(xm * e - d.cx / 2.0);
    const int haut = R(bas * e - d.cy);
    return Zone(gauche, haut, gauche + d.cx, haut + d.cy);
}

// The areas of beat t's marks over the staff: a letter, or the V (its arms, then its narrower
// point, its pen's width round them) and its amount.
std::vector<TZoneEncre> ZonesMarques(platform::Canevas& c, const TTemps& t)
{
    std::vector<TZoneEncre> zones;
    const TZoneImpression& p = ParamImpCourant;
    const double e = EchelleImpr();
    const double xm = t.XImp + p.MargeGaucheLignes;
    const double yc = p.PosY - G.HauteurEffets;
    const std::string lettre = LettreEffetTemps(t.Effet);
    if (!lettre.empty()) {
        platform::StyleFonte fonte = PoliceImpr("FontValEff_Prt");
        if (t.Effet == 4)
            fonte.taille += 2;
        c.SetFonte(fonte);
        const platform::Dimension d = c.TextExtent(lettre);
        const int gauche = R(xm * e - d.cx / 2.0);
        const int haut = R(yc * e - c.TextHeight("T") / 2.0);
        zones.push_back(Zone(gauche, haut, gauche + d.cx, haut + d.cy));
    } else if (t.Effet == 3) {
        const GeometrieV v = GeometrieVDe(xm, yc + 1.0, e);
        const int stylo = std::max(PixImpr(G.EpaisseurCoupVib), 1);
        const int mi = (v.haut + v.pointe) / 2;
        const int demi = (v.droite - v.gauche) / 4;
        zones.push_back(Zone(v.gauche - stylo, v.haut - stylo, v.droite + stylo + 1, mi));
        zones.push_back(Zone(v.milieu - demi - stylo, mi, v.milieu + demi + stylo + 1, v.pointe + stylo + 1));
        zones.push_back(CelluleValeurV(c, t, xm, yc + 1.0, e));
    }
    return zones;
}

// The chord names and diagrams of the measure being printed.
std::vector<TZoneEncre> ZonesAuDessus(platform::Canevas& c);

// How far half a digit of the bend amounts is.
int DemiChiffre(platform::Canevas& c)
{
    c.SetFonte(PoliceImpr("FontEff_Prt"));
    return std::max(R(c.TextWidth("0") / 2.0), 1);
}

} // namespace

namespace {

// Print's measures of the beats of the measure being printed, in device pixels.
class GeometrieImpr final : public TGeometrieMarques {
public:
    // Without what stands higher, the marks take the places they would have under a line with
    // no chord names or diagrams: those rise over them (MonteeDessus).
    explicit GeometrieImpr(platform::Canevas& c, bool sansDessus = false) : c(c), sansDessus(sansDessus) {}

    int32_t NbTemps() override { return NbTempsImpr(ParamImpCourant.MesureEnCours); }
    int32_t NbCordes() override { return NbCordesImpr(); }
    bool AvecBend(int32_t b, int32_t s) override { return AvecBendImpr(*Temps(b), s); }
    TZoneEncre ValeurBend(int32_t b, int32_t s) override { return CelluleValeurBendImpr(c, b, s); }
    TZoneEncre TraceBend(int32_t b, int32_t s) override { return TraceBendImpr(c, b, s); }
    std::vector<TZoneEncre> Marques(int32_t b) override { return ZonesMarques(c, *Temps(b)); }

    std::optional<TZoneEncre> Frette(int32_t b, int32_t s) override
    {
        const TTemps& t = *Temps(b);
        const std::string frette = TexteFretteImpression(t, s);
        if (frette.empty())
            return std::nullopt;
        const double e = EchelleImpr();
        const double xm = t.XImp + ParamImpCourant.MargeGaucheLignes;
        const double y = YCordeImpr(s);
        c.SetFonte(PoliceImpr("FontNotes_Prt"));
        const platform::Dimension d = c.TextExtent(frette);
        return Zone(R((xm - G.MargeFrette) * e - d.cx / 2.0), R(y * e - d.cy / 2.0),
                    R((xm + G.MargeFrette) * e + d.cx / 2.0 + 1), R(y * e + d.cy / 2.0));
    }

    // Paper shows no mix-table change.
    std::optional<TZoneEncre> TableMix(int32_t) override { return std::nullopt; }

    std::vector<TZoneEncre> AuDessus() override { return sansDessus ? std::vector<TZoneEncre>{} : ZonesAuDessus(c); }
    double DemiChiffre() override { return ::DemiChiffre(c); }

    double FinPlace(int32_t b) override
    {
        const TZoneImpression& p = ParamImpCourant;
        const double e = EchelleImpr();
        if (b < NbTemps())
            return R((Temps(b + 1)->XImp + p.MargeGaucheLignes) * e);
        const TMesure* bloc = MesureImpr(p.MesureEnCours);
        return R((bloc->LargeurImp + bloc->EspaceDroiteImp - RetraitMarquesFinImpr(p.MesureEnCours) +
                  p.MargeGaucheLignes) *
                 e);
    }

    // As ImprimerCordes draws them.
    std::vector<TZoneEncre> Cordes() override
    {
        const TZoneImpression& p = ParamImpCourant;
        const double e = EchelleImpr();
        const TMesure* bloc = MesureImpr(p.MesureEnCours);
        const int fin = R((bloc->LargeurImp + bloc->EspaceDroiteImp + p.MargeGaucheLignes) * e + 1);
        const int epaisseur = R(e * G.EpaisseurCorde) + 1;
        std::vector<TZoneEncre> cordes;
        for (int32_t s = 1; s <= NbCordesImpr(); ++s) {
            const int y = R(YCordeImpr(s) * e);
            cordes.push_back(Zone(0, y, fin, y + epaisseur));
        }
        return cordes;
    }

    // The 0.2 mm a bend amount keeps over its line.
    double RangeeClaire() override { return std::max(R(0.2 * EchelleImpr()), 1); }

    // A printed line numbers its first measure only.
    std::optional<TZoneEncre> NumeroSuivant() override { return std::nullopt; }

    // A line moves down for its texts: the page is its only bound.
    double HautMin() override { return 0; }

private:
    platform::Canevas& c;
    bool sansDessus;
};

TPlaceMarquesImpr PlacerMarques(platform::Canevas& c, int32_t b)
{
    GeometrieImpr g(c);
    const TPlaceMarques p = PlacerMarquesTemps(g, b);
    TPlaceMarquesImpr place;
    for (std::size_t s = 1; s < p.GauchesValeurs.size(); ++s) {
        place.Gauches[s] = static_cast<int>(p.GauchesValeurs[s]);
        place.Montees[s] = static_cast<int>(p.MonteesValeurs[s]);
    }
    place.Montee = static_cast<int>(p.Montee);
    return place;
}

// Beat b's vibrato or tremolo-bar wave in device pixels: its row from the beat to 3 mm before
// the next one, its pen's width and a clear 0.2 mm over it included, and where it starts and
// how far it moves up, past or over the bends of the beat.
struct VagueImpr {
    TZoneEncre Rangee;
    TPlaceVague Place;
};

VagueImpr PlacerVagueImpr(GeometrieImpr& g, const TTemps& t, int32_t b)
{
    const TZoneImpression& p = ParamImpCourant;
    const double e = EchelleImpr();
    const double xm = t.XImp + p.MargeGaucheLignes;
    const double yc = p.PosY - G.HauteurEffets;
    const double xSuivant = b < NbTempsImpr(p.MesureEnCours) ? Temps(b + 1)->XImp : t.XImp + 8.0;
    const double pas = t.Effet == 1 ? G.PasVibrato : G.PasTremolo;
    const double epaisseur = t.Effet == 1 ? G.EpaisseurVibrato : G.EpaisseurTremolo;
    const int demiStylo = (std::max(PixImpr(epaisseur), 1) + 1) / 2;
    const int ecart = std::max(R(0.2 * e), 1);
    VagueImpr v;
    v.Rangee = Zone(R(xm * e), R((yc - pas / 2) * e) - demiStylo - ecart, R((xSuivant - 3 + p.MargeGaucheLignes) * e),
                    R((yc + pas / 2) * e) + demiStylo + 1);
    v.Place = PlacerVagueTemps(g, b, v.Rangee, 4 * pas * e, ecart);
    return v;
}

// What beat b of the measure being printed prints over the staff once its marks are placed,
// measured on c: its marks, its bends' amounts and its wave.
std::vector<TZoneEncre> ZonesMarquesPlaceesImpr(platform::Canevas& c, int32_t b, bool sansDessus = false)
{
    GeometrieImpr g(c, sansDessus);
    std::optional<std::pair<TZoneEncre, TPlaceVague>> vague;
    if (AvecVague(*Temps(b))) {
        const VagueImpr v = PlacerVagueImpr(g, *Temps(b), b);
        vague.emplace(v.Rangee, v.Place);
    }
    return ZonesMarquesPlacees(g, b, PlacerMarquesTemps(g, b), vague);
}

} // namespace

TPlaceMarquesImpr PlacerMarquesImpr(int32_t b)
{
    platform::Canevas* c = CanvasImpr;
    if (!c || !Temps(b))
        return {};
    // In a line, a beat's marks are placed once for its marks and all its bends.
    if (!ContexteImpr)
        return PlacerMarques(*c, b);
    TContexteImpr::TMarquesTemps& marques = ContexteImpr->MarquesTemps;
    const int32_t m = ParamImpCourant.MesureEnCours;
    if (marques.Mesure != m || marques.Temps != b)
        marques = {m, b, PlacerMarques(*c, b)};
    return marques.Place;
}

void ImprimerEffetsTemps(int32_t b)
{
    platform::Canevas* c = CanvasImpr;
    const TTemps* t = Temps(b);
    if (!c || !t)
        return;
    const TZoneImpression& p = ParamImpCourant;
    const double e = EchelleImpr();
    const double x = t->XImp;
    const double xm = x + p.MargeGaucheLignes;
    const int32_t n = NbCordesImpr();

    if (t->Brush == 1 || t->Brush == 2) {
        // 1.5 mm right of the widest number, measured in the font the numbers print in.
        c->SetFonte(PoliceImpr("FontNotes_Prt"));
        const int W = LargeurMaxFrettesImpression(*c, *t);
        StyloImpr(*c, 0.15);
        const int X = R((xm + 1.5) * e) + R(W / 2.0);
        const int yHaut = R((p.PosY + kEcartCordes / 3) * e);
        const int yBas = R((p.PosY - kEcartCordes / 3 + (n - 1) * kEcartCordes) * e);
        c->Ligne(X, yHaut, X, yBas);
        if (t->Brush == 1)
            Fleche(*c, e, true, X, yHaut);
        else
            Fleche(*c, e, false, X, yBas);
    }

    const double yc = p.PosY - G.HauteurEffets;
    const double xSuivant = b < NbTempsImpr(p.MesureEnCours) ? Temps(b + 1)->XImp : x + 8.0;
    platform::StyleFonte fonte = PoliceImpr("FontValEff_Prt");
    switch (t->Effet) {
    case 4:
    case 5:
    case 6:
    case 7:
    case 8:
    case 9: {
        const int montee = PlacerMarquesImpr(b).Montee;
        if (t->Effet == 4)
            fonte.taille += 2;
        c->SetFonte(fonte);
        c->SetLargeurStylo(1);
        FondTexteImpr(*c);
        const std::string lettre = LettreEffetTemps(t->Effet);
        const int w = c->TextWidth(lettre);
        const int hT = c->TextHeight("T");
        c->TextOut(R(xm * e - w / 2.0), R(yc * e - hT / 2.0) - montee, lettre);
        break;
    }
    case 1:
    case 2: {
        // Clear of the beat's bends.
        const double pas = t->Effet == 1 ? G.PasVibrato : G.PasTremolo;
        const double epaisseur = t->Effet == 1 ? G.EpaisseurVibrato : G.EpaisseurTremolo;
        GeometrieImpr g(*c);
        const auto [vague, place] = PlacerVagueImpr(g, *t, b);
        const double debut = x + (place.Debut - vague.Gauche) / e;
        const double ycVague = yc - place.Montee / e;
        Zigzag(*c, debut, xSuivant, ycVague, pas, epaisseur);
        break;
    }
    case 3: {
        const int montee = PlacerMarquesImpr(b).Montee;
        const GeometrieV v = GeometrieVDe(xm, yc + 1.0, e);
        StyloImpr(*c, G.EpaisseurCoupVib);
        c->MoveTo(v.gauche, v.haut - montee);
        c->LineTo(v.milieu, v.pointe - montee);
        c->LineTo(v.droite, v.haut - montee);
        const TZoneEncre cellule = Montee(CelluleValeurV(*c, *t, xm, yc + 1.0, e), montee);
        c->SetFonte(fonte);
        c->SetLargeurStylo(1);
        FondTexteImpr(*c);
        c->TextOut(static_cast<int>(cellule.Gauche), static_cast<int>(cellule.Haut), TexteValeurEffet(t->ValeurCoupVib));
        break;
    }
    default: break;
    }
}

void ImprimerAccord(int32_t b)
{
    platform::Canevas* c = CanvasImpr;
    const TTemps* t = Temps(b);
    if (!c || !t || !t->AvecAccord || !t->Accord)
        return;
    const TZoneImpression& p = ParamImpCourant;
    const TAccord& accord = *t->Accord;
    const double e = EchelleImpr();
    const double xm = t->XImp + p.MargeGaucheLignes;
    const bool diagramme = accord.AvecDiagramme();

    if (p.AffChordsName_Prt && (!diagramme || !p.AffDiag_Prt)) {
        // The name starts half a letter before the beat.
        c->SetFonte(PoliceImpr("FontAcc_Prt"));
        FondTexteImpr(*c);
        const int w = c->TextWidth("C");
        const std::string_view nom = accord.Nom.view();
        const int h = c->TextHeight(nom);
        const double yc = YNomAccordImpr();
        c->TextOut(R(xm * e - w / 2.0), R(yc * e - h / 2.0), nom);
        return;
    }
    if (p.AffDiag_Prt && diagramme)
        ImprimerDiagramme(accord, true, xm, YDiagrammeImpr());
}

namespace {

// Whether a beat of measures premiere..derniere of the printed track passes `test`.
template <class Test>
bool UnTempsImpr(int32_t premiere, int32_t derniere, Test test)
{
    const int32_t piste = PisteImpr();
    for (int32_t m = premiere; m <= derniere; ++m)
        if (const TMesure* bloc = MesureImpr(m))
            for (int32_t b = 1; b <= NbTempsImpr(m); ++b)
                if (test(bloc->Temps[piste][b]))
                    return true;
    return false;
}

// The texts of measures premiere..derniere placed at the current PosY, each beside its beat
// and within its measure, or else up over what it met (PlacementTextes.h); `ligne`, when
// given, tells what the line needs for those that went up.
std::vector<TextePlace> PlacerTextes(int32_t premiere, int32_t derniere, TTextesLigneImpr* ligne = nullptr)
{
    std::vector<TextePlace> places;
    platform::Canevas* c = CanvasImpr ? CanvasImpr : CanevasMesureImpr;
    if (!c)
        return places;
    const TZoneImpression& p = ParamImpCourant;
    const int32_t piste = PisteImpr();
    if (!UnTempsImpr(premiere, derniere, [](const TTemps& t) { return !t.Texte.empty(); }))
        return places;

    const double e = EchelleImpr();
    // What the line prints where its texts may go: its diagrams, its endings' brackets and its
    // beats' marks where they are placed. Each measure from its opening bar line to its closing
    // one, as ImprimerLigne prints them.
    std::vector<TZoneEncre> obstacles;
    std::vector<std::optional<double>> finsDiagramme; // by text
    std::vector<std::pair<double, double>> barres;    // by measure from premiere, print mm
    const double yDiagramme = YDiagrammeImpr();
    for (int32_t m = premiere; m <= derniere; ++m) {
        const TMesure* bloc = MesureImpr(m);
        const double xd = barres.empty() ? 0.0 : barres.back().second;
        if (!bloc) {
            barres.emplace_back(xd, xd);
            continue;
        }
        for (int32_t b = 1; b <= NbTempsImpr(m); ++b) {
            const TTemps& t = bloc->Temps[piste][b];
            std::optional<TZoneEncre> d;
            if (p.AffDiag_Prt && t.AvecAccord && t.Accord && t.Accord->AvecDiagramme())
                obstacles.push_back(*(d = ZoneDiagramme(*c, *t.Accord, true, t.XImp + p.MargeGaucheLignes, yDiagramme)));
            if (!t.Texte.empty()) {
                places.push_back({m, b, 0, 0});
                finsDiagramme.push_back(d ? std::optional<double>(d->Droite) : std::nullopt);
            }
        }
        if (bloc->Repetition) {
            const std::vector<TZoneEncre> fin = ZonesFinAlternative(*c, m, bloc->NumRepetition, premiere, derniere);
            obstacles.insert(obstacles.end(), fin.begin(), fin.end());
        }
        if (p.AffEff_Prt) {
            const int32_t enCours = std::exchange(ParamImpCourant.MesureEnCours, m);
            for (int32_t b = 1; b <= NbTempsImpr(m); ++b) {
                const std::vector<TZoneEncre> marques = ZonesMarquesPlaceesImpr(*c, b);
                obstacles.insert(obstacles.end(), marques.begin(), marques.end());
            }
            ParamImpCourant.MesureEnCours = enCours;
        }
        barres.emplace_back(xd, bloc->LargeurImp + bloc->EspaceDroiteImp);
    }
    c->SetFonte(PoliceImpr("FontTxt_Prt"));
    const platform::Dimension lettre = c->TextExtent("C");
    const int haut = R((p.PosY - G.DecalageTexte - p.EspTexte_Prt / 3.0) * e - lettre.cy / 2.0);
    // Half a millimetre from a diagram or a bar line, and from what a text goes up over.
    const int ecart = std::max(R(0.5 * e), 1);
    auto xTexte = [&](const TTemps& t) { return R((t.XImp + p.MargeGaucheLignes) * e - lettre.cx / 2.0); };
    std::vector<TTexteTemps> textes;
    std::vector<int> decalages; // from a text's cell to its ink
    textes.reserve(places.size());
    for (const TextePlace& place : places) {
        const TMesure& bloc = *MesureImpr(place.mesure);
        const TTemps& t = bloc.Temps[piste][place.temps];
        const platform::EncreTexte encre = c->TextInk(t.Texte.view());
        const int gauche = xTexte(t);
        const auto [debut, fin] = barres[static_cast<std::size_t>(place.mesure - premiere)];
        const double finMesure = R((fin + p.MargeGaucheLignes) * e) - ecart;
        const double suivant =
            place.temps < NbTempsImpr(place.mesure) ? xTexte(bloc.Temps[piste][place.temps + 1]) : finMesure;
        textes.push_back({{static_cast<double>(gauche + encre.gauche), static_cast<double>(haut),
                           static_cast<double>(gauche + encre.droite), static_cast<double>(haut + lettre.cy)},
                          static_cast<double>(R((debut + p.MargeGaucheLignes) * e) + ecart), finMesure, suivant,
                          finsDiagramme[textes.size()]});
        decalages.push_back(encre.gauche);
    }
    // A space of the texts' font between any two, as on screen; within the right margin.
    const TReglesTextesTemps regles{static_cast<double>(ecart), static_cast<double>(std::max(c->TextWidth(" "), 1)),
                                    static_cast<double>(ecart),
                                    static_cast<double>(R(LargeurPage - p.MargeDroiteLignes * e))};
    const std::vector<TPlaceTexteTemps> placees = PlacerTextesTemps(obstacles, textes, regles);

    // The line moves down by as much as its texts go up over everything it prints above its
    // staff.
    double dessus = haut;
    for (const TZoneEncre& o : obstacles)
        dessus = std::min(dessus, o.Haut);
    double plusHaut = haut;
    for (std::size_t i = 0; i < places.size(); ++i) {
        places[i].x = R(placees[i].Gauche) - decalages[i];
        places[i].y = R(placees[i].Haut);
        plusHaut = std::min(plusHaut, static_cast<double>(places[i].y));
    }
    if (ligne) {
        ligne->Croissance = std::max(dessus - plusHaut, 0.0) / e;
        ligne->Haut = plusHaut / e;
    }
    return places;
}

} // namespace

namespace {

std::vector<TZoneEncre> ZonesAuDessus(platform::Canevas& c)
{
    std::vector<TZoneEncre> zones;
    const TZoneImpression& p = ParamImpCourant;
    const double e = EchelleImpr();
    const int32_t m = p.MesureEnCours;
    for (int32_t b = 1; b <= NbTempsImpr(m); ++b) {
        const TTemps& t = *Temps(b);
        if (!t.AvecAccord || !t.Accord)
            continue;
        const double xm = t.XImp + p.MargeGaucheLignes;
        if (p.AffDiag_Prt && t.Accord->AvecDiagramme()) {
            zones.push_back(ZoneDiagramme(c, *t.Accord, true, xm, YDiagrammeImpr()));
        } else if (p.AffChordsName_Prt) {
            // As ImprimerAccord prints it.
            c.SetFonte(PoliceImpr("FontAcc_Prt"));
            const std::string_view nom = t.Accord->Nom.view();
            const platform::Dimension d = c.TextExtent(nom);
            const double yc = YNomAccordImpr();
            const int gauche = R(xm * e - c.TextWidth("C") / 2.0);
            const int haut = R(yc * e - d.cy / 2.0);
            zones.push_back(Zone(gauche, haut, gauche + d.cx, haut + d.cy));
        }
    }
    return zones;
}

} // namespace

TContexteImpr* ContexteImpr = nullptr;

double MonteeDessusImpr() { return ContexteImpr ? ContexteImpr->MonteeDessus : 0.0; }

double YDiagrammeImpr()
{
    const TZoneImpression& p = ParamImpCourant;
    return p.PosY - G.DecalageDiagramme - p.EspDiagAc_Prt / 3.0 - MonteeDessusImpr();
}

double YNomAccordImpr()
{
    const TZoneImpression& p = ParamImpCourant;
    return p.PosY - G.DecalageNomAccord - p.EspNomAc_Prt / 3.0 - MonteeDessusImpr();
}

double MesurerMonteeDessusImpr(int32_t premiere, int32_t derniere)
{
    TZoneImpression& p = ParamImpCourant;
    platform::Canevas* c = CanvasImpr ? CanvasImpr : CanevasMesureImpr;
    const double e = EchelleImpr();
    if (!c || e <= 0 || !p.AffEff_Prt || !(p.AffDiag_Prt || p.AffChordsName_Prt))
        return 0;
    if (!UnTempsImpr(premiere, derniere, [](const TTemps& t) { return t.AvecAccord && t.Accord; }))
        return 0;
    // The marks placed as though nothing stood over them, what stands there where it stands
    // before it rises.
    TContexteImpr* contexte = std::exchange(ContexteImpr, nullptr);
    const int32_t enCours = p.MesureEnCours;
    std::vector<TZoneEncre> marques, dessus;
    GeometrieImpr g(*c, true);
    for (int32_t m = premiere; m <= derniere; ++m) {
        if (!MesureImpr(m))
            continue;
        p.MesureEnCours = m;
        const std::vector<TZoneEncre> d = ZonesAuDessus(*c);
        dessus.insert(dessus.end(), d.begin(), d.end());
    }
    // A beat's marks reach from its V's arms and letters, 3 mm either side of it, to the next
    // beat, or on the last beat to its bar and its wave's end, 8 mm past it.
    const double marge = 4 * e;
    for (int32_t m = premiere; m <= derniere; ++m) {
        const TMesure* bloc = MesureImpr(m);
        if (!bloc)
            continue;
        p.MesureEnCours = m;
        for (int32_t b = 1; b <= NbTempsImpr(m); ++b) {
            const double x = Temps(b)->XImp;
            const double suivant = b < NbTempsImpr(m) ? Temps(b + 1)->XImp
                                                      : std::max(bloc->LargeurImp + bloc->EspaceDroiteImp, x + 8);
            if (!SousDessus((x + p.MargeGaucheLignes) * e - marge, (suivant + p.MargeGaucheLignes) * e + marge, dessus))
                continue;
            const std::vector<TZoneEncre> z = ZonesMarquesPlaceesImpr(*c, b, true);
            marques.insert(marques.end(), z.begin(), z.end());
            const std::vector<TZoneEncre> traces = TracesBends(g, b);
            marques.insert(marques.end(), traces.begin(), traces.end());
        }
    }
    p.MesureEnCours = enCours;
    ContexteImpr = contexte;
    return std::ceil(MonteeDessus(marques, dessus, g.RangeeClaire())) / e;
}

TTextesLigneImpr PlacerTextesLigne(int32_t premiere, int32_t derniere)
{
    TTextesLigneImpr ligne;
    if (ContexteImpr)
        ContexteImpr->Textes = {premiere, derniere, PlacerTextes(premiere, derniere, &ligne)};
    return ligne;
}

void ImprimerTexteTemps(int32_t b)
{
    platform::Canevas* c = CanvasImpr;
    const TTemps* t = Temps(b);
    if (!c || !t || t->Texte.empty())
        return;
    const TZoneImpression& p = ParamImpCourant;
    const int32_t m = p.MesureEnCours;
    // Printed outside a line, a measure is placed on its own.
    std::vector<TextePlace> seule;
    const TextesLigne* textesLigne = ContexteImpr ? &ContexteImpr->Textes : nullptr;
    const std::vector<TextePlace>& places = textesLigne && m >= textesLigne->premiere && m <= textesLigne->derniere
                                                ? textesLigne->places
                                                : (seule = PlacerTextes(m, m));
    const auto place = std::find_if(places.begin(), places.end(),
                                    [&](const TextePlace& tp) { return tp.mesure == m && tp.temps == b; });
    if (place == places.end())
        return;
    c->SetFonte(PoliceImpr("FontTxt_Prt"));
    FondTexteImpr(*c);
    c->TextOut(place->x, place->y, t->Texte.view());
}

#include "editor/Disposition.h"

#include "document/Configuration.h"
#include "document/Variable.h"
#include "editor/Chords_u.h"
#include "editor/Ecran.h"
#include "editor/EcranNotes.h"
#include "editor/Scrolling.h"
#include "platform/Arrondi.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <span>
#include <utility>
#include <vector>

namespace {

using platform::Round;

int32_t Arrondi32(double x) { return static_cast<int32_t>(Round(x)); }

// Minimum widths by duration, before the spacing factor: (ticks, factor).
struct Minimum {
    int32_t ticks;
    int facteur;
};
constexpr Minimum kMinimums[] = {
    {30, 18}, {45, 18}, {60, 18}, {90, 18}, {120, 18}, {180, 18}, // 64th .. dotted 16th
    {160, 22}, {240, 22}, {360, 22},                               // triplet 8th .. dotted 8th
    {320, 26}, {480, 26}, {720, 26},                               // triplet quarter .. dotted quarter
    {640, 30}, {960, 30},                                          // triplet half, half
    {1280, 34}, {1440, 34},                                        // triplet whole, dotted half
    {1920, 37},                                                    // whole
};

// The spacing factor of the note-spacing setting (0..10 as the preferences offer it): 1 at the
// default 5, squared above 1. A hand-edited value outside the range is taken at its nearest
// bound, where an unbounded square would overflow every width.
double FacteurEspacement(int32_t coefEspAff)
{
    const double f = std::clamp(coefEspAff, 0, 10) / 10.0 + 0.5;
    return f > 1 ? f * f : f;
}

TMesure* Bloc(int32_t m)
{
    if (m < 1 || m > kNbMesuresMax)
        return nullptr;
    return Partition.Mesures[m].get();
}

int32_t NbTempsPiste(const TMesure& mesure)
{
    return std::clamp(mesure.NbTemps[PisteCourante], 0, kNbTempsMax);
}

// Across, the ink of the chord diagram the score shows over a beat, from the beat's x; none
// for a beat that shows no diagram.
std::optional<TEtendueDiagramme> EtendueDiagrammeTemps(const TTemps& temps, platform::Canevas* c)
{
    const TParamEcran& p = ParamEcranCourant;
    if (!p.AffDiag || !temps.AvecAccord || !temps.Accord || !temps.Accord->AvecDiagramme())
        return std::nullopt;
    const TEtendueDiagramme e = EtendueDiagramme(p.TypeDiag, *temps.Accord, true, c);
    const int decalage = DecalageDiagrammeTemps(p.TypeDiag);
    return TEtendueDiagramme{e.Gauche - decalage, e.Droite - decalage};
}

// Between the ink of two diagrams: a string gap of theirs.
int32_t EcartDiagrammes() { return PasGrilleDiagramme(ParamEcranCourant.TypeDiag); }

// The canvas the layout measures on, and the score painter's sizes and fonts on it, taken at
// the first measure that measures frets.
class Mesureur {
public:
    explicit Mesureur(platform::Canevas* canevas) : canevas(canevas) {}
    platform::Canevas* const canevas;
    TContexteEcran& Contexte()
    {
        if (!contexte_)
            contexte_.emplace(ContexteEcran(*canevas, 0));
        return *contexte_;
    }

private:
    std::optional<TContexteEcran> contexte_;
};

// EspacerMesure, which also gives the measure's diagrams at its ends. The canvas measures
// their names, the ending's number, and the frets, grace notes and bends.
TBordsDiagrammes Espacer(int32_t m, Mesureur& mesureur);

} // namespace

void CalculerLargeursTemps()
{
    TParamEcran& p = ParamEcranCourant;
    const double f = FacteurEspacement(p.CoefEspAff);

    p.LargeursDuree.fill(0);
    for (const Minimum& m : kMinimums)
        p.LargeursDuree[m.ticks / 5] = Round(m.facteur * f);
    p.LargeurBase = Arrondi32(19 * f);
    p.LargeurSupMesure = Arrondi32(18 * f);

    const bool large = p.EspLignes >= 9;
    p.EspacePremiereMesure = large ? 8 : 5;
    p.EspaceRenvoiDebut = large ? 13 : 9;
    p.EspaceSignature = large ? 13 : 10;
    p.EspaceDerniereMesure = large ? 8 : 5;
    p.EspaceRenvoiFin = large ? 13 : 9;

    p.EcartCroches = p.EpCroches + 1;
    p.DecalageSignature = large ? 6 : 4;
    AffichagePartition.CouleurSelection = platform::Couleur::DeValeur(p.ColSelect);
}

int64_t LargeurMinimaleDuree(int32_t duree)
{
    if (duree <= 0)
        return 0;
    const int64_t indice = Round(duree / 5.0);
    if (indice > IndiceMaxLargeursDuree)
        return 0;
    return ParamEcranCourant.LargeursDuree[static_cast<std::size_t>(indice)];
}

void EspacerMesure(int32_t m)
{
    Mesureur mesureur(SurfacePartition().CanevasMesure());
    Espacer(m, mesureur);
}

TBordsDiagrammes EcarterDiagrammes(std::span<double> x, std::span<const TDiagrammeMesure> diagrammes, double ecart)
{
    if (diagrammes.empty())
        return {};
    for (std::size_t i = 1; i < diagrammes.size(); ++i) {
        const auto a = static_cast<std::size_t>(diagrammes[i - 1].Temps);
        const auto b = static_cast<std::size_t>(diagrammes[i].Temps);
        const double distance = x[b] - x[a];
        const double place = diagrammes[i - 1].Droite + ecart - diagrammes[i].Gauche;
        if (distance >= place)
            continue;
        // Beats at one place (only a damaged file holds a beat without length) stay together.
        const double k = distance > 0 ? place / distance : 0;
        for (std::size_t t = a + 1; t < b; ++t)
            x[t] = x[a] + (x[t] - x[a]) * k;
        for (std::size_t t = b; t < x.size(); ++t)
            x[t] += place - distance;
    }
    return {x[static_cast<std::size_t>(diagrammes.front().Temps)] + diagrammes.front().Gauche,
            x[static_cast<std::size_t>(diagrammes.back().Temps)] + diagrammes.back().Droite};
}

TNotesMesure NotesMesure(const TTempsPiste& temps, int32_t n, int32_t nbCordes, bool effets)
{
    // One pass over the beats, whose notes lie far apart in memory.
    TNotesMesure notes;
    for (int32_t b = 1; b <= n && !(notes.Frettes && notes.GracesOuBends); ++b) {
        const TTemps& t = temps[b];
        const bool visible = !t.Silence && !t.Lie; // as NoteVisible
        for (int32_t s = 1; s <= nbCordes; ++s) {
            const TNoteCorde& note = t.Notes[s];
            notes.Frettes |= visible && note.Frette >= 0;
            notes.GracesOuBends |= note.FretteGrace >= 0 || (effets && (note.Effet == 5 || note.Effet == 6));
        }
    }
    return notes;
}

double EcarterGraces(std::span<double> x, int32_t nbCordes, const TMesureGrace& place, const TMesureGrace& debut,
                     double premier)
{
    double manqueAvant = 0;
    for (std::size_t b = 1; b + 1 < x.size(); ++b) {
        const auto t = static_cast<int32_t>(b);
        double manque = 0;
        for (int32_t s = 1; s <= nbCordes; ++s) {
            const std::optional<double> p = place(t, s);
            if (!p)
                continue;
            if (b == 1)
                manqueAvant = std::max(manqueAvant, *p - premier);
            else if (const std::optional<double> d = debut(t - 1, s))
                manque = std::max(manque, *d + *p - (x[b] - x[b - 1]));
        }
        if (manque > 0)
            for (std::size_t k = b; k < x.size(); ++k)
                x[k] += manque;
    }
    return manqueAvant;
}

void EcarterFrettes(std::span<double> x, const TEncreMesure& encre, double ecart)
{
    if (x.size() < 3)
        return;
    TEncreTemps avant, temps;
    encre(1, avant);
    for (std::size_t b = 2; b + 1 < x.size(); ++b) {
        encre(static_cast<int32_t>(b), temps);
        double place = 0;
        if (!temps.Frettes.empty()) {
            double gauche = temps.Frettes.front().Gauche;
            for (const TZoneEncre& f : temps.Frettes)
                gauche = std::min(gauche, f.Gauche);
            for (const TZoneEncre& f : avant.Frettes)
                place = std::max(place, f.Droite + ecart - gauche);
            for (const TZoneEncre& bend : avant.Bends)
                for (const TZoneEncre& f : temps.Frettes)
                    if (bend.Haut < f.Bas && f.Haut < bend.Bas)
                        place = std::max(place, bend.Droite + ecart - f.Gauche);
        }
        const double manque = place - (x[b] - x[b - 1]);
        if (manque > 0)
            for (std::size_t k = b; k < x.size(); ++k)
                x[k] += manque;
        std::swap(avant, temps);
    }
}

double EcarterSignature(double x, double fin, double ecart, const TEncreTemps& encre, int32_t nbCordes,
                        const TMesureGrace& place)
{
    std::optional<double> gauche;
    for (const TZoneEncre& f : encre.Frettes)
        gauche = std::min(gauche.value_or(0), f.Gauche);
    for (int32_t s = 1; s <= nbCordes; ++s)
        if (const std::optional<double> g = place(1, s))
            gauche = std::min(gauche.value_or(0), -*g);
    return gauche ? std::max(fin + ecart - (x + *gauche), 0.0) : 0;
}

namespace {

TBordsDiagrammes Espacer(int32_t m, Mesureur& mesureur)
{
    platform::Canevas* canevas = mesureur.canevas;
    TMesure* mesure = Bloc(m);
    if (!mesure)
        return {};
    const TParamEcran& p = ParamEcranCourant;
    auto& temps = mesure->Temps[PisteCourante];
    const int32_t n = NbTempsPiste(*mesure);

    int32_t lmax = 0;
    for (int32_t b = 1; b <= n; ++b)
        lmax = std::max(lmax, temps[b].Duree);

    // A rhythm proportion of 0 or less (a corrupt settings file) would make every shorter beat
    // infinitely wide; such a value spaces all beats alike instead.
    const double coef = p.CoefPImp > 0 ? p.CoefPImp : 1.0;
    double x = 0.0;
    for (int32_t b = 1; b <= n; ++b) {
        temps[b].XEcran = Arrondi32(x);
        // A beat without a positive length (only a corrupt file holds one) takes no room.
        if (temps[b].Duree > 0)
            x += p.LargeurBase * std::pow(coef, -std::log2(static_cast<double>(lmax) / temps[b].Duree));
    }
    mesure->Largeur = Arrondi32(x);

    // Stretch the measure until its most cramped beat has its minimum width. Gaps are
    // differences of rounded positions and can be 0 (a long note among sixty-fourths at a
    // high proportion): such a gap counts as one pixel rather than dividing by zero.
    double c = 1.0;
    for (int32_t b = 1; b <= n; ++b) {
        const int32_t suivant = b < n ? temps[b + 1].XEcran : mesure->Largeur;
        const int32_t ecart = std::max(suivant - temps[b].XEcran, 1);
        const double r = static_cast<double>(LargeurMinimaleDuree(temps[b].Duree)) / ecart;
        if (r > c)
            c = r;
    }
    if (c > 1) {
        for (int32_t b = 2; b <= n; ++b)
            temps[b].XEcran = Arrondi32(temps[b].XEcran * c);
        mesure->Largeur = Arrondi32(mesure->Largeur * c);
    }

    // Each pass below moves the beats' x and the measure's width from where the one before
    // left them, in whole pixels.
    std::vector<double> positions;
    auto ecarter = [&](auto&& deplacer) {
        positions.assign(static_cast<std::size_t>(n) + 2, 0);
        for (int32_t b = 1; b <= n; ++b)
            positions[static_cast<std::size_t>(b)] = temps[b].XEcran;
        positions.back() = mesure->Largeur;
        deplacer();
        for (int32_t b = 1; b <= n; ++b)
            temps[b].XEcran = Arrondi32(positions[static_cast<std::size_t>(b)]);
        mesure->Largeur = Arrondi32(positions.back());
    };

    // A grace note is wider than the room the minimum of a short beat leaves it between the
    // frets, or after the bar.
    const int32_t nbCordes = std::clamp<int32_t>(Partition.NbCordes[PisteCourante], 1, kNbCordesMax);
    const TNotesMesure notes = canevas ? NotesMesure(temps, n, nbCordes, p.AffEff) : TNotesMesure{};
    const bool gracesOuBends = notes.GracesOuBends;
    TContexteEcran* ctx = notes.Frettes || gracesOuBends ? &mesureur.Contexte() : nullptr;
    auto entier = [](std::optional<int32_t> v) { return v ? std::optional<double>(*v) : std::nullopt; };
    auto placeGrace = [&](int32_t b, int32_t s) { return entier(PlaceGrace(*ctx, temps[b], s)); };
    int32_t graceAvant = 0;
    if (gracesOuBends) {
        ecarter([&] {
            graceAvant = static_cast<int32_t>(EcarterGraces(
                positions, ctx->NbCordes, placeGrace,
                [&](int32_t b, int32_t s) { return entier(DebutPlaceGrace(*ctx, temps[b], s)); },
                DebutPlaceGracePremierTemps(p)));
        });
    }

    // Two-digit frets are wider than the minimum of a short beat, and a bend reaches further.
    if (ctx) {
        ecarter([&] {
            EcarterFrettes(
                positions, [&](int32_t b, TEncreTemps& encre) { EncreTemps(*ctx, temps[b], encre); }, kEcartFrettes);
        });
    }

    // A diagram is wider than the minimum of a short beat.
    std::vector<TDiagrammeMesure> diagrammes;
    for (int32_t b = 1; b <= n; ++b)
        if (const std::optional<TEtendueDiagramme> e = EtendueDiagrammeTemps(temps[b], canevas))
            diagrammes.push_back({b, static_cast<double>(e->Gauche), static_cast<double>(e->Droite)});
    const int32_t ecart = EcartDiagrammes();
    TBordsDiagrammes bords;
    if (!diagrammes.empty()) {
        ecarter([&] {
            bords = EcarterDiagrammes(positions, diagrammes, ecart);
        });
    }

    mesure->EspaceGauche = 0;
    mesure->EspaceDroite = 0;
    if (m == 1)
        mesure->EspaceGauche = p.EspacePremiereMesure;
    if (mesure->RenvoiDebut)
        mesure->EspaceGauche = p.EspaceRenvoiDebut;
    const TMesure* precedente = Bloc(m - 1);
    const bool signature = m == 1 || (precedente && (mesure->Numerateur != precedente->Numerateur ||
                                                     mesure->Denominateur != precedente->Denominateur));
    if (signature)
        mesure->EspaceGauche += p.EspaceSignature;
    if (m == Partition.NbMesures)
        mesure->EspaceDroite = p.EspaceDerniereMesure;
    if (mesure->RenvoiFin)
        mesure->EspaceDroite = p.EspaceRenvoiFin;
    mesure->EspaceGauche += graceAvant;

    if (ctx && signature && n >= 1) {
        TEncreTemps premier;
        EncreTemps(*ctx, temps[1], premier);
        // The ink is in whole pixels: so is the room.
        mesure->EspaceGauche += static_cast<int32_t>(
            EcarterSignature(p.LargeurSupMesure + mesure->EspaceGauche + temps[1].XEcran,
                             DroiteSignature(*ctx, m, mesure->Numerateur, mesure->Denominateur), kEcartFrettes,
                             premier, gracesOuBends ? ctx->NbCordes : 0, placeGrace));
    }

    // Bends reach right of their beats, the last ones past the measure's end, and so may the
    // last beat's frets.
    if (ctx) {
        std::optional<int32_t> droite;
        TEncreTemps encre;
        for (int32_t b = gracesOuBends ? 1 : n; b <= n; ++b) {
            EncreTemps(*ctx, temps[b], encre);
            for (const TZoneEncre& z : encre.Bends)
                droite = std::max(droite.value_or(0), temps[b].XEcran + static_cast<int32_t>(z.Droite));
            if (b == n)
                for (const TZoneEncre& f : encre.Frettes)
                    droite = std::max(droite.value_or(0), temps[n].XEcran + static_cast<int32_t>(f.Droite));
        }
        const int32_t fin = mesure->Largeur + mesure->EspaceDroite - RetraitMarquesFin(*ctx, m);
        if (droite && *droite > fin)
            mesure->EspaceDroite += *droite - fin;
    }

    // An ending's hook and number stand at the measure's start, as high as the diagrams: the
    // first diagram keeps clear of them.
    if (mesure->Repetition && bords.Gauche) {
        const int32_t fin = canevas ? FinNumeroFinAlternative(*canevas, m, mesure->NumRepetition) : 0;
        const int32_t gauche = p.LargeurSupMesure + mesure->EspaceGauche + Arrondi32(*bords.Gauche);
        mesure->EspaceGauche += std::max(fin + ecart - gauche, 0);
    }
    return bords;
}

} // namespace

int32_t YPorteeLigne()
{
    const TParamEcran& p = ParamEcranCourant;
    return p.EspPortees - 30 - 4 * p.EpCroches + LignesAffichage.RangeeTextes;
}

void CouperLignes()
{
    const TParamEcran& p = ParamEcranCourant;
    TLignesAffichage& la = LignesAffichage;
    la.PremiereMesure.Vider();
    la.DerniereMesure.Vider();
    la.NbLignes = 0;
    // A panel narrower than its margins still gets lines one pixel wide, so that justifying
    // never runs beats backwards.
    const int32_t dispo = std::max(la.LargeurDispo - p.MargeGaucheLignes - p.MargeDroiteLignes, 1);
    const int32_t nbMesures = std::clamp(Partition.NbMesures, 0, kNbMesuresMax);
    const int32_t yPortee = YPorteeLigne();

    auto largeur = [](int32_t k) { return Bloc(k) ? Bloc(k)->Largeur : 0; };
    auto espaces = [&p](int32_t k) {
        const TMesure* b = Bloc(k);
        return b ? p.LargeurSupMesure + b->EspaceGauche + b->EspaceDroite : p.LargeurSupMesure;
    };

    Mesureur mesureur(SurfacePartition().CanevasMesure());
    const int32_t ecart = EcartDiagrammes();
    int32_t m = 1;
    while (m <= nbMesures) {
        ++la.NbLignes;
        int64_t w = 0;
        int64_t o = 0;
        // Where the ink of the line's last diagram so far ends, before justifying (which only
        // widens the line): a measure's first diagram keeps its room after it across the bar.
        std::optional<double> droiteDiagrammes;
        auto ajouter = [&](int32_t k) {
            const TBordsDiagrammes bords = Espacer(k, mesureur);
            if (TMesure* b = Bloc(k)) {
                auto debut = [&] { return static_cast<double>(w + o + p.LargeurSupMesure + b->EspaceGauche); };
                if (bords.Gauche && droiteDiagrammes)
                    b->EspaceGauche += Arrondi32(std::max(*droiteDiagrammes + ecart - (debut() + *bords.Gauche), 0.0));
                if (bords.Droite)
                    droiteDiagrammes = debut() + *bords.Droite;
            }
            w += largeur(k);
            o += espaces(k);
        };
        ajouter(m);
        int32_t j = m;
        do {
            ++j;
            if (j <= nbMesures)
                ajouter(j);
        } while (!(j >= nbMesures || w + o > dispo));
        if (j > nbMesures)
            j = nbMesures;
        if (w + o > dispo && j > m) {
            w -= largeur(j);
            o -= espaces(j);
            --j;
        }
        if (w == 0)
            w = 50;

        const double q = static_cast<double>(dispo) / static_cast<double>(o + w);
        if (!(j == nbMesures && q > 4.0 / 3.0)) {
            // Measures whose extra spaces alone overflow the line are not run backwards.
            const double s = std::max(static_cast<double>(dispo - o) / static_cast<double>(w), 0.0);
            for (int32_t k = m; k <= j; ++k) {
                TMesure* b = Bloc(k);
                if (!b)
                    continue;
                auto& temps = b->Temps[PisteCourante];
                for (int32_t t = 1, n = NbTempsPiste(*b); t <= n; ++t)
                    temps[t].XEcran = Arrondi32(temps[t].XEcran * s);
                b->Largeur = Arrondi32(b->Largeur * s);
            }
        }

        la.PremiereMesure.Definir(la.NbLignes, m);
        la.DerniereMesure.Definir(la.NbLignes, j);

        // Positions on the line. The bars and the staff's y are set here for every measure,
        // not only for the lines painted, so that the frame and the mouse can use any measure.
        int32_t x = 0;
        for (int32_t k = m; k <= j; ++k) {
            TMesure* b = Bloc(k);
            if (!b)
                continue;
            b->Ligne = la.NbLignes;
            const int32_t decalage = x + p.LargeurSupMesure + b->EspaceGauche;
            auto& temps = b->Temps[PisteCourante];
            for (int32_t t = 1, n = NbTempsPiste(*b); t <= n; ++t)
                temps[t].XEcran += decalage;
            b->Largeur += decalage;
            b->XGauche = p.MargeGaucheLignes + x;
            x = b->Largeur + b->EspaceDroite;
            b->XDroite = p.MargeGaucheLignes + x;
            b->Y = yPortee;
        }
        m = j + 1;
    }
    AjusterDefilement();
}

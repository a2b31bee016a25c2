#include "editor/PlacementMarques.h"

#include <algorithm>
#include <limits>
#include <optional>

namespace {

bool CroiseUne(const TZoneEncre& zone, std::span<const TZoneEncre> zones)
{
    return std::ranges::any_of(zones, [&](const TZoneEncre& z) { return z.Croise(zone); });
}

TZoneEncre Montee(TZoneEncre zone, double montee)
{
    zone.Haut -= montee;
    zone.Bas -= montee;
    return zone;
}

// An area moved right or up is measured by how far it moved from where it was drawn, and each
// test of a meeting compares that distance with the bound the obstacle sets: raised by r, `z`
// meets `o` while r < z.Bas - o.Haut; moved to start at g, while g < o.Droite. Moving it past
// `o` sets r or g to that very bound plus the room it keeps, so that in floating point too it
// then stands clear of `o` rather than an ulp inside it. Each step thus goes further than the
// last, to one of as many bounds as there are pairs of an area and an obstacle: every loop of
// moves ends, with whole or fractional units alike.

bool CroiseMontee(const TZoneEncre& z, double montee, const TZoneEncre& o)
{
    return z.Gauche < o.Droite && o.Gauche < z.Droite && z.Haut - o.Bas < montee && montee < z.Bas - o.Haut;
}

// The least rise from `depuis` on that takes each of `zones` over every one of `obstacles` it
// would meet on the way, `ecart` over it (a negative room would let a step go back).
double MonteeLibre(std::span<const TZoneEncre> zones, double depuis, std::span<const TZoneEncre> obstacles,
                   double ecart)
{
    ecart = std::max(ecart, 0.0);
    double montee = depuis;
    for (bool encore = true; encore;) {
        encore = false;
        for (const TZoneEncre& z : zones) {
            for (const TZoneEncre& o : obstacles) {
                if (CroiseMontee(z, montee, o)) {
                    montee = z.Bas - o.Haut + ecart;
                    encore = true;
                }
            }
        }
    }
    return montee;
}

// `zone` moved to start at `gauche`.
TZoneEncre Decalee(TZoneEncre zone, double gauche)
{
    zone.Droite = gauche + (zone.Droite - zone.Gauche);
    zone.Gauche = gauche;
    return zone;
}

// Where `zone` starts once moved right past every one of `obstacles` it would meet, `ecart` past
// it; none when it would then end past finPlace.
std::optional<double> GaucheLibre(const TZoneEncre& zone, std::span<const TZoneEncre> obstacles, double ecart,
                                  double finPlace)
{
    ecart = std::max(ecart, 0.0);
    double gauche = zone.Gauche;
    for (bool encore = true; encore && Decalee(zone, gauche).Droite <= finPlace;) {
        encore = false;
        for (const TZoneEncre& o : obstacles) {
            if (Decalee(zone, gauche).Croise(o)) {
                gauche = o.Droite + ecart;
                encore = true;
            }
        }
    }
    if (!(Decalee(zone, gauche).Droite <= finPlace))
        return std::nullopt;
    return gauche;
}

// The rise that takes `marques`, raised by `depuis`, together over the highest of `dessous` they
// meet, and then over any other of `dessous` they would meet on the way: the marks move up as
// one, the lowest over that amount. None when they meet none.
std::optional<double> MonteeMarques(std::span<const TZoneEncre> marques, double depuis,
                                    std::span<const TZoneEncre> dessous)
{
    std::optional<double> haut;
    for (const TZoneEncre& d : dessous)
        if (std::ranges::any_of(marques, [&](const TZoneEncre& m) { return CroiseMontee(m, depuis, d); }))
            haut = std::min(haut.value_or(d.Haut), d.Haut);
    if (!haut)
        return std::nullopt;
    double bas = -std::numeric_limits<double>::max();
    for (const TZoneEncre& m : marques)
        bas = std::max(bas, m.Bas);
    return MonteeLibre(marques, std::max(depuis, bas - *haut), dessous, 0);
}

// Whether areas raised by montee stand clear of `dessous`, of what stays in its place and of
// what stands higher, within the picture.
bool MonteePossible(std::span<const TZoneEncre> montantes, double montee, std::span<const TZoneEncre> dessous,
                    const TObstaclesMarques& o)
{
    return std::ranges::none_of(montantes, [&](const TZoneEncre& z) {
        const auto croise = [&](std::span<const TZoneEncre> zones) {
            return std::ranges::any_of(zones, [&](const TZoneEncre& y) { return CroiseMontee(z, montee, y); });
        };
        return z.Haut - montee < o.HautMin || croise(dessous) || croise(o.Fixes) || croise(o.Dessus);
    });
}

} // namespace

TPlaceValeurs PlacerValeursBend(std::span<const TZoneEncre> marques, std::span<const TZoneEncre> valeurs,
                                const TObstaclesMarques& o)
{
    TPlaceValeurs place;
    for (const TZoneEncre& v : valeurs)
        place.Gauches.push_back(v.Gauche);
    std::vector<TZoneEncre> obstacles(marques.begin(), marques.end());
    obstacles.insert(obstacles.end(), o.Fixes.begin(), o.Fixes.end());
    const TReglesPlacementTextes regles{o.Ecart, o.Ecart, o.FinPlace};
    bool toutes = true;
    std::vector<double> passees = place.Gauches;
    for (std::size_t i = 0; i < valeurs.size(); ++i) {
        if (!CroiseUne(valeurs[i], marques))
            continue;
        const TPlaceTexte passee = PlacerTextesRangee(obstacles, valeurs.subspan(i, 1), regles)[0];
        passees[i] = passee.Gauche;
        toutes = toutes && !passee.EnPlace;
    }
    if (toutes) {
        place.Gauches = passees;
        return place;
    }
    const double montee = MonteeMarques(marques, 0, valeurs).value_or(0);
    if (MonteePossible(marques, montee, valeurs, o)) {
        place.Montee = montee;
        return place;
    }
    place.Gauches = passees;
    return place;
}

TPlaceVague PlacerVague(const TZoneEncre& vague, double longueurMin, std::span<const TZoneEncre> bends,
                        const TObstaclesMarques& o)
{
    TPlaceVague place{vague.Gauche, 0, vague.Droite};
    double apres = vague.Gauche;
    bool croise = false;
    for (const TZoneEncre& z : bends) {
        if (z.Croise(vague)) {
            croise = true;
            apres = std::max(apres, z.Droite + o.Ecart);
        }
    }
    if (!croise)
        return place;
    if (vague.Droite - apres >= longueurMin) {
        place.Debut = apres;
        return place;
    }
    // Over the bends it would then meet too: an amount gone over another bend's arrow.
    const double montee = MonteeLibre(std::span(&vague, 1), 0, bends, 0);
    if (MonteePossible(std::span(&vague, 1), montee, bends, o))
        place.Montee = montee;
    return place;
}

bool SeCroisent(std::span<const TZoneEncre> a, std::span<const TZoneEncre> b)
{
    return std::ranges::any_of(a, [&](const TZoneEncre& z) {
        return std::ranges::any_of(b, [&](const TZoneEncre& y) { return z.Croise(y); });
    });
}

namespace {

// What stays where it is beside beat b's marks and amounts: up to the next beat (where an
// amount moves no further) its marks, amounts and frets, half a digit short of them, since an
// amount meeting the next one would read as one number, or after the last beat the next
// measure's number; and the beat's mix-table mark.
TObstaclesMarques ObstaclesMarques(TGeometrieMarques& g, int32_t b, std::vector<TZoneEncre>& fixes,
                                   std::vector<TZoneEncre>& dessus)
{
    const double demi = g.DemiChiffre();
    if (b < g.NbTemps()) {
        fixes = g.Marques(b + 1);
        for (int32_t s = 1; s <= g.NbCordes(); ++s) {
            if (g.AvecBend(b + 1, s))
                fixes.push_back(g.ValeurBend(b + 1, s));
            if (const std::optional<TZoneEncre> frette = g.Frette(b + 1, s))
                fixes.push_back(*frette);
        }
    } else if (const std::optional<TZoneEncre> numero = g.NumeroSuivant()) {
        fixes.push_back(*numero);
    }
    for (TZoneEncre& z : fixes)
        z.Gauche -= demi;
    if (const std::optional<TZoneEncre> mix = g.TableMix(b))
        fixes.push_back(*mix);
    dessus = g.AuDessus();
    return TObstaclesMarques{fixes, dessus, demi, g.FinPlace(b), g.HautMin()};
}

// In a double stop bent on two strings, the lower string writes its amount over the upper
// string's line, where the upper bend draws its arc and arrow: each amount meeting the strokes
// or the amount of another bend of its beat moves right past them when it then still ends
// before the next beat clear of what stands there, or else up over them and over whatever it
// then meets (the staff's lines, the frets, what stands beside the beat), a clear row over
// each, when that leaves it under what stands higher. The amounts are taken from the top
// string down, each against the others where they stand by then.
void DegagerDesTraces(TGeometrieMarques& g, int32_t b, std::span<const int32_t> cordes,
                      std::vector<TZoneEncre>& valeurs, std::vector<double>& montees, std::vector<TZoneEncre>& fixes,
                      std::vector<TZoneEncre>& dessus, std::optional<TObstaclesMarques>& obstacles)
{
    std::vector<TZoneEncre> traces;
    for (const int32_t s : cordes)
        traces.push_back(g.TraceBend(b, s));
    std::vector<TZoneEncre> portee; // the lines and this beat's frets, measured at the first need
    for (std::size_t i = 0; i < valeurs.size(); ++i) {
        std::vector<TZoneEncre> autres;
        for (std::size_t j = 0; j < valeurs.size(); ++j) {
            if (j != i) {
                autres.push_back(traces[j]);
                autres.push_back(valeurs[j]);
            }
        }
        if (!CroiseUne(valeurs[i], autres))
            continue;
        if (!obstacles)
            obstacles = ObstaclesMarques(g, b, fixes, dessus);
        if (portee.empty()) {
            portee = g.Cordes();
            for (int32_t s = 1; s <= g.NbCordes(); ++s)
                if (const std::optional<TZoneEncre> frette = g.Frette(b, s))
                    portee.push_back(*frette);
        }
        std::vector<TZoneEncre> aEviter = autres;
        aEviter.insert(aEviter.end(), fixes.begin(), fixes.end());
        aEviter.insert(aEviter.end(), portee.begin(), portee.end());
        if (const std::optional<double> gauche = GaucheLibre(valeurs[i], aEviter, obstacles->Ecart, obstacles->FinPlace)) {
            valeurs[i] = Decalee(valeurs[i], *gauche);
            continue;
        }
        const double montee = MonteeLibre(std::span(&valeurs[i], 1), 0, aEviter, g.RangeeClaire());
        const TZoneEncre haute = Montee(valeurs[i], montee);
        if (haute.Haut >= obstacles->HautMin && !CroiseUne(haute, dessus)) {
            valeurs[i] = haute;
            montees[i] = montee;
        }
    }
}

// Beat b's bends and marks placed against each other and what stays around them.
struct MarquesSeules {
    TPlaceMarques Place;
    std::vector<TZoneEncre> Valeurs; // the cells of the amounts where they stand, top string first
};

MarquesSeules PlacerMarquesSeules(TGeometrieMarques& g, int32_t b)
{
    MarquesSeules r;
    TPlaceMarques& place = r.Place;
    std::vector<TZoneEncre>& valeurs = r.Valeurs;
    std::vector<int32_t> cordes;
    for (int32_t s = 1; s <= g.NbCordes(); ++s) {
        if (g.AvecBend(b, s)) {
            valeurs.push_back(g.ValeurBend(b, s));
            cordes.push_back(s);
        }
    }
    std::vector<double> montees(valeurs.size(), 0.0);
    std::vector<TZoneEncre> fixes, dessus;
    std::optional<TObstaclesMarques> obstacles;
    if (valeurs.size() > 1)
        DegagerDesTraces(g, b, cordes, valeurs, montees, fixes, dessus, obstacles);
    for (std::size_t i = 0; i < cordes.size(); ++i) {
        const auto s = static_cast<std::size_t>(cordes[i]);
        place.GauchesValeurs[s] = valeurs[i].Gauche;
        place.MonteesValeurs[s] = montees[i];
    }
    const std::vector<TZoneEncre> marques = g.Marques(b);
    if (!SeCroisent(valeurs, marques))
        return r;
    if (!obstacles)
        obstacles = ObstaclesMarques(g, b, fixes, dessus);
    const TPlaceValeurs p = PlacerValeursBend(marques, valeurs, *obstacles);
    for (std::size_t i = 0; i < cordes.size(); ++i) {
        place.GauchesValeurs[static_cast<std::size_t>(cordes[i])] = p.Gauches[i];
        valeurs[i] = Decalee(valeurs[i], p.Gauches[i]);
    }
    place.Montee = p.Montee;
    return r;
}

bool AvecBends(TGeometrieMarques& g, int32_t b)
{
    for (int32_t s = 1; s <= g.NbCordes(); ++s)
        if (g.AvecBend(b, s))
            return true;
    return false;
}

} // namespace

TPlaceMarques PlacerMarquesTemps(TGeometrieMarques& g, int32_t b)
{
    const MarquesSeules seules = PlacerMarquesSeules(g, b);
    TPlaceMarques place = seules.Place;
    // On close beats the previous beat's amounts reach under this beat's marks (a V's left arm
    // over an eighth's bend): the marks then move up over them too, when nothing stands there.
    if (b <= 1 || !AvecBends(g, b - 1))
        return place;
    const std::vector<TZoneEncre> marques = g.Marques(b);
    if (marques.empty())
        return place;
    std::vector<TZoneEncre> dessous = PlacerMarquesSeules(g, b - 1).Valeurs;
    const std::optional<double> auDessus = MonteeMarques(marques, place.Montee, dessous);
    if (!auDessus)
        return place;
    dessous.insert(dessous.end(), seules.Valeurs.begin(), seules.Valeurs.end());
    const double montee = MonteeLibre(marques, *auDessus, dessous, 0);
    std::vector<TZoneEncre> fixes, dessus;
    const TObstaclesMarques obstacles = ObstaclesMarques(g, b, fixes, dessus);
    if (MonteePossible(marques, montee, dessous, obstacles))
        place.Montee = montee;
    return place;
}

TPlaceVague PlacerVagueTemps(TGeometrieMarques& g, int32_t b, TZoneEncre vague, double longueurMin, double ecart)
{
    // After the last beat, the wave ends a clear column before the next measure's number.
    if (b >= g.NbTemps())
        if (const std::optional<TZoneEncre> numero = g.NumeroSuivant(); numero && numero->Croise(vague))
            vague.Droite = std::max(vague.Gauche, std::min(vague.Droite, numero->Gauche - ecart));
    // The amounts where they stand: in a double stop one may have gone over the other bend.
    std::vector<TZoneEncre> bends = PlacerMarquesSeules(g, b).Valeurs;
    const std::vector<TZoneEncre> traces = TracesBends(g, b);
    bends.insert(bends.end(), traces.begin(), traces.end());
    if (!SeCroisent(bends, std::span(&vague, 1)))
        return {vague.Gauche, 0, vague.Droite};
    const std::vector<TZoneEncre> dessus = g.AuDessus();
    return PlacerVague(vague, longueurMin, bends, TObstaclesMarques{{}, dessus, ecart, vague.Droite, g.HautMin()});
}

std::vector<TZoneEncre> ZonesMarquesPlacees(TGeometrieMarques& g, int32_t b, const TPlaceMarques& place,
                                            std::optional<std::pair<TZoneEncre, TPlaceVague>> vague)
{
    std::vector<TZoneEncre> zones;
    for (const TZoneEncre& m : g.Marques(b))
        zones.push_back(Montee(m, place.Montee));
    for (int32_t s = 1; s <= g.NbCordes(); ++s) {
        if (!g.AvecBend(b, s))
            continue;
        const auto corde = static_cast<std::size_t>(s);
        zones.push_back(Montee(Decalee(g.ValeurBend(b, s), place.GauchesValeurs[corde]), place.MonteesValeurs[corde]));
    }
    if (vague) {
        const auto& [rangee, p] = *vague;
        zones.push_back(Montee({p.Debut, rangee.Haut, std::max(p.Fin, p.Debut), rangee.Bas}, p.Montee));
    }
    return zones;
}

std::vector<TZoneEncre> TracesBends(TGeometrieMarques& g, int32_t b)
{
    std::vector<TZoneEncre> traces;
    for (int32_t s = 1; s <= g.NbCordes(); ++s)
        if (g.AvecBend(b, s))
            traces.push_back(g.TraceBend(b, s));
    return traces;
}

double MonteeDessus(std::span<const TZoneEncre> marques, std::span<const TZoneEncre> dessus, double ecart)
{
    // Each of what stands higher with its clear room round it, so that no ink touches another's.
    ecart = std::max(ecart, 0.0);
    std::vector<TZoneEncre> elargies;
    for (const TZoneEncre& d : dessus)
        elargies.push_back({d.Gauche - ecart, d.Haut, d.Droite + ecart, d.Bas + ecart});
    if (!SeCroisent(elargies, marques))
        return 0;
    return MonteeLibre(elargies, 0, marques, 0);
}

bool SousDessus(double gauche, double droite, std::span<const TZoneEncre> dessus)
{
    return std::ranges::any_of(dessus, [&](const TZoneEncre& d) { return d.Gauche < droite && gauche < d.Droite; });
}

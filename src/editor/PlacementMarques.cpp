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

// Whether areas moved up by montee stand clear of `dessous`, of what stays in its place and of
// what stands higher, within the picture.
bool MonteePossible(std::span<const TZoneEncre> montantes, double montee, std::span<const TZoneEncre> dessous,
                    const TObstaclesMarques& o)
{
    return std::ranges::none_of(montantes, [&](const TZoneEncre& z) {
        const TZoneEncre haute = Montee(z, montee);
        return haute.Haut < o.HautMin || CroiseUne(haute, dessous) || CroiseUne(haute, o.Fixes) ||
               CroiseUne(haute, o.Dessus);
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
    double haut = std::numeric_limits<double>::max();
    std::vector<double> passees = place.Gauches;
    for (std::size_t i = 0; i < valeurs.size(); ++i) {
        if (!CroiseUne(valeurs[i], marques))
            continue;
        haut = std::min(haut, valeurs[i].Haut);
        const TPlaceTexte passee = PlacerTextesRangee(obstacles, valeurs.subspan(i, 1), regles)[0];
        passees[i] = passee.Gauche;
        toutes = toutes && !passee.EnPlace;
    }
    if (toutes) {
        place.Gauches = passees;
        return place;
    }
    // Each mark over the highest amount it stood across.
    double bas = -std::numeric_limits<double>::max();
    for (const TZoneEncre& m : marques)
        bas = std::max(bas, m.Bas);
    const double montee = bas - haut;
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
    TPlaceVague place{vague.Gauche, 0};
    double apres = vague.Gauche;
    double haut = vague.Bas;
    bool croise = false;
    for (const TZoneEncre& z : bends) {
        if (z.Croise(vague)) {
            croise = true;
            apres = std::max(apres, z.Droite + o.Ecart);
            haut = std::min(haut, z.Haut);
        }
    }
    if (!croise)
        return place;
    if (vague.Droite - apres >= longueurMin) {
        place.Debut = apres;
        return place;
    }
    // Over the bends it would then meet too: an amount gone over another bend's arrow.
    double montee = vague.Bas - haut;
    for (bool encore = true; encore;) {
        encore = false;
        for (const TZoneEncre& z : bends) {
            if (Montee(vague, montee).Croise(z)) {
                montee = vague.Bas - z.Haut;
                encore = true;
            }
        }
    }
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
// amount meeting the next one would read as one number; and the beat's mix-table mark.
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
        for (TZoneEncre& z : fixes)
            z.Gauche -= demi;
    }
    if (const std::optional<TZoneEncre> mix = g.TableMix(b))
        fixes.push_back(*mix);
    dessus = g.AuDessus();
    return TObstaclesMarques{fixes, dessus, demi, g.FinPlace(b), 0};
}

// `zone` moved right, `ecart` past each of `obstacles` it covers, until it covers none; none
// when it would then end past finPlace.
std::optional<TZoneEncre> PasserADroite(TZoneEncre zone, std::span<const TZoneEncre> obstacles, double ecart,
                                        double finPlace)
{
    for (bool deplace = true; deplace && zone.Droite <= finPlace;) {
        deplace = false;
        for (const TZoneEncre& o : obstacles) {
            if (zone.Croise(o)) {
                zone.Droite += o.Droite + ecart - zone.Gauche;
                zone.Gauche = o.Droite + ecart;
                deplace = true;
            }
        }
    }
    if (zone.Droite > finPlace)
        return std::nullopt;
    return zone;
}

// `zone` moved up, a row over each of `obstacles` it covers, until it covers none.
TZoneEncre PasserAuDessus(TZoneEncre zone, std::span<const TZoneEncre> obstacles)
{
    for (bool deplace = true; deplace;) {
        deplace = false;
        for (const TZoneEncre& o : obstacles) {
            if (zone.Croise(o)) {
                zone = Montee(zone, zone.Bas - o.Haut + 1);
                deplace = true;
            }
        }
    }
    return zone;
}

// In a double stop bent on two strings, the lower string writes its amount over the upper
// string's line, where the upper bend draws its arc and arrow: each amount meeting the strokes
// of another bend of its beat moves right past them and the other amounts when it then still
// ends before the next beat clear of what stands there, or else up over them when nothing
// stands there. The amounts are taken from the top string down, each against the others where
// they stand by then.
void DegagerDesTraces(TGeometrieMarques& g, int32_t b, std::span<const int32_t> cordes,
                      std::vector<TZoneEncre>& valeurs, std::vector<TZoneEncre>& fixes, std::vector<TZoneEncre>& dessus,
                      std::optional<TObstaclesMarques>& obstacles)
{
    std::vector<TZoneEncre> traces;
    for (const int32_t s : cordes)
        traces.push_back(g.TraceBend(b, s));
    for (std::size_t i = 0; i < valeurs.size(); ++i) {
        std::vector<TZoneEncre> autres;
        for (std::size_t j = 0; j < valeurs.size(); ++j)
            if (j != i)
                autres.push_back(traces[j]);
        if (!CroiseUne(valeurs[i], autres))
            continue;
        for (std::size_t j = 0; j < valeurs.size(); ++j)
            if (j != i)
                autres.push_back(valeurs[j]);
        if (!obstacles)
            obstacles = ObstaclesMarques(g, b, fixes, dessus);
        std::vector<TZoneEncre> aEviter = autres;
        aEviter.insert(aEviter.end(), fixes.begin(), fixes.end());
        if (const std::optional<TZoneEncre> aDroite =
                PasserADroite(valeurs[i], aEviter, obstacles->Ecart, obstacles->FinPlace)) {
            valeurs[i] = *aDroite;
            continue;
        }
        const TZoneEncre haute = PasserAuDessus(valeurs[i], autres);
        if (haute.Haut >= obstacles->HautMin && !CroiseUne(haute, fixes) && !CroiseUne(haute, dessus))
            valeurs[i] = haute;
    }
}

// Beat b's amounts and marks placed against each other and what stays around them.
TPlaceMarques PlacerMarquesSeules(TGeometrieMarques& g, int32_t b)
{
    TPlaceMarques place;
    std::vector<TZoneEncre> valeurs;
    std::vector<int32_t> cordes;
    for (int32_t s = 1; s <= g.NbCordes(); ++s) {
        if (g.AvecBend(b, s)) {
            valeurs.push_back(g.ValeurBend(b, s));
            cordes.push_back(s);
        }
    }
    const std::vector<TZoneEncre> ecrites = valeurs;
    std::vector<TZoneEncre> fixes, dessus;
    std::optional<TObstaclesMarques> obstacles;
    if (valeurs.size() > 1)
        DegagerDesTraces(g, b, cordes, valeurs, fixes, dessus, obstacles);
    for (std::size_t i = 0; i < cordes.size(); ++i) {
        const auto s = static_cast<std::size_t>(cordes[i]);
        place.GauchesValeurs[s] = valeurs[i].Gauche;
        place.MonteesValeurs[s] = ecrites[i].Haut - valeurs[i].Haut;
    }
    const std::vector<TZoneEncre> marques = g.Marques(b);
    if (!SeCroisent(valeurs, marques))
        return place;
    if (!obstacles)
        obstacles = ObstaclesMarques(g, b, fixes, dessus);
    const TPlaceValeurs p = PlacerValeursBend(marques, valeurs, *obstacles);
    for (std::size_t i = 0; i < cordes.size(); ++i)
        place.GauchesValeurs[static_cast<std::size_t>(cordes[i])] = p.Gauches[i];
    place.Montee = p.Montee;
    return place;
}

// The cells of beat b's amounts where `place` puts them.
std::vector<TZoneEncre> ValeursPlacees(TGeometrieMarques& g, int32_t b, const TPlaceMarques& place)
{
    std::vector<TZoneEncre> valeurs;
    for (int32_t s = 1; s <= g.NbCordes(); ++s) {
        if (g.AvecBend(b, s)) {
            const auto corde = static_cast<std::size_t>(s);
            TZoneEncre v = Montee(g.ValeurBend(b, s), place.MonteesValeurs[corde]);
            v.Droite += place.GauchesValeurs[corde] - v.Gauche;
            v.Gauche = place.GauchesValeurs[corde];
            valeurs.push_back(v);
        }
    }
    return valeurs;
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
    TPlaceMarques place = PlacerMarquesSeules(g, b);
    // On close beats the previous beat's amounts reach under this beat's marks (a V's left arm
    // over an eighth's bend): the marks then move up over them too, when nothing stands there.
    if (b <= 1 || !AvecBends(g, b - 1))
        return place;
    const std::vector<TZoneEncre> marques = g.Marques(b);
    if (marques.empty())
        return place;
    std::vector<TZoneEncre> montees;
    for (const TZoneEncre& m : marques)
        montees.push_back(Montee(m, place.Montee));
    const std::vector<TZoneEncre> precedentes = ValeursPlacees(g, b - 1, PlacerMarquesSeules(g, b - 1));
    double haut = std::numeric_limits<double>::max();
    for (const TZoneEncre& v : precedentes)
        if (CroiseUne(v, montees))
            haut = std::min(haut, v.Haut);
    if (haut == std::numeric_limits<double>::max())
        return place;
    double bas = -std::numeric_limits<double>::max();
    for (const TZoneEncre& m : montees)
        bas = std::max(bas, m.Bas);
    std::vector<TZoneEncre> dessous = ValeursPlacees(g, b, place);
    dessous.insert(dessous.end(), precedentes.begin(), precedentes.end());
    std::vector<TZoneEncre> fixes, dessus;
    const TObstaclesMarques obstacles = ObstaclesMarques(g, b, fixes, dessus);
    if (MonteePossible(marques, place.Montee + bas - haut, dessous, obstacles))
        place.Montee += bas - haut;
    return place;
}

TPlaceVague PlacerVagueTemps(TGeometrieMarques& g, int32_t b, const TZoneEncre& vague, double longueurMin,
                             double ecart)
{
    // The amounts where they stand: in a double stop one may have gone over the other bend.
    std::vector<TZoneEncre> bends = ValeursPlacees(g, b, PlacerMarquesSeules(g, b));
    for (int32_t s = 1; s <= g.NbCordes(); ++s)
        if (g.AvecBend(b, s))
            bends.push_back(g.TraceBend(b, s));
    if (!SeCroisent(bends, std::span(&vague, 1)))
        return {vague.Gauche, 0};
    const std::vector<TZoneEncre> dessus = g.AuDessus();
    return PlacerVague(vague, longueurMin, bends, TObstaclesMarques{{}, dessus, ecart, vague.Droite, 0});
}

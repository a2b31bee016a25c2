#include "editor/PlacementTextes.h"

#include <algorithm>
#include <limits>
#include <optional>

namespace {

// Where a text goes in its row.
struct Place {
    TZoneEncre Zone;
    bool Deplacee = false;
    bool Trouvee = true; // false: no room in the row, Zone is the text's own place
};

// The texts of one row, from left to right, past `obstacles` and the texts before them.
// Given `reperes` (the line's diagrams), a text that would cover one starting right of its
// place, or start past the left of one, finds no room: it would leave its beat. Without them,
// a text whose move would leave the texts that then have to follow it no room finds none.
std::vector<Place> PlacerRangee(std::span<const TZoneEncre> obstacles, std::span<const TZoneEncre> textes,
                                const TReglesPlacementTextes& regles, std::optional<std::span<const TZoneEncre>> reperes)
{
    std::vector<TZoneEncre> places; // where the texts before the one being placed went
    places.reserve(textes.size());

    // Where a text goes after `places`, whose texts end at finTextes: past what it covers, or
    // nowhere when it would then end past the line's room or leave its beat.
    auto placer = [&](const TZoneEncre& texte, std::optional<double> finTextes) {
        Place place{texte};
        TZoneEncre& zone = place.Zone;
        // The left of the next beat's diagram: the text starts before it.
        double avantRepere = std::numeric_limits<double>::max();
        if (reperes)
            for (const TZoneEncre& r : *reperes)
                if (r.Gauche > texte.Gauche)
                    avantRepere = std::min(avantRepere, r.Gauche);
        auto deplacer = [&](double gauche) {
            zone.Droite += gauche - zone.Gauche;
            zone.Gauche = gauche;
            place.Deplacee = true;
        };
        // A text before this one reaching past its place was moved there: this one follows it.
        if (finTextes && *finTextes > zone.Gauche)
            deplacer(*finTextes + regles.EcartTexte);
        // Every step moves the text right past an area it covers: it ends clear of them all,
        // or past the line's room.
        for (bool deplace = true; deplace && place.Trouvee && zone.Droite <= regles.DroiteMax;) {
            deplace = false;
            auto passer = [&](const TZoneEncre& obstacle, double ecart) {
                if (zone.Croise(obstacle)) {
                    if (reperes && obstacle.Gauche > texte.Gauche)
                        place.Trouvee = false;
                    deplacer(obstacle.Droite + ecart);
                    deplace = true;
                }
            };
            for (const TZoneEncre& d : obstacles)
                passer(d, regles.EcartDiagramme);
            for (const TZoneEncre& t : places)
                passer(t, regles.EcartTexte);
        }
        if (zone.Droite > regles.DroiteMax || zone.Gauche >= avantRepere)
            place.Trouvee = false;
        if (!place.Trouvee)
            place = Place{texte, false, false};
        return place;
    };
    auto fin = [](std::optional<double> finTextes, const TZoneEncre& zone) {
        return finTextes ? std::max(*finTextes, zone.Droite) : zone.Droite;
    };

    // Whether the texts from `suivant` on that would follow a text placed at `zone` find room
    // after it. Were it to take their room, they would find none.
    auto suivantsPlaces = [&](std::size_t suivant, const TZoneEncre& zone, std::optional<double> finTextes) {
        const std::size_t nbPlaces = places.size();
        places.push_back(zone);
        double finChaine = fin(finTextes, zone);
        bool ontPlace = true;
        for (std::size_t k = suivant; ontPlace && k < textes.size() && finChaine > textes[k].Gauche; ++k) {
            const Place p = placer(textes[k], finChaine);
            ontPlace = p.Trouvee;
            places.push_back(p.Zone);
            finChaine = std::max(finChaine, p.Zone.Droite);
        }
        places.resize(nbPlaces);
        return ontPlace;
    };

    std::vector<Place> resultat;
    resultat.reserve(textes.size());
    std::optional<double> finTextes; // the right end of the texts placed so far
    for (std::size_t i = 0; i < textes.size(); ++i) {
        Place place = placer(textes[i], finTextes);
        if (!reperes && place.Deplacee && !suivantsPlaces(i + 1, place.Zone, finTextes))
            place = Place{textes[i], false, false};
        resultat.push_back(place);
        // A text that finds no room leaves the row when there are rows over it.
        if (place.Trouvee || !reperes) {
            places.push_back(place.Zone);
            finTextes = fin(finTextes, place.Zone);
        }
    }
    return resultat;
}

} // namespace

std::vector<TPlaceTexte> PlacerTextesTemps(std::span<const TZoneEncre> diagrammes, std::span<const TZoneEncre> textes,
                                           const TReglesPlacementTextes& regles)
{
    std::vector<TPlaceTexte> resultat(textes.size());
    if (!regles.RangeesDessus) {
        const std::vector<Place> places = PlacerRangee(diagrammes, textes, regles, std::nullopt);
        for (std::size_t i = 0; i < places.size(); ++i)
            resultat[i] = {places[i].Zone.Gauche, !places[i].Deplacee, 0};
        return resultat;
    }
    // Row by row, each with the texts the row under it sent up; over the diagrams, only the
    // texts of the row stand in each other's way. There the first text has nothing to pass and
    // keeps its place, even one too long for the line: every row takes one text at least.
    std::vector<std::size_t> montants(textes.size());
    for (std::size_t i = 0; i < textes.size(); ++i)
        montants[i] = i;
    for (int rangee = 0; !montants.empty(); ++rangee) {
        std::vector<TZoneEncre> zones;
        for (const std::size_t i : montants)
            zones.push_back(textes[i]);
        const std::vector<Place> places =
            PlacerRangee(rangee == 0 ? diagrammes : std::span<const TZoneEncre>{}, zones, regles, diagrammes);
        std::vector<std::size_t> suivants;
        for (std::size_t k = 0; k < montants.size(); ++k) {
            if (places[k].Trouvee || (rangee > 0 && k == 0))
                resultat[montants[k]] = {places[k].Zone.Gauche, !places[k].Deplacee, rangee};
            else
                suivants.push_back(montants[k]);
        }
        montants = std::move(suivants);
    }
    return resultat;
}

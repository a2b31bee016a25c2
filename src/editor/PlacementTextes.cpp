#include "editor/PlacementTextes.h"

#include <algorithm>
#include <optional>

std::vector<double> PlacerTextesTemps(std::span<const TZoneEncre> diagrammes, std::span<const TZoneEncre> textes,
                                      const TReglesPlacementTextes& regles)
{
    std::vector<TZoneEncre> places; // where the texts before the one being placed went
    places.reserve(textes.size());

    // Where a text goes after `places`, whose texts end at finTextes: past what it covers, or
    // in its place when it would then end past the line's room.
    auto placer = [&](const TZoneEncre& texte, std::optional<double> finTextes) {
        TZoneEncre zone = texte;
        auto deplacer = [&](double gauche) {
            zone.Droite += gauche - zone.Gauche;
            zone.Gauche = gauche;
        };
        // A text before this one reaching past its place was moved there: this one follows it.
        if (finTextes && *finTextes > zone.Gauche)
            deplacer(*finTextes + regles.EcartTexte);
        // Every step moves the text right past an area it covers: it ends clear of them all,
        // or past the line's room.
        for (bool deplace = true; deplace && zone.Droite <= regles.DroiteMax;) {
            deplace = false;
            auto passer = [&](const TZoneEncre& obstacle, double ecart) {
                if (zone.Croise(obstacle)) {
                    deplacer(obstacle.Droite + ecart);
                    deplace = true;
                }
            };
            for (const TZoneEncre& d : diagrammes)
                passer(d, regles.EcartDiagramme);
            for (const TZoneEncre& t : places)
                passer(t, regles.EcartTexte);
        }
        return zone.Droite > regles.DroiteMax ? texte : zone;
    };
    auto fin = [](std::optional<double> finTextes, const TZoneEncre& zone) {
        return finTextes ? std::max(*finTextes, zone.Droite) : zone.Droite;
    };

    // Whether the texts from `suivant` on that would follow a text placed at `zone` find room
    // after it. Were it to take their room, they would keep their places under it.
    auto suivantsPlaces = [&](std::size_t suivant, const TZoneEncre& zone, std::optional<double> finTextes) {
        const std::size_t nbPlaces = places.size();
        places.push_back(zone);
        double finChaine = fin(finTextes, zone);
        bool ontPlace = true;
        for (std::size_t k = suivant; ontPlace && k < textes.size() && finChaine > textes[k].Gauche; ++k) {
            const TZoneEncre z = placer(textes[k], finChaine);
            ontPlace = z.Gauche != textes[k].Gauche;
            places.push_back(z);
            finChaine = std::max(finChaine, z.Droite);
        }
        places.resize(nbPlaces);
        return ontPlace;
    };

    std::vector<double> gauches;
    gauches.reserve(textes.size());
    std::optional<double> finTextes; // the right end of the texts placed so far
    for (std::size_t i = 0; i < textes.size(); ++i) {
        TZoneEncre zone = placer(textes[i], finTextes);
        if (zone.Gauche != textes[i].Gauche && !suivantsPlaces(i + 1, zone, finTextes))
            zone = textes[i];
        gauches.push_back(zone.Gauche);
        places.push_back(zone);
        finTextes = fin(finTextes, zone);
    }
    return gauches;
}

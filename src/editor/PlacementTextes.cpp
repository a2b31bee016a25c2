#include "editor/PlacementTextes.h"

#include <optional>

std::vector<double> PlacerTextesTemps(std::span<const TZoneEncre> diagrammes, std::span<const TZoneEncre> textes,
                                      const TReglesPlacementTextes& regles)
{
    std::vector<double> gauches;
    gauches.reserve(textes.size());
    std::vector<TZoneEncre> places;
    places.reserve(textes.size());
    std::optional<double> finTextes; // the right end of the texts placed so far
    for (const TZoneEncre& texte : textes) {
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
        if (zone.Droite > regles.DroiteMax && zone.Gauche != texte.Gauche)
            zone = texte;
        gauches.push_back(zone.Gauche);
        places.push_back(zone);
        finTextes = finTextes ? std::max(*finTextes, zone.Droite) : zone.Droite;
    }
    return gauches;
}

#include "editor/PlacementTextes.h"

#include <algorithm>
#include <initializer_list>

namespace {

// Whether `zone` comes closer than `ecart` to `autre` sideways, at the same height.
bool Pres(const TZoneEncre& zone, const TZoneEncre& autre, double ecart)
{
    return zone.Gauche < autre.Droite + ecart && autre.Gauche < zone.Droite + ecart && zone.Haut < autre.Bas &&
           autre.Haut < zone.Bas;
}

void Decaler(TZoneEncre& zone, double gauche)
{
    zone.Droite += gauche - zone.Gauche;
    zone.Gauche = gauche;
}

// Areas a text passes, what counts as meeting one and how far past it the text goes.
struct Passage {
    std::span<const TZoneEncre> Zones;
    double Proche = 0; // closer than this sideways is meeting it
    double Ecart = 0;  // the text goes this far past it
};

// Moves `zone` right past every area it meets, until it meets none (true) or `arret` stops it
// where a move took it (false). Every move is to the right: it ends.
template <class Arret>
bool PasserADroite(TZoneEncre& zone, std::initializer_list<Passage> passages, Arret arret)
{
    for (bool deplace = true; deplace;) {
        deplace = false;
        for (const Passage& p : passages)
            for (const TZoneEncre& z : p.Zones)
                if (Pres(zone, z, p.Proche)) {
                    Decaler(zone, z.Droite + p.Ecart);
                    if (arret(zone))
                        return false;
                    deplace = true;
                }
    }
    return true;
}

} // namespace

std::vector<TPlaceTexteTemps> PlacerTextesTemps(std::span<const TZoneEncre> obstacles,
                                                std::span<const TTexteTemps> textes, const TReglesTextesTemps& regles)
{
    std::vector<TPlaceTexteTemps> resultat;
    resultat.reserve(textes.size());
    std::vector<TZoneEncre> placees; // the texts placed so far, where they went
    placees.reserve(textes.size());
    for (const TTexteTemps& texte : textes) {
        const double largeur = texte.Zone.Droite - texte.Zone.Gauche;
        const double hauteur = texte.Zone.Bas - texte.Zone.Haut;
        // Its place in any row: from its beat, or ending at its measure's end, or from its
        // measure's start when it is longer than the measure (within the line).
        double gauche = texte.Zone.Gauche;
        bool tropLong = false;
        if (gauche + largeur > texte.FinMesure) {
            gauche = texte.FinMesure - largeur;
            if (gauche < texte.DebutMesure) {
                tropLong = true;
                gauche = std::min(texte.DebutMesure, regles.DroiteMax - largeur);
            }
        }
        auto aHauteur = [&](double haut) { return TZoneEncre{gauche, haut, gauche + largeur, haut + hauteur}; };
        // Further right it would be read as the next beat's text.
        double debutMax = texte.Zone.Gauche + (texte.TempsSuivant - texte.Zone.Gauche) / 2;
        if (texte.FinDiagramme)
            debutMax = std::max(debutMax, *texte.FinDiagramme + regles.EcartDiagramme);
        const Passage diagrammes{obstacles, regles.EcartDiagramme, regles.EcartDiagramme};
        const Passage autres{placees, regles.Espace, regles.Espace};

        TZoneEncre zone;
        for (double haut = texte.Zone.Haut;;) {
            zone = aHauteur(haut);
            const bool trouvee = PasserADroite(zone, {diagrammes, autres}, [&](const TZoneEncre& z) {
                return tropLong || z.Gauche > debutMax || z.Gauche >= texte.TempsSuivant ||
                       z.Droite > texte.FinMesure || z.Droite > regles.DroiteMax;
            });
            if (trouvee)
                break;
            // Up over the lowest of what it meets at its place: the least it can go up.
            const TZoneEncre place = aHauteur(haut);
            double dessus = -std::numeric_limits<double>::max();
            for (const Passage& p : {diagrammes, autres})
                for (const TZoneEncre& z : p.Zones)
                    if (Pres(place, z, p.Proche))
                        dessus = std::max(dessus, z.Haut - regles.EcartRangees - hauteur);
            if (dessus < regles.HautMin) {
                // No room over its row: on in the row, as far as it takes.
                zone = aHauteur(texte.Zone.Haut);
                PasserADroite(zone, {diagrammes, autres}, [](const TZoneEncre&) { return false; });
                break;
            }
            haut = dessus;
        }
        placees.push_back(zone);
        resultat.push_back({zone.Gauche, zone.Haut, zone.Gauche == texte.Zone.Gauche && zone.Haut == texte.Zone.Haut});
    }
    return resultat;
}

std::vector<TPlaceTexte> PlacerTextesRangee(std::span<const TZoneEncre> zones, std::span<const TZoneEncre> textes,
                                            const TReglesPlacementTextes& regles)
{
    std::vector<TPlaceTexte> resultat;
    resultat.reserve(textes.size());
    std::vector<TZoneEncre> placees;
    placees.reserve(textes.size());
    for (const TZoneEncre& texte : textes) {
        TZoneEncre zone = texte;
        // Covering is meeting: a text touching an area keeps its place.
        const bool trouvee = PasserADroite(zone, {{zones, 0, regles.EcartDiagramme}, {placees, 0, regles.EcartTexte}},
                                           [&](const TZoneEncre& z) { return z.Droite > regles.DroiteMax; });
        if (!trouvee)
            zone = texte;
        placees.push_back(zone);
        resultat.push_back({zone.Gauche, zone.Gauche == texte.Gauche});
    }
    return resultat;
}

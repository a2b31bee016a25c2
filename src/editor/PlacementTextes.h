#pragma once
// Beat texts share their row above the staff with the chord diagrams, and on a line of close
// beats a text written where the layout puts it (half a letter before its beat) runs across
// its own diagram, the next beat's diagram or the next beat's text. The texts of a line are
// taken from left to right: each keeps that place when it covers nothing; otherwise it moves
// right, just past every diagram and every text before it that it would cover, and stays
// after the texts before it so that they still read in the order of their beats. A text that
// would then end past the line's room keeps its place, and so does one whose move would leave
// the texts that have to follow it no room: sent to the end of a crowded line, it would take
// the place of the last texts and lie under them. The score view (in pixels) and print (in
// printer pixels) place their texts alike.
#include <span>
#include <vector>

// An area of ink; right and bottom excluded.
struct TZoneEncre {
    double Gauche = 0, Haut = 0, Droite = 0, Bas = 0;
    bool Croise(const TZoneEncre& z) const
    {
        return Gauche < z.Droite && z.Gauche < Droite && Haut < z.Bas && z.Haut < Bas;
    }
};

struct TReglesPlacementTextes {
    double EcartDiagramme = 0; // from a diagram to the text moved past it
    double EcartTexte = 0;     // from a text to the text moved past it
    double DroiteMax = 0;      // no text moves to end past this
};

// The left edge of each text, in the order of `textes` (the line's texts in the order of their
// beats, each where the layout puts it); `diagrammes` are all the line's chord diagrams, each
// with its name and base fret.
std::vector<double> PlacerTextesTemps(std::span<const TZoneEncre> diagrammes, std::span<const TZoneEncre> textes,
                                      const TReglesPlacementTextes& regles);

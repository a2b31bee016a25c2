#pragma once
// Beat texts share their row above the staff with the chord diagrams, and on a line of close
// beats a text written where the layout puts it (half a letter before its beat) runs across
// its own diagram, the next beat's diagram or the next beat's text. The texts of a line are
// taken from left to right: each keeps that place when it covers nothing; otherwise it moves
// right, just past every diagram and every text before it that it would cover, and stays
// after the texts before it so that they still read in the order of their beats. A text that
// would then end past the line's room finds no room.
//
// Where the line can open rows of texts over its diagrams, a text that finds no room goes up a
// row, and so does one that would have to pass a later beat's diagram or start past it: there
// it would be read as that beat's text, a measure or more from its own. Each row over the
// diagrams places the texts sent up to it among themselves by the same rule, and sends up
// what finds no room there.
//
// Without those rows, a text that finds no room keeps its place, and so does one whose move
// would leave the texts that have to follow it no room: sent to the end of a crowded line, it
// would take the place of the last texts and lie under them. The score view (in pixels) and
// print (in printer pixels) place their texts alike.
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
    double EcartDiagramme = 0;   // from a diagram to the text moved past it
    double EcartTexte = 0;       // from a text to the text moved past it
    double DroiteMax = 0;        // no text moves to end past this
    bool RangeesDessus = false;  // the line can open rows of texts over its diagrams
};

struct TPlaceTexte {
    double Gauche = 0;   // the text's left edge
    bool EnPlace = true; // where the layout put it
    int Rangee = 0;      // 0 beside the diagrams, 1 the row over them, 2 the next...
};

// The place of each text, in the order of `textes` (the line's texts in the order of their
// beats, each where the layout puts it); `diagrammes` are all the line's chord diagrams, each
// with its name and base fret.
std::vector<TPlaceTexte> PlacerTextesTemps(std::span<const TZoneEncre> diagrammes, std::span<const TZoneEncre> textes,
                                           const TReglesPlacementTextes& regles);

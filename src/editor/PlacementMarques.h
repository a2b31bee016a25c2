#pragma once
// Over the top string a beat draws its marks (a letter, the vibrato stroke's V with its amount)
// in the row where a bend on the top strings writes its amount, and its vibrato or tremolo-bar
// wave where that bend's arrow ends. Where they would meet, the amount moves right past the
// marks, as a beat text passes what it covers (PlacementTextes.h), when it still ends before
// the next beat clear of what stands there; otherwise the marks move up over the amounts when
// nothing stands there; otherwise everything keeps its place. A wave likewise starts past the
// bends when that leaves it room, or else runs over them when nothing stands there. The score
// view (in pixels) and print (in printer pixels) place them alike.
#include "editor/PlacementTextes.h"

#include <span>
#include <vector>

struct TObstaclesMarques {
    std::span<const TZoneEncre> Fixes;  // what stays in its place: the next beat's marks, amounts, frets...
    std::span<const TZoneEncre> Dessus; // what stands higher: chord names and diagrams, beat texts
    double Ecart = 0;                   // from a mark to the amount moved past it
    double FinPlace = 0;                // no amount moves to end past this
    double HautMin = 0;                 // no mark moves up past this
};

// Whether an area of `a` meets one of `b`. Most beats' bends stand clear of their marks and
// waves: then they keep their places and nothing around the beat needs measuring.
bool SeCroisent(std::span<const TZoneEncre> a, std::span<const TZoneEncre> b);

struct TPlaceValeurs {
    std::vector<double> Gauches; // the left edge of each amount, in their order
    double Montee = 0;           // how far the marks move up
};

// `marques` are the areas of the beat's marks, `valeurs` the cells of its bend amounts where the
// bends write them.
TPlaceValeurs PlacerValeursBend(std::span<const TZoneEncre> marques, std::span<const TZoneEncre> valeurs,
                                const TObstaclesMarques& obstacles);

struct TPlaceVague {
    double Debut = 0;
    double Montee = 0;
};

// `vague` is the wave's row from its start to its end (a clear row over it included), `bends`
// the amounts and strokes of the beat's bends; `longueurMin` the shortest wave worth drawing.
TPlaceVague PlacerVague(const TZoneEncre& vague, double longueurMin, std::span<const TZoneEncre> bends,
                        const TObstaclesMarques& obstacles);

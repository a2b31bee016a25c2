#include "midi/Quantification.h"

#include "midi/EvtImport.h"

#include <algorithm>
#include <cmath>

namespace {

int32_t Grille(int32_t q) { return q < 1 ? 4 : q; }

// The grid point nearest to a time counted in steps of the grid. A point half-way between two
// goes to the earlier one: notes of half a step (sixteenths on an eighth grid) then share their
// steps within the measure instead of sending its last one over the bar line. The margin takes
// a time past a half by no more than the rounding error of a sum of doubles for the half.
int64_t PointDeGrille(double pas) { return static_cast<int64_t>(std::ceil(pas - 0.5 - 1e-9)); }

} // namespace

double PositionQuantifiee(double position, int32_t q)
{
    q = Grille(q);
    return static_cast<double>(PointDeGrille(position * q)) / q;
}

void QuantifierEvtImport(int32_t q)
{
    q = Grille(q);
    const int32_t n = NbEvtImport;

    // Every entry ends on the grid point nearest to its unquantised end, so every group starts
    // at its own quantised onset: no rounding, however often repeated, moves a later note.
    double s = 0.0;
    int64_t r = 0;
    for (int32_t k = 1; k <= n; ++k) {
        s += EvtImport[k].Duree * q;
        const int64_t fin = std::max(PointDeGrille(s), r);
        EvtImport[k].Duree = static_cast<double>(fin - r);
        r = fin;
    }

    // A note that rounded to nothing would sound with what follows it: it grows to one step
    // only where that moves nothing after it, out of a rest right behind it, or at the end of
    // the list (with nothing but empty rests after it).
    for (int32_t k = 1; k <= n; ++k) {
        TEvtImport& e = EvtImport[k];
        if (e.Hauteur < 0 || e.Duree != 0.0)
            continue;
        if (k < n && EvtImport[k + 1].Hauteur == HauteurSilence && EvtImport[k + 1].Duree >= 1.0) {
            e.Duree = 1.0;
            EvtImport[k + 1].Duree -= 1.0;
            continue;
        }
        bool derniere = true;
        for (int32_t j = k + 1; j <= n && derniere; ++j)
            derniere = EvtImport[j].Hauteur == HauteurSilence && EvtImport[j].Duree == 0.0;
        if (derniere) {
            e.Duree = 1.0;
            ++r;
        }
    }
    for (int32_t k = 1; k <= n; ++k)
        EvtImport[k].Duree /= q;
    DureeTotaleImport = static_cast<double>(r) / q;
}

#include "midi/Quantification.h"

#include "midi/EvtImport.h"

#include <algorithm>
#include <cmath>

void QuantifierEvtImport(int32_t q)
{
    if (q < 1)
        q = 4;
    const int32_t n = NbEvtImport;

    // Every entry ends on the grid point nearest to its unquantised end, so every group starts
    // at its own quantised onset: no rounding, however often repeated, moves a later note. A
    // point half-way between two goes to the earlier one: notes of half a step (sixteenths on
    // an eighth grid) then share their steps within the measure instead of sending its last
    // one over the bar line.
    double s = 0.0;
    int64_t r = 0;
    for (int32_t k = 1; k <= n; ++k) {
        s += EvtImport[k].Duree * q;
        const int64_t fin = std::max<int64_t>(static_cast<int64_t>(std::ceil(s - 0.5 - 1e-9)), r);
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

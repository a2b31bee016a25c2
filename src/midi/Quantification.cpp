#include "midi/Quantification.h"

#include "midi/EvtImport.h"
#include "platform/Arrondi.h"

void QuantifierEvtImport(int32_t q)
{
    if (q < 1)
        q = 4;
    const int32_t n = NbEvtImport;
    for (int32_t k = 1; k <= n; ++k)
        EvtImport[k].Duree *= q;

    // S: the unquantised lengths so far, R: the quantised ones, in grid steps.
    double s = 0.0;
    int64_t r = 0;
    for (int32_t k = 1; k <= n; ++k) {
        const double d = EvtImport[k].Duree;
        int64_t v = platform::Round(d + s - static_cast<double>(r));
        if (v < 0)
            v = 0;
        if (k < n - 1 && v == 0 && EvtImport[k + 1].Hauteur == HauteurSilence)
            v = 1;
        EvtImport[k].Duree = static_cast<double>(v);
        s += d;
        r += v;
    }
    for (int32_t k = 1; k <= n - 1; ++k) {
        TEvtImport& e = EvtImport[k];
        TEvtImport& suivant = EvtImport[k + 1];
        if (e.Hauteur >= 0 && suivant.Hauteur == HauteurSilence && e.Duree == 0.0) {
            e.Duree = 1.0;
            // The step comes out of the rest that follows; a rest that has none to give would
            // go negative and swallow the next group, so the list grows by the step instead.
            if (suivant.Duree >= 1.0)
                suivant.Duree -= 1.0;
            else
                ++r;
        }
    }
    if (n > 0 && EvtImport[n].Hauteur >= 0 && EvtImport[n].Duree == 0.0) {
        EvtImport[n].Duree = 1.0;
        ++r;
    }
    for (int32_t k = 1; k <= n; ++k)
        EvtImport[k].Duree /= q;
    DureeTotaleImport = static_cast<double>(r) / q;
}

#include "midi/CompleterMesure.h"

#include "document/Routines.h"
#include "document/Variable.h"
#include "platform/Arrondi.h"

#include <algorithm>

namespace {

bool PorteContenu(const TTemps& tp) { return !tp.Texte.empty() || tp.AvecAccord || tp.TableMix; }

} // namespace

int64_t TicksPisteMesure(int32_t piste, int32_t mesure)
{
    const TMesure& ms = *Partition.Mesures[mesure];
    int64_t ticks = 0;
    const int32_t n = std::clamp(ms.NbTemps[piste], 0, kNbTempsMax);
    for (int32_t b = 1; b <= n; ++b)
        ticks += ms.Temps[piste][b].Duree;
    return ticks;
}

void CompleterMesureParSilences(int32_t piste, int32_t mesure)
{
    if (piste < 1 || piste > kNbPistes || mesure < 1 || mesure > Partition.NbMesures || !Partition.Mesures[mesure])
        return;
    TMesure& ms = *Partition.Mesures[mesure];
    // In ticks: every legal signature is a whole number of them, and sums of ticks are exact
    // where sums of quarter fractions are not.
    const int64_t nominal = platform::Round(ms.Duree * kTicksNoire);
    if (nominal - TicksPisteMesure(piste, mesure) == 0)
        return;

    if (ms.NbTemps[piste] < 0 || ms.NbTemps[piste] >= kNbTempsMax)
        return;
    while (ms.NbTemps[piste] > 0) {
        const TTemps& dernier = ms.Temps[piste][ms.NbTemps[piste]];
        if (!dernier.Silence || PorteContenu(dernier))
            break;
        --ms.NbTemps[piste];
    }
    InitialiserTempsSuivant(piste, mesure);
    int64_t manque = nominal - TicksPisteMesure(piste, mesure);

    int32_t valeur = 4 * kTicksNoire;
    int8_t code = -2;
    // The halving stops at the sixty-fourth: below it no rest value exists.
    while (manque > 0 && code <= 4 && ms.NbTemps[piste] < kNbTempsSaisis) {
        while (manque >= valeur && ms.NbTemps[piste] < kNbTempsSaisis) {
            const int32_t s = ms.NbTemps[piste] + 1;
            ms.NbTemps[piste] = s;
            TTemps& tp = ms.Temps[piste][s];
            tp.Duree = valeur;
            tp.CodeDuree = code;
            tp.Silence = true;
            manque -= valeur;
            InitialiserTempsSuivant(piste, mesure);
        }
        valeur /= 2;
        ++code;
    }
}

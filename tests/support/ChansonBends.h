#pragma once
// A song whose every note bends: what fills the table of technique amounts.
#include "document/Routines.h"
#include "document/Variable.h"

#include <functional>
#include <memory>

namespace lyrx_test {

// In place of the song: `nbMesures` measures of 64 sixty-fourth notes on six strings on track 1,
// each note bent by `bend`(measure, beat, string).
inline void RemplirChansonBends(int nbMesures, const std::function<double(int, int, int)>& bend)
{
    ReinitialiserPartition();
    Partition.NbMesures = nbMesures;
    for (int m = 1; m <= nbMesures; ++m) {
        if (!Partition.Mesures[m])
            Partition.Mesures[m] = std::make_unique<TMesure>();
        TMesure& mesure = *Partition.Mesures[m];
        mesure.NbTemps[1] = kNbTempsSaisis;
        for (int b = 1; b <= kNbTempsSaisis; ++b) {
            TTemps& temps = mesure.Temps[1][b];
            temps = TTemps{};
            temps.Duree = 30;
            temps.CodeDuree = 4;
            for (int s = 1; s <= 6; ++s) {
                temps.Notes[s].Frette = 5;
                temps.Notes[s].Effet = 5;
                temps.Notes[s].ValeurBend = bend(m, b, s);
            }
        }
    }
}

} // namespace lyrx_test

#pragma once
// A song whose every note bends: what fills the table of technique amounts.
#include "document/FichierPartition.h"
#include "document/Routines.h"
#include "document/Variable.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

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

// The image of a song file of 57,600 bends, each of a different amount off the grid: more than
// the program keeps. The song in memory is left empty.
inline std::vector<uint8_t> ImageChansonTropDeMontants()
{
    // Written with one amount, which the file's bytes then make different at each bend: the
    // song in memory could not hold them all.
    constexpr int kNbMesures = 150;
    constexpr double kMarque = 1.2345678901;
    RemplirChansonBends(kNbMesures, [](int, int, int) { return kMarque; });
    std::vector<uint8_t> image = ImageFichierPartition();
    ReinitialiserPartition();
    const auto marque = std::bit_cast<std::array<uint8_t, 8>>(kMarque);
    int nbBends = 0;
    for (auto p = image.begin(); (p = std::search(p, image.end(), marque.begin(), marque.end())) != image.end();) {
        const auto bend = std::bit_cast<std::array<uint8_t, 8>>(0.5 + ++nbBends / 1073741824.0);
        p = std::copy(bend.begin(), bend.end(), p);
    }
    return nbBends == kNbMesures * kNbTempsSaisis * 6 ? image : std::vector<uint8_t>{};
}

} // namespace lyrx_test

#include "midi/OrdreLecture.h"

#include "document/Variable.h"
#include "midi/EtatLecture.h"

#include <algorithm>
#include <set>
#include <tuple>

std::vector<int32_t> OrdreLecture(1, 0);
int32_t NbOrdreLecture = 0;

namespace {

void Deplier(bool repetitions)
{
    const int32_t nbMesures = std::clamp(Partition.NbMesures, 0, kNbMesuresMax);
    int32_t m = 1;
    int32_t debut = 1;     // measure the repeat goes back to
    int32_t passe = 0;     // alternate-ending pass since the repeat start
    int32_t renvois = 0;   // times the repeat without endings went back
    bool joue = true;
    bool saute = false;
    // A repeat end met again in the same state would go back for ever (a second repeat end
    // after an alternate ending with no new repeat start does): the second time it lets the
    // song go on instead.
    std::set<std::tuple<int32_t, int32_t, int32_t, int32_t>> retours;

    while (m <= nbMesures && NbOrdreLecture < LimiteOrdreLecture) {
        const TMesure* mesure = Partition.Mesures[m].get();
        if (!mesure) {
            ++m;
            continue;
        }
        if (repetitions && mesure->RenvoiDebut) {
            debut = m;
            if (!saute)
                passe = 0;
            saute = false;
        }
        if (repetitions && mesure->Repetition && !mesure->RenvoiDebut) {
            ++passe;
            if (mesure->NumRepetition < passe) {
                --passe;
                joue = false;
            }
        }
        if (joue) {
            OrdreLecture.push_back(m);
            ++NbOrdreLecture;
        }
        if (repetitions && mesure->RenvoiFin) {
            if (passe == 0) {
                ++renvois;
                if (mesure->NbRenvois >= renvois)
                    m = debut - 1;
                else
                    renvois = 0;
            } else if (joue) {
                if (retours.insert({m, debut, passe, renvois}).second) {
                    m = debut - 1;
                    saute = true;
                }
            } else {
                joue = true;
            }
        }
        ++m;
    }
}

} // namespace

bool ConstruireOrdreLecture(int32_t premiere, int32_t derniere, bool repetitions)
{
    OrdreLecture.assign(1, 0);
    NbOrdreLecture = 0;
    Deplier(repetitions);

    if (premiere == derniere) {
        OrdreLecture.assign({0, premiere});
        NbOrdreLecture = 1;
        return true;
    }
    if (premiere > 1) {
        const auto trouve = std::find(OrdreLecture.begin() + 1, OrdreLecture.end(), premiere);
        OrdreLecture.erase(OrdreLecture.begin() + 1, trouve);
        NbOrdreLecture = static_cast<int32_t>(OrdreLecture.size()) - 1;
    }
    if (Partition.NbMesures > derniere && NbOrdreLecture > 0) {
        if (!ParcoursEnCours) {
            if (OrdreLecture[NbOrdreLecture] != derniere) {
                const auto au_dela = std::find_if(OrdreLecture.begin() + 1, OrdreLecture.end(),
                                                  [derniere](int32_t m) { return m > derniere; });
                OrdreLecture.erase(au_dela, OrdreLecture.end());
            }
        } else if (derniere >= 0 && NbOrdreLecture > derniere) {
            OrdreLecture.resize(static_cast<std::size_t>(derniere) + 1);
        }
        NbOrdreLecture = static_cast<int32_t>(OrdreLecture.size()) - 1;
    }
    return true;
}

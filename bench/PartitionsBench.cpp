#include "PartitionsBench.h"

#include "document/Accord.h"
#include "document/Routines.h"
#include "document/TableMix.h"
#include "document/Variable.h"

#include <memory>

namespace {

TMesure& Bloc(int m)
{
    if (!Partition.Mesures[m])
        Partition.Mesures[m] = std::make_unique<TMesure>();
    return *Partition.Mesures[m];
}

} // namespace

void RemplirPartitionDense(const VarianteDense& variante)
{
    ReinitialiserPartition();
    Partition.Titre = "Dense";
    TAccord accord;
    accord.Nom = "Am7/G";
    accord.Fondamentale = 9;
    accord.Typ = 5;
    accord.Frettes = {0, 0, 1, 0, 2, 0, 3};
    const auto partage = std::make_shared<const TAccord>(accord);
    auto mix = cTableMixEvent::Create();
    mix->Volume = 90;
    mix->TransVolume = 2;
    mix->Tempo = 130;
    const std::shared_ptr<const cTableMixEvent> mixPartage = mix;

    Partition.NbMesures = kNbMesuresMax;
    for (int m = 1; m <= kNbMesuresMax; ++m) {
        TMesure& mesure = Bloc(m);
        for (int t = 1; t <= kNbPistes; ++t) {
            mesure.NbTemps[t] = kNbTempsSaisis;
            mesure.DureeReelle[t] = 2.0;
            for (int b = 1; b <= kNbTempsSaisis; ++b) {
                TTemps& temps = mesure.Temps[t][b];
                temps = TTemps{};
                temps.Duree = 30;
                temps.CodeDuree = 4;
                temps.Effet = static_cast<int8_t>(b % 10);
                if (temps.Effet == 3)
                    temps.ValeurCoupVib = variante.MontantsHorsGrille ? 0.5 + (m % 100) / 19.0 : 2.0;
                temps.Brush = static_cast<int8_t>(b % 3);
                temps.DureeBrush = 8;
                if (b % 8 == 1) {
                    temps.AvecAccord = true;
                    temps.Texte = "Texte du temps";
                    if (variante.EnregistrementsParTemps) {
                        temps.Accord = std::make_shared<const TAccord>(accord);
                        temps.TableMix = std::make_shared<const cTableMixEvent>(*mix);
                    } else {
                        temps.Accord = partage;
                        temps.TableMix = mixPartage;
                    }
                }
                for (int s = 1; s <= 6; ++s) {
                    TNoteCorde& note = temps.Notes[s];
                    note.Frette = static_cast<int8_t>((b + s) % 25);
                    note.Nuance = static_cast<uint8_t>(1 + (b + s) % 8);
                    note.Effet = static_cast<uint8_t>((b + s) % 8);
                    if (note.Effet == 5 || note.Effet == 6)
                        note.ValeurBend = variante.MontantsHorsGrille ? 0.25 + (b % 11) / 3.9 : 1.5;
                    note.FretteGrace = static_cast<int8_t>(s == 1 ? 3 : -1);
                    note.NuanceGrace = 5;
                    note.DureeGrace = 2;
                }
            }
        }
    }
}

void RemplirPartitionUnePiste()
{
    ReinitialiserPartition();
    Partition.Titre = "Une piste";
    constexpr int kNbNotes = 32;
    Partition.NbMesures = kNbMesuresMax;
    for (int m = 1; m <= kNbMesuresMax; ++m) {
        TMesure& mesure = Bloc(m);
        mesure.NbTemps[1] = kNbNotes;
        mesure.DureeReelle[1] = 4.0;
        for (int b = 1; b <= kNbNotes; ++b) {
            TTemps& temps = mesure.Temps[1][b];
            temps = TTemps{};
            temps.Duree = DureeEnTicks(3, false, false);
            temps.CodeDuree = 3;
            TNoteCorde& note = temps.Notes[1 + (b - 1) % 6];
            note.Frette = static_cast<int8_t>((m + b) % 13);
        }
    }
}

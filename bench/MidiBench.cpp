// MIDI export of the largest song the editor holds: 1000 measures, 8 tracks, sixteenth notes
// on every string with bends, slides, vibrato, hammer-ons, let ring, strums, grace notes and
// mix-table ramps. Target: under 300 ms for the whole file.
#include "document/Configuration.h"
#include "document/Routines.h"
#include "document/TableMix.h"
#include "document/Variable.h"
#include "midi/EcrireMidi.h"
#include "midi/OrdreLecture.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>

namespace {

void RemplirPlusGrandePartition()
{
    ReinitialiserPartition();
    Configuration = TCONFIG{};
    Partition.NbMesures = kNbMesuresMax;
    Partition.TripletFeel = 0;
    auto mix = std::make_shared<cTableMixEvent>();
    mix->Volume = 80;
    mix->TransVolume = 4;
    mix->Pan = 30;
    mix->TransPan = 2;
    mix->Tempo = 132;
    mix->TransTempo = 2;

    for (int m = 1; m <= kNbMesuresMax; ++m) {
        if (!Partition.Mesures[m])
            Partition.Mesures[m] = std::make_unique<TMesure>();
        TMesure& ms = *Partition.Mesures[m];
        ms.Numerateur = 4;
        ms.Denominateur = 4;
        ms.Duree = 4.0;
        ms.RenvoiDebut = false;
        ms.RenvoiFin = false;
        ms.Repetition = false;
        for (int t = 1; t <= kNbPistes; ++t) {
            ms.NbTemps[t] = 16;
            for (int b = 1; b <= 16; ++b) {
                TTemps& tp = ms.Temps[t][b];
                tp = TTemps{};
                tp.Duree = 120;
                tp.CodeDuree = 2;
                for (int s = 1; s <= 6; ++s) {
                    TNoteCorde& n = tp.Notes[s];
                    n.Frette = static_cast<int8_t>(t == 8 ? 35 + (b + s) % 20 : (m + b + s) % 15);
                    n.Nuance = static_cast<uint8_t>(3 + (b + s) % 6);
                }
                if (t == 8)
                    continue;
                switch (b % 8) {
                case 1: tp.Notes[1].Effet = 5; tp.Notes[1].ValeurBend = 1.0; break;   // bend
                case 2: tp.Notes[2].Effet = 3; break;                                   // slide up
                case 3: tp.Effet = 1; break;                                            // vibrato
                case 4: tp.Notes[3].Effet = 1; tp.Notes[4].Effet = 2; break;            // hammer-on, pull-off
                case 5: tp.Brush = 2; tp.DureeBrush = 16; break;                        // strum
                case 6: tp.Notes[5].Effet = 7; break;                                   // let ring
                case 7: tp.Notes[6].FretteGrace = 2; tp.Notes[6].NuanceGrace = 5; tp.Notes[6].DureeGrace = 1; break;
                default: tp.Notes[1].Effet = 6; tp.Notes[1].ValeurBend = 0.5; break;    // bend and release
                }
                if (b == 1 && m % 16 == 0)
                    tp.TableMix = mix;
            }
        }
    }
}

void BM_ExportMidiPlusGrandePartition(benchmark::State& state)
{
    RemplirPlusGrandePartition();
    std::size_t taille = 0;
    for (auto _ : state) {
        ConstruireOrdreLecture(1, Partition.NbMesures, Configuration.ExportRepeats);
        std::vector<uint8_t> fichier = GenererFichierMidi(ModeLectureExport);
        taille = fichier.size();
        benchmark::DoNotOptimize(fichier.data());
    }
    state.counters["octets"] = static_cast<double>(taille);
}
BENCHMARK(BM_ExportMidiPlusGrandePartition)->Unit(benchmark::kMillisecond);

void BM_ExportMidiSurDisque(benchmark::State& state)
{
    RemplirPlusGrandePartition();
    const std::string chemin = (std::filesystem::temp_directory_path() / "lyrx_bench_export.mid").string();
    for (auto _ : state)
        benchmark::DoNotOptimize(ExporterFichierMidi(chemin));
    std::filesystem::remove(chemin);
}
BENCHMARK(BM_ExportMidiSurDisque)->Unit(benchmark::kMillisecond);

} // namespace

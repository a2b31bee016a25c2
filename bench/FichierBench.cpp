// Reading and writing the largest song the file allows: 1000 measures, 8 tracks, 64 beats of
// six notes with techniques, grace notes, chords, texts and mix-table changes.
#include "document/Accord.h"
#include "document/FichierPartition.h"
#include "document/Routines.h"
#include "document/TableMix.h"
#include "document/Variable.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <sys/resource.h>
#include <unistd.h>

namespace {

void RemplirPartitionDense()
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
        if (!Partition.Mesures[m])
            Partition.Mesures[m] = std::make_unique<TMesure>();
        TMesure& mesure = *Partition.Mesures[m];
        for (int t = 1; t <= kNbPistes; ++t) {
            mesure.NbTemps[t] = kNbTempsSaisis;
            mesure.DureeReelle[t] = 2.0;
            for (int b = 1; b <= kNbTempsSaisis; ++b) {
                TTemps& temps = mesure.Temps[t][b];
                temps = TTemps{};
                temps.Duree = 30;
                temps.CodeDuree = 4;
                temps.Effet = static_cast<int8_t>(b % 10);
                temps.ValeurCoupVib = temps.Effet == 3 ? 2.0 : 1.0;
                temps.Brush = static_cast<int8_t>(b % 3);
                temps.DureeBrush = 8;
                if (b % 8 == 1) {
                    temps.AvecAccord = true;
                    temps.Accord = partage;
                    temps.Texte = "Texte du temps";
                    temps.TableMix = mixPartage;
                }
                for (int s = 1; s <= 6; ++s) {
                    TNoteCorde& note = temps.Notes[s];
                    note.Frette = static_cast<int8_t>((b + s) % 25);
                    note.Nuance = static_cast<uint8_t>(1 + (b + s) % 8);
                    note.Effet = static_cast<uint8_t>((b + s) % 8);
                    note.ValeurBend = (note.Effet == 5 || note.Effet == 6) ? 1.5 : 1.0;
                    note.FretteGrace = static_cast<int8_t>(s == 1 ? 3 : -1);
                    note.NuanceGrace = 5;
                    note.DureeGrace = 2;
                }
            }
        }
    }
}

std::string CheminEssai() { return "/tmp/lyrx-bench-" + std::to_string(::getpid()) + ".lrx"; }

void CompterMemoire(benchmark::State& state)
{
    rusage r{};
    ::getrusage(RUSAGE_SELF, &r);
    state.counters["peak_rss_MB"] = static_cast<double>(r.ru_maxrss) / 1024.0;
}

void BM_EcrireFichierPartition(benchmark::State& state)
{
    RemplirPartitionDense();
    CheminFichier = CheminEssai();
    std::size_t taille = 0;
    for (auto _ : state) {
        const bool ok = EcrireFichierPartition();
        benchmark::DoNotOptimize(ok);
    }
    taille = std::filesystem::file_size(CheminFichier);
    state.counters["file_MB"] = static_cast<double>(taille) / (1024.0 * 1024.0);
    CompterMemoire(state);
}
BENCHMARK(BM_EcrireFichierPartition)->Unit(benchmark::kMillisecond);

void BM_LireFichierPartition(benchmark::State& state)
{
    RemplirPartitionDense();
    const std::string chemin = CheminEssai();
    CheminFichier = chemin;
    EcrireFichierPartition();
    for (auto _ : state) {
        // As Open does: a new song, then the read.
        ReinitialiserPartition();
        CheminFichier = chemin;
        const bool ok = LireFichierPartition();
        benchmark::DoNotOptimize(ok);
    }
    CompterMemoire(state);
    std::remove(chemin.c_str());
}
BENCHMARK(BM_LireFichierPartition)->Unit(benchmark::kMillisecond);

} // namespace

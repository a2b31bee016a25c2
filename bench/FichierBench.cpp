// Reading and writing the largest song the file allows: 1000 measures, 8 tracks, 64 beats of
// six notes with techniques, grace notes, chords, texts and mix-table changes.
#include "PartitionsBench.h"

#include "document/FichierPartition.h"
#include "document/Routines.h"
#include "document/Variable.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <sys/resource.h>
#include <unistd.h>

namespace {

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
    for (auto _ : state) {
        const bool ok = EcrireFichierPartition();
        benchmark::DoNotOptimize(ok);
    }
    const std::size_t taille = std::filesystem::file_size(CheminFichier);
    state.counters["file_MB"] = static_cast<double>(taille) / (1024.0 * 1024.0);
    CompterMemoire(state);
    std::remove(CheminFichier.c_str());
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

// The splash window's part of the start: its creation reads its picture (GIF) and its tune
// (WAV) from the program folder and shows them; no music plays here (setting 3), so that only
// what stands between the program's start and the main window is measured.
#include "document/Configuration.h"
#include "print/Splash.h"

#include "ApplicationBench.h"

#include <QApplication>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

void BM_CreationSplash(benchmark::State& state)
{
    ApplicationBench();
    ::setenv("LYRX_PROGRAM_DIR", (std::string(LYRX_SOURCE_DIR) + "/data").c_str(), 1);
    Configuration.StartingMusic = 3;
    for (auto _ : state) {
        auto* splash = new TSplashForm();
        splash->Montrer();
        state.PauseTiming();
        delete splash;
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
    ::unsetenv("LYRX_PROGRAM_DIR");
}

} // namespace

BENCHMARK(BM_CreationSplash)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(10)
    ->ComputeStatistics("min", [](const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); })
    ->ReportAggregatesOnly(true);

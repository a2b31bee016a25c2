// Start-up to the main window shown, offscreen: the settings and the language, the main
// window's creation with its menus and toolbar, the resident windows and the print services
// the program builds around it, its first activation (the new empty song) and
// the first paint. Each run starts from a fresh window; the median of ten runs is reported.
#include "app/Main.h"
#include "app/Programme.h"
#include "app/ServicesFenetres.h"
#include "document/ConfigFichier.h"
#include "document/Fenetre.h"
#include "document/Langue.h"
#include "document/Variable.h"

#include "ApplicationBench.h"

#include <QApplication>
#include <QWindow>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

QApplication& Application() { return ApplicationBench(); }

void BM_DemarrageFenetrePrincipale(benchmark::State& state)
{
    Application();
    namespace fs = std::filesystem;
    const fs::path dossier = fs::temp_directory_path() / ("lyrx_bench_demarrage_" + std::to_string(::getpid()));
    fs::create_directories(dossier);
    ::setenv("LYRX_WINDOWS_DIR", dossier.c_str(), 1);
    RepertoireProgramme = std::string(LYRX_SOURCE_DIR) + "/data/";
    // A known language, so the first-start dialog does not ask.
    {
        std::FILE* f = std::fopen((dossier / NomFichierConfiguration).c_str(), "wb");
        std::fputs("[Config]\r\nPatcheLangue=English\r\n", f);
        std::fclose(f);
    }

    for (auto _ : state) {
        PisteCourante = 1;
        ChargerConfiguration(RepertoireProgramme, NomFichierConfiguration);
        DefinirFichierAide();
        auto services = std::make_unique<TServicesImpressionProgramme>();
        InstallerServicesImpression(services.get());
        auto fenetre = std::make_unique<TForm1>();
        InstallerFenetrePrincipale(fenetre.get());
        auto residentes = std::make_unique<TFenetresResidentes>(*fenetre);
        fenetre->show();
        fenetre->Demarrer();
        while (!fenetre->windowHandle() || !fenetre->windowHandle()->isExposed())
            QCoreApplication::processEvents();
        QCoreApplication::processEvents();

        state.PauseTiming();
        residentes.reset();
        InstallerFenetrePrincipale(nullptr);
        fenetre.reset();
        InstallerServicesImpression(nullptr);
        services.reset();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
    ::unsetenv("LYRX_WINDOWS_DIR");
    fs::remove_all(dossier);
}

} // namespace

BENCHMARK(BM_DemarrageFenetrePrincipale)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(10)
    ->ComputeStatistics("min", [](const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); })
    ->ReportAggregatesOnly(true);

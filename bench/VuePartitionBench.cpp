// The score view on a 1000-measure track: laying it out into lines, a full refresh of the view
// (layout, the ring's lines painted into their band images, the panel shown), and a jump of the
// scroll bar from one end of the song to the other, which paints only the ring at its target.
// The track mixes quarters, eighths, sixteenths and a few long notes, about 7 beats a measure,
// on a 900 x 600 panel offscreen. Argument 0 paints the lines with the sketch of staves and
// bars, 1 with the score painter.
#include "app/VuePartition.h"
#include "document/Configuration.h"
#include "document/Routines.h"
#include "document/Variable.h"
#include "editor/Commandes.h"
#include "editor/Disposition.h"
#include "editor/Ecran.h"
#include "editor/Scrolling.h"

#include "ApplicationBench.h"

#include <QApplication>
#include <QImage>
#include <QScrollBar>
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <vector>

namespace {

void Application() { ApplicationBench(); }

void PisteDeMilleMesures()
{
    static const std::vector<std::vector<int32_t>> motifs = {
        {480, 480, 480, 480},
        {240, 240, 240, 240, 240, 240, 240, 240},
        {960, 480, 240, 240},
        {120, 120, 120, 120, 240, 240, 480, 960},
        {480, 240, 240, 120, 120, 120, 120, 120, 120, 120, 120, 480},
        {1920},
    };
    ReinitialiserConfiguration();
    ReinitialiserPartition();
    PisteCourante = 1;
    Partition.NbMesures = 1000;
    for (int m = 1; m <= 1000; ++m) {
        auto& bloc = Partition.Mesures[m];
        if (!bloc)
            bloc = std::make_unique<TMesure>();
        const auto& motif = motifs[static_cast<std::size_t>(m) % motifs.size()];
        bloc->NbTemps[1] = static_cast<int32_t>(motif.size());
        for (std::size_t b = 0; b < motif.size(); ++b)
            bloc->Temps[1][b + 1].Duree = motif[b];
    }
    Partition.Mesures[1]->RenvoiDebut = true;
    Partition.Mesures[16]->RenvoiFin = true;
    Partition.Mesures[400]->Numerateur = 3;
    CalculerLargeursTemps();
}

// A view in the state a user sees it in: laid out, painted, at the top.
struct Vue {
    std::unique_ptr<VuePartition> widget;
    std::unique_ptr<QScrollBar> barre;
    QImage ecran;

    explicit Vue(bool peintreComplet)
    {
        Application();
        Commandes().Reinitialiser();
        PisteDeMilleMesures();
        ReinitialiserVuePartition();
        if (peintreComplet)
            InitialiserEcran();
        else
            InstallerPeintresPartition({});
        widget = std::make_unique<VuePartition>();
        widget->resize(900, 600);
        widget->DefinirHauteurClient([] { return 700; });
        barre = std::make_unique<QScrollBar>(Qt::Vertical);
        widget->AttacherBarreDefilement(barre.get());
        InstallerSurfacePartition(widget.get());
        DisposerBandes();
        RedessinerPartition();
        ecran = QImage(widget->size(), QImage::Format_RGB32);
    }
    ~Vue()
    {
        InstallerSurfacePartition(nullptr);
        InstallerPeintresPartition({});
        widget.reset();
        ReinitialiserVuePartition();
        ReinitialiserPartition();
    }
    void Montrer() { widget->render(&ecran); }
};

void BM_CouperLignesMilleMesures(benchmark::State& state)
{
    PisteDeMilleMesures();
    ReinitialiserVuePartition();
    LignesAffichage.LargeurDispo = 894;
    for (auto _ : state) {
        CouperLignes();
        benchmark::DoNotOptimize(LignesAffichage.NbLignes);
    }
    state.counters["lignes"] = LignesAffichage.NbLignes;
    ReinitialiserPartition();
}
BENCHMARK(BM_CouperLignesMilleMesures)->Unit(benchmark::kMicrosecond);

void BM_RafraichissementComplet(benchmark::State& state)
{
    Vue vue(state.range(0) != 0);
    for (auto _ : state) {
        RedessinerPartition();
        vue.Montrer();
    }
    state.counters["bandes"] = LignesAffichage.NbBandes;
}
BENCHMARK(BM_RafraichissementComplet)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_SautDUnBoutALAutre(benchmark::State& state)
{
    Vue vue(state.range(0) != 0);
    bool enBas = false;
    for (auto _ : state) {
        enBas = !enBas;
        vue.barre->setValue(enBas ? vue.barre->maximum() : 0);
        vue.Montrer();
    }
    state.counters["lignes"] = LignesAffichage.NbLignes;
}
BENCHMARK(BM_SautDUnBoutALAutre)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace

// One typed fret in the edit zone: from the digit reaching the engine to the touched beat, its
// beams, the triplet row and the measure status repainted on the edit image (a QImage through
// the Qt canvas, offscreen). The measure holds sixteen beamed sixteenths of three-note chords,
// the cursor is on beat 8; the same fret is typed again and again, so every run does the same
// work. The second benchmark adds the command-state refresh that the key handler runs after
// every digit.
#include "document/Routines.h"
#include "document/Variable.h"
#include "editor/Commandes.h"
#include "editor/DessinSaisie.h"
#include "editor/Ed_fct.h"
#include "editor/EtatCommandes.h"
#include "platform/qt/CanevasQt.h"

#include "ApplicationBench.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>

namespace {

void Application() { ApplicationBench(); }

// A 4/4 measure of sixteen sixteenths, each a chord on strings 1 to 3; cursor on beat 8.
void PreparerMesure()
{
    Commandes().Reinitialiser();
    ReinitialiserPartition();
    TMesure& mesure = *Partition.Mesures[1];
    mesure.NbTemps[1] = 16;
    for (int b = 1; b <= 16; ++b) {
        TTemps& temps = mesure.Temps[1][b];
        temps = TTemps{};
        temps.CodeDuree = 2;
        temps.Duree = 120;
        for (int s = 1; s <= 3; ++s)
            temps.Notes[s].Frette = static_cast<int8_t>(b % 13);
    }
    InitialiserTempsSuivant(1, 1);
    Curseur.Temps = 8;
    Curseur.Corde = 2;
    Curseur.ChiffreEnAttente = false;
    CopieMesureEntree = mesure;
}

class ZoneSaisieQt {
public:
    ZoneSaisieQt()
    {
        Application();
        PreparerMesure();
        Curseur.LargeurZone = 18 * Curseur.LargeurTemps;
        LargeurPanneauSaisie = Curseur.LargeurZone + 2 * Curseur.MargeGauche;
        image_ = std::make_unique<QImage>(LargeurPanneauSaisie, 153, QImage::Format_RGB32);
        peintre_ = std::make_unique<QPainter>(image_.get());
        canevas_ = std::make_unique<platform::CanevasQt>(*peintre_);
        InstallerCanevasSaisie(canevas_.get());
        RedessinerMesure();
    }
    ~ZoneSaisieQt()
    {
        InstallerCanevasSaisie(nullptr);
        canevas_.reset();
        peintre_->end();
    }

private:
    std::unique_ptr<QImage> image_;
    std::unique_ptr<QPainter> peintre_;
    std::unique_ptr<platform::CanevasQt> canevas_;
};

void BM_SaisirChiffre(benchmark::State& state)
{
    ZoneSaisieQt zone;
    for (auto _ : state)
        SaisirChiffre(5, Modif::Aucun);
    benchmark::DoNotOptimize(Partition.Mesures[1]->Temps[1][8].Notes[2].Frette);
}
BENCHMARK(BM_SaisirChiffre)->Unit(benchmark::kMicrosecond);

void BM_SaisirChiffreEtActualiserCommandes(benchmark::State& state)
{
    ZoneSaisieQt zone;
    for (auto _ : state) {
        SaisirChiffre(5, Modif::Aucun);
        ActualiserCommandes();
    }
    benchmark::DoNotOptimize(Partition.Mesures[1]->Temps[1][8].Notes[2].Frette);
}
BENCHMARK(BM_SaisirChiffreEtActualiserCommandes)->Unit(benchmark::kMicrosecond);

} // namespace

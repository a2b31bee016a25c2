// The score painter on dense music: 4/4 measures of sixteen sixteenths, each a three-note
// chord with ghost notes, grace notes, hammer-ons, slides and bends, a chord diagram and a text
// every fourth beat, beat techniques, a triplet group and a tie; the chord list above. One
// display line painted into a band image through the Qt canvas (and through a canvas that
// draws nothing, for the painter's own cost), and a full refresh of the visible view: layout,
// every ring band painted, the chord list, on a 900-pixel view 700 pixels high, offscreen.
#include "document/Accord.h"
#include "document/Configuration.h"
#include "document/Routines.h"
#include "document/TableMix.h"
#include "document/Variable.h"
#include "editor/Chords_u.h"
#include "editor/Commandes.h"
#include "editor/Disposition.h"
#include "editor/Ecran.h"
#include "editor/Fontes.h"
#include "editor/Ligatures.h"
#include "editor/Scrolling.h"
#include "platform/CanevasMuet.h"
#include "platform/qt/CanevasQt.h"

#include "ApplicationBench.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>

#include <array>
#include <cstdlib>
#include <memory>

namespace {

void Application() { ApplicationBench(); }

constexpr int kNbMesures = 200;

void MusiqueDense()
{
    ReinitialiserConfiguration();
    ReinitialiserPartition();
    ReinitialiserPolicesLabels();
    Commandes().Reinitialiser();
    PisteCourante = 1;
    TAccord accord;
    accord.Nom = "Am7";
    accord.Frettes = {0, 0, 1, 0, 2, 0, -1};
    const auto partage = std::make_shared<const TAccord>(accord);
    const std::shared_ptr<const cTableMixEvent> mix = cTableMixEvent::Create();

    Partition.NbMesures = kNbMesures;
    for (int m = 1; m <= kNbMesures; ++m) {
        auto& bloc = Partition.Mesures[m];
        if (!bloc)
            bloc = std::make_unique<TMesure>();
        bloc->NbTemps[1] = 16;
        bloc->RenvoiDebut = m % 8 == 1;
        bloc->RenvoiFin = m % 8 == 0;
        bloc->NbRenvois = 3;
        for (int b = 1; b <= 16; ++b) {
            TTemps& t = bloc->Temps[1][b];
            t = TTemps{};
            t.CodeDuree = 2;
            t.Duree = 120;
            t.Effet = static_cast<int8_t>(b % 10);
            t.ValeurCoupVib = 1.5;
            t.Brush = static_cast<int8_t>(b % 7 == 0 ? 2 : 0);
            if (b % 4 == 1) {
                t.AvecAccord = true;
                t.Accord = partage;
                t.Texte = "cresc.";
            }
            if (b == 9)
                t.TableMix = mix;
            for (int s = 1; s <= 3; ++s) {
                TNoteCorde& n = t.Notes[s + (b % 3)];
                n.Frette = static_cast<int8_t>((b + s) % 20);
                n.Nuance = static_cast<uint8_t>(s == 2 ? 3 : 6);
                n.Effet = static_cast<uint8_t>((b + s) % 7);
                n.ValeurBend = 0.5;
                if (s == 1 && b % 5 == 0) {
                    n.FretteGrace = 7;
                    n.NuanceGrace = 6;
                    n.DureeGrace = 2;
                }
            }
        }
        // Three triplet sixteenths in the time of two, and a tied eighth to end.
        for (int b = 13; b <= 15; ++b) {
            TTemps& t = bloc->Temps[1][b];
            t.Triolet = true;
            t.PosTriolet = static_cast<int8_t>(b - 12);
            t.Duree = 80;
        }
        bloc->Temps[1][16].CodeDuree = 1;
        bloc->Temps[1][16].Duree = 240;
        bloc->Temps[1][16].Lie = true;
    }
    NbAccordsPartition = 12;
    for (int i = 1; i <= 12; ++i)
        AccordsPartition[i] = std::make_unique<TAccord>(accord);
    InitialiserEcran();
    LigaturerPartition();
}

// Band images, each with its painter and canvas, as the score view keeps them.
class SurfaceImages final : public ISurfacePartition {
public:
    SurfaceImages()
    {
        for (auto& b : bandes_) {
            b.image = QImage(906, 200, QImage::Format_RGB32);
            b.peintre = std::make_unique<QPainter>(&b.image);
            b.canevas = std::make_unique<platform::CanevasQt>(*b.peintre);
        }
    }
    int HauteurPanneau() const override { return 700; }
    int LargeurPanneau() const override { return 906; }
    int HauteurClientFenetre() const override { return 755; }
    platform::Canevas* CanevasBande(int b) override
    {
        return b >= 0 && b <= kNbBandesMax ? bandes_[static_cast<std::size_t>(b)].canevas.get() : nullptr;
    }

private:
    struct Bande {
        QImage image;
        std::unique_ptr<QPainter> peintre;
        std::unique_ptr<platform::CanevasQt> canevas;
    };
    std::array<Bande, kNbBandesMax + 1> bandes_;
};

void BM_LigneDense(benchmark::State& state)
{
    Application();
    MusiqueDense();
    ReinitialiserVuePartition();
    LignesAffichage.LargeurDispo = 900;
    CouperLignes();
    const int hauteur = 5 * ParamEcranCourant.EspLignes + ParamEcranCourant.EspPortees;
    const int ligne = 2;
    QImage image(906, hauteur, QImage::Format_RGB32);
    QPainter peintre(&image);
    platform::CanevasQt qt(peintre);
    // Draws nothing; texts measured as the recording canvas does.
    platform::CanevasMuet muet{900, 152, 6};
    platform::Canevas& c = state.range(0) != 0 ? static_cast<platform::Canevas&>(qt) : muet;
    for (auto _ : state)
        DessinerLigne(c, ligne, 906, hauteur);
    state.counters["mesures"] = LignesAffichage.DerniereMesure[ligne] - LignesAffichage.PremiereMesure[ligne] + 1;
    peintre.end();
    ReinitialiserPartition();
}
BENCHMARK(BM_LigneDense)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void BM_RafraichissementVueDense(benchmark::State& state)
{
    Application();
    MusiqueDense();
    ReinitialiserVuePartition();
    SurfaceImages surface;
    InstallerSurfacePartition(&surface);
    DisposerBandes();
    RedessinerPartition();
    for (auto _ : state)
        RedessinerPartition();
    state.counters["bandes"] = LignesAffichage.NbBandes;
    state.counters["lignes"] = LignesAffichage.NbLignes;
    InstallerSurfacePartition(nullptr);
    InstallerPeintresPartition({});
    ReinitialiserVuePartition();
    ReinitialiserPartition();
}
BENCHMARK(BM_RafraichissementVueDense)->Unit(benchmark::kMillisecond);

} // namespace

#pragma once
// A workbench for the score layout and the score view: a song built from beat lengths, a
// window of chosen size whose band pictures are recording canvases, and a line painter that
// notes which lines it was asked to paint.
#include "document/Configuration.h"
#include "document/Routines.h"
#include "document/Variable.h"
#include "editor/Commandes.h"
#include "editor/Disposition.h"
#include "editor/Scrolling.h"
#include "platform/CanevasEnregistreur.h"

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <vector>

namespace chantier_partition {

inline constexpr int32_t kNoire = 480, kBlanche = 960, kRonde = 1920, kCroche = 240;
inline constexpr int32_t kDoubleCroche = 120, kTripleCroche = 60, kQuadrupleCroche = 30;

class SurfaceEnregistreuse : public ISurfacePartition {
public:
    int hauteurPanneau = 500;
    int largeurPanneau = 806; // LargeurDispo 800
    int hauteurClient = 663;  // HauteurClient 608: four 152-pixel lines exactly
    int actualisations = 0;
    std::array<std::unique_ptr<platform::CanevasEnregistreur>, kNbBandesMax + 1> canevas;

    int HauteurPanneau() const override { return hauteurPanneau; }
    int LargeurPanneau() const override { return largeurPanneau; }
    int HauteurClientFenetre() const override { return hauteurClient; }
    platform::Canevas* CanevasBande(int bande) override
    {
        auto& c = canevas.at(static_cast<std::size_t>(bande));
        if (!c)
            c = std::make_unique<platform::CanevasEnregistreur>(1000, 400);
        return c.get();
    }
    void ActualiserAffichage() override { ++actualisations; }

    void Effacer()
    {
        for (auto& c : canevas)
            if (c)
                c->Effacer();
    }
};

// Replaces the song by measures whose beats on track 1 last the given ticks (4/4 each).
inline void PartitionDeMesures(const std::vector<std::vector<int32_t>>& mesures)
{
    ReinitialiserPartition();
    Partition.NbMesures = static_cast<int32_t>(mesures.size());
    for (std::size_t i = 0; i < mesures.size(); ++i) {
        auto& bloc = Partition.Mesures[i + 1];
        if (!bloc)
            bloc = std::make_unique<TMesure>();
        bloc->NbTemps[1] = static_cast<int32_t>(mesures[i].size());
        // Fresh beats: measure 1 keeps the notes an earlier song left in its slots, and the
        // layout measures the frets it finds there.
        for (std::size_t b = 0; b < mesures[i].size(); ++b) {
            TTemps& temps = bloc->Temps[1][b + 1];
            temps = TTemps{};
            temps.Duree = mesures[i][b];
        }
    }
}

inline std::vector<int32_t> Repeter(int32_t duree, int n) { return std::vector<int32_t>(static_cast<std::size_t>(n), duree); }

inline std::vector<int32_t> XEcran(int32_t m)
{
    std::vector<int32_t> x;
    const TMesure& bloc = *Partition.Mesures[m];
    for (int32_t b = 1; b <= bloc.NbTemps[1]; ++b)
        x.push_back(bloc.Temps[1][b].XEcran);
    return x;
}

// Default settings, an empty song, track 1, a fresh view on a recording window.
class VuePartitionTest : public ::testing::Test {
protected:
    SurfaceEnregistreuse surface;
    std::vector<int32_t> lignesPeintes;

    void SetUp() override
    {
        ReinitialiserConfiguration();
        ReinitialiserPartition();
        PisteCourante = 1;
        Commandes().Reinitialiser();
        ReinitialiserVuePartition();
        CalculerLargeursTemps();
        InstallerSurfacePartition(&surface);
        InstallerPeintresPartition({});
    }
    void TearDown() override
    {
        InstallerSurfacePartition(nullptr);
        InstallerPeintresPartition({});
        ReinitialiserVuePartition();
        ReinitialiserPartition();
        Commandes().Reinitialiser();
    }

    // The line painter notes the lines, in order, instead of painting them.
    void NoterLignes()
    {
        PeintresPartition p;
        p.DessinerLigne = [this](int32_t ligne) { lignesPeintes.push_back(ligne); };
        InstallerPeintresPartition(p);
    }
    std::vector<int32_t> Peintes()
    {
        auto l = std::move(lignesPeintes);
        lignesPeintes.clear();
        return l;
    }
};

} // namespace chantier_partition

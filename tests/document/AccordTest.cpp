#include "document/Accord.h"
#include "document/TableMix.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Barre {
    int32_t frette, debut, fin;
};

struct CasBarres {
    std::string nom;
    std::array<int32_t, 7> frettes; // entry 0 unused
    int32_t base;
    std::vector<Barre> barres;
};

} // namespace

TEST(ChercherBarres, TableOfShapes)
{
    const CasBarres cas[] = {
        {"four strings on one row", {0, -1, 3, 3, 3, 3, -1}, 1, {{3, 1, 5}}},
        {"only three fretted strings", {0, 0, 1, 0, 2, 3, -1}, 1, {}},
        {"F shape: higher strings neither stop nor count", {0, 1, 1, 2, 3, 3, 1}, 1, {{1, 1, 6}}},
        {"an open string above the row ends the walk", {0, 0, 2, 2, 2, 2, -1}, 1, {}},
        {"F shape at base fret 5", {0, 5, 5, 6, 7, 7, 5}, 5, {{5, 1, 6}}},
        {"muted strings never end the walk", {0, -1, -1, 3, 3, 3, 3}, 1, {{3, 1, 6}}},
        {"the walk stops after one counted string", {0, 3, 1, 3, 3, 3, -1}, 1, {}},
        {"two barres, lower row first", {0, 3, 3, 3, 1, 1, -1}, 1, {{1, 1, 5}, {3, 1, 3}}},
        {"never more than two barres", {0, 5, 5, 3, 3, 1, 1}, 1, {{1, 1, 6}, {3, 1, 4}}},
        {"rows beyond the diagram count for nothing", {0, 7, 7, 7, 7, 7, 7}, 1, {}},
        {"nothing played", {0, -1, -1, -1, -1, -1, -1}, 1, {}},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.nom);
        const TAccord r = ChercherBarres(c.frettes, c.base);
        ASSERT_EQ(r.NbBarres, static_cast<int32_t>(c.barres.size()));
        for (std::size_t i = 0; i < c.barres.size(); ++i) {
            EXPECT_EQ(r.BarreFrette[i + 1], c.barres[i].frette) << "barre " << i + 1;
            EXPECT_EQ(r.BarreCordeDebut[i + 1], c.barres[i].debut) << "barre " << i + 1;
            EXPECT_EQ(r.BarreCordeFin[i + 1], c.barres[i].fin) << "barre " << i + 1;
        }
    }
}

TEST(AccordTravail, ResetRestoresTheDefaultsButKeepsTheBarreArrays)
{
    AccordTravail.Diese = false;
    AccordTravail.Fondamentale = 4;
    AccordTravail.Typ = 5;
    AccordTravail.NeufOnzeTreize = 2;
    AccordTravail.Basse = 7;
    AccordTravail.DimAug = 1;
    AccordTravail.Add = true;
    AccordTravail.Nom = "Em7";
    AccordTravail.Quinte = 1;
    AccordTravail.Neuf = 2;
    AccordTravail.Onze = 1;
    AccordTravail.FretteBase = 7;
    AccordTravail.Frettes = {0, 0, 3, 0, 0, 2, 0};
    AccordTravail.NbBarres = 2;
    AccordTravail.BarreFrette = {0, 7, 9};
    AccordTravail.BarreCordeDebut = {0, 1, 1};
    AccordTravail.BarreCordeFin = {0, 6, 4};
    AccordTravail.Degres = {false, false, true, false, true, false, true, false};

    ReinitialiserAccordTravail();

    const TAccord& a = AccordTravail;
    EXPECT_TRUE(a.Diese);
    EXPECT_EQ(a.Fondamentale, 12);
    EXPECT_EQ(a.Typ, 0);
    EXPECT_EQ(a.NeufOnzeTreize, 0);
    EXPECT_EQ(a.Basse, 0);
    EXPECT_EQ(a.DimAug, 0);
    EXPECT_FALSE(a.Add);
    EXPECT_TRUE(a.Nom.empty());
    EXPECT_EQ(a.Quinte, 0);
    EXPECT_EQ(a.Neuf, 0);
    EXPECT_EQ(a.Onze, 0);
    EXPECT_EQ(a.FretteBase, 1);
    for (int s = 1; s <= 6; ++s)
        EXPECT_EQ(a.Frettes[s], -1) << s;
    EXPECT_FALSE(a.AvecDiagramme());
    EXPECT_EQ(a.NbBarres, 0);
    for (int d = 1; d <= 7; ++d)
        EXPECT_TRUE(a.Degres[d]) << d;
    EXPECT_EQ(a.BarreFrette[2], 9);
    EXPECT_EQ(a.BarreCordeFin[2], 4);
}

TEST(cTableMixEvent, ANewChangeChangesNothing)
{
    auto mix = cTableMixEvent::Create();
    EXPECT_EQ(mix->Instrument, -1);
    EXPECT_EQ(mix->Volume, -1);
    EXPECT_EQ(mix->Pan, -1);
    EXPECT_EQ(mix->Chorus, -1);
    EXPECT_EQ(mix->Reverb, -1);
    EXPECT_EQ(mix->Tempo, -1);
    EXPECT_EQ(mix->TransVolume, 0);
    EXPECT_EQ(mix->TransPan, 0);
    EXPECT_EQ(mix->TransChorus, 0);
    EXPECT_EQ(mix->TransReverb, 0);
    EXPECT_EQ(mix->TransTempo, 0);
}

TEST(cTableMixEvent, CopierVersCopiesAllElevenFields)
{
    cTableMixEvent source;
    source.Instrument = 25;
    source.Volume = 90;
    source.Pan = 10;
    source.Chorus = 20;
    source.Reverb = 30;
    source.Tempo = 140;
    source.TransVolume = 1;
    source.TransPan = 2;
    source.TransChorus = 3;
    source.TransReverb = 4;
    source.TransTempo = 8;

    auto cible = cTableMixEvent::Create();
    source.CopierVers(*cible);
    EXPECT_EQ(*cible, source);
    EXPECT_EQ(cible->Tempo, 140);
    EXPECT_EQ(cible->TransTempo, 8);
    EXPECT_EQ(cible->TransReverb, 4);
}

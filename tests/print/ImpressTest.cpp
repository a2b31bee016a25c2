// Scale, millimetre conversion, scaled fonts and the start-up state of the print engine.
#include "FixtureImpression.h"

#include <cmath>

namespace {

using ImpressTest = FixtureImpression;

TEST_F(ImpressTest, ProportionsSettingGivesTheGlobalFactor)
{
    struct Cas {
        int32_t g;
        double coef;
    };
    for (const Cas c : {Cas{0, 1.0}, Cas{20, 2.0}, Cas{-20, 0.5}, Cas{40, 3.0}, Cas{-40, 1.0 / 3.0}, Cas{1, 1.05}})
        EXPECT_DOUBLE_EQ(CoefProportionsDe(c.g), c.coef) << c.g;
}

TEST_F(ImpressTest, ScaleIsDevicePixelsPerPrintMillimetre)
{
    for (const int ppp : {96, 150, 300, 600, 1200}) {
        ParamImpCourant.GlobalProportions_Prt = 0;
        CalculerEchelleImpression(ppp);
        EXPECT_DOUBLE_EQ(EchelleImpr(), ppp / 25.4) << ppp;
        ParamImpCourant.GlobalProportions_Prt = 20;
        CalculerEchelleImpression(ppp);
        EXPECT_DOUBLE_EQ(ParamImpCourant.CoefProportions, 2.0);
        EXPECT_DOUBLE_EQ(EchelleImpr(), 2 * ppp / 25.4) << ppp;
    }
    // Without arguments the resolution is the print canvas's.
    ParamImpCourant.GlobalProportions_Prt = 0;
    canevas.SetPixelsParPouce(300);
    CalculerEchelleImpression();
    EXPECT_DOUBLE_EQ(EchelleImpr(), 300 / 25.4);
}

TEST_F(ImpressTest, PositionsRoundFromTheLeftWorkingMargin)
{
    PageExacte(10.0, 2000);
    ParamImpCourant.MargeGaucheLignes = 10;
    EXPECT_EQ(PixImpr(2.75), 28);   // 27.5 rounds to even
    EXPECT_EQ(PixImpr(2.86), 29);
    EXPECT_EQ(PixImpr(3.25), 32);   // 32.5 rounds to even
    EXPECT_EQ(XImpr(0), 100);
    EXPECT_EQ(XImpr(0.25), 102);    // 102.5 rounds to even
    EXPECT_EQ(XImpr(0.375), 104);
}

TEST_F(ImpressTest, FontSizesFollowProportionsAndZoomButNeverVanish)
{
    struct Cas {
        double coef, zoom, points;
        int taille;
    };
    for (const Cas c : {Cas{1, 1, 9, 9}, Cas{2, 1, 9, 18}, Cas{0.5, 1, 9, 4}, Cas{1, 0.15, 5, 1}, Cas{1.0 / 3, 0.15, 5, 1},
                        Cas{1, 1.3, 8, 10}, Cas{1, 0.5, 5, 2}}) {
        ParamImpCourant.CoefProportions = c.coef;
        ParamImpCourant.ZoomApercu = c.zoom;
        EXPECT_EQ(TailleImpr(c.points), c.taille) << c.coef << " " << c.zoom << " " << c.points;
    }
    ParamImpCourant.CoefProportions = 2;
    ParamImpCourant.ZoomApercu = 1;
    const platform::StyleFonte titre = PoliceImpr("FontTitle_Prt");
    EXPECT_EQ(titre.nom, "Arial");
    EXPECT_EQ(titre.taille, 40);
    EXPECT_TRUE(titre.gras);
}

TEST_F(ImpressTest, StartUpSetsFixedFontsConstantsAndWidths)
{
    ParamImpCourant = TZoneImpression{};
    ReinitialiserPolicesLabels();
    PolicesLabels().Definir("FontNumM_Prt", TMyFont{"Times", 20, true, true, CouleurRouge});
    InitialiserImpression();

    const TZoneImpression& p = ParamImpCourant;
    EXPECT_TRUE(p.AjusterApercu);
    EXPECT_EQ(p.MesureEnCours, 1);
    EXPECT_DOUBLE_EQ(p.HauteurBaseLigne, 30.0);
    EXPECT_DOUBLE_EQ(p.EcartCordes, 2.75);
    EXPECT_EQ(p.GeometrieImpr, kGeometrieImpr);
    EXPECT_DOUBLE_EQ(p.GeometrieImpr.EpaisseurBarreEpaisse, 1.1);
    EXPECT_DOUBLE_EQ(p.LargeurBase, 5.0);
    EXPECT_DOUBLE_EQ(p.EspaceAvantTemps, 5.0);

    struct Fixe {
        const char* nom;
        int taille;
        bool italique;
    };
    for (const Fixe f : {Fixe{"FontEff_Prt", 5, false}, Fixe{"FontEffItalic_Prt", 6, true}, Fixe{"FontValEff_Prt", 6, false},
                         Fixe{"FontTriolet_Prt", 8, true}, Fixe{"FontNumM_Prt", 6, false}}) {
        TMyFont police;
        ASSERT_TRUE(PolicesLabels().Lire(f.nom, police));
        EXPECT_EQ(police, (TMyFont{"Arial", f.taille, false, f.italique, CouleurNoire})) << f.nom;
    }
}

} // namespace

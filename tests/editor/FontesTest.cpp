// The text styles by label name: what AppliquerPolices copies, how styles are found, that the
// records no longer count once applied, and what a style that cannot be drawn is drawn with.
#include "document/Configuration.h"
#include "editor/Fontes.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

class FontesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ReinitialiserConfiguration();
        ReinitialiserPolicesLabels();
    }
    void TearDown() override
    {
        ReinitialiserConfiguration();
        ReinitialiserPolicesLabels();
    }
    static TMyFont Lu(const std::string& nom)
    {
        TMyFont f;
        EXPECT_TRUE(PolicesLabels().Lire(nom, f)) << nom;
        return f;
    }
};

TEST_F(FontesTest, ThereIsOneStylePerLabelInItsGroups)
{
    const auto& noms = PolicesLabels().Noms();
    EXPECT_EQ(noms.size(), 89u);
    EXPECT_EQ(std::set<std::string>(noms.begin(), noms.end()).size(), 89u);
    for (const char* nom : {"FontNotes", "FontRenv_US3", "FontTitle_Prt", "FontRenv_Prt_US1", "FontNotes_Mem",
                            "FontAccDiag_Prt_Mem", "FontEff", "FontEffItalic", "FontValEff", "FontTriolet",
                            "FontEff_Prt", "FontEffItalic_Prt", "FontNumM_Prt"})
        EXPECT_TRUE(PolicesLabels().Existe(nom)) << nom;
    // Names compare exactly; a style name without its group suffix is another label.
    for (const char* nom : {"fontnotes", "FontNotes_US4", "FontTitle", "FontTitle_Prt_Mem_US1", ""})
        EXPECT_FALSE(PolicesLabels().Existe(nom)) << nom;

    // The fixed fonts of the technique marks are there from the start.
    EXPECT_EQ(Lu("FontEffItalic"), (TMyFont{"Small Fonts", 7, false, true, CouleurNoire}));
    EXPECT_EQ(Lu("FontTriolet"), (TMyFont{"Arial", 7, false, false, CouleurNoire}));
    EXPECT_EQ(Lu("FontTriolet_Prt"), (TMyFont{"Arial", 8, false, true, CouleurNoire}));
}

TEST_F(FontesTest, ApplyingCopiesEveryPersistedStyleAndClearsTheOldStyle)
{
    // The label was bold; the settings say not bold, italic: italic only.
    PolicesLabels().Definir("FontNotes", TMyFont{"Arial", 8, true, false, CouleurNoire});
    ParamEcranCourant.FontNotes = {"Arial", 8, false, true, CouleurNoire};
    ParamEcranUS2.FontAcc = {"Times New Roman", 14, true, true, 0x00FF00};
    ParamImpCourant.FontTitle_Prt = {"Courier New", 24, false, false, 255};
    ParamImpUS3.FontRenv_Prt = {"Arial", 11, false, false, 0x123456};
    ParamEcranCourant.FontSign = {"Arial", 12, false, false, CouleurNoire};
    AppliquerPolices();

    EXPECT_EQ(Lu("FontNotes"), (TMyFont{"Arial", 8, false, true, CouleurNoire}));
    EXPECT_EQ(Lu("FontAcc_US2"), (TMyFont{"Times New Roman", 14, true, true, 0x00FF00}));
    EXPECT_EQ(Lu("FontTitle_Prt"), (TMyFont{"Courier New", 24, false, false, 255}));
    EXPECT_EQ(Lu("FontRenv_Prt_US3"), (TMyFont{"Arial", 11, false, false, 0x123456}));
    EXPECT_EQ(Lu("FontSign"), (TMyFont{"Arial", 12, false, false, CouleurNoire}));
    // The presets keep their own values; the copies are the preferences' business.
    EXPECT_EQ(Lu("FontAcc"), ParamEcranCourant.FontAcc);
    EXPECT_EQ(Lu("FontAcc_US1"), ParamEcranUS1.FontAcc);
    EXPECT_EQ(Lu("FontNotes_Mem"), (TMyFont{"Arial", 8, true, false, CouleurNoire}));

    // The painters get the style with its colour as red, green and blue.
    const platform::StyleFonte s = PolicesLabels().PoliceDessin("FontTitle_Prt");
    EXPECT_EQ(s, (platform::StyleFonte{"Courier New", 24, false, false, platform::clRed}));
}

TEST_F(FontesTest, OnceAppliedTheRecordsNoLongerCount)
{
    TMyFont f;
    // Before the first activation there is no live font: the saver keeps the record's style.
    EXPECT_FALSE(LirePoliceLabel("FontNotes", f));
    AppliquerPolices();

    ParamEcranCourant.FontNotes.Size = 20;
    ParamEcranCourant.FontNotes.Name = "Courier New";
    EXPECT_EQ(PolicesLabels().PoliceDessin("FontNotes").taille, 8);
    ASSERT_TRUE(LirePoliceLabel("FontNotes", f));
    EXPECT_EQ(f, (TMyFont{"Arial", 8, true, false, CouleurNoire}));

    // The preferences change the label: that is what is drawn and saved.
    PolicesLabels().Definir("FontNotes", platform::StyleFonte{"Arial", 10, false, false, platform::clBlue});
    ASSERT_TRUE(LirePoliceLabel("FontNotes_Prt_US2", f));
    ASSERT_TRUE(LirePoliceLabel("FontNotes", f));
    EXPECT_EQ(f, (TMyFont{"Arial", 10, false, false, 0xFF0000}));
    EXPECT_FALSE(LirePoliceLabel("FontNotes_US9", f));
    EXPECT_FALSE(LirePoliceLabel(nullptr, f));
}

TEST_F(FontesTest, AStyleThatCannotBeDrawnIsDrawnWithItsFactoryFaceAndSizeButSavedAsRead)
{
    ParamEcranCourant.FontNum = {"", 0, true, false, 0x0000FF};
    ParamImpUS1.FontComment_Prt = {"Verdana", -3, false, true, 0};
    // A system colour value (high byte set) is kept for the file; drawing uses its low bytes.
    ParamEcranCourant.FontTxt = {"Arial", 8, false, true, static_cast<TCouleur>(0xFF000008)};
    AppliquerPolices();

    TMyFont f;
    ASSERT_TRUE(LirePoliceLabel("FontNum", f));
    EXPECT_EQ(f, (TMyFont{"", 0, true, false, 0x0000FF}));
    EXPECT_EQ(PolicesLabels().PoliceDessin("FontNum"),
              (platform::StyleFonte{"Small Fonts", 7, true, false, platform::clRed}));

    ASSERT_TRUE(LirePoliceLabel("FontComment_Prt_US1", f));
    EXPECT_EQ(f.Size, -3);
    const platform::StyleFonte c = PolicesLabels().PoliceDessin("FontComment_Prt_US1");
    EXPECT_EQ(c.nom, "Verdana");
    EXPECT_EQ(c.taille, 10);

    ASSERT_TRUE(LirePoliceLabel("FontTxt", f));
    EXPECT_EQ(f.Col, static_cast<TCouleur>(0xFF000008));
    EXPECT_EQ(PolicesLabels().PoliceDessin("FontTxt").couleur, (platform::Couleur{8, 0, 0}));

    // An unknown name draws with the canvas's own default font.
    EXPECT_EQ(PolicesLabels().PoliceDessin("FontNope"), platform::StyleFonte{});
}

} // namespace

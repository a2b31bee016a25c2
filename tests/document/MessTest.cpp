// The message box's entry point, its answers and its layout arithmetic.
#include "document/Langue.h"
#include "document/Mess.h"

#include <gtest/gtest.h>

TEST(AfficherMessage, WithoutABoxTheDefaultButtonAnswers)
{
    EXPECT_EQ(AfficherMessage("t", "x", IconeErreur, BoutonOK, DefautOK, 0), ResultatOK);
    EXPECT_EQ(AfficherMessage("t", "x", IconeConfirmation, BoutonOui | BoutonNon | BoutonAnnuler, DefautOui, 0),
              ResultatOui);
    EXPECT_EQ(AfficherMessage("t", "x", IconeAvertissement, BoutonOui | BoutonNon, DefautNon, 0), ResultatNon);
}

TEST(AfficherMessage, TheInstalledBoxReceivesEveryArgument)
{
    EnregistreurMessages e;
    e.Reponses = {ResultatAnnuler};
    EXPECT_EQ(AfficherMessage("Caption", "Text", IconeConfirmation, BoutonOui | BoutonNon | BoutonAnnuler,
                              DefautOui, 1),
              ResultatAnnuler);
    EXPECT_EQ(AfficherMessage("C2", "T2", IconeErreur, BoutonOK, DefautOK, 0), ResultatOK); // no answer left
    ASSERT_EQ(e.Messages.size(), 2u);
    const MessageAffiche& m = e.Messages[0];
    EXPECT_EQ(m.Legende, "Caption");
    EXPECT_EQ(m.Texte, "Text");
    EXPECT_EQ(m.Icone, IconeConfirmation);
    EXPECT_EQ(m.Boutons, BoutonOui | BoutonNon | BoutonAnnuler);
    EXPECT_EQ(m.BoutonDefaut, DefautOui);
    EXPECT_EQ(m.Placement, 1);
}

TEST(AfficherMessage, RecordersNestAndRestore)
{
    EnregistreurMessages dehors;
    {
        EnregistreurMessages dedans;
        AfficherMessage("a", "b", 0, BoutonOK, DefautOK, 0);
        EXPECT_EQ(dedans.Messages.size(), 1u);
    }
    AfficherMessage("a", "b", 0, BoutonOK, DefautOK, 0);
    EXPECT_EQ(dehors.Messages.size(), 1u);
}

TEST(ReponseEchap, CancelElseNoElseNothing)
{
    struct Cas {
        uint16_t boutons;
        int reponse;
    };
    const Cas cas[] = {
        {BoutonOui | BoutonNon | BoutonAnnuler, ResultatAnnuler},
        {BoutonOui | BoutonNon, ResultatNon},
        {BoutonOK, 0},
        {BoutonOK | BoutonAnnuler, ResultatAnnuler},
        {BoutonNon, ResultatNon},
        {BoutonOui, 0},
    };
    for (const Cas& c : cas)
        EXPECT_EQ(ReponseEchap(c.boutons), c.reponse) << c.boutons;
    EXPECT_EQ(ResultatBouton(DefautOui), 6);
    EXPECT_EQ(ResultatBouton(DefautNon), 7);
    EXPECT_EQ(ResultatBouton(DefautOK), 1);
    EXPECT_EQ(ResultatBouton(DefautAnnuler), 2);
}

TEST(DisposerMessage, OkBoxIsTheTextPlusMarginsOrTheButtonPlusMargins)
{
    // A text 198 wide: client 278, the button centred at round(98.5) = 98 (halves to even).
    DispositionMessage d = DisposerMessage(1.0, 198, 13, BoutonOK);
    EXPECT_EQ(d.Texte, (RectMessage{64, 16, 198, 13}));
    EXPECT_EQ(d.LargeurClient, 278);
    EXPECT_TRUE(d.Visible[BmOK]);
    EXPECT_FALSE(d.Visible[BmOui]);
    EXPECT_EQ(d.Boutons[BmOK], (RectMessage{98, 54, 81, 26}));
    EXPECT_EQ(d.HauteurClient, 54 + 26 + 12);
    EXPECT_EQ(d.Icone, (RectMessage{16, 16 + (-10), 32, 32})); // round(-9.5) = -10

    // A short text: the button and its margins set the width.
    d = DisposerMessage(1.0, 10, 13, BoutonOK);
    EXPECT_EQ(d.LargeurClient, 81 + 28);
    EXPECT_EQ(d.Boutons[BmOK].X, 14);
}

TEST(DisposerMessage, ButtonsStandInFixedOrderWhateverTheBits)
{
    const uint16_t ensembles[] = {BoutonOui | BoutonNon | BoutonAnnuler, BoutonAnnuler | BoutonNon | BoutonOui};
    for (uint16_t b : ensembles) {
        const DispositionMessage d = DisposerMessage(1.0, 100, 26, b);
        EXPECT_EQ(d.LargeurClient, 3 * 81 + 2 * 10 + 28);
        EXPECT_FALSE(d.Visible[BmOK]);
        EXPECT_EQ(d.Boutons[BmOui].X, 14);
        EXPECT_EQ(d.Boutons[BmNon].X, 14 + 91);
        EXPECT_EQ(d.Boutons[BmAnnuler].X, 14 + 182);
        EXPECT_EQ(d.Boutons[BmAnnuler].Y, 16 + 26 + 25);
        EXPECT_EQ(d.Icone.Y, 16 + (-3)); // round(-3) with a text as high as two lines
    }
    // OK and Annuler: OK first.
    const DispositionMessage d = DisposerMessage(1.0, 400, 13, BoutonAnnuler | BoutonOK);
    EXPECT_EQ(d.LargeurClient, 480);
    EXPECT_EQ(d.Boutons[BmOK].X, static_cast<int>((480 - 172) / 2));
    EXPECT_EQ(d.Boutons[BmAnnuler].X, d.Boutons[BmOK].X + 91);
}

TEST(DisposerMessage, EveryLengthScalesWithThePixelsPerInch)
{
    // 120 pixels per inch: 10 -> 12 (12.5 to even), 26 -> 32 (32.5 to even), 81 -> 101.
    const double s = 120.0 / 96.0;
    EXPECT_EQ(LargeurTexteMessage(s), 531);
    const DispositionMessage d = DisposerMessage(s, 100, 16, BoutonOui | BoutonNon);
    EXPECT_EQ(d.Texte, (RectMessage{80, 20, 100, 16}));
    EXPECT_EQ(d.LargeurClient, 2 * 101 + 12 + 35);
    EXPECT_EQ(d.Boutons[BmOui], (RectMessage{18, 20 + 16 + 31, 101, 32})); // round(17.5) = 18
    EXPECT_EQ(d.Boutons[BmNon].X, 18 + 101 + 12);
    EXPECT_EQ(d.HauteurClient, 67 + 32 + 15);
    EXPECT_EQ(d.Icone, (RectMessage{20, 20 + (-12), 40, 40}));
}

TEST(PlacerMessage, CentredOrAtTheFixedPlace)
{
    EXPECT_EQ(PlacerMessage(0, 1.0, 1024, 768, 300, 101), (std::pair<int, int>{362, 334})); // 333.5 -> 334
    EXPECT_EQ(PlacerMessage(0, 1.0, 1024, 768, 301, 100), (std::pair<int, int>{362, 334})); // 361.5 -> 362
    EXPECT_EQ(PlacerMessage(1, 1.0, 1024, 768, 300, 100), (std::pair<int, int>{8, 75}));
    EXPECT_EQ(PlacerMessage(2, 1.0, 1024, 768, 300, 100), (std::pair<int, int>{8, 75}));
    EXPECT_EQ(PlacerMessage(1, 1.25, 1024, 768, 300, 100), (std::pair<int, int>{10, 94}));
}

namespace {

class LegendesBoutons : public ::testing::Test {
protected:
    void TearDown() override
    {
        TableLangue.clear();
        RaccourcisAuto = false;
    }
};

} // namespace

TEST_F(LegendesBoutons, BuiltInCaptionsWithoutTheSection)
{
    TableLangue = {"MN_000", "\"x\""};
    RaccourcisAuto = true;
    EXPECT_EQ(LegendesBoutonsMessage(BoutonOK), (std::array<std::string, 4>{"&OK", "&Oui", "&Non", "&Annuler"}));
}

TEST_F(LegendesBoutons, ShownButtonsDrawLettersInTheOrderOkCancelYesNo)
{
    TableLangue = {"DLG_000", "\"OK\"", "\"Annuler\"", "\"Oui\"", "\"Non\""};
    RaccourcisAuto = true;
    struct Cas {
        uint16_t boutons;
        std::array<std::string, 4> legendes; // OK, Oui, Non, Annuler
    };
    const Cas cas[] = {
        {BoutonOK | BoutonOui | BoutonNon | BoutonAnnuler, {"&OK", "O&ui", "&Non", "&Annuler"}},
        {BoutonOui | BoutonNon, {"OK", "&Oui", "&Non", "Annuler"}}, // hidden ones take no letter
        {BoutonOui | BoutonNon | BoutonAnnuler, {"OK", "&Oui", "&Non", "&Annuler"}},
    };
    for (const Cas& c : cas)
        EXPECT_EQ(LegendesBoutonsMessage(c.boutons), c.legendes) << c.boutons;

    RaccourcisAuto = false;
    EXPECT_EQ(LegendesBoutonsMessage(BoutonOK), (std::array<std::string, 4>{"OK", "Oui", "Non", "Annuler"}));
}

// The paste options dialog (question, count 1..999 and its arrows, place) and the print
// dialog (page range as the print command reads it, printer set-up).
#include "FixturePlages.h"

#include "dialogs/DlgPrint.h"
#include "dialogs/sais_paste.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

namespace {

using CollerTest = FixturePlages;
using ImpressionTest = FixturePlages;

TEST_F(CollerTest, QuestionSelonLePressePapier)
{
    ChargerAnglais();
    TSais_Paste_Form d;
    EXPECT_EQ(d.QuestionToutesPistes(),
              "The clipboard holds #1 bar(s) of all tracks. Do you want to paste them?");
    d.DefinirQuestion(true, 3);
    EXPECT_EQ(d.Question->text(), QStringLiteral("The clipboard holds 3 bar(s) of all tracks. Do you want to paste them?"));
    d.DefinirQuestion(false, 12);
    EXPECT_EQ(d.Question->text(), QStringLiteral("The clipboard holds 12 bar(s) of one track. Do you want to paste them?"));
    EXPECT_EQ(d.windowTitle(), QStringLiteral("Paste"));
    EXPECT_EQ(d.BT_Oui->text(), QStringLiteral("&Yes"));
    EXPECT_EQ(d.BT_Non->text(), QStringLiteral("&No"));
    EXPECT_EQ(d.LibNbFois->text(), QStringLiteral("N&umber of pastes"));
}

TEST_F(CollerTest, OuvertureSurOuiUneFoisALaSelection)
{
    TSais_Paste_Form d;
    d.show();
    EXPECT_EQ(d.focusWidget(), d.BT_Oui);
    EXPECT_TRUE(d.PasteRB1->isChecked());
    EXPECT_EQ(d.Ed_NbPaste->text(), QStringLiteral("1"));
    d.BT_Oui->click();
    EXPECT_EQ(d.result(), ResultatModalOui);
    EXPECT_EQ(d.NbCollages(), 1);
    EXPECT_EQ(d.Place(), PlaceCollage::Selection);
}

TEST_F(CollerTest, NombreDeCollagesDeUnAQuatreCentQuatreVingtDixNeuf)
{
    const struct {
        const char* texte;
        bool accepte;
    } cas[] = {{"1", true}, {"999", true}, {"42", true}, {"0", false}, {"000", false}, {"", false}};
    for (const auto& c : cas) {
        fenetrePlages.SaisiesIncorrectes = 0;
        TSais_Paste_Form d;
        d.show();
        d.Ed_NbPaste->setText(QString::fromLatin1(c.texte));
        d.BT_Oui->click();
        EXPECT_EQ(d.result() == ResultatModalOui, c.accepte) << c.texte;
        EXPECT_EQ(fenetrePlages.SaisiesIncorrectes, c.accepte ? 0 : 1) << c.texte;
        if (c.accepte) {
            EXPECT_EQ(d.NbCollages(), std::atoi(c.texte));
            continue;
        }
        EXPECT_TRUE(d.isVisible()) << c.texte;
        EXPECT_EQ(d.focusWidget(), d.Ed_NbPaste) << c.texte;
        d.BT_Non->click();
        EXPECT_FALSE(d.isVisible()) << c.texte;
        EXPECT_EQ(d.result(), ResultatModalNon) << c.texte;
    }
    // Four digits cannot be typed, letters neither.
    TSais_Paste_Form d;
    Saisir(d.Ed_NbPaste, QStringLiteral("1x234"));
    EXPECT_EQ(d.Ed_NbPaste->text(), QStringLiteral("123"));
}

TEST_F(CollerTest, EchapEtFermetureRepondentNon)
{
    TSais_Paste_Form d;
    d.show();
    Touche(&d, Qt::Key_Escape);
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(d.result(), ResultatModalNon);
    TSais_Paste_Form e;
    e.show();
    e.close();
    EXPECT_EQ(e.result(), ResultatModalNon);
}

TEST_F(CollerTest, FlechesDuNombreDeCollages)
{
    TSais_Paste_Form d;
    d.show();
    d.Ed_NbPaste->setText(QStringLiteral("998"));
    d.NbPasteUp->click();
    d.NbPasteUp->click();
    EXPECT_EQ(d.Ed_NbPaste->text(), QStringLiteral("999"));
    Touche(d.Ed_NbPaste, Qt::Key_Down);
    Touche(d.Ed_NbPaste, Qt::Key_Minus, QStringLiteral("-"), Qt::KeypadModifier);
    EXPECT_EQ(d.Ed_NbPaste->text(), QStringLiteral("997"));
    Touche(d.Ed_NbPaste, Qt::Key_Plus, QStringLiteral("+"), Qt::KeypadModifier);
    EXPECT_EQ(d.Ed_NbPaste->text(), QStringLiteral("998"));

    // Held from 990: 300 ms, then a steady 130 ms, stopping at 999.
    d.Ed_NbPaste->setText(QStringLiteral("990"));
    d.Timer1().Demarrer(+1);
    EXPECT_EQ(d.Timer1().Intervalle(), 300);
    for (int i = 0; i < 40; ++i)
        d.Timer1().Tick();
    EXPECT_EQ(d.Timer1().Intervalle(), 130);
    EXPECT_EQ(d.Ed_NbPaste->text(), QStringLiteral("999"));
    d.Timer1().Arreter();
    d.Ed_NbPaste->setText(QStringLiteral("35"));
    d.Timer1().Demarrer(-1);
    for (int i = 0; i < 40; ++i)
        d.Timer1().Tick();
    EXPECT_EQ(d.Ed_NbPaste->text(), QStringLiteral("1")) << "no acceleration, and 1 at the bottom";
    d.Timer1().Arreter();
    // An emptied count stays empty.
    d.Ed_NbPaste->clear();
    d.NbPasteUp->click();
    Souris(d.NbPasteDown, true);
    d.Timer1().Tick();
    Souris(d.NbPasteDown, false);
    EXPECT_FALSE(d.Timer1().Actif());
    EXPECT_EQ(d.Ed_NbPaste->text(), QString());
}

TEST_F(CollerTest, PlaceChoisie)
{
    TSais_Paste_Form d;
    d.PasteRB2->setChecked(true);
    EXPECT_EQ(d.Place(), PlaceCollage::AvantSelection);
    d.PasteRB3->setChecked(true);
    EXPECT_EQ(d.Place(), PlaceCollage::FinPartition);
}

// ---- Print ---------------------------------------------------------------------------------

TEST_F(ImpressionTest, PagesLuesCommeLaCommandeLesImprime)
{
    const struct {
        bool pages;
        const char* debut;
        const char* fin;
        int premiere;
        int derniere;
    } cas[] = {
        {false, "3", "7", 0, 0},   // all pages whatever the fields hold
        {true, "3", "", 3, 3},     // a first page alone
        {true, "5", "2", 2, 5},    // put in order
        {true, "2", "9", 2, 9},
        {true, "", "", 0, 0},
        {true, "abc", "4", 0, 4},  // not a number: 0
        {true, "-3", "", 0, 0},    // no page below 1
        {true, "6", "-1", 6, 6},
    };
    for (const auto& c : cas) {
        TPrintForm d;
        d.ED_PageDeb->setText(QString::fromLatin1(c.debut));
        d.ED_PageFin->setText(QString::fromLatin1(c.fin));
        (c.pages ? d.RB_Pages : d.RB_Tout)->setChecked(true);
        int32_t premiere = -7, derniere = -7;
        d.PagesChoisies(premiere, derniere);
        EXPECT_EQ(premiere, c.premiere) << c.debut << ".." << c.fin;
        EXPECT_EQ(derniere, c.derniere) << c.debut << ".." << c.fin;
    }
}

TEST_F(ImpressionTest, TaperUnePageChoisitLaPlage)
{
    TPrintForm d;
    d.show();
    EXPECT_TRUE(d.RB_Tout->isChecked());
    EXPECT_EQ(d.ED_PageDeb->text(), QStringLiteral("1"));
    EXPECT_EQ(d.ED_PageFin->text(), QString());
    Taper(d.ED_PageFin, QStringLiteral("4"));
    EXPECT_TRUE(d.RB_Pages->isChecked());
    d.RB_Tout->setChecked(true);
    Taper(d.ED_PageDeb, QStringLiteral("2"));
    EXPECT_TRUE(d.RB_Pages->isChecked());
}

TEST_F(ImpressionTest, ParLeServiceAvecLImprimanteEtSaConfiguration)
{
    int configurations = 0;
    std::optional<std::string> reponse = std::string("Laser \xE9tage 2");
    plages.ConfigurerImprimante = [&] {
        ++configurations;
        return reponse;
    };
    QString nomAvant, nomApres, nomAnnule;
    Piloter([&](QDialog& q) {
        auto& d = Comme<TPrintForm>(q);
        nomAvant = d.LabelImp->text();
        d.BT_Configurer->click();
        nomApres = d.LabelImp->text();
        reponse.reset();
        d.BT_Configurer->click();
        nomAnnule = d.LabelImp->text();
        d.ED_PageDeb->setText(QStringLiteral("5"));
        d.ED_PageFin->setText(QStringLiteral("3"));
        d.BT_OK->click();
    });
    int32_t premiere = 0, derniere = 0;
    EXPECT_EQ(Saisie().Dialogues->Impression("Bureau", premiere, derniere), ResultatModalOK);
    EXPECT_EQ(nomAvant, QStringLiteral("Bureau"));
    EXPECT_EQ(nomApres, QStringLiteral("Laser étage 2"));
    EXPECT_EQ(nomAnnule, nomApres) << "a cancelled set-up keeps the name";
    EXPECT_EQ(configurations, 2);
    EXPECT_EQ(premiere, 3);
    EXPECT_EQ(derniere, 5);

    Piloter([](QDialog& q) { Comme<TPrintForm>(q).BT_Annuler->click(); });
    premiere = derniere = 9;
    EXPECT_EQ(Saisie().Dialogues->Impression("Bureau", premiere, derniere), ResultatModalAnnuler);
    EXPECT_EQ(premiere, 9);
}

TEST_F(ImpressionTest, Legendes)
{
    ChargerAnglais();
    TPrintForm d;
    EXPECT_EQ(d.windowTitle(), QStringLiteral("Print"));
    EXPECT_EQ(d.LabelPrinter->text(), QStringLiteral("Printer :"));
    EXPECT_EQ(d.RB_Tout->text(), QStringLiteral("All"));
    EXPECT_EQ(d.BT_Configurer->text(), QStringLiteral("&Setup..."));
    EXPECT_EQ(d.GroupBox1->title(), QStringLiteral(" &Print "));
}

} // namespace

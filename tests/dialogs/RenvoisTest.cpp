// The repeat-count and alternate-ending dialogs: the number they show, what they accept and
// what OK writes into the current measure.
#include "FixtureDialogues.h"

#include "dialogs/Sais_nrp.h"
#include "dialogs/Sais_nrv.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

namespace {

using RenvoisTest = FixtureDialogues;

TEST_F(RenvoisTest, NombreDeRenvoisMontreUnPourZeroOuHorsLimites)
{
    for (const int avant : {0, -5, 120}) {
        Partition.Mesures[1]->NbRenvois = static_cast<int8_t>(avant);
        TSais_NbRenvFin_Form d;
        d.Activer();
        EXPECT_EQ(d.Ed_NbRenv->text(), QStringLiteral("1")) << avant;
    }
    Partition.Mesures[1]->NbRenvois = 3;
    TSais_NbRenvFin_Form d;
    d.Activer();
    EXPECT_EQ(d.Ed_NbRenv->text(), QStringLiteral("3"));
}

TEST_F(RenvoisTest, NombreDeRenvoisAccepteUnAQuatreVingtDixNeuf)
{
    const struct {
        const char* texte;
        bool accepte;
    } cas[] = {{"1", true}, {"99", true}, {"7", true}, {"0", false}, {"00", false}, {"", false}};
    for (const auto& c : cas) {
        Partition.Mesures[1]->NbRenvois = 2;
        fenetreDlg.SaisiesIncorrectes = 0;
        TSais_NbRenvFin_Form d;
        d.Activer();
        d.Ed_NbRenv->setText(QString::fromLatin1(c.texte));
        d.BT_OK->click();
        EXPECT_EQ(d.result() == QDialog::Accepted, c.accepte) << c.texte;
        EXPECT_EQ(fenetreDlg.SaisiesIncorrectes, c.accepte ? 0 : 1) << c.texte;
        EXPECT_EQ(Partition.Mesures[1]->NbRenvois, c.accepte ? std::atoi(c.texte) : 2) << c.texte;
    }
}

TEST_F(RenvoisTest, RefusPuisAnnulerNEcritRien)
{
    Partition.Mesures[1]->NbRenvois = 4;
    TSais_NbRenvFin_Form d;
    d.show();
    d.Ed_NbRenv->setText(QStringLiteral("0"));
    d.BT_OK->click();
    EXPECT_TRUE(d.isVisible());
    EXPECT_EQ(d.Ed_NbRenv->text(), QStringLiteral("0")) << "the typed text stays";
    d.BT_Annuler->click();
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(d.result(), QDialog::Rejected);
    EXPECT_EQ(Partition.Mesures[1]->NbRenvois, 4);
}

TEST_F(RenvoisTest, BoutonsDuNombreDeRenvois)
{
    TSais_NbRenvFin_Form d;
    d.Activer();
    d.Ed_NbRenv->setText(QStringLiteral("99"));
    d.RenvUp->click();
    EXPECT_EQ(d.Ed_NbRenv->text(), QStringLiteral("99"));
    Touche(d.Ed_NbRenv, Qt::Key_Down);
    EXPECT_EQ(d.Ed_NbRenv->text(), QStringLiteral("98"));
    // Held down from 50: it reaches 1 and stays there.
    d.Ed_NbRenv->setText(QStringLiteral("50"));
    d.Repetition().Demarrer(-1);
    for (int i = 0; i < 60; ++i)
        d.Repetition().Tick();
    EXPECT_EQ(d.Ed_NbRenv->text(), QStringLiteral("1"));
    d.RenvDown->click();
    EXPECT_EQ(d.Ed_NbRenv->text(), QStringLiteral("1"));
}

TEST_F(RenvoisTest, FinAlternativeMontreLaSuggestionDansLesDeuxChamps)
{
    TSais_NbRepet_Form d;
    d.Preparer(2);
    d.Activer();
    EXPECT_EQ(d.Ed_De->text(), QStringLiteral("2"));
    EXPECT_EQ(d.Ed_NbRepet->text(), QStringLiteral("2"));
    EXPECT_TRUE(d.Ed_De->isReadOnly());
    // The last pass is not compared with the first.
    d.Ed_NbRepet->setText(QStringLiteral("1"));
    d.BT_OK->click();
    EXPECT_EQ(d.result(), QDialog::Accepted);
    EXPECT_EQ(Partition.Mesures[1]->NumRepetition, 1);
}

TEST_F(RenvoisTest, FinAlternativeRefuseZeroEtVide)
{
    for (const char* texte : {"0", ""}) {
        Partition.Mesures[1]->NumRepetition = 1;
        fenetreDlg.SaisiesIncorrectes = 0;
        TSais_NbRepet_Form d;
        d.Preparer(3);
        d.Activer();
        d.Ed_NbRepet->setText(QString::fromLatin1(texte));
        d.BT_OK->click();
        EXPECT_NE(d.result(), QDialog::Accepted);
        EXPECT_EQ(fenetreDlg.SaisiesIncorrectes, 1);
        EXPECT_EQ(Partition.Mesures[1]->NumRepetition, 1);
    }
    TSais_NbRepet_Form d;
    d.Preparer(3);
    d.Activer();
    d.Ed_NbRepet->setText(QStringLiteral("99"));
    d.BT_OK->click();
    EXPECT_EQ(Partition.Mesures[1]->NumRepetition, 99);
}

TEST_F(RenvoisTest, Legendes)
{
    {
        TSais_NbRepet_Form d;
        EXPECT_EQ(d.windowTitle(), QString::fromUtf8("Répétitions"));
        EXPECT_EQ(d.Lab_a->text(), QString::fromUtf8("à"));
        TSais_NbRenvFin_Form r;
        EXPECT_EQ(r.NbRenv->text(), QStringLiteral("&Nombre de renvois"));
    }
    ChargerAnglais();
    TSais_NbRepet_Form d;
    EXPECT_EQ(d.windowTitle(), QStringLiteral("Alternate ending"));
    EXPECT_EQ(d.Lab_a->text(), QStringLiteral("to"));
    TSais_NbRenvFin_Form r;
    EXPECT_EQ(r.windowTitle(), QStringLiteral("Repeat end"));
    EXPECT_EQ(r.NbRenv->text(), QStringLiteral("&Number of repeats"));
}

} // namespace

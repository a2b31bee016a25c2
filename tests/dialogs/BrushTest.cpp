// The strum dialog: the speed it opens on, what OK writes, the previews while listening and
// the beat put back by anything but OK.
#include "FixtureDialogues.h"

#include "dialogs/Brush.h"

#include <QGroupBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

namespace {

class BrushTest : public FixtureDialogues {
protected:
    void SetUp() override
    {
        FixtureDialogues::SetUp();
        Remplir(1, 1, 2, 0, false, false, 3);
        Temps(1, 1, 1).Notes[2].Frette = 5;
        Temps(1, 1, 1).Texte = "riff";
        Temps(1, 1, 1).ValeurCoupVib = 2.0;
        Entrer(1);
        lecteur.Disponible = true;
        Commandes().SetChecked(Cmd::Ac_Son_JouerSaisie, true);
        Configuration.EcouterBrush = false;
    }

    static int Coche(const TBrushForm& d)
    {
        for (int i = 0; i < 6; ++i)
            if (d.CDuration[i]->isChecked())
                return i;
        return -1;
    }

    static void ExpectMemeTemps(const TTemps& a, const TTemps& b)
    {
        EXPECT_EQ(a.Brush, b.Brush);
        EXPECT_EQ(a.DureeBrush, b.DureeBrush);
        EXPECT_EQ(a.Texte, b.Texte);
        EXPECT_EQ(a.ValeurCoupVib, b.ValeurCoupVib);
        EXPECT_EQ(a.Duree, b.Duree);
        EXPECT_EQ(a.Effet, b.Effet);
        for (int s = 1; s <= kNbCordesMax; ++s)
            EXPECT_EQ(a.Notes[s], b.Notes[s]) << "string " << s;
    }
};

TEST_F(BrushTest, OuvreSurLaVitesseConfiguree)
{
    const struct {
        int32_t vitesse;
        int radio;
    } cas[] = {{32, 0}, {16, 1}, {8, 2}, {4, 3}, {2, 4}, {1, 5}, {7, 3}, {0, 3}};
    for (const auto& c : cas) {
        Configuration.BrushDuration = c.vitesse;
        TBrushForm d;
        d.Activer();
        EXPECT_EQ(Coche(d), c.radio) << c.vitesse;
        d.reject();
    }
}

TEST_F(BrushTest, OkEcritLaVitesseEtLaDirection)
{
    TBrushForm d;
    d.Direction = 2;
    d.Activer();
    d.CDuration[0]->setChecked(true);
    EXPECT_EQ(TempsCurseur().Brush, 0) << "nothing written while not listening";
    d.BT_OK->click();
    EXPECT_EQ(d.result(), QDialog::Accepted);
    EXPECT_EQ(TempsCurseur().Brush, 2);
    EXPECT_EQ(TempsCurseur().DureeBrush, 32);
    EXPECT_EQ(Configuration.BrushDuration, 32);
    EXPECT_EQ(lecteur.BeatsJoues, 0);
}

TEST_F(BrushTest, UneImageCocheSonBouton)
{
    TBrushForm d;
    d.Activer();
    QMouseEvent clic(QEvent::MouseButtonPress, QPointF(2, 2), QPointF(2, 2), Qt::LeftButton, Qt::LeftButton,
                     Qt::NoModifier);
    QCoreApplication::sendEvent(d.Images[5], &clic);
    EXPECT_EQ(Coche(d), 5);
    EXPECT_EQ(d.Images[0]->objectName(), QStringLiteral("Image6"));
}

TEST_F(BrushTest, EnEcouteLOuvertureJoueEtAnnulerRemetLeTemps)
{
    Configuration.EcouterBrush = true;
    Configuration.BrushDuration = 16;
    const TTemps avant = TempsCurseur();
    TBrushForm d;
    d.Direction = 1;
    d.Activer();
    EXPECT_EQ(lecteur.BeatsJoues, 1);
    EXPECT_EQ(TempsCurseur().Brush, 1);
    EXPECT_EQ(TempsCurseur().DureeBrush, 16);
    d.CDuration[5]->setChecked(true);
    EXPECT_EQ(lecteur.BeatsJoues, 2);
    EXPECT_EQ(TempsCurseur().DureeBrush, 1);
    d.BT_Annuler->click();
    ExpectMemeTemps(TempsCurseur(), avant);
    EXPECT_EQ(Configuration.BrushDuration, 16);
}

TEST_F(BrushTest, SansJouerPendantLaSaisieRienNeSonne)
{
    Configuration.EcouterBrush = true;
    Commandes().SetChecked(Cmd::Ac_Son_JouerSaisie, false);
    TBrushForm d;
    d.Activer();
    EXPECT_EQ(TempsCurseur().Brush, 1) << "the preview is written all the same";
    EXPECT_EQ(lecteur.BeatsJoues, 0);
    d.reject();
    EXPECT_EQ(TempsCurseur().Brush, 0);
}

TEST_F(BrushTest, EcouterEnfonceEcritEtJoue)
{
    TBrushForm d;
    d.Activer();
    d.CDuration[4]->setChecked(true);
    EXPECT_EQ(TempsCurseur().Brush, 0);
    d.Ecouter->click();
    EXPECT_EQ(TempsCurseur().DureeBrush, 2);
    EXPECT_EQ(lecteur.BeatsJoues, 1);
}

TEST_F(BrushTest, LOptionDEcouteEstGardeeATouteFermeture)
{
    {
        TBrushForm d;
        d.Activer();
        d.Ecouter->click();
        d.reject();
    }
    EXPECT_TRUE(Configuration.EcouterBrush);
    {
        TBrushForm d;
        d.Activer();
        EXPECT_TRUE(d.Ecouter->isChecked());
        d.Ecouter->click();
        d.BT_OK->click();
    }
    EXPECT_FALSE(Configuration.EcouterBrush);
}

TEST_F(BrushTest, FermeAvantActivationNeToucheAuTemps)
{
    const TTemps avant = TempsCurseur();
    TBrushForm d;
    d.reject();
    ExpectMemeTemps(TempsCurseur(), avant);
}

TEST_F(BrushTest, Legendes)
{
    ChargerAnglais();
    TBrushForm d;
    EXPECT_EQ(d.windowTitle(), QStringLiteral("Strum"));
    EXPECT_EQ(d.GBDuration->title(), QStringLiteral(" Strum speed "));
    EXPECT_EQ(d.BT_Annuler->text(), QStringLiteral("&Cancel"));
}

} // namespace

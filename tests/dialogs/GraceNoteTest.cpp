// The grace-note dialog: presets, fret checks per track, previews while listening, and the
// note put back by anything but OK.
#include "FixtureDialogues.h"

#include "dialogs/GraceNote.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

namespace {

class GraceNoteTest : public FixtureDialogues {
protected:
    void SetUp() override
    {
        FixtureDialogues::SetUp();
        Remplir(1, 1, 1, 0, false, false, 7);
        Entrer(1);
        NoteCurseur().Nuance = 3;
        lecteur.Disponible = true;
        Commandes().SetChecked(Cmd::Ac_Son_JouerSaisie, true);
        Configuration.EcouterGraceNote = false;
    }

    // As the command prepares it from the cursor note.
    static void Preparer(TGraceNoteForm& d)
    {
        const TNoteCorde& n = NoteCurseur();
        if (n.Frette == kNoteMorte)
            d.Radio1->setChecked(true);
        if (n.Frette >= 0 && n.Frette <= 99)
            d.NbFrets->setText(QString::number(n.Frette));
        d.Activer();
    }
};

TEST_F(GraceNoteTest, OuvertureSurLaNoteEtEcouteImmediate)
{
    Configuration.EcouterGraceNote = true;
    TGraceNoteForm d;
    Preparer(d);
    EXPECT_EQ(d.NbFrets->text(), QStringLiteral("7"));
    EXPECT_TRUE(d.Radio2->isChecked());
    EXPECT_TRUE(d.BT_DynaNote[3]->isChecked());
    EXPECT_EQ(lecteur.BeatsJoues, 1);
    EXPECT_EQ(NoteCurseur().FretteGrace, 7);
    EXPECT_EQ(NoteCurseur().NuanceGrace, 3);
    EXPECT_EQ(NoteCurseur().DureeGrace, 1);
}

TEST_F(GraceNoteTest, NoteMorte)
{
    NoteCurseur().Frette = kNoteMorte;
    TGraceNoteForm d;
    Preparer(d);
    EXPECT_TRUE(d.Radio1->isChecked());
    d.BT_OK->click();
    EXPECT_EQ(d.result(), QDialog::Accepted);
    EXPECT_EQ(NoteCurseur().FretteGrace, kNoteMorte);
}

TEST_F(GraceNoteTest, NoteMorteAvecChampVideRefusee)
{
    TGraceNoteForm d;
    Preparer(d);
    d.Radio1->setChecked(true);
    d.NbFrets->clear();
    d.Radio1->setChecked(true);
    d.BT_OK->click();
    EXPECT_NE(d.result(), QDialog::Accepted);
    EXPECT_EQ(fenetreDlg.SaisiesIncorrectes, 1);
    EXPECT_EQ(NoteCurseur().FretteGrace, kPasDeNote);
}

TEST_F(GraceNoteTest, TaperCocheLaFrette)
{
    TGraceNoteForm d;
    Preparer(d);
    d.Radio1->setChecked(true);
    Saisir(d.NbFrets, QStringLiteral("12"));
    EXPECT_TRUE(d.Radio2->isChecked());
    Saisir(d.NbFrets, QStringLiteral("1x23"));
    EXPECT_EQ(d.NbFrets->text(), QStringLiteral("12"));
}

TEST_F(GraceNoteTest, FrettesAccepteesParPiste)
{
    const struct {
        int piste;
        const char* frette;
        bool accepte;
    } cas[] = {{1, "24", true}, {1, "25", false}, {1, "0", true}, {8, "60", true}, {8, "99", true}, {8, "", false}};
    for (const auto& c : cas) {
        PisteCourante = c.piste;
        Remplir(1, c.piste, 1, 0, false, false, 1);
        Entrer(1);
        fenetreDlg.SaisiesIncorrectes = 0;
        TGraceNoteForm d;
        Preparer(d);
        Saisir(d.NbFrets, QString::fromLatin1(c.frette));
        d.BT_OK->click();
        EXPECT_EQ(d.result() == QDialog::Accepted, c.accepte) << c.piste << ":" << c.frette;
        EXPECT_EQ(fenetreDlg.SaisiesIncorrectes, c.accepte ? 0 : 1);
        EXPECT_EQ(NoteCurseur().FretteGrace, c.accepte ? std::atoi(c.frette) : kPasDeNote);
    }
}

TEST_F(GraceNoteTest, FlechesEntreZeroEtVingtQuatre)
{
    TGraceNoteForm d;
    Preparer(d);
    d.NbFrets->setText(QStringLiteral("5"));
    d.Timer5().Demarrer(-1);
    for (int i = 0; i < 10; ++i)
        d.Timer5().Tick();
    EXPECT_EQ(d.NbFrets->text(), QStringLiteral("0"));
    d.BT_FretDown->click();
    EXPECT_EQ(d.NbFrets->text(), QStringLiteral("0"));
    d.NbFrets->setText(QStringLiteral("20"));
    d.Timer5().Demarrer(+1);
    for (int i = 0; i < 10; ++i)
        d.Timer5().Tick();
    EXPECT_EQ(d.NbFrets->text(), QStringLiteral("24"));
    d.BT_FretUp->click();
    EXPECT_EQ(d.NbFrets->text(), QStringLiteral("24"));
    Touche(d.NbFrets, Qt::Key_Minus, QStringLiteral("-"), Qt::KeypadModifier);
    EXPECT_EQ(d.NbFrets->text(), QStringLiteral("23"));
    d.NbFrets->clear();
    d.BT_FretUp->click();
    EXPECT_TRUE(d.NbFrets->text().isEmpty());
}

TEST_F(GraceNoteTest, AnnulerApresPlusieursEcoutesRemetLaNote)
{
    Configuration.EcouterGraceNote = true;
    NoteCurseur().FretteGrace = 2;
    NoteCurseur().NuanceGrace = 5;
    NoteCurseur().DureeGrace = 3;
    const TNoteCorde avant = NoteCurseur();
    TGraceNoteForm d;
    Preparer(d);
    d.BT_DynaNote[8]->click();
    d.CDuration[3]->setChecked(true);
    Saisir(d.NbFrets, QStringLiteral("9"));
    EXPECT_EQ(NoteCurseur().FretteGrace, 9);
    EXPECT_EQ(NoteCurseur().NuanceGrace, 8);
    EXPECT_GE(lecteur.BeatsJoues, 4);
    d.Ecouter->click();
    d.BT_Annuler->click();
    EXPECT_EQ(NoteCurseur(), avant);
    EXPECT_FALSE(Configuration.EcouterGraceNote) << "the listen option is kept on Cancel too";
}

TEST_F(GraceNoteTest, SansEcouteRienNEstEcritAvantOk)
{
    TGraceNoteForm d;
    Preparer(d);
    d.BT_DynaNote[1]->click();
    d.CDuration[1]->setChecked(true);
    EXPECT_EQ(NoteCurseur().FretteGrace, kPasDeNote);
    EXPECT_EQ(lecteur.BeatsJoues, 0);
    d.BT_OK->click();
    EXPECT_EQ(NoteCurseur().FretteGrace, 7);
    EXPECT_EQ(NoteCurseur().NuanceGrace, 1);
    EXPECT_EQ(NoteCurseur().DureeGrace, 1);
}

TEST_F(GraceNoteTest, LaDureeChoisieRevientALOuverture)
{
    {
        TGraceNoteForm d;
        Preparer(d);
        EXPECT_TRUE(d.CDuration[1]->isChecked());
        d.CDuration[3]->setChecked(true);
        d.BT_OK->click();
    }
    EXPECT_EQ(Configuration.GraceNoteDuration, 3);
    EXPECT_EQ(NoteCurseur().DureeGrace, 3);
    TGraceNoteForm d;
    Preparer(d);
    EXPECT_TRUE(d.CDuration[3]->isChecked());
}

TEST_F(GraceNoteTest, Legendes)
{
    ChargerAnglais();
    TGraceNoteForm d;
    EXPECT_EQ(d.windowTitle(), QStringLiteral("Grace note"));
    EXPECT_EQ(d.GBNote->title(), QStringLiteral(" &Note "));
    EXPECT_EQ(d.GBDuration->title(), QStringLiteral(" &Duration "));
    EXPECT_EQ(d.GDyna->title(), QStringLiteral(" Dynamic "));
    EXPECT_EQ(d.Radio1->text(), QStringLiteral("Dead note : X"));
}

} // namespace

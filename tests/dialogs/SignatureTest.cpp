// The time signature dialog: what it accepts, what OK writes into one measure or the rest of
// the song, and its spin buttons.
#include "FixtureDialogues.h"

#include "dialogs/Sais_sig.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

namespace {

class SignatureTest : public FixtureDialogues {
protected:
    void Ouvrir(TSais_Signat_Form& d) { d.Activer(); }
};

TEST_F(SignatureTest, ActivationMontreLaMesureCourante)
{
    AvoirMesures(3);
    Partition.Mesures[2]->Numerateur = 7;
    Partition.Mesures[2]->Denominateur = 8;
    Entrer(2);
    TSais_Signat_Form d;
    d.ApplyAll->setChecked(true);
    Ouvrir(d);
    EXPECT_EQ(d.Ed_Sign_Num->text(), QStringLiteral("7"));
    EXPECT_EQ(d.Ed_Sign_Den->text(), QStringLiteral("8"));
    EXPECT_FALSE(d.ApplyAll->isChecked());
    EXPECT_FALSE(d.SignatureModifiee);
    EXPECT_EQ(d.objectName(), QStringLiteral("Sais_Signat_Form"));
}

TEST_F(SignatureTest, ValeursAccepteesEtRefusees)
{
    struct Cas {
        const char* num;
        const char* den;
        bool accepte;
    };
    const Cas cas[] = {
        {"1", "1", true},   {"32", "32", true}, {"6", "8", true},  {"0", "4", false},  {"33", "4", false},
        {"", "4", false},   {"4", "3", false},  {"4", "12", false}, {"4", "64", false}, {"4", "04", false},
        {"4", "", false},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(std::string(c.num) + "/" + c.den);
        *Partition.Mesures[1] = TMesure{};
        fenetreDlg.SaisiesIncorrectes = 0;
        TSais_Signat_Form d;
        Ouvrir(d);
        d.Ed_Sign_Num->setText(QString::fromLatin1(c.num));
        d.Ed_Sign_Den->setText(QString::fromLatin1(c.den));
        d.BT_OK->click();
        EXPECT_EQ(d.result(), c.accepte ? QDialog::Accepted : QDialog::Rejected);
        EXPECT_EQ(fenetreDlg.SaisiesIncorrectes, c.accepte ? 0 : 1);
        EXPECT_EQ(d.SignatureModifiee, c.accepte);
        if (!c.accepte) {
            EXPECT_EQ(Partition.Mesures[1]->Numerateur, 4);
            EXPECT_EQ(Partition.Mesures[1]->Duree, 4.0);
        }
    }
}

TEST_F(SignatureTest, LeChampFautifRecoitLeFocus)
{
    TSais_Signat_Form d;
    d.show();
    d.activateWindow();
    d.Ed_Sign_Num->setText(QStringLiteral("6"));
    d.Ed_Sign_Den->setText(QStringLiteral("5"));
    d.BT_OK->click();
    EXPECT_TRUE(d.isVisible());
    EXPECT_EQ(d.focusWidget(), d.Ed_Sign_Den);
    EXPECT_EQ(d.Ed_Sign_Den->selectedText(), QStringLiteral("5"));
}

TEST_F(SignatureTest, OkEcritLaMesureSansToucherAuxTemps)
{
    Remplir(1, 1, 4, 0);
    const TTemps avant = Temps(1, 1, 2);
    TSais_Signat_Form d;
    Ouvrir(d);
    d.Ed_Sign_Num->setText(QStringLiteral("6"));
    d.Ed_Sign_Den->setText(QStringLiteral("8"));
    d.BT_OK->click();
    const TMesure& m = *Partition.Mesures[1];
    EXPECT_EQ(m.Numerateur, 6);
    EXPECT_EQ(m.Denominateur, 8);
    EXPECT_DOUBLE_EQ(m.Duree, 3.0);
    EXPECT_EQ(m.NbTemps[1], 4);
    EXPECT_EQ(Temps(1, 1, 2).Duree, avant.Duree);
    EXPECT_TRUE(d.SignatureModifiee);
}

TEST_F(SignatureTest, DureesNominales)
{
    const struct {
        const char* num;
        const char* den;
        double duree;
    } cas[] = {{"3", "8", 1.5}, {"7", "4", 7.0}, {"1", "32", 0.125}, {"32", "1", 128.0}};
    for (const auto& c : cas) {
        TSais_Signat_Form d;
        Ouvrir(d);
        d.Ed_Sign_Num->setText(QString::fromLatin1(c.num));
        d.Ed_Sign_Den->setText(QString::fromLatin1(c.den));
        d.BT_OK->click();
        EXPECT_DOUBLE_EQ(Partition.Mesures[1]->Duree, c.duree) << c.num << "/" << c.den;
    }
}

TEST_F(SignatureTest, JusquALaFinEcritLesMesuresSuivantesSeulement)
{
    AvoirMesures(10);
    for (int m = 6; m <= 10; ++m)
        Partition.Mesures[m]->Numerateur = static_cast<uint8_t>(m - 3);
    Partition.Mesures[2]->Numerateur = 2;
    Entrer(5);
    TSais_Signat_Form d;
    Ouvrir(d);
    d.Ed_Sign_Num->setText(QStringLiteral("5"));
    d.Ed_Sign_Den->setText(QStringLiteral("16"));
    d.ApplyAll->setChecked(true);
    d.BT_OK->click();
    for (int m = 1; m <= 4; ++m) {
        EXPECT_EQ(Partition.Mesures[m]->Denominateur, 4) << m;
        EXPECT_DOUBLE_EQ(Partition.Mesures[m]->Duree, 4.0) << m;
    }
    EXPECT_EQ(Partition.Mesures[2]->Numerateur, 2);
    for (int m = 5; m <= 10; ++m) {
        EXPECT_EQ(Partition.Mesures[m]->Numerateur, 5) << m;
        EXPECT_EQ(Partition.Mesures[m]->Denominateur, 16) << m;
        EXPECT_DOUBLE_EQ(Partition.Mesures[m]->Duree, 1.25) << m;
    }
}

TEST_F(SignatureTest, SansJusquALaFinSeuleLaMesureCourante)
{
    AvoirMesures(3);
    Entrer(2);
    TSais_Signat_Form d;
    Ouvrir(d);
    d.Ed_Sign_Num->setText(QStringLiteral("3"));
    d.BT_OK->click();
    EXPECT_EQ(Partition.Mesures[2]->Numerateur, 3);
    EXPECT_EQ(Partition.Mesures[3]->Numerateur, 4);
    EXPECT_EQ(Partition.Mesures[1]->Numerateur, 4);
}

TEST_F(SignatureTest, AnnulerNEcritRien)
{
    AvoirMesures(2);
    const TMesure avant = *Partition.Mesures[1];
    TSais_Signat_Form d;
    Ouvrir(d);
    d.Ed_Sign_Num->setText(QStringLiteral("3"));
    d.ApplyAll->setChecked(true);
    d.BT_Annuler->click();
    EXPECT_EQ(d.result(), QDialog::Rejected);
    EXPECT_FALSE(d.SignatureModifiee);
    EXPECT_EQ(Partition.Mesures[1]->Numerateur, avant.Numerateur);
    EXPECT_EQ(Partition.Mesures[2]->Numerateur, 4);
}

TEST_F(SignatureTest, BoutonsDuNumerateur)
{
    TSais_Signat_Form d;
    Ouvrir(d);
    d.Ed_Sign_Num->setText(QStringLiteral("31"));
    d.SignNumUp->click();
    EXPECT_EQ(d.Ed_Sign_Num->text(), QStringLiteral("32"));
    d.SignNumUp->click();
    EXPECT_EQ(d.Ed_Sign_Num->text(), QStringLiteral("32"));
    d.Ed_Sign_Num->setText(QStringLiteral("1"));
    d.SignNumDown->click();
    EXPECT_EQ(d.Ed_Sign_Num->text(), QStringLiteral("1"));
    d.Ed_Sign_Num->clear();
    d.SignNumUp->click();
    EXPECT_TRUE(d.Ed_Sign_Num->text().isEmpty());
    d.Ed_Sign_Num->setText(QStringLiteral("5"));
    Touche(d.Ed_Sign_Num, Qt::Key_Up);
    Touche(d.Ed_Sign_Num, Qt::Key_Plus, QStringLiteral("+"), Qt::KeypadModifier);
    EXPECT_EQ(d.Ed_Sign_Num->text(), QStringLiteral("7"));
    // Held down from 30: 31, 32, then it stays.
    d.Ed_Sign_Num->setText(QStringLiteral("30"));
    d.RepetitionNumerateur().Demarrer(+1);
    for (int i = 0; i < 5; ++i)
        d.RepetitionNumerateur().Tick();
    EXPECT_EQ(d.Ed_Sign_Num->text(), QStringLiteral("32"));
}

TEST_F(SignatureTest, BoutonsDuDenominateur)
{
    TSais_Signat_Form d;
    Ouvrir(d);
    const struct {
        const char* avant;
        bool haut;
        const char* apres;
    } cas[] = {{"16", true, "32"}, {"32", true, "32"}, {"1", false, "1"}, {"5", true, "8"},
               {"5", false, "2"},  {"", true, "8"},    {"2", false, "1"}, {"04", true, "8"}};
    for (const auto& c : cas) {
        d.Ed_Sign_Den->setText(QString::fromLatin1(c.avant));
        (c.haut ? d.SignDenUp : d.SignDenDown)->click();
        EXPECT_EQ(d.Ed_Sign_Den->text(), QString::fromLatin1(c.apres)) << c.avant << (c.haut ? " up" : " down");
    }
    d.Ed_Sign_Den->setText(QStringLiteral("8"));
    Touche(d.Ed_Sign_Den, Qt::Key_Down);
    EXPECT_EQ(d.Ed_Sign_Den->text(), QStringLiteral("4"));
}

TEST_F(SignatureTest, DenominateurMaintenuVersLeHaut)
{
    TSais_Signat_Form d;
    Ouvrir(d);
    d.Ed_Sign_Den->setText(QStringLiteral("2"));
    RepetitionSpin& r = d.RepetitionDenominateur();
    r.Demarrer(+1);
    EXPECT_EQ(r.Intervalle(), 300);
    const char* attendus[] = {"4", "8", "16", "32", "32"};
    const int intervalles[] = {300, 100, 100, 100, 100};
    for (int i = 0; i < 5; ++i) {
        r.Tick();
        EXPECT_EQ(d.Ed_Sign_Den->text(), QString::fromLatin1(attendus[i]));
        EXPECT_EQ(r.Intervalle(), intervalles[i]) << "after tick " << i + 1;
    }
    // Down, the typed value is halved and rounded half to even, never below 1.
    d.Ed_Sign_Den->setText(QStringLiteral("5"));
    r.Demarrer(-1);
    r.Tick();
    EXPECT_EQ(d.Ed_Sign_Den->text(), QStringLiteral("2"));
    d.Ed_Sign_Den->setText(QStringLiteral("1"));
    r.Tick();
    EXPECT_EQ(d.Ed_Sign_Den->text(), QStringLiteral("1"));
}

TEST_F(SignatureTest, SeulsLesChiffresEntrent)
{
    TSais_Signat_Form d;
    Ouvrir(d);
    Saisir(d.Ed_Sign_Num, QStringLiteral("1x25"));
    EXPECT_EQ(d.Ed_Sign_Num->text(), QStringLiteral("12"));
}

TEST_F(SignatureTest, LegendesDuFichierDeLangue)
{
    TSais_Signat_Form integre;
    EXPECT_EQ(integre.windowTitle(), QStringLiteral("Signature"));
    EXPECT_EQ(integre.BT_Annuler->text(), QStringLiteral("&Annuler"));
    ChargerAnglais();
    TSais_Signat_Form d;
    EXPECT_EQ(d.windowTitle(), QStringLiteral("Time signature"));
    EXPECT_EQ(d.BT_OK->text(), QStringLiteral("&OK"));
    EXPECT_EQ(d.BT_Annuler->text(), QStringLiteral("&Cancel"));
    EXPECT_EQ(d.ApplyAll->text(), QStringLiteral("&Until the end"));
}

} // namespace

// The value dialogs: go to measure, annotation, vibrato stroke, bend and bend and release.
#include "FixtureDialogues.h"

#include "dialogs/Sais_ala.h"
#include "dialogs/Sais_ben.h"
#include "dialogs/Sais_cvb.h"
#include "dialogs/Sais_rel.h"
#include "dialogs/Sais_txt.h"
#include "document/FichierPartition.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

namespace {

using ValeursTest = FixtureDialogues;

// ---- Go to measure -----------------------------------------------------------------------------

TEST_F(ValeursTest, AllerAAccepteUnANbMesures)
{
    AvoirMesures(12);
    Entrer(4);
    const struct {
        const char* texte;
        bool accepte;
    } cas[] = {{"12", true}, {"1", true}, {"13", false}, {"0", false}, {"", false}};
    for (const auto& c : cas) {
        Partition.MesureCourante = 4;
        fenetreDlg.SaisiesIncorrectes = 0;
        TSais_AllerA_Form d;
        d.Activer();
        EXPECT_EQ(d.Ed_NumMesure->text(), QStringLiteral("4"));
        d.Ed_NumMesure->setText(QString::fromLatin1(c.texte));
        d.BT_OK->click();
        EXPECT_EQ(d.result() == QDialog::Accepted, c.accepte) << c.texte;
        EXPECT_EQ(fenetreDlg.SaisiesIncorrectes, c.accepte ? 0 : 1) << c.texte;
        EXPECT_EQ(Partition.MesureCourante, c.accepte ? std::atoi(c.texte) : 4) << c.texte;
    }
}

TEST_F(ValeursTest, AllerAMaintenuSArreteALaDerniere)
{
    AvoirMesures(12);
    TSais_AllerA_Form d;
    d.Activer();
    d.Ed_NumMesure->setText(QStringLiteral("9"));
    d.Repetition().Demarrer(+1);
    for (int i = 0; i < 10; ++i)
        d.Repetition().Tick();
    EXPECT_EQ(d.Ed_NumMesure->text(), QStringLiteral("12"));
    d.RenvUp->click();
    EXPECT_EQ(d.Ed_NumMesure->text(), QStringLiteral("12"));
}

TEST_F(ValeursTest, AllerALaMesureMilleSeTape)
{
    AvoirMesures(1000);
    TSais_AllerA_Form d;
    d.Activer();
    Saisir(d.Ed_NumMesure, QStringLiteral("1000"));
    EXPECT_EQ(d.Ed_NumMesure->text(), QStringLiteral("1000"));
    d.BT_OK->click();
    EXPECT_EQ(d.result(), QDialog::Accepted);
    EXPECT_EQ(Partition.MesureCourante, 1000);
}

TEST_F(ValeursTest, AllerARecoloreLeBoutonDeLaPisteQuittee)
{
    AvoirMesures(3);
    Remplir(2, PisteCourante, 2);
    Entrer(2);
    ASSERT_FALSE(TesterCouleurBoutonPiste()) << "coloured before the track got its beats";
    TSais_AllerA_Form d;
    d.Activer();
    d.Ed_NumMesure->setText(QStringLiteral("3"));
    d.BT_OK->click();
    EXPECT_TRUE(fenetreDlg.A("ColorerBoutonPiste(" + std::to_string(PisteCourante) + ")"));
    EXPECT_TRUE(TesterCouleurBoutonPiste());
    EXPECT_EQ(Partition.MesureCourante, 3);
}

// ---- Annotation --------------------------------------------------------------------------------

TEST_F(ValeursTest, AnnotationQuaranteCaracteresAuPlus)
{
    Remplir(1, 1, 1);
    Entrer(1);
    TempsCurseur().Texte = "intro";
    TSais_Txt_Form d;
    d.Activer();
    EXPECT_EQ(d.Ed_Texte->text(), QStringLiteral("intro"));
    Saisir(d.Ed_Texte, QString(45, QLatin1Char('a')));
    EXPECT_EQ(d.Ed_Texte->text().size(), 40);
    d.BT_OK->click();
    EXPECT_EQ(TempsCurseur().Texte.str(), std::string(40, 'a'));
}

TEST_F(ValeursTest, AnnotationEnWindows1252EtAnnuler)
{
    Remplir(1, 1, 1);
    Entrer(1);
    TSais_Txt_Form d;
    d.Activer();
    d.Ed_Texte->setText(QString::fromUtf8("Café €"));
    d.BT_OK->click();
    EXPECT_EQ(TempsCurseur().Texte.str(), std::string("Caf\xe9 \x80"));

    TSais_Txt_Form e;
    e.Activer();
    EXPECT_EQ(e.Ed_Texte->text(), QString::fromUtf8("Café €"));
    e.Ed_Texte->setText(QStringLiteral("autre"));
    e.BT_Annuler->click();
    EXPECT_EQ(TempsCurseur().Texte.str(), std::string("Caf\xe9 \x80"));
}

// ---- Vibrato stroke ----------------------------------------------------------------------------

class CoupVibratoTest : public FixtureDialogues {
protected:
    void SetUp() override
    {
        FixtureDialogues::SetUp();
        Remplir(1, 1, 1);
        Entrer(1);
        TempsCurseur().ValeurCoupVib = 2.5;
    }
};

TEST_F(CoupVibratoTest, ValeursAccepteesEtRefusees)
{
    const struct {
        const char* texte;
        bool accepte;
        double valeur;
    } cas[] = {{"6", true, 6.0},  {"0.5", true, 0.5}, {"5.9", true, 5.9}, {"6.5", false, 0},
               {"0.4", false, 0}, {"0.1", false, 0},  {",25", false, 0},  {"0", false, 0},
               {"", false, 0},    {"..5", false, 0}};
    for (const auto& c : cas) {
        TempsCurseur().ValeurCoupVib = 2.5;
        fenetreDlg.SaisiesIncorrectes = 0;
        TSais_CoupVib_Form d;
        d.Activer();
        EXPECT_EQ(d.Ed_CVB->text(), QStringLiteral("2.5"));
        Saisir(d.Ed_CVB, QString::fromLatin1(c.texte));
        d.BT_OK->click();
        EXPECT_EQ(d.result() == QDialog::Accepted, c.accepte) << c.texte;
        EXPECT_EQ(fenetreDlg.SaisiesIncorrectes, c.accepte ? 0 : 1) << c.texte;
        EXPECT_DOUBLE_EQ(TempsCurseur().ValeurCoupVib, c.accepte ? c.valeur : 2.5) << c.texte;
    }
}

// What the dialog accepts is what a song file keeps: an amount is refused, or comes back from
// the saved song as it was typed.
TEST_F(CoupVibratoTest, CeQuiEstAccepteRevientDuFichier)
{
    TempsCurseur().Effet = 3;
    for (const char* texte : {"0.1", "0.4", "0.5", "0.7", "1.3", "5.9", "6"}) {
        TSais_CoupVib_Form d;
        d.Activer();
        Saisir(d.Ed_CVB, QString::fromLatin1(texte));
        d.BT_OK->click();
        if (d.result() != QDialog::Accepted)
            continue;
        const std::vector<uint8_t> image = ImageFichierPartition();
        ASSERT_EQ(DecoderFichierPartition(image.data(), image.size()), ResultatLecture::Lue) << texte;
        EXPECT_EQ(Partition.Mesures[1]->Temps[1][1].ValeurCoupVib, std::atof(texte)) << texte;
    }
}

TEST_F(CoupVibratoTest, LaVirguleEntreLeSeparateurDuSysteme)
{
    TSais_CoupVib_Form d;
    d.Activer();
    Saisir(d.Ed_CVB, QStringLiteral("1,5"));
    EXPECT_EQ(d.Ed_CVB->text(), QStringLiteral("1.5"));
    d.BT_OK->click();
    EXPECT_DOUBLE_EQ(TempsCurseur().ValeurCoupVib, 1.5);

    DefinirSeparateurDecimal(',');
    TSais_CoupVib_Form e;
    e.Activer();
    EXPECT_EQ(e.Ed_CVB->text(), QStringLiteral("1,5"));
    Saisir(e.Ed_CVB, QStringLiteral("2.5"));
    EXPECT_EQ(e.Ed_CVB->text(), QStringLiteral("2,5"));
    e.BT_OK->click();
    EXPECT_DOUBLE_EQ(TempsCurseur().ValeurCoupVib, 2.5);
}

TEST_F(CoupVibratoTest, Boutons)
{
    TSais_CoupVib_Form d;
    d.Activer();
    d.Ed_CVB->setText(QStringLiteral("5.9"));
    d.CVBUp->click();
    EXPECT_EQ(d.Ed_CVB->text(), QStringLiteral("6.4"));
    d.CVBUp->click();
    EXPECT_EQ(d.Ed_CVB->text(), QStringLiteral("6.4"));
    d.Ed_CVB->setText(QStringLiteral("0.6"));
    d.CVBDown->click();
    EXPECT_EQ(d.Ed_CVB->text(), QStringLiteral("0.1"));
    d.CVBDown->click();
    EXPECT_EQ(d.Ed_CVB->text(), QStringLiteral("0.1"));
    d.Ed_CVB->setText(QStringLiteral("1"));
    Touche(d.Ed_CVB, Qt::Key_Up);
    EXPECT_EQ(d.Ed_CVB->text(), QStringLiteral("1.5"));
    d.Ed_CVB->clear();
    d.CVBUp->click();
    EXPECT_TRUE(d.Ed_CVB->text().isEmpty());
    // Held down, within 0.5..6.0.
    d.Ed_CVB->setText(QStringLiteral("1"));
    d.Repetition().Demarrer(-1);
    for (int i = 0; i < 4; ++i)
        d.Repetition().Tick();
    EXPECT_EQ(d.Ed_CVB->text(), QStringLiteral("0.5"));
    EXPECT_EQ(d.Repetition().Intervalle(), 130);
}

TEST_F(CoupVibratoTest, AnnulerNEcritRien)
{
    TSais_CoupVib_Form d;
    d.Activer();
    d.Ed_CVB->setText(QStringLiteral("4"));
    d.reject();
    EXPECT_DOUBLE_EQ(TempsCurseur().ValeurCoupVib, 2.5);
}

// ---- Bend, bend and release --------------------------------------------------------------------

class BendTest : public FixtureDialogues {
protected:
    void SetUp() override
    {
        FixtureDialogues::SetUp();
        Remplir(1, 1, 1, 0, false, false, 5);
        Entrer(1);
        NoteCurseur().ValeurBend = 1.0;
    }
};

TEST_F(BendTest, ValeursAccepteesEtRefusees)
{
    const struct {
        const char* texte;
        bool accepte;
    } cas[] = {{"0.25", true}, {"3", true}, {"1.75", true}, {"0.2", false},
               {"3.25", false}, {"", false}, {"0", false},   {"1..5", false}};
    for (const auto& c : cas) {
        for (const bool release : {false, true}) {
            NoteCurseur().ValeurBend = 1.0;
            fenetreDlg.SaisiesIncorrectes = 0;
            std::unique_ptr<TDialogueMontant> d;
            if (release)
                d = std::make_unique<TSais_Release_Form>();
            else
                d = std::make_unique<TSais_Bend_Form>();
            d->Activer();
            EXPECT_EQ(d->Champ->text(), QStringLiteral("1"));
            Saisir(d->Champ, QString::fromLatin1(c.texte));
            d->BT_OK->click();
            EXPECT_EQ(d->result() == QDialog::Accepted, c.accepte) << c.texte;
            EXPECT_EQ(fenetreDlg.SaisiesIncorrectes, c.accepte ? 0 : 1) << c.texte;
            EXPECT_DOUBLE_EQ(NoteCurseur().ValeurBend, c.accepte ? std::atof(c.texte) : 1.0) << c.texte;
        }
    }
}

TEST_F(BendTest, MaintenuVersLeHautDepuisDeuxEtDemi)
{
    TSais_Bend_Form d;
    d.Activer();
    d.Ed_Bend->setText(QStringLiteral("2.5"));
    d.Repetition().Demarrer(+1);
    const char* attendus[] = {"2.75", "3", "3", "3"};
    for (const char* a : attendus) {
        d.Repetition().Tick();
        EXPECT_EQ(d.Ed_Bend->text(), QString::fromLatin1(a));
    }
    d.Ed_Bend->setText(QStringLiteral("0.5"));
    d.BendDown->click();
    EXPECT_EQ(d.Ed_Bend->text(), QStringLiteral("0.25"));
    d.BendDown->click();
    EXPECT_EQ(d.Ed_Bend->text(), QStringLiteral("0.25"));
}

TEST_F(BendTest, AnnulerLaisseLaNote)
{
    TSais_Release_Form d;
    d.Activer();
    d.Ed_Release->setText(QStringLiteral("2"));
    d.BT_Annuler->click();
    EXPECT_DOUBLE_EQ(NoteCurseur().ValeurBend, 1.0);
}

TEST_F(BendTest, Legendes)
{
    {
        TSais_Release_Form d;
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Bend & Release"));
        EXPECT_EQ(d.Valeur->text(), QStringLiteral("&Valeur"));
    }
    ChargerAnglais();
    TSais_Bend_Form b;
    TSais_Release_Form r;
    TSais_CoupVib_Form v;
    TSais_AllerA_Form a;
    TSais_Txt_Form t;
    EXPECT_EQ(b.windowTitle(), QStringLiteral("Bend"));
    EXPECT_EQ(r.windowTitle(), QStringLiteral("Bend and release"));
    EXPECT_EQ(r.Valeur->text(), QStringLiteral("&Amount (tones)"));
    EXPECT_EQ(v.windowTitle(), QStringLiteral("Tremolo bar dip"));
    EXPECT_EQ(a.windowTitle(), QStringLiteral("Go to bar"));
    EXPECT_EQ(a.Mesure->text(), QStringLiteral("&Bar"));
    EXPECT_EQ(t.Texte->text(), QStringLiteral("&Text"));
}

} // namespace

// The measure-range dialogs (cut, copy and clear, automatic placement): what they show on
// opening, the measure-number fields with their arrows, keys and held repeat, the range check
// of OK, and the track choice of the copy dialog.
#include "FixturePlages.h"

#include "dialogs/Copier.h"
#include "dialogs/Couper.h"
#include "dialogs/Reposit.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

#include <memory>

namespace {

using PlagesMesuresTest = FixturePlages;

// One of each range dialog, by name.
std::unique_ptr<TDialoguePlage> Creer(const std::string& nom)
{
    if (nom == "TCouperForm")
        return std::make_unique<TCouperForm>();
    if (nom == "TCopierForm")
        return std::make_unique<TCopierForm>();
    return std::make_unique<TRepositForm>();
}

const char* const kDialogues[] = {"TCouperForm", "TCopierForm", "TRepositForm"};

TEST_F(PlagesMesuresTest, OuvertureSurLaMesureCouranteOuJusquALaFin)
{
    AvoirMesures(12);
    Partition.MesureCourante = 5;
    const struct {
        const char* nom;
        const char* debut;
        const char* fin;
    } cas[] = {{"TCouperForm", "5", "5"}, {"TCopierForm", "5", "5"}, {"TRepositForm", "5", "12"}};
    for (const auto& c : cas) {
        auto d = Creer(c.nom);
        EXPECT_EQ(d->objectName(), QString::fromLatin1(c.nom));
        d->show();
        EXPECT_EQ(d->MesDeb->text(), QString::fromLatin1(c.debut)) << c.nom;
        EXPECT_EQ(d->MesFin->text(), QString::fromLatin1(c.fin)) << c.nom;
        EXPECT_EQ(d->focusWidget(), d->MesDeb) << c.nom;
        EXPECT_EQ(d->MesDeb->selectedText(), d->MesDeb->text()) << c.nom;
    }
}

TEST_F(PlagesMesuresTest, ControleDeLaPlageAuOK)
{
    AvoirMesures(10);
    enum Faute { Aucune, Premier, Dernier };
    const struct {
        const char* debut;
        const char* fin;
        Faute faute;
    } cas[] = {
        {"1", "10", Aucune}, {"10", "10", Aucune}, {"3", "3", Aucune}, {"", "3", Premier},   {"0", "3", Premier},
        {"11", "11", Premier}, {"3", "", Dernier}, {"3", "0", Dernier}, {"3", "11", Dernier}, {"5", "3", Dernier},
        {"", "", Premier},    {"0", "0", Premier},
    };
    for (const char* nom : kDialogues) {
        for (const auto& c : cas) {
            fenetrePlages.SaisiesIncorrectes = 0;
            auto d = Creer(nom);
            d->show();
            d->MesDeb->setText(QString::fromLatin1(c.debut));
            d->MesFin->setText(QString::fromLatin1(c.fin));
            d->BT_OK->click();
            const std::string trace = std::string(nom) + " " + c.debut + ".." + c.fin;
            EXPECT_EQ(d->result() == QDialog::Accepted, c.faute == Aucune) << trace;
            EXPECT_EQ(d->isVisible(), c.faute != Aucune) << trace;
            EXPECT_EQ(fenetrePlages.SaisiesIncorrectes, c.faute == Aucune ? 0 : 1) << trace;
            if (c.faute != Aucune) {
                QLineEdit* fautif = c.faute == Premier ? d->MesDeb : d->MesFin;
                EXPECT_EQ(d->focusWidget(), fautif) << trace;
                EXPECT_EQ(fautif->selectedText(), fautif->text()) << trace;
                // The values typed stay; Cancel then closes.
                EXPECT_EQ(d->MesDeb->text(), QString::fromLatin1(c.debut)) << trace;
                EXPECT_EQ(d->MesFin->text(), QString::fromLatin1(c.fin)) << trace;
                d->BT_Annuler->click();
                EXPECT_FALSE(d->isVisible()) << trace;
                EXPECT_EQ(d->result(), QDialog::Rejected) << trace;
            }
        }
    }
}

TEST_F(PlagesMesuresTest, FlechesEtTouchesDansLaPlageDuMorceau)
{
    AvoirMesures(10);
    TRepositForm d;
    d.show();
    d.MesDeb->setText(QStringLiteral("9"));
    d.MesDebUp->click();
    EXPECT_EQ(d.MesDeb->text(), QStringLiteral("10"));
    d.MesDebUp->click();
    EXPECT_EQ(d.MesDeb->text(), QStringLiteral("10")) << "N is the top";
    Touche(d.MesDeb, Qt::Key_Down);
    Touche(d.MesDeb, Qt::Key_Minus, QStringLiteral("-"), Qt::KeypadModifier);
    EXPECT_EQ(d.MesDeb->text(), QStringLiteral("8"));
    Touche(d.MesDeb, Qt::Key_Plus, QStringLiteral("+"), Qt::KeypadModifier);
    Touche(d.MesDeb, Qt::Key_Up);
    EXPECT_EQ(d.MesDeb->text(), QStringLiteral("10"));
    d.MesFin->setText(QStringLiteral("2"));
    d.MesFinDown->click();
    d.MesFinDown->click();
    EXPECT_EQ(d.MesFin->text(), QStringLiteral("1")) << "1 is the bottom";
    // An empty field stays empty.
    d.MesFin->clear();
    d.MesFinUp->click();
    d.MesFinDown->click();
    EXPECT_EQ(d.MesFin->text(), QString());
    // Only digits are typed.
    Saisir(d.MesFin, QStringLiteral("a7-b"));
    EXPECT_EQ(d.MesFin->text(), QStringLiteral("7"));
}

TEST_F(PlagesMesuresTest, UnMorceauDUneMesure)
{
    for (const char* nom : kDialogues) {
        auto d = Creer(nom);
        d->show();
        EXPECT_EQ(d->MesDeb->text(), QStringLiteral("1")) << nom;
        EXPECT_EQ(d->MesFin->text(), QStringLiteral("1")) << nom;
        for (QToolButton* b : {d->MesDebUp, d->MesDebDown, d->MesFinUp, d->MesFinDown})
            b->click();
        d->Plage->Timer2().Demarrer(+1);
        d->Plage->Timer2().Tick();
        d->Plage->Timer2().Arreter();
        EXPECT_EQ(d->MesDeb->text(), QStringLiteral("1")) << nom;
        EXPECT_EQ(d->MesFin->text(), QStringLiteral("1")) << nom;
    }
}

TEST_F(PlagesMesuresTest, MilleMesuresSontAtteintesEtMontrees)
{
    // The fields are three digits wide in the forms, but the song may hold 1000 measures.
    AvoirMesures(kNbMesuresMax);
    TRepositForm d;
    d.show();
    EXPECT_EQ(d.MesFin->text(), QStringLiteral("1000"));
    d.MesDeb->setText(QStringLiteral("999"));
    d.MesDebUp->click();
    EXPECT_EQ(d.MesDeb->text(), QStringLiteral("1000"));
    Saisir(d.MesDeb, QStringLiteral("10000"));
    EXPECT_EQ(d.MesDeb->text(), QStringLiteral("1000"));
    d.BT_OK->click();
    EXPECT_EQ(d.result(), QDialog::Accepted);
}

TEST_F(PlagesMesuresTest, FlecheTenueAccelereEtTripleLePas)
{
    AvoirMesures(200);
    TCopierForm d;
    d.show();
    for (auto [repetition, champ] : {std::pair{&d.Plage->Timer1(), d.MesDeb}, std::pair{&d.Plage->Timer2(), d.MesFin}}) {
        champ->setText(QStringLiteral("100"));
        repetition->Demarrer(+1);
        EXPECT_TRUE(repetition->Actif());
        EXPECT_EQ(repetition->Intervalle(), 300);
        repetition->Tick();
        EXPECT_EQ(champ->text(), QStringLiteral("101"));
        repetition->Tick();
        EXPECT_EQ(repetition->Intervalle(), 100);
        for (int i = 3; i <= 11; ++i)
            repetition->Tick();
        EXPECT_EQ(repetition->Intervalle(), 50);
        EXPECT_EQ(champ->text(), QStringLiteral("111"));
        for (int i = 12; i <= 29; ++i)
            repetition->Tick();
        EXPECT_EQ(champ->text(), QStringLiteral("129"));
        repetition->Tick(); // the thirtieth: from now on by 3
        EXPECT_EQ(champ->text(), QStringLiteral("132"));
        repetition->Tick();
        EXPECT_EQ(champ->text(), QStringLiteral("135"));
        for (int i = 0; i < 40; ++i)
            repetition->Tick();
        EXPECT_EQ(champ->text(), QStringLiteral("200")) << "stops at N";
        repetition->Arreter();
    }
    // Down from 5 by the tripled step stops at 1; an empty field stays empty and OK refuses it.
    d.MesDeb->setText(QStringLiteral("5"));
    d.Plage->Timer1().Demarrer(-1);
    for (int i = 0; i < 31; ++i)
        d.Plage->Timer1().Tick();
    EXPECT_EQ(d.MesDeb->text(), QStringLiteral("1"));
    d.MesFin->clear();
    d.Plage->Timer2().Demarrer(+1);
    for (int i = 0; i < 40; ++i)
        d.Plage->Timer2().Tick();
    d.Plage->Timer2().Arreter();
    EXPECT_EQ(d.MesFin->text(), QString());
    d.BT_OK->click();
    EXPECT_TRUE(d.isVisible());
    EXPECT_EQ(d.focusWidget(), d.MesFin);
}

TEST_F(PlagesMesuresTest, PressionCourteDUneFlecheAvanceDUn)
{
    AvoirMesures(20);
    TCouperForm d;
    d.show();
    d.MesFin->setText(QStringLiteral("4"));
    Souris(d.MesFinUp, true);
    EXPECT_TRUE(d.Plage->Timer2().Actif());
    EXPECT_FALSE(d.Plage->Timer1().Actif());
    Souris(d.MesFinUp, false);
    EXPECT_FALSE(d.Plage->Timer2().Actif());
    EXPECT_EQ(d.MesFin->text(), QStringLiteral("5"));
    Souris(d.MesFinDown, true);
    Souris(d.MesFinDown, false);
    EXPECT_EQ(d.MesFin->text(), QStringLiteral("4"));
}

TEST_F(PlagesMesuresTest, CopierRetientLeChoixDesPistesDesLOK)
{
    AvoirMesures(4);
    {
        TCopierForm d;
        d.show();
        EXPECT_TRUE(d.PisteEnCours->isChecked());
        d.ToutesPistes->setChecked(true);
        d.BT_Annuler->click();
    }
    EXPECT_FALSE(CopierToutesPistes) << "Cancel without OK keeps the stored choice";
    {
        TCopierForm d;
        d.show();
        EXPECT_TRUE(d.PisteEnCours->isChecked());
        d.ToutesPistes->setChecked(true);
        d.MesFin->setText(QStringLiteral("9"));
        d.BT_OK->click();
        EXPECT_TRUE(d.isVisible());
        EXPECT_TRUE(CopierToutesPistes) << "stored before the range check";
        d.BT_Annuler->click();
    }
    EXPECT_TRUE(CopierToutesPistes);
    {
        TCopierForm d;
        d.show();
        EXPECT_TRUE(d.ToutesPistes->isChecked());
        d.PisteEnCours->setChecked(true);
        d.BT_OK->click();
        EXPECT_EQ(d.result(), QDialog::Accepted);
    }
    EXPECT_FALSE(CopierToutesPistes);
}

TEST_F(PlagesMesuresTest, CouperToujoursSurToutesLesPistes)
{
    TCouperForm d;
    d.show();
    EXPECT_TRUE(d.ToutesPistes->isChecked());
    EXPECT_FALSE(d.ToutesPistes->isEnabled());
    EXPECT_FALSE(d.PisteEnCours->isEnabled());
    // Out of sight, below the client area.
    EXPECT_GE(d.ToutesPistes->y(), d.height());
    EXPECT_GE(d.PisteEnCours->y(), d.height());
}

TEST_F(PlagesMesuresTest, LegendesDuFichierDeLangue)
{
    {
        TCouperForm d;
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Couper"));
        EXPECT_EQ(d.Lab_Mesure->text(), QStringLiteral("&Mesures :"));
        EXPECT_EQ(d.Lab_a->text(), QStringLiteral("à"));
        EXPECT_TRUE(d.Texte->text().startsWith(QStringLiteral("This function cuts the bars on all tracks.")));
    }
    ChargerAnglais();
    TCouperForm couper;
    EXPECT_EQ(couper.windowTitle(), QStringLiteral("Cut"));
    EXPECT_EQ(couper.Texte->text(), QStringLiteral("This function cuts the bars on all tracks. To remove bars from one "
                                                   "track only, use Copy and then Clear."));
    EXPECT_EQ(couper.BT_OK->text(), QStringLiteral("&OK"));
    EXPECT_EQ(couper.BT_Annuler->text(), QStringLiteral("&Cancel"));
    EXPECT_EQ(couper.Lab_Mesure->text(), QStringLiteral("&Bars :"));
    EXPECT_EQ(couper.Lab_a->text(), QStringLiteral("to"));

    TCopierForm copier;
    copier.TraduireCopier();
    EXPECT_EQ(copier.windowTitle(), QStringLiteral("Copy"));
    EXPECT_EQ(copier.ToutesPistes->text(), QStringLiteral("&All tracks"));
    copier.Mode = ModeCopierForm::Vider;
    copier.TraduireCopier();
    EXPECT_EQ(copier.windowTitle(), QStringLiteral("Clear"));

    TRepositForm reposit;
    EXPECT_EQ(reposit.windowTitle(), QStringLiteral("Automatic finger placement"));
    EXPECT_EQ(reposit.BT_Aide->text(), QStringLiteral("&Help"));
}

TEST_F(PlagesMesuresTest, AideParF1EtParLeBouton)
{
    TCouperForm couper;
    couper.show();
    Touche(&couper, Qt::Key_F1);
    TCopierForm copier;
    copier.show();
    Touche(copier.MesFin, Qt::Key_F1);
    TRepositForm reposit;
    reposit.show();
    Touche(&reposit, Qt::Key_F1);
    reposit.BT_Aide->click();
    EXPECT_EQ(fenetrePlages.Aides, (std::vector<int>{6, 6, 15, 15}));
    EXPECT_TRUE(reposit.isVisible());
}

} // namespace

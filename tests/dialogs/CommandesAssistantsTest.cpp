// The assistant commands of the Tools menu and the clipboard commands, run from the command
// list with their dialogs on screen: what OK does to the song and the views, and that Cancel
// changes nothing.
#include "FixturePlages.h"

#include "dialogs/ConfRede.h"
#include "dialogs/Copier.h"
#include "dialogs/Couper.h"
#include "dialogs/LetRingAssistant.h"
#include "dialogs/Reposit.h"
#include "dialogs/Transpo.h"
#include "dialogs/sais_paste.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace {

class CommandesAssistantsTest : public FixturePlages {
protected:
    static TNoteCorde& N(int m, int b, int s) { return Note(m, 1, b, s); }

    // The current measure as a move leaves it, with an edit pending in it: Undo and the
    // cancel-measure button available.
    static void EditionEnCours(int m)
    {
        Entrer(m);
        SauverAnnulation();
        Commandes().SetEnabled(Cmd::BT_AnnulerMesure, true);
        PartitionModifiee = false;
        PartitionVierge = true;
    }

    bool Executer(Cmd c)
    {
        fenetrePlages.Appels.clear();
        return Commandes().Executer(c);
    }

    bool MesureAccepteeTelleQuelle() const
    {
        const TMesure& m = MesureEnCours();
        for (int b = 1; b <= m.NbTemps[1]; ++b)
            for (int s = 1; s <= 6; ++s)
                if (CopieMesureEntree.Temps[1][b].Notes[s].Frette != m.Temps[1][b].Notes[s].Frette
                    || CopieMesureEntree.Temps[1][b].Notes[s].Effet != m.Temps[1][b].Notes[s].Effet)
                    return false;
        return CopieMesureEntree.NbTemps[1] == m.NbTemps[1] && !Commandes().Enabled(Cmd::BT_AnnulerMesure)
            && !Commandes().Enabled(Cmd::Ac_Edition_Annuler);
    }
};

TEST_F(CommandesAssistantsTest, TransposerStoppeLaLectureChoisitEtRafraichit)
{
    Remplir(1, 1, 1, 0, false, false, 22);
    EditionEnCours(1);
    Piloter([](QDialog& q) {
        auto& d = Comme<TTransposerForm>(q);
        d.Valeur->setCurrentIndex(10); // "+2"
        d.BT_OK->click();
    });
    EXPECT_TRUE(Executer(Cmd::Ac_Ass_Transposer));
    EXPECT_EQ(ouverts, (std::vector<QString>{QStringLiteral("TTransposerForm")}));
    ASSERT_FALSE(fenetrePlages.Appels.empty());
    EXPECT_EQ(fenetrePlages.Appels.front(), "ArreterLectureEnCours");
    EXPECT_EQ(N(1, 1, 1).Frette, 24) << "pitch 86 + 2 fits only string 1 at fret 24";
    EXPECT_TRUE(fenetrePlages.A("RedessinerPartition"));
    EXPECT_TRUE(PartitionModifiee);
    EXPECT_FALSE(PartitionVierge);
    EXPECT_TRUE(MesureAccepteeTelleQuelle());
}

TEST_F(CommandesAssistantsTest, TransposerAnnuleNeChangeRienEtOKSansChoixTransposeDeZero)
{
    Remplir(1, 1, 2, 0, false, false, 5);
    N(1, 1, 1).Effet = 1;
    EditionEnCours(1);
    Piloter([](QDialog& q) { Comme<TTransposerForm>(q).BT_Annuler->click(); });
    Executer(Cmd::Ac_Ass_Transposer);
    EXPECT_EQ(N(1, 1, 1).Effet, 1);
    EXPECT_FALSE(PartitionModifiee);
    EXPECT_FALSE(fenetrePlages.A("RedessinerPartition"));
    EXPECT_TRUE(Commandes().Enabled(Cmd::BT_AnnulerMesure));

    Piloter([](QDialog& q) { Comme<TTransposerForm>(q).BT_OK->click(); });
    Executer(Cmd::Ac_Ass_Transposer);
    EXPECT_EQ(N(1, 1, 1).Effet, 0) << "transposing by 0 fingers again and drops the techniques";
    EXPECT_EQ(N(1, 1, 1).Frette, 5);
    EXPECT_TRUE(PartitionModifiee);
}

TEST_F(CommandesAssistantsTest, PlacementAutomatiqueSurLaPlageChoisie)
{
    AvoirMesures(3);
    for (int m = 1; m <= 3; ++m) {
        Remplir(m, 1, 1, 0, false, false, 5);
        N(m, 1, 1).Effet = 1;
    }
    EditionEnCours(2);
    QString debut, fin;
    Piloter([&](QDialog& q) {
        auto& d = Comme<TRepositForm>(q);
        debut = d.MesDeb->text();
        fin = d.MesFin->text();
        d.MesDeb->setText(QStringLiteral("2"));
        d.MesFin->setText(QStringLiteral("2"));
        d.BT_OK->click();
    });
    Executer(Cmd::Ac_Ass_PlacementAuto);
    EXPECT_EQ(debut, QStringLiteral("2"));
    EXPECT_EQ(fin, QStringLiteral("3"));
    EXPECT_EQ(fenetrePlages.Appels.front(), "ArreterLectureEnCours");
    EXPECT_EQ(N(1, 1, 1).Effet, 1);
    EXPECT_EQ(N(2, 1, 1).Effet, 0);
    EXPECT_EQ(N(3, 1, 1).Effet, 1);
    EXPECT_TRUE(PartitionModifiee);
    EXPECT_TRUE(MesureAccepteeTelleQuelle());
}

TEST_F(CommandesAssistantsTest, PlacementAutomatiqueRefusePuisAnnule)
{
    AvoirMesures(3);
    Remplir(2, 1, 1, 0, false, false, 5);
    N(2, 1, 1).Effet = 1;
    Piloter([](QDialog& q) {
        auto& d = Comme<TRepositForm>(q);
        d.MesDeb->setText(QStringLiteral("3"));
        d.MesFin->setText(QStringLiteral("2"));
        d.BT_OK->click(); // refused: the dialog stays and is then cancelled
    });
    Executer(Cmd::Ac_Ass_PlacementAuto);
    EXPECT_EQ(fenetrePlages.SaisiesIncorrectes, 1);
    EXPECT_EQ(N(2, 1, 1).Effet, 1);
    EXPECT_FALSE(PartitionModifiee);
}

TEST_F(CommandesAssistantsTest, RedecouperSurOui)
{
    AvoirMesures(2);
    Remplir(1, 1, 5, 0, false, false, 3);
    Remplir(2, 1, 3, 0, false, false, 7);
    EditionEnCours(2);
    Piloter([](QDialog& q) { Comme<TConfRedecForm>(q).BT_Non->click(); });
    Executer(Cmd::Ac_Ass_Redecouper);
    EXPECT_EQ(Partition.Mesures[1]->NbTemps[1], 5);
    EXPECT_EQ(Partition.MesureCourante, 2);
    EXPECT_FALSE(PartitionModifiee);

    Piloter([](QDialog& q) { Comme<TConfRedecForm>(q).BT_Oui->click(); });
    Curseur.Temps = 3;
    Executer(Cmd::Ac_Ass_Redecouper);
    EXPECT_EQ(fenetrePlages.Appels.front(), "ArreterLectureEnCours");
    ASSERT_EQ(Partition.NbMesures, 2);
    EXPECT_EQ(Partition.Mesures[1]->NbTemps[1], 4);
    EXPECT_EQ(Partition.Mesures[2]->NbTemps[1], 4);
    EXPECT_EQ(N(2, 1, 1).Frette, 3) << "the fifth quarter moved on";
    EXPECT_EQ(N(2, 2, 1).Frette, 7);
    EXPECT_EQ(Partition.MesureCourante, 1);
    EXPECT_EQ(Curseur.Temps, 1);
    EXPECT_EQ(Curseur.Corde, 1);
    EXPECT_TRUE(fenetrePlages.A("ColorerBoutonPiste(1)"));
    EXPECT_TRUE(fenetrePlages.A("RedessinerPartition"));
    EXPECT_TRUE(PartitionModifiee);
    EXPECT_TRUE(MesureAccepteeTelleQuelle());
}

TEST_F(CommandesAssistantsTest, CompleterReduireSansDialogue)
{
    AvoirMesures(2);
    Remplir(1, 1, 3, 0, false, false, 2);
    Remplir(2, 1, 2, 0, false, false, 4);
    EditionEnCours(1);
    Curseur.Temps = 2;
    Executer(Cmd::Ac_Ass_CompleterReduire);
    EXPECT_TRUE(ouverts.empty());
    EXPECT_EQ(fenetrePlages.Appels.front(), "ArreterLectureEnCours");
    ASSERT_EQ(Partition.Mesures[1]->NbTemps[1], 4);
    EXPECT_TRUE(Temps(1, 1, 4).Silence);
    EXPECT_GE(Partition.Mesures[2]->NbTemps[1], 3);
    EXPECT_EQ(Curseur.Temps, 1);
    EXPECT_TRUE(fenetrePlages.A("ColorerBoutonPiste(1)"));
    EXPECT_TRUE(PartitionModifiee);
    EXPECT_TRUE(MesureAccepteeTelleQuelle());
}

TEST_F(CommandesAssistantsTest, LetRingSansLAffichageDesNotesLaisseeVibrer)
{
    AvoirMesures(3);
    for (int m = 1; m <= 3; ++m)
        Remplir(m, 1, 2, 0, false, false, 5);
    EditionEnCours(3);
    Piloter([](QDialog& q) {
        auto& d = Comme<TLetRingAssistantForm>(q);
        d.MesFin->setText(QStringLiteral("2"));
        d.CB[1]->setChecked(true);
        d.BT_OK->click();
    });
    Executer(Cmd::Ac_Ass_LetRingSelector);
    EXPECT_FALSE(fenetrePlages.A("ArreterLectureEnCours")) << "the let-ring selector does not stop playback";
    EXPECT_EQ(N(1, 2, 1).Effet, 7);
    EXPECT_EQ(N(2, 1, 1).Effet, 7);
    EXPECT_EQ(N(3, 1, 1).Effet, 0);
    EXPECT_FALSE(fenetrePlages.A("RedessinerPartition"));
    EXPECT_TRUE(PartitionModifiee);
    EXPECT_FALSE(PartitionVierge);
    // The current measure was not in the range: its own edit can still be undone or cancelled.
    EXPECT_TRUE(Commandes().Enabled(Cmd::BT_AnnulerMesure));
    EXPECT_TRUE(Commandes().Enabled(Cmd::Ac_Edition_Annuler));
}

TEST_F(CommandesAssistantsTest, LetRingSurLaMesureCouranteAvecLAffichage)
{
    Configuration.ShowLetRingNotes = true;
    AvoirMesures(2);
    Remplir(1, 1, 2, 0, false, false, 5);
    EditionEnCours(1);
    Piloter([](QDialog& q) {
        auto& d = Comme<TLetRingAssistantForm>(q);
        d.CB[1]->setChecked(true);
        d.BT_OK->click();
    });
    Executer(Cmd::Ac_Ass_LetRingSelector);
    EXPECT_EQ(N(1, 1, 1).Effet, 7);
    EXPECT_TRUE(fenetrePlages.A("RedessinerPartition"));
    // Neither Undo nor cancelling the measure may take back the change in this one measure.
    EXPECT_TRUE(MesureAccepteeTelleQuelle());
    EXPECT_EQ(CopieMesureEntree.Temps[1][1].Notes[1].Effet, 7);
    EXPECT_TRUE(PartitionModifiee);
}

TEST_F(CommandesAssistantsTest, LetRingAnnuleNeChangeRien)
{
    Configuration.ShowLetRingNotes = true;
    Remplir(1, 1, 2, 0, false, false, 5);
    Piloter([](QDialog& q) {
        auto& d = Comme<TLetRingAssistantForm>(q);
        d.CB[1]->setChecked(true);
        d.BT_Annuler->click();
    });
    Executer(Cmd::Ac_Ass_LetRingSelector);
    EXPECT_EQ(N(1, 1, 1).Effet, 0);
    EXPECT_FALSE(PartitionModifiee);
    EXPECT_FALSE(fenetrePlages.A("RedessinerPartition"));
}

// ---- Clipboard commands ------------------------------------------------------------------------

TEST_F(CommandesAssistantsTest, CopierPuisCollerAvantLaSelection)
{
    AvoirMesures(3);
    for (int m = 1; m <= 3; ++m)
        Remplir(m, 1, 1, 0, false, false, m);
    Partition.MesureCourante = 2;
    Piloter([](QDialog& q) {
        auto& d = Comme<TCopierForm>(q);
        d.MesDeb->setText(QStringLiteral("1"));
        d.MesFin->setText(QStringLiteral("2"));
        d.ToutesPistes->setChecked(true);
        d.BT_OK->click();
    });
    Ac_Edition_CopierExecute();
    EXPECT_EQ(ouverts.back(), QStringLiteral("TCopierForm"));
    ASSERT_EQ(NbMesuresPressePapier, 2);
    EXPECT_EQ(PistePressePapier, 0);
    EXPECT_TRUE(CopierToutesPistes);

    QString question;
    Piloter([&](QDialog& q) {
        auto& d = Comme<TSais_Paste_Form>(q);
        question = d.Question->text();
        d.PasteRB2->setChecked(true);
        d.Ed_NbPaste->setText(QStringLiteral("2"));
        d.BT_Oui->click();
    });
    Partition.MesureCourante = 3;
    Ac_Edition_CollerExecute();
    EXPECT_EQ(ouverts.back(), QStringLiteral("TSais_Paste_Form"));
    ASSERT_EQ(Partition.NbMesures, 7);
    const int attendu[] = {0, 1, 2, 1, 2, 1, 2, 3};
    for (int m = 1; m <= 7; ++m)
        EXPECT_EQ(N(m, 1, 1).Frette, attendu[m]) << m;

    // No: nothing pasted.
    Piloter([](QDialog& q) { Comme<TSais_Paste_Form>(q).BT_Non->click(); });
    Ac_Edition_CollerExecute();
    EXPECT_EQ(Partition.NbMesures, 7);
}

TEST_F(CommandesAssistantsTest, UneChansonPleineLeDitAvantQueRienNeChange)
{
    AvoirMesures(999);
    Remplir(1, 1, 1, 0, false, false, 5);
    Partition.MesureCourante = 1;
    Piloter([](QDialog& q) {
        auto& d = Comme<TCopierForm>(q);
        d.MesDeb->setText(QStringLiteral("1"));
        d.MesFin->setText(QStringLiteral("1"));
        d.BT_OK->click();
    });
    Ac_Edition_CopierExecute();
    ASSERT_EQ(NbMesuresPressePapier, 1);

    // Two copies at the end would need 1001 measures: Yes tells it and the dialog stays open
    // for another count; one copy then fills the song to 1000.
    bool resteOuvert = false;
    std::size_t messagesSurOui = 0;
    Piloter([&](QDialog& q) {
        auto& d = Comme<TSais_Paste_Form>(q);
        d.PasteRB3->setChecked(true);
        d.Ed_NbPaste->setText(QStringLiteral("2"));
        d.BT_Oui->click();
        resteOuvert = d.isVisible();
        messagesSurOui = messages.size();
        EXPECT_EQ(Partition.NbMesures, 999) << "nothing changed while the dialog is open";
        d.Ed_NbPaste->setText(QStringLiteral("1"));
        d.BT_Oui->click();
    });
    messages.clear();
    Ac_Edition_CollerExecute();
    EXPECT_TRUE(resteOuvert);
    ASSERT_EQ(messagesSurOui, 1u);
    EXPECT_EQ(messages[0].Texte, Traduire("Gene-PartitionPleine"));
    EXPECT_EQ(messages.size(), 1u) << "the paste that fits is not refused";
    ASSERT_EQ(Partition.NbMesures, 1000);
    EXPECT_EQ(N(1000, 1, 1).Frette, 5);

    // Insert a bar on the full song: told, and the song stays as it was.
    messages.clear();
    Partition.MesureCourante = 2;
    PartitionModifiee = false;
    Executer(Cmd::Ac_Edition_Inserer);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].Texte, Traduire("Gene-PartitionPleine"));
    EXPECT_EQ(Partition.NbMesures, 1000);
    EXPECT_EQ(N(1000, 1, 1).Frette, 5);
    EXPECT_FALSE(PartitionModifiee);
}

TEST_F(CommandesAssistantsTest, CouperEtViderParLeursDialogues)
{
    AvoirMesures(5);
    for (int m = 1; m <= 5; ++m)
        Remplir(m, 1, 1, 0, false, false, m);
    Piloter([](QDialog& q) { Comme<TCouperForm>(q).BT_Annuler->click(); });
    Ac_Edition_CouperExecute();
    EXPECT_EQ(Partition.NbMesures, 5);
    EXPECT_FALSE(PressePapierPlein);

    Piloter([](QDialog& q) {
        auto& d = Comme<TCouperForm>(q);
        d.MesDeb->setText(QStringLiteral("2"));
        d.MesFin->setText(QStringLiteral("3"));
        d.BT_OK->click();
    });
    Ac_Edition_CouperExecute();
    ASSERT_EQ(Partition.NbMesures, 3);
    EXPECT_EQ(N(2, 1, 1).Frette, 4);
    EXPECT_EQ(NbMesuresPressePapier, 2);

    // Clear in clear mode on the current track only.
    QString titre;
    ChargerAnglais();
    Piloter([&](QDialog& q) {
        auto& d = Comme<TCopierForm>(q);
        titre = d.windowTitle();
        d.MesDeb->setText(QStringLiteral("1"));
        d.MesFin->setText(QStringLiteral("3"));
        d.BT_OK->click();
    });
    Ac_Edition_ViderExecute();
    EXPECT_EQ(titre, QStringLiteral("Clear"));
    for (int m = 1; m <= 3; ++m)
        EXPECT_EQ(Partition.Mesures[m]->NbTemps[1], 0) << m;
}

TEST_F(CommandesAssistantsTest, LesCinqCommandesSontEnregistrees)
{
    for (Cmd c : {Cmd::Ac_Ass_Transposer, Cmd::Ac_Ass_Redecouper, Cmd::Ac_Ass_PlacementAuto,
                  Cmd::Ac_Ass_LetRingSelector}) {
        ouverts.clear();
        EXPECT_TRUE(Executer(c)) << static_cast<int>(c);
        EXPECT_EQ(ouverts.size(), 1u) << static_cast<int>(c);
    }
    EXPECT_TRUE(Executer(Cmd::Ac_Ass_CompleterReduire));
}

} // namespace

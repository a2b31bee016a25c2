// The dialogs behind the edit commands: each command opens its dialog, and what the dialog
// wrote (or not) decides what the command does.
#include "FixtureDialogues.h"

#include "dialogs/Brush.h"
#include "dialogs/DialoguesEdition.h"
#include "dialogs/GraceNote.h"
#include "dialogs/Sais_ala.h"
#include "dialogs/Sais_ben.h"
#include "dialogs/Sais_nrp.h"
#include "dialogs/Sais_sig.h"

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace {

class DialoguesEditionTest : public FixtureDialogues {
protected:
    DialoguesEditionQt dialogues;
    std::vector<QString> ouverts;

    void SetUp() override
    {
        FixtureDialogues::SetUp();
        InstallerDialoguesEdition(&dialogues);
    }

    // Each dialog is shown, handed to `action`, and closed by it.
    void Executer(std::function<void(QDialog&)> action)
    {
        dialogues.DefinirExecuteur([this, action](QDialog& d) {
            ouverts.push_back(d.objectName());
            d.show();
            action(d);
            if (d.isVisible())
                d.reject();
            return d.result();
        });
    }

    template <class T>
    static T& Comme(QDialog& d)
    {
        return dynamic_cast<T&>(d);
    }
};

TEST_F(DialoguesEditionTest, SignatureParLaCommande)
{
    AvoirMesures(2);
    Executer([](QDialog& d) {
        auto& s = Comme<TSais_Signat_Form>(d);
        s.Ed_Sign_Num->setText(QStringLiteral("3"));
        s.BT_OK->click();
    });
    Commandes().Executer(Cmd::Ac_Mesure_Signature);
    ASSERT_EQ(ouverts.size(), 1u);
    EXPECT_EQ(Partition.Mesures[1]->Numerateur, 3);
    EXPECT_TRUE(fenetreDlg.A("RedessinerPartition"));
    EXPECT_TRUE(PartitionModifiee);
}

TEST_F(DialoguesEditionTest, SignatureAnnuleeNeChangeRien)
{
    Executer([](QDialog& d) { Comme<TSais_Signat_Form>(d).BT_Annuler->click(); });
    EXPECT_FALSE(dialogues.Signature());
    EXPECT_EQ(Partition.Mesures[1]->Numerateur, 4);
    EXPECT_FALSE(PartitionModifiee);
}

TEST_F(DialoguesEditionTest, BendAnnuleLaisseLaCommandeDecochee)
{
    Remplir(1, 1, 1, 0, false, false, 5);
    Entrer(1);
    Executer([](QDialog& d) { d.reject(); });
    Commandes().Executer(Cmd::Ac_Effet_Bend);
    EXPECT_EQ(ouverts, std::vector<QString>{QStringLiteral("Sais_Bend_Form")});
    EXPECT_FALSE(Commandes().Checked(Cmd::Ac_Effet_Bend));
    EXPECT_EQ(NoteCurseur().Effet, 0);

    Executer([](QDialog& d) {
        auto& b = Comme<TSais_Bend_Form>(d);
        b.Ed_Bend->setText(QStringLiteral("1.5"));
        b.BT_OK->click();
    });
    Commandes().Executer(Cmd::Ac_Effet_Bend);
    EXPECT_EQ(NoteCurseur().Effet, 5);
    EXPECT_DOUBLE_EQ(NoteCurseur().ValeurBend, 1.5);
}

TEST_F(DialoguesEditionTest, FinAlternativeSuggereLeNumeroSuivant)
{
    AvoirMesures(3);
    Partition.Mesures[2]->Repetition = true;
    Partition.Mesures[2]->NumRepetition = 1;
    Entrer(3);
    QString premier;
    Executer([&premier](QDialog& d) {
        auto& r = Comme<TSais_NbRepet_Form>(d);
        premier = r.Ed_De->text();
        r.Ed_NbRepet->setText(QStringLiteral("3"));
        r.BT_OK->click();
    });
    Commandes().Executer(Cmd::Ac_Mesure_Repetitions);
    EXPECT_EQ(premier, QStringLiteral("2"));
    EXPECT_TRUE(Partition.Mesures[3]->Repetition);
    EXPECT_EQ(Partition.Mesures[3]->NumRepetition, 3);
}

TEST_F(DialoguesEditionTest, NoteDeGracePrepareeParLaCommande)
{
    Remplir(1, 1, 1, 0, false, false, kNoteMorte);
    Entrer(1);
    bool mortCoche = false;
    Executer([&mortCoche](QDialog& d) {
        auto& g = Comme<TGraceNoteForm>(d);
        mortCoche = g.Radio1->isChecked();
        g.BT_OK->click();
    });
    Commandes().Executer(Cmd::Ac_Effet_GraceNote);
    EXPECT_TRUE(mortCoche);
    EXPECT_EQ(NoteCurseur().FretteGrace, kNoteMorte);
    EXPECT_TRUE(Commandes().Checked(Cmd::Ac_Effet_GraceNote));
}

TEST_F(DialoguesEditionTest, BrushRecoitLaDirectionDeLaCommande)
{
    Remplir(1, 1, 1, 0, false, false, 2);
    Entrer(1);
    int32_t direction = 0;
    Executer([&direction](QDialog& d) {
        auto& b = Comme<TBrushForm>(d);
        direction = b.Direction;
        b.BT_OK->click();
    });
    Commandes().Executer(Cmd::Ac_Effet_BrushDown);
    EXPECT_EQ(direction, 2);
    EXPECT_EQ(TempsCurseur().Brush, 2);
}

TEST_F(DialoguesEditionTest, AllerAMesure)
{
    AvoirMesures(5);
    Executer([](QDialog& d) {
        auto& a = Comme<TSais_AllerA_Form>(d);
        a.Ed_NumMesure->setText(QStringLiteral("4"));
        a.BT_OK->click();
    });
    EXPECT_TRUE(dialogues.AllerAMesure());
    EXPECT_EQ(Partition.MesureCourante, 4);
    Executer([](QDialog& d) { d.reject(); });
    EXPECT_FALSE(dialogues.AllerAMesure());
    EXPECT_EQ(Partition.MesureCourante, 4);
}

TEST_F(DialoguesEditionTest, AccordEtTableMixParLeursRappels)
{
    EXPECT_FALSE(dialogues.Accord());
    EXPECT_FALSE(dialogues.TableMix());
    int appels = 0;
    dialogues.DialogueAccord = [&appels] { ++appels; return true; };
    dialogues.DialogueTableMix = [&appels] { ++appels; return false; };
    EXPECT_TRUE(dialogues.Accord());
    EXPECT_FALSE(dialogues.TableMix());
    EXPECT_EQ(appels, 2);
}

} // namespace

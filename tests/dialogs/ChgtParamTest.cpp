// The mix-table dialog: what it shows of the cursor beat and the track, what OK writes into
// the beat (a new record each time), removal, the tempo check and spin, the captions, and the
// Mix table command around it (undo).
#include "FixtureLectureDialogues.h"

#include "dialogs/BaseDialogue.h"
#include "dialogs/ChgtParam.h"
#include "document/TableMix.h"
#include "editor/CommandesEdition.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QToolButton>

namespace {

class TableMix : public FixtureLectureDialogues {
protected:
    void SetUp() override
    {
        FixtureLectureDialogues::SetUp();
        Remplir(1, 1, 2);
        Curseur.Temps = 2;
        PisteCourante = 1;
        Partition.Volume[1] = 100;
        Partition.Panoramique[1] = 64;
        Partition.Chorus[1] = 0;
        Partition.Reverb[1] = 127;
        Partition.Instrument[1] = 25;
        Partition.Tempo = 132;
    }
    static std::shared_ptr<const cTableMixEvent> Mix() { return Partition.Mesures[1]->Temps[1][2].TableMix; }
    static void Poser(const cTableMixEvent& mix)
    {
        Partition.Mesures[1]->Temps[1][2].TableMix = std::make_shared<const cTableMixEvent>(mix);
    }
};

// The dialog confirmed with OK by the mix-table command.
class DialoguesMix : public IDialoguesEdition {
public:
    bool TableMix() override { return ExecuterTableMix(); }
};

} // namespace

TEST_F(TableMix, TrackBarPositionsAndValuesRoundHalfToEven)
{
    struct Cas {
        int position;
        int valeur;
    };
    for (const Cas c : {Cas{0, 0}, Cas{5, 32}, Cas{10, 64}, Cas{15, 95}, Cas{16, 102}, Cas{20, 127}})
        EXPECT_EQ(ValeurMixDepuisPosition(c.position), c.valeur) << c.position;
    for (const Cas c : {Cas{16, 100}, Cas{10, 64}, Cas{0, 0}, Cas{20, 127}, Cas{0, 3}, Cas{1, 4}})
        EXPECT_EQ(PositionDepuisValeurMix(c.valeur), c.position) << c.valeur;
}

TEST_F(TableMix, ShowsTheTrackValuesOnABeatWithoutChangeAndWritesRoundedVolume)
{
    TChgtParamForm f;
    f.show();
    EXPECT_EQ(f.L_Instrument->count(), 128);
    EXPECT_EQ(f.L_Instrument->itemText(8), "8 - Celesta ");
    EXPECT_EQ(f.L_Instrument->currentIndex(), 25);
    EXPECT_EQ(f.J_Volume->value(), 16);
    EXPECT_EQ(f.J_Pan->value(), 10);
    EXPECT_EQ(f.J_Reverb->value(), 20);
    EXPECT_EQ(f.J_Tempo->text(), "132");
    for (QCheckBox* cb : {f.CB_Instrument, f.CB_Volume, f.CB_Pan, f.CB_Chorus, f.CB_Reverb, f.CB_Tempo})
        EXPECT_FALSE(cb->isChecked());
    EXPECT_FALSE(f.J_Volume->isVisible());
    EXPECT_FALSE(f.Lab_NewValue->isVisible());

    // Volume 100 comes back as 102: the bar has 21 positions.
    f.CB_Volume->setChecked(true);
    f.BT_OK->click();
    EXPECT_EQ(f.result(), QDialog::Accepted);
    ASSERT_TRUE(Mix());
    EXPECT_EQ(Mix()->Volume, 102);
    EXPECT_EQ(Mix()->TransVolume, 0);
    EXPECT_EQ(Mix()->Instrument, -1);
    EXPECT_EQ(Mix()->Tempo, -1);
}

TEST_F(TableMix, OneTickedValueIsStoredAloneAndShownAgainOnReopening)
{
    {
        TChgtParamForm f;
        f.show();
        f.CB_Pan->setChecked(true);
        f.J_Pan->setValue(5);
        f.L_Pan->setCurrentIndex(4);
        f.BT_OK->click();
    }
    ASSERT_TRUE(Mix());
    cTableMixEvent attendu;
    attendu.Pan = 32;
    attendu.TransPan = 4;
    EXPECT_EQ(*Mix(), attendu);

    TChgtParamForm f;
    f.show();
    EXPECT_TRUE(f.CB_Pan->isChecked());
    EXPECT_EQ(f.J_Pan->value(), 5);
    EXPECT_EQ(f.L_Pan->currentIndex(), 4);
    for (QCheckBox* cb : {f.CB_Instrument, f.CB_Volume, f.CB_Chorus, f.CB_Reverb, f.CB_Tempo})
        EXPECT_FALSE(cb->isChecked());
    EXPECT_EQ(f.J_Volume->value(), 16); // the track's own
    EXPECT_EQ(f.J_Tempo->text(), "132");
    EXPECT_TRUE(f.J_Pan->isVisible());
    EXPECT_TRUE(f.L_Pan->isVisible());
    EXPECT_FALSE(f.J_Volume->isVisible());
    EXPECT_FALSE(f.L_Instrument->isVisible());
    EXPECT_TRUE(f.Lab_NewValue->isVisible());
    EXPECT_TRUE(f.Lab_Transition->isVisible());

    // The instrument alone shows no column headers.
    f.CB_Pan->setChecked(false);
    f.CB_Instrument->setChecked(true);
    EXPECT_TRUE(f.L_Instrument->isVisible());
    EXPECT_FALSE(f.Lab_NewValue->isVisible());
}

TEST_F(TableMix, OkPutsANewRecordInPlaceKeepingUntickedTransitionsAndTheSharedCopyIntact)
{
    cTableMixEvent ancien;
    ancien.Volume = 64;
    ancien.TransVolume = 3;
    ancien.Tempo = 200;
    ancien.TransTempo = 8;
    Poser(ancien);
    const TMesure copie = *Partition.Mesures[1]; // an undo copy shares the record
    const std::shared_ptr<const cTableMixEvent> partage = Mix();

    TChgtParamForm f;
    f.show();
    EXPECT_TRUE(f.CB_Volume->isChecked());
    EXPECT_EQ(f.J_Volume->value(), 10);
    EXPECT_EQ(f.L_Volume->currentIndex(), 3);
    EXPECT_TRUE(f.CB_Tempo->isChecked());
    EXPECT_EQ(f.J_Tempo->text(), "200");
    EXPECT_EQ(f.L_Tempo->currentIndex(), 8);
    f.CB_Volume->setChecked(false);
    f.CB_Instrument->setChecked(true);
    f.L_Instrument->setCurrentIndex(30);
    f.J_Tempo->setText(QStringLiteral("90"));
    f.BT_OK->click();

    ASSERT_TRUE(Mix());
    EXPECT_NE(Mix(), partage);
    EXPECT_EQ(Mix()->Instrument, 30);
    EXPECT_EQ(Mix()->Volume, -1);
    EXPECT_EQ(Mix()->TransVolume, 3); // unticking keeps the stored transition
    EXPECT_EQ(Mix()->Tempo, 90);
    EXPECT_EQ(Mix()->TransTempo, 8);
    EXPECT_EQ(*copie.Temps[1][2].TableMix, ancien);
}

TEST_F(TableMix, NothingTickedRemovesTheChangeAndClearUnticksEverything)
{
    cTableMixEvent ancien;
    ancien.Instrument = 3;
    ancien.Reverb = 10;
    Poser(ancien);
    TChgtParamForm f;
    f.show();
    EXPECT_TRUE(f.CB_Instrument->isChecked());
    EXPECT_TRUE(f.CB_Reverb->isChecked());
    f.BT_Clear->click();
    for (QCheckBox* cb : {f.CB_Instrument, f.CB_Volume, f.CB_Pan, f.CB_Chorus, f.CB_Reverb, f.CB_Tempo})
        EXPECT_FALSE(cb->isChecked());
    EXPECT_FALSE(f.L_Instrument->isVisible());
    f.BT_OK->click();
    EXPECT_EQ(f.result(), QDialog::Accepted);
    EXPECT_FALSE(Mix());

    // On a beat without a change: nothing to remove, OK all the same.
    TChgtParamForm g;
    g.show();
    g.BT_OK->click();
    EXPECT_EQ(g.result(), QDialog::Accepted);
    EXPECT_FALSE(Mix());

    // Cancel leaves the beat as it was.
    Poser(ancien);
    const auto avant = Mix();
    TChgtParamForm h;
    h.show();
    h.BT_Clear->click();
    h.BT_Annuler->click();
    EXPECT_EQ(Mix(), avant);
}

TEST_F(TableMix, AnEmptyOrZeroTempoIsRefusedOnlyWhenTheTempoChanges)
{
    for (const char* texte : {"", "0", "000"}) {
        SCOPED_TRACE(texte);
        TChgtParamForm f;
        f.show();
        f.CB_Tempo->setChecked(true);
        f.J_Tempo->setText(QString::fromLatin1(texte));
        fenetreLecture.SaisiesIncorrectes = 0;
        f.BT_OK->click();
        EXPECT_EQ(fenetreLecture.SaisiesIncorrectes, 1);
        EXPECT_TRUE(f.isVisible());
        EXPECT_TRUE(f.FermetureAutorisee);
        EXPECT_FALSE(Mix());

        // Not ticked, the hidden text is not used and not checked.
        f.CB_Tempo->setChecked(false);
        f.CB_Chorus->setChecked(true);
        f.BT_OK->click();
        EXPECT_EQ(fenetreLecture.SaisiesIncorrectes, 1);
        EXPECT_EQ(f.result(), QDialog::Accepted);
        ASSERT_TRUE(Mix());
        EXPECT_EQ(Mix()->Tempo, -1);
        Partition.Mesures[1]->Temps[1][2].TableMix.reset();
    }
}

TEST_F(TableMix, TempoSpinAndKeysStayWithinOneTo999)
{
    TChgtParamForm f;
    f.show();
    f.CB_Tempo->setChecked(true);
    f.J_Tempo->setText(QStringLiteral("999"));
    f.BT_TempoUp->click();
    EXPECT_EQ(f.J_Tempo->text(), "999");
    Touche(f.J_Tempo, Qt::Key_Down);
    EXPECT_EQ(f.J_Tempo->text(), "998");
    f.J_Tempo->setText(QStringLiteral("1"));
    f.BT_TempoDown->click();
    EXPECT_EQ(f.J_Tempo->text(), "1");
    Saisir(f.J_Tempo, "7x5");
    EXPECT_EQ(f.J_Tempo->text(), "75");

    f.J_Tempo->setText(QStringLiteral("990"));
    Presser(f.BT_TempoUp);
    for (int i = 0; i < 15; ++i)
        f.Repetition().Tick();
    EXPECT_EQ(f.J_Tempo->text(), "999");
    Relacher(f.BT_TempoUp);
    EXPECT_FALSE(f.Repetition().Actif());
    // A tick does nothing while the edit is empty.
    f.J_Tempo->clear();
    Presser(f.BT_TempoDown);
    f.Repetition().Tick();
    EXPECT_EQ(f.J_Tempo->text(), "");
    Relacher(f.BT_TempoDown);
}

TEST_F(TableMix, CaptionsFromTheLanguageFileWithTheTransitionItems)
{
    {
        TChgtParamForm f;
        EXPECT_EQ(f.L_Volume->count(), 9);
        EXPECT_EQ(f.BT_Clear->text(), "Clear");
    }
    ChargerAnglais();
    TChgtParamForm f;
    EXPECT_EQ(f.windowTitle(), "Mix table");
    EXPECT_EQ(f.CB_Reverb->text(), "Reverb");
    EXPECT_EQ(f.BT_OK->text(), "&OK");
    EXPECT_EQ(f.BT_Annuler->text(), "&Cancel");
    EXPECT_EQ(f.BT_Clear->text(), "C&lear");
    for (QComboBox* l : {f.L_Volume, f.L_Pan, f.L_Chorus, f.L_Reverb, f.L_Tempo}) {
        ASSERT_EQ(l->count(), 9);
        EXPECT_EQ(l->itemText(0), "At once");
        EXPECT_EQ(l->itemText(1), "Over 1 quarter note");
        EXPECT_EQ(l->itemText(2), "Over 2 quarter notes");
        EXPECT_EQ(l->itemText(8), "Over 8 quarter notes");
    }
    EXPECT_EQ(f.Lab_Transition->text(), "Transition");
}

TEST_F(TableMix, TheMixTableCommandMakesTheChangeUndoable)
{
    DialoguesMix dialogues;
    InstallerDialoguesEdition(&dialogues);
    PendantModal([] {
        auto* f = qobject_cast<TChgtParamForm*>(QApplication::activeModalWidget());
        ASSERT_NE(f, nullptr);
        f->CB_Chorus->setChecked(true);
        f->J_Chorus->setValue(20);
        f->BT_OK->click();
    });
    EXPECT_TRUE(Commandes().Executer(Cmd::Ac_Edition_TableMix));
    ASSERT_TRUE(Mix());
    EXPECT_EQ(Mix()->Chorus, 127);
    EXPECT_TRUE(Commandes().Enabled(Cmd::Ac_Edition_Annuler));

    Ac_Edition_AnnulerExecute();
    EXPECT_FALSE(Mix());
}

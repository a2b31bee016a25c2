// The instrument chooser: its list, the program it opens on, and what OK, a double click and
// Cancel leave in the working copy and in the caller's label.
#include "FixtureLectureDialogues.h"

#include "dialogs/Sais_ins.h"
#include "document/Routines.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>

namespace {

class ChoixInstrument : public FixtureLectureDialogues {
protected:
    void SetUp() override
    {
        FixtureLectureDialogues::SetUp();
        for (int t = 1; t <= kNbPistes; ++t)
            ProprietesTempo.Instrument[t] = 0;
        ProprietesTempo.Instrument[3] = 33;
    }
};

} // namespace

TEST_F(ChoixInstrument, ListsTheProgramsWithTheirNumbersAndTheListsOwnTwoNames)
{
    TSais_Instrument_Form f(3);
    ASSERT_EQ(f.Liste->count(), 128);
    EXPECT_EQ(f.Liste->item(0)->text(), "0 - Acoustic Grand Piano");
    EXPECT_EQ(f.Liste->item(8)->text(), "8 - Celesta");
    EXPECT_EQ(f.Liste->item(30)->text(), "30 - Distorsion Guitar");
    EXPECT_EQ(f.Liste->item(127)->text(), "127 - Gunshot");
    for (int i = 0; i < 128; ++i) {
        if (i == 8 || i == 30)
            continue;
        EXPECT_EQ(f.Liste->item(i)->text().toStdString(), NomInstrument(i)) << i;
    }
    f.show();
    EXPECT_EQ(f.Liste->currentRow(), 33);
}

TEST_F(ChoixInstrument, OkTakesTheSelectionAndTheLabelShowsTheProgramsOwnName)
{
    QLabel etiquette;
    TSais_Instrument_Form f(3, &etiquette);
    f.show();
    f.Liste->setCurrentRow(30);
    f.BT_OK->click();
    EXPECT_EQ(f.result(), QDialog::Accepted);
    EXPECT_EQ(ProprietesTempo.Instrument[3], 30);
    EXPECT_EQ(etiquette.text(), "30 - Distortion Guitar");
    EXPECT_EQ(ProprietesTempo.Instrument[2], 0);
}

TEST_F(ChoixInstrument, ADoubleClickTakesTheProgramAndClosesInOneStep)
{
    QLabel etiquette(QStringLiteral("avant"));
    bool accepte = false;
    PendantModal([&] {
        auto* f = qobject_cast<TSais_Instrument_Form*>(QApplication::activeModalWidget());
        ASSERT_NE(f, nullptr);
        QListWidgetItem* item = f->Liste->item(40);
        f->Liste->scrollToItem(item);
        const QPoint centre = f->Liste->visualItemRect(item).center();
        QMouseEvent presse(QEvent::MouseButtonPress, centre, f->Liste->viewport()->mapToGlobal(centre), Qt::LeftButton,
                           Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(f->Liste->viewport(), &presse);
        QMouseEvent relache(QEvent::MouseButtonRelease, centre, f->Liste->viewport()->mapToGlobal(centre), Qt::LeftButton,
                            Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(f->Liste->viewport(), &relache);
        QMouseEvent double_(QEvent::MouseButtonDblClick, centre, f->Liste->viewport()->mapToGlobal(centre),
                            Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(f->Liste->viewport(), &double_);
        if (f->isVisible())
            f->reject(); // never hang the test
    });
    accepte = ChoisirInstrument(5, &etiquette);
    EXPECT_TRUE(accepte);
    EXPECT_EQ(ProprietesTempo.Instrument[5], 40);
    EXPECT_EQ(etiquette.text(), "40 - Violin");
}

TEST_F(ChoixInstrument, CancelAndAnEmptySelectionChangeNothing)
{
    QLabel etiquette(QStringLiteral("avant"));
    {
        TSais_Instrument_Form f(3, &etiquette);
        f.show();
        f.Liste->setCurrentRow(50);
        f.BT_Annuler->click();
        EXPECT_EQ(f.result(), QDialog::Rejected);
    }
    // A program the list does not hold: nothing selected, and OK takes nothing.
    ProprietesTempo.Instrument[4] = -1;
    TSais_Instrument_Form f(4, &etiquette);
    f.show();
    EXPECT_EQ(f.Liste->currentRow(), -1);
    f.BT_OK->click();
    EXPECT_EQ(ProprietesTempo.Instrument[3], 33);
    EXPECT_EQ(ProprietesTempo.Instrument[4], -1);
    EXPECT_EQ(etiquette.text(), "avant");
}

TEST_F(ChoixInstrument, Captions)
{
    ChargerAnglais();
    TSais_Instrument_Form f(1);
    EXPECT_EQ(f.windowTitle(), "Instruments");
    EXPECT_EQ(f.BT_OK->text(), "&OK");
    EXPECT_EQ(f.BT_Annuler->text(), "&Cancel");
}

// The first-start language dialog: preselection, the keys it answers and the no-language notice.
#include "dialogs/Welcome.h"
#include "document/Langue.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

namespace {

class WelcomeTest : public ::testing::Test {
protected:
    void TearDown() override { ListeLangues.clear(); }
};

} // namespace

TEST_F(WelcomeTest, PreselectsEnglishExactlyElseTheFirst)
{
    struct Cas {
        std::vector<std::string> langues;
        int ligne;
        std::string choisie;
    };
    const Cas cas[] = {
        {{"Deutsch", "English", "Francais"}, 1, "English"},
        {{"Deutsch", "english"}, 0, "Deutsch"},
        {{"fran\xE7" "ais"}, 0, "fran\xE7" "ais"},
        {{}, -1, ""},
    };
    for (const Cas& c : cas) {
        ListeLangues = c.langues;
        TWelcomeDlg dlg;
        EXPECT_EQ(dlg.ListBox1->count(), static_cast<int>(c.langues.size()));
        EXPECT_EQ(dlg.ListBox1->currentRow(), c.ligne);
        EXPECT_EQ(dlg.LangueChoisie(), c.choisie);
    }
    ListeLangues = {"fran\xE7" "ais"};
    TWelcomeDlg dlg;
    EXPECT_EQ(dlg.ListBox1->item(0)->text(), QString::fromUtf8("français"));
}

TEST_F(WelcomeTest, FormAndChoiceByTheUser)
{
    ListeLangues = {"Deutsch", "English"};
    TWelcomeDlg dlg;
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Lyrandaxis"));
    EXPECT_FALSE(dlg.windowFlags() & Qt::WindowCloseButtonHint);
    if (dlg.logicalDpiX() == 96) {
        EXPECT_EQ(dlg.size(), QSize(202, 253));
    }
    EXPECT_EQ(dlg.BT_OK->text(), QStringLiteral("&OK"));
    EXPECT_TRUE(dlg.BT_OK->isDefault());

    dlg.show();
    QKeyEvent echap(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(&dlg, &echap);
    EXPECT_TRUE(dlg.isVisible()); // no Cancel: Escape does nothing

    dlg.ListBox1->setCurrentRow(0);
    emit dlg.ListBox1->itemDoubleClicked(dlg.ListBox1->item(0));
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(dlg.LangueChoisie(), "Deutsch");
}

TEST_F(WelcomeTest, NoLanguageShowsTheNoticeThenTheEmptyDialog)
{
    ListeLangues.clear();
    QString avis;
    bool dialogue = false;
    int tours = 0;
    QTimer minuteur;
    minuteur.setInterval(10);
    QObject::connect(&minuteur, &QTimer::timeout, [&] {
        if (++tours > 500)
            QApplication::exit(1);
        QWidget* w = QApplication::activeModalWidget();
        if (auto* boite = qobject_cast<QMessageBox*>(w)) {
            avis = boite->text();
            boite->accept();
        } else if (auto* dlg = qobject_cast<TWelcomeDlg*>(w)) {
            dialogue = true;
            dlg->BT_OK->click();
        }
    });
    minuteur.start();
    const std::string choisie = ChoisirLangueWelcome();
    minuteur.stop();
    EXPECT_EQ(choisie, "");
    EXPECT_TRUE(dialogue);
    EXPECT_EQ(avis, TexteAucuneLangue());
    EXPECT_TRUE(avis.startsWith(QStringLiteral("No language patch installed (files *.lxl).\n\nPlease install")));
}

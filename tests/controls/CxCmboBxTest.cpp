// The combo boxes: type-ahead search in the browser's jump list, completion in the edit part,
// the wheel, the hot frame and the line drawn under the line combo box.
#include "controls/CxCmboBx.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <QLineEdit>
#include <QWheelEvent>

namespace {

void Taper(QWidget* w, const QString& texte)
{
    for (const QChar c : texte) {
        QKeyEvent e(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(w, &e);
    }
}
void Touche(QWidget* w, int touche, Qt::KeyboardModifiers mod = Qt::NoModifier)
{
    QKeyEvent e(QEvent::KeyPress, touche, mod);
    QApplication::sendEvent(w, &e);
}

struct ListeSauts : ::testing::Test {
    ListeSauts()
    {
        for (const char* t : {"No jump", "Jump after 1 bar", "Jump after 2 bars", "Jump after 5 bars",
                              "Jump after 10 bars", "Jump after 25 bars", "Jump after the score"})
            combo.addItem(QString::fromLatin1(t));
        combo.setCurrentIndex(0);
        combo.Bip = [this] { ++bips; };
        combo.OnChange = [this] { ++changements; };
    }
    TCxLineComboBox combo;
    int bips = 0;
    int changements = 0;
};

} // namespace

TEST_F(ListeSauts, TypingSearchesTheListUntilAPause)
{
    Taper(&combo, "j");
    EXPECT_EQ(combo.currentText(), "Jump after 1 bar");
    Taper(&combo, "ump after 2");
    EXPECT_EQ(combo.currentText(), "Jump after 2 bars");
    EXPECT_EQ(combo.SearchText(), "jump after 2");
    EXPECT_EQ(bips, 0);

    // A letter that begins no item beeps, keeps the choice and stays in the search text.
    Taper(&combo, "x");
    EXPECT_EQ(bips, 1);
    EXPECT_EQ(combo.currentText(), "Jump after 2 bars");
    EXPECT_EQ(combo.SearchText(), "jump after 2x");

    // After the pause the next letter starts a new search.
    combo.SearchTimerTick();
    Taper(&combo, "n");
    EXPECT_EQ(combo.currentText(), "No jump");
    EXPECT_GE(changements, 3);
}

TEST_F(ListeSauts, BackspaceAndEscape)
{
    Taper(&combo, "jump after 2");
    Touche(&combo, Qt::Key_Backspace); // "jump after " -> the first such item
    EXPECT_EQ(combo.currentText(), "Jump after 1 bar");
    combo.SearchTimerTick();
    Touche(&combo, Qt::Key_Backspace); // nothing typed: a beep
    EXPECT_EQ(bips, 1);
    Taper(&combo, "jump after t");
    EXPECT_EQ(combo.currentText(), "Jump after the score");
    Touche(&combo, Qt::Key_Escape);
    EXPECT_EQ(combo.currentIndex(), 0);
    EXPECT_TRUE(combo.SearchText().isEmpty());

    combo.BeepOnInvalidKey = false;
    Taper(&combo, "z");
    EXPECT_EQ(bips, 1);
}

TEST_F(ListeSauts, WheelMovesTheChoiceAndStopsAtTheEnds)
{
    auto tourner = [&](int delta) {
        QWheelEvent e(QPointF(5, 5), QPointF(5, 5), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
        QApplication::sendEvent(&combo, &e);
    };
    tourner(-120);
    EXPECT_EQ(combo.currentIndex(), 1);
    tourner(120);
    tourner(120);
    EXPECT_EQ(combo.currentIndex(), 0);
    combo.setCurrentIndex(6);
    tourner(-120);
    EXPECT_EQ(combo.currentIndex(), 6);
}

TEST(LigneCombo, EachStyleDrawsItsTwoLines)
{
    const QColor controle(212, 208, 200), ligne(Qt::red), ombre(128, 128, 128), lumiere(Qt::white);
    struct Cas {
        TLineStyle style;
        QColor bas, dessus; // lines at height - 1 and height - 2
    };
    const Cas cas[] = {{lsNone, controle, controle},
                       {lsFlat, ligne, controle},
                       {lsGroove, lumiere, ombre},
                       {lsBump, ombre, lumiere}};
    QWidget parent;
    QPalette pal = parent.palette();
    pal.setColor(QPalette::Window, controle);
    pal.setColor(QPalette::Dark, ombre);
    pal.setColor(QPalette::Light, lumiere);
    parent.setPalette(pal);
    for (const auto& c : cas) {
        EXPECT_EQ(CouleursLigne(c.style, controle, ligne, ombre, lumiere), std::make_pair(c.bas, c.dessus));
        TCxLineComboBox combo(&parent);
        combo.setGeometry(92, 5, 141, 21);
        combo.SetLineColor(ligne);
        combo.SetLineStyle(c.style);
        combo.addItem("No jump");
        const QImage image = combo.grab().toImage();
        ASSERT_EQ(image.height(), 21);
        for (int x : {0, 70, 138}) {
            EXPECT_EQ(QColor(image.pixel(x, 20)), c.bas) << int(c.style) << " x=" << x;
            EXPECT_EQ(QColor(image.pixel(x, 19)), c.dessus) << int(c.style) << " x=" << x;
        }
        // The last two columns are left out of the line, and nothing draws a box.
        EXPECT_EQ(QColor(image.pixel(140, 20)), controle);
        EXPECT_EQ(QColor(image.pixel(0, 0)), controle);
        EXPECT_EQ(QColor(image.pixel(0, 10)), controle);
    }
}

TEST(ComboCadre, HotFrameFollowsFocusAndMouse)
{
    TCxCustomComboBox combo;
    EXPECT_FALSE(combo.FrameVisible());
    combo.SetFrameFlat(true);
    EXPECT_TRUE(combo.FrameVisible());
    EXPECT_EQ(combo.Cadre().FrameStyle, fsStatus);
    combo.UpdateFrame(true, true); // mouse over
    EXPECT_EQ(combo.Cadre().FrameStyle, fsLowered);
    combo.UpdateFrame(false, true); // focus
    combo.UpdateFrame(true, false); // the mouse leaves, the focus stays
    EXPECT_EQ(combo.Cadre().FrameStyle, fsLowered);
    combo.UpdateFrame(false, false);
    EXPECT_EQ(combo.Cadre().FrameStyle, fsStatus);
}

TEST(ComboEdition, TypingCompletesAnItem)
{
    QWidget fenetre;
    TCxCustomComboBox combo(&fenetre);
    combo.setEditable(true);
    combo.addItems({"Alpha", "Alpine", "Beta"});
    combo.setCurrentIndex(-1);
    int bips = 0, accords = 0;
    combo.Bip = [&] { ++bips; };
    combo.OnMatch = [&] { ++accords; };
    fenetre.show();
    combo.setFocus();
    QLineEdit* edition = combo.lineEdit();
    ASSERT_TRUE(edition);

    Taper(edition, "alpi");
    EXPECT_EQ(edition->text(), "Alpine");
    EXPECT_EQ(edition->selectedText(), "ne");
    EXPECT_EQ(combo.currentIndex(), 1);
    EXPECT_GE(accords, 1);

    Touche(edition, Qt::Key_Escape);
    EXPECT_EQ(combo.currentIndex(), -1);

    // Without free typing a character that completes nothing is dropped with a beep.
    combo.AllowEdit = false;
    edition->clear();
    Taper(edition, "bz");
    EXPECT_EQ(edition->text(), "Beta");
    EXPECT_EQ(bips, 1);

    // With it, the character is typed as usual.
    combo.AllowEdit = true;
    edition->clear();
    Taper(edition, "gam");
    EXPECT_EQ(edition->text(), "gam");
}

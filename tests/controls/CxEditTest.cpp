// The memos: the main window's key-catching memo passes every key and wheel turn on, and the
// framed memo reports its caret's line and column and the clipboard state.
#include "controls/CxEdit.h"
#include "controls/Services.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QScrollBar>
#include <QWheelEvent>

namespace {

void Tourner(QWidget* w, int delta, Qt::KeyboardModifiers mod = Qt::NoModifier)
{
    QWheelEvent e(QPointF(5, 5), QPointF(5, 5), QPoint(), QPoint(0, delta), Qt::NoButton, mod, Qt::NoScrollPhase, false);
    QApplication::sendEvent(w, &e);
}

} // namespace

TEST(MemoInvisible, PassesKeysAndWheelToTheWindow)
{
    TCxMemo memo;
    std::vector<std::pair<int, Qt::KeyboardModifiers>> bas;
    std::vector<int> hauts;
    int haut = 0, basRoue = 0;
    memo.OnKeyDown = [&](QKeyEvent& e) { bas.emplace_back(e.key(), e.modifiers()); };
    memo.OnKeyUp = [&](QKeyEvent& e) { hauts.push_back(e.key()); };
    memo.OnMouseWheelUp = [&] { ++haut; };
    memo.OnMouseWheelDown = [&] { ++basRoue; };

    for (const auto& [touche, mod] : std::vector<std::pair<int, Qt::KeyboardModifiers>>{
             {Qt::Key_3, Qt::NoModifier}, {Qt::Key_Tab, Qt::NoModifier}, {Qt::Key_Left, Qt::ShiftModifier},
             {Qt::Key_Delete, Qt::ControlModifier}}) {
        QKeyEvent appui(QEvent::KeyPress, touche, mod);
        QApplication::sendEvent(&memo, &appui);
        EXPECT_TRUE(appui.isAccepted());
        QKeyEvent relache(QEvent::KeyRelease, touche, mod);
        QApplication::sendEvent(&memo, &relache);
    }
    ASSERT_EQ(bas.size(), 4u);
    EXPECT_EQ(bas[1].first, Qt::Key_Tab);
    EXPECT_EQ(bas[2].second, Qt::ShiftModifier);
    EXPECT_EQ(hauts.size(), 4u);
    Tourner(&memo, 120);
    Tourner(&memo, -120);
    Tourner(&memo, -120);
    EXPECT_EQ(haut, 1);
    EXPECT_EQ(basRoue, 2);
}

TEST(MemoCadre, ReportsLineAndColumn)
{
    TCxCustomMemo memo;
    std::vector<std::pair<int, int>> positions;
    memo.OnLineColChange = [&](int l, int c) { positions.emplace_back(l, c); };
    memo.show();
    ASSERT_FALSE(positions.empty());
    EXPECT_EQ(positions.back(), std::make_pair(1, 1)); // an empty memo

    memo.setPlainText("first\nsecond line\nx");
    memo.SetLine(2);
    EXPECT_EQ(positions.back(), std::make_pair(2, 1));
    memo.SetCol(7);
    EXPECT_EQ(positions.back(), std::make_pair(2, 7));
    memo.SetCol(12); // just after the last character of "second line"
    EXPECT_EQ(memo.Col(), 12);
    memo.SetCol(13); // past the end of the line: nothing
    EXPECT_EQ(memo.Col(), 12);
    memo.SetLine(9); // no such line: nothing
    EXPECT_EQ(memo.Line(), 2);
}

TEST(MemoCadre, ReportsWhatCanBeCutAndPasted)
{
    QApplication::clipboard()->setText("abc");
    TCxCustomMemo memo;
    std::pair<bool, bool> etat{true, false};
    memo.OnClipboardChange = [&](bool couper, bool coller) { etat = {couper, coller}; };
    memo.setPlainText("hello");
    EXPECT_EQ(etat, std::make_pair(false, true));
    memo.selectAll();
    EXPECT_EQ(etat, std::make_pair(true, true));
}

TEST(MemoCadre, WheelScrollsOneLineOrTheDesktopStepWithCtrl)
{
    TCxCustomMemo memo;
    memo.resize(200, 60);
    QString texte;
    for (int i = 0; i < 100; ++i)
        texte += QString("line %1\n").arg(i);
    memo.setPlainText(texte);
    memo.show();
    int bas = 0;
    memo.OnMouseWheelDown = [&] { ++bas; };
    Tourner(memo.viewport(), -120);
    EXPECT_EQ(memo.verticalScrollBar()->value(), 1);
    Tourner(memo.viewport(), -120, Qt::ControlModifier);
    EXPECT_EQ(memo.verticalScrollBar()->value(), 1 + QApplication::wheelScrollLines());
    EXPECT_EQ(bas, 2);
}

TEST(MemoCadre, HotFrame)
{
    TCxCustomMemo memo;
    memo.SetFrameFlat(true);
    EXPECT_TRUE(memo.Cadre().FrameVisible);
    EXPECT_EQ(memo.Cadre().FrameStyle, fsStatus);
    memo.UpdateFrame(false, true);
    memo.UpdateFrame(true, false);
    EXPECT_EQ(memo.Cadre().FrameStyle, fsLowered);
    memo.UpdateFrame(false, false);
    EXPECT_EQ(memo.Cadre().FrameStyle, fsStatus);
}

TEST(MemoCadre, PaintsItsFlatFrameInTheFrameColour)
{
    TCxCustomMemo memo;
    memo.resize(60, 40);
    memo.SetFrameVisible(true);
    memo.SetFrameColor(TCouleurCtrl(platform::Couleur{200, 0, 0}));
    memo.SetFrameSides(sdLeft | sdTop);
    const QImage image = memo.grab().toImage();
    EXPECT_EQ(QColor(image.pixel(0, 20)), QColor(200, 0, 0));
    EXPECT_EQ(QColor(image.pixel(30, 0)), QColor(200, 0, 0));
    // The right side is not chosen: the background colour erases the platform edge there.
    EXPECT_EQ(QColor(image.pixel(59, 20)), memo.Color());
}

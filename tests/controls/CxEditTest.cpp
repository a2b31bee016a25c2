// The framed memo: as a window's key catcher it passes every key and wheel turn on and leaves
// the window's shortcuts to it; as an edit it reports its caret's line and column and the
// clipboard state.
#include "controls/CxEdit.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QScrollBar>
#include <QWheelEvent>

#include <iterator>
#include <tuple>
#include <utility>
#include <vector>

namespace {

void Tourner(QWidget* w, int delta, Qt::KeyboardModifiers mod = Qt::NoModifier)
{
    QWheelEvent e(QPointF(5, 5), QPointF(5, 5), QPoint(), QPoint(0, delta), Qt::NoButton, mod, Qt::NoScrollPhase, false);
    QApplication::sendEvent(w, &e);
}

} // namespace

// A memo that catches a window's keyboard: its handler uses every key up, Tab included, so
// nothing is typed and the focus stays; the releases and the wheel are passed on as well.
TEST(MemoInvisible, PassesKeysAndWheelToTheWindow)
{
    QWidget fenetre;
    auto* memo = new TCxMemo(&fenetre);
    auto* autre = new QPlainTextEdit(&fenetre);
    fenetre.show();
    memo->setFocus();
    std::vector<std::pair<int, Qt::KeyboardModifiers>> bas;
    std::vector<int> hauts;
    int haut = 0, basRoue = 0;
    memo->OnKeyDown = [&](QKeyEvent& e) {
        bas.emplace_back(e.key(), e.modifiers());
        return true;
    };
    memo->OnKeyUp = [&](QKeyEvent& e) { hauts.push_back(e.key()); };
    memo->OnMouseWheelUp = [&] { ++haut; };
    memo->OnMouseWheelDown = [&] { ++basRoue; };

    for (const auto& [touche, mod, texte] : std::vector<std::tuple<int, Qt::KeyboardModifiers, QString>>{
             {Qt::Key_3, Qt::NoModifier, "3"},
             {Qt::Key_Tab, Qt::NoModifier, "\t"},
             {Qt::Key_Backtab, Qt::ShiftModifier, ""},
             {Qt::Key_Left, Qt::ShiftModifier, ""},
             {Qt::Key_Delete, Qt::ControlModifier, ""}}) {
        QKeyEvent appui(QEvent::KeyPress, touche, mod, texte);
        QApplication::sendEvent(memo, &appui);
        EXPECT_TRUE(appui.isAccepted());
        QKeyEvent relache(QEvent::KeyRelease, touche, mod, texte);
        QApplication::sendEvent(memo, &relache);
    }
    ASSERT_EQ(bas.size(), 5u);
    EXPECT_EQ(bas[1].first, Qt::Key_Tab);
    EXPECT_EQ(bas[3].second, Qt::ShiftModifier);
    EXPECT_EQ(hauts.size(), 5u);
    EXPECT_TRUE(memo->toPlainText().isEmpty());
    if (QApplication::focusWidget()) {
        EXPECT_EQ(QApplication::focusWidget(), memo) << "Tab moved the focus";
    }
    EXPECT_FALSE(autre->hasFocus());

    Tourner(memo->viewport(), 120);
    Tourner(memo->viewport(), -120);
    Tourner(memo->viewport(), -120);
    EXPECT_EQ(haut, 1);
    EXPECT_EQ(basRoue, 2);
}

// A handler that leaves a key to the memo: it is typed as in any memo.
TEST(MemoCadre, TypesTheKeysItsHandlerLeaves)
{
    TCxMemo memo;
    memo.OnKeyDown = [](QKeyEvent& e) { return e.key() == Qt::Key_X; };
    for (const auto& [touche, texte] : {std::pair{Qt::Key_A, "a"}, std::pair{Qt::Key_X, "x"}, std::pair{Qt::Key_B, "b"}}) {
        QKeyEvent appui(QEvent::KeyPress, touche, Qt::NoModifier, texte);
        QApplication::sendEvent(&memo, &appui);
    }
    EXPECT_EQ(memo.toPlainText(), "ab");
}

// A text control claims the keys it edits with ahead of the window's shortcuts; with the
// window's shortcuts first the memo claims none, whatever the key.
TEST(MemoCadre, ClaimsNoShortcutKeyWhenTheWindowsShortcutsComeFirst)
{
    struct Cas {
        int touche;
        Qt::KeyboardModifiers mod;
        const char* texte;
    };
    const Cas cas[] = {
        {Qt::Key_H, Qt::NoModifier, "h"},       {Qt::Key_5, Qt::NoModifier, "5"},
        {Qt::Key_Backslash, Qt::NoModifier, "\\"}, {Qt::Key_C, Qt::ControlModifier, "\x03"},
        {Qt::Key_Z, Qt::ControlModifier, "\x1a"},   {Qt::Key_Left, Qt::ControlModifier, ""},
        {Qt::Key_Right, Qt::NoModifier, ""},    {Qt::Key_V, Qt::ControlModifier, "\x16"},
        {Qt::Key_Home, Qt::NoModifier, ""},     {Qt::Key_Backspace, Qt::NoModifier, ""},
    };
    TCxMemo ordinaire;
    TCxMemo capteur;
    capteur.SetShortcutsFirst(true);
    int reclamees = 0;
    for (const Cas& c : cas) {
        QKeyEvent pour(QEvent::ShortcutOverride, c.touche, c.mod, QString::fromLatin1(c.texte));
        QApplication::sendEvent(&ordinaire, &pour);
        reclamees += pour.isAccepted();
        QKeyEvent contre(QEvent::ShortcutOverride, c.touche, c.mod, QString::fromLatin1(c.texte));
        QApplication::sendEvent(&capteur, &contre);
        EXPECT_FALSE(contre.isAccepted()) << c.touche;
    }
    // The ordinary memo shows what is at stake: it claims them all.
    EXPECT_EQ(reclamees, static_cast<int>(std::size(cas)));
}

TEST(MemoCadre, ReportsLineAndColumn)
{
    TCxMemo memo;
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
    TCxMemo memo;
    std::pair<bool, bool> etat{true, false};
    memo.OnClipboardChange = [&](bool couper, bool coller) { etat = {couper, coller}; };
    memo.setPlainText("hello");
    EXPECT_EQ(etat, std::make_pair(false, true));
    memo.selectAll();
    EXPECT_EQ(etat, std::make_pair(true, true));
}

TEST(MemoCadre, WheelScrollsOneLineOrTheDesktopStepWithCtrl)
{
    TCxMemo memo;
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
    TCxMemo memo;
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
    TCxMemo memo;
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

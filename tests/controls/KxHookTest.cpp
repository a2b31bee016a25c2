// Window hooks: the order of the calls around the widget's own handling, what a handled
// before-call stops, and the shared record's life.
#include "controls/KxHook.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QResizeEvent>

namespace {

class Temoin : public QWidget {
public:
    std::vector<std::string>* journal = nullptr;

protected:
    void resizeEvent(QResizeEvent*) override { journal->push_back("widget"); }
};

} // namespace

TEST(Crochets, LastAttachedIsCalledFirstAroundTheWidget)
{
    std::vector<std::string> journal;
    Temoin w;
    w.journal = &journal;
    TKxWindowHook a, b;
    auto ecrire = [&](const char* nom) {
        return [&journal, nom](TKxWindowHook&, QEvent* e, bool&) {
            if (e->type() == QEvent::Resize)
                journal.push_back(nom);
        };
    };
    a.BeforeMessage = ecrire("a avant");
    a.AfterMessage = ecrire("a apres");
    b.BeforeMessage = ecrire("b avant");
    b.AfterMessage = ecrire("b apres");
    a.SetWinControl(&w);
    b.SetWinControl(&w);
    EXPECT_EQ(THookList::Instance().Count(), 1);

    QResizeEvent e(QSize(10, 10), QSize(5, 5));
    QApplication::sendEvent(&w, &e);
    EXPECT_EQ(journal, (std::vector<std::string>{"b avant", "a avant", "widget", "b apres", "a apres"}));
}

TEST(Crochets, HandledBeforeCallSkipsTheWidgetAndTheAfterCalls)
{
    std::vector<std::string> journal;
    Temoin w;
    w.journal = &journal;
    TKxWindowHook a, b;
    a.BeforeMessage = [&](TKxWindowHook&, QEvent*, bool&) { journal.push_back("a avant"); };
    a.AfterMessage = [&](TKxWindowHook&, QEvent*, bool&) { journal.push_back("a apres"); };
    b.BeforeMessage = [&](TKxWindowHook&, QEvent* e, bool& traite) { traite = e->type() == QEvent::Resize; };
    a.SetWinControl(&w);
    b.SetWinControl(&w);
    QResizeEvent e(QSize(10, 10), QSize(5, 5));
    QApplication::sendEvent(&w, &e);
    EXPECT_TRUE(journal.empty());

    // A deferred deletion always reaches the widget.
    auto* jetable = new QWidget;
    QPointer<QWidget> garde(jetable);
    TKxWindowHook c;
    c.BeforeMessage = [](TKxWindowHook&, QEvent*, bool& traite) { traite = true; };
    c.SetWinControl(jetable);
    jetable->deleteLater();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(garde.isNull());
    EXPECT_EQ(c.WinControl(), nullptr);
    EXPECT_FALSE(c.Accroche());
}

TEST(Crochets, RecordLivesWhileAHookIsAttached)
{
    QWidget w;
    const int avant = THookList::Instance().Count();
    int appels = 0;
    TKxWindowHook a;
    a.BeforeMessage = [&](TKxWindowHook&, QEvent* e, bool&) { appels += e->type() == QEvent::Resize; };
    a.SetWinControl(&w);
    EXPECT_EQ(THookList::Instance().Count(), avant + 1);
    a.SetActive(false);
    EXPECT_EQ(THookList::Instance().Count(), avant);
    QResizeEvent e(QSize(10, 10), QSize(5, 5));
    QApplication::sendEvent(&w, &e);
    EXPECT_EQ(appels, 0);
    a.SetActive(true);
    QApplication::sendEvent(&w, &e);
    EXPECT_EQ(appels, 1);
    {
        TKxWindowHook b;
        b.SetWinControl(&w);
    }
    EXPECT_EQ(THookList::Instance().Count(), avant + 1);
    EXPECT_EQ(a.WinControl(), &w);

    // A hook on its owner's own window.
    QWidget fenetre;
    TKxWindowHook surFenetre(&fenetre);
    surFenetre.SetWinControl(&fenetre);
    EXPECT_TRUE(surFenetre.IsForm());
    EXPECT_FALSE(a.IsForm());
}

// What waits for a window's frame: its action runs once, whichever of the window's expose and
// the check after its show comes first.
#include "controls/CadreFenetre.h"

#include <QCoreApplication>
#include <QExposeEvent>
#include <QWidget>
#include <QWindow>

#include <gtest/gtest.h>

TEST(QuandCadreConnu, TheActionRunsOnceWhenTheExposeComesBeforeTheCheckAfterTheShow)
{
    for (const bool sansCadre : {false, true}) {
        SCOPED_TRACE(sansCadre ? "frameless" : "framed");
        QWidget fenetre(nullptr, sansCadre ? Qt::Tool | Qt::FramelessWindowHint : Qt::Window);
        fenetre.resize(120, 80);
        fenetre.show();
        QCoreApplication::processEvents();
        ASSERT_TRUE(fenetre.windowHandle() && fenetre.windowHandle()->isExposed());

        int fois = 0;
        QuandCadreConnu(&fenetre, [&] { ++fois; });
        // The window system exposes the window again before the event loop turns.
        QExposeEvent expose(QRegion(0, 0, 120, 80));
        QCoreApplication::sendEvent(fenetre.windowHandle(), &expose);
        for (int i = 0; i < 5; ++i)
            QCoreApplication::processEvents();
        EXPECT_EQ(fois, 1);
    }
}

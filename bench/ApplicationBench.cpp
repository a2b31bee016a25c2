#include "ApplicationBench.h"

#include <QApplication>

#include <cstdlib>
#include <memory>

QApplication& ApplicationBench()
{
    static int argc = 1;
    static char nom[] = "lyrx_bench";
    static char* argv[] = {nom, nullptr};
    static std::unique_ptr<QApplication> application = [] {
        ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
        return std::make_unique<QApplication>(argc, argv);
    }();
    return *application;
}

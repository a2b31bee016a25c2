// Shared main of every test program: a QApplication exists for the tests that draw or open
// windows (offscreen), and the headless tests simply never touch it. Files go to folders of
// each test's own (support/DossierTemporaire.h). Sound is rendered to files rather than played,
// and the language and help files are the source tree's, unless the caller says otherwise.
#include "support/DossierTemporaire.h"

#include <QApplication>
#include <cstdlib>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    setenv("LYRX_AUDIO_DRIVER", "file", 0);
    setenv("LYRX_PROGRAM_DIR", LYRX_SOURCE_DIR "/data", 0);
    ::testing::InitGoogleTest(&argc, argv);
    lyrx_test::InstallerDossiersTemporaires();
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}

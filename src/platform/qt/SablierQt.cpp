#include "platform/qt/SablierQt.h"

#include "platform/Sablier.h"

#include <QCursor>
#include <QGuiApplication>

namespace platform {

void InstallerSablierQt()
{
    InstallerAfficheurSablier([](bool occupe) {
        // One override per busy period, however deep the guards nest.
        if (occupe)
            QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
        else
            QGuiApplication::restoreOverrideCursor();
    });
}

} // namespace platform

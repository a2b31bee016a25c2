#include "app/Programme.h"

#include <QApplication>
#include <QMainWindow>

int LancerProgramme(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName("Lyrandaxis");
    QMainWindow fenetre;
    fenetre.setWindowTitle("Lyrandaxis 2.2 - ");
    fenetre.show();
    return app.exec();
}

// The floor of a start-up on this machine and display: a bare Qt Widgets window with a menu
// bar and a central widget, of the main window's size, that writes the same first-paint line
// as the real program ("LYRX_FIRST_PAINT" on its error output, from the event loop once its
// first paint is done). The start-up runner starts it in turn with the real program, so that
// the real program's time can be given as a ratio that holds from one machine to another.
#include <QApplication>
#include <QEvent>
#include <QMainWindow>
#include <QMenuBar>
#include <QTimer>
#include <QWidget>

#include <cstdio>

namespace {

class PremierePeinture final : public QObject {
public:
    explicit PremierePeinture(QWidget& fenetre) : fenetre_(fenetre) { fenetre_.installEventFilter(this); }

protected:
    bool eventFilter(QObject* objet, QEvent* evenement) override
    {
        if (objet == &fenetre_ && evenement->type() == QEvent::Paint) {
            fenetre_.removeEventFilter(this);
            QTimer::singleShot(0, this, [] {
                std::fputs("LYRX_FIRST_PAINT\n", stderr);
                std::fflush(stderr);
            });
        }
        return false;
    }

private:
    QWidget& fenetre_;
};

} // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QMainWindow fenetre;
    for (const char* titre : {"&File", "&Edit", "&Help"}) {
        QMenu* menu = fenetre.menuBar()->addMenu(QString::fromLatin1(titre));
        menu->addAction(QStringLiteral("&Open"));
        menu->addAction(QStringLiteral("&Close"));
    }
    fenetre.setCentralWidget(new QWidget(&fenetre));
    fenetre.resize(1000, 700);
    PremierePeinture trace(fenetre);
    fenetre.show();
    return application.exec();
}

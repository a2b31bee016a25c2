#include "dialogs/WaitMIDI.h"

#include "dialogs/BaseDialogue.h"

#include <QApplication>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QLabel>
#include <QProgressBar>
#include <QScreen>
#include <QStyle>
#include <QStyleFactory>
#include <QTimer>
#include <QWindow>

#include <algorithm>

namespace {
constexpr int kAttenteExpositionMs = 250;
}

TWaitMidiForm::TWaitMidiForm(QWidget* parent)
    // A tool window stays above the main window without a button of its own; it never takes
    // the focus, so the keyboard stays with the window the user works in.
    : QFrame(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus)
{
    setObjectName("WaitMidiForm");
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    AppliquerPoliceDialogue(this);
    setFixedSize(Pixels96(Largeur), Pixels96(Hauteur));

    Etat = new QLabel(QStringLiteral("Lecture des pistes..."), this);
    Etat->setObjectName("Etat");
    Etat->setAlignment(Qt::AlignCenter);
    Etat->setGeometry(Pixels96(8), Pixels96(12), Pixels96(Largeur - 16), Pixels96(18));

    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName("ProgressBar1");
    ProgressBar1->setRange(0, PositionMax);
    ProgressBar1->setValue(0);
    ProgressBar1->setTextVisible(false);
    // The plain bar of the classic style, a few rectangles: the default style paints its
    // gradients through a thread pool at every step, which a long import feels.
    if (QStyle* classique = QStyleFactory::create(QStringLiteral("Windows"))) {
        classique->setParent(this);
        ProgressBar1->setStyle(classique);
    }
    ProgressBar1->setGeometry(Pixels96(16), Pixels96(40), Pixels96(Largeur - 32), Pixels96(17));

    reveil_ = new QTimer(this);
    reveil_->setSingleShot(true);
}

void TWaitMidiForm::DefinirTexte(std::string_view cp1252) { Etat->setText(VersQString(cp1252)); }

void TWaitMidiForm::DefinirPosition(int position)
{
    // A repaint of its own when visible: the bar moves while the work runs.
    ProgressBar1->setValue(std::clamp(position, 0, PositionMax));
}

void TWaitMidiForm::Montrer(bool visible)
{
    if (!visible) {
        hide();
        return;
    }
    if (isVisible())
        return;
    fenetreActive_ = QApplication::activeWindow();
    Centrer();
    show();
    if (AttendreExposition())
        repaint();
}

void TWaitMidiForm::Redessiner()
{
    if (isVisible())
        repaint();
}

bool TWaitMidiForm::event(QEvent* e)
{
    // Some window systems activate every window they show, whatever it asks: the keyboard
    // goes straight back to where the user was, before any later window asks for it.
    if (e->type() == QEvent::WindowActivate && isVisible() && fenetreActive_ && fenetreActive_ != this &&
        fenetreActive_->isVisible())
        fenetreActive_->activateWindow();
    return QFrame::event(e);
}

void TWaitMidiForm::Centrer()
{
    QScreen* ecran = parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen();
    if (!ecran)
        return;
    const QRect r = ecran->geometry();
    move(r.x() + (r.width() - width()) / 2, r.y() + (r.height() - height()) / 2);
}

bool TWaitMidiForm::AttendreExposition()
{
    QWindow* fenetre = windowHandle();
    if (!fenetre)
        return false;
    if (fenetre->isExposed())
        return true;
    // The timer only wakes the wait when the window system says nothing.
    QElapsedTimer chrono;
    chrono.start();
    while (!fenetre->isExposed() && isVisible() && chrono.elapsed() < kAttenteExpositionMs) {
        reveil_->start(static_cast<int>(std::max<qint64>(1, kAttenteExpositionMs - chrono.elapsed())));
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents | QEventLoop::WaitForMoreEvents);
    }
    reveil_->stop();
    return fenetre->isExposed();
}

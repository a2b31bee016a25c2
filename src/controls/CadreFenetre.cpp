#include "controls/CadreFenetre.h"

#include <QPointer>
#include <QRect>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <memory>

namespace {

constexpr int kIntervalleVerification = 20;   // ms
constexpr int kNombreVerifications = 100;     // 2 s

std::function<QMargins(const QWidget*)>& LecteurMarges()
{
    static std::function<QMargins(const QWidget*)> lecteur;
    return lecteur;
}

} // namespace

QMargins MargesCadre(const QWidget* fenetre)
{
    if (!fenetre)
        return {};
    if (LecteurMarges())
        return LecteurMarges()(fenetre);
    // The platform window's, asked afresh: the widget's own copy is brought up to date only by
    // some later events (an activation, a move), and may still be nil long after.
    if (const QWindow* w = fenetre->windowHandle())
        return w->frameMargins();
    const QRect cadre = fenetre->frameGeometry();
    const QRect client = fenetre->geometry();
    return QMargins(client.left() - cadre.left(), client.top() - cadre.top(), cadre.right() - client.right(),
                    cadre.bottom() - client.bottom());
}

void QuandCadreConnu(QWidget* fenetre, std::function<void()> action)
{
    if (!fenetre || !action)
        return;
    // A window that never gets a frame is not waited for.
    const Qt::WindowType type = fenetre->windowType();
    const bool sansCadre = fenetre->windowFlags().testFlag(Qt::FramelessWindowHint) || type == Qt::Popup
                           || type == Qt::ToolTip || type == Qt::SplashScreen || !fenetre->isWindow();
    const int verifications = sansCadre ? 1 : kNombreVerifications;
    // A first check as soon as the events of the show are handled, then the timer's. The
    // timer belongs to the window: it goes with it, and the action with it.
    auto* minuterie = new QTimer(fenetre);
    minuterie->setInterval(kIntervalleVerification);
    auto verifier = std::make_shared<std::function<void()>>(
        [minuterie, fenetre = QPointer<QWidget>(fenetre), action = std::move(action), verifications,
         essais = 0]() mutable {
            if (fenetre && MargesCadre(fenetre).isNull() && ++essais < verifications) {
                if (!minuterie->isActive())
                    minuterie->start();
                return;
            }
            minuterie->stop();
            minuterie->deleteLater();
            if (fenetre)
                action();
        });
    QObject::connect(minuterie, &QTimer::timeout, minuterie, [verifier] { (*verifier)(); });
    QMetaObject::invokeMethod(minuterie, [verifier] { (*verifier)(); }, Qt::QueuedConnection);
}

void DefinirLecteurMargesCadre(std::function<QMargins(const QWidget*)> lecteur)
{
    LecteurMarges() = std::move(lecteur);
}

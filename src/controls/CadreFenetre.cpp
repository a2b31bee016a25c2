#include "controls/CadreFenetre.h"

#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QPointer>
#include <QRect>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include <algorithm>
#include <map>
#include <optional>

namespace {

// The smallest window a restore or a correction makes, unless the window was designed
// smaller: below this a window cannot be used, nor easily seen to be there.
constexpr int kLargeurPlancher = 160;
constexpr int kHauteurPlancher = 120;

std::function<QMargins(const QWidget*)>& LecteurMarges()
{
    static std::function<QMargins(const QWidget*)> lecteur;
    return lecteur;
}

// The margins last seen on a framed window, per window type (none: that type is shown
// without a frame), and the last of any type.
struct MargesRetenues {
    std::map<int, QMargins> ParType;
    std::optional<QMargins> Derniere;
};

MargesRetenues& Retenues()
{
    static MargesRetenues retenues;
    return retenues;
}

bool SansCadre(const QWidget* fenetre)
{
    const Qt::WindowType type = fenetre->windowType();
    return !fenetre->isWindow() || fenetre->windowFlags().testFlag(Qt::FramelessWindowHint) || type == Qt::Popup
           || type == Qt::ToolTip || type == Qt::SplashScreen;
}

bool EstExposee(const QWidget* fenetre)
{
    const QWindow* w = fenetre->windowHandle();
    return w && w->isExposed();
}

// Waits on the platform window for its first expose or move once mapped, then runs the
// action and goes. It belongs to the window: it goes with it, and the action with it.
class AttenteCadre final : public QObject {
public:
    AttenteCadre(QWidget* fenetre, std::function<void()> action)
        : QObject(fenetre), fenetre_(fenetre), plateforme_(fenetre->windowHandle()), action_(std::move(action))
    {
        fenetre->installEventFilter(this);
        if (plateforme_)
            plateforme_->installEventFilter(this);
    }

    // Once the events of the show are handled.
    void VerifierEnsuite()
    {
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (fenetre_ && fenetre_->isVisible())
                    Terminer();
                else
                    deleteLater();
            },
            Qt::QueuedConnection);
    }

protected:
    bool eventFilter(QObject* objet, QEvent* e) override
    {
        // The platform window says it is exposed as the expose reaches it.
        if (objet == plateforme_ && (e->type() == QEvent::Expose || e->type() == QEvent::Move)
            && plateforme_->isExposed())
            Terminer();
        else if (objet == fenetre_ && e->type() == QEvent::Hide)
            deleteLater();
        return false;
    }

private:
    void Terminer()
    {
        // Only once: the window stays where the user puts it from now on. The check after the
        // show may still come after the expose that ended the wait.
        if (termine_)
            return;
        termine_ = true;
        fenetre_->removeEventFilter(this);
        if (plateforme_)
            plateforme_->removeEventFilter(this);
        deleteLater();
        MargesCadre(fenetre_); // remembered for the next window of its type
        action_();
    }

    QPointer<QWidget> fenetre_;
    QPointer<QWindow> plateforme_;
    std::function<void()> action_;
    bool termine_ = false;
};

} // namespace

TRectEcran RectEcranDe(const QRect& r)
{
    return TRectEcran{r.x(), r.y(), static_cast<int32_t>(static_cast<int64_t>(r.x()) + r.width()),
                      static_cast<int32_t>(static_cast<int64_t>(r.y()) + r.height())};
}

QMargins MargesCadre(const QWidget* fenetre)
{
    if (!fenetre || SansCadre(fenetre))
        return {};
    QMargins marges;
    if (LecteurMarges()) {
        marges = LecteurMarges()(fenetre);
    } else if (const QWindow* w = fenetre->windowHandle()) {
        // The platform window's, asked afresh: the widget's own copy is brought up to date only
        // by some later events (an activation, a move), and may still be nil long after.
        marges = w->frameMargins();
    } else {
        const QRect cadre = fenetre->frameGeometry();
        const QRect client = fenetre->geometry();
        marges = QMargins(client.left() - cadre.left(), client.top() - cadre.top(), cadre.right() - client.right(),
                          cadre.bottom() - client.bottom());
    }
    MargesRetenues& retenues = Retenues();
    const int type = static_cast<int>(fenetre->windowType());
    if (EstExposee(fenetre)) {
        retenues.ParType[type] = marges;
        if (!marges.isNull())
            retenues.Derniere = marges;
        return marges;
    }
    if (!marges.isNull())
        return marges;
    if (const auto trouve = retenues.ParType.find(type); trouve != retenues.ParType.end())
        return trouve->second;
    return retenues.Derniere.value_or(QMargins());
}

void QuandCadreConnu(QWidget* fenetre, std::function<void()> action)
{
    if (!fenetre || !action)
        return;
    auto* attente = new AttenteCadre(fenetre, std::move(action));
    // A window that never gets a frame, or one mapped already, has nothing to wait for; one
    // not made a platform window of yet is taken as it is once the show's events are handled.
    if (SansCadre(fenetre) || EstExposee(fenetre) || !fenetre->windowHandle())
        attente->VerifierEnsuite();
}

void PlacerCadre(QWidget* fenetre, QPoint coin)
{
    const QMargins marges = MargesCadre(fenetre);
    const QPoint client = coin + QPoint(marges.left(), marges.top());
    // Measured from the client area, as the frame the widget knows may still be none.
    if (client != fenetre->geometry().topLeft())
        fenetre->move(fenetre->pos() + client - fenetre->geometry().topLeft());
}

void PlacerSelonCadre(QWidget* fenetre, std::function<void()> placer)
{
    placer();
    QuandCadreConnu(fenetre, [fenetre, placer, marges = MargesCadre(fenetre)] {
        if (MargesCadre(fenetre) != marges)
            placer();
    });
}

void CentrerSurEcran(QWidget* fenetre)
{
    if (!fenetre || !fenetre->isWindow())
        return;
    const QWidget* reference = fenetre->parentWidget() ? fenetre->parentWidget()->window() : fenetre;
    const QScreen* ecran = reference->screen() ? reference->screen() : QGuiApplication::primaryScreen();
    if (!ecran)
        return;
    const QRect zone = ecran->availableGeometry();
    const QSize cadre = fenetre->size().grownBy(MargesCadre(fenetre));
    PlacerCadre(fenetre, QPoint(zone.left() + std::max(0, (zone.width() - cadre.width()) / 2),
                                zone.top() + std::max(0, (zone.height() - cadre.height()) / 2)));
}

void DefinirLecteurMargesCadre(std::function<QMargins(const QWidget*)> lecteur)
{
    LecteurMarges() = std::move(lecteur);
    Retenues() = {};
}

TLimitesPlacement LimitesFenetre(const QWidget* fenetre)
{
    TLimitesPlacement limites;
    if (const QScreen* primaire = QGuiApplication::primaryScreen())
        limites.Ecrans.push_back(RectEcranDe(primaire->availableGeometry()));
    for (const QScreen* ecran : QGuiApplication::screens())
        if (ecran != QGuiApplication::primaryScreen())
            limites.Ecrans.push_back(RectEcranDe(ecran->availableGeometry()));
    const QRect actuel = fenetre->geometry();
    QSize minimum = fenetre->minimumSize();
    if (const QSize indice = fenetre->minimumSizeHint(); indice.isValid())
        minimum = minimum.expandedTo(indice);
    minimum = minimum.expandedTo(
        QSize(std::min(actuel.width(), kLargeurPlancher), std::min(actuel.height(), kHauteurPlancher)));
    limites.LargeurMin = minimum.width();
    limites.HauteurMin = minimum.height();
    limites.LargeurMax = fenetre->maximumWidth() < QWIDGETSIZE_MAX ? fenetre->maximumWidth() : 0;
    limites.HauteurMax = fenetre->maximumHeight() < QWIDGETSIZE_MAX ? fenetre->maximumHeight() : 0;
    const QMargins cadre = MargesCadre(fenetre);
    limites.CadreGauche = std::max(0, cadre.left());
    limites.CadreHaut = std::max(0, cadre.top());
    limites.CadreDroit = std::max(0, cadre.right());
    limites.CadreBas = std::max(0, cadre.bottom());
    return limites;
}

void GarderDansEcran(QWidget* fenetre)
{
    if (!fenetre || !fenetre->isWindow() || (fenetre->windowFlags() & Qt::WindowType_Mask) == Qt::Popup
        || fenetre->windowFlags().testFlag(Qt::ToolTip) || fenetre->x() <= -500
        || (fenetre->windowState() & (Qt::WindowMaximized | Qt::WindowMinimized | Qt::WindowFullScreen)))
        return;
    const QRect client = fenetre->geometry();
    const TRectEcran actuel = RectEcranDe(client);
    const std::optional<TRectEcran> r = CorrigerRectangle(actuel, LimitesFenetre(fenetre));
    if (!r || *r == actuel)
        return;
    // Resized only when it must shrink: a new geometry would also fix the size of a window that
    // its layout sizes afresh at each show. A move shifts the client area by as much as the
    // frame: it measures both from the widget's own copy of the frame, so a copy still without
    // the frame does no harm.
    if (r->Largeur() != client.width() || r->Hauteur() != client.height())
        fenetre->resize(static_cast<int>(r->Largeur()), static_cast<int>(r->Hauteur()));
    fenetre->move(fenetre->pos() + QPoint(r->Left - client.x(), r->Top - client.y()));
}

namespace {

class GardienEcran final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* objet, QEvent* e) override
    {
        if (e->type() == QEvent::Show && objet->isWidgetType()) {
            auto* fenetre = static_cast<QWidget*>(objet);
            if (fenetre->isWindow()) {
                // A window the program did not place is the window manager's to place.
                if (fenetre->testAttribute(Qt::WA_Moved))
                    GarderDansEcran(fenetre);
                QuandCadreConnu(fenetre, [fenetre] { GarderDansEcran(fenetre); });
            }
        }
        return false;
    }
};

} // namespace

void InstallerGardienEcran()
{
    static bool installe = false;
    if (installe || !QCoreApplication::instance())
        return;
    installe = true;
    QCoreApplication::instance()->installEventFilter(new GardienEcran(QCoreApplication::instance()));
}

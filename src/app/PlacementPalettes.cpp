#include "app/PlacementPalettes.h"

#include "controls/CadreFenetre.h"
#include "dialogs/BaseDialogue.h"

#include <QEvent>
#include <QPointer>
#include <QScreen>
#include <QWidget>

#include <algorithm>
#include <functional>
#include <utility>

QPoint PlacePalette(QSize taille, const QRect& principale, const QRect& vue, const QRect& ecran,
                    const std::vector<QRect>& ouvertes, int marge)
{
    const auto libre = [&](const QRect& r, const QRect& zone) {
        return zone.contains(r)
               && std::none_of(ouvertes.begin(), ouvertes.end(), [&](const QRect& o) { return o.intersects(r); });
    };

    // Beside the main window: level with its top, or below a palette that stands there.
    std::vector<int> hauts{std::max(principale.top(), ecran.top())};
    for (const QRect& o : ouvertes)
        hauts.push_back(o.bottom() + 1);
    std::sort(hauts.begin(), hauts.end());
    for (const int x : {principale.right() + 1, principale.left() - taille.width()})
        for (const int y : hauts)
            if (const QRect r(QPoint(x, y), taille); libre(r, ecran))
                return r.topLeft();

    // Over the score view, from its top right corner; else left of or below the palettes
    // there, the rightmost place first, then the highest, so that the start of the lines (the
    // first measures, where the edit cursor usually is) stays in view the longest.
    const QRect zone = vue.intersected(ecran);
    const QPoint coin(zone.right() + 1 - marge - taille.width(), zone.top() + marge);
    std::vector<int> xs{coin.x()};
    std::vector<int> ys{coin.y()};
    for (const QRect& o : ouvertes) {
        xs.push_back(o.left() - taille.width());
        ys.push_back(o.bottom() + 1);
    }
    std::sort(xs.begin(), xs.end(), std::greater<>());
    std::sort(ys.begin(), ys.end());
    for (const int x : xs)
        for (const int y : ys)
            if (const QRect r(QPoint(x, y), taille); libre(r, zone))
                return r.topLeft();

    // No room left: the corner all the same, on the screen.
    const int x = std::max(std::min(coin.x(), ecran.right() + 1 - taille.width()), ecran.left());
    const int y = std::max(std::min(coin.y(), ecran.bottom() + 1 - taille.height()), ecran.top());
    return {x, y};
}

namespace {

// Places its palette at the palette's first show, then goes.
class PlacementPremierAffichage final : public QObject {
public:
    PlacementPremierAffichage(QWidget* palette, QWidget* principale, QWidget* vue, std::vector<QWidget*> autres)
        : QObject(palette), palette_(palette), principale_(principale), vue_(vue)
    {
        for (QWidget* w : autres)
            autres_.emplace_back(w);
        palette->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* objet, QEvent* e) override
    {
        // Before the window manager maps it: a window it has placed already may stay where it
        // put it.
        if (objet == palette_ && e->type() == QEvent::Show) {
            palette_->removeEventFilter(this);
            deleteLater();
            Placer();
        }
        return false;
    }

private:
    void Placer()
    {
        if (!principale_ || !vue_ || !principale_->isVisible() || principale_->isMinimized())
            return;
        const QScreen* ecran = principale_->screen();
        if (!ecran)
            return;
        const QMargins marges = MargesCadre(palette_);
        const QRect client = palette_->geometry();
        // The width its title will give it as it appears (ElargirPourTitre, after the show).
        QSize taille = client.size();
        if (palette_->minimumWidth() == palette_->maximumWidth()
            && !palette_->windowFlags().testFlag(Qt::FramelessWindowHint))
            taille.setWidth(std::max(taille.width(), LargeurPourTitre(palette_->windowTitle())));
        std::vector<QRect> ouvertes;
        for (const QPointer<QWidget>& w : autres_)
            if (w && w != palette_ && w->isVisible())
                ouvertes.push_back(w->geometry().marginsAdded(MargesCadre(w)));
        const QRect principale = principale_->geometry().marginsAdded(MargesCadre(principale_));
        const QRect vue(vue_->mapToGlobal(QPoint(0, 0)), vue_->size());
        const QPoint coin = PlacePalette(taille.grownBy(marges), principale, vue, ecran->availableGeometry(),
                                         ouvertes, Pixels96(8));
        // Measured from the client area, as the frame the widget knows may still be none.
        palette_->move(palette_->pos() + coin + QPoint(marges.left(), marges.top()) - client.topLeft());
    }

    QPointer<QWidget> palette_;
    QPointer<QWidget> principale_;
    QPointer<QWidget> vue_;
    std::vector<QPointer<QWidget>> autres_;
};

} // namespace

void PlacerPaletteAuPremierAffichage(QWidget* palette, QWidget* principale, QWidget* vue,
                                     std::vector<QWidget*> autres)
{
    if (palette && principale && vue)
        new PlacementPremierAffichage(palette, principale, vue, std::move(autres));
}

#include "app/PlacementPalettes.h"

#include "controls/CadreFenetre.h"
#include "dialogs/BaseDialogue.h"

#include <QEvent>
#include <QPointer>
#include <QScreen>
#include <QWidget>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <optional>
#include <tuple>
#include <utility>

namespace {

// The area `r` covers of the rectangles `zones`.
int64_t AireCouverte(const QRect& r, const std::vector<QRect>& zones)
{
    int64_t aire = 0;
    for (const QRect& z : zones) {
        const QRect commun = r.intersected(z);
        aire += static_cast<int64_t>(commun.width()) * commun.height();
    }
    return aire;
}

// With no free place: the place on the screen that does the least harm (see the header).
QPoint MoinsGenante(QSize taille, const QRect& principale, const QRect& vue, const QRect& ecran,
                    const std::vector<QRect>& ouvertes, const std::vector<QRect>& protegees, QPoint coin)
{
    // The places that touch an edge of the screen, of the main window, of its score view, of
    // a part it protects or of a palette.
    std::vector<int> xs{coin.x(), ecran.left(), ecran.right() + 1 - taille.width(), principale.left() - taille.width(),
                        principale.right() + 1, vue.left(), vue.right() + 1 - taille.width()};
    std::vector<int> ys{coin.y(), ecran.top(), ecran.bottom() + 1 - taille.height(), vue.top(),
                        vue.bottom() + 1 - taille.height()};
    for (const std::vector<QRect>* bords : {&ouvertes, &protegees})
        for (const QRect& o : *bords) {
            xs.insert(xs.end(), {o.left() - taille.width(), o.right() + 1});
            ys.insert(ys.end(), {o.top() - taille.height(), o.bottom() + 1});
        }
    const auto surEcran = [&](int v, int debut, int fin, int longueur) {
        return std::max(std::min(v, fin + 1 - longueur), debut);
    };
    const std::vector<QRect> vueSeule{vue.intersected(principale)};
    const std::vector<QRect> fenetre{principale};
    std::optional<std::tuple<int64_t, int64_t, int64_t, int64_t>> meilleur;
    QPoint choisi = coin;
    for (const int x0 : xs)
        for (const int y0 : ys) {
            const QRect r(QPoint(surEcran(x0, ecran.left(), ecran.right(), taille.width()),
                                 surEcran(y0, ecran.top(), ecran.bottom(), taille.height())),
                          taille);
            const QPoint d = r.topLeft() - coin;
            const auto cout = std::make_tuple(AireCouverte(r, protegees), AireCouverte(r, ouvertes),
                                              AireCouverte(r, fenetre) - AireCouverte(r, vueSeule),
                                              static_cast<int64_t>(d.x()) * d.x() + static_cast<int64_t>(d.y()) * d.y());
            if (!meilleur || cout < *meilleur) {
                meilleur = cout;
                choisi = r.topLeft();
            }
        }
    return choisi;
}

} // namespace

QPoint PlacePalette(QSize taille, const QRect& principale, const QRect& vue, const QRect& ecran,
                    const std::vector<QRect>& ouvertes, const std::vector<QRect>& protegees, int marge)
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

    return MoinsGenante(taille, principale, vue, ecran, ouvertes, protegees, coin);
}

namespace {

// Places its palette at the palette's first show, then goes.
class PlacementPremierAffichage final : public QObject {
public:
    PlacementPremierAffichage(QWidget* palette, QWidget* principale, QWidget* vue,
                              const std::vector<QWidget*>& protegees, const std::vector<QWidget*>& autres)
        : QObject(palette), palette_(palette), principale_(principale), vue_(vue)
    {
        for (QWidget* w : protegees)
            protegees_.emplace_back(w);
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
        std::vector<QRect> protegees;
        for (const QPointer<QWidget>& w : protegees_)
            if (w && w->isVisible())
                protegees.emplace_back(w->mapToGlobal(QPoint(0, 0)), w->size());
        const QRect principale = principale_->geometry().marginsAdded(MargesCadre(principale_));
        const QRect vue(vue_->mapToGlobal(QPoint(0, 0)), vue_->size());
        const QPoint coin = PlacePalette(taille.grownBy(marges), principale, vue, ecran->availableGeometry(),
                                         ouvertes, protegees, Pixels96(8));
        // Measured from the client area, as the frame the widget knows may still be none.
        palette_->move(palette_->pos() + coin + QPoint(marges.left(), marges.top()) - client.topLeft());
    }

    QPointer<QWidget> palette_;
    QPointer<QWidget> principale_;
    QPointer<QWidget> vue_;
    std::vector<QPointer<QWidget>> protegees_;
    std::vector<QPointer<QWidget>> autres_;
};

} // namespace

void PlacerPaletteAuPremierAffichage(QWidget* palette, QWidget* principale, QWidget* vue,
                                     const std::vector<QWidget*>& protegees, const std::vector<QWidget*>& autres)
{
    if (palette && principale && vue)
        new PlacementPremierAffichage(palette, principale, vue, protegees, autres);
}

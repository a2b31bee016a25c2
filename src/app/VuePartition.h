#pragma once
// The score view's widget: the inside of the panel PanelZoneAffScroll. It holds the band
// images (Band00 for the chord list, Band01 .. Band30 for the ring of display lines) as
// QImages that the painters draw on through the Qt canvas, and shows each at the place the
// headless score view gives it (AffichagePartition), with the dotted frame over the current
// measure on top. It is the window behind the score view (ISurfacePartition): install it with
// InstallerSurfacePartition once it is in place.
//
// The scroll bar stays a control of its own beside the panel; AttacherBarreDefilement makes the
// view follow it and keep it in step (range, steps, enabled state, position).
#include "editor/Scrolling.h"

#include <QImage>
#include <QPointer>
#include <QWidget>

#include <array>
#include <functional>
#include <memory>

class QPainter;
class QScrollBar;

namespace platform {
class CanevasQt;
}

class VuePartition : public QWidget, public ISurfacePartition {
    Q_OBJECT
public:
    explicit VuePartition(QWidget* parent = nullptr);
    ~VuePartition() override;

    // The scroll bar ScrollBarZoneAffScroll; nullptr detaches it.
    void AttacherBarreDefilement(QScrollBar* barre);
    // The main window's client height, which sizes the ring. Without it: the height of the
    // view's window, or the view's own height + 55 when the view is a window itself.
    void DefinirHauteurClient(std::function<int()> hauteurClient);

    // The picture of band image `bande` (0..30); a null image while nothing was painted on it.
    const QImage& ImageBande(int bande) const;

    // ISurfacePartition.
    int HauteurPanneau() const override { return height(); }
    int LargeurPanneau() const override { return width(); }
    int HauteurClientFenetre() const override;
    platform::Canevas* CanevasBande(int bande) override;
    platform::Canevas* CanevasMesure() override;
    bool BandeSansImage(int bande) const override;
    void ActualiserAffichage() override;

signals:
    // A mouse button went down on ring band `bande` (1..30) at (x, y) of its picture, as
    // Band01MouseDown receives it. The frame over the current measure passes its clicks to the
    // band beneath.
    void BandeCliquee(int bande, int x, int y, Qt::MouseButton bouton, Qt::KeyboardModifiers modificateurs);

protected:
    void paintEvent(QPaintEvent* evenement) override;
    void mousePressEvent(QMouseEvent* evenement) override;
    void wheelEvent(QWheelEvent* evenement) override;

private:
    void TerminerPeinture();
    bool Agrandir(int bande, int largeur, int hauteur);
    void SynchroniserBarre();

    std::array<QImage, kNbBandesMax + 1> images_;
    // The band being painted: one painter at a time, ended before the view is shown.
    int bandePeinte_ = kBandeAucune;
    std::unique_ptr<QPainter> peintre_;
    std::unique_ptr<platform::CanevasQt> canevas_;
    // The measuring canvas, on a picture of its own so that it never ends a band's painter.
    std::unique_ptr<QImage> imageMesure_;
    std::unique_ptr<QPainter> peintreMesure_;
    std::unique_ptr<platform::CanevasQt> mesure_;
    QPointer<QScrollBar> barre_;
    std::function<int()> hauteurClient_;
    int rouletteRestante_ = 0; // wheel angle not yet turned into steps
};

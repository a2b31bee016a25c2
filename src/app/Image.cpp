#include "app/Image.h"

#include <QPainter>

TImage::TImage(QWidget* parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    Redimensionner(1, 1);
}

void TImage::Redimensionner(int largeur, int hauteur)
{
    image_ = QImage(std::max(largeur, 1), std::max(hauteur, 1), QImage::Format_RGB32);
    image_.fill(Qt::white);
    resize(image_.size());
    update();
}

void TImage::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.drawImage(0, 0, image_);
    // Whatever of the control lies beyond the picture stays white.
    if (width() > image_.width())
        p.fillRect(image_.width(), 0, width() - image_.width(), height(), Qt::white);
    if (height() > image_.height())
        p.fillRect(0, image_.height(), image_.width(), height() - image_.height(), Qt::white);
}

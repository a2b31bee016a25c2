#pragma once
// Qt side of the GIF picture: conversion of the headless bitmaps to and from QImage, drawing
// the current frame stretched into a rectangle, the clipboard format "GIF Image", and a small
// widget that shows a picture (the splash window places one).
#include "controls/KxGIF.h"

#include <QImage>
#include <QWidget>

#include <vector>

class QMimeData;
class QPainter;

QImage QImageDe(const ImagePixels& bitmap);
// A 32-bit picture becomes true colour; an indexed one keeps its palette (1, 4 or 8 bits).
ImagePixels ImagePixelsDe(const QImage& image);

// The frame's decoded bitmap; pixels of its transparent colour are left clear when asked.
QImage QImageDeCadre(TGIFFrame& cadre, bool avecTransparence);

struct CadreAffiche {
    QImage image;
    int32_t gauche = 0;
    int32_t haut = 0;
    int delaiMs = 0;
};
// Every frame with its place and delay, for a viewer that wants to play them.
std::vector<CadreAffiche> CadresAvecDelais(TGIFImage& gif);

// Draws the current frame stretched into `rect`, leaving out its transparent colour when the
// picture is transparent; nothing when there is no current frame.
void DessinerGIF(QPainter& peintre, const QRect& rect, TGIFImage& gif);

// The MIME type under which the "GIF Image" clipboard format travels.
QString TypeMimeGIF();
// Frame 0's bitmap as an image, plus the GIF with its length when every frame has encoded data.
void SaveToClipboardFormat(TGIFImage& gif, QMimeData& donnees);
// Reads the "GIF Image" format when present (frame 0 taking the image beside it), else the image.
void LoadFromClipboardFormat(TGIFImage& gif, const QMimeData& donnees);

class TGIFPicture : public QWidget {
public:
    explicit TGIFPicture(QWidget* parent = nullptr);
    TGIFImage& Picture() { return gif_; }
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    TGIFImage gif_;
};

// Qt side of the GIF picture: conversions, drawing, the clipboard format and the widget.
#include "controls/GifEcriture.h"
#include "controls/GifQt.h"

#include <gtest/gtest.h>

#include <QMimeData>
#include <QPainter>

using platform::Couleur;

namespace {

// Two frames of 6 x 4: the first red with a white transparent column, the second blue.
void DeuxCadres(TGIFImage& gif)
{
    ImagePixels a = ImagePixels::Indexee(6, 4, 8, {Couleur(255, 0, 0), Couleur(255, 255, 255)});
    for (int y = 0; y < 4; ++y)
        a.indices[std::size_t(y * 6)] = 1;
    ImagePixels b = ImagePixels::Couleurs(6, 4, Couleur(0, 0, 255));
    gif.AppendFrame(a);
    gif.AppendFrame(b);
    gif.frames[0]->transparentColor = Couleur(255, 255, 255).Valeur();
    gif.frames[0]->delay = 100;
    gif.frames[1]->delay = 250;
    gif.frameIndex = 0;
}

} // namespace

TEST(GifQt, ConversionsEtDessin)
{
    ImagePixels im = ImagePixels::Couleurs(3, 2, Couleur(10, 20, 30));
    im.couleurs[4] = Couleur(1, 2, 3);
    const QImage q = QImageDe(im);
    EXPECT_EQ(q.pixel(1, 1), qRgb(1, 2, 3));
    const ImagePixels retour = ImagePixelsDe(q);
    EXPECT_EQ(retour.couleurs, im.couleurs);

    QImage indexee(4, 1, QImage::Format_Indexed8);
    indexee.setColorTable({qRgb(0, 0, 0), qRgb(9, 9, 9), qRgb(7, 7, 7)});
    indexee.fill(2);
    EXPECT_EQ(ImagePixelsDe(indexee).bitsParPixel, 4);
    EXPECT_EQ(ImagePixelsDe(indexee).Pixel(3, 0), Couleur(7, 7, 7));

    TGIFImage gif;
    DeuxCadres(gif);
    const auto cadres = CadresAvecDelais(gif);
    ASSERT_EQ(cadres.size(), 2u);
    EXPECT_EQ(cadres[0].delaiMs, 100);
    EXPECT_EQ(cadres[1].delaiMs, 250);
    EXPECT_EQ(qAlpha(cadres[0].image.pixel(0, 0)), 0);

    // Stretched to twice the size, the transparent column keeps the background.
    QImage toile(12, 8, QImage::Format_ARGB32);
    toile.fill(qRgb(0, 255, 0));
    {
        QPainter p(&toile);
        DessinerGIF(p, QRect(0, 0, 12, 8), gif);
    }
    EXPECT_EQ(toile.pixel(0, 3), qRgb(0, 255, 0));
    EXPECT_EQ(toile.pixel(5, 3), qRgb(255, 0, 0));
    gif.transparent = false;
    {
        QPainter p(&toile);
        DessinerGIF(p, QRect(0, 0, 12, 8), gif);
    }
    EXPECT_EQ(toile.pixel(0, 3), qRgb(255, 255, 255));
}

TEST(GifQt, PressePapiersEtWidget)
{
    TGIFImage gif;
    DeuxCadres(gif);
    QMimeData donnees;
    SaveToClipboardFormat(gif, donnees);
    // Frames still without encoded data give the image only.
    EXPECT_FALSE(donnees.hasFormat(TypeMimeGIF()));
    EXPECT_TRUE(donnees.hasImage());
    gif.SaveToStream();
    QMimeData avecGif;
    SaveToClipboardFormat(gif, avecGif);
    ASSERT_TRUE(avecGif.hasFormat(TypeMimeGIF()));
    TGIFImage collee;
    LoadFromClipboardFormat(collee, avecGif);
    ASSERT_EQ(collee.frames.size(), 2u);
    EXPECT_EQ(collee.frames[1]->delay, 250);
    EXPECT_EQ(collee.frames[1]->DecodeBitmap().Pixel(3, 3), Couleur(0, 0, 255));

    TGIFImage image;
    LoadFromClipboardFormat(image, donnees);
    ASSERT_EQ(image.frames.size(), 1u);
    EXPECT_EQ(image.GetWidth(), 6);

    TGIFPicture widget;
    EXPECT_EQ(widget.objectName(), "TGIFImage");
    widget.Picture().LoadFromBytes(gif.SaveToStream());
    EXPECT_EQ(widget.sizeHint(), QSize(6, 4));
    widget.resize(12, 8);
    const QImage rendu = widget.grab().toImage();
    EXPECT_EQ(rendu.pixel(6, 4), qRgb(255, 0, 0));
}

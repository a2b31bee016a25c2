// The edit zone painted through the Qt canvas on an image, probed pixel by pixel: the
// painters' coordinates and the canvas's platform rules have to meet on the same pixels.
#include "document/Fenetre.h"
#include "document/Routines.h"
#include "document/Variable.h"
#include "editor/Commandes.h"
#include "editor/DessinSaisie.h"
#include "platform/qt/CanevasQt.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

namespace {

class ZoneSaisiePixels : public ::testing::Test {
protected:
    void SetUp() override
    {
        ReinitialiserPartition();
        for (int b = 2; b <= kNbTempsMax; ++b)
            Partition.Mesures[1]->Temps[1][b] = TTemps{};
        PisteCourante = 1;
        Curseur.Corde = 1;
        Curseur.Temps = 1;
        Curseur.ChiffreEnAttente = false;
        Commandes().Reinitialiser();
        image.fill(Qt::magenta);
    }

    void Peindre()
    {
        QPainter peintre(&image);
        platform::CanevasQt canevas(peintre);
        RedessinerMesure(canevas);
    }

    QColor Pixel(int x, int y) const { return image.pixelColor(x, y); }

    int Compter(QColor couleur, int x1, int y1, int x2, int y2) const
    {
        int n = 0;
        for (int y = y1; y < y2; ++y)
            for (int x = x1; x < x2; ++x)
                n += Pixel(x, y) == couleur ? 1 : 0;
        return n;
    }

    QImage image{640, 180, QImage::Format_RGB32};
};

} // namespace

TEST_F(ZoneSaisiePixels, NewSongShowsTheCursorBoxOnTheFirstString)
{
    Peindre();
    EXPECT_EQ(Pixel(80, 48), QColor(255, 255, 0));
    EXPECT_EQ(Pixel(300, 62), QColor(0, 0, 0));       // string 2
    EXPECT_EQ(Pixel(300, 55), QColor(255, 255, 255)); // between strings
    EXPECT_EQ(Pixel(32, 80), QColor(0, 0, 0));        // thick bar opening measure 1
    EXPECT_EQ(Pixel(598, 80), QColor(0, 0, 0));       // thick bar closing the last measure
    EXPECT_EQ(Pixel(639, 179), QColor(255, 255, 255)); // the whole image was cleared
    EXPECT_GT(Compter(QColor(0, 0, 0), 1, 48, 30, 132), 20); // the time signature
}

TEST_F(ZoneSaisiePixels, FretAndItsRhythm)
{
    TMesure& m = *Partition.Mesures[1];
    m.NbTemps[1] = 1;
    m.Temps[1][1].Notes[2].Frette = 12;
    Curseur.Temps = 2;
    AjouterTempsVide();
    Peindre();
    const QColor bleu(0, 0, 255);
    EXPECT_GT(Compter(bleu, 70, 54, 91, 70), 10);        // "12" on string 2
    EXPECT_EQ(Pixel(80, 100), bleu);                      // joining line down to the staff's bottom
    EXPECT_EQ(Pixel(80, 130), bleu);                      // the stem of the rhythm row
    EXPECT_EQ(Pixel(130, 48), QColor(255, 255, 0));       // cursor on the free column
}

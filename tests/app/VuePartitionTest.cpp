// The score view's widget, offscreen: what the panel shows after a refresh and a scroll, the
// scroll bar kept in step, the band pictures, clicks and the wheel.
#include "app/VuePartition.h"
#include "document/Configuration.h"
#include "document/Routines.h"
#include "document/Variable.h"
#include "editor/Commandes.h"
#include "editor/Disposition.h"
#include "editor/Scrolling.h"

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QScrollBar>
#include <QWheelEvent>
#include <gtest/gtest.h>

#include <memory>
#include <tuple>
#include <vector>

namespace {

// `n` measures of 32 thirty-seconds: one display line each, 152 pixels high, staff at y 64.
void Lignes(int n)
{
    ReinitialiserPartition();
    Partition.NbMesures = n;
    for (int m = 1; m <= n; ++m) {
        if (!Partition.Mesures[m])
            Partition.Mesures[m] = std::make_unique<TMesure>();
        Partition.Mesures[m]->NbTemps[1] = 32;
        for (int b = 1; b <= 32; ++b)
            Partition.Mesures[m]->Temps[1][b].Duree = 60;
    }
}

class VuePartitionWidgetTest : public ::testing::Test {
protected:
    std::unique_ptr<VuePartition> vue;
    std::unique_ptr<QScrollBar> barre;

    void SetUp() override
    {
        ReinitialiserConfiguration();
        Commandes().Reinitialiser();
        PisteCourante = 1;
        ReinitialiserVuePartition();
        InstallerPeintresPartition({});
        CalculerLargeursTemps();
        Lignes(40);

        vue = std::make_unique<VuePartition>();
        vue->resize(806, 500);
        vue->DefinirHauteurClient([] { return 663; });
        barre = std::make_unique<QScrollBar>(Qt::Vertical);
        vue->AttacherBarreDefilement(barre.get());
        InstallerSurfacePartition(vue.get());
        DisposerBandes();
        RedessinerPartition();
    }
    void TearDown() override
    {
        vue.reset();
        barre.reset();
        ReinitialiserVuePartition();
        ReinitialiserPartition();
    }

    QImage Ecran()
    {
        QImage image(vue->size(), QImage::Format_RGB32);
        image.fill(Qt::magenta);
        vue->render(&image);
        return image;
    }
    // A string line crosses the middle of measure `m` at y, in black, with white between
    // the strings.
    static void VerifierPortee(const QImage& image, int y, int x)
    {
        for (int s = 0; s < 6; ++s) {
            EXPECT_EQ(image.pixel(x, y + 10 * s), qRgb(0, 0, 0)) << "string " << s + 1 << " at y " << y + 10 * s;
            EXPECT_EQ(image.pixel(x, y + 10 * s + 5), qRgb(255, 255, 255)) << "below string " << s + 1;
        }
    }
};

TEST_F(VuePartitionWidgetTest, AFullRefreshShowsTheFirstLinesAndSetsTheBar)
{
    EXPECT_EQ(&SurfacePartition(), vue.get());
    EXPECT_EQ(barre->minimum(), 0);
    EXPECT_EQ(barre->maximum(), 40 * 152 - 500);
    EXPECT_EQ(barre->pageStep(), 152);
    EXPECT_EQ(barre->singleStep(), 38);
    EXPECT_TRUE(barre->isEnabled());

    const QImage image = Ecran();
    VerifierPortee(image, 64, 300);
    VerifierPortee(image, 152 + 64, 300);
    VerifierPortee(image, 2 * 152 + 64, 300);
    // The left margin stays background; each line starts with its bar.
    EXPECT_EQ(image.pixel(10, 64), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(25, 64 + 25), qRgb(0, 0, 0));
    // Band pictures are at least their band's size.
    EXPECT_GE(vue->ImageBande(1).width(), 806);
    EXPECT_GE(vue->ImageBande(1).height(), 152);
    EXPECT_TRUE(vue->ImageBande(20).isNull()); // never used
}

TEST_F(VuePartitionWidgetTest, TheBarScrollsTheBandsAndAJumpShowsTheLastLines)
{
    barre->setValue(1000);
    EXPECT_EQ(AffichagePartition.Defilement.Position, 1000);
    QImage image = Ecran();
    VerifierPortee(image, 7 * 152 + 64 - 1000, 300); // line 8

    barre->setValue(barre->maximum());
    image = Ecran();
    VerifierPortee(image, 39 * 152 + 64 - barre->maximum(), 300); // line 40, at the bottom
    EXPECT_EQ(LignesAffichage.PremiereLigneVisible, 33);

    // The frame follows the current measure back to the top.
    Partition.MesureCourante = 2;
    PlacerCadreMesure();
    EXPECT_EQ(barre->value(), 152);
    image = Ecran();
    VerifierPortee(image, 64, 300);
    // The dotted grey frame around measure 2, from y 54.
    const TCadre& c = AffichagePartition.Selection;
    EXPECT_EQ(c.Haut, 54);
    int gris = 0;
    for (int x = c.Gauche; x < c.Gauche + c.Largeur; ++x)
        gris += image.pixel(x, c.Haut) == qRgb(128, 128, 128);
    EXPECT_GT(gris, c.Largeur / 4);
    EXPECT_LT(gris, c.Largeur);
}

TEST_F(VuePartitionWidgetTest, TheWheelScrollsAQuarterLinePerNotch)
{
    auto tourner = [this](int angle) {
        QWheelEvent roue(QPointF(100, 100), QPointF(100, 100), QPoint(), QPoint(0, angle), Qt::NoButton,
                         Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(vue.get(), &roue);
    };
    tourner(-120);
    EXPECT_EQ(barre->value(), 38);
    tourner(-240);
    EXPECT_EQ(barre->value(), 114);
    tourner(-60); // half a notch waits for the other half
    EXPECT_EQ(barre->value(), 114);
    tourner(-60);
    EXPECT_EQ(barre->value(), 152);
    tourner(120 * 10);
    EXPECT_EQ(barre->value(), 0);
}

TEST_F(VuePartitionWidgetTest, AClickReportsTheBandAndThePointInIt)
{
    barre->setValue(300);
    std::vector<std::tuple<int, int, int, Qt::MouseButton>> clics;
    QObject::connect(vue.get(), &VuePartition::BandeCliquee,
                     [&](int bande, int x, int y, Qt::MouseButton bouton, Qt::KeyboardModifiers) {
                         clics.emplace_back(bande, x, y, bouton);
                     });
    QMouseEvent clic(QEvent::MouseButtonPress, QPointF(200, 100), QPointF(200, 100), Qt::RightButton,
                     Qt::RightButton, Qt::NoModifier);
    QApplication::sendEvent(vue.get(), &clic);
    ASSERT_EQ(clics.size(), 1u);
    const auto [bande, x, y, bouton] = clics.front();
    // Panel y 100 at position 300 is y 400 of the song: line 3, 96 pixels into it.
    EXPECT_EQ(LigneDeBande(bande), 3);
    EXPECT_EQ(x, 200);
    EXPECT_EQ(y, 96);
    EXPECT_EQ(bouton, Qt::RightButton);
}

TEST_F(VuePartitionWidgetTest, PicturesGrowWithTheViewAndNeverShrink)
{
    vue->resize(1206, 500);
    DisposerBandes();
    RedessinerPartition();
    EXPECT_GE(vue->ImageBande(1).width(), 1206);
    VerifierPortee(Ecran(), 64, 1100);

    vue->resize(406, 300);
    DisposerBandes();
    RedessinerPartition();
    EXPECT_GE(vue->ImageBande(1).width(), 1206);
    const QImage image = Ecran();
    VerifierPortee(image, 64, 300);
    EXPECT_EQ(barre->maximum(), LignesAffichage.NbLignes * 152 - 300);
}

// A line below the song is the background alone: a band that showed a line of a longer song
// is painted over, and a band that never showed one gets no picture at all.
TEST_F(VuePartitionWidgetTest, LinesBelowTheSongShowTheBackground)
{
    const auto fondSeul = [](const QImage& image, int depuis) {
        for (int y = depuis; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (image.pixel(x, y) != qRgb(255, 255, 255))
                    return testing::AssertionFailure() << "not background at " << x << ", " << y;
        return testing::AssertionSuccess();
    };

    // The fixture's forty lines have painted the whole ring; a song of two lines follows.
    Lignes(2);
    RedessinerPartition();
    QImage image = Ecran();
    VerifierPortee(image, 64, 300);
    VerifierPortee(image, 152 + 64, 300);
    EXPECT_TRUE(fondSeul(image, 2 * 152));

    // A view that starts on the short song has pictures for its two lines only.
    VuePartition neuve;
    neuve.resize(806, 500);
    neuve.DefinirHauteurClient([] { return 663; });
    InstallerSurfacePartition(&neuve);
    DisposerBandes();
    RedessinerPartition();
    ASSERT_GT(LignesAffichage.NbBandes, 2);
    for (int ligne = 1; ligne <= LignesAffichage.NbBandes; ++ligne)
        EXPECT_EQ(neuve.ImageBande(CalculerBandeLigne(ligne)).isNull(), ligne > 2) << "line " << ligne;
    image = QImage(neuve.size(), QImage::Format_RGB32);
    neuve.render(&image);
    VerifierPortee(image, 64, 300);
    VerifierPortee(image, 152 + 64, 300);
    EXPECT_TRUE(fondSeul(image, 2 * 152));
    InstallerSurfacePartition(vue.get());
}

// A bar with nothing to scroll shows its handle over the whole groove whatever its steps: a new
// layout does not repaint it for them. It takes them once there is something to scroll.
TEST_F(VuePartitionWidgetTest, ABarWithNothingToScrollIsNotRepaintedForItsSteps)
{
    struct CompteurPeintures : QObject {
        int n = 0;
        bool eventFilter(QObject*, QEvent* e) override
        {
            n += e->type() == QEvent::Paint;
            return false;
        }
    } peintures;
    Lignes(1);
    QScrollBar seule(Qt::Vertical);
    seule.resize(17, 500);
    vue->AttacherBarreDefilement(&seule);
    DisposerBandes();
    RedessinerPartition();
    ASSERT_EQ(seule.minimum(), seule.maximum());
    seule.show();
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
    seule.installEventFilter(&peintures);

    AffichagePartition.Defilement.PetitPas = 7;
    AffichagePartition.Defilement.GrandPas = 30;
    vue->ActualiserAffichage();
    QCoreApplication::processEvents();
    EXPECT_EQ(peintures.n, 0);

    Lignes(40);
    DisposerBandes();
    RedessinerPartition();
    EXPECT_GT(seule.maximum(), seule.minimum());
    EXPECT_EQ(seule.singleStep(), 38);
    EXPECT_EQ(seule.pageStep(), 152);
    vue->AttacherBarreDefilement(barre.get());
}

TEST_F(VuePartitionWidgetTest, ADestroyedViewIsNoLongerTheScoreViewsWindow)
{
    vue.reset();
    EXPECT_EQ(dynamic_cast<VuePartition*>(&SurfacePartition()), nullptr);
    // The headless view goes on without a window.
    RedessinerPartition();
    DefinirPositionDefilement(500);
    EXPECT_EQ(SurfacePartition().CanevasBande(1), nullptr);
}

} // namespace

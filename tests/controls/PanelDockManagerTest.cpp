// The panel's docking manager: the grabber taken off a docked client, and its painting with and
// without captions, on a recording canvas and in pixels.
#include "controls/PanelDockManager.h"
#include "platform/CanevasEnregistreur.h"
#include "platform/qt/CanevasQt.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

using Op = platform::CanevasEnregistreur::Operation;

namespace {

bool Dans(platform::Point p, TRect r) { return p.x >= r.Left && p.x <= r.Right && p.y >= r.Top && p.y <= r.Bottom; }

} // namespace

TEST(PanelDockManager, GrabberSideFollowsTheSiteAlignment)
{
    const TRect zone{10, 20, 110, 220};
    struct Cas {
        TAlign align;
        TRect client;
        bool aGauche;
    };
    const Cas cas[] = {
        {alTop, {23, 20, 110, 220}, true},   {alBottom, {23, 20, 110, 220}, true},
        {alLeft, {10, 33, 110, 220}, false}, {alRight, {10, 33, 110, 220}, false},
        {alNone, {10, 33, 110, 220}, false}, {alClient, {10, 33, 110, 220}, false},
    };
    for (const Cas& c : cas) {
        const TCxPanelDockManager m(c.align, true);
        EXPECT_EQ(m.AdjustDockRect(zone), c.client) << int(c.align);
        EXPECT_EQ(m.Geometrie(zone).GrabberAGauche, c.aGauche) << int(c.align);
    }
}

TEST(PanelDockManager, CaptionBarCloseButtonAndTextPlaces)
{
    const TRect zone{10, 20, 110, 220};
    const GeometrieCadreDock haut = TCxPanelDockManager(alNone, true).Geometrie(zone);
    EXPECT_EQ(haut.Grabber, (TRect{10, 20, 110, 33}));
    EXPECT_EQ(haut.BoutonFermer, (TRect{96, 21, 109, 32}));
    EXPECT_EQ(haut.OrigineTexte, (platform::Point{12, 20}));
    EXPECT_EQ(haut.Angle, 0);
    const GeometrieCadreDock gauche = TCxPanelDockManager(alTop, true).Geometrie(zone);
    EXPECT_EQ(gauche.Grabber, (TRect{10, 20, 23, 220}));
    EXPECT_EQ(gauche.BoutonFermer, (TRect{11, 21, 22, 33}));
    EXPECT_EQ(gauche.OrigineTexte, (platform::Point{21, 217})); // 2 left of the bar's edge, 3 above its bottom
    EXPECT_EQ(gauche.Angle, 90);
}

TEST(PanelDockManager, PaintsTheCaptionBarThenTheButtonOverALongText)
{
    RetablirCouleursSysteme();
    const TRect zone{0, 0, 60, 80};
    {
        platform::CanevasEnregistreur c;
        TCxPanelDockManager(alNone, true).PaintDockFrame(c, "A very long caption for sixty pixels", zone);
        const auto& t = c.Traces();
        ASSERT_FALSE(t.empty());
        EXPECT_EQ(t[0].operation, Op::FillRect);
        EXPECT_EQ(t[0].points, (std::vector<platform::Point>{{0, 0}, {60, 13}}));
        EXPECT_EQ(t[0].brosse.couleur, CouleurDuSysteme(clActiveCaption));
        const auto textes = c.Traces(Op::Texte);
        ASSERT_EQ(textes.size(), 1u);
        EXPECT_EQ(textes[0].fonte.nom, "Arial");
        EXPECT_EQ(textes[0].fonte.taille, 8);
        EXPECT_EQ(textes[0].fonte.couleur, CouleurDuSysteme(clCaptionText));
        EXPECT_EQ(textes[0].points[0].x, 2);
        EXPECT_TRUE(textes[0].brosse.vide);
        // Everything after the text belongs to the close button, inside its rectangle.
        const TRect bouton{46, 1, 59, 12};
        bool apres = false;
        int dansBouton = 0;
        for (const auto& tr : t) {
            if (tr.operation == Op::Texte) {
                apres = true;
                continue;
            }
            if (!apres)
                continue;
            for (const auto& p : tr.points)
                EXPECT_TRUE(Dans(p, bouton)) << tr.Resume();
            ++dansBouton;
        }
        EXPECT_GT(dansBouton, 0);
    }
    {   // The left grabber's caption is turned; the canvas hands it to whoever can turn texts.
        platform::CanevasEnregistreur c;
        std::vector<std::tuple<int, int, int, std::string>> tournes;
        TCxPanelDockManager(alBottom, true)
            .PaintDockFrame(c, "Pistes", zone, [&](int x, int y, int angle, std::string_view texte) {
                tournes.emplace_back(x, y, angle, std::string(texte));
            });
        EXPECT_TRUE(c.Traces(Op::Texte).empty());
        ASSERT_EQ(tournes.size(), 1u);
        EXPECT_EQ(tournes[0], std::make_tuple(11, 77, 90, std::string("Pistes")));
        EXPECT_EQ(c.Traces()[0].points, (std::vector<platform::Point>{{0, 0}, {13, 80}}));
    }
}

TEST(PanelDockManager, WithoutCaptionsThePlatformGripAndButton)
{
    RetablirCouleursSysteme();
    const TRect zone{0, 0, 60, 40};
    QImage image(60, 40, QImage::Format_RGB32);
    image.fill(qRgb(1, 2, 3));
    {
        QPainter p(&image);
        platform::CanevasQt c(p);
        TCxPanelDockManager(alNone, false).PaintDockFrame(c, "ignored", zone);
    }
    const auto px = [&](int x, int y) {
        const QRgb v = image.pixel(x, y);
        return platform::Couleur(qRed(v), qGreen(v), qBlue(v));
    };
    // No caption bar: the zone's middle is untouched; two grip lines run along the top.
    EXPECT_EQ(px(20, 11), platform::Couleur(1, 2, 3));
    EXPECT_EQ(px(20, 3), CouleurDuSysteme(clBtnHighlight));
    EXPECT_EQ(px(20, 5), CouleurDuSysteme(clBtnShadow));
    EXPECT_EQ(px(20, 6), CouleurDuSysteme(clBtnHighlight));
    EXPECT_EQ(px(20, 8), CouleurDuSysteme(clBtnShadow));
    // The close button (48..59 x 1..12): raised edge, face, and the cross through its middle.
    EXPECT_EQ(px(48, 1), CouleurDuSysteme(clBtnHighlight));
    EXPECT_EQ(px(58, 11), CouleurDuSysteme(clBtnText));
    EXPECT_EQ(px(57, 10), CouleurDuSysteme(clBtnShadow));
    EXPECT_EQ(px(50, 9), CouleurDuSysteme(clBtnFace));
    EXPECT_EQ(px(53, 6), CouleurDuSysteme(clBtnText));
    EXPECT_EQ(px(54, 6), CouleurDuSysteme(clBtnText));
    // Nothing is written outside the grabber.
    for (int y = 14; y < 40; ++y)
        for (int x = 0; x < 60; ++x)
            ASSERT_EQ(px(x, y), platform::Couleur(1, 2, 3)) << x << "," << y;
}

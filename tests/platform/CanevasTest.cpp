#include "platform/Canevas.h"
#include "platform/CanevasEnregistreur.h"
#include "platform/Rasterisation.h"
#include "platform/qt/CanevasQt.h"

#include <QBuffer>
#include <QFontInfo>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

using namespace platform;

namespace {

// ---------------------------------------------------------------------------------------------
// Recording canvas

TEST(CanevasEnregistreur, LogsEachPrimitiveWithWhatItDrawsWith)
{
    CanevasEnregistreur c;
    c.SetStylo(clBlue);
    c.SetBrosse(clWhite);
    c.Rectangle(1, 2, 30, 40);
    c.SetBrosseVide();
    c.Ellipse(5, 6, 10, 12);
    c.SetStyloNul();
    c.FillRect(0, 0, 3, 4);
    c.SetStylo(Couleur(255, 0, 0), 2);
    c.Ligne(1, 1, 8, 1);
    c.LineTo(8, 9);
    c.Polyline({{0, 0}, {3, 3}, {6, 0}});
    c.SetBrosse(clBlue);
    c.Polygone({{0, 0}, {4, 0}, {2, 3}});
    c.Arc(0, 0, 10, 10, 10, 5, 0, 5);
    c.SetPixel(3, 4, clLime);
    StyleFonte f;
    f.nom = "Arial";
    f.taille = 8;
    f.gras = true;
    f.couleur = clNavy;
    c.SetFonte(f);
    c.TextOut(10, 20, "(12)");
    c.SetBrosseVide();
    c.SetStyleFonte(false, true);
    c.TextOut(0, 0, "x");

    EXPECT_EQ(c.Resume(),
              "Rectangle 1,2,30,40 pen #0000FF brush #FFFFFF\n"
              "Ellipse 5,6,10,12 pen #0000FF brush clear\n"
              "FillRect 0,0,3,4 brush clear\n"
              "Ligne 1,1,8,1 pen #FF0000/2\n"
              "Ligne 8,1,8,9 pen #FF0000/2\n"
              "Polyline 0,0 3,3 6,0 pen #FF0000/2\n"
              "Polygone 0,0 4,0 2,3 pen #FF0000/2 brush #0000FF\n"
              "Arc 0,0,10,10 10,5 0,5 pen #FF0000/2\n"
              "Pixel 3,4 #00FF00\n"
              "Texte 10,20 \"(12)\" font \"Arial\" 8 B #000080 brush #0000FF\n"
              "Texte 0,0 \"x\" font \"Arial\" 8 I #000080 brush clear\n");

    ASSERT_EQ(c.Traces(CanevasEnregistreur::Operation::Texte).size(), 2u);
    EXPECT_EQ(c.Traces(CanevasEnregistreur::Operation::Texte)[0].fonte, f);
    c.Effacer();
    EXPECT_TRUE(c.Traces().empty());
}

TEST(CanevasEnregistreur, FixedMetricsAndCurrentPosition)
{
    CanevasEnregistreur c;
    c.SetTailleFonte(10); // 13 pixels
    EXPECT_EQ(c.TextWidth("(22)"), 24);
    EXPECT_EQ(c.TextHeight("0"), 16);
    EXPECT_EQ(c.TextExtent(""), (Dimension{0, 16}));

    c.MoveTo(3, 4);
    c.Polyline({{0, 0}, {9, 9}});
    EXPECT_EQ(c.PositionStylo(), (Point{3, 4})); // a polyline leaves the position alone
    c.LineTo(7, 8);
    EXPECT_EQ(c.PositionStylo(), (Point{7, 8}));
    c.TextOut(10, 20, "abc");
    EXPECT_EQ(c.PositionStylo(), (Point{28, 20}));

    CanevasEnregistreur large(100, 50, 5, 0);
    EXPECT_EQ(large.Largeur(), 100);
    EXPECT_EQ(large.Hauteur(), 50);
    EXPECT_EQ(large.TextExtent("ab"), (Dimension{10, 11})); // default font: 8 points
}

// ---------------------------------------------------------------------------------------------
// Values

TEST(TaillePixelsFonte, RoundsAsThePlatformDid)
{
    struct { int points, ppp, pixels; } cas[] = {
        {5, 96, 7},   {6, 96, 8},   {7, 96, 9},    {8, 96, 11},  {9, 96, 12},   {10, 96, 13},
        {12, 96, 16}, {16, 96, 21}, {20, 96, 27},  {8, 600, 67}, {3, 96, 4},    {0, 96, 1},
        {-8, 96, 1},  {8, 72, 8},   {1, 108, 2},  // 1.5 goes up
    };
    for (auto c : cas)
        EXPECT_EQ(TaillePixelsFonte(c.points, c.ppp), c.pixels) << c.points << " pt at " << c.ppp;
}

TEST(Couleur, WindowsIntegerEncoding)
{
    EXPECT_EQ(clRed.Valeur(), 255);
    EXPECT_EQ(clLime.Valeur(), 65280);
    EXPECT_EQ(clBlue.Valeur(), 16711680);
    EXPECT_EQ(clWhite.Valeur(), 16777215);
    EXPECT_EQ(clGray.Valeur(), 8421504);
    EXPECT_EQ(Couleur::DeValeur(0x00123456), Couleur(0x56, 0x34, 0x12));
    EXPECT_EQ(Couleur::DeValeur(static_cast<int32_t>(0x80FF0000u)), clBlue); // flag byte ignored
    for (int32_t v : {0, 1, 255, 256, 65535, 191 * 65793, 16777215})
        EXPECT_EQ(Couleur::DeValeur(v).Valeur(), v);
}

// ---------------------------------------------------------------------------------------------
// Pixels shared by every canvas

std::set<std::pair<int, int>> Ensemble(const std::vector<Point>& pixels)
{
    std::set<std::pair<int, int>> e;
    for (Point p : pixels)
        e.insert({p.x, p.y});
    return e;
}

TEST(Rasterisation, EllipseOutlineTouchesItsBoxAndIsSymmetric)
{
    for (int w = 1; w <= 14; ++w)
        for (int h = 1; h <= 14; ++h) {
            std::vector<Point> contour;
            ContourEllipse(10, 20, 10 + w, 20 + h, contour);
            const auto e = Ensemble(contour);
            int xMin = 1000, xMax = -1000, yMin = 1000, yMax = -1000;
            for (auto [x, y] : e) {
                xMin = std::min(xMin, x);
                xMax = std::max(xMax, x);
                yMin = std::min(yMin, y);
                yMax = std::max(yMax, y);
                EXPECT_TRUE(e.count({2 * 10 + w - 1 - x, y})) << w << "x" << h << " mirror x of " << x << "," << y;
                EXPECT_TRUE(e.count({x, 2 * 20 + h - 1 - y})) << w << "x" << h << " mirror y of " << x << "," << y;
            }
            EXPECT_EQ(xMin, 10) << w << "x" << h;
            EXPECT_EQ(xMax, 10 + w - 1) << w << "x" << h;
            EXPECT_EQ(yMin, 20) << w << "x" << h;
            EXPECT_EQ(yMax, 20 + h - 1) << w << "x" << h;
            EXPECT_EQ(e.size(), contour.size()) << "each pixel once";
        }
}

TEST(Rasterisation, LinePixelsDoNotDependOnTheDirection)
{
    const Cadre tout{-100, -100, 100, 100};
    const Point a{0, 0};
    for (int dx = -9; dx <= 9; ++dx)
        for (int dy = -9; dy <= 9; ++dy) {
            if (dx == 0 && dy == 0)
                continue;
            const Point b{dx, dy};
            std::vector<Point> aller, retour;
            PixelsLigne(a, b, tout, aller);
            PixelsLigne(b, a, tout, retour);
            ASSERT_EQ(static_cast<int>(aller.size()), std::max(std::abs(dx), std::abs(dy)));
            EXPECT_EQ(aller.front(), a);
            auto e1 = Ensemble(aller);
            auto e2 = Ensemble(retour);
            EXPECT_FALSE(e1.count({b.x, b.y}));
            e1.insert({b.x, b.y});
            e2.insert({a.x, a.y});
            EXPECT_EQ(e1, e2) << "to " << dx << "," << dy;
        }
}

TEST(Rasterisation, FrameCutsALineWithoutMovingIt)
{
    std::vector<Point> entiere, coupee;
    PixelsLigne({-50, -7}, {80, 30}, Cadre{-100, -100, 100, 100}, entiere);
    PixelsLigne({-50, -7}, {80, 30}, Cadre{0, 0, 40, 20}, coupee);
    std::vector<Point> attendue;
    for (Point p : entiere)
        if (p.x >= 0 && p.x < 40 && p.y >= 0 && p.y < 20)
            attendue.push_back(p);
    EXPECT_EQ(coupee, attendue);
    EXPECT_FALSE(coupee.empty());
}

// ---------------------------------------------------------------------------------------------
// The Qt canvas on an image

// One letter per colour in the pictures of the tests.
char Lettre(QRgb p)
{
    switch (p & 0xFFFFFF) {
    case 0xFFFFFF: return '.';
    case 0x000000: return '#';
    case 0xFF0000: return 'r';
    case 0x0000FF: return 'b';
    case 0xFFFF00: return 'y';
    case 0x808080: return 'g';
    default: return '?';
    }
}

class CanevasQtTest : public ::testing::Test {
protected:
    void SetUp() override { Ouvrir(60, 40); }
    void TearDown() override { Fermer(); }

    void Ouvrir(int largeur, int hauteur, int ppp = 96)
    {
        Fermer();
        image = QImage(largeur, hauteur, QImage::Format_RGB32);
        image.fill(Qt::white);
        peintre = std::make_unique<QPainter>(&image);
        canevas = std::make_unique<CanevasQt>(*peintre, ppp);
    }
    void Fermer()
    {
        canevas.reset();
        if (peintre)
            peintre->end();
        peintre.reset();
    }
    // Reading the image ends the painter; both helpers then go on with a fresh canvas, in the
    // default state (pen, brush, font).
    //
    // The rows y1..y2 - 1 of columns x1..x2 - 1, one line per row.
    std::string Dessin(int x1, int y1, int x2, int y2)
    {
        peintre->end(); // nothing is pending afterwards
        std::string s;
        for (int y = y1; y < y2; ++y) {
            for (int x = x1; x < x2; ++x)
                s += Lettre(image.pixel(x, y));
            s += '\n';
        }
        peintre->begin(&image);
        canevas = std::make_unique<CanevasQt>(*peintre);
        return s;
    }
    // The pixels drawn since the last reading; the image is white again afterwards.
    std::set<std::pair<int, int>> Allumes()
    {
        peintre->end();
        std::set<std::pair<int, int>> e;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if ((image.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF)
                    e.insert({x, y});
        image.fill(Qt::white);
        peintre->begin(&image);
        canevas = std::make_unique<CanevasQt>(*peintre);
        return e;
    }

    QImage image;
    std::unique_ptr<QPainter> peintre;
    std::unique_ptr<CanevasQt> canevas;
};

TEST_F(CanevasQtTest, RectangleCoversItsAreaWithoutRightAndBottomEdges)
{
    canevas->SetStylo(clBlack);
    canevas->SetBrosse(clRed);
    canevas->Rectangle(1, 1, 7, 5);
    canevas->Rectangle(16, 5, 10, 1); // corners in any order
    canevas->SetBrosseVide();
    canevas->Rectangle(19, 1, 24, 5);
    canevas->SetStyloNul();
    canevas->SetBrosse(clBlue);
    canevas->Rectangle(26, 1, 31, 5); // no pen: one row and column less
    canevas->FillRect(33, 1, 36, 5);
    canevas->SetStylo(clBlack);
    canevas->Rectangle(38, 1, 38, 5); // empty
    canevas->Rectangle(40, 1, 41, 5); // one column: all outline
    EXPECT_EQ(Dessin(0, 0, 43, 6),
              "...........................................\n"
              ".######...######...#####..bbbb...bbb....#..\n"
              ".#rrrr#...#rrrr#...#...#..bbbb...bbb....#..\n"
              ".#rrrr#...#rrrr#...#...#..bbbb...bbb....#..\n"
              ".######...######...#####.........bbb....#..\n"
              "...........................................\n");
}

TEST_F(CanevasQtTest, LinesLeaveOutTheirEndPixelInEveryDirection)
{
    // From the centre to 16 points around it: the start is lit, the end is not, and the line
    // lights max(|dx|, |dy|) pixels, all inside the box of its two ends.
    const Point centre{30, 20};
    const Point vers[] = {{36, 20}, {36, 23}, {36, 26}, {33, 26}, {30, 26}, {27, 26}, {24, 26}, {24, 23},
                          {24, 20}, {24, 17}, {24, 14}, {27, 14}, {30, 14}, {33, 14}, {36, 14}, {36, 17}};
    canevas->SetStylo(clBlack);
    for (Point fin : vers) {
        canevas->Ligne(centre.x, centre.y, fin.x, fin.y);
        const auto e = Allumes();
        SCOPED_TRACE(std::to_string(fin.x) + "," + std::to_string(fin.y));
        EXPECT_TRUE(e.count({centre.x, centre.y}));
        EXPECT_FALSE(e.count({fin.x, fin.y}));
        EXPECT_EQ(static_cast<int>(e.size()), std::max(std::abs(fin.x - centre.x), std::abs(fin.y - centre.y)));
        for (auto [x, y] : e) {
            EXPECT_GE(x, std::min(centre.x, fin.x));
            EXPECT_LE(x, std::max(centre.x, fin.x));
            EXPECT_GE(y, std::min(centre.y, fin.y));
            EXPECT_LE(y, std::max(centre.y, fin.y));
        }
    }
    // Towards the top-left Qt's own lines drop the start instead of the end.
    canevas->Ligne(30, 10, 25, 4);
    const auto e = Allumes();
    EXPECT_TRUE(e.count({30, 10}));
    EXPECT_FALSE(e.count({25, 4}));
}

TEST_F(CanevasQtTest, PathsLightEveryVertexButTheLast)
{
    canevas->SetStylo(clBlack);
    canevas->MoveTo(1, 1);
    canevas->LineTo(5, 1);
    canevas->LineTo(5, 4);
    canevas->LineTo(1, 4);
    canevas->Polyline({{8, 1}, {12, 1}, {12, 4}});
    canevas->Ligne(14, 2, 14, 2); // no length: nothing
    EXPECT_EQ(Dessin(0, 0, 16, 6),
              "................\n"
              ".#####..#####...\n"
              ".....#......#...\n"
              ".....#......#...\n"
              "..####..........\n"
              "................\n");
}

TEST_F(CanevasQtTest, WidePensAreCentredAndKeepTheirEnds)
{
    canevas->SetStylo(clBlack, 2);
    canevas->Ligne(2, 3, 8, 3);
    canevas->Ligne(12, 1, 12, 5);
    // Each end is covered by a round cap one pixel wide: the rows above and left of the line's
    // points, and their own.
    EXPECT_EQ(Dessin(0, 0, 14, 7),
              "...........##.\n"
              "...........##.\n"
              ".########..##.\n"
              ".########..##.\n"
              "...........##.\n"
              "...........##.\n"
              "..............\n");
}

TEST_F(CanevasQtTest, EllipseStaysInsideItsBox)
{
    canevas->SetStylo(clBlack);
    canevas->SetBrosse(clRed);
    canevas->Ellipse(1, 1, 6, 6);
    canevas->SetBrosseVide();
    canevas->Ellipse(8, 1, 17, 6);
    canevas->SetStyloNul();
    canevas->SetBrosse(clBlue);
    canevas->Ellipse(19, 1, 25, 7); // no pen: as a 5 x 5 box
    EXPECT_EQ(Dessin(0, 0, 26, 8),
              "..........................\n"
              "..###.....#####.....bbb...\n"
              ".#rrr#...#.....#...bbbbb..\n"
              ".#rrr#..#.......#..bbbbb..\n"
              ".#rrr#...#.....#...bbbbb..\n"
              "..###.....#####.....bbb...\n"
              "..........................\n"
              "..........................\n");
}

TEST_F(CanevasQtTest, ArcsRunCounterClockwiseAndLeaveOutTheirEnd)
{
    // A circle in the box (10, 10, 31, 31), centre (20, 20): from the right to the left it is
    // the upper half, from the left to the right the lower half.
    canevas->SetStylo(clBlack);
    canevas->Arc(10, 10, 31, 31, 40, 20, 0, 20);
    auto haut = Allumes();
    canevas->Arc(10, 10, 31, 31, 0, 20, 40, 20);
    auto bas = Allumes();
    ASSERT_FALSE(haut.empty());
    ASSERT_FALSE(bas.empty());
    for (auto [x, y] : haut)
        EXPECT_LE(y, 20) << x << "," << y;
    for (auto [x, y] : bas)
        EXPECT_GE(y, 20) << x << "," << y;
    EXPECT_TRUE(haut.count({20, 10}));
    EXPECT_TRUE(bas.count({20, 30}));
    EXPECT_TRUE(haut.count({30, 20})); // start lit
    EXPECT_FALSE(haut.count({10, 20})); // end left out
    EXPECT_TRUE(bas.count({10, 20}));
    EXPECT_FALSE(bas.count({30, 20}));

    // Start and end on one ray: the whole circle, as Ellipse draws it with a clear brush.
    canevas->Arc(10, 10, 31, 31, 40, 25, 40, 25);
    const auto tout = Allumes();
    canevas->SetBrosseVide();
    canevas->Ellipse(10, 10, 31, 31);
    EXPECT_EQ(tout, Allumes());
}

TEST_F(CanevasQtTest, TieArcOfTheScoreNeedsItsEndPixelAdded)
{
    // The score's tie: the lower half of the box (x9, y - 6, x8 + 1, y + 6) from (x9, y) to
    // (x8 + 1, y); the arc stops short of (x8, y), which the tie painter adds itself.
    const int x9 = 5, x8 = 40, y = 20;
    canevas->SetStylo(clBlack);
    canevas->Arc(x9, y - 6, x8 + 1, y + 6, x9, y, x8 + 1, y);
    const auto e = Allumes();
    EXPECT_TRUE(e.count({x9, y}));
    EXPECT_FALSE(e.count({x8, y}));
    EXPECT_TRUE(e.count({(x9 + x8) / 2, y + 5})); // the bottom of the box
    for (auto [x, yy] : e)
        EXPECT_GE(yy, y);
}

TEST_F(CanevasQtTest, PolygonFillsWithTheBrushAndOutlinesWithThePen)
{
    canevas->SetStylo(clBlack);
    canevas->SetBrosse(clRed);
    canevas->Polygone({{1, 1}, {7, 1}, {7, 5}, {1, 5}});
    canevas->SetStyloNul();
    canevas->Polygone({{10, 1}, {16, 1}, {16, 5}, {10, 5}}); // right and bottom edges not filled
    canevas->SetStylo(clBlue);
    canevas->SetBrosseVide();
    canevas->Polygone({{19, 1}, {23, 5}, {19, 5}});
    EXPECT_EQ(Dessin(0, 0, 25, 7),
              ".........................\n"
              ".#######..rrrrrr...b.....\n"
              ".#rrrrr#..rrrrrr...bb....\n"
              ".#rrrrr#..rrrrrr...b.b...\n"
              ".#rrrrr#..rrrrrr...b..b..\n"
              ".#######...........bbbbb.\n"
              ".........................\n");
}

TEST_F(CanevasQtTest, SetPixelAndColoursAreExact)
{
    canevas->SetPixel(3, 2, Couleur(1, 2, 3));
    canevas->SetPixel(0, 0, clGray);
    canevas->SetPixel(-1, 5, clBlack); // off the image: ignored
    peintre->end();
    EXPECT_EQ(image.pixel(3, 2) & 0xFFFFFF, 0x010203u);
    EXPECT_EQ(image.pixel(0, 0) & 0xFFFFFF, 0x808080u);
    peintre->begin(&image);
}

// ---------------------------------------------------------------------------------------------
// Texts

TEST(CanevasQtFontes, WindowsFacesAreReplacedByMetricCompatibleOnes)
{
    struct { const char* nom; const char* famille; } cas[] = {
        {"MS Sans Serif", "Liberation Sans"},
        {"Arial", "Liberation Sans"},
        {"arial", "Liberation Sans"},
        {"Small Fonts", "Liberation Sans Narrow"},
        {"Liberation Serif", "Liberation Serif"},
    };
    for (auto c : cas) {
        StyleFonte style;
        style.nom = c.nom;
        EXPECT_EQ(CanevasQt::FamilleSubstituee(c.nom).toStdString(), c.famille) << c.nom;
        EXPECT_EQ(QFontInfo(CanevasQt::QFontDe(style)).family().toStdString(), c.famille) << c.nom;
    }
    StyleFonte style;
    for (auto [points, pixels] : {std::pair{5, 7}, {8, 11}, {10, 13}, {12, 16}}) {
        style.taille = points;
        const QFont f = CanevasQt::QFontDe(style);
        EXPECT_EQ(f.pixelSize(), pixels);
        EXPECT_EQ(QFontInfo(f).pixelSize(), pixels);
        EXPECT_FALSE(f.kerning());
        EXPECT_TRUE(f.styleStrategy() & QFont::NoAntialias);
    }
}

TEST_F(CanevasQtTest, MetricsTheLayoutsRelyOn)
{
    // The edit zone's half cell is Round(TextWidth("(22)") / 2) + 2 in "MS Sans Serif" 10:
    // 14 with Liberation Sans, as with the original font.
    StyleFonte f;
    f.nom = "MS Sans Serif";
    f.taille = 10;
    canevas->SetFonte(f);
    EXPECT_EQ(canevas->TextWidth("(22)"), 23);
    EXPECT_EQ(canevas->TextHeight("0"), 15);
    canevas->SetTailleFonte(8);
    EXPECT_EQ(canevas->TextExtent("(22)"), (Dimension{20, 12}));
    EXPECT_EQ(canevas->TextWidth("0"), 6);
    canevas->SetStyleFonte(true, false);
    EXPECT_EQ(canevas->TextWidth("(22)"), 20); // bold digits and brackets advance as regular
    EXPECT_EQ(canevas->TextWidth(""), 0);
    EXPECT_EQ(canevas->TextHeight(""), 12);

    // Switching fonts back and forth gives each its own metrics.
    const int etroite = [&] {
        canevas->SetNomFonte("Small Fonts");
        return canevas->TextWidth("WWWW");
    }();
    canevas->SetNomFonte("Arial");
    EXPECT_GT(canevas->TextWidth("WWWW"), etroite);
    canevas->SetNomFonte("Small Fonts");
    EXPECT_EQ(canevas->TextWidth("WWWW"), etroite);
    canevas->SetCouleurFonte(clRed);
    EXPECT_EQ(canevas->TextWidth("WWWW"), etroite);

    // A printer's resolution sizes the same font larger.
    Ouvrir(60, 40, 600);
    canevas->SetFonte(f);
    EXPECT_EQ(canevas->PixelsParPouce(), 600);
    EXPECT_GT(canevas->TextHeight("0"), 80);
}

TEST_F(CanevasQtTest, TextIsPlacedByTheTopLeftOfItsCell)
{
    Ouvrir(80, 40);
    StyleFonte f;
    f.nom = "Arial";
    f.taille = 10;
    f.couleur = clBlue;
    canevas->SetFonte(f);
    canevas->SetBrosseVide();
    const Dimension d = canevas->TextExtent("Hg|");
    canevas->TextOut(10, 12, "Hg|");
    EXPECT_EQ(canevas->PositionStylo(), (Point{10 + d.cx, 12}));
    const auto e = Allumes();
    ASSERT_FALSE(e.empty());
    int yMin = 1000, yMax = -1000;
    for (auto [x, y] : e) {
        EXPECT_GE(x, 10);
        EXPECT_LT(x, 10 + d.cx);
        yMin = std::min(yMin, y);
        yMax = std::max(yMax, y);
    }
    // "H" and "|" start a few rows below the top of the cell, "g" ends near its bottom.
    EXPECT_GE(yMin, 12);
    EXPECT_LE(yMin, 12 + 4);
    EXPECT_LT(yMax, 12 + d.cy);
    EXPECT_GE(yMax, 12 + d.cy - 3);

    // The very pixels of Qt's own text drawn on the baseline y + ascent.
    canevas->SetFonte(f);
    canevas->SetBrosseVide();
    canevas->TextOut(10, 12, "Hg|");
    peintre->end();
    QImage reference(image.size(), image.format());
    reference.fill(Qt::white);
    {
        QPainter p(&reference);
        p.setRenderHint(QPainter::TextAntialiasing, false);
        const QFont qf = CanevasQt::QFontDe(f);
        p.setFont(qf);
        p.setPen(Qt::blue);
        p.drawText(QPoint(10, 12 + QFontMetrics(qf).ascent()), QStringLiteral("Hg|"));
    }
    EXPECT_TRUE(image == reference);
    peintre->begin(&image);
}

TEST_F(CanevasQtTest, SolidBrushWritesOpaqueCellsClearBrushTransparentOnes)
{
    Ouvrir(80, 40);
    canevas->SetBrosse(clGray);
    canevas->SetStyloNul();
    canevas->FillRect(0, 0, 80, 40);
    StyleFonte f;
    f.nom = "Arial";
    f.taille = 10;
    f.couleur = clBlack;
    canevas->SetFonte(f);
    canevas->SetBrosse(clYellow);
    canevas->TextOut(2, 2, "A8");
    canevas->SetBrosseVide();
    canevas->TextOut(40, 2, "A8");
    const Dimension d = canevas->TextExtent("A8");
    peintre->end();
    // Every pixel of a cell is the text colour or the background: no antialiasing shades.
    int texteOpaque = 0, texteTransparent = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 80; ++x) {
            const char l = Lettre(image.pixel(x, y));
            const bool dansOpaque = x >= 2 && x < 2 + d.cx && y >= 2 && y < 2 + d.cy;
            const bool dansTransparent = x >= 40 && x < 40 + d.cx && y >= 2 && y < 2 + d.cy;
            if (dansOpaque) {
                EXPECT_TRUE(l == 'y' || l == '#') << x << "," << y << " " << l;
                texteOpaque += l == '#';
            } else if (dansTransparent) {
                EXPECT_TRUE(l == 'g' || l == '#') << x << "," << y << " " << l;
                texteTransparent += l == '#';
            } else {
                EXPECT_EQ(l, 'g') << x << "," << y;
            }
        }
    EXPECT_GT(texteOpaque, 10);
    EXPECT_EQ(texteOpaque, texteTransparent); // the same glyphs either way
    peintre->begin(&image);
}

TEST_F(CanevasQtTest, TextsAreWindows1252)
{
    Ouvrir(80, 40);
    StyleFonte f;
    f.nom = "Arial";
    f.taille = 10;
    canevas->SetFonte(f);
    // e acute is one byte here; drawn as UTF-8 it would be two unknown characters.
    EXPECT_EQ(canevas->TextWidth("\xe9"), canevas->TextWidth("e"));
    EXPECT_GT(canevas->TextWidth("\x80"), 0); // the euro sign
}

TEST(CanevasQtImpression, DrawsOnAVectorDeviceAtItsResolution)
{
    // The print job hands the canvas a painter on a printer; a PDF writer is the same kind of
    // device: no pixels to read back, every primitive must still go through.
    QBuffer sortie;
    sortie.open(QIODevice::WriteOnly);
    QPdfWriter pdf(&sortie);
    pdf.setResolution(600);
    QPainter peintre(&pdf);
    CanevasQt c(peintre, pdf.logicalDpiY());
    EXPECT_EQ(c.PixelsParPouce(), 600);
    EXPECT_GT(c.Largeur(), 4000);
    StyleFonte f;
    f.nom = "Arial";
    f.taille = 8;
    c.SetFonte(f);
    EXPECT_GT(c.TextHeight("0"), 60); // 67 pixels high at 600 per inch
    c.SetStylo(clBlack, 4);
    c.SetBrosse(clRed);
    c.Rectangle(100, 100, 600, 400);
    c.Ellipse(700, 100, 900, 300);
    c.Arc(1000, 100, 1400, 400, 1400, 250, 1000, 250);
    c.Ligne(100, 500, 1500, 700);
    c.Polygone({{100, 800}, {300, 1000}, {100, 1000}});
    c.SetStylo(clBlack);
    c.Ligne(100, 1100, 1500, 1300);
    c.SetPixel(5, 5, clBlue);
    c.TextOut(100, 1400, "Lyrandaxis \xe9t\xe9");
    peintre.end();
    EXPECT_GT(sortie.data().size(), 1000);
}

} // namespace

// The chord dialog's large diagram as it is painted (grid, nut, marks, barres, base fret,
// note names), which cell a mouse position means, the fret toggling with its barres, moving
// a shape, and the strip's geometry and framing.
#include "dialogs/DiagrammeAccord.h"

#include "platform/CanevasEnregistreur.h"

#include <gtest/gtest.h>

#include <QImage>

#include <algorithm>
#include <string>
#include <vector>

namespace {

using platform::CanevasEnregistreur;
using Op = CanevasEnregistreur::Operation;

const OneBased<int32_t, kNbCordesMax> kStandard{0, 64, 59, 55, 50, 45, 40};

std::array<int32_t, 7> Frettes6a1(std::initializer_list<int32_t> f)
{
    std::array<int32_t, 7> r{0, -1, -1, -1, -1, -1, -1};
    int s = 6;
    for (int32_t v : f)
        r[s--] = v;
    return r;
}

std::vector<std::string> Resumes(const CanevasEnregistreur& c, Op op)
{
    std::vector<std::string> r;
    for (const auto& t : c.Traces(op))
        r.push_back(t.Resume());
    return r;
}

bool Contient(const std::vector<std::string>& v, const std::string& s) { return std::ranges::find(v, s) != v.end(); }

TEST(DiagrammeAccord, PeintureDUnDoMajeur)
{
    TAccord a;
    a.Frettes = Frettes6a1({-1, 3, 2, 0, 1, 0});
    CanevasEnregistreur c(141, 160);
    PeindreDiagrammeAccord(c, a, kStandard, TGeometrieDiagramme{});
    const auto lignes = Resumes(c, Op::Ligne);
    // Six frets, six strings, and the nut 5 pixels above the grid.
    EXPECT_TRUE(Contient(lignes, "Ligne 24,33,125,33 pen #000000"));
    EXPECT_TRUE(Contient(lignes, "Ligne 24,133,125,133 pen #000000"));
    EXPECT_TRUE(Contient(lignes, "Ligne 124,33,124,134 pen #000000"));
    EXPECT_TRUE(Contient(lignes, "Ligne 24,28,125,28 pen #000000"));
    // The cross of string 6 (x = 24), moved up with the nut.
    EXPECT_TRUE(Contient(lignes, "Ligne 18,10,31,23 pen #000000"));
    EXPECT_TRUE(Contient(lignes, "Ligne 18,22,31,9 pen #000000"));
    const auto ellipses = Resumes(c, Op::Ellipse);
    // Fret 3 on string 5 (x = 44), open string 1 (x = 124).
    EXPECT_TRUE(Contient(ellipses, "Ellipse 37,76,52,91 pen #000000 brush #000000"));
    EXPECT_TRUE(Contient(ellipses, "Ellipse 117,9,132,24 pen #000000 brush #FFFFFF"));
    const auto textes = c.Traces(Op::Texte);
    ASSERT_EQ(textes.size(), 6u) << "the base fret and five note names";
    EXPECT_EQ(textes[0].texte, "1");
    EXPECT_EQ(textes[0].points[0].x, 24 - 8 - 6);
    EXPECT_EQ(textes[0].points[0].y, 37);
    EXPECT_TRUE(textes[0].fonte.gras);
    std::vector<std::string> notes;
    for (std::size_t i = 1; i < textes.size(); ++i) {
        notes.push_back(textes[i].texte);
        EXPECT_EQ(textes[i].points[0].y, 33 + 105);
    }
    EXPECT_EQ(notes, (std::vector<std::string>{"E", "C", "G", "E", "C"})) << "strings 1 to 5";
}

TEST(DiagrammeAccord, BaseEtBarres)
{
    TAccord a;
    a.Diese = false;
    a.FretteBase = 5;
    a.Frettes = Frettes6a1({5, 7, 7, 6, 5, 5});
    RecalculerBarres(a);
    ASSERT_EQ(a.NbBarres, 1);
    CanevasEnregistreur c(141, 160);
    PeindreDiagrammeAccord(c, a, kStandard, TGeometrieDiagramme{});
    EXPECT_FALSE(Contient(Resumes(c, Op::Ligne), "Ligne 24,28,125,28 pen #000000")) << "no nut";
    // The barre on the first row, from string 6 to string 1, round at both ends.
    EXPECT_TRUE(Contient(Resumes(c, Op::Rectangle), "Rectangle 24,36,124,51 pen #000000 brush #000000"));
    const auto ellipses = Resumes(c, Op::Ellipse);
    EXPECT_TRUE(Contient(ellipses, "Ellipse 17,36,32,51 pen #000000 brush #000000"));
    EXPECT_TRUE(Contient(ellipses, "Ellipse 117,36,132,51 pen #000000 brush #000000"));
    const auto textes = c.Traces(Op::Texte);
    ASSERT_FALSE(textes.empty());
    EXPECT_EQ(textes[0].texte, "5");
    EXPECT_EQ(textes[3].texte, "Db") << "string 3 at fret 6, with flats";
}

TEST(DiagrammeAccord, CaseSousLaSouris)
{
    const TGeometrieDiagramme g;
    const struct {
        int x, y;
        bool deplacement;
        int corde, rangee; // 0: outside
    } cas[] = {
        {24, 43, false, 6, 1},      // on string 6, first fret row
        {124, 123, false, 1, 5},    // string 1, fifth row
        {104, 23, false, 2, 0},     // above the grid: open
        {10, 43, false, 6, 1},      // left edge of the area
        {9, 43, false, 0, 0},       // left of it
        {130, 43, false, 1, 1},     // right edge for a press
        {131, 43, false, 0, 0},
        {134, 43, true, 1, 1},      // a drag reaches further right
        {60, 3, false, 4, 0},       // top edge
        {60, 2, false, 0, 0},
        {60, 143, false, 4, 5},     // bottom edge
        {60, 144, false, 0, 0},
        {30, 43, false, 6, 1},      // half-way rounds to the even neighbour: string 6
        {50, 43, false, 4, 1},      // and there to string 4
    };
    for (const auto& c : cas) {
        const auto r = CaseDiagramme(c.x, c.y, g, c.deplacement);
        if (c.corde == 0) {
            EXPECT_FALSE(r) << c.x << "," << c.y;
            continue;
        }
        ASSERT_TRUE(r) << c.x << "," << c.y;
        EXPECT_EQ(r->Corde, c.corde) << c.x << "," << c.y;
        EXPECT_EQ(r->Rangee, c.rangee) << c.x << "," << c.y;
    }
    EXPECT_EQ(FretteCase({3, 0}, 7), 0);
    EXPECT_EQ(FretteCase({3, 1}, 7), 7);
    EXPECT_EQ(FretteCase({3, 5}, 7), 11);

    // The geometry follows the screen's scale.
    TGeometrieDiagramme double_;
    double_.Echelle = 2.0;
    const auto r = CaseDiagramme(double_.XCorde(3), double_.Y0() + double_.L(30), double_, false);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->Corde, 3);
    EXPECT_EQ(r->Rangee, 2);
}

TEST(DiagrammeAccord, BasculerEtDeplacer)
{
    TAccord a;
    a.Frettes = Frettes6a1({-1, 3, 3, 3, 3, -1});
    BasculerFrette(a, 1, 3);
    EXPECT_EQ(a.Frettes[1], 3);
    ASSERT_EQ(a.NbBarres, 1);
    EXPECT_EQ(a.BarreCordeFin[1], 5);
    BasculerFrette(a, 1, 3);
    EXPECT_EQ(a.Frettes[1], -1) << "the fret it had: not played";
    BasculerFrette(a, 4, 3);
    EXPECT_EQ(a.Frettes[4], -1);
    EXPECT_EQ(a.NbBarres, 0) << "three fretted strings make no barre";

    TAccord f;
    f.FretteBase = 3;
    f.Frettes = Frettes6a1({3, 5, 5, 4, 3, 3});
    RecalculerBarres(f);
    ASSERT_EQ(f.NbBarres, 1);
    DeplacerForme(f, 5);
    EXPECT_EQ(f.FretteBase, 5);
    EXPECT_EQ(f.Frettes, Frettes6a1({5, 7, 7, 6, 5, 5}));
    EXPECT_EQ(f.BarreFrette[1], 5);
    DeplacerForme(f, 1);
    EXPECT_EQ(f.Frettes, Frettes6a1({1, 3, 3, 2, 1, 1}));
}

TEST(DiagrammeAccord, BandeDesDoigtes)
{
    EXPECT_EQ(ColonnesBande(342), 8);
    EXPECT_EQ(ColonnesBande(20), 1);
    EXPECT_EQ(PositionVignette(0, 8), (platform::Point{15, 10}));
    EXPECT_EQ(PositionVignette(9, 8), (platform::Point{56, 47}));
    EXPECT_EQ(VignetteSousPoint(0, 0, 8), 1);
    EXPECT_EQ(VignetteSousPoint(60, 45, 8), 10);
    EXPECT_EQ(VignetteSousPoint(900, 45, 8), 16) << "clamped to the last column";
    // 300 fingerings: 38 rows, but the image stops at 800 pixels (21 full rows).
    EXPECT_EQ(HauteurDefilementBande(300, 8, 160, 800), 800);
    EXPECT_EQ(HauteurDefilementBande(9, 8, 60, 800), 77);
    EXPECT_EQ(HauteurDefilementBande(1, 8, 160, 800), 160);
    EXPECT_EQ(DefilementVersVignette(10, 0), 0);
    EXPECT_EQ(DefilementVersVignette(158, 0), 37);
    EXPECT_EQ(DefilementVersVignette(47, 200), 37);

    QImage image(60, 60, QImage::Format_RGB32);
    image.fill(Qt::white);
    image.setPixel(20, 20, qRgb(0, 0, 0));
    const QImage avant = image;
    InverserRectangle(image, 15, 10, 41, 36, Qt::yellow);
    EXPECT_EQ(image.pixel(15, 10), qRgb(255, 255, 0)) << "yellow over white";
    EXPECT_EQ(image.pixel(41, 36), qRgb(255, 255, 255)) << "right and bottom edges left out";
    InverserRectangle(image, 15, 10, 41, 36, Qt::yellow);
    EXPECT_EQ(image, avant) << "twice gives the picture back";
}

} // namespace

// The speed button: glyph count, press cycle, groups, auto-repeat, layout of glyph and caption,
// the shared state images and the faces it paints.
#include "controls/Cadres.h"
#include "controls/KxSpeedButton.h"

#include <QApplication>
#include <QMouseEvent>

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

void Souris(QWidget* w, QEvent::Type type, QPoint p, Qt::MouseButtons tenus = Qt::LeftButton)
{
    QMouseEvent e(type, QPointF(p), w->mapToGlobal(QPointF(p)), Qt::LeftButton, tenus, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

void Cliquer(QWidget* w, QPoint appui = {5, 5}, QPoint relache = {5, 5})
{
    Souris(w, QEvent::MouseButtonPress, appui);
    if (relache != appui)
        Souris(w, QEvent::MouseMove, relache);
    Souris(w, QEvent::MouseButtonRelease, relache, Qt::NoButton);
}

struct MinuterieFactice : IMinuterieRepetition {
    std::vector<std::string>* journal;
    explicit MinuterieFactice(std::vector<std::string>* j) : journal(j) {}
    void Demarrer(int ms) override { journal->push_back("start " + std::to_string(ms)); }
    void SetIntervalle(int ms) override { journal->push_back("interval " + std::to_string(ms)); }
    void Arreter() override { journal->push_back("stop"); }
};

QImage Uni(int l, int h, QColor c)
{
    QImage image(l, h, QImage::Format_RGB32);
    image.fill(c);
    return image;
}

// A glyph of one colour on a magenta corner: the bottom-left pixel gives the transparent colour.
QImage Glyphe(int l, int h, QColor c)
{
    QImage image = Uni(l, h, c);
    image.setPixel(0, h - 1, qRgb(255, 0, 255));
    return image;
}

class SpeedButton : public ::testing::Test {
protected:
    void SetUp() override
    {
        // The first button of the process takes the palette's colours; the pixel checks use
        // the classic ones.
        { TKxSpeedButton premier; }
        RetablirCouleursSysteme();
    }
    void TearDown() override { TKxSpeedButton::InstallerFabriqueMinuterie(nullptr); }
};

} // namespace

TEST(KxButtonGlyph, GlyphCountFromTheBitmapShape)
{
    TKxButtonGlyph g;
    g.SetGlyph(Uni(96, 16, Qt::red)); // six squares are not a strip
    EXPECT_EQ(g.NumGlyphs(), 1);
    g.SetGlyph(Uni(64, 16, Qt::red));
    EXPECT_EQ(g.NumGlyphs(), 4);
    EXPECT_EQ(g.TailleGlyphe(), QSize(16, 16));
    g.SetGlyph(Uni(40, 16, Qt::red)); // not a multiple: the count stays
    EXPECT_EQ(g.NumGlyphs(), 4);
    g.SetNumGlyphs(9);
    EXPECT_EQ(g.NumGlyphs(), 5);
    g.SetNumGlyphs(0);
    EXPECT_EQ(g.NumGlyphs(), 5);
}

TEST(KxButtonGlyph, GreyOfAnInactiveGlyphLeavesTransparentAndFacePixels)
{
    QImage image(4, 1, QImage::Format_RGB32);
    image.setPixel(0, 0, qRgb(200, 100, 50));
    image.setPixel(1, 0, qRgb(255, 0, 255));
    image.setPixel(2, 0, qRgb(0xC0, 0xC0, 0xC0));
    image.setPixel(3, 0, qRgb(255, 255, 255));
    const QImage gris = GriserGlyphe(image, QColor(255, 0, 255), QColor(0xC0, 0xC0, 0xC0));
    EXPECT_EQ(gris.pixel(0, 0), qRgb(124, 124, 124)); // (200*77 + 100*150 + 50*29) / 256
    EXPECT_EQ(gris.pixel(1, 0), qRgb(255, 0, 255));
    EXPECT_EQ(gris.pixel(2, 0), qRgb(0xC0, 0xC0, 0xC0));
    EXPECT_EQ(gris.pixel(3, 0), qRgb(255, 255, 255)); // 256*255/256
}

TEST(KxButtonGlyph, StateImagesTakeTheLowestFreeSlotOfTheSharedList)
{
    TGlyphList liste(8, 8);
    EXPECT_EQ(liste.Add(Uni(8, 8, Qt::red)), 0);
    EXPECT_EQ(liste.Add(Uni(8, 8, Qt::red)), 1);
    EXPECT_EQ(liste.Add(Uni(8, 8, Qt::red)), 2);
    liste.Delete(1);
    liste.Delete(0);
    EXPECT_EQ(liste.Count(), 1);
    EXPECT_EQ(liste.Add(Uni(8, 8, Qt::blue)), 0);
    EXPECT_EQ(liste.Add(Uni(8, 8, Qt::blue)), 1);
    EXPECT_EQ(liste.Add(Uni(8, 8, Qt::blue)), 3);
    EXPECT_EQ(liste.Capacite(), 4);

    // Two glyphs of one size share a list; a dropped glyph's slots go to the next image.
    {
        TKxButtonGlyph a, b;
        a.SetGlyph(Uni(16, 16, Qt::red));
        b.SetGlyph(Uni(16, 16, Qt::green));
        ASSERT_NE(a.ImageEtat(bsUp), nullptr);
        ASSERT_NE(a.ImageEtat(bsDisabled), nullptr);
        ASSERT_NE(b.ImageEtat(bsUp), nullptr);
        EXPECT_EQ(a.Liste(), b.Liste());
        EXPECT_EQ(b.IndexEtat(bsUp), 2);
        EXPECT_EQ(a.ImageEtat(bsDown), a.ImageEtat(bsUp)); // fewer than 3 columns: down is up
        a.Invalidate();
        ASSERT_NE(b.ImageEtat(bsInactive), nullptr);
        EXPECT_EQ(b.IndexEtat(bsInactive), 0);
        EXPECT_EQ(TGlyphCache::Instance().Count(), 1);
        b.Invalidate();
        EXPECT_EQ(TGlyphCache::Instance().Count(), 0); // an empty list is freed
    }
    EXPECT_EQ(TGlyphCache::Existant(), nullptr); // and the cache with the last glyph
}

TEST(KxButtonGlyph, StateImagesByColumns)
{
    RetablirCouleursSysteme();
    TKxButtonGlyph g;
    QImage bande(80, 16, QImage::Format_RGB32);
    const QRgb couleurs[] = {qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255), qRgb(255, 255, 0), qRgb(0, 255, 255)};
    for (int i = 0; i < 5; ++i)
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x)
                bande.setPixel(i * 16 + x, y, couleurs[i]);
    bande.setPixel(0, 15, qRgb(255, 0, 255)); // bottom left: the transparent colour
    g.SetGlyph(bande);
    ASSERT_EQ(g.NumGlyphs(), 5);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(g.ImageEtat(static_cast<TKxButtonState>(i))->pixel(5, 5), couleurs[i]) << i;
    EXPECT_EQ(qAlpha(g.ImageEtat(bsUp)->pixel(0, 15)), 0);

    // One column: disabled is embossed, inactive grey.
    g.SetGlyph(Glyphe(16, 16, QColor(200, 100, 50)));
    EXPECT_EQ(g.ImageEtat(bsInactive)->pixel(5, 5), qRgb(124, 124, 124));
    EXPECT_EQ(qAlpha(g.ImageEtat(bsInactive)->pixel(0, 15)), 0);
    // No black outline in this glyph: the embossed picture is all face, and the face is masked.
    EXPECT_EQ(qAlpha(g.ImageEtat(bsDisabled)->pixel(5, 5)), 0);
}

TEST(KxSpeedButtonLayout, PlacesGlyphAndCaption)
{
    const QRect client(2, 2, 40, 30);
    const QSize glyphe(16, 16), texte(20, 13);
    struct Cas {
        const char* nom;
        TButtonLayout disposition;
        int marge, espacement;
        QSize g, t;
        bool marque;
        QPoint posGlyphe, posTexte;
    } cas[] = {
        {"top, centred, computed spacing", blGlyphTop, -1, -1, glyphe, texte, false, {14, 2}, {12, 18}},
        {"top, centred, spacing 1", blGlyphTop, -1, 1, glyphe, texte, false, {14, 2}, {12, 19}},
        {"left, margin 2, computed spacing", blGlyphLeft, 2, -1, glyphe, texte, false, {4, 9}, {21, 11}},
        {"left, margin and spacing set", blGlyphLeft, 3, 4, glyphe, texte, false, {5, 9}, {25, 11}},
        {"right, both computed", blGlyphRight, -1, -1, glyphe, texte, false, {25, 9}, {4, 11}},
        {"bottom, margin 2, computed spacing", blGlyphBottom, 2, -1, glyphe, texte, false, {14, 14}, {12, 1}},
        {"top, no caption", blGlyphTop, -1, 1, glyphe, {0, 0}, false, {14, 9}, {22, 25}},
        {"left, no glyph", blGlyphLeft, -1, 1, {0, 0}, texte, false, {12, 17}, {12, 11}},
        {"top, mark beside the glyph", blGlyphTop, -1, 1, glyphe, texte, true, {11, 2}, {12, 19}},
        {"left, mark after the caption", blGlyphLeft, -1, 1, glyphe, texte, true, {-1, 9}, {16, 11}},
    };
    for (const Cas& c : cas) {
        const DispositionBouton d = CalculerDisposition(client, c.g, c.t, c.disposition, c.marge, c.espacement, c.marque);
        EXPECT_EQ(d.PosGlyphe, c.posGlyphe) << c.nom;
        EXPECT_EQ(d.RectLegende.topLeft(), c.posTexte) << c.nom;
        EXPECT_EQ(d.RectLegende.size(), c.t) << c.nom;
    }

    EXPECT_EQ(PlaceLegende({40, 30}, glyphe, blGlyphTop, -1, -1, false), QSize(38, 12));
    EXPECT_EQ(PlaceLegende({40, 30}, glyphe, blGlyphTop, 2, 1, false), QSize(38, 9));
    EXPECT_EQ(PlaceLegende({40, 30}, glyphe, blGlyphLeft, -1, 1, false), QSize(21, 28));
    EXPECT_EQ(PlaceLegende({40, 30}, glyphe, blGlyphLeft, -1, 1, true), QSize(12, 28));
    EXPECT_EQ(PlaceLegende({40, 30}, glyphe, blGlyphRight, 30, -1, false), QSize(0, 28));
}

TEST(KxSpeedButtonLayout, CaptionShortenedLineByLine)
{
    const auto mesure = [](const QString& t) { return static_cast<int>(t.size()) * 6; };
    EXPECT_EQ(RaccourcirLegende(QStringLiteral("Guitar"), mesure, 36), "Guitar");
    EXPECT_EQ(RaccourcirLegende(QStringLiteral("Guitar"), mesure, 24), "G...");
    EXPECT_EQ(RaccourcirLegende(QStringLiteral("Guitar\nBass  \n\n"), mesure, 24), "G...\nBass");
    EXPECT_EQ(RaccourcirLegende(QStringLiteral("G"), mesure, 0), "...");
}

TEST(KxSpeedButtonLayout, MenuPositions)
{
    const QSize b(30, 20);
    EXPECT_EQ(PositionMenu(b, dmpBottom, paLeft), QPoint(-1, 20));
    EXPECT_EQ(PositionMenu(b, dmpBottom, paRight), QPoint(31, 20));
    EXPECT_EQ(PositionMenu(b, dmpBottom, paCenter), QPoint(15, 20));
    EXPECT_EQ(PositionMenu(b, dmpRight, paLeft), QPoint(30, -1));
    EXPECT_EQ(PositionMenu(b, dmpRight, paRight), QPoint(-1, -1));
    EXPECT_EQ(PositionMenu(b, dmpRight, paCenter), QPoint(15, 20));
}

TEST_F(SpeedButton, GroupIndexZeroIgnoresDown)
{
    TKxSpeedButton b;
    b.SetDown(true);
    EXPECT_FALSE(b.Down());
    EXPECT_EQ(b.Etat(), bsUp);
}

TEST_F(SpeedButton, PressingTheSecondOfAGroupReleasesTheFirst)
{
    QWidget parent;
    TKxSpeedButton a(&parent), b(&parent), autre(&parent);
    a.SetGroupIndex(1);
    b.SetGroupIndex(1);
    autre.SetGroupIndex(2);
    int clics = 0;
    a.OnClick = b.OnClick = [&clics] { ++clics; };
    autre.SetDown(true);

    Cliquer(&a);
    EXPECT_TRUE(a.Down());
    EXPECT_EQ(a.Etat(), bsExclusive);
    Cliquer(&b);
    EXPECT_TRUE(b.Down());
    EXPECT_FALSE(a.Down());
    EXPECT_EQ(a.Etat(), bsUp);
    EXPECT_TRUE(autre.Down()); // another group is left alone
    Cliquer(&b); // without AllowAllUp a down button stays down
    EXPECT_TRUE(b.Down());
    EXPECT_EQ(clics, 3);

    // AllowAllUp spreads through the group, and then a second press releases.
    a.SetAllowAllUp(true);
    EXPECT_TRUE(b.AllowAllUp());
    Cliquer(&b);
    EXPECT_FALSE(b.Down());
    EXPECT_EQ(b.Etat(), bsUp);
}

TEST_F(SpeedButton, AReleaseOutsideDoesNotClick)
{
    TKxSpeedButton b;
    int clics = 0;
    b.OnClick = [&clics] { ++clics; };
    Souris(&b, QEvent::MouseButtonPress, {5, 5});
    EXPECT_EQ(b.Etat(), bsDown);
    Souris(&b, QEvent::MouseMove, {40, 5});
    EXPECT_EQ(b.Etat(), bsUp);
    Souris(&b, QEvent::MouseMove, {5, 5});
    EXPECT_EQ(b.Etat(), bsDown); // back inside, pressed again
    Souris(&b, QEvent::MouseMove, {-3, 5});
    Souris(&b, QEvent::MouseButtonRelease, {-3, 5}, Qt::NoButton);
    EXPECT_EQ(clics, 0);
    EXPECT_EQ(b.Etat(), bsUp);
    EXPECT_FALSE(b.Dragging());

    Cliquer(&b, {5, 5}, {24, 24});
    EXPECT_EQ(clics, 1);

    // A grouped down button released outside stays latched.
    QWidget parent;
    TKxSpeedButton g(&parent);
    g.SetGroupIndex(3);
    g.SetDown(true);
    Cliquer(&g, {5, 5}, {60, 60});
    EXPECT_TRUE(g.Down());
    EXPECT_EQ(g.Etat(), bsExclusive);

    // Nothing happens on a disabled button.
    b.setEnabled(false);
    Cliquer(&b);
    EXPECT_EQ(clics, 1);
}

TEST_F(SpeedButton, HeldButtonRepeatsAfterThePauseThenAtTheInterval)
{
    std::vector<std::string> journal;
    MinuterieFactice* minuterie = nullptr;
    TKxSpeedButton::InstallerFabriqueMinuterie([&] {
        auto m = std::make_unique<MinuterieFactice>(&journal);
        minuterie = m.get();
        return m;
    });
    TKxSpeedButton b;
    b.SetAllowTimer(true);
    int clics = 0;
    b.OnClick = [&clics] { ++clics; };
    Souris(&b, QEvent::MouseButtonPress, {5, 5});
    ASSERT_NE(minuterie, nullptr);
    EXPECT_EQ(journal, (std::vector<std::string>{"start 500"}));
    EXPECT_EQ(clics, 0);
    minuterie->Tic(); // 500 ms
    minuterie->Tic(); // 600 ms
    minuterie->Tic(); // 700 ms
    EXPECT_EQ(clics, 3);
    EXPECT_EQ(journal, (std::vector<std::string>{"start 500", "interval 100", "interval 100", "interval 100"}));

    // Dragged outside, the ticks do not click.
    Souris(&b, QEvent::MouseMove, {50, 5});
    minuterie->Tic();
    EXPECT_EQ(clics, 3);
    Souris(&b, QEvent::MouseButtonRelease, {50, 5}, Qt::NoButton);
    EXPECT_EQ(journal.back(), "stop");

    // A click that throws stops the repeat and passes the error on.
    b.OnClick = [] { throw std::runtime_error("plus de place"); };
    journal.clear();
    Souris(&b, QEvent::MouseButtonPress, {5, 5});
    EXPECT_THROW(minuterie->Tic(), std::runtime_error);
    EXPECT_EQ(journal, (std::vector<std::string>{"start 500", "interval 100", "stop"}));

    b.OnClick = nullptr;
    b.SetAllowTimer(false);
    journal.clear();
    Souris(&b, QEvent::MouseButtonRelease, {5, 5}, Qt::NoButton);
}

TEST_F(SpeedButton, FacesOfTheLooks)
{
    const QRgb face = qRgb(0xC0, 0xC0, 0xC0), blanc = qRgb(255, 255, 255), noir = qRgb(0, 0, 0),
               ombre = qRgb(0x80, 0x80, 0x80);
    TKxSpeedButton b;
    b.SetGlyph(Glyphe(16, 16, QColor(200, 100, 50)));
    b.SetNumGlyphs(1);
    QImage f = b.Face();
    EXPECT_EQ(f.pixel(0, 0), blanc);
    EXPECT_EQ(f.pixel(24, 24), noir);
    EXPECT_EQ(f.pixel(23, 23), ombre);
    EXPECT_EQ(f.pixel(12, 12), qRgb(200, 100, 50));

    // Flat without the mouse: no frame, the glyph in grey.
    b.SetFlat(true);
    f = b.Face();
    EXPECT_EQ(f.pixel(0, 0), face);
    EXPECT_EQ(f.pixel(24, 24), face);
    EXPECT_EQ(f.pixel(12, 12), qRgb(124, 124, 124));
    b.SetGrayedInactive(false);
    EXPECT_EQ(b.Face().pixel(12, 12), qRgb(200, 100, 50));

    // Old look, pressed: the frame colours, and the contents moved by one.
    TKxSpeedButton v;
    v.SetStyle(bsWin31);
    Souris(&v, QEvent::MouseButtonPress, {5, 5});
    f = v.Face();
    EXPECT_EQ(f.pixel(0, 0), noir);
    EXPECT_EQ(f.pixel(24, 24), noir);
    EXPECT_EQ(f.pixel(1, 5), ombre);
    Souris(&v, QEvent::MouseButtonRelease, {5, 5}, Qt::NoButton);

    // Disabled: state disabled whatever it was.
    b.setEnabled(false);
    b.Face();
    EXPECT_EQ(b.Etat(), bsDisabled);
    b.setEnabled(true);
    b.Face();
    EXPECT_EQ(b.Etat(), bsUp);
}

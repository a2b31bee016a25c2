// Text shortening, command-line words, drawing a bitmap with a colour left out, painting what
// lies behind a control, and the message and memory utilities.
#include "controls/VCLUtils.h"
#include "platform/CanevasEnregistreur.h"

#include <QApplication>
#include <QCursor>
#include <QImage>
#include <QPainter>
#include <QWidget>

#include <gtest/gtest.h>

TEST(VCLUtils, ShortenTextWithAnEllipsis)
{
    platform::CanevasEnregistreur c(800, 600, 6); // 6 pixels a character
    EXPECT_EQ(ShortenText("Guitar", c, 36), "Guitar");
    EXPECT_EQ(ShortenText("Guitar", c, 24), "G...");
    EXPECT_EQ(ShortenText("Guitar", c, 30), "Gu...");
    EXPECT_EQ(ShortenText("Guitar", c, 0), "...");
    EXPECT_EQ(ShortenText("G", c, 0), "...");
    EXPECT_EQ(ShortenText("", c, 0), "");
}

TEST(VCLUtils, CommandLineWords)
{
    const std::string ligne = "\"C:\\Program Files\\play.exe\"  -a  \"two words\" last";
    EXPECT_EQ(CommandWordCount(ligne), 4);
    EXPECT_EQ(CommandWord(ligne, 0), "C:\\Program Files\\play.exe");
    EXPECT_EQ(CommandWord(ligne, 2), "two words");
    EXPECT_EQ(CommandWord(ligne, 4), "");
    EXPECT_EQ(SplitProgramAndParams(ligne),
              (std::pair<std::string, std::string>{"C:\\Program Files\\play.exe", "-a \"two words\" last"}));
    EXPECT_EQ(SplitProgramAndParams("\"C:\\My Music\\tune.wav\" /p /q"),
              (std::pair<std::string, std::string>{"C:\\My Music\\tune.wav", "/p /q"}));
    EXPECT_EQ(SplitProgramAndParams(""), (std::pair<std::string, std::string>{"", ""}));
    // An empty quoted pair is skipped; an unclosed quote runs to the end.
    EXPECT_EQ(CommandWord("\"\" a", 0), "a");
    EXPECT_EQ(CommandWord("x \"open end", 1), "open end");
}

TEST(VCLUtils, DefaultTransparentColourIsTheBottomLeftPixel)
{
    QImage image(4, 4, QImage::Format_RGB32);
    image.fill(Qt::magenta);
    image.setPixel(1, 1, qRgb(0, 0, 255));
    QImage cible(4, 4, QImage::Format_RGB32);
    cible.fill(Qt::white);
    {
        QPainter p(&cible);
        StretchBitmapLeavingColour(p, image, CouleurTransparente::clDefault(), QRect(0, 0, 0, 0));
    }
    EXPECT_EQ(cible.pixel(1, 1), qRgb(0, 0, 255));
    EXPECT_EQ(cible.pixel(0, 0), qRgb(255, 255, 255));
    EXPECT_EQ(cible.pixel(3, 3), qRgb(255, 255, 255));
    {
        QPainter p(&cible);
        StretchBitmapLeavingColour(p, image, CouleurTransparente::clNone(), QRect(0, 0, 4, 4));
    }
    EXPECT_EQ(cible.pixel(0, 0), qRgb(255, 0, 255));
}

TEST(VCLUtils, EmbossedGlyph)
{
    QImage image(3, 3, QImage::Format_RGB32);
    image.fill(Qt::white);
    image.setPixel(0, 0, qRgb(0, 0, 0));
    const QImage r = MakeEmbossedBitmapEx(image, Qt::black, Qt::gray, Qt::white, Qt::darkGray, true);
    EXPECT_EQ(r.pixelColor(0, 0), QColor(Qt::darkGray));
    EXPECT_EQ(r.pixelColor(1, 1), QColor(Qt::white));
    EXPECT_EQ(r.pixelColor(2, 2), QColor(Qt::gray));
    EXPECT_EQ(PaletteRelativeColour(0x00123456), 0x02123456);
}

TEST(VCLUtils, BlitStretchesWithoutBlendingAndLeavesTheKeyOut)
{
    QImage image(2, 1, QImage::Format_RGB32);
    image.setPixel(0, 0, qRgb(255, 0, 255));
    image.setPixel(1, 0, qRgb(10, 20, 30));
    QImage cible(8, 4, QImage::Format_RGB32);
    cible.fill(Qt::white);
    {
        QPainter p(&cible);
        p.setRenderHint(QPainter::SmoothPixmapTransform, true);
        BlitLeavingColour(p, QRect(0, 0, 8, 4), image, image.rect(), qRgb(255, 0, 255));
        EXPECT_TRUE(p.testRenderHint(QPainter::SmoothPixmapTransform)); // the painter's state is kept
    }
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 8; ++x)
            EXPECT_EQ(cible.pixel(x, y), x < 4 ? qRgb(255, 255, 255) : qRgb(10, 20, 30)) << x << "," << y;
}

TEST(VCLUtils, ImageListImageDrawnEmbossed)
{
    // A diagonal of opaque pixels on a transparent 3x3 image.
    QImage image(3, 3, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    for (int i = 0; i < 3; ++i)
        image.setPixel(i, i, qRgb(200, 0, 0));
    const std::vector<QImage> liste{QImage(), image};
    const QRgb F = qRgb(192, 192, 192), L = qRgb(255, 255, 255), G = qRgb(128, 128, 128);
    struct Cas {
        bool lumiere;
        QRgb attendu[4][4];
    };
    const Cas cas[] = {
        {true, {{G, F, F, F}, {F, G, F, F}, {F, F, G, F}, {F, F, F, L}}},
        {false, {{G, F, F, F}, {F, G, F, F}, {F, F, G, F}, {F, F, F, F}}},
    };
    for (const Cas& c : cas) {
        QImage cible(4, 4, QImage::Format_RGB32);
        cible.fill(F);
        {
            QPainter p(&cible);
            DrawImageEmbossed(p, liste, 0, 0, 1, QColor(L), QColor(G), c.lumiere);
            DrawImageEmbossed(p, liste, 0, 0, 2, Qt::black, Qt::black, true); // outside the list
        }
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 4; ++x)
                EXPECT_EQ(cible.pixel(x, y), c.attendu[y][x]) << c.lumiere << " " << x << "," << y;
    }
}

namespace {

class Uni : public QWidget {
public:
    Uni(QWidget* parent, QColor c) : QWidget(parent), couleur(c) {}
    QColor couleur;

protected:
    void paintEvent(QPaintEvent*) override { QPainter(this).fillRect(rect(), couleur); }
};

} // namespace

TEST(VCLUtils, ParentAndLowerSiblingsPaintedBehindAControl)
{
    QWidget parent;
    parent.resize(100, 100);
    parent.setAutoFillBackground(true);
    QPalette pal = parent.palette();
    pal.setColor(QPalette::Window, Qt::red);
    parent.setPalette(pal);
    Uni dessous(&parent, Qt::blue);
    dessous.setGeometry(0, 0, 30, 30);
    Uni controle(&parent, Qt::green);
    controle.setGeometry(20, 20, 20, 20);
    Uni dessus(&parent, Qt::yellow); // above the control: not behind it
    dessus.setGeometry(35, 35, 30, 30);
    Uni cache(&parent, Qt::black);
    cache.setGeometry(0, 0, 100, 100);
    cache.stackUnder(&dessous);
    cache.hide();

    QImage image(20, 20, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter p(&image);
        PaintParentBehind(controle, p);
    }
    EXPECT_EQ(image.pixelColor(5, 5), QColor(Qt::blue));   // (25, 25) on the parent: the sibling below
    EXPECT_EQ(image.pixelColor(15, 5), QColor(Qt::red));   // (35, 25): the parent only
    EXPECT_EQ(image.pixelColor(18, 18), QColor(Qt::red));  // the sibling above is left out
    EXPECT_EQ(image.pixelColor(9, 9), QColor(Qt::blue));
    EXPECT_EQ(image.pixelColor(10, 10), QColor(Qt::red));

    // Without a parent nothing is painted.
    Uni seul(nullptr, Qt::green);
    seul.resize(4, 4);
    QImage vide(4, 4, QImage::Format_RGB32);
    vide.fill(Qt::white);
    {
        QPainter p(&vide);
        PaintParentBehind(seul, p);
    }
    EXPECT_EQ(vide.pixelColor(1, 1), QColor(Qt::white));
}

TEST(VCLUtils, NotImplementedShowsItsBoxThenAbortsSilently)
{
    auto ancienne = BoiteNonImplemente();
    QStringList vus;
    BoiteNonImplemente() = [&](const QString& t) {
        vus << t;
        EXPECT_EQ(QApplication::overrideCursor(), nullptr); // the default cursor is back first
    };
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    EXPECT_THROW(ShowNotImplemented(), EAbort);
    BoiteNonImplemente() = ancienne;
    EXPECT_EQ(vus, QStringList{QString::fromUtf8("Fonction non encore implémentée")});
}

namespace {

class Compteur : public QObject {
public:
    int recus = 0;
    bool event(QEvent* e) override
    {
        if (e->type() == QEvent::User)
            ++recus;
        return QObject::event(e);
    }
};

} // namespace

TEST(VCLUtils, DropPendingMessageTakesBackPostedEvents)
{
    Compteur a, b;
    for (Compteur* c : {&a, &b})
        QCoreApplication::postEvent(c, new QEvent(QEvent::User));
    DropPendingMessage(&a, QEvent::User);
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(a.recus, 0);
    EXPECT_EQ(b.recus, 1);
    for (Compteur* c : {&a, &b})
        QCoreApplication::postEvent(c, new QEvent(QEvent::User));
    DropPendingMessage(nullptr, QEvent::User); // any receiver
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(a.recus + b.recus, 1);
    EXPECT_FALSE(ActiveWindowIsOurs()); // no window of the tests is active here
}

TEST(VCLUtils, MemoryBlocks)
{
    EXPECT_TRUE(AllocMemo(0).empty());
    EXPECT_TRUE(AllocMemo(-5).empty());
    std::vector<std::byte> bloc = AllocMemo(9);
    ASSERT_EQ(bloc.size(), 9u);
    for (std::byte o : bloc)
        EXPECT_EQ(o, std::byte{0});
    const char texte[] = "abcdefghi";
    CopyMem(texte, bloc.data(), 9);
    EXPECT_TRUE(CompareMem(bloc.data(), texte, 9));
    EXPECT_FALSE(CompareMem(bloc.data(), "abcdefghX", 9)); // a difference in the tail after 4-byte steps
    EXPECT_TRUE(CompareMem(OffsetPointer(bloc.data(), 4), "efghi", 5));
    FreeMemo(bloc);
    EXPECT_TRUE(bloc.empty());
}

// The print preview window, offscreen: paging and the page count, the zoom steps and fits,
// the held-key and drag scrolling, printing and the preferences from the window, its captions
// and its placement in a temporary "Lyrx.ini".
#include "ChansonImpression.h"
#include "FixtureImpression.h"

#include "controls/Placemnt.h"
#include "dialogs/Services.h"
#include "platform/FichierIni.h"
#include "print/TravailImpression.h"
#include "print/preview.h"
#include "support/DossierTemporaire.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPageLayout>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>
#include <QToolButton>

#include <cmath>
#include <filesystem>
#include <memory>
#include <optional>

namespace {

void Attendre(int ms)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

// Timers run late on a loaded machine: wait for what a held key must bring, within a generous bound.
template <class Condition>
void AttendreQue(Condition condition, int msMax = 3000)
{
    QElapsedTimer t;
    t.start();
    while (!condition() && t.elapsed() < msMax)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

// The print dialog, answering as told and counting its openings.
class DialoguesEssai : public IDialogues {
public:
    int Impression(const std::string& imprimante, int32_t& premiere, int32_t& derniere) override
    {
        (void)imprimante;
        ++ouvertures;
        premiere = pages.first;
        derniere = pages.second;
        return resultat;
    }
    int resultat = ResultatModalAnnuler;
    std::pair<int32_t, int32_t> pages{0, 0};
    int ouvertures = 0;
};

class ApercuTest : public FixtureImpression {
protected:
    void SetUp() override
    {
        FixtureImpression::SetUp();
        CanvasImpr = nullptr;
        dossier_ = lyrx_test::DossierDuTest();
        windows_.emplace("LYRX_WINDOWS_DIR", dossier_.string());
        chanson_impression::Remplir(60);
        ParamImpCourant.ZoomApercu = 1.0;
        ParamImpCourant.AjusterApercu = false;
        ApercuOuvert = false;
    }
    void TearDown() override
    {
        fenetre.reset();
        TPreview_Form::InstallerPreferences(nullptr);
        ReinitialiserServicesSaisie();
        windows_.reset();
        FixtureImpression::TearDown();
    }

    TPreview_Form& Ouvrir()
    {
        fenetre = std::make_unique<TPreview_Form>();
        fenetre->show();
        return *fenetre;
    }

    // Pixels of the picture that are not white.
    static int Encre(const TPreview_Form& f)
    {
        const QImage& b = f.Image->Bitmap;
        int n = 0;
        for (int y = 0; y < b.height(); y += 2)
            for (int x = 0; x < b.width(); x += 2)
                n += b.pixel(x, y) != qRgb(255, 255, 255) ? 1 : 0;
        return n;
    }

    static void Touche(QWidget* cible, QEvent::Type type, int touche, bool repetition = false)
    {
        QKeyEvent e(type, touche, Qt::NoModifier, QString(), repetition);
        QApplication::sendEvent(cible, &e);
    }

    std::unique_ptr<TPreview_Form> fenetre;
    std::filesystem::path dossier_;
    std::optional<lyrx_test::VariableEnvironnement> windows_;
};

} // namespace

TEST_F(ApercuTest, PagingLearnsThePageCountAndStopsAtTheEnds)
{
    TPreview_Form& f = Ouvrir();
    EXPECT_TRUE(ApercuOuvert);
    EXPECT_EQ(f.PageDemandee(), 1);
    const int n = f.NbPages();
    ASSERT_GE(n, 3) << "the song must fill several preview pages";
    EXPECT_GT(Encre(f), 100);
    EXPECT_TRUE(ParamImpCourant.ModeApercu);

    f.BT_PagePrecClick();
    EXPECT_EQ(f.PageDemandee(), 1);
    for (int page = 2; page <= n; ++page) {
        f.ScrollBox1->verticalScrollBar()->setValue(50);
        f.BT_Page_Suiv->click();
        EXPECT_EQ(f.PageDemandee(), page);
        EXPECT_EQ(f.Lib_Page->text(), QString::number(page));
        EXPECT_EQ(f.ScrollBox1->verticalScrollBar()->value(), 0);
    }
    const QImage derniere = f.Image->Bitmap.copy();
    f.BT_Page_SuivClick();
    EXPECT_EQ(f.PageDemandee(), n);
    EXPECT_EQ(f.Image->Bitmap, derniere);
    f.BT_PagePrecClick();
    EXPECT_EQ(f.PageDemandee(), n - 1);
    EXPECT_NE(f.Image->Bitmap, derniere);

    fenetre.reset();
    EXPECT_FALSE(ApercuOuvert);
}

TEST_F(ApercuTest, ShorterSongShowsItsLastPageInsteadOfNothing)
{
    TPreview_Form& f = Ouvrir();
    while (f.PageDemandee() < f.NbPages())
        f.BT_Page_SuivClick();
    ASSERT_GE(f.PageDemandee(), 3);
    // The song shrinks under the preview (settings or printer changed): page 3 is gone.
    Partition.NbMesures = 12;
    f.DessinerPageApercu();
    EXPECT_EQ(f.PageDemandee(), f.NbPages());
    EXPECT_LT(f.NbPages(), 3);
    EXPECT_EQ(f.Lib_Page->text(), QString::number(f.NbPages()));
    EXPECT_GT(Encre(f), 100);
}

TEST_F(ApercuTest, ZoomSteps)
{
    TPreview_Form& f = Ouvrir();
    ParamImpCourant.ZoomApercu = 1.69;
    f.BT_ZoomIn->click();
    EXPECT_DOUBLE_EQ(ParamImpCourant.ZoomApercu, 2.0);
    EXPECT_EQ(f.Image->width(), 1504);
    EXPECT_EQ(f.Image->height(), 2160);
    f.BT_ZoomInClick();
    EXPECT_DOUBLE_EQ(ParamImpCourant.ZoomApercu, 2.0);

    f.BT_ZoomOutClick();
    EXPECT_DOUBLE_EQ(ParamImpCourant.ZoomApercu, 2.0 / 1.3);
    for (int i = 0; i < 12; ++i)
        f.BT_ZoomOutClick();
    EXPECT_DOUBLE_EQ(ParamImpCourant.ZoomApercu, 0.15);
    EXPECT_EQ(f.Image->width(), 113); // Round(752 * 0.15) = Round(112.8)
    EXPECT_EQ(f.Image->Bitmap.size(), f.Image->size());
    EXPECT_GT(Encre(f), 10);

    // A page fitted wider than zooming in goes is never made smaller by zooming in.
    ParamImpCourant.ZoomApercu = 2.5;
    f.BT_ZoomInClick();
    EXPECT_DOUBLE_EQ(ParamImpCourant.ZoomApercu, 2.5);
}

TEST_F(ApercuTest, PageWidthAndFullPageFits)
{
    TPreview_Form& f = Ouvrir();
    f.resize(900, 700);
    QCoreApplication::processEvents();
    const QWidget* vue = f.ScrollBox1->viewport();
    const int cw = vue->width();
    f.BT_PageWidthClick();
    EXPECT_DOUBLE_EQ(ParamImpCourant.ZoomApercu, (cw - 20) / 752.0);
    EXPECT_NEAR(f.Image->width(), cw - 20, 1);

    f.BT_FullScreenClick();
    const double attendu = std::min((vue->width() - 14) / 752.0, (vue->height() - 14) / 1080.0);
    EXPECT_NEAR(ParamImpCourant.ZoomApercu, attendu, 0.02);
    EXPECT_LE(f.Image->height(), vue->height());
    // The page is centred in the box.
    const int x = f.Image->mapTo(f.ScrollBox1->viewport(), QPoint(0, 0)).x();
    EXPECT_NEAR(x, (vue->width() - f.Image->width()) / 2, 1);
    EXPECT_TRUE(f.BordD->isVisible());
    EXPECT_EQ(f.BordD->x(), f.Image->x() + f.Image->width());
    EXPECT_EQ(f.BordB->y(), f.Image->y() + f.Image->height());

    // A box too low to fit a page still gives a page one can zoom from.
    f.resize(f.minimumSizeHint());
    QCoreApplication::processEvents();
    const double brut = std::min((vue->width() - 14) / 752.0, (vue->height() - 14) / 1080.0);
    f.BT_FullScreenClick();
    EXPECT_DOUBLE_EQ(ParamImpCourant.ZoomApercu, std::max(brut, TPreview_Form::ZoomMin));
    EXPECT_GE(f.Image->width(), 113);
}

TEST_F(ApercuTest, FirstPreviewAfterStartUpFitsThePageWidth)
{
    ParamImpCourant.AjusterApercu = true;
    ParamImpCourant.ZoomApercu = 1.0;
    TPreview_Form& f = Ouvrir();
    const int cw = f.ScrollBox1->viewport()->width();
    EXPECT_DOUBLE_EQ(ParamImpCourant.ZoomApercu, (cw - 27) / 752.0);
    EXPECT_FALSE(ParamImpCourant.AjusterApercu);
    fenetre.reset();

    // The zoom then survives from one preview to the next.
    ParamImpCourant.ZoomApercu = 1.3;
    Ouvrir();
    EXPECT_DOUBLE_EQ(ParamImpCourant.ZoomApercu, 1.3);
    fenetre.reset();

    // A zoom that cannot be used (the record reset, say) is fitted rather than drawn.
    for (const double z : {0.0, -1.0, std::nan(""), 1e9}) {
        ParamImpCourant.ZoomApercu = z;
        TPreview_Form& g = Ouvrir();
        EXPECT_GE(ParamImpCourant.ZoomApercu, TPreview_Form::ZoomMin) << z;
        EXPECT_LE(g.Image->width(), 4 * 752) << z;
        fenetre.reset();
    }
}

TEST_F(ApercuTest, LandscapePaperShowsALandscapePage)
{
    QPrinter& imprimante = Imprimante();
    const QPageLayout::Orientation avant = imprimante.pageLayout().orientation();
    imprimante.setPageOrientation(QPageLayout::Landscape);
    TPreview_Form& f = Ouvrir();
    EXPECT_EQ(f.TaillePage(), QSize(1080, 752));
    EXPECT_EQ(f.Image->width(), 1080);
    EXPECT_EQ(f.Image->height(), 752);
    imprimante.setPageOrientation(QPageLayout::Portrait);
    f.FormActivate();
    EXPECT_EQ(f.TaillePage(), QSize(752, 1080));
    imprimante.setPageOrientation(avant);
}

TEST_F(ApercuTest, HeldPageDownScrollsUntilReleased)
{
    ParamImpCourant.ZoomApercu = 2.0;
    TPreview_Form& f = Ouvrir();
    QScrollBar* v = f.ScrollBox1->verticalScrollBar();
    ASSERT_GT(v->maximum(), 100);
    // Keys reach the window through the focused button.
    Touche(f.BT_OK, QEvent::KeyPress, Qt::Key_PageDown);
    EXPECT_TRUE(f.Repetition());
    AttendreQue([&] { return v->value() > 4; });
    const int pendant = v->value();
    EXPECT_GT(pendant, 4);
    Touche(f.BT_OK, QEvent::KeyPress, Qt::Key_PageDown, true); // the key's own repeats
    Touche(f.BT_OK, QEvent::KeyRelease, Qt::Key_PageDown, true);
    EXPECT_TRUE(f.Repetition());
    Touche(f.BT_OK, QEvent::KeyRelease, Qt::Key_PageDown);
    EXPECT_FALSE(f.Repetition());
    const int relache = v->value();
    Attendre(30);
    EXPECT_EQ(v->value(), relache);

    // End moves across; hiding the window ends the scrolling even without the key's release.
    QScrollBar* h = f.ScrollBox1->horizontalScrollBar();
    Touche(f.BT_OK, QEvent::KeyPress, Qt::Key_End);
    AttendreQue([&] { return h->value() > 0; });
    EXPECT_GT(h->value(), 0);
    f.hide();
    EXPECT_FALSE(f.Repetition());
    Touche(f.BT_OK, QEvent::KeyPress, Qt::Key_Home);
    Touche(f.BT_OK, QEvent::KeyRelease, Qt::Key_Home);
}

TEST_F(ApercuTest, DraggingThePageScrollsIt)
{
    ParamImpCourant.ZoomApercu = 2.0;
    TPreview_Form& f = Ouvrir();
    QScrollBar* h = f.ScrollBox1->horizontalScrollBar();
    QScrollBar* v = f.ScrollBox1->verticalScrollBar();
    h->setValue(100);
    v->setValue(100);
    QMouseEvent appui(QEvent::MouseButtonPress, QPointF(300, 300), f.Image->mapToGlobal(QPointF(300, 300)),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(f.Image, &appui);
    EXPECT_EQ(f.Image->cursor().shape(), Qt::ClosedHandCursor);
    QMouseEvent glisse(QEvent::MouseMove, QPointF(280, 250), f.Image->mapToGlobal(QPointF(280, 250)), Qt::NoButton,
                       Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(f.Image, &glisse);
    EXPECT_EQ(h->value(), 120);
    EXPECT_EQ(v->value(), 150);
    QMouseEvent lache(QEvent::MouseButtonRelease, QPointF(280, 250), f.Image->mapToGlobal(QPointF(280, 250)),
                      Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(f.Image, &lache);
    EXPECT_EQ(f.Image->cursor().shape(), Qt::OpenHandCursor);
}

TEST_F(ApercuTest, PrintingFromThePreviewKeepsItsZoom)
{
    DialoguesEssai dialogues;
    dialogues.resultat = ResultatModalOK;
    dialogues.pages = {2, 0}; // a lone first page prints alone
    ServicesSaisie services{};
    services.Dialogues = &dialogues;
    InstallerServicesSaisie(services);
    QPrinter& imprimante = Imprimante();
    const QString chemin = QString::fromStdString((dossier_ / "apercu.pdf").string());
    imprimante.setOutputFormat(QPrinter::PdfFormat);
    imprimante.setOutputFileName(chemin);

    ParamImpCourant.ZoomApercu = 1.3;
    TPreview_Form& f = Ouvrir();
    f.BT_Page_SuivClick();
    f.BT_Print->click();
    EXPECT_EQ(dialogues.ouvertures, 1);
    EXPECT_DOUBLE_EQ(ParamImpCourant.ZoomApercu, 1.3);
    EXPECT_TRUE(ParamImpCourant.ModeApercu);
    EXPECT_EQ(f.Image->width(), 978); // Round(752 * 1.3) = Round(977.6)
    EXPECT_EQ(f.PageDemandee(), 1);
    EXPECT_GT(Encre(f), 100);
    EXPECT_GT(QFileInfo(chemin).size(), 1000);

    // Cancelled: nothing printed, the zoom kept all the same.
    dialogues.resultat = ResultatModalAnnuler;
    QFile::remove(chemin);
    f.BT_PrintClick();
    EXPECT_FALSE(QFileInfo::exists(chemin));
    EXPECT_DOUBLE_EQ(ParamImpCourant.ZoomApercu, 1.3);
    EXPECT_TRUE(ParamImpCourant.ModeApercu);

    imprimante.setOutputFileName(QString());
}

TEST_F(ApercuTest, PreferencesFromThePreview)
{
    int ouvertures = 0;
    TPreview_Form::InstallerPreferences([&] {
        ++ouvertures;
        // The user doubles every printed size.
        ParamImpCourant.GlobalProportions_Prt = 20;
        return ResultatModalOK;
    });
    TPreview_Form& f = Ouvrir();
    const int avant = f.NbPages();
    f.BT_Page_SuivClick();
    f.BT_Setup->click();
    EXPECT_EQ(ouvertures, 1);
    EXPECT_EQ(f.PageDemandee(), 1);
    EXPECT_GT(f.NbPages(), avant);
    EXPECT_TRUE(f.isVisible());

    // Opened from the preferences: the button goes back to them.
    QWidget preferences;
    preferences.setObjectName("TPref_Form");
    f.BT_SetupClick();
    EXPECT_EQ(ouvertures, 1);
    EXPECT_FALSE(f.isVisible());
    EXPECT_EQ(f.result(), ResultatModalOK);
}

TEST_F(ApercuTest, ShownModallyAndClosedWithEscape)
{
    bool ouvertPendant = false;
    QTimer::singleShot(0, [&] {
        QWidget* modale = QApplication::activeModalWidget();
        ASSERT_NE(modale, nullptr);
        ouvertPendant = ApercuOuvert && modale->objectName() == "TPreview_Form";
        Touche(modale, QEvent::KeyPress, Qt::Key_Escape);
    });
    ParamImpCourant.ModeApercu = false;
    EXPECT_EQ(MontrerApercu(), ResultatModalOK);
    EXPECT_TRUE(ouvertPendant);
    EXPECT_FALSE(ApercuOuvert);
    EXPECT_TRUE(ParamImpCourant.ModeApercu);
}

TEST_F(ApercuTest, CaptionsFromTheLanguage)
{
    TPreview_Form& f = Ouvrir();
    EXPECT_EQ(f.windowTitle(), "Print preview");
    EXPECT_EQ(f.BT_Print->text().remove('&'), "Print");
    EXPECT_EQ(f.BT_Setup->text().remove('&'), "Settings");
    EXPECT_EQ(f.BT_OK->text().remove('&'), "Close");
    EXPECT_EQ(f.BT_Aide->text().remove('&'), "Help");
    fenetre.reset();

    // Without a language: the window's own captions.
    TableLangue.clear();
    Ouvrir();
    EXPECT_EQ(fenetre->windowTitle(), "Print Preview");
    EXPECT_EQ(fenetre->BT_Setup->text(), "P&ref.");
    EXPECT_EQ(fenetre->BT_Aide->text(), "Aid&e");
}

TEST_F(ApercuTest, PlacementKeptInLyrxIni)
{
    const QRect ecran = QGuiApplication::primaryScreen()->availableGeometry();
    {
        TPreview_Form& f = Ouvrir();
        f.setGeometry(ecran.x() + 30, ecran.y() + 40, 600, 400);
        f.BT_OK->click();
        EXPECT_FALSE(f.isVisible());
    }
    platform::FichierIni ini("Lyrx.ini");
    EXPECT_EQ(ini.ReadString("Print_Preview", "NormPos", ""),
              std::to_string(ecran.x() + 30) + "," + std::to_string(ecran.y() + 40) + "," +
                  std::to_string(ecran.x() + 630) + "," + std::to_string(ecran.y() + 440));
    EXPECT_EQ(ini.ReadString("Print_Preview", "Visible", ""), "0");
    fenetre.reset();

    // Reopened where the user left it, not centred again.
    TPreview_Form& g = Ouvrir();
    EXPECT_EQ(g.geometry(), QRect(ecran.x() + 30, ecran.y() + 40, 600, 400));
    fenetre.reset();

    // A placement from elsewhere (another machine, an edited file) lands on this screen.
    ini.WriteString("Print_Preview", "NormPos", "-9000,40000,-1000,90000");
    platform::FichierIni("Lyrx.ini").DeleteKey(
        "Print_Preview", "NormPos(" + std::to_string(TFormPlacement::ResolutionEcran().width()) + "x" +
                             std::to_string(TFormPlacement::ResolutionEcran().height()) + ")");
    TPreview_Form& h = Ouvrir();
    EXPECT_TRUE(ecran.contains(h.geometry()));
    EXPECT_GT(Encre(h), 100);
}

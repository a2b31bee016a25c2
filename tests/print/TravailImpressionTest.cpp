// The print job on real devices: a PDF through QPdfWriter and through a QPrinter in PDF mode,
// and a page rendered to an image with the Qt canvas at 150 dpi.
#include "ChansonImpression.h"
#include "FixtureImpression.h"

#include "print/ImpPartition.h"
#include "print/TravailImpression.h"
#include "platform/qt/CanevasQt.h"
#include "support/DossierTemporaire.h"

#include <QFile>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>

namespace {

class TravailImpressionTest : public FixtureImpression {
protected:
    void SetUp() override
    {
        FixtureImpression::SetUp();
        CanvasImpr = nullptr;
        chanson_impression::Remplir(60);
    }

    static int NbPagesPdf(const QByteArray& pdf)
    {
        int n = 0;
        for (qsizetype i = pdf.indexOf("/Type /Page"); i >= 0; i = pdf.indexOf("/Type /Page", i + 1))
            if (pdf.mid(i, 12) != "/Type /Pages")
                ++n;
        return n;
    }

    // Page `page` drawn on an A4 image at 150 dpi.
    static QImage Page(int32_t page, TBilanImpression* bilan = nullptr)
    {
        QImage image(1240, 1754, QImage::Format_RGB32);
        image.fill(Qt::gray);
        QPainter peintre(&image);
        platform::CanevasQt canevas(peintre, 150);
        TSortieCanevas sortie(canevas, image.width(), image.height());
        ImprimerPartition(sortie, page, page, 1, bilan);
        return image;
    }

    static int PixelsSombres(const QImage& image, QRect zone)
    {
        int n = 0;
        for (int y = zone.top(); y <= zone.bottom(); ++y)
            for (int x = zone.left(); x <= zone.right(); ++x)
                n += qGray(image.pixel(x, y)) < 128 ? 1 : 0;
        return n;
    }

    // First row dark across most of the working width: a string line.
    static int PremiereLigneDePortee(const QImage& image)
    {
        for (int y = 2; y < image.height(); ++y)
            if (PixelsSombres(image, QRect(60, y, 1120, 1)) > 900)
                return y;
        return -1;
    }

    // A file in the test's own folder.
    static QString Fichier(const char* nom) { return QString::fromStdString((lyrx_test::DossierDuTest() / nom).string()); }
};

TEST_F(TravailImpressionTest, PdfWriterGetsEveryPage)
{
    const QString chemin = Fichier("song.pdf");
    TBilanImpression bilan;
    {
        QPdfWriter pdf(chemin);
        pdf.setResolution(600);
        pdf.setPageSize(QPageSize(QPageSize::A4));
        pdf.setTitle("Printed Tablature");
        EXPECT_TRUE(ImprimerPartitionPeripherique(pdf, 0, 0, &bilan));
    }
    ASSERT_GE(bilan.NbPages, 2);
    QFile fichier(chemin);
    ASSERT_TRUE(fichier.open(QIODevice::ReadOnly));
    const QByteArray contenu = fichier.readAll();
    EXPECT_GT(contenu.size(), 20000);
    EXPECT_TRUE(contenu.startsWith("%PDF"));
    EXPECT_EQ(NbPagesPdf(contenu), bilan.NbPages);
    EXPECT_FALSE(ParamImpCourant.ModeApercu);
}

TEST_F(TravailImpressionTest, PrinterInPdfModePrintsTheRangeOnly)
{
    QPrinter imprimante(QPrinter::HighResolution);
    imprimante.setOutputFormat(QPrinter::PdfFormat);
    imprimante.setResolution(300);
    imprimante.setPageSize(QPageSize(QPageSize::A4));
    const QString chemin = Fichier("range.pdf");
    imprimante.setOutputFileName(chemin);
    TBilanImpression bilan;
    EXPECT_TRUE(ImprimerPartitionPeripherique(imprimante, 2, 3, &bilan));
    ASSERT_GE(bilan.NbPages, 3);
    EXPECT_EQ(bilan.PagesDessinees, 2);
    QFile fichier(chemin);
    ASSERT_TRUE(fichier.open(QIODevice::ReadOnly));
    EXPECT_EQ(NbPagesPdf(fichier.readAll()), 2);

    // A range past the end starts no document: no blank sheet.
    const QString vide = Fichier("none.pdf");
    imprimante.setOutputFileName(vide);
    EXPECT_TRUE(ImprimerPartitionPeripherique(imprimante, 50, 60, &bilan));
    EXPECT_EQ(bilan.PagesDessinees, 0);
    EXPECT_FALSE(QFile::exists(vide));
}

TEST_F(TravailImpressionTest, PrintServiceUsesTheProgramsPrinter)
{
    QPrinter& imprimante = Imprimante();
    EXPECT_EQ(&imprimante, &Imprimante());
    const QString chemin = Fichier("service.pdf");
    imprimante.setOutputFormat(QPrinter::PdfFormat);
    imprimante.setResolution(300);
    imprimante.setOutputFileName(chemin);
    ParamImpCourant.ModeApercu = true;
    TServicesImpressionTravail services;
    services.ImprimerPartition(0, 0, 1);
    EXPECT_EQ(imprimante.docName(), "Printed Tablature");
    EXPECT_FALSE(ParamImpCourant.ModeApercu);
    EXPECT_EQ(ParamImpCourant.ZoomApercu, 1.0);
    EXPECT_TRUE(QFile::exists(chemin));
    imprimante.setOutputFileName(QString());
}

TEST_F(TravailImpressionTest, UnwritableDeviceIsReportedAsAFailure)
{
    QPrinter imprimante(QPrinter::HighResolution);
    imprimante.setOutputFormat(QPrinter::PdfFormat);
    imprimante.setOutputFileName(Fichier("no/such/folder/song.pdf"));
    EXPECT_FALSE(ImprimerPartitionPeripherique(imprimante, 0, 0));
    // The job still ran to its end and put the margins back.
    EXPECT_DOUBLE_EQ(ParamImpCourant.MargeGaucheLignes, 10);
}

TEST_F(TravailImpressionTest, PageRendersAsTablature)
{
    TBilanImpression bilan;
    const QImage premiere = Page(1, &bilan);
    ASSERT_GE(bilan.NbPages, 2);
    const QImage seconde = Page(2);
    const QString sortie = qEnvironmentVariable("LYRX_IMPRESSION_PNG");
    if (!sortie.isEmpty()) {
        premiere.save(sortie + "-1.png");
        seconde.save(sortie + "-2.png");
    }
    // The page is cleared white (inside the 1-pixel outline a preview page gets) and ink stays
    // inside the page's margins (10 mm = 59 pixels).
    EXPECT_EQ(premiere.pixel(3, 3), qRgb(255, 255, 255));
    EXPECT_EQ(PixelsSombres(premiere, QRect(2, 2, 50, 1750)), 0);
    EXPECT_EQ(PixelsSombres(premiere, QRect(1190, 2, 50, 1750)), 0);
    // The title in the top 20 mm, staves below the header and the chord list.
    EXPECT_GT(PixelsSombres(premiere, QRect(300, 80, 640, 80)), 500);
    EXPECT_GT(PixelsSombres(premiere, QRect(60, 500, 1120, 1000)), 20000);
    EXPECT_GT(PixelsSombres(seconde, QRect(60, 100, 1120, 1500)), 20000);
    // The top string of the first line: 15 + 55 + 15 (one row of chords) mm on the first page,
    // and a few more there for the first line's diagrams to clear the names of the list's
    // diagrams; 15 + 10 mm on the next ones.
    EXPECT_GT(PremiereLigneDePortee(premiere), static_cast<int>(platform::Round(85 * 150 / 25.4)));
    EXPECT_LT(PremiereLigneDePortee(premiere), static_cast<int>(platform::Round(90 * 150 / 25.4)));
    EXPECT_EQ(PremiereLigneDePortee(seconde), static_cast<int>(platform::Round(25 * 150 / 25.4)));
}

} // namespace

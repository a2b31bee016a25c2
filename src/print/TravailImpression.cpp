#include "print/TravailImpression.h"

#include "document/Configuration.h"
#include "document/Langue.h"
#include "document/Mess.h"
#include "document/Variable.h"
#include "print/Impress.h"
#include "platform/Cp1252.h"
#include "platform/qt/CanevasQt.h"

#include <QFile>
#include <QImage>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QString>

#include <algorithm>
#include <utility>

namespace {

// Where the pages go once the device has failed: nothing is drawn, texts are measured as if
// by a font of the size asked for.
class CanevasNul final : public platform::Canevas {
public:
    explicit CanevasNul(int ppp) : ppp_(ppp) {}
    int Largeur() const override { return 0; }
    int Hauteur() const override { return 0; }
    int PixelsParPouce() const override { return ppp_; }

protected:
    void DessinerRectangle(int, int, int, int) override {}
    void DessinerFillRect(int, int, int, int) override {}
    void DessinerLigne(int, int, int, int) override {}
    void DessinerPolyline(std::span<const platform::Point>) override {}
    void DessinerPolygone(std::span<const platform::Point>) override {}
    void DessinerEllipse(int, int, int, int) override {}
    void DessinerArc(int, int, int, int, int, int, int, int) override {}
    void DessinerPixel(int, int, platform::Couleur) override {}
    int DessinerTexte(int, int, std::string_view texte) override { return MesurerTexte(texte).cx; }
    platform::Dimension MesurerTexte(std::string_view texte) override
    {
        const int h = platform::TaillePixelsFonte(Fonte().taille, ppp_);
        return platform::Dimension{static_cast<int>(texte.size()) * h / 2, h};
    }

private:
    int ppp_;
};

// A PDF job is only known to have reached its file when the file ends with the document's
// trailer: Qt reports no write error (a full disk, /dev/full).
bool FichierPdfComplet(const QString& chemin)
{
    QFile f(chemin);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    const qint64 taille = f.size();
    if (taille < 8 || !f.seek(std::max<qint64>(0, taille - 32)))
        return false;
    return f.readAll().contains("%%EOF");
}

QPrinter*& ImprimanteInstallee()
{
    // Never destroyed: a printer outliving the application would reach for print plugins
    // that are gone.
    static QPrinter* imprimante = new QPrinter(QPrinter::HighResolution);
    return imprimante;
}

// A failed job can leave its printer unusable in ways it does not show: "active" for good,
// refusing every later setting, or a PDF engine whose output is stuck in an error after a
// device refused its bytes part-way, which makes every later job write nothing. A fresh one
// takes its place after every failed job, with the choices the user made.
void RemplacerImprimante()
{
    QPrinter*& ancienne = ImprimanteInstallee();
    auto* nouvelle = new QPrinter(QPrinter::HighResolution);
    // The file first: clearing it turns a printer back to the system's printers.
    nouvelle->setOutputFileName(ancienne->outputFileName());
    nouvelle->setOutputFormat(ancienne->outputFormat());
    if (ancienne->outputFormat() == QPrinter::NativeFormat) {
        nouvelle->setPrinterName(ancienne->printerName());
        nouvelle->setPaperSource(ancienne->paperSource());
    }
    nouvelle->setResolution(ancienne->resolution());
    nouvelle->setPageLayout(ancienne->pageLayout());
    nouvelle->setCopyCount(ancienne->copyCount());
    nouvelle->setCollateCopies(ancienne->collateCopies());
    nouvelle->setPageOrder(ancienne->pageOrder());
    nouvelle->setColorMode(ancienne->colorMode());
    nouvelle->setDuplex(ancienne->duplex());
    nouvelle->setFullPage(ancienne->fullPage());
    nouvelle->setDocName(ancienne->docName());
    // Nothing holds the old one past its job: its painter has ended, which closed its device.
    delete std::exchange(ancienne, nouvelle);
}

// Tells why a job on the program's printer went nowhere.
void AnnoncerEchecImpression(const QPrinter& imprimante)
{
    const std::string fichier = platform::Utf8VersCp1252(imprimante.outputFileName().toStdString());
    const std::string nom = platform::Utf8VersCp1252(imprimante.printerName().toStdString());
    std::string texte;
    if (!fichier.empty())
        texte = FormaterMessage1(Traduire("Imp-FichierImpossible"), fichier);
    else if (imprimante.outputFormat() == QPrinter::PdfFormat || nom.empty())
        texte = Traduire("Imp-AucuneImprimante");
    else
        texte = FormaterMessage1(Traduire("Imp-ImprimanteRefus"), nom);
    AfficherMessage(Traduire("Dlg-Erreur"), texte, IconeErreur, BoutonOK, DefautOK, PlacementCentre);
}

} // namespace

QPrinter& Imprimante() { return *ImprimanteInstallee(); }

std::string NomImprimanteChoisie()
{
    const QPrinter& imprimante = Imprimante();
    QString nom = imprimante.outputFileName();
    if (nom.isEmpty() && imprimante.outputFormat() == QPrinter::NativeFormat) {
        nom = imprimante.printerName();
        if (nom.isEmpty())
            nom = QPrinterInfo::defaultPrinterName();
    }
    // A machine without a printer, before a file is chosen: OK would print nowhere.
    if (nom.isEmpty())
        return Traduire("Imp-AucuneImprimanteChoisie");
    return platform::Utf8VersCp1252(nom.toStdString());
}

TSortiePeripherique::TSortiePeripherique(QPagedPaintDevice& peripherique) : peripherique_(peripherique) {}

TSortiePeripherique::~TSortiePeripherique() { Terminer(); }

int TSortiePeripherique::PixelsParPouce() const { return peripherique_.logicalDpiY(); }

platform::Canevas* TSortiePeripherique::CanevasMesure()
{
    if (!mesure_) {
        imageMesure_ = std::make_unique<QImage>(1, 1, QImage::Format_RGB32);
        const int parMetre = static_cast<int>(PixelsParPouce() / 0.0254 + 0.5);
        imageMesure_->setDotsPerMeterX(parMetre);
        imageMesure_->setDotsPerMeterY(parMetre);
        peintreMesure_ = std::make_unique<QPainter>(imageMesure_.get());
        mesure_ = std::make_unique<platform::CanevasQt>(*peintreMesure_, PixelsParPouce());
    }
    return mesure_.get();
}

int32_t TSortiePeripherique::LargeurPage() const { return peripherique_.width(); }

int32_t TSortiePeripherique::HauteurPage() const { return peripherique_.height(); }

platform::Canevas& TSortiePeripherique::CommencerPage(int32_t page)
{
    (void)page;
    if (!echec_) {
        if (!peintre_) {
            peintre_ = std::make_unique<QPainter>();
            // A printer in PDF mode without a file is no printer at all: beginning on it would
            // leave it active for good.
            const auto* imprimante = dynamic_cast<const QPrinter*>(&peripherique_);
            if (imprimante && imprimante->outputFormat() == QPrinter::PdfFormat && imprimante->outputFileName().isEmpty())
                echec_ = true;
            else if (peintre_->begin(&peripherique_))
                canevas_ = std::make_unique<platform::CanevasQt>(*peintre_, PixelsParPouce());
            else
                echec_ = true;
        } else if (!peripherique_.newPage()) {
            echec_ = true;
        }
    }
    if (echec_ || !canevas_) {
        if (!nul_)
            nul_ = std::make_unique<CanevasNul>(PixelsParPouce());
        return *nul_;
    }
    return *canevas_;
}

void TSortiePeripherique::Terminer()
{
    canevas_.reset();
    auto* imprimante = dynamic_cast<QPrinter*>(&peripherique_);
    const bool commence = peintre_ && peintre_->isActive();
    if (commence && echec_ && imprimante)
        imprimante->abort(); // what went to the printer is not a document
    if (peintre_ && peintre_->isActive() && !peintre_->end())
        echec_ = true;
    if (commence && !echec_ && imprimante && imprimante->outputFormat() == QPrinter::PdfFormat
        && !imprimante->outputFileName().isEmpty() && !FichierPdfComplet(imprimante->outputFileName()))
        echec_ = true;
    peintre_.reset();
}

bool ImprimerPartitionPeripherique(QPagedPaintDevice& peripherique, int32_t premiere, int32_t derniere,
                                   TBilanImpression* bilan)
{
    ParamImpCourant.ModeApercu = false;
    TSortiePeripherique sortie(peripherique);
    ImprimerPartition(sortie, premiere, derniere, 1, bilan);
    return !sortie.Echec();
}

bool ImprimerPartitionImprimante(int32_t premiere, int32_t derniere, int32_t premiereMesure)
{
    QPrinter& imprimante = Imprimante();
    imprimante.setDocName(QString::fromStdString(platform::Cp1252VersUtf8(Partition.Titre.view())));
    ParamImpCourant.ModeApercu = false;
    bool echec = false;
    {
        TSortiePeripherique sortie(imprimante);
        ImprimerPartition(sortie, premiere, derniere, premiereMesure);
        sortie.Terminer();
        echec = sortie.Echec();
    }
    if (!echec)
        return true;
    // Ready for the next set-up and job before the user reads why this one failed.
    if (imprimante.printerState() == QPrinter::Active)
        imprimante.abort();
    RemplacerImprimante();
    AnnoncerEchecImpression(Imprimante());
    return false;
}

void TServicesImpressionTravail::InitialiserImpression() { ::InitialiserImpression(); }

void TServicesImpressionTravail::ImprimerPartition(int32_t premierePage, int32_t dernierePage, int32_t premiereMesure)
{
    ImprimerPartitionImprimante(premierePage, dernierePage, premiereMesure);
}

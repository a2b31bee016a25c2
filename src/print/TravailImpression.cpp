#include "print/TravailImpression.h"

#include "document/Configuration.h"
#include "document/Variable.h"
#include "print/Impress.h"
#include "platform/Cp1252.h"
#include "platform/qt/CanevasQt.h"

#include <QPagedPaintDevice>
#include <QPainter>
#include <QPrinter>
#include <QString>

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

} // namespace

QPrinter& Imprimante()
{
    // Never destroyed: a printer outliving the application would reach for print plugins
    // that are gone.
    static QPrinter* imprimante = new QPrinter(QPrinter::HighResolution);
    return *imprimante;
}

TSortiePeripherique::TSortiePeripherique(QPagedPaintDevice& peripherique) : peripherique_(peripherique) {}

TSortiePeripherique::~TSortiePeripherique() { Terminer(); }

int TSortiePeripherique::PixelsParPouce() const { return peripherique_.logicalDpiY(); }

int32_t TSortiePeripherique::LargeurPage() const { return peripherique_.width(); }

int32_t TSortiePeripherique::HauteurPage() const { return peripherique_.height(); }

platform::Canevas& TSortiePeripherique::CommencerPage(int32_t page)
{
    (void)page;
    if (!echec_) {
        if (!peintre_) {
            peintre_ = std::make_unique<QPainter>();
            if (peintre_->begin(&peripherique_))
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
    if (peintre_ && peintre_->isActive() && !peintre_->end())
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
    TSortiePeripherique sortie(imprimante);
    ImprimerPartition(sortie, premiere, derniere, premiereMesure);
    return !sortie.Echec();
}

void TServicesImpressionTravail::InitialiserImpression() { ::InitialiserImpression(); }

void TServicesImpressionTravail::ImprimerPartition(int32_t premierePage, int32_t dernierePage, int32_t premiereMesure)
{
    ImprimerPartitionImprimante(premierePage, dernierePage, premiereMesure);
}

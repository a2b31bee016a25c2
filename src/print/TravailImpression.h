#pragma once
// The print job on a Qt paged device: the program's printer, or a PDF writer. The device's
// painter is begun at the first page that is drawn, so that a range past the end of the song
// prints no blank sheet, and every later drawn page starts a new sheet.
#include "print/ImpPartition.h"
#include "print/Services.h"

#include <cstdint>
#include <memory>
#include <string>

class QImage;
class QPagedPaintDevice;
class QPainter;
class QPrinter;

namespace platform {
class CanevasQt;
}

// The printer print jobs go to: the one the print dialog and the printer set-up choose. A
// failed job puts another in its place: hold no reference across a job.
QPrinter& Imprimante();
// What the print dialog names as the printer (Windows-1252): the file a job writes to when one
// is chosen, else the printer's name (the default printer when none was chosen); with neither,
// the words that say there is none.
std::string NomImprimanteChoisie();

// Pages on a Qt paged device, drawn at the device's resolution on its paintable area.
class TSortiePeripherique : public ISortieImpression {
public:
    explicit TSortiePeripherique(QPagedPaintDevice& peripherique);
    ~TSortiePeripherique() override;
    TSortiePeripherique(const TSortiePeripherique&) = delete;
    TSortiePeripherique& operator=(const TSortiePeripherique&) = delete;

    int PixelsParPouce() const override;
    int32_t LargeurPage() const override;
    int32_t HauteurPage() const override;
    platform::Canevas& CommencerPage(int32_t page) override;
    void Terminer() override;
    // A picture of the device's resolution, whose painter needs no sheet begun.
    platform::Canevas* CanevasMesure() override;

    // The device refused to be painted on (no printer, a file that cannot be written) or to
    // start a new sheet: what was asked after that went nowhere.
    bool Echec() const { return echec_; }

private:
    QPagedPaintDevice& peripherique_;
    std::unique_ptr<QPainter> peintre_;
    std::unique_ptr<platform::CanevasQt> canevas_;
    std::unique_ptr<platform::Canevas> nul_;
    std::unique_ptr<QImage> imageMesure_;
    std::unique_ptr<QPainter> peintreMesure_;
    std::unique_ptr<platform::CanevasQt> mesure_;
    bool echec_ = false;
};

// Prints pages premiere to derniere (0 and 0: all) of the current track on the device, not in
// preview mode. False when the device failed.
bool ImprimerPartitionPeripherique(QPagedPaintDevice& peripherique, int32_t premiere, int32_t derniere,
                                   TBilanImpression* bilan = nullptr);
// The same on Imprimante(), its document named after the song's title. A job that cannot start
// or finish is aborted, leaves in its place a fresh printer with the same settings, and tells
// the user why in an error box; false then.
bool ImprimerPartitionImprimante(int32_t premiere, int32_t derniere, int32_t premiereMesure = 1);

// The print engine's part of the services the editor calls: start-up and the Print command's
// job on Imprimante().
class TServicesImpressionTravail : public IServicesImpression {
public:
    void InitialiserImpression() override;
    void ImprimerPartition(int32_t premierePage, int32_t dernierePage, int32_t premiereMesure) override;
};

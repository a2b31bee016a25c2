#pragma once
// The print job: the current track from a first measure to the end, laid out line after line
// and broken into pages, the header and chord list on the first page, a footer on each page
// and a frame round the printed area. Pages outside the asked range are laid out without being
// drawn, so that page breaks never depend on the range.
//
// The job draws on pages that an ISortieImpression hands out: a printer (TravailImpression.h),
// a PDF file, a preview picture or an image (TSortieCanevas), a recording canvas in tests.
#include "platform/Canevas.h"

#include <cstdint>

class ISortieImpression {
public:
    virtual ~ISortieImpression() = default;

    // Resolution of the device, which sets the scale (and the fonts' pixel sizes on its
    // canvas).
    virtual int PixelsParPouce() const = 0;
    // The printable page in device pixels.
    virtual int32_t LargeurPage() const = 0;
    virtual int32_t HauteurPage() const = 0;
    // Factor applied to the scale once it is computed: 1 on a printer; a preview picture of
    // a fixed pixel size at some zoom gives its own.
    virtual double FacteurEchelle() const { return 1.0; }
    // A preview keeps its zoom (ZoomApercu); printing draws at zoom 1.
    virtual bool Apercu() const { return false; }

    // Page `page` is about to be drawn: the canvas to draw it on. On a printer the first call
    // begins the document and the later ones a new sheet; a picture is cleared.
    virtual platform::Canevas& CommencerPage(int32_t page) = 0;
    // The job is over (the printer document ends).
    virtual void Terminer() {}
    // A canvas that measures texts as the pages' canvas does, drawing nothing, for the pages
    // laid out without being drawn (CanevasMesureImpr); nullptr: none.
    virtual platform::Canevas* CanevasMesure() { return nullptr; }
};

// Pages on one canvas (a preview picture, an image): every drawn page first clears it white.
class TSortieCanevas : public ISortieImpression {
public:
    // A page of largeur x hauteur pixels at the canvas's resolution.
    TSortieCanevas(platform::Canevas& canevas, int32_t largeur, int32_t hauteur, double facteurEchelle = 1.0,
                   bool apercu = false);

    int PixelsParPouce() const override { return canevas_.PixelsParPouce(); }
    int32_t LargeurPage() const override { return largeur_; }
    int32_t HauteurPage() const override { return hauteur_; }
    double FacteurEchelle() const override { return facteur_; }
    bool Apercu() const override { return apercu_; }
    platform::Canevas& CommencerPage(int32_t page) override;
    platform::Canevas* CanevasMesure() override { return &canevas_; }

    // The last page begun (0: none).
    int32_t DernierePage() const { return derniere_; }

private:
    platform::Canevas& canevas_;
    int32_t largeur_;
    int32_t hauteur_;
    double facteur_;
    bool apercu_;
    int32_t derniere_ = 0;
};

// What a job did besides its result.
struct TBilanImpression {
    int32_t NbPages = 0;         // pages of the whole layout
    int32_t PagesDessinees = 0;  // pages drawn (begun on the output)
};

// Prints from premiereMesure to the end of the current track, drawing the pages premierePage
// to dernierePage (premierePage 0: every page). Returns the measure after the last one laid
// out (NbMesures + 1 at the normal end). The saved margins and the cursor come back however
// the job ends.
int32_t ImprimerPartition(ISortieImpression& sortie, int32_t premierePage, int32_t dernierePage,
                          int32_t premiereMesure, TBilanImpression* bilan = nullptr);

// The frame round the printed area on CanvasImpr; the arguments are the saved margins.
void ImprimerCadre(double gauche, double droite, double haut, double bas);

// The page range of the print dialog: a last page of 0 after a first page above 0 prints the
// first page alone, and a reversed range is swapped. 0 and 0 stay "every page".
void NormaliserPagesImpression(int32_t& premiere, int32_t& derniere);

#pragma once
// The print engine: the current track of the song drawn as pages of tablature, the printed
// twin of the score view. Everything is laid out in print millimetres: one print millimetre
// is CoefProportions real millimetres on paper, and a length p becomes Round(p * EchellePixMm)
// device pixels. Horizontal positions of the score are measured from the left working margin,
// so a painter draws an x at Round((MargeGaucheLignes + x) * EchellePixMm).
//
// The engine has no object of its own: its state is the working fields of ParamImpCourant
// (scale, zoom, the line being drawn, the width tables) and the globals below. The painters of
// the staff, rhythm, notes, effects and page (ImpPortee, ImpRythme, ImpNotes, ImpEffets,
// ImpPage) draw on CanvasImpr, in black for lines and shapes and in the colour of their print
// style for texts. Nothing here includes Qt: a printer or a preview picture is reached through
// the canvas only.
#include "document/Configuration.h"
#include "document/Variable.h"
#include "platform/Canevas.h"

#include <cstdint>
#include <string_view>

// The canvas every print routine draws on; nullptr while no page is being drawn (the painters
// then draw nothing).
extern platform::Canevas* CanvasImpr;
// A canvas that measures texts as the pages do, for the lines laid out on pages that are not
// drawn: a line grows by the rows of texts it needs over its diagrams, and page breaks must
// not depend on the pages drawn. nullptr when the output has none.
extern platform::Canevas* CanevasMesureImpr;
// The printable page in device pixels.
extern int32_t LargeurPage;
extern int32_t HauteurPage;
// First measure of the printed line being laid out or drawn.
extern int32_t PremiereMesureLigneImpr;

// The millimetre constants of the painters. InitialiserImpression stores them in the print
// settings; the painters use these, so that a settings record reset or copied after start-up
// cannot leave them at zero.
inline constexpr TGeometrieImpr kGeometrieImpr{
    .DecalageDiagramme = 8.5,
    .DecalageNomAccord = 6.8,
    .DecalageTexte = 9.8,
    .EcartDiagramme = 1.6,
    .EpaisseurCorde = 0.1,
    .EpaisseurBarre = 0.3,
    .EpaisseurBarreEpaisse = 1.1,
    .EcartDoubleBarre = 1.0,
    .RayonPointRenvoi = 0.5,
    .EcartPointRenvoi = 1.0,
    .MargeFrette = 0.3,
    .LongueurHampe = 4.0,
    .EpaisseurCrochet = 0.5,
    .EcartCrochets = 1.0,
    .LongueurCrochetSeul = 2.0,
    .EpaisseurHampe = 0.15,
    .EcartHampeNote = 0.2,
    .LongueurHampeBlanche = 2.0,
    .DecalagePointRythme = 1.0,
    .RayonPointRythme = 0.25,
    .EpaisseurGlisse = 0.15,
    .EpaisseurBend = 0.15,
    .HauteurEffets = 3.5,
    .EpaisseurVibrato = 0.15,
    .PasVibrato = 0.6,
    .EpaisseurTremolo = 0.2,
    .PasTremolo = 0.9,
    .EpaisseurCoupVib = 0.2,
    .HauteurNbRenvois = 3.0,
    .EpaisseurFinAlt = 0.2,
    .HauteurFinAlt = 4.0,
    .LongueurFinAlt = 10.0,
    .DecalageSignature = 1.5,
    .EpaisseurTriolet = 0.2,
    .EcartTriolet = 1.0,
    .HauteurTriolet = 1.5,
    .EpaisseurLiaison = 0.2,
    .EspaceDebutPartition = 2.0,
    .EspaceDebutRenvoi = 3.5,
    .EspaceSignature = 3.5,
    .EspaceFinPartition = 2.0,
    .EspaceFinRenvoi = 3.5,
};
inline constexpr double kHauteurBaseLigne = 30.0; // fixed part of the distance between two lines
inline constexpr double kEcartCordes = 2.75;      // between two printed string lines

// Once, at the main window's first activation: the fixed print fonts (technique marks, triplet
// brackets, measure numbers), the page-state start values, the millimetre constants and the
// width tables (CalculerLargeursTempsImpression).
void InitialiserImpression();

// The global proportion factor of a proportions setting g (-40..40): 1 + g/20 above 0,
// 1 / (1 + (-g)/20) below.
double CoefProportionsDe(int32_t g);

// CoefProportions and EchellePixMm for the device resolution of CanvasImpr (nothing without a
// canvas), or for the resolution given.
void CalculerEchelleImpression();
void CalculerEchelleImpression(int pixelsParPouce);

// ---- What every painter shares ---------------------------------------------------------------

// EchellePixMm, as the painters compute with it.
double EchelleImpr();
// A y or a length in print millimetres as device pixels: Round(mm * E).
int PixImpr(double mm);
// An x of the score (from the left working margin) as a device x: Round((margin + x) * E).
int XImpr(double x);
// A scaled font size: Round(points * CoefProportions * ZoomApercu), at least 1 point (a zero
// size would give the platform's default font, not a small one).
int TailleImpr(double points);
// The print style of that label name ("FontNotes_Prt"...) with its size scaled.
platform::StyleFonte PoliceImpr(std::string_view label);

// A black pen Round(E * mm) pixels wide (0 draws one pixel wide).
void StyloImpr(platform::Canevas& c, double epaisseurMm);
// "Filled": a solid black brush and a one-pixel black pen.
void RemplissageImpr(platform::Canevas& c);
// Text background: transparent, or opaque white when the black-blocks option asks for it or
// the text always has one (opaque).
void FondTexteImpr(platform::Canevas& c, bool opaque = false);

// The current track (1..8), its string count (1..6) and the measure block m (nullptr outside
// 1..NbMesures).
int32_t PisteImpr();
int32_t NbCordesImpr();
TMesure* MesureImpr(int32_t m);
// Beats of the current track in measure m (0 for a missing measure).
int32_t NbTempsImpr(int32_t m);
// y of string s of the line being drawn: PosY + (s - 1) * EcartCordes.
double YCordeImpr(int32_t s);
// The beat line under the staff: PosY + n * EcartCordes + LongueurHampe.
double YCrochesImpr();

#pragma once
// What belongs to the page rather than to a line: the header of the first page (title, track
// name, author, comment, triplet-feel sign, capo), the footer with the page number, the block
// of the song's chord diagrams on the first page, and the printed chord diagram itself (also
// drawn above beats). "left", "right", "top" and "bottom" are the job's working margins.
#include "document/Accord.h"
#include "editor/PlacementTextes.h"
#include "platform/Canevas.h"

#include <cstdint>
#include <optional>
#include <string>

// The header, from PosY = the top of the first page.
void ImprimerEntete();
// The footer of a page (when page numbers are printed): title, track name, page number.
void ImprimerPiedPage(int32_t page);
// The text of that footer.
std::string TextePiedPage(int32_t page);

// Diagram size factor of the chord-size setting c (-40..40): 1 + c/40 above 0,
// 1 / (1 + (-c)/40) below. Diagrams have a string and fret spacing of EcartDiagramme times it.
double FacteurDiagrammesDe(int32_t c);

// Where the chord list puts its diagrams: per row (at least one, however narrow the page),
// rows, and each diagram's bottom-centre.
struct TGeometrieListeImpr {
    double Largeur = 0;  // a diagram's width W (5 spacings)
    double Ecart = 0;    // gap G = 2/3 W
    int32_t ParLigne = 1;
    int32_t NbLignes = 0;
    double Hauteur = 0;  // HauteurListeAccords; 0 without a block
};
TGeometrieListeImpr GeometrieListeAccordsImpr(int32_t nbAccords);
// Bottom-centre of chord i (0-based, list order) of a list of nbAccords.
void PositionAccordListeImpr(const TGeometrieListeImpr& g, int32_t nbAccords, int32_t i, double& x, double& y);

// The chord-list block of the first page: sets HauteurListeAccords (0 when the block is off
// or the list is empty), and draws the block when dessiner is set.
void ImprimerListeAccords(bool dessiner = true);
// The bottom of everything the block draws (its last row's names), print mm, measured on c;
// nothing without a block.
std::optional<double> BasListeAccordsImpr(platform::Canevas& c);

// One diagram whose grid has its bottom-centre at (x, y), from the page's top-left corner; the
// name goes under it when avecNom is set, the chord has one and chord names are printed.
void ImprimerDiagramme(const TAccord& accord, bool avecNom, double x, double y);
// The area in device pixels that diagram takes (its name and base fret included), measured on
// c, whose font it changes.
TZoneEncre ZoneDiagramme(platform::Canevas& c, const TAccord& accord, bool avecNom, double x, double y);
// Across, the ink of the diagram printed over a beat at x = 0 with its name, print mm (right
// end excluded): that area measured on c, or without a canvas its grid and the marks of its
// outer strings.
struct TEtendueImpr {
    double Gauche = 0, Droite = 0;
};
TEtendueImpr EtendueDiagrammeImpr(platform::Canevas* c, const TAccord& accord);

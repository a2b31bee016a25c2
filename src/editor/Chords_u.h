#pragma once
// Chord diagrams and the chord-list band. A diagram shows six strings and five frets of a
// fingering with marks for muted, open and fretted strings, its barres, the first fret when
// it is not the nut, and the chord's name under the grid. Three fixed sizes, on 5-, 6- and
// 7-pixel grids, drawn by the same painters on the score view (above a beat), in the song's
// chord list above the first line (Band00), in the chord dialog and in print previews.
//
// The painters take the canvas and the grid's top-left corner; the diagram's marks stand
// above the grid (up to 8 pixels) and its name below it.
#include "document/Accord.h"
#include "platform/Canevas.h"

#include <cstdint>

// Sizes by the display setting TypeDiag (1 largest .. 3 smallest; any other value is the
// smallest): grid step and the cell the chord list gives each diagram (the grid's size).
int PasGrilleDiagramme(int32_t typeDiag);   // 7, 6, 5
int CelluleDiagramme(int32_t typeDiag);     // 36, 31, 26
// How far left of its beat the score puts a diagram's grid: about half the grid.
int DecalageDiagrammeTemps(int32_t typeDiag); // 18, 15, 12

// Across, the ink of a diagram whose grid's left edge is at x = 0 (right end excluded): the
// marks and dots of its outer strings, and the base fret and the name (under the same
// conditions as the painters draw it) measured on c, whose font it changes. Without a canvas,
// the grid and its marks only.
struct TEtendueDiagramme {
    int Gauche = 0;
    int Droite = 0;
};
TEtendueDiagramme EtendueDiagramme(int32_t typeDiag, const TAccord& accord, bool avecNom, platform::Canevas* c);

// The diagram whose grid's top-left corner is (x, y), in colour couleur. The name is written
// only when avecNom is set, the name is not empty and the display switch AffChordsName is on.
// Barres are drawn as stored (at most two).
void DessinerDiagrammePetit(const TAccord& accord, platform::Canevas& c, int x, platform::Couleur couleur,
                            bool avecNom, int y);
void DessinerDiagrammeMoyen(const TAccord& accord, platform::Canevas& c, int x, platform::Couleur couleur,
                            bool avecNom, int y);
void DessinerDiagrammeGrand(const TAccord& accord, platform::Canevas& c, int x, platform::Couleur couleur,
                            bool avecNom, int y);
// The painter of size typeDiag.
void DessinerDiagramme(int32_t typeDiag, const TAccord& accord, platform::Canevas& c, int x,
                       platform::Couleur couleur, bool avecNom, int y);

// ---- The chord list ------------------------------------------------------------------------

// Geometry of a list of nbAccords diagrams in `disponible` pixels: diagrams per row (at least
// one, however narrow the view), rows, and the list's height.
struct TGeometrieListeAccords {
    int Cellule = 26;
    int Ecart = 17;
    int ParLigne = 1;
    int NbLignes = 1;
    int Hauteur = 0;
};
TGeometrieListeAccords GeometrieListeAccords(int32_t typeDiag, int disponible, int nbAccords);

// HauteurEntete (0 when the list is off or empty) and Band00's place.
void DimensionnerBandeAccords();
// Sizes, clears and paints Band00; the score view's scroll minimum becomes -HauteurEntete.
void DessinerBandeAccords();
// The song's chord list on a canvas, rows centred in the view's available width.
void DessinerListeAccords(platform::Canevas& c);

#pragma once
// Score layout of the current track: the x of every beat on its display line, the width and
// the extra spaces of every measure, and which measures share a line.
//
// Beat spacing is proportional to duration on a logarithmic scale (each halving of a duration
// divides its width by CoefPImp), then the whole measure is stretched until its most cramped
// beat reaches the minimum width of its duration. Lines are filled greedily and justified to
// the available width, except a short last line. Only durations and settings enter the
// layout, never a text width, so fonts cannot change which measures share a line.
//
// Results go to the song's layout fields (never saved): XEcran of each beat; Largeur,
// EspaceGauche, EspaceDroite, Ligne, XGauche, XDroite and Y of each measure; and to the
// display lines of LignesAffichage (Scrolling.h).
#include <cstdint>

// Derived fields of ParamEcranCourant: the minimum-width table, base widths and extra spaces
// of the layout, the beam pitch and the time-signature offset of the painters, and the frame
// colour of the score view.
void CalculerLargeursTemps();

// Minimum width of a beat of `duree` ticks (LargeursDuree); 0 for a duration without one,
// and for one outside the table (a corrupt file) rather than reading past it.
int64_t LargeurMinimaleDuree(int32_t duree);

// Spaces measure m of the current track on its own: XEcran from 0, Largeur, EspaceGauche,
// EspaceDroite.
void EspacerMesure(int32_t mesure);

// Lays out every measure of the current track into display lines of
// LignesAffichage.LargeurDispo pixels, then sets the scroll range (AjusterDefilement).
void CouperLignes();

// y of string 1 on a display line, as the score painter places the staff.
int32_t YPorteeLigne();

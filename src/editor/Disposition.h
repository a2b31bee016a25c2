#pragma once
// Score layout of the current track: the x of every beat on its display line, the width and
// the extra spaces of every measure, and which measures share a line.
//
// Beat spacing is proportional to duration on a logarithmic scale (each halving of a duration
// divides its width by CoefPImp), then the whole measure is stretched until its most cramped
// beat reaches the minimum width of its duration. A grace note is wider than the room a short
// beat leaves between the previous beat's fret and its own: such a beat moves right until the
// grace note fits there, and a measure's first beat moves away from the bar the same way. A
// chord diagram is wider than a short beat: every diagram, with its name, gets a string gap of
// room before the next one (the beats between them spread out), and a measure's first diagram
// keeps that room after the last diagram of the measure before it on the line, and clear of
// an ending's number. Two-digit frets are wider than a short beat too: each beat's frets end
// a clear gap before the next beat's, and its bends before the next beat's frets level with
// them, the beats moving right as far as that takes. Bends and the last beat's frets reach
// right of their beats: the bar that closes the measure moves right until they end clear of
// it. Lines are filled greedily and justified to the available width, except a short last
// line. Besides durations and settings, only the diagrams' names, the endings' numbers, the
// frets, the grace notes and the bends enter the layout, measured on the view's measuring
// canvas (ISurfacePartition::CanevasMesure); without one, the diagrams' grids alone. Beats
// whose frets and marks have room stand where their durations put them.
//
// Results go to the song's layout fields (never saved): XEcran of each beat; Largeur,
// EspaceGauche, EspaceDroite, Ligne, XGauche, XDroite and Y of each measure; and to the
// display lines of LignesAffichage (Scrolling.h).
#include "document/Variable.h"
#include "editor/PlacementTextes.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <vector>

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

// A chord diagram over beat Temps of a measure, and its ink across, from the beat's x.
struct TDiagrammeMesure {
    int32_t Temps = 0;
    double Gauche = 0, Droite = 0;
};
// Where a measure's diagrams reach at its ends, from its first beat's x: the first one's ink
// starts at Gauche, the last one's ends at Droite; none without diagrams.
struct TBordsDiagrammes {
    std::optional<double> Gauche, Droite;
};
// A measure's beats at x[1..n] and its width at x[n + 1] (on screen or on paper), and its
// diagrams in order: where one's ink stands less than `ecart` before the next one's, the beats
// between them spread out in proportion until it does not, and everything after moves along.
TBordsDiagrammes EcarterDiagrammes(std::span<double> x, std::span<const TDiagrammeMesure> diagrammes, double ecart);

// Whether a beat of a measure's n beats shows a fret, and whether one shows a grace note, or a
// bend when `effets` are shown: only then does the layout measure them.
struct TNotesMesure {
    bool Frettes = false;
    bool GracesOuBends = false;
};
TNotesMesure NotesMesure(const TTempsPiste& temps, int32_t n, int32_t nbCordes, bool effets);

// A measure's beats at x[1..n] and its width at x[n + 1]. The grace note of string s of beat b
// needs place(b, s) of room before its beat (none without one), which begins debut(b - 1, s)
// past the previous beat (none where nothing stands there), or `premier` before a first beat:
// a beat with less room moves right until it has it, and everything after it moves along.
// Gives how much room the first beat still lacks, to be found before it.
using TMesureGrace = std::function<std::optional<double>(int32_t temps, int32_t corde)>;
double EcarterGraces(std::span<double> x, int32_t nbCordes, const TMesureGrace& place, const TMesureGrace& debut,
                     double premier);

// What a beat inks on the staff, from its x across and in the painter's units: the cells of its
// fret texts, and the strokes and amounts of its bends (none when effects are hidden).
struct TEncreTemps {
    std::vector<TZoneEncre> Frettes;
    std::vector<TZoneEncre> Bends;
};
// A measure's beats at x[1..n] and its width at x[n + 1], the ink of beat b as encre(b, ink)
// writes it over what `ink` held (whose room it reuses from beat to beat). A beat
// reads as one column: its frets, whatever their strings, end `ecart` before the next beat's
// begin, or two frets "12" would read "1212"; its bends end `ecart` before each fret of the next
// beat they stand level with. A beat with less room moves right until it has it, and everything
// after it moves along; a measure with room keeps its x as they are.
using TEncreMesure = std::function<void(int32_t temps, TEncreTemps& encre)>;
void EcarterFrettes(std::span<double> x, const TEncreMesure& encre, double ecart);

// A measure's first beat at x, after a time signature whose ink ends at `fin`: how much further
// right the beat must stand for what it inks before its x to begin `ecart` past the signature,
// its frets (`encre`, from its x) and the grace notes place(1, s) before it on strings
// 1..nbCordes; 0 when it inks neither. At the narrowest spacing a 4/4 before a 12 read "412".
double EcarterSignature(double x, double fin, double ecart, const TEncreTemps& encre, int32_t nbCordes,
                        const TMesureGrace& place);

// Lays out every measure of the current track into display lines of
// LignesAffichage.LargeurDispo pixels, then sets the scroll range (AjusterDefilement).
void CouperLignes();

// y of string 1 on a display line, as the score painter places the staff.
int32_t YPorteeLigne();

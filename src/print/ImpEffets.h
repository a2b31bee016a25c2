#pragma once
// Printed marks above or beside a beat rather than on a string: the strum arrow, the beat
// techniques (vibrato and tremolo-bar zigzags, the vibrato-stroke V with its amount, letters
// for fade-in, tapping, slap, pop and harmonics), the chord name or diagram, and the beat's
// text. Beats are those of the current track in measure MesureEnCours.
#include "document/Variable.h"

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

// Strum arrow and beat technique of beat b.
void ImprimerEffetsTemps(int32_t b);
// Where the bends of beat b print their amounts (by string, device x and how far up) and how
// far its technique marks move up, so that neither covers the other (PlacementMarques.h).
struct TPlaceMarquesImpr {
    std::array<int, kNbCordesMax + 1> Gauches{};
    std::array<int, kNbCordesMax + 1> Montees{}; // of the amounts
    int Montee = 0;
};
TPlaceMarquesImpr PlacerMarquesImpr(int32_t b);
// The chord of beat b: its name alone, or its diagram with the name under it.
void ImprimerAccord(int32_t b);

struct TextePlace {
    int32_t mesure = 0;
    int32_t temps = 0;
    int x = 0; // device pixels
    int y = 0; // top, device pixels
};

// The texts of the line being printed (PlacerTextesLigne), measures premiere..derniere.
struct TextesLigne {
    int32_t premiere = 0;
    int32_t derniere = -1;
    std::vector<TextePlace> places;
};

// What the painters keep for the printed line being drawn: where its texts start and where the
// beat last asked for puts its bend amounts and marks. ImprimerLigne holds one while it lays out
// and draws a line; outside a line (nullptr) each is worked out where it is asked, so a painter
// called on its own never reads what another line or another canvas placed.
struct TContexteImpr {
    TextesLigne Textes;
    struct TMarquesTemps {
        int32_t Mesure = -1, Temps = -1;
        TPlaceMarquesImpr Place;
    };
    TMarquesTemps MarquesTemps;
    double MonteeDessus = 0; // print mm the line's chord names and diagrams rise (MesurerMonteeDessusImpr)
};
extern TContexteImpr* ContexteImpr;

// How far the chord names and diagrams of measures premiere..derniere (one printed line, its
// beats at their line x, its staff at PosY) rise, print mm, so that each stands a clear 0.2 mm
// over the marks, amounts, arrows and waves of its beats that would meet it (MonteeDessus in
// PlacementMarques.h); 0 where none meets them.
double MesurerMonteeDessusImpr(int32_t premiere, int32_t derniere);
// How far those of the line being printed rise: its context's, 0 outside a line.
double MonteeDessusImpr();
// Where a beat's chord diagram and a chord name without one print, print mm, over the staff at
// PosY, risen with the line's.
double YDiagrammeImpr();
double YNomAccordImpr();

// Where the texts of measures premiere..derniere (one printed line, its beats at their line x,
// its staff at PosY) go, so that none covers a chord diagram, an ending's bracket or another
// text (PlacementTextes.h); the line's texts are printed there while its context lasts. A text
// that finds no room beside its beat goes up over what it met, and the line moves down by as
// much as its texts stand over everything else it prints above its staff: its texts are placed
// again there.
struct TTextesLigneImpr {
    double Croissance = 0;       // print mm the line moves down for the texts that went up
    std::optional<double> Haut;  // the top of the highest text, print mm
};
TTextesLigneImpr PlacerTextesLigne(int32_t premiere, int32_t derniere);
// The text of beat b, where its line placed it (or its measure alone, outside a line).
void ImprimerTexteTemps(int32_t b);

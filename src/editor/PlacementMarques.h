#pragma once
// Over the top string a beat draws its marks (a letter, the vibrato stroke's V with its amount)
// in the row where a bend on the top strings writes its amount, and its vibrato or tremolo-bar
// wave where that bend's arrow ends. Where they would meet, the amount moves right past the
// marks, as a beat text passes what it covers (PlacementTextes.h), when it still ends before
// the next beat clear of what stands there; otherwise the marks move up over the amounts when
// nothing stands there; otherwise everything keeps its place. On close beats the marks move up
// over the previous beat's amounts as well. In a double stop bent on two strings, an amount
// first moves likewise past the other bend's arc, arrow and amount, or else up over them and
// over the staff's lines and frets it then meets. A wave starts past the bends when that
// leaves it room, or else runs over them when nothing stands there; after the last beat it
// ends before the next measure's number. No mark moves up past the room over the staff, under
// the rows a line opens for its beat texts; the beat texts are placed after the marks and keep
// clear of them, going up over them where they must (PlacementTextes.h). Where the marks would
// meet the chord names and diagrams, those rise over them, with what stands over them, and the
// line grows by as much (MonteeDessus). The score view (in pixels) and print (in printer
// pixels, of any size) place them alike: each measures a beat through a TGeometrieMarques, and
// PlacerMarquesTemps and PlacerVagueTemps gather what stands around it.
#include "document/Variable.h"
#include "editor/PlacementTextes.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <utility>
#include <vector>

struct TObstaclesMarques {
    std::span<const TZoneEncre> Fixes;  // what stays in its place: the next beat's marks, amounts, frets...
    std::span<const TZoneEncre> Dessus; // what stands higher: chord names and diagrams
    double Ecart = 0;                   // from a mark to the amount moved past it
    double FinPlace = 0;                // no amount moves to end past this
    double HautMin = 0;                 // no mark moves up past this
};

// Whether an area of `a` meets one of `b`. Most beats' bends stand clear of their marks and
// waves: then they keep their places and nothing around the beat needs measuring.
bool SeCroisent(std::span<const TZoneEncre> a, std::span<const TZoneEncre> b);

struct TPlaceValeurs {
    std::vector<double> Gauches; // the left edge of each amount, in their order
    double Montee = 0;           // how far the marks move up
};

// `marques` are the areas of the beat's marks, `valeurs` the cells of its bend amounts where the
// bends write them.
TPlaceValeurs PlacerValeursBend(std::span<const TZoneEncre> marques, std::span<const TZoneEncre> valeurs,
                                const TObstaclesMarques& obstacles);

struct TPlaceVague {
    double Debut = 0;
    double Montee = 0;
    double Fin = 0;
};

// `vague` is the wave's row from its start to its end (a clear row over it included), `bends`
// the amounts and strokes of the beat's bends; `longueurMin` the shortest wave worth drawing.
TPlaceVague PlacerVague(const TZoneEncre& vague, double longueurMin, std::span<const TZoneEncre> bends,
                        const TObstaclesMarques& obstacles);

// How the score view or print measures the beats of the measure being drawn, in its own units.
class TGeometrieMarques {
public:
    virtual ~TGeometrieMarques() = default;
    virtual int32_t NbTemps() = 0;
    virtual int32_t NbCordes() = 0;
    // Whether string s of beat b draws a bend or a bend and release.
    virtual bool AvecBend(int32_t b, int32_t s) = 0;
    // The cell of that bend's amount where the bend writes it, and the box of its strokes.
    virtual TZoneEncre ValeurBend(int32_t b, int32_t s) = 0;
    virtual TZoneEncre TraceBend(int32_t b, int32_t s) = 0;
    // The areas of beat b's marks over the staff, as ZonesMarques lists them.
    virtual std::vector<TZoneEncre> Marques(int32_t b) = 0;
    // The fret text of string s of beat b with the gap it cuts in its string; none without one.
    virtual std::optional<TZoneEncre> Frette(int32_t b, int32_t s) = 0;
    // Beat b's mark of a mix-table change, where one is drawn.
    virtual std::optional<TZoneEncre> TableMix(int32_t b) = 0;
    // The chord names and diagrams of the measure.
    virtual std::vector<TZoneEncre> AuDessus() = 0;
    // Half a digit of the bend amounts: what an amount keeps from what it is moved past.
    virtual double DemiChiffre() = 0;
    // Where the room after beat b ends: the next beat's x, or the end of the measure.
    virtual double FinPlace(int32_t b) = 0;
    // The staff's lines across the measure.
    virtual std::vector<TZoneEncre> Cordes() = 0;
    // The clear rows an amount keeps over a line or a stroke it moves up over.
    virtual double RangeeClaire() = 0;
    // The next measure's number where it stands over the end of this one; none elsewhere.
    virtual std::optional<TZoneEncre> NumeroSuivant() = 0;
    // The highest a mark moves up to: the top of the room over the staff.
    virtual double HautMin() = 0;
};

struct TPlaceMarques {
    // By string, for the bent ones: the left edge of the amount, and how far it moves up.
    std::array<double, kNbCordesMax + 1> GauchesValeurs{};
    std::array<double, kNbCordesMax + 1> MonteesValeurs{};
    double Montee = 0; // of the marks
};

// Where beat b's bends write their amounts and how far its marks move up.
TPlaceMarques PlacerMarquesTemps(TGeometrieMarques& g, int32_t b);

// Where beat b's wave starts and ends and how far it moves up, past or over the bends of the
// beat, the wave's row being `vague` and `ecart` the room it keeps from them; after the last
// beat it ends that far before the next measure's number.
TPlaceVague PlacerVagueTemps(TGeometrieMarques& g, int32_t b, TZoneEncre vague, double longueurMin, double ecart);

// What beat b draws over the staff where `place` (PlacerMarquesTemps) puts it: its marks and
// its bends' amounts, and given `vague` (its wave's row and where PlacerVagueTemps puts it) its
// wave.
std::vector<TZoneEncre> ZonesMarquesPlacees(TGeometrieMarques& g, int32_t b, const TPlaceMarques& place,
                                            std::optional<std::pair<TZoneEncre, TPlaceVague>> vague = std::nullopt);

// Whether a beat draws a wave over the staff (a vibrato or a tremolo bar).
inline bool AvecVague(const TTemps& temps) { return temps.Effet == 1 || temps.Effet == 2; }

// The strokes of beat b's bends (arcs and arrows), which rise over the top string.
std::vector<TZoneEncre> TracesBends(TGeometrieMarques& g, int32_t b);

// How far the chord names and diagrams of a line (`dessus`, with the ending brackets and beat
// texts over them) move up together so that each stands `ecart` clear of every one of
// `marques`, the marks, amounts, arrows and waves of the line's beats, that it would meet, and
// of any it then meets higher up: 0 where none meets them, which leaves most lines as they
// are. The painters measure the marks where they stand with nothing over them (AuDessus
// empty); once what stands higher has risen that far it holds none of them back, so that they
// are placed there again against it.
double MonteeDessus(std::span<const TZoneEncre> marques, std::span<const TZoneEncre> dessus, double ecart);

// Whether what a beat draws over the staff, from `gauche` to `droite` at most, may meet one of
// `dessus`: most beats of a line with chords stand beside none and need no placing.
bool SousDessus(double gauche, double droite, std::span<const TZoneEncre> dessus);

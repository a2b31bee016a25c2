#pragma once
// The staff arithmetic of the notation window: where a pitch is written on the grand staff in
// a key signature (diatonic step and accidental), which pitch a staff position means, and on
// which string of a track a pitch is played. Pitches are MIDI note numbers.
//
// A staff position counts diatonic steps: p = 7 * octave + step, step 0..6 being C D E F G A
// B of octave = pitch div 12. A note may be written one step outside its octave (B sharp
// below its C, C flat above its B): step -1 or 7. The staff picture is drawn for guitar
// notation, one octave above the sounding pitch: position 28 (MIDI 48) sits on the short line
// between the staves, the treble lines are positions 30..38, the bass lines 18..26.
#include "document/Variable.h"

#include <array>
#include <cstdint>
#include <vector>

// Accidental codes of the notation table and of the drawing.
enum class TAlteration : uint8_t { Aucune = 0, Diese = 1, Bemol = 2, Becarre = 3 };

inline constexpr int kArmureMin = -7;
inline constexpr int kArmureMax = 7;

// How a pitch class is written in a key signature (-7..+7, sharps positive).
struct TNotation {
    int Pas = 0; // -1..7: B of the octave below, C..B, C of the octave above
    TAlteration Alteration = TAlteration::Aucune;
    friend constexpr bool operator==(TNotation, TNotation) = default;
};
TNotation NotationHauteur(int classeHauteur, int armure);

// Alteration the key signature gives a step 0..6: +1 sharp, -1 flat, 0 natural.
int AlterationArmure(int pas, int armure);

// "Cb" .. "C#" for -7..+7.
const char* NomTonalite(int armure);

// Staff position of the i-th sign (1..7) of a key signature on the treble or the bass staff;
// sharps when the key is positive, flats when negative.
int PositionSigneArmure(bool dieses, bool cleSol, int i);

// Staff position where a pitch is written in the key (octave below for B sharp, above for C flat).
int PositionHauteur(int hauteur, int armure);

// y of a staff position in the staff picture, and the position nearest to a y (halves to the
// even one).
constexpr int YPosition(int position) { return 212 - 4 * position; }
int PositionY(int y);

// Positions the mouse may put the hover band on.
inline constexpr int kPositionBandeMin = 5;
inline constexpr int kPositionBandeMax = 51;

// The accidental buttons of the palette: at most one is down.
enum class TBoutonAlteration : uint8_t { Aucun, Diese, Bemol, Becarre };

// The pitch a click on a staff position enters: the natural step, raised or lowered by the
// button that is down, or by the key signature when no button is down (the natural button
// keeps the plain step).
int HauteurPosition(int position, int armure, TBoutonAlteration bouton);

// The empty string of a track that plays a pitch at the lowest fret within 0..fretteMax; on
// equal frets the lower string number (the higher string) wins. `frettes` are the frets of the
// beat's notes (-1 empty) and `accordage` the open strings, both 1-based. 0 when none can.
struct TChoixCorde {
    int Corde = 0;
    int Frette = -1;
};
TChoixCorde ChoisirCordePourHauteur(int hauteur, int nbCordes, const OneBased<int32_t, kNbCordesMax>& accordage,
                                    const std::array<int, kNbCordesMax + 1>& frettes, int fretteMax);

// A note of the beat as the staff shows it.
struct TNotePortee {
    int Position = 0;
    TAlteration Alteration = TAlteration::Aucune;
    int Hauteur = 0;
    int Corde = 0;
    int X = 70; // centre of the head
    friend bool operator==(const TNotePortee&, const TNotePortee&) = default;
};

// x of the note heads: a note a second (or less) above the previous one goes to the right of it,
// unless that one was moved already, so clusters alternate between the two columns.
inline constexpr int kXTete = 70;
inline constexpr int kXTeteDecalee = 76;

// The notes of a beat on strings 1..nbCordes that hold a fret within 0..fretteMax (dead notes
// and empty strings are not shown), sorted by position (strings in order at equal positions),
// with the x of their heads.
std::vector<TNotePortee> NotesPortee(const TTemps& temps, int nbCordes, const OneBased<int32_t, kNbCordesMax>& accordage,
                                     int fretteMax, int armure);

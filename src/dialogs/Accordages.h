#pragma once
// The named tunings offered by the song properties dialog and the MIDI import dialog, the
// rule that recognises a track's tuning among them, the rule that gives a track one of them,
// the default tuning of each string count and the names under which open strings are shown.
//
// A preset stores its n notes right-aligned in slots 7 - n .. 6 (slot 7 - n is string 1, the
// top line of the tablature), so that presets and tracks meet at the lowest string: string s
// of an n-string track is slot s + 6 - n. Strings are not ordered by pitch (a banjo's fifth
// string is its highest note).
//
// No Qt here: the dialogs fill their lists from the table.
#include "document/Variable.h"

#include <array>
#include <cstdint>
#include <string>

struct TModeleAccordage {
    std::string Nom;                         // the name shown in the lists, at most 51 characters
    int32_t NbCordes = 0;                    // 4, 5 or 6
    OneBased<int32_t, kNbCordesMax> Notes{}; // MIDI notes in slots 7 - NbCordes .. 6; the others 0
};

inline constexpr int kNbModelesAccordageMax = 31;

// Rows 0..NbModelesAccordage - 1; the row index is the item index in both preset lists.
extern std::array<TModeleAccordage, kNbModelesAccordageMax> ModelesAccordage;
extern int32_t NbModelesAccordage; // 0 until the table is built, then 31

// Builds the 31 rows in their fixed order. Building again gives the same table.
void InitModelesAccordage();

// The first row (lowest index) of the same string count whose notes equal the first
// `nbCordes` entries of `accordage`; -1 when none does, or for a count outside 4..6.
int32_t ChercherModeleAccordage(int32_t nbCordes, const OneBased<int32_t, kNbCordesMax>& accordage);
// The same for the working tuning of track `piste` of ProprietesTempo.
int32_t ChercherModeleAccordage(int32_t piste);

// Gives track `piste` of ProprietesTempo the string count and the notes of row `index`; the
// tuning entries past the new count keep their values. An index that names no built row
// (such as -1, an empty selection) changes nothing and answers false.
bool AppliquerModeleAccordage(int32_t index, int32_t piste);

// Replaces the tuning of track `piste` of ProprietesTempo by the default of its working
// string count: 6 guitar E A D G B E, 5 and 4 bass; any other count is left alone.
void AccordageParDefaut(int32_t piste);

// The displayed name of a MIDI note: the pitch class with sharps and the octave number
// (note div 12) with nothing between: 64 "E5", 0 "C0", 119 "B9". Below 0 the octave counts
// down from there (-1 "B-1"), never an out-of-table name.
std::string NomNoteOctave(int32_t note);

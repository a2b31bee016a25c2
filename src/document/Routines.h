#pragma once
// Putting the song into a known state: the new empty song, the free slot after the last beat
// of a track part, the default number of an alternate ending, and the names of General MIDI
// programs and drum kits.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

// The 128 General MIDI program names, by program number (entry 8 ends with a blank).
extern const std::array<std::string_view, 128> NomsInstrumentsGM;

// Makes the song a new empty song: one 4/4 measure without beats, default tracks, untitled.
// Block 1 is kept (allocated when missing), the other blocks and the chord lists are freed.
void ReinitialiserPartition();

// Prepares the free slot (NbTemps + 1) of PisteCourante in the current measure: cleared, with
// the rhythm of the last beat (an empty quarter when the part has no beat). NbTemps is left.
void AjouterTempsVide();

// Resets the free slot of track piste in measure mesure to an empty quarter.
void InitialiserTempsSuivant(int32_t piste, int32_t mesure);

// Track piste loses all its beats in every measure; the free slot of each part is prepared
// again. A track outside 1..8 changes nothing.
void ViderPiste(int32_t piste);

// Drops the trailing measures that hold no beat on any track (a missing block counts as
// empty); measure 1 always stays. The current measure is brought back inside the song when it
// was among them.
void SupprimerMesuresVidesFin();

// Default number of an alternate ending that starts at measure mesure.
int32_t NumeroRepetitionSuivante(int32_t mesure);

// "24 - Acoustic Guitar (nylon)"; a program outside 0..127 gives its number alone.
std::string NomInstrument(int32_t programme);
// "0 - Drum Kit 0".
std::string NomKitBatterie(int32_t kit);

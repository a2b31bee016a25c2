#pragma once
// The user's chord library in the settings file: section "ChordsLib", a "Total" count and one
// key per chord, "C001" to "C200", whose value spells the chord one character per field
// (flags "O"/"N", numbers as the character 65 + v, frets and bass as 66 + v so that -1 fits,
// the barres, then the name).
#include "document/Accord.h"
#include "platform/FichierIni.h"

#include <optional>
#include <string>
#include <string_view>

inline constexpr const char* SectionLibrairieAccords = "ChordsLib";

// "C" and the number on three digits: 1 -> "C001", 10 -> "C010", 200 -> "C200".
std::string CleAccordLibrairie(int numero);

// The stored form of one chord.
std::string CoderAccordLibrairie(const TAccord& accord);

// The chord a stored value spells, or nothing when the value cannot be one the library
// wrote: too short for its barres, more than two barres, or a field outside the values the
// chord tool works with (root, type, extension, alterations, bass, barre strings).
std::optional<TAccord> DecoderAccordLibrairie(std::string_view valeur);

// Fills LibrairieAccords and NbLibrairieAccords from the file. Reading stops at the first
// missing or empty key, and never goes past the library's 200 slots; a value that is not a
// chord is left out and the chords after it move up.
void LireLibrairieAccords(const platform::FichierIni& ini);

// Writes "Total" and one key per chord in use. Keys of a larger library of an earlier run stay
// in the file: reading stops after "Total" keys.
void EcrireLibrairieAccords(platform::FichierIni& ini);

#pragma once
// The settings file "Lyrx220.ini": read whole once at start, before any window exists, and
// written whole once at exit. Between the two the settings live in the records of
// document/Configuration.h and, for the text styles, on the main window's style labels.
//
// Sections "General", "Config", "ParamEcran", "ParamEcran_US1".."_US3", "ParamImp",
// "ParamImp_US1".."_US3" and "ChordsLib"; any other section (the song browser's "Browser")
// is left as it is.
#include "document/Configuration.h"
#include "platform/FichierIni.h"

#include <cstdint>
#include <string>

inline constexpr const char* NomFichierConfiguration = "Lyrx220.ini";
inline constexpr int32_t VersionConfiguration = 220;

extern std::string DernierRepertoire; // last working directory, restored at the first activation
extern int32_t LangueAide;            // help language: 1 French, 2 English, 3 German

// Fills every setting from the file (a missing key gives its factory value), chooses and loads
// the interface language (asking with the first-start dialog when none is set or its file is
// gone), selects the help file, keeps the recent files that still exist, puts the saved string
// count and tuning into the current track and reads the chord library.
void ChargerConfiguration();
// The same with another program folder (language files) and settings file.
void ChargerConfiguration(const std::string& repertoireProgramme, const std::string& fichierIni);

// Writes every setting back, the text styles from the main window's labels, the working
// directory and the current track's tuning. The file is replaced in one piece: when it cannot
// be written, platform::ErreurEcritureIni reaches the caller and the old file stays whole.
void EnregistrerConfiguration();
void EnregistrerConfiguration(const std::string& fichierIni);

// The help language derived from the interface language when the file gives none (0).
int32_t LangueAideParDefaut(const std::string& langue);

// Values that would break playback, painting or the song files (a strum speed of 0, a
// dynamic or click velocity outside the MIDI range, list positions past their lists, a
// non-positive string spacing or rhythm proportion...) go back to their factory value; every
// other value stays as read, however unusual.
void CorrigerValeursDangereuses(TCONFIG& config);
void CorrigerValeursDangereuses(TParamEcran& param, const TParamEcran& defauts);
void CorrigerValeursDangereuses(TZoneImpression& param);

// The stored forms of the real-valued settings: the rhythm proportion as ten times its value,
// lengths in whole millimetres, both rounded half to even.
int32_t ProportionVersFichier(double coefficient);
int32_t MillimetresVersFichier(double millimetres);

#pragma once
// MIDI import: a Standard MIDI File of format 0 or 1 into a new song. The file's first tempo
// and its time signatures give the song's tempo and measures; its sources (format 1: the
// tracks after the tempo track, and the tempo track itself when it plays notes; format 0: the
// channels that play notes) are offered in the import dialog, which maps them onto the song's
// tracks; then every mapped source is read into the note list, quantised, laid into beats and
// fingered, and every imported track's measures are completed with rests.
//
// The dialog is the main window's (IFenetrePrincipale::DialogueImportMidi): it reads the
// sources below, writes the names, programs, strings, tunings and fret counts of the tracks
// into the song on OK, and leaves PisteSource, OctaveInferieure and Quantification in
// ProprietesTempo. It may also set the fingering weights (PoidsDoigte, midi/Doigte.h).
#include <cstdint>
#include <string>
#include <vector>

// Lines of the dialog's source list (ListePiste), in order: line i (0-based) is the source
// PisteSource = i + 1. Texts are Windows-1252 (a track's name as the file holds it).
extern std::vector<std::string> ListePisteImport;
// General MIDI program of each source line, entry k for PisteSource k (index 0 unused); 24
// when the source names none.
extern std::vector<int32_t> ProgrammesPistesMidi;

// Imports the file. True when the import ran to its end; false when the file could not be
// read or was refused (after the error box), or the dialog was cancelled. Either way the song
// has been replaced: the caller finishes it (title, beams, views) after success and starts a
// new song after a failure.
bool ImporterFichierMidi(const std::string& fichier);

#pragma once
// The MIDI file writer: the song as a Standard MIDI File of format 1 at 480 ticks per quarter
// note, for export and for every playback mode. Conductor track first, then the metronome
// track when the options ask for one, then each written instrument track on its two
// channels (the second carries the notes whose pitch is bent).
#include "document/Variable.h"
#include "midi/EtatLecture.h"

#include <cstdint>
#include <string>
#include <vector>

// MIDI channels of each track, counted from 1; track 8, the percussion track, is on 10 twice.
inline constexpr OneBased<int32_t, kNbPistes> CanalPiste{0, 1, 3, 5, 7, 11, 13, 15, 10};
inline constexpr OneBased<int32_t, kNbPistes> CanalEffetsPiste{0, 2, 4, 6, 8, 12, 14, 16, 10};

// Writes the file for `mode`. The play order must be built beforehand (modes 0 to 4), and in
// mode 4 EtatLecture.TempoCourant set to the pass tempo. Fills DureesLecture (modes 0 to 3)
// and PileTempo. On failure the error box is shown and nothing is written. The media
// player's file name is cleared at the start and set to `fichier` at the end.
bool EcrireFichierMidi(const std::string& fichier, TModeLecture mode);

// MIDI export of the whole song to `fichier`, repeats unfolded when the option ExportRepeats
// asks for it. True when the file was written.
bool ExporterFichierMidi(const std::string& fichier);

// The bytes EcrireFichierMidi writes, without touching the disk or the window.
std::vector<uint8_t> GenererFichierMidi(TModeLecture mode);

// No beat of the track, in any measure, is played (all rests, or no beats).
bool PisteSansNotes(int32_t piste);

// Ticks of the beat with every following beat tied to it, across measures in song order.
int64_t DureeNoteLiee(int32_t piste, int32_t mesure, int32_t temps);

// Swing of an eighth-note pair starting on a quarter: 80 ticks to add to the first eighth.
int32_t DecalageTripletFeel(int32_t piste, int32_t mesure, int32_t temps, int64_t position);

// Ticks by which every track starts later when a track's first played beat opens with a
// grace note, so that the grace note sounds before the beat.
inline constexpr int64_t AvanceNoteGrace = 120;

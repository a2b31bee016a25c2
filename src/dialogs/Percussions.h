#pragma once
// The sounds of the drum palette and their preview. On the percussion track the fret of a note
// is a General MIDI drum note number; the palette lists notes 27 to 87 and plays one alone
// through the one media player and temporary file that every listen uses.
#include <cstdint>
#include <string>
#include <vector>

inline constexpr int kPremiereNotePercussion = 27;
inline constexpr int kDerniereNotePercussion = 87;
inline constexpr int kNbSonsPercussion = kDerniereNotePercussion - kPremiereNotePercussion + 1; // 61

// Item i (0-based) of the list: "27 - High Q" .. "87 - Open Surdo". The names are the General
// MIDI ones and are not translated. Empty outside 0..60.
std::string TexteSonPercussion(int index);

// The preview file of a drum note: a format-1 file of two tracks at 480 ticks per quarter, the
// conductor at 100 beats per minute in 4/4 and C major, then on the percussion channel the
// volume, chorus, reverb, pan and drum kit of track 8 and the note, struck at velocity 127 and
// released 504 ticks later. Every value is kept within 0..127 so that it can never be read as
// a status byte.
std::vector<uint8_t> GenererMidiPercussion(int note);

// Writes the preview file. When it cannot be created or written: the hourglass reset, the
// error message, and false.
bool EcrireMidiPercussion(const std::string& fichier, int note);

// Plays a drum note alone: the player closed with its notification off, the file rewritten
// and played with notification (no flag for the end of play: it finds nothing playing). The
// caller checks that the sequencer works.
void JouerPercussion(int note);

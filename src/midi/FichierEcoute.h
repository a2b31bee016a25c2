#pragma once
// The pieces every short listen file shares (a percussion sound, a chord, a tuning or import
// strum, the sequencer test): the header and conductor track, the one-track chunk, the
// program's name as track name, writing the bytes to the temporary file and playing it.
#include <cstdint>
#include <string>
#include <vector>

namespace platform {
class LecteurMedia;
}

// Format 1, two tracks, 480 ticks per quarter, then the conductor track: 100 beats per minute,
// 4/4, C major.
std::vector<uint8_t> EnTeteEcoute();

// Appends the second track: its chunk, a zero delta time, then `corps` (which starts with the
// first event's status). The chunk length counts that first delta time.
void AjouterPisteEcoute(std::vector<uint8_t>& o, const std::vector<uint8_t>& corps);

// Appends the track-name event at delta 0 with the program's name.
void AjouterNomLogiciel(std::vector<uint8_t>& corps);

// Writes the bytes to `fichier`; false when it cannot be created or written whole.
bool EcrireOctetsFichier(const std::string& fichier, const std::vector<uint8_t>& octets);

// The same, and on failure the hourglass goes and the error box "cannot write the file"
// shows: a file written in part is not played, it would only give the sequencer a broken file.
bool EcrireFichierEcoute(const std::string& fichier, const std::vector<uint8_t>& octets);

// Opens `fichier` on `mp` and plays it with one end of play armed. A play that did not start
// is stopped at once, so that an end of play already armed is posted; false then.
bool JouerFichierEcoute(platform::LecteurMedia& mp, const std::string& fichier);

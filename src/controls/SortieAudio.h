#pragma once
// What the audio module offers the wave output: one sound at a time through the default audio
// device of the sound server. The module is loaded only when a sound is first played, so that
// the program's start does not pay for the audio libraries.
#include <cstdint>
#include <vector>

class ISortieAudio {
public:
    virtual ~ISortieAudio() = default;
    // Stops what plays and starts these interleaved samples; false when there is no device
    // or it refuses the format (nothing plays then).
    virtual bool Jouer(std::vector<int16_t> echantillons, int canaux, int frequence) = 0;
    virtual void Arreter() = 0;
    // The last sound has played to its end, was stopped, or never started.
    virtual bool Termine() const = 0;
};

// The module's one entry point, called on the interface thread.
#define LYRX_SYMBOLE_SORTIE_AUDIO "lyrx_creer_sortie_audio"
extern "C" {
using FonctionCreerSortieAudio = ISortieAudio* (*)();
}

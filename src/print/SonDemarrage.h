#pragma once
// The starting music of the splash window: a RIFF WAVE, either the built-in tune or the file
// chosen in the preferences, played once in the background, apart from the program's MIDI
// player (which the availability test at start-up closes and reopens, and whose end of play
// drives the song playback).
//
// The player is a sound output of FluidSynth's audio drivers fed from the wave in memory. On
// a machine without a sound output it plays nothing: the music then counts as over at once,
// which is all the splash needs to know.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

// A decoded wave: interleaved samples between -1 and 1.
struct SonWave {
    int Canaux = 1;
    int Frequence = 22050;
    std::vector<float> Echantillons;

    std::size_t NbTrames() const { return Canaux > 0 ? Echantillons.size() / static_cast<std::size_t>(Canaux) : 0; }
};

// Reads a RIFF WAVE image: PCM of 8, 16, 24 or 32 bits or 32-bit float (plain or in the
// extensible format), one or two channels. A "data" chunk cut short by the end of the file
// plays what is there. Nothing for anything else, whatever the bytes.
std::optional<SonWave> DecoderWave(std::span<const uint8_t> octets, std::string* erreur = nullptr);

// The built-in tune as a RIFF WAVE: PCM, mono, 16 bits, 22,050 samples per second, 370,372
// bytes of samples (about 8.4 seconds) of plucked strings, made by code.
std::vector<uint8_t> AirDemarrageIntegre();

// The splash's own player.
class ILecteurWave {
public:
    virtual ~ILecteurWave() = default;
    // Starts playing the wave image in the background, once; false when it cannot be decoded
    // or there is no sound output (nothing plays then).
    virtual bool Jouer(std::vector<uint8_t> octets) = 0;
    // The last play has reached its end (or nothing plays).
    virtual bool Termine() const = 0;
    // Stops and frees the sound output.
    virtual void Fermer() = 0;
};

// The player over FluidSynth's sound output: the driver named by $LYRX_AUDIO_DRIVER, else
// pulseaudio, then alsa. "none" and "file" (which records the MIDI player's output) give a
// player that never plays.
std::unique_ptr<ILecteurWave> CreerLecteurWave();

// A wave file's bytes, or nothing when it is not a regular file or is larger than `tailleMax`.
std::optional<std::vector<uint8_t>> LireFichierWave(const std::string& chemin,
                                                    std::size_t tailleMax = 256u * 1024u * 1024u);

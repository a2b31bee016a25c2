#pragma once
// The starting music of the splash window: a RIFF WAVE, either the built-in tune or the file
// chosen in the preferences, played once in the background, apart from the program's MIDI
// player (which the availability test at start-up closes and reopens, and whose end of play
// drives the song playback).
//
// The player hands the wave to the program's wave output, as the wave component does. On a
// machine without a sound output it plays nothing: the music then counts as over at once,
// which is all the splash needs to know.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

// The built-in tune as a RIFF WAVE: PCM, mono, 16 bits, 22,050 samples per second, 370,372
// bytes of samples (about 8.4 seconds) of plucked strings, made by code. The splash reads it
// from the program folder's Splash.wav, which was made by this.
std::vector<uint8_t> AirDemarrageIntegre();

// The splash's own player.
class ILecteurWave {
public:
    virtual ~ILecteurWave() = default;
    // Starts playing the wave image in the background, once; false when it is no wave the
    // output can play (nothing plays then).
    virtual bool Jouer(std::vector<uint8_t> octets) = 0;
    // The last play has reached its end (or nothing plays).
    virtual bool Termine() const = 0;
    // Stops and frees the sound output.
    virtual void Fermer() = 0;
};

// The player over the program's wave output (controls/UWave.h), the one the wave component
// plays through: a new sound replaces the one playing.
std::unique_ptr<ILecteurWave> CreerLecteurWave();

// A wave file's bytes, or nothing when it is not a regular file or is larger than `tailleMax`.
std::optional<std::vector<uint8_t>> LireFichierWave(const std::string& chemin,
                                                    std::size_t tailleMax = 256u * 1024u * 1024u);

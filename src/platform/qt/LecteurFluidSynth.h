#pragma once
// The media player over FluidSynth: a General MIDI sound font played by the synthesizer, the
// MIDI file sequenced by the player itself.
//
// The file is read and parsed whole at Open: its tempo map gives the length and the time of
// every event, so that the position, the end of the play and the playback timer of the score
// all count the same milliseconds. The events are fed to the synthesizer from the audio
// thread, block by block, just before each block is rendered; the position is the audio
// rendered since Play. The end of the play is seen by a timer of the interface thread, which
// posts the notification through the event loop.
//
// The synthesizer and the sound font are made in a background thread as soon as the player
// exists, or when its owner says so (loading a large sound font takes a while, and the program
// keeps it off its start). Nothing waits for it: a file opened before it is ready is taken
// (its length is known) and starts playing once it is; QuandPret tells whether it got ready. The sound output is made at the first Open after the load and
// kept for the whole run. Without a sound font or an output there is no working sequencer:
// Open fails, or the file taken early ends with a device error.
#include "platform/LecteurMedia.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

namespace platform {

// What a Standard MIDI File holds for playing it.
struct AnalyseMidi {
    struct Evenement {
        int64_t Tick = 0;
        uint8_t Statut = 0; // channel message status, with its channel
        uint8_t Donnee1 = 0;
        uint8_t Donnee2 = 0;
    };
    int Division = 480;                              // ticks per quarter note
    double MsParTickSmpte = 0.0;                     // > 0: a time-code division, ticks of fixed length
    std::vector<std::pair<int64_t, int64_t>> Tempos; // (tick, microseconds per quarter), in time order
    std::vector<Evenement> Evenements;               // channel events of every track, in play order
    int64_t DerniereTick = 0;                        // the latest end of a track

    // Time of a tick from the start of the file, by the tempo changes of every track.
    double Millisecondes(int64_t tick) const;
    int64_t LongueurMs() const;
};

// Parses the file; nothing (and `erreur` set) when it is not a MIDI file that can be played.
// Bounded by the size of the input, whatever the bytes.
std::optional<AnalyseMidi> AnalyserFichierMidi(std::span<const uint8_t> octets, std::string* erreur = nullptr);

struct ReglagesFluidSynth {
    // The sound font; empty: $LYRX_SOUNDFONT, else the first of SoundFontsParDefaut() found.
    std::string SoundFont;
    // Sound output: "file" writes what is played to a WAV file at the pace of a sound card,
    // without the waits between plays (no sound card needed); "none" has none (the sequencer
    // does not work); other names are FluidSynth audio drivers ("alsa", "pulseaudio", ...).
    // Empty: $LYRX_AUDIO_DRIVER, else pulseaudio, then alsa.
    std::string Pilote;
    // The WAV of the "file" output; empty: $LYRX_AUDIO_FILE, else lyrx.wav in the Windows
    // directory, beside the temporary MIDI file.
    std::string FichierWav;
    int FrequenceEchantillonnage = 44100;
    double Gain = 0.4;
    // False: the load waits for CommencerChargement (or SoundFontChargee); a file opened
    // meanwhile waits with it.
    bool ChargementImmediat = true;
};

// The Debian General MIDI sound fonts, best first.
std::vector<std::string> SoundFontsParDefaut();

class LecteurFluidSynth final : public LecteurMedia {
public:
    // Starts loading the synthesizer and the sound font in the background, unless the settings
    // defer it.
    explicit LecteurFluidSynth(ReglagesFluidSynth reglages = {});
    ~LecteurFluidSynth() override;

    bool Open() override;
    void Close() override;
    bool Play() override;
    void Stop() override;
    int64_t Position() const override;
    int64_t Length() const override;
    bool DeviceOpen() const override;
    void QuandPret(std::function<void(bool)> rappel) override;

    // Starts the background load; nothing once it has started.
    void CommencerChargement();
    // The sound font in use (empty when none was found or it failed to load); waits for the load.
    std::string SoundFontChargee();
    // The loading thread has ended (its outcome may not be handled yet).
    bool ChargementTermine() const;
    // Steady-clock time (nanoseconds since its epoch) at which the first audible sample after
    // the last Play was rendered; 0 while there was none.
    int64_t InstantPremierSon() const;

protected:
    void Poster(std::function<void()> action) override;

private:
    struct Moteur;
    void Sonder();
    void ArreterSequence();
    // Interface thread: once the load has ended, starts or fails the file waiting for it and
    // tells QuandPret's callback. True once that is done.
    bool TraiterChargement();

    std::unique_ptr<Moteur> m_;
};

} // namespace platform

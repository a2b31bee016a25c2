#pragma once
// The wave sound component: a complete RIFF WAVE file carried inside the form that places it
// (the splash window's built-in starting music) and played from memory, once, in the
// background, silently when it cannot be played.
//
// The bytes are kept as they were stored; they are only read when played, and then as
// untrusted input: every chunk size is checked against what is really there before anything
// is taken from it. Playback goes through a process-wide sound output that the program
// installs; the default one plays nothing.
#include <cstdint>
#include <functional>
#include <iosfwd>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

// What a wave image holds, as far as playing it needs.
struct TFormatWave {
    uint16_t FormatTag = 0;          // 1: PCM, 3: floating point (also when named by the extensible format)
    uint16_t Canaux = 0;             // 1 or 2
    uint32_t Frequence = 0;          // samples per second
    uint32_t OctetsParSeconde = 0;   // as stored; not relied upon
    uint16_t AlignementBloc = 0;     // bytes of one frame (all channels)
    uint16_t BitsParEchantillon = 0; // 8, 16, 24 or 32
    uint32_t DebutDonnees = 0;       // offset of the first sample byte in the image
    uint32_t TailleDonnees = 0;      // bytes of samples (the "data" chunk's size)

    uint32_t NbTrames() const { return AlignementBloc ? TailleDonnees / AlignementBloc : 0; }
    double DureeSecondes() const { return Frequence ? double(NbTrames()) / Frequence : 0.0; }
};

enum class ErreurWave {
    Aucune,
    EnTeteTronque,       // fewer than the 12 bytes of the RIFF header
    PasRiff,             // no "RIFF" tag
    PasWave,             // no "WAVE" form type
    TailleRiffInvalide,  // the RIFF size cannot even hold the form type
    MorceauTronque,      // a chunk header or a chunk's bytes run past the end of the image
    FormatManquant,      // no "fmt " chunk before the "data" chunk
    FormatTropCourt,     // "fmt " shorter than 16 bytes
    FormatEnDouble,      // a second "fmt " chunk
    FormatNonPcm,        // anything but PCM or 32-bit floating point
    CanauxNonGeres,      // not mono or stereo
    BitsNonGeres,        // not 8, 16, 24 or 32 bits
    FrequenceNulle,
    AlignementIncoherent,// block alignment differs from channels x bytes per sample
    DonneesManquantes,   // no "data" chunk
};

const char* TexteErreurWave(ErreurWave erreur);

// Reads the chunks of a RIFF WAVE image. The chunks are walked within the RIFF size (or the
// image, when the RIFF size claims more than there is); unknown chunks are skipped with their
// pad byte. A "data" chunk announcing more bytes than there are is clipped to those present.
// Nothing is returned for an image that breaks any rule above.
std::optional<TFormatWave> AnalyserWave(std::span<const uint8_t> octets, ErreurWave* erreur = nullptr);

// The samples of an analysed image as signed 16-bit values, interleaved by channel (8-bit
// samples are unsigned in a wave and are centred and scaled; deeper ones keep their upper
// 16 bits, floating-point ones are clamped to [-1, 1] and scaled). An incomplete last frame is
// left out.
std::vector<int16_t> EchantillonsWave(std::span<const uint8_t> octets, const TFormatWave& format);

// The sound output the wave data plays through: one sound at a time, as the platform's
// in-memory wave call does (a new sound replaces the one playing). It shares the bytes, so
// they stay valid for as long as it plays them, whatever becomes of the data object.
class ISortieWave {
public:
    virtual ~ISortieWave() = default;
    virtual void Jouer(std::shared_ptr<const std::vector<uint8_t>> octets, const TFormatWave& format) = 0;
    virtual void Arreter() = 0;
    // The last sound has played to its end (or nothing plays).
    virtual bool Termine() const { return true; }
};

// Installs the program's sound output (nullptr puts the silent one back) and returns it.
void InstallerSortieWave(std::shared_ptr<ISortieWave> sortie);
ISortieWave& SortieWave();

// The wave bytes of a component, streamed as the binary property "Data": a 32-bit
// little-endian byte count followed by the bytes. Empty is judged by the size alone.
class TWaveData {
public:
    TWaveData() = default;
    TWaveData(const TWaveData& autre) { Assign(&autre); }
    TWaveData& operator=(const TWaveData& autre);

    uint32_t Size() const { return buffer_ ? static_cast<uint32_t>(buffer_->size()) : 0; }
    bool Vide() const { return Size() == 0; }
    // The stored bytes (empty span when empty).
    std::span<const uint8_t> Buffer() const;

    void Clear();
    // A copy of the source's bytes in a buffer of this object's own; no source clears.
    void Assign(const TWaveData* source);
    // Takes the given bytes as the wave image.
    void AssignerOctets(std::vector<uint8_t> octets);

    // The count, then that many bytes. False, and the data left empty, when the stream ends
    // before the count or the bytes it announces (a damaged form).
    bool ReadData(std::istream& flux);
    void WriteData(std::ostream& flux) const;
    // The binary property is written only when there is something to write.
    bool DataAEcrire() const { return !Vide(); }

    // The whole file as the wave image; a missing, unreadable, empty or non-regular file
    // leaves the data empty. False then.
    bool LoadFromFile(const std::string& nomFichier);

    // Starts the sound in the background and returns at once; nothing when empty or when
    // the bytes are no playable wave (no default sound either).
    void Play() const;

private:
    std::shared_ptr<const std::vector<uint8_t>> buffer_;
};

// The component: its own wave data, and an event fired before each play.
class TWave {
public:
    TWave() = default;
    TWave(const TWave&) = delete;
    TWave& operator=(const TWave&) = delete;

    std::string Name;
    std::function<void(TWave& sender)> OnPlay;

    const TWaveData& WaveData() const { return waveData_; }
    TWaveData& WaveData() { return waveData_; }
    // The component keeps its own data object and takes a copy of the value.
    void SetWaveData(const TWaveData& valeur) { waveData_.Assign(&valeur); }

    void Play();

    // The published properties as a form stores them: "WaveData.Data" as a binary value
    // (name as a short string, the binary value tag, then the data's own format), written
    // only when the data is not empty. Reading takes the properties of a stream written so;
    // false for anything else (and the data is left empty).
    void EcrireProprietes(std::ostream& flux) const;
    bool LireProprietes(std::istream& flux);

private:
    TWaveData waveData_;
};

#pragma once
// Reading Standard MIDI Files of format 0 and 1 for the import. A MIDI file is untrusted
// input: the whole structure (header, chunk lengths, every event of every track) is checked
// before anything is built from it, and every length, count and index is held against the
// bytes that are really there, so a malformed file is refused and never read past its end.
// A file cut short in the end-of-track event of its last track is read as far as it goes, as
// other readers do: nothing but that event is missing. A format-1 file that ends before the
// last tracks its header announces, or in the middle of one, keeps the tracks it holds whole:
// a download or a copy cut short loses only what is missing.
//
// Events follow running status: a data byte where a status is expected repeats the last
// channel status written. Meta and system-exclusive events leave it in force. That is a
// deliberate leniency: the MIDI standard has them cancel it, but sequencers put them between
// the events of a running status and go on without writing the status again, and refusing
// their files would lose every note in them.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// Files larger than this are not taken for MIDI files (real ones are a few hundred kilobytes).
inline constexpr std::size_t kTailleFichierMidiMax = 64u << 20;

// A song never lasts longer than this many quarter notes (1000 measures of 32/1): the notes
// of a track after it are not read.
inline constexpr double kDureeImportMax = 1000.0 * 128.0;

struct TPisteMidi {
    std::size_t Debut = 0;    // offset of the chunk's body in the file
    std::size_t Longueur = 0; // length of the body
};

struct TFichierMidi {
    std::vector<uint8_t> Octets;
    int32_t Format = 0;       // 0 or 1
    int32_t NbPistes = 0;     // low byte of the header's track count
    int32_t Division = 0;     // ticks per quarter note, 1..32767
    // Track chunks in file order (chunks of other kinds are passed over). Format 1: the first
    // is the tempo track, followed by the NbPistes - 1 tracks the header announces, but for
    // those the file does not hold whole; format 0: the one track.
    std::vector<TPisteMidi> Pistes;
    // Format 1: how many of the tracks the header announces the file does not hold whole (it
    // ends before them or in their middle). They are the last ones, left out of Pistes.
    int32_t PistesIncompletes = 0;
};

enum class ResultatLectureMidi {
    Ok,
    Inaccessible, // the file cannot be opened or read
    NonReconnu,   // not a MIDI file of format 0 or 1
    TempsSmpte,   // times counted in frames of a time code, not in ticks per quarter note
    DivisionNulle, // 0 ticks per quarter note
    Endommage,    // a MIDI file of format 0 or 1 cut short or with bytes that break the format,
                  // with no track left whole to import
};

// Reads the file and checks its structure and every event of every track.
ResultatLectureMidi ChargerFichierMidi(const std::string& chemin, TFichierMidi& fichier);
ResultatLectureMidi AnalyserFichierMidi(std::vector<uint8_t> octets, TFichierMidi& fichier);

// A variable-length quantity starting at octets[pos] (its first byte included): at most four
// bytes, all before `fin`. Moves pos past it; false when it runs past `fin` or is longer.
bool LireLongueurVariable(const uint8_t* octets, std::size_t fin, std::size_t& pos, uint32_t& valeur,
                          int32_t& nombre);

// One event of a track.
struct TEvenementMidi {
    int64_t Ticks = 0;       // absolute time in the track
    uint8_t Statut = 0;      // status byte, running status resolved (0xFF meta, 0xF0/0xF7 sysex)
    bool StatutEcrit = false; // the status byte was written out, not implied
    uint8_t Donnee1 = 0;     // channel events: the data bytes; meta events: Donnee1 is the type
    uint8_t Donnee2 = 0;
    std::size_t DebutDonnees = 0;  // meta and system-exclusive payload: offset in the body
    uint32_t LongueurDonnees = 0;

    bool EstMeta(uint8_t type) const { return Statut == 0xFF && Donnee1 == type; }
    int32_t Classe() const { return Statut >= 0xF0 ? Statut : (Statut & 0xF0); }
    int32_t Canal() const { return (Statut & 0x0F) + 1; } // 1..16 for channel events
};

// Walks the events of one track body: the first delta time, then each event followed by the
// next delta, up to the end of the body or the end-of-track event.
class LecteurEvenementsMidi {
public:
    LecteurEvenementsMidi(const uint8_t* corps, std::size_t longueur);

    // The next event; false at the end of the track, or when the bytes break the format
    // (Erreur() then tells).
    bool Suivant(TEvenementMidi& e);

    bool Erreur() const { return erreur_; }
    std::size_t Consommes() const { return pos_; }
    // Where the last event read whole ends (its delta time and bytes; 0 before the first).
    std::size_t FinDernierEvenement() const { return finEvenement_; }
    // Time reached: the last event's, plus a delta time that closes the body.
    int64_t Ticks() const { return ticks_; }
    const uint8_t* Corps() const { return corps_; }

private:
    bool LireDelta();
    bool Octet(uint8_t& b);

    const uint8_t* corps_;
    std::size_t fin_;
    std::size_t pos_ = 0;
    std::size_t finEvenement_ = 0;
    int64_t ticks_ = 0;
    uint8_t statut_ = 0;  // running status: the last channel or system-common status; 0 = none
    bool fini_ = false;
    bool erreur_ = false;
};

// The first tempo of the file, from microseconds per quarter note: beats per minute within the
// song's 1..999; -1 for 0 microseconds, which gives no tempo.
int32_t TempoDepuisMicrosecondes(uint32_t microsecondes);

// Builds the measures of a new song from the time signatures met while reading, in order.
class ConstructeurSignatures {
public:
    explicit ConstructeurSignatures(int32_t division) : division_(division) {}

    // A time-signature event (numerator nn, denominator exponent dd) at `ticks`. Signatures the
    // song cannot hold (numerator 0 or above 32, denominator above 32), and those that would
    // lie beyond its 1000 measures, are passed over.
    void Appliquer(int64_t ticks, int32_t nn, int32_t dd);

private:
    int32_t division_;
    bool premiere_ = true;
    int64_t ticksSignature_ = 0;
};

// Tempo and time signatures of a track (the tempo track of format 1, the one track of
// format 0): the measures are built in the song, and the first tempo is returned (-1: none).
int32_t LireTempoEtSignatures(const TFichierMidi& fichier, std::size_t piste);

// A source of format 1: the track's name (first name event, raw bytes), whether it has one,
// and its program: the first program change after the name, else the last one before it
// (the last of the track when it has no name); -1 when none.
struct TSourceMidi {
    std::string Nom;
    bool AvecNom = false;
    int32_t Programme = -1;
};
TSourceMidi AnalyserSourceMidi(const TFichierMidi& fichier, std::size_t piste);

// Whether a track plays any note (a note-on of some velocity, on any channel). The first track
// of a format-1 file that does is a source like the others, besides holding the tempo.
bool PisteAvecNotes(const TFichierMidi& fichier, std::size_t piste);

// Format 0: the channels 1..16 whose note-on status is written out somewhere in the track,
// and the last program change of each (-1 when none). Entry 0 unused.
struct TCanauxMidi {
    std::vector<bool> Utilise = std::vector<bool>(17, false);
    std::vector<int32_t> Programme = std::vector<int32_t>(17, -1);
};
TCanauxMidi AnalyserCanauxMidi(const TFichierMidi& fichier, std::size_t piste);

// Notes of a track that the note list did not take: how many, and where the first one starts
// (quarter notes from the start of the track).
struct TNotesNonLues {
    int32_t Nombre = 0;
    double Position = 0.0;
};
struct TNotesHorsListe {
    TNotesNonLues SousZero; // below MIDI note 0 once lowered by the octave shift
    TNotesNonLues Apres;    // after kDureeImportMax, or once the list was full
};

// Reads the notes of a track into the note list (refilled from empty): note-ons and note-offs
// of channel `canal` (1..16), or of every channel when it is 0, each pitch lowered by
// `decalage` semitones; a note that would fall below MIDI note 0 is left out. Sets
// DureeTotaleImport to the time reached. `progression` gets 0..28 after every event. The
// notes after kDureeImportMax, and those beyond the list's capacity, are not read. The notes
// left out are counted in `horsListe` when given. False when the track is malformed.
bool LireNotesPiste(const TFichierMidi& fichier, std::size_t piste, int32_t decalage, int32_t canal,
                    const std::function<void(int)>& progression = {}, TNotesHorsListe* horsListe = nullptr);

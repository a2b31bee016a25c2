#pragma once
// The song record and the global variables shared by every part of the program: there is only
// ever one song in memory, refilled in place by new, open and import.
//
// Arrays are 1-based like the tracks, strings, beats and measures they hold: each is one
// element larger than its count and index 0 is never used.
#include "document/Accord.h"
#include "document/ReelCompact.h"
#include "document/TableMix.h"
#include "document/TexteCourt.h"

#include <array>
#include <cassert>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// A 1-based array of N entries (index 0 unused).
template <class T, std::size_t N>
using OneBased = std::array<T, N + 1>;

inline constexpr int kNbPistes = 8;          // track 8 is always the percussion track
inline constexpr int kPistePercussions = 8;
inline constexpr int kNbCordesMax = 6;
inline constexpr int kNbTempsMax = 66;       // beat slots per track and measure: 64 beats + free slot, spare
inline constexpr int kNbTempsSaisis = 64;    // the editor keeps at most this many beats
inline constexpr int kNbMesuresMax = 1000;
inline constexpr int kNbAccordsPartitionMax = 50;
inline constexpr int kNbAccordsUtilisesMax = 700;
inline constexpr int kNbLibrairieAccordsMax = 200;
inline constexpr int kTicksNoire = 480;      // ticks per quarter note
inline constexpr int8_t kPasDeNote = -1;     // fret of a string without a note
inline constexpr int8_t kNoteMorte = 100;    // fret of a dead note, shown as "x"

// Highest typed fret per track; on track 8 the fret is the percussion note number.
inline constexpr OneBased<int32_t, kNbPistes> FretteMax{0, 24, 24, 24, 24, 24, 24, 24, 99};

// Ticks of a note value: code -2 whole .. 4 sixty-fourth, times 3/2 dotted, times 2/3 in a triplet.
constexpr int32_t DureeEnTicks(int codeDuree, bool pointee, bool triolet)
{
    int32_t ticks = (4 * kTicksNoire) >> (codeDuree + 2);
    if (pointee)
        ticks = ticks * 3 / 2;
    if (triolet)
        ticks = ticks * 2 / 3;
    return ticks;
}

// The note of one string in a beat. An empty string slot is the default value. Eight bytes:
// a song holds up to three million of them.
struct TNoteCorde {
    int8_t Frette = kPasDeNote; // -1 none, 0..FretteMax, 100 dead note
    uint8_t Effet = 0;         // link technique 0..7: none, HO, PO, slide up, slide down, bend, bend-release, let ring
    uint8_t Nuance = 6;        // dynamic 1..8 = ppp..fff; 4 or lower is a ghost note
    int8_t FretteGrace = kPasDeNote; // grace note fret: -1 none, 100 dead
    uint8_t NuanceGrace = 0;   // 1..8, when FretteGrace >= 0
    uint8_t DureeGrace = 0;    // 1..3 (30, 60, 120 ticks before the note), when FretteGrace >= 0
    ReelCompact ValeurBend = 1.0; // tones, for link techniques 5 and 6

    friend bool operator==(const TNoteCorde&, const TNoteCorde&) = default;
};

// The vibrato-stroke amounts a song file keeps: its reader puts 1.0 in place of any other.
inline constexpr double kCoupVibMinimum = 0.5;
inline constexpr double kCoupVibMaximum = 6.0;

// One beat slot. Its chord and mix-table change are shared, immutable records: a copy of the
// beat (undo, cancel measure, clipboard) keeps them alive, and changing them means putting a
// new record in place. A song holds up to half a million beats: the fields are small and
// ordered to pack, the technique amounts take two bytes each (ReelCompact) and the rare text
// lives out of line.
struct TTemps {
    std::shared_ptr<const TAccord> Accord;          // meaningful only when AvecAccord is set
    std::shared_ptr<const cTableMixEvent> TableMix; // null = no change at this beat
    TexteCourtReduit<40> Texte;
    OneBased<TNoteCorde, kNbCordesMax> Notes{};     // strings 1..6
    int32_t Duree = kTicksNoire;      // ticks
    ReelCompact ValeurCoupVib = 1.0;  // vibrato-stroke amount (technique 3)
    bool Silence = false;             // a rest: its notes are ignored and not saved
    bool Lie = false;                 // tied to the previous beat: no notes of its own
    int8_t CodeDuree = 0;             // -2 whole .. 4 sixty-fourth
    bool Pointee = false;
    bool Triolet = false;
    int8_t PosTriolet = 0;            // 1..3 inside the triplet group, when Triolet
    int8_t Effet = 0;                 // beat technique 0..9
    int8_t Brush = 0;                 // strum: 0 none, 1 up, 2 down
    uint8_t DureeBrush = 0;           // strum over 480 / DureeBrush ticks, when Brush > 0
    bool AvecAccord = false;

    // Layout of the current track, computed by the score view and the beaming; never saved.
    uint8_t LiensPrec = 0, TempsPrec = 0, CrochetsGauche = 0;
    uint8_t LiensSuiv = 0, TempsSuiv = 0, CrochetsDroite = 0;
    uint8_t CotePointe = 0;
    int32_t XEcran = 0;
    double XImp = 0.0;

    // Scratch pitches of MIDI import, re-fingering and transposition (-1 rest, -2 tie), 1-based.
    uint8_t NbHauteursImport = 0;
    OneBased<int16_t, kNbCordesMax> HauteursImport{};
};

// The beat slots of one track part in a measure, numbered like the beats (slot 0 is never a
// beat). Only the slots the track part has written are stored, so a measure costs what it
// holds: reading a slot never written gives the empty beat, writing one stores it. Each beat
// sits in a block of its own, so a reference to a beat stays valid while later slots are
// written (an edit holds the last beat while it prepares the free slot after it). A copy is a
// true value: the beats are copied, only their chords and mix-table changes are shared.
class TTempsPiste {
public:
    TTempsPiste() = default;
    TTempsPiste(const TTempsPiste& autre);
    TTempsPiste(TTempsPiste&&) noexcept = default;
    TTempsPiste& operator=(const TTempsPiste& autre);
    TTempsPiste& operator=(TTempsPiste&&) noexcept = default;

    const TTemps& operator[](int b) const
    {
        assert(b >= 0 && b <= kNbTempsMax);
        const auto i = static_cast<std::size_t>(b);
        return i < slots_.size() && slots_[i] ? *slots_[i] : TempsVide();
    }

    TTemps& operator[](int b)
    {
        const auto i = static_cast<std::size_t>(b);
        return i < slots_.size() && slots_[i] ? *slots_[i] : Stocker(b);
    }

    // The highest slot stored (-1 when none): the memory the track part takes, not its beats.
    int DernierStocke() const { return static_cast<int>(slots_.size()) - 1; }

    // The empty beat that every slot never written reads as.
    static const TTemps& TempsVide();

private:
    TTemps& Stocker(int b);

    std::vector<std::unique_ptr<TTemps>> slots_; // by slot number; null = never written
};

// One measure block: 8 tracks of up to 66 beat slots. A plain value: copying a block gives a
// true snapshot of the measure.
struct TMesure {
    uint8_t Numerateur = 4;
    uint8_t Denominateur = 4;
    double Duree = 4.0;                               // nominal length in quarter notes
    OneBased<int32_t, kNbPistes> NbTemps{};           // beats per track
    OneBased<TTempsPiste, kNbPistes> Temps;
    OneBased<double, kNbPistes> DureeReelle{};        // actual length in quarters, to 1/1000
    bool RenvoiDebut = false;
    bool RenvoiFin = false;
    bool Repetition = false;                          // an alternate ending starts here
    int8_t NumRepetition = 1;
    int8_t NbRenvois = 1;                             // only with RenvoiFin

    // Layout of the current track on the score view and in print; never saved.
    double LargeurImp = 0.0;
    int32_t Largeur = 0;
    int32_t Y = 0;
    double EspaceGaucheImp = 0.0, EspaceDroiteImp = 0.0;
    int32_t EspaceGauche = 0, EspaceDroite = 0;
    int32_t XGauche = 0, XDroite = 0;
    int32_t Ligne = 0;
};

// The song.
struct TPartition {
    TexteCourt<100> Titre;
    TexteCourt<50> Auteur;
    TexteCourt<100> Commentaire;
    OneBased<int32_t, kNbPistes> NbCordes{};                          // 4..6
    OneBased<OneBased<int32_t, kNbCordesMax>, kNbPistes> Accordage{}; // MIDI note per open string
    OneBased<int32_t, kNbPistes> NbFrettes{};
    int32_t NbMesures = 1;
    // Blocks 1..NbMesures; block 1 always exists once the program runs.
    OneBased<std::unique_ptr<TMesure>, kNbMesuresMax> Mesures;
    int32_t MesureCourante = 1;                                       // not saved
    int32_t Tempo = 120;
    OneBased<int32_t, kNbPistes> Instrument{};                        // GM program; track 8: drum kit
    int32_t TripletFeel = 0;
    int32_t Armure = 0;                                               // -7..+7, sharps positive
    int32_t NbPistes = kNbPistes;
    OneBased<TexteCourt<40>, kNbPistes> NomPiste;
    OneBased<bool, kNbPistes> Solo{};
    OneBased<bool, kNbPistes> Muette{};
    OneBased<bool, kNbPistes> PasExporter{};
    OneBased<bool, kNbPistes> DouzeCordes{};
    bool ModeSolo = false;
    int32_t PisteSolo = 0;
    OneBased<int32_t, kNbPistes> Volume{};
    OneBased<int32_t, kNbPistes> Panoramique{};
    OneBased<int32_t, kNbPistes> Chorus{};
    OneBased<int32_t, kNbPistes> Reverb{};
    OneBased<int32_t, kNbPistes> Capo{};
    // Statistics for the song browser, set only by the song reader; not saved.
    int32_t NbPistesGuitare = 0;
    int32_t NbPistesBasse = 0;
    bool AvecPercussions = false;
};

// Working copy of the song and track properties, edited by the properties and import dialogs.
struct TProprietesTempo {
    TexteCourt<100> Titre;
    TexteCourt<50> Auteur;
    TexteCourt<100> Commentaire;
    int32_t Tempo = 120;
    int32_t Triplet = 0;
    OneBased<std::string, kNbPistes> NomPiste;   // not limited here: cut to 40 on the way back
    OneBased<int32_t, kNbPistes> Instrument{};
    OneBased<int32_t, kNbPistes> NbCordes{};
    OneBased<OneBased<int32_t, kNbCordesMax>, kNbPistes> Accordage{};
    OneBased<int32_t, kNbPistes> NbFrets{};
    OneBased<bool, kNbPistes> Solo{};
    OneBased<bool, kNbPistes> Muette{};
    OneBased<bool, kNbPistes> PasExporter{};
    OneBased<bool, kNbPistes> DouzeCordes{};
    bool ModeSolo = false;
    int32_t PisteSolo = 0;
    OneBased<int32_t, kNbPistes> Volume{};
    OneBased<int32_t, kNbPistes> Panoramique{};
    OneBased<int32_t, kNbPistes> Chorus{};
    OneBased<int32_t, kNbPistes> Reverb{};
    OneBased<int32_t, kNbPistes> Capo{};
    // For the MIDI import only.
    OneBased<bool, kNbPistes> OctaveInferieure{};
    OneBased<int32_t, kNbPistes> Quantification{0, 4, 4, 4, 4, 4, 4, 4, 4};
    OneBased<int32_t, kNbPistes> PisteSource{};  // 1-based source track, 0 = none
};

// The edit cursor and the edit-zone geometry.
struct TCurseur {
    uint8_t Initialise = 0;
    int32_t Corde = 1;
    int32_t Temps = 1;
    bool ChiffreEnAttente = false;
    int32_t MargeGauche = 30;
    int32_t MargeHaut = 48;
    int32_t LargeurZone = 570;
    int32_t EspCordes = 14;
    int32_t LargeurTemps = 50;
    int32_t NbTempsVisibles = 0;
    int32_t PositionMax = 0;
    int32_t TailleChiffres = 10;
};

extern TPartition Partition;
extern TProprietesTempo ProprietesTempo;
extern int32_t PisteCourante;      // 1..8
extern TCurseur Curseur;

// The current measure before the last edit (single-level undo) and as it was on entering it.
extern TMesure MesureAnnulation;
extern TMesure CopieMesureEntree;

// File identity of the song.
extern std::string CheminFichier;  // full path, or the untitled text
extern std::string NomFichier;     // file-name part; empty = never saved
extern bool PartitionModifiee;     // unsaved changes
extern bool PartitionVierge;       // blank new song, cleared by the first edit

// Every edit goes through here: a song that is modified is no longer blank, or closing and
// opening would not ask to save it.
void MarquerModifiee();

// Chord lists, entries 1..count, each slot owning its record.
extern OneBased<std::unique_ptr<TAccord>, kNbAccordsPartitionMax> AccordsPartition;
extern int32_t NbAccordsPartition;
extern OneBased<std::unique_ptr<TAccord>, kNbAccordsUtilisesMax> AccordsUtilises;
extern int32_t NbAccordsUtilises;
extern OneBased<std::unique_ptr<TAccord>, kNbLibrairieAccordsMax> LibrairieAccords;
extern int32_t NbLibrairieAccords;

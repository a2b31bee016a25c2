#pragma once
// The MIDI events of one track, gathered in any order and written out in time order as the
// bytes of a track body, and the byte encoders shared by every MIDI writer.
//
// Events of equal time keep the order in which they were added: the writers add the set-up
// events of a track at tick 0 in the order they must appear, and an event added at the same
// tick as an earlier one is written after it.
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string_view>
#include <vector>

// Status nibbles of the channel events, and the meta-event status (written as 0xFF with the
// channel 15 that meta events carry).
inline constexpr uint8_t StatutNoteOff = 0x80;
inline constexpr uint8_t StatutNoteOn = 0x90;
inline constexpr uint8_t StatutPressionTouche = 0xA0;
inline constexpr uint8_t StatutControleur = 0xB0;
inline constexpr uint8_t StatutProgramme = 0xC0;
inline constexpr uint8_t StatutPressionCanal = 0xD0;
inline constexpr uint8_t StatutPitchWheel = 0xE0;
inline constexpr uint8_t StatutMeta = 0xF0;
inline constexpr int32_t CanalMeta = 15;

// Meta-event types the writers use.
inline constexpr uint8_t MetaNomPiste = 0x03;
inline constexpr uint8_t MetaPrefixeCanal = 0x20;
inline constexpr uint8_t MetaPort = 0x21;
inline constexpr uint8_t MetaFinPiste = 0x2F;
inline constexpr uint8_t MetaTempo = 0x51;
inline constexpr uint8_t MetaSignature = 0x58;
inline constexpr uint8_t MetaArmure = 0x59;

// One event of a track.
struct cEvtMIDIPile {
    int64_t Temps = 0;   // ticks from the start of the track, 480 per quarter note
    int32_t Canal = 0;   // 0..15, added to the status byte; 15 for meta events
    uint8_t Statut = 0;  // high nibble of the status byte; 0xF0 for a meta event
    uint8_t Donnee1 = 0; // note, controller, program, wheel LSB; meta type
    uint8_t Donnee2 = 0; // velocity, value, wheel MSB; meta length byte
    int32_t Valeur = 0;  // meta payload: beats per minute of a tempo, else one byte
};

class cMIDIPile {
public:
    // Last values sent on the track: the starting points of the mix-table ramps and the full
    // level of a fade-in. Emptying the list keeps them.
    int32_t Volume = 0;
    int32_t Pan = 0;
    int32_t Chorus = 0;
    int32_t Reverb = 0;
    int32_t Tempo = 0;

    // Drops every event; the five values above stay.
    void Vider();

    void Ajouter(int64_t temps, int32_t canal, uint8_t statut, uint8_t donnee1, uint8_t donnee2, int32_t valeur);
    void Inserer(const cEvtMIDIPile& evt);

    bool EstVide() const { return evts_.empty(); }
    std::size_t Taille() const { return evts_.size(); }

    // The events in time order (equal times in the order they were added).
    const std::vector<cEvtMIDIPile>& Evenements() const;

    // Appends the track bytes of every event to `octets`: delta time, status and data, with no
    // running status and no end-of-track event (the writer appends it).
    void EcrireTampon(std::vector<uint8_t>& octets) const;
    // The same into TamponMidi from `index`, which moves past the last byte written.
    void EcrireTampon(int32_t& index) const;

private:
    // Events arrive almost in time order, but the pitch-bend range of every technique goes
    // to tick 0 at the end of a long list: a stable sort before reading is linear-logarithmic
    // where moving each node back would be quadratic, and gives the same order.
    mutable std::vector<cEvtMIDIPile> evts_;
    mutable bool trie_ = true;
};

// The shared buffer in which the writers assemble one track body. It grows with the body:
// a long song with dense notes easily passes any fixed size.
extern std::vector<uint8_t> TamponMidi;

// Largest value a variable-length quantity holds in its four bytes.
inline constexpr int64_t LongueurVariableMax = 0x0FFFFFFF;

// The variable-length quantity of a delta time, most significant byte first: 1 to 4 bytes.
// A value outside 0..LongueurVariableMax is limited to it (see AjouterDelta for long gaps).
int CoderLongueurVariable(int64_t valeur, uint8_t (&octets)[4]);

// Appends a delta time. A gap longer than one quantity holds is bridged with empty text
// events, so that every later event keeps its exact time.
void AjouterDelta(std::vector<uint8_t>& octets, int64_t delta);

// Microseconds per quarter note of a tempo, as the three bytes of a tempo event. A tempo
// below 4 beats per minute (or not positive) gives the slowest tempo the three bytes hold.
void TempoEnOctets(int32_t bpm, uint8_t& b1, uint8_t& b2, uint8_t& b3);

// A chunk length as four big-endian bytes.
void DecouperOctets(uint32_t valeur, uint8_t (&octets)[4]);
void AjouterLongueurChunk(std::vector<uint8_t>& octets, uint32_t valeur);

// Appends bytes one by one: GCC 12 takes vector::insert of a brace list or of a constant
// text into a growing buffer for an overflow and warns.
void AjouterOctets(std::vector<uint8_t>& octets, std::initializer_list<uint8_t> ajout);
void AjouterOctets(std::vector<uint8_t>& octets, std::string_view ajout);

// The two bytes of a 16-bit value.
void DecouperMot(int32_t valeur, uint8_t& haut, uint8_t& bas);

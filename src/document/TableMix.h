#pragma once
// A mix-table change that starts at a beat: instrument, volume, pan, chorus, reverb and tempo,
// each either unchanged (-1) or a new value; all but the instrument may glide over a
// transition of 0..8 quarter notes.
#include <cstdint>
#include <memory>

class cTableMixEvent {
public:
    int8_t Instrument = -1;
    int8_t Volume = -1;
    int8_t Pan = -1;
    int8_t Chorus = -1;
    int8_t Reverb = -1;
    int32_t Tempo = -1;
    int8_t TransVolume = 0;
    int8_t TransPan = 0;
    int8_t TransChorus = 0;
    int8_t TransReverb = 0;
    int8_t TransTempo = 0;

    // A change that changes nothing.
    static std::shared_ptr<cTableMixEvent> Create() { return std::make_shared<cTableMixEvent>(); }

    // All eleven fields into cible.
    void CopierVers(cTableMixEvent& cible) const;

    friend bool operator==(const cTableMixEvent&, const cTableMixEvent&) = default;
};

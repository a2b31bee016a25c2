#pragma once
// The chord dialog's listen button: the working chord played as a quick strum from the
// lowest sounding string to the highest, written as a small two-track MIDI file and played
// through the one media player and temporary file that every listen uses.
#include "document/Accord.h"
#include "document/Variable.h"

#include <cstdint>
#include <string>
#include <vector>

// The file of a chord: format 1, 480 ticks per quarter, a conductor track at 100 beats per
// minute in 4/4, then one track on channel 1 with full volume, no chorus or reverb, centred,
// program `programme`, and the note of every sounding string from 6 up to 1 (open-string
// pitch plus fret; the capo is not applied), each started 60, 55, 50, 45, 40 ticks after the
// one below and all released together 385 ticks after the last. A string whose pitch falls
// outside the MIDI range does not sound.
std::vector<uint8_t> GenererMidiAccord(const TAccord& accord, const OneBased<int32_t, kNbCordesMax>& accordage,
                                       int32_t programme);

// Writes the file of AccordTravail with the current track's tuning and program. When the
// file cannot be created: the error message, and false.
bool EcrireMidiAccord(const std::string& fichier);

// The listen button. Only with a working sequencer and while no play of the dialog is
// running (the player's notify flag is off until the end of the last one has been heard):
// the player is closed, the file rewritten and played with notification.
void EcouterAccord();

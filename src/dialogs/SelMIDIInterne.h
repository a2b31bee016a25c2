#pragma once
// What the units of the MIDI import dialog (SelMIDI*.cpp) share. Only they include it.

namespace {

constexpr int kProgrammeMax = 127;

} // namespace

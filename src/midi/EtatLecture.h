#pragma once
// Playback state shared by the MIDI writer, the play commands, the timer that follows the
// score and the speed trainer.
#include "midi/uMIDIPile.h"

#include <cstdint>
#include <vector>

// What a writing run or a playback is for.
using TModeLecture = int32_t;
inline constexpr TModeLecture ModeLectureAucun = -1;       // no playback or export running
inline constexpr TModeLecture ModeLectureExport = 0;       // MIDI export
inline constexpr TModeLecture ModeLectureDebut = 1;        // play from the first measure
inline constexpr TModeLecture ModeLectureDepuisMesure = 2; // play from the current measure
inline constexpr TModeLecture ModeLectureMesure = 3;       // play the current measure once
inline constexpr TModeLecture ModeLectureSpeedTrainer = 4; // one pass of the speed trainer
inline constexpr TModeLecture ModeLectureTemps = 5;        // the beat under the cursor

struct TEtatLecture {
    double ProchaineMesure = 0.0; // minutes from the start of the file to the next play-order entry
    TModeLecture Mode = ModeLectureAucun;
    int32_t TempoCourant = 120;   // tempo written into the file
    int32_t TempoDebut = 0;       // speed trainer
    int32_t TempoFin = 0;
    int32_t PasTempo = 0;
};

extern TEtatLecture EtatLecture;

// Minutes each play-order entry lasts (1-based, like OrdreLecture), filled by the writer in
// export and in the modes that play from a measure.
extern std::vector<double> DureesLecture;

// Every tempo change of the file being written, in time order; the writer empties it at the
// start of each run and measures the play order against it.
extern cMIDIPile PileTempo;

// Bar range of a speed-trainer pass.
extern int32_t MesureDebutSpeedTrainer;
extern int32_t MesureFinSpeedTrainer;

// The song browser is playing songs: the play order then counts measures played.
extern bool ParcoursEnCours;

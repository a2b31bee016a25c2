#pragma once
// Playback control: the Sound commands, the start of a playback, the 100 ms timer that moves
// the current measure along the play order, and the media player's end-of-play notification,
// which restarts a loop or the next speed-trainer pass, repeats a dialog's audition, or ends
// the playback and gives the window back. Besides: the availability test of the sequencer at
// start, the beat played while entering, and the small audition files of the listen buttons.
//
// One media player and one temporary file (lyrx.tmp in the Windows directory) serve all of
// them. Every caller closes the player and lets pending messages run before it rewrites the
// file, so that a notification still pending from the last play is handled first; the
// notification tells the users apart by the flags below.
//
// "Playing" is the play-from-start command being disabled in the command list; the window is
// reached through FenetrePrincipale().
#include "midi/EtatLecture.h"
#include "platform/LecteurMedia.h"

#include <cstdint>
#include <string>
#include <vector>

// ---- The media player ------------------------------------------------------------------------

// The one media player (MediaPlayer1). Until one is installed, a player that never opens.
platform::LecteurMedia& MediaPlayer1();
// Installs the player (nullptr: the one that never opens); its end-of-play notification
// then runs MediaPlayer1Notify. The caller keeps ownership.
void InstallerMediaPlayer(platform::LecteurMedia* lecteur);

// ---- State -------------------------------------------------------------------------------------

// The availability test found a working sequencer; playback and every listen do nothing
// without it.
extern bool MidiDisponible;
// A single-beat preview is playing: its notification only clears this.
extern bool LectureTemps;
// The user asked to stop: the notification ends the playback instead of looping.
extern bool ArretDemande;
// A click on the score view stopped the player to restart at the clicked measure.
extern bool ArretDemandeClic;
// Set when a speed-trainer pass starts; never cleared.
extern bool SpeedTrainerActif;
// The chord dialog is open (it plays its chords through the same player).
extern bool DialogueAccordOuvert;
// The measure a loop goes back to: the start measure when playing from a measure or in the
// speed trainer, -1 otherwise.
extern int32_t MesureDepartLecture;
// Entry of OrdreLecture being played, 1-based.
extern int32_t IndexLecture;
// Window caption during playback ("Lyrandaxis 2.2 - " and the song's file name, UTF-8), and
// the length of the played file as "mm:ss".
extern std::string TitreLecture;
extern std::string LongueurLecture;
// Palettes open when the playback started, shown again at its end. A track switch to track
// 8 during playback sets PercussionOuvert.
extern bool SolfegeOuvert;
extern bool PercussionOuvert;
extern bool DynaOuvert;

// ---- Sound commands ----------------------------------------------------------------------------

// Play from the first measure (mode 1), from the current measure (mode 2; also the restart of
// a score-view click), the current measure once (mode 3).
void Ac_Son_LectureDebutExecute();
void Ac_Son_LecturePosECExecute();
void Ac_Son_LectureMesureECExecute();
// Stop: the notification then ends the playback.
void Ac_Son_StopExecute();
// Loop, metronome and play-while-entering toggles.
void Ac_Son_EnBoucleExecute();
void Ac_Son_MetronomeExecute();
void Ac_Son_JouerSaisieExecute();

// First pass of the speed trainer, once its command has set EtatLecture's tempos (TempoCourant
// = TempoDebut), MesureDebutSpeedTrainer and MesureFinSpeedTrainer and built the play order:
// closes the palettes, writes the pass and starts it. Nothing happens when the order is empty.
void LancerPasseSpeedTrainer();

// Start of a playback once the file is written and EtatLecture.Mode set.
void DemarrerLecture();
// The 100 ms timer: caption with the position, and the current measure along the play order.
void TimerMidiTimer();
// The media player's end of play.
void MediaPlayer1Notify();

// ---- Availability test, play while entering, auditions ----------------------------------------

// Writes the silent test file and plays it: whether the sequencer works. A failure to open or
// play disables the player; a file that cannot be created answers false without a message.
bool VerifierSequenceurMidi();
// The bytes of the test file (94).
std::vector<uint8_t> FichierTestSequenceur();

// Plays the beat under the cursor through the single-beat file.
void JouerTempsSaisi();

// What an audition plays, from the dialog that asks for it.
struct TEcouteCordes {
    int32_t Piste = 1;          // the edited track (PisteOnglet)
    int32_t Corde = 0;          // row 1..6 of one string (CordeEcoutee), 0 or below: all strings
    std::string Capo;           // text of the Capo edit (song properties only); not a number: 0
    bool DouzeCordes = false;   // DouzeCordes box checked (song properties only)
    bool Ecouter1Actif = true;  // listen buttons of rows 1 and 2 enabled (rows holding a string)
    bool Ecouter2Actif = true;
};
// Audition of the song properties dialog: the track's sound from ProprietesTempo.
std::vector<uint8_t> GenererEcouteAccordage(const TEcouteCordes& ecoute);
bool EcrireMidiEcouteAccordage(const std::string& fichier, const TEcouteCordes& ecoute);
// Audition of the MIDI import dialog: fixed mix, no capo, no twelve-string double.
std::vector<uint8_t> GenererEcouteImport(const TEcouteCordes& ecoute);
bool EcrireMidiEcouteImport(const std::string& fichier, const TEcouteCordes& ecoute);

// ---- Helpers ---------------------------------------------------------------------------------

// Milliseconds as "mm:ss": seconds rounded, minutes with at least two digits.
std::string TexteDureeLecture(int64_t ms);
// Measures the browser plays for its JumpAfter item (0 and unknown items: the whole song).
int32_t MesuresParcours(int32_t saut, int32_t nbMesures);

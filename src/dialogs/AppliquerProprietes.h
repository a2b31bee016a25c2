#pragma once
// The write path of the song properties dialog, without its window: the checks made when the
// user leaves a track's tab or confirms, the moving of every note of a track whose string
// count changed, and the write-back of the working copy ProprietesTempo into the song with
// what the main window shows afterwards.
//
// Frets are kept, never transposed: the tuning is the one chosen in the dialog, so which
// string a note goes to decides what it sounds. Where the old and the new tuning share their
// open strings (a bass gaining or losing its low B), each note goes to the string of the same
// open pitch and sounds as before. Otherwise notes keep their place counted from the lowest
// string: a track that gains strings gets empty strings on top, a track that loses strings
// loses its top strings. Strings are dropped only when no beat holds a note on them.
#include "document/Variable.h"

#include <cstdint>
#include <string_view>

// What the checks refused, in the order they run.
enum class RefusProprietes {
    Aucun,
    TempoVide,      // tempo field empty
    CapoVide,       // capo field empty or not a number
    TempoInvalide,  // tempo 0 or not a number
    CordesOccupees, // the new string count would drop strings that hold notes
};

struct VerificationProprietes {
    RefusProprietes Refus = RefusProprietes::Aucun;
    int32_t Mesure = 0; // with CordesOccupees: the first measure concerned
    bool Acceptee() const { return Refus == RefusProprietes::Aucun; }
};

using Tuning = OneBased<int32_t, kNbCordesMax>; // open strings 1..6, 1 the top line

// How far the strings of a track move when its count goes from nbAncien to nbNouveau: old
// string s becomes string s + the result. When the smaller tuning's open strings stand in the
// larger one in the same order on consecutive strings, each string goes to the one of the same
// open pitch (the lowest such place first); otherwise by nbNouveau - nbAncien, which keeps
// every note's place counted from the lowest string.
int32_t StringShift(int32_t nbAncien, const Tuning& ancien, int32_t nbNouveau, const Tuning& nouveau);

// The checks on the texts of the tempo and capo fields and on the working string count and
// tuning of the shown track `piste`, compared with the count and tuning the song has (not the
// ones the tab had when it was entered). Nothing is shown here.
VerificationProprietes VerifierProprietes(std::string_view tempo, std::string_view capo, int32_t piste,
                                          int32_t nbCordesNouveau, const Tuning& accordageNouveau);

// The first measure (1..NbMesures) in which a beat of track `piste` holds a note (a fret or a
// dead note) on a string that going from the song's count and tuning to these would drop.
// 0 when there is none, or when no string would be dropped.
int32_t MesureAvecNotesCordesRetirees(int32_t piste, int32_t nbCordesNouveau, const Tuning& accordageNouveau);

// The refusal box of a string count that would drop notes: "#1" the measure, "#2" the count.
void SignalerCordesOccupees(int32_t mesure, int32_t nbCordes);

// Moves the notes of one beat from nbAncien to nbNouveau strings (each 1..6), old string s to
// s + decalage, whole notes (fret, technique, bend, dynamic, grace note). New strings that no
// old one reaches are emptied (dynamic 6); the slots past the new count keep what they held.
// The beat's chord diagram follows the same way, so that it still shows the frets the beat
// plays; its strings past the new count are left unplayed, as a diagram of that track has them.
void DeplacerNotesTemps(TTemps& temps, int32_t nbAncien, int32_t nbNouveau, int32_t decalage);

// The same for every beat of track `piste` in every measure (the free slot after the last
// beat stays as it is), and in the undo and cancel-measure copies of the current measure, so
// that undoing or cancelling afterwards gives back the measure with its notes on the strings
// the track now has.
void DeplacerNotesPiste(int32_t piste, int32_t nbAncien, int32_t nbNouveau, int32_t decalage);

// What an accepted OK does once the shown tab and the song fields are in the working copy:
// notes moved for every track whose count changed (under the hourglass, from the song's tuning
// to the working one), the working copy
// written into the song, `pisteOnglet` made the current track, the title label, the song
// marked modified and not blank (even when nothing changed), the cursor on string 1, beat 1,
// and the edit zone, score view, command states and track menu refreshed.
void AppliquerProprietes(int32_t pisteOnglet);

#pragma once
// The note list: the common input of the beat builder, filled by the MIDI import from one
// source track and by the re-barring assistant from the beats of a track.
//
// Entries are in time order. A group is a run of entries of length 0 closed by one entry of
// length above 0: the entries of a group start together (a chord) and the group lasts the
// length of its closing entry; the next group starts where it ends.
#include <cstdint>
#include <string>
#include <vector>

// Pitches that are not notes.
inline constexpr int32_t HauteurSilence = -1;  // a rest
inline constexpr int32_t HauteurLiaison = -2;  // the notes before sound on
// A pitch below MIDI note 0 (a transposition down from the lowest notes): no string plays it,
// and it must never read as one of the two marks above.
inline constexpr int32_t HauteurHorsTessiture = -3;

struct TEvtImport {
    int32_t Hauteur = HauteurSilence; // MIDI note after the octave shift, or one of the marks
    double Duree = 0.0;               // quarter notes; 0: sounds together with the next entry
};

// Entries 1..; index 0 unused. While the list is filled NbEvtImport is the next free index
// (1 = empty); from SupprimerSilencesFinaux on it is the number of entries.
extern std::vector<TEvtImport> EvtImport;
extern int32_t NbEvtImport;
// Total length of the list in quarter notes.
extern double DureeTotaleImport;

// More entries than this cannot be laid into the song (1000 measures of 64 beats, each with a
// chord of six notes and a rest): a list that reaches it takes no more.
inline constexpr int32_t kNbEvtImportMax = 1000 * 64 * 7;

// Empties the list for filling (NbEvtImport := 1).
void ViderEvtImport();

// Appends an entry at the next free index; false when the list is full.
bool AjouterEvtImport(int32_t hauteur, double duree);

// Notes an import left out for one cause: how many, and the first measure that lost one.
struct TNotesOmises {
    int32_t Nombre = 0;
    int32_t PremiereMesure = 0;

    void Ajouter(int32_t nombre, int32_t mesure)
    {
        if (nombre <= 0)
            return;
        if (Nombre == 0 || mesure < PremiereMesure)
            PremiereMesure = mesure;
        Nombre += nombre;
    }
    void Ajouter(const TNotesOmises& autres) { Ajouter(autres.Nombre, autres.PremiereMesure); }
};

// Appends to `texte`, after a blank line when it holds some already, the paragraph of the
// language line `cle` that tells how many notes were left out and from which measure; false,
// and nothing appended, when none was.
bool AjouterParagrapheOmises(std::string& texte, const char* cle, const TNotesOmises& notes, int32_t mesure);

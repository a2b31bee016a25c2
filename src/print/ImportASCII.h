#pragma once
// Plain-text tablature read back into the current track of the song: frets, dead notes and
// technique letters, measures cut at the bars, durations fixed for every note or derived from
// the spacing of the text. It takes the layout the export writes and the usual hand-made
// variants; chord names, repeat signs, counts and any other text are ignored.
//
// Blocks of tablature are runs of consecutive lines that each hold at least five "-", or at
// least two "-" and a "|"; a run's last lines are the track's strings, the lowest string at
// the bottom. Text is Windows-1252, one character per column; nothing in it can stop the
// parser, and its time is linear in the size of the text.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Items of the duration list (Configuration.TypeImport): what every new beat gets.
inline constexpr int32_t ImportDureeVariable = 0; // half, quarter or eighth from the spacing
inline constexpr int32_t ImportBlanches = 1;
inline constexpr int32_t ImportNoires = 2;
inline constexpr int32_t ImportCroches = 3;
inline constexpr int32_t ImportDoublesCroches = 4;

// Beats one measure receives from the import; the next note column opens the next measure.
inline constexpr int32_t NbTempsMaxImportASCII = 32;

// ---- Working state of the parser ------------------------------------------------------------

// The column just after the last note read (after its second digit when it had two).
extern int32_t ColonneDerniereNote;
// True at the start and after a counted bar, False after a note: no bar is counted before the
// first note of a measure.
extern bool DebutMesure;

// ---- Steps ----------------------------------------------------------------------------------

int32_t CompterTirets(std::string_view ligne);
int32_t CompterBarres(std::string_view ligne);
// At least five "-", or at least two "-" and one "|", anywhere in the line.
bool EstLigneTablatureASCII(std::string_view ligne);

// The line as the parser reads it: the dashes and the no-break space of Windows-1252 (text
// copied from web pages) become "-" and a blank.
std::string LigneNormaliseeASCII(std::string_view ligne);

// Whether the text holds any tablature: a tablature line with a fret or a dead note. Without
// one an import would only empty the track.
bool TablatureTrouveeASCII(const std::vector<std::string>& lignes);

// Remembers a tablature line in the ring of the last lines read (newest first).
void MemoriserLigneASCII(std::string_view ligne);

// Moves to the next measure of the song: an existing one loses the current track's beats, a
// new one is appended with the time signature of the one before. False when the song already
// has its 1000 measures: nothing is changed then.
bool MesureSuivanteASCII();

// The fixed duration of Configuration.TypeImport into the last beat of the current measure
// (nothing in variable mode).
void FixerDureeASCII();

// Variable mode: the last beat of the current measure becomes a half, quarter or eighth note
// from the gap k - ColonneDerniereNote - 1 compared with the dashes per quarter note
// (Configuration.NbTirets + 1).
void DureeVariableASCII(int64_t k);

// Notes of the text the track cannot hold, a fret above its highest: how many, and the
// measure of the first.
struct TFrettesOmisesASCII {
    int32_t Nombre = 0;
    int32_t PremiereMesure = 0;
};

// Empties the current track in every measure, then parses the lines into it from measure 1,
// adding measures as needed, and drops the trailing measures left without any beat. The
// current measure is 1 and the cursor on beat 1, string 1 afterwards. False when the text
// needed more than the song's 1000 measures: what did not fit is left out. A fret above the
// track's highest is left out with the technique letter after it, and counted in `omises`
// when given; a note column none of whose notes is kept gives a rest, which keeps the time.
bool ImporterASCII(const std::vector<std::string>& lignes, TFrettesOmisesASCII* omises = nullptr);

// Whether the bytes of a file are text: no NUL, and control characters other than tab, line
// feed, form feed and carriage return make at most one byte in twenty. A song file or any
// other binary file picked under "All files" would otherwise come in as tablature made of
// chance digits and dashes.
bool EstTexteASCII(std::string_view octets);

// ---- Naming the song --------------------------------------------------------------------------

// The title a song gets from the text file it was imported from (path in UTF-8): the file-name
// part without its extension, its first letter a..z in upper case, at most 100 characters,
// Windows-1252.
std::string TitreDepuisFichierASCII(std::string_view chemin);

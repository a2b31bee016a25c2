#pragma once
// Plain-text tablature of the current track: a few header lines, then blocks that set the
// measures side by side in a page of N columns, one text line above one line per string
// (string 1, the highest, on top), with fret numbers, one technique letter per note, bars,
// repeat signs, repeat counts and chord names. The import reads the same layout back.
//
// The text is a list of Windows-1252 lines; the export window shows it in its memo. Nothing
// here changes the song.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

// Page widths the export window lets the user choose, and what an empty field stands for.
inline constexpr int32_t LargeurASCIIMin = 40;
inline constexpr int32_t LargeurASCIIMax = 999;
inline constexpr int32_t LargeurASCIIDefaut = 80;

// Lines of text, in order, Windows-1252.
using TexteASCII = std::vector<std::string>;

// ---- State of the rendering under way ---------------------------------------------------

// N, the page width of the rendering.
extern int32_t NbColonnesASCII;
// The block being built: line 0 the text line (chord names, repeat counts), lines 1..n the
// strings; each N characters long.
extern std::array<std::string, 7> LignesBlocASCII;
// Columns of the block in use (0 = empty block).
extern int32_t LargeurBlocASCII;
// The measure being rendered, same layout.
extern std::array<std::string, 7> LignesMesureASCII;
// Width in columns of the measure last rendered.
extern int32_t LargeurMesureASCII;

// ---- Rendering ----------------------------------------------------------------------------

// The page width a configured value gives. Values of 1..999 are used as they are (a width
// below 40 from the configuration file too); a width of 0 or less gives 40 and one above 999
// gives 999, so that a damaged configuration can neither empty the text nor exhaust memory.
int32_t LargeurPageASCII(int32_t configuree);

// Renders the current track of the song into `memo` (emptied first), N from
// Configuration.NbColASCII; hourglass while it works.
void ExporterASCII(TexteASCII& memo);

// The steps of the rendering, on the state above.
void EcrireEnteteASCII(TexteASCII& memo);
void NouveauBlocASCII();
void NouvelleMesureASCII();
// Appends the block's lines, each cut to the used width, then two empty lines.
void ViderBlocASCII(TexteASCII& memo);
// Appends the measure buffer to the block (what falls beyond column N is dropped).
void AjouterMesureASCII();
// Renders measure m of the current track into a fresh measure buffer, against the block as it
// stands (the opening bars depend on how the block ends); returns its width.
int32_t RendreMesureASCII(int32_t m);

// ---- Saving ----------------------------------------------------------------------------------

// The bytes of a saved text: every line followed by CR LF.
std::vector<uint8_t> OctetsFichierASCII(const TexteASCII& lignes);

// Writes the lines to the file (by replacement: the old file stays whole on failure). On
// failure shows "ASCIIExp-EcritureFichierImpossibleExportAb" and returns false.
bool EnregistrerFichierASCII(const TexteASCII& lignes, const std::string& nomFichier);

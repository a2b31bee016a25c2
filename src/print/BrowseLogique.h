#pragma once
// What the song browser does without a window: finding the song files of a folder and of its
// subfolders, the texts and the order of its list, loading a song as the current one with its
// summary, and the browser's settings in the "Browser" section of the settings file.
//
// A folder of songs comes from anywhere: the listing only looks at names and file status and
// never opens a file, skips what it cannot read (a folder without permission, an entry that
// vanishes, a name that is no song), never follows a folder twice (links that loop back), and
// walks any depth without recursion. Paths are file-system bytes.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// One song file of the list, as the list item carries it.
struct cLigneList {
    std::string Nom;        // shown name: the file name without its last four characters
    int64_t Taille = 0;     // bytes; 64 bits, so that a huge file neither wraps nor sorts wrong
    double Date = 0.0;      // last change, seconds since 1970-01-01 UTC
    std::string Repertoire; // the folder as the listing was given it
    // The file name as the disk spells it: "Song.LRX" cannot be found again as "Song" + ".lrx"
    // on a file system that tells letter cases apart.
    std::string NomFichier;
};

// Columns of the list.
inline constexpr int ColonneNom = 0;
inline constexpr int ColonneTaille = 1;
inline constexpr int ColonneDate = 2;
inline constexpr int ColonneRepertoire = 3;
inline constexpr int NbColonnesParcours = 4;

// ---- Listing -------------------------------------------------------------------------------

// What a listing tells while it runs, so that the window stays responsive: the start of each
// folder with the number of files found so far, and that number again every ten files. Either
// answers false to stop the listing; an empty function always goes on.
struct SuiviListe {
    std::function<bool(const std::string& dossier, std::size_t nbFichiers)> DebutDossier;
    std::function<bool(std::size_t nbFichiers)> Progression;
};

// The folder with "/" appended when it does not end with one.
std::string AvecSeparateur(std::string_view dossier);

// A name the listing takes for a song: it ends with ".lrx" in any letter case and has a name
// before it.
bool EstNomMorceau(std::string_view nomFichier);

// Adds a line for every song file of the folder (not of its subfolders) to `lignes`: regular
// files only (a link is followed to its target; folders, devices and pipes named *.lrx are not
// songs and would hang a reader). A folder that cannot be read adds nothing. False when the
// follower asked to stop.
bool ListerMorceaux(const std::string& dossier, std::vector<cLigneList>& lignes, const SuiviListe& suivi = {});

// Then every subfolder at any depth, each listed before its own subfolders, in the order the
// file system gives them; names beginning with "." included, as they are real folders. A
// folder reached a second time (through a link) is skipped. False when stopped.
bool ListerSousRepertoires(const std::string& dossier, std::vector<cLigneList>& lignes, const SuiviListe& suivi = {});

// ---- Texts and order of the list -----------------------------------------------------------

// The size column: bytes / 1000 rounded half to even, then " Ko" (1500 and 2500 give "2 Ko").
std::string TexteTaille(int64_t octets);

// Case-insensitive order that folds only the letters a to z: -1, 0 or 1.
int ComparerTexteAscii(std::string_view a, std::string_view b);

// Ascending order of two lines by a column (-1, 0 or 1); equal keys compare equal, with no
// second key. A column outside 0..3 compares names.
int ComparerLignes(const cLigneList& a, const cLigneList& b, int colonne);

// Sorts the lines by the column, ascending or descending (equal keys keep no particular order).
void TrierLignes(std::vector<cLigneList>& lignes, int colonne, bool croissant);

// The song file of a line.
std::string CheminMorceau(const cLigneList& ligne);

// ---- Loading a song --------------------------------------------------------------------------

// Summary of the last song loaded successfully (texts in Windows-1252).
extern std::string ResumeTitre;  // first 50 characters of the title
extern std::string ResumeAuteur; // first 50 of the author
extern std::string ResumeNote;   // first 50 of the comment
extern int32_t ResumeNbMesures;
extern int32_t ResumeNbGuitares;
extern int32_t ResumeNbBasses;
extern int32_t ResumeNbBatteries; // 1 when the song has a percussion part, else 0

// Makes the file the current song: a new empty song named after the path (window caption
// "Lyrandaxis 2.2 - " and the file name), then the song reader, which reports a bad file
// itself and leaves the empty untitled song. On success the summary is filled from the song
// and the reader's track statistics; on failure it is emptied, so that no other song's
// summary stands beside a file that could not be read. Returns the reader's result.
bool ChargerMorceauBrowse(const std::string& chemin);

// The counts of guitar, bass and percussion parts joined by " - " ("2 - 1 - 1").
std::string TexteNbPistesResume();

// ---- Settings ("Browser" of the settings file) -----------------------------------------------

inline constexpr const char* SectionParcours = "Browser";

struct ReglagesParcours {
    int32_t LargeursColonnes[NbColonnesParcours] = {200, 50, 90, 300}; // WC1..WC4
    int32_t SautApres = 0;                                             // JumpAfter, 0..6
    std::string Repertoire;                                            // Directory (file-system bytes)
};

// Reads the section from the ini file (a bare name lives in the Windows directory). An empty
// or missing "Directory" gives `repertoireParDefaut`; a jump item outside 0..6 gives 0 and a
// column width outside 0..4000 its default, as such values only come from a damaged file.
ReglagesParcours LireReglagesParcours(const std::string& fichierIni, const std::string& repertoireParDefaut);
// Writes the six keys; false when the file could not be written.
bool EcrireReglagesParcours(const std::string& fichierIni, const ReglagesParcours& reglages);

// ---- Window placement -----------------------------------------------------------------------

// The file that keeps the browser's placement and the width of its tree, section "Browser".
inline constexpr const char* FichierPlacementParcours = "Lyrx.ini";

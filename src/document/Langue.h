#pragma once
// The words of the interface. A language file (*.lxl, Windows-1252 text) is held as its raw
// lines; windows read their captions by position below a section marker line, messages are
// looked up by key in a dictionary built from fixed lines of thirteen sections.
//
// Every text here is Windows-1252 bytes; the windows convert it where it meets Qt.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// The loaded language.
extern std::vector<std::string> TableLangue;        // raw lines of the loaded file
extern std::vector<std::string> DictionnaireLangue; // "key=text", in the order of the key table
extern std::vector<std::string> ListeLangues;       // installed language names, sorted by name
extern std::string LangueCourante;                  // file name without ".lxl"; empty = none chosen
extern bool RaccourcisAuto;                         // the file holds "AUTOMATIC SHORTCUTS"
extern std::string AuteurPatche;                    // text of the translator's line

inline constexpr std::string_view TexteTraductionIntrouvable = "Internal error : Translation not found !";
inline constexpr std::string_view ExtensionLangue = ".lxl";

// ---- File format -------------------------------------------------------------------------

// Splits file bytes into lines: CR LF, a lone CR and a lone LF each end a line; a final line
// without an end counts, an end at the very end of the file adds no empty line.
std::vector<std::string> DecouperLignes(std::string_view octets);

// Replaces TableLangue by the lines of a file. An unreadable file leaves the table as it was
// and returns false.
bool ChargerTableLangue(const std::string& chemin);

// Whole-text comparison without regard to letter case (Windows-1252 letters, accented ones
// included), as markers, the header, the switch line and dictionary keys are compared.
bool EgalSansCasse(std::string_view a, std::string_view b);

// Index in TableLangue of the first line that reads the marker, or -1.
int ChercherMarqueur(std::string_view marqueur);

// The text of one line: what stands between its first two double quotes; empty when the line
// has fewer than two, or when the closing quote lies beyond the 500 characters after the
// opening one (a text has at most 499 characters).
std::string TexteEntreGuillemets(std::string_view ligne);

// Text of line `index` of TableLangue; empty for an index outside the table (a section cut
// short at the end of the file reads as empty texts).
std::string TexteLigneLangue(int index);

// Entry k (1, 2, ...) of the section whose marker stands at index `marqueur`.
inline std::string TexteEntreeLangue(int marqueur, int k) { return TexteLigneLangue(marqueur + k); }

// ---- Dictionary and lookup ---------------------------------------------------------------

// One row of the key table: section marker, line below it, key, number of "%s" placeholders.
struct CleDictionnaire {
    std::string_view Section;
    int Ligne;
    std::string_view Cle;
    int Arguments;
};
const std::vector<CleDictionnaire>& TableClesDictionnaire();

// Rebuilds DictionnaireLangue, AuteurPatche and RaccourcisAuto from TableLangue. A table
// without the header line leaves all three as they were; the build stops at the first
// section whose marker is missing.
void ConstruireDictionnaire();

// The key's text (key compared without regard to case, at most 500 characters), or
// TexteTraductionIntrouvable.
std::string Traduire(std::string_view cle);

// The text with the first occurrence of `cherche` replaced (at most 500 characters kept after
// it); unchanged when absent.
std::string RemplacerPremier(std::string_view texte, std::string_view cherche, std::string_view remplace);

// First "#1" replaced by the argument; a message without "#1" gets the argument in front.
std::string FormaterMessage1(std::string_view message, std::string_view argument1);
// Then the first "#2" of that result by the second argument (or the argument in front).
std::string FormaterMessage2(std::string_view message, std::string_view argument1, std::string_view argument2);

// With RaccourcisAuto on: puts "&" before the first character of the caption (compared in
// upper case, a to z only) that is not a digit, "." or blank and not yet among `utilisees`,
// and adds that character to `utilisees`. Off, or nothing found: the caption unchanged.
std::string AjouterRaccourci(std::string_view legende, std::string& utilisees);

// ---- Installed languages and the choice at start -----------------------------------------

// Empties the three lists and fills ListeLangues with the names of the *.lxl files (extension
// in any case) of the folder, sorted by name. Without argument: the program folder.
void ListerLangues();
void ListerLangues(const std::string& repertoire);

// Path of the file of a language in the folder, finding "Name.LXL" as well as "Name.lxl";
// empty when there is none.
std::string CheminFichierLangue(const std::string& repertoire, const std::string& nom);

// Loads the language's file into TableLangue and rebuilds the dictionary. False when the file
// is gone or cannot be read: the language loaded before stays in force.
bool ChargerLangue(const std::string& repertoire, const std::string& nom);

// The entry the first-start dialog selects: the one that reads "English" exactly, else the
// first; -1 for an empty list.
int IndexLanguePreselectionnee(const std::vector<std::string>& langues);

// The first-start dialog: shown with ListeLangues filled, returns the chosen name (empty when
// the list is empty). The windows install theirs; without one the preselected entry is taken.
using DialogueChoixLangue = std::function<std::string()>;
void InstallerDialogueChoixLangue(DialogueChoixLangue dialogue); // empty puts the silent one back

// The choice at start, after LangueCourante was read from the configuration: drops a name
// whose file is gone, lists the languages, asks with the dialog when no name is left, and
// loads the chosen file when any language is installed.
void ChoisirLangueAuDemarrage();
void ChoisirLangueAuDemarrage(const std::string& repertoire);

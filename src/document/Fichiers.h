#pragma once
// Where the song lives on disk and the sequences every file command shares: opening a song,
// saving it, the question before unsaved changes are left, the five recent files of the File
// menu, the proposed file name and the temporary MIDI file.
//
// The file identity itself (CheminFichier, NomFichier, PartitionModifiee, PartitionVierge)
// is declared with the song record. Paths are file-system bytes (UTF-8); song texts are
// Windows-1252 and are converted where they meet a path or a caption.
#include "document/Variable.h"

#include <string>
#include <string_view>

inline constexpr int kNbFichiersRecents = 5;

// Full paths of the recent songs, entry 1 the most recent; an empty entry is free.
extern OneBased<std::string, kNbFichiersRecents> FichiersRecents;

// The song file dialogs of the main window (OpenDialog1, SaveDialog1). The window installs
// its own; without one every dialog is cancelled.
class IDialoguesFichiers {
public:
    virtual ~IDialoguesFichiers() = default;

    // The open dialog with its file name cleared; the file must exist. False when cancelled.
    virtual bool ChoisirPartitionAOuvrir(std::string& chemin) { (void)chemin; return false; }

    // The save dialog (default extension "lrx"), in `repertoire` when it is not empty, with
    // `nomPropose` as its file name (empty: none). It must not ask itself about replacing a
    // file: the callers do. False when cancelled.
    virtual bool ChoisirPartitionAEnregistrer(const std::string& repertoire, const std::string& nomPropose,
                                              std::string& chemin)
    {
        (void)repertoire; (void)nomPropose; (void)chemin;
        return false;
    }
};

IDialoguesFichiers& DialoguesFichiers();
void InstallerDialoguesFichiers(IDialoguesFichiers* dialogues); // nullptr puts the silent one back

// Opens a song file into the song record; an empty name asks with the open dialog (Cancel:
// false, nothing changed). Stops playback, starts a new song named after the file and reads
// it; a file that cannot be read leaves the new empty untitled song. A song read makes its
// folder the working one (RetenirDossierPartition). Leaves the title label,
// PartitionModifiee and the recent list to the caller.
bool OuvrirPartition(const std::string& nom);

// The folder of the song file just read becomes the working folder, as a file chosen in a
// file dialog does: the next file dialog starts there, and it is the last folder kept at exit.
void RetenirDossierPartition();

// Saves the song to CheminFichier; false after the writer's error box.
bool EnregistrerPartition();

// Before the song is left: asks whether to save unsaved changes (not for a blank new song)
// and saves on Oui, asking for a name when the song is untitled. True when the caller may go
// on; a song with a name is then moved to the front of the recent files.
bool ConfirmerEnregistrement();

// Shows FichiersRecents in the File menu.
void MajFichiersRecents();

// Opens recent entry n (1..5), after the save question; a file that is gone is reported and
// stays in the list.
void OuvrirFichierRecent(int n);

// Deletes the temporary MIDI file of playback; never reports anything.
void SupprimerFichierTemp();

// s with "/", "\", ":", "*", "?", '"', "<", ">" and "|" each replaced by "_".
std::string NettoyerNomFichier(std::string_view s);

// ---- Shared with the File menu commands --------------------------------------------------

// The file-name part of a path (what follows the last "/").
std::string PartieNomFichier(std::string_view chemin);

// "Lyrandaxis 2.2 - " and the song's file name, or the untitled text (UTF-8), and that caption
// put on the main window.
std::string LegendeFenetre();
void AfficherLegendeFenetre();

// The title label's text: the title, then " - " and the author when there is one
// (Windows-1252).
std::string LigneTitrePartition();

// The file name the save dialogs propose for an untitled song: the title made fit for a file
// name, with `extension` (".lrx", ".mid"); empty when the song has no title. UTF-8.
std::string NomProposeDepuisTitre(std::string_view extension);

// The question before an existing file is replaced; true only when the answer is Oui.
bool ConfirmerRemplacement(const std::string& chemin);

// Moves `chemin` to entry 1 of the recent files (an entry equal to it moves up, otherwise the
// last entry drops off); the comparison is exact and case-sensitive.
void PlacerEnTeteFichiersRecents(const std::string& chemin);

// The temporary MIDI file of playback and of every listen: "lyrx.tmp" in the per-user folder
// that stands for the Windows directory.
std::string CheminFichierTemp();

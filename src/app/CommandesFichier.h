#pragma once
// The File menu of the main window: new song, open, browse, save, save as, song properties,
// MIDI and ASCII import and export, print, print preview, printer setup and quit. Each is a
// short sequence over the shared file operations (document/Fichiers.h), the song reader and
// writer, the MIDI writer and importer, the dialogs of the other windows and the refreshes of
// the editor.
#include <string>

// The views after the song was replaced by a new one: the free slot of every track prepared,
// the entry copy taken, the cursor on beat 1, string 1, the edit zone and the score view
// redrawn and the command states refreshed.
void RafraichirPartitionNeuve();
// The title label: the title, then " - " and the author when there is one.
void RafraichirTitre();

void Ac_Fichier_NouveauExecute();
void Ac_Fichier_OuvrirExecute();
void Ac_Fichier_ParcourirExecute();
void Ac_Fichier_EnregistrerExecute();
void Ac_Fichier_EnregistrerSousExecute();
// Also the click on the title label and on the track-name label.
void Ac_Fichier_ProprietesExecute();
void Ac_Fichier_ImporterMIDIExecute();
void Ac_Fichier_ImporterASCIIExecute();
void Ac_Fichier_ExporterMIDIExecute();
void Ac_Fichier_ExporterASCIIExecute();
void Ac_Fichier_ImprimerExecute();
void Ac_Fichier_ApercuImpExecute();
void Ac_Fichier_ConfigImpExecute();
void Ac_Fichier_QuitterExecute();

// The song title of an imported file: its file-name part without its last four characters,
// the first character in upper case when it is a letter a to z, at most 100 characters.
std::string TitreDepuisFichierImporte(const std::string& chemin);

// Printed pages from the print dialog's range: first and last (0 when not a number); a first
// page alone prints that page, and a reversed range is put in order.
void OrdonnerPagesImpression(int& premiere, int& derniere);

// The directory part of a path, up to and including its last separator ("" when none).
std::string RepertoireDe(const std::string& chemin);

// Registers the fourteen handlers in the command list.
void EnregistrerCommandesFichier();

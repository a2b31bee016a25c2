#pragma once
// The file dialogs of the main window: songs (OpenDialog1, SaveDialog1), MIDI import and export
// (OpenDialog2, SaveDialog2) and ASCII tablature (OpenDialog3, SaveDialog3). Each keeps its
// filter and title from the loaded language and, between uses, the file name it was last closed
// on. A dialog given no folder starts in the working folder, which every file chosen moves to
// its own folder (as the platform's dialogs did), so that the last folder used is the one
// remembered at exit. The save dialogs never ask about replacing a file: their callers do.
//
// Paths come back as file-system bytes (UTF-8). A chosen name without an extension takes the
// dialog's default one.
#include "document/Fichiers.h"
#include "document/Legendes.h"

#include <QString>

#include <functional>
#include <optional>
#include <string>
#include <vector>

class QFileDialog;
class QWidget;

class TDialoguesFichiers : public IDialoguesFichiers {
public:
    enum class Dialogue { OpenDialog1, SaveDialog1, OpenDialog2, SaveDialog2, OpenDialog3, SaveDialog3 };

    explicit TDialoguesFichiers(QWidget* parent);

    // Filters and titles from the language (Legendes.h); a dialog the list does not name keeps
    // what it has.
    void AppliquerLegendes(const std::vector<DialogueFichier>& dialogues);

    // Songs.
    bool ChoisirPartitionAOuvrir(std::string& chemin) override;
    bool ChoisirPartitionAEnregistrer(const std::string& repertoire, const std::string& nomPropose,
                                      std::string& chemin) override;
    // MIDI file to import (must exist) and to export to (`repertoire` and `nomPropose` as for
    // songs).
    bool ChoisirMidiAImporter(std::string& chemin);
    bool ChoisirMidiAExporter(const std::string& repertoire, const std::string& nomPropose, std::string& chemin);

    // What a dialog shows: its filter in Qt's notation, its title (empty: the platform's),
    // its default extension, and the file name it keeps (empty after Clear).
    QString Filtre(Dialogue d) const;
    QString Titre(Dialogue d) const;
    QString Extension(Dialogue d) const;
    QString NomFichier(Dialogue d) const;
    void ViderNomFichier(Dialogue d);

    // How a prepared dialog is run: the chosen path, or nothing for Cancel. By default the
    // dialog is shown modally; tests put a function that answers for the user.
    using Execution = std::function<std::optional<QString>(QFileDialog&)>;
    static void DefinirExecution(Execution execution); // empty: back to the modal dialog

private:
    struct Etat {
        QString Nom;
        QString Filtre; // Qt notation
        QString Titre;
        QString Extension;
        bool Enregistrer = false;
        QString Repertoire;
        QString Fichier;
    };
    Etat& Lire(Dialogue d);
    const Etat& Lire(Dialogue d) const;
    bool Choisir(Dialogue d, const std::string& repertoire, const std::string& nomPropose, std::string& chemin);

    QWidget* parent_;
    std::vector<Etat> etats_;
};

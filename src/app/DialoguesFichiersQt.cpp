#include "app/DialoguesFichiersQt.h"

#include "platform/Cp1252.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

namespace {

TDialoguesFichiers::Execution& ExecutionInstallee()
{
    static TDialoguesFichiers::Execution execution;
    return execution;
}

QString DepuisCp1252(const std::string& texte) { return QString::fromStdString(platform::Cp1252VersUtf8(texte)); }

std::size_t Indice(TDialoguesFichiers::Dialogue d) { return static_cast<std::size_t>(d); }

} // namespace

void TDialoguesFichiers::DefinirExecution(Execution execution) { ExecutionInstallee() = std::move(execution); }

TDialoguesFichiers::TDialoguesFichiers(QWidget* parent) : parent_(parent)
{
    // The texts the window is built with, until a language gives its own.
    const QString chansons = "Lyrandaxis (*.lrx)";
    const QString midi = "MIDI (*.mid)";
    const QString ascii = "ASCII (*.tab);;* (*)";
    etats_ = {
        {"OpenDialog1", chansons, {}, "lrx", false, {}, {}},
        {"SaveDialog1", chansons, {}, "lrx", true, {}, {}},
        {"OpenDialog2", midi, {}, "mid", false, {}, {}},
        {"SaveDialog2", midi, {}, "mid", true, {}, {}},
        {"OpenDialog3", ascii, {}, "tab", false, {}, {}},
        {"SaveDialog3", ascii, {}, "tab", true, {}, {}},
    };
}

TDialoguesFichiers::Etat& TDialoguesFichiers::Lire(Dialogue d) { return etats_[Indice(d)]; }
const TDialoguesFichiers::Etat& TDialoguesFichiers::Lire(Dialogue d) const { return etats_[Indice(d)]; }

void TDialoguesFichiers::AppliquerLegendes(const std::vector<DialogueFichier>& dialogues)
{
    for (const DialogueFichier& df : dialogues) {
        const QString nom = QString::fromStdString(df.Nom);
        for (Etat& e : etats_) {
            if (e.Nom != nom)
                continue;
            e.Filtre = DepuisCp1252(FiltreQt(df.Filtre));
            if (df.Titre)
                e.Titre = DepuisCp1252(*df.Titre);
        }
    }
}

QString TDialoguesFichiers::Filtre(Dialogue d) const { return Lire(d).Filtre; }
QString TDialoguesFichiers::Titre(Dialogue d) const { return Lire(d).Titre; }
QString TDialoguesFichiers::Extension(Dialogue d) const { return Lire(d).Extension; }
QString TDialoguesFichiers::NomFichier(Dialogue d) const { return Lire(d).Fichier; }
void TDialoguesFichiers::ViderNomFichier(Dialogue d) { Lire(d).Fichier.clear(); }

bool TDialoguesFichiers::Choisir(Dialogue d, const std::string& repertoire, const std::string& nomPropose,
                                 std::string& chemin)
{
    Etat& e = Lire(d);
    if (!repertoire.empty())
        e.Repertoire = QString::fromStdString(repertoire);
    e.Fichier = QString::fromStdString(nomPropose);

    // Without a folder of its own (the song's when saving it again), a dialog starts where the
    // user last opened or saved a file: the working folder, which a successful choice moves.
    QFileDialog dialogue(parent_, e.Titre, repertoire.empty() ? QDir::currentPath() : e.Repertoire, e.Filtre);
    dialogue.setObjectName(e.Nom);
    dialogue.setDefaultSuffix(e.Extension);
    if (e.Enregistrer) {
        dialogue.setAcceptMode(QFileDialog::AcceptSave);
        dialogue.setFileMode(QFileDialog::AnyFile);
        // The callers ask themselves, in the program's own words.
        dialogue.setOption(QFileDialog::DontConfirmOverwrite);
    } else {
        dialogue.setAcceptMode(QFileDialog::AcceptOpen);
        dialogue.setFileMode(QFileDialog::ExistingFile);
    }
    if (!e.Fichier.isEmpty())
        dialogue.selectFile(e.Fichier);

    std::optional<QString> choisi;
    if (const Execution& execution = ExecutionInstallee())
        choisi = execution(dialogue);
    else if (dialogue.exec() == QDialog::Accepted && !dialogue.selectedFiles().isEmpty())
        choisi = dialogue.selectedFiles().constFirst();
    if (!choisi || choisi->isEmpty())
        return false;

    QString resultat = *choisi;
    QFileInfo info(resultat);
    if (info.suffix().isEmpty() && !info.fileName().endsWith('.'))
        resultat += '.' + e.Extension;
    info = QFileInfo(resultat);
    if (!e.Enregistrer && !info.isFile())
        return false;
    e.Repertoire = info.absolutePath();
    e.Fichier = info.fileName();
    // Remembered at exit as the last working folder, and where the next dialog starts.
    QDir::setCurrent(e.Repertoire);
    chemin = QDir::toNativeSeparators(info.absoluteFilePath()).toStdString();
    return true;
}

bool TDialoguesFichiers::ChoisirPartitionAOuvrir(std::string& chemin)
{
    return Choisir(Dialogue::OpenDialog1, {}, {}, chemin);
}

bool TDialoguesFichiers::ChoisirPartitionAEnregistrer(const std::string& repertoire, const std::string& nomPropose,
                                                      std::string& chemin)
{
    return Choisir(Dialogue::SaveDialog1, repertoire, nomPropose, chemin);
}

bool TDialoguesFichiers::ChoisirMidiAImporter(std::string& chemin)
{
    return Choisir(Dialogue::OpenDialog2, {}, Lire(Dialogue::OpenDialog2).Fichier.toStdString(), chemin);
}

bool TDialoguesFichiers::ChoisirMidiAExporter(const std::string& repertoire, const std::string& nomPropose,
                                              std::string& chemin)
{
    return Choisir(Dialogue::SaveDialog2, repertoire, nomPropose, chemin);
}

#include "platform/LecteurMediaFactice.h"

#include "platform/FichierEntier.h"

#include <optional>
#include <utility>

namespace platform {

bool LecteurMediaFactice::Open()
{
    Close();
    Journal.push_back("Open " + FileName());
    if (!disponible_) {
        DefinirErreur(ErreurPeripherique, "No MIDI sequencer is available.");
        return false;
    }
    std::optional<std::vector<uint8_t>> contenu = LireFichierEntier<std::vector<uint8_t>>(FileName());
    if (!contenu) {
        DefinirErreur(ErreurFichier, "The file cannot be opened.");
        return false;
    }
    contenu_ = std::move(*contenu);
    ouvert_ = true;
    position_ = 0;
    EffacerErreur();
    return true;
}

void LecteurMediaFactice::Close()
{
    if (!ouvert_)
        return;
    Journal.push_back("Close");
    enLecture_ = false;
    TerminerNotification(Fin::Interrompue);
    ouvert_ = false;
}

bool LecteurMediaFactice::Play()
{
    Journal.push_back("Play");
    if (!ouvert_) {
        DefinirErreur(ErreurNonOuvert, "No MIDI file is open.");
        return false;
    }
    if (echecLecture_) {
        DefinirErreur(ErreurPeripherique, "The sequencer failed to play.");
        return false;
    }
    EffacerErreur();
    ArmerNotification();
    enLecture_ = true;
    position_ = 0;
    ++NbLectures;
    return true;
}

void LecteurMediaFactice::Stop()
{
    Journal.push_back("Stop");
    enLecture_ = false;
    TerminerNotification(Fin::Interrompue);
}

void LecteurMediaFactice::Terminer()
{
    enLecture_ = false;
    position_ = longueur_;
    TerminerNotification(Fin::Reussie);
}

int LecteurMediaFactice::LivrerNotifications()
{
    int n = 0;
    while (!postees_.empty()) {
        auto action = std::move(postees_.front());
        postees_.pop_front();
        action();
        ++n;
    }
    return n;
}

} // namespace platform

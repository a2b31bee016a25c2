#include "platform/LecteurMedia.h"

namespace platform {

void LecteurMedia::ArmerNotification()
{
    TerminerNotification(Fin::Remplacee);
    arme_ = notify_;
}

void LecteurMedia::TerminerNotification(Fin fin)
{
    if (!arme_)
        return;
    arme_ = false;
    ++enRoute_;
    Poster([this, fin] {
        --enRoute_;
        // A copy: the owner may install another callback while it handles this one.
        const RappelFin rappel = rappel_;
        if (rappel)
            rappel(fin);
    });
}

void LecteurMedia::DefinirErreur(int code, std::string message)
{
    erreur_ = code;
    messageErreur_ = std::move(message);
}

bool LecteurMediaAbsent::Open()
{
    DefinirErreur(ErreurPeripherique, "No MIDI sequencer is available.");
    return false;
}

bool LecteurMediaAbsent::Play()
{
    DefinirErreur(ErreurNonOuvert, "No MIDI file is open.");
    return false;
}

} // namespace platform

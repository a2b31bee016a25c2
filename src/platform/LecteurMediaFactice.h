#pragma once
// A media player for tests: it plays nothing, keeps the bytes of the file it opened, lets the
// test set the position and the length, end the play and deliver the posted notifications
// when it pleases (what the event loop does for the real player), and records every call.
#include "platform/LecteurMedia.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace platform {

class LecteurMediaFactice final : public LecteurMedia {
public:
    bool Open() override;
    void Close() override;
    bool Play() override;
    void Stop() override;
    int64_t Position() const override { return ouvert_ ? position_ : 0; }
    int64_t Length() const override { return ouvert_ ? longueur_ : 0; }
    bool DeviceOpen() const override { return ouvert_; }

    // ---- Script ----
    // Open fails as on a machine without a sequencer.
    void DefinirDisponible(bool disponible) { disponible_ = disponible; }
    // Play fails with an error of the sequencer (the message box road).
    void DefinirEchecLecture(bool echec) { echecLecture_ = echec; }
    // Length of the next opened files, and the play position.
    void DefinirLongueur(int64_t ms) { longueur_ = ms; }
    void DefinirPosition(int64_t ms) { position_ = ms; }
    // The file played to its end: the play stops and its armed notification is posted.
    void Terminer();
    // Runs the posted notifications, those posted meanwhile too; returns how many ran.
    int LivrerNotifications();
    int NotificationsPostees() const { return static_cast<int>(postees_.size()); }

    // ---- What happened ----
    bool EnLecture() const { return enLecture_; }
    // Bytes of the file read by the last successful Open.
    const std::vector<uint8_t>& Contenu() const { return contenu_; }
    // "Open <file>", "Play", "Stop", "Close", in order.
    std::vector<std::string> Journal;
    int NbLectures = 0; // successful plays

protected:
    void Poster(std::function<void()> action) override { postees_.push_back(std::move(action)); }

private:
    bool disponible_ = true;
    bool echecLecture_ = false;
    bool ouvert_ = false;
    bool enLecture_ = false;
    int64_t longueur_ = 0;
    int64_t position_ = 0;
    std::vector<uint8_t> contenu_;
    std::deque<std::function<void()>> postees_;
};

} // namespace platform

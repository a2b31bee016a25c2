#pragma once
// The one media player of the program, as playback and every listen function use it: a MIDI
// file is named, opened, played from its start, stopped and closed; its position and length
// are read in milliseconds; and the end of a play is told to the owner through a callback.
//
// The end-of-play notification works as the sequencer's did: a play started while the
// Notify flag is on arms one notification; the natural end of the file, Stop, Close or a new
// play ends it, and it is then posted through the event loop, never delivered inside the call
// that ended it. So "stop, then let pending messages run" is how a caller waits for the end of
// a playback, and a notification still pending from an earlier play is handled before the
// next file is written.
//
// Failures never throw: the call answers false and Error()/ErrorMessage() tell why, until
// the next call that succeeds.
#include <cstdint>
#include <functional>
#include <string>

namespace platform {

class LecteurMedia {
public:
    // How the armed play ended.
    enum class Fin {
        Reussie,     // the file played to its end
        Remplacee,   // a new play started before the end
        Interrompue, // Stop or Close
    };
    using RappelFin = std::function<void(Fin)>;

    // Error codes (0: the last call succeeded).
    static constexpr int ErreurAucune = 0;
    static constexpr int ErreurPeripherique = 1; // no sequencer: no sound font, no audio output
    static constexpr int ErreurFichier = 2;      // the file cannot be read or is not MIDI
    static constexpr int ErreurNonOuvert = 3;    // play without an open file

    LecteurMedia() = default;
    virtual ~LecteurMedia() = default;
    LecteurMedia(const LecteurMedia&) = delete;
    LecteurMedia& operator=(const LecteurMedia&) = delete;

    // The file the next Open reads; storing it does nothing else.
    void SetFileName(std::string chemin) { nomFichier_ = std::move(chemin); }
    const std::string& FileName() const { return nomFichier_; }

    // Opens FileName (an open file is closed first). False when the file is not a MIDI file
    // or there is no working sequencer.
    virtual bool Open() = 0;
    // Stops, ends an armed notification and frees the file. Closing a closed player does nothing.
    virtual void Close() = 0;
    // Plays the open file from its start; arms one notification when Notify is on.
    virtual bool Play() = 0;
    // Stops the sound at once; the armed notification is posted (Interrompue).
    virtual void Stop() = 0;
    // Milliseconds from the start of the file to the play position (0 when closed), and the
    // length of the open file.
    virtual int64_t Position() const = 0;
    virtual int64_t Length() const = 0;
    // A file is open ("the player has an open device").
    virtual bool DeviceOpen() const = 0;

    // A player that gets its sequencer ready in the background takes files before it is ready
    // (Open and Play answer true) and starts them once it is. `rappel` hears, once, whether it
    // got ready (false: there is no sequencer after all, and a file taken meanwhile ends as
    // Interrompue). A player that is ready already, or that never gets ready in the background,
    // keeps no callback: its Open has answered.
    virtual void QuandPret(std::function<void(bool)> rappel) { (void)rappel; }

    // The Notify flag: it stays as set, and each Play with it on arms one notification.
    void SetNotify(bool actif) { notify_ = actif; }
    bool Notify() const { return notify_; }
    // A notification is armed or posted and not yet delivered.
    bool NotificationPending() const { return arme_ || enRoute_ > 0; }
    // Who hears the end of a play (the owner, once). An empty function: nobody.
    void SetOnNotify(RappelFin rappel) { rappel_ = std::move(rappel); }

    int Error() const { return erreur_; }
    const std::string& ErrorMessage() const { return messageErreur_; }

    // The player's Enabled state: only shown, it changes nothing of what the player does.
    void SetEnabled(bool actif) { enabled_ = actif; }
    bool Enabled() const { return enabled_; }

protected:
    // Runs `action` later, from the event loop of the thread that owns the player.
    virtual void Poster(std::function<void()> action) = 0;

    // For Play: arms a notification when Notify is on (an armed one ends as Remplacee).
    void ArmerNotification();
    // For the end of a play, Stop and Close: the armed notification, if any, is posted.
    void TerminerNotification(Fin fin);
    bool NotificationArmee() const { return arme_; }

    void DefinirErreur(int code, std::string message);
    void EffacerErreur() { DefinirErreur(ErreurAucune, {}); }

private:
    std::string nomFichier_;
    bool notify_ = false;
    bool arme_ = false;
    int enRoute_ = 0;
    RappelFin rappel_;
    int erreur_ = ErreurAucune;
    std::string messageErreur_;
    bool enabled_ = true;
};

// The player of a machine without a working sequencer: every Open fails.
class LecteurMediaAbsent final : public LecteurMedia {
public:
    bool Open() override;
    void Close() override {}
    bool Play() override;
    void Stop() override {}
    int64_t Position() const override { return 0; }
    int64_t Length() const override { return 0; }
    bool DeviceOpen() const override { return false; }

protected:
    void Poster(std::function<void()> action) override { (void)action; }
};

} // namespace platform

#pragma once
// The hourglass cursor during long work, as a scope guard: the busy cursor shows from the first
// guard's construction and the normal cursor comes back when the last one ends, whichever way
// the scope is left (return, exception). Guards nest: an inner one changes nothing.
//
// The headless layers only count guards; the window layer installs what actually changes the
// cursor (InstallerSablierQt). Everything runs on the interface thread.
#include <functional>

namespace platform {

// Called with true when the busy cursor must show, false when the normal one comes back.
using AfficheurSablier = std::function<void(bool occupe)>;

// Replaces the afficheur (an empty function: none). When guards are alive, the old afficheur
// is told to put the normal cursor back and the new one to show the busy cursor, so that each
// sees balanced calls.
void InstallerAfficheurSablier(AfficheurSablier afficheur);

// Whether the busy cursor shows (some guard shown is alive).
bool SablierAffiche();

class Sablier {
public:
    Sablier();
    ~Sablier();
    Sablier(const Sablier&) = delete;
    Sablier& operator=(const Sablier&) = delete;

    // Ends this guard's part before its scope does (the normal cursor comes back unless an
    // outer guard is alive), for instance before an error box. Later calls do nothing.
    void Terminer();

private:
    bool actif_ = true;
};

// While one lives, the guards made meanwhile count without showing the busy cursor: for work
// that is over before a cursor could show, where making the busy cursor would cost more than
// the work. A cursor shown before stays; these may nest.
class SablierDiscret {
public:
    SablierDiscret();
    ~SablierDiscret();
    SablierDiscret(const SablierDiscret&) = delete;
    SablierDiscret& operator=(const SablierDiscret&) = delete;
};

} // namespace platform

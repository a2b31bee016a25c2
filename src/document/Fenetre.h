#pragma once
// What the headless layers ask of the main window (track menu, captions, redraws...). The
// program installs its main window here; until then, and in tests that don't care, a window
// that does nothing answers.

class IFenetrePrincipale {
public:
    virtual ~IFenetrePrincipale() = default;

    // Track menu captions, track button hints and the track-name label.
    virtual void ActualiserMenuPistes() {}
};

IFenetrePrincipale& FenetrePrincipale();
void InstallerFenetrePrincipale(IFenetrePrincipale* fenetre); // nullptr puts the silent one back

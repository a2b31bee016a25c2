#pragma once
// What the editor asks of printing, the print preview, the ASCII tablature windows, the
// preferences, the song browser, the splash and the about window. A do-nothing stand-in
// answers until the subsystem installs its own; a stand-in dialog answers Cancel.
#include <cstdint>
#include <string>

// The splash window, created before the main window; it hides itself once the main window
// says it is ready and its own time is up.
class ISplash {
public:
    virtual ~ISplash() = default;
    virtual void Montrer() {}
    bool FenetrePrincipalePrete = false;
};

class IServicesImpression {
public:
    virtual ~IServicesImpression() = default;

    // First activation: the fixed print fonts, the millimetre constants and the print widths
    // of the durations.
    virtual void InitialiserImpression() {}
    // Colour the print routines draw in (0 = black).
    int32_t CouleurEncre = 0;
    // Pages of the current track with the print settings on the program's printer
    // (Imprimante(), print/TravailImpression.h); 0 and 0 = all pages. The job begins the
    // printer document at its first drawn page, titles it after the song and ends it.
    virtual void ImprimerPartition(int32_t premierePage, int32_t dernierePage, int32_t premiereMesure)
    { (void)premierePage; (void)dernierePage; (void)premiereMesure; }
    // Print preview window, shown modally.
    virtual int Apercu() { return 2; }

    // ASCII import dialog (fills the current track when confirmed; the path of the text file
    // it read comes back for the song's name) and the export window.
    virtual int ImporterASCII(std::string& cheminTexte) { (void)cheminTexte; return 2; }
    virtual void ExporterASCII() {}

    // Preferences dialog; after anything but OK, whether display settings were applied by its
    // preview button (the caller then puts them back).
    virtual int Preferences(bool& affichageApplique) { affichageApplique = false; return 2; }

    // Song browser, shown modally; while it plays songs it loads them itself.
    virtual int Parcourir() { return 2; }
    // When the browser's listen button is down, selects the next song of its list.
    virtual void SelectionnerMorceauSuivant() {}
    // Item of the browser's jump list (0 whole song, 1..6 after 1, 2, 5, 10, 25 or all
    // measures); -1 when no browser is open.
    virtual int SautApres() const { return -1; }

    virtual void APropos() {}
};

IServicesImpression& ServicesImpression();
void InstallerServicesImpression(IServicesImpression* services); // nullptr puts the stand-in back
ISplash& Splash();
void InstallerSplash(ISplash* splash);

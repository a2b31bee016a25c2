#include "app/Programme.h"

#include "app/Main.h"
#include "app/ServicesFenetres.h"
#include "controls/Services.h"
#include "dialogs/BaseDialogue.h"
#include "dialogs/MessageD.h"
#include "dialogs/Services.h"
#include "dialogs/Welcome.h"
#include "document/ConfigFichier.h"
#include "document/Fenetre.h"
#include "document/Variable.h"
#include "midi/Lecture.h"
#include "platform/Repertoires.h"
#include "platform/qt/LecteurFluidSynth.h"
#include "platform/qt/SablierQt.h"
#include "print/Services.h"
#include "print/Splash.h"

#include <QApplication>
#include <string>
#include <vector>

std::string RepertoireProgramme;
std::string RepertoireWindows;
std::string FichierAide;

std::string FichierAidePourLangue(int langue, const std::string& repertoire, const std::string& actuel)
{
    switch (langue) {
    case 1: return repertoire + "Lyrx_fr.hlp";
    case 2: return repertoire + "Lyrx_en.hlp";
    case 3: return repertoire + "Lyrx_de.hlp";
    default: return actuel;
    }
}

void DefinirFichierAide() { FichierAide = FichierAidePourLangue(LangueAide, RepertoireProgramme, FichierAide); }

int LancerProgramme(int argc, char** argv)
{
    // The application object; the platform's boxes, cursor and language dialog.
    QApplication application(argc, argv);
    InstallerMessageD();
    platform::InstallerSablierQt();
    InstallerWelcomeDlg();
    // Palettes and dialogs open on the screen, whatever place the platform first gives them.
    InstallerGardienEcran();
    // The synthesizer loads its sound font in the background while the program starts; the
    // availability test at the main window's first activation waits for it.
    platform::LecteurFluidSynth lecteur;
    InstallerMediaPlayer(&lecteur);

    PisteCourante = 1;
    QApplication::setApplicationName("Lyrandaxis");

    // The folder of the temporary MIDI file comes before any window, which may play at once.
    RepertoireWindows = platform::RepertoireWindowsParDefaut();

    // The help language is still unknown here: the help file stays empty.
    RepertoireProgramme = platform::RepertoireProgrammeParDefaut();
    DefinirFichierAide();

    // The settings. The loader chooses the help language before any window exists, so the
    // help file follows here.
    ChargerConfiguration(RepertoireProgramme, NomFichierConfiguration);
    DefinirFichierAide();

    // The splash plays its starting music through a player of its own.
    CreerSplash();
    Splash().Montrer();

    // The print services: the print engine's set-up at first activation and the Print job,
    // and the windows of the print folder behind the File, Options and Help commands.
    TServicesImpressionProgramme impression;
    InstallerServicesImpression(&impression);

    // The main window, then the resident windows in their order.
    TForm1 fenetre;
    Form1 = &fenetre;
    InstallerFenetrePrincipale(&fenetre);
    TFenetresResidentes residentes(fenetre);

    // The message loop; the first activation starts the window's work.
    std::vector<std::string> arguments;
    for (int i = 1; i < argc; ++i)
        arguments.emplace_back(argv[i]);
    fenetre.DefinirArguments(std::move(arguments));
    fenetre.show();
    fenetre.Demarrer();
    const int code = application.exec();

    InstallerServicesImpression(nullptr);
    InstallerFenetrePrincipale(nullptr);
    Form1 = nullptr;
    InstallerMediaPlayer(nullptr);
    return code;
}

#include "app/Programme.h"

#include "app/Icones.h"
#include "app/Main.h"
#include "app/ServicesFenetres.h"
#include "controls/SortieWaveSysteme.h"
#include "controls/VCLUtils.h"
#include "dialogs/BaseDialogue.h"
#include "dialogs/MessageD.h"
#include "dialogs/Services.h"
#include "dialogs/Welcome.h"
#include "document/ConfigFichier.h"
#include "document/Fenetre.h"
#include "document/Variable.h"
#include "midi/Lecture.h"
#include "platform/Cp1252.h"
#include "platform/Repertoires.h"
#include "platform/qt/LecteurFluidSynth.h"
#include "platform/qt/ArrierePlanDemarrage.h"
#include "platform/qt/SablierQt.h"
#include "print/Services.h"
#include "print/Splash.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <thread>
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

void SignalerErreurEchappee(const std::exception& erreur)
{
    if (dynamic_cast<const EAbort*>(&erreur))
        return;
    AfficherMessage("Lyrandaxis", platform::Utf8VersCp1252(erreur.what()), IconeErreur, BoutonOK, DefautOK,
                    PlacementCentre);
}

void DefinirFichierAide() { FichierAide = FichierAidePourLangue(LangueAide, RepertoireProgramme, FichierAide); }

namespace {

// An error that escapes a command would otherwise end the program with the song unsaved: it is
// shown and the program goes on. EAbort is the quiet stop of a command the user has already
// been told about.
class ApplicationLyrx final : public QApplication {
public:
    using QApplication::QApplication;

    bool notify(QObject* destinataire, QEvent* evenement) override
    {
        return LivrerSansPerte([&] { return QApplication::notify(destinataire, evenement); });
    }
};

} // namespace

ApresPremierePeinture::ApresPremierePeinture(QWidget& fenetre, std::function<bool()> condition)
    : fenetre_(fenetre), condition_(std::move(condition))
{
    fenetre_.installEventFilter(this);
}

bool ApresPremierePeinture::eventFilter(QObject* objet, QEvent* evenement)
{
    if (objet == &fenetre_ && evenement->type() == QEvent::Paint && (!condition_ || condition_())) {
        fenetre_.removeEventFilter(this);
        QTimer::singleShot(0, this, [this] {
            for (const auto& action : actions_)
                action();
        });
    }
    return false;
}

int LancerProgramme(int argc, char** argv)
{
    // The fonts' configuration is read while the application object and the first windows are
    // built; the reading thread is joined before the program ends, whichever way it ends.
    std::jthread lecturePolices = platform::LirePolicesEnArrierePlan();
    // The application object; the platform's boxes, cursor and language dialog.
    ApplicationLyrx application(argc, argv);
    InstallerMessageD();
    platform::InstallerSablierQt();
    InstallerWelcomeDlg();
    // Palettes and dialogs open on the screen, whatever place the platform first gives them.
    InstallerGardienEcran();
    // Captions longer in one language than the design's room widen their control as it shows.
    InstallerAjustementLegendes();
    // The synthesizer loads its sound font in the background once the main window shows; the
    // availability test at the main window's first activation waits for it.
    platform::ReglagesFluidSynth reglagesSons;
    reglagesSons.ChargementImmediat = false;
    auto lecteur = std::make_unique<platform::LecteurFluidSynth>(reglagesSons);
    InstallerMediaPlayer(lecteur.get());
    auto sortieWave = std::make_shared<TSortieWaveSysteme>(false);
    InstallerSortieWave(sortieWave);

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

    // The splash plays its starting music through the wave output, which waits for the main
    // window's first paint.
    CreerSplash();
    Splash().Montrer();
    // The toolbar's pictures are drawn while the windows are made.
    IconesEnArrierePlan icones;

    // The print services: the print engine's set-up at first activation and the Print job,
    // and the windows of the print folder behind the File, Options and Help commands.
    TServicesImpressionProgramme impression;
    InstallerServicesImpression(&impression);

    // The main window, then the resident windows in their order.
    TForm1 fenetre;
    Form1 = &fenetre;
    // Once the close request has done its work, the process ends at once, wherever the request
    // came from: from inside the start work, a nested loop or a window that refuses to close,
    // nothing runs after it. Only the sound output is closed first, so that a WAV output is a
    // whole file (a player still loading its sound font has none yet), and the fonts' reading
    // thread is waited for.
    fenetre.DefinirTerminateur([&lecteur, &lecturePolices](int code) {
        if (lecteur->ChargementTermine()) {
            InstallerMediaPlayer(nullptr);
            lecteur.reset();
        }
        if (lecturePolices.joinable())
            lecturePolices.join();
        std::fflush(nullptr);
        std::_Exit(code);
    });
    const auto demarre = [&fenetre] { return fenetre.DemarrageTermine(); };
    InstallerFenetrePrincipale(&fenetre);
    TFenetresResidentes residentes(fenetre);

    // The message loop; the first activation starts the window's work.
    std::vector<std::string> arguments;
    for (int i = 1; i < argc; ++i)
        arguments.emplace_back(argv[i]);
    fenetre.DefinirArguments(std::move(arguments));
    // What waits for the main window's first paint with its start work done (a paint that
    // comes while the start work lets messages run shows the window unfinished), in this order:
    ApresPremierePeinture apresPeinture(fenetre, demarre);
    // - with $LYRX_TRACE_FIRST_PAINT set, one line "LYRX_FIRST_PAINT" on the error output:
    //   what start-up measurements wait for, so it comes before any of the work below;
    if (const char* v = std::getenv("LYRX_TRACE_FIRST_PAINT"); v && *v)
        apresPeinture.Ajouter([] {
            std::fputs("LYRX_FIRST_PAINT\n", stderr);
            std::fflush(stderr);
        });
    // - the sound font starts loading, on its own thread: loaded beside the start, it slows the
    //   start down (the two compete for the processor and the memory), and nothing plays before.
    //   A sound asked for meanwhile waits for the load. A window that is never painted (started
    //   minimised, say) has it loaded a second later; starting the load a second time does
    //   nothing;
    apresPeinture.Ajouter([&lecteur] { lecteur->CommencerChargement(); });
    QTimer::singleShot(1000, &apresPeinture, [&lecteur] { lecteur->CommencerChargement(); });
    // - the wave output opens: until then the splash's sound waits, and the audio libraries
    //   cost the start nothing.
    apresPeinture.Ajouter([&sortieWave] { sortieWave->Ouvrir(); });
    fenetre.show();
    fenetre.Demarrer();
    const int code = application.exec();

    InstallerServicesImpression(nullptr);
    InstallerFenetrePrincipale(nullptr);
    Form1 = nullptr;
    InstallerMediaPlayer(nullptr);
    // The sound device goes while the application object is still there.
    InstallerSortieWave(nullptr);
    sortieWave.reset();
    return code;
}

#pragma once
// The program block: start-up in its fixed order, the resident windows and the message loop;
// and the state it sets up for the rest of the run.
#include <QObject>

#include <exception>
#include <functional>
#include <string>
#include <vector>

class QWidget;

// Folder of the program's language and help files, with its trailing separator.
extern std::string RepertoireProgramme;
// Folder that stands for the Windows directory: the temporary MIDI file (and the ini files)
// live there. Set before any window exists.
extern std::string RepertoireWindows;
// The application's help file (empty until a help language is chosen).
extern std::string FichierAide;

// Help file for the help language: 1 French, 2 English, 3 German in `repertoire`; any other
// language leaves `actuel`.
std::string FichierAidePourLangue(int langue, const std::string& repertoire, const std::string& actuel);

// FichierAide := the help file of LangueAide in RepertoireProgramme (other values keep it).
void DefinirFichierAide();

// An error that escaped an event, shown in an error box; EAbort, the quiet stop, shows nothing.
void SignalerErreurEchappee(const std::exception& erreur);

// Runs one delivery of an event. An error escaping it is signalled and the delivery counts as
// not handled; the program goes on. A template: it wraps every event the program receives.
template <class Livraison>
bool LivrerSansPerte(Livraison&& livrer)
{
    try {
        return livrer();
    } catch (const std::exception& erreur) {
        SignalerErreurEchappee(erreur);
        return false;
    }
}

// The work that waits for a window's first finished paint, in the order of its list: it looks
// at the window's paints, and once one came with its condition holding (none: the first), one
// call from the event loop runs the actions one after the other, so that the paint has gone to
// the screen before any of them. Later paints run nothing.
class ApresPremierePeinture final : public QObject {
public:
    ApresPremierePeinture(QWidget& fenetre, std::function<bool()> condition);

    // An action at the end of the list.
    void Ajouter(std::function<void()> action) { actions_.push_back(std::move(action)); }

protected:
    bool eventFilter(QObject* objet, QEvent* evenement) override;

private:
    QWidget& fenetre_;
    std::function<bool()> condition_;
    std::vector<std::function<void()>> actions_;
};

int LancerProgramme(int argc, char** argv);

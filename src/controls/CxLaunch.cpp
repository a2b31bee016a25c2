#include "controls/CxLaunch.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <QThread>

#include <cerrno>
#include <chrono>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <vector>

extern char** environ;

std::string MessageErreurLancement(int code)
{
    switch (code) {
    case 0: return "Out of memory or executable file is corrupt";
    case 2: return "File was not found";
    case 3: return "Path was not found";
    case 5: return "Sharing violation or netword error";
    case 6: return "A library required separate data segments for each task";
    case 8: return "Insufficient memory to start application";
    case 10: return "Incorrect version of Windows";
    case 11: return "File is not a Windows application or there was an error in the .EXE image";
    case 12: return "Application was designed for a different operating system";
    case 13: return "Application was designed for MS-DOS 4.0";
    case 14: return "Unknown executable file type";
    case 15: return "Cannot load a real-mode application";
    case 16: return "Cannot load a second instance of an executable file containing multiple, non-read-only data segments";
    case 19: return "Cannot load a compressed executable file";
    case 20: return "A dynamic-link library (DLL) file is invalid";
    case 21: return "Application requires Windows 32-bit extensions";
    case 31: return "No association for specified file type";
    default: return "";
    }
}

namespace {

constexpr int kErreurFichier = 2;
constexpr int kErreurChemin = 3;
constexpr int kErreurMemoire = 8;
constexpr int kErreurAssociation = 31;

// A child process of ours; when it is let go before its end, a small thread reaps it.
class ProcessusPosix : public IProcessusLance {
public:
    explicit ProcessusPosix(pid_t pid)
        : pid_(pid)
    {
    }
    ~ProcessusPosix() override
    {
        if (!termine_) {
            const pid_t pid = pid_;
            std::thread([pid] {
                int statut = 0;
                while (::waitpid(pid, &statut, 0) < 0 && errno == EINTR) {
                }
            }).detach();
        }
    }
    FinAttente Attendre(int delaiMs, uint32_t& codeSortie, int& erreur) override
    {
        using Horloge = std::chrono::steady_clock;
        const auto fin = Horloge::now() + std::chrono::milliseconds(std::max(delaiMs, 0));
        for (;;) {
            int statut = 0;
            const pid_t r = ::waitpid(pid_, &statut, delaiMs < 0 ? 0 : WNOHANG);
            if (r == pid_) {
                termine_ = true;
                codeSortie = WIFEXITED(statut) ? uint32_t(WEXITSTATUS(statut)) : uint32_t(128 + WTERMSIG(statut));
                return FinAttente::Fini;
            }
            if (r < 0 && errno != EINTR) {
                erreur = errno;
                termine_ = true; // not ours to reap any more
                return FinAttente::Echec;
            }
            if (delaiMs >= 0 && Horloge::now() >= fin)
                return FinAttente::Expire;
            if (r == 0)
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    }

private:
    pid_t pid_;
    bool termine_ = false;
};

class ShellSysteme : public IShellLanceur {
public:
    std::unique_ptr<IProcessusLance> Executer(const TDemandeLancement& d, int& instance) override
    {
        const QString action = QString::fromStdString(d.Action);
        if (!action.isEmpty() && action.compare(QLatin1String("open"), Qt::CaseInsensitive) != 0) {
            instance = kErreurAssociation; // no other verb is known to the desktop
            return nullptr;
        }
        const QString nom = QString::fromStdString(d.FileName);
        const QString dossier = QString::fromStdString(d.StartDir);
        if (nom.isEmpty()) {
            instance = kErreurFichier;
            return nullptr;
        }
        if (!dossier.isEmpty() && !QFileInfo(dossier).isDir()) {
            instance = kErreurChemin;
            return nullptr;
        }
        QString programme;
        QStringList arguments;
        const QString chemin = nom.contains(QLatin1Char('/')) || dossier.isEmpty() ? nom : QDir(dossier).filePath(nom);
        const QFileInfo info(chemin);
        if (info.isFile() && info.isExecutable()) {
            programme = info.absoluteFilePath();
            arguments = QProcess::splitCommand(QString::fromStdString(d.Parameters));
        } else if (info.exists()) {
            programme = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
            if (programme.isEmpty()) {
                instance = kErreurAssociation;
                return nullptr;
            }
            arguments = {info.absoluteFilePath()};
        } else if (!nom.contains(QLatin1Char('/')) && !(programme = QStandardPaths::findExecutable(nom)).isEmpty()) {
            arguments = QProcess::splitCommand(QString::fromStdString(d.Parameters));
        } else {
            instance = QFileInfo(info.absolutePath()).isDir() ? kErreurFichier : kErreurChemin;
            return nullptr;
        }

        std::vector<std::string> args{programme.toStdString()};
        for (const QString& a : arguments)
            args.push_back(a.toStdString());
        std::vector<char*> argv;
        for (auto& a : args)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        const std::string repertoire = dossier.toStdString();
        if (!repertoire.empty())
            posix_spawn_file_actions_addchdir_np(&actions, repertoire.c_str());
        pid_t pid = 0;
        const int r = posix_spawn(&pid, args[0].c_str(), &actions, nullptr, argv.data(), environ);
        posix_spawn_file_actions_destroy(&actions);
        if (r != 0) {
            instance = r == ENOMEM ? kErreurMemoire : (r == ENOENT ? kErreurFichier : 0);
            return nullptr;
        }
        instance = 33 + static_cast<int>(pid % 1000000);
        return std::make_unique<ProcessusPosix>(pid);
    }
};

std::mutex& VerrouShell()
{
    static std::mutex verrou;
    return verrou;
}
std::shared_ptr<IShellLanceur>& ShellInstalle()
{
    static std::shared_ptr<IShellLanceur> shell = std::make_shared<ShellSysteme>();
    return shell;
}
std::shared_ptr<IShellLanceur> ShellCourant()
{
    std::lock_guard verrou(VerrouShell());
    return ShellInstalle();
}

} // namespace

void InstallerShellLanceur(std::shared_ptr<IShellLanceur> shell)
{
    std::lock_guard verrou(VerrouShell());
    ShellInstalle() = shell ? std::move(shell) : std::make_shared<ShellSysteme>();
}

// The run-time fields, guarded: two launches of one component may run at once. `vie` is held
// while an event runs, so that the component cannot go away under it, and a worker that ends
// after the component fires nothing.
struct TCxLauncher::Etat {
    mutable std::mutex verrou;
    int instance = 0;
    uint32_t codeSortie = 0;
    std::string derniereErreur;
    std::unique_ptr<IProcessusLance> processus;

    std::mutex vie;
    TCxLauncher* proprietaire = nullptr;
};

namespace {

struct Lancement {
    TDemandeLancement demande;
    int delai = -1;
    std::function<void(TCxLauncher&)> fini;
    std::function<void(TCxLauncher&)> expire;
};

void NotifierIci(TCxLauncher::Etat& etat, const std::function<void(TCxLauncher&)>& evenement)
{
    std::lock_guard vie(etat.vie);
    if (etat.proprietaire)
        evenement(*etat.proprietaire);
}

// The events touch windows and the component's owner, which live in the main thread: a wait
// done elsewhere hands its event to the main thread's queue and goes on. The component may be
// gone by the time the queue gets there; then nothing fires.
void Notifier(const std::shared_ptr<TCxLauncher::Etat>& etat, const std::function<void(TCxLauncher&)>& evenement)
{
    if (!evenement)
        return;
    QCoreApplication* application = QCoreApplication::instance();
    if (!application || QThread::currentThread() == application->thread()) {
        NotifierIci(*etat, evenement);
        return;
    }
    QMetaObject::invokeMethod(application, [etat, evenement] { NotifierIci(*etat, evenement); },
                              Qt::QueuedConnection);
}

void Executer(const std::shared_ptr<TCxLauncher::Etat>& etat, const Lancement& l)
{
    {
        std::lock_guard verrou(etat->verrou);
        etat->instance = 0;
        etat->codeSortie = 0;
        etat->derniereErreur.clear();
    }
    int instance = 0;
    std::unique_ptr<IProcessusLance> processus = ShellCourant()->Executer(l.demande, instance);
    if (!processus)
        throw ELaunchError(instance);
    {
        std::lock_guard verrou(etat->verrou);
        etat->instance = instance;
    }
    uint32_t code = 0;
    int erreur = 0;
    const FinAttente fin = processus->Attendre(l.delai, code, erreur);
    {
        std::lock_guard verrou(etat->verrou);
        if (fin == FinAttente::Fini)
            etat->codeSortie = code;
        // Kept until the next launch, then let go (a finished one is done with at once).
        etat->processus = fin == FinAttente::Expire ? std::move(processus) : nullptr;
    }
    switch (fin) {
    case FinAttente::Fini: Notifier(etat, l.fini); break;
    case FinAttente::Expire: Notifier(etat, l.expire); break;
    case FinAttente::Echec: throw ELaunchError(erreur);
    }
}

} // namespace

TCxLauncher::TCxLauncher()
    : etat_(std::make_shared<Etat>())
{
    etat_->proprietaire = this;
}

TCxLauncher::~TCxLauncher()
{
    std::lock_guard vie(etat_->vie);
    etat_->proprietaire = nullptr;
}

void TCxLauncher::Launch()
{
    Lancement l{{Action, FileName, Parameters, StartDir, ShowMode}, Timeout, OnFinished, OnTimeout};
    if (WaitUntilFinished) {
        Executer(etat_, l);
        return;
    }
    std::thread([etat = etat_, l = std::move(l)] {
        try {
            Executer(etat, l);
        } catch (const std::exception& e) {
            std::lock_guard verrou(etat->verrou);
            etat->derniereErreur = e.what();
        }
    }).detach();
}

int TCxLauncher::Instance() const
{
    std::lock_guard verrou(etat_->verrou);
    return etat_->instance;
}

uint32_t TCxLauncher::ExitCode() const
{
    std::lock_guard verrou(etat_->verrou);
    return etat_->codeSortie;
}

std::string TCxLauncher::LastError() const
{
    std::lock_guard verrou(etat_->verrou);
    return etat_->derniereErreur;
}

#pragma once
// The launcher: starts a program or opens a document through the desktop, optionally waits
// for the started process to end, and reports its exit code or a time-out through events. It
// waits in the calling thread (WaitUntilFinished) or in a worker thread of its own; either way
// the events run in the main thread (queued there by a worker), since their handlers touch
// windows. No window of the program places one.
//
// The desktop is reached through IShellLanceur, so that tests launch nothing; the default one
// runs programs found on the PATH or by path, and opens documents with xdg-open.
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <string>

enum TShowMode { smNormal, smMaximized, smMinimized, smHide };

// The message of a shell error code ("" for a code without one).
std::string MessageErreurLancement(int code);

class ELaunchError : public std::runtime_error {
public:
    explicit ELaunchError(int code)
        : std::runtime_error(MessageErreurLancement(code))
        , code_(code)
    {
    }
    int ErrorCode() const { return code_; }

private:
    int code_;
};

struct TDemandeLancement {
    std::string Action;
    std::string FileName;
    std::string Parameters;
    std::string StartDir;
    TShowMode ShowMode = smNormal; // the desktop decides the window state of what it starts
};

enum class FinAttente { Fini, Expire, Echec };

// A started process. Destroying it does not stop the process.
class IProcessusLance {
public:
    virtual ~IProcessusLance() = default;
    // Waits up to `delaiMs` (negative: without limit). Fini sets the exit code; Echec the
    // system's error code.
    virtual FinAttente Attendre(int delaiMs, uint32_t& codeSortie, int& erreur) = 0;
};

class IShellLanceur {
public:
    virtual ~IShellLanceur() = default;
    // The started process, or null with `instance` set to the shell's error code (32 or less).
    // On success `instance` is above 32.
    virtual std::unique_ptr<IProcessusLance> Executer(const TDemandeLancement& demande, int& instance) = 0;
};

// Installs the desktop the launchers use (nullptr puts the real one back).
void InstallerShellLanceur(std::shared_ptr<IShellLanceur> shell);

class TCxLauncher {
public:
    TCxLauncher();
    ~TCxLauncher();
    TCxLauncher(const TCxLauncher&) = delete;
    TCxLauncher& operator=(const TCxLauncher&) = delete;

    std::string Action = "Open";
    std::string FileName;
    std::string Parameters;
    std::string StartDir;
    TShowMode ShowMode = smNormal;
    int Timeout = -1; // milliseconds; -1 without limit
    bool WaitUntilFinished = false;

    std::function<void(TCxLauncher& sender)> OnFinished;
    std::function<void(TCxLauncher& sender)> OnTimeout;

    // Waits here with WaitUntilFinished (and raises ELaunchError), else starts a worker
    // thread and returns at once; a failure in the worker ends it and is kept in LastError.
    // The worker's events reach the main thread through its event queue.
    void Launch();

    // Run-time state of the last launch.
    int Instance() const;
    uint32_t ExitCode() const;
    std::string LastError() const;

    struct Etat; // shared with the worker threads, which may outlive the component

private:
    std::shared_ptr<Etat> etat_;
};

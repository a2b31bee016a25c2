#pragma once
// An X server of the test's own (Xvfb on a free display), and a window manager on it, for the
// tests that need the real window system: they are skipped where the programs are missing.
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <optional>
#include <string>
#include <vector>

extern char** environ;

namespace lyrx_test {

// A program started with `args` (searched in PATH), the variables `env` put before the
// environment, its output thrown away; ended with the object.
class ProgrammeLance {
public:
    explicit ProgrammeLance(std::vector<std::string> args, const std::vector<std::string>& env = {})
    {
        posix_spawn_file_actions_t a;
        posix_spawn_file_actions_init(&a);
        posix_spawn_file_actions_addopen(&a, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&a, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
        std::vector<std::string> variables = env;
        for (char** v = environ; *v; ++v)
            variables.emplace_back(*v);
        std::vector<char*> argv;
        std::vector<char*> envp;
        for (auto* liste : {&args, &variables}) {
            std::vector<char*>& pointeurs = liste == &args ? argv : envp;
            for (std::string& s : *liste)
                pointeurs.push_back(s.data());
            pointeurs.push_back(nullptr);
        }
        if (posix_spawnp(&pid_, argv[0], &a, nullptr, argv.data(), envp.data()) != 0)
            pid_ = -1;
        posix_spawn_file_actions_destroy(&a);
    }
    ~ProgrammeLance()
    {
        if (pid_ > 0) {
            kill(pid_, SIGTERM);
            waitpid(pid_, nullptr, 0);
        }
    }
    ProgrammeLance(const ProgrammeLance&) = delete;
    ProgrammeLance& operator=(const ProgrammeLance&) = delete;
    bool Lance() const { return pid_ > 0; }

private:
    pid_t pid_ = -1;
};

// Xvfb on a free display of a screen `ecran` (width x height x depth), for the life of the
// object; Display() is empty when it could not start.
class Xvfb {
public:
    explicit Xvfb(const std::string& ecran = "1280x900x24")
    {
        int tube[2];
        if (pipe(tube) != 0)
            return;
        // It writes the number of the display it took on the pipe once it is ready.
        serveur_.emplace(std::vector<std::string>{"Xvfb", "-displayfd", std::to_string(tube[1]), "-screen", "0", ecran,
                                                  "-nolisten", "tcp"});
        close(tube[1]);
        std::string lu;
        char c;
        while (serveur_->Lance() && read(tube[0], &c, 1) == 1 && c != '\n')
            lu += c;
        close(tube[0]);
        if (!lu.empty())
            display_ = ":" + lu;
    }
    const std::string& Display() const { return display_; }

private:
    std::optional<ProgrammeLance> serveur_;
    std::string display_;
};

} // namespace lyrx_test

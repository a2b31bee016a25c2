// Start-up of the real program, from exec to the first paint of its main window, with the
// default sound font and without one, run in turns; prints each run and the medians side by
// side. The program is asked for its first-paint line on its error output
// (LYRX_TRACE_FIRST_PAINT) and is killed once it has written it. Each run gets a fresh
// settings folder (English, no starting music) so that no dialog asks anything.
//
//   lyrx_startup_bench --exe build/src/lyrandaxis [--runs 10] [--soundfont PATH] [--rss]
//
// --rss also reads the resident size (VmRSS) of each kind of start 4 s after exec.
// The display is the caller's: QT_QPA_PLATFORM=offscreen, or an X server in DISPLAY
// (bench/startup.sh starts Xvfb when there is one).
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <optional>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

namespace fs = std::filesystem;
using Horloge = std::chrono::steady_clock;

struct Lancement {
    pid_t pid = -1;
    int sortieErreur = -1;
    Horloge::time_point debut;
};

std::optional<Lancement> Lancer(const std::string& exe, const fs::path& dossier, const std::string& soundFont)
{
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e) {
        const std::string v = *e;
        if (v.rfind("LYRX_", 0) != 0)
            env.push_back(v);
    }
    env.push_back("LYRX_WINDOWS_DIR=" + dossier.string());
    env.push_back("LYRX_SOUNDFONT=" + soundFont);
    env.push_back("LYRX_AUDIO_DRIVER=file");
    env.push_back("LYRX_TRACE_FIRST_PAINT=1");
    std::vector<char*> envp;
    for (auto& v : env)
        envp.push_back(v.data());
    envp.push_back(nullptr);

    int tube[2];
    if (pipe(tube) != 0)
        return std::nullopt;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, tube[1], STDERR_FILENO);
    posix_spawn_file_actions_addclose(&actions, tube[0]);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    std::string exeCopie = exe;
    char* argv[] = {exeCopie.data(), nullptr};
    Lancement l;
    l.debut = Horloge::now();
    const int r = posix_spawn(&l.pid, exe.c_str(), &actions, nullptr, argv, envp.data());
    posix_spawn_file_actions_destroy(&actions);
    close(tube[1]);
    if (r != 0) {
        close(tube[0]);
        return std::nullopt;
    }
    l.sortieErreur = tube[0];
    return l;
}

// Milliseconds from exec to the first-paint line; nothing when it never came (30 s).
std::optional<double> AttendrePeinture(Lancement& l)
{
    std::string lu;
    const auto limite = l.debut + std::chrono::seconds(30);
    while (Horloge::now() < limite) {
        pollfd p{l.sortieErreur, POLLIN, 0};
        if (poll(&p, 1, 100) <= 0)
            continue;
        char tampon[4096];
        const ssize_t n = read(l.sortieErreur, tampon, sizeof tampon);
        if (n <= 0)
            return std::nullopt;
        lu.append(tampon, static_cast<std::size_t>(n));
        if (lu.find("LYRX_FIRST_PAINT") != std::string::npos)
            return std::chrono::duration<double, std::milli>(Horloge::now() - l.debut).count();
    }
    return std::nullopt;
}

void Terminer(Lancement& l)
{
    kill(l.pid, SIGKILL);
    waitpid(l.pid, nullptr, 0);
    close(l.sortieErreur);
}

std::string VmRss(pid_t pid)
{
    std::ifstream f("/proc/" + std::to_string(pid) + "/status");
    std::string ligne;
    while (std::getline(f, ligne))
        if (ligne.rfind("VmRSS:", 0) == 0)
            return ligne.substr(6 + ligne.substr(6).find_first_not_of(" \t"));
    return "?";
}

fs::path DossierReglages(const fs::path& racine, int n)
{
    const fs::path d = racine / std::to_string(n);
    fs::create_directories(d);
    std::ofstream(d / "Lyrx220.ini", std::ios::binary) << "[Config]\r\nPatcheLangue=English\r\nStartingMusic=3\r\n";
    return d;
}

double Mediane(std::vector<double> v)
{
    if (v.empty())
        return 0.0;
    std::sort(v.begin(), v.end());
    const std::size_t m = v.size() / 2;
    return v.size() % 2 ? v[m] : (v[m - 1] + v[m]) / 2.0;
}

} // namespace

int main(int argc, char** argv)
{
    std::string exe;
    std::string soundFont = "/usr/share/sounds/sf2/FluidR3_GM.sf2";
    int runs = 10;
    bool rss = false;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--exe" && i + 1 < argc)
            exe = argv[++i];
        else if (a == "--soundfont" && i + 1 < argc)
            soundFont = argv[++i];
        else if (a == "--runs" && i + 1 < argc)
            runs = std::max(1, std::atoi(argv[++i]));
        else if (a == "--rss")
            rss = true;
        else {
            std::fprintf(stderr, "usage: %s --exe PATH [--runs N] [--soundfont PATH] [--rss]\n", argv[0]);
            return 2;
        }
    }
    if (exe.empty() || !fs::is_regular_file(exe)) {
        std::fprintf(stderr, "no program: pass --exe build/src/lyrandaxis\n");
        return 2;
    }
    const fs::path racine = fs::temp_directory_path() / ("lyrx_demarrage_" + std::to_string(getpid()));
    const std::string sansSoundFont = (racine / "absente.sf2").string();
    struct Cas {
        const char* nom;
        std::string soundFont;
        std::vector<double> ms;
    } cas[] = {{"default sound font", soundFont, {}}, {"no sound font", sansSoundFont, {}}};

    std::printf("exec -> first paint of the main window, ms (%s)\n", soundFont.c_str());
    std::printf("%4s %20s %20s\n", "run", cas[0].nom, cas[1].nom);
    int dossier = 0;
    for (int r = 1; r <= runs; ++r) {
        double ms[2] = {-1, -1};
        for (int c = 0; c < 2; ++c) {
            auto l = Lancer(exe, DossierReglages(racine, ++dossier), cas[c].soundFont);
            if (!l) {
                std::fprintf(stderr, "cannot start %s: %s\n", exe.c_str(), std::strerror(errno));
                return 1;
            }
            if (auto t = AttendrePeinture(*l)) {
                ms[c] = *t;
                cas[c].ms.push_back(*t);
            }
            Terminer(*l);
        }
        std::printf("%4d %20.1f %20.1f\n", r, ms[0], ms[1]);
    }
    std::printf("%4s %20.1f %20.1f\n", "med", Mediane(cas[0].ms), Mediane(cas[1].ms));

    if (rss) {
        for (auto& c : cas) {
            auto l = Lancer(exe, DossierReglages(racine, ++dossier), c.soundFont);
            if (!l)
                return 1;
            std::this_thread::sleep_until(l->debut + std::chrono::seconds(4));
            std::printf("VmRSS 4 s after exec, %s: %s\n", c.nom, VmRss(l->pid).c_str());
            Terminer(*l);
        }
    }
    std::error_code ec;
    fs::remove_all(racine, ec);
    const bool complet = cas[0].ms.size() == static_cast<std::size_t>(runs) && cas[1].ms.size() == static_cast<std::size_t>(runs);
    if (!complet)
        std::fprintf(stderr, "some runs never painted their main window\n");
    return complet ? 0 : 1;
}

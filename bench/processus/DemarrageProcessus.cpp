// Start-up of the real program, from exec to the first paint of its main window, with the
// default sound font and without one, measured against the floor of the machine: a bare Qt
// window with a menu bar (lyrx_bare_window) started the same way. The three are run in turns,
// so that a change of load on the machine falls on all of them alike; prints each run, the
// medians and the ratio of each median of the real program to the bare window's, the figure
// that compares across machines. The programs are asked for their first-paint line on their
// error output (LYRX_TRACE_FIRST_PAINT) and are killed once they have written it. Each run of
// the real program gets a fresh settings folder (English, the other settings as on a first
// start: the splash with its starting music) so that no dialog asks anything.
//
//   lyrx_startup_bench --exe build/src/lyrandaxis --bare build/bench/lyrx_bare_window
//                      [--runs 10] [--soundfont PATH] [--rss]
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
    // An empty folder starts the bare window, which reads no settings.
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e) {
        const std::string v = *e;
        if (v.rfind("LYRX_", 0) != 0)
            env.push_back(v);
    }
    if (!dossier.empty()) {
        env.push_back("LYRX_WINDOWS_DIR=" + dossier.string());
        env.push_back("LYRX_SOUNDFONT=" + soundFont);
        env.push_back("LYRX_AUDIO_DRIVER=file");
    }
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
    std::ofstream(d / "Lyrx220.ini", std::ios::binary) << "[Config]\r\nPatcheLangue=English\r\n";
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

// A start of `exe` to its first paint, in ms; nothing when it could not be started or never
// painted.
std::optional<double> Mesurer(const std::string& exe, const fs::path& dossier, const std::string& soundFont)
{
    auto l = Lancer(exe, dossier, soundFont);
    if (!l) {
        std::fprintf(stderr, "cannot start %s: %s\n", exe.c_str(), std::strerror(errno));
        return std::nullopt;
    }
    const std::optional<double> t = AttendrePeinture(*l);
    Terminer(*l);
    return t;
}

} // namespace

int main(int argc, char** argv)
{
    std::string exe;
    std::string nue;
    std::string soundFont = "/usr/share/sounds/sf2/FluidR3_GM.sf2";
    int runs = 10;
    bool rss = false;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--exe" && i + 1 < argc)
            exe = argv[++i];
        else if (a == "--bare" && i + 1 < argc)
            nue = argv[++i];
        else if (a == "--soundfont" && i + 1 < argc)
            soundFont = argv[++i];
        else if (a == "--runs" && i + 1 < argc)
            runs = std::max(1, std::atoi(argv[++i]));
        else if (a == "--rss")
            rss = true;
        else {
            std::fprintf(stderr, "usage: %s --exe PATH --bare PATH [--runs N] [--soundfont PATH] [--rss]\n", argv[0]);
            return 2;
        }
    }
    if (exe.empty() || !fs::is_regular_file(exe)) {
        std::fprintf(stderr, "no program: pass --exe build/src/lyrandaxis\n");
        return 2;
    }
    if (nue.empty() || !fs::is_regular_file(nue)) {
        std::fprintf(stderr, "no bare window: pass --bare build/bench/lyrx_bare_window\n");
        return 2;
    }
    const fs::path racine = fs::temp_directory_path() / ("lyrx_demarrage_" + std::to_string(getpid()));
    const std::string sansSoundFont = (racine / "absente.sf2").string();
    struct Cas {
        const char* nom;
        std::string exe;
        std::string soundFont;
        std::vector<double> ms;
    } cas[] = {{"bare window", nue, {}, {}},
               {"default sound font", exe, soundFont, {}},
               {"no sound font", exe, sansSoundFont, {}}};

    std::printf("exec -> first paint, ms (sound font %s)\n", soundFont.c_str());
    std::printf("%4s %20s %20s %20s\n", "run", cas[0].nom, cas[1].nom, cas[2].nom);
    int dossier = 0;
    for (int r = 1; r <= runs; ++r) {
        double ms[3] = {-1, -1, -1};
        for (int c = 0; c < 3; ++c) {
            const fs::path reglages = c == 0 ? fs::path() : DossierReglages(racine, ++dossier);
            if (auto t = Mesurer(cas[c].exe, reglages, cas[c].soundFont)) {
                ms[c] = *t;
                cas[c].ms.push_back(*t);
            }
        }
        std::printf("%4d %20.1f %20.1f %20.1f\n", r, ms[0], ms[1], ms[2]);
    }
    const double plancher = Mediane(cas[0].ms);
    std::printf("%4s %20.1f %20.1f %20.1f\n", "med", plancher, Mediane(cas[1].ms), Mediane(cas[2].ms));
    if (plancher > 0)
        std::printf("%4s %20s %19.2fx %19.2fx\n", "/bare", "", Mediane(cas[1].ms) / plancher,
                    Mediane(cas[2].ms) / plancher);

    if (rss) {
        for (int c = 1; c < 3; ++c) {
            auto l = Lancer(exe, DossierReglages(racine, ++dossier), cas[c].soundFont);
            if (!l)
                return 1;
            std::this_thread::sleep_until(l->debut + std::chrono::seconds(4));
            std::printf("VmRSS 4 s after exec, %s: %s\n", cas[c].nom, VmRss(l->pid).c_str());
            Terminer(*l);
        }
    }
    std::error_code ec;
    fs::remove_all(racine, ec);
    bool complet = true;
    for (const auto& c : cas)
        complet = complet && c.ms.size() == static_cast<std::size_t>(runs);
    if (!complet)
        std::fprintf(stderr, "some runs never painted their window\n");
    return complet ? 0 : 1;
}

// Start-up of the real program, from exec to the first paint of its main window, with the
// default sound font and without one, measured against the floor of the machine: a bare Qt
// window with a menu bar (lyrx_bare_window) started the same way. All are run in turns, each
// turn in an order of its own, so that a change of load on the machine falls on all alike;
// prints each run, the medians and the ratio of each median of the real program to the bare
// window's, the figure that compares across machines. The programs are asked for their
// first-paint line on their error output (LYRX_TRACE_FIRST_PAINT) and are killed once they
// have written it. Each run of the real program gets a fresh settings folder (English, the
// other settings as on a first start: the splash with its starting music) so that no dialog
// asks anything.
//
//   lyrx_startup_bench --exe build/src/lyrandaxis [--exe OTHER...] --bare build/bench/lyrx_bare_window
//                      [--runs 10] [--soundfont PATH] [--rss]
//
// Several --exe compare builds (before and after a change, say) in one run, in turns as well,
// each numbered in the columns.
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
#include <numeric>
#include <optional>
#include <poll.h>
#include <random>
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
    std::vector<std::string> programmes;
    std::string nue;
    std::string soundFont = "/usr/share/sounds/sf2/FluidR3_GM.sf2";
    int runs = 10;
    bool rss = false;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--exe" && i + 1 < argc)
            programmes.push_back(argv[++i]);
        else if (a == "--bare" && i + 1 < argc)
            nue = argv[++i];
        else if (a == "--soundfont" && i + 1 < argc)
            soundFont = argv[++i];
        else if (a == "--runs" && i + 1 < argc)
            runs = std::max(1, std::atoi(argv[++i]));
        else if (a == "--rss")
            rss = true;
        else {
            std::fprintf(stderr,
                         "usage: %s --exe PATH [--exe PATH...] --bare PATH [--runs N] [--soundfont PATH] [--rss]\n",
                         argv[0]);
            return 2;
        }
    }
    if (programmes.empty()) {
        std::fprintf(stderr, "no program: pass --exe build/src/lyrandaxis\n");
        return 2;
    }
    for (const auto& exe : programmes)
        if (!fs::is_regular_file(exe)) {
            std::fprintf(stderr, "no program at %s\n", exe.c_str());
            return 2;
        }
    if (nue.empty() || !fs::is_regular_file(nue)) {
        std::fprintf(stderr, "no bare window: pass --bare build/bench/lyrx_bare_window\n");
        return 2;
    }
    const fs::path racine = fs::temp_directory_path() / ("lyrx_demarrage_" + std::to_string(getpid()));
    const std::string sansSoundFont = (racine / "absente.sf2").string();
    struct Cas {
        std::string nom;
        std::string exe;
        std::string soundFont;
        bool programme;
        std::vector<double> ms;
    };
    // The bare window, then each program with the sound font and without, all in turns.
    std::vector<Cas> cas{{"bare window", nue, {}, false, {}}};
    std::printf("exec -> first paint, ms (sound font %s)\n", soundFont.c_str());
    for (std::size_t p = 0; p < programmes.size(); ++p) {
        const std::string n = programmes.size() > 1 ? "#" + std::to_string(p + 1) + " " : "";
        if (programmes.size() > 1)
            std::printf("#%zu = %s\n", p + 1, programmes[p].c_str());
        cas.push_back({n + "default sound font", programmes[p], soundFont, true, {}});
        cas.push_back({n + "no sound font", programmes[p], sansSoundFont, true, {}});
    }

    std::printf("%4s", "run");
    for (const auto& c : cas)
        std::printf(" %22s", c.nom.c_str());
    std::printf("\n");
    int dossier = 0;
    std::mt19937 melange(1);
    for (int r = 1; r <= runs; ++r) {
        // Each run in an order of its own, so that no start always follows the same one: the
        // one before leaves the caches, the display server and the processor's clock to it.
        std::vector<std::size_t> ordre(cas.size());
        std::iota(ordre.begin(), ordre.end(), std::size_t{0});
        std::shuffle(ordre.begin(), ordre.end(), melange);
        std::vector<double> ms(cas.size(), -1);
        for (const std::size_t c : ordre) {
            const fs::path reglages = cas[c].programme ? DossierReglages(racine, ++dossier) : fs::path();
            if (auto t = Mesurer(cas[c].exe, reglages, cas[c].soundFont)) {
                ms[c] = *t;
                cas[c].ms.push_back(*t);
            }
        }
        std::printf("%4d", r);
        for (const double t : ms)
            std::printf(" %22.1f", t);
        std::printf("\n");
        std::fflush(stdout);
    }
    const double plancher = Mediane(cas[0].ms);
    std::printf("%4s", "med");
    for (const auto& c : cas)
        std::printf(" %22.1f", Mediane(c.ms));
    std::printf("\n");
    if (plancher > 0) {
        std::printf("%4s %22s", "/bare", "");
        for (std::size_t c = 1; c < cas.size(); ++c)
            std::printf(" %21.2fx", Mediane(cas[c].ms) / plancher);
        std::printf("\n");
    }

    if (rss) {
        for (std::size_t c = 1; c < cas.size(); ++c) {
            auto l = Lancer(cas[c].exe, DossierReglages(racine, ++dossier), cas[c].soundFont);
            if (!l)
                return 1;
            std::this_thread::sleep_until(l->debut + std::chrono::seconds(4));
            std::printf("VmRSS 4 s after exec, %s: %s\n", cas[c].nom.c_str(), VmRss(l->pid).c_str());
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

// The real program under Xvfb, closed through its main window as a window manager closes it
// (WM_DELETE_WINDOW), at several moments after start, with each starting music, with and
// without a song on the command line: it must end within a second with status 0, its
// settings written. The programs run side by side to keep the test short. Also its start on
// settings files written by other editors.
#include "support/DossierTemporaire.h"
#include "support/ServeurX.h"

#include <gtest/gtest.h>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <signal.h>
#include <spawn.h>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <utility>
#include <vector>

extern char** environ;

namespace {

namespace fs = std::filesystem;
using Horloge = std::chrono::steady_clock;
using namespace std::chrono_literals;

// The top-level windows of one process whose name begins with `prefixe`.
std::vector<Window> FenetresDe(Display* d, pid_t pid, const std::string& prefixe)
{
    std::vector<Window> trouvees;
    const Atom atomePid = XInternAtom(d, "_NET_WM_PID", False);
    Window racine, parent, *enfants = nullptr;
    unsigned n = 0;
    if (!XQueryTree(d, DefaultRootWindow(d), &racine, &parent, &enfants, &n))
        return trouvees;
    for (unsigned i = 0; i < n; ++i) {
        Atom type;
        int format;
        unsigned long nb, reste;
        unsigned char* donnees = nullptr;
        if (XGetWindowProperty(d, enfants[i], atomePid, 0, 1, False, XA_CARDINAL, &type, &format, &nb, &reste,
                               &donnees) != Success || !donnees)
            continue;
        const long p = nb == 1 ? *reinterpret_cast<long*>(donnees) : -1;
        XFree(donnees);
        if (p != pid)
            continue;
        XWindowAttributes attr;
        if (!XGetWindowAttributes(d, enfants[i], &attr) || attr.map_state != IsViewable)
            continue;
        char* nom = nullptr;
        if (XFetchName(d, enfants[i], &nom) && nom) {
            if (std::string(nom).rfind(prefixe, 0) == 0)
                trouvees.push_back(enfants[i]);
            XFree(nom);
        }
    }
    if (enfants)
        XFree(enfants);
    return trouvees;
}

void DemanderFermeture(Display* d, Window w)
{
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = w;
    e.xclient.message_type = XInternAtom(d, "WM_PROTOCOLS", False);
    e.xclient.format = 32;
    e.xclient.data.l[0] = static_cast<long>(XInternAtom(d, "WM_DELETE_WINDOW", False));
    e.xclient.data.l[1] = CurrentTime;
    XSendEvent(d, w, False, NoEventMask, &e);
    XFlush(d);
}

struct Essai {
    int musique = 3;
    int delai = 1; // seconds after start
    bool chanson = false;
    fs::path dossier;
    pid_t pid = -1;
    Horloge::time_point debut;
    std::optional<Horloge::time_point> demande;
    std::optional<Horloge::time_point> fin;
    int statut = -1;

    std::string Nom() const
    {
        std::ostringstream o;
        o << "music " << musique << ", close after " << delai << " s, " << (chanson ? "with" : "without") << " a song";
        return o.str();
    }
};

class FermetureProcessusTest : public ::testing::Test {
protected:
    // A display of the test's own, or the test is skipped.
    void SetUp() override
    {
        serveur_.emplace();
        if (serveur_->Display().empty())
            GTEST_SKIP() << "no Xvfb";
        d_ = XOpenDisplay(serveur_->Display().c_str());
        ASSERT_NE(d_, nullptr);
        // A window that goes between two requests is no error here.
        XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });
    }
    void TearDown() override
    {
        if (d_)
            XCloseDisplay(d_);
    }

    // A trial in a settings folder of its own, whose Lyrx220.ini holds `ini`.
    void AjouterEssai(std::vector<Essai>& essais, Essai e, const std::string& ini)
    {
        e.dossier = dossier_ / std::to_string(essais.size());
        fs::create_directories(e.dossier);
        std::ofstream(e.dossier / "Lyrx220.ini", std::ios::binary) << ini;
        essais.push_back(std::move(e));
    }

    static std::string LireIni(const Essai& e)
    {
        std::ifstream ini(e.dossier / "Lyrx220.ini", std::ios::binary);
        return {std::istreambuf_iterator<char>(ini), std::istreambuf_iterator<char>()};
    }

    pid_t Lancer(const Essai& e, const std::string& argument)
    {
        std::vector<std::string> env;
        for (char** v = environ; *v; ++v) {
            const std::string s = *v;
            if (s.rfind("LYRX_", 0) != 0 && s.rfind("DISPLAY=", 0) != 0 && s.rfind("QT_QPA_PLATFORM=", 0) != 0)
                env.push_back(s);
        }
        env.push_back("DISPLAY=" + serveur_->Display());
        env.push_back("QT_QPA_PLATFORM=xcb");
        env.push_back("LYRX_WINDOWS_DIR=" + e.dossier.string());
        env.push_back("LYRX_PROGRAM_DIR=" LYRX_SOURCE_DIR "/data");
        env.push_back("LYRX_AUDIO_DRIVER=file");
        std::vector<char*> envp;
        for (auto& s : env)
            envp.push_back(s.data());
        envp.push_back(nullptr);
        std::vector<std::string> args = {LYRX_EXECUTABLE};
        if (!argument.empty())
            args.push_back(argument);
        std::vector<char*> argv;
        for (auto& s : args)
            argv.push_back(s.data());
        argv.push_back(nullptr);
        posix_spawn_file_actions_t a;
        posix_spawn_file_actions_init(&a);
        posix_spawn_file_actions_addopen(&a, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&a, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
        pid_t pid = -1;
        if (posix_spawn(&pid, LYRX_EXECUTABLE, &a, nullptr, argv.data(), envp.data()) != 0)
            pid = -1;
        posix_spawn_file_actions_destroy(&a);
        return pid;
    }

    // Starts the program of every trial, with the argument `argument` gives it, and asks each
    // main window titled `titre` to close once it is there and the trial's delay has passed;
    // returns when every program has ended, or after a minute, the programs still running
    // then ended (their trials without an end).
    void LancerEtFermer(std::vector<Essai>& essais, const char* titre,
                        const std::function<std::string(const Essai&)>& argument)
    {
        for (Essai& e : essais) {
            e.debut = Horloge::now();
            e.pid = Lancer(e, argument(e));
            ASSERT_GT(e.pid, 0) << "cannot start " << LYRX_EXECUTABLE;
        }
        const auto limite = Horloge::now() + 60s;
        for (bool reste = true; reste && Horloge::now() < limite;) {
            reste = false;
            for (Essai& e : essais) {
                if (e.fin)
                    continue;
                reste = true;
                int statut = 0;
                if (waitpid(e.pid, &statut, WNOHANG) == e.pid) {
                    e.fin = Horloge::now();
                    e.statut = statut;
                    continue;
                }
                if (e.demande || Horloge::now() - e.debut < std::chrono::seconds(e.delai))
                    continue;
                const std::vector<Window> fenetres = FenetresDe(d_, e.pid, titre);
                if (fenetres.empty())
                    continue;
                DemanderFermeture(d_, fenetres.front());
                e.demande = Horloge::now();
            }
            std::this_thread::sleep_for(10ms);
        }
        for (Essai& e : essais)
            if (!e.fin) {
                kill(e.pid, SIGKILL);
                waitpid(e.pid, nullptr, 0);
            }
    }

    lyrx_test::DossierTemporaire dossier_{"lyrx-fermeture"};
    std::optional<lyrx_test::Xvfb> serveur_;
    Display* d_ = nullptr;
};

TEST_F(FermetureProcessusTest, ACloseRequestEndsTheProgramAtAnyMoment)
{
    // A wave file for the second starting music: ten seconds of silence.
    const fs::path wave = dossier_ / "long.wav";
    {
        const uint32_t octets = 22050 * 2 * 10;
        std::ofstream f(wave, std::ios::binary);
        auto u32 = [&](uint32_t v) { f.write(reinterpret_cast<const char*>(&v), 4); };
        auto u16 = [&](uint16_t v) { f.write(reinterpret_cast<const char*>(&v), 2); };
        f << "RIFF";
        u32(36 + octets);
        f << "WAVEfmt ";
        u32(16), u16(1), u16(1), u32(22050), u32(44100), u16(2), u16(16);
        f << "data";
        u32(octets);
        f << std::string(octets, '\0');
    }
    const std::string chanson = LYRX_SOURCE_DIR "/tests/document/data/partition_v220.lrx";

    std::vector<Essai> essais;
    // Each delay with each music, the song argument in turns: nine programs at once.
    for (int delai : {1, 3, 8})
        for (int musique : {1, 2, 3}) {
            Essai e;
            e.musique = musique;
            e.delai = delai;
            e.chanson = (delai + musique) % 2 == 0;
            AjouterEssai(essais, e,
                         "[Config]\r\nPatcheLangue=English\r\nStartingMusic=" + std::to_string(musique)
                             + "\r\nStartingFile=" + wave.string() + "\r\n");
        }
    // Each main window is asked to close once it is there and its delay has passed; each
    // process then has one second to end.
    LancerEtFermer(essais, "Lyrandaxis 2.2", [&chanson](const Essai& e) {
        return e.chanson ? chanson : std::string();
    });
    ASSERT_FALSE(HasFatalFailure());

    for (const Essai& e : essais) {
        SCOPED_TRACE(e.Nom());
        ASSERT_TRUE(e.demande.has_value())
            << "the main window never showed"
            << (e.fin ? (WIFSIGNALED(e.statut) ? ", killed by signal " + std::to_string(WTERMSIG(e.statut))
                                               : ", exit status " + std::to_string(WEXITSTATUS(e.statut)))
                      : std::string(", still running"))
            << (e.fin ? " after " + std::to_string(std::chrono::duration_cast<std::chrono::milliseconds>(*e.fin - e.debut).count()) + " ms" : std::string());
        ASSERT_TRUE(e.fin.has_value()) << "the program did not end";
        // The close steps take tens of milliseconds, even with nine programs side by side.
        const auto duree = std::chrono::duration_cast<std::chrono::milliseconds>(*e.fin - *e.demande);
        std::printf("%s: ended %lld ms after the close request\n", e.Nom().c_str(), static_cast<long long>(duree.count()));
        EXPECT_LT(duree, 1s);
        EXPECT_TRUE(WIFEXITED(e.statut));
        EXPECT_EQ(WEXITSTATUS(e.statut), 0);
        // The settings were written: the display settings join what the test wrote.
        EXPECT_NE(LireIni(e).find("[ParamEcran]"), std::string::npos);
        EXPECT_FALSE(fs::exists(e.dossier / "lyrx.tmp"));
    }
}

// Settings files as other editors write them: with a UTF-8 byte-order mark, or with old
// Macintosh line ends. The program reads them at its start (no language question, which would
// hold the main window back), and on closing writes its settings into them in their own form,
// the user's values kept.
TEST_F(FermetureProcessusTest, SettingsWithAByteOrderMarkOrLoneCarriageReturnsAreReadAtTheStart)
{
    const std::string bom = "\xEF\xBB\xBF";
    const struct {
        const char* nom;
        std::string debut; // before the first line
        const char* fin;   // each line's end
    } formes[] = {{"mark, CRLF", bom, "\r\n"}, {"mark, LF", bom, "\n"}, {"CR", "", "\r"}, {"mark, CR", bom, "\r"}};

    std::vector<Essai> essais;
    for (const auto& f : formes) {
        Essai e;
        e.delai = 0;
        AjouterEssai(essais, e,
                     f.debut + "[Config]" + f.fin + "PatcheLangue=Francais" + f.fin + "StartingMusic=3" + f.fin
                         + "MetronomeVolume=77" + f.fin);
    }
    // The main window shows in French, the language of the file; it is then closed.
    LancerEtFermer(essais, "Lyrandaxis 2.2 - Sans titre", [](const Essai&) { return std::string(); });
    ASSERT_FALSE(HasFatalFailure());

    for (std::size_t i = 0; i < essais.size(); ++i) {
        const Essai& e = essais[i];
        SCOPED_TRACE(formes[i].nom);
        ASSERT_TRUE(e.demande.has_value()) << "no French main window: the settings were not read";
        ASSERT_TRUE(e.fin.has_value()) << "the program did not end";
        EXPECT_TRUE(WIFEXITED(e.statut) && WEXITSTATUS(e.statut) == 0);

        const std::string texte = LireIni(e);
        EXPECT_EQ(texte.rfind(formes[i].debut + "[Config]" + formes[i].fin + "PatcheLangue=Francais" + formes[i].fin, 0), 0u);
        // The program's keys joined the user's: one of each, every line ending as the file's.
        const auto compter = [&texte](const std::string& cle) {
            std::size_t n = 0;
            for (std::size_t p = 0; (p = texte.find(cle, p)) != std::string::npos; p += cle.size())
                ++n;
            return n;
        };
        EXPECT_EQ(compter("PatcheLangue="), 1u);
        EXPECT_EQ(compter("MetronomeVolume="), 1u);
        EXPECT_EQ(compter("MetronomeVolume=77"), 1u);
        EXPECT_EQ(compter("[ParamEcran]"), 1u);
        std::size_t autresFins = 0;
        for (std::size_t p = 0; (p = texte.find_first_of("\r\n", p)) != std::string::npos;) {
            const bool crlf = texte.compare(p, 2, "\r\n") == 0;
            autresFins += texte.compare(p, crlf ? 2 : 1, formes[i].fin) != 0;
            p += crlf ? 2 : 1;
        }
        EXPECT_EQ(autresFins, 0u);
    }
}

} // namespace

// The launcher through a fake desktop: what it asks for, the events after the wait, errors,
// and the worker thread. The real desktop is only asked things it refuses, so nothing runs.
#include "controls/CxLaunch.h"
#include "support/DossierTemporaire.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QThread>

#include <atomic>
#include <condition_variable>
#include <functional>
#include <future>
#include <thread>

namespace {

struct ShellFactice : IShellLanceur {
    struct Processus : IProcessusLance {
        ShellFactice& shell;
        explicit Processus(ShellFactice& s) : shell(s) {}
        FinAttente Attendre(int delaiMs, uint32_t& code, int& erreur) override
        {
            shell.delais.push_back(delaiMs);
            if (shell.bloquer) {
                std::unique_lock verrou(shell.verrou);
                shell.cv.wait(verrou, [&] { return shell.relache; });
            }
            if (shell.echecAttente) {
                erreur = 5;
                return FinAttente::Echec;
            }
            if (delaiMs >= 0 && delaiMs < shell.dureeMs)
                return FinAttente::Expire;
            code = shell.codeSortie;
            return FinAttente::Fini;
        }
    };
    std::unique_ptr<IProcessusLance> Executer(const TDemandeLancement& d, int& instance) override
    {
        demandes.push_back(d);
        instance = codeInstance;
        if (codeInstance <= 32)
            return nullptr;
        return std::make_unique<Processus>(*this);
    }
    void Relacher()
    {
        {
            std::lock_guard v(verrou);
            relache = true;
        }
        cv.notify_all();
    }

    std::vector<TDemandeLancement> demandes;
    std::vector<int> delais;
    int codeInstance = 42;
    int dureeMs = 100;
    uint32_t codeSortie = 7;
    bool echecAttente = false;
    bool bloquer = false;
    std::mutex verrou;
    std::condition_variable cv;
    bool relache = false;
};

class Lanceur : public ::testing::Test {
protected:
    void SetUp() override { InstallerShellLanceur(shell); }
    void TearDown() override { InstallerShellLanceur(nullptr); }
    std::shared_ptr<ShellFactice> shell = std::make_shared<ShellFactice>();
};

} // namespace

TEST_F(Lanceur, WaitsHereAndReportsTheExitCode)
{
    TCxLauncher l;
    l.FileName = "tuxguitar";
    l.Parameters = "--song a.lrx";
    l.StartDir = "/tmp";
    l.WaitUntilFinished = true;
    int finis = 0, expires = 0;
    l.OnFinished = [&](TCxLauncher& s) {
        EXPECT_EQ(&s, &l);
        ++finis;
    };
    l.OnTimeout = [&](TCxLauncher&) { ++expires; };
    l.Launch();
    ASSERT_EQ(shell->demandes.size(), 1u);
    EXPECT_EQ(shell->demandes[0].Action, "Open");
    EXPECT_EQ(shell->demandes[0].FileName, "tuxguitar");
    EXPECT_EQ(shell->demandes[0].Parameters, "--song a.lrx");
    EXPECT_EQ(shell->demandes[0].StartDir, "/tmp");
    EXPECT_EQ(shell->delais, std::vector<int>{-1});
    EXPECT_EQ(finis, 1);
    EXPECT_EQ(expires, 0);
    EXPECT_EQ(l.ExitCode(), 7u);
    EXPECT_EQ(l.Instance(), 42);
}

TEST_F(Lanceur, ZeroTimeoutReturnsAtOnceWithATimeout)
{
    TCxLauncher l;
    l.FileName = "x";
    l.Timeout = 0;
    l.WaitUntilFinished = true;
    int expires = 0;
    l.OnTimeout = [&](TCxLauncher&) { ++expires; };
    l.Launch();
    EXPECT_EQ(expires, 1);
    EXPECT_EQ(l.ExitCode(), 0u);
}

TEST_F(Lanceur, FailuresRaiseTheShellMessage)
{
    TCxLauncher l;
    l.FileName = "chanson.xyz";
    l.WaitUntilFinished = true;
    shell->codeInstance = 31;
    try {
        l.Launch();
        FAIL();
    } catch (const ELaunchError& e) {
        EXPECT_EQ(e.ErrorCode(), 31);
        EXPECT_STREQ(e.what(), "No association for specified file type");
    }
    shell->codeInstance = 42;
    shell->echecAttente = true;
    EXPECT_THROW(l.Launch(), ELaunchError);
}

TEST(MessagesLancement, TableOfCodes)
{
    EXPECT_EQ(MessageErreurLancement(2), "File was not found");
    EXPECT_EQ(MessageErreurLancement(5), "Sharing violation or netword error");
    EXPECT_EQ(MessageErreurLancement(0), "Out of memory or executable file is corrupt");
    EXPECT_EQ(MessageErreurLancement(1), "");
    EXPECT_EQ(MessageErreurLancement(32), "");
}

// Runs the main thread's queue until `fait` or the time is up.
static bool AttendreEnTraitant(const std::function<bool()>& fait, std::chrono::milliseconds duree)
{
    const auto fin = std::chrono::steady_clock::now() + duree;
    while (!fait() && std::chrono::steady_clock::now() < fin) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return fait();
}

// The handlers touch windows: whoever waited, they run in the GUI thread.
TEST_F(Lanceur, EventsRunInTheGuiThread)
{
    const std::thread::id gui = QCoreApplication::instance()->thread() == QThread::currentThread()
        ? std::this_thread::get_id()
        : std::thread::id();
    ASSERT_NE(gui, std::thread::id());
    struct Cas {
        const char* nom;
        bool attendreIci;     // WaitUntilFinished
        bool depuisUnAutreFil; // Launch called from a thread of its own
        int timeout;
    };
    const Cas cas[] = {
        {"worker, end", false, false, -1},
        {"worker, time-out", false, false, 0},
        {"wait in another thread, end", true, true, -1},
        {"wait in another thread, time-out", true, true, 0},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        shell->relache = false;
        shell->bloquer = true;
        TCxLauncher l;
        l.FileName = "x";
        l.Timeout = c.timeout;
        l.WaitUntilFinished = c.attendreIci;
        std::vector<std::thread::id> fils;
        l.OnFinished = [&](TCxLauncher&) { fils.push_back(std::this_thread::get_id()); };
        l.OnTimeout = [&](TCxLauncher&) { fils.push_back(std::this_thread::get_id()); };
        std::thread autre;
        if (c.depuisUnAutreFil)
            autre = std::thread([&] { l.Launch(); });
        else
            l.Launch(); // returns while the process still "runs"
        EXPECT_FALSE(AttendreEnTraitant([&] { return !fils.empty(); }, std::chrono::milliseconds(20)));
        shell->Relacher();
        EXPECT_TRUE(AttendreEnTraitant([&] { return !fils.empty(); }, std::chrono::seconds(5)));
        if (autre.joinable())
            autre.join();
        ASSERT_EQ(fils.size(), 1u);
        EXPECT_EQ(fils[0], gui);
    }
}

TEST_F(Lanceur, ComponentGoneBeforeTheWorkerEnds)
{
    shell->bloquer = true;
    std::atomic<int> evenements = 0;
    {
        TCxLauncher l;
        l.FileName = "x";
        l.OnFinished = [&](TCxLauncher&) { ++evenements; };
        l.Launch();
    }
    shell->Relacher();
    AttendreEnTraitant([] { return false; }, std::chrono::milliseconds(100));
    EXPECT_EQ(evenements, 0);
}

// The worker ends and queues its event, then the component goes before the queue is run.
TEST_F(Lanceur, ComponentGoneWhileItsEventWaitsInTheQueue)
{
    std::atomic<int> evenements = 0;
    {
        TCxLauncher l;
        l.FileName = "x";
        l.OnFinished = [&](TCxLauncher&) { ++evenements; };
        l.Launch();
        std::this_thread::sleep_for(std::chrono::milliseconds(100)); // the queue is not run here
    }
    AttendreEnTraitant([] { return false; }, std::chrono::milliseconds(100));
    EXPECT_EQ(evenements, 0);
}

TEST(ShellSysteme, RefusesWhatItCannotStart)
{
    InstallerShellLanceur(nullptr);
    struct Cas {
        std::string action, fichier, dossier;
        int code;
    };
    const std::string d = lyrx_test::DossierDuTest().string();
    const Cas cas[] = {
        {"Open", d + "/absent.lrx", "", 2},
        {"Open", d + "/no/such/folder/a.lrx", "", 3},
        {"Open", "a.lrx", d + "/missing", 3},
        {"Open", "", "", 2},
        {"Print", d, "", 31},
        {"Open", "lyrx-no-such-program-anywhere", "", 2},
    };
    for (const auto& c : cas) {
        TCxLauncher l;
        l.Action = c.action;
        l.FileName = c.fichier;
        l.StartDir = c.dossier;
        l.WaitUntilFinished = true;
        try {
            l.Launch();
            ADD_FAILURE() << c.fichier << " started";
        } catch (const ELaunchError& e) {
            EXPECT_EQ(e.ErrorCode(), c.code) << c.fichier;
        }
    }
}

// The splash window with a clock and a player of the test's own: when it hides and when it
// goes away for each kind of starting music; and the wave decoding and built-in tune behind it.
#include "print/Splash.h"

#include "FixtureParcours.h"
#include "print/SonDemarrage.h"

#include <gtest/gtest.h>

#include <QCloseEvent>
#include <QCoreApplication>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QWindow>
#include <QPointer>
#include <QTimer>

#include <algorithm>
#include <cstring>
#include <optional>
#include <string>
#include <cstdlib>

namespace parcours_test {
namespace {

class LecteurWaveFactice : public ILecteurWave {
public:
    struct Etat {
        bool accepte = true; // the sound output plays what it is given
        bool termine = false;
        int lectures = 0, fermetures = 0;
        std::vector<uint8_t> dernier;
    };
    explicit LecteurWaveFactice(Etat& e) : e_(e) {}
    bool Jouer(std::vector<uint8_t> octets) override
    {
        ++e_.lectures;
        e_.dernier = std::move(octets);
        return e_.accepte && AnalyserWave(e_.dernier).has_value();
    }
    bool Termine() const override { return e_.termine; }
    void Fermer() override { ++e_.fermetures; }

private:
    Etat& e_;
};

class FenetreDemarrage : public FixtureParcours {
protected:
    LecteurWaveFactice::Etat son;
    int64_t maintenant = 1'000'000;

    QPointer<TSplashForm> Creer(int32_t musique, const std::string& fichier = "")
    {
        Configuration.StartingMusic = musique;
        Configuration.StartingFile = fichier;
        auto* s = new TSplashForm(std::make_unique<LecteurWaveFactice>(son), [this] { return maintenant; });
        InstallerSplash(s);
        s->show();
        return s;
    }

    // Time passes, then one tick, and the released window is destroyed as the loop would.
    void Tic(TSplashForm* s, int64_t ms)
    {
        maintenant += ms;
        if (s)
            s->Timer1Timer();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // The picture and the tune come from the program folder: the source tree's data folder.
    void SetUp() override
    {
        FixtureParcours::SetUp();
        programme_.emplace("LYRX_PROGRAM_DIR", std::string(LYRX_SOURCE_DIR) + "/data");
    }

    void TearDown() override
    {
        InstallerSplash(nullptr);
        programme_.reset();
        FixtureParcours::TearDown();
    }

private:
    std::optional<lyrx_test::VariableEnvironnement> programme_;
};

TEST_F(FenetreDemarrage, WithoutMusicItGoesAtTheFirstTickAfterReadyAndFourSeconds)
{
    QPointer<TSplashForm> s = Creer(3);
    EXPECT_EQ(son.lectures, 0);
    EXPECT_TRUE(s->Timer1->isActive());
    EXPECT_EQ(s->Timer1->interval(), 100);
    EXPECT_EQ(&Splash(), static_cast<ISplash*>(s.data()));

    // Not ready: the time alone changes nothing.
    Tic(s, 6000);
    ASSERT_TRUE(s);
    EXPECT_TRUE(s->isVisible());

    // The main window's first activation marks it ready: hidden and released in one tick.
    Splash().FenetrePrincipalePrete = true;
    Tic(s, 100);
    EXPECT_FALSE(s);
    // The main window's later mark reaches no freed window.
    Splash().FenetrePrincipalePrete = true;
}

TEST_F(FenetreDemarrage, AQuickStartStillShowsItForFourSeconds)
{
    QPointer<TSplashForm> s = Creer(3);
    s->FenetrePrincipalePrete = true;
    Tic(s, 3900);
    ASSERT_TRUE(s);
    EXPECT_TRUE(s->isVisible());
    Tic(s, 100); // exactly 4 s: not yet
    ASSERT_TRUE(s);
    Tic(s, 100);
    EXPECT_FALSE(s);
}

TEST_F(FenetreDemarrage, TheBuiltInTuneKeepsTheHiddenWindowUntilElevenSeconds)
{
    // The tune is its wave component's, played through the program's wave output.
    struct Sortie : ISortieWave {
        void Jouer(std::shared_ptr<const std::vector<uint8_t>> octets, const TFormatWave&) override
        {
            joues.push_back(*octets);
        }
        void Arreter() override {}
        std::vector<std::vector<uint8_t>> joues;
    };
    auto sortie = std::make_shared<Sortie>();
    InstallerSortieWave(sortie);
    QPointer<TSplashForm> s = Creer(1);
    InstallerSortieWave(nullptr);
    EXPECT_EQ(son.lectures, 0);
    ASSERT_EQ(sortie->joues.size(), 1u);
    EXPECT_EQ(sortie->joues[0], *LireFichierWave(std::string(LYRX_SOURCE_DIR) + "/data/Splash.wav"));
    EXPECT_EQ(s->Wave1.Name, "Wave1");
    s->FenetrePrincipalePrete = true;
    Tic(s, 4100);
    ASSERT_TRUE(s);
    EXPECT_FALSE(s->isVisible());
    Tic(s, 6900); // 11.0 s
    ASSERT_TRUE(s);
    Tic(s, 100);
    EXPECT_FALSE(s);
}

TEST_F(FenetreDemarrage, AWaveFilePlaysUntilThePlayerEnds)
{
    const std::string fichier = (dossier / "debut.wav").string();
    EcrireOctets(fichier, AirDemarrageIntegre());
    QPointer<TSplashForm> s = Creer(2, fichier);
    ASSERT_EQ(son.lectures, 1);
    EXPECT_FALSE(s->MusiqueTerminee());
    s->FenetrePrincipalePrete = true;
    Tic(s, 30000);
    ASSERT_TRUE(s);
    EXPECT_FALSE(s->isVisible());
    Tic(s, 30000);
    ASSERT_TRUE(s); // a long file keeps it alive

    son.termine = true;
    const int fermetures = son.fermetures;
    Tic(s, 100);
    EXPECT_FALSE(s);
    EXPECT_GT(son.fermetures, fermetures);
}

TEST_F(FenetreDemarrage, AWaveThatCannotPlayCountsAsMusicOver)
{
    EcrireTexte(dossier / "pas_un_son.wav", "RIFF....WAVEjunk");
    const std::string cas[] = {(dossier / "absent.wav").string(), (dossier / "pas_un_son.wav").string(), ""};
    for (const std::string& fichier : cas) {
        QPointer<TSplashForm> s = Creer(2, fichier);
        EXPECT_TRUE(s->MusiqueTerminee()) << fichier;
        s->FenetrePrincipalePrete = true;
        Tic(s, 4100);
        EXPECT_FALSE(s) << fichier;
    }
    // A good wave on a machine without a sound output: the same.
    EcrireOctets(dossier / "bon.wav", AirDemarrageIntegre());
    son.accepte = false;
    QPointer<TSplashForm> s = Creer(2, (dossier / "bon.wav").string());
    EXPECT_TRUE(s->MusiqueTerminee());
    delete s;
}

TEST_F(FenetreDemarrage, AnUnknownMusicSettingPlaysNothingAndStillGoesAway)
{
    QPointer<TSplashForm> s = Creer(7);
    EXPECT_EQ(son.lectures, 0);
    s->FenetrePrincipalePrete = true;
    Tic(s, 4100);
    EXPECT_FALSE(s);
}

TEST_F(FenetreDemarrage, TheUserCannotCloseIt)
{
    QPointer<TSplashForm> s = Creer(3);
    QCloseEvent e;
    QCoreApplication::sendEvent(s, &e);
    EXPECT_FALSE(e.isAccepted());
    EXPECT_FALSE(s->close());
    EXPECT_TRUE(s->isVisible());
    EXPECT_FALSE(s->testAttribute(Qt::WA_QuitOnClose));
    EXPECT_EQ(s->size(), QSize(279, 176));
    // The picture of the data folder, at the window's size.
    EXPECT_EQ(s->Image1->geometry(), QRect(0, 0, 279, 176));
    EXPECT_EQ(s->Image1->Picture().GetWidth(), 279);
    EXPECT_EQ(s->Image1->Picture().GetHeight(), 176);
    delete s;
}

// ---- Waves ------------------------------------------------------------------------------------

TEST(SonDemarrage, TheBuiltInTuneIsTheDescribedWave)
{
    // As made, and as shipped in the data folder.
    const auto livre = LireFichierWave(std::string(LYRX_SOURCE_DIR) + "/data/Splash.wav");
    ASSERT_TRUE(livre) << "data/Splash.wav is missing";
    for (const std::vector<uint8_t>& air : {AirDemarrageIntegre(), *livre}) {
    EXPECT_EQ(air.size(), 370416u);
    EXPECT_EQ(std::memcmp(air.data(), "RIFF", 4), 0);
    const std::optional<TFormatWave> format = AnalyserWave(air);
    ASSERT_TRUE(format);
    EXPECT_EQ(format->Canaux, 1);
    EXPECT_EQ(format->Frequence, 22050u);
    EXPECT_EQ(format->OctetsParSeconde, 44100u);
    EXPECT_EQ(format->TailleDonnees, 370372u);
    const std::vector<int16_t> echantillons = EchantillonsWave(air, *format);
    ASSERT_EQ(echantillons.size(), 185186u);
    int crete = 0;
    for (int16_t v : echantillons)
        crete = std::max(crete, std::abs(int(v)));
    EXPECT_GT(crete, 10000);
    // It ends in silence.
    EXPECT_LT(std::abs(int(echantillons.back())), 40);
    }
}

TEST(SonDemarrage, ThePlayerGoesThroughTheWaveOutput)
{
    struct Sortie : ISortieWave {
        void Jouer(std::shared_ptr<const std::vector<uint8_t>> octets, const TFormatWave&) override
        {
            joues.push_back(*octets);
        }
        void Arreter() override { ++arrets; }
        bool Termine() const override { return termine; }
        std::vector<std::vector<uint8_t>> joues;
        int arrets = 0;
        bool termine = false;
    };
    auto sortie = std::make_shared<Sortie>();
    InstallerSortieWave(sortie);
    std::unique_ptr<ILecteurWave> lecteur = CreerLecteurWave();
    EXPECT_TRUE(lecteur->Termine());
    EXPECT_FALSE(lecteur->Jouer({'R', 'I', 'F', 'F'}));
    EXPECT_TRUE(sortie->joues.empty());
    EXPECT_TRUE(lecteur->Jouer(AirDemarrageIntegre()));
    ASSERT_EQ(sortie->joues.size(), 1u);
    EXPECT_EQ(sortie->joues[0], AirDemarrageIntegre());
    EXPECT_FALSE(lecteur->Termine());
    sortie->termine = true;
    EXPECT_TRUE(lecteur->Termine());
    lecteur->Fermer();
    EXPECT_GE(sortie->arrets, 1);
    InstallerSortieWave(nullptr);
}

} // namespace
} // namespace parcours_test

namespace parcours_test {
namespace {

// A box raised while the window shows (the start-up's "file cannot be found", say) opens
// above it and holds the keyboard: Return answers it. Once answered it is an ordinary window
// again, and the start-up window still goes as always.
TEST_F(FenetreDemarrage, ABoxRaisedWhileItShowsOpensAboveItAndTakesTheKeyboard)
{
    QPointer<TSplashForm> s = Creer(3);
    ASSERT_TRUE(s->isVisible());
    QMessageBox boite(QMessageBox::Critical, QStringLiteral("Error"), QStringLiteral("The file cannot be found."),
                      QMessageBox::Ok);
    bool auDessus = false, clavier = false;
    QTimer::singleShot(100, [&] {
        QWidget* modale = QApplication::activeModalWidget();
        if (modale == &boite) {
            auDessus = boite.windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint);
            clavier = QApplication::activeWindow() == &boite;
        }
        QWidget* cible = boite.focusWidget() ? boite.focusWidget() : &boite;
        QKeyEvent appui(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QCoreApplication::sendEvent(cible, &appui);
    });
    QTimer garde;
    garde.setSingleShot(true);
    QObject::connect(&garde, &QTimer::timeout, &boite, [&] { boite.done(-1); });
    garde.start(5000);
    const int reponse = boite.exec();
    EXPECT_EQ(reponse, QMessageBox::Ok) << "Return did not answer the box";
    EXPECT_TRUE(auDessus);
    EXPECT_TRUE(clavier);
    EXPECT_FALSE(boite.windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint));

    ASSERT_TRUE(s);
    Splash().FenetrePrincipalePrete = true;
    Tic(s, 4100);
    EXPECT_FALSE(s);
}

} // namespace
} // namespace parcours_test

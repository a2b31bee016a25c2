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

#include <cstring>
#include <random>

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
        return e_.accepte && DecoderWave(e_.dernier).has_value();
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

    void TearDown() override
    {
        InstallerSplash(nullptr);
        FixtureParcours::TearDown();
    }
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
    QPointer<TSplashForm> s = Creer(1);
    ASSERT_EQ(son.lectures, 1);
    EXPECT_EQ(son.dernier, AirDemarrageIntegre());
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
    ASSERT_NE(s->Image1->pixmap().toImage().size(), QSize());
    delete s;
}

// ---- Waves ------------------------------------------------------------------------------------

std::vector<uint8_t> Wave(uint16_t format, uint16_t canaux, uint32_t frequence, uint16_t bits,
                          const std::vector<uint8_t>& donnees, uint32_t tailleDeclaree = 0, bool extensible = false)
{
    std::vector<uint8_t> o;
    auto ajouter = [&](uint64_t v, int n) {
        for (int k = 0; k < n; ++k)
            o.push_back(static_cast<uint8_t>(v >> (8 * k)));
    };
    auto texte = [&](const char* s) { o.insert(o.end(), s, s + 4); };
    texte("RIFF");
    ajouter(0, 4);
    texte("WAVE");
    texte("LIST"); // a chunk to skip, of odd length with its pad byte
    ajouter(3, 4);
    o.insert(o.end(), {1, 2, 3, 0});
    texte("fmt ");
    ajouter(extensible ? 40 : 16, 4);
    ajouter(extensible ? 0xFFFE : format, 2);
    ajouter(canaux, 2);
    ajouter(frequence, 4);
    ajouter(frequence * canaux * bits / 8, 4);
    ajouter(canaux * bits / 8, 2);
    ajouter(bits, 2);
    if (extensible) {
        ajouter(22, 2);
        ajouter(bits, 2);
        ajouter(3, 4);
        ajouter(format, 2);
        o.insert(o.end(), 14, 0);
    }
    texte("data");
    ajouter(tailleDeclaree ? tailleDeclaree : donnees.size(), 4);
    o.insert(o.end(), donnees.begin(), donnees.end());
    return o;
}

TEST(SonDemarrage, TheBuiltInTuneIsTheDescribedWave)
{
    const std::vector<uint8_t> air = AirDemarrageIntegre();
    EXPECT_EQ(air.size(), 370416u);
    EXPECT_EQ(std::memcmp(air.data(), "RIFF", 4), 0);
    const std::optional<SonWave> son = DecoderWave(air);
    ASSERT_TRUE(son);
    EXPECT_EQ(son->Canaux, 1);
    EXPECT_EQ(son->Frequence, 22050);
    EXPECT_EQ(son->NbTrames(), 185186u);
    float crete = 0.0f;
    for (float v : son->Echantillons)
        crete = std::max(crete, std::fabs(v));
    EXPECT_GT(crete, 0.3f);
    EXPECT_LE(crete, 1.0f);
    // It ends in silence.
    EXPECT_LT(std::fabs(son->Echantillons.back()), 1e-3f);
}

TEST(SonDemarrage, SampleFormatsDecodeToTheSameValues)
{
    // Half scale up then down, in each format.
    const std::optional<SonWave> pcm8 = DecoderWave(Wave(1, 1, 8000, 8, {192, 64}));
    const std::optional<SonWave> pcm16 = DecoderWave(Wave(1, 2, 44100, 16, {0x00, 0x40, 0x00, 0xC0}));
    const std::optional<SonWave> pcm24 = DecoderWave(Wave(1, 1, 48000, 24, {0, 0, 0x40, 0, 0, 0xC0}));
    std::vector<uint8_t> flottants(8);
    const float valeurs[2] = {0.5f, -0.5f};
    std::memcpy(flottants.data(), valeurs, 8);
    const std::optional<SonWave> flottant = DecoderWave(Wave(3, 1, 22050, 32, flottants, 0, true));
    for (const auto* s : {&pcm8, &pcm16, &pcm24, &flottant}) {
        ASSERT_TRUE(s->has_value());
        ASSERT_EQ((*s)->Echantillons.size(), 2u);
        EXPECT_FLOAT_EQ((*s)->Echantillons[0], 0.5f);
        EXPECT_FLOAT_EQ((*s)->Echantillons[1], -0.5f);
    }
    EXPECT_EQ(pcm16->Canaux, 2);
    EXPECT_EQ(pcm16->NbTrames(), 1u);
}

TEST(SonDemarrage, DamagedOrForeignWavesAreRefusedOrCutWithoutHarm)
{
    // A data chunk that claims more than the file holds plays what is there.
    const std::optional<SonWave> coupe = DecoderWave(Wave(1, 1, 8000, 16, {0, 0x40, 0}, 1'000'000));
    ASSERT_TRUE(coupe);
    EXPECT_EQ(coupe->NbTrames(), 1u);

    const std::vector<std::vector<uint8_t>> refuses = {
        {},
        {'R', 'I', 'F', 'F'},
        Wave(2, 1, 8000, 4, {1, 2, 3}),         // ADPCM
        Wave(1, 3, 8000, 16, {1, 2, 3, 4, 5, 6}), // three channels
        Wave(1, 1, 0, 16, {1, 2}),              // no rate
        Wave(1, 1, 8000, 12, {1, 2}),           // odd sample size
    };
    for (const std::vector<uint8_t>& o : refuses)
        EXPECT_FALSE(DecoderWave(o).has_value());

    // Random bytes and random damage to a good file: an answer, never a crash.
    std::mt19937 alea(7);
    const std::vector<uint8_t> bon = Wave(1, 2, 22050, 16, std::vector<uint8_t>(400, 7));
    for (int k = 0; k < 2000; ++k) {
        std::vector<uint8_t> o = bon;
        for (int n = 0; n < 6; ++n)
            o[alea() % o.size()] = static_cast<uint8_t>(alea());
        o.resize(alea() % (o.size() + 1));
        (void)DecoderWave(o);
    }
}

TEST(SonDemarrage, WithoutASoundOutputThePlayerPlaysNothing)
{
    const char* ancien = std::getenv("LYRX_AUDIO_DRIVER");
    const std::string garde = ancien ? ancien : "";
    setenv("LYRX_AUDIO_DRIVER", "none", 1);
    std::unique_ptr<ILecteurWave> lecteur = CreerLecteurWave();
    EXPECT_FALSE(lecteur->Jouer(AirDemarrageIntegre()));
    EXPECT_TRUE(lecteur->Termine());
    lecteur->Fermer();
    if (ancien)
        setenv("LYRX_AUDIO_DRIVER", garde.c_str(), 1);
    else
        unsetenv("LYRX_AUDIO_DRIVER");
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

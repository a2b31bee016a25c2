// The FluidSynth media player: its reading of MIDI files, its failures without a sequencer,
// and a real play through the "file" output, whose WAV is checked for the notes' sound.
#include "platform/qt/LecteurFluidSynth.h"
#include "support/DossierTemporaire.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <numbers>
#include <string>
#include <vector>

namespace {

using platform::AnalyserFichierMidi;
using platform::LecteurFluidSynth;
using platform::LecteurMedia;
using Octets = std::vector<uint8_t>;

Octets EnTete(uint16_t pistes, uint8_t div1 = 0x01, uint8_t div2 = 0xE0)
{
    return {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 1, uint8_t(pistes >> 8), uint8_t(pistes), div1, div2};
}

void AjouterPiste(Octets& o, std::initializer_list<uint8_t> corps)
{
    const auto n = static_cast<uint32_t>(corps.size());
    o.insert(o.end(), {'M', 'T', 'r', 'k', uint8_t(n >> 24), uint8_t(n >> 16), uint8_t(n >> 8), uint8_t(n)});
    o.insert(o.end(), corps);
}

// 120 beats per minute; a flute plays A4 (440 Hz) from 0 to 0.4 s and E5 (659 Hz) from 0.5 to
// 0.9 s; the track ends at 1.0 s.
Octets DeuxNotes()
{
    Octets o = EnTete(2);
    AjouterPiste(o, {0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20, 0x00, 0xFF, 0x2F, 0x00});
    AjouterPiste(o, {0x00, 0xC0, 73,                // flute
                     0x00, 0x90, 69, 100, 0x83, 0x00, 0x80, 69, 64,   // 384 ticks
                     0x60, 0x90, 76, 100, 0x83, 0x00, 0x80, 76, 64,   // 96 later, 384 ticks
                     0x60, 0xFF, 0x2F, 0x00});
    return o;
}

// The sequencer's availability test file: two tracks, nothing to hear.
Octets FichierSilencieux()
{
    Octets o = EnTete(2);
    AjouterPiste(o, {0x00, 0xFF, 0x51, 0x03, 0x09, 0x27, 0xC0, 0x00, 0xFF, 0x58, 0x04, 0x04, 0x02, 0x18, 0x08,
                     0x00, 0xFF, 0x59, 0x02, 0x00, 0x00, 0x00, 0xFF, 0x2F, 0x00});
    AjouterPiste(o, {0x00, 0xFF, 0x21, 0x01, 0x00, 0x00, 0xFF, 0x20, 0x01, 0x0A, 0x00, 0xFF, 0x03, 0x0E,
                     'L', 'y', 'r', 'a', 'n', 'd', 'a', 'x', 'i', 's', ' ', '2', '.', '2',
                     0x00, 0xB9, 0x07, 0x7F, 0x00, 0xC9, 0x18, 0x00, 0xFF, 0x2F, 0x00});
    return o;
}

TEST(AnalyseMidi, TempoChangesOfEveryTrackTimeTheFile)
{
    // 120 bpm, then 60 bpm from tick 480 set in the second track; last end of track at 960.
    Octets o = EnTete(2);
    AjouterPiste(o, {0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20, 0x00, 0xFF, 0x2F, 0x00});
    AjouterPiste(o, {0x00, 0x90, 60, 100, 0x83, 0x60, 0xFF, 0x51, 0x03, 0x0F, 0x42, 0x40,
                     0x00, 0x80, 60, 64, 0x83, 0x60, 0xFF, 0x2F, 0x00});
    const auto a = AnalyserFichierMidi(o);
    ASSERT_TRUE(a);
    EXPECT_EQ(a->DerniereTick, 960);
    EXPECT_DOUBLE_EQ(a->Millisecondes(480), 500.0);
    EXPECT_DOUBLE_EQ(a->Millisecondes(720), 1000.0);
    EXPECT_EQ(a->LongueurMs(), 1500);
    ASSERT_EQ(a->Evenements.size(), 2u);
    EXPECT_EQ(a->Evenements[1].Tick, 480);
    EXPECT_EQ(a->Evenements[1].Statut, 0x80);
}

TEST(AnalyseMidi, RunningStatusTimeCodeAndTrackOrderAtOneTick)
{
    Octets o = EnTete(2, 0xE7, 0x28); // 25 frames of 40 ticks: 1 ms a tick
    AjouterPiste(o, {0x00, 0x91, 60, 100, 0x0A, 62, 100, 0x00, 0xFF, 0x2F, 0x00}); // running status
    AjouterPiste(o, {0x0A, 0xC2, 5, 0x05, 0xFF, 0x2F, 0x00});
    const auto a = AnalyserFichierMidi(o);
    ASSERT_TRUE(a);
    ASSERT_EQ(a->Evenements.size(), 3u);
    EXPECT_EQ(a->Evenements[0].Donnee1, 60);
    EXPECT_EQ(a->Evenements[1].Statut, 0x91);
    EXPECT_EQ(a->Evenements[1].Donnee1, 62);
    EXPECT_EQ(a->Evenements[2].Statut, 0xC2); // same tick, later track
    EXPECT_EQ(a->LongueurMs(), 15);
}

TEST(AnalyseMidi, SilentTwoTrackFileLastsNothing)
{
    const auto a = AnalyserFichierMidi(FichierSilencieux());
    ASSERT_TRUE(a);
    EXPECT_EQ(a->LongueurMs(), 0);
    EXPECT_EQ(a->Evenements.size(), 2u); // volume and program on channel 10
}

TEST(AnalyseMidi, MalformedFilesAreRefused)
{
    struct Cas {
        const char* nom;
        Octets octets;
    };
    auto avec = [](std::initializer_list<uint8_t> corps, Octets entete = EnTete(1)) {
        AjouterPiste(entete, corps);
        return entete;
    };
    Octets longueurTropGrande = EnTete(1);
    longueurTropGrande.insert(longueurTropGrande.end(), {'M', 'T', 'r', 'k', 0, 0, 0, 50, 0x00, 0xFF, 0x2F, 0x00});
    const std::vector<Cas> cas = {
        {"empty", {}},
        {"not a header", {'R', 'I', 'F', 'F', 0, 0, 0, 6, 0, 1, 0, 1, 1, 0xE0}},
        {"short header", {'M', 'T', 'h', 'd', 0, 0, 0, 4, 0, 1, 0, 1, 1, 0xE0}},
        {"division 0", avec({0x00, 0xFF, 0x2F, 0x00}, EnTete(1, 0, 0))},
        {"no track", EnTete(1)},
        {"chunk past the end", longueurTropGrande},
        {"event cut short", avec({0x00, 0x90, 60})},
        {"data byte without status", avec({0x00, 60, 100, 0x00, 0xFF, 0x2F, 0x00})},
        {"five-byte delta", avec({0x81, 0x81, 0x81, 0x81, 0x01, 0x90, 60, 100})},
        {"meta past the chunk", avec({0x00, 0xFF, 0x03, 0x20, 'a'})},
    };
    for (const Cas& c : cas) {
        std::string erreur;
        EXPECT_FALSE(AnalyserFichierMidi(c.octets, &erreur)) << c.nom;
        EXPECT_FALSE(erreur.empty()) << c.nom;
    }
}

// ---- The player ------------------------------------------------------------------------------

class LecteurFluidSynthTest : public ::testing::Test {
protected:
    void SetUp() override { dossier_ = lyrx_test::DossierDuTest(); }

    std::string Ecrire(const std::string& nom, const Octets& octets)
    {
        const std::string chemin = (dossier_ / nom).string();
        std::ofstream(chemin, std::ios::binary).write(reinterpret_cast<const char*>(octets.data()), std::streamsize(octets.size()));
        return chemin;
    }
    std::string Wav() const { return (dossier_ / "sortie.wav").string(); }
    platform::ReglagesFluidSynth Reglages(const std::string& pilote = "file") const
    {
        platform::ReglagesFluidSynth r;
        r.Pilote = pilote;
        r.FichierWav = Wav();
        return r;
    }

    // Lets the event loop run until `fini` or the delay.
    template <class F>
    static bool Attendre(F fini, int ms)
    {
        QElapsedTimer t;
        t.start();
        while (!fini() && t.elapsed() < ms) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
            QThread::msleep(2);
        }
        return fini();
    }

    std::filesystem::path dossier_;
};

// Power of one frequency in a window of samples (Goertzel).
double Puissance(const std::vector<float>& s, std::size_t debut, std::size_t fin, double frequence, double taux)
{
    const double w = 2.0 * std::numbers::pi * frequence / taux;
    const double k = 2.0 * std::cos(w);
    double s1 = 0, s2 = 0;
    for (std::size_t i = debut; i < fin && i < s.size(); ++i) {
        const double s0 = s[i] + k * s1 - s2;
        s2 = s1;
        s1 = s0;
    }
    return s1 * s1 + s2 * s2 - k * s1 * s2;
}

// The left channel of a 16-bit stereo WAV with a 44-byte header.
std::vector<float> LireWav(const std::string& chemin, uint32_t& taux)
{
    std::ifstream f(chemin, std::ios::binary);
    const Octets o((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
    if (o.size() < 44 || std::string(o.begin(), o.begin() + 4) != "RIFF" || std::string(o.begin() + 36, o.begin() + 40) != "data")
        return {};
    taux = uint32_t(o[24]) | uint32_t(o[25]) << 8 | uint32_t(o[26]) << 16 | uint32_t(o[27]) << 24;
    const uint32_t octets = uint32_t(o[40]) | uint32_t(o[41]) << 8 | uint32_t(o[42]) << 16 | uint32_t(o[43]) << 24;
    std::vector<float> gauche;
    for (std::size_t i = 44; i + 3 < o.size() && i < 44 + std::size_t(octets); i += 4)
        gauche.push_back(static_cast<int16_t>(o[i] | o[i + 1] << 8) / 32768.0f);
    return gauche;
}

// The first sample that is not silence.
std::size_t DebutDuSon(const std::vector<float>& s)
{
    std::size_t debut = 0;
    while (debut < s.size() && std::fabs(s[debut]) < 0.01f)
        ++debut;
    return debut;
}

// The WAV sounds, and from a tenth to a third of a second into its sound A4 stands well above
// E5: the first note came out at its pitch.
void EntendreLa4(const std::string& wav)
{
    uint32_t taux = 0;
    const std::vector<float> s = LireWav(wav, taux);
    const std::size_t debut = DebutDuSon(s);
    ASSERT_LT(debut + taux / 2, s.size()) << "no sound in the WAV";
    EXPECT_GT(Puissance(s, debut + taux / 10, debut + taux / 3, 440.0, taux),
              10 * Puissance(s, debut + taux / 10, debut + taux / 3, 659.26, taux));
}

TEST_F(LecteurFluidSynthTest, PlaysTheNotesIntoTheWavAndNotifiesOnceAtTheEnd)
{
    const std::string midi = Ecrire("deux.mid", DeuxNotes());
    {
        LecteurFluidSynth lecteur(Reglages());
        if (lecteur.SoundFontChargee().empty())
            GTEST_SKIP() << "no General MIDI sound font installed";
        std::vector<LecteurMedia::Fin> fins;
        lecteur.SetOnNotify([&](LecteurMedia::Fin f) { fins.push_back(f); });
        lecteur.SetFileName(midi);
        ASSERT_TRUE(lecteur.Open()) << lecteur.ErrorMessage();
        EXPECT_TRUE(lecteur.DeviceOpen());
        EXPECT_EQ(lecteur.Length(), 1000);
        lecteur.SetNotify(true);

        QElapsedTimer chrono;
        chrono.start();
        ASSERT_TRUE(lecteur.Play());
        EXPECT_TRUE(lecteur.NotificationPending());
        ASSERT_TRUE(Attendre([&] { return !fins.empty(); }, 5000));
        const qint64 duree = chrono.elapsed();
        EXPECT_GE(duree, 950);
        EXPECT_LT(duree, 2500);
        EXPECT_EQ(lecteur.Position(), lecteur.Length());
        EXPECT_FALSE(lecteur.NotificationPending());

        // Nothing more comes: not later, not on Close.
        Attendre([] { return false; }, 300);
        lecteur.Close();
        Attendre([] { return false; }, 50);
        ASSERT_EQ(fins.size(), 1u);
        EXPECT_EQ(fins[0], LecteurMedia::Fin::Reussie);
    } // the WAV is complete once the output ends

    uint32_t taux = 0;
    const std::vector<float> s = LireWav(Wav(), taux);
    ASSERT_EQ(taux, 44100u);
    const std::size_t debut = DebutDuSon(s);
    ASSERT_LT(debut + taux, s.size()) << "no sound in the WAV";
    auto fenetre = [&](double de, double a, double f) {
        return Puissance(s, debut + std::size_t(de * taux), debut + std::size_t(a * taux), f, taux);
    };
    // A4 sounds in the first note, E5 in the second, each well above the other.
    EXPECT_GT(fenetre(0.10, 0.35, 440.0), 10 * fenetre(0.10, 0.35, 659.26));
    EXPECT_GT(fenetre(0.60, 0.85, 659.26), 10 * fenetre(0.60, 0.85, 440.0));
    // The second note starts half a second after the first, not before.
    EXPECT_GT(fenetre(0.52, 0.60, 659.26), 10 * fenetre(0.40, 0.48, 659.26));
}

TEST_F(LecteurFluidSynthTest, StopPostsTheNotificationAndPlayStartsAgainFromTheBeginning)
{
    LecteurFluidSynth lecteur(Reglages());
    if (lecteur.SoundFontChargee().empty())
        GTEST_SKIP() << "no General MIDI sound font installed";
    std::vector<LecteurMedia::Fin> fins;
    lecteur.SetOnNotify([&](LecteurMedia::Fin f) { fins.push_back(f); });
    lecteur.SetFileName(Ecrire("deux.mid", DeuxNotes()));
    ASSERT_TRUE(lecteur.Open());
    lecteur.SetNotify(true);
    ASSERT_TRUE(lecteur.Play());
    ASSERT_TRUE(Attendre([&] { return lecteur.Position() >= 200; }, 3000));

    lecteur.Stop();
    EXPECT_TRUE(fins.empty()) << "delivered inside Stop";
    EXPECT_TRUE(lecteur.NotificationPending());
    ASSERT_TRUE(Attendre([&] { return !fins.empty(); }, 1000));
    EXPECT_EQ(fins[0], LecteurMedia::Fin::Interrompue);
    const int64_t arret = lecteur.Position();
    EXPECT_GE(arret, 200);
    EXPECT_LT(arret, 1000);

    // A play started again rewinds; a second play supersedes the armed notification.
    ASSERT_TRUE(lecteur.Play());
    EXPECT_LT(lecteur.Position(), arret);
    ASSERT_TRUE(lecteur.Play());
    ASSERT_TRUE(Attendre([&] { return fins.size() >= 2; }, 1000));
    EXPECT_EQ(fins[1], LecteurMedia::Fin::Remplacee);
    lecteur.Close();
    ASSERT_TRUE(Attendre([&] { return fins.size() >= 3; }, 1000));
    EXPECT_EQ(fins[2], LecteurMedia::Fin::Interrompue);
    EXPECT_FALSE(lecteur.DeviceOpen());
    EXPECT_EQ(lecteur.Position(), 0);
}

TEST_F(LecteurFluidSynthTest, WithoutSequencerOrWithABadFileOpenFails)
{
    const std::string silencieux = Ecrire("test.mid", FichierSilencieux());
    {
        platform::ReglagesFluidSynth r = Reglages();
        r.SoundFont = (dossier_ / "absente.sf2").string();
        LecteurFluidSynth lecteur(r);
        EXPECT_TRUE(lecteur.SoundFontChargee().empty());
        lecteur.SetFileName(silencieux);
        EXPECT_FALSE(lecteur.Open());
        EXPECT_EQ(lecteur.Error(), LecteurMedia::ErreurPeripherique);
        EXPECT_FALSE(lecteur.ErrorMessage().empty());
        EXPECT_FALSE(lecteur.Play());
        EXPECT_EQ(lecteur.Error(), LecteurMedia::ErreurNonOuvert);
    }
    LecteurFluidSynth sansSortie(Reglages("none"));
    if (sansSortie.SoundFontChargee().empty())
        GTEST_SKIP() << "no General MIDI sound font installed";
    sansSortie.SetFileName(silencieux);
    EXPECT_FALSE(sansSortie.Open());
    EXPECT_EQ(sansSortie.Error(), LecteurMedia::ErreurPeripherique);

    LecteurFluidSynth lecteur(Reglages());
    lecteur.SetFileName(Ecrire("faux.mid", {'n', 'o', 't', ' ', 'm', 'i', 'd', 'i'}));
    EXPECT_FALSE(lecteur.Open());
    EXPECT_EQ(lecteur.Error(), LecteurMedia::ErreurFichier);
    lecteur.SetFileName((dossier_ / "manquant.mid").string());
    EXPECT_FALSE(lecteur.Open());
    EXPECT_EQ(lecteur.Error(), LecteurMedia::ErreurFichier);

    // The availability test's silent file opens and plays: the sequencer works.
    std::vector<LecteurMedia::Fin> fins;
    lecteur.SetOnNotify([&](LecteurMedia::Fin f) { fins.push_back(f); });
    lecteur.SetFileName(silencieux);
    ASSERT_TRUE(lecteur.Open()) << lecteur.ErrorMessage();
    EXPECT_EQ(lecteur.Error(), LecteurMedia::ErreurAucune);
    lecteur.SetNotify(true);
    EXPECT_TRUE(lecteur.Play());
    EXPECT_TRUE(Attendre([&] { return !fins.empty(); }, 1000));
    EXPECT_EQ(fins.size(), 1u);
}

} // namespace

namespace {

// A file opened and played at once, while the sound font may still be loading, is taken and
// sounds once the synthesizer is ready; its instrument's samples come in as it is chosen.
TEST_F(LecteurFluidSynthTest, AFileTakenWhileTheSoundFontLoadsPlaysOnceItIsReady)
{
    const std::string midi = Ecrire("deux.mid", DeuxNotes());
    {
        LecteurFluidSynth lecteur(Reglages());
        std::vector<LecteurMedia::Fin> fins;
        std::vector<bool> prets;
        lecteur.SetOnNotify([&](LecteurMedia::Fin f) { fins.push_back(f); });
        lecteur.QuandPret([&](bool pret) { prets.push_back(pret); });
        lecteur.SetFileName(midi);
        ASSERT_TRUE(lecteur.Open()) << lecteur.ErrorMessage();
        EXPECT_EQ(lecteur.Length(), 1000);
        lecteur.SetNotify(true);
        ASSERT_TRUE(lecteur.Play());
        if (!Attendre([&] { return !fins.empty(); }, 8000))
            FAIL() << "the play never ended";
        if (lecteur.SoundFontChargee().empty())
            GTEST_SKIP() << "no General MIDI sound font installed";
        EXPECT_EQ(fins, std::vector<LecteurMedia::Fin>{LecteurMedia::Fin::Reussie});
        EXPECT_LE(prets.size(), 1u);
        if (!prets.empty()) {
            EXPECT_TRUE(prets[0]);
        }
    }
    EntendreLa4(Wav());
}

// The sound font's instruments are read only when a file with notes is opened: the start-up
// check selects none. A file that chooses no program after it still plays the channel's
// General MIDI default, the piano.
TEST_F(LecteurFluidSynthTest, AFileWithoutProgramsSoundsOnTheDefaultsAfterTheSilentCheck)
{
    Octets piano = EnTete(1);
    AjouterPiste(piano, {0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20,
                         0x00, 0x90, 69, 100, 0x83, 0x00, 0x80, 69, 64,   // A4, 0 to 0.4 s
                         0x83, 0x60, 0xFF, 0x2F, 0x00});
    const std::string silencieux = Ecrire("test.mid", FichierSilencieux());
    const std::string midi = Ecrire("piano.mid", piano);
    {
        LecteurFluidSynth lecteur(Reglages());
        if (lecteur.SoundFontChargee().empty())
            GTEST_SKIP() << "no General MIDI sound font installed";
        std::vector<LecteurMedia::Fin> fins;
        lecteur.SetOnNotify([&](LecteurMedia::Fin f) { fins.push_back(f); });
        lecteur.SetNotify(true);
        lecteur.SetFileName(silencieux);
        ASSERT_TRUE(lecteur.Open()) << lecteur.ErrorMessage();
        ASSERT_TRUE(lecteur.Play());
        ASSERT_TRUE(Attendre([&] { return fins.size() == 1; }, 2000));

        lecteur.SetFileName(midi);
        ASSERT_TRUE(lecteur.Open()) << lecteur.ErrorMessage();
        lecteur.SetNotify(true);
        ASSERT_TRUE(lecteur.Play());
        ASSERT_TRUE(Attendre([&] { return fins.size() >= 2 && fins.back() == LecteurMedia::Fin::Reussie; }, 5000));
    }
    EntendreLa4(Wav());
}

// A deferred load: a file opened and played before it starts waits, nothing ready and nothing
// ended, for as long as the owner does not start the load; then it plays to its end.
TEST_F(LecteurFluidSynthTest, ADeferredLoadKeepsThePlayWaitingUntilItStarts)
{
    platform::ReglagesFluidSynth r = Reglages();
    r.ChargementImmediat = false;
    LecteurFluidSynth lecteur(r);
    std::vector<LecteurMedia::Fin> fins;
    std::vector<bool> prets;
    lecteur.SetOnNotify([&](LecteurMedia::Fin f) { fins.push_back(f); });
    lecteur.QuandPret([&](bool pret) { prets.push_back(pret); });
    lecteur.SetFileName(Ecrire("deux.mid", DeuxNotes()));
    ASSERT_TRUE(lecteur.Open()) << lecteur.ErrorMessage();
    EXPECT_EQ(lecteur.Length(), 1000);
    lecteur.SetNotify(true);
    ASSERT_TRUE(lecteur.Play());
    Attendre([] { return false; }, 300);
    EXPECT_FALSE(lecteur.ChargementTermine());
    EXPECT_TRUE(fins.empty());
    EXPECT_TRUE(prets.empty());

    lecteur.CommencerChargement();
    lecteur.CommencerChargement(); // a second start changes nothing
    if (!Attendre([&] { return !fins.empty(); }, 8000))
        FAIL() << "the play never ended";
    EXPECT_TRUE(lecteur.ChargementTermine());
    if (lecteur.SoundFontChargee().empty())
        GTEST_SKIP() << "no General MIDI sound font installed";
    EXPECT_EQ(fins, std::vector<LecteurMedia::Fin>{LecteurMedia::Fin::Reussie});
    EXPECT_EQ(prets, std::vector<bool>{true});
}

// Asking for the sound font in use starts a deferred load and waits for it.
TEST_F(LecteurFluidSynthTest, AskingForTheSoundFontStartsADeferredLoad)
{
    platform::ReglagesFluidSynth r = Reglages();
    r.ChargementImmediat = false;
    LecteurFluidSynth lecteur(r);
    EXPECT_FALSE(lecteur.ChargementTermine());
    const std::string soundFont = lecteur.SoundFontChargee();
    EXPECT_TRUE(lecteur.ChargementTermine());
    if (soundFont.empty())
        GTEST_SKIP() << "no General MIDI sound font installed";
    EXPECT_TRUE(std::filesystem::is_regular_file(soundFont)) << soundFont;
}

// Without a sound font, a file taken before the load failed ends as interrupted with a
// device error, and the owner hears that there is no sequencer; once the failure is known,
// Open refuses at once.
TEST_F(LecteurFluidSynthTest, ALoadThatFailsEndsTheFileTakenMeanwhile)
{
    platform::ReglagesFluidSynth r = Reglages();
    r.SoundFont = (dossier_ / "absente.sf2").string();
    LecteurFluidSynth lecteur(r);
    std::vector<LecteurMedia::Fin> fins;
    std::vector<bool> prets;
    lecteur.SetOnNotify([&](LecteurMedia::Fin f) { fins.push_back(f); });
    lecteur.QuandPret([&](bool pret) { prets.push_back(pret); });
    lecteur.SetFileName(Ecrire("test.mid", FichierSilencieux()));
    lecteur.SetNotify(true);
    if (lecteur.Open()) {
        EXPECT_TRUE(lecteur.Play());
        ASSERT_TRUE(Attendre([&] { return !fins.empty() && !prets.empty(); }, 3000));
        EXPECT_EQ(prets, std::vector<bool>{false});
        // The silent file may have ended before the failure was seen; otherwise the failure ends it.
        if (fins[0] != LecteurMedia::Fin::Reussie) {
            EXPECT_EQ(fins[0], LecteurMedia::Fin::Interrompue);
            EXPECT_EQ(lecteur.Error(), LecteurMedia::ErreurPeripherique);
            EXPECT_FALSE(lecteur.DeviceOpen());
        }
    } else {
        EXPECT_EQ(lecteur.Error(), LecteurMedia::ErreurPeripherique);
    }
    EXPECT_FALSE(lecteur.Open());
    EXPECT_EQ(lecteur.Error(), LecteurMedia::ErreurPeripherique);
}

} // namespace

// A song played end to end: the play command writes the MIDI file, the FluidSynth player
// renders it through its "file" output, the 100 ms timer follows the measures and the end of
// the file ends the playback once. The WAV holds the notes of each measure.
#include "ChantierMidi.h"

#include "document/Fenetre.h"
#include "midi/Lecture.h"
#include "platform/qt/LecteurFluidSynth.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>
#include <QTimer>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <map>
#include <numbers>
#include <optional>
#include <string>
#include <vector>

namespace midi_test {
namespace {

class FenetreMinuteur : public IFenetrePrincipale {
public:
    explicit FenetreMinuteur(QElapsedTimer& horloge) : horloge_(horloge)
    {
        minuteur_.setInterval(100);
        QObject::connect(&minuteur_, &QTimer::timeout, [] { TimerMidiTimer(); });
    }
    bool CommandeActive(const char* nom) override { return !actives_.contains(nom) || actives_[nom]; }
    void ActiverCommande(const char* nom, bool actif) override { actives_[nom] = actif; }
    void TraiterMessagesEnAttente() override { QCoreApplication::processEvents(); }
    void ActiverTimerMidi(bool actif) override
    {
        if (actif)
            minuteur_.start();
        else
            minuteur_.stop();
    }
    void PlacerCadreMesure() override
    {
        Mesures.push_back({Partition.MesureCourante, horloge_.elapsed()});
        Positions.push_back(Lecteur ? Lecteur->Position() : -1);
    }
    void QuitterAffichageLecture() override { Fins.push_back(horloge_.elapsed()); }

    std::vector<std::pair<int32_t, qint64>> Mesures; // measure framed, at ms
    std::vector<int64_t> Positions;                  // where the player was then, ms
    const platform::LecteurFluidSynth* Lecteur = nullptr;
    std::vector<qint64> Fins;

private:
    QElapsedTimer& horloge_;
    QTimer minuteur_;
    std::map<std::string, bool> actives_;
};

class LectureFluidSynth : public MidiTest {
protected:
    void SetUp() override
    {
        MidiTest::SetUp();
        dossier_ = DossierTemporaire();
        windows_.emplace("LYRX_WINDOWS_DIR", dossier_.string());
    }
    void TearDown() override
    {
        InstallerMediaPlayer(nullptr);
        InstallerFenetrePrincipale(nullptr);
        MidiDisponible = false;
        windows_.reset();
        MidiTest::TearDown();
    }
    std::filesystem::path dossier_;
    std::optional<lyrx_test::VariableEnvironnement> windows_;
};

double Puissance(const std::vector<float>& s, std::size_t debut, std::size_t fin, double frequence)
{
    const double k = 2.0 * std::cos(2.0 * std::numbers::pi * frequence / 44100.0);
    double s1 = 0, s2 = 0;
    for (std::size_t i = debut; i < fin && i < s.size(); ++i) {
        const double s0 = s[i] + k * s1 - s2;
        s2 = s1;
        s1 = s0;
    }
    return s1 * s1 + s2 * s2 - k * s1 * s2;
}

TEST_F(LectureFluidSynth, ASongPlaysFollowedMeasureByMeasureAndEndsOnce)
{
    // Two measures at 240 beats per minute, one second each: A4 then E5 on string 1, played
    // by a flute (a guitar's release rings into the next measure).
    Mesures(2);
    Partition.Tempo = 240;
    Partition.Instrument[1] = 73;
    Configuration.FirstBarMetronome = false;
    for (int b = 0; b < 4; ++b) {
        Temps(1, 1, 480, {{1, 5}});
        Temps(1, 2, 480, {{1, 12}});
    }
    QElapsedTimer horloge;
    FenetreMinuteur fenetre(horloge);
    InstallerFenetrePrincipale(&fenetre);
    const std::string wav = (dossier_ / "sortie.wav").string();
    {
        platform::ReglagesFluidSynth reglages;
        reglages.Pilote = "file";
        reglages.FichierWav = wav;
        platform::LecteurFluidSynth lecteur(reglages);
        if (lecteur.SoundFontChargee().empty())
            GTEST_SKIP() << "no General MIDI sound font installed";
        InstallerMediaPlayer(&lecteur);
        fenetre.Lecteur = &lecteur;
        MidiDisponible = VerifierSequenceurMidi();
        ASSERT_TRUE(MidiDisponible) << lecteur.ErrorMessage();
        // The program waits before the user plays, and after, longer than the last notes ring:
        // the WAV holds no such wait.
        horloge.start();
        while (horloge.elapsed() < 600)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);

        horloge.start();
        Ac_Son_LectureDebutExecute();
        EXPECT_EQ(lecteur.Length(), 2000);
        while (fenetre.Fins.empty() && horloge.elapsed() < 6000) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
            QThread::msleep(2);
        }
        const qint64 fin = horloge.elapsed();
        while (horloge.elapsed() < fin + 1500)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        InstallerMediaPlayer(nullptr);
        fenetre.Lecteur = nullptr;
    }
    ASSERT_EQ(fenetre.Fins.size(), 1u);
    // Never before the song's two seconds; late only by what a loaded machine delays the
    // rendering, which the wait above bounds.
    EXPECT_GE(fenetre.Fins[0], 1900);
    EXPECT_LT(fenetre.Fins[0], 6000);
    // Measure 2 is framed about a second into what the player has played (the timer moves on
    // up to 60 ms early), at most a tick late. The player's clock, not the wall's: on a loaded
    // machine the synthesiser renders late and the 100 ms timer comes late with it.
    ASSERT_GE(fenetre.Mesures.size(), 2u);
    EXPECT_EQ(fenetre.Mesures[0].first, 1);
    EXPECT_EQ(fenetre.Mesures[1].first, 2);
    EXPECT_GE(fenetre.Mesures[1].second, 900);
    EXPECT_GE(fenetre.Positions[1], 900);
    EXPECT_LT(fenetre.Positions[1], 1400);

    std::ifstream f(wav, std::ios::binary);
    const std::vector<uint8_t> o((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
    std::vector<float> s;
    for (std::size_t i = 44; i + 3 < o.size(); i += 4)
        s.push_back(static_cast<int16_t>(o[i] | o[i + 1] << 8) / 32768.0f);
    std::size_t debut = 0;
    while (debut < s.size() && std::fabs(s[debut]) < 0.01f)
        ++debut;
    ASSERT_LT(debut + 2 * 44100, s.size()) << "no sound in the WAV";
    // Little before the first note (the start-up check's silent file), nothing once the last
    // one has died away.
    std::size_t silenceFinale = 0;
    while (silenceFinale < s.size() && s[s.size() - 1 - silenceFinale] == 0.0f)
        ++silenceFinale;
    std::printf("WAV: %.3f s, sound from %.3f s, %.3f s of silence at the end\n", s.size() / 44100.0,
                debut / 44100.0, silenceFinale / 44100.0);
    EXPECT_LT(debut, 44100u / 5);
    EXPECT_LT(silenceFinale, 44100u / 20);
    auto p = [&](double de, double a, double frequence) {
        return Puissance(s, debut + std::size_t(de * 44100), debut + std::size_t(a * 44100), frequence);
    };
    EXPECT_GT(p(0.05, 0.9, 440.0), 5 * p(0.05, 0.9, 659.26));
    EXPECT_GT(p(1.05, 1.9, 659.26), 5 * p(1.05, 1.9, 440.0));
}

} // namespace
} // namespace midi_test

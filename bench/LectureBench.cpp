// Time from a play command to the first audible sample, the sound font already loaded, through
// the FluidSynth player with its "file" output (real-time paced, as a sound card would pull
// the audio). Two roads: the player alone (open the file, play) and the whole play command
// (play order, MIDI file written, opened, played). The time of one run ends when the audio
// thread renders the first sample above -60 dB.
#include "document/Configuration.h"
#include "document/Routines.h"
#include "document/Variable.h"
#include "midi/EtatLecture.h"
#include "midi/Lecture.h"
#include "platform/qt/LecteurFluidSynth.h"

#include "ApplicationBench.h"

#include <QCoreApplication>

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <thread>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

int64_t MaintenantNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// The playback runs on the event loop of the benchmark program's one application object.
struct Application {
    Application() { ApplicationBench(); }
};

fs::path Dossier()
{
    const fs::path d = fs::temp_directory_path() / ("lyrx_bench_lecture_" + std::to_string(::getpid()));
    fs::create_directories(d);
    return d;
}

platform::ReglagesFluidSynth Reglages(const fs::path& dossier)
{
    platform::ReglagesFluidSynth r;
    r.Pilote = "file";
    r.FichierWav = (dossier / "bench.wav").string();
    return r;
}

// Waits for the audio thread's first audible sample after `debut`; the run's time in seconds,
// or a negative number when nothing sounded within a second.
double AttendrePremierSon(const platform::LecteurFluidSynth& lecteur, int64_t debut)
{
    const int64_t limite = debut + 1'000'000'000;
    int64_t son = 0;
    while ((son = lecteur.InstantPremierSon()) == 0 && MaintenantNs() < limite)
        std::this_thread::sleep_for(std::chrono::microseconds(50));
    return son == 0 ? -1.0 : static_cast<double>(son - debut) / 1e9;
}

void BM_LecteurPremierSon(benchmark::State& state)
{
    Application application;
    const fs::path dossier = Dossier();
    platform::LecteurFluidSynth lecteur(Reglages(dossier));
    if (lecteur.SoundFontChargee().empty()) {
        state.SkipWithError("no General MIDI sound font installed");
        return;
    }
    // A piano note on the first tick, at 120 beats per minute.
    const unsigned char octets[] = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 1, 0, 1, 1, 0xE0,
                                    'M', 'T', 'r', 'k', 0, 0, 0, 20,
                                    0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20,
                                    0x00, 0x90, 60, 100, 0x83, 0x60, 0x80, 60, 64, 0x00, 0xFF, 0x2F, 0x00};
    const std::string midi = (dossier / "note.mid").string();
    std::ofstream(midi, std::ios::binary).write(reinterpret_cast<const char*>(octets), sizeof octets);
    lecteur.SetFileName(midi);
    lecteur.Open(); // the sound output starts with the first open

    for (auto _ : state) {
        const int64_t debut = MaintenantNs();
        lecteur.Open();
        lecteur.Play();
        const double secondes = AttendrePremierSon(lecteur, debut);
        if (secondes < 0) {
            state.SkipWithError("nothing sounded");
            break;
        }
        state.SetIterationTime(secondes);
        lecteur.Stop();
        std::this_thread::sleep_for(std::chrono::milliseconds(30)); // let the release pass
    }
    lecteur.Close();
    QCoreApplication::processEvents();
}

void BM_CommandeLecturePremierSon(benchmark::State& state)
{
    Application application;
    const fs::path dossier = Dossier();
    ::setenv("LYRX_WINDOWS_DIR", dossier.c_str(), 1);
    platform::LecteurFluidSynth lecteur(Reglages(dossier));
    if (lecteur.SoundFontChargee().empty()) {
        state.SkipWithError("no General MIDI sound font installed");
        return;
    }
    // Eight measures of quarter-note chords on track 1, no metronome.
    ReinitialiserPartition();
    Configuration = TCONFIG{};
    Configuration.Metronome = false;
    Partition.NbMesures = 8;
    for (int m = 1; m <= 8; ++m) {
        if (!Partition.Mesures[m])
            Partition.Mesures[m] = std::make_unique<TMesure>();
        TMesure& ms = *Partition.Mesures[m];
        ms.NbTemps[1] = 4;
        for (int b = 1; b <= 4; ++b) {
            TTemps& tp = ms.Temps[1][b];
            tp = TTemps{};
            tp.Duree = 480;
            for (int s = 1; s <= 3; ++s)
                tp.Notes[s].Frette = static_cast<int8_t>(s + 1);
        }
    }
    InstallerMediaPlayer(&lecteur);
    MidiDisponible = true;
    lecteur.SetFileName((dossier / "lyrx.tmp").string());

    for (auto _ : state) {
        Partition.MesureCourante = 1;
        const int64_t debut = MaintenantNs();
        Ac_Son_LectureDebutExecute();
        const double secondes = AttendrePremierSon(lecteur, debut);
        if (secondes < 0) {
            state.SkipWithError("nothing sounded");
            break;
        }
        state.SetIterationTime(secondes);
        Ac_Son_StopExecute();
        QCoreApplication::processEvents(); // the notification ends the playback
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
    }
    MediaPlayer1().Close();
    QCoreApplication::processEvents();
    InstallerMediaPlayer(nullptr);
    MidiDisponible = false;
    ReinitialiserPartition();
}

} // namespace

BENCHMARK(BM_LecteurPremierSon)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(30);
BENCHMARK(BM_CommandeLecturePremierSon)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(30);

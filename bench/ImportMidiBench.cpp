// A MIDI import as a user lives it, in one process with the real windows offscreen: the File
// menu's import command, its file dialog (answered at once), the wait window through the track
// search, the import dialog (the eight sources chosen on its eight tabs, then OK, answered from
// its own message loop), reading, laying out and fingering the eight tracks under the wait
// window, and the main window's refresh up to the score view painted.
//
// The file: type 1, 480 ticks per quarter, a tempo track (120 bpm, 4/4) and 8 tracks of 5,000
// notes each, one after the other, pitches 40..88 and lengths of 1 to 4 sixteenths, drawn from
// a fixed seed. Target: 0.5 s for the whole road.
//
// BM_ImportMidiSansFenetres runs the same file through the importer alone (the window answers
// nothing and paints nothing), to tell the windows' share from the import's.
//
//   build/bench/lyrx_bench --benchmark_filter=ImportMidi
#include "app/DialoguesFichiersQt.h"
#include "app/Main.h"
#include "app/Programme.h"
#include "app/ServicesFenetres.h"
#include "app/VuePartition.h"
#include "dialogs/SelMIDI.h"
#include "document/ConfigFichier.h"
#include "document/Fenetre.h"
#include "document/Langue.h"
#include "document/Proprietes.h"
#include "document/Variable.h"
#include "editor/Commandes.h"
#include "midi/ImportMidi.h"

#include "ApplicationBench.h"

#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QListWidget>
#include <QPushButton>
#include <QTabBar>
#include <QTimer>
#include <QWindow>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr int kPistesSources = 8;
constexpr int kNotesParPiste = 5000;
constexpr uint32_t kGraine = 19;

void Longueur(std::vector<uint8_t>& o, uint32_t v)
{
    uint8_t b[4];
    int n = 0;
    b[n++] = v & 0x7F;
    while (v >>= 7)
        b[n++] = static_cast<uint8_t>(0x80 | (v & 0x7F));
    while (n)
        o.push_back(b[--n]);
}

void Morceau(std::vector<uint8_t>& fichier, const std::vector<uint8_t>& piste)
{
    fichier.insert(fichier.end(), {'M', 'T', 'r', 'k'});
    const auto n = static_cast<uint32_t>(piste.size());
    fichier.insert(fichier.end(), {uint8_t(n >> 24), uint8_t(n >> 16), uint8_t(n >> 8), uint8_t(n)});
    fichier.insert(fichier.end(), piste.begin(), piste.end());
}

std::vector<uint8_t> FichierDeTest()
{
    std::mt19937 aleatoire(kGraine);
    std::vector<uint8_t> f{'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 1, 0, kPistesSources + 1, 480 >> 8, 480 & 0xFF};
    // 500,000 microseconds a quarter: 120 bpm; 4/4.
    Morceau(f, {0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20, 0x00, 0xFF, 0x58, 0x04, 0x04, 0x02, 0x18, 0x08,
                0x00, 0xFF, 0x2F, 0x00});
    for (int p = 1; p <= kPistesSources; ++p) {
        std::vector<uint8_t> piste;
        const std::string nom = "Track " + std::to_string(p);
        piste.insert(piste.end(), {0x00, 0xFF, 0x03, static_cast<uint8_t>(nom.size())});
        piste.insert(piste.end(), nom.begin(), nom.end());
        const auto canal = static_cast<uint8_t>(p == kPistesSources ? 9 : p - 1);
        for (int n = 0; n < kNotesParPiste; ++n) {
            const auto hauteur = static_cast<uint8_t>(40 + aleatoire() % 49);
            const uint32_t duree = 120 * (1 + aleatoire() % 4);
            Longueur(piste, 0);
            piste.insert(piste.end(), {static_cast<uint8_t>(0x90 | canal), hauteur, 100});
            Longueur(piste, duree);
            piste.insert(piste.end(), {static_cast<uint8_t>(0x80 | canal), hauteur, 64});
        }
        piste.insert(piste.end(), {0x00, 0xFF, 0x2F, 0x00});
        Morceau(f, piste);
    }
    return f;
}

// A folder of its own for the settings and the file, removed at the end.
struct Dossier {
    fs::path chemin;
    fs::path midi;
    Dossier()
    {
        chemin = fs::temp_directory_path() / ("lyrx_bench_import_" + std::to_string(::getpid()));
        fs::create_directories(chemin);
        ::setenv("LYRX_WINDOWS_DIR", chemin.c_str(), 1);
        {
            std::ofstream ini(chemin / NomFichierConfiguration, std::ios::binary);
            ini << "[Config]\r\nPatcheLangue=English\r\n";
        }
        midi = chemin / "bench8x5000.mid";
        const std::vector<uint8_t> octets = FichierDeTest();
        std::ofstream(midi, std::ios::binary).write(reinterpret_cast<const char*>(octets.data()),
                                                    static_cast<std::streamsize>(octets.size()));
    }
    ~Dossier()
    {
        ::unsetenv("LYRX_WINDOWS_DIR");
        std::error_code ec;
        fs::remove_all(chemin, ec);
    }
};

// The user at the import dialog: each tab gets the source of its number, then OK.
class UtilisateurDialogue : public QObject {
public:
    explicit UtilisateurDialogue(TSelMIDIForm& d) : d_(d) { d_.installEventFilter(this); }
    ~UtilisateurDialogue() override { d_.removeEventFilter(this); }

protected:
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == QEvent::Show)
            QTimer::singleShot(0, &d_, [this] {
                for (int t = 1; t <= kPistesSources; ++t) {
                    d_.TabPiste->setCurrentIndex(t - 1);
                    d_.ListePiste->setCurrentRow(t - 1);
                }
                d_.BT_OK->click();
            });
        return false;
    }

private:
    TSelMIDIForm& d_;
};

// Counts the paintings of the score view.
class Peintures : public QObject {
public:
    explicit Peintures(QWidget& w) : w_(w) { w_.installEventFilter(this); }
    ~Peintures() override { w_.removeEventFilter(this); }
    int Nombre = 0;

protected:
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == QEvent::Paint)
            ++Nombre;
        return false;
    }

private:
    QWidget& w_;
};

void BM_ImportMidiCommeUnUtilisateur(benchmark::State& state)
{
    ApplicationBench();
    Dossier dossier;
    RepertoireProgramme = std::string(LYRX_SOURCE_DIR) + "/data/";
    PisteCourante = 1;
    ChargerConfiguration(RepertoireProgramme, NomFichierConfiguration);
    DefinirFichierAide();
    auto services = std::make_unique<TServicesImpressionProgramme>();
    InstallerServicesImpression(services.get());
    auto fenetre = std::make_unique<TForm1>();
    InstallerFenetrePrincipale(fenetre.get());
    auto residentes = std::make_unique<TFenetresResidentes>(*fenetre);
    fenetre->resize(1024, 740);
    fenetre->show();
    fenetre->Demarrer();
    while (!fenetre->windowHandle() || !fenetre->windowHandle()->isExposed())
        QCoreApplication::processEvents();
    QCoreApplication::processEvents();

    const QString chemin = QString::fromStdString(dossier.midi.string());
    TDialoguesFichiers::DefinirExecution([&](QFileDialog&) -> std::optional<QString> { return chemin; });
    auto utilisateur = std::make_unique<UtilisateurDialogue>(residentes->SelMIDIForm);
    auto peintures = std::make_unique<Peintures>(*fenetre->ZoneAffichage());
    QAction* importer = fenetre->findChild<QAction*>("Mn_Fichier_ImporterMIDI");

    int mesures = 0;
    for (auto _ : state) {
        state.PauseTiming();
        // The song left by the run before is not saved.
        PartitionModifiee = false;
        state.ResumeTiming();

        importer->trigger();
        // The import's own pauses may paint the view of the empty song; the imported score
        // is the painting that comes after the command.
        const int avant = peintures->Nombre;
        QTimer garde;
        garde.setSingleShot(true);
        garde.start(5000);
        while (peintures->Nombre == avant && garde.isActive())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        if (!garde.isActive()) {
            state.SkipWithError("the score view was not painted");
            break;
        }

        state.PauseTiming();
        mesures = Partition.NbMesures;
        state.ResumeTiming();
    }
    state.counters["mesures"] = mesures;

    TDialoguesFichiers::DefinirExecution({});
    peintures.reset();
    utilisateur.reset();
    residentes.reset();
    InstallerFenetrePrincipale(nullptr);
    fenetre.reset();
    InstallerServicesImpression(nullptr);
    services.reset();
    QCoreApplication::processEvents();
}

// The importer without windows: the dialog's OK as it leaves the choices.
class FenetreSilencieuse : public IFenetrePrincipale {
public:
    bool DialogueImportMidi() override
    {
        for (int t = 1; t <= kNbPistes; ++t) {
            ProprietesTempo.PisteSource[t] = t <= static_cast<int>(ListePisteImport.size()) ? t : 0;
            ProprietesTempo.OctaveInferieure[t] = false;
            ProprietesTempo.Quantification[t] = 4;
        }
        return true;
    }
};

void BM_ImportMidiSansFenetres(benchmark::State& state)
{
    Dossier dossier;
    RepertoireProgramme = std::string(LYRX_SOURCE_DIR) + "/data/";
    ChargerLangue(RepertoireProgramme, "English");
    FenetreSilencieuse fenetre;
    InstallerFenetrePrincipale(&fenetre);
    for (auto _ : state)
        benchmark::DoNotOptimize(ImporterFichierMidi(dossier.midi.string()));
    state.counters["mesures"] = Partition.NbMesures;
    InstallerFenetrePrincipale(nullptr);
}

} // namespace

BENCHMARK(BM_ImportMidiCommeUnUtilisateur)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(7)
    ->ComputeStatistics("min", [](const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); })
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_ImportMidiSansFenetres)->Unit(benchmark::kMillisecond);

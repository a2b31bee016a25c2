#include "controls/SortieWaveSysteme.h"

#include "controls/SortieAudio.h"
#include "platform/EnteteWav.h"
#include "platform/Repertoires.h"

#include <QLibrary>
#include <QMetaObject>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#ifndef LYRX_MODULE_AUDIO_CONSTRUIT
#define LYRX_MODULE_AUDIO_CONSTRUIT ""
#endif

namespace {

constexpr const char* kNomModule = "liblyrx_audio.so";

void Ecrire16(std::FILE* f, uint16_t v)
{
    const unsigned char o[2] = {static_cast<unsigned char>(v), static_cast<unsigned char>(v >> 8)};
    std::fwrite(o, 1, 2, f);
}

// What the device would have been given, as a plain 16-bit PCM wave. A file that cannot be
// written is as silent as a missing device.
void EcrireWav(const std::string& chemin, const std::vector<int16_t>& echantillons, int canaux, int frequence)
{
    std::FILE* f = std::fopen(chemin.c_str(), "wb");
    if (!f)
        return;
    const auto entete = platform::EnteteWavPcm16(static_cast<uint16_t>(canaux), static_cast<uint32_t>(frequence),
                                                 static_cast<uint32_t>(echantillons.size() * 2));
    std::fwrite(entete.data(), 1, entete.size(), f);
    for (int16_t e : echantillons)
        Ecrire16(f, static_cast<uint16_t>(e));
    std::fclose(f);
}

} // namespace

TSortieWaveSysteme::TSortieWaveSysteme(bool ouverte) : ouverte_(ouverte), contexte_(std::make_unique<QObject>())
{
    const char* pilote = std::getenv("LYRX_AUDIO_DRIVER");
    pilote_ = pilote ? pilote : "";
}

TSortieWaveSysteme::~TSortieWaveSysteme()
{
    // A module still loading posts to the context: it is waited for before the context goes.
    if (chargement_.joinable())
        chargement_.join();
    contexte_.reset();
    sortie_.reset(); // the module stays loaded: its code may still be on a stack
}

std::string TSortieWaveSysteme::FichierSortie() { return platform::RepertoireWindowsParDefaut() + "lyrxwave.wav"; }

std::string TSortieWaveSysteme::CheminModule()
{
    namespace fs = std::filesystem;
    const fs::path exe = platform::RepertoireExecutable();
    const fs::path essais[] = {exe / kNomModule, exe.parent_path().parent_path() / "lib" / "lyrandaxis" / kNomModule,
                               fs::path(LYRX_MODULE_AUDIO_CONSTRUIT)};
    for (const fs::path& chemin : essais) {
        std::error_code ec;
        if (!chemin.empty() && fs::is_regular_file(chemin, ec))
            return chemin.string();
    }
    return {};
}

void TSortieWaveSysteme::Jouer(std::shared_ptr<const std::vector<uint8_t>> octets, const TFormatWave& format)
{
    Arreter();
    if (!octets || pilote_ == "none")
        return;
    // The output keeps samples of its own: the wave's data may be cleared while it plays.
    auto son = std::make_unique<Son>();
    son->canaux = format.Canaux;
    son->frequence = static_cast<int>(format.Frequence);
    if (!ouverte_) {
        // Closed (the splash's tune at start), it keeps the wave, which stays as it is, and
        // makes the samples when it opens, after the start.
        son->octets = std::move(octets);
        son->format = format;
        enAttente_ = std::move(son);
        return;
    }
    son->echantillons = EchantillonsWave(*octets, format);
    if (son->echantillons.empty())
        return;
    enAttente_ = std::move(son);
    Lancer();
}

void TSortieWaveSysteme::Arreter()
{
    enAttente_.reset();
    if (sortie_)
        sortie_->Arreter();
}

bool TSortieWaveSysteme::Termine() const { return !enAttente_ && (!sortie_ || sortie_->Termine()); }

void TSortieWaveSysteme::Ouvrir()
{
    if (ouverte_)
        return;
    ouverte_ = true;
    if (enAttente_)
        Lancer();
}

void TSortieWaveSysteme::Lancer()
{
    if (!enAttente_)
        return;
    if (enAttente_->octets) {
        enAttente_->echantillons = EchantillonsWave(*enAttente_->octets, enAttente_->format);
        enAttente_->octets.reset();
        if (enAttente_->echantillons.empty()) {
            enAttente_.reset();
            return;
        }
    }
    if (pilote_ == "file") {
        const std::unique_ptr<Son> son = std::move(enAttente_);
        EcrireWav(FichierSortie(), son->echantillons, son->canaux, son->frequence);
        return;
    }
    if (sortie_) {
        std::unique_ptr<Son> son = std::move(enAttente_);
        sortie_->Jouer(std::move(son->echantillons), son->canaux, son->frequence);
        return;
    }
    if (moduleAbsent_) {
        enAttente_.reset();
        return;
    }
    if (chargementLance_)
        return; // the sound waiting starts when the module is there
    chargementLance_ = true;
    const std::string chemin = CheminModule();
    QObject* contexte = contexte_.get();
    chargement_ = std::thread([this, chemin, contexte] {
        ISortieAudio* (*creer)() = nullptr;
        if (!chemin.empty()) {
            QLibrary module(QString::fromStdString(chemin));
            if (module.load())
                creer = reinterpret_cast<ISortieAudio* (*)()>(module.resolve(LYRX_SYMBOLE_SORTIE_AUDIO));
        }
        QMetaObject::invokeMethod(contexte, [this, creer] { ModuleCharge(creer); }, Qt::QueuedConnection);
    });
}

void TSortieWaveSysteme::ModuleCharge(ISortieAudio* (*creer)())
{
    if (chargement_.joinable())
        chargement_.join();
    if (creer)
        sortie_.reset(creer());
    if (!sortie_) {
        moduleAbsent_ = true;
        enAttente_.reset();
        return;
    }
    Lancer();
}

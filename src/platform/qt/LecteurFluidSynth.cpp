#include "platform/qt/LecteurFluidSynth.h"

#include "platform/EnteteWav.h"
#include "platform/FichierEntier.h"
#include "platform/Repertoires.h"

#include <QMetaObject>
#include <QObject>
#include <QTimer>

#include <dlfcn.h>
#include <fluidsynth.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <mutex>
#include <set>
#include <thread>

namespace platform {

// ---- File analysis -----------------------------------------------------------------------------

namespace {

constexpr int64_t kTempoParDefaut = 500000; // 120 beats per minute

class Lecteur {
public:
    Lecteur(std::span<const uint8_t> o, std::size_t debut, std::size_t fin) : o_(o), i_(debut), fin_(fin) {}
    bool Fini() const { return i_ >= fin_; }
    bool Octet(uint8_t& b)
    {
        if (i_ >= fin_)
            return false;
        b = o_[i_++];
        return true;
    }
    bool Vlq(uint32_t& v)
    {
        v = 0;
        for (int n = 0; n < 4; ++n) {
            uint8_t b = 0;
            if (!Octet(b))
                return false;
            v = (v << 7) | (b & 0x7F);
            if (!(b & 0x80))
                return true;
        }
        return false;
    }
    bool Sauter(uint32_t n)
    {
        if (n > fin_ - i_)
            return false;
        i_ += n;
        return true;
    }
    std::size_t Indice() const { return i_; }

private:
    std::span<const uint8_t> o_;
    std::size_t i_;
    std::size_t fin_;
};

uint32_t Be32(std::span<const uint8_t> o, std::size_t i)
{
    return uint32_t(o[i]) << 24 | uint32_t(o[i + 1]) << 16 | uint32_t(o[i + 2]) << 8 | o[i + 3];
}

int OctetsDonnees(uint8_t statut)
{
    const uint8_t type = statut & 0xF0;
    return type == 0xC0 || type == 0xD0 ? 1 : 2;
}

// One track chunk; false when it breaks off in the middle of an event.
bool AnalyserPiste(std::span<const uint8_t> o, std::size_t debut, std::size_t fin, AnalyseMidi& a,
                   std::vector<AnalyseMidi::Evenement>& evts)
{
    Lecteur l(o, debut, fin);
    int64_t tick = 0;
    uint8_t courant = 0; // running status
    while (!l.Fini()) {
        uint32_t delta = 0;
        if (!l.Vlq(delta))
            return false;
        tick += delta;
        uint8_t statut = 0;
        if (!l.Octet(statut))
            return false;
        if (statut == 0xFF) {
            uint8_t type = 0;
            uint32_t n = 0;
            if (!l.Octet(type) || !l.Vlq(n))
                return false;
            const std::size_t donnees = l.Indice();
            if (!l.Sauter(n))
                return false;
            if (type == 0x51 && n == 3) {
                const int64_t us = int64_t(o[donnees]) << 16 | int64_t(o[donnees + 1]) << 8 | o[donnees + 2];
                if (us > 0)
                    a.Tempos.emplace_back(tick, us);
            }
            if (type == 0x2F)
                break;
            continue;
        }
        if (statut == 0xF0 || statut == 0xF7) {
            uint32_t n = 0;
            if (!l.Vlq(n) || !l.Sauter(n))
                return false;
            continue;
        }
        if (statut > 0xF0) // system messages have no place in a file: skip their data
        {
            const int n = statut == 0xF2 ? 2 : (statut == 0xF1 || statut == 0xF3) ? 1 : 0;
            if (!l.Sauter(uint32_t(n)))
                return false;
            continue;
        }
        AnalyseMidi::Evenement e;
        e.Tick = tick;
        if (statut < 0x80) {
            if (courant == 0)
                return false;
            e.Statut = courant;
            e.Donnee1 = statut;
            if (OctetsDonnees(courant) == 2 && !l.Octet(e.Donnee2))
                return false;
        } else {
            courant = statut;
            e.Statut = statut;
            if (!l.Octet(e.Donnee1) || (OctetsDonnees(statut) == 2 && !l.Octet(e.Donnee2)))
                return false;
        }
        e.Donnee1 &= 0x7F;
        e.Donnee2 &= 0x7F;
        evts.push_back(e);
    }
    a.DerniereTick = std::max(a.DerniereTick, tick);
    return true;
}

} // namespace

double AnalyseMidi::Millisecondes(int64_t tick) const
{
    if (MsParTickSmpte > 0.0)
        return static_cast<double>(tick) * MsParTickSmpte;
    double ms = 0.0;
    int64_t depuis = 0;
    int64_t tempo = kTempoParDefaut;
    for (const auto& [t, us] : Tempos) {
        if (t >= tick)
            break;
        ms += static_cast<double>(t - depuis) * static_cast<double>(tempo) / 1000.0 / Division;
        depuis = t;
        tempo = us;
    }
    return ms + static_cast<double>(tick - depuis) * static_cast<double>(tempo) / 1000.0 / Division;
}

int64_t AnalyseMidi::LongueurMs() const { return static_cast<int64_t>(std::ceil(Millisecondes(DerniereTick))); }

std::optional<AnalyseMidi> AnalyserFichierMidi(std::span<const uint8_t> o, std::string* erreur)
{
    auto echec = [&](const char* texte) -> std::optional<AnalyseMidi> {
        if (erreur)
            *erreur = texte;
        return std::nullopt;
    };
    static const char* const pasMidi = "The file is not a valid MIDI file.";
    if (o.size() < 14 || std::memcmp(o.data(), "MThd", 4) != 0)
        return echec(pasMidi);
    const uint32_t longueurEnTete = Be32(o, 4);
    if (longueurEnTete < 6 || longueurEnTete > o.size() - 8)
        return echec(pasMidi);
    AnalyseMidi a;
    const uint16_t division = static_cast<uint16_t>(o[12] << 8 | o[13]);
    if (division & 0x8000) {
        const int images = -static_cast<int8_t>(o[12]);
        const int ticksParImage = o[13];
        if (images <= 0 || ticksParImage <= 0)
            return echec(pasMidi);
        a.MsParTickSmpte = 1000.0 / (images * ticksParImage);
    } else {
        if (division == 0)
            return echec(pasMidi);
        a.Division = division;
    }
    std::vector<std::vector<AnalyseMidi::Evenement>> pistes;
    std::size_t i = 8 + longueurEnTete;
    while (i + 8 <= o.size()) {
        const uint32_t longueur = Be32(o, i + 4);
        if (longueur > o.size() - i - 8)
            return echec(pasMidi);
        if (std::memcmp(o.data() + i, "MTrk", 4) == 0) {
            pistes.emplace_back();
            if (!AnalyserPiste(o, i + 8, i + 8 + longueur, a, pistes.back()))
                return echec(pasMidi);
        }
        i += 8 + longueur;
    }
    if (pistes.empty())
        return echec(pasMidi);
    // Track after track, then by time: at one tick the events keep the order of their tracks,
    // as a player that walks the tracks in turn sends them.
    for (auto& p : pistes)
        a.Evenements.insert(a.Evenements.end(), p.begin(), p.end());
    std::stable_sort(a.Evenements.begin(), a.Evenements.end(),
                     [](const auto& x, const auto& y) { return x.Tick < y.Tick; });
    std::stable_sort(a.Tempos.begin(), a.Tempos.end(), [](const auto& x, const auto& y) { return x.first < y.first; });
    return a;
}

std::vector<std::string> SoundFontsParDefaut()
{
    return {"/usr/share/sounds/sf2/default-GM.sf2", "/usr/share/sounds/sf2/FluidR3_GM.sf2",
            "/usr/share/sounds/sf2/TimGM6mb.sf2"};
}

// ---- FluidSynth's messages ---------------------------------------------------------------------

namespace {

// FluidSynth is opened by the loading thread rather than linked to the program: the library
// and the forty it brings along (sound servers, codecs, SDL, ...) would be loaded and relocated
// before main, on the way to the first window.
#define LYRX_FONCTIONS_FLUID(F)                                                                    \
    F(fluid_set_log_function) F(new_fluid_settings) F(delete_fluid_settings) F(fluid_settings_setint) \
    F(fluid_settings_setnum) F(fluid_settings_setstr) F(new_fluid_synth) F(delete_fluid_synth)          \
    F(fluid_synth_sfload) F(fluid_synth_pin_preset) F(new_fluid_audio_driver2)                          \
    F(delete_fluid_audio_driver) F(fluid_synth_noteon) F(fluid_synth_noteoff) F(fluid_synth_key_pressure) \
    F(fluid_synth_cc) F(fluid_synth_program_change) F(fluid_synth_channel_pressure)                     \
    F(fluid_synth_pitch_bend) F(fluid_synth_all_notes_off) F(fluid_synth_all_sounds_off)                \
    F(fluid_synth_system_reset) F(fluid_synth_write_float)

struct BibliothequeFluid {
#define LYRX_POINTEUR(nom) decltype(&::nom) nom = nullptr;
    LYRX_FONCTIONS_FLUID(LYRX_POINTEUR)
#undef LYRX_POINTEUR
};

// Filled once by OuvrirFluid; every use comes after a synthesizer was made through it.
BibliothequeFluid fluid;

// Opens the library on the first call; false (and `erreur` set) when it or one of its
// functions is missing.
bool OuvrirFluid(std::string& erreur)
{
    static std::once_flag fait;
    static bool ouverte = false;
    static std::string echec;
    std::call_once(fait, [] {
        void* bibliotheque = ::dlopen(LYRX_FLUIDSYNTH_SONAME, RTLD_NOW | RTLD_LOCAL);
        if (!bibliotheque) {
            const char* e = ::dlerror();
            echec = e ? e : LYRX_FLUIDSYNTH_SONAME;
            return;
        }
#define LYRX_RESOUDRE(nom)                                                                         \
    fluid.nom = reinterpret_cast<decltype(&::nom)>(::dlsym(bibliotheque, #nom));                   \
    if (!fluid.nom) {                                                                              \
        echec = LYRX_FLUIDSYNTH_SONAME ": no " #nom;                                               \
        return;                                                                                    \
    }
        LYRX_FONCTIONS_FLUID(LYRX_RESOUDRE)
#undef LYRX_RESOUDRE
        // Kept open for the whole run: the audio threads it makes may outlive any player.
        ouverte = true;
    });
    erreur = echec;
    return ouverte;
}

std::mutex mutexJournal;
std::string dernierMessage;

void JournalFluid(int niveau, const char* message, void*)
{
    if (niveau > FLUID_WARN || !message)
        return;
    std::lock_guard<std::mutex> verrou(mutexJournal);
    dernierMessage = message;
}

// FluidSynth writes to the console by default; its errors are kept for the error message.
void CapturerJournal()
{
    static std::once_flag fait;
    std::call_once(fait, [] {
        for (int niveau : {FLUID_PANIC, FLUID_ERR, FLUID_WARN, FLUID_INFO, FLUID_DBG})
            fluid.fluid_set_log_function(niveau, JournalFluid, nullptr);
    });
}

std::string MessageFluid(const std::string& parDefaut)
{
    std::lock_guard<std::mutex> verrou(mutexJournal);
    return dernierMessage.empty() ? parDefaut : parDefaut + " (" + dernierMessage + ")";
}

std::string Environnement(const char* nom)
{
    const char* v = std::getenv(nom);
    return v ? v : "";
}

constexpr int kBlocSequence = 64;     // frames between two looks at the event list
constexpr int kPeriodeFichier = 128;  // frames rendered per turn of the WAV output
constexpr float kSeuilAudible = 1e-3f; // -60 dB

int64_t MaintenantNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

} // namespace

// ---- The engine ------------------------------------------------------------------------------

struct LecteurFluidSynth::Moteur {
    struct Planifie {
        int64_t Echantillon;
        uint8_t Statut, Donnee1, Donnee2;
    };

    ReglagesFluidSynth reglages;

    // Made by the loading thread, read only once it is joined.
    std::thread chargement;
    bool chargementLance = false; // interface thread
    std::atomic<bool> chargementFini{false};
    fluid_settings_t* settings = nullptr;
    fluid_synth_t* synth = nullptr;
    int idSoundFont = FLUID_FAILED;
    std::string soundFont;
    std::string erreurChargement;

    // Sound output.
    bool sortieEssayee = false;
    bool sortiePrete = false;
    std::string erreurSortie;
    fluid_audio_driver_t* pilote = nullptr;
    std::thread filWav;
    std::atomic<bool> arretWav{false};
    std::FILE* wav = nullptr;
    uint32_t octetsWav = 0;

    // Shared with the audio thread.
    std::mutex mutex;
    std::vector<Planifie> sequence;
    std::size_t suivant = 0;
    bool sequenceActive = false;
    bool relacher = false;
    bool guetterSon = false;
    std::atomic<int64_t> echantillons{0};
    std::atomic<int64_t> premierSon{0};
    std::vector<float> tamponG, tamponD;

    // Interface thread.
    std::unique_ptr<QObject> contexte;
    QTimer* sondage = nullptr;
    QTimer* attente = nullptr;  // looks for the end of the load while a file waits for it
    bool chargementTraite = false; // the loading thread is joined and its outcome handled
    bool enAttente = false;        // the open file waits for the load to be played
    std::function<void(bool)> rappelPret;
    bool ouvert = false;
    bool enLecture = false;
    int64_t longueurMs = 0;

    // The instruments a file chooses, kept loaded from now on: their samples are read here,
    // on the caller's thread, not by the audio thread when the first note is due.
    std::set<std::pair<int, int>> epingles;
    void EpinglerInstruments(const std::vector<Planifie>& evenements);
    // A file with notes starts from a clean synthesizer, its instruments read beforehand.
    void PreparerFichier(const std::vector<Planifie>& evenements)
    {
        fluid.fluid_synth_system_reset(synth);
        EpinglerInstruments(evenements);
    }

    void Charger();
    void AttendreChargement()
    {
        if (chargement.joinable())
            chargement.join();
    }
    bool PreparerSortie();
    void ArreterSortie();
    void Envoyer(const Planifie& e);
    void Rendre(int n, float* gauche, float* droite);
    void BoucleWav();
    static int RappelAudio(void* donnees, int len, int nfx, float* fx[], int nout, float* out[]);
};

void LecteurFluidSynth::Moteur::Charger()
{
    struct Fin {
        std::atomic<bool>& fini;
        ~Fin() { fini.store(true); }
    } fin{chargementFini};
    std::string erreur;
    if (!OuvrirFluid(erreur)) {
        erreurChargement = "The synthesizer cannot be created (" + erreur + ").";
        return;
    }
    CapturerJournal();
    settings = fluid.new_fluid_settings();
    if (!settings) {
        erreurChargement = "The synthesizer cannot be created.";
        return;
    }
    fluid.fluid_settings_setnum(settings, "synth.sample-rate", reglages.FrequenceEchantillonnage);
    fluid.fluid_settings_setnum(settings, "synth.gain", reglages.Gain);
    // Only the sound font's structure is read at load; the samples of an instrument are read
    // when a channel first selects it. A General MIDI font is mostly instruments a song never
    // uses, and reading all of it is most of the start-up time and of the memory.
    fluid.fluid_settings_setint(settings, "synth.dynamic-sample-loading", 1);
    synth = fluid.new_fluid_synth(settings);
    if (!synth) {
        erreurChargement = MessageFluid("The synthesizer cannot be created.");
        return;
    }
    std::vector<std::string> candidats;
    if (!reglages.SoundFont.empty())
        candidats.push_back(reglages.SoundFont);
    else
        candidats = SoundFontsParDefaut();
    for (const std::string& chemin : candidats) {
        std::error_code ec;
        if (!std::filesystem::is_regular_file(chemin, ec))
            continue;
        // Without the usual reset of every channel to the default piano and drum kit: that
        // would read their samples (about 18 MB of the default font) at start-up, song or no
        // song. Nothing sounds before a file with notes is opened, and each starts with a reset
        // of the synthesizer that gives the channels their defaults then (the first of a
        // session reads them: about 16 ms from a warm disk cache).
        idSoundFont = fluid.fluid_synth_sfload(synth, chemin.c_str(), 0);
        if (idSoundFont != FLUID_FAILED) {
            soundFont = chemin;
            return;
        }
    }
    erreurChargement = MessageFluid("No General MIDI sound font could be loaded.");
}

void LecteurFluidSynth::Moteur::EpinglerInstruments(const std::vector<Planifie>& evenements)
{
    for (const Planifie& e : evenements) {
        if ((e.Statut & 0xF0) != 0xC0)
            continue;
        const int banque = (e.Statut & 0x0F) == 9 ? 128 : 0;
        if (epingles.emplace(banque, e.Donnee1).second)
            fluid.fluid_synth_pin_preset(synth, idSoundFont, banque, e.Donnee1);
    }
}

bool LecteurFluidSynth::Moteur::PreparerSortie()
{
    if (sortieEssayee)
        return sortiePrete;
    sortieEssayee = true;
    const std::string& nom = reglages.Pilote;
    if (nom == "none") {
        erreurSortie = "No audio output device.";
        return false;
    }
    const int taille = kPeriodeFichier;
    tamponG.assign(std::size_t(std::max(taille, 8192)), 0.0f);
    tamponD.assign(tamponG.size(), 0.0f);
    if (nom == "file") {
        wav = std::fopen(reglages.FichierWav.c_str(), "wb");
        if (!wav) {
            erreurSortie = "The audio file " + reglages.FichierWav + " cannot be written.";
            return false;
        }
        uint8_t entete[44] = {};
        std::fwrite(entete, 1, sizeof entete, wav); // filled in when the output ends
        filWav = std::thread([this] { BoucleWav(); });
        sortiePrete = true;
        return true;
    }
    const std::vector<std::string> essais = nom.empty() ? std::vector<std::string>{"pulseaudio", "alsa"}
                                                        : std::vector<std::string>{nom};
    for (const std::string& essai : essais) {
        fluid.fluid_settings_setstr(settings, "audio.driver", essai.c_str());
        pilote = fluid.new_fluid_audio_driver2(settings, &Moteur::RappelAudio, this);
        if (pilote) {
            sortiePrete = true;
            return true;
        }
    }
    erreurSortie = MessageFluid("No audio output device.");
    return false;
}

void LecteurFluidSynth::Moteur::ArreterSortie()
{
    if (pilote) {
        fluid.delete_fluid_audio_driver(pilote);
        pilote = nullptr;
    }
    if (filWav.joinable()) {
        arretWav = true;
        filWav.join();
    }
    if (wav) {
        // The header, now that the size of the stereo samples behind it is known.
        const auto entete = EnteteWavPcm16(2, static_cast<uint32_t>(reglages.FrequenceEchantillonnage), octetsWav);
        std::fseek(wav, 0, SEEK_SET);
        std::fwrite(entete.data(), 1, entete.size(), wav);
        std::fclose(wav);
        wav = nullptr;
    }
}

void LecteurFluidSynth::Moteur::Envoyer(const Planifie& e)
{
    const int canal = e.Statut & 0x0F;
    switch (e.Statut & 0xF0) {
    case 0x80: fluid.fluid_synth_noteoff(synth, canal, e.Donnee1); break;
    case 0x90:
        if (e.Donnee2 == 0)
            fluid.fluid_synth_noteoff(synth, canal, e.Donnee1);
        else
            fluid.fluid_synth_noteon(synth, canal, e.Donnee1, e.Donnee2);
        break;
    case 0xA0: fluid.fluid_synth_key_pressure(synth, canal, e.Donnee1, e.Donnee2); break;
    case 0xB0: fluid.fluid_synth_cc(synth, canal, e.Donnee1, e.Donnee2); break;
    case 0xC0: fluid.fluid_synth_program_change(synth, canal, e.Donnee1); break;
    case 0xD0: fluid.fluid_synth_channel_pressure(synth, canal, e.Donnee1); break;
    case 0xE0: fluid.fluid_synth_pitch_bend(synth, canal, e.Donnee1 | e.Donnee2 << 7); break;
    default: break;
    }
}

// Audio thread: the events due in each small block go to the synthesizer just before it
// renders that block, so they sound within 64 frames of their time.
void LecteurFluidSynth::Moteur::Rendre(int n, float* gauche, float* droite)
{
    int fait = 0;
    while (fait < n) {
        const int bloc = std::min(kBlocSequence, n - fait);
        bool guetter = false;
        {
            std::lock_guard<std::mutex> verrou(mutex);
            if (relacher) {
                fluid.fluid_synth_all_notes_off(synth, -1);
                relacher = false;
            }
            if (sequenceActive) {
                const int64_t fin = echantillons.load() + bloc;
                while (suivant < sequence.size() && sequence[suivant].Echantillon < fin)
                    Envoyer(sequence[suivant++]);
                echantillons.store(fin);
            }
            guetter = guetterSon;
        }
        fluid.fluid_synth_write_float(synth, bloc, gauche + fait, 0, 1, droite + fait, 0, 1);
        if (guetter) {
            for (int k = fait; k < fait + bloc; ++k)
                if (std::fabs(gauche[k]) > kSeuilAudible || std::fabs(droite[k]) > kSeuilAudible) {
                    std::lock_guard<std::mutex> verrou(mutex);
                    if (guetterSon) {
                        premierSon.store(MaintenantNs());
                        guetterSon = false;
                    }
                    break;
                }
        }
        fait += bloc;
    }
}

// The "file" output: rendered and written at the pace of a sound card, but only while a file
// plays and until what it left sounding has died away: the program waits most of its life,
// and a file that grew with silence all that time would fill the disk.
void LecteurFluidSynth::Moteur::BoucleWav()
{
    const auto periode = std::chrono::nanoseconds(int64_t(kPeriodeFichier) * 1000000000 / reglages.FrequenceEchantillonnage);
    std::vector<int16_t> entrelace(2 * kPeriodeFichier);
    auto prochaine = std::chrono::steady_clock::now();
    bool resonne = false; // the last block written was not silence
    while (!arretWav) {
        bool enJeu = false;
        {
            std::lock_guard<std::mutex> verrou(mutex);
            enJeu = sequenceActive || relacher;
        }
        if (enJeu || resonne) {
            Rendre(kPeriodeFichier, tamponG.data(), tamponD.data());
            resonne = false;
            for (int k = 0; k < kPeriodeFichier; ++k) {
                entrelace[2 * k] = static_cast<int16_t>(std::lrint(std::clamp(tamponG[k], -1.0f, 1.0f) * 32767.0f));
                entrelace[2 * k + 1] = static_cast<int16_t>(std::lrint(std::clamp(tamponD[k], -1.0f, 1.0f) * 32767.0f));
                resonne = resonne || entrelace[2 * k] != 0 || entrelace[2 * k + 1] != 0;
            }
            if (enJeu || resonne) {
                std::fwrite(entrelace.data(), sizeof(int16_t), entrelace.size(), wav);
                octetsWav += static_cast<uint32_t>(entrelace.size() * sizeof(int16_t));
            }
        }
        prochaine += periode;
        const auto maintenant = std::chrono::steady_clock::now();
        if (maintenant - prochaine > std::chrono::milliseconds(200))
            prochaine = maintenant; // fell behind (a debugger, a loaded machine): don't race to catch up
        std::this_thread::sleep_until(prochaine);
    }
}

int LecteurFluidSynth::Moteur::RappelAudio(void* donnees, int len, int nfx, float* fx[], int nout, float* out[])
{
    auto* m = static_cast<Moteur*>(donnees);
    for (int k = 0; k < nfx; ++k)
        if (fx && fx[k])
            std::fill(fx[k], fx[k] + len, 0.0f);
    for (int k = 2; k < nout; ++k)
        std::fill(out[k], out[k] + len, 0.0f);
    if (nout < 1)
        return FLUID_OK;
    m->Rendre(len, out[0], nout > 1 ? out[1] : out[0]);
    return FLUID_OK;
}

// ---- The player ------------------------------------------------------------------------------

LecteurFluidSynth::LecteurFluidSynth(ReglagesFluidSynth reglages) : m_(std::make_unique<Moteur>())
{
    if (reglages.SoundFont.empty())
        reglages.SoundFont = Environnement("LYRX_SOUNDFONT");
    if (reglages.Pilote.empty())
        reglages.Pilote = Environnement("LYRX_AUDIO_DRIVER");
    if (reglages.FichierWav.empty())
        reglages.FichierWav = Environnement("LYRX_AUDIO_FILE");
    if (reglages.FichierWav.empty())
        reglages.FichierWav = RepertoireWindowsParDefaut() + "lyrx.wav";
    if (reglages.FrequenceEchantillonnage <= 0)
        reglages.FrequenceEchantillonnage = 44100;
    m_->reglages = std::move(reglages);
    m_->contexte = std::make_unique<QObject>();
    m_->sondage = new QTimer(m_->contexte.get());
    m_->sondage->setInterval(20);
    QObject::connect(m_->sondage, &QTimer::timeout, m_->contexte.get(), [this] { Sonder(); });
    m_->attente = new QTimer(m_->contexte.get());
    m_->attente->setInterval(10);
    QObject::connect(m_->attente, &QTimer::timeout, m_->contexte.get(), [this] { TraiterChargement(); });
    if (m_->reglages.ChargementImmediat)
        CommencerChargement();
}

void LecteurFluidSynth::CommencerChargement()
{
    if (std::exchange(m_->chargementLance, true))
        return;
    m_->chargement = std::thread([m = m_.get()] { m->Charger(); });
    m_->attente->start();
}

LecteurFluidSynth::~LecteurFluidSynth()
{
    m_->sondage->stop();
    m_->contexte.reset(); // posted notifications of a player that is gone are dropped
    m_->AttendreChargement();
    m_->ArreterSortie();
    if (m_->synth)
        fluid.delete_fluid_synth(m_->synth);
    if (m_->settings)
        fluid.delete_fluid_settings(m_->settings);
}

std::string LecteurFluidSynth::SoundFontChargee()
{
    CommencerChargement();
    m_->AttendreChargement();
    TraiterChargement();
    return m_->soundFont;
}

bool LecteurFluidSynth::ChargementTermine() const { return m_->chargementFini.load(); }

void LecteurFluidSynth::QuandPret(std::function<void(bool)> rappel)
{
    if (!m_->chargementTraite)
        m_->rappelPret = std::move(rappel);
}

bool LecteurFluidSynth::TraiterChargement()
{
    Moteur& m = *m_;
    if (m.chargementTraite)
        return true;
    if (!m.chargementFini.load())
        return false;
    m.AttendreChargement();
    m.chargementTraite = true;
    m.attente->stop();

    bool pret = m.synth && m.idSoundFont != FLUID_FAILED;
    std::string erreur = m.erreurChargement;
    if (pret && m.enAttente) {
        // The file taken meanwhile starts from a clean synthesizer, and plays at once when
        // Play came already (a file without a note kept no events: see Open).
        if (!m.sequence.empty())
            m.PreparerFichier(m.sequence);
        pret = m.PreparerSortie();
        erreur = m.erreurSortie;
    }
    if (!pret && m.enAttente) {
        ArreterSequence();
        {
            std::lock_guard<std::mutex> verrou(m.mutex);
            m.sequence.clear();
            m.suivant = 0;
        }
        m.ouvert = false;
        m.longueurMs = 0;
        DefinirErreur(ErreurPeripherique, erreur);
        TerminerNotification(Fin::Interrompue);
    }
    m.enAttente = false;
    if (auto rappel = std::exchange(m.rappelPret, {}))
        rappel(pret);
    return true;
}

bool LecteurFluidSynth::Open()
{
    Close();
    Moteur& m = *m_;
    // While the sound font still loads, the file is taken all the same and starts once the
    // synthesizer is ready: a play asked for early is late, never refused nor waited for.
    const bool pret = TraiterChargement();
    if (pret && (!m.synth || m.idSoundFont == FLUID_FAILED)) {
        DefinirErreur(ErreurPeripherique, m.erreurChargement);
        return false;
    }
    if (pret && !m.PreparerSortie()) {
        DefinirErreur(ErreurPeripherique, m.erreurSortie);
        return false;
    }
    const std::optional<std::vector<uint8_t>> octets = LireFichierEntier<std::vector<uint8_t>>(FileName());
    if (!octets) {
        DefinirErreur(ErreurFichier, "The file " + FileName() + " cannot be read.");
        return false;
    }
    std::string erreur;
    const std::optional<AnalyseMidi> analyse = AnalyserFichierMidi(*octets, &erreur);
    if (!analyse) {
        DefinirErreur(ErreurFichier, erreur);
        return false;
    }
    std::vector<Moteur::Planifie> sequence;
    sequence.reserve(analyse->Evenements.size());
    const double parMs = m.reglages.FrequenceEchantillonnage / 1000.0;
    for (const AnalyseMidi::Evenement& e : analyse->Evenements)
        sequence.push_back({std::llround(analyse->Millisecondes(e.Tick) * parMs), e.Statut, e.Donnee1, e.Donnee2});
    // A file without a note (the sequencer check at start-up) sounds nothing, so it neither
    // resets the synthesizer nor selects instruments: either would read samples that no note
    // uses, and the next file with notes starts from a reset all the same.
    const bool avecNotes = std::any_of(sequence.begin(), sequence.end(), [](const Moteur::Planifie& e) {
        return (e.Statut & 0xF0) == 0x90 && e.Donnee2 > 0;
    });
    if (!avecNotes)
        sequence.clear();
    // Controllers and programs stay on the synthesizer from one file to the next.
    if (pret && avecNotes)
        m.PreparerFichier(sequence);
    {
        std::lock_guard<std::mutex> verrou(m.mutex);
        m.sequence = std::move(sequence);
        m.suivant = 0;
        m.sequenceActive = false;
        m.echantillons.store(0);
    }
    m.longueurMs = analyse->LongueurMs();
    m.ouvert = true;
    m.enAttente = !pret;
    EffacerErreur();
    return true;
}

void LecteurFluidSynth::ArreterSequence()
{
    Moteur& m = *m_;
    {
        std::lock_guard<std::mutex> verrou(m.mutex);
        m.sequenceActive = false;
        m.relacher = true;
        m.guetterSon = false;
    }
    m.enLecture = false;
    m.sondage->stop();
}

void LecteurFluidSynth::Close()
{
    Moteur& m = *m_;
    if (!m.ouvert)
        return;
    ArreterSequence();
    {
        std::lock_guard<std::mutex> verrou(m.mutex);
        m.sequence.clear();
        m.suivant = 0;
        m.echantillons.store(0);
    }
    if (m.synth && m.chargementTraite)
        fluid.fluid_synth_all_sounds_off(m.synth, -1);
    m.ouvert = false;
    m.enAttente = false;
    m.longueurMs = 0;
    TerminerNotification(Fin::Interrompue);
}

bool LecteurFluidSynth::Play()
{
    Moteur& m = *m_;
    if (!m.ouvert) {
        DefinirErreur(ErreurNonOuvert, "No MIDI file is open.");
        return false;
    }
    {
        std::lock_guard<std::mutex> verrou(m.mutex);
        m.suivant = 0;
        m.echantillons.store(0);
        m.sequenceActive = true;
        m.relacher = true;
        m.guetterSon = true;
        m.premierSon.store(0);
    }
    m.enLecture = true;
    ArmerNotification();
    m.sondage->start();
    EffacerErreur();
    return true;
}

void LecteurFluidSynth::Stop()
{
    if (!m_->ouvert)
        return;
    ArreterSequence();
    TerminerNotification(Fin::Interrompue);
}

int64_t LecteurFluidSynth::Position() const
{
    const Moteur& m = *m_;
    if (!m.ouvert)
        return 0;
    const int64_t ms = m.echantillons.load() * 1000 / m.reglages.FrequenceEchantillonnage;
    return std::min(ms, m.longueurMs);
}

int64_t LecteurFluidSynth::Length() const { return m_->ouvert ? m_->longueurMs : 0; }

bool LecteurFluidSynth::DeviceOpen() const { return m_->ouvert; }

int64_t LecteurFluidSynth::InstantPremierSon() const { return m_->premierSon.load(); }

void LecteurFluidSynth::Sonder()
{
    if (!m_->enLecture || Position() < m_->longueurMs)
        return;
    ArreterSequence();
    TerminerNotification(Fin::Reussie);
}

void LecteurFluidSynth::Poster(std::function<void()> action)
{
    if (m_->contexte)
        QMetaObject::invokeMethod(m_->contexte.get(), std::move(action), Qt::QueuedConnection);
}

} // namespace platform

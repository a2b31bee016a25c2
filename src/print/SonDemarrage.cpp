#include "print/SonDemarrage.h"

#include <fluidsynth.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string_view>
#include <system_error>

namespace {

uint16_t Lire16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
uint32_t Lire32(const uint8_t* p)
{
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[2]) << 16) |
           (static_cast<uint32_t>(p[3]) << 24);
}

bool Fixer(std::string* erreur, const char* texte)
{
    if (erreur)
        *erreur = texte;
    return false;
}

constexpr uint16_t kFormatPcm = 1;
constexpr uint16_t kFormatFlottant = 3;
constexpr uint16_t kFormatExtensible = 0xFFFE;

// One sample of `bits` at p, between -1 and 1.
float Echantillon(const uint8_t* p, int bits, bool flottant)
{
    if (flottant) {
        float f;
        const uint32_t v = Lire32(p);
        std::memcpy(&f, &v, sizeof f);
        return std::isfinite(f) ? std::clamp(f, -1.0f, 1.0f) : 0.0f;
    }
    switch (bits) {
    case 8: return (static_cast<float>(p[0]) - 128.0f) / 128.0f;
    case 16: return static_cast<float>(static_cast<int16_t>(Lire16(p))) / 32768.0f;
    case 24: {
        int32_t v = static_cast<int32_t>(p[0] | (p[1] << 8) | (p[2] << 16));
        if (v & 0x800000)
            v -= 0x1000000;
        return static_cast<float>(v) / 8388608.0f;
    }
    default: return static_cast<float>(static_cast<int32_t>(Lire32(p))) / 2147483648.0f;
    }
}

// ---- The built-in tune -------------------------------------------------------------------------

constexpr int kFrequenceAir = 22050;
constexpr uint32_t kOctetsAir = 370372;

// A plucked string (Karplus-Strong): a burst of noise circulating in a delay line the length
// of one period, softened at each turn.
void Pincer(std::vector<float>& mix, std::size_t debut, double frequence, float force, uint32_t& graine)
{
    const auto periode = std::max<std::size_t>(2, static_cast<std::size_t>(std::lround(kFrequenceAir / frequence)));
    std::vector<float> ligne(periode);
    for (float& v : ligne) {
        graine = graine * 1664525u + 1013904223u;
        v = (static_cast<float>(graine >> 8) / 8388608.0f - 1.0f) * force;
    }
    std::size_t i = 0;
    for (std::size_t t = debut; t < mix.size(); ++t) {
        const std::size_t j = (i + 1) % periode;
        const float sortie = ligne[i];
        ligne[i] = 0.4975f * (ligne[i] + ligne[j]);
        mix[t] += sortie;
        i = j;
    }
}

double Hertz(int note) { return 440.0 * std::pow(2.0, (note - 69) / 12.0); }

} // namespace

std::optional<SonWave> DecoderWave(std::span<const uint8_t> o, std::string* erreur)
{
    if (o.size() < 12 || std::memcmp(o.data(), "RIFF", 4) != 0 || std::memcmp(o.data() + 8, "WAVE", 4) != 0) {
        Fixer(erreur, "not a RIFF WAVE file");
        return std::nullopt;
    }
    bool fmtTrouve = false, dataTrouve = false;
    uint16_t format = 0, canaux = 0, bits = 0;
    uint32_t frequence = 0;
    std::size_t debutData = 0, tailleData = 0;
    std::size_t pos = 12;
    while (pos + 8 <= o.size()) {
        const uint8_t* entete = o.data() + pos;
        const uint64_t longueur = Lire32(entete + 4);
        const std::size_t corps = pos + 8;
        const std::size_t disponible = static_cast<std::size_t>(std::min<uint64_t>(longueur, o.size() - corps));
        if (std::memcmp(entete, "fmt ", 4) == 0 && !fmtTrouve) {
            if (disponible < 16) {
                Fixer(erreur, "format chunk too short");
                return std::nullopt;
            }
            const uint8_t* f = o.data() + corps;
            format = Lire16(f);
            canaux = Lire16(f + 2);
            frequence = Lire32(f + 4);
            bits = Lire16(f + 14);
            if (format == kFormatExtensible) {
                if (disponible < 26) {
                    Fixer(erreur, "extensible format chunk too short");
                    return std::nullopt;
                }
                format = Lire16(f + 24); // the first two bytes of the sub-format's identifier
            }
            fmtTrouve = true;
        } else if (std::memcmp(entete, "data", 4) == 0 && !dataTrouve) {
            debutData = corps;
            tailleData = disponible;
            dataTrouve = true;
        }
        const uint64_t suivant = static_cast<uint64_t>(corps) + longueur + (longueur & 1);
        if (suivant > o.size())
            break;
        pos = static_cast<std::size_t>(suivant);
    }
    if (!fmtTrouve || !dataTrouve) {
        Fixer(erreur, "format or data chunk missing");
        return std::nullopt;
    }
    const bool flottant = format == kFormatFlottant;
    if (!(format == kFormatPcm && (bits == 8 || bits == 16 || bits == 24 || bits == 32)) && !(flottant && bits == 32)) {
        Fixer(erreur, "unsupported sample format");
        return std::nullopt;
    }
    if (canaux < 1 || canaux > 2 || frequence < 1000 || frequence > 192000) {
        Fixer(erreur, "unsupported channel count or sample rate");
        return std::nullopt;
    }
    const std::size_t octetsEchantillon = bits / 8;
    const std::size_t octetsTrame = octetsEchantillon * canaux;
    const std::size_t trames = tailleData / octetsTrame;
    SonWave son;
    son.Canaux = canaux;
    son.Frequence = static_cast<int>(frequence);
    son.Echantillons.resize(trames * canaux);
    const uint8_t* p = o.data() + debutData;
    for (std::size_t k = 0; k < son.Echantillons.size(); ++k, p += octetsEchantillon)
        son.Echantillons[k] = Echantillon(p, bits, flottant);
    return son;
}

std::vector<uint8_t> AirDemarrageIntegre()
{
    constexpr std::size_t nbEchantillons = kOctetsAir / 2;
    std::vector<float> mix(nbEchantillons, 0.0f);
    uint32_t graine = 20020101u;

    // Four chords picked as arpeggios (A minor, F, C, G), a note every 0.3 s, then A minor
    // strummed and left to ring.
    static constexpr int arpeges[4][6] = {
        {45, 52, 57, 60, 64, 57},
        {41, 48, 53, 57, 60, 53},
        {48, 55, 60, 64, 67, 60},
        {43, 50, 55, 59, 62, 55},
    };
    const std::size_t pas = static_cast<std::size_t>(0.3 * kFrequenceAir);
    std::size_t t = static_cast<std::size_t>(0.05 * kFrequenceAir);
    for (const auto& accord : arpeges)
        for (int note : accord) {
            Pincer(mix, t, Hertz(note), note < 50 ? 0.55f : 0.45f, graine);
            t += pas;
        }
    for (int note : {45, 52, 57, 60, 64, 69}) {
        Pincer(mix, t, Hertz(note), 0.4f, graine);
        t += static_cast<std::size_t>(0.018 * kFrequenceAir);
    }

    // Fade the last half second so that the tune ends in silence.
    const std::size_t fondu = kFrequenceAir / 2;
    for (std::size_t k = 0; k < fondu; ++k)
        mix[nbEchantillons - 1 - k] *= static_cast<float>(k) / static_cast<float>(fondu);

    float crete = 0.0f;
    for (float v : mix)
        crete = std::max(crete, std::fabs(v));
    const float gain = crete > 0.0f ? 0.7f / crete : 0.0f;

    std::vector<uint8_t> o;
    o.reserve(44 + kOctetsAir);
    auto ajouter32 = [&](uint32_t v) {
        for (int k = 0; k < 4; ++k)
            o.push_back(static_cast<uint8_t>(v >> (8 * k)));
    };
    auto ajouter16 = [&](uint16_t v) {
        o.push_back(static_cast<uint8_t>(v));
        o.push_back(static_cast<uint8_t>(v >> 8));
    };
    auto ajouterTexte = [&](std::string_view s) { o.insert(o.end(), s.begin(), s.end()); };
    ajouterTexte("RIFF");
    ajouter32(36 + kOctetsAir);
    ajouterTexte("WAVEfmt ");
    ajouter32(16);
    ajouter16(kFormatPcm);
    ajouter16(1);
    ajouter32(kFrequenceAir);
    ajouter32(kFrequenceAir * 2);
    ajouter16(2);
    ajouter16(16);
    ajouterTexte("data");
    ajouter32(kOctetsAir);
    for (float v : mix) {
        const long echantillon = std::lround(std::clamp(v * gain, -1.0f, 1.0f) * 32767.0f);
        ajouter16(static_cast<uint16_t>(static_cast<int16_t>(echantillon)));
    }
    return o;
}

// ---- The player ------------------------------------------------------------------------------

namespace {

class LecteurWaveFluidSynth final : public ILecteurWave {
public:
    ~LecteurWaveFluidSynth() override { Fermer(); }

    bool Jouer(std::vector<uint8_t> octets) override
    {
        Fermer();
        std::optional<SonWave> son = DecoderWave(octets);
        if (!son || son->NbTrames() == 0)
            return false;
        // FluidSynth's outputs run from 8 to 96 kHz; the drivers leave any conversion to the
        // sound server.
        if (son->Frequence < 8000 || son->Frequence > 96000)
            return false;
        const char* env = std::getenv("LYRX_AUDIO_DRIVER");
        const std::string nom = env ? env : "";
        if (nom == "none" || nom == "file")
            return false;
        son_ = std::move(*son);
        position_ = 0;
        settings_ = new_fluid_settings();
        if (!settings_)
            return false;
        fluid_settings_setnum(settings_, "synth.sample-rate", son_.Frequence);
        const std::vector<std::string> essais =
            nom.empty() ? std::vector<std::string>{"pulseaudio", "alsa"} : std::vector<std::string>{nom};
        for (const std::string& essai : essais) {
            if (fluid_settings_setstr(settings_, "audio.driver", essai.c_str()) != FLUID_OK)
                continue;
            pilote_ = new_fluid_audio_driver2(settings_, &LecteurWaveFluidSynth::Rappel, this);
            if (pilote_)
                return true;
        }
        Fermer();
        return false;
    }

    bool Termine() const override { return !pilote_ || position_.load() >= son_.NbTrames(); }

    void Fermer() override
    {
        // The driver's thread reads the samples: it is gone before they are.
        if (pilote_) {
            delete_fluid_audio_driver(pilote_);
            pilote_ = nullptr;
        }
        if (settings_) {
            delete_fluid_settings(settings_);
            settings_ = nullptr;
        }
        son_.Echantillons.clear();
        position_ = 0;
    }

private:
    static int Rappel(void* donnees, int len, int nfx, float* fx[], int nout, float* out[])
    {
        (void)nfx;
        (void)fx;
        auto* self = static_cast<LecteurWaveFluidSynth*>(donnees);
        const std::size_t trames = self->son_.NbTrames();
        const int canaux = self->son_.Canaux;
        std::size_t pos = self->position_.load();
        for (int i = 0; i < len && pos < trames; ++i, ++pos) {
            const float gauche = self->son_.Echantillons[pos * canaux];
            const float droite = canaux > 1 ? self->son_.Echantillons[pos * canaux + 1] : gauche;
            // The buffers come zeroed; a stereo output is one pair of them.
            if (nout > 0)
                out[0][i] = gauche;
            if (nout > 1)
                out[1][i] = droite;
        }
        self->position_.store(pos);
        return FLUID_OK;
    }

    SonWave son_;
    std::atomic<std::size_t> position_{0};
    fluid_settings_t* settings_ = nullptr;
    fluid_audio_driver_t* pilote_ = nullptr;
};

} // namespace

std::unique_ptr<ILecteurWave> CreerLecteurWave() { return std::make_unique<LecteurWaveFluidSynth>(); }

std::optional<std::vector<uint8_t>> LireFichierWave(const std::string& chemin, std::size_t tailleMax)
{
    std::error_code ec;
    const std::filesystem::path p(chemin);
    if (!std::filesystem::is_regular_file(p, ec))
        return std::nullopt;
    const std::uintmax_t taille = std::filesystem::file_size(p, ec);
    if (ec || taille > tailleMax)
        return std::nullopt;
    std::ifstream entree(p, std::ios::binary);
    if (!entree)
        return std::nullopt;
    std::vector<uint8_t> octets((std::istreambuf_iterator<char>(entree)), std::istreambuf_iterator<char>());
    if (entree.bad())
        return std::nullopt;
    return octets;
}

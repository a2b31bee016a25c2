#include "print/SonDemarrage.h"

#include "controls/UWave.h"
#include "platform/EnteteWav.h"
#include "platform/FichierEntier.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string_view>

namespace {

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
    const auto entete = platform::EnteteWavPcm16(1, kFrequenceAir, kOctetsAir);
    o.insert(o.end(), entete.begin(), entete.end());
    for (float v : mix) {
        const auto echantillon = static_cast<uint16_t>(
            static_cast<int16_t>(std::lround(std::clamp(v * gain, -1.0f, 1.0f) * 32767.0f)));
        o.push_back(static_cast<uint8_t>(echantillon));
        o.push_back(static_cast<uint8_t>(echantillon >> 8));
    }
    return o;
}

// ---- The player ------------------------------------------------------------------------------

namespace {

class LecteurWaveSysteme final : public ILecteurWave {
public:
    ~LecteurWaveSysteme() override { Fermer(); }

    bool Jouer(std::vector<uint8_t> octets) override
    {
        Fermer();
        const std::optional<TFormatWave> format = AnalyserWave(octets);
        if (!format || format->NbTrames() == 0)
            return false;
        data_.AssignerOctets(std::move(octets));
        data_.Play();
        joue_ = true;
        return true;
    }

    bool Termine() const override { return !joue_ || SortieWave().Termine(); }

    void Fermer() override
    {
        if (joue_)
            SortieWave().Arreter();
        joue_ = false;
        data_.Clear();
    }

private:
    TWaveData data_;
    bool joue_ = false;
};

} // namespace

std::unique_ptr<ILecteurWave> CreerLecteurWave() { return std::make_unique<LecteurWaveSysteme>(); }

std::optional<std::vector<uint8_t>> LireFichierWave(const std::string& chemin, std::size_t tailleMax)
{
    return platform::LireFichierEntier<std::vector<uint8_t>>(chemin, tailleMax);
}

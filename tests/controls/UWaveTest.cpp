// The wave component: the bytes it keeps, the form property it streams, and what reaches the
// sound output when it plays a wave that may be damaged.
#include "controls/UWave.h"

#include "controls/SortieWaveSysteme.h"
#include "support/DossierTemporaire.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>

#include <unistd.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <optional>
#include <random>
#include <sstream>

namespace {

void Ajouter32(std::vector<uint8_t>& v, uint32_t x)
{
    for (int i = 0; i < 4; ++i)
        v.push_back(static_cast<uint8_t>(x >> (8 * i)));
}
void Ajouter16(std::vector<uint8_t>& v, uint16_t x)
{
    v.push_back(static_cast<uint8_t>(x));
    v.push_back(static_cast<uint8_t>(x >> 8));
}
void AjouterBalise(std::vector<uint8_t>& v, const char* b) { v.insert(v.end(), b, b + 4); }

std::vector<uint8_t> Fmt(uint16_t tag, uint16_t canaux, uint32_t freq, uint16_t bits, int alignement = -1,
                         uint32_t taille = 16)
{
    std::vector<uint8_t> v;
    AjouterBalise(v, "fmt ");
    Ajouter32(v, taille);
    const uint16_t bloc = alignement >= 0 ? uint16_t(alignement) : uint16_t(canaux * bits / 8);
    Ajouter16(v, tag);
    Ajouter16(v, canaux);
    Ajouter32(v, freq);
    Ajouter32(v, freq * bloc);
    Ajouter16(v, bloc);
    Ajouter16(v, bits);
    for (uint32_t i = 16; i < taille; ++i)
        v.push_back(0);
    return v;
}

// The extensible format: the 16 common bytes, the extension of 22 bytes, the sub-format's
// identifier starting with the real format tag.
std::vector<uint8_t> FmtExtensible(uint16_t sousFormat, uint16_t canaux, uint32_t freq, uint16_t bits)
{
    std::vector<uint8_t> v = Fmt(0xFFFE, canaux, freq, bits, -1, 40);
    v[8 + 16] = 22;                     // extension size
    v[8 + 18] = static_cast<uint8_t>(bits); // valid bits
    v[8 + 20] = canaux == 2 ? 3 : 4;    // channel mask
    v[8 + 24] = static_cast<uint8_t>(sousFormat);
    v[8 + 25] = static_cast<uint8_t>(sousFormat >> 8);
    return v;
}

std::vector<uint8_t> Morceau(const char* balise, std::vector<uint8_t> contenu, int tailleAnnoncee = -1)
{
    std::vector<uint8_t> v;
    AjouterBalise(v, balise);
    Ajouter32(v, tailleAnnoncee >= 0 ? uint32_t(tailleAnnoncee) : uint32_t(contenu.size()));
    v.insert(v.end(), contenu.begin(), contenu.end());
    if (contenu.size() % 2 && tailleAnnoncee < 0)
        v.push_back(0);
    return v;
}

std::vector<uint8_t> Riff(std::vector<std::vector<uint8_t>> morceaux, int tailleRiff = -1, const char* forme = "WAVE")
{
    std::vector<uint8_t> corps;
    AjouterBalise(corps, forme);
    for (auto& m : morceaux)
        corps.insert(corps.end(), m.begin(), m.end());
    std::vector<uint8_t> v;
    AjouterBalise(v, "RIFF");
    Ajouter32(v, tailleRiff >= 0 ? uint32_t(tailleRiff) : uint32_t(corps.size()));
    v.insert(v.end(), corps.begin(), corps.end());
    return v;
}

const std::vector<uint8_t> kEchantillons16 = {0x00, 0x80, 0xFF, 0x7F, 0x01, 0x00, 0xFE, 0xFF};

std::vector<uint8_t> WaveMono16() { return Riff({Fmt(1, 1, 22050, 16), Morceau("data", kEchantillons16)}); }

class SortieEnregistreuse : public ISortieWave {
public:
    void Jouer(std::shared_ptr<const std::vector<uint8_t>> octets, const TFormatWave& format) override
    {
        joues.push_back(octets);
        formats.push_back(format);
    }
    void Arreter() override { ++arrets; }
    std::vector<std::shared_ptr<const std::vector<uint8_t>>> joues;
    std::vector<TFormatWave> formats;
    int arrets = 0;
};

class Sortie : public ::testing::Test {
protected:
    void SetUp() override { InstallerSortieWave(sortie); }
    void TearDown() override { InstallerSortieWave(nullptr); }
    std::shared_ptr<SortieEnregistreuse> sortie = std::make_shared<SortieEnregistreuse>();
};

} // namespace

TEST(AnalyseWave, ReadsThePcmFormatsItPlays)
{
    struct Cas {
        const char* nom;
        std::vector<uint8_t> octets;
        uint16_t canaux, bits;
        uint32_t trames;
    };
    const std::vector<uint8_t> octets9(9, 0x80);
    const std::vector<Cas> cas = {
        {"mono 16", WaveMono16(), 1, 16, 4},
        {"stereo 16", Riff({Fmt(1, 2, 44100, 16), Morceau("data", kEchantillons16)}), 2, 16, 2},
        {"mono 8, odd data with pad byte", Riff({Fmt(1, 1, 8000, 8), Morceau("data", octets9)}), 1, 8, 9},
        {"stereo 8, incomplete last frame", Riff({Fmt(1, 2, 8000, 8), Morceau("data", octets9)}), 2, 8, 4},
        {"unknown chunks skipped, odd one padded",
         Riff({Morceau("LIST", {1, 2, 3}), Fmt(1, 1, 22050, 16, -1, 18), Morceau("fact", {0, 0, 0, 0}),
               Morceau("data", kEchantillons16)}),
         1, 16, 4},
        {"RIFF size larger than the file", Riff({Fmt(1, 1, 22050, 16), Morceau("data", kEchantillons16)}, 100000), 1,
         16, 4},
        {"data announcing more than the file holds", [] { auto v = WaveMono16(); v.resize(v.size() - 3); return v; }(),
         1, 16, 2},
        {"data size 0xFFFFFFFF", [] {
             auto v = WaveMono16();
             std::memset(v.data() + 40, 0xFF, 4);
             return v;
         }(),
         1, 16, 4},
        {"extensible PCM", Riff({FmtExtensible(1, 2, 44100, 16), Morceau("data", kEchantillons16)}), 2, 16, 2},
        {"24 bits", Riff({Fmt(1, 1, 48000, 24), Morceau("data", std::vector<uint8_t>(9, 0))}), 1, 24, 3},
        {"32-bit float", Riff({Fmt(3, 1, 48000, 32), Morceau("data", kEchantillons16)}), 1, 32, 2},
    };
    for (const auto& c : cas) {
        ErreurWave erreur = ErreurWave::PasRiff;
        const auto format = AnalyserWave(c.octets, &erreur);
        ASSERT_TRUE(format) << c.nom << ": " << TexteErreurWave(erreur);
        EXPECT_EQ(erreur, ErreurWave::Aucune) << c.nom;
        EXPECT_EQ(format->Canaux, c.canaux) << c.nom;
        EXPECT_EQ(format->BitsParEchantillon, c.bits) << c.nom;
        EXPECT_EQ(format->NbTrames(), c.trames) << c.nom;
        EXPECT_LE(uint64_t(format->DebutDonnees) + format->TailleDonnees, c.octets.size()) << c.nom;
    }
}

TEST(AnalyseWave, RefusesDamagedImagesWithoutReadingPastThem)
{
    struct Cas {
        const char* nom;
        std::vector<uint8_t> octets;
        ErreurWave attendue;
    };
    const auto enTeteCoupe = Riff({Fmt(1, 1, 22050, 16), {'d', 'a', 't'}});
    const std::vector<Cas> cas = {
        {"empty", {}, ErreurWave::EnTeteTronque},
        {"eleven bytes", [] { auto v = WaveMono16(); v.resize(11); return v; }(), ErreurWave::EnTeteTronque},
        {"not RIFF", [] { auto v = WaveMono16(); v[0] = 'X'; return v; }(), ErreurWave::PasRiff},
        {"not WAVE", Riff({Fmt(1, 1, 22050, 16)}, -1, "AVI "), ErreurWave::PasWave},
        {"RIFF size 0", Riff({Fmt(1, 1, 22050, 16)}, 0), ErreurWave::TailleRiffInvalide},
        {"chunk size 0xFFFFFFF8 wraps a 32-bit sum",
         Riff({Morceau("junk", {}, int(0xFFFFFFF8u & 0x7FFFFFFF) | 0), Fmt(1, 1, 22050, 16)}),
         ErreurWave::MorceauTronque},
        {"chunk header cut", enTeteCoupe, ErreurWave::MorceauTronque},
        {"fmt of 14 bytes", Riff({Morceau("fmt ", std::vector<uint8_t>(14, 1)), Morceau("data", kEchantillons16)}),
         ErreurWave::FormatTropCourt},
        {"fmt announced longer than the file", Riff({Fmt(1, 1, 22050, 16, -1, 16), Morceau("fmt ", {}, 4000)}),
         ErreurWave::MorceauTronque},
        {"two fmt", Riff({Fmt(1, 1, 22050, 16), Fmt(1, 2, 22050, 16), Morceau("data", kEchantillons16)}),
         ErreurWave::FormatEnDouble},
        {"data before fmt", Riff({Morceau("data", kEchantillons16), Fmt(1, 1, 22050, 16)}), ErreurWave::FormatManquant},
        {"no fmt at all", Riff({Morceau("LIST", {1, 2})}), ErreurWave::FormatManquant},
        {"no data", Riff({Fmt(1, 1, 22050, 16)}), ErreurWave::DonneesManquantes},
        {"ADPCM", Riff({Fmt(2, 1, 22050, 4, 1), Morceau("data", kEchantillons16)}), ErreurWave::FormatNonPcm},
        {"extensible", Riff({Fmt(0xFFFE, 1, 22050, 16), Morceau("data", kEchantillons16)}), ErreurWave::FormatNonPcm},
        {"no channel", Riff({Fmt(1, 0, 22050, 16, 2), Morceau("data", kEchantillons16)}), ErreurWave::CanauxNonGeres},
        {"six channels", Riff({Fmt(1, 6, 22050, 16), Morceau("data", kEchantillons16)}), ErreurWave::CanauxNonGeres},
        {"12 bits", Riff({Fmt(1, 1, 22050, 12), Morceau("data", kEchantillons16)}), ErreurWave::BitsNonGeres},
        {"64-bit float", Riff({Fmt(3, 1, 22050, 64), Morceau("data", kEchantillons16)}), ErreurWave::BitsNonGeres},
        {"extensible naming ADPCM", Riff({FmtExtensible(2, 1, 22050, 16), Morceau("data", kEchantillons16)}),
         ErreurWave::FormatNonPcm},
        {"rate 0", Riff({Fmt(1, 1, 0, 16), Morceau("data", kEchantillons16)}), ErreurWave::FrequenceNulle},
        {"block alignment 0", Riff({Fmt(1, 2, 22050, 16, 0), Morceau("data", kEchantillons16)}),
         ErreurWave::AlignementIncoherent},
    };
    for (const auto& c : cas) {
        std::vector<uint8_t> octets = c.octets;
        if (std::string(c.nom) == "data size 0xFFFFFFFF") {
            // The size field of the data chunk sits right after its tag.
            const auto p = std::search(octets.begin(), octets.end(), "data", "data" + 4) - octets.begin();
            std::memset(octets.data() + p + 4, 0xFF, 4);
        }
        if (std::string(c.nom).rfind("chunk size 0xFFFFFFF8", 0) == 0)
            std::memcpy(octets.data() + 16, "\xF8\xFF\xFF\xFF", 4);
        ErreurWave erreur = ErreurWave::Aucune;
        EXPECT_FALSE(AnalyserWave(octets, &erreur)) << c.nom;
        EXPECT_EQ(erreur, c.attendue) << c.nom << ": " << TexteErreurWave(erreur);
    }
}

TEST(AnalyseWave, SamplesAreSigned16BitsInterleaved)
{
    const auto image16 = WaveMono16();
    const auto f16 = AnalyserWave(image16);
    ASSERT_TRUE(f16);
    EXPECT_EQ(EchantillonsWave(image16, *f16), (std::vector<int16_t>{-32768, 32767, 1, -2}));

    const auto image8 = Riff({Fmt(1, 2, 8000, 8), Morceau("data", {0x00, 0x80, 0xFF, 0x81, 0x7F})});
    const auto f8 = AnalyserWave(image8);
    ASSERT_TRUE(f8);
    EXPECT_EQ(EchantillonsWave(image8, *f8), (std::vector<int16_t>{-32768, 0, 32512, 256}));

    // Deeper samples keep their upper 16 bits; floating ones are clamped and scaled.
    const auto image24 = Riff({Fmt(1, 1, 48000, 24), Morceau("data", {0x11, 0x00, 0x40, 0xFF, 0x00, 0xC0})});
    const auto f24 = AnalyserWave(image24);
    ASSERT_TRUE(f24);
    EXPECT_EQ(EchantillonsWave(image24, *f24), (std::vector<int16_t>{0x4000, -0x4000}));
    std::vector<uint8_t> flottants(16);
    const float valeurs[4] = {0.5f, -1.0f, 7.0f, std::numeric_limits<float>::quiet_NaN()};
    std::memcpy(flottants.data(), valeurs, 16);
    const auto imageF = Riff({FmtExtensible(3, 2, 48000, 32), Morceau("data", flottants)});
    const auto fF = AnalyserWave(imageF);
    ASSERT_TRUE(fF);
    EXPECT_EQ(EchantillonsWave(imageF, *fF), (std::vector<int16_t>{16384, -32767, 32767, 0}));
}

TEST(WaveData, StreamsItsCountThenItsBytes)
{
    TWaveData data;
    data.AssignerOctets(WaveMono16());
    std::stringstream flux;
    data.WriteData(flux);
    const std::string s = flux.str();
    ASSERT_EQ(s.size(), 4 + WaveMono16().size());
    EXPECT_EQ(uint8_t(s[0]), WaveMono16().size());
    EXPECT_EQ(s[1], 0);

    TWaveData relu;
    ASSERT_TRUE(relu.ReadData(flux));
    EXPECT_TRUE(std::ranges::equal(relu.Buffer(), data.Buffer()));

    std::stringstream zero(std::string("\0\0\0\0", 4));
    relu.AssignerOctets({1, 2, 3});
    EXPECT_TRUE(relu.ReadData(zero));
    EXPECT_TRUE(relu.Vide());
}

TEST(WaveData, DamagedStreamLeavesItEmpty)
{
    const std::vector<std::string> flux = {
        std::string("\x02\x00", 2),                        // count cut short
        std::string("\x10\x00\x00\x00" "abc", 7),          // fewer bytes than announced
        std::string("\xFF\xFF\xFF\xFF" "abc", 7),          // 4 GB announced, nothing allocated up front
    };
    for (const auto& octets : flux) {
        TWaveData data;
        data.AssignerOctets({9, 9});
        std::stringstream s(octets);
        EXPECT_FALSE(data.ReadData(s));
        EXPECT_TRUE(data.Vide());
    }
}

TEST(WaveData, AssignGivesAnIndependentCopy)
{
    TWave a, b;
    a.WaveData().AssignerOctets(WaveMono16());
    b.SetWaveData(a.WaveData());
    ASSERT_EQ(b.WaveData().Size(), a.WaveData().Size());
    EXPECT_NE(b.WaveData().Buffer().data(), a.WaveData().Buffer().data());
    EXPECT_TRUE(std::ranges::equal(b.WaveData().Buffer(), a.WaveData().Buffer()));
    a.WaveData().Clear();
    EXPECT_EQ(b.WaveData().Size(), WaveMono16().size());
    b.WaveData().Assign(nullptr);
    EXPECT_TRUE(b.WaveData().Vide());
}

TEST(WaveData, LoadsWholeFilesOnly)
{
    const auto dossier = lyrx_test::DossierDuTest();
    const auto plein = dossier / "son.wav";
    const auto image = WaveMono16();
    std::ofstream(plein, std::ios::binary).write(reinterpret_cast<const char*>(image.data()), std::streamsize(image.size()));
    std::ofstream(dossier / "vide.wav").close();

    TWaveData data;
    EXPECT_TRUE(data.LoadFromFile(plein.string()));
    EXPECT_TRUE(std::ranges::equal(data.Buffer(), image));
    for (const auto& chemin : {dossier / "vide.wav", dossier / "absent.wav", dossier}) {
        data.AssignerOctets({1});
        EXPECT_FALSE(data.LoadFromFile(chemin.string())) << chemin;
        EXPECT_TRUE(data.Vide()) << chemin;
    }
}

TEST(WaveForm, EmptyComponentWritesNoDataProperty)
{
    TWave wave;
    std::stringstream flux;
    wave.EcrireProprietes(flux);
    EXPECT_EQ(flux.str(), std::string(1, '\0'));

    TWave relu;
    relu.WaveData().AssignerOctets({1});
    ASSERT_TRUE(relu.LireProprietes(flux));
    EXPECT_TRUE(relu.WaveData().Vide());
}

TEST(WaveForm, DataPropertyRoundTrip)
{
    TWave wave;
    wave.WaveData().AssignerOctets(WaveMono16());
    std::stringstream flux;
    wave.EcrireProprietes(flux);
    const std::string s = flux.str();
    EXPECT_EQ(s.substr(0, 14), std::string("\x0DWaveData.Data"));
    EXPECT_EQ(s[14], '\x0A');

    TWave relu;
    ASSERT_TRUE(relu.LireProprietes(flux));
    EXPECT_TRUE(std::ranges::equal(relu.WaveData().Buffer(), wave.WaveData().Buffer()));

    // A property of length 0 loads as empty.
    std::stringstream zero(std::string("\x0DWaveData.Data\x0A\0\0\0\0\0", 20));
    EXPECT_TRUE(relu.LireProprietes(zero));
    EXPECT_TRUE(relu.WaveData().Vide());

    // Another property name, or a stream cut inside the data, is refused.
    std::stringstream autre(std::string("\x04Name\x0A\0\0\0\0\0", 11));
    EXPECT_FALSE(relu.LireProprietes(autre));
    std::stringstream coupe(s.substr(0, s.size() - 5));
    EXPECT_FALSE(relu.LireProprietes(coupe));
    EXPECT_TRUE(relu.WaveData().Vide());
}

TEST_F(Sortie, PlayFiresOnPlayThenPlaysTheOwnBuffer)
{
    TWave wave;
    std::vector<std::string> ordre;
    wave.OnPlay = [&](TWave& sender) {
        EXPECT_EQ(&sender, &wave);
        ordre.push_back("OnPlay:" + std::to_string(sortie->joues.size()));
    };
    wave.Play();
    EXPECT_EQ(ordre, std::vector<std::string>{"OnPlay:0"});
    EXPECT_TRUE(sortie->joues.empty()); // an empty component only fires the event

    wave.WaveData().AssignerOctets(WaveMono16());
    wave.Play();
    ASSERT_EQ(sortie->joues.size(), 1u);
    EXPECT_EQ(sortie->joues[0]->data(), wave.WaveData().Buffer().data());
    EXPECT_EQ(sortie->formats[0].Frequence, 22050u);

    // The output keeps the bytes alive after the data is cleared while it still plays.
    wave.WaveData().Clear();
    EXPECT_EQ(sortie->joues[0]->size(), WaveMono16().size());
}

TEST_F(Sortie, UnplayableBytesPlayNothing)
{
    TWave wave;
    wave.WaveData().AssignerOctets(Riff({Fmt(2, 1, 22050, 4, 1), Morceau("data", kEchantillons16)}));
    int evenements = 0;
    wave.OnPlay = [&](TWave&) { ++evenements; };
    wave.Play();
    EXPECT_EQ(evenements, 1);
    EXPECT_TRUE(sortie->joues.empty());

    // A wave cut short plays the whole frames it still holds.
    auto image = WaveMono16();
    image.resize(image.size() - 1);
    wave.WaveData().AssignerOctets(image);
    wave.Play();
    ASSERT_EQ(sortie->formats.size(), 1u);
    EXPECT_EQ(sortie->formats[0].NbTrames(), 3u);
}

namespace {

// The environment and the Windows directory of one test, put back afterwards.
class SortieSysteme : public ::testing::Test {
protected:
    void SetUp() override
    {
        dossier_ = lyrx_test::DossierDuTest();
        windows_.emplace("LYRX_WINDOWS_DIR", dossier_.string() + "/");
    }
    void TearDown() override
    {
        InstallerSortieWave(nullptr);
        pilote_.reset();
        windows_.reset();
    }
    // nullopt: no driver named.
    void Pilote(const std::optional<std::string>& nom) { pilote_.emplace("LYRX_AUDIO_DRIVER", nom); }
    std::vector<uint8_t> Ecrit() const
    {
        std::ifstream f(TSortieWaveSysteme::FichierSortie(), std::ios::binary);
        return std::vector<uint8_t>((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
    }
    std::filesystem::path dossier_;
    std::optional<lyrx_test::VariableEnvironnement> windows_, pilote_;
};

} // namespace

TEST_F(SortieSysteme, TheFileDriverWritesWhatWouldPlayOnceTheOutputIsOpen)
{
    Pilote("file");
    auto sortie = std::make_shared<TSortieWaveSysteme>(false);
    InstallerSortieWave(sortie);
    EXPECT_EQ(TSortieWaveSysteme::FichierSortie(), dossier_.string() + "/lyrxwave.wav");

    // An 8-bit stereo wave with a clipped data chunk: written as the 16-bit samples it plays.
    auto image = Riff({Fmt(1, 2, 11025, 8), Morceau("data", {0x00, 0x80, 0xFF, 0x81}, 100)});
    TWaveData data;
    data.AssignerOctets(image);
    data.Play();
    // Closed: the sound waits, and clearing the wave's own data does not reach it.
    EXPECT_FALSE(std::filesystem::exists(TSortieWaveSysteme::FichierSortie()));
    EXPECT_FALSE(sortie->Termine());
    data.Clear();
    sortie->Ouvrir();
    EXPECT_TRUE(sortie->Termine());
    const auto ecrit = Ecrit();
    const auto format = AnalyserWave(ecrit);
    ASSERT_TRUE(format);
    EXPECT_EQ(format->Canaux, 2);
    EXPECT_EQ(format->Frequence, 11025u);
    EXPECT_EQ(format->BitsParEchantillon, 16);
    EXPECT_EQ(EchantillonsWave(ecrit, *format), (std::vector<int16_t>{-32768, 0, 32512, 256}));

    // A later sound replaces the file; a stopped one never gets written.
    std::filesystem::remove(TSortieWaveSysteme::FichierSortie());
    auto ferme = std::make_shared<TSortieWaveSysteme>(false);
    InstallerSortieWave(ferme);
    data.AssignerOctets(WaveMono16());
    data.Play();
    ferme->Arreter();
    ferme->Ouvrir();
    EXPECT_FALSE(std::filesystem::exists(TSortieWaveSysteme::FichierSortie()));

    // A wave that holds no sample waits like any other, and is dropped at the opening.
    auto vide = std::make_shared<TSortieWaveSysteme>(false);
    InstallerSortieWave(vide);
    data.AssignerOctets(Riff({Fmt(1, 1, 8000, 16), Morceau("data", {})}));
    data.Play();
    vide->Ouvrir();
    EXPECT_TRUE(vide->Termine());
    EXPECT_FALSE(std::filesystem::exists(TSortieWaveSysteme::FichierSortie()));
}

TEST_F(SortieSysteme, NoneAndUnplayableWavesStaySilent)
{
    Pilote("none");
    InstallerSortieWave(std::make_shared<TSortieWaveSysteme>());
    TWave wave;
    wave.WaveData().AssignerOctets(WaveMono16());
    wave.Play();
    EXPECT_TRUE(SortieWave().Termine());
    EXPECT_FALSE(std::filesystem::exists(TSortieWaveSysteme::FichierSortie()));

    Pilote("file");
    InstallerSortieWave(std::make_shared<TSortieWaveSysteme>());
    wave.WaveData().AssignerOctets(Riff({Fmt(2, 1, 22050, 4, 1), Morceau("data", kEchantillons16)}));
    wave.Play();
    EXPECT_FALSE(std::filesystem::exists(TSortieWaveSysteme::FichierSortie()));
}

TEST_F(SortieSysteme, ARealPlayReturnsAtOnceAndEndsEvenWithoutASoundServer)
{
    Pilote(std::nullopt);
    ASSERT_FALSE(TSortieWaveSysteme::CheminModule().empty());
    auto sortie = std::make_shared<TSortieWaveSysteme>();
    InstallerSortieWave(sortie);
    // A twentieth of a second of silence.
    TWave wave;
    wave.WaveData().AssignerOctets(Riff({Fmt(1, 1, 8000, 16), Morceau("data", std::vector<uint8_t>(800, 0))}));
    const auto debut = std::chrono::steady_clock::now();
    wave.Play();
    EXPECT_LT(std::chrono::steady_clock::now() - debut, std::chrono::milliseconds(200));
    // Played out on a machine with sound, refused on one without: over within seconds either way.
    QElapsedTimer attente;
    attente.start();
    while (!sortie->Termine() && attente.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    EXPECT_TRUE(sortie->Termine());
}

TEST(AnalyseWave, RandomDamageGivesAnAnswerNeverAReadPastTheImage)
{
    std::mt19937 alea(7);
    const auto bon = Riff({Morceau("LIST", {1, 2, 3}), FmtExtensible(1, 2, 22050, 16),
                           Morceau("data", std::vector<uint8_t>(400, 7))});
    for (int k = 0; k < 3000; ++k) {
        std::vector<uint8_t> o = bon;
        for (int n = 0; n < 6; ++n)
            o[alea() % o.size()] = static_cast<uint8_t>(alea());
        o.resize(alea() % (o.size() + 1));
        if (const auto format = AnalyserWave(o)) {
            EXPECT_LE(uint64_t(format->DebutDonnees) + format->TailleDonnees, o.size());
            EXPECT_LE(EchantillonsWave(o, *format).size() * format->BitsParEchantillon / 8, format->TailleDonnees);
        }
    }
}

#include "controls/UWave.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <istream>
#include <mutex>
#include <ostream>

namespace {

uint16_t Lire16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
uint32_t Lire32(const uint8_t* p)
{
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[2]) << 16)
        | (static_cast<uint32_t>(p[3]) << 24);
}
bool Balise(const uint8_t* p, const char* balise) { return std::memcmp(p, balise, 4) == 0; }

std::optional<TFormatWave> Refuser(ErreurWave* erreur, ErreurWave e)
{
    if (erreur)
        *erreur = e;
    return std::nullopt;
}

class SortieMuette : public ISortieWave {
public:
    void Jouer(std::shared_ptr<const std::vector<uint8_t>>, const TFormatWave&) override {}
    void Arreter() override {}
};

std::mutex& VerrouSortie()
{
    static std::mutex verrou;
    return verrou;
}
std::shared_ptr<ISortieWave>& SortieInstallee()
{
    static std::shared_ptr<ISortieWave> sortie = std::make_shared<SortieMuette>();
    return sortie;
}

std::shared_ptr<ISortieWave> CopieSortie()
{
    std::lock_guard verrou(VerrouSortie());
    return SortieInstallee();
}

constexpr uint16_t kFormatPcm = 1;
constexpr uint16_t kFormatFlottant = 3;
constexpr uint16_t kFormatExtensible = 0xFFFE;

// The class library's value tag of a binary property in a form stream.
constexpr uint8_t kValeurBinaire = 10;
constexpr const char* kNomPropriete = "WaveData.Data";

} // namespace

const char* TexteErreurWave(ErreurWave erreur)
{
    switch (erreur) {
    case ErreurWave::Aucune: return "no error";
    case ErreurWave::EnTeteTronque: return "RIFF header cut short";
    case ErreurWave::PasRiff: return "not a RIFF file";
    case ErreurWave::PasWave: return "not a WAVE file";
    case ErreurWave::TailleRiffInvalide: return "invalid RIFF size";
    case ErreurWave::MorceauTronque: return "chunk cut short";
    case ErreurWave::FormatManquant: return "no format chunk before the data";
    case ErreurWave::FormatTropCourt: return "format chunk too short";
    case ErreurWave::FormatEnDouble: return "two format chunks";
    case ErreurWave::FormatNonPcm: return "neither PCM nor floating point";
    case ErreurWave::CanauxNonGeres: return "not mono or stereo";
    case ErreurWave::BitsNonGeres: return "not 8, 16, 24 or 32 bits per sample";
    case ErreurWave::FrequenceNulle: return "sample rate of 0";
    case ErreurWave::AlignementIncoherent: return "block alignment does not match the format";
    case ErreurWave::DonneesManquantes: return "no data chunk";
    }
    return "";
}

std::optional<TFormatWave> AnalyserWave(std::span<const uint8_t> octets, ErreurWave* erreur)
{
    if (erreur)
        *erreur = ErreurWave::Aucune;
    if (octets.size() < 12)
        return Refuser(erreur, ErreurWave::EnTeteTronque);
    const uint8_t* d = octets.data();
    if (!Balise(d, "RIFF"))
        return Refuser(erreur, ErreurWave::PasRiff);
    if (!Balise(d + 8, "WAVE"))
        return Refuser(erreur, ErreurWave::PasWave);
    const uint64_t tailleRiff = Lire32(d + 4);
    if (tailleRiff < 4)
        return Refuser(erreur, ErreurWave::TailleRiffInvalide);
    // Writers often get the RIFF size wrong by a few bytes; the chunks themselves are checked.
    const uint64_t fin = std::min<uint64_t>(octets.size(), tailleRiff + 8);

    TFormatWave format;
    bool avecFormat = false;
    uint64_t pos = 12;
    while (pos < fin) {
        if (fin - pos < 8)
            return Refuser(erreur, ErreurWave::MorceauTronque);
        const uint8_t* entete = d + pos;
        const uint64_t taille = Lire32(entete + 4);
        const uint64_t debut = pos + 8;
        const bool donnees = Balise(entete, "data");
        // A recording cut short still plays what it holds: only the data chunk is clipped.
        if (taille > fin - debut && !donnees)
            return Refuser(erreur, ErreurWave::MorceauTronque);
        if (Balise(entete, "fmt ")) {
            if (avecFormat)
                return Refuser(erreur, ErreurWave::FormatEnDouble);
            if (taille < 16)
                return Refuser(erreur, ErreurWave::FormatTropCourt);
            const uint8_t* f = d + debut;
            format.FormatTag = Lire16(f);
            format.Canaux = Lire16(f + 2);
            format.Frequence = Lire32(f + 4);
            format.OctetsParSeconde = Lire32(f + 8);
            format.AlignementBloc = Lire16(f + 12);
            format.BitsParEchantillon = Lire16(f + 14);
            // The extensible format names its real one in the first two bytes of its
            // sub-format identifier, after the extension's size, valid bits and channel mask.
            if (format.FormatTag == kFormatExtensible && taille >= 40 && Lire16(f + 16) >= 22)
                format.FormatTag = Lire16(f + 24);
            const bool flottant = format.FormatTag == kFormatFlottant;
            if (format.FormatTag != kFormatPcm && !flottant)
                return Refuser(erreur, ErreurWave::FormatNonPcm);
            if (format.Canaux != 1 && format.Canaux != 2)
                return Refuser(erreur, ErreurWave::CanauxNonGeres);
            const uint16_t bits = format.BitsParEchantillon;
            if (flottant ? bits != 32 : (bits != 8 && bits != 16 && bits != 24 && bits != 32))
                return Refuser(erreur, ErreurWave::BitsNonGeres);
            if (format.Frequence == 0)
                return Refuser(erreur, ErreurWave::FrequenceNulle);
            if (format.AlignementBloc != format.Canaux * (bits / 8))
                return Refuser(erreur, ErreurWave::AlignementIncoherent);
            avecFormat = true;
        } else if (donnees) {
            if (!avecFormat)
                return Refuser(erreur, ErreurWave::FormatManquant);
            format.DebutDonnees = static_cast<uint32_t>(debut);
            format.TailleDonnees = static_cast<uint32_t>(std::min<uint64_t>(taille, fin - debut));
            return format;
        }
        // An odd-sized chunk is followed by a pad byte, which a last chunk may lack.
        pos = debut + taille + (taille & 1);
    }
    return Refuser(erreur, avecFormat ? ErreurWave::DonneesManquantes : ErreurWave::FormatManquant);
}

std::vector<int16_t> EchantillonsWave(std::span<const uint8_t> octets, const TFormatWave& format)
{
    std::vector<int16_t> echantillons;
    if (format.AlignementBloc == 0 || uint64_t(format.DebutDonnees) + format.TailleDonnees > octets.size())
        return echantillons;
    const uint8_t* p = octets.data() + format.DebutDonnees;
    const std::size_t n = std::size_t(format.NbTrames()) * format.Canaux;
    echantillons.reserve(n);
    const std::size_t taille = format.BitsParEchantillon / 8;
    for (std::size_t i = 0; i < n; ++i, p += taille) {
        switch (format.BitsParEchantillon) {
        case 8: echantillons.push_back(static_cast<int16_t>((int(p[0]) - 128) * 256)); break;
        case 16: echantillons.push_back(static_cast<int16_t>(Lire16(p))); break;
        case 24: echantillons.push_back(static_cast<int16_t>(Lire16(p + 1))); break;
        default:
            if (format.FormatTag == kFormatFlottant) {
                float f;
                const uint32_t v = Lire32(p);
                std::memcpy(&f, &v, sizeof f);
                f = std::isfinite(f) ? std::clamp(f, -1.0f, 1.0f) : 0.0f;
                echantillons.push_back(static_cast<int16_t>(std::lround(f * 32767.0f)));
            } else {
                echantillons.push_back(static_cast<int16_t>(Lire16(p + 2)));
            }
        }
    }
    return echantillons;
}

void InstallerSortieWave(std::shared_ptr<ISortieWave> sortie)
{
    std::lock_guard verrou(VerrouSortie());
    SortieInstallee() = sortie ? std::move(sortie) : std::make_shared<SortieMuette>();
}

ISortieWave& SortieWave()
{
    std::lock_guard verrou(VerrouSortie());
    return *SortieInstallee();
}

// ---- TWaveData ----

TWaveData& TWaveData::operator=(const TWaveData& autre)
{
    if (this != &autre)
        Assign(&autre);
    return *this;
}

std::span<const uint8_t> TWaveData::Buffer() const
{
    if (!buffer_)
        return {};
    return std::span<const uint8_t>(buffer_->data(), buffer_->size());
}

void TWaveData::Clear() { buffer_.reset(); }

void TWaveData::Assign(const TWaveData* source)
{
    if (source == this)
        return;
    Clear();
    if (source && source->Size() > 0)
        buffer_ = std::make_shared<const std::vector<uint8_t>>(*source->buffer_);
}

void TWaveData::AssignerOctets(std::vector<uint8_t> octets)
{
    Clear();
    if (!octets.empty())
        buffer_ = std::make_shared<const std::vector<uint8_t>>(std::move(octets));
}

bool TWaveData::ReadData(std::istream& flux)
{
    Clear();
    std::array<uint8_t, 4> compte{};
    if (!flux.read(reinterpret_cast<char*>(compte.data()), 4))
        return false;
    const uint32_t taille = Lire32(compte.data());
    // The count comes from the stream: the buffer grows with what really arrives instead of
    // trusting it with an allocation up front.
    std::vector<uint8_t> octets;
    constexpr std::size_t kTranche = 1u << 16;
    while (octets.size() < taille) {
        const std::size_t n = std::min<std::size_t>(kTranche, taille - octets.size());
        const std::size_t avant = octets.size();
        octets.resize(avant + n);
        if (!flux.read(reinterpret_cast<char*>(octets.data() + avant), static_cast<std::streamsize>(n)))
            return false;
    }
    AssignerOctets(std::move(octets));
    return true;
}

void TWaveData::WriteData(std::ostream& flux) const
{
    const uint32_t taille = Size();
    const std::array<char, 4> compte{static_cast<char>(taille & 0xFF), static_cast<char>((taille >> 8) & 0xFF),
                                     static_cast<char>((taille >> 16) & 0xFF), static_cast<char>((taille >> 24) & 0xFF)};
    flux.write(compte.data(), 4);
    if (taille > 0)
        flux.write(reinterpret_cast<const char*>(buffer_->data()), taille);
}

bool TWaveData::LoadFromFile(const std::string& nomFichier)
{
    Clear();
    std::error_code ec;
    const std::filesystem::path chemin(nomFichier);
    if (!std::filesystem::is_regular_file(chemin, ec))
        return false;
    const auto taille = std::filesystem::file_size(chemin, ec);
    // The stored count is 32 bits: a larger file cannot be held.
    if (ec || taille == 0 || taille > 0xFFFFFFFFull)
        return false;
    std::ifstream fichier(chemin, std::ios::binary);
    if (!fichier)
        return false;
    std::vector<uint8_t> octets(static_cast<std::size_t>(taille));
    if (!fichier.read(reinterpret_cast<char*>(octets.data()), static_cast<std::streamsize>(taille)))
        return false;
    AssignerOctets(std::move(octets));
    return true;
}

void TWaveData::Play() const
{
    if (Vide())
        return;
    const auto format = AnalyserWave(Buffer());
    if (!format)
        return;
    CopieSortie()->Jouer(buffer_, *format);
}

// ---- TWave ----

void TWave::Play()
{
    if (OnPlay)
        OnPlay(*this);
    waveData_.Play();
}

void TWave::EcrireProprietes(std::ostream& flux) const
{
    if (waveData_.DataAEcrire()) {
        const std::string nom = kNomPropriete;
        flux.put(static_cast<char>(nom.size()));
        flux.write(nom.data(), static_cast<std::streamsize>(nom.size()));
        flux.put(static_cast<char>(kValeurBinaire));
        waveData_.WriteData(flux);
    }
    flux.put('\0'); // end of the property list
}

bool TWave::LireProprietes(std::istream& flux)
{
    waveData_.Clear();
    for (;;) {
        const int longueur = flux.get();
        if (longueur == std::char_traits<char>::eof())
            return false;
        if (longueur == 0)
            return true;
        std::string nom(static_cast<std::size_t>(longueur), '\0');
        if (!flux.read(nom.data(), longueur))
            return false;
        const int genre = flux.get();
        if (nom != kNomPropriete || genre != kValeurBinaire)
            return false;
        if (!waveData_.ReadData(flux))
            return false;
    }
}

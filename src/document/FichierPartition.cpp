#include "document/FichierPartition.h"

#include "document/Accord.h"
#include "document/EnregistrementsPartages.h"
#include "document/Fenetre.h"
#include "document/Fichiers.h"
#include "document/Langue.h"
#include "document/Mess.h"
#include "document/Routines.h"
#include "document/TableMix.h"
#include "document/Variable.h"
#include "platform/Sablier.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <new>
#include <string_view>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

constexpr std::string_view MarqueEcrite = "FICHIER LYRANDAXIS v2.21";
// An older version 1 file starts with this; it gets its own message.
constexpr std::string_view DebutMarqueVersion1 = "FICHIER LYRANDAXISE";

struct MarqueVersion {
    std::string_view Marque;
    int Version;
};
constexpr std::array<MarqueVersion, 7> MarquesConnues{{
    {"FICHIER LYRANDAXISE v1", VersionFichier100},
    {"FICHIER LYRANDAXISE v1.01", VersionFichier101},
    {"FICHIER LYRANDAXISE v1.02", VersionFichier102},
    {"FICHIER LYRANDAXISE v1.03", VersionFichier103},
    {"FICHIER LYRANDAXISE v1.04", VersionFichier104},
    {"FICHIER LYRANDAXIS v2.20", VersionFichier220},
    {"FICHIER LYRANDAXIS v2.21", VersionFichier221},
}};

constexpr int kTailleMarque = 30;
constexpr int kNbTempsFichierMax = kNbTempsMax - 1; // the free slot must stay inside the block
constexpr int kTicksMax = 4 * kTicksNoire * 3 / 2;   // a dotted whole note

// Thrown inside the reader: the file ends early (or a read fails), or breaks a limit.
struct FichierIncorrect {};

// ---- Bytes in ------------------------------------------------------------------------------

// A cursor over the bytes of the file, checked at every read. Reading from a file goes
// through a fixed buffer, so a huge file costs no more memory than a small one and trailing
// bytes are never even read.
class LecteurOctets {
public:
    LecteurOctets(const uint8_t* octets, std::size_t taille) : pos_(octets), fin_(octets + taille) {}
    explicit LecteurOctets(std::FILE* fichier) : fichier_(fichier), tampon_(new uint8_t[kTailleTampon]) {}

    void Lire(uint8_t* cible, std::size_t n)
    {
        while (n > 0) {
            if (pos_ == fin_ && !Remplir())
                throw FichierIncorrect{};
            const std::size_t k = std::min<std::size_t>(n, static_cast<std::size_t>(fin_ - pos_));
            std::memcpy(cible, pos_, k);
            pos_ += k;
            cible += k;
            n -= k;
        }
    }

    void Sauter(std::size_t n)
    {
        while (n > 0) {
            if (pos_ == fin_ && !Remplir())
                throw FichierIncorrect{};
            const std::size_t k = std::min<std::size_t>(n, static_cast<std::size_t>(fin_ - pos_));
            pos_ += k;
            n -= k;
        }
    }

    uint8_t U8()
    {
        if (pos_ == fin_ && !Remplir())
            throw FichierIncorrect{};
        return *pos_++;
    }

    int8_t I8() { return static_cast<int8_t>(U8()); }

    int32_t I32()
    {
        uint8_t b[4];
        Lire(b, 4);
        return static_cast<int32_t>(uint32_t{b[0]} | uint32_t{b[1]} << 8 | uint32_t{b[2]} << 16 | uint32_t{b[3]} << 24);
    }

    double D()
    {
        uint8_t b[8];
        Lire(b, 8);
        uint64_t v = 0;
        for (int i = 7; i >= 0; --i)
            v = v << 8 | b[i];
        return std::bit_cast<double>(v);
    }

private:
    static constexpr std::size_t kTailleTampon = 1 << 16;

    bool Remplir()
    {
        if (!fichier_)
            return false;
        const std::size_t lus = std::fread(tampon_.get(), 1, kTailleTampon, fichier_);
        if (lus == 0)
            return false;
        pos_ = tampon_.get();
        fin_ = pos_ + lus;
        return true;
    }

    const uint8_t* pos_ = nullptr;
    const uint8_t* fin_ = nullptr;
    std::FILE* fichier_ = nullptr;
    std::unique_ptr<uint8_t[]> tampon_;
};

// ---- Bytes out -----------------------------------------------------------------------------

class EcrivainOctets {
public:
    explicit EcrivainOctets(std::vector<uint8_t>& octets) : o_(octets) {}

    void U8(int v) { o_.push_back(static_cast<uint8_t>(v)); }
    void I32(int32_t v)
    {
        const auto u = static_cast<uint32_t>(v);
        const uint8_t b[4] = {static_cast<uint8_t>(u), static_cast<uint8_t>(u >> 8),
                              static_cast<uint8_t>(u >> 16), static_cast<uint8_t>(u >> 24)};
        o_.insert(o_.end(), b, b + 4);
    }
    void D(double v)
    {
        const auto u = std::bit_cast<uint64_t>(v);
        uint8_t b[8];
        for (int i = 0; i < 8; ++i)
            b[i] = static_cast<uint8_t>(u >> (8 * i));
        o_.insert(o_.end(), b, b + 8);
    }
    void Octets(std::string_view s) { o_.insert(o_.end(), s.begin(), s.end()); }
    void Zeros(std::size_t n) { o_.insert(o_.end(), n, uint8_t{0}); }

    // A text image of capacity n: its length, its characters, then zeros up to the capacity
    // (those bytes mean nothing; zeros make equal songs give equal files).
    void Image(std::string_view texte, std::size_t n)
    {
        texte = texte.substr(0, n);
        U8(static_cast<int>(texte.size()));
        Octets(texte);
        Zeros(n - texte.size());
    }

    // A counted text: its length and its characters only.
    void Compte(std::string_view texte, std::size_t capacite)
    {
        texte = texte.substr(0, capacite);
        U8(static_cast<int>(texte.size()));
        Octets(texte);
    }

private:
    std::vector<uint8_t>& o_;
};

// ---- Ranges ----------------------------------------------------------------------------------

int32_t Borner(int32_t v, int32_t bas, int32_t haut) { return std::clamp(v, bas, haut); }

bool EstDenominateur(int d) { return d == 1 || d == 2 || d == 4 || d == 8 || d == 16 || d == 32; }

bool EstVitesseBrush(int d) { return EstDenominateur(d); }

// A double from the file within [bas, haut]; anything else (NaN included) is `defaut`.
double DoubleDansPlage(double v, double bas, double haut, double defaut)
{
    return (v >= bas && v <= haut) ? v : defaut;
}

double DureeReelleDe(const TMesure& mesure, int t)
{
    int64_t ticks = 0;
    for (int b = 1; b <= mesure.NbTemps[t]; ++b)
        ticks += mesure.Temps[t][b].Duree;
    return std::nearbyint(static_cast<double>(ticks) / kTicksNoire * 1000.0) / 1000.0;
}

// ---- Reader ----------------------------------------------------------------------------------

class LecteurPartition {
public:
    LecteurPartition(LecteurOctets& in, int version) : in_(in), v_(version) {}

    void Lire()
    {
        LireEntete();
        LireAccordages();
        const int32_t nbMesures = in_.I32();
        if (nbMesures < 1 || nbMesures > kNbMesuresMax)
            throw FichierIncorrect{};
        LireTableDesPistes();
        for (int m = 1; m <= nbMesures; ++m)
            LireMesure(m);
        LireListeAccords();
    }

private:
    int PistesDuFichier() const { return v_ >= VersionFichier103 ? kNbPistes : 1; }

    // A header text: a count byte (how many bytes of the image follow, at most the image),
    // then that many bytes of the image.
    template <std::size_t N>
    void LireTexteCompte(TexteCourt<N>& champ)
    {
        const std::size_t compte = in_.U8();
        if (compte > N + 1)
            throw FichierIncorrect{};
        std::array<uint8_t, N + 1> image{};
        in_.Lire(image.data(), compte);
        if (compte == 0) {
            champ.clear();
            return;
        }
        std::size_t longueur = image[0];
        if (longueur > N)
            throw FichierIncorrect{};
        longueur = std::min(longueur, compte - 1);
        champ.assign({reinterpret_cast<const char*>(image.data() + 1), longueur});
    }

    // A whole text image of capacity N; the bytes past its length are ignored.
    template <std::size_t N>
    std::string_view LireImage(std::array<uint8_t, N + 1>& image)
    {
        in_.Lire(image.data(), image.size());
        if (image[0] > N)
            throw FichierIncorrect{};
        return {reinterpret_cast<const char*>(image.data() + 1), image[0]};
    }

    // A counted text of any length up to 255, of which the first `capacite` bytes are kept.
    std::string_view LireCompte(std::array<uint8_t, 256>& tampon, std::size_t capacite)
    {
        const std::size_t n = in_.U8();
        in_.Lire(tampon.data(), n);
        return {reinterpret_cast<const char*>(tampon.data()), std::min(n, capacite)};
    }

    void LireEntete()
    {
        LireTexteCompte(Partition.Titre);
        LireTexteCompte(Partition.Auteur);
        LireTexteCompte(Partition.Commentaire);
        // Playback divides by the tempo.
        Partition.Tempo = Borner(in_.I32(), 1, 999);
        Partition.TripletFeel = v_ >= VersionFichier101 ? (in_.I32() != 0 ? 1 : 0) : 0;
        if (v_ >= VersionFichier103)
            Partition.Armure = Borner(in_.I32(), -7, 7);
    }

    void LireAccordages()
    {
        for (int t = 1; t <= PistesDuFichier(); ++t) {
            const int32_t n = in_.I32();
            if (n < 1 || n > kNbCordesMax)
                throw FichierIncorrect{};
            Partition.NbCordes[t] = n;
            for (int s = 1; s <= n; ++s)
                Partition.Accordage[t][s] = Borner(in_.I32(), 0, 127);
        }
    }

    void LireTableDesPistes()
    {
        if (v_ < VersionFichier103) {
            Partition.Instrument[1] = Borner(in_.I32(), 0, 127);
            return;
        }
        for (int t = 1; t <= kNbPistes; ++t) {
            Partition.Instrument[t] = Borner(in_.I32(), 0, 127);
            Partition.NbFrettes[t] = Borner(in_.I32(), 1, 99);
            LireTexteCompte(Partition.NomPiste[t]);
            const uint8_t drapeaux = in_.U8();
            Partition.Solo[t] = drapeaux & 1;
            Partition.Muette[t] = drapeaux & 2;
            Partition.PasExporter[t] = drapeaux & 4;
            Partition.DouzeCordes[t] = drapeaux & 8;
            Partition.Volume[t] = Borner(in_.I32(), 0, 127);
            Partition.Panoramique[t] = Borner(in_.I32(), 0, 127);
            Partition.Chorus[t] = Borner(in_.I32(), 0, 127);
            Partition.Reverb[t] = Borner(in_.I32(), 0, 127);
            Partition.Capo[t] = Borner(in_.I32(), 0, 12);
        }
        std::array<uint8_t, 6> solo{};
        Partition.ModeSolo = LireImage<5>(solo) == "1";
        const int32_t pisteSolo = in_.I32();
        Partition.PisteSolo = (pisteSolo >= 0 && pisteSolo <= kNbPistes) ? pisteSolo : 0;
    }

    void LireMesure(int m)
    {
        if (!Partition.Mesures[m])
            Partition.Mesures[m] = std::make_unique<TMesure>();
        // Counted as soon as it exists, so that a reset after a failure frees it.
        Partition.NbMesures = m;
        TMesure& mesure = *Partition.Mesures[m];

        mesure.Numerateur = in_.U8();
        mesure.Denominateur = in_.U8();
        mesure.Duree = in_.D();
        // Layout and playback divide by the denominator and step through the length.
        if (mesure.Numerateur < 1 || mesure.Numerateur > 32 || !EstDenominateur(mesure.Denominateur)) {
            mesure.Numerateur = 4;
            mesure.Denominateur = 4;
            mesure.Duree = 4.0;
        }
        if (!(mesure.Duree > 0.0 && mesure.Duree <= 128.0))
            mesure.Duree = mesure.Numerateur * 4.0 / mesure.Denominateur;

        const int pistes = PistesDuFichier();
        for (int t = 1; t <= pistes; ++t) {
            const int32_t nb = in_.I32();
            if (nb < 0 || nb > kNbTempsFichierMax)
                throw FichierIncorrect{};
            mesure.NbTemps[t] = nb;
            mesure.DureeReelle[t] = in_.D();
        }
        for (int t = pistes + 1; t <= kNbPistes; ++t) {
            mesure.NbTemps[t] = 0;
            mesure.DureeReelle[t] = 0.0;
        }

        const uint8_t drapeaux = in_.U8();
        mesure.RenvoiDebut = drapeaux & 1;
        mesure.RenvoiFin = drapeaux & 2;
        mesure.Repetition = drapeaux & 4;
        mesure.NbRenvois = mesure.RenvoiFin ? NombrePositif(in_.U8()) : 1;
        mesure.NumRepetition = mesure.Repetition ? NombrePositif(in_.U8()) : 1;

        for (int t = 1; t <= pistes; ++t) {
            for (int b = 1; b <= mesure.NbTemps[t]; ++b)
                LireTemps(mesure.Temps[t][b], Partition.NbCordes[t]);
            const double reelle = mesure.DureeReelle[t];
            if (!(reelle >= 0.0 && reelle <= kNbTempsMax * 6.0))
                mesure.DureeReelle[t] = DureeReelleDe(mesure, t);
        }

        for (int t = 1; t <= kNbPistes; ++t) {
            if (mesure.NbTemps[t] > 0) {
                if (t < kPistePercussions && !comptee_[t]) {
                    comptee_[t] = true;
                    const int32_t programme = Partition.Instrument[t];
                    if (programme == 43 || (programme >= 32 && programme <= 39))
                        ++Partition.NbPistesBasse;
                    else
                        ++Partition.NbPistesGuitare;
                }
                if (t == kPistePercussions)
                    Partition.AvecPercussions = true;
            }
            InitialiserTempsSuivant(t, m);
        }
    }

    // Repeat counts and ending numbers are signed bytes in memory; a byte above 127 would
    // turn negative.
    static int8_t NombrePositif(uint8_t v) { return v > 127 ? int8_t{1} : static_cast<int8_t>(v); }

    void LireTemps(TTemps& temps, int nbCordes)
    {
        temps = TTemps{};

        int64_t ticks = in_.I32();
        if (v_ <= VersionFichier101)
            ticks *= 5;
        const int8_t code = in_.I8();
        const uint8_t drapeaux1 = in_.U8();
        const uint8_t drapeaux2 = v_ >= VersionFichier220 ? in_.U8() : 0;

        if (drapeaux2 & 2)
            temps.TableMix = mixPartages_.Partager(LireTableMix());
        if (drapeaux2 & 1) {
            const uint8_t brush = in_.U8();
            const uint8_t vitesse = in_.U8();
            temps.Brush = (brush == 1 || brush == 2) ? static_cast<int8_t>(brush) : int8_t{0};
            // Playback spreads the strum over 480 / DureeBrush ticks.
            temps.DureeBrush = EstVitesseBrush(vitesse) ? vitesse : uint8_t{4};
        }

        temps.Lie = drapeaux1 & 64;
        temps.Triolet = drapeaux1 & 32;
        temps.Pointee = drapeaux1 & 16;
        temps.Silence = drapeaux1 & 8;
        if (temps.Triolet) {
            const uint8_t position = in_.U8();
            if (position < 1 || position > 3)
                throw FichierIncorrect{};
            temps.PosTriolet = static_cast<int8_t>(position);
        } else {
            temps.PosTriolet = 0;
        }

        if (drapeaux1 & 4) {
            const uint8_t effet = in_.U8();
            if (effet == 3)
                temps.ValeurCoupVib = DoubleDansPlage(in_.D(), 0.5, 6.0, 1.0);
            temps.Effet = effet <= 9 ? static_cast<int8_t>(effet) : int8_t{0};
        }

        if (drapeaux1 & 2) {
            temps.AvecAccord = true;
            temps.Accord = accordsPartages_.Partager(LireAccord());
        }

        if (drapeaux1 & 1) {
            if (v_ >= VersionFichier104) {
                std::array<uint8_t, 256> tampon;
                temps.Texte.assign(LireCompte(tampon, 40));
            } else {
                in_.Sauter(1);
                std::array<uint8_t, 41> image;
                temps.Texte.assign(LireImage<40>(image));
            }
        }

        if (!temps.Silence && !temps.Lie)
            LireNotes(temps, nbCordes);

        // The note value indexes the duration tables; a length out of every note value's
        // reach is taken from the note value.
        temps.CodeDuree = (code >= -2 && code <= 4) ? code : int8_t{0};
        temps.Duree = (ticks > 0 && ticks <= kTicksMax)
                          ? static_cast<int32_t>(ticks)
                          : DureeEnTicks(temps.CodeDuree, temps.Pointee, temps.Triolet);
    }

    std::shared_ptr<const cTableMixEvent> LireTableMix()
    {
        auto mix = std::make_shared<cTableMixEvent>();
        // A value byte above 127 would read back as a negative program or level.
        const auto valeur = [this] {
            const uint8_t v = in_.U8();
            return v <= 127 ? static_cast<int8_t>(v) : int8_t{-1};
        };
        const auto transition = [this] { return static_cast<int8_t>(std::min<uint8_t>(in_.U8(), 8)); };
        const uint8_t masque = in_.U8();
        if (masque & 32) {
            mix->Tempo = Borner(in_.I32(), 1, 999);
            mix->TransTempo = transition();
        }
        if (masque & 16) {
            mix->Reverb = valeur();
            mix->TransReverb = transition();
        }
        if (masque & 8) {
            mix->Chorus = valeur();
            mix->TransChorus = transition();
        }
        if (masque & 4) {
            mix->Pan = valeur();
            mix->TransPan = transition();
        }
        if (masque & 2) {
            mix->Volume = valeur();
            mix->TransVolume = transition();
        }
        if (masque & 1)
            mix->Instrument = valeur();
        return mix;
    }

    void LireNotes(TTemps& temps, int n)
    {
        const uint8_t frettes = in_.U8();
        const uint8_t techniques = in_.U8();
        const uint8_t graces = v_ >= VersionFichier220 ? in_.U8() : 0;
        const auto nuance = [](uint8_t v) { return (v >= 1 && v <= 8) ? v : uint8_t{6}; };
        const auto frette = [](uint8_t v) { return static_cast<int8_t>(std::min<uint8_t>(v, kNoteMorte)); };
        for (int s = 1; s <= n; ++s) {
            const unsigned bit = 1u << (n - s);
            TNoteCorde& note = temps.Notes[s];
            if (frettes & bit) {
                note.Frette = frette(in_.U8());
                if (v_ >= VersionFichier220)
                    note.Nuance = nuance(in_.U8());
                if (techniques & bit) {
                    const uint8_t effet = in_.U8();
                    if (effet == 5 || effet == 6)
                        note.ValeurBend = DoubleDansPlage(in_.D(), 0.25, 3.0, 1.0);
                    note.Effet = effet <= 7 ? effet : uint8_t{0};
                }
            }
            if (graces & bit) {
                note.FretteGrace = frette(in_.U8());
                note.NuanceGrace = nuance(in_.U8());
                const uint8_t duree = in_.U8();
                note.DureeGrace = (duree >= 1 && duree <= 3) ? duree : uint8_t{1};
            }
        }
    }

    TAccord LireAccord()
    {
        TAccord accord;
        if (v_ < VersionFichier104) {
            in_.Sauter(1);
            std::array<uint8_t, 11> image;
            accord.Nom.assign(LireImage<10>(image));
            return accord;
        }

        std::array<uint8_t, 256> tampon;
        accord.Nom.assign(LireCompte(tampon, 20));
        accord.Diese = in_.U8() != 0;
        const int32_t fondamentale = in_.I32();
        if (fondamentale < 12) {
            const int32_t typ = in_.I32(), neufOnzeTreize = in_.I32(), basse = in_.I32(), dimAug = in_.I32();
            const int32_t quinte = in_.I32(), neuf = in_.I32(), onze = in_.I32(), degres = in_.I32();
            // The chord theory indexes its tables with every one of these; a chord whose
            // theory is out of range keeps only its name and diagram.
            const bool valide = fondamentale >= 0 && typ >= 0 && typ <= 14 && neufOnzeTreize >= 0 &&
                                neufOnzeTreize <= 3 && basse >= -1 && basse <= 11 && dimAug >= 0 && dimAug <= 2 &&
                                quinte >= 0 && quinte <= 2 && neuf >= 0 && neuf <= 2 && onze >= 0 && onze <= 2;
            if (valide) {
                accord.Fondamentale = fondamentale;
                accord.Typ = typ;
                accord.NeufOnzeTreize = neufOnzeTreize;
                accord.Basse = basse;
                accord.DimAug = dimAug;
                accord.Quinte = quinte;
                accord.Neuf = neuf;
                accord.Onze = onze;
                accord.Add = degres & 1;
                for (int k = 1; k <= 7; ++k)
                    accord.Degres[k] = (degres >> k) & 1;
            }
        }
        const int32_t base = in_.I32();
        if (base > 0) {
            std::array<int32_t, 7> frettes{};
            frettes[0] = 0;
            for (int s = 1; s <= 6; ++s) {
                const int32_t f = in_.I32();
                frettes[s] = (f >= -1 && f <= 99) ? f : -1;
            }
            accord.FretteBase = std::min(base, 99);
            accord.Frettes = frettes;
            const TAccord barres = ChercherBarres(accord.Frettes, accord.FretteBase);
            accord.NbBarres = barres.NbBarres;
            for (int i = 1; i <= barres.NbBarres; ++i) {
                accord.BarreFrette[i] = barres.BarreFrette[i];
                accord.BarreCordeDebut[i] = barres.BarreCordeDebut[i];
                accord.BarreCordeFin[i] = barres.BarreCordeFin[i];
            }
        }
        return accord;
    }

    void LireListeAccords()
    {
        NbAccordsPartition = 0;
        if (v_ < VersionFichier104)
            return;
        const int32_t nb = in_.I32();
        if (nb < 0 || nb > kNbAccordsPartitionMax)
            throw FichierIncorrect{};
        for (int i = 1; i <= nb; ++i) {
            AccordsPartition[i] = std::make_unique<TAccord>(LireAccord());
            NbAccordsPartition = i;
        }
    }

    LecteurOctets& in_;
    const int v_;
    EnregistrementsPartages<TAccord> accordsPartages_;
    EnregistrementsPartages<cTableMixEvent> mixPartages_;
    OneBased<bool, kNbPistes> comptee_{};
};

ResultatLecture Decoder(LecteurOctets& in)
{
    Partition.NbPistesGuitare = 0;
    Partition.NbPistesBasse = 0;
    Partition.AvecPercussions = false;
    try {
        std::array<uint8_t, kTailleMarque + 1> image{};
        in.Lire(image.data(), image.size());
        const std::string_view marque(reinterpret_cast<const char*>(image.data() + 1),
                                      std::min<std::size_t>(image[0], kTailleMarque));
        const int version = VersionMarqueFichier(marque);
        if (version == 0)
            return marque.starts_with(DebutMarqueVersion1) ? ResultatLecture::VersionAncienne
                                                           : ResultatLecture::Incorrecte;
        LecteurPartition(in, version).Lire();
        return ResultatLecture::Lue;
    } catch (const FichierIncorrect&) {
        return ResultatLecture::Incorrecte;
    } catch (const std::bad_alloc&) {
        return ResultatLecture::Incorrecte;
    }
}

// ---- Writer ----------------------------------------------------------------------------------

class EcrivainPartition {
public:
    explicit EcrivainPartition(std::vector<uint8_t>& octets) : out_(octets) {}

    void Ecrire()
    {
        const TPartition& p = Partition;
        out_.Image(MarqueEcrite, kTailleMarque);
        TexteCompte(p.Titre);
        TexteCompte(p.Auteur);
        TexteCompte(p.Commentaire);
        out_.I32(p.Tempo);
        out_.I32(p.TripletFeel);
        out_.I32(p.Armure);
        for (int t = 1; t <= kNbPistes; ++t) {
            const int n = Cordes(t);
            out_.I32(n);
            for (int s = 1; s <= n; ++s)
                out_.I32(p.Accordage[t][s]);
        }
        const int nbMesures = std::clamp(p.NbMesures, 1, kNbMesuresMax);
        out_.I32(nbMesures);
        for (int t = 1; t <= kNbPistes; ++t) {
            out_.I32(p.Instrument[t]);
            out_.I32(p.NbFrettes[t]);
            TexteCompte(p.NomPiste[t]);
            out_.U8((p.Solo[t] ? 1 : 0) | (p.Muette[t] ? 2 : 0) | (p.PasExporter[t] ? 4 : 0) |
                    (p.DouzeCordes[t] ? 8 : 0));
            out_.I32(p.Volume[t]);
            out_.I32(p.Panoramique[t]);
            out_.I32(p.Chorus[t]);
            out_.I32(p.Reverb[t]);
            out_.I32(p.Capo[t]);
        }
        out_.Image(p.ModeSolo ? "1" : "0", 5);
        out_.I32(p.PisteSolo);
        static const TMesure vide;
        for (int m = 1; m <= nbMesures; ++m)
            EcrireMesure(p.Mesures[m] ? *p.Mesures[m] : vide);
        const int nbAccords = std::clamp(NbAccordsPartition, 0, kNbAccordsPartitionMax);
        out_.I32(nbAccords);
        static const TAccord defaut;
        for (int i = 1; i <= nbAccords; ++i)
            EcrireAccord(AccordsPartition[i] ? *AccordsPartition[i] : defaut);
    }

private:
    // The reader refuses string counts outside 1..6: never write one.
    static int Cordes(int t) { return std::clamp(Partition.NbCordes[t], 1, kNbCordesMax); }

    template <std::size_t N>
    void TexteCompte(const TexteCourt<N>& texte)
    {
        out_.U8(static_cast<int>(N + 1));
        out_.Image(texte.view(), N);
    }

    void EcrireMesure(const TMesure& mesure)
    {
        out_.U8(mesure.Numerateur);
        out_.U8(mesure.Denominateur);
        out_.D(mesure.Duree);
        for (int t = 1; t <= kNbPistes; ++t) {
            out_.I32(NbTemps(mesure, t));
            out_.D(mesure.DureeReelle[t]);
        }
        out_.U8((mesure.RenvoiDebut ? 1 : 0) | (mesure.RenvoiFin ? 2 : 0) | (mesure.Repetition ? 4 : 0));
        if (mesure.RenvoiFin)
            out_.U8(mesure.NbRenvois);
        if (mesure.Repetition)
            out_.U8(mesure.NumRepetition);
        for (int t = 1; t <= kNbPistes; ++t)
            for (int b = 1; b <= NbTemps(mesure, t); ++b)
                EcrireTemps(mesure.Temps[t][b], Cordes(t));
    }

    static int NbTemps(const TMesure& mesure, int t) { return std::clamp(mesure.NbTemps[t], 0, kNbTempsFichierMax); }

    void EcrireTemps(const TTemps& temps, int nbCordes)
    {
        const bool avecAccord = temps.AvecAccord && temps.Accord;
        const bool avecTexte = !temps.Texte.empty();
        out_.I32(temps.Duree);
        out_.U8(temps.CodeDuree);
        out_.U8((avecTexte ? 1 : 0) | (avecAccord ? 2 : 0) | (temps.Effet > 0 ? 4 : 0) | (temps.Silence ? 8 : 0) |
                (temps.Pointee ? 16 : 0) | (temps.Triolet ? 32 : 0) | (temps.Lie ? 64 : 0));
        out_.U8((temps.Brush > 0 ? 1 : 0) | (temps.TableMix ? 2 : 0));
        if (temps.TableMix)
            EcrireTableMix(*temps.TableMix);
        if (temps.Brush > 0) {
            out_.U8(temps.Brush);
            out_.U8(temps.DureeBrush);
        }
        if (temps.Triolet)
            out_.U8(temps.PosTriolet);
        if (temps.Effet > 0) {
            out_.U8(temps.Effet);
            if (temps.Effet == 3)
                out_.D(temps.ValeurCoupVib);
        }
        if (avecAccord)
            EcrireAccord(*temps.Accord);
        if (avecTexte)
            out_.Compte(temps.Texte.view(), 40);
        if (!temps.Silence && !temps.Lie)
            EcrireNotes(temps, nbCordes);
    }

    void EcrireTableMix(const cTableMixEvent& mix)
    {
        const int masque = (mix.Instrument != -1 ? 1 : 0) | (mix.Volume != -1 ? 2 : 0) | (mix.Pan != -1 ? 4 : 0) |
                           (mix.Chorus != -1 ? 8 : 0) | (mix.Reverb != -1 ? 16 : 0) | (mix.Tempo != -1 ? 32 : 0);
        out_.U8(masque);
        if (masque & 32) {
            out_.I32(mix.Tempo);
            out_.U8(mix.TransTempo);
        }
        if (masque & 16) {
            out_.U8(mix.Reverb);
            out_.U8(mix.TransReverb);
        }
        if (masque & 8) {
            out_.U8(mix.Chorus);
            out_.U8(mix.TransChorus);
        }
        if (masque & 4) {
            out_.U8(mix.Pan);
            out_.U8(mix.TransPan);
        }
        if (masque & 2) {
            out_.U8(mix.Volume);
            out_.U8(mix.TransVolume);
        }
        if (masque & 1)
            out_.U8(mix.Instrument);
    }

    void EcrireNotes(const TTemps& temps, int n)
    {
        int frettes = 0, techniques = 0, graces = 0;
        for (int s = 1; s <= n; ++s) {
            const TNoteCorde& note = temps.Notes[s];
            const int bit = 1 << (n - s);
            if (note.Frette >= 0) {
                frettes |= bit;
                if (note.Effet > 0)
                    techniques |= bit;
            }
            if (note.FretteGrace >= 0)
                graces |= bit;
        }
        out_.U8(frettes);
        out_.U8(techniques);
        out_.U8(graces);
        for (int s = 1; s <= n; ++s) {
            const TNoteCorde& note = temps.Notes[s];
            const int bit = 1 << (n - s);
            if (frettes & bit) {
                out_.U8(note.Frette);
                out_.U8(note.Nuance);
                if (techniques & bit) {
                    out_.U8(note.Effet);
                    if (note.Effet == 5 || note.Effet == 6)
                        out_.D(note.ValeurBend);
                }
            }
            if (graces & bit) {
                out_.U8(note.FretteGrace);
                out_.U8(note.NuanceGrace);
                out_.U8(note.DureeGrace);
            }
        }
    }

    void EcrireAccord(const TAccord& accord)
    {
        out_.Compte(accord.Nom.view(), 20);
        out_.U8(accord.Diese ? 1 : 0);
        out_.I32(accord.Fondamentale);
        if (accord.Fondamentale < 12) {
            out_.I32(accord.Typ);
            out_.I32(accord.NeufOnzeTreize);
            out_.I32(accord.Basse);
            out_.I32(accord.DimAug);
            out_.I32(accord.Quinte);
            out_.I32(accord.Neuf);
            out_.I32(accord.Onze);
            int32_t degres = accord.Add ? 1 : 0;
            for (int k = 1; k <= 7; ++k)
                if (accord.Degres[k])
                    degres |= 1 << k;
            out_.I32(degres);
        }
        if (!accord.AvecDiagramme()) {
            out_.I32(0);
            return;
        }
        // The reader takes the six frets only after a base fret above 0: a diagram written
        // with base 0 would throw the rest of the file out of step.
        out_.I32(std::max(accord.FretteBase, 1));
        for (int s = 1; s <= 6; ++s)
            out_.I32(accord.Frettes[s]);
    }

    EcrivainOctets out_;
};

// ---- Around the reader: hourglass, messages and the fresh state ------------------------------

void AfficherErreur(const char* cle)
{
    AfficherMessage(Traduire("Dlg-Erreur"), Traduire(cle), IconeErreur, BoutonOK, DefautOK, PlacementCentre);
}

// Failure paths: the message (with the normal cursor), then the new empty untitled song in a
// fresh editor.
void EchecLecture(platform::Sablier& sablier, const char* cle)
{
    sablier.Terminer();
    AfficherErreur(cle);
    ReinitialiserPartition();
    AfficherLegendeFenetre();
    const int32_t piste = PisteCourante;
    for (int t = 1; t <= Partition.NbPistes; ++t) {
        PisteCourante = t;
        AjouterTempsVide();
    }
    PisteCourante = piste;
    CopieMesureEntree = *Partition.Mesures[Partition.MesureCourante];
    Curseur.Temps = 1;
    Curseur.Corde = 1;
    FenetrePrincipale().RafraichirApresNouvellePartition();
}

struct FermerFichier {
    void operator()(std::FILE* f) const { std::fclose(f); }
};

// Only a regular file is read: a folder, a pipe or a device named like a song would fail
// later, block, or never end.
std::FILE* OuvrirEnLecture(const std::string& chemin)
{
    const int fd = ::open(chemin.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return nullptr;
    struct stat etat {};
    if (::fstat(fd, &etat) != 0 || !S_ISREG(etat.st_mode) || ::fcntl(fd, F_SETFL, 0) != 0) {
        ::close(fd);
        return nullptr;
    }
    std::FILE* f = ::fdopen(fd, "rb");
    if (!f)
        ::close(fd);
    return f;
}

} // namespace

int VersionMarqueFichier(std::string_view marque)
{
    for (const MarqueVersion& m : MarquesConnues)
        if (m.Marque == marque)
            return m.Version;
    return 0;
}

std::vector<uint8_t> ImageFichierPartition()
{
    std::vector<uint8_t> octets;
    octets.reserve(4096);
    EcrivainPartition(octets).Ecrire();
    return octets;
}

ResultatLecture DecoderFichierPartition(const uint8_t* octets, std::size_t taille)
{
    LecteurOctets in(octets, taille);
    return Decoder(in);
}

bool EcrireFichierParRemplacement(const std::string& chemin, const std::vector<uint8_t>& octets)
{
    std::error_code ec;
    fs::path cible(chemin);
    if (fs::is_symlink(cible, ec)) {
        const fs::path lien = fs::canonical(cible, ec);
        if (!ec)
            cible = lien;
    }
    const fs::path dossier = cible.has_parent_path() ? cible.parent_path() : fs::path(".");
    // Hidden, beside the old file: the rename then never crosses file systems.
    std::string nomTemporaire = ".";
    nomTemporaire += cible.filename().string();
    nomTemporaire += ".XXXXXX";
    std::string modele = (dossier / nomTemporaire).string();

    const int fd = ::mkstemp(modele.data());
    if (fd < 0)
        return false;

    bool ok = true;
    // The new file takes the old one's permissions, or those a plain new file would get.
    struct stat ancien {};
    if (::stat(cible.c_str(), &ancien) == 0) {
        ok = S_ISREG(ancien.st_mode);
        if (ok)
            ::fchmod(fd, ancien.st_mode & 07777);
    } else {
        const mode_t masque = ::umask(0);
        ::umask(masque);
        ::fchmod(fd, 0666 & ~masque);
    }

    const uint8_t* p = octets.data();
    std::size_t reste = octets.size();
    while (ok && reste > 0) {
        const ssize_t n = ::write(fd, p, reste);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            ok = false;
            break;
        }
        p += n;
        reste -= static_cast<std::size_t>(n);
    }
    if (ok && ::fsync(fd) != 0)
        ok = false;
    if (::close(fd) != 0)
        ok = false;
    if (ok && std::rename(modele.c_str(), cible.c_str()) != 0)
        ok = false;
    if (!ok) {
        ::unlink(modele.c_str());
        return false;
    }
    // The rename itself reaches the disk with the folder.
    const int dir = ::open(dossier.c_str(), O_RDONLY | O_DIRECTORY);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return true;
}

bool EcrireFichierPartition()
{
    platform::Sablier sablier;
    bool ok = false;
    try {
        ok = EcrireFichierParRemplacement(CheminFichier, ImageFichierPartition());
    } catch (const std::bad_alloc&) {
        ok = false;
    }
    sablier.Terminer();
    if (!ok)
        AfficherErreur("MidiExp-EcritureFichierImpossibleEnregAb");
    return ok;
}

bool LireFichierPartition()
{
    platform::Sablier sablier;
    Partition.NbPistesGuitare = 0;
    Partition.NbPistesBasse = 0;
    Partition.AvecPercussions = false;

    std::unique_ptr<std::FILE, FermerFichier> fichier(OuvrirEnLecture(CheminFichier));
    if (!fichier) {
        EchecLecture(sablier, "Fichier-AccesImpossible");
        PartitionModifiee = false;
        return false;
    }

    LecteurOctets in(fichier.get());
    const ResultatLecture resultat = Decoder(in);
    fichier.reset();
    if (resultat != ResultatLecture::Lue) {
        // The new song's "modified" flag stays set, so Save is offered; the blank-song flag
        // still keeps the save question away.
        EchecLecture(sablier, resultat == ResultatLecture::VersionAncienne ? "Fichier-VersionAncienne" : "Fichier-Incorrect");
        return false;
    }

    PisteCourante = 1;
    Partition.MesureCourante = 1;
    CopieMesureEntree = *Partition.Mesures[1];
    Curseur.Temps = 1;
    Curseur.Corde = 1;
    FenetrePrincipale().RafraichirApresLecturePartition();
    return true;
}

// The song file's reader: the version mark, then every field checked against its limit, the
// older versions converted on the way.
#include "document/FichierPartition.h"

#include "document/Accord.h"
#include "document/EnregistrementsPartages.h"
#include "document/Fenetre.h"
#include "document/FichierPartitionInterne.h"
#include "document/Fichiers.h"
#include "document/ReelCompact.h"
#include "document/Routines.h"
#include "document/TableMix.h"
#include "document/Variable.h"
#include "platform/Sablier.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>
#include <string_view>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

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
                temps.ValeurCoupVib = DoubleDansPlage(in_.D(), kCoupVibMinimum, kCoupVibMaximum, 1.0);
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
    } catch (const ReelCompact::TableFull&) {
        return ResultatLecture::TropDeMontants;
    } catch (const std::bad_alloc&) {
        return ResultatLecture::Incorrecte;
    }
}

// ---- Around the reader: hourglass, messages and the fresh state ------------------------------


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

ResultatLecture DecoderFichierPartition(const uint8_t* octets, std::size_t taille)
{
    LecteurOctets in(octets, taille);
    return Decoder(in);
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
        EchecLecture(sablier, resultat == ResultatLecture::VersionAncienne ? "Fichier-VersionAncienne"
                              : resultat == ResultatLecture::TropDeMontants ? "Fichier-TropDeMontants"
                                                                            : "Fichier-Incorrect");
        return false;
    }

    PisteCourante = 1;
    Partition.MesureCourante = 1;
    Curseur.Temps = 1;
    Curseur.Corde = 1;
    FenetrePrincipale().RafraichirApresLecturePartition();
    // Taken once the window has beamed the tracks: cancelling the measure puts back the beams
    // of every track with it.
    CopieMesureEntree = *Partition.Mesures[1];
    return true;
}

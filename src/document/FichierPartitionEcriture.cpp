// The song file's writer: the song in memory as a version 2.21 image, put in place of the file
// on disk only once it is wholly written.
#include "document/FichierPartition.h"

#include "document/Accord.h"
#include "document/FichierPartitionInterne.h"
#include "document/TableMix.h"
#include "document/Variable.h"
#include "platform/FileReplacement.h"
#include "platform/Sablier.h"

#include <algorithm>
#include <bit>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <new>
#include <optional>
#include <span>
#include <string_view>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

constexpr std::string_view MarqueEcrite = "FICHIER LYRANDAXIS v2.21";

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

} // namespace

std::vector<uint8_t> ImageFichierPartition()
{
    std::vector<uint8_t> octets;
    octets.reserve(4096);
    EcrivainPartition(octets).Ecrire();
    return octets;
}

std::function<void(const std::string&)> AfterTemporaryCreated;

namespace {

// The name of the temporary files of replacements of `cible` up to mkstemp's six characters:
// hidden, and marked as the program's, so that a user's own hidden copy beside the song (say
// ".song.lrx.backup") is never taken for one.
std::string PrefixeTemporaire(const fs::path& cible) { return "." + cible.filename().string() + ".lyrx-"; }

// The temporary file of a replacement of `cible`: beside it (the rename then never crosses
// file systems), its last six characters made unique by mkstemp.
std::string ModeleTemporaire(const fs::path& dossier, const fs::path& cible)
{
    return (dossier / (PrefixeTemporaire(cible) + "XXXXXX")).string();
}

bool EstSuffixeTemporaire(std::string_view suffixe)
{
    return suffixe.size() == 6 && std::all_of(suffixe.begin(), suffixe.end(), [](char c) {
               return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
           });
}

// Removes the temporary files that replacements of `cible` killed part-way left beside it.
// Only what is surely one: named as ModeleTemporaire names them, a plain file of ours that
// begins with `entete` (or with as much of it as it holds), and that no replacement in progress
// holds locked.
void SupprimerTemporairesAbandonnes(const fs::path& dossier, const fs::path& cible, std::span<const uint8_t> entete)
{
    const std::string prefixe = PrefixeTemporaire(cible);
    std::error_code ec;
    fs::directory_iterator it(dossier, ec);
    if (ec)
        return;
    for (const fs::directory_entry& entree : it) {
        const std::string nom = entree.path().filename().string();
        if (nom.size() != prefixe.size() + 6 || nom.compare(0, prefixe.size(), prefixe) != 0
            || !EstSuffixeTemporaire(std::string_view(nom).substr(prefixe.size())))
            continue;
        const int fd = ::open(entree.path().c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0)
            continue;
        struct stat etat {};
        std::vector<uint8_t> debut(entete.size());
        bool abandonne = ::fstat(fd, &etat) == 0 && S_ISREG(etat.st_mode) && etat.st_uid == ::geteuid()
                      && ::flock(fd, LOCK_EX | LOCK_NB) == 0;
        if (abandonne) {
            // A save killed before it wrote its whole header leaves fewer bytes, none at all
            // when it died before its first write: what there is must be the header's start.
            const ssize_t lus = ::pread(fd, debut.data(), debut.size(), 0);
            abandonne = lus >= 0
                     && (static_cast<std::size_t>(lus) == debut.size() || lus == static_cast<ssize_t>(etat.st_size))
                     && std::equal(debut.begin(), debut.begin() + lus, entete.begin());
        }
        if (abandonne)
            ::unlink(entree.path().c_str());
        ::close(fd);
    }
}

// Whether the name `nom` still leads to the open file `fd`.
bool NameLeadsToFile(const std::string& nom, int fd)
{
    struct stat parFichier {}, parNom {};
    return ::fstat(fd, &parFichier) == 0 && parFichier.st_nlink > 0 && ::lstat(nom.c_str(), &parNom) == 0
        && parNom.st_dev == parFichier.st_dev && parNom.st_ino == parFichier.st_ino;
}

// The temporary file made from `modele` (which takes its name), created and locked. Until it is
// locked it is empty and unlocked, just what the leftover cleaner of another copy of the program
// saving the same song removes: a name lost that way is given up for a new one. Nothing is
// written without the lock, which alone keeps the file from being taken for a leftover.
int CreateLockedTemporary(std::string& modele)
{
    const std::string vierge = modele;
    // Each new try needs another save racing this one to the same moment: a few are plenty.
    for (int essai = 0; essai < 16; ++essai) {
        modele = vierge;
        const int fd = ::mkostemp(modele.data(), O_CLOEXEC);
        if (fd < 0)
            return -1;
        if (AfterTemporaryCreated)
            AfterTemporaryCreated(modele);
        int verrou;
        while ((verrou = ::flock(fd, LOCK_EX)) != 0 && errno == EINTR) {
        }
        if (verrou != 0) {
            if (NameLeadsToFile(modele, fd))
                ::unlink(modele.c_str());
            ::close(fd);
            return -1;
        }
        if (NameLeadsToFile(modele, fd))
            return fd;
        ::close(fd);
    }
    return -1;
}

} // namespace

bool EcrireFichierParRemplacement(const std::string& chemin, const std::vector<uint8_t>& octets,
                                  std::size_t tailleEntete)
{
    // The new file takes the old one's permissions, or those a plain new file would get; a
    // file the user made read-only is refused, not replaced.
    const std::optional<platform::FileToReplace> remplace = platform::ReplaceableFile(chemin);
    if (!remplace)
        return false;
    const fs::path& cible = remplace->Chemin;
    const fs::path dossier = cible.has_parent_path() ? cible.parent_path() : fs::path(".");
    tailleEntete = std::min(tailleEntete, octets.size());
    if (tailleEntete > 0)
        SupprimerTemporairesAbandonnes(dossier, cible, std::span(octets).first(tailleEntete));
    std::string modele = ModeleTemporaire(dossier, cible);

    // Held until the file is closed, renamed or not: a save in progress is no leftover.
    const int fd = CreateLockedTemporary(modele);
    if (fd < 0)
        return false;

    bool ok = true;
    if (remplace->Etat) {
        ::fchmod(fd, remplace->Etat->st_mode & 07777);
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
        ok = EcrireFichierParRemplacement(CheminFichier, ImageFichierPartition(), kTailleMarque + 1);
    } catch (const std::bad_alloc&) {
        ok = false;
    }
    sablier.Terminer();
    if (!ok)
        AfficherErreur("MidiExp-EcritureFichierImpossibleEnregAb");
    return ok;
}

#include "platform/FileReplacement.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <string_view>
#include <utility>
#include <vector>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace platform {

std::optional<std::filesystem::path> ReplacementTarget(const std::filesystem::path& chemin)
{
    namespace fs = std::filesystem;
    // As many links as the system itself follows before it calls it a loop.
    constexpr int kMaxLiens = 40;
    fs::path cible = chemin;
    for (int n = 0; n <= kMaxLiens; ++n) {
        std::error_code ec;
        if (!fs::is_symlink(fs::symlink_status(cible, ec)))
            return cible;
        const fs::path lien = fs::read_symlink(cible, ec);
        if (ec)
            return std::nullopt;
        // A relative link is read from the folder that holds it.
        cible = lien.is_absolute() ? lien : cible.parent_path() / lien;
    }
    return std::nullopt;
}

bool IsWriteProtected(const std::filesystem::path& chemin, const struct stat& etat)
{
    return (etat.st_mode & S_IWUSR) == 0 || ::faccessat(AT_FDCWD, chemin.c_str(), W_OK, AT_EACCESS) != 0;
}

std::optional<FileToReplace> ReplaceableFile(const std::filesystem::path& chemin)
{
    std::optional<std::filesystem::path> cible = ReplacementTarget(chemin);
    if (!cible)
        return std::nullopt;
    FileToReplace f{std::move(*cible), std::nullopt};
    struct stat etat {};
    if (::stat(f.Chemin.c_str(), &etat) == 0) {
        if (!S_ISREG(etat.st_mode) || IsWriteProtected(f.Chemin, etat))
            return std::nullopt;
        f.Etat = etat;
    }
    return f;
}

namespace {

namespace fs = std::filesystem;

ReplacementSeams& Seams()
{
    static ReplacementSeams seams;
    return seams;
}

// Locks `fd` as every replacement marks its temporary file in progress: 0, or the error number.
int Lock(const std::string& nom, int fd, bool attendre)
{
    if (Seams().Lock)
        return Seams().Lock(nom, fd, attendre);
    while (::flock(fd, LOCK_EX | (attendre ? 0 : LOCK_NB)) != 0)
        if (errno != EINTR)
            return errno;
    return 0;
}

// The errors of a file system that keeps no locks (network and FUSE mounts without lock
// support): no replacement there can lock its file, nor can a cleaner lock anyone's.
bool LocksRefused(int erreur)
{
    return erreur == ENOLCK || erreur == EOPNOTSUPP || erreur == ENOSYS || erreur == EINVAL;
}

// The name of the temporary files of replacements of `cible` up to mkstemp's six characters:
// hidden, and marked as the program's, so that a user's own hidden copy beside the file (say
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

// Whether the name `nom` still leads to the open file `fd`.
bool NameLeadsToFile(const std::string& nom, int fd)
{
    struct stat parFichier {}, parNom {};
    return ::fstat(fd, &parFichier) == 0 && parFichier.st_nlink > 0 && ::lstat(nom.c_str(), &parNom) == 0
        && parNom.st_dev == parFichier.st_dev && parNom.st_ino == parFichier.st_ino;
}

// Removes the temporary files that replacements of `cible` killed part-way left beside it.
// Only what is surely one: named as ModeleTemporaire names them, a plain file of ours that
// begins with `entete` (or with as much of it as it holds), that no replacement in progress
// holds locked, and that is still under its name once locked (a replacement that has just
// renamed it and let it go leaves the file it replaced under the name no longer).
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
        const std::string chemin = entree.path().string();
        const int fd = ::open(chemin.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0)
            continue;
        struct stat etat {};
        std::vector<uint8_t> debut(entete.size());
        bool abandonne = ::fstat(fd, &etat) == 0 && S_ISREG(etat.st_mode) && etat.st_uid == ::geteuid()
                      && Lock(chemin, fd, false) == 0 && NameLeadsToFile(chemin, fd);
        if (abandonne) {
            // A save killed before it wrote its whole header leaves fewer bytes, none at all
            // when it died before its first write: what there is must be the header's start.
            const ssize_t lus = ::pread(fd, debut.data(), debut.size(), 0);
            abandonne = lus >= 0
                     && (static_cast<std::size_t>(lus) == debut.size() || lus == static_cast<ssize_t>(etat.st_size))
                     && std::equal(debut.begin(), debut.begin() + lus, entete.begin());
        }
        if (abandonne)
            ::unlink(chemin.c_str());
        ::close(fd);
    }
}

// The temporary file made from `modele` (which takes its name), created and locked. Until it is
// locked it is empty and unlocked, just what the leftover cleaner of another copy of the program
// saving the same file removes: a name lost that way is given up for a new one. Nothing is
// written without the lock, which alone keeps the file from being taken for a leftover; where
// the file system keeps no locks, no cleaner can lock the file to take it for one either.
int CreateLockedTemporary(std::string& modele)
{
    const std::string vierge = modele;
    // Each new try needs another save racing this one to the same moment: a few are plenty.
    for (int essai = 0; essai < 16; ++essai) {
        modele = vierge;
        const int fd = ::mkostemp(modele.data(), O_CLOEXEC);
        if (fd < 0)
            return -1;
        const int erreur = Lock(modele, fd, true);
        if (erreur != 0 && !LocksRefused(erreur)) {
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

bool EcrireTout(int fd, std::span<const uint8_t> octets)
{
    const uint8_t* p = octets.data();
    std::size_t reste = octets.size();
    while (reste > 0) {
        const ssize_t n = ::write(fd, p, reste);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        p += n;
        reste -= static_cast<std::size_t>(n);
    }
    return true;
}

} // namespace

bool ReplaceFile(const std::string& chemin, std::span<const uint8_t> octets, std::size_t tailleEntete,
                 mode_t modeNouveau)
{
    // A file the user made read-only is refused, not replaced.
    const std::optional<FileToReplace> remplace = ReplaceableFile(chemin);
    if (!remplace)
        return false;
    const fs::path& cible = remplace->Chemin;
    const fs::path dossier = cible.has_parent_path() ? cible.parent_path() : fs::path(".");
    tailleEntete = std::min(tailleEntete, octets.size());
    if (tailleEntete > 0)
        SupprimerTemporairesAbandonnes(dossier, cible, octets.first(tailleEntete));
    std::string modele = ModeleTemporaire(dossier, cible);

    // Held until the file is renamed or given up: a replacement in progress is no leftover, up
    // to the moment its name is gone.
    const int fd = CreateLockedTemporary(modele);
    if (fd < 0)
        return false;

    if (remplace->Etat) {
        ::fchmod(fd, remplace->Etat->st_mode & 07777);
    } else {
        const mode_t masque = ::umask(0);
        ::umask(masque);
        ::fchmod(fd, modeNouveau & ~masque);
    }

    const bool ecrit = EcrireTout(fd, octets) && ::fsync(fd) == 0;
    if (ecrit && Seams().BeforeRename)
        Seams().BeforeRename(modele);
    if (!ecrit || std::rename(modele.c_str(), cible.c_str()) != 0) {
        if (NameLeadsToFile(modele, fd))
            ::unlink(modele.c_str());
        ::close(fd);
        return false;
    }
    // The file was flushed before its rename: an error closing it now would say the disk has
    // not got it all, as at the flush.
    const bool ferme = ::close(fd) == 0;
    // The rename itself reaches the disk with the folder.
    const int dir = ::open(dossier.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return ferme;
}

ReplacementSeams InstallReplacementSeams(ReplacementSeams seams)
{
    std::swap(Seams(), seams);
    return seams;
}

} // namespace platform

#include "platform/FileReplacement.h"

#include <fcntl.h>
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

} // namespace platform

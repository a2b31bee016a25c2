#pragma once
// What the writers that replace a user's file whole (songs, settings, text tablatures) ask
// before they put a new file in its place.
#include <filesystem>
#include <optional>

#include <sys/stat.h>

namespace platform {

// The file a replacement of `chemin` must put its new file in place of: the end of its chain
// of symbolic links, so that the links stay links and the file they lead to takes the new
// contents. A link that leads nowhere gives the place it names, where the file is then made.
// Nothing when the links go round in a loop or cannot be read.
std::optional<std::filesystem::path> ReplacementTarget(const std::filesystem::path& chemin);

// Whether the existing file `chemin`, of status `etat`, is closed to writing for the user. A
// file whose owner has no write permission counts as read-only for everyone, root included, as
// a read-only attribute does: replacing it through a rename would otherwise never ask.
bool IsWriteProtected(const std::filesystem::path& chemin, const struct stat& etat);

// Where a replacement of `chemin` goes (ReplacementTarget) and the status of the file it
// replaces there, if one exists.
struct FileToReplace {
    std::filesystem::path Chemin;
    std::optional<struct stat> Etat;
};
// The file a replacement of `chemin` may put its new file in place of; nothing when it may not:
// the links cannot be followed, or what they lead to is no plain file or is write-protected.
std::optional<FileToReplace> ReplaceableFile(const std::filesystem::path& chemin);

} // namespace platform

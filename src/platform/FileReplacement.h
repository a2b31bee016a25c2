#pragma once
// How the writers that replace a user's file whole (songs, settings, text tablatures) put a new
// file in its place: what they may replace, and the replacement itself.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <span>
#include <string>

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

// Puts `octets` in place of the file `chemin` through a temporary file in the same folder,
// flushed to disk and renamed over it; on any failure the temporary file is removed and the
// old file is untouched; so is a file the user made read-only, which is refused. Symbolic
// links are followed, so the file they lead to is replaced (or made, for a link that leads
// nowhere) and the links stay. The new file keeps the mode of the file it replaces; a file
// made new gets `modeNouveau` less the umask.
//
// Other copies of the program may replace the same file at the same time: each one's
// temporary file is locked from its making until it has been renamed, and the last rename
// wins. Where the file system keeps no locks, the replacement goes on without one. With
// tailleEntete, the temporary files that earlier replacements of the same file left when
// killed part-way are removed first: those that begin with the same first tailleEntete bytes
// and that no replacement holds locked (none, where locks are not kept).
bool ReplaceFile(const std::string& chemin, std::span<const uint8_t> octets, std::size_t tailleEntete = 0,
                 mode_t modeNouveau = 0666);

// ---- For tests ---------------------------------------------------------------------------

// Where tests step into a replacement, as another copy of the program saving into the same
// folder, or a file system that keeps no locks, would.
struct ReplacementSeams {
    // Locks the open file `fd`, named `nom`, as flock does, waiting for the lock or not: 0, or
    // the error number. Empty: flock.
    std::function<int(const std::string& nom, int fd, bool attendre)> Lock;
    // Run with the temporary file's name once it is written, flushed and still held, just
    // before it is renamed over the file it replaces.
    std::function<void(const std::string& nom)> BeforeRename;
};
// Puts `seams` in place; gives back those they replace.
ReplacementSeams InstallReplacementSeams(ReplacementSeams seams);

} // namespace platform

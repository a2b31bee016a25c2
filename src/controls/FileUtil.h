#pragma once
// File-name helpers of the component library (the file-name edit checks and shows names with
// them). Free of Qt. This file system has no short (8.3) names: a long name is the only name,
// so both lookups answer it.
#include <string>
#include <string_view>

// The path names an existing folder (links followed).
bool DirExists(const std::string& chemin);
// Any of `caracteres` occurs in `texte`.
bool HasAnyChar(std::string_view texte, std::string_view caracteres);
// Not empty, and none of < > " [ ] | in it.
bool ValidFileName(std::string_view nom);
// The name part of the file or folder found at the path, as the file system spells it; empty
// when nothing is there.
std::string LongFileName(const std::string& chemin);
std::string ShortFileName(const std::string& chemin);

// Long and short forms of whole paths. With no short names here, the long name of a path's last
// part is that part as stored (the path itself when nothing is found there, or for "/"), the
// long form of a path is its absolute form without "." and ".." parts and without a trailing
// "/" (but "/" itself), and the short form is the path unchanged. The long form is worked out on
// the names' bytes, whatever their encoding, and ".." at the root stays at the root: the one
// absolute form of a path for every file and folder control.
std::string LongNameOfPath(const std::string& chemin);
std::string LongFormOfPath(const std::string& chemin);
std::string ShortFormOfPath(const std::string& chemin);

#include "controls/FileUtil.h"

#include <filesystem>

bool DirExists(const std::string& chemin)
{
    std::error_code ec;
    return !chemin.empty() && std::filesystem::is_directory(chemin, ec);
}

bool HasAnyChar(std::string_view texte, std::string_view caracteres)
{
    return texte.find_first_of(caracteres) != std::string_view::npos;
}

bool ValidFileName(std::string_view nom)
{
    return !nom.empty() && !HasAnyChar(nom, "<>\"[]|");
}

std::string LongFileName(const std::string& chemin)
{
    namespace fs = std::filesystem;
    std::error_code ec;
    if (chemin.empty() || !fs::exists(fs::symlink_status(chemin, ec)))
        return {};
    fs::path p(chemin);
    // "folder/" names the folder itself; "/" has no name part of its own.
    if (!p.has_filename())
        p = p.parent_path();
    return p.filename().string();
}

std::string ShortFileName(const std::string& chemin) { return LongFileName(chemin); }

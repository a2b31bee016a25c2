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

std::string LongNameOfPath(const std::string& chemin)
{
    if (chemin.empty() || chemin.find_first_not_of('/') == std::string::npos)
        return chemin;
    const std::string nom = LongFileName(chemin);
    return nom.empty() ? chemin : nom;
}

std::string LongFormOfPath(const std::string& chemin)
{
    namespace fs = std::filesystem;
    const fs::path donne(chemin.empty() ? "." : chemin);
    std::error_code ec;
    fs::path absolu = fs::absolute(donne, ec);
    // Without a process folder (removed under it) a relative path stays relative, tidied all the same.
    if (ec)
        absolu = donne;
    // Lexically: ".." at the root is the root, and the bytes of the names are kept as they are.
    std::string resultat = absolu.lexically_normal().string();
    while (resultat.size() > 1 && resultat.back() == '/')
        resultat.pop_back();
    return resultat;
}

std::string ShortFormOfPath(const std::string& chemin) { return chemin; }

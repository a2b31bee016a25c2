#include "platform/FichierEntier.h"

#include <cstdio>
#include <filesystem>
#include <memory>

namespace platform {

template <class Octets>
std::optional<Octets> LireFichierEntier(const std::string& chemin, std::uintmax_t tailleMax)
{
    std::error_code ec;
    if (!std::filesystem::is_regular_file(chemin, ec))
        return std::nullopt;
    const std::uintmax_t taille = std::filesystem::file_size(chemin, ec);
    if (ec || taille > tailleMax)
        return std::nullopt;
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> f(std::fopen(chemin.c_str(), "rb"), &std::fclose);
    if (!f)
        return std::nullopt;
    Octets octets;
    octets.reserve(static_cast<std::size_t>(taille));
    // To the end of the file, not to the size seen before: a file that grew meanwhile is read
    // whole, up to the limit.
    char tampon[64 * 1024];
    std::size_t lus;
    while ((lus = std::fread(tampon, 1, sizeof tampon, f.get())) > 0) {
        if (lus > tailleMax - octets.size())
            return std::nullopt;
        octets.insert(octets.end(), tampon, tampon + lus);
    }
    if (std::ferror(f.get()))
        return std::nullopt;
    return octets;
}

template std::optional<std::string> LireFichierEntier<std::string>(const std::string&, std::uintmax_t);
template std::optional<std::vector<uint8_t>> LireFichierEntier<std::vector<uint8_t>>(const std::string&,
                                                                                     std::uintmax_t);

} // namespace platform

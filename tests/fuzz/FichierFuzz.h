#pragma once
// Readers that take a path get the input through one file per fuzzing process, rewritten for
// every input and removed at exit.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace fuzz {

inline const std::string& FichierTemporaire()
{
    static const std::string chemin = [] {
        const char* tmp = std::getenv("TMPDIR");
        std::string modele = std::string(tmp && *tmp ? tmp : "/tmp") + "/lyrx-fuzz-XXXXXX";
        const int fd = ::mkstemp(modele.data());
        if (fd < 0)
            std::abort();
        ::close(fd);
        return modele;
    }();
    static const bool nettoyage = std::atexit([] { std::remove(FichierTemporaire().c_str()); }) == 0;
    (void)nettoyage;
    return chemin;
}

// The bytes `avant` then the input, as the file's whole content; returns its path.
inline const std::string& EcrireFichierTemporaire(const uint8_t* octets, std::size_t taille,
                                                  const std::string& avant = {})
{
    const std::string& chemin = FichierTemporaire();
    std::FILE* f = std::fopen(chemin.c_str(), "wb");
    if (!f || std::fwrite(avant.data(), 1, avant.size(), f) != avant.size() ||
        std::fwrite(octets, 1, taille, f) != taille || std::fclose(f) != 0)
        std::abort();
    return chemin;
}

} // namespace fuzz

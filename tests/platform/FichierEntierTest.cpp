// Whole files read in one go: every byte, or nothing when the path is no readable regular file
// or holds more than the reader's limit.
#include "platform/FichierEntier.h"
#include "support/DossierTemporaire.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;
using platform::LireFichierEntier;

namespace {

TEST(FichierEntier, EveryByteOrNothing)
{
    const fs::path dossier = lyrx_test::DossierDuTest();
    const std::string octets("GIF89a\0\r\n\x1A\xFF", 11);
    std::ofstream(dossier / "image.gif", std::ios::binary) << octets;
    std::ofstream(dossier / "vide.lxl", std::ios::binary);
    fs::create_directory(dossier / "dossier.lxl");
    ::mkfifo((dossier / "tube").c_str(), 0600);
    std::string grand(200000, 'x'); // more than one read's worth
    grand[199999] = 'y';
    std::ofstream(dossier / "grand.txt", std::ios::binary) << grand;

    const struct {
        const char* nom;
        std::uintmax_t limite;
        std::optional<std::string> attendu;
    } cas[] = {
        {"image.gif", 1000, octets},
        {"image.gif", 11, octets}, // at the limit
        {"image.gif", 10, std::nullopt},
        {"vide.lxl", 0, std::string()},
        {"grand.txt", 1u << 20, grand},
        {"grand.txt", 199999, std::nullopt},
        {"absent.wav", 1000, std::nullopt},
        {"dossier.lxl", 1000, std::nullopt},
        {"tube", 1000, std::nullopt}, // would wait for a writer
    };
    for (const auto& c : cas) {
        const std::string chemin = (dossier / c.nom).string();
        EXPECT_EQ(LireFichierEntier<std::string>(chemin, c.limite), c.attendu) << c.nom << " " << c.limite;
        const auto enOctets = LireFichierEntier<std::vector<uint8_t>>(chemin, c.limite);
        ASSERT_EQ(enOctets.has_value(), c.attendu.has_value()) << c.nom;
        if (enOctets) {
            EXPECT_EQ(std::string(enOctets->begin(), enOctets->end()), *c.attendu) << c.nom;
        }
    }
    EXPECT_EQ(LireFichierEntier<std::string>((dossier / "grand.txt").string()), grand); // no limit

    // A file that cannot be opened; the superuser opens everything.
    if (::geteuid() != 0) {
        fs::permissions(dossier / "image.gif", fs::perms::none);
        EXPECT_FALSE(LireFichierEntier<std::string>((dossier / "image.gif").string()));
    }
}

} // namespace

// Copies of the program that replace the same file at the same time, each through its own
// temporary file beside it.
#include "platform/FichierIni.h"
#include "platform/FileReplacement.h"
#include "support/DossierTemporaire.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kTailleEntete = 31;

// What saver `n` writes at its turn `tour`: the header every save of the file begins with, then
// its own bytes.
std::vector<uint8_t> Image(int n, int tour)
{
    std::vector<uint8_t> image(kTailleEntete, uint8_t{'L'});
    const std::string corps = "saver " + std::to_string(n) + " turn " + std::to_string(tour);
    for (int i = 0; i < 200; ++i)
        image.insert(image.end(), corps.begin(), corps.end());
    return image;
}

std::vector<uint8_t> LireOctets(const fs::path& chemin)
{
    std::ifstream f(chemin, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}

// Four savers replace one file over and over for a second, each cleaning the folder of what
// killed saves left before it saves, as songs are saved: none of their saves fails, the file
// is whole, and nothing is left beside it.
TEST(FileReplacement, SaversOfTheSameFileAtTheSameTimeAllSucceed)
{
    const fs::path dossier = lyrx_test::DossierDuTest();
    const fs::path chemin = dossier / "song.lrx";
    ASSERT_TRUE(platform::ReplaceFile(chemin.string(), Image(0, 0), kTailleEntete));

    constexpr int kNbSauveurs = 4;
    std::vector<int> echecs(kNbSauveurs, 0), tours(kNbSauveurs, 0);
    std::vector<std::vector<uint8_t>> images;
    const auto fin = std::chrono::steady_clock::now() + std::chrono::seconds(1);
    std::vector<std::thread> sauveurs;
    for (int n = 0; n < kNbSauveurs; ++n)
        sauveurs.emplace_back([&, n] {
            while (std::chrono::steady_clock::now() < fin) {
                if (!platform::ReplaceFile(chemin.string(), Image(n, ++tours[n]), kTailleEntete))
                    ++echecs[n];
            }
        });
    for (std::thread& t : sauveurs)
        t.join();

    bool entiere = false;
    const std::vector<uint8_t> lu = LireOctets(chemin);
    for (int n = 0; n < kNbSauveurs; ++n) {
        SCOPED_TRACE(n);
        EXPECT_GT(tours[n], 1);
        EXPECT_EQ(echecs[n], 0) << "of " << tours[n];
        entiere = entiere || lu == Image(n, tours[n]);
    }
    EXPECT_TRUE(entiere);
    std::vector<std::string> noms;
    for (const fs::directory_entry& e : fs::directory_iterator(dossier))
        noms.push_back(e.path().filename().string());
    EXPECT_EQ(noms, std::vector<std::string>{"song.lrx"});
}

// Settings go to their file where the file system keeps no locks, as songs do.
TEST(FileReplacement, SettingsAreWrittenWhereTheFileSystemKeepsNoLocks)
{
    const fs::path dossier = lyrx_test::DossierDuTest();
    for (const int erreur : {ENOLCK, EOPNOTSUPP, ENOSYS, EINVAL}) {
        SCOPED_TRACE(std::strerror(erreur));
        const fs::path chemin = dossier / ("Lyrx220-" + std::to_string(erreur) + ".ini");
        platform::ReplacementSeams coutures;
        coutures.Lock = [erreur](const std::string&, int, bool) { return erreur; };
        const platform::ReplacementSeams avant = platform::InstallReplacementSeams(coutures);
        try {
            platform::FichierIni(chemin.string()).WriteString("Config", "PatcheLangue", "English");
        } catch (const platform::ErreurEcritureIni&) {
            ADD_FAILURE() << "refused";
        }
        platform::InstallReplacementSeams(avant);
        const std::vector<uint8_t> lu = LireOctets(chemin);
        EXPECT_EQ(std::string(lu.begin(), lu.end()), "[Config]\nPatcheLangue=English\n");
    }
    std::size_t n = 0;
    for ([[maybe_unused]] const fs::directory_entry& e : fs::directory_iterator(dossier))
        ++n;
    EXPECT_EQ(n, 4u); // the four files, no temporary one
}

} // namespace

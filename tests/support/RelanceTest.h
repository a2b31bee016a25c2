#pragma once
// The running test again, in a process of its own whose command is preceded by `variables`
// (a platform, a screen, a display): its output, written to `journal`, comes back in `sortie`.
// True when it passed.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace lyrx_test {

inline bool RelancerTestCourant(const std::string& variables, const std::filesystem::path& journal, std::string& sortie)
{
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    const std::string commande = variables + " " + std::filesystem::read_symlink("/proc/self/exe").string()
                                 + " --gtest_filter=" + test->test_suite_name() + "." + test->name() + " > "
                                 + journal.string() + " 2>&1";
    const int statut = std::system(commande.c_str());
    std::stringstream texte;
    texte << std::ifstream(journal).rdbuf();
    sortie = texte.str();
    return statut == 0;
}

} // namespace lyrx_test

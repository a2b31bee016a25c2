#pragma once
// Folders for tests that write files: each one new and of its own, so that tests running side
// by side (ctest -j, two checkouts on one machine) never meet in a shared path.
#include <filesystem>
#include <optional>
#include <string>

namespace lyrx_test {

// A new empty folder under the system's temporary folder, removed with its content when the
// object goes.
class DossierTemporaire {
public:
    explicit DossierTemporaire(const std::string& prefixe = "lyrx-test");
    ~DossierTemporaire();
    DossierTemporaire(const DossierTemporaire&) = delete;
    DossierTemporaire& operator=(const DossierTemporaire&) = delete;

    const std::filesystem::path& Chemin() const { return chemin_; }
    std::filesystem::path operator/(const std::filesystem::path& nom) const { return chemin_ / nom; }

private:
    std::filesystem::path chemin_;
};

// An environment variable set (or, given nullopt, removed) for the object's life; what it held
// before comes back after (the shared main gives LYRX_WINDOWS_DIR a folder of the process's own,
// which later tests of the same program must find again).
class VariableEnvironnement {
public:
    VariableEnvironnement(std::string nom, const std::optional<std::string>& valeur);
    ~VariableEnvironnement();
    VariableEnvironnement(const VariableEnvironnement&) = delete;
    VariableEnvironnement& operator=(const VariableEnvironnement&) = delete;

private:
    std::string nom_;
    std::optional<std::string> avant_;
};

// The folder of the running test: made by the first call within a test, the same for every
// later call in it, and removed when the test ends.
const std::filesystem::path& DossierDuTest();

// Installed by the shared main: at the end of each test puts back the working folder it started
// in and removes the test's folder, and gives the program's settings folder (LYRX_WINDOWS_DIR)
// a folder of the process's own unless the environment names one.
void InstallerDossiersTemporaires();

} // namespace lyrx_test

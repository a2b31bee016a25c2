#include "support/DossierTemporaire.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <memory>
#include <stdexcept>
#include <system_error>

namespace lyrx_test {

DossierTemporaire::DossierTemporaire(const std::string& prefixe)
{
    std::string modele = (std::filesystem::temp_directory_path() / (prefixe + "-XXXXXX")).string();
    if (!::mkdtemp(modele.data()))
        throw std::runtime_error("cannot make a temporary folder from " + modele);
    chemin_ = modele;
}

DossierTemporaire::~DossierTemporaire()
{
    std::error_code ec;
    std::filesystem::remove_all(chemin_, ec);
}

namespace {

std::unique_ptr<DossierTemporaire> dossierDuTest;

class NettoyageDossiers : public ::testing::EmptyTestEventListener {
    void OnTestStart(const ::testing::TestInfo&) override
    {
        std::error_code ec;
        dossierCourant_ = std::filesystem::current_path(ec);
    }
    void OnTestEnd(const ::testing::TestInfo&) override
    {
        // Opening a song makes its folder the working one; the next test must not start in a
        // folder that is about to be removed.
        std::error_code ec;
        if (!dossierCourant_.empty())
            std::filesystem::current_path(dossierCourant_, ec);
        dossierDuTest.reset();
    }

    std::filesystem::path dossierCourant_;
};

} // namespace

const std::filesystem::path& DossierDuTest()
{
    if (!dossierDuTest) {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        std::string nom = info ? std::string("lyrx-") + info->test_suite_name() + "." + info->name() : "lyrx-test";
        // Parameterised names carry "/"; a folder name cannot.
        for (char& c : nom)
            if (c == '/')
                c = '_';
        dossierDuTest = std::make_unique<DossierTemporaire>(nom);
    }
    return dossierDuTest->Chemin();
}

VariableEnvironnement::VariableEnvironnement(std::string nom, const std::optional<std::string>& valeur)
    : nom_(std::move(nom))
{
    if (const char* v = std::getenv(nom_.c_str()))
        avant_ = v;
    if (valeur)
        setenv(nom_.c_str(), valeur->c_str(), 1);
    else
        unsetenv(nom_.c_str());
}

VariableEnvironnement::~VariableEnvironnement()
{
    if (avant_)
        setenv(nom_.c_str(), avant_->c_str(), 1);
    else
        unsetenv(nom_.c_str());
}

void InstallerDossiersTemporaires()
{
    ::testing::UnitTest::GetInstance()->listeners().Append(new NettoyageDossiers);
    if (!std::getenv("LYRX_WINDOWS_DIR")) {
        static DossierTemporaire windows("lyrx-windows");
        setenv("LYRX_WINDOWS_DIR", windows.Chemin().c_str(), 1);
    }
}

} // namespace lyrx_test

// The settings file: any bytes give bounded values for every section and key, a change
// leaves every other value as it was, and the whole configuration (settings, language choice,
// recent files, tuning, chord library) loads from it within its limits.
#include "FichierFuzz.h"
#include "LimitesPartition.h"
#include "document/ConfigFichier.h"
#include "document/Routines.h"
#include "document/Variable.h"
#include "platform/FichierIni.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <tuple>
#include <vector>

namespace {

using Valeurs = std::vector<std::tuple<std::string, std::string, std::string>>;

Valeurs LireTout(const platform::FichierIni& ini)
{
    Valeurs valeurs;
    for (const std::string& section : ini.ReadSections())
        for (const std::string& cle : ini.ReadSection(section)) {
            std::string valeur = ini.ReadString(section, cle, "");
            if (valeur.size() > platform::FichierIni::LongueurMaxValeur)
                fuzz::Violation("value length", static_cast<int>(valeur.size()));
            ini.ReadInteger(section, cle, 0);
            valeurs.emplace_back(section, cle, std::move(valeur));
        }
    return valeurs;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* octets, std::size_t taille)
{
    const std::string& chemin = fuzz::EcrireFichierTemporaire(octets, taille);
    {
        platform::FichierIni ini(chemin);
        const Valeurs avant = LireTout(ini);
        ini.WriteString("Lyrx fuzz", "Cle", "valeur");
        platform::FichierIni relu(chemin);
        if (relu.ReadString("Lyrx fuzz", "Cle", "") != "valeur")
            fuzz::Violation("a written value is not read back");
        for (const auto& [section, cle, valeur] : avant)
            if (relu.ReadString(section, cle, "") != valeur)
                fuzz::Violation("a value changed when another was written");
    }

    fuzz::EcrireFichierTemporaire(octets, taille);
    ReinitialiserPartition();
    ChargerConfiguration(LYRX_PROGRAM_DATA_DIR, chemin);
    if (NbLibrairieAccords < 0 || NbLibrairieAccords > kNbLibrairieAccordsMax)
        fuzz::Violation("chord library size", NbLibrairieAccords);
    fuzz::VerifierLimitesPartition();
    return 0;
}

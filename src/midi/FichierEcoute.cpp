#include "midi/FichierEcoute.h"

#include "document/Fenetre.h"
#include "document/Langue.h"
#include "document/Mess.h"
#include "midi/uMIDIPile.h"
#include "platform/LecteurMedia.h"

#include <fstream>
#include <string_view>

std::vector<uint8_t> EnTeteEcoute()
{
    uint8_t t1 = 0, t2 = 0, t3 = 0;
    TempoEnOctets(100, t1, t2, t3);
    return {
        'M', 'T', 'h', 'd', 0x00, 0x00, 0x00, 0x06, 0x00, 0x01, 0x00, 0x02, 0x01, 0xE0,
        'M', 'T', 'r', 'k', 0x00, 0x00, 0x00, 0x19,
        0x00, 0xFF, 0x51, 0x03, t1, t2, t3,
        0x00, 0xFF, 0x58, 0x04, 0x04, 0x02, 0x18, 0x08,
        0x00, 0xFF, 0x59, 0x02, 0x00, 0x00,
        0x00, 0xFF, 0x2F, 0x00,
    };
}

void AjouterPisteEcoute(std::vector<uint8_t>& o, const std::vector<uint8_t>& corps)
{
    AjouterOctets(o, {'M', 'T', 'r', 'k'});
    AjouterLongueurChunk(o, static_cast<uint32_t>(corps.size() + 1));
    o.push_back(0x00);
    o.insert(o.end(), corps.begin(), corps.end());
}

void AjouterNomLogiciel(std::vector<uint8_t>& corps)
{
    static constexpr std::string_view nom = "Lyrandaxis 2.2";
    AjouterOctets(corps, {0x00, 0xFF, MetaNomPiste, static_cast<uint8_t>(nom.size())});
    AjouterOctets(corps, nom);
}

bool EcrireOctetsFichier(const std::string& fichier, const std::vector<uint8_t>& octets)
{
    std::ofstream f(fichier, std::ios::binary | std::ios::trunc);
    if (!f)
        return false;
    f.write(reinterpret_cast<const char*>(octets.data()), static_cast<std::streamsize>(octets.size()));
    f.close();
    return static_cast<bool>(f);
}

bool EcrireFichierEcoute(const std::string& fichier, const std::vector<uint8_t>& octets)
{
    if (EcrireOctetsFichier(fichier, octets))
        return true;
    FenetrePrincipale().CurseurSablier(false);
    AfficherMessage(Traduire("Dlg-Erreur"), Traduire("MidiExp-EcritureFichierImpossibleEnregAb"), IconeErreur,
                    BoutonOK, DefautOK, PlacementCentre);
    return false;
}

bool JouerFichierEcoute(platform::LecteurMedia& mp, const std::string& fichier)
{
    mp.SetFileName(fichier);
    mp.Open();
    mp.SetNotify(true);
    mp.Play();
    if (mp.Error() == platform::LecteurMedia::ErreurAucune)
        return true;
    mp.Stop();
    return false;
}

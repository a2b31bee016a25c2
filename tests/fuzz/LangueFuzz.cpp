// The language file: any bytes give a dictionary, captions and messages of bounded length,
// however the sections, markers and quotes are broken.
#include "LimitesPartition.h"
#include "document/Langue.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* octets, std::size_t taille)
{
    TableLangue = DecouperLignes(std::string_view(reinterpret_cast<const char*>(octets), taille));
    ConstruireDictionnaire();

    std::string utilisees;
    std::string_view section;
    for (const CleDictionnaire& cle : TableClesDictionnaire()) {
        const std::string texte = Traduire(cle.Cle);
        if (texte.size() > 500)
            fuzz::Violation("message length", static_cast<int>(texte.size()));
        const std::string message = FormaterMessage2(FormaterMessage1(texte, "%1"), "%1", "%2");
        if (message.size() > texte.size() + 1500)
            fuzz::Violation("formatted message length", static_cast<int>(message.size()));
        AjouterRaccourci(texte, utilisees);
        // The windows read their captions by position below the markers.
        if (cle.Section != section) {
            section = cle.Section;
            const int marqueur = ChercherMarqueur(section);
            for (int k = -1; k <= 64; ++k)
                if (TexteEntreeLangue(marqueur, k).size() > 499)
                    fuzz::Violation("caption length", marqueur, k);
        }
    }
    return 0;
}

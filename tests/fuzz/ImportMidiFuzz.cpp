// The MIDI import, from the file through the source list, quantising, laying into beats,
// fingering and completing the measures: any bytes give a refusal or a song within the song
// record's limits. The import dialog is answered by a window that maps the sources onto the
// tracks in turn with every quantisation step and both octave choices.
#include "FichierFuzz.h"
#include "LimitesPartition.h"
#include "document/Fenetre.h"
#include "document/Variable.h"
#include "midi/ImportMidi.h"

#include <cstddef>
#include <cstdint>

namespace {

class FenetreImport : public IFenetrePrincipale {
public:
    bool DialogueImportMidi() override
    {
        static constexpr int32_t kPas[] = {2, 4, 8, 16};
        const auto n = static_cast<int32_t>(ListePisteImport.size());
        for (int32_t t = 1; t <= kNbPistes; ++t) {
            ProprietesTempo.PisteSource[t] = n > 0 ? (t - 1) % n + 1 : 0;
            ProprietesTempo.OctaveInferieure[t] = t % 2 == 0;
            ProprietesTempo.Quantification[t] = kPas[(t - 1) % 4];
        }
        return true;
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* octets, std::size_t taille)
{
    static FenetreImport fenetre;
    InstallerFenetrePrincipale(&fenetre);
    ImporterFichierMidi(fuzz::EcrireFichierTemporaire(octets, taille));
    fuzz::VerifierLimitesPartition();
    return 0;
}

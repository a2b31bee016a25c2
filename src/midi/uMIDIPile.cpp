#include "midi/uMIDIPile.h"

#include <algorithm>

std::vector<uint8_t> TamponMidi;

void cMIDIPile::Vider()
{
    evts_.clear();
    trie_ = true;
}

void cMIDIPile::Ajouter(int64_t temps, int32_t canal, uint8_t statut, uint8_t donnee1, uint8_t donnee2,
                        int32_t valeur)
{
    Inserer(cEvtMIDIPile{temps, canal, statut, donnee1, donnee2, valeur});
}

void cMIDIPile::Inserer(const cEvtMIDIPile& evt)
{
    if (!evts_.empty() && evts_.back().Temps > evt.Temps)
        trie_ = false;
    evts_.push_back(evt);
}

const std::vector<cEvtMIDIPile>& cMIDIPile::Evenements() const
{
    if (!trie_) {
        std::stable_sort(evts_.begin(), evts_.end(),
                         [](const cEvtMIDIPile& a, const cEvtMIDIPile& b) { return a.Temps < b.Temps; });
        trie_ = true;
    }
    return evts_;
}

void cMIDIPile::EcrireTampon(std::vector<uint8_t>& octets) const
{
    const auto& evts = Evenements();
    octets.reserve(octets.size() + evts.size() * 4);
    int64_t precedent = evts.empty() ? 0 : evts.front().Temps;
    for (const cEvtMIDIPile& e : evts) {
        AjouterDelta(octets, e.Temps - precedent);
        precedent = e.Temps;
        octets.push_back(static_cast<uint8_t>(e.Statut + e.Canal));
        octets.push_back(e.Donnee1);
        switch (e.Statut) {
        case StatutProgramme:
        case StatutPressionCanal:
            break;
        case StatutMeta:
            octets.push_back(e.Donnee2);
            if (e.Donnee1 == MetaTempo && e.Donnee2 == 3) {
                uint8_t b1, b2, b3;
                TempoEnOctets(e.Valeur, b1, b2, b3);
                octets.insert(octets.end(), {b1, b2, b3});
            } else {
                octets.push_back(static_cast<uint8_t>(e.Valeur & 0xFF));
            }
            break;
        default:
            octets.push_back(e.Donnee2);
            break;
        }
    }
}

void cMIDIPile::EcrireTampon(int32_t& index) const
{
    std::vector<uint8_t> corps;
    EcrireTampon(corps);
    if (TamponMidi.size() < static_cast<std::size_t>(index) + corps.size())
        TamponMidi.resize(static_cast<std::size_t>(index) + corps.size());
    std::copy(corps.begin(), corps.end(), TamponMidi.begin() + index);
    index += static_cast<int32_t>(corps.size());
}

int CoderLongueurVariable(int64_t valeur, uint8_t (&octets)[4])
{
    const uint32_t v = static_cast<uint32_t>(std::clamp<int64_t>(valeur, 0, LongueurVariableMax));
    int n = 1;
    while (n < 4 && (v >> (7 * n)) != 0)
        ++n;
    for (int i = 0; i < n; ++i) {
        const uint8_t septet = static_cast<uint8_t>((v >> (7 * (n - 1 - i))) & 0x7F);
        octets[i] = static_cast<uint8_t>(i < n - 1 ? septet | 0x80 : septet);
    }
    return n;
}

void AjouterDelta(std::vector<uint8_t>& octets, int64_t delta)
{
    uint8_t vlq[4];
    // A gap of more than about 300,000 quarter notes: empty text events carry the surplus.
    while (delta > LongueurVariableMax) {
        const int n = CoderLongueurVariable(LongueurVariableMax, vlq);
        octets.insert(octets.end(), vlq, vlq + n);
        octets.insert(octets.end(), {0xFF, 0x01, 0x00});
        delta -= LongueurVariableMax;
    }
    const int n = CoderLongueurVariable(delta, vlq);
    octets.insert(octets.end(), vlq, vlq + n);
}

void TempoEnOctets(int32_t bpm, uint8_t& b1, uint8_t& b2, uint8_t& b3)
{
    int64_t micro = bpm > 0 ? static_cast<int64_t>(60000000 / bpm) : 0xFFFFFF;
    micro = std::clamp<int64_t>(micro, 1, 0xFFFFFF);
    b1 = static_cast<uint8_t>(micro >> 16);
    b2 = static_cast<uint8_t>((micro >> 8) & 0xFF);
    b3 = static_cast<uint8_t>(micro & 0xFF);
}

void DecouperOctets(uint32_t valeur, uint8_t (&octets)[4])
{
    octets[0] = static_cast<uint8_t>(valeur >> 24);
    octets[1] = static_cast<uint8_t>((valeur >> 16) & 0xFF);
    octets[2] = static_cast<uint8_t>((valeur >> 8) & 0xFF);
    octets[3] = static_cast<uint8_t>(valeur & 0xFF);
}

void AjouterLongueurChunk(std::vector<uint8_t>& octets, uint32_t valeur)
{
    uint8_t b[4];
    DecouperOctets(valeur, b);
    octets.insert(octets.end(), b, b + 4);
}

void DecouperMot(int32_t valeur, uint8_t& haut, uint8_t& bas)
{
    haut = static_cast<uint8_t>((valeur >> 8) & 0xFF);
    bas = static_cast<uint8_t>(valeur & 0xFF);
}

void AjouterOctets(std::vector<uint8_t>& octets, std::initializer_list<uint8_t> ajout)
{
    for (uint8_t o : ajout)
        octets.push_back(o);
}

void AjouterOctets(std::vector<uint8_t>& octets, std::string_view ajout)
{
    for (char c : ajout)
        octets.push_back(static_cast<uint8_t>(c));
}

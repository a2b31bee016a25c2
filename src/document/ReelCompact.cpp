#include "document/ReelCompact.h"

#include <bit>
#include <mutex>
#include <new>
#include <unordered_map>

struct ReelCompact::Table::Etat {
    std::mutex verrou;
    std::unordered_map<uint64_t, uint16_t> parBits; // the bits of a value in use: its slot
    unsigned jamaisUtilisee = 0;                    // the first slot never used
    // Fixed, like the values: giving a slot back (in a destructor) never allocates.
    std::unique_ptr<uint32_t[]> detenteurs{new uint32_t[kNbCases]}; // the amounts holding each slot
    std::unique_ptr<uint16_t[]> libres{new uint16_t[kNbCases]};     // slots given back, to be used again
    unsigned nbLibres = 0;
};

ReelCompact::Table::Table() : etat_(std::make_unique<Etat>()), valeurs_(new double[kNbCases]) {}

ReelCompact::Table::~Table() = default;

uint16_t ReelCompact::Table::Take(double valeur)
{
    Etat& etat = *etat_;
    const std::lock_guard verrou(etat.verrou);
    // By the bits, so that -0.0 and every NaN read back as they were.
    const auto bits = std::bit_cast<uint64_t>(valeur);
    if (const auto trouve = etat.parBits.find(bits); trouve != etat.parBits.end()) {
        ++etat.detenteurs[trouve->second];
        return static_cast<uint16_t>(kPremierCodeTable + trouve->second);
    }
    unsigned entree = 0;
    if (etat.nbLibres > 0)
        entree = etat.libres[etat.nbLibres - 1];
    else if (etat.jamaisUtilisee < kNbCases)
        entree = etat.jamaisUtilisee;
    else
        throw TableFull(); // two bytes name no more values than there are slots
    etat.parBits.emplace(bits, static_cast<uint16_t>(entree)); // may throw: nothing taken yet
    if (etat.nbLibres > 0)
        --etat.nbLibres;
    else
        ++etat.jamaisUtilisee;
    valeurs_[entree] = valeur;
    etat.detenteurs[entree] = 1;
    return static_cast<uint16_t>(kPremierCodeTable + entree);
}

void ReelCompact::Table::Hold(uint16_t code)
{
    Etat& etat = *etat_;
    const std::lock_guard verrou(etat.verrou);
    ++etat.detenteurs[code - kPremierCodeTable];
}

void ReelCompact::Table::Release(uint16_t code)
{
    Etat& etat = *etat_;
    const std::lock_guard verrou(etat.verrou);
    const unsigned entree = code - kPremierCodeTable;
    if (--etat.detenteurs[entree] == 0) {
        etat.parBits.erase(std::bit_cast<uint64_t>(valeurs_[entree]));
        etat.libres[etat.nbLibres++] = static_cast<uint16_t>(entree);
    }
}

std::size_t ReelCompact::Table::SlotsInUse() const
{
    const std::lock_guard verrou(etat_->verrou);
    return etat_->parBits.size();
}

ReelCompact::Table& ReelCompact::TableCommune()
{
    // Never destroyed: songs held by static objects give their amounts back after the end of main.
    static Table& table = *new Table;
    return table;
}

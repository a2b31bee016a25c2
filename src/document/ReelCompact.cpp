#include "document/ReelCompact.h"

#include <array>
#include <bit>
#include <mutex>
#include <unordered_map>
#include <vector>

namespace {

constexpr unsigned kTailleTable = ReelCompact::kCodeAPart - ReelCompact::kPremierCodeTable;

// Fixed arrays rather than growing ones: a reader (playback, drawing) never meets a table being
// moved, and the entries never used cost no memory. An entry in use is written once, before
// its code is handed out, and not again until the last amount holding it has gone.
std::array<double, kTailleTable> table;
std::array<uint32_t, kTailleTable> detenteurs; // the amounts holding each entry

struct Etat {
    std::mutex verrou;
    std::unordered_map<uint64_t, uint16_t> parBits; // the bits of a value in use: its entry
    std::vector<uint16_t> libres;                   // entries given back, to be used again
    unsigned jamaisUtilisee = 0;                    // the first entry never used
    std::unordered_map<const ReelCompact*, double> aPart;
};

// Never destroyed: songs held by static objects give their amounts back after the end of main.
Etat& EtatTable()
{
    static Etat& etat = *new Etat;
    return etat;
}

} // namespace

void ReelCompact::StockerHorsGrille(double valeur)
{
    Etat& etat = EtatTable();
    const std::lock_guard verrou(etat.verrou);
    // By the bits, so that -0.0 and every NaN read back as they were.
    const auto bits = std::bit_cast<uint64_t>(valeur);
    if (const auto trouve = etat.parBits.find(bits); trouve != etat.parBits.end()) {
        ++detenteurs[trouve->second];
        code_ = static_cast<uint16_t>(kPremierCodeTable + trouve->second);
        return;
    }
    unsigned entree = kTailleTable;
    if (!etat.libres.empty()) {
        entree = etat.libres.back();
        etat.libres.pop_back();
    } else if (etat.jamaisUtilisee < kTailleTable) {
        entree = etat.jamaisUtilisee++;
    }
    if (entree == kTailleTable) {
        etat.aPart[this] = valeur;
        code_ = kCodeAPart;
        return;
    }
    table[entree] = valeur;
    detenteurs[entree] = 1;
    etat.parBits.emplace(bits, static_cast<uint16_t>(entree));
    code_ = static_cast<uint16_t>(kPremierCodeTable + entree);
}

namespace {

// `code` now held by one more amount, `detenteur`, the lock taken.
void Retenir(Etat& etat, uint16_t code, const ReelCompact* detenteur, const ReelCompact& source)
{
    if (code == ReelCompact::kCodeAPart)
        etat.aPart[detenteur] = etat.aPart.at(&source);
    else
        ++detenteurs[code - ReelCompact::kPremierCodeTable];
}

// `code` no longer held by `detenteur`, the lock taken.
void Rendre(Etat& etat, uint16_t code, const ReelCompact* detenteur)
{
    if (code == ReelCompact::kCodeAPart) {
        etat.aPart.erase(detenteur);
        return;
    }
    const unsigned entree = code - ReelCompact::kPremierCodeTable;
    if (--detenteurs[entree] == 0) {
        etat.parBits.erase(std::bit_cast<uint64_t>(table[entree]));
        etat.libres.push_back(static_cast<uint16_t>(entree));
    }
}

} // namespace

void ReelCompact::CopierHorsGrille(const ReelCompact& autre)
{
    Etat& etat = EtatTable();
    const std::lock_guard verrou(etat.verrou);
    Retenir(etat, autre.code_, this, autre);
    code_ = autre.code_;
}

void ReelCompact::AffecterHorsGrille(const ReelCompact& autre)
{
    Etat& etat = EtatTable();
    const std::lock_guard verrou(etat.verrou);
    // The new value held before the old one is given back: both may be the same entry.
    if (autre.code_ >= kPremierCodeTable)
        Retenir(etat, autre.code_, this, autre);
    if (code_ >= kPremierCodeTable && !(code_ == kCodeAPart && autre.code_ == kCodeAPart))
        Rendre(etat, code_, this);
    code_ = autre.code_;
}

void ReelCompact::Liberer()
{
    Etat& etat = EtatTable();
    const std::lock_guard verrou(etat.verrou);
    Rendre(etat, code_, this);
}

double ReelCompact::ValeurAPart() const
{
    Etat& etat = EtatTable();
    const std::lock_guard verrou(etat.verrou);
    return etat.aPart.at(this);
}

double ReelCompact::ValeurDeTable(unsigned entree) { return table[entree]; }

ReelCompact::Occupation ReelCompact::OccupationActuelle()
{
    Etat& etat = EtatTable();
    const std::lock_guard verrou(etat.verrou);
    return {etat.parBits.size(), etat.aPart.size()};
}

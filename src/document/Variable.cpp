#include "document/Variable.h"

#include <algorithm>

TPartition Partition;
TProprietesTempo ProprietesTempo;
int32_t PisteCourante = 1;
TCurseur Curseur;

TMesure MesureAnnulation;
TMesure CopieMesureEntree;

std::string CheminFichier;
std::string NomFichier;
bool PartitionModifiee = false;
bool PartitionVierge = true;

OneBased<std::unique_ptr<TAccord>, kNbAccordsPartitionMax> AccordsPartition;
int32_t NbAccordsPartition = 0;
OneBased<std::unique_ptr<TAccord>, kNbAccordsUtilisesMax> AccordsUtilises;
int32_t NbAccordsUtilises = 0;
OneBased<std::unique_ptr<TAccord>, kNbLibrairieAccordsMax> LibrairieAccords;
int32_t NbLibrairieAccords = 0;

void MarquerModifiee()
{
    PartitionModifiee = true;
    PartitionVierge = false;
}

TTempsPiste::TTempsPiste(const TTempsPiste& autre)
{
    slots_.reserve(autre.slots_.size());
    for (const auto& temps : autre.slots_)
        slots_.push_back(temps ? std::make_unique<TTemps>(*temps) : nullptr);
}

TTempsPiste& TTempsPiste::operator=(const TTempsPiste& autre)
{
    if (this != &autre) {
        TTempsPiste copie(autre);
        slots_.swap(copie.slots_);
    }
    return *this;
}

const TTemps& TTempsPiste::TempsVide()
{
    static const TTemps vide;
    return vide;
}

TTemps& TTempsPiste::Stocker(int b)
{
    assert(b >= 0 && b <= kNbTempsMax);
    const auto i = static_cast<std::size_t>(std::max(b, 0));
    if (i >= slots_.size()) {
        // Track parts grow a beat at a time: room for a few more beats at once, never more
        // than the slots a measure has.
        if (i >= slots_.capacity())
            slots_.reserve(std::max<std::size_t>(i + 1, std::min<std::size_t>(i + 8, kNbTempsMax + 1)));
        slots_.resize(i + 1);
    }
    slots_[i] = std::make_unique<TTemps>();
    return *slots_[i];
}

#pragma once
// Identical chords and mix-table changes met while reading a song share one record. A beat's
// records are immutable (a change puts a new record in place), so sharing them is invisible,
// and a song that repeats the same few chords on thousands of beats holds them once.
//
// Only the last distinct records are kept for comparison: songs repeat a handful of chords and
// mixes, and a song made of all-different records reads in bounded time, each record its own.
#include <array>
#include <cstddef>
#include <memory>
#include <utility>

template <class T>
class EnregistrementsPartages {
public:
    std::shared_ptr<const T> Partager(T&& valeur)
    {
        if (auto trouve = Chercher(valeur))
            return trouve;
        return Retenir(std::make_shared<const T>(std::move(valeur)));
    }

    std::shared_ptr<const T> Partager(std::shared_ptr<const T> enregistrement)
    {
        if (!enregistrement)
            return enregistrement;
        if (auto trouve = Chercher(*enregistrement))
            return trouve;
        return Retenir(std::move(enregistrement));
    }

private:
    static constexpr std::size_t kNbRetenus = 32;

    std::shared_ptr<const T> Chercher(const T& valeur) const
    {
        for (const auto& retenu : retenus_)
            if (retenu && *retenu == valeur)
                return retenu;
        return nullptr;
    }

    std::shared_ptr<const T> Retenir(std::shared_ptr<const T> enregistrement)
    {
        retenus_[suivant_] = enregistrement;
        suivant_ = (suivant_ + 1) % kNbRetenus;
        return enregistrement;
    }

    std::array<std::shared_ptr<const T>, kNbRetenus> retenus_;
    std::size_t suivant_ = 0;
};

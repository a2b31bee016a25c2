#include "platform/Sablier.h"

#include <utility>

namespace platform {
namespace {

int profondeur = 0;

AfficheurSablier& Afficheur()
{
    static AfficheurSablier afficheur;
    return afficheur;
}

void Prevenir(bool occupe)
{
    if (Afficheur())
        Afficheur()(occupe);
}

} // namespace

void InstallerAfficheurSablier(AfficheurSablier afficheur)
{
    if (profondeur > 0)
        Prevenir(false);
    Afficheur() = std::move(afficheur);
    if (profondeur > 0)
        Prevenir(true);
}

bool SablierAffiche() { return profondeur > 0; }

Sablier::Sablier()
{
    // Counted only once shown: an afficheur that throws leaves no guard behind.
    if (profondeur == 0)
        Prevenir(true);
    ++profondeur;
}

Sablier::~Sablier() { Terminer(); }

void Sablier::Terminer()
{
    if (!actif_)
        return;
    actif_ = false;
    if (--profondeur == 0) {
        // A destructor must not throw: an afficheur that fails leaves the count right anyway.
        try {
            Prevenir(false);
        } catch (...) {
        }
    }
}

} // namespace platform

#include "platform/Sablier.h"

#include <utility>

namespace platform {
namespace {

int profondeur = 0;
int discretion = 0;
// The afficheur was told the busy cursor shows.
bool montre = false;

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
    if (montre)
        Prevenir(false);
    Afficheur() = std::move(afficheur);
    if (montre)
        Prevenir(true);
}

bool SablierAffiche() { return montre; }

Sablier::Sablier()
{
    // Counted only once shown: an afficheur that throws leaves no guard behind.
    if (profondeur == 0 && discretion == 0) {
        Prevenir(true);
        montre = true;
    }
    ++profondeur;
}

Sablier::~Sablier() { Terminer(); }

void Sablier::Terminer()
{
    if (!actif_)
        return;
    actif_ = false;
    if (--profondeur == 0 && montre) {
        montre = false;
        // A destructor must not throw: an afficheur that fails leaves the count right anyway.
        try {
            Prevenir(false);
        } catch (...) {
        }
    }
}

SablierDiscret::SablierDiscret() { ++discretion; }

SablierDiscret::~SablierDiscret() { --discretion; }

} // namespace platform

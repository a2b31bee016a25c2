#include "document/Fenetre.h"

namespace {
IFenetrePrincipale silencieuse;
IFenetrePrincipale* installee = &silencieuse;
} // namespace

IFenetrePrincipale& FenetrePrincipale() { return *installee; }

void InstallerFenetrePrincipale(IFenetrePrincipale* fenetre)
{
    installee = fenetre ? fenetre : &silencieuse;
}

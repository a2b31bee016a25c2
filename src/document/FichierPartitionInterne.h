#pragma once
// What the reader and the writer of the song file (FichierPartition*.cpp) share. Only they
// include it.
#include "document/Langue.h"
#include "document/Mess.h"
#include "document/Variable.h"

namespace {

constexpr int kTailleMarque = 30;
constexpr int kNbTempsFichierMax = kNbTempsMax - 1; // the free slot must stay inside the block

inline void AfficherErreur(const char* cle)
{
    AfficherMessage(Traduire("Dlg-Erreur"), Traduire(cle), IconeErreur, BoutonOK, DefautOK, PlacementCentre);
}

} // namespace

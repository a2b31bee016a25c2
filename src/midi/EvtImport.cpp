#include "midi/EvtImport.h"

std::vector<TEvtImport> EvtImport(1);
int32_t NbEvtImport = 1;
double DureeTotaleImport = 0.0;

void ViderEvtImport()
{
    EvtImport.assign(1, TEvtImport{});
    NbEvtImport = 1;
}

bool AjouterEvtImport(int32_t hauteur, double duree)
{
    if (NbEvtImport < 1 || NbEvtImport > kNbEvtImportMax)
        return false;
    if (static_cast<int32_t>(EvtImport.size()) <= NbEvtImport)
        EvtImport.resize(static_cast<std::size_t>(NbEvtImport) + 1);
    EvtImport[NbEvtImport] = TEvtImport{hauteur, duree};
    ++NbEvtImport;
    return true;
}

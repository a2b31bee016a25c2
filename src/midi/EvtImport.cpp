#include "midi/EvtImport.h"

#include "document/Langue.h"

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

bool AjouterParagrapheOmises(std::string& texte, const char* cle, const TNotesOmises& notes, int32_t mesure)
{
    if (notes.Nombre == 0)
        return false;
    if (!texte.empty())
        texte += "\n\n";
    texte += FormaterMessage2(Traduire(cle), std::to_string(notes.Nombre), std::to_string(mesure));
    return true;
}

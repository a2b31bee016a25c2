#include "dialogs/DialoguesPressePapier.h"

#include "dialogs/Copier.h"
#include "dialogs/Couper.h"
#include "dialogs/Services.h"
#include "dialogs/sais_paste.h"

#include <QRadioButton>

DialoguesPressePapierQt::DialoguesPressePapierQt(QWidget* parent)
    : parent_(parent), executeur_([](QDialog& d) { return d.exec(); })
{
}

void DialoguesPressePapierQt::DefinirExecuteur(Executeur executeur)
{
    executeur_ = executeur ? std::move(executeur) : Executeur([](QDialog& d) { return d.exec(); });
}

bool DialoguesPressePapierQt::Couper(int32_t& mesureDebut, int32_t& mesureFin)
{
    TCouperForm d(parent_);
    if (executeur_(d) != QDialog::Accepted)
        return false;
    mesureDebut = d.Plage->Debut().value_or(0);
    mesureFin = d.Plage->Fin().value_or(0);
    return true;
}

bool DialoguesPressePapierQt::Copier(ModeCopierForm mode, int32_t& mesureDebut, int32_t& mesureFin,
                                     bool& toutesPistes)
{
    TCopierForm d(parent_);
    d.Mode = mode;
    d.TraduireCopier();
    if (executeur_(d) != QDialog::Accepted)
        return false;
    mesureDebut = d.Plage->Debut().value_or(0);
    mesureFin = d.Plage->Fin().value_or(0);
    toutesPistes = d.ToutesPistes->isChecked();
    return true;
}

bool DialoguesPressePapierQt::Coller(bool toutesPistes, int32_t nbMesures, TChoixCollage& choix)
{
    TSais_Paste_Form d(parent_);
    d.DefinirQuestion(toutesPistes, nbMesures);
    d.Verifier = choix.Verifier;
    if (executeur_(d) != ResultatModalOui)
        return false;
    choix.Nombre = d.NbCollages();
    choix.Place = d.Place();
    return true;
}

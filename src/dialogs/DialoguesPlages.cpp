#include "dialogs/DialoguesPlages.h"

#include "dialogs/ConfRede.h"
#include "dialogs/DlgPrint.h"
#include "dialogs/LetRingAssistant.h"
#include "dialogs/Reposit.h"
#include "dialogs/Transpo.h"

DialoguesPlagesQt::DialoguesPlagesQt(QWidget* parent)
    : parent_(parent), executeur_([](QDialog& d) { return d.exec(); })
{
}

void DialoguesPlagesQt::DefinirExecuteur(Executeur executeur)
{
    executeur_ = executeur ? std::move(executeur) : Executeur([](QDialog& d) { return d.exec(); });
}

int DialoguesPlagesQt::Impression(const std::string& imprimante, int32_t& premierePage, int32_t& dernierePage)
{
    TPrintForm d(parent_);
    d.DefinirImprimante(imprimante);
    d.ConfigurerImprimante = ConfigurerImprimante;
    if (Montrer(d) != QDialog::Accepted)
        return ResultatModalAnnuler;
    d.PagesChoisies(premierePage, dernierePage);
    return ResultatModalOK;
}

int DialoguesPlagesQt::Transposer(int32_t& demiTons)
{
    TTransposerForm d(parent_);
    if (Montrer(d) != QDialog::Accepted)
        return ResultatModalAnnuler;
    demiTons = d.DemiTons();
    return ResultatModalOK;
}

int DialoguesPlagesQt::ConfirmerRedecoupage()
{
    TConfRedecForm d(parent_);
    return Montrer(d) == ResultatModalOui ? ResultatModalOui : ResultatModalNon;
}

int DialoguesPlagesQt::PlacementAuto(int32_t& mesureDebut, int32_t& mesureFin)
{
    TRepositForm d(parent_);
    if (Montrer(d) != QDialog::Accepted)
        return ResultatModalAnnuler;
    mesureDebut = d.Plage->Debut().value_or(0);
    mesureFin = d.Plage->Fin().value_or(0);
    return ResultatModalOK;
}

int DialoguesPlagesQt::SelecteurLetRing()
{
    TLetRingAssistantForm d(parent_);
    return Montrer(d) == QDialog::Accepted ? ResultatModalOK : ResultatModalAnnuler;
}

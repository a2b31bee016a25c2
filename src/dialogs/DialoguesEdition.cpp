#include "dialogs/DialoguesEdition.h"

#include "dialogs/Brush.h"
#include "dialogs/GraceNote.h"
#include "dialogs/Sais_ala.h"
#include "dialogs/Sais_ben.h"
#include "dialogs/Sais_cvb.h"
#include "dialogs/Sais_nrp.h"
#include "dialogs/Sais_nrv.h"
#include "dialogs/Sais_rel.h"
#include "dialogs/Sais_sig.h"
#include "dialogs/Sais_txt.h"

#include <QLineEdit>
#include <QRadioButton>

DialoguesEditionQt::DialoguesEditionQt(QWidget* parent)
    : parent_(parent), executeur_([](QDialog& d) { return d.exec(); })
{
}

void DialoguesEditionQt::DefinirExecuteur(Executeur executeur)
{
    executeur_ = executeur ? std::move(executeur) : Executeur([](QDialog& d) { return d.exec(); });
}

bool DialoguesEditionQt::Montrer(QDialog& dialogue) { return executeur_(dialogue) == QDialog::Accepted; }

bool DialoguesEditionQt::TableMix() { return DialogueTableMix ? DialogueTableMix() : false; }

bool DialoguesEditionQt::Accord() { return DialogueAccord ? DialogueAccord() : false; }

bool DialoguesEditionQt::Signature()
{
    TSais_Signat_Form d(parent_);
    return Montrer(d) && d.SignatureModifiee;
}

bool DialoguesEditionQt::NombreRenvois()
{
    TSais_NbRenvFin_Form d(parent_);
    return Montrer(d);
}

bool DialoguesEditionQt::NumeroRepetition(int32_t suggestion)
{
    TSais_NbRepet_Form d(parent_);
    d.Preparer(suggestion);
    return Montrer(d);
}

bool DialoguesEditionQt::Texte()
{
    TSais_Txt_Form d(parent_);
    return Montrer(d);
}

bool DialoguesEditionQt::Bend()
{
    TSais_Bend_Form d(parent_);
    return Montrer(d);
}

bool DialoguesEditionQt::BendRelease()
{
    TSais_Release_Form d(parent_);
    return Montrer(d);
}

bool DialoguesEditionQt::CoupDeVibrato()
{
    TSais_CoupVib_Form d(parent_);
    return Montrer(d);
}

bool DialoguesEditionQt::NoteGrace(bool noteMorte, int32_t frette)
{
    TGraceNoteForm d(parent_);
    if (noteMorte)
        d.Radio1->setChecked(true);
    if (frette >= 0 && frette <= 99)
        d.NbFrets->setText(QString::number(frette));
    return Montrer(d);
}

bool DialoguesEditionQt::Brush(int32_t direction)
{
    TBrushForm d(parent_);
    d.Direction = direction;
    return Montrer(d);
}

bool DialoguesEditionQt::AllerAMesure()
{
    TSais_AllerA_Form d(parent_);
    return Montrer(d);
}

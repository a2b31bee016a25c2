#include "dialogs/Sais_ala.h"

#include "document/Variable.h"
#include "editor/Ed_fct.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

// Four digits: a song may hold 1000 measures, and its last one must be reachable by typing.
TSais_AllerA_Form::TSais_AllerA_Form(QWidget* parent)
    : TDialogueEntier(parent, {"Sais_AllerA_Form", "Mesure", "Ed_NumMesure", "RenvUp", "RenvDown"},
                      QString::fromUtf8("Aller à la mesure..."), QStringLiteral("&Mesure"), 4)
{
    Mesure = Etiquette;
    Ed_NumMesure = Champ;
    RenvUp = Haut;
    RenvDown = Bas;
    TraduireAllerA();
}

int32_t TSais_AllerA_Form::Maximum() const { return Partition.NbMesures; }

void TSais_AllerA_Form::TraduireAllerA() { TraduireTitreEtLegende("DLG_GOTOB_000", 1, Mesure, 2); }

void TSais_AllerA_Form::Activation()
{
    EcrireChamp(Partition.MesureCourante);
    Champ->setFocus(Qt::OtherFocusReason);
    Champ->selectAll();
}

void TSais_AllerA_Form::Ecrire()
{
    // The track button shows whether the track has content; the measure being left may have
    // changed that.
    VerifierCouleurBoutonPiste(Partition.MesureCourante);
    Partition.MesureCourante = *Valeur();
}

#include "dialogs/Sais_ben.h"

#include "document/Variable.h"
#include "editor/Ed_fct.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TSais_Bend_Form::TSais_Bend_Form(QWidget* parent)
    : TDialogueMontant(parent, {"Sais_Bend_Form", "Ed_Bend", "BendUp", "BendDown"}, QStringLiteral("Bend"), 4,
                       {kBendPas, kBendMinimum, kBendMaximum})
{
    Valeur = Etiquette;
    Ed_Bend = Champ;
    BendUp = Haut;
    BendDown = Bas;
    TraduireBend();
}

ReelCompact& TSais_Bend_Form::Cible() { return NoteCurseur().ValeurBend; }

void TSais_Bend_Form::TraduireBend() { TraduireTitreEtLegende("DLG_BEND_000", 1, Valeur, 3); }

#include "dialogs/Sais_rel.h"

#include "dialogs/Sais_ben.h"
#include "document/Variable.h"
#include "editor/Ed_fct.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TSais_Release_Form::TSais_Release_Form(QWidget* parent)
    : TDialogueMontant(parent, {"Sais_Release_Form", "Ed_Release", "ReleaseUp", "ReleaseDown"},
                       QStringLiteral("Bend & Release"), 4, {kBendPas, kBendMinimum, kBendMaximum})
{
    Valeur = Etiquette;
    Ed_Release = Champ;
    ReleaseUp = Haut;
    ReleaseDown = Bas;
    TraduireRelease();
}

ReelCompact& TSais_Release_Form::Cible() { return NoteCurseur().ValeurBend; }

void TSais_Release_Form::TraduireRelease() { TraduireTitreEtLegende("DLG_BEND_000", 2, Valeur, 3); }

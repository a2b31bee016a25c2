#include "dialogs/Sais_cvb.h"

#include "document/Variable.h"
#include "editor/Ed_fct.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TSais_CoupVib_Form::TSais_CoupVib_Form(QWidget* parent)
    : TDialogueMontant(parent, {"Sais_CoupVib_Form", "Ed_CVB", "CVBUp", "CVBDown"},
                       QStringLiteral("Coup de vibrato"), 3, {0.5, kCoupVibMinimum, kCoupVibMaximum})
{
    Valeur = Etiquette;
    Ed_CVB = Champ;
    CVBUp = Haut;
    CVBDown = Bas;
    TraduireCoupVibrato();
}

ReelCompact& TSais_CoupVib_Form::Cible() { return TempsCurseur().ValeurCoupVib; }

void TSais_CoupVib_Form::TraduireCoupVibrato() { TraduireTitreEtLegende("DLG_STROKV_000", 1, Valeur, 2); }

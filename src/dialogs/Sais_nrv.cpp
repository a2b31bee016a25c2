#include "dialogs/Sais_nrv.h"

#include "document/Variable.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TSais_NbRenvFin_Form::TSais_NbRenvFin_Form(QWidget* parent)
    : TDialogueEntier(parent, {"Sais_NbRenvFin_Form", "NbRenv", "Ed_NbRenv", "RenvUp", "RenvDown"},
                      QStringLiteral("Renvoi fin"), QStringLiteral("&Nombre de renvois"), 2)
{
    NbRenv = Etiquette;
    Ed_NbRenv = Champ;
    RenvUp = Haut;
    RenvDown = Bas;
    TraduireNbRenvFin();
}

void TSais_NbRenvFin_Form::TraduireNbRenvFin() { TraduireTitreEtLegende("DLG_REPE_000", 1, NbRenv, 2); }

void TSais_NbRenvFin_Form::Activation()
{
    const int32_t n = Partition.Mesures[Partition.MesureCourante]->NbRenvois;
    // A count no dialog could have written (0 on a new mark, or out of range in a damaged
    // file) is offered as 1.
    EcrireChamp(n >= 1 && n <= Maximum() ? n : 1);
    Champ->setFocus(Qt::OtherFocusReason);
    Champ->selectAll();
}

void TSais_NbRenvFin_Form::Ecrire()
{
    Partition.Mesures[Partition.MesureCourante]->NbRenvois = static_cast<int8_t>(*Valeur());
}

#include "dialogs/Sais_rel.h"

#include "dialogs/Sais_ben.h"
#include "document/Variable.h"
#include "editor/Ed_fct.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TSais_Release_Form::TSais_Release_Form(QWidget* parent)
    : TDialogueMontant(parent, {"Sais_Release_Form", "Ed_Release", "ReleaseUp", "ReleaseDown"},
                       QStringLiteral("Bend & Release"), 4, {kBendPas, kBendMinimum, kBendMaximum, kBendMinimum, false})
{
    Valeur = Etiquette;
    Ed_Release = Champ;
    ReleaseUp = Haut;
    ReleaseDown = Bas;
    TraduireRelease();
}

ReelCompact& TSais_Release_Form::Cible() { return NoteCurseur().ValeurBend; }

void TSais_Release_Form::TraduireRelease()
{
    std::string utilisees;
    if (!TraduireBoutons(utilisees))
        return;
    const SectionLangue section("DLG_BEND_000");
    if (!section.Trouvee())
        return;
    setWindowTitle(section.Texte(2));
    Valeur->setText(LegendeRaccourci(section.Brut(3), utilisees));
}

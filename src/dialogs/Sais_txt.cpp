#include "dialogs/Sais_txt.h"

#include "document/Variable.h"
#include "editor/Ed_fct.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {
constexpr int kLongueurTexte = 40;
}

TSais_Txt_Form::TSais_Txt_Form(QWidget* parent)
    : TDialogueSaisie(parent, "Sais_Txt_Form", 261, 95, QStringLiteral("Annotation"))
{
    Texte = NouvelleEtiquette("Texte", QStringLiteral("&Texte"), 12, 19, 44);
    Ed_Texte = NouveauChamp("Ed_Texte", 58, 16, 190);
    Texte->setBuddy(Ed_Texte);
    PlacerBoutons(58);
    TraduireAnnotation();
}

void TSais_Txt_Form::TraduireAnnotation() { TraduireTitreEtLegende("DLG_TXT_000", 1, Texte, 2); }

void TSais_Txt_Form::Activation()
{
    Ed_Texte->setMaxLength(kLongueurTexte);
    Ed_Texte->setText(VersQString(TempsCurseur().Texte.view()));
    Ed_Texte->setFocus(Qt::OtherFocusReason);
    Ed_Texte->selectAll();
}

void TSais_Txt_Form::Ecrire()
{
    // One byte per character in the song's code page; the beat's text keeps the first 40.
    TempsCurseur().Texte = DepuisQString(Ed_Texte->text().left(kLongueurTexte));
}

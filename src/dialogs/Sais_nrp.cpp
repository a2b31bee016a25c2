#include "dialogs/Sais_nrp.h"

#include "document/Variable.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TSais_NbRepet_Form::TSais_NbRepet_Form(QWidget* parent)
    : TDialogueEntier(parent, {"Sais_NbRepet_Form", nullptr, "Ed_NbRepet", "RepetUp", "RepetDown"},
                      QString::fromUtf8("Répétitions"), QString(), 2)
{
    Ed_De = NouveauChamp("Ed_De", 50, 16, 30);
    Ed_De->setReadOnly(true);
    Ed_De->setFocusPolicy(Qt::NoFocus);
    Ed_De->setText(QStringLiteral("1"));
    Lab_a = NouvelleEtiquette("Lab_a", QString::fromUtf8("à"), 86, 19, 22);
    Lab_a->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    Ed_NbRepet = Champ;
    RepetUp = Haut;
    RepetDown = Bas;
    TraduireNbRepet();
}

void TSais_NbRepet_Form::Preparer(int32_t premierPassage)
{
    Ed_De->setText(QString::number(premierPassage));
    Ed_NbRepet->setText(QString::number(premierPassage));
}

void TSais_NbRepet_Form::TraduireNbRepet()
{
    std::string utilisees;
    if (!TraduireBoutons(utilisees))
        return;
    const SectionLangue section("DLG_DIFE_000");
    if (!section.Trouvee())
        return;
    setWindowTitle(section.Texte(1));
    Lab_a->setText(section.Texte(2));
}

void TSais_NbRepet_Form::Activation()
{
    Champ->setFocus(Qt::OtherFocusReason);
    Champ->selectAll();
}

void TSais_NbRepet_Form::Ecrire()
{
    Partition.Mesures[Partition.MesureCourante]->NumRepetition = static_cast<int8_t>(*Valeur());
}

#include "dialogs/Reposit.h"

#include "document/Fenetre.h"
#include "document/Variable.h"

#include <QLabel>
#include <QPushButton>

TRepositForm::TRepositForm(QWidget* parent)
    : TDialoguePlage(parent, "TRepositForm", 272, 95, QStringLiteral("Placement automatique"), ContexteAideReposit)
{
    Placer(BT_OK, "BT_OK", 11, 58, 75, 25);
    Placer(BT_Annuler, "BT_Annuler", 98, 58, 75, 25);
    BT_Aide = PlacerBoutonAide(this, 185, 58, ContexteAide);
    TraduireReposit();
}

void TRepositForm::TraduireReposit()
{
    std::string utilisees;
    TraduireBoutonsCommuns(utilisees, BT_OK, BT_Annuler, BT_Aide);
    const SectionLangue section("DLG_ASS_FG_000");
    if (!section.Trouvee())
        return;
    setWindowTitle(section.Texte(1));
    Lab_Mesure->setText(LegendeRaccourci(section.Brut(2), utilisees));
    Lab_a->setText(section.Texte(3));
}

void TRepositForm::Activation() { Plage->Remplir(Partition.MesureCourante, Partition.NbMesures); }

#include "dialogs/Copier.h"

#include "document/Variable.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

TCopierForm::TCopierForm(QWidget* parent)
    : TDialoguePlage(parent, "TCopierForm", 250, 130, QStringLiteral("Copier"), ContexteAideCopier)
{
    ToutesPistes = Placer(new QRadioButton(QStringLiteral("&Toutes les pistes"), this), "ToutesPistes", 12, 48, 226, 17);
    PisteEnCours = Placer(new QRadioButton(QStringLiteral("&Uniquement la piste en cours"), this), "PisteEnCours", 12,
                          68, 226, 17);
    PisteEnCours->setChecked(true);
    Placer(BT_OK, "BT_OK", 42, 96, 75, 25);
    Placer(BT_Annuler, "BT_Annuler", 133, 96, 75, 25);
}

void TCopierForm::TraduireCopier()
{
    std::string utilisees;
    TraduireBoutonsCommuns(utilisees, BT_OK, BT_Annuler);
    const SectionLangue section("DLG_COPY_000");
    if (!section.Trouvee())
        return;
    setWindowTitle(section.Texte(Mode == ModeCopierForm::Vider ? 2 : 1));
    Lab_Mesure->setText(LegendeRaccourci(section.Brut(3), utilisees));
    Lab_a->setText(section.Texte(4));
    ToutesPistes->setText(LegendeRaccourci(section.Brut(5), utilisees));
    PisteEnCours->setText(LegendeRaccourci(section.Brut(6), utilisees));
}

void TCopierForm::Activation()
{
    Plage->Remplir(Partition.MesureCourante, Partition.MesureCourante);
    if (CopierToutesPistes)
        ToutesPistes->setChecked(true);
    else
        PisteEnCours->setChecked(true);
}

void TCopierForm::AvantControle() { CopierToutesPistes = ToutesPistes->isChecked(); }

#include "dialogs/Couper.h"

#include "document/Variable.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

TCouperForm::TCouperForm(QWidget* parent)
    : TDialoguePlage(parent, "TCouperForm", 250, 148, QStringLiteral("Couper"), ContexteAideCouper)
{
    Bevel1 = Placer(new QFrame(this), "Bevel1", 12, 48, 226, 56);
    Bevel1->setFrameShape(QFrame::Box);
    Bevel1->setFrameShadow(QFrame::Sunken);
    Texte = Placer(new QLabel(QStringLiteral("This function cuts the bars on all tracks. To cut a bar on only one "
                                             "track, use the Copy/Paste functions."),
                              this),
                   "Texte", 18, 52, 214, 48);
    Texte->setWordWrap(true);
    Texte->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    Placer(BT_OK, "BT_OK", 42, 114, 75, 25);
    Placer(BT_Annuler, "BT_Annuler", 133, 114, 75, 25);

    // Below the client area: there, not to be reached.
    ToutesPistes = Placer(new QRadioButton(QStringLiteral("&Toutes les pistes"), this), "ToutesPistes", 12, 160, 200, 17);
    PisteEnCours = Placer(new QRadioButton(QStringLiteral("&Uniquement la piste en cours"), this), "PisteEnCours", 12,
                          178, 200, 17);
    ToutesPistes->setChecked(true);
    ToutesPistes->setEnabled(false);
    PisteEnCours->setEnabled(false);

    TraduireCouper();
}

void TCouperForm::TraduireCouper()
{
    std::string utilisees;
    TraduireBoutonsCommuns(utilisees, BT_OK, BT_Annuler);
    const SectionLangue section("DLG_CUT_000");
    if (!section.Trouvee())
        return;
    setWindowTitle(section.Texte(1));
    Lab_Mesure->setText(LegendeRaccourci(section.Brut(2), utilisees));
    Lab_a->setText(section.Texte(3));
    Texte->setText(section.Texte(4) + QLatin1Char(' ') + section.Texte(5));
}

void TCouperForm::Activation() { Plage->Remplir(Partition.MesureCourante, Partition.MesureCourante); }

#include "dialogs/Transpo.h"

#include "dialogs/BaseDialogue.h"
#include "document/Fenetre.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

TTransposerForm::TTransposerForm(QWidget* parent) : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(QStringLiteral("TTransposerForm"));
    setWindowTitle(QStringLiteral("Transposer"));
    setModal(true);
    AppliquerPoliceDialogue(this);
    DimensionnerClient(this, 272, 95);

    Lab_Transpo = Placer(new QLabel(QStringLiteral("&Transposition :"), this), "Lab_Transpo", 12, 19, 90, 15);
    Valeur = Placer(new QComboBox(this), "Valeur", 104, 16, 56, 21);
    for (int n = 12; n >= -12; --n)
        Valeur->addItem(n > 0 ? QStringLiteral("+%1").arg(n) : QString::number(n));
    Lab_Transpo->setBuddy(Valeur);
    Lab_demiton = Placer(new QLabel(QStringLiteral("demi-tons"), this), "Lab_demiton", 166, 19, 96, 15);

    BT_OK = PlacerBoutonOK(this, 11, 58);
    BT_Annuler = PlacerBoutonAnnuler(this, 98, 58);
    BT_Aide = PlacerBoutonAide(this, 185, 58, ContexteAide);
    connect(BT_OK, &QPushButton::clicked, this, &QDialog::accept);

    TraduireTransposer();
}

void TTransposerForm::TraduireTransposer()
{
    std::string utilisees;
    TraduireBoutonsCommuns(utilisees, BT_OK, BT_Annuler, BT_Aide);
    const SectionLangue section("DLG_ASS_TR_000");
    if (!section.Trouvee())
        return;
    setWindowTitle(section.Texte(1));
    Lab_Transpo->setText(LegendeRaccourci(section.Brut(2), utilisees));
    Lab_demiton->setText(section.Texte(3));
}

void TTransposerForm::Activer()
{
    if (active_)
        return;
    active_ = true;
    Valeur->setCurrentIndex(ItemZero);
    Valeur->setFocus(Qt::OtherFocusReason);
}

int32_t TTransposerForm::DemiTons() const
{
    bool ok = false;
    const int n = Valeur->currentText().toInt(&ok);
    return ok ? n : 0;
}

void TTransposerForm::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    Activer();
}

void TTransposerForm::keyPressEvent(QKeyEvent* e)
{
    if (e->key() == Qt::Key_F1 && e->modifiers() == Qt::NoModifier) {
        FenetrePrincipale().AfficherAideDialogue(ContexteAide);
        return;
    }
    QDialog::keyPressEvent(e);
}

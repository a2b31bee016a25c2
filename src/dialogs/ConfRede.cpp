#include "dialogs/ConfRede.h"

#include "dialogs/BaseDialogue.h"
#include "dialogs/Services.h"
#include "document/Fenetre.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QStyle>

TConfRedecForm::TConfRedecForm(QWidget* parent) : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(QStringLiteral("TConfRedecForm"));
    setWindowTitle(QStringLiteral("Confirmation"));
    setModal(true);
    AppliquerPoliceDialogue(this);
    DimensionnerClient(this, 300, 100);

    Image_Conf = Placer(new QLabel(this), "Image_Conf", 12, 12, 32, 32);
    Image_Conf->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxQuestion).pixmap(Pixels96(32), Pixels96(32)));
    Lab_Redec = Placer(new QLabel(QStringLiteral("Confirmer le redécoupage des mesures ?"), this), "Lab_Redec", 56, 12,
                       232, 40);
    Lab_Redec->setWordWrap(true);
    Lab_Redec->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    BT_Oui = Placer(new QPushButton(QStringLiteral("&Oui"), this), "BT_Oui", 24, 64, 75, 25);
    BT_Oui->setDefault(true);
    BT_Non = Placer(new QPushButton(QStringLiteral("&Non"), this), "BT_Non", 112, 64, 75, 25);
    BT_Non->setAutoDefault(false);
    BT_Aide = PlacerBoutonAide(this, 200, 64, ContexteAide);
    connect(BT_Oui, &QPushButton::clicked, this, [this] { done(ResultatModalOui); });
    connect(BT_Non, &QPushButton::clicked, this, [this] { done(ResultatModalNon); });

    TraduireConfRedec();
}

void TConfRedecForm::TraduireConfRedec()
{
    std::string utilisees;
    const SectionLangue commun("DLG_000");
    if (commun.Trouvee()) {
        BT_Oui->setText(LegendeRaccourci(commun.Brut(3), utilisees));
        BT_Non->setText(LegendeRaccourci(commun.Brut(4), utilisees));
        BT_Aide->setText(LegendeRaccourci(commun.Brut(5), utilisees));
        setWindowTitle(commun.Texte(9));
    }
    const SectionLangue section("DLG_ASS_CR_000");
    if (section.Trouvee())
        Lab_Redec->setText(section.Texte(1));
}

void TConfRedecForm::reject() { done(ResultatModalNon); }

void TConfRedecForm::keyPressEvent(QKeyEvent* e)
{
    if (e->key() == Qt::Key_F1 && e->modifiers() == Qt::NoModifier) {
        FenetrePrincipale().AfficherAideDialogue(ContexteAide);
        return;
    }
    QDialog::keyPressEvent(e);
}

#include "dialogs/DlgPrint.h"

#include "dialogs/BaseDialogue.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <utility>

namespace {

int32_t NumeroPage(const QLineEdit* champ)
{
    const auto n = LireEntier(champ->text());
    return n && *n >= 1 ? *n : 0;
}

} // namespace

TPrintForm::TPrintForm(QWidget* parent) : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(QStringLiteral("TPrintForm"));
    setWindowTitle(QStringLiteral("Imprimer"));
    setModal(true);
    AppliquerPoliceDialogue(this);
    DimensionnerClient(this, 320, 170);

    LabelPrinter = Placer(new QLabel(QStringLiteral("Imprimante :"), this), "LabelPrinter", 12, 12, 70, 15);
    LabelImp = Placer(new QLabel(this), "LabelImp", 86, 12, 222, 30);
    LabelImp->setFont(PoliceDialogue(font().pixelSize(), true));
    LabelImp->setWordWrap(true);
    LabelImp->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    GroupBox1 = Placer(new QGroupBox(QStringLiteral("Imprimer"), this), "GroupBox1", 12, 48, 296, 72);
    RB_Tout = Placer(new QRadioButton(QStringLiteral("Tout"), GroupBox1), "RB_Tout", 12, 18, 100, 17);
    RB_Pages = Placer(new QRadioButton(QStringLiteral("Pages :"), GroupBox1), "RB_Pages", 12, 42, 64, 17);
    ED_PageDeb = Placer(new QLineEdit(QStringLiteral("1"), GroupBox1), "ED_PageDeb", 80, 40, 40, 21);
    Label_A = Placer(new QLabel(QStringLiteral("à"), GroupBox1), "Label_A", 124, 43, 20, 15);
    Label_A->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    ED_PageFin = Placer(new QLineEdit(GroupBox1), "ED_PageFin", 148, 40, 40, 21);
    RB_Tout->setChecked(true);

    BT_OK = PlacerBoutonOK(this, 12, 132);
    BT_Annuler = PlacerBoutonAnnuler(this, 97, 132);
    BT_Configurer = Placer(new QPushButton(QStringLiteral("&Configurer..."), this), "BT_Configurer", 208, 132, 100, 25);
    BT_Configurer->setAutoDefault(false);
    connect(BT_OK, &QPushButton::clicked, this, &QDialog::accept);
    connect(BT_Configurer, &QPushButton::clicked, this, &TPrintForm::BT_ConfigurerClick);

    // Typing a page number chooses the page range.
    for (QLineEdit* champ : {ED_PageDeb, ED_PageFin})
        connect(champ, &QLineEdit::textChanged, this, [this] {
            if (!RB_Pages->isChecked())
                RB_Pages->setChecked(true);
        });

    TraduireImpression();
}

void TPrintForm::TraduireImpression()
{
    std::string utilisees;
    TraduireBoutonsCommuns(utilisees, BT_OK, BT_Annuler);
    const SectionLangue section("DLG_PRT_000");
    if (!section.Trouvee())
        return;
    setWindowTitle(section.Texte(1));
    LabelPrinter->setText(section.Texte(2));
    RB_Tout->setText(section.Texte(3));
    RB_Pages->setText(section.Texte(4));
    Label_A->setText(section.Texte(5));
    BT_Configurer->setText(LegendeRaccourci(section.Brut(6), utilisees));
    GroupBox1->setTitle(LegendeGroupe(LegendeRaccourci(section.Brut(1), utilisees)));
}

void TPrintForm::DefinirImprimante(const std::string& nom) { LabelImp->setText(VersQString(nom)); }

void TPrintForm::BT_ConfigurerClick()
{
    if (!ConfigurerImprimante)
        return;
    if (const auto nom = ConfigurerImprimante())
        DefinirImprimante(*nom);
}

void TPrintForm::PagesChoisies(int32_t& premiere, int32_t& derniere) const
{
    premiere = 0;
    derniere = 0;
    if (!RB_Pages->isChecked())
        return;
    premiere = NumeroPage(ED_PageDeb);
    derniere = NumeroPage(ED_PageFin);
    if (premiere > 0 && derniere == 0)
        derniere = premiere;
    if (derniere < premiere)
        std::swap(premiere, derniere);
}

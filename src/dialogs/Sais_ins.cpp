#include "dialogs/Sais_ins.h"

#include "dialogs/BaseDialogue.h"
#include "document/Langue.h"
#include "document/Routines.h"
#include "document/Variable.h"

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QShowEvent>

#include <algorithm>

namespace {

constexpr int kNbProgrammes = 128;
constexpr int kRangees = kNbProgrammes / 4; // four columns
constexpr int kLargeurColonne = 160;
constexpr int kHauteurRangee = 14;

} // namespace

std::string NomInstrumentListe(int32_t programme)
{
    if (programme < 0 || programme >= kNbProgrammes)
        return {};
    if (programme == 8)
        return "Celesta";
    if (programme == 30)
        return "Distorsion Guitar";
    return std::string(NomsInstrumentsGM[static_cast<std::size_t>(programme)]);
}

TSais_Instrument_Form::TSais_Instrument_Form(int32_t piste, QLabel* etiquette, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint), piste_(std::clamp<int32_t>(piste, 1, kNbPistes)),
      etiquette_(etiquette)
{
    setObjectName(QStringLiteral("Sais_Instrument_Form"));
    setWindowTitle(QStringLiteral("Instruments"));
    AppliquerPoliceDialogue(this);
    const int largeurListe = 4 * kLargeurColonne + 4;
    const int hauteurListe = kRangees * kHauteurRangee + 4;
    DimensionnerClient(this, largeurListe + 16, hauteurListe + 52);

    Liste = Placer(new QListWidget(this), "Liste", 8, 8, largeurListe, hauteurListe);
    Liste->setFlow(QListView::TopToBottom);
    Liste->setWrapping(true);
    Liste->setResizeMode(QListView::Adjust);
    Liste->setUniformItemSizes(true);
    Liste->setGridSize(QSize(Pixels96(kLargeurColonne), Pixels96(kHauteurRangee)));
    Liste->setSelectionMode(QAbstractItemView::SingleSelection);
    for (int i = 0; i < kNbProgrammes; ++i)
        Liste->addItem(VersQString(NomInstrumentListe(i)));

    BT_OK = Placer(new QPushButton(QStringLiteral("OK"), this), "BT_OK", largeurListe / 2 - 78, hauteurListe + 18, 75, 25);
    BT_Annuler = Placer(new QPushButton(QStringLiteral("Cancel"), this), "BT_Annuler", largeurListe / 2 + 11,
                        hauteurListe + 18, 75, 25);
    BT_OK->setDefault(true);
    connect(BT_OK, &QPushButton::clicked, this, &TSais_Instrument_Form::BT_OKClick);
    connect(BT_Annuler, &QPushButton::clicked, this, &QDialog::reject);
    connect(Liste, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem*) { BT_OKClick(); });

    AppliquerTextes();
    RemplirListe();
}

void TSais_Instrument_Form::AppliquerTextes()
{
    const SectionLangue commun("DLG_000");
    if (!commun.Trouvee())
        return;
    std::string ok = commun.Brut(1), annuler = commun.Brut(2);
    const SectionLangue instr("DLG_INSTR_000");
    if (instr.Trouvee()) {
        setWindowTitle(instr.Texte(1));
        std::string utilisees;
        ok = AjouterRaccourci(ok, utilisees);
        annuler = AjouterRaccourci(annuler, utilisees);
    }
    BT_OK->setText(VersQString(ok));
    BT_Annuler->setText(VersQString(annuler));
}

void TSais_Instrument_Form::RemplirListe()
{
    for (int i = 0; i < Liste->count(); ++i) {
        QListWidgetItem* item = Liste->item(i);
        item->setText(QString::number(i) + QStringLiteral(" - ") + item->text());
    }
}

void TSais_Instrument_Form::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    if (!e->spontaneous())
        FormActivate();
}

void TSais_Instrument_Form::FormActivate()
{
    const int32_t programme = ProprietesTempo.Instrument[piste_];
    if (programme >= 0 && programme < Liste->count()) {
        Liste->setCurrentRow(programme);
        Liste->scrollToItem(Liste->item(programme));
    } else {
        Liste->setCurrentItem(nullptr);
    }
}

void TSais_Instrument_Form::BT_OKClick()
{
    const int programme = Liste->currentRow();
    // Without a selection there is nothing to take: the track keeps its program.
    if (programme < 0) {
        reject();
        return;
    }
    ProprietesTempo.Instrument[piste_] = programme;
    if (etiquette_)
        etiquette_->setText(VersQString(NomInstrument(programme)));
    accept();
}

bool ChoisirInstrument(int32_t piste, QLabel* etiquette, QWidget* parent)
{
    TSais_Instrument_Form dialogue(piste, etiquette, parent ? parent : QApplication::activeWindow());
    return dialogue.exec() == QDialog::Accepted;
}

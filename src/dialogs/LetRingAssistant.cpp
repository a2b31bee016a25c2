#include "dialogs/LetRingAssistant.h"

#include "document/Fenetre.h"
#include "document/Langue.h"
#include "document/Mess.h"
#include "document/Variable.h"
#include "platform/Sablier.h"

#include <QCheckBox>
#include <QEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>

namespace {

constexpr int kPremiereRangee = 94; // top of row 1 in the 96-dpi design
constexpr std::array<const char*, 7> kNomsDessins{"", "DesCorde1", "DesCorde2", "Shape3", "Shape4", "Shape5", "Shape1"};
constexpr std::array<const char*, 7> kNomsFils{"", "", "", "", "Shape9", "Shape8", "Shape7"};
// Thickness of each row's string, the wound strings below with a grey core line.
constexpr std::array<int, 7> kEpaisseurs{0, 1, 1, 2, 3, 3, 4};

int YRangee(int rangee) { return kPremiereRangee + (rangee - 1) * TLetRingAssistantForm::HauteurRangee; }

int32_t PisteLetRing() { return std::clamp(PisteCourante, 1, kNbPistes); }

int32_t NbCordesPiste() { return std::clamp<int32_t>(Partition.NbCordes[PisteLetRing()], 1, kNbCordesMax); }

// A string across the row, as thick as the row asks; the whole row height takes the press.
class DessinCorde : public QWidget {
public:
    DessinCorde(QWidget* parent, int epaisseur) : QWidget(parent), epaisseur_(epaisseur) {}

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        const int e = std::max(1, Pixels96(epaisseur_));
        p.fillRect(0, (height() - e) / 2, width(), e, Qt::black);
    }

private:
    int epaisseur_;
};

// Unchecking a radio of an exclusive pair needs its exclusivity lifted for the moment.
void Decocher(QRadioButton* r)
{
    r->setAutoExclusive(false);
    r->setChecked(false);
    r->setAutoExclusive(true);
}

} // namespace

TLetRingAssistantForm::TLetRingAssistantForm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(QStringLiteral("TLetRingAssistantForm"));
    setWindowTitle(QStringLiteral("Let Ring Selector"));
    setModal(true);
    AppliquerPoliceDialogue(this);
    DimensionnerClient(this, 330, 250);

    Intro = Placer(new QLabel(QStringLiteral("This assistant allows to change the 'Let Ring' option of a group of note "
                                             "in ones operation."),
                              this),
                   "Intro", 8, 8, 314, 30);
    Intro->setWordWrap(true);

    Plage = new TChampsPlageMesures(this, 84, 44);
    Lab_Mesure = Plage->Lab_Mesure;
    MesDeb = Plage->MesDeb;
    Lab_a = Plage->Lab_a;
    MesFin = Plage->MesFin;
    Lab_Mesure->setText(QStringLiteral("Bar Range :"));
    Lab_a->setText(QStringLiteral("to"));
    MesDeb->setText(QStringLiteral("1"));

    Lab_Cordes = Placer(new QLabel(QStringLiteral("Strings to affect :"), this), "Lab_Cordes", 8, 76, 180, 15);
    Lab_LetRing = Placer(new QLabel(QStringLiteral("Let Ring Option :"), this), "Lab_LetRing", 196, 76, 126, 15);

    for (int k = 1; k <= 6; ++k) {
        const int y = YRangee(k);
        Lib[k] = Placer(new QLabel(QString::number(k), this), qPrintable(QStringLiteral("Lib%1").arg(k)), 8, y + 2, 12,
                        15);
        CB[k] = Placer(new QCheckBox(this), qPrintable(QStringLiteral("CB%1").arg(k)), 22, y + 1, 16, 16);
        CB[k]->setProperty("Tag", k);
        connect(CB[k], &QCheckBox::toggled, this, [this, k] { CB1Click(k); });

        DesCorde[k] = Placer(new DessinCorde(this, kEpaisseurs[k]), kNomsDessins[k], 42, y, 144, 17);
        DesCorde[k]->setProperty("Tag", k);
        DesCorde[k]->installEventFilter(this);
        if (kNomsFils[k][0] != '\0') {
            FilGris[k] = Placer(new QFrame(this), kNomsFils[k], 42, y + 8, 144, 1);
            FilGris[k]->setAutoFillBackground(true);
            QPalette pal = FilGris[k]->palette();
            pal.setColor(QPalette::Window, Qt::gray);
            FilGris[k]->setPalette(pal);
            FilGris[k]->setProperty("Tag", k);
            FilGris[k]->installEventFilter(this);
        }

        Panel[k] = Placer(new QFrame(this), qPrintable(QStringLiteral("Panel%1").arg(k)), 196, y - 1, 110, 19);
        Panel[k]->setFrameShape(QFrame::Panel);
        Panel[k]->setFrameShadow(QFrame::Sunken);
        RY[k] = Placer(new QRadioButton(QStringLiteral("Yes"), Panel[k]), qPrintable(QStringLiteral("RY%1").arg(k)), 4,
                       1, 50, 17);
        RN[k] = Placer(new QRadioButton(QStringLiteral("No"), Panel[k]), qPrintable(QStringLiteral("RN%1").arg(k)), 56,
                       1, 50, 17);
        RY[k]->setEnabled(false);
        RN[k]->setEnabled(false);
    }

    BT_OK = PlacerBoutonOK(this, 40, 216);
    BT_Annuler = PlacerBoutonAnnuler(this, 128, 216);
    BT_Aide = PlacerBoutonAide(this, 216, 216, ContexteAide);
    connect(BT_OK, &QPushButton::clicked, this, &TLetRingAssistantForm::BT_OKClick);

    TraduireLetRing();
}

void TLetRingAssistantForm::TraduireLetRing()
{
    std::string utilisees;
    TraduireBoutonsCommuns(utilisees, BT_OK, BT_Annuler, BT_Aide);
    const SectionLangue section("DLG_ASS_LR_000");
    if (!section.Trouvee())
        return;
    setWindowTitle(section.Texte(1));
    Intro->setText(section.Texte(2));
    Lab_Mesure->setText(LegendeRaccourci(section.Brut(3), utilisees));
    Lab_a->setText(section.Texte(4));
    Lab_Cordes->setText(section.Texte(5));
    Lab_LetRing->setText(section.Texte(6));
    for (int k = 1; k <= 6; ++k) {
        RY[k]->setText(section.Texte(7));
        RN[k]->setText(section.Texte(8));
    }
    messageAucuneCorde_ = section.Brut(9);
}

int32_t TLetRingAssistantForm::CordeDeRangee(int32_t rangee)
{
    if (rangee < 1 || rangee > 6)
        return 0;
    const int32_t s = rangee - (6 - NbCordesPiste());
    return s >= 1 ? s : 0;
}

void TLetRingAssistantForm::Activer()
{
    if (active_)
        return;
    active_ = true;
    MesFin->setText(QString::number(Partition.NbMesures));
    // Each string the track lacks hides the highest number label left and moves the others
    // one row down, beside the rows that still stand for a string.
    const int manquantes = 6 - NbCordesPiste();
    for (int j = 1; j <= manquantes; ++j) {
        Lib[7 - j]->hide();
        for (int k = 1; k < 7 - j; ++k)
            Lib[k]->move(Lib[k]->x(), Lib[k]->y() + Pixels96(HauteurRangee));
        CB[j]->setEnabled(false);
    }
    MesDeb->setFocus(Qt::OtherFocusReason);
    MesDeb->selectAll();
}

void TLetRingAssistantForm::CB1Click(int rangee)
{
    if (rangee < 1 || rangee > 6)
        return;
    const bool coche = CB[rangee]->isChecked();
    RY[rangee]->setEnabled(coche);
    RN[rangee]->setEnabled(coche);
    if (coche)
        RY[rangee]->setChecked(true);
    else
        Decocher(RY[rangee]);
    Decocher(RN[rangee]);
}

void TLetRingAssistantForm::DesCorde1MouseDown(int rangee)
{
    if (rangee < 1 || rangee > 6)
        return;
    if (CB[rangee]->isEnabled())
        CB[rangee]->setChecked(!CB[rangee]->isChecked());
}

void TLetRingAssistantForm::BT_OKClick()
{
    if (!Plage->Valider())
        return;
    bool uneRangee = false;
    for (int k = 1; k <= 6; ++k)
        uneRangee = uneRangee || (CB[k]->isChecked() && CordeDeRangee(k) >= 1);
    if (!uneRangee) {
        AfficherMessage(Traduire("Dlg-Erreur"), messageAucuneCorde_, IconeErreur, BoutonOK, DefautOK, PlacementCentre);
        return;
    }
    {
        platform::Sablier sablier;
        AppliquerLetRing(*Plage->Debut(), *Plage->Fin());
    }
    accept();
}

void TLetRingAssistantForm::AppliquerLetRing(int32_t debut, int32_t fin)
{
    const int32_t t = PisteLetRing();
    for (int32_t m = std::max(debut, 1); m <= std::min(fin, Partition.NbMesures); ++m) {
        TMesure* bloc = Partition.Mesures[m].get();
        if (!bloc)
            continue;
        const int32_t nbTemps = std::clamp<int32_t>(bloc->NbTemps[t], 0, kNbTempsMax);
        for (int32_t b = 1; b <= nbTemps; ++b) {
            for (int k = 1; k <= 6; ++k) {
                const int32_t s = CordeDeRangee(k);
                if (!CB[k]->isChecked() || s < 1)
                    continue;
                TNoteCorde& note = bloc->Temps[t][b].Notes[s];
                if (note.Frette < 0 || (note.Effet != 0 && note.Effet != 7))
                    continue;
                note.Effet = RY[k]->isChecked() ? 7 : 0;
            }
        }
    }
}

void TLetRingAssistantForm::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    Activer();
}

void TLetRingAssistantForm::keyPressEvent(QKeyEvent* e)
{
    if (e->key() == Qt::Key_F1 && e->modifiers() == Qt::NoModifier) {
        FenetrePrincipale().AfficherAideDialogue(ContexteAide);
        return;
    }
    QDialog::keyPressEvent(e);
}

bool TLetRingAssistantForm::eventFilter(QObject* objet, QEvent* e)
{
    if (e->type() == QEvent::MouseButtonPress && static_cast<QMouseEvent*>(e)->button() == Qt::LeftButton) {
        DesCorde1MouseDown(objet->property("Tag").toInt());
        return true;
    }
    return QDialog::eventFilter(objet, e);
}

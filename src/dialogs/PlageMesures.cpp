#include "dialogs/PlageMesures.h"

#include "document/Fenetre.h"
#include "document/Variable.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QWidget>

#include <algorithm>

namespace {

constexpr int kChiffresMesure = 4;

int32_t NbMesures() { return std::max<int32_t>(Partition.NbMesures, 1); }

std::optional<int32_t> Lire(const QLineEdit* champ) { return LireEntier(champ->text()); }

QToolButton* Fleche(QWidget* parent, const char* nom, bool haut, int x, int y)
{
    auto* b = new QToolButton(parent);
    b->setArrowType(haut ? Qt::UpArrow : Qt::DownArrow);
    b->setProperty("Tag", haut ? 1 : -1);
    // The field keeps the focus while its arrows are used.
    b->setFocusPolicy(Qt::NoFocus);
    return Placer(b, nom, x, y, 15, haut ? 11 : 10);
}

// One tick of a held arrow: the step added, the result kept within the song.
void Avancer(QLineEdit* champ, int pas)
{
    const auto v = Lire(champ);
    if (!v)
        return;
    const int64_t n = std::clamp<int64_t>(static_cast<int64_t>(*v) + pas, 1, NbMesures());
    champ->setText(QString::number(n));
}

} // namespace

TChampsPlageMesures::TChampsPlageMesures(QWidget* parent, int x, int y) : QObject(parent)
{
    Lab_Mesure = Placer(new QLabel(QStringLiteral("&Mesures :"), parent), "Lab_Mesure", x - 72, y + 3, 70, 15);
    MesDeb = Placer(new QLineEdit(parent), "MesDeb", x, y, 36, 21);
    MesDebUp = Fleche(parent, "MesDebUp", true, x + 36, y);
    MesDebDown = Fleche(parent, "MesDebDown", false, x + 36, y + 11);
    Lab_a = Placer(new QLabel(QStringLiteral("à"), parent), "Lab_a", x + 57, y + 3, 22, 15);
    Lab_a->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    MesFin = Placer(new QLineEdit(parent), "MesFin", x + 83, y, 36, 21);
    MesFinUp = Fleche(parent, "MesFinUp", true, x + 119, y);
    MesFinDown = Fleche(parent, "MesFinDown", false, x + 119, y + 11);
    Lab_Mesure->setBuddy(MesDeb);

    const RepetitionSpin::Cadence cadence{300, 100, 50, 30};
    timer1_ = std::make_unique<RepetitionSpin>(parent, cadence, [this](int pas) { Avancer(MesDeb, pas); });
    timer2_ = std::make_unique<RepetitionSpin>(parent, cadence, [this](int pas) { Avancer(MesFin, pas); });

    for (QLineEdit* champ : {MesDeb, MesFin})
        FiltrerChiffres(champ, kChiffresMesure);
    timer1_->Lier(MesDebUp, +1);
    timer1_->Lier(MesDebDown, -1);
    timer2_->Lier(MesFinUp, +1);
    timer2_->Lier(MesFinDown, -1);
    connect(MesDebUp, &QToolButton::clicked, this, [this] { Monter(MesDeb); });
    connect(MesDebDown, &QToolButton::clicked, this, [this] { Descendre(MesDeb); });
    connect(MesFinUp, &QToolButton::clicked, this, [this] { Monter(MesFin); });
    connect(MesFinDown, &QToolButton::clicked, this, [this] { Descendre(MesFin); });
    LierTouchesSpin(MesDeb, [this] { Monter(MesDeb); }, [this] { Descendre(MesDeb); });
    LierTouchesSpin(MesFin, [this] { Monter(MesFin); }, [this] { Descendre(MesFin); });
}

TChampsPlageMesures::~TChampsPlageMesures() = default;

void TChampsPlageMesures::Remplir(int32_t debut, int32_t fin)
{
    MesDeb->setText(QString::number(debut));
    MesFin->setText(QString::number(fin));
}

void TChampsPlageMesures::Monter(QLineEdit* champ)
{
    const auto v = Lire(champ);
    if (v && *v < NbMesures())
        champ->setText(QString::number(*v + 1));
}

void TChampsPlageMesures::Descendre(QLineEdit* champ)
{
    const auto v = Lire(champ);
    if (v && *v > 1)
        champ->setText(QString::number(*v - 1));
}

std::optional<int32_t> TChampsPlageMesures::Debut() const { return Lire(MesDeb); }

std::optional<int32_t> TChampsPlageMesures::Fin() const { return Lire(MesFin); }

bool TChampsPlageMesures::Valider()
{
    const int32_t n = NbMesures();
    const auto debut = Debut();
    if (!debut || *debut < 1 || *debut > n) {
        RefuserChamp(MesDeb);
        return false;
    }
    const auto fin = Fin();
    if (!fin || *fin < 1 || *fin > n || *fin < *debut) {
        RefuserChamp(MesFin);
        return false;
    }
    return true;
}

// ---- TDialoguePlage ---------------------------------------------------------------------------


TDialoguePlage::TDialoguePlage(QWidget* parent, const char* nom, int largeur, int hauteur, const QString& titre,
                               int contexteAide)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint), ContexteAide(contexteAide)
{
    setObjectName(QString::fromLatin1(nom));
    setWindowTitle(titre);
    setModal(true);
    AppliquerPoliceDialogue(this);
    DimensionnerClient(this, largeur, hauteur);

    Plage = new TChampsPlageMesures(this, 84, 16);
    Lab_Mesure = Plage->Lab_Mesure;
    MesDeb = Plage->MesDeb;
    MesDebUp = Plage->MesDebUp;
    MesDebDown = Plage->MesDebDown;
    Lab_a = Plage->Lab_a;
    MesFin = Plage->MesFin;
    MesFinUp = Plage->MesFinUp;
    MesFinDown = Plage->MesFinDown;

    BT_OK = new QPushButton(QStringLiteral("&OK"), this);
    BT_OK->setObjectName(QStringLiteral("BT_OK"));
    BT_OK->setDefault(true);
    BT_Annuler = new QPushButton(QStringLiteral("&Annuler"), this);
    BT_Annuler->setObjectName(QStringLiteral("BT_Annuler"));
    BT_Annuler->setAutoDefault(false);
    connect(BT_OK, &QPushButton::clicked, this, &TDialoguePlage::BT_OKClick);
    connect(BT_Annuler, &QPushButton::clicked, this, &QDialog::reject);
}

void TDialoguePlage::Activer()
{
    if (active_)
        return;
    active_ = true;
    Activation();
    MesDeb->setFocus(Qt::OtherFocusReason);
    MesDeb->selectAll();
}

void TDialoguePlage::BT_OKClick()
{
    AvantControle();
    if (Plage->Valider())
        accept();
}

void TDialoguePlage::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    Activer();
}

void TDialoguePlage::keyPressEvent(QKeyEvent* e)
{
    if (e->key() == Qt::Key_F1 && e->modifiers() == Qt::NoModifier) {
        FenetrePrincipale().AfficherAideDialogue(ContexteAide);
        return;
    }
    QDialog::keyPressEvent(e);
}

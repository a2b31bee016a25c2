#include "dialogs/Dyna.h"

#include "dialogs/BaseDialogue.h"
#include "document/Configuration.h"
#include "editor/Commandes.h"
#include "editor/CommandesEdition.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QToolButton>

namespace {

constexpr std::array<Cmd, 9> kBoutons{Cmd::BT_DynaNote_1, Cmd::BT_DynaNote_1, Cmd::BT_DynaNote_2,
                                      Cmd::BT_DynaNote_3, Cmd::BT_DynaNote_4, Cmd::BT_DynaNote_5,
                                      Cmd::BT_DynaNote_6, Cmd::BT_DynaNote_7, Cmd::BT_DynaNote_8};
constexpr std::array<const char*, 9> kNuances{"", "ppp", "pp", "p", "mp", "mf", "f", "ff", "fff"};
constexpr std::array<const char*, 9> kBulles{"",           "piano pianissimo", "pianissimo", "piano",
                                             "mezzo piano", "mezzo forte",      "forte",      "fortissimo",
                                             "forte fortissimo"};
constexpr int kCote = 25;

} // namespace

void BT_DefaultClick()
{
    for (int n = 1; n <= 8; ++n)
        if (Commandes().Checked(kBoutons[n])) {
            Configuration.DefaultDynamic = n;
            return;
        }
    // No dynamic down (the cursor note had none in range): the default stays.
}

void EnregistrerCommandesNuances()
{
    Commandes().Enregistrer(Cmd::BT_Default, [](Cmd) { BT_DefaultClick(); });
    Commandes().Enregistrer(Cmd::BT_Apply, [](Cmd) { BT_DefaultClick(); });
}

TDynaForm::TDynaForm(QWidget* parent) : QWidget(parent, Qt::Tool)
{
    setObjectName(QStringLiteral("DynaForm"));
    setWindowTitle(QStringLiteral("Dynamic"));
    AppliquerPoliceDialogue(this);
    EnregistrerCommandesNuances();

    QFont police = font();
    police.setBold(true);
    police.setItalic(true);
    for (int n = 1; n <= 8; ++n) {
        auto* b = Placer(new QToolButton(this), Description(kBoutons[n]).Nom, (n - 1) * kCote, 0, kCote, kCote);
        b->setCheckable(true);
        b->setText(QString::fromLatin1(kNuances[n]));
        b->setToolTip(QString::fromLatin1(kBulles[n]));
        b->setFont(police);
        b->setFocusPolicy(Qt::NoFocus);
        b->setProperty("Tag", n);
        const Cmd c = kBoutons[n];
        connect(b, &QToolButton::clicked, this, [this, c] {
            // A button of the group goes down when pressed, then acts.
            if (Commandes().Enabled(c)) {
                Commandes().SetChecked(c, true);
                Commandes().Executer(c);
            }
            Synchroniser();
        });
        BT_DynaNote[n] = b;
    }
    BT_Default = Placer(new QToolButton(this), "BT_Default", 0, kCote, 4 * kCote, 22);
    BT_Default->setText(QStringLiteral("Set as Default"));
    BT_Default->setToolTip(QStringLiteral("Set the current dynamic as the default dynamic for new notes"));
    BT_Apply = Placer(new QToolButton(this), "BT_Apply", 4 * kCote, kCote, 4 * kCote, 22);
    BT_Apply->setText(QStringLiteral("Apply to the chord"));
    BT_Apply->setToolTip(QStringLiteral("Apply the dynamic to the entire chord"));
    BT_Apply->setCheckable(true);
    for (QToolButton* b : {BT_Default, BT_Apply})
        b->setFocusPolicy(Qt::NoFocus);
    connect(BT_Default, &QToolButton::clicked, this, [this] {
        Commandes().Executer(Cmd::BT_Default);
        Synchroniser();
    });
    connect(BT_Apply, &QToolButton::clicked, this, [this] {
        if (Commandes().Enabled(Cmd::BT_Apply)) {
            Commandes().InverserChecked(Cmd::BT_Apply);
            Commandes().Executer(Cmd::BT_Apply);
        }
        Synchroniser();
    });

    // The client area ends at the last dynamic button and below the default button.
    const QRect dernier = BT_DynaNote[8]->geometry();
    const QRect defaut = BT_Default->geometry();
    setFixedSize(dernier.x() + dernier.width(), defaut.y() + defaut.height());

    observateur_ = Commandes().AjouterObservateur([this](Cmd) { Synchroniser(); });
    Synchroniser();
    TraduireNuances();
}

TDynaForm::~TDynaForm() { Commandes().RetirerObservateur(observateur_); }

void TDynaForm::Synchroniser()
{
    const TCommandes& cmd = Commandes();
    for (int n = 1; n <= 8; ++n) {
        BT_DynaNote[n]->setEnabled(cmd.Enabled(kBoutons[n]));
        BT_DynaNote[n]->setChecked(cmd.Checked(kBoutons[n]));
    }
    BT_Default->setEnabled(cmd.Enabled(Cmd::BT_Default));
    BT_Apply->setEnabled(cmd.Enabled(Cmd::BT_Apply));
    BT_Apply->setChecked(cmd.Checked(Cmd::BT_Apply));
}

void TDynaForm::TraduireNuances()
{
    const SectionLangue section("DLG_DYNA_000");
    if (!section.Trouvee())
        return;
    setWindowTitle(section.Texte(1));
    BT_Default->setText(section.Texte(2));
    BT_Default->setToolTip(section.Texte(3));
    BT_Apply->setText(section.Texte(4));
    BT_Apply->setToolTip(section.Texte(5));
}

void TDynaForm::BT_DynaNote_1Click(int tag)
{
    if (tag >= 1 && tag <= 8)
        ::BT_DynaNote_1Click(kBoutons[tag]);
}

void TDynaForm::keyPressEvent(QKeyEvent* e)
{
    QWidget* cible = cibleTouches_ ? cibleTouches_ : parentWidget();
    if (cible) {
        QKeyEvent copie(e->type(), e->key(), e->modifiers(), e->text(), e->isAutoRepeat(), e->count());
        QCoreApplication::sendEvent(cible, &copie);
        e->setAccepted(copie.isAccepted());
        return;
    }
    QWidget::keyPressEvent(e);
}

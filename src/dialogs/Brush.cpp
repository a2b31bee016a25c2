#include "dialogs/Brush.h"

#include "dialogs/BaseDialogue.h"
#include "document/Configuration.h"
#include "editor/Commandes.h"
#include "editor/Ed_fct.h"
#include "editor/LecteurSaisie.h"

#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QToolButton>

namespace {

constexpr std::array<const char*, 6> kNomsRadios{"CDuration0", "CDuration1", "CDuration2",
                                                 "CDuration3", "CDuration4", "CDuration5"};
constexpr std::array<const char*, 6> kNomsImages{"Image6", "Image1", "Image2", "Image3", "Image4", "Image5"};
constexpr int kRadioParDefaut = 3;

// A strum pictured as the arpeggio line across the strings, as wide as the notes spread in
// time, with the arrow of its direction.
QPixmap ImageVitesse(int32_t vitesse, int32_t direction, int largeur, int hauteur)
{
    QPixmap image(largeur, hauteur);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setPen(QPen(Qt::black, 1));
    const int etendue = std::max(2, (largeur - 8) * 4 / (vitesse + 3));
    const int x0 = (largeur - etendue) / 2;
    const int haut = 3;
    const int bas = hauteur - 4;
    for (int y = haut; y <= bas; y += 4)
        p.drawLine(x0, y, x0 + etendue, y);
    const bool montant = direction == 1;
    const QPoint debut(x0, montant ? bas : haut);
    const QPoint fin(x0 + etendue, montant ? haut : bas);
    p.setPen(QPen(Qt::black, 2));
    p.drawLine(debut, fin);
    const int sens = montant ? 1 : -1;
    p.drawLine(fin, fin + QPoint(-4, 4 * sens));
    p.drawLine(fin, fin + QPoint(1, 5 * sens));
    return image;
}

void JouerSiSaisie()
{
    if (Commandes().Checked(Cmd::Ac_Son_JouerSaisie) && LecteurSaisie().MidiDisponible())
        LecteurSaisie().JouerTempsSaisi();
}

} // namespace

TBrushForm::TBrushForm(QWidget* parent) : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(QStringLiteral("BrushForm"));
    setWindowTitle(QStringLiteral("Brush"));
    setModal(true);
    AppliquerPoliceDialogue(this);
    DimensionnerClient(this, 250, 149);

    GBDuration = Placer(new QGroupBox(QStringLiteral(" Brush Duration "), this), "GBDuration", 8, 6, 234, 100);
    for (int i = 0; i < 6; ++i) {
        const int x = 10 + (i % 3) * 74;
        const int y = 18 + (i / 3) * 40;
        CDuration[i] = Placer(new QRadioButton(GBDuration), kNomsRadios[i], x, y + 7, 17, 17);
        Images[i] = Placer(new QLabel(GBDuration), kNomsImages[i], x + 20, y, 44, 30);
        Images[i]->setProperty("Tag", i);
        Images[i]->installEventFilter(this);
        connect(CDuration[i], &QRadioButton::toggled, this, [this](bool coche) {
            if (coche)
                CDuration1Click();
        });
    }
    CDuration[kRadioParDefaut]->setChecked(true);

    Ecouter = Placer(new QToolButton(this), "Ecouter", 8, 116, 25, 25);
    Ecouter->setCheckable(true);
    Ecouter->setIcon(style()->standardIcon(QStyle::SP_MediaVolume));
    Ecouter->setFocusPolicy(Qt::NoFocus);
    connect(Ecouter, &QToolButton::clicked, this, &TBrushForm::CDuration1Click);

    BT_OK = PlacerBoutonOK(this, 80, 116);
    BT_Annuler = PlacerBoutonAnnuler(this, 164, 116);
    connect(BT_OK, &QPushButton::clicked, this, &TBrushForm::BT_OKClick);

    DessinerImages();
    TraduireBrush();
}

void TBrushForm::TraduireBrush()
{
    std::string utilisees;
    TraduireBoutonsCommuns(utilisees, BT_OK, BT_Annuler);
    const SectionLangue section("DLG_BRUSH_000");
    if (section.Trouvee()) {
        setWindowTitle(section.Texte(1));
        GBDuration->setTitle(LegendeGroupe(section.Texte(2)));
    }
}

void TBrushForm::DessinerImages()
{
    for (int i = 0; i < 6; ++i)
        Images[i]->setPixmap(ImageVitesse(Vitesses[i], Direction, Images[i]->width(), Images[i]->height()));
}

void TBrushForm::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    Activer();
}

void TBrushForm::Activer()
{
    if (copieFaite_)
        return;
    active_ = false;
    okPresse_ = false;
    copie_ = TempsCurseur();
    copieFaite_ = true;
    DessinerImages();
    for (int i = 0; i < 6; ++i)
        if (Vitesses[i] == Configuration.BrushDuration)
            CDuration[i]->setChecked(true);
    active_ = true;
    Ecouter->setChecked(Configuration.EcouterBrush);
    if (Ecouter->isChecked())
        CDuration1Click();
}

void TBrushForm::EcrireBrush()
{
    for (int i = 0; i < 6; ++i)
        if (CDuration[i]->isChecked())
            VitesseChoisie = Vitesses[i];
    TTemps& temps = TempsCurseur();
    temps.Brush = static_cast<int8_t>(Direction);
    temps.DureeBrush = static_cast<uint8_t>(VitesseChoisie);
}

void TBrushForm::CDuration1Click()
{
    if (!active_ || !Ecouter->isChecked())
        return;
    EcrireBrush();
    JouerSiSaisie();
}

void TBrushForm::BT_OKClick()
{
    okPresse_ = true;
    EcrireBrush();
    Configuration.BrushDuration = VitesseChoisie;
    accept();
}

void TBrushForm::done(int resultat)
{
    Configuration.EcouterBrush = Ecouter->isChecked();
    // Only a beat copied at the activation can be put back.
    if (!okPresse_ && copieFaite_)
        TempsCurseur() = copie_;
    okPresse_ = false;
    QDialog::done(resultat);
}

bool TBrushForm::eventFilter(QObject* objet, QEvent* e)
{
    if (e->type() == QEvent::MouseButtonPress)
        for (int i = 0; i < 6; ++i)
            if (objet == Images[i]) {
                CDuration[i]->setChecked(true);
                return true;
            }
    return QDialog::eventFilter(objet, e);
}

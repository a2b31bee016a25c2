#include "dialogs/Classiq.h"

#include "dialogs/BaseDialogue.h"
#include "dialogs/DessinPortee.h"
#include "dialogs/SaisiePalettes.h"
#include "document/Configuration.h"
#include "document/Variable.h"
#include "editor/Commandes.h"
#include "editor/EtatCommandes.h"
#include "editor/Navigation.h"
#include "platform/qt/CanevasQt.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QToolButton>

namespace {

constexpr int kLargeurClient = 138;
constexpr int kHauteurClient = 222;
constexpr int kHauteurOutils = 21;
constexpr int kXImage = kLargeurClient - kLargeurPortee; // 48

// The clef pictures lie left of the staff picture, their staff lines level with its own.
constexpr int kHautCleSol = 44;  // picture y of their top edges
constexpr int kHautCleFa = 100;
constexpr int kLargeurCle = 36;

void TracerLignes(QPainter& p, int largeur, int premiereY)
{
    p.setPen(QPen(Qt::black, 1));
    for (int k = 0; k < 5; ++k)
        p.drawLine(QPointF(0, premiereY + 8 * k + 0.5), QPointF(largeur, premiereY + 8 * k + 0.5));
}

// The treble clef curls round its G line (y 40 of a picture whose lines are at 16..48).
QPainterPath CheminCleSol()
{
    QPainterPath c;
    c.moveTo(20, 40);
    c.cubicTo(14, 41, 14, 33, 20, 32);
    c.cubicTo(27, 31, 28, 43, 20, 45);
    c.cubicTo(10, 47, 8, 35, 14, 28);
    c.cubicTo(20, 21, 26, 12, 24, 6);
    c.cubicTo(22, 1, 17, 4, 17, 12);
    c.lineTo(21, 52);
    c.cubicTo(22, 58, 14, 59, 14, 54);
    return c;
}

// The bass clef starts on its F line (y 16 of a picture whose lines are at 8..40).
QPainterPath CheminCleFa()
{
    QPainterPath c;
    c.moveTo(10, 16);
    c.cubicTo(8, 8, 24, 6, 24, 16);
    c.cubicTo(24, 28, 16, 36, 6, 40);
    return c;
}

QPixmap ImageCleSol(bool avecLignes)
{
    QPixmap image(kLargeurCle, 60);
    image.fill(avecLignes ? Qt::white : Qt::transparent);
    QPainter p(&image);
    if (avecLignes)
        TracerLignes(p, kLargeurCle, 16);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(CheminCleSol());
    p.setBrush(Qt::black);
    p.drawEllipse(QPointF(15.5, 54), 2, 2);
    return image;
}

QPixmap ImageCleFa(bool avecLignes)
{
    QPixmap image(kLargeurCle, 48);
    image.fill(avecLignes ? Qt::white : Qt::transparent);
    QPainter p(&image);
    if (avecLignes)
        TracerLignes(p, kLargeurCle, 8);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(CheminCleFa());
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    p.drawEllipse(QPointF(10, 16), 3, 3);
    p.drawEllipse(QPointF(29, 12), 1.6, 1.6);
    p.drawEllipse(QPointF(29, 20), 1.6, 1.6);
    return image;
}

// The brace joins the top treble line to the bottom bass line.
QPixmap ImageAccolade()
{
    const int hauteur = YLignePortee(16) - YLignePortee(6) + 1;
    QPixmap image(10, hauteur);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 2, Qt::SolidLine, Qt::RoundCap));
    QPainterPath c;
    const double m = hauteur / 2.0;
    c.moveTo(9, 0);
    c.cubicTo(2, m * 0.25, 8, m * 0.75, 2, m);
    c.cubicTo(8, m * 1.25, 2, m * 1.75, 9, hauteur);
    p.drawPath(c);
    return image;
}

// A button glyph: a clef picture reduced, or an accidental as the staff draws it.
QIcon IconeImage(const QPixmap& image) { return QIcon(image.scaled(16, 16, Qt::KeepAspectRatio, Qt::SmoothTransformation)); }

QIcon IconeAlteration(TAlteration a)
{
    QImage image(16, 18, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    platform::CanevasQt c(p);
    DessinerAlteration(c, a, 8, 9);
    return QIcon(QPixmap::fromImage(image));
}

QToolButton* Bouton(QWidget* parent, const char* nom, int x, int y, int l, int h)
{
    auto* b = new QToolButton(parent);
    b->setObjectName(QString::fromLatin1(nom));
    b->setGeometry(x, y, l, h);
    b->setFocusPolicy(Qt::NoFocus);
    b->setAutoRaise(true);
    return b;
}

bool EstEntree(const QKeyEvent* e) { return e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter; }

} // namespace

// ---- The staff picture ---------------------------------------------------------------------------

TImagePortee::TImagePortee(TClassForm* fenetre, QWidget* parent)
    : QWidget(parent), Image(kLargeurPortee, kHauteurPortee, QImage::Format_RGB32), fenetre_(fenetre)
{
    Image.fill(Qt::white);
    setMouseTracking(true);
}

void TImagePortee::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.drawImage(0, 0, Image);
}

void TImagePortee::mouseMoveEvent(QMouseEvent* e) { fenetre_->Image1MouseMove(e->position().toPoint().y()); }

void TImagePortee::mouseReleaseEvent(QMouseEvent* e)
{
    const QPoint point = e->position().toPoint();
    if (e->button() != Qt::LeftButton || !rect().contains(point))
        return;
    // The release point is where the click is, even when no move came since the palette was
    // shown.
    fenetre_->Image1MouseMove(point.y());
    fenetre_->Image1Click();
}

// ---- The window ------------------------------------------------------------------------------------

TClassForm::TClassForm(QWidget* parent) : QWidget(parent, Qt::Tool)
{
    setObjectName(QStringLiteral("ClassForm"));
    setWindowTitle(QStringLiteral("Notation"));
    AppliquerPoliceDialogue(this);
    // The staff and its clefs stand on white; the tool row keeps the colour of the buttons.
    QPalette blanc = palette();
    couleurOutils_ = blanc.color(QPalette::Window);
    blanc.setColor(QPalette::Window, Qt::white);
    setPalette(blanc);
    setAutoFillBackground(true);
    setFixedSize(kLargeurClient, kHauteurClient);
    CreerControles();
    Commandes().Enregistrer(Cmd::Ac_Ass_Solfege, [this](Cmd) { setVisible(!isVisible()); });
}

void TClassForm::CreerControles()
{
    Panel2 = new QWidget(this);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    Panel2->setGeometry(0, 0, kLargeurClient, kHauteurOutils);
    QPalette outils = Panel2->palette();
    outils.setColor(QPalette::Window, couleurOutils_);
    Panel2->setPalette(outils);
    Panel2->setAutoFillBackground(true);
    BT_ClefSol = Bouton(Panel2, "BT_ClefSol", 1, 1, 19, 19);
    BT_ClefFa = Bouton(Panel2, "BT_ClefFa", 20, 1, 19, 19);
    NomTon = new QLabel(Panel2);
    NomTon->setObjectName(QStringLiteral("NomTon"));
    NomTon->setGeometry(40, 1, 24, 19);
    NomTon->setAlignment(Qt::AlignCenter);
    NomTon->setFont(PoliceDialogue(11, true));
    TonUp = Bouton(Panel2, "TonUp", 64, 1, 13, 9);
    TonUp->setArrowType(Qt::UpArrow);
    TonDown = Bouton(Panel2, "TonDown", 64, 11, 13, 9);
    TonDown->setArrowType(Qt::DownArrow);
    BT_Diese = Bouton(Panel2, "BT_Diese", 80, 1, 19, 19);
    BT_Bemol = Bouton(Panel2, "BT_Bemol", 99, 1, 19, 19);
    BT_Becarre = Bouton(Panel2, "BT_Becarre", 118, 1, 19, 19);

    BT_ClefSol->setIcon(IconeImage(ImageCleSol(false)));
    BT_ClefFa->setIcon(IconeImage(ImageCleFa(false)));
    BT_Diese->setIcon(IconeAlteration(TAlteration::Diese));
    BT_Bemol->setIcon(IconeAlteration(TAlteration::Bemol));
    BT_Becarre->setIcon(IconeAlteration(TAlteration::Becarre));
    for (QToolButton* b : {BT_ClefSol, BT_ClefFa, BT_Diese, BT_Bemol, BT_Becarre})
        b->setCheckable(true);

    Image1 = new TImagePortee(this, this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(kXImage, kHauteurOutils, kLargeurPortee, kHauteurPortee);

    Img_Clef_Sol = new QLabel(this);
    Img_Clef_Sol->setObjectName(QStringLiteral("Img_Clef_Sol"));
    Img_Clef_Sol->setGeometry(kXImage - kLargeurCle, kHauteurOutils + kHautCleSol, kLargeurCle, 60);
    Img_Clef_Sol->setPixmap(ImageCleSol(true));
    Img_Clef_Fa = new QLabel(this);
    Img_Clef_Fa->setObjectName(QStringLiteral("Img_Clef_Fa"));
    Img_Clef_Fa->setGeometry(kXImage - kLargeurCle, kHauteurOutils + kHautCleFa, kLargeurCle, 48);
    Img_Clef_Fa->setPixmap(ImageCleFa(true));
    Img_Clef_Acco = new QLabel(this);
    Img_Clef_Acco->setObjectName(QStringLiteral("Img_Clef_Acco"));
    const QPixmap accolade = ImageAccolade();
    Img_Clef_Acco->setGeometry(1, kHauteurOutils + YLignePortee(6), accolade.width(), accolade.height());
    Img_Clef_Acco->setPixmap(accolade);

    // Off the visible area: the edit keeps the keyboard, the button takes Enter.
    Ed_Invisible = new QLineEdit(this);
    Ed_Invisible->setObjectName(QStringLiteral("Ed_Invisible"));
    Ed_Invisible->setGeometry(-100, 0, 20, 20);
    Ed_Invisible->installEventFilter(this);
    BT_Invisible = new QPushButton(this);
    BT_Invisible->setObjectName(QStringLiteral("BT_Invisible"));
    BT_Invisible->setGeometry(-100, 30, 20, 20);
    BT_Invisible->setFocusPolicy(Qt::NoFocus);
    BT_Invisible->setDefault(true);
    setFocusProxy(Ed_Invisible);

    BT_ClefSol->setChecked(Configuration.CleSol);
    BT_ClefFa->setChecked(Configuration.CleFA);
    Img_Clef_Sol->setVisible(Configuration.CleSol);
    Img_Clef_Fa->setVisible(Configuration.CleFA);
    Img_Clef_Acco->setVisible(Configuration.CleSol && Configuration.CleFA);

    connect(BT_ClefSol, &QToolButton::clicked, this, [this] { BT_ClefSolClick(); });
    connect(BT_ClefFa, &QToolButton::clicked, this, [this] { BT_ClefFaClick(); });
    connect(TonUp, &QToolButton::clicked, this, [this] { TonUpClick(); });
    connect(TonDown, &QToolButton::clicked, this, [this] { TonDownClick(); });
    for (QToolButton* b : {BT_Diese, BT_Bemol, BT_Becarre})
        connect(b, &QToolButton::clicked, this, [this, b] { BasculerAlteration(b); });
    connect(BT_Invisible, &QPushButton::clicked, this, [this] { BT_InvisibleClick(); });

    NomTon->setText(QString::fromLatin1(NomTonalite(Partition.Armure)));
}

TClassForm::~TClassForm() { Commandes().Enregistrer(Cmd::Ac_Ass_Solfege, nullptr); }

// ---- Drawing ---------------------------------------------------------------------------------------

void TClassForm::DessinerPortee()
{
    notes_ = NotesTempsCurseur();
    TEtatPortee etat;
    etat.CleSol = BT_ClefSol->isChecked();
    etat.CleFa = BT_ClefFa->isChecked();
    etat.Armure = Partition.Armure;
    etat.Notes = notes_;
    {
        QPainter p(&Image1->Image);
        platform::CanevasQt c(p);
        DessinerImagePortee(c, etat);
    }
    NomTon->setText(QString::fromLatin1(NomTonalite(Partition.Armure)));
    if (bande_ >= 0)
        InverserBande(bande_);
    Image1->update();
}

// The band is drawn as an inverted exclusive-or of yellow: white turns yellow, and drawing it
// again at the same place gives the picture back.
void TClassForm::InverserBande(int position)
{
    const TRectangleBande r = RectangleBandeSurvol(position);
    QImage& image = Image1->Image;
    for (int y = std::max(r.Haut, 0); y < std::min(r.Bas, image.height()); ++y) {
        auto* ligne = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = std::max(r.Gauche, 0); x < std::min(r.Droite, image.width()); ++x) {
            const QRgb p = ligne[x];
            ligne[x] = qRgb(qRed(p), qGreen(p), 255 - qBlue(p));
        }
    }
}

void TClassForm::AfficherCles()
{
    const bool sol = BT_ClefSol->isChecked();
    const bool fa = BT_ClefFa->isChecked();
    Img_Clef_Acco->setVisible(sol && fa);
    Img_Clef_Sol->setVisible(sol);
    Img_Clef_Fa->setVisible(fa);
    DessinerPortee();
}

// ---- Mouse ---------------------------------------------------------------------------------------

void TClassForm::Image1MouseMove(int y)
{
    survol_ = PositionY(y);
    if (survol_ == bande_ || survol_ < kPositionBandeMin || survol_ > kPositionBandeMax)
        return;
    if (bande_ >= 0)
        InverserBande(bande_);
    InverserBande(survol_);
    bande_ = survol_;
    Image1->update();
}

void TClassForm::Image1Click()
{
    if (survol_ < 0)
        return;
    CliquerPositionPortee(survol_, BoutonAlteration());
}

TBoutonAlteration TClassForm::BoutonAlteration() const
{
    if (BT_Diese->isChecked())
        return TBoutonAlteration::Diese;
    if (BT_Bemol->isChecked())
        return TBoutonAlteration::Bemol;
    if (BT_Becarre->isChecked())
        return TBoutonAlteration::Becarre;
    return TBoutonAlteration::Aucun;
}

// ---- Buttons ---------------------------------------------------------------------------------------

void TClassForm::BasculerAlteration(QToolButton* bouton)
{
    if (!bouton->isChecked())
        return;
    for (QToolButton* b : {BT_Diese, BT_Bemol, BT_Becarre})
        if (b != bouton)
            b->setChecked(false);
}

void TClassForm::TonUpClick()
{
    if (Partition.Armure >= kArmureMax)
        return;
    ++Partition.Armure;
    // The key signature is saved with the song: a change must not be lost without the
    // question on closing. It is no edit of the measure, so no undo copy.
    MarquerModifiee();
    DessinerPortee();
    ActualiserCommandes();
}

void TClassForm::TonDownClick()
{
    if (Partition.Armure <= kArmureMin)
        return;
    --Partition.Armure;
    MarquerModifiee();
    DessinerPortee();
    ActualiserCommandes();
}

void TClassForm::BT_ClefSolClick()
{
    if (!BT_ClefSol->isChecked() && !BT_ClefFa->isChecked())
        BT_ClefSol->setChecked(true);
    AfficherCles();
    Configuration.CleSol = BT_ClefSol->isChecked();
}

void TClassForm::BT_ClefFaClick()
{
    if (!BT_ClefSol->isChecked() && !BT_ClefFa->isChecked())
        BT_ClefFa->setChecked(true);
    AfficherCles();
    Configuration.CleFA = BT_ClefFa->isChecked();
}

void TClassForm::BT_InvisibleClick()
{
    AllerTempsSuivant();
    ActualiserCommandes();
}

// ---- Showing and hiding -------------------------------------------------------------------------

void TClassForm::showEvent(QShowEvent* e)
{
    QWidget::showEvent(e);
    survol_ = -1;
    bande_ = -1;
    DessinerPortee();
    Commandes().SetChecked(Cmd::Ac_Ass_Solfege, true);
    Commandes().SetChecked(Cmd::Bt_Ass_Solfege, true);
    Ed_Invisible->setFocus();
}

void TClassForm::hideEvent(QHideEvent* e)
{
    QWidget::hideEvent(e);
    Commandes().SetChecked(Cmd::Ac_Ass_Solfege, false);
    Commandes().SetChecked(Cmd::Bt_Ass_Solfege, false);
}

// ---- Keys ------------------------------------------------------------------------------------------

bool TClassForm::TransmettreTouche(QKeyEvent* e)
{
    if (EstEntree(e) || e->key() == Qt::Key_Escape)
        return false;
    QWidget* cible = cibleTouches_ ? cibleTouches_ : parentWidget();
    if (!cible)
        return false;
    QKeyEvent copie(e->type(), e->key(), e->modifiers(), e->nativeScanCode(), e->nativeVirtualKey(),
                    e->nativeModifiers(), e->text(), e->isAutoRepeat(), e->count());
    QCoreApplication::sendEvent(cible, &copie);
    return true;
}

bool TClassForm::eventFilter(QObject* objet, QEvent* evenement)
{
    if (objet == Ed_Invisible && (evenement->type() == QEvent::KeyPress || evenement->type() == QEvent::KeyRelease)) {
        auto* e = static_cast<QKeyEvent*>(evenement);
        if (evenement->type() == QEvent::KeyPress)
            keyPressEvent(e);
        else
            keyReleaseEvent(e);
        return true;
    }
    return QWidget::eventFilter(objet, evenement);
}

void TClassForm::keyPressEvent(QKeyEvent* e)
{
    if (EstEntree(e))
        BT_Invisible->click();
    else
        TransmettreTouche(e);
    // Nothing typed stays in the edit.
    Ed_Invisible->clear();
    e->accept();
}

void TClassForm::keyReleaseEvent(QKeyEvent* e)
{
    TransmettreTouche(e);
    e->accept();
}

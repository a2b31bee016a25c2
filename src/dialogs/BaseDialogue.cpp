#include "dialogs/BaseDialogue.h"

#include "document/Fenetre.h"
#include "document/Langue.h"
#include "editor/Ed_fct.h"
#include "editor/DessinSaisie.h"
#include "platform/Arrondi.h"
#include "platform/Cp1252.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCoreApplication>
#include <QDialog>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QScreen>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QTimer>
#include <QValidator>
#include <QWidget>

#include <algorithm>

QString VersQString(std::string_view cp1252)
{
    return QString::fromUtf8(platform::Cp1252VersUtf8(cp1252).c_str());
}

std::string DepuisQString(const QString& texte)
{
    return platform::Utf8VersCp1252(texte.toUtf8().toStdString());
}

SectionLangue::SectionLangue(std::string_view marqueur) : marqueur_(ChercherMarqueur(marqueur)) {}

std::string SectionLangue::Brut(int k) const
{
    if (marqueur_ < 0 || k < 1)
        return {};
    return TexteEntreeLangue(marqueur_, k);
}

QString SectionLangue::Texte(int k) const { return VersQString(Brut(k)); }

QString SectionLangue::Texte(int k, const QString& defaut) const
{
    const std::string brut = Brut(k);
    return brut.empty() ? defaut : VersQString(brut);
}

QString TexteCommunDialogue(TexteCommun t)
{
    static const char* const defauts[] = {"", "OK", "Cancel", "Yes", "No", "Help", "Clear", "Close"};
    const int k = static_cast<int>(t);
    return SectionLangue("DLG_000").Texte(k, QString::fromLatin1(defauts[k]));
}

int PixelsPolice(int points, int pixelsParPouce)
{
    // MulDiv: rounded to nearest, halves away from zero.
    const long long p = static_cast<long long>(points) * pixelsParPouce;
    return static_cast<int>((p + 36) / 72);
}

QFont PoliceDialogue(int pixels, bool gras)
{
    QFont police(QStringLiteral("Liberation Sans"));
    police.setPixelSize(std::max(1, pixels));
    police.setBold(gras);
    police.setKerning(false);
    police.setStyleStrategy(QFont::NoAntialias);
    return police;
}

void AppliquerPoliceDialogue(QWidget* fenetre, int pixels)
{
    if (!fenetre)
        return;
    if (pixels <= 0)
        pixels = PixelsPolice(8, Pixels96(96));
    fenetre->setFont(PoliceDialogue(pixels));
}

double EchelleEcran()
{
    const QScreen* ecran = QGuiApplication::primaryScreen();
    const double ppp = ecran ? ecran->logicalDotsPerInchX() : 96.0;
    return ppp > 0.0 ? ppp / 96.0 : 1.0;
}

int Pixels96(int longueur) { return static_cast<int>(platform::Round(longueur * EchelleEcran())); }

void GarderDansEcran(QWidget* fenetre)
{
    if (!fenetre || !fenetre->isWindow() || (fenetre->windowFlags() & Qt::WindowType_Mask) == Qt::Popup
        || fenetre->windowFlags().testFlag(Qt::ToolTip) || fenetre->x() <= -500)
        return;
    const QRect cadre = fenetre->frameGeometry();
    QScreen* ecran = QGuiApplication::screenAt(cadre.center());
    if (!ecran)
        ecran = fenetre->screen();
    if (!ecran)
        return;
    const QRect zone = ecran->availableGeometry();
    int x = cadre.x();
    int y = cadre.y();
    x = std::max(std::min(x, zone.right() + 1 - cadre.width()), zone.left());
    y = std::max(std::min(y, zone.bottom() + 1 - cadre.height()), zone.top());
    if (x != cadre.x() || y != cadre.y())
        fenetre->move(fenetre->pos() + QPoint(x - cadre.x(), y - cadre.y()));
}

namespace {

class GardienEcran final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* objet, QEvent* e) override
    {
        if (e->type() == QEvent::Show && objet->isWidgetType()) {
            auto* fenetre = static_cast<QWidget*>(objet);
            if (fenetre->isWindow()) {
                GarderDansEcran(fenetre);
                // The window manager's frame is known once the window is on screen.
                QTimer::singleShot(0, fenetre, [fenetre] { GarderDansEcran(fenetre); });
            }
        }
        return false;
    }
};

} // namespace

void InstallerGardienEcran()
{
    static GardienEcran* gardien = nullptr;
    if (gardien || !QCoreApplication::instance())
        return;
    gardien = new GardienEcran(QCoreApplication::instance());
    QCoreApplication::instance()->installEventFilter(gardien);
}

void DimensionnerClient(QWidget* fenetre, int largeur, int hauteur)
{
    if (fenetre)
        fenetre->setFixedSize(Pixels96(largeur), Pixels96(hauteur));
}

void ElargirPourTitre(QWidget* fenetre)
{
    if (!fenetre)
        return;
    QFont police = QApplication::font();
    police.setBold(true);
    // Room for the icon, the close and help buttons and the frame around the caption.
    const int besoin = QFontMetrics(police).horizontalAdvance(fenetre->windowTitle()) + Pixels96(100);
    const int largeur = fenetre->width();
    if (besoin <= largeur)
        return;
    const int decalage = (besoin - largeur) / 2;
    for (QWidget* enfant : fenetre->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        enfant->move(enfant->x() + decalage, enfant->y());
    fenetre->setFixedSize(besoin, fenetre->height());
}

std::optional<double> LireReel(const QString& texte)
{
    return TexteVersReel(texte.toUtf8().toStdString());
}

std::optional<int32_t> LireEntier(const QString& texte)
{
    return TexteVersEntier(texte.toUtf8().toStdString());
}

QString EcrireReel(double valeur, int decimales)
{
    return QString::number(valeur, 'f', decimales);
}

void SignalerSaisieIncorrecte()
{
    FenetrePrincipale().AfficherSaisieIncorrecte();
}

// ---- Formats, refusals, captions -----------------------------------------------------------

QString EcrireReelGeneral(double valeur)
{
    QString t = QString::number(valeur, 'g', 15);
    const char sep = SeparateurDecimal();
    if (sep != '.')
        t.replace(QLatin1Char('.'), QLatin1Char(sep));
    return t;
}

void RefuserChamp(QLineEdit* champ)
{
    SignalerSaisieIncorrecte();
    if (!champ)
        return;
    champ->setFocus(Qt::OtherFocusReason);
    champ->selectAll();
}

QString LegendeRaccourci(const std::string& brut, std::string& utilisees)
{
    return VersQString(AjouterRaccourci(brut, utilisees));
}

QString LegendeGroupe(const QString& texte) { return QLatin1Char(' ') + texte + QLatin1Char(' '); }

QPushButton* PlacerBoutonOK(QDialog* fenetre, int x, int y)
{
    auto* bouton = Placer(new QPushButton(QStringLiteral("&OK"), fenetre), "BT_OK", x, y, 75, 25);
    bouton->setDefault(true);
    return bouton;
}

QPushButton* PlacerBoutonAnnuler(QDialog* fenetre, int x, int y)
{
    auto* bouton = Placer(new QPushButton(QStringLiteral("&Annuler"), fenetre), "BT_Annuler", x, y, 75, 25);
    bouton->setAutoDefault(false);
    QObject::connect(bouton, &QPushButton::clicked, fenetre, &QDialog::reject);
    return bouton;
}

QPushButton* PlacerBoutonAide(QDialog* fenetre, int x, int y, int contexteAide)
{
    auto* bouton = Placer(new QPushButton(QStringLiteral("&Aide"), fenetre), "BT_Aide", x, y, 75, 25);
    bouton->setAutoDefault(false);
    QObject::connect(bouton, &QPushButton::clicked, fenetre,
                     [contexteAide] { FenetrePrincipale().AfficherAideDialogue(contexteAide); });
    return bouton;
}

bool TraduireBoutonsCommuns(std::string& utilisees, QAbstractButton* ok, QAbstractButton* annuler,
                            QAbstractButton* aide)
{
    const SectionLangue commun("DLG_000");
    if (!commun.Trouvee())
        return false;
    ok->setText(LegendeRaccourci(commun.Brut(1), utilisees));
    annuler->setText(LegendeRaccourci(commun.Brut(2), utilisees));
    if (aide != nullptr)
        aide->setText(LegendeRaccourci(commun.Brut(5), utilisees));
    return true;
}

// ---- Entry fields ----------------------------------------------------------------------------

namespace {

// The separator typed either way becomes the system's; anything else but digits is refused,
// pasted text included.
class ValidateurDecimal : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& texte, int& position) const override
    {
        (void)position;
        const QChar sep = QLatin1Char(SeparateurDecimal());
        for (QChar& c : texte) {
            if (c == QLatin1Char('.') || c == QLatin1Char(','))
                c = sep;
            else if (!c.isDigit() || c.unicode() > 0x7F)
                return Invalid;
        }
        return Acceptable;
    }
};

class FiltreTouchesSpin : public QObject {
public:
    FiltreTouchesSpin(QObject* parent, std::function<void()> haut, std::function<void()> bas)
        : QObject(parent), haut_(std::move(haut)), bas_(std::move(bas))
    {
    }

protected:
    bool eventFilter(QObject* objet, QEvent* e) override
    {
        if (e->type() == QEvent::KeyPress) {
            const auto* k = static_cast<QKeyEvent*>(e);
            const bool pave = k->modifiers() & Qt::KeypadModifier;
            if (k->key() == Qt::Key_Up || (pave && k->key() == Qt::Key_Plus)) {
                if (haut_)
                    haut_();
                return true;
            }
            if (k->key() == Qt::Key_Down || (pave && k->key() == Qt::Key_Minus)) {
                if (bas_)
                    bas_();
                return true;
            }
        }
        return QObject::eventFilter(objet, e);
    }

private:
    std::function<void()> haut_;
    std::function<void()> bas_;
};

} // namespace

void FiltrerChiffres(QLineEdit* champ, int longueur)
{
    champ->setMaxLength(longueur);
    champ->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), champ));
}

void FiltrerDecimal(QLineEdit* champ, int longueur)
{
    champ->setMaxLength(longueur);
    champ->setValidator(new ValidateurDecimal(champ));
}

void LierTouchesSpin(QLineEdit* champ, std::function<void()> haut, std::function<void()> bas)
{
    champ->installEventFilter(new FiltreTouchesSpin(champ, std::move(haut), std::move(bas)));
}

RepetitionSpin::RepetitionSpin(QObject* proprietaire, Cadence cadence, std::function<void(int)> pas)
    : cadence_(cadence), pas_(std::move(pas)), timer_(new QTimer(proprietaire))
{
    QObject::connect(timer_, &QTimer::timeout, timer_, [this] { Tick(); });
}

void RepetitionSpin::Lier(QAbstractButton* bouton, int sens)
{
    QObject::connect(bouton, &QAbstractButton::pressed, timer_, [this, sens] { Demarrer(sens); });
    QObject::connect(bouton, &QAbstractButton::released, timer_, [this] { Arreter(); });
}

void RepetitionSpin::Demarrer(int sens)
{
    compteur_ = 0;
    sens_ = sens < 0 ? -1 : 1;
    timer_->setInterval(cadence_.Premier);
    timer_->start();
}

void RepetitionSpin::Arreter() { timer_->stop(); }

void RepetitionSpin::Tick()
{
    ++compteur_;
    int intervalle = timer_->interval();
    if (compteur_ > 1)
        intervalle = cadence_.Rapide;
    if (cadence_.TresRapide > 0 && compteur_ > 10)
        intervalle = cadence_.TresRapide;
    // A timer given the interval it already has keeps its phase.
    if (intervalle != timer_->interval())
        timer_->setInterval(intervalle);
    if (cadence_.Triple > 0 && compteur_ == cadence_.Triple)
        sens_ *= 3;
    if (pas_)
        pas_(sens_);
}

bool RepetitionSpin::Actif() const { return timer_->isActive(); }

int RepetitionSpin::Intervalle() const { return timer_->interval(); }

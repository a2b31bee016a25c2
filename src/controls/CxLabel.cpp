#include "controls/CxLabel.h"

#include "platform/Arrondi.h"
#include "platform/qt/CanevasQt.h"

#include <QDesktopServices>
#include <QEnterEvent>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QUrl>

#include <cmath>
#include <numbers>

namespace {

QRect VersQRect(TRect r) { return QRect(r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top); }

bool OuvrirParDefaut(const QString& cible) { return QDesktopServices::openUrl(QUrl::fromUserInput(cible)); }

LanceurLien& Lanceur()
{
    static LanceurLien lanceur = OuvrirParDefaut;
    return lanceur;
}

int Arrondi(double v) { return static_cast<int>(platform::Round(v)); }

} // namespace

std::vector<CoucheTexte> CouchesTexte(TTextStyle style, bool styleLeger, bool actif, int profondeurOmbre)
{
    using C = CoucheTexte;
    if (!actif)
        return {{C::BoutonLumiere, 1, 1}, {C::TexteGrise, 0, 0}};
    switch (style) {
    case tsRaised:
        if (styleLeger)
            return {{C::Lumiere, -1, -1}, {C::Police, 0, 0}};
        return {{C::Ombre, 1, 1}, {C::Lumiere, -1, -1}, {C::Police, 0, 0}};
    case tsRecessed:
        if (styleLeger)
            return {{C::Lumiere, 1, 1}, {C::Police, 0, 0}};
        return {{C::Lumiere, 1, 1}, {C::Ombre, -1, -1}, {C::Police, 0, 0}};
    case tsShadow:
        return {{C::Ombre, profondeurOmbre, profondeurOmbre}, {C::Police, 0, 0}};
    case tsNormal:
        break;
    }
    return {{C::Police, 0, 0}};
}

CentreArc CentreEtRayons(TCenterPoint point, int largeur, int hauteur, int b)
{
    const int xs[3] = {b, largeur / 2, largeur - b};
    const int ys[3] = {b, hauteur / 2, hauteur - b};
    const int colonne = point % 3; // left, centre, right
    const int rangee = point / 3;  // upper, centre, lower
    CentreArc c;
    c.X = xs[colonne];
    c.Y = ys[rangee];
    c.Rx = (colonne == 1 ? largeur / 2 : largeur) - 2 * b;
    c.Ry = (rangee == 1 ? hauteur / 2 : hauteur) - 2 * b;
    return c;
}

int NormaliserAngle(int angle) { return angle < 0 ? angle + 360 : angle % 360; }

// ---------------------------------------------------------------------------------------------
// TCxLabel

TCxLabel::TCxLabel(QWidget* parent)
    : TCxLabel(QString(), parent)
{
}

TCxLabel::TCxLabel(const QString& texte, QWidget* parent)
    : QLabel(texte, parent)
{
    static bool palette = false;
    if (!palette) {
        palette = true;
        InstallerCouleursSystemePalette();
    }
    bordures_.BevelWidth = 0;
    TCxBlinkingControlsList::Enregistrer(this);
}

TCxLabel::~TCxLabel() { TCxBlinkingControlsList::Desenregistrer(this); }

#define LYRX_SETTER(nom, champ)                                                                                        \
    if (champ == nom)                                                                                                  \
        return;                                                                                                        \
    champ = nom;                                                                                                       \
    update();

void TCxLabel::SetTextStyle(TTextStyle style) { LYRX_SETTER(style, textStyle_) }
void TCxLabel::SetLightTextStyle(bool leger) { LYRX_SETTER(leger, lightTextStyle_) }
void TCxLabel::SetHighlightColor(TCouleurCtrl c) { LYRX_SETTER(c, highlightColor_) }
void TCxLabel::SetShadowColor(TCouleurCtrl c) { LYRX_SETTER(c, shadowColor_) }
void TCxLabel::SetShadowDepth(int profondeur) { LYRX_SETTER(profondeur, shadowDepth_) }
void TCxLabel::SetCenterPoint(TCenterPoint point) { LYRX_SETTER(point, centerPoint_) }
void TCxLabel::SetBlinkColor(TCouleurCtrl c) { LYRX_SETTER(c, blinkColor_) }
void TCxLabel::SetFlyByEnabled(bool actif) { LYRX_SETTER(actif, flyByEnabled_) }
void TCxLabel::SetFlyByColor(TCouleurCtrl c) { LYRX_SETTER(c, flyByColor_) }
void TCxLabel::SetLayout(TTextLayout disposition) { LYRX_SETTER(disposition, layout_) }
void TCxLabel::SetTransparent(bool transparent) { LYRX_SETTER(transparent, transparent_) }
void TCxLabel::SetColor(TCouleurCtrl c) { LYRX_SETTER(c, couleur_) }
void TCxLabel::SetBorderOuter(TFrameStyle style) { LYRX_SETTER(style, bordures_.BorderOuter) }
void TCxLabel::SetBorderInner(TFrameStyle style) { LYRX_SETTER(style, bordures_.BorderInner) }
void TCxLabel::SetBorderSides(TSides cotes) { LYRX_SETTER(cotes, bordures_.BorderSides) }
void TCxLabel::SetFrameSides(TSides cotes) { LYRX_SETTER(cotes, bordures_.FrameSides) }
void TCxLabel::SetBorderColor(TCouleurCtrl c) { LYRX_SETTER(c, bordures_.BorderColor) }
void TCxLabel::SetBorderHighlight(TCouleurCtrl c) { LYRX_SETTER(c, bordures_.BorderHighlight) }
void TCxLabel::SetBorderShadow(TCouleurCtrl c) { LYRX_SETTER(c, bordures_.BorderShadow) }
void TCxLabel::SetFlatColor(TCouleurCtrl c) { LYRX_SETTER(c, bordures_.FlatColor) }
void TCxLabel::SetBorderWidth(int largeur) { LYRX_SETTER(largeur, bordures_.BorderWidth) }
void TCxLabel::SetBevelWidth(int largeur) { LYRX_SETTER(largeur, bordures_.BevelWidth) }

#undef LYRX_SETTER

void TCxLabel::SetRotation(TRotation rotation)
{
    rotation_ = rotation;
    if (rotation == roNone)
        angle_ = 0;
    else if (rotation == roFlat) {
        angle_ = 0;
        centerPoint_ = cpCenter;
    }
    update();
}

void TCxLabel::SetAngle(int angle)
{
    angle_ = NormaliserAngle(angle);
    if (angle_ != 0 && rotation_ == roNone)
        rotation_ = roFlat;
    update();
}

void TCxLabel::SetBlinking(bool clignote)
{
    if (blinking_ == clignote)
        return;
    blinking_ = clignote;
    if (!clignote)
        MontrerCouleur(couleurRendue_);
}

uint16_t TCxLabel::BlinkIntervalOn() const
{
    const auto* s = TCxBlinkingControlsList::Instance();
    return s ? s->IntervalleAllume() : 500;
}

uint16_t TCxLabel::BlinkIntervalOff() const
{
    const auto* s = TCxBlinkingControlsList::Instance();
    return s ? s->IntervalleEteint() : 500;
}

void TCxLabel::SetBlinkIntervalOn(uint16_t ms)
{
    if (auto* s = TCxBlinkingControlsList::Instance())
        s->SetIntervalleAllume(ms);
}

void TCxLabel::SetBlinkIntervalOff(uint16_t ms)
{
    if (auto* s = TCxBlinkingControlsList::Instance())
        s->SetIntervalleEteint(ms);
}

void TCxLabel::MontrerCouleur(TCouleurCtrl c)
{
    if (couleurFonte_ == c)
        return;
    couleurFonte_ = c;
    update();
}

void TCxLabel::SetFontColor(TCouleurCtrl c)
{
    couleurRendue_ = c;
    MontrerCouleur(c);
}

void TCxLabel::Clignoter(bool allume)
{
    if (allume) {
        // The colour shown before the "on" phase is the one given back (a fly-by colour too).
        couleurRendue_ = couleurFonte_;
        MontrerCouleur(blinkColor_);
    } else {
        MontrerCouleur(couleurRendue_);
    }
}

TRect TCxLabel::AdjustRectForBorders(TRect r, bool avecLargeurBordure) const
{
    return ::AdjustRectForBorders(r, bordures_, avecLargeurBordure);
}

TRect TCxLabel::ClientRect() const { return AdjustRectForBorders(TRect{0, 0, width(), height()}, true); }

void TCxLabel::enterEvent(QEnterEvent* evenement)
{
    QLabel::enterEvent(evenement);
    if (flyByEnabled_) {
        couleurRendue_ = couleurFonte_;
        MontrerCouleur(flyByColor_);
    }
    if (OnMouseEnter)
        OnMouseEnter();
}

void TCxLabel::leaveEvent(QEvent* evenement)
{
    QLabel::leaveEvent(evenement);
    if (flyByEnabled_)
        MontrerCouleur(couleurRendue_);
    if (OnMouseLeave)
        OnMouseLeave();
}

void TCxLabel::changeEvent(QEvent* evenement)
{
    QLabel::changeEvent(evenement);
    if (evenement->type() == QEvent::EnabledChange || evenement->type() == QEvent::FontChange)
        update();
}

QColor TCxLabel::CouleurCouche(CoucheTexte::Role role) const
{
    switch (role) {
    case CoucheTexte::Ombre: return VersQColor(shadowColor_.Resoudre());
    case CoucheTexte::Lumiere: return VersQColor(highlightColor_.Resoudre());
    case CoucheTexte::BoutonLumiere: return VersQColor(CouleurDuSysteme(clBtnHighlight));
    case CoucheTexte::TexteGrise: return VersQColor(CouleurDuSysteme(clGrayText));
    case CoucheTexte::Police: break;
    }
    return VersQColor(couleurFonte_.Resoudre());
}

void TCxLabel::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    TRect reste;
    {
        platform::CanevasQt canevas(p);
        reste = DessinerBordures(canevas, width(), height(), bordures_);
        if (!transparent_) {
            canevas.SetBrosse(couleur_.Resoudre());
            canevas.FillRect(reste.Left, reste.Top, reste.Right, reste.Bottom);
        }
    }
    QFont f = font();
    f.setStyleStrategy(QFont::NoAntialias);
    p.setFont(f);
    const auto couches = CouchesTexte(textStyle_, lightTextStyle_, isEnabled(), shadowDepth_);
    const TRect client = ClientRect();
    switch (rotation_) {
    case roNone: DessinerDroit(p, client, couches); break;
    case roFlat: DessinerPlat(p, client, couches); break;
    case roCurve: DessinerArc(p, couches); break;
    }
}

void TCxLabel::DessinerDroit(QPainter& p, TRect client, const std::vector<CoucheTexte>& couches)
{
    const Qt::Alignment horizontal = alignment() & Qt::AlignHorizontal_Mask;
    int drapeaux = Qt::TextExpandTabs | static_cast<int>(horizontal ? horizontal : Qt::AlignLeft) | Qt::AlignTop;
    if (wordWrap())
        drapeaux |= Qt::TextWordWrap;
    QRect r = VersQRect(client);
    const int decalage = textStyle_ == tsShadow ? shadowDepth_ : 1;
    if (layout_ != tlTop) {
        const int basMesure = r.top() + p.boundingRect(r, drapeaux, text()).height();
        const int ecart = height() - bordures_.BorderWidth - basMesure;
        r.translate(0, layout_ == tlCenter ? ecart / 2 : ecart);
    }
    if (horizontal & Qt::AlignRight)
        r.translate(-decalage, 0);
    if (layout_ == tlBottom)
        r.translate(0, -decalage);
    for (const CoucheTexte& c : couches) {
        p.setPen(CouleurCouche(c.Couleur));
        p.drawText(r.translated(c.Dx, c.Dy), drapeaux, text());
    }
}

void TCxLabel::DessinerPlat(QPainter& p, TRect C, const std::vector<CoucheTexte>& couches)
{
    const QFontMetrics m(p.font());
    const QString t = text();
    const int hPp = m.height();
    const int w = m.horizontalAdvance(t);
    const int s = textStyle_ == tsShadow ? shadowDepth_ : 0;
    const double a = angle_ * std::numbers::pi / 180.0 + std::numbers::pi / 2;
    const int r = hPp / 4;
    const Qt::Alignment horizontal = alignment() & Qt::AlignHorizontal_Mask;
    const bool gauche = !(horizontal & (Qt::AlignRight | Qt::AlignHCenter));
    const bool droite = (horizontal & Qt::AlignRight) != 0;
    int x = width() / 2;
    int y = height() / 2;
    bool centre = true;   // the point is the middle of the text, else its start
    bool ligneDeBase = true; // the point is on the baseline, else on the top of the cell
    switch (angle_) {
    case 0:
        x = gauche ? C.Left + s : droite ? C.Right - w - s : x;
        y -= hPp / 2;
        centre = !gauche && !droite;
        ligneDeBase = false;
        break;
    case 90:
        x -= Arrondi(std::cos(a) * r);
        y = gauche ? C.Bottom - s : droite ? C.Top + w + s : C.Bottom - (C.Bottom - w) / 2;
        centre = false;
        break;
    case 180:
        x = gauche ? C.Right - s : droite ? C.Left + w : C.Right - (C.Right - w) / 2;
        y -= hPp / 4;
        centre = false;
        break;
    case 270:
        x -= Arrondi(std::cos(a) * r);
        y = gauche ? C.Top + s : droite ? C.Bottom - w - s : (C.Bottom - w) / 2;
        centre = false;
        break;
    default:
        x -= Arrondi(std::cos(a) * r);
        y += Arrondi(std::sin(a) * r);
        break;
    }
    p.save();
    p.setClipRect(VersQRect(C));
    for (const CoucheTexte& c : couches) {
        p.save();
        p.translate(x + c.Dx, y + c.Dy);
        p.rotate(-angle_);
        p.setPen(CouleurCouche(c.Couleur));
        const int dx = centre ? -w / 2 : 0;
        const int dy = ligneDeBase ? 0 : m.ascent();
        p.drawText(QPoint(dx, dy), t);
        p.restore();
    }
    p.restore();
}

void TCxLabel::DessinerArc(QPainter& p, const std::vector<CoucheTexte>& couches)
{
    const QFontMetrics m(p.font());
    const CentreArc c = CentreEtRayons(centerPoint_, width(), height(), bordures_.BorderWidth);
    if (c.Rx == 0)
        return;
    const int h = m.height();
    const double pas = (m.horizontalAdvance(QLatin1Char('w')) + 2) / static_cast<double>(c.Rx);
    double a = angle_ * std::numbers::pi / 180.0;
    for (const QChar ch : text()) {
        const int x = c.X - Arrondi(std::sin(a) * (c.Rx - h));
        const int y = c.Y - Arrondi(std::cos(a) * (c.Ry - h));
        const int dixiemes = Arrondi(a * 1800 / std::numbers::pi);
        const int l = m.horizontalAdvance(ch);
        for (const CoucheTexte& k : couches) {
            p.save();
            p.translate(x + k.Dx, y + k.Dy);
            p.rotate(-dixiemes / 10.0);
            p.setPen(CouleurCouche(k.Couleur));
            p.drawText(QPoint(-l / 2, 0), QString(ch));
            p.restore();
        }
        a -= pas;
    }
}

// ---------------------------------------------------------------------------------------------
// TCxURLLabel

void InstallerLanceurLien(LanceurLien lanceur) { Lanceur() = lanceur ? std::move(lanceur) : LanceurLien(OuvrirParDefaut); }

TCxURLLabel::TCxURLLabel(QWidget* parent)
    : TCxURLLabel(QString(), parent)
{
}

TCxURLLabel::TCxURLLabel(const QString& texte, QWidget* parent)
    : TCxLabel(texte, parent)
{
    setCursor(Qt::PointingHandCursor);
    SetTextStyle(tsNormal);
    QFont f = font();
    f.setUnderline(true);
    setFont(f);
    UpdateFontColor();
}

void TCxURLLabel::UpdateFontColor() { SetFontColor(visited_ ? visitedColor_ : unvisitedColor_); }

void TCxURLLabel::SetVisited(bool visite)
{
    visited_ = visite;
    UpdateFontColor();
}

void TCxURLLabel::SetUnvisitedColor(TCouleurCtrl c)
{
    unvisitedColor_ = c;
    UpdateFontColor();
}

void TCxURLLabel::SetVisitedColor(TCouleurCtrl c)
{
    visitedColor_ = c;
    UpdateFontColor();
}

QString TCxURLLabel::Cible() const
{
    if (!url_.trimmed().isEmpty())
        return url_;
    if (!text().trimmed().isEmpty())
        return text();
    return QString();
}

void TCxURLLabel::Click()
{
    if (OnClick)
        OnClick();
    const QString cible = Cible();
    if (cible.isEmpty())
        return;
    // A link that did not open was not visited.
    if (Lanceur()(cible))
        SetVisited(true);
}

void TCxURLLabel::mouseReleaseEvent(QMouseEvent* evenement)
{
    TCxLabel::mouseReleaseEvent(evenement);
    if (evenement->button() == Qt::LeftButton && rect().contains(evenement->position().toPoint()))
        Click();
}

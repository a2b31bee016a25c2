#include "controls/CxPanel.h"

#include "controls/CxCommon.h"
#include "platform/qt/CanevasQt.h"

#include <QChildEvent>
#include <QEnterEvent>
#include <QFontMetrics>
#include <QPainter>
#include <QResizeEvent>

#include <algorithm>

namespace {

QRect VersQRect(TRect r) { return QRect(r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top); }

void PremiereCouleursPalette()
{
    static bool fait = false;
    if (!fait) {
        fait = true;
        InstallerCouleursSystemePalette();
    }
}

} // namespace

// ---------------------------------------------------------------------------------------------
// TCxCustomPanel

TCxCustomPanel::TCxCustomPanel(QWidget* parent)
    : QWidget(parent)
{
    PremiereCouleursPalette();
    bordures_.BorderOuter = fsRaised;
    setAttribute(Qt::WA_OpaquePaintEvent, false);
    BorduresChangees();
}

#define LYRX_SETTER(nom, champ, changeClient)                                                                          \
    if (champ == nom)                                                                                                  \
        return;                                                                                                        \
    champ = nom;                                                                                                       \
    if (changeClient)                                                                                                  \
        BorduresChangees();                                                                                            \
    update();

void TCxCustomPanel::SetBorderOuter(TFrameStyle style) { LYRX_SETTER(style, bordures_.BorderOuter, true) }
void TCxCustomPanel::SetBorderInner(TFrameStyle style) { LYRX_SETTER(style, bordures_.BorderInner, true) }
void TCxCustomPanel::SetBorderSides(TSides cotes) { LYRX_SETTER(cotes, bordures_.BorderSides, true) }
void TCxCustomPanel::SetFrameSides(TSides cotes) { LYRX_SETTER(cotes, bordures_.FrameSides, true) }
void TCxCustomPanel::SetBorderColor(TCouleurCtrl c) { LYRX_SETTER(c, bordures_.BorderColor, false) }
void TCxCustomPanel::SetBorderHighlight(TCouleurCtrl c) { LYRX_SETTER(c, bordures_.BorderHighlight, false) }
void TCxCustomPanel::SetBorderShadow(TCouleurCtrl c) { LYRX_SETTER(c, bordures_.BorderShadow, false) }
void TCxCustomPanel::SetFlatColor(TCouleurCtrl c) { LYRX_SETTER(c, bordures_.FlatColor, false) }
void TCxCustomPanel::SetBevelWidth(int largeur) { LYRX_SETTER(largeur, bordures_.BevelWidth, true) }
void TCxCustomPanel::SetBorderWidth(int largeur) { LYRX_SETTER(largeur, bordures_.BorderWidth, false) }
void TCxCustomPanel::SetCaptionLayout(TTextLayout disposition) { LYRX_SETTER(disposition, captionLayout_, false) }
void TCxCustomPanel::SetCaption(const QString& texte) { LYRX_SETTER(texte, caption_, false) }
void TCxCustomPanel::SetAlignment(Qt::Alignment alignement) { LYRX_SETTER(alignement, alignement_, false) }
void TCxCustomPanel::SetColor(TCouleurCtrl c) { LYRX_SETTER(c, couleur_, false) }

#undef LYRX_SETTER

void TCxCustomPanel::SetAlign(TAlign align) { align_ = align; }

TRect TCxCustomPanel::AdjustRectForBorders(TRect r, bool avecLargeurBordure) const
{
    return ::AdjustRectForBorders(r, bordures_, avecLargeurBordure);
}

TRect TCxCustomPanel::ClientRect() const { return AdjustRectForBorders(TRect{0, 0, width(), height()}, false); }

void TCxCustomPanel::BorduresChangees()
{
    const TRect c = AdjustRectForBorders(TRect{0, 0, 100, 100}, false);
    setContentsMargins(c.Left, c.Top, 100 - c.Right, 100 - c.Bottom);
}

void TCxCustomPanel::SetBounds(int gauche, int haut, int largeur, int hauteur)
{
    if (align_ == alBottom && hauteur != height())
        haut = y() + height() - hauteur;
    if (align_ == alRight && largeur != width())
        gauche = x() + width() - largeur;
    setGeometry(gauche, haut, largeur, hauteur);
}

TRect TCxCustomPanel::RectangleLegende(TRect contenu, int hauteurTexte, TTextLayout disposition)
{
    TRect r = contenu;
    r.Left += 1;
    switch (disposition) {
    case tlTop:
        break;
    case tlCenter:
        r.Top = (contenu.Bottom + contenu.Top - hauteurTexte) / 2;
        break;
    case tlBottom:
        r.Top = contenu.Bottom - hauteurTexte - 1;
        break;
    }
    r.Bottom = r.Top + hauteurTexte;
    return r;
}

void TCxCustomPanel::paintEvent(QPaintEvent*)
{
    QPainter peintre(this);
    Peindre(peintre);
}

void TCxCustomPanel::Peindre(QPainter& peintre)
{
    TRect contenu;
    {
        platform::CanevasQt canevas(peintre);
        contenu = DessinerBordures(canevas, width(), height(), bordures_);
        canevas.SetBrosse(couleur_.Resoudre());
        canevas.FillRect(contenu.Left, contenu.Top, contenu.Right, contenu.Bottom);
    }
    if (caption_.isEmpty())
        return;
    QFont f = font();
    f.setStyleStrategy(QFont::NoAntialias);
    peintre.setFont(f);
    const int drapeaux = Qt::TextWordWrap | Qt::TextExpandTabs | static_cast<int>(alignement_ & Qt::AlignHorizontal_Mask);
    const QRect zone = VersQRect(TRect{contenu.Left + 1, contenu.Top, contenu.Right, contenu.Bottom});
    const int hauteur = peintre.boundingRect(zone, drapeaux, caption_).height();
    const QRect r = VersQRect(RectangleLegende(contenu, hauteur, captionLayout_));
    if (isEnabled()) {
        peintre.setPen(palette().color(QPalette::WindowText));
        peintre.drawText(r, drapeaux, caption_);
    } else {
        peintre.setPen(VersQColor(CouleurDuSysteme(clBtnHighlight)));
        peintre.drawText(r.translated(1, 1), drapeaux, caption_);
        peintre.setPen(VersQColor(CouleurDuSysteme(clGrayText)));
        peintre.drawText(r, drapeaux, caption_);
    }
}

void TCxCustomPanel::enterEvent(QEnterEvent* evenement)
{
    QWidget::enterEvent(evenement);
    if (OnMouseEnter)
        OnMouseEnter();
}

void TCxCustomPanel::leaveEvent(QEvent* evenement)
{
    QWidget::leaveEvent(evenement);
    if (OnMouseLeave)
        OnMouseLeave();
}

void TCxCustomPanel::changeEvent(QEvent* evenement)
{
    QWidget::changeEvent(evenement);
    if (evenement->type() == QEvent::EnabledChange)
        update();
}

// ---------------------------------------------------------------------------------------------
// TCxSpacer

TCxSpacer::TCxSpacer(QWidget* parent)
    : QWidget(parent)
{
    resize(8, 25);
}

void TCxSpacer::SetGrooved(bool rainure)
{
    if (grooved_ == rainure)
        return;
    grooved_ = rainure;
    update();
}

void TCxSpacer::SetOrientation(TOrientation orientation)
{
    if (orientation_ == orientation)
        return;
    orientation_ = orientation;
    resize(height(), width());
    update();
}

void TCxSpacer::paintEvent(QPaintEvent*)
{
    // Without a groove a spacer is only room between buttons.
    if (!grooved_)
        return;
    QPainter peintre(this);
    platform::CanevasQt canevas(peintre);
    DessinerRainureEspaceur(canevas, TRect{0, 0, width(), height()});
}

// ---------------------------------------------------------------------------------------------
// TCxToolbar

TCxToolbar::TCxToolbar(QWidget* parent)
    : TCxCustomPanel(parent)
{
    resize(32, 32);
    SetAlign(alTop);
    SetBorderWidth(0);
    SetShowDockClientCaptions(false);
    SetFullRepaint(false);
    // The desktop's current look: a groove on the edge, no frame.
    TCxCustomPanel::SetBorderInner(fsNone);
    TCxCustomPanel::SetBorderOuter(fsGroove);
    TCxCustomPanel::SetBorderSides(sdTop);
    TCxCustomPanel::SetFrameSides(sdAucun);
    construit_ = true;
}

std::vector<QWidget*> TCxToolbar::ToolbarControls() const
{
    std::vector<QWidget*> v;
    for (const auto& c : controles_)
        if (c)
            v.push_back(c);
    return v;
}

QStringList TCxToolbar::ToolbarControlNames() const
{
    QStringList noms;
    for (QWidget* c : ToolbarControls())
        noms << c->objectName();
    return noms;
}

void TCxToolbar::SetToolbarControlNames(const QStringList& noms)
{
    QStringList uniques;
    for (const QString& n : noms)
        if (!uniques.contains(n, Qt::CaseInsensitive))
            uniques << n;
    QWidget* fenetre = window();
    const bool avant = enDisposition_;
    enDisposition_ = true; // no layout for each control found
    if (uniques.isEmpty()) {
        for (QObject* o : children())
            if (auto* w = qobject_cast<QWidget*>(o))
                AddControl(w);
    } else {
        for (const QString& n : uniques) {
            QWidget* trouve = nullptr;
            for (QWidget* w : fenetre->findChildren<QWidget*>())
                if (w->objectName().compare(n, Qt::CaseInsensitive) == 0) {
                    trouve = w;
                    break;
                }
            if (trouve && trouve != this)
                AddControl(trouve);
        }
    }
    enDisposition_ = avant;
    PositionControls();
    if (autoStyle_)
        ApplyAutoStyle(Align());
}

void TCxToolbar::AddControl(QWidget* controle)
{
    if (!controle)
        return;
    if (controle->parentWidget() != this)
        controle->setParent(this); // a child joins the list through childEvent
    Suivre(controle);
    PositionControls();
}

void TCxToolbar::Suivre(QWidget* controle)
{
    for (const auto& c : controles_)
        if (c == controle)
            return;
    controles_.emplace_back(controle);
    controle->installEventFilter(this);
    if (auto* s = qobject_cast<TCxSpacer*>(controle))
        s->SetOrientation(orientation_);
}

void TCxToolbar::childEvent(QChildEvent* evenement)
{
    TCxCustomPanel::childEvent(evenement);
    if (evenement->added()) {
        if (auto* w = qobject_cast<QWidget*>(evenement->child()); w && !w->isWindow()) {
            Suivre(w);
            // The child is still being made, and a hidden widget is told of no resize: its real
            // size counts once control returns to the event loop (AddControl lays out at once).
            QMetaObject::invokeMethod(this, &TCxToolbar::PositionControls, Qt::QueuedConnection);
        }
    } else if (evenement->polished()) {
        // Now fully made: a spacer takes the toolbar's orientation, and its real size counts.
        if (auto* s = qobject_cast<TCxSpacer*>(evenement->child()))
            s->SetOrientation(orientation_);
        PositionControls();
    } else if (evenement->removed()) {
        evenement->child()->removeEventFilter(this);
        const auto avant = controles_.size();
        std::erase_if(controles_, [&](const QPointer<QWidget>& c) { return !c || c == evenement->child(); });
        if (controles_.size() != avant)
            PositionControls();
    }
}

bool TCxToolbar::eventFilter(QObject* objet, QEvent* evenement)
{
    switch (evenement->type()) {
    case QEvent::ShowToParent:
    case QEvent::HideToParent:
    case QEvent::Resize:
    case QEvent::LayoutDirectionChange:
        if (!enDisposition_)
            PositionControls();
        break;
    default:
        break;
    }
    return TCxCustomPanel::eventFilter(objet, evenement);
}

void TCxToolbar::resizeEvent(QResizeEvent* evenement)
{
    TCxCustomPanel::resizeEvent(evenement);
    if (!enDisposition_ && evenement->size().width() != evenement->oldSize().width() && wrapControls_)
        PositionControls();
}

void TCxToolbar::showEvent(QShowEvent* evenement)
{
    TCxCustomPanel::showEvent(evenement);
    PositionControls();
}

int TCxToolbar::RowHeightOf(int) const { return rowHeight_; }

void TCxToolbar::PositionControls()
{
    if (enDisposition_ || !construit_)
        return;
    enDisposition_ = true;
    std::vector<QWidget*> controles;
    std::vector<ElementBarre> elements;
    for (const auto& c : controles_) {
        if (!c)
            continue;
        controles.push_back(c);
        // Hidden by the program, not merely because the toolbar is not shown yet.
        elements.push_back(ElementBarre{c->isVisibleTo(this), c->width(), c->height(),
                                        c->layoutDirection() == Qt::RightToLeft});
    }
    ParametresBarre p;
    p.Orientation = orientation_;
    p.Align = Align();
    p.Largeur = width();
    p.Hauteur = height();
    p.RowHeight = rowHeight_;
    p.Margin = margin_;
    p.TopMargin = topMargin_;
    p.WrapControls = wrapControls_;
    p.AutoResize = autoResize_;
    const DispositionBarre d = DisposerBarre(p, elements);
    for (std::size_t i = 0; i < controles.size(); ++i)
        if (d.Places[i].Place)
            controles[i]->move(d.Places[i].Left, d.Places[i].Top);

    int largeur = d.Largeur;
    int hauteur = d.Hauteur;
    if (autoSize_) {
        // The size the controls need once laid out at the present width: the far edges of the
        // visible ones, so rows wrapped at a narrow width make it taller. The width only grows
        // (a first control wider than the toolbar): it is the width to wrap at, which the
        // toolbar's placer gives, and controls added one by one must not narrow it.
        int droite = 0, bas = 0;
        for (std::size_t i = 0; i < controles.size(); ++i)
            if (elements[i].Visible) {
                droite = std::max(droite, controles[i]->x() + controles[i]->width());
                bas = std::max(bas, controles[i]->y() + controles[i]->height());
            }
        if (droite > 0 && bas > 0) {
            largeur = std::max(largeur, droite);
            hauteur = bas;
        }
    }
    if (largeur != width() || hauteur != height()) {
        resize(largeur, hauteur);
        updateGeometry(); // the parent lays its aligned children out again
    }
    enDisposition_ = false;
}

QSize TCxToolbar::sizeHint() const
{
    // The size of the controls laid out in a single row (or column).
    ParametresBarre p;
    p.Orientation = orientation_;
    p.RowHeight = rowHeight_;
    p.Margin = margin_;
    p.TopMargin = topMargin_;
    p.WrapControls = false;
    p.AutoResize = false;
    std::vector<ElementBarre> elements;
    for (const auto& c : controles_)
        if (c)
            elements.push_back(ElementBarre{c->isVisibleTo(this), c->width(), c->height(), false});
    const DispositionBarre d = DisposerBarre(p, elements);
    int droite = 0, bas = 0;
    for (std::size_t i = 0; i < elements.size(); ++i)
        if (d.Places[i].Place) {
            droite = std::max(droite, d.Places[i].Left + elements[i].Largeur);
            bas = std::max(bas, d.Places[i].Top + elements[i].Hauteur);
        }
    return droite > 0 && bas > 0 ? QSize(droite, bas) : size();
}

#define LYRX_SETTER_DISPOSITION(nom, champ)                                                                            \
    if (champ == nom)                                                                                                  \
        return;                                                                                                        \
    champ = nom;                                                                                                       \
    PositionControls();

void TCxToolbar::SetRowHeight(int hauteur) { LYRX_SETTER_DISPOSITION(hauteur, rowHeight_) }
void TCxToolbar::SetMargin(int marge) { LYRX_SETTER_DISPOSITION(marge, margin_) }
void TCxToolbar::SetTopMargin(int marge) { LYRX_SETTER_DISPOSITION(marge, topMargin_) }
void TCxToolbar::SetWrapControls(bool retour) { LYRX_SETTER_DISPOSITION(retour, wrapControls_) }
void TCxToolbar::SetAutoResize(bool auto_) { LYRX_SETTER_DISPOSITION(auto_, autoResize_) }
void TCxToolbar::SetAutoSize(bool auto_) { LYRX_SETTER_DISPOSITION(auto_, autoSize_) }

#undef LYRX_SETTER_DISPOSITION

void TCxToolbar::SetOrientation(TOrientation orientation)
{
    if (orientation_ == orientation)
        return;
    orientation_ = orientation;
    enDisposition_ = true;
    for (QWidget* c : ToolbarControls())
        if (auto* s = qobject_cast<TCxSpacer*>(c))
            s->SetOrientation(orientation);
    enDisposition_ = false;
    PositionControls();
}

void TCxToolbar::SetShowDivider(bool montrer)
{
    if (showDivider_ == montrer)
        return;
    showDivider_ = montrer;
    TCxCustomPanel::SetBorderOuter(montrer ? fsGroove : fsNone);
}

void TCxToolbar::SetBackground(const QPixmap& image)
{
    background_ = image;
    update();
}

void TCxToolbar::SansAutoStyle() { autoStyle_ = false; }

void TCxToolbar::SetBorderOuter(TFrameStyle style)
{
    if (style == BorderOuter())
        return;
    TCxCustomPanel::SetBorderOuter(style);
    SansAutoStyle();
}

void TCxToolbar::SetBorderInner(TFrameStyle style)
{
    if (style == BorderInner())
        return;
    TCxCustomPanel::SetBorderInner(style);
    SansAutoStyle();
}

void TCxToolbar::SetBorderSides(TSides cotes)
{
    if (cotes == BorderSides())
        return;
    TCxCustomPanel::SetBorderSides(cotes);
    SansAutoStyle();
}

void TCxToolbar::SetFrameSides(TSides cotes)
{
    if (cotes == FrameSides())
        return;
    TCxCustomPanel::SetFrameSides(cotes);
    SansAutoStyle();
}

void TCxToolbar::ApplyAutoStyle(TAlign align)
{
    TCxCustomPanel::SetBorderInner(fsNone);
    TCxCustomPanel::SetBorderOuter(showDivider_ ? fsGroove : fsNone);
    TSides cote = sdTop;
    switch (align) {
    case alLeft: cote = sdLeft; break;
    case alRight: cote = sdRight; break;
    case alBottom: cote = sdBottom; break;
    default: break;
    }
    TCxCustomPanel::SetBorderSides(cote);
    TCxCustomPanel::SetFrameSides(sdAucun);
    update();
}

void TCxToolbar::SetAlign(TAlign align)
{
    if (autoStyle_)
        ApplyAutoStyle(align);
    TCxCustomPanel::SetAlign(align);
    if (align == alLeft || align == alRight)
        resize(32, height());
    else
        resize(width(), 32);
    PositionControls();
}

void TCxToolbar::Peindre(QPainter& peintre)
{
    TCxCustomPanel::Peindre(peintre);
    if (background_.width() <= 0 || background_.height() <= 0)
        return;
    const TRect c = ClientRect();
    peintre.save();
    peintre.setClipRect(VersQRect(c));
    const int colonnes = (c.Largeur() + background_.width() - 1) / background_.width();
    const int rangees = (c.Hauteur() + background_.height() - 1) / background_.height();
    for (int j = 0; j < rangees; ++j)
        for (int i = 0; i < colonnes; ++i)
            peintre.drawPixmap(c.Left + i * background_.width(), c.Top + j * background_.height(), background_);
    peintre.restore();
}

#include "controls/KxSpeedButton.h"

#include "controls/Cadres.h"
#include "controls/CxCommon.h"

#include <QApplication>
#include <QDialog>
#include <QEnterEvent>
#include <QFontMetrics>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QShortcut>
#include <QTimer>

namespace {

class MinuterieQt final : public IMinuterieRepetition {
public:
    MinuterieQt()
    {
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            if (Tic)
                Tic();
        });
    }
    void Demarrer(int ms) override { timer_.start(ms); }
    void SetIntervalle(int ms) override { timer_.setInterval(ms); }
    void Arreter() override { timer_.stop(); }

private:
    QTimer timer_;
};

TKxSpeedButton::FabriqueMinuterie& Fabrique()
{
    static TKxSpeedButton::FabriqueMinuterie fabrique;
    return fabrique;
}

// A 1-pixel 3-D frame: the top-left colour on the left and top edges, the bottom-right one on
// the right and bottom edges; the rectangle then moves inward.
void Cadre3D(QPainter& p, QRect& r, QColor hautGauche, QColor basDroite)
{
    p.setPen(hautGauche);
    p.drawLine(r.left(), r.bottom(), r.left(), r.top());
    p.drawLine(r.left(), r.top(), r.right(), r.top());
    p.setPen(basDroite);
    p.drawLine(r.right(), r.top(), r.right(), r.bottom());
    p.drawLine(r.right(), r.bottom(), r.left(), r.bottom());
    r.adjust(1, 1, -1, -1);
}

// The drop-down mark: rows 7, 5, 3 and 1 pixels wide, the first one above the point.
void Marque(QPainter& p, QPoint pt, QColor couleur)
{
    p.setPen(couleur);
    for (int i = 0; i < 4; ++i)
        p.drawLine(pt.x() + i, pt.y() - 1 + i, pt.x() + 6 - i, pt.y() - 1 + i);
}

} // namespace

QPoint PositionMenu(QSize b, TKxDropDownMenuPos position, TMenuAlignment alignement)
{
    if (alignement == paCenter)
        return {b.width() / 2, b.height()};
    if (position == dmpBottom)
        return alignement == paLeft ? QPoint(-1, b.height()) : QPoint(b.width() + 1, b.height());
    return alignement == paLeft ? QPoint(b.width(), -1) : QPoint(-1, -1);
}

TKxSpeedButton::TKxSpeedButton(QWidget* parent) : QWidget(parent)
{
    static bool couleursPalette = false;
    if (!couleursPalette) {
        couleursPalette = true;
        InstallerCouleursSystemePalette();
    }
    resize(25, 25);
    glyphe_.OnChange = [this] { update(); };
}

TKxSpeedButton::~TKxSpeedButton() = default;

void TKxSpeedButton::InstallerFabriqueMinuterie(FabriqueMinuterie fabrique) { Fabrique() = std::move(fabrique); }

// ---- Properties -----------------------------------------------------------------------------------

void TKxSpeedButton::SetGroupIndex(int v)
{
    if (v == groupIndex_)
        return;
    groupIndex_ = v;
    NotifierGroupe();
}

void TKxSpeedButton::SetAllowAllUp(bool v)
{
    if (v == allowAllUp_)
        return;
    allowAllUp_ = v;
    NotifierGroupe();
}

void TKxSpeedButton::SetDown(bool v)
{
    if (groupIndex_ == 0)
        v = false;
    if (v == down_)
        return;
    if (down_ && !allowAllUp_)
        return;
    down_ = v;
    if (v) {
        etat_ = bsExclusive;
        update();
        NotifierGroupe();
    } else {
        etat_ = bsUp;
        update();
    }
}

void TKxSpeedButton::SetFlat(bool v) { Changer(flat_, v); }

void TKxSpeedButton::SetTransparent(bool v) { Changer(transparent_, v); }

void TKxSpeedButton::SetStyle(TButtonStyle v) { Changer(style_, v); }

void TKxSpeedButton::SetLayout(TButtonLayout v) { Changer(layout_, v); }

void TKxSpeedButton::SetSpacing(int v) { Changer(spacing_, v); }

void TKxSpeedButton::SetMargin(int v)
{
    if (v >= -1)
        Changer(margin_, v);
}

void TKxSpeedButton::SetMarkDropDown(bool v) { Changer(markDropDown_, v); }

void TKxSpeedButton::SetDropDownMenu(QMenu* menu)
{
    if (menu == menu_)
        return;
    menu_ = menu; // a QPointer: the button forgets a menu that is destroyed
    if (markDropDown_)
        update();
}

void TKxSpeedButton::SetGrayedInactive(bool v) { Changer(grayedInactive_, v); }

void TKxSpeedButton::SetAllowTimer(bool v)
{
    allowTimer_ = v;
    if (!v && minuterie_) {
        minuterie_->Arreter();
        minuterie_.reset();
    }
}

void TKxSpeedButton::SetWordWrap(bool v) { Changer(wordWrap_, v); }

void TKxSpeedButton::SetAlignment(Qt::Alignment v) { Changer(alignment_, v); }

void TKxSpeedButton::SetCaption(const QString& texte)
{
    if (texte == caption_)
        return;
    caption_ = texte;
    delete mnemonique_;
    mnemonique_ = nullptr;
    const QKeySequence touche = QKeySequence::mnemonic(texte);
    if (!touche.isEmpty()) {
        mnemonique_ = new QShortcut(touche, this);
        QObject::connect(mnemonique_, &QShortcut::activated, this, [this] {
            if (isEnabled())
                Click();
        });
    }
    update();
}

void TKxSpeedButton::SetGlyph(const QImage& bitmap) { glyphe_.SetGlyph(bitmap); }

void TKxSpeedButton::SetNumGlyphs(int n) { glyphe_.SetNumGlyphs(n); }

// ---- Groups ---------------------------------------------------------------------------------------

void TKxSpeedButton::NotifierGroupe()
{
    if (groupIndex_ == 0 || !parentWidget())
        return;
    for (QObject* o : parentWidget()->children())
        if (auto* b = dynamic_cast<TKxSpeedButton*>(o))
            b->GroupeNotifie(this);
}

void TKxSpeedButton::GroupeNotifie(TKxSpeedButton* emetteur)
{
    if (emetteur == this || emetteur->groupIndex_ != groupIndex_)
        return;
    if (emetteur->down_ && down_) {
        down_ = false;
        etat_ = bsUp;
        update();
    }
    allowAllUp_ = emetteur->allowAllUp_;
}

// ---- Press cycle ----------------------------------------------------------------------------------

bool TKxSpeedButton::Dedans(QPoint p) const
{
    return p.x() >= 0 && p.x() <= width() - 1 && p.y() >= 0 && p.y() <= height();
}

void TKxSpeedButton::mousePressEvent(QMouseEvent* e)
{
    if (menuSuivi_)
        return;
    QWidget::mousePressEvent(e);
    // The button keeps its presses: passed on, they would reach the edit that holds it.
    e->accept();
    if (!sourisDedans_ && isEnabled()) {
        sourisDedans_ = true;
        update();
    }
    if (e->button() != Qt::LeftButton || !isEnabled())
        return;
    if (!down_) {
        etat_ = bsDown;
        update();
    }
    dragging_ = true;
    menuSuivi_ = true;
    const QPointer<TKxSpeedButton> vivant(this);
    if (menu_) {
        MontrerMenu();
        if (!vivant)
            return;
        Relacher(true);
        if (!vivant)
            return;
    }
    menuSuivi_ = false;
    if (allowTimer_) {
        if (!minuterie_) {
            minuterie_ = Fabrique() ? Fabrique()() : std::make_unique<MinuterieQt>();
            minuterie_->Tic = [this] { TicMinuterie(); };
        }
        minuterie_->Demarrer(initPause_);
    }
}

void TKxSpeedButton::mouseMoveEvent(QMouseEvent* e)
{
    QWidget::mouseMoveEvent(e);
    if (!dragging_)
        return;
    TKxButtonState nouveau;
    if (Dedans(e->position().toPoint()))
        nouveau = down_ ? bsExclusive : bsDown;
    else
        nouveau = down_ ? bsExclusive : bsUp;
    if (nouveau != etat_) {
        etat_ = nouveau;
        update();
    }
}

void TKxSpeedButton::mouseReleaseEvent(QMouseEvent* e)
{
    QWidget::mouseReleaseEvent(e);
    e->accept();
    const QPointer<TKxSpeedButton> vivant(this);
    if (e->button() == Qt::LeftButton && dragging_)
        Relacher(Dedans(e->position().toPoint()));
    if (vivant && minuterie_)
        minuterie_->Arreter();
}

void TKxSpeedButton::Relacher(bool dedans)
{
    dragging_ = false;
    if (groupIndex_ == 0) {
        etat_ = bsUp;
        sourisDedans_ = false;
    } else if (dedans) {
        SetDown(!down_);
    } else {
        etat_ = down_ ? bsExclusive : bsUp;
    }
    update();
    const QPointer<TKxSpeedButton> vivant(this);
    if (dedans && !menuSuivi_)
        Click();
    if (vivant)
        MettreAJourSuivi();
}

void TKxSpeedButton::mouseDoubleClickEvent(QMouseEvent*)
{
    // The second press of a double click is not a press of its own.
    if (menuSuivi_)
        return;
    if (down_ && OnDblClick)
        OnDblClick();
}

void TKxSpeedButton::TicMinuterie()
{
    minuterie_->SetIntervalle(repeatInterval_);
    if (etat_ != bsDown || !dragging_)
        return;
    try {
        Click();
    } catch (...) {
        if (minuterie_)
            minuterie_->Arreter();
        throw;
    }
}

void TKxSpeedButton::Click()
{
    const QPointer<TKxSpeedButton> vivant(this);
    if (modalResult_ != 0)
        if (auto* dialogue = qobject_cast<QDialog*>(window()))
            dialogue->done(modalResult_);
    if (vivant && OnClick)
        OnClick();
}

void TKxSpeedButton::MontrerMenu()
{
    QPoint pt = PositionMenu(size(), menuPosition_, menuAlignment_);
    const int largeur = menu_->sizeHint().width();
    if (menuAlignment_ == paRight)
        pt.rx() -= largeur;
    else if (menuAlignment_ == paCenter)
        pt.rx() -= largeur / 2;
    menu_->popup(mapToGlobal(pt));
}

// ---- Tracking -------------------------------------------------------------------------------------

void TKxSpeedButton::SetSourisDedans(bool v)
{
    if (v == sourisDedans_)
        return;
    sourisDedans_ = v;
    if (v ? OnMouseEnter : OnMouseLeave)
        (v ? OnMouseEnter : OnMouseLeave)();
    if (flat_)
        update();
}

void TKxSpeedButton::MettreAJourSuivi()
{
    SetSourisDedans(isEnabled() && underMouse() && QApplication::activeWindow() != nullptr);
}

void TKxSpeedButton::enterEvent(QEnterEvent* e)
{
    QWidget::enterEvent(e);
    if (isEnabled() && QApplication::activeWindow() != nullptr)
        SetSourisDedans(true);
}

void TKxSpeedButton::leaveEvent(QEvent* e)
{
    QWidget::leaveEvent(e);
    if (!dragging_)
        SetSourisDedans(false);
}

void TKxSpeedButton::changeEvent(QEvent* e)
{
    QWidget::changeEvent(e);
    switch (e->type()) {
    case QEvent::EnabledChange:
        MettreAJourSuivi();
        update();
        break;
    case QEvent::PaletteChange:
    case QEvent::StyleChange:
        glyphe_.Invalidate();
        update();
        break;
    case QEvent::FontChange:
        update();
        break;
    default:
        break;
    }
}

// ---- Painting -------------------------------------------------------------------------------------

TKxButtonState TKxSpeedButton::EtatPeint() const
{
    if (flat_ && !sourisDedans_)
        return bsInactive;
    return etat_;
}

void TKxSpeedButton::paintEvent(QPaintEvent*)
{
    const QImage face = Face();
    QPainter p(this);
    p.drawImage(0, 0, face);
}

QImage TKxSpeedButton::Face()
{
    if (!isEnabled()) {
        etat_ = bsDisabled;
        dragging_ = false;
    } else if (etat_ == bsDisabled) {
        etat_ = down_ && groupIndex_ != 0 ? bsExclusive : bsUp;
    }
    const TKxButtonState peint = EtatPeint();
    QImage image(size(), QImage::Format_ARGB32_Premultiplied);
    // A transparent face starts see-through: Qt draws the parent behind the button already.
    image.fill(transparent_ ? QColor(Qt::transparent) : CouleurSystemeQt(clBtnFace));
    QPainter p(&image);
    p.setFont(font());
    QRect r = rect();
    const bool enfonce = etat_ == bsDown || etat_ == bsExclusive;
    if (peint != bsInactive || etat_ == bsExclusive) {
        const QColor cadre = CouleurSystemeQt(clWindowFrame), lumiere = CouleurSystemeQt(clBtnHighlight),
                     ombre = CouleurSystemeQt(clBtnShadow), face = CouleurSystemeQt(clBtnFace);
        if (!enfonce) {
            if (NouveauLook()) {
                if (!flat_)
                    Cadre3D(p, r, lumiere, cadre);
                Cadre3D(p, r, flat_ ? lumiere : face, ombre);
            } else if (!flat_) {
                Cadre3D(p, r, cadre, cadre);
                Cadre3D(p, r, lumiere, ombre);
            } else {
                Cadre3D(p, r, lumiere, cadre);
            }
        } else {
            if (NouveauLook()) {
                Cadre3D(p, r, cadre, lumiere);
                if (!flat_)
                    Cadre3D(p, r, ombre, face);
            } else if (!flat_) {
                Cadre3D(p, r, cadre, cadre);
                p.setPen(ombre);
                p.drawLine(r.left(), r.bottom(), r.left(), r.top());
                p.drawLine(r.left(), r.top(), r.right(), r.top());
                r.adjust(1, 1, -1, -1);
            } else {
                Cadre3D(p, r, cadre, lumiere);
            }
        }
        r.adjust(1, 1, -1, -1);
    } else if (flat_) {
        r.adjust(2, 2, -2, -2);
    }
    if (etat_ == bsExclusive && !flat_) {
        const QRect damier = r.adjusted(-1, -1, 1, 1);
        p.fillRect(damier, CouleurSystemeQt(clBtnFace));
        p.fillRect(damier, QBrush(CouleurSystemeQt(clBtnHighlight), Qt::Dense4Pattern));
    }
    if (enfonce)
        r.translate(1, 1);
    const TKxButtonState etatGlyphe = etat_ == bsDisabled || !grayedInactive_ ? etat_ : peint;
    DessinerGlyphe(p, r, etatGlyphe);
    return image;
}

void TKxSpeedButton::DessinerGlyphe(QPainter& p, QRect client, TKxButtonState etat)
{
    const QSize glyphe = glyphe_.TailleGlyphe();
    const bool marque = markDropDown_ && menu_;
    const QFontMetrics fm(font());
    const QSize place = PlaceLegende(client.size(), glyphe, layout_, margin_, spacing_, marque);
    QString texte = caption_;
    if (!wordWrap_)
        texte = RaccourcirLegende(texte, [&fm](const QString& t) { return fm.horizontalAdvance(t); },
                                  place.width());
    const int drapeaux = Qt::AlignHCenter | Qt::TextShowMnemonic | (wordWrap_ ? Qt::TextWordWrap : 0);
    QSize etendue;
    if (!texte.isEmpty())
        etendue = fm.boundingRect(QRect(QPoint(0, 0), place), drapeaux, texte)
                      .intersected(QRect(QPoint(0, 0), place))
                      .size();
    const DispositionBouton d = CalculerDisposition(client, glyphe, etendue, layout_, margin_, spacing_, marque);
    if (const QImage* image = glyphe_.ImageEtat(etat))
        p.drawImage(d.PosGlyphe, *image);
    const int alignement = (alignment_ & Qt::AlignHorizontal_Mask) | Qt::AlignVCenter | Qt::TextShowMnemonic |
                           (wordWrap_ ? Qt::TextWordWrap : 0);
    if (!texte.isEmpty()) {
        if (etat == bsDisabled) {
            p.setPen(Qt::white);
            p.drawText(d.RectLegende.translated(1, 1), alignement, texte);
            p.setPen(QColor(0x80, 0x80, 0x80));
        } else {
            p.setPen(CouleurSystemeQt(clBtnText));
        }
        p.drawText(d.RectLegende, alignement, texte);
    }
    if (!marque)
        return;
    QPoint pt;
    if (!glyphe.isEmpty() && layout_ != blGlyphLeft)
        pt = {d.PosGlyphe.x() + glyphe.width() + 1, d.PosGlyphe.y() + glyphe.height() / 2};
    else if (!texte.isEmpty())
        pt = {d.RectLegende.x() + d.RectLegende.width() + 3, d.RectLegende.y() + d.RectLegende.height() / 2};
    else
        pt = {(client.left() + client.left() + client.width() - 7) / 2, client.top() + client.height() / 2};
    if (etat == bsDisabled) {
        Marque(p, pt + QPoint(1, 1), CouleurSystemeQt(clBtnHighlight));
        Marque(p, pt, CouleurSystemeQt(clBtnShadow));
    } else {
        Marque(p, pt, CouleurSystemeQt(clBtnText));
    }
}

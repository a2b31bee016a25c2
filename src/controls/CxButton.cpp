#include "controls/CxButton.h"

#include <QAction>
#include <QEnterEvent>
#include <QIcon>

int NombreImagesGlyphe(int largeur, int hauteur, int actuel)
{
    if (hauteur == 0 || largeur % hauteur != 0)
        return actuel;
    const int n = largeur / hauteur;
    return n > 4 ? 1 : n;
}

TCxToolbarButton::TCxToolbarButton(QWidget* parent)
    : QToolButton(parent)
{
    setAutoRaise(true);
    setFocusPolicy(Qt::NoFocus);
    setToolButtonStyle(Qt::ToolButtonIconOnly);
    resize(23, 22);
}

void TCxToolbarButton::AppliquerGlyphe(const QPixmap& image, int nombre)
{
    QIcon icone;
    if (!image.isNull() && nombre >= 1) {
        const int l = image.width() / nombre;
        const auto partie = [&](int i) { return image.copy(i * l, 0, l, image.height()); };
        icone.addPixmap(partie(0), QIcon::Normal, QIcon::Off);
        if (nombre >= 2)
            icone.addPixmap(partie(1), QIcon::Disabled, QIcon::Off);
        if (nombre >= 3)
            icone.addPixmap(partie(2), QIcon::Active, QIcon::Off);
        if (nombre >= 4)
            icone.addPixmap(partie(3), QIcon::Normal, QIcon::On);
        setIconSize(QSize(l, image.height()));
    }
    setIcon(icone);
}

void TCxToolbarButton::SetGlyph(const QPixmap& image)
{
    glyph_ = image;
    numGlyphs_ = NombreImagesGlyphe(image.width(), image.height(), numGlyphs_);
    AppliquerGlyphe(glyph_, numGlyphs_);
}

void TCxToolbarButton::SetNumGlyphs(int n)
{
    if (n < 1 || n == numGlyphs_)
        return;
    numGlyphs_ = n;
    AppliquerGlyphe(glyph_, numGlyphs_);
}

void TCxToolbarButton::SetHotGlyph(const QPixmap& image)
{
    hotGlyph_ = image;
    useHotGlyph_ = true;
    hotNumGlyphs_ = NombreImagesGlyphe(image.width(), image.height(), hotNumGlyphs_);
    update();
}

void TCxToolbarButton::SetHotNumGlyphs(int n)
{
    if (n == hotNumGlyphs_)
        return;
    hotNumGlyphs_ = n; // 0 is kept as it is: it only matters with a hot glyph
    update();
}

void TCxToolbarButton::SetIgnoreActionCaption(bool ignorer)
{
    if (ignoreActionCaption_ == ignorer)
        return;
    ignoreActionCaption_ = ignorer;
    ActionChange();
}

void TCxToolbarButton::MettreCheckable()
{
    setCheckable(groupIndex_ != 0 || (action_ && action_->isCheckable()));
}

void TCxToolbarButton::SetGroupIndex(int groupe)
{
    groupIndex_ = groupe;
    MettreCheckable();
}

void TCxToolbarButton::SetDown(bool enfonce)
{
    if (!isCheckable())
        setCheckable(true);
    setChecked(enfonce);
    if (enfonce && groupIndex_ != 0 && parentWidget())
        for (auto* frere : parentWidget()->findChildren<TCxToolbarButton*>(Qt::FindDirectChildrenOnly))
            if (frere != this && frere->groupIndex_ == groupIndex_ && frere->Down())
                frere->setChecked(false);
}

void TCxToolbarButton::nextCheckState()
{
    // A bound checkable action decides: the button shows its checked state once it ran.
    if (action_ && action_->isCheckable())
        return;
    if (groupIndex_ == 0)
        return;
    if (Down()) {
        if (allowAllUp_)
            SetDown(false);
    } else {
        SetDown(true);
    }
}

void TCxToolbarButton::SetAction(QAction* action)
{
    if (action_ == action)
        return;
    QObject::disconnect(liaisonChange_);
    QObject::disconnect(liaisonClic_);
    action_ = action;
    if (action_) {
        liaisonChange_ = connect(action_, &QAction::changed, this, [this] { ActionChange(); });
        liaisonClic_ = connect(this, &QAbstractButton::clicked, action_, [this] {
            if (action_)
                action_->trigger();
        });
    }
    MettreCheckable();
    ActionChange();
}

void TCxToolbarButton::ActionChange()
{
    if (!action_)
        return;
    const QString legende = text();
    setText(action_->text());
    if (!action_->icon().isNull())
        setIcon(action_->icon());
    // The hint follows the action only while it is the action's: one given to the button itself
    // (the language file's toolbar hints) stays.
    if (toolTip().isEmpty() || toolTip() == bulleAction_)
        setToolTip(action_->toolTip());
    bulleAction_ = action_->toolTip();
    setEnabled(action_->isEnabled());
    MettreCheckable();
    if (action_->isCheckable())
        SetDown(action_->isChecked());
    if (ignoreActionCaption_)
        setText(legende);
}

void TCxToolbarButton::enterEvent(QEnterEvent* evenement)
{
    QToolButton::enterEvent(evenement);
    if (OnMouseEnter)
        OnMouseEnter();
    dedans_ = true;
    if (useHotGlyph_ && !chaudMontre_) {
        chaudMontre_ = true;
        glyphNormal_ = glyph_;
        numGlyphsNormal_ = numGlyphs_;
        AppliquerGlyphe(hotGlyph_, hotNumGlyphs_ > 0 ? hotNumGlyphs_ : 1);
        update();
    }
}

void TCxToolbarButton::leaveEvent(QEvent* evenement)
{
    QToolButton::leaveEvent(evenement);
    if (OnMouseLeave)
        OnMouseLeave();
    dedans_ = false;
    if (chaudMontre_) {
        chaudMontre_ = false;
        glyph_ = glyphNormal_;
        numGlyphs_ = numGlyphsNormal_;
        AppliquerGlyphe(glyph_, numGlyphs_);
        update();
    }
}

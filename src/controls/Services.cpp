#include "controls/Services.h"

#include <QKeyEvent>
#include <QWheelEvent>

TCxToolbar::TCxToolbar(QWidget* parent)
    : QToolBar(parent)
{
    setObjectName("CxToolBar1");
    setMovable(false);
    setFloatable(false);
    setFocusPolicy(Qt::NoFocus);
}

TCxToolbarButton::TCxToolbarButton(QWidget* parent)
    : QToolButton(parent)
{
    setFocusPolicy(Qt::NoFocus);
    setAutoRaise(true);
}

void TCxToolbarButton::SetDown(bool enfonce)
{
    if (!isCheckable())
        setCheckable(true);
    const QSignalBlocker bloqueur(this);
    setChecked(enfonce);
}

TCxMemo::TCxMemo(QWidget* parent)
    : QWidget(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_InputMethodEnabled, false);
}

void TCxMemo::keyPressEvent(QKeyEvent* evenement)
{
    if (OnKeyDown)
        OnKeyDown(*evenement);
    evenement->accept();
}

void TCxMemo::keyReleaseEvent(QKeyEvent* evenement)
{
    if (OnKeyUp)
        OnKeyUp(*evenement);
    evenement->accept();
}

void TCxMemo::wheelEvent(QWheelEvent* evenement)
{
    const int delta = evenement->angleDelta().y();
    if (delta > 0 && OnMouseWheelUp)
        OnMouseWheelUp();
    else if (delta < 0 && OnMouseWheelDown)
        OnMouseWheelDown();
    evenement->accept();
}

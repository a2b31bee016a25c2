#include "controls/Services.h"

#include <QKeyEvent>
#include <QWheelEvent>

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

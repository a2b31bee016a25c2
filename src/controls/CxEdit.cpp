#include "controls/CxEdit.h"

#include <QApplication>
#include <QClipboard>
#include <QScrollBar>
#include <QTextBlock>
#include <QWheelEvent>

#include <QPainter>

TCxCustomMemo::TCxCustomMemo(QWidget* parent)
    : TZoneEncadree<QPlainTextEdit>(parent)
{
    setAttribute(Qt::WA_Hover, true);
    connect(this, &QPlainTextEdit::cursorPositionChanged, this, &TCxCustomMemo::Notifier);
    connect(this, &QPlainTextEdit::textChanged, this, &TCxCustomMemo::Notifier);
    connect(this, &QPlainTextEdit::selectionChanged, this, &TCxCustomMemo::NotifierPressePapier);
}

QColor TCxCustomMemo::Color() const { return palette().color(QPalette::Base); }

void TCxCustomMemo::SetColor(const QColor& c)
{
    if (c == Color())
        return;
    QPalette p = palette();
    p.setColor(QPalette::Base, c);
    setPalette(p);
    if (cadre_.FrameVisible)
        RepaintFrame();
}

int TCxCustomMemo::Line() const { return textCursor().blockNumber() + 1; }
int TCxCustomMemo::Col() const { return textCursor().positionInBlock() + 1; }

void TCxCustomMemo::SetLine(int ligne)
{
    const QTextBlock bloc = document()->findBlockByNumber(ligne - 1);
    if (!bloc.isValid())
        return;
    QTextCursor c = textCursor();
    c.setPosition(bloc.position());
    setTextCursor(c);
    if (Line() == ligne)
        verticalScrollBar()->setValue(bloc.firstLineNumber());
    Notifier();
}

void TCxCustomMemo::SetCol(int colonne)
{
    QTextCursor c = textCursor();
    const QTextBlock bloc = c.block();
    if (colonne < 1 || bloc.length() - 1 < colonne - 1)
        return;
    c.setPosition(bloc.position() + colonne - 1);
    setTextCursor(c);
    Notifier();
}

void TCxCustomMemo::Notifier()
{
    if (OnLineColChange)
        OnLineColChange(Line(), Col());
    NotifierPressePapier();
}

void TCxCustomMemo::NotifierPressePapier()
{
    if (OnClipboardChange)
        OnClipboardChange(textCursor().hasSelection(), !QApplication::clipboard()->text().isEmpty());
}

void TCxCustomMemo::keyPressEvent(QKeyEvent* e)
{
    QPlainTextEdit::keyPressEvent(e);
    Notifier();
}

void TCxCustomMemo::keyReleaseEvent(QKeyEvent* e)
{
    QPlainTextEdit::keyReleaseEvent(e);
    Notifier();
}

void TCxCustomMemo::mousePressEvent(QMouseEvent* e)
{
    QPlainTextEdit::mousePressEvent(e);
    Notifier();
}

void TCxCustomMemo::mouseReleaseEvent(QMouseEvent* e)
{
    QPlainTextEdit::mouseReleaseEvent(e);
    NotifierPressePapier();
}

void TCxCustomMemo::wheelEvent(QWheelEvent* e)
{
    const int delta = e->angleDelta().y();
    if (delta == 0) {
        e->accept();
        return;
    }
    if (delta < 0 && OnMouseWheelDown)
        OnMouseWheelDown();
    else if (delta > 0 && OnMouseWheelUp)
        OnMouseWheelUp();
    const int lignes = (e->modifiers() & Qt::ControlModifier) ? QApplication::wheelScrollLines() : 1;
    QScrollBar* barre = verticalScrollBar();
    barre->setValue(barre->value() + (delta < 0 ? lignes : -lignes));
    e->accept();
}

void TCxCustomMemo::showEvent(QShowEvent* e)
{
    QPlainTextEdit::showEvent(e);
    if (!montre_) {
        montre_ = true;
        Notifier();
    }
}

#include "controls/CxEdit.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QScrollBar>
#include <QTextBlock>
#include <QWheelEvent>

TCxMemo::TCxMemo(QWidget* parent)
    : TZoneEncadree<QPlainTextEdit>(parent)
{
    setAttribute(Qt::WA_Hover, true);
    connect(this, &QPlainTextEdit::cursorPositionChanged, this, &TCxMemo::Notifier);
    connect(this, &QPlainTextEdit::textChanged, this, &TCxMemo::Notifier);
    connect(this, &QPlainTextEdit::selectionChanged, this, &TCxMemo::NotifierPressePapier);
}

QColor TCxMemo::Color() const { return palette().color(QPalette::Base); }

void TCxMemo::SetColor(const QColor& c)
{
    if (c == Color())
        return;
    QPalette p = palette();
    p.setColor(QPalette::Base, c);
    setPalette(p);
    if (cadre_.FrameVisible)
        RepaintFrame();
}

int TCxMemo::Line() const { return textCursor().blockNumber() + 1; }
int TCxMemo::Col() const { return textCursor().positionInBlock() + 1; }

void TCxMemo::SetLine(int ligne)
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

void TCxMemo::SetCol(int colonne)
{
    QTextCursor c = textCursor();
    const QTextBlock bloc = c.block();
    if (colonne < 1 || bloc.length() - 1 < colonne - 1)
        return;
    c.setPosition(bloc.position() + colonne - 1);
    setTextCursor(c);
    Notifier();
}

void TCxMemo::Notifier()
{
    if (OnLineColChange)
        OnLineColChange(Line(), Col());
    NotifierPressePapier();
}

void TCxMemo::NotifierPressePapier()
{
    if (OnClipboardChange)
        OnClipboardChange(textCursor().hasSelection(), !QApplication::clipboard()->text().isEmpty());
}

bool TCxMemo::event(QEvent* e)
{
    switch (e->type()) {
    case QEvent::ShortcutOverride:
        if (raccourcisDabord_) {
            e->ignore();
            return true;
        }
        break;
    case QEvent::KeyPress:
        // Ahead of the platform's handling, which would take Tab and Shift+Tab to move the focus.
        if (OnKeyDown && OnKeyDown(*static_cast<QKeyEvent*>(e))) {
            e->accept();
            Notifier();
            return true;
        }
        break;
    case QEvent::KeyRelease:
        // Used up like a press: passed on, the release would reach the window's own key-up
        // handling, which runs the same handler a second time.
        if (OnKeyUp) {
            OnKeyUp(*static_cast<QKeyEvent*>(e));
            e->accept();
            Notifier();
            return true;
        }
        break;
    default:
        break;
    }
    return TZoneEncadree<QPlainTextEdit>::event(e);
}

void TCxMemo::keyPressEvent(QKeyEvent* e)
{
    QPlainTextEdit::keyPressEvent(e);
    Notifier();
}

void TCxMemo::keyReleaseEvent(QKeyEvent* e)
{
    QPlainTextEdit::keyReleaseEvent(e);
    Notifier();
}

void TCxMemo::mousePressEvent(QMouseEvent* e)
{
    QPlainTextEdit::mousePressEvent(e);
    Notifier();
}

void TCxMemo::mouseReleaseEvent(QMouseEvent* e)
{
    QPlainTextEdit::mouseReleaseEvent(e);
    NotifierPressePapier();
}

void TCxMemo::wheelEvent(QWheelEvent* e)
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

void TCxMemo::showEvent(QShowEvent* e)
{
    QPlainTextEdit::showEvent(e);
    if (!montre_) {
        montre_ = true;
        Notifier();
    }
}

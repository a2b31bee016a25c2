#pragma once
// The framed memo of the component library: a multi-line edit with the painted (optionally
// hot) frame, the caret's line and column reported on every move, the clipboard state
// reported for the Cut and Paste commands of a window, and its own mouse-wheel scrolling.
//
// The main window's hidden key-catching memo Ed_Invisible is TCxMemo of Services.h: it keeps no
// text and claims no key for itself, so the window's shortcuts keep their priority; this class
// is the library's memo for a window that edits text in it.
#include "controls/CxCadre.h"

#include <QPlainTextEdit>

#include <functional>

class TCxCustomMemo : public TZoneEncadree<QPlainTextEdit> {
    Q_OBJECT
public:
    explicit TCxCustomMemo(QWidget* parent = nullptr);


    QColor Color() const;
    void SetColor(const QColor& c);

    // 1-based line (paragraph) and column of the caret.
    int Line() const;
    int Col() const;
    // Moves the caret to the start of line `ligne` and scrolls that line to the top.
    void SetLine(int ligne);
    // Moves the caret within its line when the line is at least that long; else nothing.
    void SetCol(int colonne);

    std::function<void(int ligne, int colonne)> OnLineColChange;
    std::function<void(bool peutCouper, bool peutColler)> OnClipboardChange;
    std::function<void()> OnMouseWheelUp;
    std::function<void()> OnMouseWheelDown;


protected:
    QColor FondCadre() const override { return Color(); }
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;
    void showEvent(QShowEvent* e) override;

private:
    void Notifier();
    void NotifierPressePapier();

    bool montre_ = false;
};

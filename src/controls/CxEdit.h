#pragma once
// The framed memo of the component library: a multi-line edit with the painted (optionally
// hot) frame, the caret's line and column reported on every move, the clipboard state
// reported for the Cut and Paste commands of a window, and its own mouse-wheel scrolling.
//
// A window may also keep one out of sight to catch its keyboard (the main window's hidden memo
// Ed_Invisible): its key handler then uses every key up, and the window's shortcuts must come
// before the editing keys a text control claims for itself.
#include "controls/CxCadre.h"

#include <QPlainTextEdit>

#include <functional>

class TCxMemo : public TZoneEncadree<QPlainTextEdit> {
    Q_OBJECT
public:
    explicit TCxMemo(QWidget* parent = nullptr);

    QColor Color() const;
    void SetColor(const QColor& c);

    // 1-based line (paragraph) and column of the caret.
    int Line() const;
    int Col() const;
    // Moves the caret to the start of line `ligne` and scrolls that line to the top.
    void SetLine(int ligne);
    // Moves the caret within its line when the line is at least that long; else nothing.
    void SetCol(int colonne);

    // A text control claims the plain keys, the arrows and Ctrl+C, Ctrl+Z... ahead of the
    // shortcuts of its window. Set, the memo claims none of them: every shortcut of the window
    // runs as if no text control had the focus, and only the other keys reach the memo.
    bool ShortcutsFirst() const { return raccourcisDabord_; }
    void SetShortcutsFirst(bool v) { raccourcisDabord_ = v; }

    // A key pressed, before the memo's own handling; true when the handler used it up, so that
    // the memo neither types it nor moves its caret.
    std::function<bool(QKeyEvent& e)> OnKeyDown;
    // A key released; set, the handler uses up every release, so that neither the memo nor
    // its window handles it again.
    std::function<void(QKeyEvent& e)> OnKeyUp;
    std::function<void(int ligne, int colonne)> OnLineColChange;
    std::function<void(bool peutCouper, bool peutColler)> OnClipboardChange;
    std::function<void()> OnMouseWheelUp;
    std::function<void()> OnMouseWheelDown;

protected:
    QColor FondCadre() const override { return Color(); }
    bool event(QEvent* e) override;
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
    bool raccourcisDabord_ = false;
};

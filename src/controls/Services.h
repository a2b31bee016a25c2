#pragma once
// The hidden memo that keeps the main window's keyboard focus. The toolbar and its buttons, the
// other controls the window's own code touches, are the component library's (CxPanel.h,
// CxButton.h).
#include <QWidget>
#include <functional>

// The hidden memo Ed_Invisible: it holds the keyboard focus of the main window so that every
// key reaches the window's handlers, and passes the mouse wheel on. It never keeps text, so a
// plain focusable control does: unlike a text editor it claims no key for itself, and the
// command shortcuts keep their priority over it. It stays a shown control (only placed out of
// sight), since a hidden one cannot have the focus.
class TCxMemo : public QWidget {
    Q_OBJECT
public:
    explicit TCxMemo(QWidget* parent = nullptr);

    std::function<void(QKeyEvent& evenement)> OnKeyDown;
    std::function<void(QKeyEvent& evenement)> OnKeyUp;
    std::function<void()> OnMouseWheelUp;
    std::function<void()> OnMouseWheelDown;

    void Effacer() {} // nothing is ever kept

protected:
    void keyPressEvent(QKeyEvent* evenement) override;
    void keyReleaseEvent(QKeyEvent* evenement) override;
    void wheelEvent(QWheelEvent* evenement) override;
    bool focusNextPrevChild(bool) override { return false; } // Tab is a key like the others
};

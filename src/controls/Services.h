#pragma once
// The three controls of the component library that the main window's own code touches: the
// toolbar, the hidden memo that keeps the keyboard focus, and the toolbar button with a down
// state. Their drawing and the rest of the library come with their own subsystem.
#include <QWidget>
#include <QToolBar>
#include <QToolButton>
#include <functional>

// The main window's toolbar (CxToolBar1); the window reads its left edge and width to put the
// track-name panel at its right end.
class TCxToolbar : public QToolBar {
    Q_OBJECT
public:
    explicit TCxToolbar(QWidget* parent = nullptr);
};

// A toolbar button whose down state is set by the program (the metronome, the score-only
// layout, every effect button follows its command). A click does not change it: the command
// the click runs decides, and the window then shows the command's state.
class TCxToolbarButton : public QToolButton {
    Q_OBJECT
public:
    explicit TCxToolbarButton(QWidget* parent = nullptr);
    bool Down() const { return isChecked(); }
    void SetDown(bool enfonce);

protected:
    void nextCheckState() override {}
};

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

#pragma once
// The frame a window manager puts round a top-level window is known only once the window is
// mapped and the manager has taken it in (under X11 some milliseconds after the show, more on
// a busy machine); until then Qt takes the frame for the client area itself. A window placed
// against the screen's edges before that goes past them by its title bar and borders, so
// placing waits for the frame.
#include <QMargins>

#include <functional>

class QWidget;

// The frame's margins round the client area as known now: none while the window manager has
// not told them, and none for a window without a frame.
QMargins MargesCadre(const QWidget* fenetre);

// Runs `action` once the window is shown and its frame known: the window is checked once the
// pending events are handled (the show's own with them), then every 20 ms for up to 2 s (then
// the action runs anyway: a window that gets no frame has none to wait for). Nothing runs once
// the window is gone.
void QuandCadreConnu(QWidget* fenetre, std::function<void()> action);

// For tests: the frame's margins as a window manager would tell them, in place of Qt's;
// an empty function gives Qt's back.
void DefinirLecteurMargesCadre(std::function<QMargins(const QWidget*)> lecteur);

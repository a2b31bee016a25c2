#pragma once
// The frame a window manager puts round a top-level window is known only once the window is
// mapped and the manager has taken it in; until then Qt takes the frame for the client area
// itself. A window placed against the screen's edges without it goes past them by its title
// bar and borders. So the margins last seen on a window of each kind stand in for those of a
// window not framed yet, and a window is checked again as the manager has framed it.
//
// One rule keeps every window on the screen, a restored one as a new one: CorrigerRectangle
// (PlacementStocke.h), with the window's frame and size limits.
#include "controls/PlacementStocke.h"

#include <QMargins>
#include <QPoint>

#include <functional>

class QRect;
class QWidget;

// A rectangle of Qt's in the window system's terms (right and bottom excluded).
TRectEcran RectEcranDe(const QRect& r);

// The frame's margins round the client area as known now: those the window manager gave the
// window once it has framed it (remembered for windows of its type), before that those last
// seen on a framed window of its type (of any type when none of its type was framed yet), and
// none for a window that never gets a frame.
QMargins MargesCadre(const QWidget* fenetre);

// Runs `action` once the window is shown and its frame known: at its first expose or move
// after the window manager has mapped it, when the margins are its own (none under a manager
// that draws no frame). Nothing is polled, and nothing waits any longer: a later move, the
// user's drag of the window, is left alone. Nothing runs once the window is gone, nor when it
// is hidden before it was mapped.
void QuandCadreConnu(QWidget* fenetre, std::function<void()> action);

// The window moved so that its frame (MargesCadre) has its top left corner at `coin`; not
// moved when it stands there already.
void PlacerCadre(QWidget* fenetre, QPoint coin);

// Runs `placer`, which places the window by its frame as known now, at once and again once the
// window manager has framed it otherwise (QuandCadreConnu): the first window of its kind in a
// run is placed without its frame at first.
void PlacerSelonCadre(QWidget* fenetre, std::function<void()> placer);

// The window moved so that its frame (MargesCadre) stands in the middle of the usable area of
// its screen (its parent window's), its top left corner kept in that area.
void CentrerSurEcran(QWidget* fenetre);

// For tests: the frame's margins as a window manager would tell them, in place of Qt's;
// an empty function gives Qt's back. Either way the margins remembered are forgotten.
void DefinirLecteurMargesCadre(std::function<QMargins(const QWidget*)> lecteur);

// What the window's rectangle must fit now: the usable areas of the screens (the primary
// first), its size limits (a restore or a correction never makes it smaller than 160 x 120,
// unless it was designed smaller) and its frame.
TLimitesPlacement LimitesFenetre(const QWidget* fenetre);

// The window moved onto the screen it overlaps most, frame included, and shrunk within its
// size limits when it is larger than that screen (CorrigerRectangle). Left alone: windows
// without a frame of their own (menus, tooltips), maximised, minimised or full-screen ones,
// and those the program places off screen on purpose (a left edge at -500 or beyond).
void GarderDansEcran(QWidget* fenetre);
// From now on, every window the application shows is kept on the screen as it appears (one
// the program placed itself; the window manager places the others), and again once the window
// manager has framed it.
void InstallerGardienEcran();

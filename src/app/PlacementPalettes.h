#pragma once
// Where the palettes first open. The user enters notes in the edit zone and picks commands from
// the menu bar, and reads the bar counter in the status bar: a palette over them hides the
// cursor, the beats being entered or the menus. So a palette opens beside the main window where
// the screen has room for it, else over the score view; once shown it keeps its place (the one
// the user drags it to included) for the rest of the run. On a main window too small for it,
// it takes the place that hides the least of the parts the user works in.
#include <QPoint>
#include <QRect>
#include <QSize>

#include <vector>

class QWidget;

// The top left corner of the frame of a palette of frame size `taille` as it first opens, the
// main window's frame being `principale` and its score view `vue` (screen coordinates), on the
// usable area `ecran`, clear of the palettes already open (their frames in `ouvertes`) where
// there is room:
//  1. beside the main window, at its right then at its left, level with its top or below a
//     palette that stands there;
//  2. over the score view, `marge` in from its top right corner, or left of or below the
//     palettes already there (the rightmost place first, then the highest);
//  3. with no room left, the place on the screen that covers the least of `protegees` (the
//     parts of the main window the user works in: menu bar, note values, edit zone, status
//     bar), then of the palettes open, then of the main window outside its score view; of
//     those, the nearest to the corner of rule 2.
QPoint PlacePalette(QSize taille, const QRect& principale, const QRect& vue, const QRect& ecran,
                    const std::vector<QRect>& ouvertes, const std::vector<QRect>& protegees, int marge);

// `palette` takes its place from PlacePalette as it first shows while `principale` is shown,
// beside it or over its score view `vue`, clear of the visible ones among `autres` and, where it
// must go over the window, of the visible ones among `protegees`; later shows leave it where it
// was.
void PlacerPaletteAuPremierAffichage(QWidget* palette, QWidget* principale, QWidget* vue,
                                     const std::vector<QWidget*>& protegees, const std::vector<QWidget*>& autres);

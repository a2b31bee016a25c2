#pragma once
// The keyboard and the mouse of the main window's edit zone.
//
// Keys arrive as codes of the key map's numbering (Touche of Commandes.h) with their whole
// modifier set (Modif bits: the window leaves the keypad flag out of it and gives keypad keys
// their own codes). A key bound to an enabled command runs it and goes no further; any other
// key goes to the key handler FormKeyDown (cursor keys, fret digits, keypad), and then to the
// hidden memo Ed_Invisible that holds the focus (Enter, Escape). ToucheVersCommande does the
// whole road, as the window does it.
//
// The mouse places the cursor in the edit zone and drags it along, opens the fret popup with
// the right button, and opens the chord dialog with a double click.
#include "editor/Commandes.h"

#include <cstdint>

// ---- State of the key and mouse handling -----------------------------------------------------

// The mouse button went down in the edit zone: moves place the cursor until it goes up.
extern bool ModeGlisser;
// The next button-down in the edit zone is ignored (the one that follows a double click).
extern bool IgnorerClic;
// Score-view scroll step of Page Up (-4) or Page Down (+4), in pixels.
extern int32_t PasDefilement;
// Page Up or Page Down is held.
extern bool ToucheDefilement;

// The auto-scroll of Page Up / Page Down moves at most this many steps per key press.
inline constexpr int kPasDefilementTouche = 4;
inline constexpr int kNbPasDefilementMax = 500;

// ---- Keys ----------------------------------------------------------------------------------

// What became of a key routed as the window routes it.
enum class RouteTouche : uint8_t {
    Commande,     // the key is the shortcut of an enabled command, which ran
    CarteTouches, // it went to the key handler and the hidden memo
};

// The whole road of a key pressed while the hidden memo holds the focus: the shortcut of an
// enabled command, else FormKeyDown and then Ed_InvisibleKeyDown.
RouteTouche ToucheVersCommande(Touche touche, uint8_t shift);

// The main window's key handler (the dynamics palette and the notation window pass their keys
// to it as well). Modifiers are compared as a whole: Left wants none, Ctrl means Ctrl alone.
// During playback only Ctrl + keypad +/- (track switch) and Space (stop) act.
void FormKeyDown(Touche touche, uint8_t shift);
// Key released: ends the Page Up / Page Down auto-scroll.
void FormKeyUp(Touche touche, uint8_t shift);
// The auto-scroll loop: while the key is held, at most 500 steps of PasDefilement pixels of
// the score view, letting the window handle its messages between steps (the key release
// arrives there).
void DefilerPartitionTouche();

// The dotted command, only when it is enabled (keypad * and keypad .).
void ExecuterPointee();

// ---- The hidden memo Ed_Invisible ----------------------------------------------------------------

// Enter: next beat. Escape: stops a playback, hides the drum palette.
void Ed_InvisibleKeyDown(Touche touche, uint8_t shift);
// The wheel scrolls the score view by a quarter of a display line.
void Ed_InvisibleMouseWheelDown();
void Ed_InvisibleMouseWheelUp();

// ---- The mouse in the edit zone ----------------------------------------------------------------

enum class BoutonSouris : uint8_t { Gauche, Droit, Milieu };

// x, y in pixels of the edit image (the zone's own coordinates, whatever its scroll position).
// A button-down places the cursor; the right button then opens the fret popup.
void ZoneSaisieMouseDown(BoutonSouris bouton, int x, int y);
// While dragging, the cursor follows the mouse.
void ZoneSaisieMouseMove(int x, int y);
void ZoneSaisieMouseUp(BoutonSouris bouton, int x, int y);
// Double click: the chord dialog when the chord command is enabled; the button-down that
// follows a double click is swallowed.
void ZoneSaisieDblClick();
// The second press of a double click, for a window system that reports it as a double-click
// event instead of a press (Qt): the double click, then the press it stands for, which is
// swallowed. Only the left button makes a double click; another button is a plain press.
void ZoneSaisieDoubleClic(BoutonSouris bouton, int x, int y);

// Back to the state of the start (no drag, no swallowed click, no auto-scroll).
void ReinitialiserClavier();

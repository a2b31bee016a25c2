#pragma once
// Note entry at the cursor: fret digits with the two-digit rule, the fret popup, dead notes,
// and moving a note to another string at the same pitch.
#include <cstdint>
#include <string_view>

// A fret digit 0..9 typed with the modifier set shift (Modif bits of Commandes.h).
//  - Ctrl alone with 1..8 switches to that track instead (0 and 9 do nothing).
//  - A first digit waits for a second one when it is at least 1 and at most FretteMax / 10 of
//    the track (1 and 2 on guitar tracks, 1..9 on the percussion track); the two digits then
//    make the fret, unless that is above FretteMax, where the second digit alone stands.
// Typing on the free column adds a beat; typing on a rest or a tied beat makes it a played
// beat. Only the touched beat of the edit zone is redrawn.
void SaisirChiffre(int chiffre, uint8_t shift);

// The fret popup TurboMenu: items Turbo00..Turbo24 carry their fret in characters 6 and 7 of
// their name. Works as a typed fret without the two-digit rule, then refreshes the commands.
void Turbo00Click(std::string_view nomItem);
void ChoisirFretteMenu(int frette);

// Dead note (fret 100) at the cursor; nothing on the percussion track.
void MettreNoteEtouffee();

// The note under the cursor to the nearest string above (towards string 1) / below where the
// same pitch can be played on an empty string; nothing (and no undo snapshot) when none can.
void DeplacerNoteHaut();
void DeplacerNoteBas();

#pragma once
// The painter of the notation window's staff picture: 23 lines eight pixels apart (the five
// lines of each shown staff in black across the picture, every other one a short silver ledger
// line under the note column), the key signature on each shown staff, then the note heads with
// their accidentals. Coordinates are those of the picture, 90 x 201 pixels.
#include "dialogs/NotesPortee.h"
#include "platform/Canevas.h"

#include <vector>

inline constexpr int kLargeurPortee = 90;
inline constexpr int kHauteurPortee = 201;

// y of line k (0..22); lines 6..10 are the treble staff, 12..16 the bass staff.
constexpr int YLignePortee(int k) { return 12 + 8 * k; }

inline constexpr platform::Couleur kCouleurLigneSupplementaire{192, 192, 192};

struct TEtatPortee {
    bool CleSol = true;
    bool CleFa = true;
    int Armure = 0;
    std::vector<TNotePortee> Notes; // in drawing order, x of each head set
};

// The whole picture, from white.
void DessinerImagePortee(platform::Canevas& c, const TEtatPortee& etat);

// The signs, each about 15 pixels tall and centred on (x, y).
void DessinerAlteration(platform::Canevas& c, TAlteration alteration, int x, int y);
// A black note head about 9 x 7 pixels centred on (x, y).
void DessinerTeteNote(platform::Canevas& c, int x, int y);

// The hover band over a staff position: from x 43 to the right edge, rows y - 2 .. y + 2.
struct TRectangleBande {
    int Gauche, Haut, Droite, Bas; // right and bottom excluded
};
constexpr TRectangleBande RectangleBandeSurvol(int position)
{
    const int y = YPosition(position);
    return {43, y - 2, kLargeurPortee, y + 3};
}

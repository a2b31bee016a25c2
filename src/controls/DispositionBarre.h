#pragma once
// How a toolbar puts its controls in rows (or columns) and what size it takes after: free of
// Qt, so that the arithmetic of wrapping, centring in the row and resizing is checked on plain
// numbers.
#include <vector>

enum TOrientation : unsigned char { orHorizontal, orVertical };
enum TAlign : unsigned char { alNone, alTop, alBottom, alLeft, alRight, alClient };

struct ParametresBarre {
    TOrientation Orientation = orHorizontal;
    TAlign Align = alTop;
    int Largeur = 32;
    int Hauteur = 32;
    int RowHeight = 25;
    int Margin = 4;
    int TopMargin = 4;
    bool WrapControls = true;
    bool AutoResize = true;
};

struct ElementBarre {
    bool Visible = true;
    int Largeur = 0;
    int Hauteur = 0;
    bool DroiteAGauche = false; // right-to-left control: placed from the toolbar's right edge
};

struct PlaceElement {
    bool Place = false; // invisible controls are left where they are
    int Left = 0;
    int Top = 0;
    int Rangee = 0; // 1-based row (column when vertical)
};

struct DispositionBarre {
    std::vector<PlaceElement> Places; // one per element, in list order
    int Rangees = 0;                  // rows used (at least 1)
    int Largeur = 0;                  // the toolbar's size after AutoResize
    int Hauteur = 0;
};

// Every visible control centred in its row, from Margin along the row, a new row when the next
// control would pass the far margin (never for the first entry of the list).
DispositionBarre DisposerBarre(const ParametresBarre& p, const std::vector<ElementBarre>& elements);

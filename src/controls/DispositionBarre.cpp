#include "controls/DispositionBarre.h"

#include <algorithm>

DispositionBarre DisposerBarre(const ParametresBarre& p, const std::vector<ElementBarre>& elements)
{
    DispositionBarre d;
    d.Places.resize(elements.size());
    d.Largeur = p.Largeur;
    d.Hauteur = p.Hauteur;

    const bool horizontal = p.Orientation == orHorizontal;
    const int etendue = horizontal ? p.Largeur : p.Hauteur;
    const int pas = p.RowHeight; // every row has the same pitch
    int position = p.Margin;
    int rangeeLaPlusLongue = 0;
    int rangee = 1;
    bool rangeeOccupee = false;

    for (std::size_t i = 0; i < elements.size(); ++i) {
        const ElementBarre& e = elements[i];
        if (!e.Visible)
            continue;
        const int longueur = horizontal ? e.Largeur : e.Hauteur;
        // Wrapping before the first visible control of a row would leave that row empty (an
        // invisible first control, or one wider than the toolbar): it stays on its row.
        if (p.WrapControls && rangeeOccupee && etendue - p.Margin < position + longueur) {
            rangeeLaPlusLongue = std::max(rangeeLaPlusLongue, position);
            position = p.Margin;
            ++rangee;
        }
        PlaceElement& pl = d.Places[i];
        pl.Place = true;
        pl.Rangee = rangee;
        if (horizontal) {
            pl.Top = (rangee - 1) * pas + p.TopMargin + p.RowHeight / 2 - e.Hauteur / 2;
            pl.Left = e.DroiteAGauche ? p.Largeur - e.Largeur - position : position;
        } else {
            pl.Left = (rangee - 1) * pas + p.Margin + p.RowHeight / 2 - e.Largeur / 2;
            pl.Top = position;
        }
        position += longueur;
        rangeeOccupee = true;
    }
    d.Rangees = rangee;

    if (p.AutoResize) {
        const int travers = p.RowHeight * rangee + 2 + p.TopMargin;
        if (horizontal) {
            if ((p.Align == alLeft || p.Align == alRight) && rangeeLaPlusLongue > 0)
                d.Largeur = p.Margin + rangeeLaPlusLongue;
            else if (p.Align == alTop || p.Align == alBottom)
                d.Hauteur = travers;
        } else {
            if (p.Align == alLeft || p.Align == alRight)
                d.Largeur = travers;
            else if ((p.Align == alTop || p.Align == alBottom) && rangeeLaPlusLongue > 0)
                d.Hauteur = p.Margin + rangeeLaPlusLongue;
        }
    }
    return d;
}

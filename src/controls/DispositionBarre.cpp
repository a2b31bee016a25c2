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

    for (std::size_t i = 0; i < elements.size(); ++i) {
        const ElementBarre& e = elements[i];
        if (!e.Visible)
            continue;
        const int longueur = horizontal ? e.Largeur : e.Hauteur;
        // The test counts list places, not visible controls: only the very first entry never
        // wraps, so behind an invisible first entry a control too wide for the row opens row 2
        // and leaves row 1 empty, as the toolbars of the forms were laid out.
        if (p.WrapControls && i >= 1 && etendue - p.Margin < position + longueur) {
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

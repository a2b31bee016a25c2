#include "dialogs/DessinPortee.h"

#include <algorithm>
#include <cstdlib>

using platform::clBlack;
using platform::clWhite;

namespace {

constexpr int kXLigneCourteDebut = 63;
constexpr int kXLigneCourteFin = 77;

void Diese(platform::Canevas& c, int x, int y)
{
    // Seven pixels wide, so that the signs of a key signature five pixels apart stay readable.
    c.Ligne(x - 1, y - 7, x - 1, y + 8);
    c.Ligne(x + 1, y - 8, x + 1, y + 7);
    // The thick bars rise to the right.
    for (int d = 0; d < 2; ++d) {
        c.Ligne(x - 3, y - 1 + d, x + 4, y - 3 + d);
        c.Ligne(x - 3, y + 4 + d, x + 4, y + 2 + d);
    }
}

void Bemol(platform::Canevas& c, int x, int y)
{
    c.Ligne(x - 2, y - 10, x - 2, y + 5);
    c.Polyline({{x - 2, y + 4}, {x + 1, y + 2}, {x + 3, y}, {x + 3, y - 2}, {x + 1, y - 3}, {x - 2, y - 1}});
    c.Polyline({{x - 1, y + 3}, {x + 2, y + 1}, {x + 2, y - 1}});
}

void Becarre(platform::Canevas& c, int x, int y)
{
    c.Ligne(x - 2, y - 7, x - 2, y + 4);
    c.Ligne(x + 2, y - 4, x + 2, y + 8);
    for (int d = 0; d < 2; ++d) {
        c.Ligne(x - 2, y - 1 + d, x + 3, y - 3 + d);
        c.Ligne(x - 2, y + 3 + d, x + 3, y + 1 + d);
    }
}

void Lignes(platform::Canevas& c, bool cleSol, bool cleFa)
{
    for (int k = 0; k <= 22; ++k) {
        const int y = YLignePortee(k);
        const bool sol = k >= 6 && k <= 10;
        const bool fa = k >= 12 && k <= 16;
        if ((sol && cleSol) || (fa && cleFa)) {
            c.SetStylo(clBlack);
            c.Ligne(0, y, kLargeurPortee, y);
        } else {
            c.SetStylo(kCouleurLigneSupplementaire);
            c.Ligne(kXLigneCourteDebut, y, kXLigneCourteFin, y);
        }
    }
}

void Armure(platform::Canevas& c, const TEtatPortee& e)
{
    if (e.Armure == 0)
        return;
    const bool dieses = e.Armure > 0;
    const int n = std::min(std::abs(e.Armure), 7);
    for (const bool sol : {true, false}) {
        if (sol ? !e.CleSol : !e.CleFa)
            continue;
        for (int i = 1; i <= n; ++i)
            DessinerAlteration(c, dieses ? TAlteration::Diese : TAlteration::Bemol, 5 * i,
                               YPosition(PositionSigneArmure(dieses, sol, i)));
    }
}

} // namespace

void DessinerAlteration(platform::Canevas& c, TAlteration alteration, int x, int y)
{
    c.SetStylo(clBlack);
    switch (alteration) {
    case TAlteration::Diese: Diese(c, x, y); break;
    case TAlteration::Bemol: Bemol(c, x, y); break;
    case TAlteration::Becarre: Becarre(c, x, y); break;
    case TAlteration::Aucune: break;
    }
}

void DessinerTeteNote(platform::Canevas& c, int x, int y)
{
    c.SetStylo(clBlack);
    c.SetBrosse(clBlack);
    c.Ellipse(x - 4, y - 3, x + 5, y + 4);
}

void DessinerImagePortee(platform::Canevas& c, const TEtatPortee& e)
{
    c.SetStyloNul();
    c.SetBrosse(clWhite);
    c.FillRect(0, 0, kLargeurPortee, kHauteurPortee);
    Lignes(c, e.CleSol, e.CleFa);
    Armure(c, e);
    for (const TNotePortee& n : e.Notes) {
        const int y = YPosition(n.Position);
        DessinerTeteNote(c, n.X, y);
        if (n.Alteration != TAlteration::Aucune)
            DessinerAlteration(c, n.Alteration, n.X - 15, y);
    }
    c.SetBrosse(clWhite);
}

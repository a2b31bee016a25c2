#include "document/Accord.h"

TAccord AccordTravail;

void ReinitialiserAccordTravail()
{
    TAccord neuf;
    neuf.BarreFrette = AccordTravail.BarreFrette;
    neuf.BarreCordeDebut = AccordTravail.BarreCordeDebut;
    neuf.BarreCordeFin = AccordTravail.BarreCordeFin;
    AccordTravail = neuf;
}

TAccord ChercherBarres(const std::array<int32_t, 7>& frettes, int32_t fretteBase)
{
    TAccord resultat;

    int frettees = 0;
    for (int s = 1; s <= 6; ++s)
        if (frettes[s] > 0)
            ++frettees;
    if (frettees < 4)
        return resultat;

    // Relative fret: row 1 is the diagram's first row.
    // A string that is not played has no row, whatever the base fret.
    auto relative = [&](int s) { return frettes[s] < 0 ? -1000 : frettes[s] - fretteBase + 1; };

    std::array<int, 6> parRangee{};
    for (int s = 1; s <= 6; ++s) {
        const int r = relative(s);
        if (r >= 1 && r <= 5)
            ++parRangee[r];
    }

    for (int r = 1; r <= 5 && resultat.NbBarres < 2; ++r) {
        if (parRangee[r] <= 1)
            continue;
        int comptees = 0;
        int derniere = 0;
        for (int s = 1; s <= 6; ++s) {
            // A string pressed lower (or open) cannot lie under a barre at this row.
            if (frettes[s] >= 0 && relative(s) < r)
                break;
            if (relative(s) == r) {
                ++comptees;
                derniere = s;
            }
        }
        if (comptees > 1) {
            ++resultat.NbBarres;
            resultat.BarreFrette[resultat.NbBarres] = fretteBase + r - 1;
            resultat.BarreCordeDebut[resultat.NbBarres] = 1;
            resultat.BarreCordeFin[resultat.NbBarres] = derniere;
        }
    }
    return resultat;
}

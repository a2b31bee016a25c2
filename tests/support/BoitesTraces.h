#pragma once
// The boxes recorded traces ink, for tests that check that one drawing stays clear of another
// (a text of a diagram, an amount of a mark), on screen and on paper alike.
#include "platform/CanevasEnregistreur.h"

#include <algorithm>
#include <span>
#include <string>

namespace lyrx_test {

// An inked box; right and bottom excluded.
struct Boite {
    int gauche, haut, droite, bas;
    bool Croise(const Boite& b) const { return gauche < b.droite && b.gauche < droite && haut < b.bas && b.haut < bas; }
};

// The box trace t inks on c: a text's cell (measured in the trace's font, which c keeps), or
// the points of a stroke with half the width of a wider pen round them.
inline Boite BoiteDe(platform::CanevasEnregistreur& c, const platform::CanevasEnregistreur::Trace& t)
{
    if (t.operation == platform::CanevasEnregistreur::Operation::Texte) {
        c.SetFonte(t.fonte);
        const platform::Dimension d = c.TextExtent(t.texte);
        return {t.points[0].x, t.points[0].y, t.points[0].x + d.cx, t.points[0].y + d.cy};
    }
    const int demi = std::max(t.stylo.largeur, 1) / 2;
    Boite b{t.points[0].x, t.points[0].y, t.points[0].x + 1, t.points[0].y + 1};
    for (const platform::Point& p : t.points) {
        b.gauche = std::min(b.gauche, p.x - demi);
        b.haut = std::min(b.haut, p.y - demi);
        b.droite = std::max(b.droite, p.x + 1 + demi);
        b.bas = std::max(b.bas, p.y + 1 + demi);
    }
    return b;
}

// The top-left corners ("x,y", each after a space) of the boxes of `encre` that `b` crosses:
// empty when it covers none.
inline std::string Couvertes(const Boite& b, std::span<const Boite> encre)
{
    std::string r;
    for (const Boite& e : encre)
        if (b.Croise(e))
            r += " " + std::to_string(e.gauche) + "," + std::to_string(e.haut);
    return r;
}

} // namespace lyrx_test

#include "platform/Rasterisation.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>

namespace platform {
namespace {

// Smallest integer not below n / d, for d > 0.
int64_t DivisionPlafond(int64_t n, int64_t d)
{
    return n >= 0 ? (n + d - 1) / d : -((-n) / d);
}

constexpr double DeuxPi = 2.0 * std::numbers::pi;
// Angles this close count as equal: far below the angle between two pixels of any ellipse
// a device can hold, far above the rounding of atan2.
constexpr double Tolerance = 1e-9;

} // namespace

void PixelsLigne(Point a, Point b, const Cadre& cadre, std::vector<Point>& pixels)
{
    const int64_t dx = int64_t{b.x} - a.x;
    const int64_t dy = int64_t{b.y} - a.y;
    const int64_t adx = dx < 0 ? -dx : dx;
    const int64_t ady = dy < 0 ? -dy : dy;
    if (adx == 0 && ady == 0)
        return;

    // Step along the longer axis; the other coordinate is the ideal one rounded, halves going
    // to the smaller value, computed afresh for each pixel so that the frame can cut the walk
    // anywhere without changing which pixels are lit.
    const bool selonX = adx >= ady;
    const int64_t longueur = selonX ? adx : ady;
    const int64_t delta = selonX ? dy : dx;
    const int depart = selonX ? a.x : a.y;
    const int sens = (selonX ? dx : dy) > 0 ? 1 : -1;
    const int bas = selonX ? cadre.x1 : cadre.y1;
    const int haut = selonX ? cadre.x2 : cadre.y2; // excluded

    int64_t kMin = 0;
    int64_t kMax = longueur - 1; // the end pixel (k = longueur) is never lit
    if (sens > 0) {
        kMin = std::max<int64_t>(kMin, int64_t{bas} - depart);
        kMax = std::min<int64_t>(kMax, int64_t{haut} - 1 - depart);
    } else {
        kMin = std::max<int64_t>(kMin, int64_t{depart} - haut + 1);
        kMax = std::min<int64_t>(kMax, int64_t{depart} - bas);
    }
    for (int64_t k = kMin; k <= kMax; ++k) {
        const int principal = static_cast<int>(depart + sens * k);
        const int64_t decalage = DivisionPlafond(2 * k * delta - longueur, 2 * longueur);
        if (selonX) {
            const int64_t y = a.y + decalage;
            if (y >= cadre.y1 && y < cadre.y2)
                pixels.push_back(Point{principal, static_cast<int>(y)});
        } else {
            const int64_t x = a.x + decalage;
            if (x >= cadre.x1 && x < cadre.x2)
                pixels.push_back(Point{static_cast<int>(x), principal});
        }
    }
}

void ContourEllipse(int x1, int y1, int x2, int y2, std::vector<Point>& pixels)
{
    const std::size_t debut = pixels.size();
    // The outermost pixels of the box, both included: an ellipse through them, walked one
    // quadrant at a time with an integer error term (the rectangle-bounded form of Bresenham's
    // ellipse, which also handles even sizes, whose centre falls between pixels).
    int64_t g = x1, d = x2 - 1;
    int64_t h = y1, bs = y2 - 1;
    int64_t a = d - g;
    const int64_t b = bs - h;
    int64_t b1 = b & 1;
    int64_t dx = 4 * (1 - a) * b * b;
    int64_t dy = 4 * (b1 + 1) * a * a;
    int64_t err = dx + dy + b1 * a * a;
    h += (b + 1) / 2;
    bs = h - b1;
    a *= 8 * a;
    b1 = 8 * b * b;
    auto poser = [&](int64_t x, int64_t y) {
        pixels.push_back(Point{static_cast<int>(x), static_cast<int>(y)});
    };
    do {
        poser(d, h);
        poser(g, h);
        poser(g, bs);
        poser(d, bs);
        const int64_t e2 = 2 * err;
        if (e2 <= dy) {
            ++h;
            --bs;
            dy += a;
            err += dy;
        }
        if (e2 >= dx || 2 * err > dy) {
            ++g;
            --d;
            dx += b1;
            err += dx;
        }
    } while (g <= d);
    // A narrow ellipse stops before reaching its tips: finish them, down to the box's top and
    // bottom rows (h + bs stays 2 * y1 + b, so h - bs = b puts h and bs on those rows).
    while (h - bs <= b) {
        poser(g - 1, h);
        poser(d + 1, h);
        ++h;
        poser(g - 1, bs);
        poser(d + 1, bs);
        --bs;
    }
    auto premier = pixels.begin() + static_cast<std::ptrdiff_t>(debut);
    std::sort(premier, pixels.end(), [](Point p, Point q) { return p.y != q.y ? p.y < q.y : p.x < q.x; });
    pixels.erase(std::unique(premier, pixels.end()), pixels.end());
}

void TraveesEllipse(std::span<const Point> contour, std::vector<Travee>& travees)
{
    // The outline comes sorted by row: each row spans from its first pixel to its last.
    std::size_t i = 0;
    while (i < contour.size()) {
        std::size_t j = i;
        while (j + 1 < contour.size() && contour[j + 1].y == contour[i].y)
            ++j;
        travees.push_back(Travee{contour[i].y, contour[i].x, contour[j].x + 1});
        i = j + 1;
    }
}

double AngleEllipse(int x1, int y1, int x2, int y2, Point p)
{
    // Centre and radii of the ellipse through the outermost pixels of the box.
    const double cx = (x1 + x2 - 1) / 2.0;
    const double cy = (y1 + y2 - 1) / 2.0;
    double rx = (x2 - 1 - x1) / 2.0;
    double ry = (y2 - 1 - y1) / 2.0;
    if (rx <= 0)
        rx = 0.5;
    if (ry <= 0)
        ry = 0.5;
    double t = std::atan2(-(p.y - cy) / ry, (p.x - cx) / rx);
    if (t < 0)
        t += DeuxPi;
    return t >= DeuxPi ? 0.0 : t;
}

void PixelsArc(int x1, int y1, int x2, int y2, Point debut, Point fin, std::vector<Point>& pixels)
{
    std::vector<Point> contour;
    ContourEllipse(x1, y1, x2, y2, contour);

    const double depart = AngleEllipse(x1, y1, x2, y2, debut);
    double etendue = AngleEllipse(x1, y1, x2, y2, fin) - depart;
    if (etendue < 0)
        etendue += DeuxPi;
    const bool complete = etendue < Tolerance || etendue > DeuxPi - Tolerance;

    // Each pixel of the outline with its counter-clockwise distance from the start ray.
    std::vector<std::pair<double, Point>> arc;
    arc.reserve(contour.size());
    for (Point p : contour) {
        double t = AngleEllipse(x1, y1, x2, y2, p) - depart;
        if (t < 0)
            t += DeuxPi;
        if (t > DeuxPi - Tolerance)
            t = 0;
        if (complete || t <= etendue + Tolerance)
            arc.emplace_back(t, p);
    }
    std::stable_sort(arc.begin(), arc.end(),
                     [](const auto& p, const auto& q) { return p.first < q.first; });
    if (!complete && !arc.empty())
        arc.pop_back(); // the end pixel, as for a line
    for (const auto& [t, p] : arc)
        pixels.push_back(p);
}

void TraveesPolygone(std::span<const Point> sommets, const Cadre& cadre, std::vector<Travee>& travees)
{
    if (sommets.size() < 3)
        return;
    int yMin = sommets[0].y, yMax = sommets[0].y;
    for (Point p : sommets) {
        yMin = std::min(yMin, p.y);
        yMax = std::max(yMax, p.y);
    }
    yMin = std::max(yMin, cadre.y1);
    yMax = std::min(yMax, cadre.y2); // the bottom row of the figure is an excluded edge

    // Crossing of an edge with a row: its x for ordering, and the first pixel at or right of it.
    struct Croisement {
        double x;
        int64_t premierPixel;
    };
    std::vector<Croisement> croisements;
    const std::size_t n = sommets.size();
    for (int y = yMin; y < yMax; ++y) {
        croisements.clear();
        for (std::size_t i = 0; i < n; ++i) {
            Point a = sommets[i];
            Point b = sommets[(i + 1) % n];
            if (a.y == b.y)
                continue;
            if (a.y > b.y)
                std::swap(a, b);
            // Rows from the top end on, the bottom end left out: a vertex shared by two edges
            // is counted once, and a bottom edge fills nothing.
            if (y < a.y || y >= b.y)
                continue;
            const int64_t num = (int64_t{y} - a.y) * (int64_t{b.x} - a.x);
            const int64_t den = int64_t{b.y} - a.y;
            croisements.push_back(Croisement{a.x + static_cast<double>(num) / static_cast<double>(den),
                                             a.x + DivisionPlafond(num, den)});
        }
        std::sort(croisements.begin(), croisements.end(),
                  [](const Croisement& p, const Croisement& q) { return p.x < q.x; });
        for (std::size_t i = 0; i + 1 < croisements.size(); i += 2) {
            // Pixels whose point lies in [left crossing, right crossing).
            const int64_t gauche = std::max<int64_t>(croisements[i].premierPixel, cadre.x1);
            const int64_t droite = std::min<int64_t>(croisements[i + 1].premierPixel, cadre.x2);
            if (gauche < droite)
                travees.push_back(Travee{y, static_cast<int>(gauche), static_cast<int>(droite)});
        }
    }
}

} // namespace platform

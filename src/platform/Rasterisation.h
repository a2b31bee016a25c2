#pragma once
// The pixels of one-pixel lines, ellipses, arcs and polygon fills under the platform's rules
// (see Canevas.h), computed here once so that any canvas that draws pixels gets exactly the
// same ones. Pixel (x, y) stands for the point (x, y); nothing here knows about devices.
#include "platform/Canevas.h"

#include <span>
#include <vector>

namespace platform {

// Pixels x1 .. x2 - 1 of row y.
struct Travee {
    int y = 0;
    int x1 = 0;
    int x2 = 0;
    friend constexpr bool operator==(Travee, Travee) = default;
};

// The area a canvas can show, [x1, x2) x [y1, y2): pixels outside it are not produced, so a
// line or polygon reaching far off the device costs nothing.
struct Cadre {
    int x1 = 0;
    int y1 = 0;
    int x2 = 0;
    int y2 = 0;
};

// Appends the pixels of the line from a towards b, b itself left out, in drawing order.
void PixelsLigne(Point a, Point b, const Cadre& cadre, std::vector<Point>& pixels);

// The outline of the ellipse inscribed in [x1, x2) x [y1, y2) (corners in order, non-empty
// box): every pixel once, sorted by row then column. It touches the four sides of the box and
// is symmetric about both of its axes.
void ContourEllipse(int x1, int y1, int x2, int y2, std::vector<Point>& pixels);

// The rows of the ellipse's area (outline included), from the outline of ContourEllipse.
void TraveesEllipse(std::span<const Point> contour, std::vector<Travee>& travees);

// The arc of that ellipse, counter-clockwise on screen from the ray through `debut` to the ray
// through `fin`, in drawing order, its end pixel left out (the whole ellipse when both rays
// coincide).
void PixelsArc(int x1, int y1, int x2, int y2, Point debut, Point fin, std::vector<Point>& pixels);

// Counter-clockwise angle on screen, in radians in [0, 2 pi), of the point p seen from the centre
// of the box [x1, x2) x [y1, y2), measured on the circle the ellipse is a stretched copy of
// (0 towards the right, pi / 2 upwards).
double AngleEllipse(int x1, int y1, int x2, int y2, Point p);

// The rows of a polygon's inside under the even-odd rule, pixels on right and bottom edges left
// out, within the frame.
void TraveesPolygone(std::span<const Point> sommets, const Cadre& cadre, std::vector<Travee>& travees);

} // namespace platform

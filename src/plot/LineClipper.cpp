#include "plot/LineClipper.h"

#include <cmath>

namespace velta {

namespace {

enum : unsigned { Inside = 0, Left = 1, Right = 2, Bottom = 4, Top = 8 };

unsigned outcode(double x, double y) {
    unsigned c = Inside;
    if (x < 0.0) c |= Left;
    else if (x > 1.0) c |= Right;
    if (y < 0.0) c |= Bottom;
    else if (y > 1.0) c |= Top;
    return c;
}

}  // namespace

bool clipToUnitSquare(Segment& s) {
    if (!std::isfinite(s.x1) || !std::isfinite(s.y1) || !std::isfinite(s.x2) || !std::isfinite(s.y2)) return false;
    unsigned c1 = outcode(s.x1, s.y1);
    unsigned c2 = outcode(s.x2, s.y2);
    // Each pass moves one end onto a border, so four passes per end suffice.
    for (int pass = 0; pass < 8; ++pass) {
        if ((c1 | c2) == Inside) return true;
        if (c1 & c2) return false;
        const unsigned out = c1 ? c1 : c2;
        double x = 0.0;
        double y = 0.0;
        if (out & Top) {
            x = s.x1 + (s.x2 - s.x1) * (1.0 - s.y1) / (s.y2 - s.y1);
            y = 1.0;
        } else if (out & Bottom) {
            x = s.x1 + (s.x2 - s.x1) * (0.0 - s.y1) / (s.y2 - s.y1);
            y = 0.0;
        } else if (out & Right) {
            y = s.y1 + (s.y2 - s.y1) * (1.0 - s.x1) / (s.x2 - s.x1);
            x = 1.0;
        } else {
            y = s.y1 + (s.y2 - s.y1) * (0.0 - s.x1) / (s.x2 - s.x1);
            x = 0.0;
        }
        if (out == c1) {
            s.x1 = x;
            s.y1 = y;
            c1 = outcode(x, y);
        } else {
            s.x2 = x;
            s.y2 = y;
            c2 = outcode(x, y);
        }
    }
    return (c1 | c2) == Inside;
}

}  // namespace velta

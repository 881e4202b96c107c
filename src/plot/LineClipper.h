// Cohen-Sutherland clipping of a segment to the unit square.
#pragma once

namespace velta {

struct Segment {
    double x1, y1, x2, y2;
};

// Cuts the segment to 0 <= x, y <= 1; false when nothing of it is inside
// (or a coordinate is not a number).
bool clipToUnitSquare(Segment& s);

}  // namespace velta

// Levels where a profile departs from the straight line (linear in pressure)
// between neighbouring levels: the GDL method.
#pragma once

#include "levels/LevelContext.h"

namespace velta {

// How a point's departure from the line between two levels is measured.
enum class GdlMode {
    Scalar,     // absolute difference of the value from the line
    Direction,  // angle between the point's wind direction and the interpolated direction
};

// One GDL pass: between each pair of neighbouring levels that carry key (in
// level order, reversed for an ascent), the point of s that departs most from
// the line becomes a level of the given type when the departure exceeds
// tolerance, and the pass recurses on both sides of it. In direction mode s
// and second are the u and v series and secondKey is V.
void applyGdl(LevelContext& ctx, const DataSeries& s, LevelType type, LevelValue key, double tolerance,
              GdlMode mode = GdlMode::Scalar, const DataSeries* second = nullptr,
              LevelValue secondKey = LevelValue::V);

// "GDL Temperature" and "GDL RH" levels.
void addGdlThermodynamic(LevelContext& ctx);

// "GDL Wind Speed" (with the 850 mb wind of a drop) and "GDL Wind Direction" levels.
void addGdlWinds(LevelContext& ctx);

}  // namespace velta

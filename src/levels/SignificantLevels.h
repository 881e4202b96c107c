// The significant levels of one sounding, derived from its QC series in a
// fixed order of steps when the object is built, then sorted from the top of
// the sounding to the surface. The series are read, never changed, and must
// outlive the object; only the operator's exclusion marks change afterwards.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "levels/Level.h"
#include "levels/LevelContext.h"
#include "levels/LevelInputs.h"
#include "levels/LevelListing.h"
#include "sounding/StatusReporter.h"

namespace velta {

class SignificantLevels {
public:
    // Names of the steps in their order, as the progress receives them.
    static const std::array<const char*, 17>& stepNames();

    // surfaceAltitude (m) is MissingValue when the surface altitude is unknown.
    SignificantLevels(StatusReporter& progress, const LevelSeries& series, const LevelOptions& options,
                      double surfaceAltitude);
    SignificantLevels(const SignificantLevels&) = delete;
    SignificantLevels& operator=(const SignificantLevels&) = delete;

    // The levels, sorted.
    const std::vector<Level>& levels() const { return ctx_.levels; }
    std::size_t size() const { return ctx_.levels.size(); }
    // The operator's mark on level index; an index out of range is ignored.
    void setExcluded(std::size_t index, bool excluded);

    std::vector<Level> select(const std::vector<LevelType>& types, double pmin, double pmax,
                              bool includeExcluded) const;
    // Copies of the levels that have a pressure, in level order.
    std::vector<Level> pressureOrdered() const;
    // Pages of the text listing.
    std::vector<std::vector<std::string>> listing() const;
    std::vector<LevelGraphPoint> graphPoints(LevelValue x, LevelValue y) const;

    bool ascending() const { return ctx_.ascending; }
    double surfaceAltitude() const { return ctx_.surfaceAltitude; }
    bool surfaceAltitudeKnown() const { return ctx_.surfaceKnown; }
    const LevelOptions& options() const { return ctx_.options; }

private:
    LevelContext ctx_;
};

}  // namespace velta

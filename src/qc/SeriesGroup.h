// Series that QC handles together: a check computes on the first member and
// every removal it decides is applied at the same index to every member. The
// four wind series form one group; pressure, temperature and humidity each
// form a group of one.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <vector>

#include "sounding/DataSeries.h"

namespace velta {

class Sounding;

class SeriesGroup {
public:
    SeriesGroup() = default;
    // Null members and repeats are left out; a group whose first member is
    // null is empty, since there is nothing to compute on.
    SeriesGroup(std::initializer_list<DataSeries*> members);

    // The series the checks compute on, or nullptr for an empty group.
    DataSeries* first() const { return members_.empty() ? nullptr : members_.front(); }
    const std::vector<DataSeries*>& members() const { return members_; }
    bool empty() const { return members_.empty(); }

    // Removes from every member the points whose index is marked (marked[i]
    // != 0), in one pass per member. Marks beyond a member's end are ignored.
    // Answers the number of points removed from the first member.
    int32_t removeMarked(const std::vector<uint8_t>& marked);

    // The wind group in the order QCWspd, QCWdir, QCU, QCV, and the same
    // series with the direction first, as the direction limits want them.
    static SeriesGroup winds(Sounding& sounding);
    static SeriesGroup windsByDirection(Sounding& sounding);
    // A group of the one series of that name (empty when there is none).
    static SeriesGroup single(Sounding& sounding, const char* name);

private:
    std::vector<DataSeries*> members_;
};

}  // namespace velta

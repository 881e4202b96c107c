#include "qc/SeriesGroup.h"

#include <algorithm>

#include "sounding/Sounding.h"

namespace velta {

SeriesGroup::SeriesGroup(std::initializer_list<DataSeries*> members) {
    if (members.size() == 0 || *members.begin() == nullptr) return;
    members_.reserve(members.size());
    for (DataSeries* s : members)
        if (s && std::find(members_.begin(), members_.end(), s) == members_.end()) members_.push_back(s);
}

int32_t SeriesGroup::removeMarked(const std::vector<uint8_t>& marked) {
    int32_t removedFromFirst = 0;
    for (DataSeries* s : members_) {
        const int32_t before = s->size();
        // remove_if examines every point in its original place before anything
        // is moved there, so the point's address tells its index in the
        // unchanged series.
        const DataPoint* base = s->points().data();
        s->removeIf([&](const DataPoint& p) {
            const auto i = static_cast<std::size_t>(&p - base);
            return i < marked.size() && marked[i] != 0;
        });
        if (s == members_.front()) removedFromFirst = before - s->size();
    }
    return removedFromFirst;
}

SeriesGroup SeriesGroup::winds(Sounding& sounding) {
    return {sounding.series("QCWspd"), sounding.series("QCWdir"), sounding.series("QCU"),
            sounding.series("QCV")};
}

SeriesGroup SeriesGroup::windsByDirection(Sounding& sounding) {
    return {sounding.series("QCWdir"), sounding.series("QCWspd"), sounding.series("QCU"),
            sounding.series("QCV")};
}

SeriesGroup SeriesGroup::single(Sounding& sounding, const char* name) { return {sounding.series(name)}; }

}  // namespace velta

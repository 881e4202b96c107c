#include "document/RecoveryStatistics.h"

#include <fmt/printf.h>
#include <string>

namespace velta {
namespace {

int pointsOf(const Sounding& sounding, const char* name) {
    const DataSeries* s = sounding.series(name);
    return s ? s->size() : 0;
}

template <typename... Args>
std::string format(const char* pattern, Args... args) {
    return fmt::sprintf(pattern, args...);
}

}  // namespace

void writeRecoveryStatistics(const Sounding& sounding, ProcessingLog& log) {
    const int n = pointsOf(sounding, "RawTime");
    if (n == 0) return;
    log.add(kRecoveryCategory, format("%d", n) + " raw data records");

    if (sounding.systemFamily() == 0) {
        const RawData& raw = sounding.rawSource().raw();
        const DataSeries* status = sounding.series("RawStatus");
        auto flagged = [&](int bits) {
            int count = 0;
            if (status)
                for (int i = 0; i < status->size(); ++i) {
                    const double v = status->value(i);
                    if (bits == 0 ? v != 0.0 : (static_cast<int>(v) & bits) != 0) ++count;
                }
            return count;
        };
        auto share = [&](int count, const char* what) {
            log.add(kRecoveryCategory, format("%d ", count) + format("(%4.1f", 100.0 * count / n) + "%) " + what);
        };
        if (raw.statusByPart) {
            // The data system marks each part of a record; a record without
            // PTU (every other one at 4 Hz) is no error.
            share(flagged(kStatusPtu), "raw data records without valid PTU (pressure, temperature, humidity)");
            share(flagged(kStatusWind), "raw data records without valid winds");
        } else {
            share(flagged(0), "raw data records had CRC errors");
        }
        for (const SetAsideSonde& other : raw.setAsideSondes)
            log.add(kRecoveryCategory, format("%d", other.records) +
                                           (other.records == 1 ? " record" : " records") + " of another sonde (" +
                                           other.id + ") in the file " + (other.records == 1 ? "was" : "were") +
                                           " set aside");
    }

    struct Triple {
        const char* raw;
        const char* qc;
        const char* label;
    };
    static constexpr Triple kTriples[] = {{"RawPres", "QCPres", "pres "},
                                          {"RawTdry", "QCTdry", "tdry "},
                                          {"RawRH", "QCRH", "RH   "},
                                          {"RawWspd", "QCWspd", "winds"}};
    for (const Triple& t : kTriples) {
        const int r = pointsOf(sounding, t.raw);
        const int q = pointsOf(sounding, t.qc);
        const double f1 = static_cast<double>(r) / n;
        const double f2 = r < 1 ? 0.0 : static_cast<double>(q) / r;
        log.add(kRecoveryCategory, std::string(t.label) + ":\tinput file reported " + format("%5d (", r) +
                                       format("%5.1f", 100.0 * f1) + "%) values, " + "\tQC retained " +
                                       format("%5d (", q) + format("%5.1f", 100.0 * f2) +
                                       "%), \toverall rate: " + format("%5.1f", 100.0 * f1 * f2) + "%");
    }
}

}  // namespace velta

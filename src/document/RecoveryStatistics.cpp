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
        int crc = 0;
        if (const DataSeries* status = sounding.series("RawStatus"))
            for (int i = 0; i < status->size(); ++i)
                if (status->value(i) != 0.0) ++crc;
        log.add(kRecoveryCategory, format("%d ", crc) + format("(%4.1f", 100.0 * crc / n) +
                                       "%) raw data records had CRC errors");
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

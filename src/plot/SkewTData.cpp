#include "plot/SkewTData.h"

#include <cmath>

#include "plot/TimeMergedTable.h"
#include "qc/MetFormulas.h"
#include "sounding/Sounding.h"

namespace velta {

SkewTData skewTData(const DataSeries* pressure, const DataSeries* temperature, const DataSeries* humidity,
                    const DataSeries* speed, const DataSeries* direction) {
    enum { P, T, RH, Spd, Dir };
    const TimeMergedTable table({pressure, temperature, humidity, speed, direction});
    SkewTData data;
    for (std::size_t r = 0; r < table.rows(); ++r) {
        if (!table.present(r, P) || !table.present(r, T)) continue;
        const double p = table.value(r, P);
        const double t = table.value(r, T);
        data.temperature.push_back({t, p});
        if (table.present(r, RH)) {
            const double td = dewPoint(t, table.value(r, RH));
            if (std::isfinite(td)) data.dewPoint.push_back({td, p});
        }
        if (table.present(r, Spd) && table.present(r, Dir))
            data.winds.push_back({p, table.value(r, Spd), table.value(r, Dir)});
    }
    return data;
}

SkewTData skewTData(const Sounding& sounding) {
    return skewTData(sounding.series("QCPres"), sounding.series("QCTdry"), sounding.series("QCRH"),
                     sounding.series("QCWspd"), sounding.series("QCWdir"));
}

}  // namespace velta

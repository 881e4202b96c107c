// A QC run over an empty in-memory sounding whose QC series the test fills directly, with an
// in-memory option set that starts empty.
#pragma once

#include <initializer_list>
#include <string>
#include <utility>

#include "../sounding/MemorySource.h"
#include "config/ConfigSet.h"
#include "config/OptionStore.h"
#include "qc/QcRun.h"
#include "sounding/DataSeries.h"
#include "sounding/ProcessingLog.h"
#include "sounding/Sounding.h"
#include "sounding/SoundingHeader.h"

namespace velta::test {

struct StepFixture {
    MemorySource source;
    OptionStore store;
    ConfigSet options{store, false};
    SoundingHeader header;
    ProcessingLog log;
    Sounding sounding{source};
    QcRun run{sounding, options, header, log, {}, false};

    explicit StepFixture(bool ascending = false) {
        header.ascending = ascending;
        sounding.rebuildQCSeries(-1.0, 0, false);
    }

    void set(const std::string& name, double value) { options.addNumeric(name, value, -1e9, 1e9, false); }

    // Replaces the series key by points (time, value) with the given flags on point 0.
    DataSeries& put(const std::string& key, std::initializer_list<std::pair<double, double>> points,
                    int32_t firstFlags = 0) {
        DataSeries s(key);
        for (const auto& [t, v] : points) s.append(v, t);
        if (firstFlags != 0 && !s.empty()) s.setFlags(0, firstFlags);
        return sounding.addSeries(key, std::move(s));
    }
    DataSeries& series(const std::string& key) { return *sounding.series(key); }
};

}  // namespace velta::test

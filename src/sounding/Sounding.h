// All series of one sounding by name. Builds the raw series and the launch
// description from a raw source, and rebuilds the QC series from the raw ones
// each time quality control starts.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <map>
#include <string>
#include <vector>

#include "sounding/DataSeries.h"
#include "sounding/RawSource.h"
#include "sounding/SoundingHeader.h"

namespace velta {

class Sounding {
public:
    // The raw source is not owned and must outlive the sounding.
    explicit Sounding(const RawSource& source);

    // The series stored under key, or nullptr when there is none.
    DataSeries* series(const std::string& key);
    const DataSeries* series(const std::string& key) const;
    // Stores s under key, replacing any series already there.
    DataSeries& addSeries(const std::string& key, DataSeries s);
    // Removes the series stored under key; false when there was none.
    bool removeSeries(const std::string& key);
    std::vector<std::string> seriesNames() const;
    const std::map<std::string, DataSeries>& allSeries() const { return series_; }

    int systemFamily() const { return source_->systemFamily(); }
    const RawSource& rawSource() const { return *source_; }
    bool qcDone() const { return qcDone_; }
    int32_t qcGeneration() const { return qcGeneration_; }
    int32_t rawGeneration() const { return rawGeneration_; }
    int32_t rhChoice() const { return rhChoice_; }
    double lastDataTime() const { return lastDataTime_; }
    double qcCutTime() const { return qcCutTime_; }

    SoundingHeader header() const;

    // Replaces the QC series by fresh copies of the raw ones. rhChoice picks
    // the humidity sensor used for RawRH (0, 1, 2); discardBadRecords drops
    // records received with a checksum error (for files that flag each part
    // of a record, only the flagged parts); cutTime as for cutQCSeries.
    void rebuildQCSeries(double cutTime, int32_t rhChoice, bool discardBadRecords);
    void rebuildQCSeries(int32_t rhChoice, bool discardBadRecords) {
        rebuildQCSeries(-1.0, rhChoice, discardBadRecords);
    }
    // Trims the QC series after time c (after the last data time when c <= 0).
    void cutQCSeries(double c);
    void deleteQCSeries();

private:
    int32_t launchFlag() const;
    void buildRawSeries();
    void insertLaunchPoint(const std::string& key, double value);
    // The QC rebuild's removal of flagged records: whole records, or by part
    // for files whose status digits flag each part.
    void discardFlaggedRecords();
    void discardFlaggedParts();
    void removeAtTimes(std::initializer_list<const char*> keys, const std::vector<double>& times);

    bool qcDone_ = false;
    const RawSource* source_;
    std::map<std::string, DataSeries> series_;
    int32_t qcGeneration_ = 0;
    int32_t rhChoice_ = 0;
    int32_t rawGeneration_ = 0;
    double qcCutTime_ = -1.0;
    double lastDataTime_ = -1.0;
};

}  // namespace velta

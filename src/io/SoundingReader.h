// The common result of every sounding file reader: the record arrays, launch
// observation, launch date and time and descriptive strings (RawData), a valid
// flag and the error text. A reader reads its whole input in its constructor
// and is only queried afterwards.
#pragma once

#include <string>
#include <string_view>

#include "sounding/RawSource.h"

namespace velta {

class SoundingReader {
public:
    virtual ~SoundingReader() = default;
    SoundingReader(const SoundingReader&) = delete;
    SoundingReader& operator=(const SoundingReader&) = delete;

    bool valid() const { return valid_; }
    // Every error message in the order it arose, each ending in a newline.
    const std::string& errorText() const { return errorText_; }
    // What the reader passed over without failing (lines that are no record),
    // one line each, for the processing log.
    const std::string& notes() const { return notes_; }

    const RawData& raw() const { return raw_; }
    const RawRecords& records() const { return raw_.records; }
    int count() const { return raw_.records.count(); }
    bool ascending() const { return raw_.ascending; }

protected:
    SoundingReader() = default;

    void fail(std::string_view message) {
        errorText_.append(message);
        valid_ = false;
    }
    void note(std::string_view message) {
        notes_.append(message);
        notes_ += '\n';
    }
    // Fails with "Launch date or time is invalid." unless the launch date and
    // time name a real instant (years 1900 to 2099); true when they do.
    bool checkLaunchDateTime();
    // The code strings that the dropsonde, VIRA, HALVO and FENRO systems imply.
    void setDropsondeCodes();

    RawData raw_;
    bool valid_ = false;
    std::string errorText_;
    std::string notes_;
};

// True when the date is a day of the calendar (years 1900 to 2099) and the
// time of day is 00:00:00 to 23:59:59.
bool launchDateTimeValid(int year, int month, int day, int hour, int minute, int second);

}  // namespace velta

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
    // The code strings that the dropsonde, VIRA, HALVO and FENRO systems imply.
    void setDropsondeCodes();

    RawData raw_;
    bool valid_ = false;
    std::string errorText_;
};

}  // namespace velta

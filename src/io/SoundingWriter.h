// The base of the sounding writers: the path being written, the outcome, and
// the value formatting every writer uses. A writer writes its whole file in
// its constructor and is only asked for the outcome afterwards.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "io/WriterInput.h"
#include "sounding/MissingValue.h"
#include "sounding/SoundingHeader.h"

namespace velta {

class SoundingWriter {
public:
    virtual ~SoundingWriter() = default;
    SoundingWriter(const SoundingWriter&) = delete;
    SoundingWriter& operator=(const SoundingWriter&) = delete;

    const std::string& path() const { return path_; }
    // True when the whole file was written.
    bool ok() const { return error_.empty(); }
    // Why the file could not be written; empty on success.
    const std::string& errorText() const { return error_; }
    // The path up to, not including, its last '/' or '\'; empty without either.
    std::string directory() const;

    // printf formatting of one value; the formats are the writers' own literals.
    static std::string format(const char* format, double value);
    // The value printed, or the replacement printed with the same format when the value is MissingValue.
    static std::string formatOrReplace(const char* format, double value, double replacement);
    static std::string formatInt(const char* format, int value);
    static std::string formatIntOrReplace(const char* format, int value, int replacement);
    // The value printed when condition holds, otherwise the other value.
    static std::string formatIf(const char* format, double value, double other, bool condition);
    // Whole degrees of |value|, a blank and the minutes as "%05.2f": 80.5 and -80.5 give "80 30.00".
    static std::string degreesMinutes(double value);

    // Launch date and time as "2005, 08, 27, 18:34:01".
    static std::string launchTimeText(const SoundingHeader& header);

    // Element i of a column, MissingValue for an absent (empty) column.
    static double at(std::span<const double> column, int32_t i) {
        return column.empty() ? MissingValue : column[static_cast<std::size_t>(i)];
    }

protected:
    explicit SoundingWriter(std::string path) : path_(std::move(path)) {}
    void fail(std::string text) {
        if (error_.empty()) error_ = std::move(text);
    }
    // The stream a text writer writes to, or nullptr (the failure recorded) when
    // the input is unusable or has no stream.
    std::ostream* acceptTextInput(const WriterInput& input) {
        if (const std::string problem = input.problem(); !problem.empty()) {
            fail("Could not write " + path() + ": " + problem);
            return nullptr;
        }
        if (input.stream == nullptr) {
            fail("Could not write " + path() + ": no output stream");
            return nullptr;
        }
        return input.stream;
    }

private:
    std::string path_;
    std::string error_;
};

}  // namespace velta

// The line record structure that the Karvo, VIRA and HALVO formats share.
// A record is recognised by the characters at positions 6 (D data, T text) and
// 10 (record letter), and a comment by its 27-character label at positions 9
// to 35; lines shorter than 36 characters are no records. This base reads the
// data (S), launch (L) and launch observation (A) records and does the common
// finishing: times since launch, pressure correction, description and checks.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "io/SoundingReader.h"

namespace velta {

class LineRecordReader : public SoundingReader {
public:
    static constexpr std::size_t MinRecordLength = 36;

    // Position 6 and 10 characters of a record line; false for a line too short.
    static bool recordKeys(std::string_view line, char& kind, char& letter);
    static std::string_view label(std::string_view line) { return line.substr(9, 27); }

protected:
    enum class GpsAltitude { None, Field20, SameAsAltitude };
    enum class LaunchAltitude { Field14, Field20 };

    // Appends one data record. false, with the message, when no launch record
    // came before it: the reading then stops.
    bool readDataRecord(std::string_view line, GpsAltitude gps);
    void readLaunchRecord(std::string_view line);
    // Fields 6 to 10 and 12 to 13, and the altitude by the rule given.
    void readLaunchObservation(std::string_view line, LaunchAltitude altitude);

    // Comment helpers: the rest of a comment line after n fields, trimmed.
    static std::string_view commentRest(std::string_view line, int fields);
    void readLaunchObsSource(std::string_view rest);
    void appendComment(std::string_view text);
    void appendDescription(std::string_view text);
    // Operator and comments from "operator, comments, ...".
    void readOperatorAndComments(std::string_view rest);
    // The comment lines both formats read alike (operator name and comments,
    // dynamic pressure error, data type, launch observation source); false
    // for any other label.
    bool readSharedComment(std::string_view label, std::string_view line);

    // Times to seconds since launch, pressure correction, description and the
    // launch checks; done when the reading ran to the end.
    void finishRecords();
    // Code strings and the check for data; done always.
    void finishReading();

    double pressureCorrection_ = 0.0;
    // Record times keep hundredths of a second instead of tenths.
    bool clockHundredths_ = false;
    std::vector<std::string_view> pieces_;

private:
    bool launchSeen_ = false;
    int shortRecords_ = 0;      // data lines with fewer fields than a record needs
    int shortRecordNeeds_ = 0;  // the fields a record of this format needs
    long long clockBase_ = 0;   // whole seconds of the first launch record
    double launchClock_ = 0.0;  // launch instant relative to clockBase_
    std::string description_;
};

}  // namespace velta

#include "io/TurvaReader.h"

#include <string>

#include "io/TextFields.h"

namespace velta {

namespace {

// The column's value, or MissingValue above the column's missing code.
double below(double value, double limit) { return value > limit ? MissingValue : value; }

}  // namespace

TurvaReader::TurvaReader(LineReader& lines, std::string_view firstLine) {
    raw_.ascending = true;
    readAll(lines, firstLine);
}

void TurvaReader::readHeader(int lineNumber, std::string_view line) {
    using namespace text;
    switch (lineNumber) {
        case 2: {
            const auto rest = trim(dropFields(line, 2));
            raw_.projectid = std::string(rest);
            raw_.soundingdescription = std::string(rest) + "  ";
            break;
        }
        case 3:
            raw_.projectid = std::string(trim(dropFields(line, 4))) + " " + raw_.projectid;
            break;
        case 5:
            readLaunchDateTime(line);
            break;
        case 6: {
            std::string_view rest = dropFields(line, 4);
            raw_.platformtype = "ORVA TURVA " + std::string(nextToken(rest));
            raw_.sondeid = std::string(nextToken(rest));
            break;
        }
        case 9: {
            std::string_view rest = trim(dropFields(line, 4));
            raw_.launchobssource = std::string(nextToken(rest));
            break;
        }
        case 10: {
            std::string_view rest = trim(dropFields(line, 1));
            std::string name(nextToken(rest));
            name += nextToken(rest);
            raw_.operatorName = std::move(name);
            raw_.comments = std::string(trim(rest));
            break;
        }
        default:
            break;
    }
}

void TurvaReader::readLaunchRow(const Row& row) {
    raw_.pressure = row[2];
    raw_.temperature = row[3];
    raw_.rh = row[5];
    raw_.speed = row[8];
    raw_.direction = row[9];
    raw_.longitude = row[11];
    raw_.latitude = row[12];
    raw_.altitude = row[15];
    raw_.gpsaltitude = MissingValue;
}

void TurvaReader::readDataRow(const Row& row) {
    RawRecords& r = raw_.records;
    r.appendMissing();
    r.time.back() = row[1];
    r.pressure.back() = below(row[2], 9998.0);
    r.temperature.back() = below(row[3], 998.0);
    r.rh1.back() = below(row[5], 998.0);
    r.windSpeed.back() = below(row[8], 998.0);
    r.windDirection.back() = below(row[9], 998.0);
    r.dz.back() = below(row[10], 98.0);
    r.longitude.back() = below(row[11], 998.0);
    r.latitude.back() = below(row[12], 998.0);
    r.altitude.back() = row[15];
}

}  // namespace velta

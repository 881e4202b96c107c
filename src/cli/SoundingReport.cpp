#include "cli/SoundingReport.h"

#include <cstdio>
#include <ostream>

#include "document/SoundingProcessor.h"
#include "levels/LevelListing.h"

namespace velta::cli {
namespace {

std::string valueText(bool valid, double value, const char* unit) {
    if (!valid) return "missing";
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.2f%s", value, unit);
    return buf;
}

}  // namespace

void writeSoundingReport(std::ostream& out, const std::string& file, const SoundingProcessor& processor) {
    const QCEngine* engine = processor.engine();
    if (!engine || !engine->sounding()) return;
    const Sounding& sounding = *engine->sounding();
    const SoundingHeader h = processor.header();

    out << "== " << file << "\n";
    out << "Description: " << processor.soundingDescription() << "\n";
    char when[64];
    std::snprintf(when, sizeof when, "%04d-%02d-%02d %02d:%02d:%02d UTC", h.year, h.month, h.day, h.hour,
                  h.minute, h.second);
    out << "Launch: " << when << (h.ascending ? ", ascending" : ", descending") << "\n";
    out << "  pressure " << valueText(h.launchPressureValid, h.launchPressure, " mb")
        << ", temperature " << valueText(h.launchTemperatureValid, h.launchTemperature, " C")
        << ", humidity " << valueText(h.launchHumidityValid, h.launchHumidity, " %") << "\n";
    out << "  wind " << valueText(h.launchWindSpeedValid, h.launchWindSpeed, " m/s") << " from "
        << valueText(h.launchWindDirectionValid, h.launchWindDirection, " deg") << "\n";
    out << "  latitude " << valueText(h.launchLatitudeValid, h.launchLatitude, "")
        << ", longitude " << valueText(h.launchLongitudeValid, h.launchLongitude, "")
        << ", altitude " << valueText(h.launchAltitudeValid, h.launchAltitude, " m") << "\n";
    if (!h.sondeid.empty())
        out << "Sonde: " << h.sondeid << (h.sondemodel.empty() ? "" : ", ") << h.sondemodel
            << (h.sondetypecode.empty() ? "" : ", type code " + h.sondetypecode) << "\n";
    if (engine->qcDone()) out << "Sensor response: " << engine->sensorResponse().description(engine->header()) << "\n";
    if (!h.platformtype.empty()) out << "Platform: " << h.platformtype << "\n";
    if (!h.projectid.empty()) out << "Project: " << h.projectid << "\n";

    out << "Series:";
    int column = 0;
    for (const std::string& name : sounding.seriesNames()) {
        const DataSeries* s = sounding.series(name);
        char buf[64];
        std::snprintf(buf, sizeof buf, "%s%-12s %6d", column % 4 == 0 ? "\n  " : "   ", name.c_str(), s->size());
        out << buf;
        ++column;
    }
    out << "\n";
    char last[64];
    std::snprintf(last, sizeof last, "%.1f", sounding.lastDataTime());
    out << "Last data time: " << last << " s\n";

    for (const std::string& category : processor.logCategories()) {
        out << category << ":\n";
        for (const std::string& line : processor.logLines(category)) out << "  " << line << "\n";
    }
    out << "\n";
}

void writeLevelsListing(std::ostream& out, const SoundingProcessor& processor) {
    const SignificantLevels* levels = processor.levels();
    if (!levels) {
        out << "(no levels)\n\n";
        return;
    }
    for (const auto& page : levelListing(levels->levels()))
        for (const std::string& line : page) out << line << "\n";
    out << "\n";
}

void writeMessage(std::ostream& out, const SoundingProcessor& processor) {
    const TempMessage* message = processor.message();
    if (!message) {
        out << "(no message)\n\n";
        return;
    }
    std::string text = message->text(false);
    for (char c : text)
        if (c != '\r') out << c;
    out << "\n";
}

}  // namespace velta::cli

// velta-dropsim: writes a simulated dropsonde D file and the true profile beside it.

#include <CLI/CLI.hpp>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <map>
#include <optional>
#include <string>

#include "DFileWriter.h"
#include "DropSettings.h"
#include "SimulatedDrop.h"
#include "TruthCsv.h"

namespace {

bool writeFile(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
    out.close();
    if (!out) {
        std::cerr << "velta-dropsim: cannot write " << path << "\n";
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace velta::sim;

    CLI::App app{
        "Simulates a dropsonde falling under its parachute through a model atmosphere and writes the\n"
        "Karvo D file the data system would record, with the true profile as CSV beside it.\n"
        "The same options and seed always give the same bytes."};

    std::string kindText;
    std::uint64_t seed = 1;
    std::optional<int> rate;
    std::optional<std::string> formatText;
    bool splitPtu = false;
    bool noSurface = false;
    std::optional<double> endPressure;
    std::optional<double> launchPressure;
    int spikes = 0;
    int crc = 0;
    int missing = 0;
    std::string noise = "on";
    std::optional<std::string> launchTime;
    std::optional<double> lat;
    std::optional<double> lon;
    std::optional<std::string> sondeId;
    std::string output;
    std::string truth;
    std::string layoutText = "auto";
    std::string scenarioText = "good";
    std::optional<std::string> sondeType;
    std::string sensorText = "auto";

    const std::map<std::string, DropKind> kinds{{"hurricane", DropKind::Hurricane},
                                                {"research", DropKind::Research}};
    app.add_option(
           "--kind", kindText,
           "hurricane: tropical cyclone drop from 700 mb to a 1008 mb, 28 C sea surface (defaults 4 Hz, "
           "format 1.6); research: mid-latitude drop from 150 mb through the tropopause and jet (defaults "
           "2 Hz, format 1.4)")
        ->required()
        ->check(CLI::IsMember({"hurricane", "research"}));
    app.add_option("-o,--output", output, "D file to write")->required();
    app.add_option("--truth", truth, "CSV file for the true profile (not written when omitted)");
    app.add_option("--seed", seed,
                   "seed of the atmosphere's fine structure, the noise and the faults (default 1)");
    app.add_option("--rate", rate, "records per second (default 4 for hurricane, 2 for research)")
        ->check(CLI::IsMember({2, 4}));
    app.add_option("--format", formatText,
                   "D file format version; 1.6 and later add the version record and the GPS altitude column "
                   "(default 1.6 for hurricane, 1.4 for research)")
        ->check(CLI::IsMember({"1.4", "1.6", "1.7"}));
    app.add_flag(
        "--split-ptu", splitPtu,
        "at 4 Hz, pressure, temperature and humidity only on every other record (missing on the others)");
    auto* noSfc = app.add_flag("--no-surface", noSurface,
                               "the signal is lost in mid-air, 60 mb above the surface pressure");
    app.add_option("--end-pressure", endPressure,
                   "the signal is lost when the sonde reaches this pressure (mb)")
        ->excludes(noSfc)
        ->check(CLI::Range(100.0, 1100.0));
    app.add_option("--launch-pressure", launchPressure, "release pressure (mb); default 700 or 150 by kind")
        ->check(CLI::Range(50.0, 1000.0));
    app.add_option("--spikes", spikes, "number of large single-record outliers")->check(CLI::Range(0, 1000));
    app.add_option("--crc", crc, "number of records received with a CRC error (status 1, one value garbled)")
        ->check(CLI::Range(0, 1000));
    app.add_option("--missing", missing,
                   "number of short gaps (2-12 records) where pressure, temperature, humidity, the GPS or "
                   "everything is missing")
        ->check(CLI::Range(0, 1000));
    app.add_option("--noise", noise, "measurement noise on or off (sensor lag stays)")
        ->check(CLI::IsMember({"on", "off"}));
    app.add_option("--launch-time", launchTime, "launch date and time, UTC, as YYYYMMDD_HHMMSS");
    app.add_option("--lat", lat, "launch latitude, degrees north")->check(CLI::Range(-89.0, 89.0));
    app.add_option("--lon", lon, "launch longitude, degrees east")->check(CLI::Range(-180.0, 180.0));
    app.add_option("--sonde-id", sondeId, "sonde identifier (digits, no blanks)");
    app.add_option("--layout", layoutText,
                   "file layout: current (what data systems write for format 1.7: station line, minutes of "
                   "pre-launch records, a status digit per part, the full trailer; 4 Hz with PTU on every "
                   "other record), classic (the older layout), auto (current for format 1.7; the default)")
        ->check(CLI::IsMember({"auto", "current", "classic"}));
    const std::map<std::string, Scenario> scenarios{{"good", Scenario::Good},
                                                    {"cloud", Scenario::Cloud},
                                                    {"second-sentinels", Scenario::SecondSentinels},
                                                    {"second-cabin", Scenario::SecondCabin},
                                                    {"lau-names-empty", Scenario::LaunchNamesEmpty},
                                                    {"failed-sonde", Scenario::FailedSonde},
                                                    {"late-acquisition", Scenario::LateAcquisition}};
    app.add_option("--scenario", scenarioText,
                   "current layout only. good: a good drop; cloud: a saturated layer 50-130 mb above the "
                   "surface where the humidity sensor reads up to about 104 %; second-sentinels: a second "
                   "sonde's records, all missing values, interleaved; second-cabin: a second sonde in the "
                   "cabin recording valid cabin data (near 844 mb, 22 C, the aircraft's GPS height and speed) "
                   "for 40 minutes; lau-names-empty: the LAU record names a nearly empty second sonde while "
                   "the falling sonde and the A record carry another id; failed-sonde: the sonde fails 40 mb "
                   "below the launch (190 mb for a research drop; --end-pressure moves it) and the data "
                   "system goes on recording the cabin sonde under the same id for 40 minutes; "
                   "late-acquisition: the first data come 550 mb below the launch. A signal lost in "
                   "mid-air is --end-pressure (default good)")
        ->check(CLI::IsMember({"good", "cloud", "second-sentinels", "second-cabin", "lau-names-empty",
                               "failed-sonde", "late-acquisition"}));
    app.add_option("--sensor", sensorText,
                   "the sonde's temperature and humidity sensors: bead (the older sonde: about 3 s at 1000 mb, "
                   "20 C and 6 m/s; humidity 6 s at +20 C, 10 s at -40 C), fast (the current sonde: 0.45 s; "
                   "humidity 0.3 s at +20 C, 10 s at -40 C), auto (fast for the current layout, bead for the "
                   "classic one; the default). Elsewhere the response times follow forced convection on the "
                   "sensor")
        ->check(CLI::IsMember({"auto", "bead", "fast"}));
    app.add_option("--sonde-type", sondeType,
                   "current layout: the sonde type code in the sonde record of the trailer (default: the "
                   "sensor's, 3 for fast and 2 for bead)");

    CLI11_PARSE(app, argc, argv);

    DropSettings s = defaultSettings(kinds.at(kindText));
    s.seed = seed;
    if (rate) s.rate = *rate;
    if (formatText) s.formatVersion = std::stod(*formatText);
    s.layout = layoutText == "current" ? Layout::Current : layoutText == "classic" ? Layout::Classic : Layout::Auto;
    s.scenario = scenarios.at(scenarioText);
    s.sensor = sensorText == "fast" ? SensorKind::Fast : sensorText == "bead" ? SensorKind::Bead : SensorKind::Auto;
    if (sondeType) {
        if (sondeType->empty() || sondeType->find_first_of(" ,\t") != std::string::npos) {
            std::cerr << "velta-dropsim: --sonde-type must be one word without commas\n";
            return 2;
        }
        s.texts.sondeTypeCode = *sondeType;
    }
    if (currentLayout(s)) {
        if (rate && *rate != 4) {
            std::cerr << "velta-dropsim: the current layout records at 4 Hz\n";
            return 2;
        }
        if (s.formatVersion < 1.7) s.formatVersion = 1.7;
    } else if (s.scenario != Scenario::Good) {
        std::cerr << "velta-dropsim: --scenario needs the current layout (--format 1.7 or --layout current)\n";
        return 2;
    }
    if (launchPressure) s.launchPressure = *launchPressure;
    if (lat) s.launchLat = *lat;
    if (lon) s.launchLon = *lon;
    if (sondeId) {
        if (sondeId->empty() || sondeId->find_first_of(" \t") != std::string::npos) {
            std::cerr << "velta-dropsim: --sonde-id must be one word\n";
            return 2;
        }
        s.sondeId = *sondeId;
    }
    if (launchTime) {
        const auto t = parseCompactTime(*launchTime);
        if (!t) {
            std::cerr << "velta-dropsim: --launch-time must be YYYYMMDD_HHMMSS\n";
            return 2;
        }
        s.launchTime = *t;
    }
    const double surfacePressure = profileFor(s.kind).surfacePressure;
    if (s.launchPressure >= surfacePressure - 20.0) {
        std::cerr << "velta-dropsim: the launch pressure must be at least 20 mb below the surface ("
                  << surfacePressure << " mb)\n";
        return 2;
    }
    if (noSurface) s.endPressure = surfacePressure - 60.0;
    if (endPressure) s.endPressure = *endPressure;
    if (s.scenario == Scenario::LateAcquisition &&
        s.launchPressure + kAcquisitionBelowLaunch >= (s.endPressure > 0.0 ? s.endPressure : surfacePressure)) {
        std::cerr << "velta-dropsim: late-acquisition needs a launch more than 550 mb above the end of the data\n";
        return 2;
    }
    if (s.endPressure > 0.0 && s.endPressure <= s.launchPressure + 5.0) {
        std::cerr << "velta-dropsim: the end pressure must be well below the launch (higher pressure)\n";
        return 2;
    }
    if (splitPtu && s.rate != 4) {
        std::cerr << "velta-dropsim: --split-ptu needs --rate 4\n";
        return 2;
    }
    s.instrument.splitPtu = splitPtu;
    s.instrument.noise = noise == "on";
    s.instrument.spikes = spikes;
    s.instrument.crcErrors = crc;
    s.instrument.missingGaps = missing;
    applyLayout(s);

    const SimulatedDrop drop = simulateDrop(s);
    if (!writeFile(output, formatDFile(s, drop))) return 1;
    if (!truth.empty() && !writeFile(truth, formatTruthCsv(s, drop))) return 1;
    std::printf("%s: %s drop, %zu records, %s\n", output.c_str(), kindName(s.kind), drop.records.size(),
                drop.fall.reachedSurface ? "reaches the surface" : "ends in mid-air");
    return 0;
}

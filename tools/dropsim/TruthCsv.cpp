#include "TruthCsv.h"

#include <cstdio>

#include "Physics.h"

namespace velta::sim {

namespace {

void add(std::string& out, const char* format, auto... args) {
    char buf[512];
    std::snprintf(buf, sizeof buf, format, args...);
    out += buf;
}

}  // namespace

std::string formatTruthCsv(const DropSettings& s, const SimulatedDrop& drop) {
    std::string out;
    const SurfaceTruth& sfc = drop.fall.surface;
    const WindVector sw = windFromComponents(sfc.u, sfc.v);
    const UtcTime& lt = s.launchTime;
    add(out, "# velta-dropsim truth\n");
    add(out, "# kind,%s\n", kindName(s.kind));
    add(out, "# seed,%llu\n", static_cast<unsigned long long>(s.seed));
    add(out, "# sonde_id,%s\n", s.sondeId.c_str());
    add(out, "# launch_time_utc,%04d-%02d-%02dT%02d:%02d:%02dZ\n", lt.year, lt.month, lt.day, lt.hour,
        lt.minute, lt.second);
    add(out, "# launch_lat_deg,%.6f\n", s.launchLat);
    add(out, "# launch_lon_deg,%.6f\n", s.launchLon);
    add(out, "# launch_pressure_mb,%.2f\n", s.launchPressure);
    add(out, "# sensor_response_s,%.2f\n", sensorOf(s).temperatureTau);
    add(out, "# reaches_surface,%d\n", drop.fall.reachedSurface ? 1 : 0);
    add(out, "# surface_pressure_mb,%.2f\n", sfc.pressure);
    add(out, "# surface_temperature_c,%.3f\n", sfc.temperature);
    add(out, "# surface_rh_pct,%.2f\n", sfc.rh);
    add(out, "# surface_wind_speed_ms,%.3f\n", sw.speed);
    add(out, "# surface_wind_dir_deg,%.2f\n", sw.direction);
    add(out, "# surface_u_ms,%.3f\n", sfc.u);
    add(out, "# surface_v_ms,%.3f\n", sfc.v);
    add(out, "# surface_altitude_m,%.2f\n", sfc.altitude);
    add(out, "# sonde_mass_kg,%.3f\n", s.sonde.massKg);
    add(out, "# chute_area_m2,%.4f\n", s.sonde.chuteAreaM2);
    add(out, "# drag_coefficient,%.3f\n", s.sonde.dragCoefficient);
    add(out, "# pressure_defect_mb,%.2f\n", s.instrument.pressureDefect);
    if (currentLayout(s)) {
        static const char* const kScenarios[] = {"good",         "cloud",           "second-sentinels",
                                                 "second-cabin", "lau-names-empty", "failed-sonde",
                                                 "late-acquisition"};
        add(out, "# layout,current\n");
        add(out, "# scenario,%s\n", kScenarios[static_cast<int>(s.scenario)]);
        add(out, "# gps_altitude_bias_m,%.2f\n", s.instrument.gpsAltitudeBias);
        add(out, "# sensor_rh_excess_in_cloud_pct,%.2f\n", s.instrument.cloudExcess);
        if (s.scenario == Scenario::FailedSonde) {
            add(out, "# failure_time_s,%.2f\n", drop.fall.samples.back().time);
            add(out, "# failure_pressure_mb,%.2f\n", drop.fall.samples.back().pressure);
            add(out, "# cabin_records_after_failure,%zu\n", drop.secondSonde.size());
        } else if (s.scenario == Scenario::LateAcquisition && !drop.records.empty()) {
            add(out, "# first_data_time_s,%.2f\n", drop.records.front().time);
        } else if (!drop.secondSonde.empty()) {
            add(out, "# second_sonde_id,%s\n", s.secondSondeId.c_str());
            add(out, "# second_sonde_records,%zu\n", drop.secondSonde.size());
        }
    }
    out +=
        "time_s,pressure_mb,temperature_c,rh_pct,wind_speed_ms,wind_dir_deg,u_ms,v_ms,"
        "geopotential_alt_m,geometric_alt_m,lat_deg,lon_deg,fall_speed_ms,"
        "sensor_temperature_c,sensor_rh_pct,sonde_u_ms,sonde_v_ms\n";
    for (const TruthSample& t : drop.fall.samples) {
        const WindVector w = windFromComponents(t.u, t.v);
        add(out, "%.2f,%.3f,%.3f,%.2f,%.3f,%.2f,%.3f,%.3f,%.2f,%.2f,%.7f,%.7f,%.3f,%.3f,%.2f,%.3f,%.3f\n",
            t.time, t.pressure, t.temperature, t.rh, w.speed, w.direction, t.u, t.v, t.geopotential,
            t.geometric, t.lat, t.lon, t.fallSpeed, t.sensorTemperature, t.sensorRh, t.sondeU, t.sondeV);
    }
    return out;
}

}  // namespace velta::sim

// The true profile the drop simulator writes beside each simulated D file:
// "# key,value" lines, a heading row, then one row per record time.
#pragma once

#include <cmath>
#include <cstdlib>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "TestData.h"

namespace velta::test {

struct TruthProfile {
    std::map<std::string, double> meta;
    std::map<std::string, std::vector<double>> columns;

    explicit TruthProfile(const std::string& path) { parse(readFile(path)); }
    TruthProfile(const std::string& text, bool /*fromText*/) { parse(text); }

    // Linear interpolation of a column at time t (rows are in time order).
    double at(const std::string& column, double t) const {
        const auto& time = columns.at("time_s");
        const auto& v = columns.at(column);
        if (t <= time.front()) return v.front();
        for (std::size_t i = 1; i < time.size(); ++i)
            if (time[i] >= t) {
                const double f = (t - time[i - 1]) / (time[i] - time[i - 1]);
                return v[i - 1] + f * (v[i] - v[i - 1]);
            }
        return v.back();
    }

    // The pressure level's value of a column, interpolated in log pressure.
    double atPressure(const std::string& column, double p) const {
        const auto& pres = columns.at("pressure_mb");
        const auto& v = columns.at(column);
        for (std::size_t i = 1; i < pres.size(); ++i)
            if ((pres[i - 1] - p) * (pres[i] - p) <= 0 && pres[i] != pres[i - 1]) {
                const double f = std::log(p / pres[i - 1]) / std::log(pres[i] / pres[i - 1]);
                return v[i - 1] + f * (v[i] - v[i - 1]);
            }
        return NAN;
    }

private:
    void parse(const std::string& text) {
        std::istringstream in(text);
        std::string line;
        std::vector<std::string> names;
        while (std::getline(in, line)) {
            if (line.empty()) continue;
            std::vector<std::string> fields;
            std::stringstream ss(line[0] == '#' ? line.substr(line.size() > 1 ? 2 : 1) : line);
            for (std::string f; std::getline(ss, f, ',');) fields.push_back(f);
            if (line[0] == '#') {
                if (fields.size() == 2) meta[fields[0]] = std::atof(fields[1].c_str());
            } else if (names.empty()) {
                names = fields;
            } else {
                for (std::size_t i = 0; i < names.size() && i < fields.size(); ++i)
                    columns[names[i]].push_back(std::atof(fields[i].c_str()));
            }
        }
    }
};

}  // namespace velta::test

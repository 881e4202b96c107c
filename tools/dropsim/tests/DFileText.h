#pragma once

// Helpers for the tests: split a D file into lines and fields the way its reader does.

#include <sstream>
#include <string>
#include <vector>

#include "DFileWriter.h"
#include "DropSettings.h"
#include "SimulatedDrop.h"

namespace velta::sim::test {

// Lines without their CR LF; sets ok to false when any line ends otherwise.
inline std::vector<std::string> splitCrLf(const std::string& text, bool& ok) {
    std::vector<std::string> lines;
    ok = true;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t lf = text.find('\n', start);
        if (lf == std::string::npos || lf == start || text[lf - 1] != '\r') {
            ok = false;
            break;
        }
        const std::string line = text.substr(start, lf - 1 - start);
        if (line.find('\r') != std::string::npos) ok = false;
        lines.push_back(line);
        start = lf + 1;
    }
    return lines;
}

inline std::vector<std::string> fields(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> out;
    for (std::string f; in >> f;) out.push_back(f);
    return out;
}

// The text after the first n fields, trimmed.
inline std::string restAfter(const std::string& line, int n) {
    std::size_t pos = 0;
    for (int i = 0; i < n; ++i) {
        pos = line.find_first_not_of(' ', pos);
        pos = line.find(' ', pos);
        if (pos == std::string::npos) return "";
    }
    const std::size_t b = line.find_first_not_of(' ', pos);
    if (b == std::string::npos) return "";
    return line.substr(b, line.find_last_not_of(' ') + 1 - b);
}

inline bool isData(const std::string& line, char letter) {
    return line.size() >= 36 && line[6] == 'D' && line[10] == letter;
}

struct Made {
    DropSettings settings;
    SimulatedDrop drop;
    std::string text;
};

inline Made make(DropSettings s) {
    Made m{s, simulateDrop(s), ""};
    m.text = formatDFile(m.settings, m.drop);
    return m;
}

}  // namespace velta::sim::test

#include "config/OverrideOptions.h"

#include "config/ConfigSet.h"
#include "config/NumberText.h"

namespace velta {

const std::vector<std::string>& overrideOptionNames() {
    static const std::vector<std::string> names = {
        "launchPresOverride", "launchTdryOverride", "launchRhOverride",     "launchWspdOverride",
        "launchWdirOverride", "launchLatOverride",  "launchLonOverride",    "launchAltOverride",
        "sfcPresOverride",    "sfcAltOverride",     "lastDataTimeOverride",
    };
    return names;
}

void setOverrideFromText(ConfigSet& set, const std::string& name, const std::string& text) {
    std::string trimmed = trimWhiteSpace(text);
    if (trimmed.empty()) {
        set.remove(name);
        return;
    }
    double value = leadingNumber(trimmed);
    set.addNumeric(name, value, value, value, false);
}

void setSurfaceAltitude(ConfigSet& set, double altitude) {
    set.addNumeric(kSfcAltitude, altitude, altitude, altitude, false);
}

}  // namespace velta

// Small configuration files written into a scratch directory for one test.
#pragma once

#include <string>

#include "TestData.h"

namespace velta::test {

// A configuration directory with a copy of the shipped velta.dtd.
class ConfigDir {
public:
    explicit ConfigDir(const std::string& name) : dir_(scratchDir("config/" + name)) {
        writeFile(dir_ + "/velta.dtd", readFile(sourcePath("share/velta.dtd")));
    }
    const std::string& dir() const { return dir_; }
    std::string path(const std::string& file = "velta.xml") const { return dir_ + "/" + file; }
    // Writes velta.xml and answers its path.
    std::string write(const std::string& xml) const {
        writeFile(path(), xml);
        return path();
    }

private:
    std::string dir_;
};

inline std::string option(const std::string& name, const std::string& type, const std::string& current,
                          const std::string& def, bool immediate = false) {
    return "<option name=\"" + name + "\" type=\"" + type + "\"" + (immediate ? " immediate=\"true\"" : "") +
           "><current>" + current + "</current><default>" + def + "</default></option>\n";
}

// A file with the DTD declaration, the active name and the given sets (already formatted).
inline std::string configFile(const std::string& active, const std::string& sets) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!DOCTYPE veltaConfig SYSTEM \"velta.dtd\">\n"
           "<veltaConfig>\n<active>" +
           active + "</active>\n" + sets + "</veltaConfig>\n";
}

inline std::string set(const std::string& name, const std::string& options) {
    return "<set name=\"" + name + "\">\n" + options + "</set>\n";
}

}  // namespace velta::test

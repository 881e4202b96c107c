#include "document/BuildInformation.h"

#include "BuildInfo.h"

namespace velta {

const BuildInformation& buildInformation() {
    static const BuildInformation info = {
        {"SVNREVISION", std::string("Revision: ") + build::kRevision},
        {"SVNLASTCHANGEDDATE", std::string("Last Changed Date: ") + build::kLastChangedDate},
        {"SVNURL", build::kRepository},
    };
    return info;
}

std::string buildInformationLine(const std::string& key) {
    for (const auto& [k, v] : buildInformation())
        if (k == key) return v;
    return {};
}

std::string aboutText(const std::string& version) {
    std::string text = "Version: " + version;
    for (const char* key : {"SVNREVISION", "SVNLASTCHANGEDDATE"}) {
        std::string line = buildInformationLine(key);
        if (!line.empty()) text += "\n" + line;
    }
    return text;
}

}  // namespace velta

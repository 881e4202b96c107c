#include "wmo/RemarkOptions.h"

namespace velta {
namespace {

std::string text(const ConfigSet& options, const char* name) {
    const ConfigOption* option = options.option(name);
    return option ? option->text() : std::string();
}

}  // namespace

std::vector<std::string> icaoList(const ConfigSet& options) {
    std::vector<std::string> list = {"    ", "KNHC", "KBIX", "KISX", "KHIK", "KTRR", "KWBC"};
    if (const ConfigOption* opt = options.option("OptIcao"); opt && !opt->text().empty()) list[0] = opt->text();
    return list;
}

RemarkEntries remarkEntriesFromOptions(const ConfigSet& options) {
    RemarkEntries entries;
    const std::vector<std::string> icaos = icaoList(options);
    const int index = static_cast<int>(options.numericValue("IcaoIndex").value_or(1.0));
    if (index >= 0 && index < static_cast<int>(icaos.size())) entries.icao = icaos[static_cast<std::size_t>(index)];
    entries.headerOverride = text(options, "AbrHdrOvr");
    entries.agencyAircraft = text(options, "ACagency");
    entries.missionStorm = text(options, "MissionStorm");
    entries.missionId = text(options, "MissionId");
    entries.atcfId = text(options, "AtcfId");
    return entries;
}

}  // namespace velta

// Any bytes as velta.xml: the registry reads them (from memory) without crashing or hanging, and a file it
// understood survives binding options, editing, copying and saving, and reads back.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <xercesc/util/PlatformUtils.hpp>

#include "config/ConfigFiles.h"
#include "config/ConfigSet.h"
#include "config/Registry.h"

namespace {

std::string readDtd() {
    std::filesystem::path source = std::filesystem::path(__FILE__).parent_path().parent_path() / "share" / "velta.dtd";
    if (const char* root = std::getenv("VELTA_SOURCE_DIR")) source = std::filesystem::path(root) / "share" / "velta.dtd";
    std::ifstream in(source, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    if (!in || out.str().empty()) std::abort();
    return out.str();
}

// A few options of each kind the catalogue has: the registry's work per option is the same
// for all of them, and a small document keeps the runs fast.
void bindOptions(velta::ConfigSet& options) {
    options.addNumeric("ChuteArea", 676, 1, 40000, true);
    options.addNumeric("DoQC", 1, 0, 1, true);
    options.addNumeric("SfcAutoDetect", 1, 0, 1, true);
    options.addText("DataDir", "C:\\", true);
    options.addText("ICAO", "KNHC", true);
}

}  // namespace

// Keeps the XML library initialised between runs; each registry then only counts up and down.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
    xercesc::XMLPlatformUtils::Initialize();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    // Everything stays in memory: the input, the DTD beside it and whatever is saved.
    static const std::string dtd = readDtd();
    const std::string path = "/config/velta.xml";
    velta::MemoryConfigFiles files;
    files.files["/config/velta.dtd"] = dtd;
    files.files[path] = std::string(reinterpret_cast<const char*>(data), size);

    std::string active;
    {
        velta::Registry registry(path, files);
        if (registry.status() != 0) return 0;
        files.files.erase(path);  // the save below writes it anew
        active = registry.activeSetName();
        velta::ConfigSet options(registry, false);
        bindOptions(options);
        options.option("ChuteArea")->setValue(700.5);
        options.option("DataDir")->setText("/data/UTF-16 <&>");
        options.option("DoQC")->setValue(0);
        options.save(true);
        registry.copySet(active, active + " copy");
        registry.removeSet("Research");
        options.save(false);
    }
    if (active == "Research") return 0;  // the active set was just removed
    if (files.files.count(path) == 0) return 0;  // nothing changed, nothing was saved

    velta::Registry reread(path, files);
    if (reread.status() != 0) std::abort();
    // An active set without options gains none, so DataDir may keep its default; an option
    // element without a type has no texts to read.
    velta::ConfigSet options(reread, false);
    bindOptions(options);
    std::string dataDir = options.option("DataDir")->text();
    if (dataDir != "/data/UTF-16 <&>" && dataDir != "C:\\" && !dataDir.empty()) std::abort();
    return 0;
}

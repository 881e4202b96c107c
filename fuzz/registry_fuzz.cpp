// Any bytes as velta.xml: the registry reads them (from memory) without crashing or hanging, and a file it
// understood survives binding the catalogue, editing, copying and saving, and reads back.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <xercesc/util/PlatformUtils.hpp>

#include "config/ConfigSet.h"
#include "config/Registry.h"

namespace {

namespace fs = std::filesystem;

std::string readAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

void writeAll(const fs::path& path, const uint8_t* data, std::size_t size) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
}

// A directory of this process holding a copy of the shipped velta.dtd, on a
// memory file system when there is one (saves flush to disk), removed when the
// fuzzer ends.
const fs::path& workDir() {
    // Never destroyed, so that the clean-up at exit still finds it.
    static const fs::path& dir = *new fs::path([] {
        std::error_code ec;
        fs::path base = fs::is_directory("/dev/shm", ec) ? fs::path("/dev/shm") : fs::temp_directory_path();
        std::string pattern = (base / "velta-registry-fuzz-XXXXXX").string();
        if (!::mkdtemp(pattern.data())) std::abort();
        fs::path d = pattern;
        std::atexit([] { fs::remove_all(workDir()); });
        fs::path source = fs::path(__FILE__).parent_path().parent_path() / "share" / "velta.dtd";
        if (const char* root = std::getenv("VELTA_SOURCE_DIR"))
            source = fs::path(root) / "share" / "velta.dtd";
        std::string dtd = readAll(source);
        writeAll(d / "velta.dtd", reinterpret_cast<const uint8_t*>(dtd.data()), dtd.size());
        return d;
    }());
    return dir;
}

}  // namespace

// Keeps the XML library initialised between runs; each registry then only counts up and down.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
    xercesc::XMLPlatformUtils::Initialize();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    // The input is parsed from memory; only what the registry saves reaches the file.
    const fs::path path = workDir() / "velta.xml";
    const std::string text(reinterpret_cast<const char*>(data), size);

    std::string active;
    {
        velta::Registry registry(path.string(), text);
        if (registry.status() != 0) return 0;
        fs::remove(path);  // the save below writes it anew
        active = registry.activeSetName();
        velta::ConfigSet options(registry);
        options.option("ChuteArea")->setValue(700.5);
        options.option("DataDir")->setText("/data/UTF-16 <&>");
        options.option("DoQC")->setValue(0);
        options.save(true);
        registry.copySet(active, active + " copy");
        registry.removeSet("Research");
        options.save(false);
    }
    if (active == "Research") return 0;  // the active set was just removed
    std::error_code ec;
    if (!fs::exists(path, ec)) return 0;  // nothing changed, nothing was saved

    velta::Registry reread(path.string());
    if (reread.status() != 0) std::abort();
    // An active set without options gains none, so DataDir may keep its default; an option
    // element without a type has no texts to read.
    velta::ConfigSet options(reread);
    std::string dataDir = options.option("DataDir")->text();
    if (dataDir != "/data/UTF-16 <&>" && dataDir != "C:\\" && !dataDir.empty()) std::abort();
    return 0;
}

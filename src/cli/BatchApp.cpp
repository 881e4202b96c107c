#include "cli/BatchApp.h"

#include <CLI/CLI.hpp>
#include <string>
#include <vector>

#include "BuildInfo.h"

namespace velta::cli {

int runBatch(int argc, char** argv) {
    CLI::App app{"velta-batch: processes dropsonde soundings into QC data, levels and TEMP DROP messages",
                 "velta-batch"};
    app.set_version_flag("--version", std::string("velta-batch ") + build::kVersion);
    std::vector<std::string> files;
    app.add_option("FILE", files, "Sounding files to process");
    CLI11_PARSE(app, argc, argv);
    return 0;
}

}  // namespace velta::cli

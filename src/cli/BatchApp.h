// velta-batch: the command-line processor over the core.
#pragma once

namespace velta::cli {

// Parses the command line, processes the named files and answers the exit code.
int runBatch(int argc, char** argv);

}  // namespace velta::cli

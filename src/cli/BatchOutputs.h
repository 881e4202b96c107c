// The files velta-batch writes for one processed sounding, into the output
// directory and never over the input.
#pragma once

#include <string>
#include <vector>

namespace velta {
class SoundingProcessor;
}

namespace velta::cli {

class InputFiles;

// The kinds of output: message, levels, log, and qc-FMT / raw-FMT with FMT one
// of qsf, csv, tvx, nc; "all" stands for every one.
const std::vector<std::string>& outputKinds();
bool isOutputKind(const std::string& kind);

// The file an output of the input is written to: the input's name without its
// extension, then "QC.csv", "RAW.nc", ".txt" (message), "_levels.txt", "_log.txt".
std::string outputPath(const std::string& directory, const std::string& input, const std::string& kind);

// Writes the requested outputs, none over any of the run's inputs and none
// through a symbolic link (the link itself is replaced); the problems, one per
// line (empty when all went well). A message that could not be coded for lack
// of data is left out without a problem: the run reports it once.
std::string writeOutputs(const std::string& input, const SoundingProcessor& processor,
                         const std::vector<std::string>& kinds, const std::string& directory,
                         const InputFiles& inputs);

}  // namespace velta::cli

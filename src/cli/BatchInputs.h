// The inputs of one velta-batch run: which may be read, and which outputs
// would replace an input or another input's output.
#pragma once

#include <string>
#include <sys/types.h>
#include <utility>
#include <vector>

namespace velta::cli {

// Why the path cannot be read as an input (not there, not a regular file such
// as a device or a FIFO); empty when it can.
std::string inputProblem(const std::string& path);

// The files of a run's inputs, by device and inode, so that no output replaces
// any of them whatever the path it is reached by.
class InputFiles {
public:
    explicit InputFiles(const std::vector<std::string>& paths);
    bool contains(const std::string& path) const;

private:
    std::vector<std::pair<dev_t, ino_t>> files_;
};

// For each input, the index of an earlier input one of whose outputs of the
// given kinds would have the name of one of its own in the directory (a/D.1
// and b/D.1, D.1 and D.2), or -1. An input that clashes claims no names.
std::vector<int> outputNameClashes(const std::vector<std::string>& inputs, const std::vector<std::string>& kinds,
                                   const std::string& directory);

}  // namespace velta::cli

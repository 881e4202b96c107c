// Runs one job per input file on a pool of worker threads. Results are handed
// back in input order, so the output of a parallel run is that of a serial one.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace velta::cli {

struct FileResult {
    bool accepted = false;   // a reader accepted the file
    bool qcFailed = false;   // QC reported errors
    bool writeFailed = false;  // an output was not written
    int findings = 0;          // findings of the drop diagnosis
    std::string report;      // what goes to standard output
    std::string errors;      // what goes to standard error
};

// A worker: processes the file with the given index; called concurrently from
// several threads, each with its own worker index (0 .. jobs-1).
using FileJob = std::function<FileResult(int worker, int file)>;

// Runs job for every file index 0 .. count-1 on `jobs` threads and hands each
// result to `done` in input order, on the calling thread.
void runJobs(int count, int jobs, const FileJob& job, const std::function<void(int, FileResult&)>& done);

}  // namespace velta::cli

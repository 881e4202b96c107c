// Progress over many files on standard error: a bar on a terminal, plain lines
// otherwise.
#pragma once

#include <cstdio>
#include <string>

namespace velta::cli {

class Progress {
public:
    // Shows nothing for a single file.
    Progress(int total, std::FILE* out);
    ~Progress();
    // One more file is done.
    void advance(const std::string& file, bool accepted);
    // Clears the bar before other text goes to the same stream.
    void clearLine();

private:
    void draw();
    int total_;
    int done_ = 0;
    int rejected_ = 0;
    std::FILE* out_;
    bool terminal_;
    bool shown_;
};

}  // namespace velta::cli

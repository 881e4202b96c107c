#include "cli/Progress.h"

#include <unistd.h>

namespace velta::cli {

Progress::Progress(int total, std::FILE* out)
    : total_(total), out_(out), terminal_(isatty(fileno(out)) != 0), shown_(total > 1) {}

Progress::~Progress() {
    if (shown_ && terminal_) {
        clearLine();
        std::fflush(out_);
    }
}

void Progress::clearLine() {
    if (shown_ && terminal_) std::fputs("\r\033[K", out_);
}

void Progress::advance(const std::string& file, bool accepted) {
    ++done_;
    if (!accepted) ++rejected_;
    if (!shown_) return;
    if (!terminal_) {
        std::fprintf(out_, "[%d/%d] %s%s\n", done_, total_, file.c_str(), accepted ? "" : " (rejected)");
        return;
    }
    draw();
}

void Progress::draw() {
    constexpr int kWidth = 40;
    const int filled = total_ > 0 ? done_ * kWidth / total_ : kWidth;
    std::string bar(static_cast<std::size_t>(filled), '#');
    bar.append(static_cast<std::size_t>(kWidth - filled), '.');
    std::fprintf(out_, "\r[%s] %d/%d files", bar.c_str(), done_, total_);
    if (rejected_) std::fprintf(out_, ", %d rejected", rejected_);
    std::fflush(out_);
}

}  // namespace velta::cli

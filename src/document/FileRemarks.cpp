#include "document/FileRemarks.h"

namespace velta {

std::vector<std::string> fileRemarks(const SoundingHeader& h) {
    std::vector<std::string> lines;
    if (!h.standardcomments.empty()) lines.push_back("Standard comments: " + h.standardcomments);
    if (!h.operatorcomments.empty())
        lines.push_back("Operator comments: " + h.operatorcomments);
    else if (h.standardcomments.empty() && !h.comments.empty())
        lines.push_back("Comments: " + h.comments);
    return lines;
}

void writeFileRemarks(const SoundingHeader& header, ProcessingLog& log) {
    for (const std::string& line : fileRemarks(header)) log.add(kRemarksCategory, line);
}

}  // namespace velta

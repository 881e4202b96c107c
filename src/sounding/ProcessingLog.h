// The program's record of a processing run: text lines by category, categories
// in name order ("Processing Steps", "QC Processing Errors", ...).
#pragma once

#include <map>
#include <string>
#include <vector>

namespace velta {

class ProcessingLog {
public:
    void clear() { categories_.clear(); }
    void add(const std::string& category, const std::string& line) { categories_[category].push_back(line); }
    std::vector<std::string> categoryNames() const;
    // Lines of one category; empty for an unknown category.
    const std::vector<std::string>& lines(const std::string& category) const;
    bool empty() const { return categories_.empty(); }

private:
    std::map<std::string, std::vector<std::string>> categories_;
};

}  // namespace velta

#include "sounding/ProcessingLog.h"

namespace velta {

std::vector<std::string> ProcessingLog::categoryNames() const {
    std::vector<std::string> names;
    names.reserve(categories_.size());
    for (const auto& [name, lines] : categories_) names.push_back(name);
    return names;
}

const std::vector<std::string>& ProcessingLog::lines(const std::string& category) const {
    static const std::vector<std::string> kNone;
    auto it = categories_.find(category);
    return it == categories_.end() ? kNone : it->second;
}

}  // namespace velta

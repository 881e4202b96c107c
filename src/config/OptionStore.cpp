#include "config/OptionStore.h"

namespace velta {

namespace {
const char* const kInternalSet = "internal";
}

OptionStore::~OptionStore() = default;

NumericBinding OptionStore::bindNumeric(const std::string& name, double defaultValue) {
    auto it = numbers_.find(name);
    return {it != numbers_.end() ? it->second : defaultValue, defaultValue, false};
}

TextBinding OptionStore::bindText(const std::string& name, const std::string& defaultText) {
    auto it = texts_.find(name);
    return {it != texts_.end() ? it->second : defaultText, defaultText, false};
}

void OptionStore::setText(const std::string& name, const std::string& text) { texts_[name] = text; }

void OptionStore::setNumeric(const std::string& name, double value) { numbers_[name] = value; }

void OptionStore::save(bool /*immediateOnly*/) {}

int OptionStore::status() const { return 0; }

std::string OptionStore::activeSetName() const { return kInternalSet; }

std::vector<std::string> OptionStore::setNames() const { return {kInternalSet}; }

void OptionStore::setActiveSetName(const std::string& /*name*/) {}

bool OptionStore::copySet(const std::string& /*from*/, const std::string& /*to*/) { return true; }

bool OptionStore::removeSet(const std::string& /*name*/) { return true; }

}  // namespace velta

#include "config/ConfigSet.h"

#include "config/OptionCatalogue.h"
#include "config/OptionStore.h"

namespace velta {

ConfigSet::ConfigSet(OptionStore& store, bool bindCatalogue) : store_(&store) {
    if (!bindCatalogue) return;
    for (const CatalogueEntry& entry : optionCatalogue()) {
        if (entry.kind == OptionKind::String) {
            addText(entry.name, entry.defaultText, true);
        } else {
            addNumeric(entry.name, entry.defaultValue, entry.lower, entry.upper, true);
        }
    }
}

ConfigSet::~ConfigSet() = default;

std::string ConfigSet::name() const { return store_->activeSetName(); }

void ConfigSet::addNumeric(const std::string& name, double defaultValue, double /*lower*/, double /*upper*/,
                           bool bound) {
    options_.erase(name);
    options_.emplace(name, ConfigOption(name, *store_, defaultValue, bound));
}

void ConfigSet::addText(const std::string& name, const std::string& defaultText, bool bound) {
    options_.erase(name);
    options_.emplace(name, ConfigOption(name, *store_, defaultText, bound));
}

void ConfigSet::remove(const std::string& name) { options_.erase(name); }

std::optional<double> ConfigSet::numericValue(const std::string& name) const {
    const ConfigOption* o = option(name);
    if (!o) return std::nullopt;
    return o->value();
}

std::optional<bool> ConfigSet::boolValue(const std::string& name) const {
    const ConfigOption* o = option(name);
    if (!o) return std::nullopt;
    return o->valueAsBool();
}

ConfigOption* ConfigSet::option(const std::string& name) {
    auto it = options_.find(name);
    return it == options_.end() ? nullptr : &it->second;
}

const ConfigOption* ConfigSet::option(const std::string& name) const {
    auto it = options_.find(name);
    return it == options_.end() ? nullptr : &it->second;
}

void ConfigSet::restoreDefaults() {
    for (auto& [name, o] : options_) o.restoreDefault();
}

bool ConfigSet::modified() const {
    for (const auto& [name, o] : options_) {
        if (o.modified()) return true;
    }
    return false;
}

const std::vector<std::string>& ConfigSet::repairNotes() const { return store_->repairNotes(); }

void ConfigSet::save(bool immediateOnly) {
    store_->save(immediateOnly);
    for (auto& [name, o] : options_) {
        if (!immediateOnly || o.immediate()) o.markSaved();
    }
}

}  // namespace velta

// The working copy of the active configuration set: options by name, each bound to its entry in
// the store so that changes reach the configuration file when the set is saved.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "config/ConfigOption.h"

namespace velta {

class OptionStore;

class ConfigSet {
public:
    using Options = std::map<std::string, ConfigOption>;

    // With bindCatalogue, binds every option of the catalogue in catalogue order; without it the
    // set starts empty (the start-up defines a single option on such a set).
    explicit ConfigSet(OptionStore& store, bool bindCatalogue = true);
    virtual ~ConfigSet();

    // The store's active set name.
    std::string name() const;

    // Adds (or replaces) an option. The bounds are accepted for the editors' sake and not enforced.
    // A pointer to an option stays valid until that option is replaced or removed.
    void addNumeric(const std::string& name, double defaultValue, double lower, double upper, bool bound);
    void addText(const std::string& name, const std::string& defaultText, bool bound);
    void remove(const std::string& name);

    // Not found when no option has that name.
    std::optional<double> numericValue(const std::string& name) const;
    std::optional<bool> boolValue(const std::string& name) const;
    ConfigOption* option(const std::string& name);
    const ConfigOption* option(const std::string& name) const;

    void restoreDefaults();
    bool modified() const;
    // Saves the store (only immediate entries, or everything and the active set name), then marks
    // the saved options saved.
    void save(bool immediateOnly);

    // Stored options the store had to mend while this set was bound (see OptionStore).
    const std::vector<std::string>& repairNotes() const;

    // Options in byte-wise name order.
    const Options& options() const { return options_; }
    Options::const_iterator begin() const { return options_.begin(); }
    Options::const_iterator end() const { return options_.end(); }

private:
    OptionStore* store_;
    Options options_;
};

}  // namespace velta

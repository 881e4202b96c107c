// The configuration file in memory: all configuration sets with their stored option texts, the
// active set's name, and the operations of the configuration manager.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "config/OptionStore.h"

namespace velta {

class ConfigFiles;

class Registry : public OptionStore {
public:
    // Reads the file at once; status() tells whether it was understood. The only external entity
    // the file may load is "velta.dtd" in the same directory.
    explicit Registry(const std::string& path);
    // The same through other files than the disk's (velta.dtd is read, and saves go, there too);
    // files must outlive the registry.
    Registry(const std::string& path, ConfigFiles& files);
    ~Registry() override;

    NumericBinding bindNumeric(const std::string& name, double defaultValue) override;
    TextBinding bindText(const std::string& name, const std::string& defaultText) override;
    void setText(const std::string& name, const std::string& text) override;
    void setNumeric(const std::string& name, double value) override;
    // Writes the changed entries (only the immediate ones, or all and the active set's name) and
    // rewrites the file when anything changed. Write errors are not reported here; see
    // lastSaveFailed().
    void save(bool immediateOnly) override;
    int status() const override;
    std::string activeSetName() const override;
    std::vector<std::string> setNames() const override;
    void setActiveSetName(const std::string& name) override;
    // Neither operation writes the file; the caller saves. A set written around other sets in
    // the file (see holdsOtherSets) is neither copied nor removed.
    bool copySet(const std::string& from, const std::string& to) override;
    bool removeSet(const std::string& name) override;
    bool holdsOtherSets(const std::string& name) const;

    const std::string& path() const;
    // True when the last save had changes to write and the file could not be replaced; the
    // changes then stay pending for the next save.
    bool lastSaveFailed() const;
    // Why the last save failed ("Could not replace the file ...: Permission denied"); empty
    // after a save that succeeded.
    const std::string& lastSaveError() const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace velta

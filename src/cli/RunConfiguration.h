// The configuration of one velta-batch run, read from velta.xml once: the
// chosen set's option values in a store of their own, one for each worker, so
// that no worker reads or shares the configuration file.
#pragma once

#include <string>
#include <vector>

#include "config/OptionStore.h"

namespace velta {
class ConfigSet;
}

namespace velta::cli {

class CopiedOptionStore : public OptionStore {
public:
    // Every option of the set with its current value, and the set's name.
    explicit CopiedOptionStore(const ConfigSet& set);

    std::string activeSetName() const override { return name_; }
    std::vector<std::string> setNames() const override { return {name_}; }

private:
    std::string name_;
};

}  // namespace velta::cli

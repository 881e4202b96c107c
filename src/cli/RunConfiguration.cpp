#include "cli/RunConfiguration.h"

#include "config/ConfigSet.h"

namespace velta::cli {

CopiedOptionStore::CopiedOptionStore(const ConfigSet& set) : name_(set.name()) {
    for (const auto& [name, option] : set) {
        if (option.numeric())
            setNumeric(name, option.value());
        else
            setText(name, option.text());
    }
}

}  // namespace velta::cli

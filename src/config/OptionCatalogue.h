// The fixed list of options every configuration set defines, in definition order, with the
// limits the option editors offer.
#pragma once

#include <string>
#include <vector>

#include "config/OptionKind.h"

namespace velta {

// Which options page shows the option.
enum class OptionGroup { QualityControl, Other };

struct CatalogueEntry {
    std::string name;
    // Bool: a switch holding 0 or 1; Numeric: a number; String: a text.
    OptionKind kind = OptionKind::Numeric;
    double defaultValue = 0.0;  // switches and numbers
    std::string defaultText;    // texts
    // Editor limits of switches and numbers; binding does not enforce them.
    double lower = 0.0;
    double upper = 0.0;
    OptionGroup group = OptionGroup::Other;
};

// All catalogue options in definition order (the order in which options missing from the file
// are added to it).
const std::vector<CatalogueEntry>& optionCatalogue();

// The catalogue entry of that name, or nullptr.
const CatalogueEntry* findCatalogueEntry(const std::string& name);

}  // namespace velta

#include "qc/QcOptionValue.h"

#include "config/OptionCatalogue.h"

namespace velta {

double optionOrDefault(const QcRun& run, const std::string& name) {
    if (auto v = run.options.numericValue(name)) return *v;
    const CatalogueEntry* entry = findCatalogueEntry(name);
    return entry ? entry->defaultValue : 0.0;
}

}  // namespace velta

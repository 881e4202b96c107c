#pragma once

namespace velta {

// How an option is stored in the configuration file: its "type" attribute.
enum class OptionKind { Numeric = 0, Bool = 1, String = 2 };

}  // namespace velta

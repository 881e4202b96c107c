// One option of a configuration set: numeric (numbers and switches) or text, with its current,
// saved and default values, bound to its entry in an OptionStore or living only in the set.
#pragma once

#include <string>

namespace velta {

class OptionStore;

class ConfigOption {
public:
    // Numeric option; a bound option takes its stored value and immediate flag from the store.
    ConfigOption(const std::string& name, OptionStore& store, double defaultValue, bool bound);
    // Text option.
    ConfigOption(const std::string& name, OptionStore& store, const std::string& defaultText, bool bound);

    double value() const { return current_; }
    // The value with its fraction truncated toward zero (clamped to the int range; NaN gives 0).
    int valueAsInt() const;
    bool valueAsBool() const { return current_ != 0.0; }
    std::string text() const { return currentText_; }
    const std::string& name() const { return name_; }
    bool numeric() const { return numeric_; }
    bool immediate() const { return immediate_; }
    bool modified() const { return modified_; }
    bool bound() const { return bound_; }
    double defaultValue() const { return default_; }
    const std::string& defaultText() const { return defaultText_; }

    // Numeric options only; a text option ignores it.
    void setValue(double value);
    // Text options only; a numeric option ignores it.
    void setText(const std::string& text);
    void restoreDefault();
    void markSaved();

private:
    std::string name_;
    OptionStore* store_;
    double current_ = 0.0;
    double saved_ = 0.0;
    double default_ = 0.0;
    std::string currentText_;
    std::string savedText_;
    std::string defaultText_;
    bool bound_ = false;
    bool numeric_ = false;
    bool immediate_ = false;
    bool modified_ = false;
};

}  // namespace velta

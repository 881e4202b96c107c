#include "config/ConfigOption.h"

#include <climits>
#include <cmath>

#include "config/OptionStore.h"

namespace velta {

ConfigOption::ConfigOption(const std::string& name, OptionStore& store, double defaultValue, bool bound)
    : name_(name),
      store_(&store),
      current_(defaultValue),
      default_(defaultValue),
      bound_(bound),
      numeric_(true) {
    if (bound_) {
        NumericBinding b = store_->bindNumeric(name_, defaultValue);
        current_ = b.current;
        default_ = b.defaultValue;
        immediate_ = b.immediate;
    }
    saved_ = current_;
}

ConfigOption::ConfigOption(const std::string& name, OptionStore& store, const std::string& defaultText,
                           bool bound)
    : name_(name), store_(&store), currentText_(defaultText), defaultText_(defaultText), bound_(bound) {
    if (bound_) {
        TextBinding b = store_->bindText(name_, defaultText);
        currentText_ = b.current;
        defaultText_ = b.defaultText;
        immediate_ = b.immediate;
    }
    savedText_ = currentText_;
}

int ConfigOption::valueAsInt() const {
    if (std::isnan(current_)) return 0;
    if (current_ >= static_cast<double>(INT_MAX)) return INT_MAX;
    if (current_ <= static_cast<double>(INT_MIN)) return INT_MIN;
    return static_cast<int>(current_);
}

void ConfigOption::setValue(double value) {
    if (!numeric_ || value == current_) return;
    current_ = value;
    if (bound_) store_->setNumeric(name_, value);
    modified_ = current_ != saved_;
}

void ConfigOption::setText(const std::string& text) {
    if (numeric_ || text == currentText_) return;
    currentText_ = text;
    if (bound_) store_->setText(name_, text);
    modified_ = currentText_ != savedText_;
}

void ConfigOption::restoreDefault() {
    if (numeric_) {
        if (current_ != default_) {
            current_ = default_;
            if (bound_) store_->setNumeric(name_, current_);
        }
        modified_ = current_ != saved_;
    } else {
        if (currentText_ != defaultText_) {
            currentText_ = defaultText_;
            if (bound_) store_->setText(name_, currentText_);
        }
        modified_ = currentText_ != savedText_;
    }
}

void ConfigOption::markSaved() {
    saved_ = current_;
    savedText_ = currentText_;
    modified_ = false;
}

}  // namespace velta

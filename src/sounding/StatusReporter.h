// Progress of a processing run: a status text and a step text. The base does
// nothing; the desktop shows status immediately followed by step in its status
// bar, velta-batch may print them.
#pragma once

#include <string>

namespace velta {

class StatusReporter {
public:
    virtual ~StatusReporter() = default;
    virtual void setStatus(const std::string& /*text*/) {}
    virtual void setStep(const std::string& /*text*/) {}
};

// Keeps the two texts; subclasses show them after each change.
class TextStatusReporter : public StatusReporter {
public:
    void setStatus(const std::string& text) override {
        status_ = text;
        step_.clear();
        changed();
    }
    void setStep(const std::string& text) override {
        step_ = text;
        changed();
    }
    // What a status bar shows: status immediately followed by step.
    std::string text() const { return status_ + step_; }
    const std::string& status() const { return status_; }
    const std::string& step() const { return step_; }

protected:
    virtual void changed() {}

private:
    std::string status_;
    std::string step_;
};

}  // namespace velta

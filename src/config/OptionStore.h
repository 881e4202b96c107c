// Where options keep their stored values. The base is an in-memory store with one set named
// "internal"; the Registry overrides every operation with the configuration file.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace velta {

// What binding a numeric option finds in the store.
struct NumericBinding {
    double current = 0.0;
    double defaultValue = 0.0;
    bool immediate = false;
};

// What binding a text option finds in the store.
struct TextBinding {
    std::string current;
    std::string defaultText;
    bool immediate = false;
};

class OptionStore {
public:
    OptionStore() = default;
    OptionStore(const OptionStore&) = delete;
    OptionStore& operator=(const OptionStore&) = delete;
    virtual ~OptionStore();

    // The operations below keep this order; the configuration manager relies on it.
    virtual NumericBinding bindNumeric(const std::string& name, double defaultValue);
    virtual TextBinding bindText(const std::string& name, const std::string& defaultText);
    virtual void setText(const std::string& name, const std::string& text);
    virtual void setNumeric(const std::string& name, double value);
    virtual void save(bool immediateOnly);
    // 0 read and understood, 2 not readable or not of the expected structure, 3 XML library failed.
    virtual int status() const;
    virtual std::string activeSetName() const;
    // All set names in name order.
    virtual std::vector<std::string> setNames() const;
    virtual void setActiveSetName(const std::string& name);
    virtual bool copySet(const std::string& from, const std::string& to);
    virtual bool removeSet(const std::string& name);

    // What the store mended while options were bound (stored options that had lost their
    // values), one line each, for the processing log.
    const std::vector<std::string>& repairNotes() const { return repairNotes_; }

protected:
    void addRepairNote(std::string note) { repairNotes_.push_back(std::move(note)); }

private:
    std::vector<std::string> repairNotes_;
    std::map<std::string, double> numbers_;
    std::map<std::string, std::string> texts_;
};

}  // namespace velta

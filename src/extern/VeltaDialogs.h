// The dialogs the core calls: message boxes, yes/no questions, notices shown
// while work runs, the configuration manager, the option pages, the one-line
// editor and tips. The desktop implements them with Qt; velta-batch answers on
// the console; tests script them.
#pragma once

#include <memory>
#include <optional>
#include <string>

namespace velta {

class Registry;
class ConfigSet;

// A modeless notice: visible from creation until destruction, while the caller works.
class ModelessNotice {
public:
    virtual ~ModelessNotice() = default;
};

// A small tip window: shown from creation until destruction; the owner places it.
class TipWindow {
public:
    virtual ~TipWindow() = default;
    // Moves the tip's top left corner to the screen position.
    virtual void moveTo(int x, int y) = 0;
};

// The answer to a question about work that would be lost.
enum class UnsavedChoice { Save, Discard, Cancel };

class VeltaDialogs {
public:
    virtual ~VeltaDialogs() = default;

    // Modal box showing the text (line breaks included) with one button.
    virtual void messageBox(const std::string& text) = 0;
    // Modal yes/no question; true for yes.
    virtual bool query(const std::string& question) = 0;
    // Modal save / discard / cancel question about unsaved work. Dialogs that
    // offer no third button answer the yes/no question: yes saves, no discards.
    virtual UnsavedChoice saveDiscardCancel(const std::string& question) {
        return query(question) ? UnsavedChoice::Save : UnsavedChoice::Discard;
    }
    // Shows the text until the returned notice is destroyed.
    virtual std::unique_ptr<ModelessNotice> notice(const std::string& text) = 0;
    // Lets the user choose the active set, copy, remove and edit sets; saves the
    // registry itself when changes are confirmed.
    virtual void manageConfiguration(Registry& registry) = 0;
    // The QC page and the other-options page in one sheet; on OK the edited values
    // are written into the set and true is returned, on Cancel nothing changes.
    virtual bool editOptions(ConfigSet& set) = 0;
    // Modal one-line editor; the edited line, or nothing when cancelled.
    virtual std::optional<std::string> editText(const std::string& line) = 0;
    // A small tip window showing the text, belonging to the active window; null
    // when no tip can be shown.
    virtual std::unique_ptr<TipWindow> tip(const std::string& text) = 0;
};

}  // namespace velta

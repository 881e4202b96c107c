// Dialogs that answer from a script and record what they were asked: for tests.
#pragma once

#include <deque>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "extern/VeltaDialogs.h"

namespace velta {

class ScriptedDialogs : public VeltaDialogs {
public:
    void messageBox(const std::string& text) override;
    bool query(const std::string& question) override;
    UnsavedChoice saveDiscardCancel(const std::string& question) override;
    std::unique_ptr<ModelessNotice> notice(const std::string& text) override;
    void manageConfiguration(Registry& registry) override;
    bool editOptions(ConfigSet& set) override;
    std::optional<std::string> editText(const std::string& line) override;
    std::unique_ptr<TipWindow> tip(const std::string& text) override;

    // Answers given in order; an empty queue answers No / cancel.
    std::deque<bool> queryAnswers;
    std::deque<std::optional<std::string>> editAnswers;
    // An empty queue answers Discard.
    std::deque<UnsavedChoice> unsavedAnswers;
    // Called by editOptions; when unset the sheet is cancelled.
    std::function<bool(ConfigSet&)> optionsEditor;
    std::function<void(Registry&)> configurationManager;

    // What was shown, in order.
    std::vector<std::string> messages;
    std::vector<std::string> questions;
    std::vector<std::string> unsavedQuestions;
    std::vector<std::string> notices;
    std::vector<std::string> tips;
    int openNotices = 0;  // notices currently shown
    int openTips = 0;     // tip windows currently shown
    std::pair<int, int> tipPosition{0, 0};  // where the last tip was moved
};

}  // namespace velta

#include "extern/ScriptedDialogs.h"

namespace velta {
namespace {

class CountedNotice : public ModelessNotice {
public:
    explicit CountedNotice(int& open) : open_(open) { ++open_; }
    ~CountedNotice() override { --open_; }

private:
    int& open_;
};

class RecordedTip : public TipWindow {
public:
    explicit RecordedTip(ScriptedDialogs& dialogs) : dialogs_(dialogs) { ++dialogs_.openTips; }
    ~RecordedTip() override { --dialogs_.openTips; }
    void moveTo(int x, int y) override { dialogs_.tipPosition = {x, y}; }

private:
    ScriptedDialogs& dialogs_;
};

}  // namespace

void ScriptedDialogs::messageBox(const std::string& text) { messages.push_back(text); }

bool ScriptedDialogs::query(const std::string& question) {
    questions.push_back(question);
    if (queryAnswers.empty()) return false;
    bool answer = queryAnswers.front();
    queryAnswers.pop_front();
    return answer;
}

UnsavedChoice ScriptedDialogs::saveDiscardCancel(const std::string& question) {
    unsavedQuestions.push_back(question);
    if (unsavedAnswers.empty()) return UnsavedChoice::Discard;
    const UnsavedChoice answer = unsavedAnswers.front();
    unsavedAnswers.pop_front();
    return answer;
}

std::unique_ptr<ModelessNotice> ScriptedDialogs::notice(const std::string& text) {
    notices.push_back(text);
    return std::make_unique<CountedNotice>(openNotices);
}

void ScriptedDialogs::manageConfiguration(Registry& registry) {
    if (configurationManager) configurationManager(registry);
}

bool ScriptedDialogs::editOptions(ConfigSet& set) { return optionsEditor ? optionsEditor(set) : false; }

std::optional<std::string> ScriptedDialogs::editText(const std::string& /*line*/) {
    if (editAnswers.empty()) return std::nullopt;
    auto answer = editAnswers.front();
    editAnswers.pop_front();
    return answer;
}

std::unique_ptr<TipWindow> ScriptedDialogs::tip(const std::string& text) {
    tips.push_back(text);
    return std::make_unique<RecordedTip>(*this);
}

}  // namespace velta

#include "wmo/MessageEditor.h"

#include <utility>

namespace velta {

MessageEditor::MessageEditor(TempMessage& message, int originalGroups)
    : message_(&message), original_(originalGroups) {}

MessageEditor::MessageEditor(TempMessage& message) : MessageEditor(message, message.groupCount()) {}

MessageSection* MessageEditor::section(const GroupRef& ref) {
    auto& parts = message_->parts();
    if (ref.part >= parts.size()) return nullptr;
    auto& sections = parts[ref.part].sections();
    if (ref.section >= sections.size()) return nullptr;
    return &sections[ref.section];
}

const MessageGroup* MessageEditor::group(const GroupRef& ref) const {
    const auto& parts = message_->parts();
    if (ref.part >= parts.size()) return nullptr;
    const auto& sections = parts[ref.part].sections();
    if (ref.section >= sections.size()) return nullptr;
    const auto& groups = sections[ref.section].groups();
    if (ref.group >= groups.size()) return nullptr;
    return &groups[ref.group];
}

bool MessageEditor::modify(const GroupRef& ref, std::string text) {
    MessageSection* s = section(ref);
    if (!s || ref.group >= s->groups().size()) return false;
    s->groups()[ref.group].setText(std::move(text));
    return true;
}

bool MessageEditor::restore(const GroupRef& ref) {
    MessageSection* s = section(ref);
    if (!s || ref.group >= s->groups().size()) return false;
    s->groups()[ref.group].restore();
    return true;
}

bool MessageEditor::insertAt(const GroupRef& ref, std::size_t position, std::string text, GroupRef* inserted) {
    MessageSection* s = section(ref);
    if (!s || ref.group >= s->groups().size()) return false;
    auto& groups = s->groups();
    if (position > groups.size()) position = groups.size();
    // Built with an empty coded text, so any text shows as a change.
    MessageGroup added;
    added.setText(std::move(text));
    added.setMark(InsertedGroupMark);
    groups.insert(groups.begin() + static_cast<std::ptrdiff_t>(position), std::move(added));
    if (inserted) *inserted = GroupRef{ref.part, ref.section, position};
    return true;
}

bool MessageEditor::insertBefore(const GroupRef& ref, std::string text, GroupRef* inserted) {
    return insertAt(ref, ref.group, std::move(text), inserted);
}

bool MessageEditor::insertAfter(const GroupRef& ref, std::string text, GroupRef* inserted) {
    return insertAt(ref, ref.group + 1, std::move(text), inserted);
}

bool MessageEditor::remove(const GroupRef& ref) {
    MessageSection* s = section(ref);
    if (!s || ref.group >= s->groups().size()) return false;
    auto& groups = s->groups();
    const auto it = groups.begin() + static_cast<std::ptrdiff_t>(ref.group);
    if (it->mark() != InsertedGroupMark) ++deleted_;
    groups.erase(it);
    return true;
}

int MessageEditor::changedGroups() const {
    int n = deleted_;
    for (const MessagePart& p : message_->parts())
        for (const MessageSection& s : p.sections())
            for (const MessageGroup& g : s.groups())
                if (g.modified() || g.mark() == InsertedGroupMark) ++n;
    return n;
}

std::string MessageEditor::changedGroupsText() const {
    return "modified groups:" + std::to_string(changedGroups());
}

std::string MessageEditor::originalGroupsText() const {
    return "original groups:" + std::to_string(original_);
}

std::vector<MessagePage> MessageEditor::printPages() const {
    std::vector<MessagePage> pages = message_->pages();
    if (pages.empty()) pages.push_back(MessagePage{"WMO Message", {}});
    auto& first = pages.front().lines;
    first.insert(first.begin(), {std::to_string(original_) + " orginal groups in message; " +
                                     std::to_string(changedGroups()) +
                                     " groups were deleted, inserted or modified",
                                 "     "});
    return pages;
}

}  // namespace velta

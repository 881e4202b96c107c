// The operator's group edits on a coded message, with the two counters the
// message tab shows: groups deleted since the message was coded, and groups
// the message had when it was coded.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "wmo/TempMessage.h"

namespace velta {

// A group by its place in the message: index into parts(), into that part's
// sections() and into that section's groups().
struct GroupRef {
    std::size_t part = 0;
    std::size_t section = 0;
    std::size_t group = 0;
    friend bool operator==(const GroupRef&, const GroupRef&) = default;
};

// Mark of a group the operator inserted.
inline constexpr int32_t InsertedGroupMark = 1;

class MessageEditor {
public:
    // One editor per processing run: a new run codes a new message, and a
    // fresh editor over it starts with no deleted groups. originalGroups is the
    // group count at coding time.
    MessageEditor(TempMessage& message, int originalGroups);
    // The group count of the message as it is now is taken as the original.
    explicit MessageEditor(TempMessage& message);

    TempMessage& message() { return *message_; }
    const TempMessage& message() const { return *message_; }

    // The group, or null when the reference is outside the message.
    const MessageGroup* group(const GroupRef& ref) const;

    // Each command answers false and changes nothing for a reference outside
    // the message.
    // New text for the group; it counts as modified when it differs from the
    // coded text. Whether it begins a line is kept.
    bool modify(const GroupRef& ref, std::string text);
    // Back to the coded text.
    bool restore(const GroupRef& ref);
    // A new group (not beginning a line, marked as inserted) directly before
    // or after the referenced one. The reference of the new group is answered
    // through inserted when given.
    bool insertBefore(const GroupRef& ref, std::string text, GroupRef* inserted = nullptr);
    bool insertAfter(const GroupRef& ref, std::string text, GroupRef* inserted = nullptr);
    // Removes the group; a coded (not inserted) group adds one to the
    // deleted-groups counter.
    bool remove(const GroupRef& ref);

    int deletedGroups() const { return deleted_; }
    int originalGroups() const { return original_; }
    // Deleted groups plus the groups that are modified or inserted.
    int changedGroups() const;

    // "modified groups:%d" and "original groups:%d".
    std::string changedGroupsText() const;
    std::string originalGroupsText() const;

    // The message pages for printing, with the count line and a line of five
    // spaces in front of the first page.
    std::vector<MessagePage> printPages() const;

private:
    MessageSection* section(const GroupRef& ref);
    bool insertAt(const GroupRef& ref, std::size_t position, std::string text, GroupRef* inserted);

    TempMessage* message_;
    int original_;
    int deleted_ = 0;
};

}  // namespace velta

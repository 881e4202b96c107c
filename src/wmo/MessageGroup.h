// One coded group of a TEMP message: its current text, the text it was coded
// with, whether it begins a printed line, and the editing state.
#pragma once

#include <cstdint>
#include <string>

namespace velta {

class MessageGroup {
public:
    MessageGroup() = default;
    explicit MessageGroup(std::string text, bool startsLine = false);

    const std::string& text() const { return text_; }
    const std::string& codedText() const { return codedText_; }
    bool startsLine() const { return startsLine_; }
    bool modified() const { return modified_; }
    int32_t mark() const { return mark_; }
    void setMark(int32_t mark) { mark_ = mark; }

    // An edit: the group counts as modified when the new text differs from the
    // coded one once both are stripped of leading and trailing blanks.
    void setText(std::string text);
    // Back to the coded text.
    void restore();

private:
    std::string text_;
    std::string codedText_;
    bool startsLine_ = false;
    bool modified_ = false;
    int32_t mark_ = 0;
};

}  // namespace velta

// Any bytes as the operator's edits of a coded message: a sequence of modify,
// restore, insert and delete commands on group references (in the message or
// outside it) with any text. The editor never crashes, its counters stay
// consistent, and the edited message still lays out, prints and saves.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "config/ConfigSet.h"
#include "config/OptionStore.h"
#include "document/SoundingProcessor.h"
#include "wmo/MessageEditor.h"

namespace {

// The message of the bundled sample drop, coded once.
const velta::TempMessage& codedMessage() {
    static const velta::TempMessage message = [] {
        std::filesystem::path root = std::filesystem::path(__FILE__).parent_path().parent_path();
        if (const char* dir = std::getenv("VELTA_SOURCE_DIR")) root = dir;
        const std::string sample = (root / "samples" / "D20250915_174512.1").string();
        static velta::OptionStore store;
        static velta::ConfigSet options(store);
        velta::SoundingProcessor processor(options, "fuzz");
        std::ifstream in(sample, std::ios::binary);
        if (!processor.load(sample, in)) std::abort();
        processor.processAll();
        if (!processor.message()) std::abort();
        return *processor.message();
    }();
    return message;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    codedMessage();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    velta::TempMessage message = codedMessage();
    velta::MessageEditor editor(message);
    const int original = editor.originalGroups();
    std::size_t at = 0;
    auto next = [&]() -> uint8_t { return at < size ? data[at++] : 0; };
    while (at < size) {
        const uint8_t op = next();
        // References mostly inside the message, sometimes just outside it.
        velta::GroupRef ref{static_cast<std::size_t>(next() % 5), static_cast<std::size_t>(next() % 12),
                            static_cast<std::size_t>(next())};
        const std::size_t length = next() % 16;
        std::string text;
        for (std::size_t i = 0; i < length && at < size; ++i) text += static_cast<char>(next());
        const bool inside = editor.group(ref) != nullptr;
        bool done = false;
        velta::GroupRef added;
        switch (op % 5) {
            case 0:
                done = editor.modify(ref, text);
                break;
            case 1:
                done = editor.restore(ref);
                break;
            case 2:
                done = editor.insertBefore(ref, text, &added);
                break;
            case 3:
                done = editor.insertAfter(ref, text, &added);
                break;
            default:
                done = editor.remove(ref);
                break;
        }
        if (done != inside) std::abort();
        if (done && op % 5 >= 2 && op % 5 <= 3) {
            const velta::MessageGroup* group = editor.group(added);
            if (!group || group->text() != text || group->mark() != velta::InsertedGroupMark) std::abort();
        }
        if (editor.deletedGroups() < 0 || editor.deletedGroups() > original) std::abort();
        if (editor.changedGroups() < editor.deletedGroups()) std::abort();
    }
    volatile std::size_t sink = message.text(true).size() + message.lines().size() + message.pages().size() +
                                editor.printPages().size() + editor.changedGroupsText().size();
    (void)sink;
    return 0;
}

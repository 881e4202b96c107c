#include "extern/ConsoleDialogs.h"

#include <iostream>

namespace velta {

ConsoleDialogs::ConsoleDialogs() : out_(std::cerr) {}

void ConsoleDialogs::print(const std::string& text) {
    out_ << text;
    if (text.empty() || text.back() != '\n') out_ << '\n';
    out_.flush();
}

void ConsoleDialogs::messageBox(const std::string& text) { print(text); }

bool ConsoleDialogs::query(const std::string& question) {
    print(question);
    print("(answered No)");
    return false;
}

std::unique_ptr<ModelessNotice> ConsoleDialogs::notice(const std::string& text) {
    print(text);
    return std::make_unique<ModelessNotice>();
}

void ConsoleDialogs::manageConfiguration(Registry& /*registry*/) {}

bool ConsoleDialogs::editOptions(ConfigSet& /*set*/) { return false; }

std::optional<std::string> ConsoleDialogs::editText(const std::string& /*line*/) { return std::nullopt; }

std::unique_ptr<TipWindow> ConsoleDialogs::tip(const std::string& /*text*/) { return nullptr; }

}  // namespace velta

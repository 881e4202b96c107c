// A process locale whose decimal mark is a comma, as many operators' desktops have, for tests
// that must show files and numbers do not depend on it.
#pragma once

#include <locale>
#include <string>

namespace velta::test {

// Switches the C locale (printf, strtod) and the C++ global locale to a comma-decimal locale
// for the life of the object, and back to "C" afterwards. When the machine has no such locale,
// de_DE.UTF-8 is compiled with localedef (from the Debian `locales` package) into the build
// tree. active() is false, with the reason in why(), only when neither works.
class CommaLocale {
public:
    CommaLocale();
    ~CommaLocale();
    CommaLocale(const CommaLocale&) = delete;
    CommaLocale& operator=(const CommaLocale&) = delete;

    bool active() const { return active_; }
    const std::string& name() const { return name_; }
    const std::string& why() const { return why_; }

private:
    bool tryLocale(const std::string& name);

    bool active_ = false;
    std::string name_;
    std::string why_;
    std::locale previous_;
};

// A path in the build tree's review/ folder, for files a reviewer is to look at after the tests.
std::string reviewPath(const std::string& fileName);

}  // namespace velta::test

// Reading sounding files from text in the io tests.
#pragma once

#include <sstream>
#include <string>

#include "TestData.h"
#include "io/SoundingFile.h"

namespace velta::test {

inline SoundingFile readText(const std::string& text, const std::string& path = "test.txt") {
    std::istringstream in(text, std::ios::in | std::ios::binary);
    return SoundingFile(path, in);
}

inline std::string fixture(const std::string& name) {
    return readFile(sourcePath("tests/io/fixtures/" + name));
}

// The text with the first line that contains needle removed.
inline std::string withoutLine(std::string text, const std::string& needle) {
    const auto at = text.find(needle);
    if (at == std::string::npos) return text;
    const auto start = text.rfind('\n', at);
    const auto end = text.find('\n', at);
    text.erase(start == std::string::npos ? 0 : start + 1,
               end == std::string::npos ? std::string::npos
                                        : end - (start == std::string::npos ? 0 : start + 1) + 1);
    return text;
}

}  // namespace velta::test

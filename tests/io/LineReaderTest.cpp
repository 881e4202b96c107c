#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "io/LineReader.h"

namespace velta {
namespace {

std::vector<std::string> allLines(const std::string& text) {
    LineReader lines(text);
    std::vector<std::string> out;
    std::string_view line;
    while (lines.next(line)) out.emplace_back(line);
    return out;
}

TEST(LineReader, AcceptsEveryLineEndAndAFinalLineWithoutOne) {
    using L = std::vector<std::string>;
    EXPECT_EQ(allLines("a\r\nb\r\n"), (L{"a", "b"}));
    EXPECT_EQ(allLines("a\nb\n"), (L{"a", "b"}));
    EXPECT_EQ(allLines("a\rb\r"), (L{"a", "b"}));
    EXPECT_EQ(allLines("a\r\n\r\nb"), (L{"a", "", "b"}));
    EXPECT_EQ(allLines("a\n\rb"), (L{"a", "", "b"}));
    EXPECT_EQ(allLines("last"), (L{"last"}));
    EXPECT_EQ(allLines(""), L{});
}

TEST(LineReader, ControlAndNonAsciiBytesBecomeBlanks) {
    const std::string text = std::string("a\tb\0c\x7f\xc3\xa9z", 9) + "\n";
    EXPECT_EQ(allLines(text), (std::vector<std::string>{"a b c   z"}));
}

TEST(LineReader, ReadsLinesOfAnyLengthAndComesBack) {
    const std::string longLine(100000, 'x');
    std::istringstream in("skip\n" + longLine + "\nend", std::ios::binary);
    std::string first;
    std::getline(in, first);
    LineReader lines = LineReader::fromStream(in);
    const auto start = lines.position();
    std::string_view line;
    ASSERT_TRUE(lines.next(line));
    EXPECT_EQ(line.size(), longLine.size());
    ASSERT_TRUE(lines.next(line));
    EXPECT_EQ(line, "end");
    EXPECT_FALSE(lines.next(line));
    lines.seek(start);
    ASSERT_TRUE(lines.next(line));
    EXPECT_EQ(line.size(), longLine.size());
}

}  // namespace
}  // namespace velta

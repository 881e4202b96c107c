#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "ReadText.h"
#include "io/SoundingFile.h"

namespace velta {
namespace {

using test::fixture;
using test::readText;

TEST(SoundingFile, DetectsTheFormatFromKeywordsInOrder) {
    struct Case {
        const char* line;
        FileKind kind;
        SystemFamily family;
    };
    const Case cases[] = {
        {"FileFormat,CSV", FileKind::Csv, SystemFamily::Other},
        {"karvo data written as csv", FileKind::Csv, SystemFamily::Other},
        {"Fenro and Karvo", FileKind::Fenro, SystemFamily::Fenro},
        {"KARVO-T01 halvo vira", FileKind::Karvo, SystemFamily::Dropsonde},
        {"HALVO sounding from VIRA", FileKind::Halvo, SystemFamily::Dropsonde},
        {"xxVirAxx", FileKind::Vira, SystemFamily::Vira},
        {"Data Type: radiosonde", FileKind::Turva, SystemFamily::Turva},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SoundingFile::detect(c.line), c.kind) << c.line;
        EXPECT_EQ(systemFamilyOf(c.kind), c.family) << c.line;
    }
    EXPECT_EQ(systemFamilyOf(FileKind::None), SystemFamily::Other);
}

TEST(SoundingFile, NoReaderForAFailedStreamOrAnEmptyFirstLine) {
    std::istringstream failed("KARVO-T01 x\n");
    failed.setstate(std::ios::failbit);
    const SoundingFile fromFailed("a.1", failed);
    for (const SoundingFile* f : {&fromFailed}) {
        EXPECT_FALSE(f->valid());
        EXPECT_EQ(f->reader(), nullptr);
    }
    for (const std::string text : {"", "\n", "\r\nKARVO-T01 x\r\n"}) {
        const SoundingFile file = readText(text);
        EXPECT_FALSE(file.valid());
        EXPECT_EQ(file.fileKind(), FileKind::None);
        EXPECT_EQ(file.systemFamily(), 5);
        EXPECT_EQ(file.errorText(), "");
        EXPECT_EQ(file.raw().records.count(), 0);
    }
    const SoundingFile missing("/nonexistent/D20050827_183401.1");
    EXPECT_FALSE(missing.valid());
    EXPECT_EQ(missing.fileKind(), FileKind::None);
}

TEST(SoundingFile, OpensFromAPath) {
    const std::string path = test::sourcePath("tests/io/fixtures/karvo_v16.txt");
    const SoundingFile file(path);
    EXPECT_TRUE(file.valid());
    EXPECT_EQ(file.path(), path);
    EXPECT_EQ(file.title(), "karvo_v16.txt 123456789 HURR05, AF302 WC-130J AF305");
    const RawSource& source = file;
    EXPECT_EQ(source.raw().records.count(), 3);
    EXPECT_EQ(source.systemFamily(), 0);
}

TEST(SoundingFile, TitleIsTheFileNameAfterEitherSeparator) {
    const std::string text = fixture("turva_example.tvx");
    EXPECT_EQ(readText(text, "C:\\data\\drop.tvx").title(), "drop.tvx ALPHA  ");
    EXPECT_EQ(readText(text, "/data/drop.tvx").title(), "drop.tvx ALPHA  ");
    EXPECT_EQ(readText(text, "drop.tvx").title(), "drop.tvx ALPHA  ");
}

TEST(SoundingFile, LongFirstLineStillLeavesTheRestReadable) {
    // Every reader reads the lines after a first line of any length.
    struct Case {
        const char* name;
        const char* keyword;
    };
    for (const Case c : {Case{"vira_example.txt", "VIRA"}, Case{"halvo_example.txt", "HALVO"},
                         Case{"csv_example.csv", "CSV"}, Case{"fenro_example.txt", "FENRO"},
                         Case{"karvo_v16.txt", "KARVO"}, Case{"turva_example.tvx", "TURVA"}}) {
        std::string text = fixture(c.name);
        const auto firstEnd = text.find_first_of("\r\n");
        text.insert(firstEnd, " " + std::string(300, '.') + " " + c.keyword);
        const SoundingFile normal = readText(fixture(c.name));
        const SoundingFile longFirst = readText(text);
        EXPECT_TRUE(longFirst.valid()) << c.name;
        EXPECT_EQ(longFirst.fileKind(), normal.fileKind()) << c.name;
        EXPECT_EQ(longFirst.raw().records.time, normal.raw().records.time) << c.name;
        EXPECT_EQ(longFirst.raw().records.gpsAltitude, normal.raw().records.gpsAltitude) << c.name;
    }
}

TEST(SoundingFile, GarbageIsRejectedCleanly) {
    std::string binary;
    for (int i = 0; i < 5000; ++i) binary += static_cast<char>((i * 131 + 7) % 256);
    const std::string cases[] = {
        binary,
        std::string("KARVO\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0", 40),
        "KARVO-T01 LAU\n" + std::string(1 << 20, 'S'),
        "csv\nData,,,,\nFields,\nData,\n,\n",
        "vira\n" + std::string(200000, '\r'),
    };
    for (const auto& text : cases) {
        const SoundingFile file = readText(text);
        const RawRecords& r = file.raw().records;
        for (const auto* a : {&r.pressure, &r.status, &r.gpsAltitude, &r.rh3})
            EXPECT_EQ(a->size(), r.time.size());
        EXPECT_FALSE(file.valid());
    }
}

TEST(SoundingFile, FuzzFindingsAreRejected) {
    // What the fuzzers found, one file each (the first: a HALVO launch on day
    // 00 whose hour overflowed the packed time of day).
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(test::sourcePath("tests/io/fixtures/fuzz"))) {
        ++files;
        const SoundingFile file = readText(test::readFile(entry.path().string()));
        EXPECT_FALSE(file.valid()) << entry.path();
    }
    EXPECT_GT(files, 0);
}

TEST(SoundingFile, RandomBytesAreNoSounding) {
    // Read as TURVA (no keyword) they once gave thousands of "records" and a message.
    std::string bytes(1 << 20, '\0');
    std::uint64_t x = 88172645463325252ull;
    for (char& c : bytes) {
        x ^= x << 13;
        x ^= x >> 7;
        x ^= x << 17;
        c = static_cast<char>(x >> 56);
    }
    bytes[0] = 'x';  // a first line that names no format
    const SoundingFile file = readText(bytes);
    EXPECT_EQ(file.fileKind(), FileKind::Turva);
    EXPECT_FALSE(file.valid());
}

TEST(SoundingFile, InvalidLaunchDatesAndTimesAreRejectedInEveryFormat) {
    const std::string csv = fixture("csv_example.csv");
    auto replaced = [](std::string text, const std::string& from, const std::string& to) {
        const auto at = text.find(from);
        EXPECT_NE(at, std::string::npos) << from;
        if (at != std::string::npos) text.replace(at, from.size(), to);
        return text;
    };
    const std::string turvaDate = "2005, 08, 27, 18:34:01";
    const std::string fenroDate = "2010, 06, 15, 12:00:05";
    const struct {
        const char* name;
        std::string text;
    } cases[] = {
        {"CSV hour 1234567", replaced(csv, "Hour,", "Hour,1234567\nX,")},
        {"CSV 30 February", replaced(replaced(csv, "Month,", "Month,2\nX,"), "Day,", "Day,30\nX,")},
        {"Karvo date 000000", replaced(fixture("karvo_v16.txt"), "LAU 123456789 050827", "LAU 123456789 000000")},
        {"Karvo hour 24", replaced(fixture("karvo_v16.txt"), "LAU 123456789 050827 18", "LAU 123456789 050827 24")},
        {"TURVA month 13", replaced(fixture("turva_example.tvx"), turvaDate, "2005, 13, 27, 18:34:01")},
        {"TURVA hour -1", replaced(fixture("turva_example.tvx"), turvaDate, "2005, 08, 27, -1:34:01")},
        {"FENRO day 0", replaced(fixture("fenro_example.txt"), fenroDate, "2010, 06, 00, 12:00:05")},
    };
    for (const auto& c : cases) {
        const SoundingFile file = readText(c.text);
        EXPECT_FALSE(file.valid()) << c.name;
        EXPECT_NE(file.errorText().find("Launch date or time is invalid.\n"), std::string::npos)
            << c.name << ": " << file.errorText();
    }
}

TEST(SoundingFile, KarvoDataLinesCutShortAreNoRecords) {
    const std::string karvo = fixture("karvo_v16.txt");
    const SoundingFile whole = readText(karvo);
    ASSERT_TRUE(whole.valid());
    // The last data line again, cut after the humidity.
    const auto last = karvo.rfind(" S00 ");
    const auto start = karvo.rfind('\n', last) + 1;
    std::string line = karvo.substr(start, karvo.find('\n', last) - start);
    std::string cut = line;
    for (int fields = 0, i = 0; i < static_cast<int>(cut.size()); ++i) {
        if (cut[i] != ' ' && (i == 0 || cut[i - 1] == ' ') && ++fields == 9) {
            cut.erase(i);
            break;
        }
    }
    const SoundingFile file = readText(karvo + cut);
    ASSERT_TRUE(file.valid());
    EXPECT_EQ(file.raw().records.count(), whole.raw().records.count());
    EXPECT_EQ(file.notes(), "1 data line has fewer than the 20 fields of a record; not read.\n");
}

TEST(SoundingFile, InputsLargerThanTheBoundAreNotRead) {
    const std::string big = "karvo\n" + std::string(SoundingFile::MaxInputBytes, ' ');
    const SoundingFile file = readText(big);
    EXPECT_FALSE(file.valid());
    EXPECT_EQ(file.reader(), nullptr);
    EXPECT_EQ(file.errorText(), "The file holds more than 64 MiB, more than any sounding file; not read.\n");
}

}  // namespace
}  // namespace velta

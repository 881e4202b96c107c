#include <gmock/gmock.h>
#include <gtest/gtest.h>

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
        // Random bytes may happen to form a TURVA table of zeros; the rest are no soundings.
        if (&text != &cases[0]) {
            EXPECT_FALSE(file.valid());
        }
    }
}

}  // namespace
}  // namespace velta

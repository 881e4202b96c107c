// A sounding file of any supported format: recognises the format from the
// first line, reads the file with the matching reader, owns the reader and
// offers its data as the RawSource a Sounding is built from.
#pragma once

#include <cstdint>
#include <istream>
#include <memory>
#include <string>
#include <string_view>

#include "io/SoundingReader.h"
#include "sounding/RawSource.h"

namespace velta {

enum class FileKind : std::int32_t {
    None = 0,
    Fenro = 1,
    Turva = 2,
    Karvo = 3,
    Halvo = 4,
    Vira = 5,
    Csv = 6
};

// The family of sounding system a format comes from. Dropsonde (the Karvo and
// HALVO formats) is the only family whose three humidity sensors become series.
enum class SystemFamily : std::int32_t { Dropsonde = 0, Turva = 1, Fenro = 2, Vira = 4, Other = 5 };

SystemFamily systemFamilyOf(FileKind kind);

class SoundingFile : public RawSource {
public:
    // The most one input may hold, far above any real sounding file (a long
    // drop at 4 records a second is about 2 MB); a larger one is not read.
    static constexpr std::size_t MaxInputBytes = 64u << 20;

    // Reads the whole stream (opened in binary mode by the caller, who also
    // closes it); path names the file in the title.
    SoundingFile(std::string path, std::istream& in);
    // Opens and reads the file at path; a file that cannot be opened is invalid.
    explicit SoundingFile(std::string path);

    // The format a first line (control characters already blanks) names.
    static FileKind detect(std::string_view firstLine);

    bool valid() const { return valid_; }
    FileKind fileKind() const { return kind_; }
    SystemFamily family() const { return systemFamilyOf(kind_); }
    int systemFamily() const override { return static_cast<int>(family()); }
    const std::string& path() const { return path_; }
    // The reader's messages, or why no reader was made (empty when the file
    // was empty or unreadable).
    const std::string& errorText() const;
    // What the reader passed over without failing, one line each.
    const std::string& notes() const;
    // The file name (path after its last separator), a blank, and the
    // sounding description.
    std::string title() const;

    const RawData& raw() const override;
    // The reader; nullptr when the first line could not be read.
    const SoundingReader* reader() const { return reader_.get(); }

private:
    void read(std::istream& in);

    bool valid_ = false;
    std::string path_;
    FileKind kind_ = FileKind::None;
    std::unique_ptr<SoundingReader> reader_;
    std::string error_;
};

}  // namespace velta

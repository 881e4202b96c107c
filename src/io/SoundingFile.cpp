#include "io/SoundingFile.h"

#include <fstream>

#include "io/CsvReader.h"
#include "io/FenroReader.h"
#include "io/HalvoReader.h"
#include "io/KarvoReader.h"
#include "io/LineReader.h"
#include "io/TextFields.h"
#include "io/TurvaReader.h"
#include "io/ViraReader.h"

namespace velta {

SystemFamily systemFamilyOf(FileKind kind) {
    switch (kind) {
        case FileKind::Fenro:
            return SystemFamily::Fenro;
        case FileKind::Turva:
            return SystemFamily::Turva;
        case FileKind::Karvo:
        case FileKind::Halvo:
            return SystemFamily::Dropsonde;
        case FileKind::Vira:
            return SystemFamily::Vira;
        case FileKind::Csv:
        case FileKind::None:
            break;
    }
    return SystemFamily::Other;
}

SoundingFile::SoundingFile(std::string path, std::istream& in) : path_(std::move(path)) { read(in); }

SoundingFile::SoundingFile(std::string path) : path_(std::move(path)) {
    std::ifstream in(path_, std::ios::in | std::ios::binary);
    read(in);
}

FileKind SoundingFile::detect(std::string_view firstLine) {
    const std::string lower = text::toLower(firstLine);
    struct Keyword {
        const char* word;
        FileKind kind;
    };
    static constexpr Keyword keywords[] = {{"csv", FileKind::Csv},
                                           {"fenro", FileKind::Fenro},
                                           {"karvo", FileKind::Karvo},
                                           {"halvo", FileKind::Halvo},
                                           {"vira", FileKind::Vira}};
    for (const auto& k : keywords)
        if (lower.find(k.word) != std::string::npos) return k.kind;
    return FileKind::Turva;
}

void SoundingFile::read(std::istream& in) {
    if (in.fail()) return;
    LineReader lines("");
    if (!LineReader::fromStream(in, MaxInputBytes, lines)) {
        error_ = "The file holds more than " + std::to_string(MaxInputBytes >> 20) +
                 " MiB, more than any sounding file; not read.\n";
        return;
    }
    std::string_view first;
    if (!lines.next(first) || first.empty()) return;

    kind_ = detect(first);
    switch (kind_) {
        case FileKind::Csv:
            reader_ = std::make_unique<CsvReader>(lines, first);
            break;
        case FileKind::Fenro:
            reader_ = std::make_unique<FenroReader>(lines, first);
            break;
        case FileKind::Karvo:
            reader_ = std::make_unique<KarvoReader>(lines, first);
            break;
        case FileKind::Halvo:
            reader_ = std::make_unique<HalvoReader>(lines, first);
            break;
        case FileKind::Vira:
            reader_ = std::make_unique<ViraReader>(lines, first);
            break;
        case FileKind::Turva:
            reader_ = std::make_unique<TurvaReader>(lines, first);
            break;
        case FileKind::None:
            return;
    }
    valid_ = reader_->valid();
}

const std::string& SoundingFile::errorText() const {
    return reader_ ? reader_->errorText() : error_;
}

const std::string& SoundingFile::notes() const {
    static const std::string none;
    return reader_ ? reader_->notes() : none;
}

const RawData& SoundingFile::raw() const {
    static const RawData none;
    return reader_ ? reader_->raw() : none;
}

std::string SoundingFile::title() const {
    const auto separator = path_.find_last_of("\\/");
    const std::string name = separator == std::string::npos ? path_ : path_.substr(separator + 1);
    return name + " " + raw().soundingdescription;
}

}  // namespace velta

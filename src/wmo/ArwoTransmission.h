// Sending the message to ARWO over a serial port in the two framings of the
// "ARWO Interface Type": WC130H writes a framed character stream, WC130J
// transfers the message as a file.
#pragma once

#include <ctime>
#include <string>
#include <vector>

#include "wmo/SerialPort.h"
#include "wmo/XmodemSender.h"

namespace velta {

enum class ArwoInterface { WC130H = 0, WC130J = 1 };

inline constexpr const char* TransmittingNotice = "\n\n\nTransmitting WMO message....";
inline constexpr const char* Wc130jErrorText = "\n\n\nError transferring TEMP message to ARWO";
inline constexpr const char* Wc130jTempFileError =
    "Error transferring TEMP message to ARWO\nCannot create temporary file: ";

struct ArwoResult {
    bool ok = false;
    // The text for the error box; empty on success.
    std::string message;
    // What went wrong, for the log.
    std::string detail;
};

// Writes the WC130H stream of the lines.
ArwoResult sendWc130h(SerialPort& port, const std::vector<std::string>& lines);

// The WC130J file: every line as it is, followed by "\n".
std::string wc130jText(const std::vector<std::string>& lines);
// The temporary file's name for a UTC time: day, month abbreviation, year,
// "-", hour, minute, second ("05Sep2005-183401").
std::string wc130jFileName(std::time_t utc);
// The system's temporary directory ("/tmp" when none is known).
std::string temporaryDirectory();

struct Wc130jTransfer {
    std::string directory;          // where the temporary file goes
    std::time_t now = 0;            // names the file
    XmodemTimeouts timeouts;
    XmodemSender::Progress progress;  // may be empty
};

// Writes the temporary file (a new file only: an existing file of that name
// is not overwritten), transfers it with XMODEM and removes it.
ArwoResult sendWc130j(SerialPort& port, const std::vector<std::string>& lines, const Wc130jTransfer& transfer);

}  // namespace velta

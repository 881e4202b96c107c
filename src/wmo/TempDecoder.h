// Reads TEMP DROP and TEMP messages (FM 37, FM 35/36/38) from text: parts A
// to D, 21212, 31313, 51515 with 10190, 10191 and 10166, 61616, the 62626
// remarks, the abbreviated heading. Several messages may follow each other
// in one text. A group that cannot be read is reported with its line and
// column, and decoding goes on with the next; no text makes it fail.
#pragma once

#include <string_view>

#include "wmo/DecodedMessage.h"

namespace velta {

DecodeResult decodeTempMessages(std::string_view text);

}  // namespace velta

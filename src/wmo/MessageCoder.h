// Codes the significant levels of a sounding as a TEMP DROP message
// (descending) or a TEMP message (ascending). The levels are the sorted level
// list of SignificantLevels; the header is the processing run's copy with its
// overrides in place.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "levels/Level.h"
#include "sounding/SoundingHeader.h"
#include "wmo/TempMessage.h"

namespace velta {

// Parts C and D are coded when some level lies above the 100 mb surface.
bool needsUpperParts(const std::vector<Level>& levels);

// XXAA, XXBB (XXCC, XXDD) with the placeholder heading unless
// excludeAbbreviatedHeading, a bare 61616 group and the terminator.
TempMessage codeDropMessage(const std::vector<Level>& levels, const SoundingHeader& header,
                            bool excludeAbbreviatedHeading);

struct AscendingMessageOptions {
    int messageType = 0;  // TempMsgType: 0 TT (land), 1 UU (ship), 2 II (mobile land)
    bool excludeAbbreviatedHeading = false;
    std::string headerOverride;  // UpsondeAbrHdr
    std::string icao;            // UpsondeICAO
    int64_t codingTime = 0;      // UTC calendar time of the coding, for DDHHMM
};

// TTAA ... (UU, II by the message type), without the regional and remark
// sections. The header carries the call sign and station number to code.
TempMessage codeAscendingMessage(const std::vector<Level>& levels, const SoundingHeader& header,
                                 const AscendingMessageOptions& options);

}  // namespace velta

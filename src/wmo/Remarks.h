// The reconnaissance remarks: the 61616 mission group and the 62626 free
// remarks composed from the levels and the operator's entries, and the
// rewriting of heading and remarks in an existing message.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "levels/Level.h"
#include "sounding/SoundingHeader.h"
#include "wmo/RemarkEntries.h"
#include "wmo/TempMessage.h"

namespace velta {

// "61616 AAAAA SSSSS MMMMMMMMMMMM OB nn".
std::string missionGroup(const RemarkEntries& entries);

// The remark text R, each piece beginning with a blank; empty when there is
// nothing to remark.
std::string remarkText(const std::vector<Level>& levels, const SoundingHeader& header,
                       const RemarkEntries& entries, const std::string& programVersion);

// A dotted version "3.1.4" as the number 30104; 0 when it does not fit five
// figures.
int versionNumber(const std::string& programVersion);

// Replaces the 61616 group and everything up to the 62626 group, and the
// 62626 group with all after it, by the new groups (no 62626 group when the
// remark text is empty).
void rewriteRemarks(MessageSection& section, const std::string& mission, const std::string& remarks);

// Rewrites the heading of part A (when the message has one) and the remarks of
// every part from the entries. messageTime is the document's message time.
void applyRemarkEntries(TempMessage& message, const std::vector<Level>& levels, const SoundingHeader& header,
                        const RemarkEntries& entries, int64_t messageTime, const std::string& programVersion);

}  // namespace velta

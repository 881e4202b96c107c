// The program's version text and the stamp printed and saved with its pages.
#pragma once

#include <ctime>
#include <string>

namespace velta {

// A version resource text such as "2, 6, 1, 0" cleaned to "2.6.1": commas become
// points, blanks go, and the last point with everything after it is dropped.
std::string versionFromResource(const std::string& resource);

// "Velta V2.6.1, 09 Dec 2006  04:01 UTC".
std::string processingStamp(const std::string& version, std::time_t now);

}  // namespace velta

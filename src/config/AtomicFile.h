// Replacing a file's content so that readers see either the old or the new content, never a
// truncated file.
#pragma once

#include <string>

namespace velta {

// Writes the bytes to a temporary file in the same directory, flushes it to disk and renames it
// over the path (a symbolic link is followed, so the file it points to is replaced). The old
// file keeps its permissions. On failure the old file is left as it was and false is answered.
bool replaceFileAtomically(const std::string& path, const std::string& bytes);

}  // namespace velta

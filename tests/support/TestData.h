// Paths of the files the tests read (samples, fixtures) and write (scratch).
#pragma once

#include <string>

namespace velta::test {

// Absolute path of a file in the source tree, e.g. sourcePath("samples/D20050827_183401.1").
std::string sourcePath(const std::string& relative);

// A fresh, empty directory under the build tree for one test to write into.
std::string scratchDir(const std::string& name);

// Whole file as bytes; empty when it cannot be read.
std::string readFile(const std::string& path);

// Writes bytes to a file, creating or replacing it; false on failure.
bool writeFile(const std::string& path, const std::string& bytes);

}  // namespace velta::test

#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Only regular files count as resources: a directory or device of the same name would be
// "found" and then fail, or never end, when read.
bool IsRegularFile(const std::string& path);

// Reads a regular file of at most maxBytes whole; false (and bytes empty) otherwise.
bool ReadFileBytes(const std::string& path, size_t maxBytes, std::vector<uint8_t>& bytes);

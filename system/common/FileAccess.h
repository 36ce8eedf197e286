#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

// Paths are UTF-8 everywhere in the framework; these hand them to the system's file calls
// (on Windows, as the UTF-16 paths its calls take).

// std::fopen's modes; null when the file cannot be opened or the path is not valid UTF-8.
std::FILE* OpenFile(const std::string& path, const char* mode);

// A path that names the same file from any working folder: "/..." on Linux; a drive with a
// separator ("C:/", "C:\") or a network share ("//", "\\") on Windows.
bool IsAbsolutePath(const std::string& path);

// Only regular files count as resources: a directory or device of the same name would be
// "found" and then fail, or never end, when read.
bool IsRegularFile(const std::string& path);

// Reads a regular file of at most maxBytes whole; false (and bytes empty) otherwise.
bool ReadFileBytes(const std::string& path, size_t maxBytes, std::vector<uint8_t>& bytes);

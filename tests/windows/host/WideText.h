#pragma once

#include <string>

// The host keeps UTF-8 like the rest of the project; Windows' file and window calls take UTF-16.
// Malformed input becomes U+FFFD rather than failing the call.
std::wstring WideFromUtf8(const std::string& utf8);
std::string Utf8FromWide(const std::wstring& wide);

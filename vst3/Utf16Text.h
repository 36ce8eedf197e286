#pragma once

#include "pluginterfaces/base/ftypes.h"

#include <cstddef>
#include <string>

// Text crossing the host boundary: the framework keeps UTF-8, VST 3 speaks UTF-16. Malformed
// input never reads past its terminator; what cannot be decoded becomes U+FFFD.

// UTF-8 into a terminated UTF-16 buffer of `capacity` units (at most capacity - 1 characters),
// never splitting a surrogate pair.
void Utf8ToUtf16(const char* utf8, Steinberg::char16* out, size_t capacity);

// UTF-16 (at most maxUnits units, or up to its terminator) to UTF-8 of at most maxBytes
// bytes, cut at a character boundary.
std::string Utf16ToUtf8(const Steinberg::char16* utf16, size_t maxUnits, size_t maxBytes);

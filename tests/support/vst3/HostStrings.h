#pragma once

#include "pluginterfaces/base/ftypes.h"

#include <string>

namespace KelvoraTestHost {

// A plug-in's UTF-16 text for comparison in tests; characters outside ASCII become '?'.
inline std::string asciiOf(const Steinberg::char16* text) {
  std::string result;
  for (; text && *text; ++text)
    result += *text < 0x80 ? static_cast<char>(*text) : '?';
  return result;
}

} // namespace KelvoraTestHost

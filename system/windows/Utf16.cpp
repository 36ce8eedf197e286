#include "Utf16.h"

#include <climits>
#include <windows.h>

namespace {

void Replace(std::wstring& text, wchar_t from, wchar_t to) {
  for (wchar_t& c : text)
    if (c == from) c = to;
}

} // namespace

bool Utf8ToUtf16(const std::string& text, std::wstring& out) {
  out.clear();
  if (text.empty()) return true;
  if (text.size() > INT_MAX) return false;
  const int length = static_cast<int>(text.size());
  const int units =
      MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), length, nullptr, 0);
  if (units <= 0) return false;
  out.resize(static_cast<size_t>(units));
  if (MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), length, &out[0], units) !=
      units) {
    out.clear();
    return false;
  }
  return true;
}

bool Utf16ToUtf8(const std::wstring& text, std::string& out) {
  out.clear();
  if (text.empty()) return true;
  if (text.size() > INT_MAX) return false;
  const int length = static_cast<int>(text.size());
  const int bytes = WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, text.data(), length, nullptr,
                                        0, nullptr, nullptr);
  if (bytes <= 0) return false;
  out.resize(static_cast<size_t>(bytes));
  if (WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, text.data(), length, &out[0], bytes,
                          nullptr, nullptr) != bytes) {
    out.clear();
    return false;
  }
  return true;
}

bool WidePath(const std::string& path, std::wstring& out) {
  // The file calls would stop at an embedded NUL and name a shorter path.
  if (path.find('\0') != std::string::npos || !Utf8ToUtf16(path, out)) {
    out.clear();
    return false;
  }
  Replace(out, L'/', L'\\');
  return true;
}

std::string FrameworkPath(const std::wstring& path) {
  std::wstring slashed = path;
  Replace(slashed, L'\\', L'/');
  std::string out;
  return Utf16ToUtf8(slashed, out) ? out : "";
}

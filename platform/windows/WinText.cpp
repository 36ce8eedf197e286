#include "WinText.h"

#include "UnicodeText.h"

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows' wide characters are UTF-16 units");

namespace WinText {

std::wstring Widen(const std::string& utf8) {
  const std::u16string units = UnicodeText::Utf8ToUtf16(utf8);
  return std::wstring(units.begin(), units.end());
}

std::wstring Widen(const char* utf8) {
  return utf8 ? Widen(std::string(utf8)) : std::wstring();
}

std::string Narrow(const std::wstring& utf16) {
  return UnicodeText::Utf16ToUtf8(std::u16string(utf16.begin(), utf16.end()));
}

std::string Narrow(const wchar_t* utf16) {
  return utf16 ? Narrow(std::wstring(utf16)) : std::string();
}

} // namespace WinText

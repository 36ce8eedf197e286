#pragma once

#include <string>

// Text crossing to and from Windows: the framework speaks UTF-8, the system's wide functions
// UTF-16. Malformed input becomes U+FFFD rather than being cut short.
namespace WinText {

// Null gives an empty text.
std::wstring Widen(const char* utf8);
std::wstring Widen(const std::string& utf8);
std::string Narrow(const wchar_t* utf16);
std::string Narrow(const std::wstring& utf16);

} // namespace WinText

#pragma once

#include <string>

// The framework's text and paths are UTF-8; Windows's calls take and give UTF-16. Text that is
// not valid in its encoding (stray or overlong bytes, unpaired surrogates) is refused rather
// than guessed at: a guessed path would name some other file.

// False (and out empty) when text is not valid UTF-8.
bool Utf8ToUtf16(const std::string& text, std::wstring& out);

// False (and out empty) when text is not valid UTF-16.
bool Utf16ToUtf8(const std::wstring& text, std::string& out);

// A UTF-8 path for the wide file calls, with "\" separators; false when it is not valid UTF-8
// or holds a NUL.
bool WidePath(const std::string& path, std::wstring& out);

// A path from the system in the framework's form: UTF-8 with "/" separators; "" when the
// system's text is not valid UTF-16.
std::string FrameworkPath(const std::wstring& path);

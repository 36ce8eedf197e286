#pragma once

#include <cstdint>
#include <string>

// UTF-8 and UTF-16 conversion for code points up to U+10FFFF. Malformed input never reads
// past its end: a broken sequence or a lone surrogate becomes U+FFFD.
namespace UnicodeText {

constexpr char32_t kReplacement = 0xFFFD;

std::u16string Utf8ToUtf16(const std::string& text);
std::string Utf16ToUtf8(const std::u16string& text);
void AppendUtf8(std::string& out, char32_t codePoint);
void AppendUtf16(std::u16string& out, char32_t codePoint);

// The first code point of a key press's text (at most 4 bytes and a terminator); 0 when it
// has none. Lead bytes of the obsolete five- and six-byte forms give '_'.
char32_t KeyCodePoint(const char* utf8);

} // namespace UnicodeText

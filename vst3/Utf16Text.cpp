#include "Utf16Text.h"

#include "UnicodeText.h"

#include <algorithm>

void Utf8ToUtf16(const char* utf8, Steinberg::char16* out, size_t capacity) {
  if (!out || capacity == 0) return;
  const std::u16string text = UnicodeText::Utf8ToUtf16(utf8 ? utf8 : "");
  size_t used = std::min(text.size(), capacity - 1);
  const bool splitsPair =
      used > 0 && used < text.size() && text[used - 1] >= 0xD800 && text[used - 1] <= 0xDBFF;
  if (splitsPair) --used;
  std::copy(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(used), out);
  out[used] = 0;
}

std::string Utf16ToUtf8(const Steinberg::char16* utf16, size_t maxUnits, size_t maxBytes) {
  if (!utf16) return {};
  size_t units = 0;
  while (units < maxUnits && utf16[units])
    ++units;
  std::string text =
      UnicodeText::Utf16ToUtf8(std::u16string(reinterpret_cast<const char16_t*>(utf16), units));
  if (text.size() > maxBytes) {
    size_t cut = maxBytes;
    while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80)
      --cut;
    text.resize(cut);
  }
  return text;
}

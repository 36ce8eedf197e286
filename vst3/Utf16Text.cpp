#include "Utf16Text.h"

namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Decodes one code point at text[i] and advances i past it.
char32_t DecodeUtf8(const unsigned char* text, size_t& i) {
  const unsigned char lead = text[i++];
  if (lead < 0x80) return lead;
  int extra = 0;
  char32_t cp = 0;
  if ((lead & 0xE0) == 0xC0) {
    extra = 1;
    cp = lead & 0x1F;
  } else if ((lead & 0xF0) == 0xE0) {
    extra = 2;
    cp = lead & 0x0F;
  } else if ((lead & 0xF8) == 0xF0) {
    extra = 3;
    cp = lead & 0x07;
  } else {
    return kReplacement;
  }
  for (int n = 0; n < extra; ++n) {
    // A terminator or a non-continuation byte ends the sequence without being consumed.
    if ((text[i] & 0xC0) != 0x80) return kReplacement;
    cp = (cp << 6) | (text[i++] & 0x3F);
  }
  const bool overlong =
      (extra == 1 && cp < 0x80) || (extra == 2 && cp < 0x800) || (extra == 3 && cp < 0x10000);
  if (overlong || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return kReplacement;
  return cp;
}

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

size_t Utf8Length(char32_t cp) {
  return cp < 0x80 ? 1 : cp < 0x800 ? 2 : cp < 0x10000 ? 3 : 4;
}

} // namespace

void Utf8ToUtf16(const char* utf8, Steinberg::char16* out, size_t capacity) {
  if (!out || capacity == 0) return;
  size_t used = 0;
  const auto* text = reinterpret_cast<const unsigned char*>(utf8 ? utf8 : "");
  size_t i = 0;
  while (text[i]) {
    const char32_t cp = DecodeUtf8(text, i);
    if (cp >= 0x10000) {
      if (used + 2 >= capacity) break;
      const char32_t v = cp - 0x10000;
      out[used++] = static_cast<Steinberg::char16>(0xD800 + (v >> 10));
      out[used++] = static_cast<Steinberg::char16>(0xDC00 + (v & 0x3FF));
    } else {
      if (used + 1 >= capacity) break;
      out[used++] = static_cast<Steinberg::char16>(cp);
    }
  }
  out[used] = 0;
}

std::string Utf16ToUtf8(const Steinberg::char16* utf16, size_t maxUnits, size_t maxBytes) {
  std::string out;
  if (!utf16) return out;
  for (size_t i = 0; i < maxUnits && utf16[i]; ++i) {
    char32_t cp = static_cast<char16_t>(utf16[i]);
    if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < maxUnits && utf16[i + 1] >= 0xDC00 &&
        utf16[i + 1] <= 0xDFFF) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (static_cast<char16_t>(utf16[i + 1]) - 0xDC00);
      ++i;
    } else if (cp >= 0xD800 && cp <= 0xDFFF) {
      cp = kReplacement;
    }
    if (out.size() + Utf8Length(cp) > maxBytes) break;
    AppendUtf8(out, cp);
  }
  return out;
}

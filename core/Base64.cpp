#include "Base64.h"

#include <cstring>

namespace {
const char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

int SextetOf(char c) {
  if (c >= 'A' && c <= 'Z') return c - 'A';
  if (c >= 'a' && c <= 'z') return c - 'a' + 26;
  if (c >= '0' && c <= '9') return c - '0' + 52;
  if (c == '+') return 62;
  if (c == '/') return 63;
  return -1;
}
} // namespace

std::string Base64Encode(const uint8_t* data, size_t size) {
  std::string text;
  if (!data) return text;
  text.reserve((size + 2) / 3 * 4);
  for (size_t i = 0; i < size; i += 3) {
    const size_t n = size - i < 3 ? size - i : 3;
    uint32_t group = static_cast<uint32_t>(data[i]) << 16;
    if (n > 1) group |= static_cast<uint32_t>(data[i + 1]) << 8;
    if (n > 2) group |= data[i + 2];
    text += kAlphabet[(group >> 18) & 63];
    text += kAlphabet[(group >> 12) & 63];
    text += n > 1 ? kAlphabet[(group >> 6) & 63] : '=';
    text += n > 2 ? kAlphabet[group & 63] : '=';
  }
  return text;
}

size_t Base64Decode(const char* text, size_t textLength, uint8_t* out, size_t outSize) {
  if (!out) return 0;
  std::memset(out, 0, outSize);
  if (!text) return 0;
  size_t produced = 0;
  uint32_t bits = 0;
  int bitCount = 0;
  for (size_t i = 0; i < textLength && produced < outSize; ++i) {
    const int sextet = SextetOf(text[i]);
    if (sextet < 0) break;
    bits = ((bits << 6) | static_cast<uint32_t>(sextet)) & 0xFFFFFF;
    bitCount += 6;
    if (bitCount >= 8) {
      bitCount -= 8;
      out[produced++] = static_cast<uint8_t>(bits >> bitCount);
    }
  }
  return produced;
}

size_t Base64Decode(const char* text, uint8_t* out, size_t outSize) {
  return Base64Decode(text, text ? std::strlen(text) : 0, out, outSize);
}

#pragma once

#include <cstring>

// Copies src into a fixed field of capacity bytes (terminator included). A
// text that does not fit is cut before the first UTF-8 sequence that would not
// fit whole. A null src gives the empty text; src may overlap dst.
inline void CopyBoundedText(char* dst, int capacity, const char* src) {
  if (capacity < 1) return;
  if (!src) {
    dst[0] = '\0';
    return;
  }
  size_t n = strnlen(src, static_cast<size_t>(capacity));
  if (n >= static_cast<size_t>(capacity)) {
    n = static_cast<size_t>(capacity - 1);
    // Continuation bytes (10xxxxxx) belong to the sequence started before them.
    while (n > 0 && (static_cast<unsigned char>(src[n]) & 0xC0) == 0x80)
      --n;
  }
  std::memmove(dst, src, n);
  dst[n] = '\0';
}

template <int N> void CopyBoundedText(char (&dst)[N], const char* src) {
  CopyBoundedText(dst, N, src);
}

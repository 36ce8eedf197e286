#include "BoundedText.h"

#include <cstring>

// Out of line: inlined into a call with a short literal, GCC 12 reports the cut below as
// reading past the literal, although strnlen has shown that it is longer.
void CopyBoundedText(char* dst, int capacity, const char* src) {
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

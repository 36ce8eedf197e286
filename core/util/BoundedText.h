#pragma once

// Copies src into a fixed field of capacity bytes (terminator included). A
// text that does not fit is cut before the first UTF-8 sequence that would not
// fit whole. A null src gives the empty text; src may overlap dst.
void CopyBoundedText(char* dst, int capacity, const char* src);

template <int N> void CopyBoundedText(char (&dst)[N], const char* src) {
  CopyBoundedText(dst, N, src);
}

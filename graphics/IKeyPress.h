#pragma once

#include <cstring>

// A key event: a virtual key code (letters are their upper-case ASCII codes), the
// text it produces and the modifier keys held.
struct IKeyPress {
  int VK = 0;
  char utf8[5] = {};
  bool S = false;
  bool C = false;
  bool A = false;

  IKeyPress() = default;
  IKeyPress(const char* text, int vk, bool s = false, bool c = false, bool a = false)
      : VK(vk), S(s), C(c), A(a) {
    if (text) std::strncpy(utf8, text, sizeof(utf8) - 1);
  }
};

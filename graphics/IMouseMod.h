#pragma once

#include <cstdint>
#include <vector>

// Buttons and modifier keys held during a pointer event. The mouse is touch 0.
struct IMouseMod {
  bool L = false;
  bool R = false;
  bool S = false;
  bool C = false;
  bool A = false;
  uintptr_t touchID = 0;
  float touchRadius = 0.f;

  IMouseMod() = default;
  IMouseMod(bool l, bool r = false, bool s = false, bool c = false, bool a = false,
            uintptr_t touch = 0)
      : L(l), R(r), S(s), C(c), A(a), touchID(touch) {}

  // Shift or control asks for fine adjustment.
  bool Fine() const { return S || C; }
};

// One pointer of a mouse or touch event, in UI units.
struct IMouseInfo {
  float x = 0.f;
  float y = 0.f;
  float dX = 0.f;
  float dY = 0.f;
  IMouseMod ms;
};

using IMouseInfoList = std::vector<IMouseInfo>;

#pragma once

#include "IKeyPress.h"

#include <cstdint>

// X11 key events as the framework's key presses: the same virtual keys, flags and text rules
// as on every platform, looked up by KeySym instead of a hardware key table.
namespace X11Keys {

// Flag bits of a translated key.
enum Flags : int {
  kVirtual = 1 << 0,
  kShift = 1 << 2,
  kControl = 1 << 3, // the Control key: the platform's command modifier
  kAlt = 1 << 4,
  kSuper = 1 << 5, // not passed on in key presses
};

// The Unicode character a KeySym types regardless of Control and Alt, or 0.
uint32_t KeySymCharacter(unsigned long keysym);

// Translates one key: keysym as X reports it with the event's state (Shift and Num Lock
// applied), keypadDigit the keypad KeySym of the key without Num Lock (0 when the key is not
// on the keypad), keycode the hardware code, state the X modifier mask. Returns the key and
// sets flags.
int Translate(unsigned long keysym, unsigned long keypadSym, unsigned int keycode,
              unsigned int state, int& flags);

// The key press for a translated key and its character.
IKeyPress MakeKeyPress(int key, int flags, uint32_t character);

} // namespace X11Keys

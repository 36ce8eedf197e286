#pragma once

#include "IKeyPress.h"

// Windows key messages as the framework's key presses. The framework's key codes are Windows'
// virtual keys, so most keys pass as they are; what this adds is the keypad (Enter apart from
// Return, the digits whatever Num Lock says), the text a key types, and the rule that keys
// typing punctuation or letters beyond ASCII carry their text and no key code.
namespace WinKeys {

// The framework's code of the keypad's Enter key.
constexpr int kKeypadEnter = 0x800D;

struct KeyMessage {
  unsigned virtualKey = 0; // the WPARAM of WM_KEYDOWN and WM_KEYUP
  // Bit 24 of the LPARAM: set for the navigation block's keys and the keypad's Enter, clear
  // for the keypad's other keys and the main block's Return.
  bool extended = false;
  bool shift = false;
  bool control = false;
  bool alt = false;
  // What the key types with Shift and the keyboard layout applied, Control and Alt ignored;
  // 0 when it types nothing.
  char32_t character = 0;
};

IKeyPress Translate(const KeyMessage& message);

} // namespace WinKeys

#include "WinKeyTable.h"

#include <windows.h>

namespace WinKeys {

namespace {

struct KeypadKey {
  unsigned navigation; // what the key reports without Num Lock
  int key;
};

// The keypad's keys without Num Lock report the navigation keys printed on them; the key is
// still the keypad's, told apart from the navigation block by the missing extended bit.
constexpr KeypadKey kKeypadTable[] = {
    {VK_INSERT, VK_NUMPAD0}, {VK_END, VK_NUMPAD1},   {VK_DOWN, VK_NUMPAD2},   {VK_NEXT, VK_NUMPAD3},
    {VK_LEFT, VK_NUMPAD4},   {VK_CLEAR, VK_NUMPAD5}, {VK_RIGHT, VK_NUMPAD6},  {VK_HOME, VK_NUMPAD7},
    {VK_UP, VK_NUMPAD8},     {VK_PRIOR, VK_NUMPAD9}, {VK_DELETE, VK_DECIMAL},
};

int KeypadKeyOf(unsigned vk) {
  for (const KeypadKey& k : kKeypadTable)
    if (k.navigation == vk) return k.key;
  return 0;
}

// Keys that keep their code even when they type something.
bool IsNamedKey(int key) {
  return (key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z') ||
         (key >= VK_NUMPAD0 && key <= VK_DIVIDE) || key == VK_TAB || key == VK_RETURN ||
         key == VK_ESCAPE || key == VK_SPACE || key == kKeypadEnter;
}

// Text a key press carries: printable characters and the four control keys every platform
// passes on; one character of the basic plane, as on every platform.
bool CarriesText(char32_t c) {
  if (c == 9 || c == 10 || c == 13 || c == 27) return true;
  return c >= 0x20 && c != 0x7F && c < 0x10000 && (c < 0xD800 || c > 0xDFFF);
}

void PutUtf8(IKeyPress& press, char32_t c) {
  if (c < 0x80) {
    press.utf8[0] = static_cast<char>(c);
  } else if (c < 0x800) {
    press.utf8[0] = static_cast<char>(0xC0 | (c >> 6));
    press.utf8[1] = static_cast<char>(0x80 | (c & 0x3F));
  } else {
    press.utf8[0] = static_cast<char>(0xE0 | (c >> 12));
    press.utf8[1] = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    press.utf8[2] = static_cast<char>(0x80 | (c & 0x3F));
  }
}

} // namespace

IKeyPress Translate(const KeyMessage& message) {
  IKeyPress press;
  press.S = message.shift;
  press.C = message.control;
  press.A = message.alt;
  int key = static_cast<int>(message.virtualKey);
  char32_t character = message.character;
  if (message.extended && key == VK_RETURN) {
    key = kKeypadEnter;
  } else if (!message.extended) {
    if (const int keypad = KeypadKeyOf(message.virtualKey)) {
      key = keypad;
      if (keypad != VK_DECIMAL) character = U'0' + static_cast<char32_t>(keypad - VK_NUMPAD0);
    }
  }
  const bool text = CarriesText(character);
  if (text) PutUtf8(press, character);
  if (!text || IsNamedKey(key)) {
    press.VK = key;
  } else {
    // A key known only by what it types: Shift made the character and is not a modifier.
    press.VK = 0;
    press.S = false;
  }
  return press;
}

} // namespace WinKeys

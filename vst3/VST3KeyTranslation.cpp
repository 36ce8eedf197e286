#include "VST3KeyTranslation.h"

#include <array>

using namespace Steinberg;

namespace {

// The VST 3 key codes and modifier bits this translation needs, by their published values.
constexpr int16 KEY_SPACE = 7;
constexpr int16 KEY_EQUALS = 57;
constexpr int16 kShiftKey = 1 << 0;
constexpr int16 kAlternateKey = 1 << 1;
constexpr int16 kCommandKey = 1 << 2;

// Framework key codes of the VST 3 virtual keys 1 (KEY_BACK) to 56 (KEY_ALT).
constexpr std::array<int, 56> kVirtualKeyCodes = {
    8,   9,   12,  13,  19,  27,  32,                           // back .. space
    34,  35,  36,                                               // next, end, home
    37,  38,  39,  40,                                          // arrows
    33,  34,                                                    // page up, page down
    41,  42,  13,  44,  45,  46,  47,                           // select .. help
    96,  97,  98,  99,  100, 101, 102, 103, 104, 105,           // numpad 0 .. 9
    106, 107, 108, 109, 110, 111,                               // numpad operators
    112, 113, 114, 115, 116, 117, 118, 119, 120, 121, 122, 123, // F1 .. F12
    144, 145,                                                   // num lock, scroll
    16,  17,  18};                                              // shift, control, alt

constexpr int kFirstDigitVirtualKey = 128;

// The character a key event types; 0 when it types none.
char32_t CharacterOf(char16 key, int16 keyCode) {
  if (key != 0) return static_cast<char32_t>(key);
  if (keyCode >= kFirstDigitVirtualKey) return static_cast<char32_t>(keyCode - 128 + '0');
  if (keyCode == KEY_SPACE) return U' ';
  return 0;
}

int KeyCodeOfCharacter(char32_t c) {
  if ((c >= U'0' && c <= U'9') || (c >= U'A' && c <= U'Z')) return static_cast<int>(c);
  if (c >= U'a' && c <= U'z') return static_cast<int>(c - U'a' + U'A');
  return 0;
}

} // namespace

IKeyPress TranslateVST3KeyPress(char16 key, int16 keyCode, int16 modifiers) {
  const char32_t c = CharacterOf(key, keyCode);
  // Only characters whose UTF-8 form is a single byte travel as text.
  char text[2] = {};
  if (c > 0 && c < 0x80) text[0] = static_cast<char>(c);

  int vk = 0;
  if (keyCode == 0 || keyCode == KEY_EQUALS)
    vk = KeyCodeOfCharacter(c);
  else if (keyCode >= 1 && keyCode <= static_cast<int>(kVirtualKeyCodes.size()))
    vk = kVirtualKeyCodes[static_cast<size_t>(keyCode - 1)];
  else if (keyCode >= kFirstDigitVirtualKey)
    vk = keyCode - 80;

  return IKeyPress(text, vk, (modifiers & kShiftKey) != 0, (modifiers & kCommandKey) != 0,
                   (modifiers & kAlternateKey) != 0);
}

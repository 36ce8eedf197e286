#include <gtest/gtest.h>

#include "WinKeyTable.h"

#include <windows.h>

#include <string>

namespace {

IKeyPress Press(unsigned vk, char32_t character = 0, bool shift = false, bool extended = false) {
  WinKeys::KeyMessage m;
  m.virtualKey = vk;
  m.character = character;
  m.shift = shift;
  m.extended = extended;
  return WinKeys::Translate(m);
}

TEST(WinKeyTable, LettersAndDigitsKeepTheirCodeAndCarryTheirText) {
  const IKeyPress a = Press('A', U'a');
  EXPECT_EQ(a.VK, 'A');
  EXPECT_STREQ(a.utf8, "a");
  EXPECT_FALSE(a.S);

  const IKeyPress shifted = Press('A', U'A', true);
  EXPECT_EQ(shifted.VK, 'A');
  EXPECT_STREQ(shifted.utf8, "A");
  EXPECT_TRUE(shifted.S);

  WinKeys::KeyMessage control;
  control.virtualKey = 'C';
  control.character = U'c';
  control.control = true;
  const IKeyPress copy = WinKeys::Translate(control);
  EXPECT_EQ(copy.VK, 'C');
  EXPECT_TRUE(copy.C);
  EXPECT_STREQ(copy.utf8, "c");

  const IKeyPress seven = Press('7', U'7');
  EXPECT_EQ(seven.VK, '7');
  EXPECT_STREQ(seven.utf8, "7");
}

TEST(WinKeyTable, KeysThatTypeNothingPassAsVirtualKeysWithoutText) {
  EXPECT_EQ(Press(VK_F1).VK, 112);
  EXPECT_EQ(Press(VK_F24).VK, 135);
  EXPECT_EQ(Press(VK_LEFT, 0, false, true).VK, 37);
  EXPECT_EQ(Press(VK_NEXT, 0, false, true).VK, 34);
  EXPECT_EQ(Press(VK_DELETE, 0, false, true).VK, 46);
  EXPECT_EQ(Press(VK_SHIFT, 0, true).VK, VK_SHIFT);
  // Backspace types 0x08 in Windows' eyes; no platform passes it as text.
  const IKeyPress back = Press(VK_BACK, 0x08);
  EXPECT_EQ(back.VK, 8);
  EXPECT_STREQ(back.utf8, "");
}

TEST(WinKeyTable, ReturnTabEscapeAndSpaceCarryTheirCharacters) {
  EXPECT_EQ(Press(VK_RETURN, U'\r').VK, 13);
  EXPECT_STREQ(Press(VK_RETURN, U'\r').utf8, "\r");
  EXPECT_EQ(Press(VK_TAB, U'\t', true).VK, 9);
  EXPECT_TRUE(Press(VK_TAB, U'\t', true).S);
  EXPECT_STREQ(Press(VK_ESCAPE, 27).utf8, "\x1b");
  EXPECT_EQ(Press(VK_SPACE, U' ').VK, 32);
}

TEST(WinKeyTable, TheKeypadIsToldApartFromTheNavigationBlockAndTheMainReturn) {
  // Keypad Enter is Return with the extended bit.
  EXPECT_EQ(Press(VK_RETURN, U'\r', false, true).VK, WinKeys::kKeypadEnter);
  EXPECT_EQ(WinKeys::kKeypadEnter, 0x800D);
  // Without Num Lock the keypad reports navigation keys, without the extended bit: still the
  // digits, as on every platform.
  const IKeyPress eight = Press(VK_UP, 0, false, false);
  EXPECT_EQ(eight.VK, VK_NUMPAD8);
  EXPECT_STREQ(eight.utf8, "8");
  EXPECT_EQ(Press(VK_INSERT).VK, VK_NUMPAD0);
  EXPECT_EQ(Press(VK_CLEAR).VK, VK_NUMPAD5);
  EXPECT_EQ(Press(VK_DELETE).VK, VK_DECIMAL);
  EXPECT_STREQ(Press(VK_DELETE).utf8, "");
  // With Num Lock the digit keys come as they are.
  EXPECT_EQ(Press(VK_NUMPAD3, U'3').VK, 99);
  EXPECT_EQ(Press(VK_MULTIPLY, U'*').VK, 106);
  EXPECT_STREQ(Press(VK_MULTIPLY, U'*').utf8, "*");
}

TEST(WinKeyTable, PunctuationAndLettersBeyondAsciiCarryTextAndNoCode) {
  const IKeyPress comma = Press(VK_OEM_COMMA, U'<', true);
  EXPECT_EQ(comma.VK, 0);
  EXPECT_STREQ(comma.utf8, "<");
  // Shift made the character: it is not passed on as a modifier.
  EXPECT_FALSE(comma.S);

  const IKeyPress eAcute = Press(0xDE, U'\u00E9');
  EXPECT_EQ(eAcute.VK, 0);
  EXPECT_EQ(std::string(eAcute.utf8), "\xC3\xA9");

  const IKeyPress euro = Press('E', U'\u20AC');
  EXPECT_EQ(euro.VK, 'E');
  EXPECT_EQ(std::string(euro.utf8), "\xE2\x82\xAC");

  // Beyond the basic plane no platform gives key text.
  const IKeyPress clef = Press(0xBA, U'\U0001D11E');
  EXPECT_EQ(clef.VK, 0xBA);
  EXPECT_STREQ(clef.utf8, "");
}

} // namespace

// Before any X11 header: Xlib defines macros (None, Bool) that clash with its names.
#include <gtest/gtest.h>

#include "X11KeyTable.h"

#include <X11/X.h>
#include <X11/keysym.h>

#include <string>

namespace {

IKeyPress Press(unsigned long keysym, unsigned int state = 0, unsigned int keycode = 40,
                unsigned long keypadSym = 0) {
  int flags = 0;
  const int key = X11Keys::Translate(keysym, keypadSym, keycode, state, flags);
  return X11Keys::MakeKeyPress(key, flags, X11Keys::KeySymCharacter(keysym));
}

TEST(X11KeyTable, NamedKeysGiveTheirVirtualKeys) {
  EXPECT_EQ(Press(XK_KP_Enter).VK, 32781);
  EXPECT_EQ(Press(XK_BackSpace).VK, 8);
  EXPECT_EQ(Press(XK_F5).VK, 116);
  EXPECT_EQ(Press(XK_F17).VK, 128);
  EXPECT_EQ(Press(XK_Prior).VK, 33);
  EXPECT_EQ(Press(XK_Left).VK, 37);
  EXPECT_EQ(Press(XK_Up).VK, 38);
  EXPECT_EQ(Press(XK_Delete).VK, 46);
  EXPECT_EQ(Press(XK_KP_3).VK, 99);
  // Without Num Lock the keypad key is still its digit.
  EXPECT_EQ(Press(XK_KP_Home, 0, 79, XK_KP_7).VK, 103);
}

TEST(X11KeyTable, CharactersFollowTheTextRules) {
  const IKeyPress ret = Press(XK_Return);
  EXPECT_EQ(ret.VK, 13);
  EXPECT_EQ(std::string(ret.utf8), "\r");
  const IKeyPress semicolon = Press(XK_semicolon, ShiftMask);
  EXPECT_EQ(semicolon.VK, 0);
  EXPECT_EQ(std::string(semicolon.utf8), ";");
  EXPECT_FALSE(semicolon.S);
  const IKeyPress a = Press(XK_a, ControlMask | Mod1Mask);
  EXPECT_EQ(a.VK, 'A');
  EXPECT_EQ(std::string(a.utf8), "a");
  EXPECT_TRUE(a.C);
  EXPECT_TRUE(a.A);
  EXPECT_EQ(std::string(Press(XK_eacute).utf8), "\xC3\xA9");
  // A key without character: its hardware code past 1024.
  EXPECT_EQ(Press(XK_Shift_L, 0, 50).VK, 1074);
  // Back-tab is a tab only with the command modifier.
  EXPECT_EQ(Press(XK_ISO_Left_Tab, ShiftMask | ControlMask).VK, 9);
  EXPECT_EQ(Press(XK_ISO_Left_Tab, ShiftMask).VK, 0);
}

} // namespace

#include "X11KeyTable.h"

#include <X11/X.h>
#include <X11/keysym.h>

namespace X11Keys {

namespace {

struct KeyEntry {
  unsigned long keysym;
  int key;
};

// Keys named by their place on the keyboard, whatever they type.
constexpr KeyEntry kKeyTable[] = {
    {XK_BackSpace, 8},     {XK_KP_Decimal, 110}, {XK_KP_Separator, 110}, {XK_KP_Multiply, 106},
    {XK_KP_Add, 107},      {XK_Num_Lock, 144},   {XK_KP_Divide, 111},    {XK_KP_Enter, 0x800D},
    {XK_KP_Subtract, 109}, {XK_KP_Equal, 108},   {XK_Help, 45},          {XK_Home, 36},
    {XK_Prior, 33},        {XK_Delete, 46},      {XK_End, 35},           {XK_Next, 34},
    {XK_Left, 37},         {XK_Right, 39},       {XK_Down, 40},          {XK_Up, 38},
};

// Keypad keys without Num Lock report their navigation KeySym; the key is still the digit.
constexpr KeyEntry kKeypadTable[] = {
    {XK_KP_Insert, XK_KP_0},    {XK_KP_End, XK_KP_1},          {XK_KP_Down, XK_KP_2},
    {XK_KP_Page_Down, XK_KP_3}, {XK_KP_Left, XK_KP_4},         {XK_KP_Begin, XK_KP_5},
    {XK_KP_Right, XK_KP_6},     {XK_KP_Home, XK_KP_7},         {XK_KP_Up, XK_KP_8},
    {XK_KP_Page_Up, XK_KP_9},   {XK_KP_Delete, XK_KP_Decimal},
};

constexpr uint32_t kBackTab = 25;

unsigned long KeypadDigitSym(unsigned long keysym, unsigned long keypadSym) {
  if (keypadSym >= XK_KP_0 && keypadSym <= XK_KP_9) return keypadSym;
  for (const KeyEntry& e : kKeypadTable)
    if (e.keysym == keysym) return static_cast<unsigned long>(e.key);
  return keysym;
}

bool IsAsciiAlnum(uint32_t c) {
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

} // namespace

uint32_t KeySymCharacter(unsigned long keysym) {
  if ((keysym >= 0x20 && keysym <= 0x7e) || (keysym >= 0xa0 && keysym <= 0xff))
    return static_cast<uint32_t>(keysym);
  if ((keysym & 0xff000000UL) == 0x01000000UL) return static_cast<uint32_t>(keysym & 0x00ffffffUL);
  if (keysym >= XK_KP_0 && keysym <= XK_KP_9) return static_cast<uint32_t>('0' + keysym - XK_KP_0);
  switch (keysym) {
  case XK_Tab:
    return 9;
  case XK_ISO_Left_Tab:
    return kBackTab;
  case XK_Linefeed:
    return 10;
  case XK_Return:
    return 13;
  case XK_Escape:
    return 27;
  case XK_KP_Space:
    return 32;
  default:
    return 0;
  }
}

int Translate(unsigned long keysym, unsigned long keypadSym, unsigned int keycode,
              unsigned int state, int& flags) {
  flags = 0;
  if (state & ShiftMask) flags |= kShift;
  if (state & ControlMask) flags |= kControl;
  if (state & Mod1Mask) flags |= kAlt;
  if (state & Mod4Mask) flags |= kSuper;

  keysym = KeypadDigitSym(keysym, keypadSym);
  if (keysym >= XK_KP_0 && keysym <= XK_KP_9) {
    flags |= kVirtual;
    return 96 + static_cast<int>(keysym - XK_KP_0);
  }
  if (keysym >= XK_F1 && keysym <= XK_F24) {
    flags |= kVirtual;
    return 112 + static_cast<int>(keysym - XK_F1);
  }
  for (const KeyEntry& e : kKeyTable) {
    if (e.keysym == keysym) {
      flags |= kVirtual;
      return e.key;
    }
  }

  uint32_t c = KeySymCharacter(keysym);
  if (c == 0) {
    flags |= kVirtual;
    return static_cast<int>(keycode) + 1024;
  }
  if (c >= 'a' && c <= 'z') c -= 32;
  if (c == kBackTab && (flags & (kVirtual | (1 << 1) | kControl))) c = 9;
  if (IsAsciiAlnum(c) || c == 9 || c == 10 || c == 13 || c == 27 || c == 32) {
    flags |= kVirtual;
    return static_cast<int>(c);
  }
  if (!(flags & kVirtual)) flags &= ~kShift;
  return static_cast<int>(c);
}

IKeyPress MakeKeyPress(int key, int flags, uint32_t character) {
  IKeyPress press;
  press.VK = (flags & kVirtual) ? key : 0;
  press.S = (flags & kShift) != 0;
  press.C = (flags & kControl) != 0;
  press.A = (flags & kAlt) != 0;
  // One character of the basic plane, as on every platform; others give no text.
  if (character != 0 && character < 0x80) {
    press.utf8[0] = static_cast<char>(character);
  } else if (character >= 0x80 && character < 0x800) {
    press.utf8[0] = static_cast<char>(0xC0 | (character >> 6));
    press.utf8[1] = static_cast<char>(0x80 | (character & 0x3F));
  } else if (character >= 0x800 && character < 0x10000) {
    press.utf8[0] = static_cast<char>(0xE0 | (character >> 12));
    press.utf8[1] = static_cast<char>(0x80 | ((character >> 6) & 0x3F));
    press.utf8[2] = static_cast<char>(0x80 | (character & 0x3F));
  }
  return press;
}

} // namespace X11Keys

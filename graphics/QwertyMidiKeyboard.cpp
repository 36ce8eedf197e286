#include "QwertyMidiKeyboard.h"

#include "IGEditorDelegate.h"
#include "IGraphics.h"

#include <algorithm>
#include <array>

namespace {

constexpr uint8_t kNoteOn = 144;
constexpr uint8_t kNoteOff = 128;

int gBaseNote = QwertyMidiKeyboard::kInitialBaseNote;
std::array<bool, 128> gHeld{};

void ReleaseAllHeld(const QwertyMidiKeyboard::SendFunc& send) {
  for (int note = 0; note < 128; ++note)
    if (gHeld[static_cast<size_t>(note)])
      send(IMidiMsg(0, kNoteOff, static_cast<uint8_t>(note), 0));
}

} // namespace

int QwertyMidiKeyboard::BaseNote() {
  return gBaseNote;
}

bool QwertyMidiKeyboard::IsHeld(int note) {
  return note >= 0 && note < 128 && gHeld[static_cast<size_t>(note)];
}

int QwertyMidiKeyboard::KeyOffset(int vk) {
  switch (vk) {
  case 'A':
    return 0;
  case 'W':
    return 1;
  case 'S':
    return 2;
  case 'E':
    return 3;
  case 'D':
    return 4;
  case 'F':
    return 5;
  case 'T':
    return 6;
  case 'G':
    return 7;
  case 'Y':
    return 8;
  case 'H':
    return 9;
  case 'U':
    return 10;
  case 'J':
    return 11;
  case 'K':
    return 12;
  case 'O':
    return 13;
  case 'L':
    return 14;
  default:
    return -1;
  }
}

bool QwertyMidiKeyboard::HandleKey(const IKeyPress& key, bool isUp, const SendFunc& send) {
  if (key.VK == 'Z' || key.VK == 'X') {
    if (isUp) return true;
    if (key.VK == 'Z')
      gBaseNote = std::min(std::max(gBaseNote, 36), 108) - 12;
    else
      gBaseNote = std::min(std::max(gBaseNote, 12), 84) + 12;
    ReleaseAllHeld(send);
    return true;
  }
  const int offset = KeyOffset(key.VK);
  if (offset < 0) return true;
  const int note = gBaseNote + offset;
  if (note < 0 || note > 127) return true;
  bool& held = gHeld[static_cast<size_t>(note)];
  if (!isUp && !held) {
    send(IMidiMsg(0, kNoteOn, static_cast<uint8_t>(note), 127));
    held = true;
  } else if (isUp && held) {
    send(IMidiMsg(0, kNoteOff, static_cast<uint8_t>(note), 0));
    held = false;
  }
  return true;
}

void IGraphics::SetQwertyMidiKeyHandlerFunc(IMidiSendFunc func) {
  IGEditorDelegate* dlg = mDelegate;
  mKeyHandlerFunc = [dlg, func](const IKeyPress& key, bool isUp) {
    return QwertyMidiKeyboard::HandleKey(key, isUp, [&](const IMidiMsg& msg) {
      dlg->SendMidiFromEditor(msg);
      if (func) func(msg);
    });
  };
}

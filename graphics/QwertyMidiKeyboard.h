#pragma once

#include "IKeyPress.h"
#include "IMidiMsg.h"

#include <functional>

// Plays MIDI notes from the computer keyboard: A W S E D F T G Y H U J K O L are the
// semitones from the base note, Z and X shift the base note down and up an octave.
// The base note and the held notes are shared by every editor of the process and
// used on the user-interface thread only.
class QwertyMidiKeyboard {
public:
  static constexpr int kInitialBaseNote = 48;

  using SendFunc = std::function<void(const IMidiMsg&)>;

  // Every key counts as handled.
  static bool HandleKey(const IKeyPress& key, bool isUp, const SendFunc& send);

  static int BaseNote();
  static bool IsHeld(int note);
  // Semitones above the base note for a virtual key code, or -1 for keys that play nothing.
  static int KeyOffset(int vk);
};

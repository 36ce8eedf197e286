#pragma once

#include "WinHandles.h"

#include <functional>
#include <string>

// The system's own text field (an EDIT control) over a rectangle of the editor's window, for
// typing a value. Return commits the text, Escape cancels; the field losing the keyboard
// commits too, as leaving a field does everywhere. The end is reported once, after the
// key's message has returned, so the owner may destroy the entry from its completion.
class WinTextEntry {
public:
  // committed is false for a cancel; text is UTF-8.
  using Completion = std::function<void(bool committed, const std::string& text)>;

  WinTextEntry(HWND__* parent, int x, int y, int w, int h, const char* text, int maxLength,
               float fontHeightPx, Completion completion);
  ~WinTextEntry();
  WinTextEntry(const WinTextEntry&) = delete;
  WinTextEntry& operator=(const WinTextEntry&) = delete;

  bool IsValid() const { return mEdit != nullptr; }
  HWND__* Edit() const { return mEdit; }
  std::string Text() const;

  // The parent's window procedure hands this message on; see WinTextEntry.cpp.
  static unsigned EndMessage();
  // For the parent: finishes the entry whose end was posted, with the message's WPARAM as
  // committed and its LPARAM as serial. An end posted by an earlier entry is ignored.
  void OnEndMessage(bool committed, long long serial);

private:
  friend struct WinTextEntryProc;
  void PostEnd(bool committed);

  HWND__* mParent;
  HWND__* mEdit = nullptr;
  void* mFont = nullptr;
  long long mPreviousProc = 0;
  long long mSerial = 0;
  bool mEndPosted = false;
  Completion mCompletion;
};

#pragma once

#include <X11/Xlib.h>

#include <string>

// Text on the X11 CLIPBOARD selection for one editor window. Writing makes the window the
// selection's owner, which then answers other clients' requests from its event handling;
// reading asks the owner for UTF-8 text and waits a bounded time for the answer.
class X11Clipboard {
public:
  static constexpr int kReadTimeoutMs = 1000;

  X11Clipboard(Display* display, Window window);

  bool Read(std::string& text);
  bool Write(const std::string& text);

  // Selection events of the window; true when the event was one of ours.
  bool HandleEvent(const XEvent& event);

private:
  void AnswerRequest(const XSelectionRequestEvent& request);

  Display* mDisplay;
  Window mWindow;
  Atom mClipboard;
  Atom mUtf8;
  Atom mTargets;
  Atom mText;
  Atom mProperty;
  std::string mOwnedText;
};

#pragma once

#include <X11/Xlib.h>

// The editor window's side of XEmbed, the protocol by which Linux hosts embed a plug-in's
// window in theirs: the window carries _XEMBED_INFO (protocol version 0, mapped), keeps what
// the embedder tells it about focus and activation, and asks the embedder for the focus when
// the user clicks into it. Hosts that do not speak XEmbed never send anything; then the
// client stays unembedded and sends nothing either.
class XEmbedClient {
public:
  static constexpr long kProtocolVersion = 0;
  static constexpr long kFlagMapped = 1L << 0;

  // Message codes of the _XEMBED client message (its second word).
  enum Message : long {
    kEmbeddedNotify = 0,
    kWindowActivate = 1,
    kWindowDeactivate = 2,
    kRequestFocus = 3,
    kFocusIn = 4,
    kFocusOut = 5,
    kFocusNext = 6,
    kFocusPrev = 7,
    kModalityOn = 10,
    kModalityOff = 11,
  };

  // Sets _XEMBED_INFO on window; the host reads it right after attaching, so the request
  // reaches the server before this returns.
  XEmbedClient(Display* display, Window window);

  // True when event is an _XEMBED message for this window (then it has been handled).
  bool HandleEvent(const XEvent& event);

  // Asks the embedder for the keyboard focus; nothing while not embedded.
  void RequestFocus(unsigned long time);

  bool IsEmbedded() const { return mEmbedder != 0; }
  Window Embedder() const { return mEmbedder; }
  long Version() const { return mProtocolVersion; }
  bool HasFocus() const { return mFocused; }
  bool IsActive() const { return mActive; }

private:
  Display* mDisplay;
  Window mWindow;
  Atom mXEmbed;
  Window mEmbedder = 0;
  long mProtocolVersion = kProtocolVersion;
  bool mFocused = false;
  bool mActive = false;
};

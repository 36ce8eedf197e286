#include "XEmbedClient.h"

#include "X11ErrorTrap.h"

#include <algorithm>

XEmbedClient::XEmbedClient(Display* display, Window window)
    : mDisplay(display), mWindow(window), mXEmbed(XInternAtom(display, "_XEMBED", False)) {
  const Atom info = XInternAtom(display, "_XEMBED_INFO", False);
  const long words[2] = {kProtocolVersion, kFlagMapped};
  X11ErrorTrap trap(display);
  XChangeProperty(display, window, info, info, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(words), 2);
}

bool XEmbedClient::HandleEvent(const XEvent& event) {
  if (event.type != ClientMessage) return false;
  const XClientMessageEvent& message = event.xclient;
  if (message.message_type != mXEmbed || message.window != mWindow || message.format != 32)
    return false;
  switch (message.data.l[1]) {
  case kEmbeddedNotify:
    // Both sides speak the lower of the two versions.
    mEmbedder = static_cast<Window>(message.data.l[3]);
    mProtocolVersion = std::min(kProtocolVersion, message.data.l[4]);
    break;
  case kWindowActivate:
    mActive = true;
    break;
  case kWindowDeactivate:
    mActive = false;
    break;
  case kFocusIn:
    // Whatever the detail (current, first or last), the editor is one focus stop.
    mFocused = true;
    break;
  case kFocusOut:
    mFocused = false;
    break;
  default:
    break;
  }
  return true;
}

void XEmbedClient::RequestFocus(unsigned long time) {
  if (!mEmbedder) return;
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = mEmbedder;
  event.xclient.message_type = mXEmbed;
  event.xclient.format = 32;
  event.xclient.data.l[0] = static_cast<long>(time);
  event.xclient.data.l[1] = kRequestFocus;
  // The embedder may be gone already; its messages go to the client that made it.
  X11ErrorTrap trap(mDisplay);
  XSendEvent(mDisplay, mEmbedder, False, NoEventMask, &event);
}

#include "X11Clipboard.h"

#include "X11ErrorTrap.h"

#include <X11/Xatom.h>

#include <chrono>
#include <poll.h>

X11Clipboard::X11Clipboard(Display* display, Window window)
    : mDisplay(display), mWindow(window), mClipboard(XInternAtom(display, "CLIPBOARD", False)),
      mUtf8(XInternAtom(display, "UTF8_STRING", False)),
      mTargets(XInternAtom(display, "TARGETS", False)), mText(XInternAtom(display, "TEXT", False)),
      mProperty(XInternAtom(display, "KELVORA_CLIPBOARD", False)) {}

bool X11Clipboard::Write(const std::string& text) {
  mOwnedText = text;
  X11ErrorTrap trap(mDisplay); // the host may have destroyed our window
  XSetSelectionOwner(mDisplay, mClipboard, mWindow, CurrentTime);
  return XGetSelectionOwner(mDisplay, mClipboard) == mWindow;
}

bool X11Clipboard::Read(std::string& text) {
  text.clear();
  const Window owner = XGetSelectionOwner(mDisplay, mClipboard);
  if (owner == None) return false;
  if (owner == mWindow) {
    text = mOwnedText;
    return true;
  }
  {
    X11ErrorTrap trap(mDisplay); // the host may have destroyed our window
    XConvertSelection(mDisplay, mClipboard, mUtf8, mProperty, mWindow, CurrentTime);
    if (trap.Failed()) return false;
  }

  // Only the answer is taken from the queue; every other event stays for the editor.
  const auto deadline =
      std::chrono::steady_clock::now() + std::chrono::milliseconds(kReadTimeoutMs);
  XEvent event;
  bool answered = false;
  while (!(answered = XCheckTypedWindowEvent(mDisplay, mWindow, SelectionNotify, &event))) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                          deadline - std::chrono::steady_clock::now())
                          .count();
    if (left <= 0) break;
    pollfd pfd{ConnectionNumber(mDisplay), POLLIN, 0};
    poll(&pfd, 1, static_cast<int>(left));
    XPending(mDisplay);
  }
  if (!answered || event.xselection.property == None) return false;

  X11ErrorTrap trap(mDisplay);
  Atom type = None;
  int format = 0;
  unsigned long count = 0, remaining = 0;
  unsigned char* data = nullptr;
  const int status = XGetWindowProperty(mDisplay, mWindow, mProperty, 0, 1 << 24, True,
                                        AnyPropertyType, &type, &format, &count, &remaining, &data);
  const bool ok = status == Success && data && format == 8 && (type == mUtf8 || type == XA_STRING);
  if (ok) text.assign(reinterpret_cast<const char*>(data), count);
  if (data) XFree(data);
  return ok;
}

bool X11Clipboard::HandleEvent(const XEvent& event) {
  if (event.type == SelectionClear && event.xselectionclear.window == mWindow &&
      event.xselectionclear.selection == mClipboard) {
    mOwnedText.clear();
    return true;
  }
  if (event.type == SelectionRequest && event.xselectionrequest.owner == mWindow) {
    AnswerRequest(event.xselectionrequest);
    return true;
  }
  return false;
}

void X11Clipboard::AnswerRequest(const XSelectionRequestEvent& request) {
  XSelectionEvent reply{};
  reply.type = SelectionNotify;
  reply.display = request.display;
  reply.requestor = request.requestor;
  reply.selection = request.selection;
  reply.target = request.target;
  reply.time = request.time;
  // Old clients name no property: the target's name serves.
  const Atom property = request.property != None ? request.property : request.target;
  reply.property = None;

  X11ErrorTrap trap(mDisplay);
  if (request.selection == mClipboard) {
    if (request.target == mTargets) {
      const Atom targets[] = {mTargets, mUtf8, XA_STRING, mText};
      XChangeProperty(mDisplay, request.requestor, property, XA_ATOM, 32, PropModeReplace,
                      reinterpret_cast<const unsigned char*>(targets), 4);
      reply.property = property;
    } else if (request.target == mUtf8 || request.target == XA_STRING || request.target == mText) {
      const Atom type = request.target == XA_STRING ? XA_STRING : mUtf8;
      XChangeProperty(mDisplay, request.requestor, property, type, 8, PropModeReplace,
                      reinterpret_cast<const unsigned char*>(mOwnedText.data()),
                      static_cast<int>(mOwnedText.size()));
      reply.property = property;
    }
  }
  XSendEvent(mDisplay, request.requestor, False, NoEventMask, reinterpret_cast<XEvent*>(&reply));
}

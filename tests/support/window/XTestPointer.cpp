#include "XTestPointer.h"

#include <X11/extensions/XTest.h>

#include <utility>

// Without an X server the connection stays null; the tests skip before they move anything.
XTestPointer::XTestPointer(Pump pump, int settleMs)
    : mDisplay(XOpenDisplay(nullptr)), mPump(std::move(pump)), mSettleMs(settleMs) {}

XTestPointer::~XTestPointer() {
  if (mDisplay) XCloseDisplay(mDisplay);
}

void XTestPointer::MoveTo(Window window, float x, float y, float pixelsPerUnit) {
  WarpTo(window, x, y, pixelsPerUnit);
  Settle(mSettleMs);
}

void XTestPointer::MoveBy(int dx, int dy) {
  XTestFakeRelativeMotionEvent(mDisplay, dx, dy, CurrentTime);
  Settle(mSettleMs);
}

void XTestPointer::Button(bool press, int settleMs) {
  XTestFakeButtonEvent(mDisplay, 1, press, CurrentTime);
  Settle(settleMs);
}

void XTestPointer::ClickAt(Window window, float x, float y, float pixelsPerUnit, int settleMs) {
  WarpTo(window, x, y, pixelsPerUnit);
  XTestFakeButtonEvent(mDisplay, 1, True, CurrentTime);
  XTestFakeButtonEvent(mDisplay, 1, False, CurrentTime);
  Settle(settleMs);
}

void XTestPointer::WarpTo(Window window, float x, float y, float pixelsPerUnit) {
  int rootX = 0, rootY = 0;
  Window child = 0;
  XTranslateCoordinates(mDisplay, window, DefaultRootWindow(mDisplay),
                        static_cast<int>(x * pixelsPerUnit), static_cast<int>(y * pixelsPerUnit),
                        &rootX, &rootY, &child);
  XTestFakeMotionEvent(mDisplay, -1, rootX, rootY, CurrentTime);
}

// The sync makes sure the server has taken the fake events before the editor looks.
void XTestPointer::Settle(int milliseconds) {
  XSync(mDisplay, False);
  mPump(milliseconds);
}

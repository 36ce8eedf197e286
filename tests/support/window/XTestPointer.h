#pragma once

#include <X11/Xlib.h>

#include <functional>

// The X server's one pointer, moved and pressed through XTest as a person's hand would move
// it, over a connection of its own. After each step the editor's run loop gets a turn of
// settleMs to take the events.
class XTestPointer {
public:
  // Runs the editor's run loop for the given milliseconds.
  using Pump = std::function<void(int milliseconds)>;

  XTestPointer(Pump pump, int settleMs);
  ~XTestPointer();
  XTestPointer(const XTestPointer&) = delete;
  XTestPointer& operator=(const XTestPointer&) = delete;

  // To (x, y) in UI units of a window that shows pixelsPerUnit device pixels per unit.
  void MoveTo(Window window, float x, float y, float pixelsPerUnit);
  void MoveBy(int dx, int dy);
  // Button 1.
  void Button(bool press) { Button(press, mSettleMs); }
  void Button(bool press, int settleMs);
  // Moves, presses and releases with no turn of the run loop between them, so that nothing
  // the editor does on a tick can come in between; then settles for settleMs.
  void ClickAt(Window window, float x, float y, float pixelsPerUnit, int settleMs);

private:
  void WarpTo(Window window, float x, float y, float pixelsPerUnit);
  void Settle(int milliseconds);

  Display* mDisplay;
  Pump mPump;
  int mSettleMs;
};

#pragma once

#include <X11/Xlib.h>

// The X server the tests run under, through one connection the process keeps open: Xvfb starts
// afresh whenever its last client leaves and turns connections away meanwhile, so a test that
// closed the only connection could leave the next one without a server.
inline Display* TestDisplay() {
  static Display* const display = XOpenDisplay(nullptr);
  return display;
}

#pragma once

#include <X11/Xlib.h>

// Xlib's default error handler ends the process, and the process is the host's: while a trap
// lives, X errors of any connection are recorded instead. The trap syncs its display on the
// way out so that every error its requests caused has arrived, then restores the handler the
// host had. User-interface thread only; traps may nest.
class X11ErrorTrap {
public:
  explicit X11ErrorTrap(Display* display);
  ~X11ErrorTrap();
  X11ErrorTrap(const X11ErrorTrap&) = delete;
  X11ErrorTrap& operator=(const X11ErrorTrap&) = delete;

  // Syncs and tells whether any error of this trap's display arrived since it was set.
  bool Failed();

private:
  Display* mDisplay;
  int (*mPrevious)(Display*, XErrorEvent*);
  int mPreviousErrorCount;
};

#pragma once

#include "ScreenImage.h"

#include <X11/Xlib.h>

// Copies what a window shows (its own pixels, children included) at its current size.
bool GrabWindow(Display* display, Window window, ScreenImage& out);
// The part of the window that lies on the screen, whatever its parents clip, and where that
// part starts in the window.
bool GrabWindowOnScreen(Display* display, Window window, ScreenImage& out, int& x, int& y);

// The share of the window's area that lies inside all of its ancestors, 0 to 1: a host may
// embed an editor's window in a smaller one until it has made room for it, and its borders may
// cover the editor's edge. 0 for a window that is gone.
double ShareInsideAncestors(Display* display, Window window);

// Asks a top-level window to close as a window manager's close button does; false when the
// window does not take that request.
bool AskToClose(Display* display, Window topLevel);

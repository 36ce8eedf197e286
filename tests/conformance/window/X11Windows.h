#pragma once

#include "ScreenImage.h"

#include <X11/Xlib.h>

// Copies what a window shows (its own pixels, children included) at its current size.
bool GrabWindow(Display* display, Window window, ScreenImage& out);

// Asks a top-level window to close as a window manager's close button does; false when the
// window does not take that request.
bool AskToClose(Display* display, Window topLevel);

// Before any X11 header: Xlib defines macros (None, Bool) that clash with its names.
#include <gtest/gtest.h>

#include "X11ErrorTrap.h"

#include <X11/Xlib.h>

namespace {

// A window id that no client made: any request on it fails with BadWindow.
constexpr Window kNoWindow = 0x3FFFFFF;

void FailOn(Display* dpy) {
  XMapWindow(dpy, kNoWindow);
  XSync(dpy, False);
}

// The editor treats an error under its trap as its window being gone: errors of other
// connections (the host's, another editor's) must not count.
TEST(X11ErrorTrap, CountsOnlyTheErrorsOfItsOwnDisplay) {
  Display* editor = XOpenDisplay(nullptr);
  if (!editor) GTEST_SKIP() << "no X display (run the tests under xvfb-run)";
  Display* host = XOpenDisplay(nullptr);
  ASSERT_NE(host, nullptr);
  {
    X11ErrorTrap editorTrap(editor);
    {
      X11ErrorTrap hostTrap(host);
      FailOn(host);
      EXPECT_TRUE(hostTrap.Failed());
    }
    EXPECT_FALSE(editorTrap.Failed());
    FailOn(editor);
    EXPECT_TRUE(editorTrap.Failed());
  }
  // A new trap starts clean, and the process is still here: the errors were trapped.
  {
    X11ErrorTrap again(editor);
    EXPECT_FALSE(again.Failed());
  }
  XCloseDisplay(host);
  XCloseDisplay(editor);
}

} // namespace

// Before any X11 header: Xlib defines macros (None, Bool) that clash with its names.
#include <gtest/gtest.h>

#include "TestDisplay.h"
#include "X11Windows.h"

#include <X11/Xlib.h>

namespace {

// On the X server the tests run under, with windows of the test's own that are never mapped:
// their sizes and places are all that is asked about.
class X11Windows : public testing::Test {
protected:
  void SetUp() override {
    display_ = TestDisplay();
    ASSERT_NE(display_, nullptr) << "no X display to run on";
  }

  Window Make(Window parent, int x, int y, int width, int height) {
    const Window window =
        XCreateSimpleWindow(display_, parent, x, y, unsigned(width), unsigned(height), 0, 0, 0);
    XSync(display_, False);
    return window;
  }

  Window Root() const { return DefaultRootWindow(display_); }

  Display* display_ = nullptr;
};

// A host that embeds the editor's window in one of its own before that has the editor's size
// (jalv's, through suil, starts at 200 x 200) shows only part of it.
TEST_F(X11Windows, TheShareOfAWindowInsideItsAncestorsIsWhatTheyLetThrough) {
  const Window top = Make(Root(), 0, 0, 815, 530);
  const Window plug = Make(top, 0, 25, 200, 200);
  const Window editor = Make(plug, 0, 0, 815, 505);
  EXPECT_EQ(ShareInsideAncestors(display_, top), 1.0);
  EXPECT_EQ(ShareInsideAncestors(display_, plug), 1.0);
  EXPECT_DOUBLE_EQ(ShareInsideAncestors(display_, editor), 200.0 * 200 / (815 * 505));

  XResizeWindow(display_, plug, 815, 505);
  XSync(display_, False);
  EXPECT_EQ(ShareInsideAncestors(display_, editor), 1.0);

  // Cut off by the grandparent: moved down, the plug reaches below the top level.
  XMoveWindow(display_, plug, 0, 30);
  XSync(display_, False);
  EXPECT_DOUBLE_EQ(ShareInsideAncestors(display_, editor), 500.0 / 505);
  XMoveWindow(display_, plug, 0, 25);
  XMoveWindow(display_, editor, 2, 0);
  XSync(display_, False);
  EXPECT_DOUBLE_EQ(ShareInsideAncestors(display_, editor), 813.0 / 815);

  // Outside its parent altogether.
  XMoveWindow(display_, editor, 900, 0);
  XSync(display_, False);
  EXPECT_EQ(ShareInsideAncestors(display_, editor), 0.0);

  XDestroyWindow(display_, top);
  XSync(display_, False);
}

// Steinberg's editor host gives its windows a border: the editor's window, at its parent's
// top left, has its last column and row under the parent's edge.
TEST_F(X11Windows, ABorderedParentCoversOnlyTheEdge) {
  const Window top = XCreateSimpleWindow(display_, Root(), 0, 0, 815, 505, 1, 0, 0);
  const Window editor = XCreateSimpleWindow(display_, top, 0, 0, 815, 505, 1, 0, 0);
  XSync(display_, False);
  const double share = ShareInsideAncestors(display_, editor);
  EXPECT_DOUBLE_EQ(share, 814.0 * 504 / (815 * 505));
  EXPECT_GE(share, 0.98);
  XDestroyWindow(display_, top);
  XSync(display_, False);
}

TEST_F(X11Windows, AWindowThatIsGoneHasNoShare) {
  const Window window = Make(Root(), 0, 0, 100, 100);
  XDestroyWindow(display_, window);
  XSync(display_, False);
  const auto previous = XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });
  EXPECT_EQ(ShareInsideAncestors(display_, window), 0.0);
  XSync(display_, False);
  XSetErrorHandler(previous);
}

} // namespace

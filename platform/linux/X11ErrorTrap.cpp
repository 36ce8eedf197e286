#include "X11ErrorTrap.h"

#include <array>

namespace {

// Errors counted per connection, so that a trap on one display is not set off by errors of
// another (the host's own, or another editor's) that happen to arrive while it is set.
struct DisplayErrors {
  Display* display = nullptr;
  int count = 0;
};
std::array<DisplayErrors, 16> gErrors{};
int gOtherErrors = 0; // displays beyond the table
// Counts matter only while a trap is set: the table starts afresh whenever none is.
int gDepth = 0;

int& CounterOf(Display* display) {
  for (DisplayErrors& entry : gErrors)
    if (entry.display == display) return entry.count;
  for (DisplayErrors& entry : gErrors)
    if (!entry.display) {
      entry.display = display;
      return entry.count;
    }
  return gOtherErrors;
}

int CountError(Display* display, XErrorEvent*) {
  ++CounterOf(display);
  return 0;
}

} // namespace

X11ErrorTrap::X11ErrorTrap(Display* display)
    : mDisplay(display), mPrevious(XSetErrorHandler(CountError)),
      mPreviousErrorCount(CounterOf(display)) {
  ++gDepth;
}

X11ErrorTrap::~X11ErrorTrap() {
  if (mDisplay) XSync(mDisplay, False);
  XSetErrorHandler(mPrevious);
  if (--gDepth == 0) {
    gErrors = {};
    gOtherErrors = 0;
  }
}

bool X11ErrorTrap::Failed() {
  if (mDisplay) XSync(mDisplay, False);
  return CounterOf(mDisplay) != mPreviousErrorCount;
}

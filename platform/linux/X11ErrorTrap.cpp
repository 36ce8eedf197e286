#include "X11ErrorTrap.h"

namespace {

int gErrorCount = 0;

int CountError(Display*, XErrorEvent*) {
  ++gErrorCount;
  return 0;
}

} // namespace

X11ErrorTrap::X11ErrorTrap(Display* display)
    : mDisplay(display), mPrevious(XSetErrorHandler(CountError)), mPreviousErrorCount(gErrorCount) {
}

X11ErrorTrap::~X11ErrorTrap() {
  if (mDisplay) XSync(mDisplay, False);
  XSetErrorHandler(mPrevious);
}

bool X11ErrorTrap::Failed() {
  if (mDisplay) XSync(mDisplay, False);
  return gErrorCount != mPreviousErrorCount;
}

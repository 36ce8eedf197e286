#include "X11Windows.h"

#include <X11/Xutil.h>

#include <algorithm>

namespace {

int Shift(unsigned long mask) {
  int shift = 0;
  while (mask && !(mask & 1)) {
    mask >>= 1;
    ++shift;
  }
  return shift;
}

} // namespace

namespace {

bool GrabRectangle(Display* display, Window window, int x, int y, int width, int height,
                   ScreenImage& out) {
  if (width <= 0 || height <= 0) return false;
  XImage* image = XGetImage(display, window, x, y, width, height, AllPlanes, ZPixmap);
  if (!image) return false;
  out.width = width;
  out.height = height;
  out.rgb.resize(static_cast<std::size_t>(width) * height * 3);
  const int rs = Shift(image->red_mask), gs = Shift(image->green_mask),
            bs = Shift(image->blue_mask);
  for (int row = 0; row < height; ++row) {
    for (int column = 0; column < width; ++column) {
      const unsigned long p = XGetPixel(image, column, row);
      std::uint8_t* o = &out.rgb[(static_cast<std::size_t>(row) * width + column) * 3];
      o[0] = static_cast<std::uint8_t>((p & image->red_mask) >> rs);
      o[1] = static_cast<std::uint8_t>((p & image->green_mask) >> gs);
      o[2] = static_cast<std::uint8_t>((p & image->blue_mask) >> bs);
    }
  }
  XDestroyImage(image);
  return true;
}

} // namespace

bool GrabWindow(Display* display, Window window, ScreenImage& out) {
  XWindowAttributes attributes;
  if (!XGetWindowAttributes(display, window, &attributes)) return false;
  return GrabRectangle(display, window, 0, 0, attributes.width, attributes.height, out);
}

bool GrabWindowOnScreen(Display* display, Window window, ScreenImage& out, int& x, int& y) {
  XWindowAttributes attributes;
  if (!XGetWindowAttributes(display, window, &attributes)) return false;
  XWindowAttributes screen;
  if (!XGetWindowAttributes(display, attributes.root, &screen)) return false;
  Window child;
  int left = 0, top = 0;
  XTranslateCoordinates(display, window, attributes.root, 0, 0, &left, &top, &child);
  x = std::max(0, -left);
  y = std::max(0, -top);
  const int right = std::min(left + attributes.width, screen.width);
  const int bottom = std::min(top + attributes.height, screen.height);
  return GrabRectangle(display, window, x, y, right - left - x, bottom - top - y, out);
}

double ShareInsideAncestors(Display* display, Window window) {
  XWindowAttributes attributes;
  if (!XGetWindowAttributes(display, window, &attributes)) return 0;
  if (attributes.width <= 0 || attributes.height <= 0) return 0;
  Window child;
  int left = 0, top = 0;
  XTranslateCoordinates(display, window, attributes.root, 0, 0, &left, &top, &child);
  const int width = attributes.width, height = attributes.height;
  int right = left + width, bottom = top + height;
  for (Window current = window;;) {
    Window root, parent, *children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(display, current, &root, &parent, &children, &count)) return 0;
    if (children) XFree(children);
    if (!parent || parent == root) break;
    XWindowAttributes around;
    if (!XGetWindowAttributes(display, parent, &around)) return 0;
    int x = 0, y = 0;
    XTranslateCoordinates(display, parent, root, 0, 0, &x, &y, &child);
    left = std::max(left, x);
    top = std::max(top, y);
    right = std::min(right, x + around.width);
    bottom = std::min(bottom, y + around.height);
    current = parent;
  }
  if (right <= left || bottom <= top) return 0;
  return double(right - left) * (bottom - top) / (double(width) * height);
}

bool AskToClose(Display* display, Window topLevel) {
  const Atom protocols = XInternAtom(display, "WM_PROTOCOLS", False);
  const Atom deleteWindow = XInternAtom(display, "WM_DELETE_WINDOW", False);
  Atom* offered = nullptr;
  int count = 0;
  bool accepts = false;
  if (XGetWMProtocols(display, topLevel, &offered, &count)) {
    for (int i = 0; i < count; ++i)
      accepts = accepts || offered[i] == deleteWindow;
    XFree(offered);
  }
  if (!accepts) return false;
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = topLevel;
  event.xclient.message_type = protocols;
  event.xclient.format = 32;
  event.xclient.data.l[0] = static_cast<long>(deleteWindow);
  event.xclient.data.l[1] = CurrentTime;
  XSendEvent(display, topLevel, False, NoEventMask, &event);
  XSync(display, False);
  return true;
}

#pragma once

#include <X11/Xlib.h>

#include <array>

// The editor's mouse cursors on one X connection: the theme's cursor of the kind's name
// (Xcursor), else the core cursor font's nearest shape. Each is made on first use and kept
// until the connection goes.
class X11Cursors {
public:
  static constexpr int kKindCount = 14;

  explicit X11Cursors(Display* display) : mDisplay(display) {}
  ~X11Cursors();
  X11Cursors(const X11Cursors&) = delete;
  X11Cursors& operator=(const X11Cursors&) = delete;

  // The cursor of a kind (0 arrow ... 13 help); unknown kinds are the arrow.
  Cursor Get(int kind);

  // The theme name tried first for a kind.
  static const char* ThemeName(int kind);

private:
  Display* mDisplay;
  std::array<Cursor, kKindCount> mCursors{};
};

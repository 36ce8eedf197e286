#include "X11Cursors.h"

#include <X11/Xcursor/Xcursor.h>
#include <X11/cursorfont.h>

namespace {

struct CursorNames {
  const char* theme;
  unsigned int fontShape;
};

// Indexed by cursor kind; the move cursor (9) is the theme's own, no image is built.
constexpr CursorNames kNames[X11Cursors::kKindCount] = {
    {"default", XC_left_ptr},
    {"text", XC_xterm},
    {"progress", XC_watch},
    {"crosshair", XC_crosshair},
    {"n-resize", XC_top_side},
    {"nwse-resize", XC_bottom_right_corner},
    {"nesw-resize", XC_bottom_left_corner},
    {"ew-resize", XC_sb_h_double_arrow},
    {"ns-resize", XC_sb_v_double_arrow},
    {"move", XC_fleur},
    {"not-allowed", XC_X_cursor},
    {"pointer", XC_hand2},
    {"progress", XC_watch},
    {"help", XC_question_arrow},
};

int ValidKind(int kind) {
  return kind >= 0 && kind < X11Cursors::kKindCount ? kind : 0;
}

} // namespace

X11Cursors::~X11Cursors() {
  for (Cursor c : mCursors)
    if (c) XFreeCursor(mDisplay, c);
}

const char* X11Cursors::ThemeName(int kind) {
  return kNames[ValidKind(kind)].theme;
}

Cursor X11Cursors::Get(int kind) {
  kind = ValidKind(kind);
  Cursor& c = mCursors[static_cast<size_t>(kind)];
  if (!c) c = XcursorLibraryLoadCursor(mDisplay, kNames[kind].theme);
  if (!c) c = XCreateFontCursor(mDisplay, kNames[kind].fontShape);
  return c;
}

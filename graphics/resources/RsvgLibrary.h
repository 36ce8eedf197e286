#pragma once

#include <librsvg/rsvg.h>

// The librsvg functions the SVG loader uses. The library is opened at the first SVG request,
// not when the plug-in loads, so that an editor without SVG costs nothing and a machine
// without librsvg still runs the plug-in (every SVG then loads as an empty document).
struct RsvgLibrary {
  decltype(&rsvg_handle_new_from_data) newFromData;
  decltype(&rsvg_handle_set_dpi) setDpi;
  decltype(&rsvg_handle_get_intrinsic_size_in_pixels) intrinsicSizeInPixels;
  decltype(&rsvg_handle_get_intrinsic_dimensions) intrinsicDimensions;
  decltype(&g_object_unref) objectUnref;
  decltype(&g_error_free) errorFree;

  // The opened library, or null when it or one of its functions is missing. Safe to call
  // from any thread; the library is opened once and stays loaded for the process.
  static const RsvgLibrary* Get();
};

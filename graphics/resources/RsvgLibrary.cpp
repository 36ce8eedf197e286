#include "RsvgLibrary.h"

#include <dlfcn.h>

namespace {

constexpr const char* kLibraryName = "librsvg-2.so.2";

template <class F> bool Resolve(void* library, const char* name, F& function) {
  function = reinterpret_cast<F>(dlsym(library, name));
  return function != nullptr;
}

// Never closed: GLib's type registrations made by librsvg cannot be undone, so unloading it
// would leave the type system pointing into unmapped code.
const RsvgLibrary* Open() {
  void* library = dlopen(kLibraryName, RTLD_NOW | RTLD_LOCAL);
  if (!library) return nullptr;
  static RsvgLibrary rsvg;
  const bool complete =
      Resolve(library, "rsvg_handle_new_from_data", rsvg.newFromData) &&
      Resolve(library, "rsvg_handle_set_dpi", rsvg.setDpi) &&
      Resolve(library, "rsvg_handle_get_intrinsic_size_in_pixels", rsvg.intrinsicSizeInPixels) &&
      Resolve(library, "rsvg_handle_get_intrinsic_dimensions", rsvg.intrinsicDimensions) &&
      Resolve(library, "g_object_unref", rsvg.objectUnref) &&
      Resolve(library, "g_error_free", rsvg.errorFree);
  return complete ? &rsvg : nullptr;
}

} // namespace

const RsvgLibrary* RsvgLibrary::Get() {
  static const RsvgLibrary* library = Open();
  return library;
}

#include "ModulePath.h"

#include "Utf16.h"

#include <windows.h>

namespace {

std::string& Override() {
  static std::string path;
  return path;
}

// Any object inside this module serves to ask the loader which file it came from; the
// host may have loaded the bundle from any folder.
const char kModuleAnchor = 0;

// Longer than MAX_PATH only for paths the host opened with the long-path prefix.
constexpr DWORD kMaxModulePathUnits = 32768;

} // namespace

void SetModulePathOverride(const std::string& path) {
  Override() = path;
}

std::string LoadedModulePath() {
  if (!Override().empty()) return Override();

  HMODULE module = nullptr;
  if (!GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                              GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                          reinterpret_cast<LPCWSTR>(&kModuleAnchor), &module))
    return "";
  // The call truncates silently when the buffer is too short: grow until the name fits.
  for (DWORD size = MAX_PATH; size <= kMaxModulePathUnits; size *= 2) {
    std::wstring path(size, L'\0');
    const DWORD length = GetModuleFileNameW(module, &path[0], size);
    if (length == 0) return "";
    if (length < size) {
      path.resize(length);
      return FrameworkPath(path);
    }
  }
  return "";
}

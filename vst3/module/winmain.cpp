#include "ModuleMain.h"

#include "BundleLayout.h"
#include "Utf16.h"

#include <windows.h>

#include <cstring>
#include <mutex>
#include <string>

namespace {

constexpr size_t kMaxPath = 2048;
// Longer than MAX_PATH only for bundles a host opened with the long-path prefix.
constexpr DWORD kMaxModulePathUnits = 32768;

struct ModuleState {
  std::mutex mutex;
  int entryCount = 0;
  HINSTANCE instance = nullptr;
  char modulePath[kMaxPath] = {};
  char bundlePath[kMaxPath] = {};
  char resourcePath[kMaxPath] = {};
};

ModuleState gModule;

// A path that does not fit is left empty: a cut path would name some other file.
void storePath(char (&dst)[kMaxPath], const std::string& path) {
  if (path.size() < kMaxPath)
    memcpy(dst, path.c_str(), path.size() + 1);
  else
    dst[0] = 0;
}

std::wstring moduleFileName(HINSTANCE instance) {
  // The call cuts the name silently when the buffer is too short: grow until it fits.
  for (DWORD size = MAX_PATH; size <= kMaxModulePathUnits; size *= 2) {
    std::wstring path(size, L'\0');
    const DWORD length = GetModuleFileNameW(instance, &path[0], size);
    if (length == 0) return L"";
    if (length < size) return path.substr(0, length);
  }
  return L"";
}

// The path comes from the DLL's own instance rather than from how the host named it; a
// module outside <bundle>.vst3/Contents/x86_64-win/ has no bundle.
void recordPaths(ModuleState& state) {
  const std::string module = FrameworkPath(moduleFileName(state.instance));
  storePath(state.modulePath, module);
  BundleLayout layout;
  const std::string architecture = "/Contents/x86_64-win/";
  if (!BundleLayoutFromModulePath(module, layout) ||
      module.compare(layout.bundlePath.size(), architecture.size(), architecture) != 0 ||
      layout.bundlePath.size() <= 5 ||
      layout.bundlePath.compare(layout.bundlePath.size() - 5, 5, ".vst3") != 0)
    return;
  storePath(state.bundlePath, layout.bundlePath);
  storePath(state.resourcePath, layout.resourcePath);
}

} // namespace

// Runs under the loader's lock: it only keeps the instance, and asks for no thread calls.
extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID /*reserved*/) {
  if (reason == DLL_PROCESS_ATTACH) {
    gModule.instance = instance;
    DisableThreadLibraryCalls(instance);
  }
  return TRUE;
}

extern "C" {

SMTG_EXPORT_SYMBOL bool InitDll() {
  std::lock_guard<std::mutex> lock(gModule.mutex);
  if (++gModule.entryCount > 1) return true;
  recordPaths(gModule);
  return InitModule();
}

SMTG_EXPORT_SYMBOL bool ExitDll() {
  std::lock_guard<std::mutex> lock(gModule.mutex);
  // An exit without a matching entry is refused and leaves the count alone, so that a later
  // entry still runs the initialisation hook.
  if (gModule.entryCount == 0) return false;
  if (--gModule.entryCount == 0) DeinitModule();
  return true;
}

} // extern "C"

void* ModuleMainHandle() {
  return gModule.instance;
}

int ModuleMainHandleCount() {
  std::lock_guard<std::mutex> lock(gModule.mutex);
  return gModule.entryCount;
}

const char* ModuleMainPath() {
  return gModule.modulePath;
}

const char* ModuleMainBundlePath() {
  return gModule.bundlePath;
}

const char* ModuleMainResourcePath() {
  return gModule.resourcePath;
}

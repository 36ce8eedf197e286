#include "ModuleMain.h"

#include <dlfcn.h>

#include <climits>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <string>
#include <vector>

namespace {

constexpr size_t kMaxPath = 2048;

struct ModuleState {
  std::mutex mutex;
  int entryCount = 0;
  std::vector<void*> handles;
  void* moduleHandle = nullptr;
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

std::string parentOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

std::string lastComponent(const std::string& path) {
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The path comes from the loaded object itself rather than from the handle, which the host
// may have opened under any name; it is made absolute so that later lookups do not depend
// on the working folder.
void recordPaths(ModuleState& state) {
  Dl_info info{};
  if (!dladdr(&gModule, &info) || !info.dli_fname) return;
  char resolved[PATH_MAX];
  const std::string module = realpath(info.dli_fname, resolved) ? resolved : info.dli_fname;
  storePath(state.modulePath, module);

  const std::string architecture = parentOf(module);
  const std::string contents = parentOf(architecture);
  const std::string bundle = parentOf(contents);
  if (lastComponent(architecture) != "x86_64-linux" || lastComponent(contents) != "Contents" ||
      lastComponent(bundle).size() <= 5 || bundle.compare(bundle.size() - 5, 5, ".vst3") != 0)
    return;
  storePath(state.bundlePath, bundle);
  storePath(state.resourcePath, contents + "/Resources");
}

} // namespace

extern "C" {

SMTG_EXPORT_SYMBOL bool ModuleEntry(void* sharedLibraryHandle) {
  if (!sharedLibraryHandle) return true;
  std::lock_guard<std::mutex> lock(gModule.mutex);
  ++gModule.entryCount;
  gModule.handles.push_back(sharedLibraryHandle);
  if (!gModule.moduleHandle) {
    gModule.moduleHandle = sharedLibraryHandle;
    recordPaths(gModule);
  }
  return gModule.entryCount == 1 ? InitModule() : true;
}

SMTG_EXPORT_SYMBOL bool ModuleExit() {
  std::lock_guard<std::mutex> lock(gModule.mutex);
  // An exit without a matching entry is refused and leaves the count alone, so that a later
  // entry still runs the initialisation hook.
  if (gModule.entryCount == 0) return false;
  if (--gModule.entryCount == 0) {
    DeinitModule();
    gModule.handles.clear();
  }
  return true;
}

} // extern "C"

void* ModuleMainHandle() {
  std::lock_guard<std::mutex> lock(gModule.mutex);
  return gModule.moduleHandle;
}

int ModuleMainHandleCount() {
  std::lock_guard<std::mutex> lock(gModule.mutex);
  return static_cast<int>(gModule.handles.size());
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

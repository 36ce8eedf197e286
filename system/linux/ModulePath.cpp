#include "ModulePath.h"

#include <climits>
#include <cstdlib>
#include <dlfcn.h>

namespace {

std::string& Override() {
  static std::string path;
  return path;
}

// Any object inside this module serves to ask the loader which file it came from; the
// host may have loaded the bundle from any folder.
const char kModuleAnchor = 0;

} // namespace

void SetModulePathOverride(const std::string& path) {
  Override() = path;
}

std::string LoadedModulePath() {
  if (!Override().empty()) return Override();

  Dl_info info{};
  if (dladdr(&kModuleAnchor, &info) == 0 || info.dli_fname == nullptr || info.dli_fname[0] == '\0')
    return "";
  if (info.dli_fname[0] == '/') return info.dli_fname;

  char resolved[PATH_MAX];
  if (realpath(info.dli_fname, resolved) == nullptr) return "";
  return resolved;
}

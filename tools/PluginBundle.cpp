#include "PluginBundle.h"

#include "Lv2Plugin.h"
#include "Vst3Plugin.h"

namespace {

bool IsLv2Bundle(std::string path) {
  while (path.size() > 1 && path.back() == '/')
    path.pop_back();
  const std::string suffix = ".lv2";
  return path.size() > suffix.size() &&
         path.compare(path.size() - suffix.size(), suffix.size(), suffix) == 0;
}

} // namespace

std::unique_ptr<PluginBundle> PluginBundleFor(const std::string& bundlePath) {
  if (IsLv2Bundle(bundlePath)) return std::make_unique<Lv2Plugin>();
  return std::make_unique<Vst3Plugin>();
}

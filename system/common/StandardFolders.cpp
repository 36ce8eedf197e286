#include "StandardFolders.h"

namespace {

// A cut-off path names some other folder; better none than that.
std::string WithinLimit(const std::string& path) {
  return path.size() <= kMaxFolderPathLength ? path : "";
}

} // namespace

std::string PresetsFolderPath(const char* vendorName, const char* pluginName, bool systemWide) {
  if (vendorName == nullptr || pluginName == nullptr) return "";
  std::string data = AppSupportFolderPath(systemWide);
  if (data.empty()) return "";
  return WithinLimit(data + "/" + vendorName + "/" + pluginName + "/");
}

std::string AppSupportFolderForName(const char* name) {
  if (name == nullptr) return "";
  std::string data = AppSupportFolderPath(false);
  if (data.empty()) return "";
  return WithinLimit(data + "/" + name);
}

bool AppGroupContainerPath(const char* /*groupID*/, std::string& path) {
  path.clear();
  return false;
}

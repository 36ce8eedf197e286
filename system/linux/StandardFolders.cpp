#include "StandardFolders.h"

#include "XdgUserDirs.h"

namespace {

// A cut-off path names some other folder; better none than that.
std::string WithinLimit(const std::string& path) {
  return path.size() <= kMaxFolderPathLength ? path : "";
}

} // namespace

std::string HomeFolderPath() {
  return UserHomePath();
}

std::string DesktopFolderPath() {
  return XdgUserDir("XDG_DESKTOP_DIR", "Desktop");
}

std::string MusicFolderPath() {
  return XdgUserDir("XDG_MUSIC_DIR", "Music");
}

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

std::string AppSupportFolderPath(bool system) {
  return system ? XdgSystemDataDir() : XdgDataHome();
}

bool AppGroupContainerPath(const char* /*groupID*/, std::string& path) {
  path.clear();
  return false;
}

#include "StandardFolders.h"

#include "XdgUserDirs.h"

std::string HomeFolderPath() {
  return UserHomePath();
}

std::string DesktopFolderPath() {
  return XdgUserDir("XDG_DESKTOP_DIR", "Desktop");
}

std::string MusicFolderPath() {
  return XdgUserDir("XDG_MUSIC_DIR", "Music");
}

std::string AppSupportFolderPath(bool system) {
  return system ? XdgSystemDataDir() : XdgDataHome();
}

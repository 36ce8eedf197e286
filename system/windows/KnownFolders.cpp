#include "StandardFolders.h"

#include "Utf16.h"

#include <windows.h>

#include <knownfolders.h>
#include <shlobj.h>

namespace {

// The folder as the shell knows it for this user, without creating it; "" when the shell has
// none (a service account, a broken profile).
std::string KnownFolder(REFKNOWNFOLDERID id) {
  PWSTR path = nullptr;
  std::string result;
  if (SUCCEEDED(SHGetKnownFolderPath(id, KF_FLAG_DEFAULT, nullptr, &path)) && path != nullptr)
    result = FrameworkPath(path);
  CoTaskMemFree(path);
  while (result.size() > 3 && result.back() == '/')
    result.pop_back();
  return result;
}

} // namespace

std::string HomeFolderPath() {
  return KnownFolder(FOLDERID_Profile);
}

std::string DesktopFolderPath() {
  return KnownFolder(FOLDERID_Desktop);
}

std::string MusicFolderPath() {
  return KnownFolder(FOLDERID_Music);
}

std::string AppSupportFolderPath(bool system) {
  return KnownFolder(system ? FOLDERID_ProgramData : FOLDERID_RoamingAppData);
}

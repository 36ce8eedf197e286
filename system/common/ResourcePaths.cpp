#include "ResourcePaths.h"

#include "BundleLayout.h"
#include "FileAccess.h"
#include "ModulePath.h"
#include "StandardFolders.h"

#include <cctype>

namespace {

bool IsEmpty(const char* text) {
  return text == nullptr || text[0] == '\0';
}

// The text after the last "."; the whole name when it has none.
std::string ExtensionOf(const std::string& name) {
  size_t dot = name.rfind('.');
  return dot == std::string::npos ? name : name.substr(dot + 1);
}

// File types are ASCII; the locale plays no part.
bool EqualIgnoringCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  return true;
}

bool ExtensionMatches(const std::string& name, const char* type) {
  return type != nullptr && EqualIgnoringCase(ExtensionOf(name), type);
}

// Drops the extension of the last path component only, so folders with dots stay whole.
std::string WithoutExtension(const std::string& name) {
  size_t slash = name.rfind('/');
  size_t componentStart = slash == std::string::npos ? 0 : slash + 1;
  size_t dot = name.rfind('.');
  if (dot == std::string::npos || dot <= componentStart) return name;
  return name.substr(0, dot);
}

std::string LastComponent(const std::string& name) {
  size_t slash = name.rfind('/');
  return slash == std::string::npos ? name : name.substr(slash + 1);
}

std::string JoinPath(const std::string& folder, const std::string& component) {
  if (folder.empty() || folder.back() == '/') return folder + component;
  return folder + "/" + component;
}

bool ModuleBundle(BundleLayout& layout) {
  return BundleLayoutFromModulePath(LoadedModulePath(), layout);
}

bool Found(const std::string& candidate, std::string& path) {
  path = IsRegularFile(candidate) ? candidate : "";
  return !path.empty();
}

} // namespace

bool FindResourceFile(const char* name, const char* type, const char* bundleID,
                      const char* sharedResourceName, std::string& path) {
  path.clear();
  if (IsEmpty(name)) return false;
  if (FindInBundleResources(name, type, bundleID, path)) return true;
  if (FindInSharedResources(name, type, sharedResourceName, path)) return true;
  // A relative name would resolve against the host's working folder, which is arbitrary.
  if (IsAbsolutePath(name)) return Found(name, path);
  path.clear();
  return false;
}

bool FindInBundleResources(const char* name, const char* type, const char* /*bundleID*/,
                           std::string& path) {
  path.clear();
  if (IsEmpty(name) || !ExtensionMatches(name, type)) return false;
  BundleLayout bundle;
  if (!ModuleBundle(bundle)) return false;
  return Found(bundle.resourcePath + "/" + WithoutExtension(name) + "." + type, path);
}

bool FindInSharedResources(const char* name, const char* type, const char* sharedResourceName,
                           std::string& path) {
  path.clear();
  if (IsEmpty(name) || !ExtensionMatches(name, type) || IsEmpty(sharedResourceName)) return false;
  // Without a music folder the candidate would hang off the file system's root.
  std::string music = MusicFolderPath();
  if (music.empty()) return false;
  std::string folder = JoinPath(JoinPath(music, sharedResourceName), "Resources");
  return Found(JoinPath(folder, WithoutExtension(LastComponent(name)) + "." + type), path);
}

bool BundleExecutablePath(const char* /*bundleID*/, std::string& path) {
  BundleLayout bundle;
  if (!ModuleBundle(bundle)) return false;
  path = bundle.executablePath;
  return true;
}

std::string BundleFolderPath(const char* /*bundleID*/) {
  BundleLayout bundle;
  if (!ModuleBundle(bundle)) return "";
  size_t slash = bundle.bundlePath.rfind('/');
  return slash == std::string::npos ? "./" : bundle.bundlePath.substr(0, slash + 1);
}

std::string BundleResourcePath(const char* /*bundleID*/) {
  BundleLayout bundle;
  return ModuleBundle(bundle) ? bundle.resourcePath : "";
}

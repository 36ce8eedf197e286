#include "XdgUserDirs.h"

#include "FileAccess.h"

#include <cstdlib>
#include <pwd.h>
#include <sstream>
#include <unistd.h>
#include <vector>

namespace {

// A user-dirs.dirs file is a handful of short lines; anything larger is not one.
constexpr size_t kMaxUserDirsFileBytes = 64 * 1024;

std::string AbsoluteEnv(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr && value[0] == '/' ? value : "";
}

// The value after "KEY=": a double-quoted shell word with backslash escapes, or a bare
// word. Returns false when the quotes do not close.
bool UnquoteValue(const std::string& raw, std::string& value) {
  value.clear();
  if (raw.empty() || raw[0] != '"') {
    size_t end = raw.find_first_of(" \t#");
    value = raw.substr(0, end);
    return true;
  }
  for (size_t i = 1; i < raw.size(); ++i) {
    char c = raw[i];
    if (c == '"') return true;
    if (c == '\\' && i + 1 < raw.size()) c = raw[++i];
    value += c;
  }
  return false;
}

std::string ExpandHome(const std::string& value, const std::string& home) {
  static const std::string kHome = "$HOME";
  if (value.compare(0, kHome.size(), kHome) == 0 &&
      (value.size() == kHome.size() || value[kHome.size()] == '/')) {
    if (home.empty()) return "";
    return home + value.substr(kHome.size());
  }
  // Relative paths are not allowed in this file; xdg-user-dir ignores them too.
  return !value.empty() && value[0] == '/' ? value : "";
}

std::string WithoutTrailingSlash(std::string path) {
  while (path.size() > 1 && path.back() == '/')
    path.pop_back();
  return path;
}

} // namespace

std::string UserHomePath() {
  const char* home = std::getenv("HOME");
  if (home != nullptr && home[0] != '\0') return WithoutTrailingSlash(home);

  long size = sysconf(_SC_GETPW_R_SIZE_MAX);
  std::vector<char> buffer(size > 0 ? static_cast<size_t>(size) : 16384);
  struct passwd entry {};
  struct passwd* result = nullptr;
  if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &result) != 0 ||
      result == nullptr || result->pw_dir == nullptr)
    return "";
  return WithoutTrailingSlash(result->pw_dir);
}

std::string XdgConfigHome() {
  std::string dir = AbsoluteEnv("XDG_CONFIG_HOME");
  if (!dir.empty()) return dir;
  std::string home = UserHomePath();
  return home.empty() ? "" : home + "/.config";
}

std::string XdgDataHome() {
  std::string dir = AbsoluteEnv("XDG_DATA_HOME");
  if (!dir.empty()) return dir;
  std::string home = UserHomePath();
  return home.empty() ? "" : home + "/.local/share";
}

std::string XdgSystemDataDir() {
  const char* dirs = std::getenv("XDG_DATA_DIRS");
  if (dirs != nullptr) {
    std::stringstream list(dirs);
    std::string entry;
    while (std::getline(list, entry, ':'))
      if (!entry.empty() && entry[0] == '/') return entry;
  }
  return "/usr/local/share";
}

std::string XdgUserDirFromText(const std::string& text, const std::string& key,
                               const std::string& home) {
  std::string result;
  std::stringstream lines(text);
  std::string line;
  while (std::getline(lines, line)) {
    size_t start = line.find_first_not_of(" \t");
    if (start == std::string::npos || line[start] == '#') continue;
    if (line.compare(start, key.size(), key) != 0) continue;
    size_t equals = start + key.size();
    if (equals >= line.size() || line[equals] != '=') continue;

    std::string value;
    if (!UnquoteValue(line.substr(equals + 1), value)) continue;
    std::string path = ExpandHome(value, home);
    if (!path.empty()) result = path;
  }
  return result;
}

std::string XdgUserDir(const std::string& key, const std::string& fallbackName) {
  std::string home = UserHomePath();
  std::string config = XdgConfigHome();
  if (!config.empty()) {
    std::vector<uint8_t> bytes;
    if (ReadFileBytes(config + "/user-dirs.dirs", kMaxUserDirsFileBytes, bytes)) {
      std::string path = XdgUserDirFromText(std::string(bytes.begin(), bytes.end()), key, home);
      if (!path.empty()) return path;
    }
  }
  return home.empty() ? "" : home + "/" + fallbackName;
}

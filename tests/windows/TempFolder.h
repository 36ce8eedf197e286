#pragma once

#include <windows.h>

#include <filesystem>
#include <string>
#include <system_error>

// A folder of its own under the system's temporary folder, removed with what it holds.
class TempFolder {
public:
  TempFolder() {
    const std::string name = "kelvora-win-host-" + std::to_string(GetCurrentProcessId()) + "-" +
                             std::to_string(counter++);
    path = std::filesystem::temp_directory_path() / name;
    std::filesystem::create_directories(path);
  }
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  // A path inside the folder, given and returned as UTF-8.
  std::string operator/(const std::string& name) const {
    return (path / std::filesystem::u8path(name)).u8string();
  }
  const std::filesystem::path& Path() const { return path; }

private:
  static inline int counter = 0;
  std::filesystem::path path;
};

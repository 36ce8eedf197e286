#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <string>

// A fresh folder under the system's temporary folder, removed with the object. Its path is
// UTF-8 with "/" separators, as the framework writes paths.
class TestFolder {
public:
  TestFolder() {
    // Only the call that makes the folder reports it as new, so a name another process took
    // meanwhile is never shared.
    std::random_device random("default");
    const std::filesystem::path temp = std::filesystem::temp_directory_path();
    for (int attempt = 0; attempt < 100 && mPath.empty(); ++attempt) {
      const std::filesystem::path candidate = temp / ("kelvora-" + std::to_string(random()));
      std::error_code error;
      if (std::filesystem::create_directory(candidate, error)) mPath = candidate.generic_u8string();
    }
  }
  ~TestFolder() {
    std::error_code ignored;
    if (!mPath.empty()) std::filesystem::remove_all(std::filesystem::u8path(mPath), ignored);
  }
  TestFolder(const TestFolder&) = delete;
  TestFolder& operator=(const TestFolder&) = delete;

  const std::string& Path() const { return mPath; }

  // Writes a file (making its folders) and returns its full path.
  std::string Write(const std::string& relative, const std::string& content = "x") const {
    std::filesystem::path full = std::filesystem::u8path(mPath) / std::filesystem::u8path(relative);
    std::filesystem::create_directories(full.parent_path());
    std::ofstream(full, std::ios::binary) << content;
    return full.generic_u8string();
  }

private:
  std::string mPath;
};

// Sets environment variables for one test and puts the old values back afterwards.
class EnvironmentGuard {
public:
  ~EnvironmentGuard() {
    for (const auto& [name, value] : mSaved) {
      Put(name, value.first ? value.second.c_str() : nullptr);
    }
  }
  void Set(const std::string& name, const char* value) {
    if (mSaved.find(name) == mSaved.end()) {
      const char* old = std::getenv(name.c_str());
      mSaved[name] = {old != nullptr, old ? old : ""};
    }
    Put(name, value);
  }

private:
  // Null removes the variable.
  static void Put(const std::string& name, const char* value) {
#ifdef _WIN32
    // Windows removes a variable that is set to nothing.
    _putenv_s(name.c_str(), value ? value : "");
#else
    if (value)
      setenv(name.c_str(), value, 1);
    else
      unsetenv(name.c_str());
#endif
  }

  std::map<std::string, std::pair<bool, std::string>> mSaved;
};

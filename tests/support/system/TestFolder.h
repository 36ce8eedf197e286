#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

// A fresh folder under the system's temporary folder, removed with the object.
class TestFolder {
public:
  TestFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "kelvora-XXXXXX").string();
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    mPath = mkdtemp(buffer.data()) ? buffer.data() : "";
  }
  ~TestFolder() {
    std::error_code ignored;
    if (!mPath.empty()) std::filesystem::remove_all(mPath, ignored);
  }
  TestFolder(const TestFolder&) = delete;
  TestFolder& operator=(const TestFolder&) = delete;

  const std::string& Path() const { return mPath; }

  // Writes a file (making its folders) and returns its full path.
  std::string Write(const std::string& relative, const std::string& content = "x") const {
    std::filesystem::path full = std::filesystem::path(mPath) / relative;
    std::filesystem::create_directories(full.parent_path());
    std::ofstream(full, std::ios::binary) << content;
    return full.string();
  }

private:
  std::string mPath;
};

// Sets environment variables for one test and puts the old values back afterwards.
class EnvironmentGuard {
public:
  ~EnvironmentGuard() {
    for (const auto& [name, value] : mSaved) {
      if (value.first)
        setenv(name.c_str(), value.second.c_str(), 1);
      else
        unsetenv(name.c_str());
    }
  }
  void Set(const std::string& name, const char* value) {
    if (mSaved.find(name) == mSaved.end()) {
      const char* old = std::getenv(name.c_str());
      mSaved[name] = {old != nullptr, old ? old : ""};
    }
    if (value)
      setenv(name.c_str(), value, 1);
    else
      unsetenv(name.c_str());
  }

private:
  std::map<std::string, std::pair<bool, std::string>> mSaved;
};

#include "FileAccess.h"

#include <cstdio>
#include <memory>
#include <sys/stat.h>

std::FILE* OpenFile(const std::string& path, const char* mode) {
  return path.empty() || mode == nullptr ? nullptr : std::fopen(path.c_str(), mode);
}

bool IsAbsolutePath(const std::string& path) {
  return !path.empty() && path[0] == '/';
}

bool IsRegularFile(const std::string& path) {
  struct stat info {};
  return !path.empty() && stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

bool ReadFileBytes(const std::string& path, size_t maxBytes, std::vector<uint8_t>& bytes) {
  bytes.clear();
  if (!IsRegularFile(path)) return false;

  std::unique_ptr<FILE, int (*)(FILE*)> file(OpenFile(path, "rb"), &std::fclose);
  if (!file) return false;
  struct stat info {};
  if (fstat(fileno(file.get()), &info) != 0 || !S_ISREG(info.st_mode) || info.st_size < 0 ||
      static_cast<unsigned long long>(info.st_size) > maxBytes)
    return false;

  bytes.resize(static_cast<size_t>(info.st_size));
  if (!bytes.empty() && std::fread(bytes.data(), 1, bytes.size(), file.get()) != bytes.size()) {
    bytes.clear();
    return false;
  }
  return true;
}

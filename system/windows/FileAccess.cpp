#include "FileAccess.h"

#include "Utf16.h"

#include <algorithm>
#include <memory>
#include <windows.h>

namespace {

bool IsSeparator(char c) {
  return c == '/' || c == '\\';
}

bool IsDriveLetter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool IsRegularAttributes(DWORD attributes) {
  return attributes != INVALID_FILE_ATTRIBUTES &&
         (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)) == 0;
}

} // namespace

std::FILE* OpenFile(const std::string& path, const char* mode) {
  std::wstring widePath, wideMode;
  if (path.empty() || mode == nullptr || !WidePath(path, widePath) || !Utf8ToUtf16(mode, wideMode))
    return nullptr;
  return _wfopen(widePath.c_str(), wideMode.c_str());
}

bool IsAbsolutePath(const std::string& path) {
  if (path.size() >= 2 && IsSeparator(path[0]) && IsSeparator(path[1])) return true;
  return path.size() >= 3 && IsDriveLetter(path[0]) && path[1] == ':' && IsSeparator(path[2]);
}

bool IsRegularFile(const std::string& path) {
  std::wstring widePath;
  return !path.empty() && WidePath(path, widePath) &&
         IsRegularAttributes(GetFileAttributesW(widePath.c_str()));
}

bool ReadFileBytes(const std::string& path, size_t maxBytes, std::vector<uint8_t>& bytes) {
  bytes.clear();
  std::wstring widePath;
  if (path.empty() || !WidePath(path, widePath)) return false;

  std::unique_ptr<void, decltype(&CloseHandle)> file(
      CreateFileW(widePath.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr),
      &CloseHandle);
  if (file.get() == INVALID_HANDLE_VALUE) {
    file.release();
    return false;
  }
  // The handle, not the name, is asked, so that the file measured is the one read.
  BY_HANDLE_FILE_INFORMATION info{};
  if (!GetFileInformationByHandle(file.get(), &info) || !IsRegularAttributes(info.dwFileAttributes))
    return false;
  const unsigned long long size =
      static_cast<unsigned long long>(info.nFileSizeHigh) << 32 | info.nFileSizeLow;
  if (size > maxBytes) return false;

  bytes.resize(static_cast<size_t>(size));
  size_t done = 0;
  while (done < bytes.size()) {
    const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 30));
    DWORD read = 0;
    if (!ReadFile(file.get(), bytes.data() + done, chunk, &read, nullptr) || read == 0) {
      bytes.clear();
      return false;
    }
    done += read;
  }
  return true;
}

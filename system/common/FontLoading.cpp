#include "FontLoading.h"

#include "FileAccess.h"
#include "MemoryFont.h"
#include "ResourcePaths.h"
#include "SystemFontLookup.h"

namespace {

// Larger than any font file in use (big CJK collections stay well below); a bigger file
// is not loaded rather than exhausting memory.
constexpr size_t kMaxFontFileBytes = 256 * 1024 * 1024;

using SharedBytes = std::shared_ptr<const std::vector<uint8_t>>;

// A font made from a file or bytes needs a first face that can be drawn with; anything else
// is not a font.
PlatformFontPtr FontFromBytes(std::vector<uint8_t> bytes) {
  if (!ReadFontFaceInfo(bytes.data(), bytes.size(), 0).IsValid()) return nullptr;
  auto shared = std::make_shared<const std::vector<uint8_t>>(std::move(bytes));
  return std::make_unique<MemoryFont>(std::move(shared), false, "");
}

} // namespace

PlatformFontPtr LoadFontFromFile(const char* /*fontID*/, const char* fileName, const char* bundleID,
                                 const char* sharedResourceName) {
  std::string path;
  if (!FindResourceFile(fileName, "ttf", bundleID, sharedResourceName, path)) return nullptr;
  std::vector<uint8_t> bytes;
  if (!ReadFileBytes(path, kMaxFontFileBytes, bytes)) return nullptr;
  return FontFromBytes(std::move(bytes));
}

PlatformFontPtr LoadFontFromMemory(const char* /*fontID*/, const void* bytes, size_t byteCount) {
  if (bytes == nullptr || byteCount == 0) return nullptr;
  const auto* first = static_cast<const uint8_t*>(bytes);
  return FontFromBytes(std::vector<uint8_t>(first, first + byteCount));
}

const char* SystemFontStyleName(int style) {
  switch (style) {
  case 1:
    return "Bold";
  case 2:
    return "Italic";
  default:
    return "Regular";
  }
}

PlatformFontPtr LoadSystemFont(const char* /*fontID*/, const char* familyName, int style) {
  if (familyName == nullptr) return nullptr;
  const std::string styleName = SystemFontStyleName(style);
  std::string path;
  if (!FindInstalledFontFile(familyName, styleName, path)) return nullptr;
  std::vector<uint8_t> bytes;
  if (!ReadFileBytes(path, kMaxFontFileBytes, bytes) || bytes.empty()) return nullptr;
  auto shared = std::make_shared<const std::vector<uint8_t>>(std::move(bytes));
  return std::make_unique<MemoryFont>(std::move(shared), true, styleName);
}

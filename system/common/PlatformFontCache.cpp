#include "PlatformFontCache.h"

#include "ProcessWide.h"

PlatformFontCache& PlatformFontCache::Instance() {
  return ProcessWide<PlatformFontCache>::Get();
}

bool PlatformFontCache::StoreFontDescriptor(const char* fontID, const PlatformFont& font) {
  if (fontID == nullptr) return false;
  std::lock_guard<std::mutex> lock(mCache.Mutex());
  if (mCache.Find(fontID, kScale) != nullptr) return false;

  const std::unique_ptr<FontFaceData> faceData = font.ReadFontData();
  // A face without a positive ascender-to-descender extent would size text infinitely.
  const int extent = faceData ? faceData->ascender - faceData->descender : 0;
  if (!faceData || !faceData->IsValid() || extent <= 0) return false;

  auto record = std::make_unique<Record>();
  record->descriptor = font.NativeDescriptor();
  record->sizeRatio = static_cast<double>(faceData->unitsPerEm) / extent;
  mCache.Add(fontID, kScale, std::move(record));
  return true;
}

bool PlatformFontCache::Find(const char* fontID, Record& record) {
  if (fontID == nullptr) return false;
  std::lock_guard<std::mutex> lock(mCache.Mutex());
  const Record* cached = mCache.Find(fontID, kScale);
  if (cached == nullptr) return false;
  record = *cached;
  return true;
}

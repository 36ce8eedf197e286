#include "PlatformFontCache.h"

#include "ProcessWide.h"

#include <cstdio>
#include <functional>

PlatformFontCache& PlatformFontCache::Instance() {
  return ProcessWide<PlatformFontCache>::Get();
}

void PlatformFontCache::Retain() {
  std::lock_guard<std::mutex> lock(mMutex);
  ++mRefCount;
}

void PlatformFontCache::Release() {
  std::lock_guard<std::mutex> lock(mMutex);
  // An unbalanced release must not drive the count negative and keep the cache forever.
  if (mRefCount == 0) return;
  if (--mRefCount == 0) mEntries.clear();
}

int PlatformFontCache::RefCount() {
  std::lock_guard<std::mutex> lock(mMutex);
  return mRefCount;
}

bool PlatformFontCache::Unreferenced() {
  return RefCount() == 0;
}

size_t PlatformFontCache::Size() {
  std::lock_guard<std::mutex> lock(mMutex);
  return mEntries.size();
}

size_t PlatformFontCache::KeyHash(const std::string& fontID, double scale) {
  char suffix[32];
  std::snprintf(suffix, sizeof(suffix), "-%.1fx", scale);
  return std::hash<std::string>()(fontID + suffix);
}

const PlatformFontCache::Entry* PlatformFontCache::FindLocked(const std::string& fontID) const {
  const size_t hash = KeyHash(fontID, kScale);
  for (const Entry& entry : mEntries)
    if (entry.keyHash == hash && entry.scale == kScale && entry.fontID == fontID) return &entry;
  return nullptr;
}

bool PlatformFontCache::StoreFontDescriptor(const char* fontID, const PlatformFont& font) {
  if (fontID == nullptr) return false;
  std::lock_guard<std::mutex> lock(mMutex);
  if (FindLocked(fontID) != nullptr) return false;

  const std::unique_ptr<FontFaceData> faceData = font.ReadFontData();
  // A face without a positive ascender-to-descender extent would size text infinitely.
  const int extent = faceData ? faceData->ascender - faceData->descender : 0;
  if (!faceData || !faceData->IsValid() || extent <= 0) return false;

  Record record;
  record.descriptor = font.NativeDescriptor();
  record.sizeRatio = static_cast<double>(faceData->unitsPerEm) / extent;
  mEntries.push_back({KeyHash(fontID, kScale), fontID, kScale, record});
  return true;
}

bool PlatformFontCache::Find(const char* fontID, Record& record) {
  if (fontID == nullptr) return false;
  std::lock_guard<std::mutex> lock(mMutex);
  const Entry* entry = FindLocked(fontID);
  if (entry == nullptr) return false;
  record = entry->record;
  return true;
}
